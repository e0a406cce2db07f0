// How an item's changes reach the controls that show its links.

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarItemControl.h"
#include "toolkit/bars/qzBarItemControlEdits.h"

namespace {

// Whether the control is the selected one of an active bar window, which looks after it itself.
bool IsHeldByActiveWindow(TqzBarItemControl* AControl) {
  TCustomqzBarControl* window = AControl->GetParent();
  return window && window->GetActive() && window->GetSelectedControl() == AControl;
}

// The controls of the item's links, taken before any of them reacts (a reaction may rebuild).
std::vector<TqzBarItemControl*> ControlsOf(const TqzBarItem* AItem) {
  std::vector<TqzBarItemControl*> controls;
  for (Integer i = 0; i < AItem->GetLinkCount(); ++i)
    if (TqzBarItemControl* control = AItem->GetLink(i)->GetControl()) controls.push_back(control);
  return controls;
}

}  // namespace

void TqzBarItem::RepaintControls() {
  for (TqzBarItemControl* control : ControlsOf(this))
    if (!IsHeldByActiveWindow(control)) control->Repaint();
}

void TqzBarItem::RefreshControls() {
  for (TqzBarItemControl* control : ControlsOf(this)) control->RefreshNow();
}

void TqzBarItem::RebuildBarsOfKinds(Byte AKinds) {
  std::vector<TCustomqzBarControl*> windows;
  for (TqzBarItemControl* control : ControlsOf(this)) {
    TCustomqzBarControl* window = control->GetParent();
    if (!window || IsHeldByActiveWindow(control) || !(AKinds & (1 << window->BarKind()))) continue;
    if (std::find(windows.begin(), windows.end(), window) == windows.end()) windows.push_back(window);
  }
  // A rebuild frees and remakes the window's controls, so the windows are gathered first.
  for (TCustomqzBarControl* window : windows)
    if (IsBarControlLive(window)) window->Rebuild();
}

void TqzBarItem::LargeGlyphChanged(TObject*) {
  for (Integer i = GetLinkCount() - 1; i >= 0; --i) {
    TqzBarItemLink* link = GetLink(i);
    if (link && link->GetControl()) link->GetControl()->LargeGlyphChanged();
  }
  NotifyChanged(false);
}

void TqzBarItem::HotGlyphChanged(TObject*) {
  for (Integer i = GetLinkCount() - 1; i >= 0; --i) {
    TqzBarItemLink* link = GetLink(i);
    if (link && link->GetControl()) link->GetControl()->HotGlyphChanged();
  }
}

void TqzBarWindowItem::ShowTextInControls() {
  for (TqzBarItemControl* control : ControlsOf(this)) {
    auto* hosting = dynamic_cast<TqzBarWinControl*>(control);
    if (hosting && !hosting->GetInPlaceActive()) hosting->ReloadText();
    control->Repaint();
  }
}
