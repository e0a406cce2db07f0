#pragma once
// The name dialog of toolbars: asks for the caption of a new or renamed toolbar, refusing an
// empty name and, for toolbars, a caption another bar of the manager already bears. Streamed
// from the form resource "TQZBARNAMEED".

#include "toolkit/bars/qzBar.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

// How the toolbar is named: a new one, or one renamed.
constexpr Integer qzNameModeAdd = 0;
constexpr Integer qzNameModeRename = 1;

class TqzBarNameEd : public TForm {
  TAVREN_CLASS(TqzBarNameEd, TForm)
  TAVREN_MESSAGES()
 public:
  using TForm::TForm;

  TLabel* LName = nullptr;
  TEdit* EName = nullptr;
  TButton* BOK = nullptr;
  TButton* BCancel = nullptr;

  void ENameChange(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);

  // The bar whose caption is edited (nil for a new one) and its manager.
  void Prepare(TqzBar* ABar, TqzBarManager* AManager);

 protected:
  void DoShow() override;

 private:
  // Once shown, the modal responder of a headless run may answer or script the dialog.
  void WMAskResponder(TMessage& Message);

  TqzBar* FBar = nullptr;
  TqzBarManager* FManager = nullptr;
};

// Runs the dialog over the active window; true with the confirmed name in AName.
bool ExecuteBarNameDialog(String& AName, Integer AMode, TqzBar* ABar, TqzBarManager* AManager);
