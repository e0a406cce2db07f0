#include "toolkit/ribbon/qzRibbonTabGroupsPopup.h"

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarNavigation.h"
#include "toolkit/bars/qzBarShadow.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonGroupsDock.h"
#include "toolkit/ribbon/qzRibbonSkins.h"
#include "toolkit/ribbon/qzRibbonTabs.h"
#include "gdi/Regions.h"
#include "user/Painting.h"
#include "user/Rects.h"

TAVREN_CLASS_IMPL(TqzRibbonTabGroupsPopupWindow)

TAVREN_MESSAGE_TABLE(TqzRibbonTabGroupsPopupWindow, MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint),
                     MESSAGE_HANDLER(CM_DIALOGKEY, CMDialogKey))

TqzRibbonTabGroupsPopupWindow::TqzRibbonTabGroupsPopupWindow(TqzCustomRibbon* ARibbon)
    : TkvCustomPopupWindow(ARibbon), FRibbon(ARibbon), FShadow(std::make_unique<TqzBarShadow>(this)) {}

TqzRibbonTabGroupsPopupWindow::~TqzRibbonTabGroupsPopupWindow() = default;

void TqzRibbonTabGroupsPopupWindow::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.WindowClass.style |= CS_SAVEBITS;
}

void TqzRibbonTabGroupsPopupWindow::CreateWnd() {
  inherited::CreateWnd();
  UpdateRegion();
}

void TqzRibbonTabGroupsPopupWindow::Resize() {
  inherited::Resize();
  UpdateRegion();
}

void TqzRibbonTabGroupsPopupWindow::UpdateRegion() {
  if (!HandleAllocated()) return;
  SetWindowRgn(GetHandle(), CreateRoundRectRgn(0, 0, GetWidth() + 1, GetHeight() + 1, 4, 4), TRUE);
}

// The reference row is the tab row, one pixel up, clipped to the work area of the monitor under
// the mouse. Opened by keyboard with the mouse on another monitor that clip would leave nothing,
// so the ribbon's own monitor is taken then.
TRect TqzRibbonTabGroupsPopupWindow::CalculateBounds() {
  const TRect client = FRibbon->GetClientRect();
  const TPoint topLeft = FRibbon->ClientToScreen(client.TopLeft());
  const TPoint bottomRight = FRibbon->ClientToScreen(client.BottomRight());
  const TRect tabs = FRibbon->GetViewInfo()->TabsAreaBounds();
  TRect row(topLeft.X, FRibbon->ClientToScreen(tabs.TopLeft()).Y - 1, bottomRight.X,
            FRibbon->ClientToScreen(tabs.BottomRight()).Y - 1);
  TPoint cursor;
  GetCursorPos(&cursor);
  TRect area;
  WorkAreaAtPoint(cursor, area);
  TRect clipped;
  if (!IntersectRect(&clipped, &row, &area)) {
    WorkAreaAtPoint(TPoint((row.Left + row.Right) / 2, (row.Top + row.Bottom) / 2), area);
    if (!IntersectRect(&clipped, &row, &area)) clipped = TRect{};
  }
  const Integer height = FRibbon->GetViewInfo()->GetGroupsHeight(true);
  TRect result(clipped.Left, clipped.Bottom, clipped.Right, clipped.Bottom + height);
  if (result.Bottom > area.Bottom) {
    result.Bottom = clipped.Top;
    result.Top = clipped.Top - height;
    // Flipped above, a tall popup could pass the top of the work area as well.
    if (result.Top < area.Top) result = TRect(result.Left, area.Top, result.Right, area.Top + height);
  }
  return result;
}

void TqzRibbonTabGroupsPopupWindow::AdjustToChildren() {
  const TRect bounds = CalculateBounds();
  SetWidth(bounds.Width());
  SetHeight(bounds.Height());
}

void TqzRibbonTabGroupsPopupWindow::ComputePosition(TPoint& Point) { Point = CalculateBounds().TopLeft(); }

void TqzRibbonTabGroupsPopupWindow::FireShowing() {
  if (TqzRibbonTab* tab = FRibbon->GetActiveTab()) {
    TqzRibbonGroupsDockControlSite* site = FRibbon->GetGroupsSite();
    site->SetParent(this);
    site->SetBoundsRect(GetClientRect());
    TqzRibbonGroupsDockControl* dock = tab->GetDockControl();
    dock->GetViewInfo()->ResetScrolling();
    dock->HandleNeeded();
    const TRect bounds = tab->GetGroupsDockBounds();
    dock->GetViewInfo()->Calculate(bounds);
    dock->SetBoundsRect(bounds);
    dock->SetVisible(true);
  }
  inherited::FireShowing();
}

void TqzRibbonTabGroupsPopupWindow::FireShown() {
  if (HandleAllocated()) {
    RECT r;
    GetWindowRect(GetHandle(), &r);
    FShadow->SetRects(TRect{}, r);
    FShadow->SetVisible(true);
  }
  inherited::FireShown();
  const TqzRibbonGroupsPopupEntry entry = FKeyboardEntry;
  FKeyboardEntry = rgpeMouse;
  TqzRibbonTab* tab = FRibbon->GetActiveTab();
  if (!tab || entry == rgpeMouse) return;
  TqzBarNavigationController* controller = NavigationControllerInstance();
  if (entry == rgpeKeyTips)
    controller->SetKeyTipContainer(BarHelperRef(tab->GetAccessibilityHelper()), String());
  else
    controller->MoveSelection(false, tab->GetDockControl()->GetAccessibilityHelper()->DefaultNavigationObject());
}

void TqzRibbonTabGroupsPopupWindow::FireClosed() {
  FShadow->SetVisible(false);
  TqzRibbonGroupsDockControlSite* site = FRibbon->GetGroupsSite();
  if (site && site->GetParent() == this) {
    site->SetBoundsRect(TRect{});
    site->SetParent(FRibbon);
  }
  FRibbon->Changed();
  inherited::FireClosed();
}

// Esc closes the popup; in keyboard navigation the keyboard goes back to the groups' tab.
void TqzRibbonTabGroupsPopupWindow::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE) {
    Key = 0;
    TqzRibbonTab* tab = FRibbon->GetActiveTab();
    ClosePopup();
    TqzBarNavigationController* controller = NavigationControllerInstance();
    if (tab && controller->InNavigationMode())
      controller->MoveSelection(false, BarHelperRef(tab->GetAccessibilityHelper()));
    return;
  }
  inherited::KeyDown(Key, Shift);
}

// A left press on the header of the tab already active would open the popup again as it closes
// it: that press is swallowed. Presses on the ribbon and its form go on; elsewhere the ribbon's
// event decides.
bool TqzRibbonTabGroupsPopupWindow::HandlesOwnerClick(HWND Window, UINT Message, const TPoint& MousePoint,
                                                      TShiftState Shift) {
  if (!FRibbon->HandleAllocated()) return false;
  const HWND ribbon = FRibbon->GetHandle();
  if (Window == ribbon) {
    if (Message != WM_LBUTTONDOWN) return false;
    const TPoint p = FRibbon->ScreenToClient(MousePoint);
    const TqzRibbonHitInfo hit = FRibbon->GetViewInfo()->HitTest(p.X, p.Y);
    return hit.Kind == rhkTab && hit.Tab == FRibbon->GetActiveTab();
  }
  TCustomForm* form = ::GetParentForm(FRibbon);
  if ((form && form->HandleAllocated() && Window == form->GetHandle()) || IsChild(ribbon, Window)) return false;
  return !FRibbon->DoHideMinimizedByClick(Window, Shift, MousePoint);
}

// Arrows and Tab reach the popup as dialog keys while no keyboard navigation runs: instead of
// moving the focus they start navigation on the first element of the groups.
void TqzRibbonTabGroupsPopupWindow::CMDialogKey(TMessage& Message) {
  TqzRibbonTab* tab = FRibbon->GetActiveTab();
  if (tab && TqzBarNavigationController::IsArrowOrTabKey(static_cast<Word>(Message.WParam))) {
    NavigationControllerInstance()->EnterNavigation(BarHelperRef(tab->GetDockControl()->GetAccessibilityHelper()));
    Message.Result = 1;
    return;
  }
  InheritedMessage(Message);
}

void TqzRibbonTabGroupsPopupWindow::WMNCPaint(TMessage& Message) {
  HRGN region = reinterpret_cast<HRGN>(Message.WParam);
  HDC dc = Message.WParam > 1 ? GetDCEx(GetHandle(), region, DCX_WINDOW | DCX_INTERSECTRGN)
                              : GetDCEx(GetHandle(), nullptr, DCX_WINDOW);
  if (TqzCustomRibbonSkin* skin = FRibbon->GetColorScheme())
    skin->DrawTabGroupsPopup(dc, TRect(0, 0, GetClientWidth(), GetClientHeight()));
  ReleaseDC(GetHandle(), dc);
  Message.Result = 0;
}
