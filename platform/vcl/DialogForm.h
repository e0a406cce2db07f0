#pragma once
// The base of dialog forms built in code (the colour and font dialogs, the lists that items of
// the toolkit offer): a fixed dialog frame with OK and Cancel at the right, named OkButton and
// CancelButton, and the question to the modal responder once the dialog's loop runs (IDOK
// confirms the dialog as it stands, another non-zero answer cancels it, 0 lets it run on
// scripted input).

#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

class TDialogForm : public TForm {
  TAVREN_CLASS(TDialogForm, TForm)
  TAVREN_MESSAGES()
 public:
  // The responder learns the dialog by its kind; OK and Cancel stand at the client's right edge.
  TDialogForm(const String& AKind, const String& ACaption, Integer AClientWidth, Integer AClientHeight);
  TButton* GetOkButton() const noexcept { return FOkButton; }
  TButton* GetCancelButton() const noexcept { return FCancelButton; }

 protected:
  // A child control of the form, named for the responder, at the bounds.
  template <class T>
  T* AddControl(const char* AName, Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    auto* control = new T(this);
    control->SetName(AName);
    control->SetBounds(ALeft, ATop, AWidth, AHeight);
    control->SetParent(this);
    return control;
  }
  TLabel* AddLabel(const String& ACaption, Integer ALeft, Integer ATop);

 private:
  void FormShow(TObject*);
  void WMAskResponder(TMessage& Message);
  String FKind;
  TButton* FOkButton;
  TButton* FCancelButton;
};
