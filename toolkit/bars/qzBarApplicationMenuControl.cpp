// The application menu's window: sizes with the extra pane, the bottom button row, showing the
// pane's toolbar in its dock site, painting the pane frame; the pane's site and toolbar window.

#include "toolkit/bars/qzBarApplicationMenuControl.h"

#include <algorithm>

#include "rtl/Math.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/Painting.h"
#include "user/Rects.h"
#include "user/WindowPos.h"
#include "toolkit/bars/qzBarApplicationMenu.h"
#include "toolkit/bars/qzBarToolbars.h"

TAVREN_CLASS_IMPL(TqzBarApplicationMenuControlViewInfo)
TAVREN_CLASS_IMPL(TqzBarExtraPaneDockControl)
TAVREN_CLASS_IMPL(TqzBarExtraPaneControlViewInfo)
TAVREN_CLASS_IMPL(TqzBarExtraPaneControl)
TAVREN_CLASS_IMPL(TqzBarApplicationMenuControl)
TAVREN_CLASS_IMPL(TqzBarApplicationMenuControlAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzBarExtraPaneControlAccessibilityHelper)
TAVREN_CLASS_IMPL(TqzBarExtraPaneDockControlAccessibilityHelper)

namespace {

// The gap between two bottom buttons.
constexpr Integer kButtonGap = 6;

TqzBarControl* NewExtraPaneControl(TComponent* AOwner, TqzBar* ABar) { return new TqzBarExtraPaneControl(AOwner, ABar); }

}  // namespace

// ---- Layout info ---------------------------------------------------------------------------------

void TqzBarApplicationMenuControlViewInfo::Calculate() {
  TqzBarSubMenuControlViewInfo::Calculate();
  auto* menu = static_cast<TqzBarApplicationMenuControl*>(GetBarControl());
  TqzBarItemLinks* buttons = menu->GetButtonLinks();
  if (GetItemViewInfoCount() == 0 || !buttons) return;
  for (Integer i = 0; i < buttons->GetVisibleLinkCount(); ++i) {
    TqzBarItemLink* link = buttons->GetVisibleLink(i);
    TqzBarItemControl* control = link->GetControl();
    if (!control || IsRectEmpty(&link->GetItemRect())) continue;
    control->GetViewInfo()->SetBounds(link->GetItemRect());
    AppendControlInfo(control->GetViewInfo());
  }
}

// ---- The pane's dock site ------------------------------------------------------------------------

TqzBarExtraPaneDockControl::TqzBarExtraPaneDockControl(TComponent* AOwner) : TqzDockControl(AOwner) {
  SetAllowDocking(false);
}

TqzBarApplicationMenuControl* TqzBarExtraPaneDockControl::MenuControl() const {
  return dynamic_cast<TqzBarApplicationMenuControl*>(GetParent());
}

TqzBarControlFactory TqzBarExtraPaneDockControl::BarControlClass() { return &NewExtraPaneControl; }

void TqzBarExtraPaneDockControl::ArrangeRows() {
  if (GetRowCount() == 0 || GetRow(0)->GetColCount() == 0) return;
  TqzBarControl* window = GetRow(0)->GetCol(0)->GetBarControl();
  TRect client = GetClientRect();
  if (window->GetLeft() == client.Left && window->GetTop() == client.Top && window->GetWidth() == client.Width() &&
      window->GetHeight() == client.Height())
    return;
  if (window->HandleAllocated()) {
    SetWindowPos(window->GetHandle(), nullptr, client.Left, client.Top, client.Width(), client.Height(),
                 SWP_NOACTIVATE | SWP_NOZORDER);
    SendMessage(window->GetHandle(), WM_NCPAINT, 1, 0);
  } else {
    window->SetBounds(client.Left, client.Top, client.Width(), client.Height());
  }
  // The entries are laid out for the new size.
  window->CalcViewInfoNow();
  window->Invalidate();
}

// ---- The pane's toolbar window -------------------------------------------------------------------

void TqzBarExtraPaneControlViewInfo::CalcSeparatorRect(TqzBarItemLink* ALink, const TRect& ABounds) {
  auto* pane = static_cast<TqzBarExtraPaneControl*>(GetBarControl());
  const TRect& items = pane->GetItemsRect();
  Integer s = pane->SeparatorSize();
  AppendSeparatorEntry(TRect(items.Left, ABounds.Top - s, items.Right, ABounds.Top), 0, ALink->GetControl());
}

TqzBarApplicationMenuControl* TqzBarExtraPaneControl::MenuControl() const {
  auto* site = dynamic_cast<TqzBarExtraPaneDockControl*>(GetDockControl());
  return site ? site->MenuControl() : nullptr;
}

void TqzBarExtraPaneControl::CalcClientItemsRect() {
  TqzBarControl::CalcClientItemsRect();
  TRect r = GetItemsRect();
  r.Left += 2;
  SetItemsRect(r);
}

// One entry per row over the items' width, a separator's thickness before each group start.
void TqzBarExtraPaneControl::PlaceControls() {
  TqzBarItemLinks* links = GetItemLinks();
  if (!links) return;
  const TRect& items = GetItemsRect();
  Integer top = items.Top;
  for (Integer i = 0; i < links->GetVisibleLinkCount(); ++i) {
    TqzBarItemLink* link = links->GetVisibleLink(i);
    TqzBarItemControl* control = link->GetControl();
    if (!control) continue;
    top += GroupSpacingBefore(link);
    Integer h = control->CalcHeight();
    link->SetItemRect(TRect(items.Left, top, items.Right, top + h));
    link->SetRowHeight(h);
    top += h;
  }
}

void TqzBarExtraPaneControl::FillBackground(HDC DC, const TRect& R, bool, TColor AColor, HBRUSH) {
  TqzBarApplicationMenuControl* menu = MenuControl();
  if (!menu) return;
  Painter()->FillAppMenuPane(menu, DC, AColor, BackgroundBrush(), R);
}

void TqzBarExtraPaneControl::DrawBarParts(TkvCanvas* ACanvas) {
  TqzBarApplicationMenuControl* menu = MenuControl();
  if (!menu) return;
  TCustomqzBarControlViewInfo* info = GetLayoutInfo();
  for (Integer i = 0; i < info->SeparatorEntryCount(); ++i) {
    const TRect& r = info->GetSeparatorInfo(i).Bounds;
    FillBackground(ACanvas->DCHandle(), r, false, clNone, nullptr);
    Painter()->DrawAppMenuSeparator(menu, ACanvas->DCHandle(), true, BackgroundBrush(), r);
    ACanvas->ClipOutRect(r);
  }
}

// The pane's background is its own, whatever the painter gives toolbars.
void TqzBarExtraPaneControl::Paint() {
  if (IsDestroying()) return;
  TkvCanvas* canvas = ActiveCanvas();
  canvas->PushClip();
  try {
    DrawControls();
    DrawBarParts(canvas);
    FillBackground(canvas->DCHandle(), GetClientRect(), false, clNone, nullptr);
  } catch (...) {
    canvas->PopClip();
    throw;
  }
  canvas->PopClip();
}

// The entries draw over the pane's own background: their faces may leave it showing.
void TqzBarExtraPaneControl::DrawItemControl(TqzBarItemControl* AControl, TkvCanvas* ACanvas, const TRect& R) {
  if (!IsRectEmpty(&R)) FillBackground(ACanvas->DCHandle(), R, false, clNone, nullptr);
  TqzBarControl::DrawItemControl(AControl, ACanvas, R);
}

bool TqzBarExtraPaneControl::IsInActiveChain() {
  TqzBarApplicationMenuControl* menu = MenuControl();
  return TqzBarControl::IsInActiveChain() || (menu && menu->IsInActiveChain());
}

TqzBarItemLink* TqzBarExtraPaneControl::AccelTarget(Word AKey, TShiftState AShift, bool& AAmbiguous,
                                                     TqzBarItemLink* AAfterLink) {
  TqzBarApplicationMenuControl* menu = MenuControl();
  if (!menu) return TqzBarControl::AccelTarget(AKey, AShift, AAmbiguous, AAfterLink);
  return menu->AccelTarget(AKey, AShift, AAmbiguous, AAfterLink);
}

Word TqzBarExtraPaneControl::KindFlags() {
  TqzBarApplicationMenuControl* menu = MenuControl();
  return menu ? menu->KindFlags() : TqzBarControl::KindFlags();
}

TqzBarPainter* TqzBarExtraPaneControl::Painter() {
  TqzBarApplicationMenuControl* menu = MenuControl();
  return menu ? menu->Painter() : TqzBarControl::Painter();
}

void TqzBarExtraPaneControl::SelectAndPress(TqzBarItemControl* AControl, bool ASelectOnly) {
  TqzBarApplicationMenuControl* menu = MenuControl();
  if (!menu) {
    TqzBarControl::SelectAndPress(AControl, ASelectOnly);
    return;
  }
  menu->SelectAndPress(AControl, ASelectOnly);
}

bool TqzBarExtraPaneControl::ContextPopupOnPress(bool AOnPress) {
  TqzBarApplicationMenuControl* menu = MenuControl();
  return menu ? menu->ContextPopupOnPress(AOnPress) : TqzBarControl::ContextPopupOnPress(AOnPress);
}

void TqzBarExtraPaneControl::CloseOnEscape() {
  TqzBarApplicationMenuControl* menu = MenuControl();
  if (!menu) {
    TqzBarControl::CloseOnEscape();
    return;
  }
  menu->CloseOnEscape();
}

void TqzBarExtraPaneControl::HideBar() {
  TqzBarApplicationMenuControl* menu = MenuControl();
  TkvObjectLink* menuLink = LinkToObject(menu);
  TqzBarControl::HideBar();
  if (menuLink->Ref) menu->CloseOnce();
  ReleaseObjectLink(menuLink);
}

void TqzBarExtraPaneControl::CreateLinkControls() {
  if (!IsCustomizing()) ExpandContainerLinks();
  TqzBarControl::CreateLinkControls();
}

void TqzBarExtraPaneControl::DestroyLinkControls() {
  CollapseContainerLinks();
  TqzBarControl::DestroyLinkControls();
}

void TqzBarExtraPaneControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCCALCSIZE:
      // No frame: the client area is the whole window.
      if (Message.WParam) {
        Message.Result = 0;
        return;
      }
      break;
    case WM_KEYDOWN:
      // Tab walks the column like Down, Shift+Tab like Up.
      if (Message.WParam == VK_TAB) Message.WParam = KeyboardStateToShiftState().Empty() ? VK_DOWN : VK_UP;
      break;
    default:
      break;
  }
  TqzBarControl::WndProc(Message);
}

// ---- The menu window -----------------------------------------------------------------------------

TqzBarApplicationMenuControl::TqzBarApplicationMenuControl(TComponent* AOwner) : TqzBarSubMenuControl(AOwner) {
  TqzBarManager* manager = GetControlBarManager();
  if (HasExtraPane()) {
    FExtraPaneDockControl = static_cast<TqzBarExtraPaneDockControl*>(GetExtraPaneDockControlClass()->Factory(AOwner));
    FExtraPaneDockControl->FreeNotification(this);
    FExtraPaneDockControl->SetAlign(alNone);
    FExtraPaneDockControl->SetBarManager(manager);
    FExtraPaneDockControl->SetParent(this);
    TqzBars* bars = manager->GetBars();
    bars->BeginUpdate();
    try {
      FExtraPaneBar = bars->AddBar();
      FExtraPaneBar->FreeNotification(this);
      FExtraPaneBar->SetAllowQuickCustomizing(false);
      FExtraPaneBar->SetAllowCustomizing(false);
      TqzBarDockingStyles notDocking;
      notDocking.Include(dsNone);
      FExtraPaneBar->SetNotDocking(notDocking);
      FExtraPaneBar->SetHidden(true);
      FExtraPaneBar->SetFont(GetFont());
      FExtraPaneBar->SetUseOwnFont(false);
    } catch (...) {
      bars->EndUpdate();
      throw;
    }
    bars->EndUpdate();
  }
  FButtonLinks = std::make_unique<TqzBarApplicationMenuButtonItemLinks>(manager, nullptr);
  FButtonLinks->SetBarControl(this);
}

TqzBarApplicationMenuControl::~TqzBarApplicationMenuControl() = default;

// The window's children go with it before its destructor runs: the pane's bar and site go first.
void TqzBarApplicationMenuControl::BeforeDestruction() {
  if (FButtonLinks) {
    FButtonLinks->SetBarControl(nullptr);
    FButtonLinks.reset();
  }
  TqzBar* bar = FExtraPaneBar;
  FExtraPaneBar = nullptr;
  delete bar;
  TqzDockControl* site = FExtraPaneDockControl;
  FExtraPaneDockControl = nullptr;
  delete site;
  TqzBarSubMenuControl::BeforeDestruction();
}

void TqzBarApplicationMenuControl::Notification(TComponent* AComponent, TOperation Operation) {
  TqzBarSubMenuControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FExtraPaneBar) FExtraPaneBar = nullptr;
  if (AComponent == FExtraPaneDockControl) FExtraPaneDockControl = nullptr;
}

TqzBarCustomApplicationMenu* TqzBarApplicationMenuControl::ApplicationMenu() const {
  TqzBarItemLinks* links = GetItemLinks();
  return links ? dynamic_cast<TqzBarCustomApplicationMenu*>(links->GetOwnerComponent()) : nullptr;
}

bool TqzBarApplicationMenuControl::HasExtraPane() { return !IsCustomizing(); }

TClassOf<TqzBarExtraPaneDockControl> TqzBarApplicationMenuControl::GetExtraPaneDockControlClass() {
  return TqzBarExtraPaneDockControl::ClassInfo();
}

void TqzBarApplicationMenuControl::SetItemLinks(TqzBarItemLinks* ALinks) {
  TqzBarSubMenuControl::SetItemLinks(ALinks);
  if (FButtonLinks) FButtonLinks->SetLinksOwner(ALinks ? ALinks->GetLinksOwner() : nullptr);
}

bool TqzBarApplicationMenuControl::IsButtonControl(TqzBarItemControl* AControl) const {
  return AControl && FButtonLinks && FButtonLinks->HasItemControl(AControl);
}

bool TqzBarApplicationMenuControl::HasLinkControl(TqzBarItemControl* AControl) {
  return TqzBarSubMenuControl::HasLinkControl(AControl) || IsButtonControl(AControl);
}

bool TqzBarApplicationMenuControl::ChildMenuBounds(TRect& R) {
  if (!HasExtraPane() || !HandleAllocated()) return false;
  TPoint topLeft = ClientToScreen(TPoint(FExtraPaneRect.Left, FExtraPaneRect.Top));
  R = TRect(topLeft.X, topLeft.Y, topLeft.X + FExtraPaneRect.Width(), topLeft.Y + FExtraPaneRect.Height());
  return true;
}

// ---- Sizes ---------------------------------------------------------------------------------------

void TqzBarApplicationMenuControl::GetContentSize(TSize& ASize) {
  TqzBarSubMenuControl::GetContentSize(ASize);
  if (ASize.cx == 0) ASize.cx = 100;
  if (!HasExtraPane()) return;
  TqzBarCustomApplicationMenu* menu = ApplicationMenu();
  if (!menu) return;
  TqzBarApplicationMenuExtraPane* pane = menu->GetExtraPane();
  if (pane->GetSize() != 0) {
    // A painter without a reference size does not scale the pane.
    Integer reference = Painter()->ClassRef()->ReferenceTextSize();
    FExtraPaneWidth = reference > 0 ? MulDiv(pane->GetSize(), GetTextSizeValue(), reference) : pane->GetSize();
  } else {
    FExtraPaneWidth = static_cast<Integer>(Round(ASize.cx * pane->GetWidthRatio()));
  }
  ASize.cx += FExtraPaneWidth;
}

void TqzBarApplicationMenuControl::ItemsAreaOffset(TRect& R) {
  TqzBarSubMenuControl::ItemsAreaOffset(R);
  TRect margins;
  Painter()->GetAppMenuMargins(margins);
  double ratio = GetRatio();
  R.Left += static_cast<Integer>(Round(margins.Left * ratio));
  R.Top += static_cast<Integer>(Round(margins.Top * ratio));
  R.Right += static_cast<Integer>(Round(margins.Right * ratio));
  R.Bottom += static_cast<Integer>(Round(margins.Bottom * ratio));
}

void TqzBarApplicationMenuControl::CalcClientItemsRect() {
  TqzBarSubMenuControl::CalcClientItemsRect();
  TRect items = GetItemsRect();
  TRect content;
  Painter()->ClassRef()->GetMenuContentMargins(this, content);
  TRect client = GetClientRect();
  FButtonsRect = TRect(items.Left, items.Bottom + 4, items.Right + 1, client.Bottom - content.Bottom - 1);
  if (HasExtraPane()) {
    FExtraPaneRect = items;
    items.Right -= FExtraPaneWidth;
    FExtraPaneRect.Left = items.Right;
    SetItemsRect(items);
  } else {
    FExtraPaneRect = TRect();
  }
}

// The buttons stand in a row at the right of the buttons rectangle, 6 pixels apart; those that do
// not fit are left out.
void TqzBarApplicationMenuControl::CalcLayout(Byte AKind, Integer AIndex) {
  TqzBarSubMenuControl::CalcLayout(AKind, AIndex);
  if (!FButtonLinks) return;
  FButtonLinks->ClearItemRects();
  Integer left = FButtonsRect.Left;
  TqzBarItemLink* last = nullptr;
  Integer placed = 0;
  for (Integer i = 0; i < FButtonLinks->GetVisibleLinkCount(); ++i) {
    TqzBarItemLink* link = FButtonLinks->GetVisibleLink(i);
    link->CreateControl();
    TqzBarItemControl* control = link->GetControl();
    if (!control) continue;
    Integer right = left + control->CalcWidth();
    if (right > FButtonsRect.Right) break;
    link->SetItemRect(TRect(left, FButtonsRect.Top, right, FButtonsRect.Bottom));
    last = link;
    ++placed;
    left = right + kButtonGap;
  }
  if (!last) return;
  Integer shift = FButtonsRect.Right - last->GetItemRect().Right;
  for (Integer i = 0; i < placed; ++i) {
    TqzBarItemLink* link = FButtonLinks->GetVisibleLink(i);
    TRect r = link->GetItemRect();
    if (IsRectEmpty(&r)) continue;
    OffsetRect(&r, shift, 0);
    link->SetItemRect(r);
    if (link->GetControl()) link->GetControl()->CalcPartRects();
  }
}

// ---- Keys ----------------------------------------------------------------------------------------

TqzBarExtraPaneControl* TqzBarApplicationMenuControl::PaneWindow() const {
  return FExtraPaneBar ? dynamic_cast<TqzBarExtraPaneControl*>(FExtraPaneBar->GetBarControl()) : nullptr;
}

std::vector<TqzBarItemLinks*> TqzBarApplicationMenuControl::NavigationGroups() {
  std::vector<TqzBarItemLinks*> groups;
  if (GetItemLinks() && GetItemLinks()->GetVisibleLinkCount() > 0) groups.push_back(GetItemLinks());
  // The pane counts with an entry under its header.
  if (TqzBarExtraPaneControl* pane = PaneWindow(); pane && pane->GetItemLinks()->GetVisibleLinkCount() > 1)
    groups.push_back(pane->GetItemLinks());
  if (FButtonLinks && FButtonLinks->GetVisibleLinkCount() > 0) groups.push_back(FButtonLinks.get());
  return groups;
}

namespace {

bool CanNavigateTo(TqzBarItemLink* ALink) {
  TqzBarItemControl* control = ALink->GetControl();
  return control && control->CanSelect() && !IsRectEmpty(&ALink->GetItemRect());
}

// The first selectable link of the group from its start (or its end), nil for none.
TqzBarItemLink* EdgeLink(TqzBarItemLinks* ALinks, bool AFromEnd) {
  Integer count = ALinks->GetVisibleLinkCount();
  for (Integer k = 0; k < count; ++k) {
    TqzBarItemLink* link = ALinks->GetVisibleLink(AFromEnd ? count - 1 - k : k);
    if (CanNavigateTo(link)) return link;
  }
  return nullptr;
}

}  // namespace

TqzBarItemLink* TqzBarApplicationMenuControl::NeighbourLink(TqzBarItemLink* ALink, bool AUp) {
  std::vector<TqzBarItemLinks*> groups = NavigationGroups();
  if (groups.empty()) return nullptr;
  size_t group = groups.size();
  for (size_t g = 0; g < groups.size(); ++g)
    if (ALink && groups[g]->IndexOf(ALink) >= 0) group = g;
  if (group == groups.size()) {
    for (size_t k = 0; k < groups.size(); ++k)
      if (TqzBarItemLink* link = EdgeLink(groups[AUp ? groups.size() - 1 - k : k], AUp)) return link;
    return nullptr;
  }
  TqzBarItemLinks* links = groups[group];
  for (Integer i = ALink->GetVisibleIndex() + (AUp ? -1 : 1); i >= 0 && i < links->GetVisibleLinkCount(); i += AUp ? -1 : 1)
    if (CanNavigateTo(links->GetVisibleLink(i))) return links->GetVisibleLink(i);
  for (size_t k = 1; k <= groups.size(); ++k) {
    size_t next = (group + (AUp ? groups.size() - k : k)) % groups.size();
    if (TqzBarItemLink* link = EdgeLink(groups[next], AUp)) return link;
  }
  return nullptr;
}

TqzBarItemControl* TqzBarApplicationMenuControl::NavigationSelection() {
  if (TqzBarExtraPaneControl* pane = PaneWindow())
    if (TqzBarItemControl* selected = pane->GetSelectedControl()) return selected;
  return GetSelectedControl();
}

void TqzBarApplicationMenuControl::SelectForNavigation(TqzBarItemControl* AControl) {
  TqzBarExtraPaneControl* pane = PaneWindow();
  bool inPane = pane && AControl && AControl->GetParent() == pane;
  if (inPane) {
    SetSelectedControl(nullptr);
    pane->SetSelectedControl(AControl);
  } else {
    if (pane) pane->SetSelectedControl(nullptr);
    SetSelectedControl(AControl);
  }
}

void TqzBarApplicationMenuControl::SelectAndPress(TqzBarItemControl* AControl, bool ASelectOnly) {
  SelectForNavigation(AControl);
  TCustomqzBarControl* window = AControl ? AControl->GetParent() : nullptr;
  if (!ASelectOnly && window && window->HandleAllocated()) SendMessage(window->GetHandle(), WM_KEYDOWN, VK_RETURN, 0);
}

TqzBarItemLink* TqzBarApplicationMenuControl::AccelTarget(Word AKey, TShiftState AShift, bool& AAmbiguous,
                                                          TqzBarItemLink* AAfterLink) {
  AAmbiguous = false;
  AShift.Exclude(ssAlt);
  std::vector<TqzBarItemLinks*> collections;
  if (GetItemLinks()) collections.push_back(GetItemLinks());
  if (TqzBarExtraPaneControl* pane = PaneWindow()) collections.push_back(pane->GetItemLinks());
  if (FButtonLinks) collections.push_back(FButtonLinks.get());
  std::vector<TqzBarItemLink*> order;
  for (TqzBarItemLinks* links : collections)
    for (Integer i = 0; i < links->GetFullMenuLinkCount(); ++i) order.push_back(links->GetFullMenuLink(i));
  if (order.empty()) return nullptr;
  // The walk starts after the link it is given and tries that link last.
  size_t start = order.size() - 1;
  for (size_t i = 0; i < order.size(); ++i)
    if (order[i] == AAfterLink) start = i;
  TqzBarItemLink* found = nullptr;
  Integer matches = 0;
  for (size_t k = 1; k <= order.size(); ++k) {
    TqzBarItemLink* link = order[(start + k) % order.size()];
    if (!link->GetItem() || !link->GetItem()->AccelUsableFor(link) || !link->MatchesAccel(AKey, AShift)) continue;
    if (!found) found = link;
    ++matches;
  }
  if (!found || !found->GetItem()->GetEnabled()) return nullptr;
  AAmbiguous = matches > 1;
  return found;
}

void TqzBarApplicationMenuControl::WndProc(TMessage& Message) {
  if (Message.Msg == WM_KEYDOWN) {
    Word key = static_cast<Word>(Message.WParam);
    TShiftState shift = KeyboardStateToShiftState();
    if (key == VK_TAB && !shift.Contains(ssCtrl)) key = shift.Contains(ssShift) ? VK_UP : VK_DOWN;
    TqzBarItemControl* selected = NavigationSelection();
    if ((key == VK_UP || key == VK_DOWN) && !ForwardKeyToSelected(key)) {
      TqzBarItemLink* link = NeighbourLink(selected ? selected->GetLink() : nullptr, key == VK_UP);
      if (link && link->GetControl()) SelectForNavigation(link->GetControl());
      return;
    }
    // Enter on a pane entry goes to the pane.
    if (key == VK_RETURN && selected && selected->GetParent() != this) {
      SendMessage(selected->GetParent()->GetHandle(), WM_KEYDOWN, VK_RETURN, Message.LParam);
      return;
    }
  }
  TqzBarSubMenuControl::WndProc(Message);
}

// ---- Showing -------------------------------------------------------------------------------------

void TqzBarApplicationMenuControl::ShowAnimated() {
  TqzBarCustomApplicationMenu* menu = ApplicationMenu();
  bool pane = HasExtraPane() && menu && FExtraPaneBar && FExtraPaneDockControl;
  if (pane) {
    FButtonLinks->Clear();
    TqzBarApplicationMenuButtons* buttons = menu->GetButtons();
    for (Integer i = 0; i < buttons->GetCount(); ++i)
      if (TqzBarItem* item = buttons->GetItem(i)->GetInternalItem()) FButtonLinks->AddLinkForItem(item);
    menu->GetExtraPane()->FillListItem();
    TqzBarItemLinks* paneLinks = FExtraPaneBar->GetItemLinks();
    paneLinks->Clear();
    if (TqzBarItem* list = menu->GetExtraPane()->GetListItem()) paneLinks->AddLinkForItem(list);
  }
  HandleNeeded();
  CalcItemsRect();
  if (pane) {
    // The site's window first, so that the toolbar window is made in it at once.
    FExtraPaneDockControl->SetBounds(FExtraPaneRect.Left, FExtraPaneRect.Top, FExtraPaneRect.Width(),
                                     FExtraPaneRect.Height());
    FExtraPaneDockControl->HandleNeeded();
    FExtraPaneBar->SetDockControl(FExtraPaneDockControl);
    FExtraPaneBar->SetBorderStyle(bbsNone);
    FExtraPaneBar->SetVisible(true);
    // The menu window is shown past the framework's visibility, so are its children.
    constexpr UINT kShow = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW;
    SetWindowPos(FExtraPaneDockControl->GetHandle(), nullptr, 0, 0, 0, 0, kShow);
    if (TqzBarControl* window = FExtraPaneBar->GetBarControl(); window && window->HandleAllocated())
      SetWindowPos(window->GetHandle(), nullptr, 0, 0, 0, 0, kShow);
  }
  TqzBarSubMenuControl::ShowAnimated();
}

// ---- Painting ------------------------------------------------------------------------------------

void TqzBarApplicationMenuControl::PaintItems() {
  TqzBarSubMenuControl::PaintItems();
  TkvCanvas* canvas = ActiveCanvas();
  TRect content;
  Painter()->ClassRef()->GetMenuContentMargins(this, content);
  TRect client = GetClientRect();
  canvas->PushClip();
  try {
    canvas->ClipToRect(TRect(client.Left + content.Left, client.Top + content.Top, client.Right - content.Right,
                             client.Bottom - content.Bottom));
    // The buttons are drawn: the frame of the panes goes round them.
    TCustomqzBarControlViewInfo* info = GetLayoutInfo();
    for (Integer i = 0; i < info->GetItemViewInfoCount(); ++i)
      if (IsButtonControl(info->GetItemViewInfoAt(i)->GetControl()))
        canvas->ClipOutRect(info->GetItemViewInfoAt(i)->GetBounds());
    TRect panes = GetItemsRect();
    if (!IsRectEmpty(&FExtraPaneRect)) panes.Right = std::max(panes.Right, FExtraPaneRect.Right);
    Painter()->DrawAppMenuPane(this, canvas, panes, BackgroundBrush());
  } catch (...) {
    canvas->PopClip();
    throw;
  }
  canvas->PopClip();
}

void TqzBarApplicationMenuControl::DrawNonClient(HDC DC, const TRect& R) { Painter()->DrawAppMenuFrame(this, DC, R); }

void TqzBarApplicationMenuControl::DrawItemControl(TqzBarItemControl* AControl, TkvCanvas* ACanvas, const TRect& R) {
  // A bottom button draws itself whole; the menu items get their frame and separators.
  if (IsButtonControl(AControl)) {
    if (!IsRectEmpty(&R)) TCustomqzBarControl::DrawItemControl(AControl, ACanvas, R);
    return;
  }
  TqzBarSubMenuControl::DrawItemControl(AControl, ACanvas, R);
}

// ---- Navigation nodes ------------------------------------------------------------------------------

TqzBarApplicationMenuControl* TqzBarApplicationMenuControlAccessibilityHelper::MenuControl() const {
  return static_cast<TqzBarApplicationMenuControl*>(GetOwnerObject());
}

Integer TqzBarApplicationMenuControlAccessibilityHelper::ChildTotal() {
  return TqzBarSubMenuControlAccessibilityHelper::ChildTotal() + (MenuControl()->GetExtraPaneDockControl() ? 1 : 0);
}

TkvAccessibilityHelper* TqzBarApplicationMenuControlAccessibilityHelper::ChildAt(Integer AIndex) {
  Integer controls = TqzBarSubMenuControlAccessibilityHelper::ChildTotal();
  if (AIndex < controls) return TqzBarSubMenuControlAccessibilityHelper::ChildAt(AIndex);
  return MenuControl()->GetExtraPaneDockControl()->GetAccessibilityHelper();
}

Integer TqzBarApplicationMenuControlAccessibilityHelper::IndexOfChild(TkvAccessibilityHelper* AChild) {
  TqzDockControl* site = MenuControl()->GetExtraPaneDockControl();
  if (site && AChild == site->GetAccessibilityHelper()) return TqzBarSubMenuControlAccessibilityHelper::ChildTotal();
  return TqzBarSubMenuControlAccessibilityHelper::IndexOfChild(AChild);
}

bool TqzBarApplicationMenuControlAccessibilityHelper::ProcessNavKey(Word& AKey) {
  bool byTab = AKey == VK_TAB;
  Word key = AKey;
  if (byTab) key = KeyboardStateToShiftState() * TShiftState{ssShift, ssCtrl, ssAlt} != TShiftState() ? VK_UP : VK_DOWN;
  if (key != VK_UP && key != VK_DOWN) return TqzBarSubMenuControlAccessibilityHelper::ProcessNavKey(AKey);
  TqzBarApplicationMenuControl* menu = MenuControl();
  TqzBarItemControl* selected = menu->NavigationSelection();
  TkvObjectLink* self = LinkToObject(menu);
  bool taken = selected && selected->GetParent() == menu && menu->ForwardKeyToSelected(key);
  bool alive = self->Ref != nullptr;
  ReleaseObjectLink(self);
  if (taken || !alive) return true;
  TqzBarItemLink* link = menu->NeighbourLink(selected ? selected->GetLink() : nullptr, key == VK_UP);
  TqzBarItemControl* control = link ? link->GetControl() : nullptr;
  if (!control) return true;
  TqzBarHelperRef next = BarHelperRef(control->GetAccessibilityHelper());
  if (selected) selected->GetAccessibilityHelper()->LoseSelection(next);
  next->BecomeSelected(byTab);
  return true;
}

void TqzBarApplicationMenuControlAccessibilityHelper::ItemKeyTipPlacement(TqzBarItemControl* AControl, TPoint& AAnchor,
                                                                         Byte& AVertAlign, Byte& AHorzAlign) {
  if (!MenuControl()->IsButtonControl(AControl)) {
    TqzBarSubMenuControlAccessibilityHelper::ItemKeyTipPlacement(AControl, AAnchor, AVertAlign, AHorzAlign);
    return;
  }
  TRect r = GetItemControlBounds(AControl);
  AAnchor = TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  AVertAlign = 2;
  AHorzAlign = 1;
}

TqzBarAccessibilityHelper* TqzBarApplicationMenuControlAccessibilityHelper::KeyTipParent() {
  auto* owner = dynamic_cast<IqzBarAccessibleObject*>(MenuControl()->OwnerControl());
  return owner ? owner->GetAccessibilityHelper() : nullptr;
}

TClassOf<TqzBarAccessibilityHelper> TqzBarExtraPaneControl::GetAccessibilityHelperClass() {
  return TqzBarExtraPaneControlAccessibilityHelper::ClassInfo();
}

bool TqzBarExtraPaneControlAccessibilityHelper::ProcessNavKey(Word& AKey) {
  auto* pane = static_cast<TqzBarExtraPaneControl*>(GetOwnerObject());
  TqzBarApplicationMenuControl* menu = pane->MenuControl();
  if (!menu) return TqzBarControlAccessibilityHelper::ProcessNavKey(AKey);
  return menu->GetAccessibilityHelper()->ProcessNavKey(AKey);
}

TClassOf<TqzBarAccessibilityHelper> TqzBarExtraPaneDockControl::GetAccessibilityHelperClass() {
  return TqzBarExtraPaneDockControlAccessibilityHelper::ClassInfo();
}

TkvAccessibilityHelper* TqzBarExtraPaneDockControlAccessibilityHelper::ParentNode() {
  TqzBarApplicationMenuControl* menu = static_cast<TqzBarExtraPaneDockControl*>(DockControl())->MenuControl();
  return menu ? menu->GetAccessibilityHelper() : TqzDockControlAccessibilityHelper::ParentNode();
}
