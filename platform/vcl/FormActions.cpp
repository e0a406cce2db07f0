// Finding a target for an action that has no handler of its own: the application asks the active
// form and the main form, and a form offers the action to its active control, to itself and then
// to its visible controls, depth first.

#include "vcl/Forms.h"

namespace {

bool Offer(TControl* Control, TBasicAction* Action, bool Execute) {
  return Control && (Execute ? Control->ExecuteAction(Action) : Control->UpdateAction(Action));
}

bool OfferToClients(TWinControl* Container, TBasicAction* Action, bool Execute) {
  if (!Container->GetShowing()) return false;
  for (Integer i = 0; i < Container->GetControlCount(); ++i) {
    TControl* control = Container->GetControls(i);
    if (control->GetVisible() && Offer(control, Action, Execute)) return true;
    if (auto* container = dynamic_cast<TWinControl*>(control); container && OfferToClients(container, Action, Execute))
      return true;
  }
  return false;
}

bool OfferToForm(TCustomForm* Form, TBasicAction* Action, bool Execute) {
  if (Form->GetComponentState().Contains(csDesigning) || !Form->GetShowing()) return false;
  return Offer(Form->GetActiveControl(), Action, Execute) || Offer(Form, Action, Execute) ||
         OfferToClients(Form, Action, Execute);
}

}  // namespace

void TCustomForm::CMActionExecute(TMessage& Message) {
  if (OfferToForm(this, reinterpret_cast<TBasicAction*>(Message.LParam), true)) Message.Result = 1;
}

void TCustomForm::CMActionUpdate(TMessage& Message) {
  if (OfferToForm(this, reinterpret_cast<TBasicAction*>(Message.LParam), false)) Message.Result = 1;
}

bool TApplication::DispatchAction(UINT Msg, TBasicAction* Action) {
  const auto offer = [&](TCustomForm* Form) {
    return Form && Form->Perform(Msg, 0, reinterpret_cast<LPARAM>(Action)) == 1;
  };
  TCustomForm* active = Screen() ? Screen()->GetActiveCustomForm() : nullptr;
  return offer(active) || (GetMainForm() != active && offer(GetMainForm()));
}
