#include "toolkit/inspector/JyPopupControl.h"

#include <algorithm>

#include "gdi/Gdi.h"
#include "rtl/Math.h"
#include "rtl/SysUtils.h"
#include "toolkit/inspector/JyEdit.h"
#include "toolkit/inspector/JySharedCommon.h"
#include "user/Rects.h"
#include "user/User.h"
#include "vcl/Forms.h"


// ---- The popup ----------------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TJyPopupControl,
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd),
    MESSAGE_HANDLER(WM_ACTIVATEAPP, WMActivateApp),
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter),
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave))

TJyPopupControl::TJyPopupControl(TComponent* AOwner)
    : TJyControl(AOwner), FOwnerControl(dynamic_cast<TWinControl*>(AOwner)) {
  SetBorderWidth(0);
  FVisible = false;
}

void TJyPopupControl::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.WndParent = GetDesktopWindow();
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  Params.WindowClass.style = CS_SAVEBITS | CS_DBLCLKS;
}

void TJyPopupControl::CreateWnd() {
  inherited::CreateWnd();
  ::SetParent(GetHandle(), nullptr);
  GetVertScrollBar()->SetLargeChange(10);
}

void TJyPopupControl::Popup(Integer X, Integer Y) {
  const Integer ownerHeight = FOwnerControl ? FOwnerControl->GetHeight() : 0;
  const TRect anchor = Rect(X, Y, X + (FOwnerControl ? FOwnerControl->GetWidth() : 0), Y + ownerHeight);
  const TRect work = Screen()->MonitorFromRect(anchor)->GetWorkareaRect();
  const Integer width = GetWidth(), height = GetHeight();
  if (work.Right < X + width) X = work.Right - width;
  X = std::max(X, work.Left);
  // A list that does not fit below the edit opens above it, and stays on its monitor either way.
  if (Y + height > work.Bottom) Y = Y - ownerHeight - height;
  Y = std::max(Y, work.Top);
  SetWindowPos(GetHandle(), HWND_TOPMOST, X, Y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  SetBounds(X, Y, width, height);
  FClosed = false;
  FArmed = false;
  SetVisible(true);
  SetCapture(GetHandle());
  // The keyboard stays with the edit: its keys move, pick and close the list, and an in-place
  // editor whose owner would see the focus leave must not close under its own popup.
  Repaint();
}

void TJyPopupControl::ClosePopup() {
  FArmed = false;
  auto* edit = dynamic_cast<TJyPopupEdit*>(FOwnerControl);
  if (edit && edit->GetDroppedDown()) {
    edit->SetDroppedDown(false);
  } else {
    // Opened by other means than its edit: the popup closes itself.
    FClosed = true;
    if (HandleAllocated() && GetCapture() == GetHandle()) ReleaseCapture();
    if (HandleAllocated()) ShowWindow(GetHandle(), SW_HIDE);
    FVisible = false;
  }
  FOnCloseUp(this);
}

void TJyPopupControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (!FArmed) {
    // The release of the click that opened the popup.
    FArmed = true;
    SetCapture(GetHandle());
    return;
  }
  const TRect client = GetClientRect();
  if (PtInRect(&client, Point(X, Y)))
    SelectAt(X, Y);
  else if (!FClosed)
    ClosePopup();
}

void TJyPopupControl::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

void TJyPopupControl::WMActivateApp(TMessage& Message) {
  InheritedMessage(Message);
  if (Message.WParam == 0 && !FClosed) ClosePopup();
}

void TJyPopupControl::CMMouseEnter(TMessage& Message) {
  InheritedMessage(Message);
  if (GetCapture() == GetHandle()) ReleaseCapture();
}

void TJyPopupControl::CMMouseLeave(TMessage& Message) {
  InheritedMessage(Message);
  ClearHotParts();
  // Holding the mouse again lets a click outside reach the popup and close it.
  if (!FClosed) SetCapture(GetHandle());
}

// ---- The list -----------------------------------------------------------------------------------

TJyPopupList::TJyPopupList(TComponent* AOwner) : TJyPopupControl(AOwner) {
  SetClientHeight(50);
  SetClientWidth(80);
}

Integer TJyPopupList::VisibleRows() { return ContentHeight() / FItemHeight; }

TRect TJyPopupList::RowRect(Integer I) {
  const Integer top = (I - GetVertScrollBar()->GetPosition()) * FItemHeight + 2;
  return Rect(2, top, 2 + ContentWidth(), top + FItemHeight);
}

void TJyPopupList::SetItemIndex(Integer I) {
  FItemIndex = I;
  TJyVertScrollBar* bar = GetVertScrollBar();
  const Integer position = bar->GetPosition();
  if (I >= VisibleRows() + position)
    bar->MoveBy(I - VisibleRows() - position + 1);
  else if (I < position)
    bar->MoveBy(I - position);
  SetHoverIndex(I);
}

void TJyPopupList::SetHoverIndex(Integer I) {
  FPrevHoverIndex = FHoverIndex;
  FHoverIndex = I;
  if (FPrevHoverIndex == FHoverIndex || !HandleAllocated()) return;
  const TRect previous = RowRect(FPrevHoverIndex), next = RowRect(FHoverIndex);
  InvalidateRect(GetHandle(), &previous, FALSE);
  InvalidateRect(GetHandle(), &next, FALSE);
}

String TJyPopupList::GetValuePart(Integer I) {
  if (I < 0 || !FStrings || I >= FStrings->GetCount()) return String();
  return LineValuePart(FStrings->GetStrings(I));
}

void TJyPopupList::Popup(Integer X, Integer Y) {
  TJyVertScrollBar* bar = GetVertScrollBar();
  bar->SetMax(ScrollRange());
  bar->SetPageSize(0);
  const Integer count = ItemCount();
  if (count > 0) {
    const Integer b = GetSystemMetrics(SM_CXVSCROLL);
    bar->SetBounds(GetClientWidth() - b - 2, 2, b, GetClientHeight() - 4);
    const double share = double(VisibleRows()) / count * 100;
    bar->SetPageSize(std::max<Integer>(8, static_cast<Integer>(Round(bar->TrackLength() * share / 100))));
  }
  inherited::Popup(X, Y);
}

void TJyPopupList::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  const TRect content = ContentRect();
  if (PtInRect(&content, Point(X, Y)) && !(GetVertScrollBar()->FThumbState & kPartPressed))
    SetHoverIndex((Y - 2) / FItemHeight + GetVertScrollBar()->GetPosition());
}

void TJyPopupList::SelectAt(Integer X, Integer Y) {
  const TRect content = ContentRect();
  if (!PtInRect(&content, Point(X, Y))) return;
  const Integer index = (Y - 2) / FItemHeight + GetVertScrollBar()->GetPosition();
  FItemIndex = index;
  if (index >= 0 && index < ItemCount()) DoSelect(FStrings->GetStrings(index));
}

void TJyPopupList::Paint() {
  inherited::Paint();
  TCanvas* canvas = GetCanvas();
  canvas->SetFont(GetFont());
  FVertScrollArea = ContentRect();
  const Integer count = ItemCount();
  Integer top = 2;
  for (Integer index = GetVertScrollBar()->GetPosition(); index < count; ++index) {
    const TRect row = Rect(2, top, 2 + ContentWidth(), top + FItemHeight);
    const bool hover = index == FHoverIndex;
    canvas->GetBrush()->SetColor(hover ? FSelectionColor : FBackgroundColor);
    canvas->FillRect(row);
    canvas->GetFont()->SetColor(hover ? FHighlightTextColor : clWindowText);
    DrawItem(index, row);
    top += FItemHeight;
    if (top > ContentHeight()) break;
  }
  const TRect content = ContentRect();
  if (top < content.Bottom) {
    canvas->GetBrush()->SetColor(FBackgroundColor);
    canvas->FillRect(Rect(2, top, content.Right, content.Bottom));
  }
}

void TJyPopupList::DrawItem(Integer Index, const TRect& R) {
  TCanvas* canvas = GetCanvas();
  TRect text = R;
  text.Left = R.Left + 2;
  if (FShowImages && FImages) {
    if (Index < FImages->GetCount())
      FImages->Draw(canvas, text.Left, R.Top + (FItemHeight - FImages->GetHeight()) / 2, Index);
    text.Left = R.Left + FImages->GetWidth() + 5;
  }
  const String line = FStrings->GetStrings(Index);
  if (FDisplayMode == dmIndentList) {
    // A name part that is no number indents nothing, rather than failing the whole paint.
    Integer level = 0;
    if (!TryStrToInt(LineNamePart(line), level)) level = 0;
    text.Left += 10 * level;
  }
  TGraphicsProvider::DrawTextRect(canvas, text, false, LineDisplayText(line, FDisplayMode), taLeftJustify);
}
