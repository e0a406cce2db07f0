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
  auto* ok = AddControl<TButton>("OkButton", AClientWidth - 83, 8, 75, 25);
  ok->SetCaption("OK");
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  auto* cancel = AddControl<TButton>("CancelButton", AClientWidth - 83, 39, 75, 25);
  cancel->SetCaption("Cancel");
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
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
