// The navigation nodes of bar windows and item controls, and the owners' side: each owner makes
// its node on first request and tells it when it goes.

#include "toolkit/bars/qzBarAccessibility.h"

#include "rtl/Exceptions.h"
#include "rtl/SysUtils.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarItemControlEdits.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "user/Rects.h"

TAVREN_CLASS_IMPL(TCustomqzBarControlAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzBarItemControlAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzBarButtonLikeControlAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzDockControlAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzBarControlAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzBarSubMenuControlAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzBarSubItemControlAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzBarButtonControlAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzBarControlMarkAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzBarWinControlAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzBarCaptionButtonsAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzBarCaptionButtonAccessibilityHelper)

namespace {

[[noreturn]] void RaiseNotAnswered() { throw Exception(""); }

bool IsWindowShown(TWinControl* AControl) {
  return AControl && AControl->HandleAllocated() && IsWindowVisible(AControl->GetHandle());
}

}  // namespace

// ---- Owners ------------------------------------------------------------------------------------------

TqzBarAccessibilityHelper* TCustomqzBarControl::GetAccessibilityHelper() {
  if (!FAccessibilityHelper) FAccessibilityHelper = BarHelperRef(GetAccessibilityHelperClass().Create(this));
  return FAccessibilityHelper->BarHelperObject();
}

TClassOf<TqzBarAccessibilityHelper> TCustomqzBarControl::GetAccessibilityHelperClass() {
  return TCustomqzBarControlAccessibilityHelper::ClassInfo();
}

bool TCustomqzBarControl::IsUsable() { return !IsDestroying() && IsWindowShown(this); }

bool TCustomqzBarControl::OwnsWindow(HWND AWnd) {
  if (!AWnd || !HandleAllocated()) return false;
  if (AWnd == GetHandle() || IsChild(GetHandle(), AWnd)) return true;
  // An open drop-down is a window of its own.
  TqzBarItemControl* selected = GetSelectedControl();
  return selected && selected->OwnsWindow(AWnd);
}

TqzBarAccessibilityHelper* TqzBarItemControl::GetAccessibilityHelper() {
  if (!FAccessibilityHelper) FAccessibilityHelper = BarHelperRef(AccessibilityHelperClass().Create(this));
  return FAccessibilityHelper->BarHelperObject();
}

TClassOf<TqzBarAccessibilityHelper> TqzBarItemControl::AccessibilityHelperClass() {
  return TqzBarItemControlAccessibilityHelper::ClassInfo();
}

TClassOf<TqzBarAccessibilityHelper> TqzBarButtonLikeControl::AccessibilityHelperClass() {
  return TqzBarButtonLikeControlAccessibilityHelper::ClassInfo();
}

TClassOf<TqzBarAccessibilityHelper> TqzBarButtonControl::AccessibilityHelperClass() {
  return TqzBarButtonControlAccessibilityHelper::ClassInfo();
}

TqzBarAccessibilityHelper* TqzDockControl::GetAccessibilityHelper() {
  if (!FAccessibilityHelper) FAccessibilityHelper = BarHelperRef(GetAccessibilityHelperClass().Create(this));
  return FAccessibilityHelper->BarHelperObject();
}

TClassOf<TqzBarAccessibilityHelper> TqzDockControl::GetAccessibilityHelperClass() {
  return TqzDockControlAccessibilityHelper::ClassInfo();
}

TClassOf<TqzBarAccessibilityHelper> TqzBarControl::GetAccessibilityHelperClass() {
  return TqzBarControlAccessibilityHelper::ClassInfo();
}

TqzBarAccessibilityHelper* TqzBarControl::GetMarkAccessibilityHelper() {
  if (!FMarkAccessibilityHelper) FMarkAccessibilityHelper = BarHelperRef(MarkAccessibilityHelperClass().Create(this));
  return FMarkAccessibilityHelper->BarHelperObject();
}

TClassOf<TqzBarAccessibilityHelper> TqzBarControl::MarkAccessibilityHelperClass() {
  return TqzBarControlMarkAccessibilityHelper::ClassInfo();
}

Byte TqzBarControl::GetMarkState() {
  if (FMarkAccessibilityHelper && FMarkAccessibilityHelper->IsCurrentSelection()) return 1;
  return TCustomqzBarControl::GetMarkState();
}

TClassOf<TqzBarAccessibilityHelper> TqzBarWinControl::AccessibilityHelperClass() {
  return TqzBarWinControlAccessibilityHelper::ClassInfo();
}

TqzBarAccessibilityHelper* TqzBarCaptionButtons::GetAccessibilityHelper() {
  if (!FAccessibilityHelper) FAccessibilityHelper = BarHelperRef(AccessibilityHelperClass().Create(this));
  return FAccessibilityHelper->BarHelperObject();
}

TClassOf<TqzBarAccessibilityHelper> TqzBarCaptionButtons::AccessibilityHelperClass() {
  return TqzBarCaptionButtonsAccessibilityHelper::ClassInfo();
}

TqzBarAccessibilityHelper* TqzBarCaptionButton::GetAccessibilityHelper() {
  if (!FAccessibilityHelper) FAccessibilityHelper = BarHelperRef(AccessibilityHelperClass().Create(this));
  return FAccessibilityHelper->BarHelperObject();
}

TClassOf<TqzBarAccessibilityHelper> TqzBarCaptionButton::AccessibilityHelperClass() {
  return TqzBarCaptionButtonAccessibilityHelper::ClassInfo();
}

TClassOf<TqzBarAccessibilityHelper> TqzBarSubMenuControl::GetAccessibilityHelperClass() {
  return TqzBarSubMenuControlAccessibilityHelper::ClassInfo();
}

TClassOf<TqzBarAccessibilityHelper> TqzBarSubItemControl::AccessibilityHelperClass() {
  return TqzBarSubItemControlAccessibilityHelper::ClassInfo();
}

// ---- Bar windows ---------------------------------------------------------------------------------------

TCustomqzBarControl* TCustomqzBarControlAccessibilityHelper::BarControl() {
  return static_cast<TCustomqzBarControl*>(GetOwnerObject());
}

TkvAccessibilityHelper* TCustomqzBarControlAccessibilityHelper::ChildAt(Integer AIndex) {
  return BarControl()->GetLayoutInfo()->GetItemViewInfoAt(AIndex)->GetControl()->GetAccessibilityHelper();
}

Integer TCustomqzBarControlAccessibilityHelper::ChildTotal() {
  return BarControl()->GetLayoutInfo()->GetItemViewInfoCount();
}

Integer TCustomqzBarControlAccessibilityHelper::IndexOfChild(TkvAccessibilityHelper* AChild) {
  auto* item = dynamic_cast<TqzBarItemControlAccessibilityHelper*>(AChild);
  if (!item) return -1;
  return BarControl()->GetLayoutInfo()->IndexOfItemControl(item->GetItemControl());
}

HWND TCustomqzBarControlAccessibilityHelper::OwnerWindow() {
  TCustomqzBarControl* bar = BarControl();
  return bar->HandleAllocated() ? bar->GetHandle() : nullptr;
}

TRect TCustomqzBarControlAccessibilityHelper::ScreenRect(Integer) {
  TRect r;
  if (IsVisible()) GetWindowRect(BarControl()->GetHandle(), &r);
  return r;
}

Integer TCustomqzBarControlAccessibilityHelper::StateFlags(Integer) {
  return IsWindowShown(BarControl()) ? 0 : STATE_SYSTEM_INVISIBLE;
}

TqzBarManager* TCustomqzBarControlAccessibilityHelper::OwningBarManager() {
  return BarControl()->GetControlBarManager();
}

bool TCustomqzBarControlAccessibilityHelper::MayEnterChildren(Word) {
  auto* selected = dynamic_cast<TqzBarWinControl*>(BarControl()->GetSelectedControl());
  return !(selected && selected->GetInPlaceActive());
}

TqzBarAccessibilityHelper* TCustomqzBarControlAccessibilityHelper::LinkedBarHelper() { RaiseNotAnswered(); }

void TCustomqzBarControlAccessibilityHelper::ItemKeyTipPlacement(TqzBarItemControl* AControl, TPoint& AAnchor,
                                                                 Byte& AVertAlign, Byte& AHorzAlign) {
  TRect r = GetItemControlBounds(AControl);
  AAnchor = TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  AVertAlign = 2;
  AHorzAlign = 2;
}

TqzBarHelperRef TCustomqzBarControlAccessibilityHelper::ItemNeighbourInDirection(TqzBarItemControl* AControl,
                                                                                 Integer ADirection) {
  TqzBarAccessibilityHelper* item = AControl->GetAccessibilityHelper();
  std::vector<TqzBarAccessibilityHelper*> candidates;
  CollectNavigationTargets(item, candidates, true, ADirection, GetItemControlBounds(AControl));
  return BarHelperRef(FindNearestNavigationTarget(item, candidates, ADirection, false));
}

// A root bar window that the keyboard made active is left inactive again; an opened window keeps
// its place in the chain and only loses its selection.
void TCustomqzBarControlAccessibilityHelper::ItemSelectionLost() {
  TCustomqzBarControl* bar = BarControl();
  if (bar->GetActive() && !bar->GetOpenerBar())
    bar->ClearSelection();
  else
    bar->SetSelectedControl(nullptr);
}

TRect TCustomqzBarControlAccessibilityHelper::GetItemControlBounds(TqzBarItemControl* AControl) {
  return AControl->GetAccessibilityHelper()->ScreenRect(CHILDID_SELF);
}

// ---- Item controls -------------------------------------------------------------------------------------

TCustomqzBarControlAccessibilityHelper* TqzBarItemControlAccessibilityHelper::BarHelper() {
  return dynamic_cast<TCustomqzBarControlAccessibilityHelper*>(ParentNode());
}

HWND TqzBarItemControlAccessibilityHelper::OwnerWindow() {
  TCustomqzBarControl* bar = GetItemControl()->GetParent();
  return bar && bar->HandleAllocated() ? bar->GetHandle() : nullptr;
}

TkvAccessibilityHelper* TqzBarItemControlAccessibilityHelper::ParentNode() {
  TCustomqzBarControl* bar = GetItemControl()->GetParent();
  return bar ? bar->GetAccessibilityHelper() : nullptr;
}

TRect TqzBarItemControlAccessibilityHelper::ScreenRect(Integer) {
  if (!IsVisible()) return TRect();
  TRect r = GetItemControl()->GetItemRect();
  TCustomqzBarControl* bar = GetItemControl()->GetParent();
  TPoint origin = bar->ClientToScreen(TPoint(0, 0));
  OffsetRect(&r, origin.X, origin.Y);
  return r;
}

bool TqzBarItemControlAccessibilityHelper::IsSelectableTarget() { return IsVisible() && GetItemControl()->CanSelect(); }

Integer TqzBarItemControlAccessibilityHelper::StateFlags(Integer) {
  TCustomqzBarControl* bar = GetItemControl()->GetParent();
  TCustomqzBarControlAccessibilityHelper* parent = BarHelper();
  return IsWindowShown(bar) && !(parent && parent->HidesChildren()) ? 0 : STATE_SYSTEM_INVISIBLE;
}

TqzBarManager* TqzBarItemControlAccessibilityHelper::OwningBarManager() { return GetItemControl()->GetBarManager(); }

TqzBarHelperRef TqzBarItemControlAccessibilityHelper::NeighbourInDirection(Integer ADirection) {
  TCustomqzBarControlAccessibilityHelper* parent = BarHelper();
  return parent ? parent->ItemNeighbourInDirection(GetItemControl(), ADirection) : nullptr;
}

bool TqzBarItemControlAccessibilityHelper::ProcessNavKey(Word& AKey) {
  if (TqzBarAccessibilityHelper::ProcessNavKey(AKey)) return true;
  TCustomqzBarControlAccessibilityHelper* parent = BarHelper();
  return parent && parent->ProcessNavKey(AKey);
}

// A control hosting a window is pressed as it is selected, which activates that window, when the
// selection asks for the focus or the bar window keeps no selection without it.
void TqzBarItemControlAccessibilityHelper::BecomeSelected(bool ASetFocus) {
  TqzBarItemControl* control = GetItemControl();
  TCustomqzBarControl* bar = control->GetParent();
  if (!bar) return;
  bar->SelectControlFocused(control);
  if (control->HostsWindow() && (ASetFocus || !(bar->KindFlags() & qzKindCancelClearsSelection)))
    control->PressAt(mbLeft, TShiftState());
}

void TqzBarItemControlAccessibilityHelper::LoseSelection(const TqzBarHelperRef& ANextSelected) {
  TqzBarAccessibilityHelper::LoseSelection(ANextSelected);
  auto* next = ANextSelected ? dynamic_cast<TqzBarItemControlAccessibilityHelper*>(ANextSelected->BarHelperObject())
                             : nullptr;
  if (next && next->GetItemControl()->GetParent() == GetItemControl()->GetParent()) return;
  if (TCustomqzBarControlAccessibilityHelper* parent = BarHelper()) parent->ItemSelectionLost();
}

String TqzBarItemControlAccessibilityHelper::AssignedKeyTip() {
  TqzBarItem* item = GetItemControl()->GetItem();
  return item ? item->GetKeyTip() : String();
}

String TqzBarItemControlAccessibilityHelper::DefaultKeyTip() {
  TShortCut shortCut = GetItemControl()->ShortCutOf();
  if (shortCut >= 0x4041 && shortCut <= 0x405A) {
    String text = ShortCutToText(shortCut);
    return text.substr(text.size() - 1);
  }
  TqzBarItem* item = GetItemControl()->GetItem();
  String caption = item ? item->GetCaption() : String();
  if (Integer index = AccelCharIndex(caption, false); index > 0) return AnsiUpperCase(caption.substr(index - 1, 1));
  return "Y";
}

void TqzBarItemControlAccessibilityHelper::FillKeyTipInfo(TqzBarKeyTipInfo& AInfo) {
  TqzBarAccessibilityHelper::FillKeyTipInfo(AInfo);
  if (AInfo.Visible) {
    if (TCustomqzBarControlAccessibilityHelper* parent = BarHelper())
      parent->ItemKeyTipPlacement(GetItemControl(), AInfo.Anchor, AInfo.VertAlign, AInfo.HorzAlign);
  } else {
    AInfo.Action = MakeEvent<&TqzBarItemControlAccessibilityHelper::ForwardedKeyTipExecute>(this);
  }
  AInfo.Enabled = GetItemControl()->IsEnabled();
}

void TqzBarItemControlAccessibilityHelper::ForwardedKeyTipExecute() {
  TCustomqzBarControlAccessibilityHelper* parent = BarHelper();
  if (!ExecutesThroughLinkedBar() || !parent) {
    KeyTipExecute();
    return;
  }
  auto* linked = dynamic_cast<TCustomqzBarControlAccessibilityHelper*>(parent->LinkedBarHelper());
  if (!linked) return;
  TCustomqzBarControlViewInfo* layout = linked->BarControl()->GetLayoutInfo();
  Integer index = parent->BarControl()->GetLayoutInfo()->IndexOfItemControl(GetItemControl());
  if (index >= 0 && index < layout->GetItemViewInfoCount())
    layout->GetItemViewInfoAt(index)->GetControl()->GetAccessibilityHelper()->KeyTipExecute();
}

// ---- Button-like controls ------------------------------------------------------------------------------

void TqzBarButtonLikeControlAccessibilityHelper::KeyTipExecute() {
  if (!HasDropDown()) {
    ClickByKeyTip();
    return;
  }
  TqzBarNavigationController* controller = NavigationControllerInstance();
  controller->MoveSelection(true, BarHelperRef(this));
  if (!DropDownByKey()) return;
  // The opened menu's key tips replace this level's.
  controller->SetKeyTipContainer(nullptr, String());
  if (TCustomqzBarControl* menu = ActiveBarControl())
    controller->SetKeyTipContainer(BarHelperRef(menu->GetAccessibilityHelper()), String());
}

void TqzBarButtonLikeControlAccessibilityHelper::ClickByKeyTip() {
  NavigationControllerInstance()->EndKeyboardNavigation();
  TqzBarItemControl* control = GetItemControl();
  // A button clicked by its key tip stays as the click left it; the setting comes back after,
  // also when the click fails, unless the click freed the button.
  struct TUnclickScope {
    TWeakRef<TqzBarButton> Button;
    bool Saved = false;
    ~TUnclickScope() {
      if (Button) Button->SetUnclickAfterDoing(Saved);
    }
  } scope{dynamic_cast<TqzBarButton*>(control->GetItem())};
  if (scope.Button) {
    scope.Saved = scope.Button->GetUnclickAfterDoing();
    scope.Button->SetUnclickAfterDoing(false);
  }
  control->DoClick();
}

// ---- Dock sites --------------------------------------------------------------------------------------

TkvAccessibilityHelper* TqzDockControlAccessibilityHelper::ChildAt(Integer AIndex) {
  TqzDockControl* site = DockControl();
  for (Integer r = 0; r < site->GetRowCount(); ++r) {
    TqzDockRow* row = site->GetRow(r);
    if (AIndex < row->GetColCount()) return row->GetCol(AIndex)->GetBarControl()->GetAccessibilityHelper();
    AIndex -= row->GetColCount();
  }
  return nullptr;
}

Integer TqzDockControlAccessibilityHelper::ChildTotal() {
  TqzDockControl* site = DockControl();
  Integer total = 0;
  for (Integer r = 0; r < site->GetRowCount(); ++r) total += site->GetRow(r)->GetColCount();
  return total;
}

Integer TqzDockControlAccessibilityHelper::IndexOfChild(TkvAccessibilityHelper* AChild) {
  TqzDockControl* site = DockControl();
  Integer index = 0;
  for (Integer r = 0; r < site->GetRowCount(); ++r) {
    TqzDockRow* row = site->GetRow(r);
    for (Integer c = 0; c < row->GetColCount(); ++c, ++index)
      if (AChild && AChild->GetOwnerObject() == row->GetCol(c)->GetBarControl()) return index;
  }
  return -1;
}

HWND TqzDockControlAccessibilityHelper::OwnerWindow() {
  return DockControl()->HandleAllocated() ? DockControl()->GetHandle() : nullptr;
}

TRect TqzDockControlAccessibilityHelper::ScreenRect(Integer) {
  TRect r;
  if (IsVisible()) GetWindowRect(DockControl()->GetHandle(), &r);
  return r;
}

Integer TqzDockControlAccessibilityHelper::StateFlags(Integer) {
  return IsWindowShown(DockControl()) ? 0 : STATE_SYSTEM_INVISIBLE;
}

TqzBarManager* TqzDockControlAccessibilityHelper::OwningBarManager() { return DockControl()->GetBarManager(); }

// ---- Toolbar windows -----------------------------------------------------------------------------------

TkvAccessibilityHelper* TqzBarControlAccessibilityHelper::ParentNode() {
  TqzBarControl* bar = ToolbarControl();
  TqzDockControl* site = bar->IsFloating() ? nullptr : bar->GetDockControl();
  return site ? site->GetAccessibilityHelper() : nullptr;
}

TqzBarManager* TqzBarControlAccessibilityHelper::OwningBarManager() { return ToolbarControl()->GetControlBarManager(); }

bool TqzBarControlAccessibilityHelper::ProcessNavKey(Word& AKey) {
  if (TCustomqzBarControlAccessibilityHelper::ProcessNavKey(AKey)) return true;
  if (ToolbarControl()->IsVertical()) {
    switch (AKey) {
      case VK_LEFT: AKey = VK_UP; break;
      case VK_UP: AKey = VK_LEFT; break;
      case VK_RIGHT: AKey = VK_DOWN; break;
      case VK_DOWN: AKey = VK_RIGHT; break;
    }
  }
  return ToolbarControl()->ForwardKeyToSelected(AKey);
}

void TqzBarControlAccessibilityHelper::BecomeSelected(bool) { ToolbarControl()->SelectControlFocused(nullptr); }

void TqzBarControlAccessibilityHelper::LoseSelection(const TqzBarHelperRef& ANextSelected) {
  TCustomqzBarControlAccessibilityHelper::LoseSelection(ANextSelected);
  ToolbarControl()->CloseOnce();
}

TqzBarHelperRef TqzBarControlAccessibilityHelper::ItemNeighbourInDirection(TqzBarItemControl* AControl,
                                                                          Integer ADirection) {
  Integer mapped = ADirection;
  if (ToolbarControl()->IsVertical()) {
    switch (ADirection) {
      case kvNavigateLeft: mapped = kvNavigateUp; break;
      case kvNavigateUp: mapped = kvNavigateLeft; break;
      case kvNavigateRight: mapped = kvNavigateDown; break;
      case kvNavigateDown: mapped = kvNavigateRight; break;
    }
  }
  if (mapped == kvNavigateUp || mapped == kvNavigateDown)
    return TCustomqzBarControlAccessibilityHelper::ItemNeighbourInDirection(AControl, ADirection);
  TqzBarItemLinks* links = ToolbarControl()->GetItemLinks();
  TqzBarItemLink* link = mapped == kvNavigateLeft ? links->PrevSelectableLink(AControl->GetLink(), false)
                                                  : links->NextSelectableLink(AControl->GetLink(), false);
  TqzBarItemControl* control = link ? link->GetControl() : nullptr;
  return control ? BarHelperRef(control->GetAccessibilityHelper()) : nullptr;
}

TkvAccessibilityHelper* TqzBarControlAccessibilityHelper::ChildAt(Integer AIndex) {
  if (AIndex == TCustomqzBarControlAccessibilityHelper::ChildTotal())
    return ToolbarControl()->GetCaptionButtons()->GetAccessibilityHelper();
  return TCustomqzBarControlAccessibilityHelper::ChildAt(AIndex);
}

Integer TqzBarControlAccessibilityHelper::ChildTotal() { return TCustomqzBarControlAccessibilityHelper::ChildTotal() + 1; }

Integer TqzBarControlAccessibilityHelper::IndexOfChild(TkvAccessibilityHelper* AChild) {
  if (AChild && AChild->GetOwnerObject() == ToolbarControl()->GetCaptionButtons())
    return TCustomqzBarControlAccessibilityHelper::ChildTotal();
  return TCustomqzBarControlAccessibilityHelper::IndexOfChild(AChild);
}

void TqzBarControlAccessibilityHelper::CaptionButtonKeyTipPlacement(TqzBarCaptionButton*, Integer&, Byte&) {
  RaiseNotAnswered();
}

// ---- Menu windows ----------------------------------------------------------------------------------------

TqzBarManager* TqzBarSubMenuControlAccessibilityHelper::OwningBarManager() {
  TqzBarItemLinks* links = SubMenuControl()->GetItemLinks();
  return links ? links->GetBarManager() : SubMenuControl()->GetControlBarManager();
}

bool TqzBarSubMenuControlAccessibilityHelper::ProcessNavKey(Word& AKey) {
  if (TCustomqzBarControlAccessibilityHelper::ProcessNavKey(AKey)) return true;
  TqzBarSubMenuControl* menu = SubMenuControl();
  menu->FinishAnimation();
  if (Integer expanding = menu->ExpandingKey(AKey)) {
    menu->ChangeMarkState(2);
    // Past the last shown link the selection walks on into the links just shown.
    if (expanding == 2) {
      Word down = VK_DOWN;
      ProcessNavKey(down);
    }
    return true;
  }
  bool byTab = AKey == VK_TAB;
  if (byTab) AKey = KeyboardStateToShiftState() * TShiftState{ssShift, ssCtrl, ssAlt} != TShiftState() ? VK_UP : VK_DOWN;
  TkvObjectLink* self = LinkToObject(menu);
  bool taken = menu->ForwardKeyToSelected(AKey);
  bool alive = self->Ref != nullptr;
  ReleaseObjectLink(self);
  if (taken || !alive) return true;
  if (AKey == VK_LEFT || AKey == VK_RIGHT)
    HorizontalNavigate(AKey == VK_LEFT);
  else if (AKey == VK_UP || AKey == VK_DOWN)
    VerticalNavigate(AKey == VK_UP, byTab);
  return true;
}

void TqzBarSubMenuControlAccessibilityHelper::ItemSelectionLost() { SubMenuControl()->SetSelectedControl(nullptr); }

void TqzBarSubMenuControlAccessibilityHelper::ItemKeyTipPlacement(TqzBarItemControl* AControl, TPoint& AAnchor,
                                                                 Byte& AVertAlign, Byte& AHorzAlign) {
  TqzBarSubMenuControl* menu = SubMenuControl();
  TRect band;
  menu->GetSideBandRect(band);
  TRect item = GetItemControlBounds(AControl);
  AAnchor = TPoint(menu->ClientToScreen(TPoint(0, 0)).X + band.Right + menu->GetTextStart() / 2,
                   (item.Top + item.Bottom) / 2);
  AVertAlign = 1;
  AHorzAlign = 1;
}

TqzBarAccessibilityHelper* TqzBarSubMenuControlAccessibilityHelper::KeyTipParent() {
  TCustomqzBarControl* opener = SubMenuControl()->GetOpenerBar();
  TqzBarItemControl* entry = opener ? opener->GetSelectedControl() : nullptr;
  return entry ? entry->GetAccessibilityHelper() : nullptr;
}

void TqzBarSubMenuControlAccessibilityHelper::LeaveKeyTipLevel() {
  // Closing the menu frees this node's owner: the node and the level to return to are held.
  TqzBarHelperRef self = BarHelperRef(this);
  TqzBarAccessibilityHelper* parent = KeyTipParent();
  TqzBarAccessibilityHelper* above = parent ? KeyTipLevelAbove(parent) : nullptr;
  TqzBarHelperRef container = BarHelperRef(above ? above : parent);
  TqzBarSubMenuControl* menu = SubMenuControl();
  if (menu->HandleAllocated()) SendMessage(menu->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
  if (container && !container->BarHelperObject()->IsOwnerAlive()) container = nullptr;
  NavigationControllerInstance()->SetKeyTipContainer(container, String());
}

TqzBarItemLink* TqzBarSubMenuControlAccessibilityHelper::NextLink(TqzBarItemLink* ALink, bool AForward) {
  TqzBarItemLinks* links = SubMenuControl()->GetItemLinks();
  if (!links) return nullptr;
  if (ALink) return AForward ? links->NextSelectableLink(ALink, false) : links->PrevSelectableLink(ALink, false);
  return links->GetVisibleLinkCount() > 0 ? links->FirstSelectableLink() : nullptr;
}

namespace {

// The toolbar at the root of the menu chain the window belongs to; nil for a free popup.
TqzBarControl* RootToolbarOf(TCustomqzBarControl* ABar) {
  while (ABar && !dynamic_cast<TqzBarControl*>(ABar)) ABar = ABar->GetOpenerBar();
  return static_cast<TqzBarControl*>(ABar);
}

// The root toolbar's controller step with its own node and its selected item's.
void NavigateRoot(TqzBarControl* ARoot, Word AKey) {
  TqzBarItemControl* selected = ARoot->GetSelectedControl();
  NavigationControllerInstance()->HandleKey(AKey, BarHelperRef(ARoot->GetAccessibilityHelper()),
                                            selected ? BarHelperRef(selected->GetAccessibilityHelper()) : nullptr);
}

}  // namespace

void TqzBarSubMenuControlAccessibilityHelper::HorizontalNavigate(bool ALeft) {
  TqzBarSubMenuControl* menu = SubMenuControl();
  if (TqzBarItemControl* selected = menu->GetSelectedControl()) {
    TqzBarHelperRef next = selected->GetAccessibilityHelper()->NeighbourInDirection(ALeft ? kvNavigateLeft : kvNavigateRight);
    auto* nextItem = next ? dynamic_cast<TqzBarItemControlAccessibilityHelper*>(next->BarHelperObject()) : nullptr;
    if (nextItem && nextItem->GetItemControl()->GetParent() != menu) {
      TqzBarHelperRef old = BarHelperRef(selected->GetAccessibilityHelper());
      old->LoseSelection(next);
      next->BecomeSelected(false);
      return;
    }
  }
  TqzBarControl* root = RootToolbarOf(menu);
  if (!ALeft) {
    if (root && !(root->KindFlags() & qzKindNavigationBar)) NavigateRoot(root, VK_RIGHT);
    return;
  }
  TCustomqzBarControl* parent = menu->GetOpenerBar();
  if (!parent || !parent->GetSelectedControl()) return;
  if (dynamic_cast<TqzBarSubMenuControl*>(parent)) {
    // Back to the entry that opened this menu, which closes it.
    parent->GetSelectedControl()->Deactivate(true);
    return;
  }
  if (!root) return;
  if (root->IsVertical())
    SendMessage(menu->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
  else if (!(root->KindFlags() & qzKindNavigationBar))
    NavigateRoot(root, VK_LEFT);
}

void TqzBarSubMenuControlAccessibilityHelper::VerticalNavigate(bool AUp, bool AByTab) {
  TqzBarSubMenuControl* menu = SubMenuControl();
  TqzBarItemControl* selected = menu->GetSelectedControl();
  TqzBarItemLink* link = NextLink(selected ? selected->GetLink() : nullptr, !AUp);
  TqzBarItemControl* control = link ? link->GetControl() : nullptr;
  if (!control) return;
  TqzBarHelperRef next = BarHelperRef(control->GetAccessibilityHelper());
  if (selected) selected->GetAccessibilityHelper()->LoseSelection(next);
  next->BecomeSelected(AByTab);
}

// ---- Sub-item controls -----------------------------------------------------------------------------------

bool TqzBarButtonControlAccessibilityHelper::HasDropDown() { return GetItemControl()->HasDropDown(); }

bool TqzBarButtonControlAccessibilityHelper::DropDownByKey() {
  auto* control = static_cast<TqzBarButtonControl*>(GetItemControl());
  control->DropDownMenu(false);
  return control->IsDroppedDown();
}

bool TqzBarSubItemControlAccessibilityHelper::DropDownByKey() {
  auto* control = static_cast<TqzBarSubItemControl*>(GetItemControl());
  control->ActivateByKey(true);
  return control->IsDroppedDown();
}

// ---- Toolbar marks -----------------------------------------------------------------------------------

HWND TqzBarControlMarkAccessibilityHelper::OwnerWindow() { return ParentNode()->OwnerWindow(); }

TkvAccessibilityHelper* TqzBarControlMarkAccessibilityHelper::ParentNode() {
  return ToolbarControl()->GetAccessibilityHelper();
}

TRect TqzBarControlMarkAccessibilityHelper::ScreenRect(Integer) {
  TRect r;
  if (IsVisible()) ToolbarControl()->MarkScreenRect(r);
  return r;
}

Integer TqzBarControlMarkAccessibilityHelper::StateFlags(Integer) {
  Integer state = ParentNode()->StateFlags(CHILDID_SELF);
  TqzBarControl* bar = ToolbarControl();
  TRect mark;
  bar->MarkRect(mark);
  if (!bar->ShowsMark() || IsRectEmpty(&mark)) state |= STATE_SYSTEM_INVISIBLE;
  return state;
}

TqzBarManager* TqzBarControlMarkAccessibilityHelper::OwningBarManager() {
  return ToolbarControl()->GetControlBarManager();
}

bool TqzBarControlMarkAccessibilityHelper::ProcessNavKey(Word& AKey) {
  if (TqzBarAccessibilityHelper::ProcessNavKey(AKey)) return true;
  if (AKey != VK_RETURN && AKey != VK_SPACE) return false;
  LoseSelection(nullptr);
  ToolbarControl()->ChangeMarkState(2);
  return true;
}

bool TqzBarControlMarkAccessibilityHelper::AcceptsKey(Word AKey) {
  return TqzBarAccessibilityHelper::AcceptsKey(AKey) || AKey == VK_RETURN || AKey == VK_ESCAPE || AKey == VK_SPACE;
}

void TqzBarControlMarkAccessibilityHelper::BecomeSelected(bool ASetFocus) {
  TqzBarAccessibilityHelper::BecomeSelected(ASetFocus);
  ToolbarControl()->RepaintMark();
}

void TqzBarControlMarkAccessibilityHelper::LoseSelection(const TqzBarHelperRef& ANextSelected) {
  TqzBarAccessibilityHelper::LoseSelection(ANextSelected);
  ToolbarControl()->RepaintMark();
}

void TqzBarControlMarkAccessibilityHelper::ReselectMark(bool AAfterDropDown) {
  if (AAfterDropDown && NavigationControllerInstance()->InNavigationMode()) BecomeSelected(false);
}

// ---- In-place window controls ------------------------------------------------------------------------

// The selection with focus presses the control, which activates its window for typing.
void TqzBarWinControlAccessibilityHelper::KeyTipExecute() {
  TqzBarNavigationController* controller = NavigationControllerInstance();
  controller->EndKeyboardNavigation();
  controller->MoveSelection(true, BarHelperRef(this));
}

// ---- Caption buttons ---------------------------------------------------------------------------------

namespace {

TqzBarControl* CaptionButtonsWindow(TqzBarCaptionButtons* AButtons) { return AButtons->GetBar()->GetBarControl(); }

// Window coordinates moved to the screen.
TRect WindowToScreen(TqzBarControl* AWindow, TRect R) {
  RECT window;
  ::GetWindowRect(AWindow->GetHandle(), &window);
  OffsetRect(&R, window.Left, window.Top);
  return R;
}

}  // namespace

TkvAccessibilityHelper* TqzBarCaptionButtonsAccessibilityHelper::ChildAt(Integer AIndex) {
  return Buttons()->GetButton(Buttons()->GetCount() - AIndex - 1)->GetAccessibilityHelper();
}

Integer TqzBarCaptionButtonsAccessibilityHelper::ChildTotal() { return Buttons()->GetCount(); }

Integer TqzBarCaptionButtonsAccessibilityHelper::IndexOfChild(TkvAccessibilityHelper* AChild) {
  TqzBarCaptionButtons* buttons = Buttons();
  for (Integer i = 0; i < buttons->GetCount(); ++i)
    if (AChild && AChild->GetOwnerObject() == buttons->GetButton(i)) return buttons->GetCount() - i - 1;
  return -1;
}

HWND TqzBarCaptionButtonsAccessibilityHelper::OwnerWindow() {
  TkvAccessibilityHelper* parent = ParentNode();
  return parent ? parent->OwnerWindow() : nullptr;
}

// Nil while the bar has no window.
TkvAccessibilityHelper* TqzBarCaptionButtonsAccessibilityHelper::ParentNode() {
  TqzBarControl* window = CaptionButtonsWindow(Buttons());
  return window ? window->GetAccessibilityHelper() : nullptr;
}

TRect TqzBarCaptionButtonsAccessibilityHelper::ScreenRect(Integer) {
  if (!IsVisible()) return TRect();
  return WindowToScreen(CaptionButtonsWindow(Buttons()), Buttons()->GetBoundsRect());
}

Integer TqzBarCaptionButtonsAccessibilityHelper::StateFlags(Integer) {
  if (!ParentNode()) return STATE_SYSTEM_INVISIBLE;
  Integer state = ParentNode()->StateFlags(CHILDID_SELF);
  if (state & STATE_SYSTEM_INVISIBLE) return state;
  TRect bounds = Buttons()->GetBoundsRect();
  auto* parent = dynamic_cast<TCustomqzBarControlAccessibilityHelper*>(ParentNode());
  if (IsRectEmpty(&bounds) || (parent && parent->HidesChildren())) state |= STATE_SYSTEM_INVISIBLE;
  return state;
}

TqzBarManager* TqzBarCaptionButtonsAccessibilityHelper::OwningBarManager() { return Buttons()->GetBar()->GetBarManager(); }

void TqzBarCaptionButtonsAccessibilityHelper::LoseSelection(const TqzBarHelperRef& ANextSelected) {
  TqzBarAccessibilityHelper::LoseSelection(ANextSelected);
  UpdateButtonStates();
}

void TqzBarCaptionButtonsAccessibilityHelper::UpdateButtonStates() {
  TqzBarControl* window = CaptionButtonsWindow(Buttons());
  if (!window || !window->HandleAllocated()) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  RECT r;
  ::GetWindowRect(window->GetHandle(), &r);
  Buttons()->UpdateStatesAtPoint(TPoint(cursor.X - r.Left, cursor.Y - r.Top), false);
}

TqzBarCaptionButtonsAccessibilityHelper* TqzBarCaptionButtonAccessibilityHelper::GroupHelper() {
  return static_cast<TqzBarCaptionButtonsAccessibilityHelper*>(Button()->GetButtons()->GetAccessibilityHelper());
}

HWND TqzBarCaptionButtonAccessibilityHelper::OwnerWindow() { return ParentNode()->OwnerWindow(); }

TkvAccessibilityHelper* TqzBarCaptionButtonAccessibilityHelper::ParentNode() {
  return Button()->GetButtons()->GetAccessibilityHelper();
}

TRect TqzBarCaptionButtonAccessibilityHelper::ScreenRect(Integer) {
  if (!IsVisible()) return TRect();
  return WindowToScreen(CaptionButtonsWindow(Button()->GetButtons()), Button()->GetBounds());
}

Integer TqzBarCaptionButtonAccessibilityHelper::StateFlags(Integer) {
  Integer state = ParentNode()->StateFlags(CHILDID_SELF);
  if (IsRectEmpty(&Button()->GetBounds())) state |= STATE_SYSTEM_INVISIBLE;
  return state;
}

TqzBarManager* TqzBarCaptionButtonAccessibilityHelper::OwningBarManager() { return GroupHelper()->OwningBarManager(); }

bool TqzBarCaptionButtonAccessibilityHelper::ProcessNavKey(Word& AKey) {
  if (TqzBarAccessibilityHelper::ProcessNavKey(AKey)) return true;
  if (AKey == VK_RETURN || AKey == VK_SPACE) {
    LoseSelection(nullptr);
    Click();
    return true;
  }
  if (AKey == VK_ESCAPE) {
    LoseSelection(nullptr);
    CaptionButtonsWindow(Button()->GetButtons())->CloseOnEscape();
    return true;
  }
  return false;
}

bool TqzBarCaptionButtonAccessibilityHelper::AcceptsKey(Word AKey) {
  return TqzBarAccessibilityHelper::AcceptsKey(AKey) || AKey == VK_RETURN || AKey == VK_ESCAPE || AKey == VK_SPACE;
}

void TqzBarCaptionButtonAccessibilityHelper::BecomeSelected(bool ASetFocus) {
  TqzBarAccessibilityHelper::BecomeSelected(ASetFocus);
  GroupHelper()->UpdateButtonStates();
}

void TqzBarCaptionButtonAccessibilityHelper::LoseSelection(const TqzBarHelperRef& ANextSelected) {
  TqzBarAccessibilityHelper::LoseSelection(ANextSelected);
  GroupHelper()->UpdateButtonStates();
}

String TqzBarCaptionButtonAccessibilityHelper::AssignedKeyTip() { return Button()->GetKeyTip(); }

void TqzBarCaptionButtonAccessibilityHelper::FillKeyTipInfo(TqzBarKeyTipInfo& AInfo) {
  TqzBarAccessibilityHelper::FillKeyTipInfo(AInfo);
  if (AInfo.Visible) {
    TRect r = ScreenRect(CHILDID_SELF);
    AInfo.Anchor.X = (r.Left + r.Right) / 2;
    AInfo.HorzAlign = 2;
    if (auto* toolbar = dynamic_cast<TqzBarControlAccessibilityHelper*>(GroupHelper()->ParentNode()))
      toolbar->CaptionButtonKeyTipPlacement(Button(), AInfo.Anchor.Y, AInfo.VertAlign);
  }
  AInfo.Enabled = Button()->GetEnabled();
}

void TqzBarCaptionButtonAccessibilityHelper::KeyTipExecute() {
  NavigationControllerInstance()->EndKeyboardNavigation();
  Click();
}

void TqzBarCaptionButtonAccessibilityHelper::Click() {
  TqzBarCaptionButtons* buttons = Button()->GetButtons();
  CaptionButtonsWindow(buttons)->ClickCaptionButton(Button()->GetIndex());
}
