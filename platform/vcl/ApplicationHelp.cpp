// Help requests of the application, and forms found by name for global component references.

#include "rtl/GlobalComponents.h"
#include "rtl/SysUtils.h"
#include "vcl/Forms.h"

bool TApplication::HelpContext(THelpContext Context) { return HelpCommand(HELP_CONTEXT, Context); }

bool TApplication::HelpCommand(Integer Command, intptr_t Data) {
  bool callHelp = true;
  bool result = false;
  if (FOnHelp) result = FOnHelp(static_cast<Word>(Command), Data, callHelp);
  // No help viewer is installed: a request that OnHelp leaves to the help system is not served.
  if (callHelp) result = false;
  return result;
}

TComponent* FindGlobalForm(const String& Name) {
  TScreen* screen = Screen();
  if (!screen) return nullptr;
  for (Integer i = 0; i < screen->GetCustomFormCount(); ++i) {
    TCustomForm* form = screen->GetCustomForms(i);
    if (SameText(form->GetName(), Name)) return form;
  }
  return nullptr;
}
