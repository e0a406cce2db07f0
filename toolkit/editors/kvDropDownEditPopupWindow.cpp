// The edit popup window: its size and position rules, the grip corner away from the editor,
// resizing with the mouse through a size frame, the close button and the window region.

#include <algorithm>

#include "toolkit/editors/kvDropDownEdit.h"
#include "user/Rects.h"
#include "toolkit/foundation/kvDWMApi.h"
#include "user/Input.h"

namespace {

// Only one popup is resized at a time: the mouse capture sees to that.
struct TSizingState {
  TkvCustomEditPopupWindow* Popup = nullptr;  // the popup being resized
  bool Sizing = false;
  bool CursorSet = false;
  TPoint Grab;       // offset of the grab point from the moving edges
  TPoint Direction;  // -1, 0 or +1 on each axis
  TRect FrameRect;
  TRect LastFrameRect;
};
TSizingState GSizing;

void ClearSizingFlags() {
  GSizing.Sizing = false;
  GSizing.CursorSet = false;
  GSizing.Popup = nullptr;
}

bool SizingPopup(const TkvCustomEditPopupWindow* Popup) { return GSizing.Sizing && GSizing.Popup == Popup; }

// Keeps the calculating flag for the length of a scope.
class TCalculatingScope {
 public:
  explicit TCalculatingScope(TkvCustomEditPopupWindow* Popup) : FPopup(Popup), FSaved(Popup->GetCalculating()) {
    FPopup->SetCalculating(true);
  }
  ~TCalculatingScope() { FPopup->SetCalculating(FSaved); }

 private:
  TkvCustomEditPopupWindow* FPopup;
  bool FSaved;
};

TRect WindowScreenRect(HWND Window) {
  RECT r{};
  GetWindowRect(Window, &r);
  return TRect(r.Left, r.Top, r.Right, r.Bottom);
}

}  // namespace

bool EditPopupSizing() { return GSizing.Sizing; }

TAVREN_CLASS_IMPL(TkvCustomEditPopupWindow)
TAVREN_CLASS_IMPL(TkvPopupEditPopupWindow)

TAVREN_MESSAGE_TABLE(TkvCustomEditPopupWindow, MESSAGE_HANDLER(KVM_POPUPREPLAYCHAR, KVMPopupReplayChar),
                     MESSAGE_HANDLER(WM_LBUTTONUP, WMLButtonUp), MESSAGE_HANDLER(WM_CAPTURECHANGED, WMCaptureChanged),
                     MESSAGE_HANDLER(WM_CANCELMODE, WMCancelMode))

TkvCustomEditPopupWindow::TkvCustomEditPopupWindow(TControl* OwnerControl, TkvContainerViewInfoClass ViewInfoClass)
    : TkvCustomPopupWindow(OwnerControl, TClasses{TkvContainerStyle::ClassInfo(), ViewInfoClass}),
      FOwnerEditor(dynamic_cast<IkvEditPopupOwner*>(OwnerControl)) {
  GetEditViewInfo()->CloseButtonState = 1;
}

TkvCustomEditPopupWindow::~TkvCustomEditPopupWindow() {
  FSizeFrame.reset();
  // A popup freed in the middle of a resize leaves no sizing behind for the next one.
  if (GSizing.Popup == this) ClearSizingFlags();
}

IkvEditPopupOwner* TkvCustomEditPopupWindow::GetOwnerEditor() { return GetOwnerControl() ? FOwnerEditor : nullptr; }

TkvCustomEditPopupWindowViewInfo* TkvCustomEditPopupWindow::GetEditViewInfo() const {
  return static_cast<TkvCustomEditPopupWindowViewInfo*>(GetViewInfo());
}

void TkvCustomEditPopupWindow::RefreshOwnerBounds() {
  if (IkvEditPopupOwner* owner = GetOwnerEditor()) SetOwnerBounds(owner->PopupOwnerBounds());
}

void TkvCustomEditPopupWindow::TakeOwnerLooks() {
  TkvCustomEditPopupWindowViewInfo* info = GetEditViewInfo();
  IkvEditPopupOwner* owner = GetOwnerEditor();
  info->LookAndFeelKind = owner ? owner->PopupControlsLookAndFeelKind() : lfStandard;
  info->SkinPainter = owner ? owner->PopupSkinPainter() : nullptr;
}

TRect TkvCustomEditPopupWindow::BorderMarginsRect() {
  TRect margins;
  GetEditViewInfo()->BorderMargins(margins);
  return margins;
}

// ---- Size and position ---------------------------------------------------------------------

TSize TkvCustomEditPopupWindow::MinimumSize() {
  TkvCustomEditPopupWindowViewInfo* info = GetEditViewInfo();
  const TRect b = BorderMarginsRect();
  TSize size{b.Left + b.Right, b.Top + b.Bottom};
  if (FSizeable && FSysPanelStyle) size.cx += info->CloseButtonSize().cx + info->GripCellSize().cx + 10;
  return size;
}

void TkvCustomEditPopupWindow::AdjustToChildren() {
  GetEditViewInfo()->GripCorner = 3;
  RefreshOwnerBounds();
  IkvEditPopupOwner* owner = GetOwnerEditor();
  if (!owner) return;
  TakeOwnerLooks();
  const TRect b = BorderMarginsRect();
  const TSize minimum = MinimumSize();
  Integer contentWidth = 0, contentHeight = 0;
  owner->MeasurePopupContent(contentWidth, contentHeight);
  Integer width, height;
  if (FAutoSize)
    width = b.Left + b.Right + contentWidth;
  else
    width = FPopupWidth != 0 ? FPopupWidth : GetOwnerBounds().Width();
  if (FSizeable && FMinWidth > 0) width = std::max(width, FMinWidth);
  if (FAutoSize)
    height = b.Top + b.Bottom + contentHeight;
  else
    height = FPopupHeight > 0 ? FPopupHeight : std::max(FMinHeight, minimum.cy);
  if (FSizeable && FMinHeight > 0) height = std::max(height, FMinHeight);
  TCalculatingScope calculating(this);
  SetBounds(GetLeft(), GetTop(), std::max(width, minimum.cx), std::max(height, minimum.cy));
}

void TkvCustomEditPopupWindow::ComputePosition(TPoint& Point) {
  RefreshOwnerBounds();
  TkvCustomPopupWindow::ComputePosition(Point);
  const TRect o = OwnerScreenBounds();
  const TRect w = NearestMonitorWorkArea(Point);
  const Integer x = Point.X, y = Point.Y, right = x + GetWidth(), bottom = y + GetHeight();
  const bool left = (GetAlignHorz() == 2 && right == o.Right && w.Left < x) || right == o.Left ||
                    (right == w.Right && x < o.Right);
  const bool up = (GetAlignVert() == 2 && bottom == o.Bottom && w.Top < y) || bottom == o.Top ||
                  (bottom == w.Bottom && y < o.Bottom);
  GetEditViewInfo()->GripCorner = left ? (up ? 0 : 2) : (up ? 1 : 3);
  if (FShadow && up) Point.Y += kvEditPopupShadowSize;
}

bool TkvCustomEditPopupWindow::ClipsToWorkArea() {
  IkvEditPopupOwner* owner = GetOwnerEditor();
  return owner && owner->PopupClampsToWorkArea();
}

TSize TkvCustomEditPopupWindow::MaxContentSize() {
  RefreshOwnerBounds();
  const TRect o = OwnerScreenBounds();
  const TRect w = NearestMonitorWorkArea(o.TopLeft());
  const Integer shadow = FShadow ? kvEditPopupShadowSize : 0;
  TSize size;
  if (GetDirection() == 1) {
    size.cx = w.Width();
    size.cy = std::max(w.Bottom - o.Bottom, o.Top - w.Top + shadow);
  } else {
    size.cx = std::max(w.Right - o.Right, o.Left - w.Left + shadow) + 1;
    size.cy = w.Height();
  }
  const TRect b = BorderMarginsRect();
  return TSize{std::max(size.cx - b.Left - b.Right, 0), std::max(size.cy - b.Top - b.Bottom, 0)};
}

bool TkvCustomEditPopupWindow::CanResize(Integer& NewWidth, Integer& NewHeight) {
  if (FSizeable && !FCalculating && (NewWidth != GetWidth() || NewHeight != GetHeight())) {
    const TSize minimum = MinimumSize();
    NewWidth = std::max(NewWidth, std::max(minimum.cx, FMinWidth));
    NewHeight = std::max(NewHeight, std::max(minimum.cy, FMinHeight));
    IkvEditPopupOwner* owner = GetOwnerEditor();
    if ((NewWidth != GetWidth() || NewHeight != GetHeight()) && owner && owner->PopupShowsLookupList()) {
      const TRect b = BorderMarginsRect();
      TSize content{NewWidth - b.Left - b.Right, NewHeight - b.Top - b.Bottom};
      if (owner->PopupListResizable(content, MaxContentSize())) {
        NewWidth = std::max(content.cx + b.Left + b.Right, minimum.cx);
        NewHeight = std::max(content.cy + b.Top + b.Bottom, minimum.cy);
      } else {
        NewWidth = GetWidth();
        NewHeight = GetHeight();
      }
    }
  }
  TkvCustomPopupWindow::CanResize(NewWidth, NewHeight);
  return true;
}

void TkvCustomEditPopupWindow::AdjustClientRect(TRect& Rect) {
  const TRect b = BorderMarginsRect();
  Rect = TRect(b.Left, b.Top, GetWidth() - b.Right, GetHeight() - b.Bottom);
}

// ---- Showing and closing -------------------------------------------------------------------

void TkvCustomEditPopupWindow::Present(TWinControl* FocusControl) {
  TControl* ownerControl = GetOwnerControl();
  if (IkvEditPopupOwner* owner = GetOwnerEditor(); owner && ownerControl && !ownerControl->GetVisible())
    owner->ReleasePopup();
  TkvCustomPopupWindow::Present(FocusControl);
}

bool TkvCustomEditPopupWindow::HandlesOwnerClick(HWND, UINT, const TPoint& MousePoint, TShiftState) {
  return GetOwnerEditor() && RectHoldsPoint(OwnerScreenBounds(), MousePoint);
}

void TkvCustomEditPopupWindow::FireShown() {
  TWeakRef<TkvCustomEditPopupWindow> self(this);
  Relayout();
  UpdateWindowRegion();
  if (self) TkvCustomPopupWindow::FireShown();
}

void TkvCustomEditPopupWindow::FireClosing() {
  TWeakRef<TkvCustomEditPopupWindow> self(this);
  TkvCustomPopupWindow::FireClosing();
  if (self) FSizeFrame.reset();
}

void TkvCustomEditPopupWindow::FireClosed() {
  ClearSizingFlags();
  TkvCustomPopupWindow::FireClosed();
}

void TkvCustomEditPopupWindow::CloseForModalResult() {
  IkvEditPopupOwner* owner = GetOwnerEditor();
  if (!owner) {
    Dismiss();
    return;
  }
  const TModalResult result = GetModalResult();
  owner->EndPopup(result == mrOk ? pcrAccept : result == mrCancel ? pcrCancel : pcrNone);
}

void TkvCustomEditPopupWindow::CreateParams(TCreateParams& Params) {
  TkvCustomPopupWindow::CreateParams(Params);
  IkvEditPopupOwner* owner = GetOwnerEditor();
  if (owner && owner->PopupUsesNativeTheme() && DwmCompositionEnabled()) Params.WindowClass.style |= CS_DROPSHADOW;
}

// ---- Layout --------------------------------------------------------------------------------

void TkvCustomEditPopupWindow::UpdateLayoutInfo() {
  TkvCustomEditPopupWindowViewInfo* info = GetEditViewInfo();
  info->Bounds = TRect(0, 0, GetWidth(), GetHeight());
  TakeOwnerLooks();
  info->Calculate();
}

void TkvCustomEditPopupWindow::Relayout() {
  RefreshOwnerBounds();
  UpdateLayoutInfo();
  if (IkvEditPopupOwner* owner = GetOwnerEditor()) owner->PositionPopupContent(GetEditViewInfo()->ClientRect);
  if (!HandleAllocated()) return;
  InvalidateRect(GetHandle(), nullptr, TRUE);
  Update();
}

void TkvCustomEditPopupWindow::InvalidateArea(const TRect& R) {
  if (HandleAllocated()) InvalidateRect(GetHandle(), &R, TRUE);
}

void TkvCustomEditPopupWindow::UpdateWindowRegion() {
  if (!HandleAllocated()) return;
  TkvCustomEditPopupWindowViewInfo* info = GetEditViewInfo();
  const bool castsShadow = FShadow && !FNativeStyle;
  TRect r(0, 0, GetWidth(), GetHeight());
  if (castsShadow) {
    r.Right -= kvEditPopupShadowSize;
    r.Bottom -= kvEditPopupShadowSize;
  }
  TRect notch;
  if (castsShadow && info->PanelAtTop()) {
    // Opened above the editor: the shadow must not fall on the editor itself.
    const TRect o = OwnerScreenBounds();
    const TRect window = WindowScreenRect(GetHandle());
    notch = TRect(o.Left - window.Left, GetHeight() - kvEditPopupShadowSize,
                  o.Right - kvEditPopupShadowSize - window.Left, GetHeight());
  }
  SetWindowRegionIfChanged(GetHandle(), r, FNativeStyle, FShadow, notch);
}

void TkvCustomEditPopupWindow::Resize() {
  TkvCustomPopupWindow::Resize();
  UpdateWindowRegion();
}

void TkvCustomEditPopupWindow::ReplayChar(Char Ch) {
  if (HWND focus = GetFocus()) SendMessage(focus, WM_CHAR, static_cast<Byte>(Ch), 0);
}

void TkvCustomEditPopupWindow::KVMPopupReplayChar(TMessage& Message) {
  if (IsVisiblePopup(this)) ReplayChar(static_cast<Char>(Message.WParam));
}

// ---- Mouse ---------------------------------------------------------------------------------

void TkvCustomEditPopupWindow::SetCloseButtonState(Byte State) {
  TkvCustomEditPopupWindowViewInfo* info = GetEditViewInfo();
  if (info->CloseButtonState == State) return;
  info->CloseButtonState = State;
  if (info->CloseButtonThemeState != 0) info->CloseButtonThemeState = State;
  InvalidateArea(info->CloseButtonRect);
}

void TkvCustomEditPopupWindow::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TkvCustomEditPopupWindowViewInfo* info = GetEditViewInfo();
  TPoint direction;
  if (Button != mbLeft) {
    // only the left button presses or sizes
  } else if (RectHoldsPoint(info->CloseButtonRect, TPoint(X, Y))) {
    if (info->CloseButtonState != 3) SetCloseButtonState(3);
  } else if (HasMouseCapture() && info->SizingPointAt(X, Y, direction)) {
    GSizing.Popup = this;
    GSizing.Direction = direction;
    GSizing.Grab = TPoint(direction.X == -1 ? X : GetWidth() - X, direction.Y == -1 ? Y : GetHeight() - Y);
    GSizing.Sizing = true;
    SetCursor(EditPopupSizingCursor(direction));
    ShowSizeFrame(WindowScreenRect(GetHandle()));
  }
  TkvCustomPopupWindow::MouseDown(Button, Shift, X, Y);
}

void TkvCustomEditPopupWindow::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  if (SizingPopup(this)) {
    SizeTo(X, Y);
  } else {
    TkvCustomEditPopupWindowViewInfo* info = GetEditViewInfo();
    const bool overButton = RectHoldsPoint(info->CloseButtonRect, TPoint(X, Y));
    const bool buttonHeld = Shift.Contains(ssLeft) || Shift.Contains(ssRight) || Shift.Contains(ssMiddle);
    if (info->CloseButtonState != 1 && !overButton)
      SetCloseButtonState(1);
    else if (info->CloseButtonState == 1 && overButton && !buttonHeld)
      SetCloseButtonState(2);
    TPoint direction;
    if (info->SizingPointAt(X, Y, direction)) {
      SetCursor(EditPopupSizingCursor(direction));
      GSizing.CursorSet = true;
    } else if (GSizing.CursorSet) {
      SetCursor(crDefault);
      GSizing.CursorSet = false;
    }
  }
  TkvCustomPopupWindow::MouseMove(Shift, X, Y);
}

void TkvCustomEditPopupWindow::SizeTo(Integer X, Integer Y) {
  TkvCustomEditPopupWindowViewInfo* info = GetEditViewInfo();
  const TPoint dir = GSizing.Direction;
  const Integer width = GetWidth(), height = GetHeight();
  const TPoint grab(dir.X == -1 ? GSizing.Grab.X : width - GSizing.Grab.X,
                    dir.Y == -1 ? GSizing.Grab.Y : height - GSizing.Grab.Y);
  Integer dx = X - grab.X, dy = Y - grab.Y;
  const TRect& cell = info->GripCellRect;
  if (!IsRectEmpty(&cell)) {
    // Inside the window only the grip itself drags outward: the bands would make the window jump.
    const bool grabInCell = RectHoldsPoint(cell, grab);
    if (dir.X == 1 && dx > 0 && X <= width && !(grabInCell && X >= cell.Left && X < cell.Right)) dx = 0;
    if (dir.Y == 1 && dy > 0 && Y <= height && !(grabInCell && Y >= cell.Top && Y < cell.Bottom)) dy = 0;
  }
  // Only the edges on the grip's side move.
  if (dir.X == 0 || (dir.X == 1) == info->GripAtLeft()) dx = 0;
  if (dir.Y == 0 || (dir.Y == 1) == info->PanelAtTop()) dy = 0;
  const TRect window = WindowScreenRect(GetHandle());
  TRect r = window;
  (dir.X == 1 ? r.Right : r.Left) += dx;
  (dir.Y == 1 ? r.Bottom : r.Top) += dy;
  Integer newWidth = r.Width(), newHeight = r.Height();
  if (!CanResize(newWidth, newHeight)) return;
  if (newWidth == width && newHeight == height) {
    // Back at the window's own size: the frame follows, nothing is recorded.
    ShowSizeFrame(window);
    return;
  }
  if (info->GripAtLeft())
    r.Left = r.Right - newWidth;
  else
    r.Right = r.Left + newWidth;
  if (info->PanelAtTop())
    r.Top = r.Bottom - newHeight;
  else
    r.Bottom = r.Top + newHeight;
  // One column stays over the editor.
  const TRect o = OwnerScreenBounds();
  r.Left = std::min(r.Left, o.Right - 1);
  r.Right = std::max(r.Right, o.Left + 1);
  const TRect area = NearestMonitorWorkArea(ClientToScreen(TPoint(X, Y)));
  r = TRect(std::max(r.Left, area.Left), std::max(r.Top, area.Top), std::min(r.Right, area.Right),
            std::min(r.Bottom, area.Bottom));
  if (r == window) return;
  if (IkvEditPopupOwner* owner = GetOwnerEditor()) owner->PopupSizeChangedByUser();
  ShowSizeFrame(r);
}

void TkvCustomEditPopupWindow::FinishSizing() {
  // The flag goes first: releasing the capture must not read as a resize lost midway.
  GSizing.Sizing = false;
  GSizing.Popup = nullptr;
  SetCaptureControl(nullptr);
  FSizeFrame.reset();
  const TRect last = GSizing.LastFrameRect;
  if (!IsRectEmpty(&last)) SetBounds(last.Left, last.Top, last.Width(), last.Height());
  Relayout();
  TPoint direction;
  const TPoint p = ScreenToClient(Mouse()->GetCursorPos());
  SetCursor(GetEditViewInfo()->SizingPointAt(p.X, p.Y, direction) ? EditPopupSizingCursor(direction) : crDefault);
}

void TkvCustomEditPopupWindow::AbandonSizing() {
  if (GSizing.Popup != this) return;
  ClearSizingFlags();
  FSizeFrame.reset();
  SetCursor(crDefault);
}

void TkvCustomEditPopupWindow::WMLButtonUp(TMessage& Message) {
  // The resize ends before the framework lets the capture go, which would read as a resize lost.
  if (SizingPopup(this)) FinishSizing();
  InheritedMessage(Message);
}

void TkvCustomEditPopupWindow::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TkvCustomEditPopupWindowViewInfo* info = GetEditViewInfo();
  if (Button == mbLeft && info->CloseButtonState == 3) {
    if (CloseQuery()) {
      TWeakRef<TkvCustomEditPopupWindow> self(this);
      if (IkvEditPopupOwner* owner = GetOwnerEditor())
        owner->EndPopup(pcrNone);
      else
        Dismiss();
      if (!self || !GetVisible()) return;
    }
    SetCloseButtonState(2);
  }
  TkvCustomPopupWindow::MouseUp(Button, Shift, X, Y);
}

void TkvCustomEditPopupWindow::MouseLeaveHook(TControl* Control) {
  TkvCustomPopupWindow::MouseLeaveHook(Control);
  SetCloseButtonState(1);
  SetCursor(crDefault);
  GSizing.CursorSet = false;
}

void TkvCustomEditPopupWindow::WMCaptureChanged(TMessage& Message) {
  AbandonSizing();
  InheritedMessage(Message);
}

void TkvCustomEditPopupWindow::WMCancelMode(TMessage& Message) {
  AbandonSizing();
  InheritedMessage(Message);
}

void TkvCustomEditPopupWindow::ShowSizeFrame(const TRect& R) {
  if (R.Width() <= 0 || R.Height() <= 0) {
    FSizeFrame.reset();
    return;
  }
  if (!SizingPopup(this)) return;
  if (!FSizeFrame) {
    FSizeFrame = std::make_unique<TkvSizeFrame>(std::max(GetEditViewInfo()->FrameWidth(), 2));
    FSizeFrame->ShowWithoutActivation();
  }
  FSizeFrame->PlaceOnRect(R);
  GSizing.FrameRect = R;
  GSizing.LastFrameRect = R;
}

// ---- Copied settings -----------------------------------------------------------------------

void TkvCustomEditPopupWindow::SetClientEdge(bool Value) {
  FClientEdge = Value;
  GetEditViewInfo()->ClientEdge = Value;
}

void TkvCustomEditPopupWindow::SetSizeable(bool Value) {
  FSizeable = Value;
  GetEditViewInfo()->Sizeable = Value;
}

void TkvCustomEditPopupWindow::SetSysPanelStyle(bool Value) {
  FSysPanelStyle = Value;
  GetEditViewInfo()->SysPanelStyle = Value;
}

void TkvCustomEditPopupWindow::SetShowCloseButton(bool Value) {
  FShowCloseButton = Value;
  GetEditViewInfo()->ShowCloseButton = Value;
}

void TkvCustomEditPopupWindow::SetBorderStyle(TkvEditPopupBorderStyle Value) {
  FBorderStyle = Value;
  GetEditViewInfo()->PopupBorderStyle = Value;
}

void TkvCustomEditPopupWindow::SetNativeStyle(bool Value) {
  FNativeStyle = Value;
  GetEditViewInfo()->NativeStyle = Value;
}

void TkvCustomEditPopupWindow::SetShadow(bool Value) {
  FShadow = Value;
  GetEditViewInfo()->Shadow = Value;
}
