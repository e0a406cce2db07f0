#pragma once
// The clip editor: one source file's effects (volume, brightness, contrast, shown live in the
// preview), its time range (typed, or dragged on the seek bar, with a preview that loops inside
// it) and its crop rectangle (typed, or dragged over a still of the preview). Nothing reaches the
// file's job settings until OK.

#include <vector>

#include "app/RangeSlider.h"
#include "core/Convert.h"
#include "toolkit/controls/WbBmpBtn.h"
#include "toolkit/controls/WbPanel.h"
#include "toolkit/controls/WbSpnEdt.h"
#include "toolkit/controls/WbTabs.h"
#include "toolkit/controls/WbTrkBar.h"
#include "vcl/ExtCtrls.h"
#include "vcl/MessageMap.h"
#include "vcl/StdCtrls.h"
#include "vcl/Timers.h"

// What the main window hands the editor for one editing.
class TPlayContext : public TObject {
  TAVREN_CLASS(TPlayContext, TObject)
 public:
  String Path;
  bool HasVideo = false;
  Integer Width = 0;   // source picture size in pixels
  Integer Height = 0;
  Int64 Duration = 0;  // 100 ns
  TTaskInfo* Task = nullptr;  // not owned
};

// The message the selection window sends when the user changes its rectangle.
constexpr UINT WM_SELRECT = WM_USER + 100;

class TFormVideoEdit : public TForm {
  TAVREN_CLASS(TFormVideoEdit, TForm)
  TAVREN_MESSAGES()
 public:
  using TForm::TForm;

  // Prepares the editor for one file and starts its preview; the caller then picks a page and
  // shows the editor modally.
  void Open(TMediaPlayer* Player, TPlayContext* Context);
  void ShowEffectPage();
  void ShowTrimPage();
  void ShowCropPage();
  // The player's state callback: 0 playing, 1 paused.
  void OnPlayerState(Integer State);
  // Screen pixels per source pixel of the picture on the crop page.
  Double GetCropScale() const { return FCropScale; }
  // Where the selection window lies on PanelCrop; empty while there is none.
  TRect GetCropWindowRect() const { return FCropWindowRect; }

  TWbPanel* pnlBack = nullptr;
  TPanel* PanelPlay = nullptr;
  TPanel* PanelCrop = nullptr;
  TImage* ImagePlay = nullptr;
  TImage* ImagePause = nullptr;
  TframSeekBar* RangeSlider = nullptr;
  TWbPageControl* pgcClip = nullptr;
  TWbTabSheet* tshVideo = nullptr;
  TWbTabSheet* tshTrim = nullptr;
  TWbTabSheet* tshCrop = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;
  TTimer* TimerUpdatePos = nullptr;
  TTimer* tmrUpdateCrop = nullptr;
  // Effect page.
  TWbGroupBox* WbGroupBox1 = nullptr;
  TWbTrackBar* trbBrightness = nullptr;
  TLabel* lblBrightness = nullptr;
  TWbTrackBar* trbContrast = nullptr;
  TLabel* lblContrast = nullptr;
  TWbGroupBox* WbGroupBox2 = nullptr;
  TWbTrackBar* trbVolume = nullptr;
  TLabel* lblVolume = nullptr;
  TWbBmpButton* btnResetEffect = nullptr;
  // Trim page.
  TWbMaskEdit* edtStart = nullptr;
  TWbMaskEdit* edtEnd = nullptr;
  TWbMaskEdit* edtLength = nullptr;
  TWbBmpButton* btnStartApply = nullptr;
  TWbBmpButton* btnEndApply = nullptr;
  TWbBmpButton* btnResetTrim = nullptr;
  // Crop page.
  TComboBox* cbLetterBox = nullptr;
  TWbSpinEdit* speLeft = nullptr;
  TWbSpinEdit* speTop = nullptr;
  TWbSpinEdit* speRight = nullptr;
  TWbSpinEdit* speBottom = nullptr;
  TWbBmpButton* btnCropReset = nullptr;

  // Handlers bound by the form.
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ImagePlayClick(TObject* Sender);
  void ImagePauseClick(TObject* Sender);
  void trbVolumeChange(TObject* Sender);
  void trbBrightnessChange(TObject* Sender);
  void trbContrastChange(TObject* Sender);
  void btnResetEffectClick(TObject* Sender);
  void btnStartEndApplyClick(TObject* Sender);
  void btnResetTrimClick(TObject* Sender);
  void edtStartValidateError(TObject* Sender, String& ErrorMsg);
  void TimerUpdatePosTimer(TObject* Sender);
  void tmrUpdateCropTimer(TObject* Sender);
  void pgcClipChanging(TObject* Sender, Integer NewIndex, bool& AllowChange);
  void ButtonOKClick(TObject* Sender);
  void CropChange(TObject* Sender);
  void btnCropResetClick(TObject* Sender);

  // The seek bar's reactions, bound by code (values in milliseconds).
  void RangePositionDown(TObject* Sender, Double Position);
  void RangePositionUp(TObject* Sender, Double Position);
  void RangeHandleDown(TObject* Sender, Integer Kind, TMouseButton Button, Double Start, Double End);
  void RangeHandleMove(TObject* Sender, Integer Kind, Double Start, Double End);
  void RangeHandleUp(TObject* Sender, Integer Kind, TMouseButton Button, Double Start, Double End);
  void RangeSelectionDown(TObject* Sender, Double Start, Double End, Double Position);
  void RangeSelectionMove(TObject* Sender, Double Start, Double End, Double Position);
  void RangeSelectionUp(TObject* Sender, Double Start, Double End, Double Position);

 private:
  void WMSelRect(TMessage& Message);
  bool CropReady() const { return FCropWindow != nullptr; }
  void SetUpCrop();
  void DropCropWindow();
  void SetCropSpins(const TRect& Crop, Integer Width, Integer Height);
  // Shows the crop surface with its snapshots, or the playing preview.
  void ShowCropSurface(bool Crop);
  void SelectPage(TWbTabSheet* Page);
  void ShowRangeTexts(Double Start, Double End);
  void SeekRange(Double Start, Double End);
  void SelectTrimPage();
  // The crop the spin edits hold, in order and inside the picture; false when it is empty.
  bool CropToStore(TRect& Crop) const;

  TMediaPlayer* FPlayer = nullptr;
  TPlayContext* FContext = nullptr;
  Double FCropScale = 1;
  HWND FCropWindow = nullptr;
  TRect FCropWindowRect{};
  std::vector<Byte> FSnapshot;  // kept between ticks, grown when a picture needs more
};

void VideoEditStart();
