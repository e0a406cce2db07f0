// The common frame of the colour and font dialogs.

#include "vcl/DialogForm.h"

#include "user/ModalResponder.h"

namespace {

constexpr UINT kAskResponder = WM_USER + 0x100;

}  // namespace

TAVREN_CLASS_IMPL(TDialogForm)
TAVREN_MESSAGE_TABLE(TDialogForm, MESSAGE_HANDLER(kAskResponder, WMAskResponder))

TDialogForm::TDialogForm(const String& AKind, const String& ACaption, Integer AClientWidth, Integer AClientHeight)
    : TForm(nullptr, 0), FKind(AKind) {
  SetCaption(ACaption);
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetClientWidth(AClientWidth);
  SetClientHeight(AClientHeight);
  FOkButton = AddControl<TButton>("OkButton", AClientWidth - 83, 8, 75, 25);
  FOkButton->SetCaption("OK");
  FOkButton->SetDefault(true);
  FOkButton->SetModalResult(mrOk);
  FCancelButton = AddControl<TButton>("CancelButton", AClientWidth - 83, 39, 75, 25);
  FCancelButton->SetCaption("Cancel");
  FCancelButton->SetCancel(true);
  FCancelButton->SetModalResult(mrCancel);
  SetOnShow(MakeEvent<&TDialogForm::FormShow>(this));
}

TLabel* TDialogForm::AddLabel(const String& ACaption, Integer ALeft, Integer ATop) {
  auto* label = new TLabel(this);
  // Over whatever the form paints (a skinned form is not its Color).
  label->SetTransparent(true);
  label->SetCaption(ACaption);
  label->SetLeft(ALeft);
  label->SetTop(ATop);
  label->SetParent(this);
  return label;
}

void TDialogForm::FormShow(TObject*) { PostMessage(GetHandle(), kAskResponder, 0, 0); }

void TDialogForm::WMAskResponder(TMessage&) {
  ModalRequest request;
  request.kind = FKind;
  request.window = GetHandle();
  request.caption = GetCaption();
  int answer = AskModalResponder(request);
  if (answer != 0) SetModalResult(answer == IDOK ? mrOk : mrCancel);
}
