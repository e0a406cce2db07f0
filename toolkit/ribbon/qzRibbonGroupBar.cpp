// The ribbon's bar windows: the common ribbon toolbar window and the group window with its
// layout through the group layout calculator.

#include "toolkit/ribbon/qzRibbonGroupBar.h"

#include <algorithm>
#include <cmath>

#include "toolkit/bars/qzBarNavigation.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonGroupLayoutCalculator.h"
#include "toolkit/ribbon/qzRibbonGroupsDock.h"
#include "toolkit/ribbon/qzRibbonNavigation.h"
#include "gdi/Regions.h"
#include "user/Rects.h"

TAVREN_CLASS_IMPL(TqzRibbonGroupBarControlDesignHelper)
TAVREN_CLASS_IMPL(TqzRibbonCustomBarControl)
TAVREN_CLASS_IMPL(TqzRibbonGroupBarControlViewInfo)
TAVREN_CLASS_IMPL(TqzRibbonGroupBarControl)
TAVREN_CLASS_IMPL(TqzRibbonCollapsedGroupPopupBarControl)

// ---- Ribbon bar window -----------------------------------------------------------------------

TqzRibbonCustomBarControl::TqzRibbonCustomBarControl(TComponent* AOwner, TqzBar* ABar) : TqzBarControl(AOwner, ABar) {
  if (!IsDesigning()) {
    TControlStyle style = GetControlStyle();
    style.Exclude(csDoubleClicks);
    SetControlStyle(style);
  }
}

TqzRibbonCustomBarControl::TqzRibbonCustomBarControl(TCustomqzBarControl* AOpener, TqzBar* ASourceBar, TqzChildBar)
    : TqzBarControl(AOpener, ASourceBar, TqzChildBar{}) {}

TFont* TqzRibbonCustomBarControl::GetBarFont() {
  TqzCustomRibbon* ribbon = Ribbon();
  return ribbon ? ribbon->GetFonts()->GetGroupFont() : inherited::GetBarFont();
}

TFont* TqzRibbonCustomBarControl::GetEditFont() {
  TqzCustomRibbon* ribbon = Ribbon();
  return ribbon ? ribbon->GetFonts()->GetGroupFont() : inherited::GetEditFont();
}

void TqzRibbonCustomBarControl::CreateWnd() {
  GetFont()->Assign(GetBarFont());
  inherited::CreateWnd();
}

TqzBarPainter* TqzRibbonCustomBarControl::Painter() {
  TqzCustomRibbon* ribbon = Ribbon();
  return ribbon ? ribbon->GetGroupsPainter() : inherited::Painter();
}

// A ribbon's bar window is never moved, nor switched between docked and floating, by the mouse:
// its frame answers as client area.
void TqzRibbonCustomBarControl::WndProc(TMessage& Message) {
  inherited::WndProc(Message);
  if (Message.Msg == WM_NCHITTEST && Message.Result != HTCLIENT) Message.Result = HTCLIENT;
}

// ---- Layout site -----------------------------------------------------------------------------

namespace {

// One group as the calculator sees it, made anew for each calculator call.
class TqzRibbonGroupBarControlViewInfoHelper : public TInterfacedObject, public IqzRibbonGroupLayoutSite {
 public:
  explicit TqzRibbonGroupBarControlViewInfoHelper(TqzRibbonGroupBarControlViewInfo* AViewInfo)
      : FViewInfo(AViewInfo) {}
  void AddSeparator(const TqzRibbonGroupSeparatorInfo& AInfo) override { FViewInfo->LayoutSeparators().push_back(AInfo); }
  void ClearSeparators() override { FViewInfo->LayoutSeparators().clear(); }
  TSize GetContentSize() override { return FViewInfo->GetContentSize(); }
  Integer ItemCount() override { return FViewInfo->LayoutItemCount(); }
  TInterfacePtr<IqzBarItemControlViewInfo> GetItem(Integer AIndex) override { return FViewInfo->LayoutItem(AIndex); }
  Integer GetMinWidth() override {
    TqzRibbonGroupBarControl* window = FViewInfo->GetGroupBarControl();
    TqzCustomRibbon* ribbon = window->Ribbon();
    return ribbon ? ribbon->GetGroupsPainter()->GetGroupCaptionWidth(window) : 0;
  }
  TqzRibbonGroupIndents GetIndents() override {
    TqzCustomRibbon* ribbon = FViewInfo->GetGroupBarControl()->Ribbon();
    return TqzRibbonGroupIndents{ribbon ? ribbon->GetPartOffset(qzSkinPartGroupedButton) : 0, 2, 2};
  }
  Integer SeparatorCount() override { return static_cast<Integer>(FViewInfo->LayoutSeparators().size()); }
  TqzRibbonGroupSeparatorInfo GetSeparator(Integer AIndex) override { return FViewInfo->LayoutSeparators()[AIndex]; }
  void SetContentSize(const TSize& ASize) override { FViewInfo->SetContentSize(ASize); }
  void SetSeparator(Integer AIndex, const TqzRibbonGroupSeparatorInfo& AInfo) override {
    FViewInfo->LayoutSeparators()[AIndex] = AInfo;
  }

 private:
  TqzRibbonGroupBarControlViewInfo* FViewInfo;
};

}  // namespace

// ---- Group view info -------------------------------------------------------------------------

TqzRibbonGroupBarControlViewInfo::~TqzRibbonGroupBarControlViewInfo() = default;

TqzRibbonGroupBarControl* TqzRibbonGroupBarControlViewInfo::GetGroupBarControl() const {
  return static_cast<TqzRibbonGroupBarControl*>(GetBarControl());
}

TSize TqzRibbonGroupBarControlViewInfo::GetTotalSize() const {
  return TSize(FContentSize.cx + FNonContentSize.cx, FContentSize.cy + FNonContentSize.cy);
}

TInterfacePtr<IqzRibbonGroupLayoutSite> TqzRibbonGroupBarControlViewInfo::NewSite() {
  return TInterfacePtr<IqzRibbonGroupLayoutSite>(new TqzRibbonGroupBarControlViewInfoHelper(this));
}

void TqzRibbonGroupBarControlViewInfo::RebuildItems() {
  Clear();
  FCollapsed = false;
  FLayoutItems.clear();
  FLayoutSeparators.clear();
  TqzBarItemLinks* links = GetBarControl()->GetItemLinks();
  if (links && links->GetVisibleLinkCount() > 0 && links->GetVisibleLink(0)->GetControl()) {
    for (Integer i = 0; i < links->GetVisibleLinkCount(); ++i) {
      TqzBarItemControl* control = links->GetVisibleLink(i)->GetControl();
      if (!control) continue;
      control->SetIsLastInMenu(false);
      FLayoutItems.push_back(control->GetViewInfo());
    }
    if (!FLayoutItems.empty()) FLayoutItems.back()->GetControl()->SetIsLastInMenu(true);
  }
  CreateLayoutCalculator(FLayoutCalculator);
  FLayoutCalculator->PrepareItems(NewSite().Get());
}

void TqzRibbonGroupBarControlViewInfo::CreateLayoutCalculator(TInterfacePtr<IqzRibbonGroupLayoutCalculator>& ACalculator) {
  TqzCustomRibbon* ribbon = GetGroupBarControl()->Ribbon();
  FRowHeight = ribbon ? ribbon->GroupRowHeight() : 22;
  ACalculator = TInterfacePtr<IqzRibbonGroupLayoutCalculator>(new TqzRibbonGroupLayoutCalculator(FRowHeight, 3));
}

void TqzRibbonGroupBarControlViewInfo::CalculateKeyTipBaseLines() {
  TqzRibbonGroupBarControl* window = GetGroupBarControl();
  TqzCustomRibbon* ribbon = window->Ribbon();
  if (!ribbon || !window->HandleAllocated() || !IsWindowVisible(window->GetHandle())) throw Exception(String());
  TPoint client;
  window->ClientOffset(client);
  const TRect bounds(0, 0, window->GetWidth(), window->GetHeight());
  const Integer top = client.Y;
  const Integer caption = ribbon->GetCaptionRect(bounds, qzSkinPartToolbar).Top;
  FKeyTipBaseLines.RowBaseLines = {top, (top + caption) / 2, caption};
  // The ribbon's margin below the groups.
  FKeyTipBaseLines.BottomBaseLine = bounds.Bottom - 2;
  FKeyTipBaseLines.Calculated = true;
}

Integer TqzRibbonGroupBarControlViewInfo::KeyTipBaseLine(Integer ARow) {
  if (ARow < 0 || ARow > 3 || !GetGroupBarControl()->HandleAllocated()) throw Exception(String());
  if (!FKeyTipBaseLines.Calculated) CalculateKeyTipBaseLines();
  RECT window;
  GetWindowRect(GetGroupBarControl()->GetHandle(), &window);
  return window.Top + (ARow == 3 ? FKeyTipBaseLines.BottomBaseLine : FKeyTipBaseLines.RowBaseLines[ARow]);
}

void TqzRibbonGroupBarControlViewInfo::CalculateLayout() {
  TqzRibbonGroupBarControl* window = GetGroupBarControl();
  const TRect border = window->BorderSizes(dsTop);
  FNonContentSize = TSize(border.Left + border.Right, border.Top + border.Bottom);
  if (!FCollapsed) {
    if (FLayoutCalculator) FLayoutCalculator->ArrangeItems(NewSite().Get());
    return;
  }
  TqzCustomRibbon* ribbon = window->Ribbon();
  FContentSize = ribbon ? TSize(ribbon->GetGroupsPainter()->GetCollapsedGroupWidth(window), ribbon->GroupsHeight())
                        : TSize();
  FLayoutSeparators.clear();
  for (TqzBarItemControlViewInfo* item : FLayoutItems) item->SetBounds(TRect());
}

void TqzRibbonGroupBarControlViewInfo::PrepareReduction() {
  if (FLayoutCalculator) FLayoutCalculator->PrepareReduction(NewSite().Get());
}

bool TqzRibbonGroupBarControlViewInfo::NarrowColumnedItem() {
  return FLayoutCalculator && FLayoutCalculator->NarrowColumnedItem(NewSite().Get());
}

bool TqzRibbonGroupBarControlViewInfo::FoldColumnedItem() {
  return FLayoutCalculator && FLayoutCalculator->FoldColumnedItem(NewSite().Get());
}

bool TqzRibbonGroupBarControlViewInfo::ReduceStep(TqzBarItemViewLevel ALevel) {
  return FLayoutCalculator && FLayoutCalculator->ReduceStep(NewSite().Get(), ALevel);
}

void TqzRibbonGroupBarControlViewInfo::FinishLayout() {
  FKeyTipBaseLines.Calculated = false;
  FLayoutCalculator = nullptr;
  bool changed = false;
  std::map<const TqzBarItemLink*, TRect> rects, separators;
  for (Integer i = 0; i < LayoutItemCount(); ++i) {
    TqzBarItemControl* control = FLayoutItems[i]->GetControl();
    TqzBarItemLink* link = control->GetLink();
    if (!link) continue;
    const TRect bounds = FCollapsed ? TRect() : FLayoutItems[i]->GetBounds();
    rects[link] = bounds;
    if (link->GetItemRect() != bounds) changed = true;
    link->SetItemRect(bounds);
  }
  // The calculator's separators stand in front of the item whose BeginGroup made them, in order.
  size_t next = 0;
  if (!FCollapsed)
    for (Integer i = 0; i < LayoutItemCount() && next < FLayoutSeparators.size(); ++i) {
      TqzBarItemLink* link = FLayoutItems[i]->GetControl()->GetLink();
      if (link && link->GetBeginGroup()) separators[link] = FLayoutSeparators[next++].Bounds;
    }
  FPlacedRects = std::move(rects);
  FPlacedSeparators = std::move(separators);
  FLayoutItems.clear();
  TqzRibbonGroupBarControl* window = GetGroupBarControl();
  if (window->HandleAllocated()) {
    window->CalcViewInfoNow();
    if (changed) window->Invalidate();
  }
}

bool TqzRibbonGroupBarControlViewInfo::PlacedRect(TqzBarItemLink* ALink, TRect& R) const {
  auto found = FPlacedRects.find(ALink);
  if (found == FPlacedRects.end()) return false;
  R = found->second;
  return true;
}

void TqzRibbonGroupBarControlViewInfo::CalcSeparatorRect(TqzBarItemLink* ALink, const TRect&) {
  auto found = FPlacedSeparators.find(ALink);
  if (found != FPlacedSeparators.end()) AppendSeparatorEntry(found->second, 1, ALink->GetControl());
}

// ---- Group window ----------------------------------------------------------------------------

TqzRibbonGroupBarControl::TqzRibbonGroupBarControl(TComponent* AOwner, TqzBar* ABar)
    : TqzRibbonCustomBarControl(AOwner, ABar) {}

TqzRibbonGroupBarControl::TqzRibbonGroupBarControl(TCustomqzBarControl* AOpener, TqzBar* ASourceBar, TqzChildBar)
    : TqzRibbonCustomBarControl(AOpener, ASourceBar, TqzChildBar{}) {}

TqzBarControl* NewRibbonGroupBarControl(TComponent* AOwner, TqzBar* ABar) {
  return new TqzRibbonGroupBarControl(AOwner, ABar);
}

TqzRibbonTabGroup* TqzRibbonGroupBarControl::TabGroup() {
  auto* dock = dynamic_cast<TqzRibbonGroupsDockControl*>(GetDockControl());
  if (!dock) return nullptr;
  TqzRibbonTabGroups* groups = dock->GetTab()->GetGroups();
  for (Integer i = 0; i < groups->GetCount(); ++i)
    if (groups->GetGroup(i)->GetToolBar() == GetBar()) return groups->GetGroup(i);
  return nullptr;
}

TqzCustomRibbon* TqzRibbonGroupBarControl::Ribbon() {
  auto* dock = dynamic_cast<TqzRibbonGroupsDockControl*>(GetDockControl());
  return dock ? dock->GetTab()->GetRibbon() : nullptr;
}

TqzRibbonGroupBarControlViewInfo* TqzRibbonGroupBarControl::GroupViewInfo() {
  return static_cast<TqzRibbonGroupBarControlViewInfo*>(GetLayoutInfo());
}

bool TqzRibbonGroupBarControl::GetCollapsed() {
  TqzRibbonGroupBarControlViewInfo* info = GroupViewInfo();
  return info && info->GetCollapsed();
}

void TqzRibbonGroupBarControl::PlaceControls() {
  TqzBarItemLinks* links = GetItemLinks();
  TqzRibbonGroupBarControlViewInfo* info = GroupViewInfo();
  if (!links || !info) return;
  for (Integer i = 0; i < links->GetVisibleLinkCount(); ++i) {
    TqzBarItemLink* link = links->GetVisibleLink(i);
    TRect r;
    if (link->GetControl() && info->PlacedRect(link, r)) link->SetItemRect(r);
  }
}

// ---- Caption buttons -------------------------------------------------------------------------

Integer RibbonCaptionGlyphSide(Integer AWidth, Integer AHeight) {
  const double steps = (std::min(AWidth, AHeight) - 4) / 12.0;
  const Integer r = std::max(static_cast<Integer>(std::nearbyint(steps)), 1);
  return r == 1 ? 12 : r * 11;
}

void TqzRibbonGroupBarControl::PlaceCaptionButtons() {
  TqzBarCaptionButtons* buttons = GetBar()->GetCaptionButtons();
  TqzCustomRibbon* ribbon = Ribbon();
  if (!buttons || buttons->GetCount() == 0) return;
  if (!ribbon || GetCollapsed()) {
    for (Integer i = 0; i < buttons->GetCount(); ++i) buttons->GetButton(i)->SetBounds(TRect());
    return;
  }
  const TRect strip = ribbon->GetCaptionRect(TRect(0, 0, GetWidth(), GetHeight()), qzSkinPartToolbar);
  const Integer h = strip.Height();
  TRect r(strip.Right - h - 1, strip.Top, strip.Right, strip.Bottom);
  for (Integer i = 0; i < buttons->GetCount(); ++i) {
    buttons->GetButton(i)->SetBounds(r);
    OffsetRect(&r, -(h + 1), 0);
  }
}

Integer TqzRibbonGroupBarControl::KeyTipLine(Integer ARow) { return GroupViewInfo()->KeyTipBaseLine(ARow); }

Byte TqzRibbonGroupBarControl::GetMarkState() {
  if (FMarkState == 0 && GetCollapsed() && GetAccessibilityHelper()->IsCurrentSelection()) return 1;
  return FMarkState;
}

void TqzRibbonGroupBarControl::MarkRect(TRect& R) { R = GetCollapsed() ? GetClientRect() : TRect(); }

namespace {
TqzBarControl* NewCollapsedGroupPopup(TqzBarControl* AParent, TqzBar* ABar) {
  return new TqzRibbonCollapsedGroupPopupBarControl(static_cast<TqzRibbonGroupBarControl*>(AParent), ABar);
}
}  // namespace

TqzQuickControlFactory TqzRibbonGroupBarControl::QuickControlClass() { return &NewCollapsedGroupPopup; }

TClassOf<TqzBarAccessibilityHelper> TqzRibbonGroupBarControl::GetAccessibilityHelperClass() {
  return TqzRibbonGroupBarControlAccessibilityHelper::ClassInfo();
}

TqzRibbonGroupBarControl::~TqzRibbonGroupBarControl() {
  TqzCustomRibbon* ribbon = Ribbon();
  if (TqzFader* fader = ribbon ? ribbon->GetFader() : nullptr) fader->RemoveElementOf(this, true);
}

void TqzRibbonGroupBarControl::CalcViewInfo() {
  TqzCustomRibbon* ribbon = Ribbon();
  if (TqzFader* fader = ribbon ? ribbon->GetFader() : nullptr) fader->FinishAll();
  inherited::CalcViewInfo();
}

void TqzRibbonGroupBarControl::ViewStateChanged(Byte) {
  if (FPaintingLook) return;
  TqzCustomRibbon* ribbon = Ribbon();
  TqzFader* fader = ribbon ? ribbon->GetFader() : nullptr;
  if (!fader || !CanFade()) {
    RepaintAll();
    return;
  }
  if (GetViewState() != 0)
    fader->FadeIn(this);
  else
    fader->FadeOut(this);
}

// A collapsed group's hot look follows its mark, not the view state the fade images are painted
// in: it is repainted instead.
bool TqzRibbonGroupBarControl::CanFade() { return HandleAllocated() && !IsDestroying() && !GetCollapsed(); }

std::unique_ptr<TBitmap> TqzRibbonGroupBarControl::PaintLook(Byte AViewState) {
  RECT window;
  ::GetWindowRect(GetHandle(), &window);
  auto image = std::make_unique<TBitmap>();
  image->SetPixelFormat(pf32bit);
  image->SetSize(window.Right - window.Left, window.Bottom - window.Top);
  HDC dc = image->GetCanvas()->GetHandle();
  const Byte state = GetViewState();
  FPaintingLook = true;
  try {
    SetViewState(AViewState);
    // The cached background is that of the look last painted.
    ClearBackgroundCache();
    TPoint offset;
    ClientOffset(offset);
    const int saved = SaveDC(dc);
    SetWindowOrgEx(dc, -offset.X, -offset.Y, nullptr);
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
    DrawFrameOn(dc);
  } catch (...) {
    SetViewState(state);
    FPaintingLook = false;
    throw;
  }
  SetViewState(state);
  ClearBackgroundCache();
  FPaintingLook = false;
  return image;
}

void TqzRibbonGroupBarControl::GetFadingParams(std::unique_ptr<TBitmap>& ANormalImage,
                                               std::unique_ptr<TBitmap>& AHotImage, Integer&, Integer&, Integer&,
                                               Integer&) {
  ANormalImage = PaintLook(0);
  AHotImage = PaintLook(1);
}

void TqzRibbonGroupBarControl::DrawFadeImage(TBitmap* AImage) {
  if (!HandleAllocated()) return;
  TPoint offset;
  ClientOffset(offset);
  HDC dc = ::GetWindowDC(GetHandle());
  // The images hold the items as they looked when painted; the window keeps their current look.
  if (TCustomqzBarControlViewInfo* info = GetLayoutInfo())
    for (Integer i = 0; i < info->GetItemViewInfoCount(); ++i) {
      TRect r = info->GetItemViewInfoAt(i)->GetBounds();
      OffsetRect(&r, offset.X, offset.Y);
      ExcludeClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
    }
  BitBlt(dc, 0, 0, AImage->GetWidth(), AImage->GetHeight(), AImage->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
  ReleaseDC(GetHandle(), dc);
}

void TqzRibbonGroupBarControl::HideBar() {
  TkvObjectLink* self = LinkToObject(this);
  inherited::HideBar();
  const bool alive = self->Ref != nullptr;
  ReleaseObjectLink(self);
  if (!alive) return;
  if (auto* host = dynamic_cast<TkvPopupWindow*>(FindHostPopupWindow(this, false))) host->ClosePopup();
}

void TqzRibbonGroupBarControl::SelectedControlChanged(TqzBarItemControl* AControl) {
  auto* dock = dynamic_cast<TqzRibbonGroupsDockControl*>(GetDockControl());
  if (!dock || !HandleAllocated() || !dock->HandleAllocated()) return;
  TRect r = AControl->GetItemRect();
  TPoint topLeft = dock->ScreenToClient(ClientToScreen(TPoint(r.Left, r.Top)));
  dock->MakeRectVisible(TRect(topLeft.X, topLeft.Y, topLeft.X + r.Width(), topLeft.Y + r.Height()));
}

void TqzRibbonGroupBarControl::WindowPosChanged(const WINDOWPOS* APos) {
  inherited::WindowPosChanged(APos);
  PlaceCaptionButtons();
}

Integer TqzRibbonGroupBarControl::CaptionButtonAt(const TPoint& P) {
  TqzBarCaptionButtons* buttons = GetBar()->GetCaptionButtons();
  if (!buttons || buttons->GetCount() == 0 || GetCollapsed()) return -1;
  TPoint offset;
  ClientOffset(offset);
  return buttons->HitTest(TPoint(P.X + offset.X, P.Y + offset.Y));
}

void TqzRibbonGroupBarControl::SetCaptionButtonStates(const TPoint& P, bool APressed) {
  TqzBarCaptionButtons* buttons = GetBar()->GetCaptionButtons();
  if (!buttons || buttons->GetCount() == 0) return;
  std::vector<Integer> before;
  for (Integer i = 0; i < buttons->GetCount(); ++i) before.push_back(buttons->GetButton(i)->GetState());
  TPoint offset;
  ClientOffset(offset);
  buttons->UpdateStatesAtPoint(TPoint(P.X + offset.X, P.Y + offset.Y), APressed);
  for (Integer i = 0; i < buttons->GetCount(); ++i)
    if (buttons->GetButton(i)->GetState() != before[i]) RepaintNonClientRect(buttons->GetButton(i)->GetBounds());
}

void TqzRibbonGroupBarControl::BarMouseDown(TMouseButton AButton, TShiftState AShift, bool AInsideClient,
                                            TqzBarItemControl* AControl, const TPoint& P) {
  const Integer button = AButton == mbLeft ? CaptionButtonAt(P) : -1;
  if (button < 0) {
    inherited::BarMouseDown(AButton, AShift, AInsideClient, AControl, P);
    return;
  }
  FPressedCaptionButton = button;
  SetCaptionButtonStates(P, true);
}

void TqzRibbonGroupBarControl::BarMouseMove(TShiftState AShift, const TPoint& P, TqzBarItemControl* AControl) {
  inherited::BarMouseMove(AShift, P, AControl);
  SetCaptionButtonStates(P, FPressedCaptionButton >= 0 && CaptionButtonAt(P) == FPressedCaptionButton);
}

void TqzRibbonGroupBarControl::BarMouseUp(TMouseButton AButton, TShiftState AShift, bool AInsideClient,
                                          TqzBarItemControl* AControl, const TPoint& P) {
  const Integer pressed = FPressedCaptionButton;
  if (pressed < 0) {
    inherited::BarMouseUp(AButton, AShift, AInsideClient, AControl, P);
    return;
  }
  FPressedCaptionButton = -1;
  SetCaptionButtonStates(P, false);
  TqzBarCaptionButtons* buttons = GetBar()->GetCaptionButtons();
  if (CaptionButtonAt(P) == pressed && pressed < buttons->GetCount()) buttons->GetButton(pressed)->Click();
}

void TqzRibbonGroupBarControl::BarMouseLeave() {
  inherited::BarMouseLeave();
  if (FPressedCaptionButton < 0) SetCaptionButtonStates(TPoint(-10000, -10000), false);
}

// ---- Collapsed group's popup -------------------------------------------------------------------

TqzRibbonCollapsedGroupPopupBarControl::TqzRibbonCollapsedGroupPopupBarControl(TqzRibbonCustomBarControl* AOpener,
                                                                               TqzBar* AGroupBar)
    : TqzRibbonGroupBarControl(AOpener, AGroupBar, TqzChildBar{}) {
  // The caption strip shows the group's caption.
  GetBar()->SetCaption(AGroupBar->GetCaption());
}

TqzRibbonCollapsedGroupPopupBarControl::~TqzRibbonCollapsedGroupPopupBarControl() {
  if (!IsDestroying() && GetActive()) ChangeActive(false);
  // The group's ribbon is known only while the popup is whole.
  TqzCustomRibbon* ribbon = Ribbon();
  if (TqzFader* fader = ribbon ? ribbon->GetFader() : nullptr) fader->RemoveElementOf(this, true);
}

TqzRibbonGroupBarControl* TqzRibbonCollapsedGroupPopupBarControl::CollapsedGroup() const {
  return dynamic_cast<TqzRibbonGroupBarControl*>(GetOpenerBar());
}

TqzCustomRibbon* TqzRibbonCollapsedGroupPopupBarControl::Ribbon() {
  auto* opener = dynamic_cast<TqzRibbonCustomBarControl*>(GetOpenerBar());
  return opener ? opener->Ribbon() : nullptr;
}

String TqzRibbonCollapsedGroupPopupBarControl::GetCaptionText() {
  TqzBar* group = GetSourceBar();
  return group ? group->GetCaption() : inherited::GetCaptionText();
}

void TqzRibbonCollapsedGroupPopupBarControl::PopupSize(TSize& ASize) {
  HandleNeeded();
  CreateControls();
  TqzRibbonGroupBarControlViewInfo* info = GroupViewInfo();
  info->RebuildItems();
  info->CalculateLayout();
  info->FinishLayout();
  ASize = info->GetTotalSize();
}

void TqzRibbonCollapsedGroupPopupBarControl::GetParentOpenerRect(TRect& R) {
  R = TRect();
  TqzRibbonGroupBarControl* group = CollapsedGroup();
  if (!group || !group->HandleAllocated()) return;
  RECT window;
  GetWindowRect(group->GetHandle(), &window);
  R = window;
}

void TqzRibbonCollapsedGroupPopupBarControl::ResetParentMark() {
  TqzRibbonGroupBarControl* group = CollapsedGroup();
  const bool byEsc = GetClosedByEsc();
  inherited::ResetParentMark();
  // The popup is gone now.
  TqzBarNavigationController* controller = NavigationControllerInstance();
  if (group && byEsc && controller->InNavigationMode())
    controller->MoveSelection(false, BarHelperRef(group->GetAccessibilityHelper()));
}

void TqzRibbonCollapsedGroupPopupBarControl::GetAvoidedRect(const TRect& AOwnerRect, TRect& R) {
  R = AOwnerRect;
  TqzCustomRibbon* ribbon = Ribbon();
  if (!ribbon || !ribbon->HandleAllocated()) return;
  RECT window;
  GetWindowRect(ribbon->GetHandle(), &window);
  R = window;
}

void TqzRibbonCollapsedGroupPopupBarControl::ShowAsPopup(const TRect& AOwnerRect) {
  ClearClosedByEsc();
  TSize size;
  PopupSize(size);
  TRect avoided;
  GetAvoidedRect(AOwnerRect, avoided);
  TPoint p(AOwnerRect.Left, std::max(avoided.Bottom, AOwnerRect.Bottom + 2));
  TRect work;
  WorkAreaAtPoint(p, work);
  if (work.Bottom - p.Y < size.cy) {
    p.Y = std::min(avoided.Top - size.cy - 2, AOwnerRect.Top - size.cy - 4);
    // Flipped above, the popup still stays on the work area.
    p.Y = std::max(p.Y, work.Top);
  }
  p.X = std::max(work.Left, std::min(p.X, work.Right - size.cx));
  // The skin's group frame has rounded corners that leave the corner pixels to what lies behind:
  // over the desktop there is nothing behind, so the window itself is rounded.
  SetWindowRgn(GetHandle(), CreateRoundRectRgn(0, 0, size.cx, size.cy, 4, 4), FALSE);
  SetWindowPos(GetHandle(), nullptr, p.X, p.Y, size.cx, size.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  ChangeActive(true);
  RepaintAll();
}
