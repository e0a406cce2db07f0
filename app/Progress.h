#pragma once
// The progress window: converts the queued files one after the other, shows the file being
// converted, a bar for it and one for the whole run, and on request a picture of what is being
// converted. The run can be paused, resumed and cancelled; when the last file is done its Cancel
// button becomes Close.

#include <memory>

#include "app/ProgressRun.h"
#include "toolkit/controls/WbPanel.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Timers.h"

// The editors' units are included by the source only (see FormatsAdvance.h).
class TkvButton;
class TkvCheckBox;
class TkvLabel;
class TkvProgressBar;

class TFormProgress : public TForm {
  TAVREN_CLASS(TFormProgress, TForm)
 public:
  using TForm::TForm;
  ~TFormProgress() override;

  // The queue, filled by the main window before it shows the window.
  void AddTask(const String& Source, TTaskInfo* Task);
  void ClearTasks();
  // The output folder, with a trailing delimiter.
  void SetOutDir(const String& Folder);
  // The engine's states: 0 paused, 1 resumed, 2 started, 3 all done; others change nothing.
  void OnEngineState(Integer State);
  // Whether the window may close now: after the run at once, during it only when the user
  // confirms, and then once the engine has stopped.
  bool CanClose();
  TProgressRun* GetRun() const { return FRun.get(); }

  TWbPanel* Panel1 = nullptr;
  TImage* ImageReview = nullptr;
  TkvLabel* kvLabel1 = nullptr;
  TkvLabel* lblTotal = nullptr;
  TkvLabel* kvLabel3 = nullptr;
  TkvLabel* lblFile = nullptr;
  TkvCheckBox* cbPreview = nullptr;
  TkvProgressBar* pbCurr = nullptr;
  TkvProgressBar* pbTatal = nullptr;
  TkvButton* btnPause = nullptr;
  TkvButton* btnCancel = nullptr;
  TTimer* UpdateProgress = nullptr;
  TTimer* UpdatePreview = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& Allowed);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void UpdateProgressTimer(TObject* Sender);
  void UpdatePreviewTimer(TObject* Sender);
  void btnPauseClick(TObject* Sender);
  void btnCancelClick(TObject* Sender);

 private:
  void ShowFigures();
  void SetTimers(bool On);

  std::unique_ptr<TProgressRun> FRun;
};

void ProgressStart();
