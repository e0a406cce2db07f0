// Shortcuts and accelerators of a manager's items, searched across the managers of a form.

#include <algorithm>
#include <vector>

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarPopupMenu.h"
#include "toolkit/bars/qzBarPopupMenuLinks.h"

namespace {

// Asks the managers of the Owner's window and the windows above it, then the other managers of
// the same form in list order after this one, each once, until one answers.
template <class F>
bool AskServingManagers(TqzBarManager* AManager, F&& AAsk) {
  std::vector<TqzBarManager*> asked;
  auto ask = [&](TqzBarManager* AOther) {
    if (!AOther || std::find(asked.begin(), asked.end(), AOther) != asked.end()) return false;
    asked.push_back(AOther);
    return AAsk(AOther);
  };
  TWinControl* owner = AManager->GetOwnerControl();
  if (owner && owner->HandleAllocated())
    for (HWND w = owner->GetHandle(); w; w = GetParent(w)) {
      if (ask(BarManagerOfWindow(w))) return true;
      if (!(GetWindowLongPtr(w, GWL_STYLE) & WS_CHILD)) break;
    }
  TqzBarManagerList* list = BarManagerList();
  Integer count = list->GetCount();
  Integer self = list->IndexOf(AManager);
  TCustomForm* form = FormOfBarManager(AManager, 0);
  for (Integer i = 1; i < count; ++i) {
    TqzBarManager* other = list->GetManager((self + i) % count);
    if (FormOfBarManager(other, 0) == form && ask(other)) return true;
  }
  return false;
}

// The main-menu bar first, then the other visible bars, until one answers.
template <class F>
bool AskBars(TqzBarManager* AManager, F&& AAsk) {
  TqzBar* mainMenu = AManager->GetMainMenuBar();
  if (mainMenu && AAsk(mainMenu)) return true;
  TqzBars* bars = AManager->GetBars();
  for (Integer i = 0; i < bars->GetCount(); ++i) {
    TqzBar* bar = bars->GetBar(i);
    if (bar != mainMenu && bar->GetVisible() && AAsk(bar)) return true;
  }
  return false;
}

}  // namespace

bool TqzBarManager::IsShortCut(TShortCut AShortCut) {
  if (AskBars(this, [&](TqzBar* ABar) { return ABar->ExecuteShortCut(AShortCut); })) return true;
  // A menu may leave the list while it runs a command: walk a copy, skipping the ones gone.
  std::vector<TqzBarCustomPopupMenu*> menus = FPopupMenus;
  for (TqzBarCustomPopupMenu* menu : menus)
    if (std::find(FPopupMenus.begin(), FPopupMenus.end(), menu) != FPopupMenus.end() && menu->TryShortCut(AShortCut))
      return true;
  return false;
}

bool TqzBarManager::DispatchShortCut(TShortCut AShortCut) {
  // The context menu linked to the focused control (or a control around it) comes first.
  if (TWinControl* focused = FindControl(GetFocus()))
    if (TqzBarManager* manager = ManagerServingComponent(focused);
        manager && manager->GetPopupMenuLinks()->ExecuteShortCut(focused, AShortCut))
      return true;
  return AskServingManagers(this, [&](TqzBarManager* AManager) { return AManager->IsShortCut(AShortCut); });
}

TqzBarItemLink* TqzBarManager::FindAccelLink(Word AKey, TShiftState AShift) {
  TqzBarItemLink* found = nullptr;
  AskServingManagers(this, [&](TqzBarManager* AManager) {
    return AskBars(AManager, [&](TqzBar* ABar) {
      found = ABar->GetItemLinks()->FindAccelLink(AKey, AShift, nullptr);
      return found != nullptr;
    });
  });
  return found;
}
