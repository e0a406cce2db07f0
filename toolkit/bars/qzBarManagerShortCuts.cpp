// Shortcuts of a manager's items, and their dispatch across the managers of a form.

#include <algorithm>
#include <vector>

#include "toolkit/bars/qzBar.h"

bool TqzBarManager::IsShortCut(TShortCut AShortCut) {
  if (FMainMenuBar && FMainMenuBar->ExecuteShortCut(AShortCut)) return true;
  for (Integer i = 0; i < FBars->GetCount(); ++i) {
    TqzBar* bar = FBars->GetBar(i);
    if (bar != FMainMenuBar && bar->GetVisible() && bar->ExecuteShortCut(AShortCut)) return true;
  }
  return false;
}

bool TqzBarManager::DispatchShortCut(TShortCut AShortCut) {
  std::vector<TqzBarManager*> asked;
  auto ask = [&](TqzBarManager* AManager) {
    if (!AManager || std::find(asked.begin(), asked.end(), AManager) != asked.end()) return false;
    asked.push_back(AManager);
    return AManager->IsShortCut(AShortCut);
  };
  TWinControl* owner = GetOwnerControl();
  if (owner && owner->HandleAllocated())
    for (HWND w = owner->GetHandle(); w; w = GetParent(w)) {
      if (ask(BarManagerOfWindow(w))) return true;
      if (!(GetWindowLongPtr(w, GWL_STYLE) & WS_CHILD)) break;
    }
  TqzBarManagerList* list = BarManagerList();
  Integer count = list->GetCount();
  Integer self = list->IndexOf(this);
  TCustomForm* form = FormOfBarManager(this, 0);
  for (Integer i = 1; i < count; ++i) {
    TqzBarManager* other = list->GetManager((self + i) % count);
    if (FormOfBarManager(other, 0) == form && ask(other)) return true;
  }
  return false;
}
