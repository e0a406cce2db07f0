#pragma once
// The "Settings" dialog: the output-format frame over Default, OK and Cancel. OK writes the
// rows' choices into the catalogue's selection; Default brings back the format's defaults and
// leaves the dialog open; Cancel writes nothing.

#include "app/OFormat.h"
#include "toolkit/controls/WbPanel.h"
#include "toolkit/editors/kvButtons.h"

class TFormOSetting : public TForm {
  TAVREN_CLASS(TFormOSetting, TForm)
 public:
  using TForm::TForm;

  TFrameOFormat* FrameOFormat = nullptr;
  TWbPanel* WbPanel3 = nullptr;
  TkvButton* Default = nullptr;
  TkvButton* OK = nullptr;
  TkvButton* Cancel = nullptr;

  void OKClick(TObject* Sender);
  void DefaultClick(TObject* Sender);
};

void FormatsAdvanceStart();
