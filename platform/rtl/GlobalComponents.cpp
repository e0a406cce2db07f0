#include "rtl/GlobalComponents.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<TFindGlobalComponent>& Finders() {
  static std::vector<TFindGlobalComponent> finders;
  return finders;
}

}  // namespace

void RegisterFindGlobalComponentProc(TFindGlobalComponent Proc) {
  auto& finders = Finders();
  if (Proc && std::find(finders.begin(), finders.end(), Proc) == finders.end()) finders.push_back(Proc);
}

void UnregisterFindGlobalComponentProc(TFindGlobalComponent Proc) { std::erase(Finders(), Proc); }

TComponent* FindGlobalComponent(const String& Name) {
  for (TFindGlobalComponent finder : Finders()) {
    if (TComponent* component = finder(Name)) return component;
  }
  return nullptr;
}
