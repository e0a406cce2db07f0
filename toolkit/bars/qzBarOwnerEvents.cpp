// The manager's reactions to its owner window: the layout is saved as the window goes, colours,
// fonts and floating bars follow the system's settings.

#include <vector>

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarControl.h"
#include "user/Rects.h"

void TqzBarManager::BroadcastOwnerMessage(TqzBarManager* AHandled, HWND AWnd, UINT AMsg, WPARAM AWParam,
                                          LPARAM ALParam) {
  auto* form = dynamic_cast<TCustomForm*>(FindControl(AWnd));
  TqzBarManagerList* list = BarManagerList();
  if (!form || !list) return;
  // A manager's reaction may free managers: the receivers are chosen first and held weakly.
  std::vector<TWeakRef<TqzBarManager>> receivers;
  for (Integer i = 0; i < list->GetCount(); ++i) {
    TqzBarManager* manager = list->GetManager(i);
    if (manager != AHandled && IsControlInside(form, manager->GetOwnerControl())) receivers.emplace_back(manager);
  }
  for (const TWeakRef<TqzBarManager>& manager : receivers)
    if (manager) manager->HandleOwnerMessage(AWnd, AMsg, AWParam, ALParam);
}

namespace {

// The window coming up is a form shown modally.
bool IsModalForm(HWND AWnd) {
  auto* form = dynamic_cast<TCustomForm*>(AWnd ? FindControl(AWnd) : nullptr);
  return form && form->GetFormState().Contains(fsModal);
}

}  // namespace

void TqzBarManager::HandleOwnerMessage(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam) {
  TComponent* owner = GetOwner();
  if (owner->GetComponentState().Contains(csDestroying)) {
    if (AMsg == WM_DESTROY && !IsDesigning()) SaveStoredLayout();
    return;
  }
  if (AMsg == WM_ACTIVATE) {
    // A modal window taking over closes the menus of this manager: they would sit on top of it.
    HWND activated = LOWORD(AWParam) == WA_INACTIVE ? reinterpret_cast<HWND>(ALParam) : AWnd;
    TCustomqzBarControl* active = ActiveBarControl();
    if (active && active->GetControlBarManager() == this && active->ClosesOnModalActivation() && IsModalForm(activated))
      active->CloseOnce();
  }
  if (AMsg == WM_SYSCOLORCHANGE) RefreshColors();
  if (AMsg == WM_SETTINGCHANGE && AWParam == SPI_SETNONCLIENTMETRICS) SystemFontChanged();
  if ((AMsg == WM_SETTINGCHANGE && AWParam == SPI_SETWORKAREA) || AMsg == WM_DISPLAYCHANGE) KeepFloatingBarsOnScreen();
}

void TqzBarManager::KeepFloatingBarsOnScreen() {
  TWinControl* owner = GetOwnerControl();
  TRect bounds = owner->GetBoundsRect();
  TPoint centre((bounds.Left + bounds.Right) / 2, (bounds.Top + bounds.Bottom) / 2);
  if (owner->GetParent()) centre = owner->GetParent()->ClientToScreen(centre);
  TRect workArea;
  WorkAreaAtPoint(centre, workArea);
  LockDesignerModified(true);
  for (Integer i = 0; i < FBars->GetCount(); ++i) {
    TqzBar* bar = FBars->GetBar(i);
    if (bar->GetDockingStyle() != dsNone) continue;
    TRect r = Bounds(bar->GetFloatLeft(), bar->GetFloatTop(), bar->GetFloatClientWidth(), bar->GetFloatClientHeight());
    // Bottom, top, right, left: a bar taller or wider than the work area keeps its top left corner inside.
    if (r.Bottom > workArea.Bottom) OffsetRect(&r, 0, workArea.Bottom - r.Bottom);
    if (r.Top < workArea.Top) OffsetRect(&r, 0, workArea.Top - r.Top);
    if (r.Right > workArea.Right) OffsetRect(&r, workArea.Right - r.Right, 0);
    if (r.Left < workArea.Left) OffsetRect(&r, workArea.Left - r.Left, 0);
    if (r.Left != bar->GetFloatLeft()) bar->SetFloatLeft(r.Left);
    if (r.Top != bar->GetFloatTop()) bar->SetFloatTop(r.Top);
  }
  LockDesignerModified(false, false);
}
