#pragma once
// The "Log" window: the run's log file after an unhandled exception, with a note asking the user
// to send it, and Save to keep a copy. The application's exception handler fills and shows it.

#include "vcl/Dialogs.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

// The editors' units are included by the source only (see FormatsAdvance.h).
class TkvButton;
class TkvMemo;

class TFormLog : public TForm {
  TAVREN_CLASS(TFormLog, TForm)
 public:
  using TForm::TForm;

  TkvMemo* MemoLog = nullptr;
  TLabel* lblLogNote = nullptr;
  TkvButton* Save = nullptr;
  TkvButton* Cancel = nullptr;
  TSaveDialog* SaveDialog = nullptr;

  // The memo's lines, as the exception handler fills them before showing the window.
  TStrings* GetLogLines();

  void FormCreate(TObject* Sender);
  void SaveClick(TObject* Sender);
};

void LogStart();
