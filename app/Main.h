#pragma once
// The main window: the ribbon's commands (add, delete and clear files; the clip editor on its
// Effect, Trim or Crop page; help; about), the file list and the preview pane in the middle, and
// the output folder, the profile and Browse, Advance and Convert below. It shows the task list's
// output folder, owns the settings dialog and starts the updater at every start.

#include <memory>

#include "app/MainPreview.h"
#include "app/VideoListVw.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "vcl/Timers.h"

// The toolkit's headers are included by the sources only: the editors', the bars' and the Wb
// set's names of the vertical alignments, sides and item alignments would meet here (see
// FormatsAdvance.h). The ribbon, its bar manager, toolbars and command buttons are the form's
// components without fields: the code reaches them through the form's events only.
class TqzSkinController;
class TkvImageList;
class TkvTextEdit;
class TkvComboBox;
class TkvButton;
class TFormOSetting;
class TWbPanel;

class TFormMain : public TForm, public IObserver {
  TAVREN_CLASS(TFormMain, TForm)
 public:
  using TForm::TForm;
  ~TFormMain() override;

  // The task list changed: shows its output folder.
  void Update() override;
  // A form is owned by the application, not counted through its interfaces.
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override;
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }

  // The profile list's lines from the catalogue, the stored profile shown; only then does a change
  // of the list choose a profile.
  void FillProfiles();
  TFormOSetting* GetSettings() const { return FSettings; }
  TPreviewPane* GetPreview() const { return FPreview.get(); }

  TkvImageList* kvImageList = nullptr;
  TqzSkinController* qzSkinController = nullptr;
  TWbPanel *WbPanelBG = nullptr, *WbPanel1 = nullptr, *WbPanel2 = nullptr, *WbPanel3 = nullptr;
  TWbPanel *WbPanel4 = nullptr, *WbPanel5 = nullptr;
  TFrameFileList* FrameFileList = nullptr;
  TWbPanel* WbPanelReview = nullptr;
  TImage* ImagePlayerBG = nullptr;
  TPanel* PanelPlay = nullptr;
  TImage *ImageBar = nullptr, *ImagePos = nullptr, *ImagePlay = nullptr, *ImagePause = nullptr;
  TLabel *Label3 = nullptr, *Label4 = nullptr, *Label7 = nullptr;
  TLabel *lblName = nullptr, *lblLength = nullptr, *lblSize = nullptr;
  TLabel *Label1 = nullptr, *Label2 = nullptr;
  TkvTextEdit* edtOutDir = nullptr;
  TkvComboBox* cbProfile = nullptr;
  TkvButton *Browse = nullptr, *Advance = nullptr, *Convert = nullptr;
  TTimer* TimerUpdatePos = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  void AddVideo(TObject* Sender);
  void DeleteVideo(TObject* Sender);
  void ClearVideo(TObject* Sender);
  void ShowEffectEdit(TObject* Sender);
  void ShowTrimEdit(TObject* Sender);
  void ShowCropEdit(TObject* Sender);
  void HelpClick(TObject* Sender);
  void ShowAbout(TObject* Sender);
  void ShowAdvance(TObject* Sender);
  void BrowseOutDir(TObject* Sender);
  void ConvertVideo(TObject* Sender);
  void cbProfileChange(TObject* Sender);
  void edtOutDirChange(TObject* Sender);
  void FrameFileListFileListDblClick(TObject* Sender);
  void TimerUpdatePosTimer(TObject* Sender);
  void ImagePosMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void ImagePosMouseMove(TObject* Sender, TShiftState Shift, Integer X, Integer Y);
  void ImagePosMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void ImagePlayClick(TObject* Sender);
  void ImagePauseClick(TObject* Sender);

 private:
  // The clip editor on the selected file, with Page chosen; the row's trimmed length after OK.
  void EditSelected(void (*ShowPage)(TFormMain*));
  // The widening a newer system's wider frames and fonts need, made at the first showing only.
  void WidenForNewerSystems();
  // The command images, drawn at build time, into the ribbon's image list.
  void LoadCommandImages();

  TFormOSetting* FSettings = nullptr;
  std::unique_ptr<TPreviewPane> FPreview;
  bool FWidened = false;
};

// The program's windows, one each for the life of the process.
extern TFormMain* FormMain;

void MainStart();
