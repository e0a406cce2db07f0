// The toolbar name dialog.

#include "toolkit/bars/qzBarNameEd.h"

#include "rtl/SysUtils.h"
#include "rtl/TypInfo.h"
#include "toolkit/bars/qzBarStrs.h"
#include "user/ModalResponder.h"

namespace {

// Asks the modal responder once the dialog's loop runs.
constexpr UINT kAskResponder = WM_USER + 0x100;

}  // namespace

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarNameEd, FIELD(LName), FIELD(EName), FIELD(BOK), FIELD(BCancel),
                            METHOD(ENameChange), METHOD(FormCloseQuery))
TAVREN_MESSAGE_TABLE(TqzBarNameEd, MESSAGE_HANDLER(kAskResponder, WMAskResponder))

void TqzBarNameEd::Prepare(TqzBar* ABar, TqzBarManager* AManager) {
  FBar = ABar;
  FManager = AManager;
}

void TqzBarNameEd::ENameChange(TObject*) { BOK->SetEnabled(!EName->GetText().empty()); }

void TqzBarNameEd::FormCloseQuery(TObject*, bool& CanClose) {
  if (GetModalResult() != mrOk || !FManager) return;
  // Captions tell toolbars apart: another bar's caption is refused (the edited bar may keep its own).
  String name = EName->GetText();
  TqzBar* existing = FManager->FindBarByCaption(name);
  if (!existing || existing == FBar) return;
  ShowAppMessageBox(Format(ResourceStringText(sqzBarDuplicateToolbarName), name), MB_OK | MB_ICONERROR);
  CanClose = false;
  // The dialog stays open for another name: a headless run's responder is asked again.
  PostMessage(GetHandle(), kAskResponder, 0, 0);
}

void TqzBarNameEd::DoShow() {
  TForm::DoShow();
  PostMessage(GetHandle(), kAskResponder, 0, 0);
}

void TqzBarNameEd::WMAskResponder(TMessage&) {
  ModalRequest request;
  request.kind = "BarNameDialog";
  request.window = GetHandle();
  request.caption = GetCaption();
  request.text = EName->GetText();
  int answer = AskModalResponder(request);
  if (answer == 0) return;
  if (answer == IDOK && !BOK->GetEnabled()) return;
  SetModalResult(answer == IDOK ? mrOk : mrCancel);
}

bool ExecuteBarNameDialog(String& AName, Integer AMode, TqzBar* ABar, TqzBarManager* AManager) {
  std::unique_ptr<TqzBarNameEd> dialog(static_cast<TqzBarNameEd*>(TqzBarNameEd::ClassInfo()->Create(nullptr)));
  dialog->SetParentWindow(GetActiveWindow());
  if (AManager) {
    dialog->GetFont()->SetName(AManager->GetFont()->GetName());
    dialog->GetFont()->SetCharset(AManager->GetFont()->GetCharset());
  }
  dialog->Prepare(ABar, AManager);
  dialog->SetCaption(ResourceStringText(AMode == qzNameModeRename ? sqzBarRenameToolbarCaption : sqzBarAddToolbarCaption));
  dialog->LName->SetCaption(ResourceStringText(sqzBarToolbarNameLabel));
  dialog->EName->SetText(AName);
  dialog->BOK->SetCaption(ResourceStringText(sqzBarOKButton));
  dialog->BCancel->SetCaption(ResourceStringText(sqzBarCancelButton));
  dialog->ENameChange(nullptr);
  dialog->SetActiveControl(dialog->EName);
  if (dialog->ShowModal() != mrOk) return false;
  AName = dialog->EName->GetText();
  return true;
}
