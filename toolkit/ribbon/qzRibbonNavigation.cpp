// The ribbon's navigation nodes and key tips.

#include "toolkit/ribbon/qzRibbonNavigation.h"

#include "rtl/SysUtils.h"
#include "toolkit/editors/kvContainer.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonGroupBar.h"
#include "toolkit/ribbon/qzRibbonGroupsDock.h"
#include "toolkit/ribbon/qzRibbonKeyTipWindows.h"
#include "toolkit/ribbon/qzRibbonMenus.h"
#include "toolkit/ribbon/qzRibbonQuickAccess.h"
#include "toolkit/ribbon/qzRibbonQuickAccessGroupButton.h"
#include "toolkit/ribbon/qzRibbonQuickAccessPopup.h"
#include "user/Messages.h"
#include "user/Rects.h"
#include "user/WindowPos.h"
#include "user/WindowTree.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL(TqzRibbonAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzRibbonTabCollectionAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzRibbonTabAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzRibbonApplicationButtonAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzRibbonGroupsDockControlAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzRibbonGroupBarControlAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzRibbonQuickAccessBarControlAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzRibbonQuickAccessBarControlMarkAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzRibbonQuickAccessGroupButtonControlAccessibilityHelper)

namespace {

bool IsShownWindow(TWinControl* AControl) {
  return AControl && AControl->HandleAllocated() && IsWindowVisible(AControl->GetHandle());
}

// A rectangle of the ribbon's client area on the screen.
TRect RibbonToScreen(TqzCustomRibbon* ARibbon, const TRect& R) {
  const TPoint origin = ARibbon->ClientToScreen(TPoint(0, 0));
  return TRect(R.Left + origin.X, R.Top + origin.Y, R.Right + origin.X, R.Bottom + origin.Y);
}

TqzRibbonQuickAccessBarControl* QuickAccessWindow(TqzCustomRibbon* ARibbon) {
  TqzBar* toolbar = ARibbon->GetQuickAccessToolbar()->GetToolbar();
  return toolbar ? dynamic_cast<TqzRibbonQuickAccessBarControl*>(toolbar->GetBarControl()) : nullptr;
}

TqzBarAccessibilityHelper* QuickAccessNode(TqzCustomRibbon* ARibbon) {
  TqzRibbonQuickAccessBarControl* window = QuickAccessWindow(ARibbon);
  return window ? window->GetAccessibilityHelper() : nullptr;
}

// An enabled key tip centred horizontally on R and anchored at its middle, with the vertical
// placement code.
void AnchorAtCentre(TqzBarKeyTipInfo& AInfo, const TRect& R, Byte AVertAlign) {
  AInfo.Anchor = TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
  AInfo.HorzAlign = 2;
  AInfo.VertAlign = AVertAlign;
  AInfo.Enabled = true;
}

// The selectable node below AScope nearest to AFrom in the direction; nil for none or no scope.
// With ARequireOverlap only nodes that share AFrom's row (or column) count.
TqzBarAccessibilityHelper* NearestIn(TqzBarAccessibilityHelper* AScope, TqzBarAccessibilityHelper* AFrom,
                                     Integer ADirection, bool ARequireOverlap) {
  if (!AScope) return nullptr;
  std::vector<TqzBarAccessibilityHelper*> candidates;
  AScope->CollectNavigationTargets(AFrom, candidates, ARequireOverlap, ADirection, AFrom->ScreenRect(CHILDID_SELF));
  return FindNearestNavigationTarget(AFrom, candidates, ADirection, false);
}

TqzBarAccessibilityHelper* ActiveTabNode(TqzCustomRibbon* ARibbon) {
  TqzRibbonTab* tab = ARibbon ? ARibbon->GetActiveTab() : nullptr;
  return tab ? tab->GetAccessibilityHelper() : nullptr;
}

// The tab at the index of the tab row when the keyboard can select it.
TqzBarAccessibilityHelper* SelectableTab(TqzCustomRibbon* ARibbon, Integer AIndex) {
  TqzBarAccessibilityHelper* node = ARibbon->GetTabRowAccessibilityHelper()->ChildByIndex(AIndex);
  return node && node->IsSelectableTarget() ? node : nullptr;
}

// The first (or last) tab the keyboard can select.
TqzBarAccessibilityHelper* EndTab(TqzCustomRibbon* ARibbon, bool AFirst) {
  const Integer count = ARibbon->GetTabs()->GetCount();
  for (Integer k = 0; k < count; ++k)
    if (TqzBarAccessibilityHelper* node = SelectableTab(ARibbon, AFirst ? k : count - 1 - k)) return node;
  return nullptr;
}

}  // namespace

// ---- Ribbon ----------------------------------------------------------------------------------

TqzCustomRibbon* TqzRibbonAccessibilityHelper::Ribbon() const {
  return static_cast<TqzCustomRibbon*>(GetOwnerObject());
}

TkvAccessibilityHelper* TqzRibbonAccessibilityHelper::ChildAt(Integer AIndex) {
  switch (AIndex) {
    case 0: return Ribbon()->GetApplicationButtonAccessibilityHelper();
    case 1: return Ribbon()->GetTabRowAccessibilityHelper();
    case 2: return QuickAccessNode(Ribbon());
    default: return nullptr;
  }
}

Integer TqzRibbonAccessibilityHelper::ChildTotal() { return QuickAccessNode(Ribbon()) ? 3 : 2; }

Integer TqzRibbonAccessibilityHelper::IndexOfChild(TkvAccessibilityHelper* AChild) {
  for (Integer i = 0; i < ChildTotal(); ++i)
    if (AChild && ChildAt(i) == AChild) return i;
  return -1;
}

TqzBarAccessibilityHelper* TqzRibbonAccessibilityHelper::NavChildAt(Integer AIndex) {
  switch (AIndex) {
    case 0: return Ribbon()->GetTabRowAccessibilityHelper();
    case 1: return Ribbon()->GetApplicationButtonAccessibilityHelper();
    case 2: return QuickAccessNode(Ribbon());
    default: return nullptr;
  }
}

Integer TqzRibbonAccessibilityHelper::NavChildTotal() { return ChildTotal(); }

Integer TqzRibbonAccessibilityHelper::NavIndexOfChild(TqzBarAccessibilityHelper* AChild) {
  for (Integer i = 0; i < NavChildTotal(); ++i)
    if (AChild && NavChildAt(i) == AChild) return i;
  return -1;
}

HWND TqzRibbonAccessibilityHelper::OwnerWindow() {
  return Ribbon()->HandleAllocated() ? Ribbon()->GetHandle() : nullptr;
}

TRect TqzRibbonAccessibilityHelper::ScreenRect(Integer) {
  TRect r;
  if (IsShownWindow(Ribbon())) GetWindowRect(Ribbon()->GetHandle(), &r);
  return r;
}

Integer TqzRibbonAccessibilityHelper::StateFlags(Integer) {
  return IsShownWindow(Ribbon()) ? 0 : STATE_SYSTEM_INVISIBLE;
}

TqzBarManager* TqzRibbonAccessibilityHelper::OwningBarManager() { return Ribbon()->GetBarManager(); }

bool TqzRibbonAccessibilityHelper::KeyTipsAvailable(TInterfacePtr<IqzBarKeyTipWindowsManager>& AWindowsManager) {
  if (!FKeyTipWindows) FKeyTipWindows = TInterfacePtr<IqzBarKeyTipWindowsManager>(new TqzRibbonKeyTipWindows(Ribbon()));
  AWindowsManager = FKeyTipWindows;
  return true;
}

TqzBarHelperRef TqzRibbonAccessibilityHelper::DefaultNavigationObject() {
  TqzCustomRibbon* ribbon = Ribbon();
  if (ribbon->AreTabGroupsShown()) {
    TqzBarAccessibilityHelper* row = ribbon->GetTabRowAccessibilityHelper();
    if (TqzBarAccessibilityHelper* first = row->NavChildAt(0)) return BarHelperRef(first->FirstSelectableDescendant());
  }
  TqzBarAccessibilityHelper* button = ribbon->GetApplicationButtonAccessibilityHelper();
  return button->IsSelectableTarget() ? BarHelperRef(button) : nullptr;
}

void TqzRibbonAccessibilityHelper::CollectChildKeyTipData(TqzBarKeyTipList& AList) {
  TqzCustomRibbon* ribbon = Ribbon();
  TqzRibbonTab* tab = ribbon->GetActiveTab();
  if (IsVisible() && !ribbon->GetViewInfo()->AreTabHeadersShown(false) && ribbon->AreTabGroupsShown() && tab)
    tab->GetAccessibilityHelper()->CollectChildKeyTipData(AList);
  TqzBarAccessibilityHelper::CollectChildKeyTipData(AList);
}

// ---- Tab row ---------------------------------------------------------------------------------

TqzCustomRibbon* TqzRibbonTabCollectionAccessibilityHelper::Ribbon() const {
  return static_cast<TqzCustomRibbon*>(GetOwnerObject());
}

TkvAccessibilityHelper* TqzRibbonTabCollectionAccessibilityHelper::ChildAt(Integer AIndex) {
  TqzRibbonTabCollection* tabs = Ribbon()->GetTabs();
  return AIndex >= 0 && AIndex < tabs->GetCount() ? tabs->GetTab(AIndex)->GetAccessibilityHelper() : nullptr;
}

Integer TqzRibbonTabCollectionAccessibilityHelper::ChildTotal() { return Ribbon()->GetTabs()->GetCount(); }

Integer TqzRibbonTabCollectionAccessibilityHelper::IndexOfChild(TkvAccessibilityHelper* AChild) {
  auto* node = dynamic_cast<TqzRibbonTabAccessibilityHelper*>(AChild);
  return node ? node->Tab()->PositionInCollection() : -1;
}

TqzBarAccessibilityHelper* TqzRibbonTabCollectionAccessibilityHelper::NavChildAt(Integer AIndex) {
  if (AIndex != 0) return nullptr;
  TqzCustomRibbon* ribbon = Ribbon();
  if (ribbon->AreTabGroupsShown() && ribbon->GetActiveTab()) return ribbon->GetActiveTab()->GetAccessibilityHelper();
  for (Integer i = 0; i < ChildTotal(); ++i)
    if (TqzBarAccessibilityHelper* found = ChildByIndex(i)->FirstSelectableDescendant()) return found;
  return nullptr;
}

Integer TqzRibbonTabCollectionAccessibilityHelper::NavChildTotal() { return NavChildAt(0) ? 1 : 0; }

Integer TqzRibbonTabCollectionAccessibilityHelper::NavIndexOfChild(TqzBarAccessibilityHelper* AChild) {
  return AChild && AChild == NavChildAt(0) ? 0 : -1;
}

TkvAccessibilityHelper* TqzRibbonTabCollectionAccessibilityHelper::ParentNode() {
  return Ribbon()->GetAccessibilityHelper();
}

HWND TqzRibbonTabCollectionAccessibilityHelper::OwnerWindow() {
  return Ribbon()->HandleAllocated() ? Ribbon()->GetHandle() : nullptr;
}

TRect TqzRibbonTabCollectionAccessibilityHelper::ScreenRect(Integer) {
  return RibbonToScreen(Ribbon(), Ribbon()->GetViewInfo()->GetTabsViewInfo()->GetBounds());
}

Integer TqzRibbonTabCollectionAccessibilityHelper::StateFlags(Integer) {
  return Ribbon()->GetViewInfo()->AreTabHeadersShown(false) ? 0 : STATE_SYSTEM_INVISIBLE;
}

TqzBarManager* TqzRibbonTabCollectionAccessibilityHelper::OwningBarManager() { return Ribbon()->GetBarManager(); }

void TqzRibbonTabCollectionAccessibilityHelper::CollectChildKeyTipData(TqzBarKeyTipList& AList) {
  if (!IsVisible()) return;
  for (Integer i = 0; i < ChildTotal(); ++i)
    if (TqzBarAccessibilityHelper* tab = SelectableTab(Ribbon(), i)) tab->AddOwnKeyTipData(AList);
}

// ---- Tab -------------------------------------------------------------------------------------

TqzRibbonTab* TqzRibbonTabAccessibilityHelper::Tab() const { return static_cast<TqzRibbonTab*>(GetOwnerObject()); }

TkvAccessibilityHelper* TqzRibbonTabAccessibilityHelper::ChildAt(Integer AIndex) {
  return AIndex == 0 ? Tab()->GetDockControl()->GetAccessibilityHelper() : nullptr;
}

Integer TqzRibbonTabAccessibilityHelper::ChildTotal() { return 1; }

Integer TqzRibbonTabAccessibilityHelper::IndexOfChild(TkvAccessibilityHelper* AChild) {
  return AChild && AChild == ChildAt(0) ? 0 : -1;
}

TkvAccessibilityHelper* TqzRibbonTabAccessibilityHelper::ParentNode() {
  TqzCustomRibbon* ribbon = Tab()->GetRibbon();
  return ribbon ? ribbon->GetTabRowAccessibilityHelper() : nullptr;
}

HWND TqzRibbonTabAccessibilityHelper::OwnerWindow() {
  TqzCustomRibbon* ribbon = Tab()->GetRibbon();
  return ribbon && ribbon->HandleAllocated() ? ribbon->GetHandle() : nullptr;
}

TRect TqzRibbonTabAccessibilityHelper::ScreenRect(Integer) {
  TqzCustomRibbon* ribbon = Tab()->GetRibbon();
  TqzRibbonTabViewInfo* header = ribbon ? ribbon->GetViewInfo()->GetTabsViewInfo()->Find(Tab()) : nullptr;
  return header ? RibbonToScreen(ribbon, header->GetBounds()) : TRect();
}

bool TqzRibbonTabAccessibilityHelper::IsSelectableTarget() { return IsVisible(); }

Integer TqzRibbonTabAccessibilityHelper::StateFlags(Integer) {
  return Tab()->GetVisible() && Tab()->GetRibbon() ? 0 : STATE_SYSTEM_INVISIBLE;
}

TqzBarManager* TqzRibbonTabAccessibilityHelper::OwningBarManager() {
  TqzCustomRibbon* ribbon = Tab()->GetRibbon();
  return ribbon ? ribbon->GetBarManager() : nullptr;
}

void TqzRibbonTabAccessibilityHelper::BecomeSelected(bool ASetFocus) {
  TqzBarAccessibilityHelper::BecomeSelected(ASetFocus);
  TqzCustomRibbon* ribbon = Tab()->GetRibbon();
  if (!ribbon) return;
  if (ribbon->AreTabGroupsShown()) ribbon->SetActiveTab(Tab());
  ribbon->Invalidate();
}

void TqzRibbonTabAccessibilityHelper::LoseSelection(const TqzBarHelperRef& ANextSelected) {
  TqzBarAccessibilityHelper::LoseSelection(ANextSelected);
  if (TqzCustomRibbon* ribbon = Tab()->GetRibbon()) ribbon->Invalidate();
}

String TqzRibbonTabAccessibilityHelper::AssignedKeyTip() {
  const String keyTip = Tab()->GetKeyTip();
  return !keyTip.empty() && keyTip[0] >= '0' && keyTip[0] <= '9' ? String() : keyTip;
}

void TqzRibbonTabAccessibilityHelper::FillKeyTipInfo(TqzBarKeyTipInfo& AInfo) {
  TqzBarAccessibilityHelper::FillKeyTipInfo(AInfo);
  TqzCustomRibbon* ribbon = Tab()->GetRibbon();
  if (!ribbon) return;
  const TRect header = ScreenRect(CHILDID_SELF);
  // The tip hangs from the header's text line: below the font's descent.
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, ribbon->GetFonts()->GetTabHeaderFont(0)->GetHandle());
  TEXTMETRIC metrics{};
  GetTextMetrics(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  AInfo.Anchor = TPoint((header.Left + header.Right) / 2, header.Bottom - metrics.tmDescent);
  AInfo.HorzAlign = 2;
  AInfo.VertAlign = 1;
  AInfo.Enabled = true;
}

void TqzRibbonTabAccessibilityHelper::KeyTipExecute() {
  TqzCustomRibbon* ribbon = Tab()->GetRibbon();
  TqzBarNavigationController* controller = NavigationControllerInstance();
  if (ribbon && !ribbon->GetShowTabGroups()) {
    ribbon->SetActiveTab(Tab());
    controller->SetSelection(nullptr, nullptr);
    // The popup makes this tab the key-tip container once its groups show, and runs until it
    // closes.
    ribbon->ShowTabGroupsPopup(rgpeKeyTips);
    return;
  }
  controller->SetKeyTipContainer(BarHelperRef(this), String());
}

void TqzRibbonTabAccessibilityHelper::LeaveKeyTipLevel() {
  // The popup holds the groups whose key tips are left.
  TqzBarHelperRef self = BarHelperRef(this);
  if (TqzCustomRibbon* ribbon = Tab()->GetRibbon()) ribbon->CloseTabGroupsPopup();
  TqzBarAccessibilityHelper::LeaveKeyTipLevel();
}

TqzBarHelperRef TqzRibbonTabAccessibilityHelper::NeighbourInDirection(Integer ADirection) {
  TqzCustomRibbon* ribbon = Tab()->GetRibbon();
  if (!ribbon) return nullptr;
  switch (ADirection) {
    case kvNavigateLeft:
    case kvNavigateRight: {
      const Integer step = ADirection == kvNavigateLeft ? -1 : 1;
      for (Integer i = Tab()->PositionInCollection() + step; i >= 0 && i < ribbon->GetTabs()->GetCount(); i += step)
        if (TqzBarAccessibilityHelper* node = SelectableTab(ribbon, i)) return BarHelperRef(node);
      TqzBarAccessibilityHelper* button = ribbon->GetApplicationButtonAccessibilityHelper();
      return button->IsSelectableTarget() ? BarHelperRef(button) : nullptr;
    }
    case kvNavigateUp:
      return BarHelperRef(NearestIn(QuickAccessNode(ribbon), this, ADirection, false));
    case kvNavigateDown:
      return BarHelperRef(Tab()->GetDockControl()->GetAccessibilityHelper()->FirstSelectableDescendant());
    default:
      return TqzBarAccessibilityHelper::NeighbourInDirection(ADirection);
  }
}

bool TqzRibbonTabAccessibilityHelper::ProcessNavKey(Word& AKey) {
  if (TqzBarAccessibilityHelper::ProcessNavKey(AKey)) return true;
  TqzCustomRibbon* ribbon = Tab()->GetRibbon();
  if (!ribbon || ribbon->GetShowTabGroups() || (AKey != VK_RETURN && AKey != VK_SPACE)) return false;
  ribbon->SetActiveTab(Tab());
  ribbon->ShowTabGroupsPopup(rgpeFirstElement);
  return true;
}

bool TqzRibbonTabAccessibilityHelper::AcceptsKey(Word AKey) {
  if (TqzBarAccessibilityHelper::AcceptsKey(AKey) || AKey == VK_ESCAPE) return true;
  TqzCustomRibbon* ribbon = Tab()->GetRibbon();
  return ribbon && !ribbon->GetShowTabGroups() && (AKey == VK_RETURN || AKey == VK_SPACE);
}

// ---- Application button ----------------------------------------------------------------------

TqzCustomRibbon* TqzRibbonApplicationButtonAccessibilityHelper::Ribbon() const {
  return static_cast<TqzCustomRibbon*>(GetOwnerObject());
}

TkvAccessibilityHelper* TqzRibbonApplicationButtonAccessibilityHelper::ParentNode() {
  return Ribbon()->GetAccessibilityHelper();
}

HWND TqzRibbonApplicationButtonAccessibilityHelper::OwnerWindow() {
  return Ribbon()->HandleAllocated() ? Ribbon()->GetHandle() : nullptr;
}

TRect TqzRibbonApplicationButtonAccessibilityHelper::ScreenRect(Integer) {
  return RibbonToScreen(Ribbon(), Ribbon()->GetViewInfo()->GetApplicationButtonBounds());
}

bool TqzRibbonApplicationButtonAccessibilityHelper::IsSelectableTarget() { return IsVisible(); }

Integer TqzRibbonApplicationButtonAccessibilityHelper::StateFlags(Integer) {
  return Ribbon()->GetViewInfo()->IsApplicationButtonShown(false) ? 0 : STATE_SYSTEM_INVISIBLE;
}

TqzBarManager* TqzRibbonApplicationButtonAccessibilityHelper::OwningBarManager() { return Ribbon()->GetBarManager(); }

String TqzRibbonApplicationButtonAccessibilityHelper::AssignedKeyTip() {
  return Ribbon()->GetApplicationButton()->GetKeyTip();
}

void TqzRibbonApplicationButtonAccessibilityHelper::FillKeyTipInfo(TqzBarKeyTipInfo& AInfo) {
  TqzBarAccessibilityHelper::FillKeyTipInfo(AInfo);
  AnchorAtCentre(AInfo, ScreenRect(CHILDID_SELF), 2);
}

void TqzRibbonApplicationButtonAccessibilityHelper::BecomeSelected(bool ASetFocus) {
  TqzBarAccessibilityHelper::BecomeSelected(ASetFocus);
  Ribbon()->Invalidate();
}

void TqzRibbonApplicationButtonAccessibilityHelper::LoseSelection(const TqzBarHelperRef& ANextSelected) {
  TqzBarAccessibilityHelper::LoseSelection(ANextSelected);
  Ribbon()->Invalidate();
}

void TqzRibbonApplicationButtonAccessibilityHelper::KeyTipExecute() { OpenMenuByKey(QZM_RIBBON_MENUKEYTIPS); }

TqzBarHelperRef TqzRibbonApplicationButtonAccessibilityHelper::NeighbourInDirection(Integer ADirection) {
  switch (ADirection) {
    case kvNavigateLeft:
    case kvNavigateRight:
      return BarHelperRef(EndTab(Ribbon(), ADirection == kvNavigateRight));
    case kvNavigateUp:
      return nullptr;
    default:
      return TqzBarAccessibilityHelper::NeighbourInDirection(ADirection);
  }
}

bool TqzRibbonApplicationButtonAccessibilityHelper::ProcessNavKey(Word& AKey) {
  if (TqzBarAccessibilityHelper::ProcessNavKey(AKey)) return true;
  return (AKey == VK_SPACE || AKey == VK_DOWN) && OpenMenuByKey(QZM_RIBBON_SELECTFIRSTINMENU);
}

bool TqzRibbonApplicationButtonAccessibilityHelper::AcceptsKey(Word AKey) {
  return TqzBarAccessibilityHelper::AcceptsKey(AKey) || AKey == VK_ESCAPE || AKey == VK_SPACE;
}

// The message waits in the queue until the menu's loop runs: the menu is open by then.
bool TqzRibbonApplicationButtonAccessibilityHelper::OpenMenuByKey(UINT AMessage) {
  TqzCustomRibbon* ribbon = Ribbon();
  TqzBarApplicationMenu* menu = ribbon->GetApplicationButton()->GetMenu();
  if (!menu || !ribbon->HandleAllocated()) return false;
  TqzBarHelperRef self = BarHelperRef(this);
  FPreviousCloseUp = menu->GetOnCloseUp();
  menu->SetOnCloseUp(MakeEvent<&TqzRibbonApplicationButtonAccessibilityHelper::MenuClosedUp>(this));
  NavigationControllerInstance()->DeselectCurrent();
  PostMessage(ribbon->GetHandle(), AMessage, 0, 0);
  try {
    ribbon->ShowApplicationMenu();
  } catch (...) {
    menu->SetOnCloseUp(FPreviousCloseUp);
    throw;
  }
  menu->SetOnCloseUp(FPreviousCloseUp);
  return true;
}

void TqzRibbonApplicationButtonAccessibilityHelper::MenuClosedUp(TObject* Sender) {
  FPreviousCloseUp(Sender);
  TqzBarApplicationMenu* menu = Ribbon()->GetApplicationButton()->GetMenu();
  TqzBarSubMenuControl* window = menu ? menu->GetMenuControl() : nullptr;
  TqzBarNavigationController* controller = NavigationControllerInstance();
  if (window && window->GetClosedByEsc() && controller->InNavigationMode())
    controller->MoveSelection(false, BarHelperRef(this));
}

// ---- Groups dock control ---------------------------------------------------------------------

TqzRibbonGroupsDockControl* TqzRibbonGroupsDockControlAccessibilityHelper::GroupsDockControl() const {
  return static_cast<TqzRibbonGroupsDockControl*>(GetOwnerObject());
}

TkvAccessibilityHelper* TqzRibbonGroupsDockControlAccessibilityHelper::ChildAt(Integer AIndex) {
  const std::vector<TqzRibbonGroupBarControl*> groups = GroupsDockControl()->GetViewInfo()->VisibleGroups();
  return AIndex >= 0 && AIndex < static_cast<Integer>(groups.size()) ? groups[AIndex]->GetAccessibilityHelper()
                                                                      : nullptr;
}

Integer TqzRibbonGroupsDockControlAccessibilityHelper::ChildTotal() {
  return static_cast<Integer>(GroupsDockControl()->GetViewInfo()->VisibleGroups().size());
}

Integer TqzRibbonGroupsDockControlAccessibilityHelper::IndexOfChild(TkvAccessibilityHelper* AChild) {
  const std::vector<TqzRibbonGroupBarControl*> groups = GroupsDockControl()->GetViewInfo()->VisibleGroups();
  for (size_t i = 0; i < groups.size(); ++i)
    if (AChild && AChild->GetOwnerObject() == groups[i]) return static_cast<Integer>(i);
  return -1;
}

TkvAccessibilityHelper* TqzRibbonGroupsDockControlAccessibilityHelper::ParentNode() {
  TqzRibbonTab* tab = GroupsDockControl()->GetTab();
  TqzCustomRibbon* ribbon = tab->GetRibbon();
  if (ribbon && ribbon->IsTabGroupsPopupShown() && tab == ribbon->GetActiveTab()) return nullptr;
  return tab->GetAccessibilityHelper();
}

TqzBarAccessibilityHelper* TqzRibbonGroupsDockControlAccessibilityHelper::KeyTipParent() {
  return GroupsDockControl()->GetTab()->GetAccessibilityHelper();
}

TqzBarHelperRef TqzRibbonGroupsDockControlAccessibilityHelper::DefaultNavigationObject() {
  return BarHelperRef(FirstSelectableDescendant());
}

Integer TqzRibbonGroupsDockControlAccessibilityHelper::StateFlags(Integer AChildID) {
  TqzCustomRibbon* ribbon = GroupsDockControl()->GetTab()->GetRibbon();
  if (!ribbon || !ribbon->AreTabGroupsShown()) return STATE_SYSTEM_INVISIBLE;
  return TqzDockControlAccessibilityHelper::StateFlags(AChildID);
}

// ---- Group window ----------------------------------------------------------------------------

TqzRibbonGroupBarControl* TqzRibbonGroupBarControlAccessibilityHelper::GroupBarControl() const {
  return static_cast<TqzRibbonGroupBarControl*>(GetOwnerObject());
}

Integer TqzRibbonGroupBarControlAccessibilityHelper::ChildTotal() {
  return GroupBarControl()->GetCollapsed() ? 0 : TqzBarControlAccessibilityHelper::ChildTotal();
}

bool TqzRibbonGroupBarControlAccessibilityHelper::IsSelectableTarget() {
  return GroupBarControl()->GetCollapsed() && IsVisible();
}

bool TqzRibbonGroupBarControlAccessibilityHelper::HasKeyTip() {
  return GroupBarControl()->OwnsBar() || IsSelectableTarget();
}

String TqzRibbonGroupBarControlAccessibilityHelper::AssignedKeyTip() { return GroupBarControl()->GetBar()->GetKeyTip(); }

String TqzRibbonGroupBarControlAccessibilityHelper::DefaultKeyTip() {
  const String caption = GroupBarControl()->GetBar()->GetCaption();
  return "Z" + AnsiUpperCase(caption.substr(0, 1));
}

void TqzRibbonGroupBarControlAccessibilityHelper::FillKeyTipInfo(TqzBarKeyTipInfo& AInfo) {
  TqzBarControlAccessibilityHelper::FillKeyTipInfo(AInfo);
  TqzRibbonGroupBarControl* group = GroupBarControl();
  if (!AInfo.Visible) return;
  RECT r;
  GetWindowRect(group->GetHandle(), &r);
  AInfo.Anchor = TPoint((r.Left + r.Right) / 2, group->KeyTipLine(3));
  AInfo.HorzAlign = 2;
  AInfo.VertAlign = 1;
  AInfo.Enabled = true;
}

void TqzRibbonGroupBarControlAccessibilityHelper::BecomeSelected(bool ASetFocus) {
  TqzRibbonGroupBarControl* group = GroupBarControl();
  if (!group->GetCollapsed()) {
    TqzBarControlAccessibilityHelper::BecomeSelected(ASetFocus);
    return;
  }
  NavigationControllerInstance()->SetSelection(BarHelperRef(this), BarHelperRef(ParentHelper()));
  group->RepaintAll();
  if (auto* dock = dynamic_cast<TqzRibbonGroupsDockControl*>(group->GetDockControl()))
    dock->MakeRectVisible(group->GetBoundsRect());
}

void TqzRibbonGroupBarControlAccessibilityHelper::LoseSelection(const TqzBarHelperRef& ANextSelected) {
  TqzRibbonGroupBarControl* group = GroupBarControl();
  if (!group->GetCollapsed()) {
    TqzBarControlAccessibilityHelper::LoseSelection(ANextSelected);
    return;
  }
  NavigationControllerInstance()->SetSelection(nullptr, nullptr);
  group->RepaintAll();
}

void TqzRibbonGroupBarControlAccessibilityHelper::KeyTipExecute() {
  TqzRibbonGroupBarControl* group = GroupBarControl();
  if (!group->GetCollapsed()) return;
  TqzBarNavigationController* controller = NavigationControllerInstance();
  controller->SetSelection(nullptr, nullptr);
  group->ChangeMarkState(2);
  if (TqzBarControl* popup = group->GetQuickPopup())
    controller->SetKeyTipContainer(BarHelperRef(popup->GetAccessibilityHelper()), String());
}

TqzBarAccessibilityHelper* TqzRibbonGroupBarControlAccessibilityHelper::KeyTipParent() {
  if (auto* popup = dynamic_cast<TqzRibbonCollapsedGroupPopupBarControl*>(GroupBarControl()))
    if (TqzRibbonGroupBarControl* group = popup->CollapsedGroup()) return group->GetAccessibilityHelper();
  return TqzBarControlAccessibilityHelper::KeyTipParent();
}

void TqzRibbonGroupBarControlAccessibilityHelper::LeaveKeyTipLevel() {
  // A group button's popup: its key tips go while it is whole, then it closes and the keyboard
  // is back on the button, at the quick access toolbar's level.
  if (auto* buttonPopup = dynamic_cast<TqzRibbonQuickAccessGroupButtonPopupBarControl*>(GroupBarControl()))
    if (TqzRibbonQuickAccessGroupButtonControl* control = buttonPopup->GroupButtonControl()) {
      TqzBarHelperRef self = BarHelperRef(this);
      TqzBarHelperRef button = BarHelperRef(control->GetAccessibilityHelper());
      TqzBarNavigationController* controller = NavigationControllerInstance();
      controller->SetKeyTipContainer(BarHelperRef(KeyTipLevelAbove(button->BarHelperObject())), String());
      control->CloseUp(true);
      controller->MoveSelection(true, button);
      return;
    }
  auto* popup = dynamic_cast<TqzRibbonCollapsedGroupPopupBarControl*>(GroupBarControl());
  TqzRibbonGroupBarControl* group = popup ? popup->CollapsedGroup() : nullptr;
  if (!group) {
    TqzBarControlAccessibilityHelper::LeaveKeyTipLevel();
    return;
  }
  // The popup and this node's owner go with the mark.
  TqzBarHelperRef groupNode = BarHelperRef(group->GetAccessibilityHelper());
  group->ChangeMarkState(0);
  TqzBarNavigationController* controller = NavigationControllerInstance();
  TqzBarAccessibilityHelper* above = KeyTipLevelAbove(groupNode->BarHelperObject());
  controller->SetKeyTipContainer(BarHelperRef(above), String());
  controller->MoveSelection(true, groupNode);
}

void TqzRibbonGroupBarControlAccessibilityHelper::ItemKeyTipPlacement(TqzBarItemControl* AControl, TPoint& AAnchor,
                                                                      Byte& AVertAlign, Byte& AHorzAlign) {
  TqzRibbonGroupBarControl* group = GroupBarControl();
  const TRect item = GetItemControlBounds(AControl);
  AVertAlign = 2;
  AHorzAlign = 2;
  TqzBarItemControlViewInfo* info = AControl->GetViewInfo();
  if (info->GetViewLevel() == ivlLargeIconWithText) {
    AAnchor = TPoint((item.Left + item.Right) / 2, group->KeyTipLine(2));
    return;
  }
  Integer row = info->GetLayoutValueB();
  if (info->GetLayoutValueA() == 2 && row == 1) row = 2;
  if (info->GetLayoutValueA() == 1) row = 1;
  Integer x = (item.Left + item.Right) / 2;
  if (AControl->GetDrawParams()->ContentParts & qzContentIcon) {
    // The image's place is known once the item was drawn.
    group->Update();
    const TRect glyph = info->GetGlyphBounds();
    if (!IsRectEmpty(&glyph)) {
      x = group->ClientToScreen(TPoint((glyph.Left + glyph.Right) / 2, 0)).X;
      AHorzAlign = 1;
    }
  }
  AAnchor = TPoint(x, group->KeyTipLine(row));
}

TqzBarHelperRef TqzRibbonGroupBarControlAccessibilityHelper::ItemNeighbourInDirection(TqzBarItemControl* AControl,
                                                                                     Integer ADirection) {
  return GroupNeighbour(AControl->GetAccessibilityHelper(), ADirection);
}

TqzBarHelperRef TqzRibbonGroupBarControlAccessibilityHelper::NeighbourInDirection(Integer ADirection) {
  if (!GroupBarControl()->GetCollapsed()) return TqzBarControlAccessibilityHelper::NeighbourInDirection(ADirection);
  return GroupNeighbour(this, ADirection);
}

TqzBarHelperRef TqzRibbonGroupBarControlAccessibilityHelper::GroupNeighbour(TqzBarAccessibilityHelper* AFrom,
                                                                            Integer ADirection) {
  TqzRibbonGroupBarControl* group = GroupBarControl();
  std::vector<TqzBarAccessibilityHelper*> candidates;
  const TRect from = AFrom->ScreenRect(CHILDID_SELF);
  if (ADirection == kvNavigateUp || ADirection == kvNavigateDown) {
    // The group's own items (and those of its open popup); its caption buttons come last.
    CollectNavigationTargets(AFrom, candidates, true, ADirection, from);
    if (TqzBarControl* popup = group->GetQuickPopup())
      popup->GetAccessibilityHelper()->CollectNavigationTargets(AFrom, candidates, true, ADirection, from);
    std::erase_if(candidates, [](TqzBarAccessibilityHelper* ANode) {
      return dynamic_cast<TqzBarCaptionButtonAccessibilityHelper*>(ANode) != nullptr;
    });
  } else {
    auto* dock = dynamic_cast<TqzRibbonGroupsDockControl*>(group->GetDockControl());
    TqzBarAccessibilityHelper* row = dock ? dock->GetAccessibilityHelper() : this;
    row->CollectNavigationTargets(AFrom, candidates, true, ADirection, from);
  }
  if (TqzBarAccessibilityHelper* found = FindNearestNavigationTarget(AFrom, candidates, ADirection, false))
    return BarHelperRef(found);
  TqzCustomRibbon* ribbon = group->Ribbon();
  TCustomForm* form = ribbon ? ::GetParentForm(ribbon) : nullptr;
  // A popup keeps the keyboard inside.
  const bool inPopup = group->OwnsBar() || (form && IsVisiblePopup(form));
  if (ADirection == kvNavigateUp && !inPopup) return BarHelperRef(ActiveTabNode(ribbon));
  if (ADirection != kvNavigateDown) return nullptr;
  TqzBarCaptionButtons* buttons = group->GetCaptionButtons();
  if (!group->GetCollapsed() && buttons && buttons->GetCount() > 0)
    return BarHelperRef(NearestIn(buttons->GetAccessibilityHelper(), AFrom, ADirection, false));
  return inPopup || !ribbon ? nullptr : BarHelperRef(NearestIn(QuickAccessNode(ribbon), AFrom, ADirection, false));
}

bool TqzRibbonGroupBarControlAccessibilityHelper::ProcessNavKey(Word& AKey) {
  TqzRibbonGroupBarControl* group = GroupBarControl();
  if (!group->GetCollapsed() || (AKey != VK_RETURN && AKey != VK_SPACE))
    return TqzBarControlAccessibilityHelper::ProcessNavKey(AKey);
  TqzBarHelperRef self = BarHelperRef(this);
  LoseSelection(nullptr);
  group->ChangeMarkState(2);
  if (TqzBarControl* popup = group->GetQuickPopup())
    SelectFirstInBar(popup->GetAccessibilityHelper());
  return true;
}

bool TqzRibbonGroupBarControlAccessibilityHelper::AcceptsKey(Word AKey) {
  if (GroupBarControl()->GetCollapsed() && (AKey == VK_RETURN || AKey == VK_ESCAPE || AKey == VK_SPACE)) return true;
  return TqzBarControlAccessibilityHelper::AcceptsKey(AKey);
}

// ---- Quick access toolbar --------------------------------------------------------------------

String QuickAccessKeyTip(Integer AIndex) {
  if (AIndex < 0 || AIndex > 44) return String();
  if (AIndex <= 8) return String(1, static_cast<char>('1' + AIndex));
  if (AIndex <= 17) return "0" + String(1, static_cast<char>('0' + 18 - AIndex));
  // Twenty-seven letters: "0A" to "0Z", then "0[".
  return "0" + String(1, static_cast<char>('A' + AIndex - 18));
}

TkvAccessibilityHelper* TqzRibbonQuickAccessBarControlAccessibilityHelper::ChildAt(Integer AIndex) {
  if (AIndex == TCustomqzBarControlAccessibilityHelper::ChildTotal()) return ToolbarControl()->GetMarkAccessibilityHelper();
  return TCustomqzBarControlAccessibilityHelper::ChildAt(AIndex);
}

Integer TqzRibbonQuickAccessBarControlAccessibilityHelper::ChildTotal() {
  return TCustomqzBarControlAccessibilityHelper::ChildTotal() + (ToolbarControl()->ShowsMark() ? 1 : 0);
}

Integer TqzRibbonQuickAccessBarControlAccessibilityHelper::IndexOfChild(TkvAccessibilityHelper* AChild) {
  if (AChild && AChild == ToolbarControl()->GetMarkAccessibilityHelper())
    return TCustomqzBarControlAccessibilityHelper::ChildTotal();
  return TCustomqzBarControlAccessibilityHelper::IndexOfChild(AChild);
}

TqzBarHelperRef TqzRibbonQuickAccessBarControlAccessibilityHelper::ItemNeighbourInDirection(TqzBarItemControl* AControl,
                                                                                           Integer ADirection) {
  return NeighbourOf(AControl->GetAccessibilityHelper(), ADirection);
}

TqzBarHelperRef TqzRibbonQuickAccessBarControlAccessibilityHelper::NeighbourOf(TqzBarAccessibilityHelper* AFrom,
                                                                              Integer ADirection) {
  return BarHelperRef(NearestIn(this, AFrom, ADirection, false));
}

TkvAccessibilityHelper* TqzRibbonQuickAccessBarControlAccessibilityHelper::ParentNode() {
  TqzCustomRibbon* ribbon = static_cast<TqzRibbonQuickAccessBarControl*>(ToolbarControl())->Ribbon();
  return ribbon ? ribbon->GetAccessibilityHelper() : nullptr;
}

namespace {

// The toolbar whose mark opened the popup; nil for the toolbar's own window.
TqzRibbonQuickAccessBarControl* PopupOpener(TqzBarControl* AWindow) {
  auto* popup = dynamic_cast<TqzRibbonQuickAccessPopupBarControl*>(AWindow);
  return popup ? dynamic_cast<TqzRibbonQuickAccessBarControl*>(popup->GetOpenerBar()) : nullptr;
}

bool IsPlaced(TqzBarItemLink* ALink) { return !IsRectEmpty(&ALink->GetItemRect()); }

}  // namespace

void TqzRibbonQuickAccessBarControlAccessibilityHelper::CollectChildKeyTipData(TqzBarKeyTipList& AList) {
  if (!IsVisible()) return;
  TqzBarControl* window = ToolbarControl();
  // The place decides the key tip, whatever the item's own.
  auto add = [&AList](TqzBarItemLink* ALink, Integer AIndex, bool AVisible) {
    TqzBarItemControl* control = ALink->GetControl();
    const String keyTip = QuickAccessKeyTip(AIndex);
    if (!control || keyTip.empty()) return;
    std::unique_ptr<TqzBarKeyTipData> data = control->GetAccessibilityHelper()->NewKeyTipData();
    data->Info.KeyTip = keyTip;
    data->Info.Visible = data->Info.Visible && AVisible;
    AList.push_back(std::move(data));
  };
  if (TqzRibbonQuickAccessBarControl* toolbar = PopupOpener(window)) {
    // The links the toolbar shows keep their numbers unseen; the popup's follow (its last link
    // is the customize entry).
    TqzBarItemLinks* own = toolbar->GetItemLinks();
    Integer shown = 0;
    for (Integer i = 0; own && i < own->GetVisibleLinkCount(); ++i)
      if (IsPlaced(own->GetVisibleLink(i))) add(own->GetVisibleLink(i), shown++, false);
    TqzBarItemLinks* links = window->GetItemLinks();
    for (Integer i = 0; links && i + 1 < links->GetVisibleLinkCount(); ++i) add(links->GetVisibleLink(i), shown + i, true);
    return;
  }
  if (window->GetLinksHidden() && window->ShowsMark())
    window->GetMarkAccessibilityHelper()->AddOwnKeyTipData(AList);
  TqzBarItemLinks* links = window->GetItemLinks();
  for (Integer i = 0; links && i < links->GetVisibleLinkCount(); ++i)
    add(links->GetVisibleLink(i), i, IsPlaced(links->GetVisibleLink(i)));
}

bool TqzRibbonQuickAccessBarControlAccessibilityHelper::HasKeyTip() {
  return PopupOpener(ToolbarControl()) != nullptr;
}

TqzBarAccessibilityHelper* TqzRibbonQuickAccessBarControlAccessibilityHelper::KeyTipParent() {
  if (TqzRibbonQuickAccessBarControl* toolbar = PopupOpener(ToolbarControl())) return toolbar->GetAccessibilityHelper();
  return TqzBarControlAccessibilityHelper::KeyTipParent();
}

void TqzRibbonQuickAccessBarControlAccessibilityHelper::LeaveKeyTipLevel() {
  TqzRibbonQuickAccessBarControl* toolbar = PopupOpener(ToolbarControl());
  if (!toolbar) {
    TqzBarControlAccessibilityHelper::LeaveKeyTipLevel();
    return;
  }
  // The popup's key tips go while it is whole; then the popup and this node go as the mark
  // returns to normal.
  TqzBarHelperRef self = BarHelperRef(this);
  TqzBarHelperRef mark = BarHelperRef(toolbar->GetMarkAccessibilityHelper());
  TqzBarNavigationController* controller = NavigationControllerInstance();
  controller->SetKeyTipContainer(BarHelperRef(KeyTipLevelAbove(mark->BarHelperObject())), String());
  toolbar->ChangeMarkState(0);
  controller->MoveSelection(true, mark);
}

void TqzRibbonQuickAccessBarControlAccessibilityHelper::ItemKeyTipPlacement(TqzBarItemControl* AControl,
                                                                            TPoint& AAnchor, Byte& AVertAlign,
                                                                            Byte& AHorzAlign) {
  const TRect item = GetItemControlBounds(AControl);
  AAnchor = TPoint((item.Left + item.Right) / 2, (item.Top + item.Bottom) / 2);
  AHorzAlign = 2;
  AVertAlign = 1;
}

String TqzRibbonQuickAccessBarControlMarkAccessibilityHelper::DefaultKeyTip() {
  return ToolbarControl()->GetLinksHidden() ? "00" : String();
}

void TqzRibbonQuickAccessBarControlMarkAccessibilityHelper::FillKeyTipInfo(TqzBarKeyTipInfo& AInfo) {
  TqzBarControlMarkAccessibilityHelper::FillKeyTipInfo(AInfo);
  AnchorAtCentre(AInfo, ScreenRect(CHILDID_SELF), 1);
}

void TqzRibbonQuickAccessBarControlMarkAccessibilityHelper::KeyTipExecute() {
  TqzBarControl* toolbar = ToolbarControl();
  TqzBarNavigationController* controller = NavigationControllerInstance();
  controller->SetSelection(nullptr, nullptr);
  toolbar->ChangeMarkState(2);
  if (TqzBarControl* popup = toolbar->GetQuickPopup())
    controller->SetKeyTipContainer(BarHelperRef(popup->GetAccessibilityHelper()), String());
}

TqzBarHelperRef TqzRibbonQuickAccessBarControlMarkAccessibilityHelper::NeighbourInDirection(Integer ADirection) {
  auto* toolbar = static_cast<TqzRibbonQuickAccessBarControlAccessibilityHelper*>(ToolbarControl()->GetAccessibilityHelper());
  return toolbar->NeighbourOf(this, ADirection);
}

bool TqzRibbonQuickAccessGroupButtonControlAccessibilityHelper::DropDownByKey() {
  auto* control = static_cast<TqzRibbonQuickAccessGroupButtonControl*>(GetItemControl());
  control->ActivateByKey(false);
  return control->IsDroppedDown();
}

// ---- Window lookup ---------------------------------------------------------------------------

TqzBarHelperRef RibbonNavigationRoot(HWND AWnd) {
  TqzCustomRibbon* ribbon = nullptr;
  if (auto* form = dynamic_cast<TCustomForm*>(FindControl(AWnd))) {
    for (Integer i = 0; i < form->GetComponentCount() && !ribbon; ++i)
      ribbon = dynamic_cast<TqzCustomRibbon*>(form->GetComponents(i));
    if (ribbon && (ribbon->GetHidden() || !(ribbon->GetShowTabHeaders() || ribbon->GetShowTabGroups()))) ribbon = nullptr;
  } else {
    ribbon = FindShownRibbonOfWindow(AWnd);
  }
  if (!ribbon || !ribbon->GetVisible()) return nullptr;
  return BarHelperRef(ribbon->GetAccessibilityHelper());
}
