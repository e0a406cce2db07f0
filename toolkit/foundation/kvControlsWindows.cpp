// The toolkit's small top-level windows: the animated hint kept inside the work area, the popup
// form that opens against an owner rectangle, the click-through drag image and the size frame.

#include <algorithm>

#include "gdi/SysMetrics.h"
#include "rtl/Mbcs.h"
#include "toolkit/foundation/kvControls.h"
#include "user/WindowEffects.h"

TAVREN_CLASS_IMPL(TkvBaseHintWindow)
TAVREN_CLASS_IMPL(TkvPopupWindow)
TAVREN_CLASS_IMPL(TkvCustomDragImage)
TAVREN_CLASS_IMPL(TkvSizeFrame)

namespace {

// Hints of this many characters or more (not bytes of their UTF-8 form) appear at once.
constexpr size_t kMaxAnimatedHintLength = 100;

size_t HintCharCount(const String& Hint) {
  size_t count = 0;
  for (const char* p = Hint.c_str(); *p; p = CharNext(p)) ++count;
  return count;
}

const DWORD kAnimationFlags[] = {AW_HOR_POSITIVE, AW_HOR_NEGATIVE, AW_VER_POSITIVE, AW_VER_NEGATIVE,
                                 AW_CENTER,       AW_HIDE,         AW_ACTIVATE,     AW_BLEND};

bool SystemSettingOn(UINT Action) {
  BOOL on = FALSE;
  return SystemParametersInfo(Action, 0, &on, 0) && on;
}

}  // namespace

// ---- TkvBaseHintWindow ---------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TkvBaseHintWindow, MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd))

TkvBaseHintWindow::TkvBaseHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

void TkvBaseHintWindow::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (FStandardHint) return;
  if (FBorderStyle == 0) Params.Style &= ~WS_BORDER;
  Params.ExStyle |= WS_EX_TOPMOST;
}

void TkvBaseHintWindow::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TRect area = NearestMonitorWorkArea({ALeft, ATop});
  ALeft = std::max(std::min(ALeft, area.Right - AWidth), area.Left);
  ATop = std::max(std::min(ATop, area.Bottom - AHeight), area.Top);
  inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TkvBaseHintWindow::ActivateHint(TRect R, const String& AHint) {
  if (FStandardHint) {
    inherited::ActivateHint(R, AHint);
    return;
  }
  SetCaption(AHint);
  SetBounds(R.Left, R.Top, R.Width(), R.Height());
  if (IsWinXPOrLater) BeforeShow();
  if (HintCharCount(AHint) < kMaxAnimatedHintLength) Animate();
  if (!IsWinXPOrLater) BeforeShow();
  ShowNoActivate();
  Invalidate();
}

DWORD TkvBaseHintWindow::AnimationFlags() const {
  Byte style = FAnimationStyle;
  if (style == 9 || !SystemSettingOn(SPI_GETTOOLTIPANIMATION)) return 0;
  if (style == 8) style = SystemSettingOn(SPI_GETTOOLTIPFADE) ? 7 : 2;
  if (style > 7) return 0;
  return kAnimationFlags[style] | AW_SLIDE;
}

void TkvBaseHintWindow::Animate() {
  DWORD flags = AnimationFlags();
  if (!flags) return;
  if (!IsWinXPOrLater) ClearRegion();
  AnimateWindow(GetHandle(), FAnimationDelay, flags);
}

void TkvBaseHintWindow::ClearRegion() { SetWindowRgn(GetHandle(), nullptr, TRUE); }

void TkvBaseHintWindow::ShowNoActivate() { ShowWindow(GetHandle(), SW_SHOWNOACTIVATE); }

void TkvBaseHintWindow::WMEraseBkgnd(TMessage& Message) {
  if (FNeedEraseBackground)
    InheritedMessage(Message);
  else
    Message.Result = 1;
}

// ---- TkvPopupWindow ------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TkvPopupWindow, MESSAGE_HANDLER(WM_ACTIVATE, WMActivate),
                     MESSAGE_HANDLER(WM_ACTIVATEAPP, WMActivateApp),
                     MESSAGE_HANDLER(CM_VISIBLECHANGED, CMVisibleChanged))

TkvPopupWindow::TkvPopupWindow(TComponent*) : TForm(nullptr, 0) {
  FKvCanvas = std::make_unique<TkvCanvas>(GetCanvas());
  TForm::SetBorderStyle(bsNone);
  SetDefaultMonitor(dmDesktop);
  SetFormStyle(fsStayOnTop);
}

TkvPopupWindow::~TkvPopupWindow() = default;

void TkvPopupWindow::OpenPopup() {
  TakeOwnerFont();
  AdjustToChildren();
  TPoint p;
  ComputePosition(p);
  SetBounds(p.X, p.Y, GetWidth(), GetHeight());
  Show();
}

void TkvPopupWindow::ClosePopup() { Hide(); }

void TkvPopupWindow::Deactivate() {
  inherited::Deactivate();
  ClosePopup();
}

TRect TkvPopupWindow::OwnerScreenBounds() {
  if (!FOwnerParent) return FOwnerBounds;
  TPoint topLeft = FOwnerParent->ClientToScreen(FOwnerBounds.TopLeft());
  TPoint bottomRight = FOwnerParent->ClientToScreen(FOwnerBounds.BottomRight());
  return TRect(topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y);
}

void TkvPopupWindow::TakeOwnerFont() {
  if (FOwnerParent) GetFont()->Assign(FOwnerParent->GetFont());
}

Integer TkvPopupWindow::BorderWidthOfStyle() {
  switch (FBorderStyle) {
    case 1:
    case 2:
      return 1;
    case 3:
      return 2;
    default:
      return 0;
  }
}

Integer TkvPopupWindow::BorderOffset(Integer) { return BorderWidthOfStyle() + FBorderSpace; }

TRect TkvPopupWindow::ContentBounds() {
  TRect r = GetClientRect();
  return TRect(r.Left + BorderOffset(0), r.Top + BorderOffset(1), r.Right - BorderOffset(2), r.Bottom - BorderOffset(3));
}

void TkvPopupWindow::AdjustToChildren() {
  if (!FAdjustable) return;
  Integer right = 0, bottom = 0;
  for (Integer i = 0; i < GetControlCount(); ++i) {
    TControl* child = GetControls(i);
    right = std::max(right, child->GetLeft() + child->GetWidth());
    bottom = std::max(bottom, child->GetTop() + child->GetHeight());
  }
  for (Integer i = 0; i < GetControlCount(); ++i) {
    TControl* child = GetControls(i);
    child->SetBounds(child->GetLeft() + BorderOffset(0), child->GetTop() + BorderOffset(1), child->GetWidth(),
                     child->GetHeight());
  }
  if (GetControlCount() > 0 || right != 0 || bottom != 0) {
    SetWidth(BorderOffset(0) + right + BorderOffset(2));
    SetHeight(BorderOffset(1) + bottom + BorderOffset(3));
  }
}

void TkvPopupWindow::SwitchBorderStyle(Byte Style) {
  for (Integer i = 0; i < GetControlCount(); ++i) {
    TControl* child = GetControls(i);
    child->SetBounds(child->GetLeft() - BorderOffset(0), child->GetTop() - BorderOffset(1), child->GetWidth(),
                     child->GetHeight());
  }
  FBorderStyle = Style;
}

void TkvPopupWindow::ComputePosition(TPoint& Point) {
  Byte alignHorz = FAlignHorz, alignVert = FAlignVert;
  const TRect o = OwnerScreenBounds();
  const Integer width = GetWidth(), height = GetHeight();
  TPoint anchor;
  if (alignHorz == 1) Point.X = anchor.X = (o.Left + o.Right - width) / 2;
  if (alignVert == 1) Point.Y = anchor.Y = (o.Top + o.Bottom - height) / 2;

  auto placeHorz = [&] {
    if (FDirection == 1) {
      if (alignHorz == 0) Point.X = anchor.X = o.Left;
      if (alignHorz == 2) Point.X = o.Right - width, anchor.X = o.Right;
    } else {
      if (alignHorz == 0) Point.X = o.Left - width, anchor.X = o.Left;
      if (alignHorz == 2) Point.X = anchor.X = o.Right;
    }
  };
  auto placeVert = [&] {
    if (FDirection == 1) {
      if (alignVert == 0) Point.Y = o.Top - height, anchor.Y = o.Top;
      if (alignVert == 2) Point.Y = anchor.Y = o.Bottom;
    } else {
      if (alignVert == 0) Point.Y = anchor.Y = o.Top;
      if (alignVert == 2) Point.Y = o.Bottom - height, anchor.Y = o.Bottom;
    }
  };
  placeHorz();
  placeVert();
  const TRect w = NearestMonitorWorkArea(anchor);

  if (FDirection == 1) {
    bool moreRoomAbove = w.Bottom - o.Bottom < o.Top - w.Top;
    if (alignVert == 2 && Point.Y + height > w.Bottom && moreRoomAbove)
      alignVert = 0;
    else if (alignVert == 0 && Point.Y < w.Top && !moreRoomAbove)
      alignVert = 2;
    placeVert();
  } else {
    bool moreRoomLeft = w.Right - o.Right < o.Left - w.Left;
    if (alignHorz == 2 && Point.X + width > w.Right && moreRoomLeft)
      alignHorz = 0;
    else if (alignHorz == 0 && Point.X < w.Left && !moreRoomLeft)
      alignHorz = 2;
    placeHorz();
  }

  if (FDirection == 1 || alignHorz == 1) {
    if (Point.X + width > w.Right) Point.X = w.Right - width;
    if (Point.X < w.Left) Point.X = w.Left;
  }
  if (FDirection == 0 || alignVert == 1) {
    if (Point.Y + height > w.Bottom) Point.Y = w.Bottom - height;
    if (Point.Y < w.Top) Point.Y = w.Top;
  }
}

void TkvPopupWindow::Paint() {
  inherited::Paint();
  PaintBorder();
}

void TkvPopupWindow::PaintBorder() {
  TRect r(0, 0, GetWidth(), GetHeight());
  switch (FBorderStyle) {
    case 1:
      FKvCanvas->PaintFrame(r, FFrameColor, 1);
      break;
    case 2:
      FKvCanvas->PaintBevel(r, false, false);
      break;
    case 3:
      FKvCanvas->PaintBevel(r, false, true);
      FKvCanvas->PaintBevel(TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), false, false);
      break;
    default:
      break;
  }
}

void TkvPopupWindow::WMActivate(TMessage& Message) {
  InheritedMessage(Message);
  if (LOWORD(Message.WParam) != WA_INACTIVE) {
    FPrevActiveWindow = reinterpret_cast<HWND>(Message.LParam);
    // The window that lost activation to the popup keeps its active caption.
    if (FPrevActiveWindow && IsWindow(FPrevActiveWindow)) SendMessage(FPrevActiveWindow, WM_NCACTIVATE, TRUE, 0);
  }
}

void TkvPopupWindow::WMActivateApp(TMessage& Message) {
  DefaultHandler(Message);
  if (!Message.WParam) {
    if (FPrevActiveWindow && IsWindow(FPrevActiveWindow)) SendMessage(FPrevActiveWindow, WM_NCACTIVATE, FALSE, 0);
    ClosePopup();
  }
}

void TkvPopupWindow::CMVisibleChanged(TMessage& Message) {
  InheritedMessage(Message);
  AfterVisibilityChange();
}

// ---- TkvCustomDragImage --------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TkvCustomDragImage, MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd),
                     MESSAGE_HANDLER(WM_NCHITTEST, WMNCHitTest))

TkvCustomDragImage::TkvCustomDragImage(TComponent* AOwner) : TkvPopupWindow(AOwner) {
  SetBounds(0, 0, 0, 0);
  SetAlphaBlend(true);
  SetAlphaBlendValue(180);
}

void TkvCustomDragImage::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (Screen() && Screen()->GetActiveForm() && Screen()->GetActiveForm() != this)
    Params.WndParent = Screen()->GetActiveForm()->GetHandle();
  Params.WindowClass.style |= CS_SAVEBITS;
}

void TkvCustomDragImage::ShowWithoutActivation() {
  ShowWindow(GetHandle(), SW_SHOWNA);
  Update();
}

// ---- TkvSizeFrame --------------------------------------------------------------------------

TkvSizeFrame::TkvSizeFrame(Integer AFrameWidth)
    : TkvCustomDragImage(nullptr), FFrameWidth(AFrameWidth), FRegion(std::make_unique<TkvRegion>()) {
  SetAlphaBlend(false);
  // A 50% checker in black and white.
  FPattern = std::make_unique<TBitmap>();
  FPattern->SetWidth(8);
  FPattern->SetHeight(8);
  for (Integer y = 0; y < 8; ++y)
    for (Integer x = 0; x < 8; ++x) FPattern->GetCanvas()->SetPixel(x, y, (x + y) % 2 ? clWhite : clBlack);
  GetCanvas()->GetBrush()->SetBitmap(FPattern.get());
}

TkvSizeFrame::~TkvSizeFrame() { GetCanvas()->GetBrush()->SetBitmap(nullptr); }

void TkvSizeFrame::Paint() { GetCanvas()->FillRect(GetClientRect()); }

void TkvSizeFrame::PlaceOnRect(const TRect& R) {
  FRegion = std::make_unique<TkvRegion>(0, 0, R.Width(), R.Height());
  SetBounds(R.Left, R.Top, R.Width(), R.Height());
}

void TkvSizeFrame::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!HandleAllocated() || !FRegion || 2 * FFrameWidth >= AWidth || 2 * FFrameWidth >= AHeight) return;
  if (!FFill) {
    // The region shrunk by the frame width, cut out of the region: a band along its edge.
    auto inner = std::make_unique<TkvRegion>();
    inner->CombineWith(FRegion.get(), roSet, false);
    const TPoint shifts[] = {{FFrameWidth, 0}, {0, FFrameWidth}, {-FFrameWidth, 0}, {0, -FFrameWidth}};
    for (const TPoint& shift : shifts) {
      auto moved = new TkvRegion();
      moved->CombineWith(FRegion.get(), roSet, false);
      moved->MoveBy(shift.X, shift.Y);
      inner->CombineWith(moved, roIntersect);
    }
    FRegion->CombineWith(inner.release(), roSubtract);
  }
  ApplyRegion();
}

void TkvSizeFrame::ApplyRegion() {
  HRGN current = CreateRectRgn(0, 0, 0, 0);
  bool same = GetWindowRgn(GetHandle(), current) != ERROR && FRegion->SameAsHandle(current);
  DeleteObject(current);
  if (same) return;
  // The window takes the handle over; our region keeps a copy.
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(copy, FRegion->GetHandle(), nullptr, RGN_COPY);
  SetWindowRgn(GetHandle(), copy, TRUE);
}
