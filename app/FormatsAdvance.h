#pragma once
// The "Settings" dialog: the output-format frame over Default, OK and Cancel. OK writes the
// rows' choices into the catalogue's selection; Default brings back the format's defaults and
// leaves the dialog open; Cancel writes nothing.

#include "app/OFormat.h"
#include "toolkit/controls/WbPanel.h"

// The buttons' unit is included by the source only: the foundation's and the Wb set's names of
// the vertical alignments would meet in the units that include this header with the clip editor.
class TkvButton;

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
