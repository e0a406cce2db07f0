// The bar window core: construction and destruction, the list of live bar windows, links and
// their controls, the painter, canvases and metrics, the active chain and closing.

#include "toolkit/bars/qzBarControl.h"

#include <algorithm>
#include <memory>

#include "toolkit/bars/qzBarShadow.h"

#include "gdi/Regions.h"
#include "user/Messages.h"
#include "user/Rects.h"
#include "user/WindowPos.h"
#include "user/WindowTree.h"

TAVREN_CLASS_IMPL(TCustomqzBarControl)

namespace {

// The live bar windows, and the head of the active chain with what it was started under.
std::vector<TCustomqzBarControl*> gLiveBarControls;
TCustomqzBarControl* gActiveBarControl = nullptr;
bool gMenusExpanded = false;

}  // namespace

TCustomqzBarControl* ActiveBarControl() { return gActiveBarControl; }

void HideActiveBarControl() {
  while (TCustomqzBarControl* active = gActiveBarControl) {
    active->CloseOnce();
    // A window that would not close ends the walk.
    if (gActiveBarControl == active) break;
  }
}

TCustomqzBarControl* RootBarControl(TCustomqzBarControl* AControl) {
  TCustomqzBarControl* root = AControl;
  while (root && !root->IsDestroying() && root->GetOpenerBar() && !root->StopsOpenerWalk()) root = root->GetOpenerBar();
  return root;
}

bool MenusExpanded() { return gMenusExpanded; }

void SetMenusExpanded(bool Value) { gMenusExpanded = Value; }

bool IsBarControlLive(TCustomqzBarControl* AControl) {
  return AControl && std::find(gLiveBarControls.begin(), gLiveBarControls.end(), AControl) != gLiveBarControls.end();
}

std::vector<TCustomqzBarControl*> BarControlsOfManager(TqzBarManager* AManager) {
  std::vector<TCustomqzBarControl*> result;
  for (TCustomqzBarControl* control : gLiveBarControls)
    if (control->GetControlBarManager() == AManager) result.push_back(control);
  return result;
}

void RefreshBarControlsOf(TqzBarManager* AManager) {
  // A refresh may open or close windows: walk a copy and skip the ones gone meanwhile.
  std::vector<TCustomqzBarControl*> windows = gLiveBarControls;
  for (TCustomqzBarControl* window : windows) {
    if (!IsBarControlLive(window) || window->GetControlBarManager() != AManager) continue;
    window->ClearBackgroundCache();
    window->Refresh(false);
  }
}

TCustomqzBarControl::TCustomqzBarControl(TComponent* AOwner) : TCustomControl(AOwner) {
  FPaintCanvas = std::make_unique<TkvCanvas>(GetCanvas());
  FShadow = std::make_unique<TqzBarShadow>(this);
  gLiveBarControls.push_back(this);
  TControlStyle style = GetControlStyle();
  style.Exclude(csCaptureMouse);
  TqzBarManager* manager = GetControlBarManager();
  if (manager && (manager->GetEffectiveStyle() != bmsStandard || manager->GetIsCustomizing()))
    style.Include(csDoubleClicks);
  else
    style.Exclude(csDoubleClicks);
  SetControlStyle(style);
  SetColor(clBtnFace);
  SetVisible(false);
  SetBounds(100, 100, 50, 30);
  FBackgroundCache = std::make_unique<TBitmap>();
}

void TCustomqzBarControl::BeforeDestruction() {
  // A window it opened that is already going (its owner is being destroyed too) outlives this one
  // for a while: it forgets its opener now rather than reach it later.
  if (FOpenedBar && FOpenedBar->IsDestroying()) {
    if (FOpenedBar->FOpenerBar == this) FOpenedBar->FOpenerBar = nullptr;
    FOpenedBar = nullptr;
  }
  delete FOpenedBar;
  if (FOpenerBar && FOpenerBar->FOpenedBar == this) FOpenerBar->FOpenedBar = nullptr;
  inherited::BeforeDestruction();
}

TCustomqzBarControl::~TCustomqzBarControl() {
  ReleaseAccessibilityHelper(FAccessibilityHelper);
  StopMouseLeaveWatch(this);
  NotifyDestroying();
  CollapseContainerLinks();
  if (FItemLinks) {
    DestroyLinkControls();
    FItemLinks->SetBarControl(nullptr);
  }
  if (gActiveBarControl == this) gActiveBarControl = FPrevActiveBar;
  std::erase(gLiveBarControls, this);
  for (TCustomqzBarControl* other : gLiveBarControls)
    if (other->FPrevActiveBar == this) other->FPrevActiveBar = nullptr;
  InvalidateObjectLinks(this);
  FViewInfo.reset();
}

HRESULT TCustomqzBarControl::QueryInterface(const TInterfaceId& IID, void** Obj) {
  return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
}

TqzBarManager* TCustomqzBarControl::GetControlBarManager() const {
  return dynamic_cast<TqzBarManager*>(const_cast<TCustomqzBarControl*>(this)->GetOwner());
}

// ---- The manager's focused bar window ----------------------------------------------------------

TCustomqzBarControl* TqzBarManager::GetFocusedBarControl() const {
  return FFocusedBarLink ? dynamic_cast<TCustomqzBarControl*>(FFocusedBarLink->Ref) : nullptr;
}

void TqzBarManager::SetFocusedBarControl(TCustomqzBarControl* AWindow) {
  if (GetFocusedBarControl() == AWindow) return;
  ReleaseObjectLink(FFocusedBarLink);
  FFocusedBarLink = LinkToObject(AWindow);
}

bool TCustomqzBarControl::IsFocusedBar() { return GetControlBarManager()->GetFocusedBarControl() == this; }

void TCustomqzBarControl::ClearSelectionIfFocused() {
  if (IsFocusedBar()) ClearSelection();
}

// ---- Wiring --------------------------------------------------------------------------------------

void TCustomqzBarControl::SetOpenerBar(TCustomqzBarControl* Value) {
  FOpenerBar = Value;
  if (Value && Value->FOpenedBar != this) Value->SetOpenedBar(this);
}

void TCustomqzBarControl::SetOpenedBar(TCustomqzBarControl* Value) {
  FOpenedBar = Value;
  if (Value && Value->FOpenerBar != this) Value->SetOpenerBar(this);
}

void TCustomqzBarControl::SetItemLinks(TqzBarItemLinks* ALinks) {
  if (FItemLinks == ALinks) return;
  CollapseContainerLinks();
  if (FItemLinks) {
    DestroyControls();
    FItemLinks->SetBarControl(nullptr);
  }
  FCurrentLink = nullptr;
  FTrackedLink = nullptr;
  FItemLinks = ALinks;
  if (FItemLinks) {
    FItemLinks->SetBarControl(this);
    if (HandleAllocated()) CreateControls();
  }
}

void TCustomqzBarControl::CreateControls() {
  if (FBusyFlags & (qzBusyCreatingControls | qzBusyDestroyingControls)) return;
  FBusyFlags |= qzBusyCreatingControls;
  try {
    CreateLinkControls();
  } catch (...) {
    FBusyFlags &= ~qzBusyCreatingControls;
    throw;
  }
  FBusyFlags &= ~qzBusyCreatingControls;
}

void TCustomqzBarControl::DestroyControls() {
  if (FBusyFlags & (qzBusyCreatingControls | qzBusyDestroyingControls)) return;
  FBusyFlags |= qzBusyDestroyingControls;
  if (FViewInfo) FViewInfo->Clear();
  FCaptureControl = nullptr;
  DestroyLinkControls();
  FBusyFlags &= ~qzBusyDestroyingControls;
}

void TCustomqzBarControl::CreateLinkControls() {
  if (!FItemLinks) return;
  for (Integer i = 0; i < FItemLinks->GetFullMenuLinkCount(); ++i) FItemLinks->GetFullMenuLink(i)->CreateControl();
}

void TCustomqzBarControl::DestroyLinkControls() {
  if (!FItemLinks) return;
  for (Integer i = 0; i < FItemLinks->GetCount(); ++i) FItemLinks->GetLink(i)->DestroyControl();
}

void TCustomqzBarControl::NotifyDestroying() {}

void TCustomqzBarControl::ReleaseHostedWindows() {
  if (!IsDestroying()) BarMouseLeave();
  if (!FItemLinks) return;
  for (Integer i = 0; i < FItemLinks->GetFullMenuLinkCount(); ++i)
    if (TqzBarItemControl* control = FItemLinks->GetFullMenuLink(i)->GetControl()) control->ReleaseHostedWindow();
}

void TCustomqzBarControl::RecreateControls(bool ARecreate) {
  if (!ARecreate) return;
  DestroyControls();
  CreateControls();
  PostMouseMoveToBarUnderCursor();
}

void TCustomqzBarControl::Refresh(bool ARecreate) {
  if (IsDestroying() || !HandleAllocated() ||
      (FBusyFlags & (qzBusyCreatingControls | qzBusyDestroyingControls | qzBusyRefreshing)) || IsUpdateLocked())
    return;
  FBusyFlags |= qzBusyRefreshing;
  TqzBarItemLink* selected = IsCustomizing() ? FCurrentLink : nullptr;
  if (IsCustomizing()) FCurrentLink = nullptr;
  RecreateControls(ARecreate);
  CalcItemsRect();
  CalcViewInfo();
  FBusyFlags &= ~qzBusyRefreshing;
  if (selected && selected->GetControl()) FCurrentLink = selected;
  RepaintAll();
}

bool TCustomqzBarControl::HasLinkControl(TqzBarItemControl* AControl) {
  return AControl && FItemLinks && FItemLinks->HasItemControl(AControl);
}

// ---- Handle ------------------------------------------------------------------------------------

void TCustomqzBarControl::CreateWnd() {
  inherited::CreateWnd();
  if (!FViewInfo) FViewInfo.reset(static_cast<TCustomqzBarControlViewInfo*>(ViewInfoClass()->Factory(this)));
  CreateControls();
  CalcMetrics();
  CalcItemsRect();
  CalcViewInfo();
}

void TCustomqzBarControl::DestroyWindowHandle() {
  ReleaseWindowContents();
  inherited::DestroyWindowHandle();
}

void TCustomqzBarControl::ReleaseWindowContents() {
  FShadow->SetVisible(false);
  ReleaseHostedWindows();
  DestroyControls();
}

// ---- Painter, canvas and metrics ---------------------------------------------------------------

TqzBarPainter* TCustomqzBarControl::Painter() {
  if (FOwnPainter) return FOwnPainter;
  if (FOpenerBar) return FOpenerBar->Painter();
  return GetControlBarManager()->GetDefaultPainter();
}

TkvCanvas* TCustomqzBarControl::ActiveCanvas() {
  if (HandleAllocated()) {
    if (FScreenCanvas) {
      FScreenCanvas.reset();
      SetUpCanvasFont();
    }
    return FPaintCanvas.get();
  }
  if (!FScreenCanvas) {
    FScreenCanvas = std::make_unique<TkvScreenCanvas>();
    SetUpCanvasFont();
  }
  return FScreenCanvas.get();
}

void TCustomqzBarControl::SetUpCanvasFont() {
  if (FBusyFlags & qzBusySettingFont) return;
  FBusyFlags |= qzBusySettingFont;
  TkvCanvas* canvas = FScreenCanvas ? static_cast<TkvCanvas*>(FScreenCanvas.get()) : FPaintCanvas.get();
  canvas->AssignFont(GetFont());
  if (RotatesText()) {
    // Text running downwards, TrueType only.
    canvas->CurrentFont()->SetOrientation(-900);
  }
  FBusyFlags &= ~qzBusySettingFont;
}

Integer TCustomqzBarControl::TextSize() { return Painter()->ClassRef()->BarTextSize(ActiveCanvas()); }

Integer TCustomqzBarControl::BaseTextSize() { return Painter()->ClassRef()->ReferenceTextSize(); }

Integer TCustomqzBarControl::IconAreaSize() { return Painter()->MenuIconAreaSize(this); }

void TCustomqzBarControl::CalcMetrics() {
  FTextSize = TextSize();
  Integer base = BaseTextSize();
  FRatio = std::max(base > 0 ? static_cast<double>(FTextSize) / base : 1.0, 1.0);
  FMenuArrowHeight = std::max(FTextSize / 5, 4);
  FIconAreaSize = IconAreaSize();
  // The edit metrics come from "0" in the edit font; the canvas font is put back after.
  TkvCanvas* canvas = ActiveCanvas();
  auto saved = std::make_unique<TFont>();
  saved->Assign(canvas->CurrentFont());
  canvas->AssignFont(GetEditFont());
  TSize zero = canvas->MeasureText("0");
  canvas->AssignFont(saved.get());
  FEditTextSize = static_cast<Cardinal>(Painter()->ClassRef()->EditControlHeight(this, zero.cy));
  FComboArrowWidth = static_cast<Cardinal>(Painter()->ComboArrowWidthFor(this, zero.cx));
}

TFont* TCustomqzBarControl::GetEditFont() { return GetControlBarManager()->GetEditFont(); }

HBRUSH TCustomqzBarControl::BackgroundBrush() { return Painter()->ClassRef()->ToolbarBrush(this); }

HBRUSH TCustomqzBarControl::DownBrush() { return Painter()->ClassRef()->DownBrush(this); }

HBRUSH TCustomqzBarControl::DownSelectedBrush() { return Painter()->ClassRef()->DownSelectedBrush(this); }

HBRUSH TCustomqzBarControl::SelectedBrush() { return Painter()->ClassRef()->SelectedBrush(this); }

bool TCustomqzBarControl::JoinsOpenedMenus() { return Painter()->ClassRef()->BarWindowFlag(this); }

Integer TCustomqzBarControl::ItemHeightFor(TqzBarItemControl* AControl) {
  Integer base = AControl->GetSizeBase();
  return base != 0 ? base : FTextSize;
}

// ---- State -------------------------------------------------------------------------------------

Word TCustomqzBarControl::KindFlags() { return FOpenerBar ? FOpenerBar->KindFlags() : qzKindRoot; }

bool TCustomqzBarControl::IsDesigning() { return GetControlBarManager()->IsDesigning(); }

bool TCustomqzBarControl::IsCustomizing() {
  TqzBarManager* manager = GetControlBarManager();
  return manager->GetIsCustomizing() || manager->IsDesigning();
}

bool TCustomqzBarControl::IsUpdateLocked() { return GetControlBarManager()->IsUpdateLocked(); }

bool TCustomqzBarControl::CanActivate() {
  return Application()->GetActive() || IsWindowActive() || GetControlBarManager()->GetIsCustomizing();
}

bool TCustomqzBarControl::IsWindowActive() {
  if (!HandleAllocated()) return false;
  for (HWND wnd = GetHandle(); wnd; wnd = (GetWindowLong(wnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(wnd) : nullptr)
    if (!IsWindowEnabled(wnd)) return false;
  return true;
}

void TCustomqzBarControl::SetViewState(Byte AState) {
  if (GetControlBarManager()->GetIsCustomizing() || FViewState == AState) return;
  Byte old = FViewState;
  FViewState = AState;
  ViewStateChanged(old);
}

bool TCustomqzBarControl::IsAncestorOf(TCustomqzBarControl* AWindow) {
  for (TCustomqzBarControl* opener = AWindow ? AWindow->FOpenerBar : nullptr; opener; opener = opener->FOpenerBar)
    if (opener == this) return true;
  return false;
}

void TCustomqzBarControl::GetBarBounds(TRect& R) { R = GetBoundsRect(); }

void TCustomqzBarControl::ControlRect(TqzBarItemControl* AControl, TRect& R) {
  R = AControl ? AControl->GetItemRect() : TRect();
}

void TCustomqzBarControl::ControlBounds(TqzBarItemControl* AControl, TRect& R) { ControlRect(AControl, R); }

HRGN TCustomqzBarControl::ControlRegion(TqzBarItemControl* AControl) {
  TRect r;
  ControlBounds(AControl, r);
  RECT rect = r;
  return CreateRectRgnIndirect(&rect);
}

Integer TCustomqzBarControl::GroupSpacingBefore(TqzBarItemLink* ALink) {
  return ALink->GetBeginGroup() && ALink->GetVisibleIndex() > 0 ? SeparatorSize() : 0;
}

void TCustomqzBarControl::WindowPosChanged(const WINDOWPOS* APos) {
  bool shows = HasShadow();
  // A change of z-order or visibility alone leaves the outline where it was.
  if (shows && (!APos || (APos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE) ||
                !FShadow->PartCount()))
    UpdateShadowGeometry();
  FShadow->SetVisible(shows);
  ClearBackgroundCache();
}

bool TCustomqzBarControl::HasShadow() {
  return ShadowAllowed() && HandleAllocated() && IsWindowVisible(GetHandle()) &&
         !(GetWindowLong(GetHandle(), GWL_STYLE) & WS_CHILD);
}

bool TCustomqzBarControl::ShadowAllowed() { return Painter()->IsWindowFlat(this); }

void TCustomqzBarControl::UpdateShadowGeometry() {
  // Drawn joined to its opener, the two cast one outline.
  TRect opener;
  if (TouchesOwnerBounds() && Painter()->IsControlFlat(this)) opener = FOwnerBounds;
  FShadow->SetRects(opener, GetScreenRect());
}

void TCustomqzBarControl::ClearBackgroundCache() { FBackgroundCache->SetSize(0, 0); }

void TCustomqzBarControl::RepaintAll() {
  if (!HandleAllocated()) return;
  SendMessage(GetHandle(), WM_NCPAINT, 1, 0);
  Invalidate();
}

void TCustomqzBarControl::RepaintNonClientRect(const TRect& R) {
  if (!HandleAllocated()) return;
  TRect window = GetScreenRect();
  RECT r = R;
  OffsetRect(&r, window.Left, window.Top);
  HRGN region = CreateRectRgnIndirect(&r);
  SendMessage(GetHandle(), WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
  DeleteObject(region);
}

TColor TCustomqzBarControl::GetCaptionSysColor() {
  return Painter()->ClassRef()->CaptionSysColor(IsManagerFormActive(GetControlBarManager()) ? 1 : 0);
}

// ---- Active chain and closing -----------------------------------------------------------------

bool TCustomqzBarControl::StopsOpenerWalk() {
  return IsDetachedPopup() && FOpenerBar && !FOpenerBar->IsDetachedPopup();
}

bool TCustomqzBarControl::IsInActiveChain() {
  if (!gActiveBarControl) return true;
  // Every opener counts, also above a detached popup: the window a collapsed group or the quick
  // control popped up from takes the press that closes it.
  for (TCustomqzBarControl* bar = gActiveBarControl; bar; bar = bar->FOpenerBar)
    if (bar == this) return true;
  return false;
}

void TCustomqzBarControl::ChangeActive(bool AActive) {
  TqzBarManager* manager = GetControlBarManager();
  manager->HideHint();
  bool customizing = manager->GetIsCustomizing();
  if ((AActive == FActive || !CanActivate()) && !(customizing && !AActive)) return;
  SetActive(AActive);
}

void TCustomqzBarControl::SetActive(bool AActive) {
  FActive = AActive;
  if (AActive) {
    // A window shown again after Esc closed it closes its chain as usual.
    FClosedByEsc = false;
    if (!gActiveBarControl) gMenusExpanded = IsCustomizing();
    FPrevActiveBar = gActiveBarControl;
    gActiveBarControl = this;
    if (!IsCustomizing() && FItemLinks) FItemLinks->UpdateActions();
    return;
  }
  FKeptDown = false;
  if (IsCustomizing())
    FCurrentLink = nullptr;
  else
    SetSelectedControl(nullptr);
  if (gActiveBarControl == this) gActiveBarControl = FPrevActiveBar;
  if (gActiveBarControl && (!IsBarControlLive(gActiveBarControl) || !gActiveBarControl->FActive))
    gActiveBarControl = nullptr;
}

void TCustomqzBarControl::SelectControlFocused(TqzBarItemControl* AControl) {
  SetSelectedControl(AControl);
  ChangeActive(true);
}

void TCustomqzBarControl::ClearSelection() {
  SetSelectedControl(nullptr);
  ChangeActive(false);
}

void TCustomqzBarControl::HideBar() {
  TkvObjectLink* self = LinkToObject(this);
  ChangeActive(false);
  if (self->Ref && FOpenerBar && !FClosedByEsc) FOpenerBar->CloseOnce();
  ReleaseObjectLink(self);
}

void TCustomqzBarControl::CloseOnce() {
  if (FBusyFlags & qzBusyClosing) return;
  FBusyFlags |= qzBusyClosing;
  TkvObjectLink* self = LinkToObject(this);
  try {
    HideBar();
  } catch (...) {
    if (self->Ref) FBusyFlags &= ~qzBusyClosing;
    ReleaseObjectLink(self);
    throw;
  }
  if (self->Ref) FBusyFlags &= ~qzBusyClosing;
  ReleaseObjectLink(self);
}

void TCustomqzBarControl::CloseOnEscape() {
  FClosedByEsc = true;
  CloseOnce();
}

void TCustomqzBarControl::CancelMode() {
  if (KindFlags() & qzKindCancelClearsSelection)
    ChangeSelection(nullptr);
  else
    CloseOnEscape();
}

// ---- Placement and the owner -------------------------------------------------------------------

void TCustomqzBarControl::FitOnScreen(TPoint& P, Integer AHeight) {
  TRect work;
  WorkAreaAtPoint(P, work);
  if (P.Y + AHeight > work.Bottom) P.Y = GetClientOrigin().Y - AHeight;
}

TWinControl* TCustomqzBarControl::OwnerControl() { return IsRectEmpty(&FOwnerBounds) ? nullptr : FOwnerWindow; }

TRect TCustomqzBarControl::GetScreenRect() {
  if (HandleAllocated()) {
    RECT window{};
    ::GetWindowRect(GetHandle(), &window);
    return window;
  }
  TRect r = GetBoundsRect();
  if (TWinControl* parent = GetParent()) {
    TPoint origin = parent->ClientToScreen(TPoint(0, 0));
    OffsetRect(&r, origin.X, origin.Y);
  }
  return r;
}

TRect TCustomqzBarControl::GetWindowRectAtOrigin() {
  TRect r = GetScreenRect();
  return TRect(0, 0, r.Width(), r.Height());
}

TPoint TCustomqzBarControl::ClientOriginInWindow() {
  if (!HandleAllocated()) return TPoint(0, 0);
  TRect window = GetScreenRect();
  TPoint origin = ClientToScreen(TPoint(0, 0));
  return TPoint(origin.X - window.Left, origin.Y - window.Top);
}

TRect TCustomqzBarControl::GetClientRectInWindow() {
  TPoint origin = ClientOriginInWindow();
  return TRect(origin.X, origin.Y, origin.X + GetClientWidth(), origin.Y + GetClientHeight());
}

TPoint TCustomqzBarControl::ClientPointToWindow(const TPoint& P) {
  TPoint offset;
  ClientOffset(offset);
  return TPoint(P.X + offset.X, P.Y + offset.Y);
}

bool TCustomqzBarControl::TouchesOwnerBounds() {
  if (IsRectEmpty(&FOwnerBounds)) return false;
  TRect r = GetScreenRect();
  const TRect& o = FOwnerBounds;
  bool overlapX = r.Left < o.Right && o.Left < r.Right;
  bool overlapY = r.Top < o.Bottom && o.Top < r.Bottom;
  return ((r.Top == o.Bottom || r.Bottom == o.Top) && overlapX) || ((r.Left == o.Right || r.Right == o.Left) && overlapY);
}

bool TCustomqzBarControl::ContextPopupOnPress(bool AOnPress) {
  bool onPress = (!(KindFlags() & qzKindContextOnRelease) && !IsDetachedPopup()) ||
                 GetControlBarManager()->GetIsCustomizing();
  return AOnPress ? onPress : (KindFlags() & qzKindContextOnRelease) && !onPress;
}

void TCustomqzBarControl::UpdateDoubleBuffered() {
  SetDoubleBuffered(HasCustomBackground() || GetControlBarManager()->IsOtherManagerActive());
}

// ---- Container links -----------------------------------------------------------------------------

void TCustomqzBarControl::ExpandContainerLinks() {
  if (!FItemLinks) return;
  std::vector<TCustomqzBarContainerItem*> seen;
  for (Integer i = 0; i < FItemLinks->GetFullMenuLinkCount(); ++i) {
    TqzBarItemLink* link = FItemLinks->GetFullMenuLink(i);
    auto* item = dynamic_cast<TCustomqzBarContainerItem*>(link->GetItem());
    if (!item) continue;
    bool first = std::find(seen.begin(), seen.end(), item) == seen.end();
    if (first) seen.push_back(item);
    Integer position = link->GetIndex();
    bool replaced = item->ReplacesOwnLink();
    FExpandedLinks.push_back({link, item, position, replaced});
    item->ExpandLinksInto(FItemLinks, position + 1, link, first);
    if (replaced) {
      link->AttachToCollection(nullptr);
      --i;
    }
  }
}

void TCustomqzBarControl::CollapseContainerLinks() {
  if (FExpandedLinks.empty()) return;
  std::vector<TExpandedLink> expanded = std::move(FExpandedLinks);
  FExpandedLinks.clear();
  for (auto it = expanded.rbegin(); it != expanded.rend(); ++it) {
    if (!FItemLinks) break;
    it->Item->CollapseLinksFrom(FItemLinks, it->Position);
    if (it->Replaced) {
      it->Link->AttachToCollection(FItemLinks);
      it->Link->SetIndex(std::min(it->Position, FItemLinks->GetCount() - 1));
    }
  }
  for (const TExpandedLink& entry : expanded) entry.Item->MarkGeneratedItemsStale();
}

void TCustomqzBarControl::GetOwnerJoinRect(bool AToScreen, TRect& R) {
  R = TRect();
  if (!TouchesOwnerBounds()) return;
  TRect window = GetScreenRect();
  TRect owner = FOwnerBounds;
  OffsetRect(&owner, -window.Left, -window.Top);
  Integer width = window.Width();
  Integer height = window.Height();
  if (window.Top == FOwnerBounds.Bottom || window.Bottom == FOwnerBounds.Top) {
    bool top = window.Top == FOwnerBounds.Bottom;
    Integer y = top ? 0 : height - 1;
    R = TRect(std::max(owner.Left + 1, 1), y, std::min(owner.Right - 1, width - 1), y + 1);
    if (AToScreen) OffsetRect(&R, window.Left, window.Top + (top ? -1 : 1));
  } else {
    bool left = window.Left == FOwnerBounds.Right;
    Integer x = left ? 0 : width - 1;
    R = TRect(x, std::max(owner.Top + 1, 1), x + 1, std::min(owner.Bottom - 1, height - 1));
    if (AToScreen) OffsetRect(&R, window.Left + (left ? -1 : 1), window.Top);
  }
}
