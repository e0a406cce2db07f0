// The geometry of a skinned frame: margins, border slices, caption buttons and hit testing.

#include <algorithm>

#include "controls/ScrollBars.h"
#include "gdi/Gdi.h"
#include "toolkit/skins/qzSkinsForm.h"
#include "user/User.h"

TAVREN_CLASS_IMPL(TqzSkinFormNonClientAreaInfo)

namespace {

bool In(const TRect& R, const TPoint& P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

TColor SkinValueOr(TqzSkinColor* Color, TColor Default) {
  return Color && Color->GetValue() != clDefault ? Color->GetValue() : Default;
}

}  // namespace

TqzSkinFormNonClientAreaInfo::TqzSkinFormNonClientAreaInfo(TqzSkinFormController* AController)
    : FController(AController), FCaptionFont(std::make_unique<TFont>()) {
  char text[512] = {};
  if (FController->Handle()) GetWindowText(FController->Handle(), text, sizeof text);
  FCaption = text;
}

TqzSkinFormNonClientAreaInfo::~TqzSkinFormNonClientAreaInfo() = default;

void TqzSkinFormNonClientAreaInfo::Calculate() {
  HWND window = FController->Handle();
  FInfo = WINDOWINFO{};
  GetWindowInfo(window, &FInfo);
  FHasMenuBar = GetMenu(window) != nullptr && !FController->IsMDIChild(window);
  FIsMDIClient = FController->IsMDIClient(window);
  TqzSkinLookAndFeelPainter* painter = FController->ActivePainter();
  FPainterInfo = painter ? painter->PainterInfo() : nullptr;
  FFrameSize = SystemFrame() ? TSize{GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME)} : TSize{4, 4};
  FWindowRect = Rect(0, 0, FInfo.rcWindow.Width(), FInfo.rcWindow.Height());

  FButtons = {};
  const DWORD style = FInfo.dwStyle;
  if (style & WS_SYSMENU) {
    if (!IsToolWindow() && !(FInfo.dwExStyle & WS_EX_DLGMODALFRAME)) FButtons.Include(fbIcon);
    FButtons.Include(fbClose);
  }
  if (style & WS_MINIMIZEBOX) FButtons.Include(IsMinimized() ? fbRestore : fbMinimize);
  if (style & WS_MAXIMIZEBOX) FButtons.Include(IsMaximized() ? fbRestore : fbMaximize);
  if (FInfo.dwExStyle & WS_EX_CONTEXTHELP) FButtons.Include(fbHelp);
  FIcon = FButtons.Contains(fbIcon)
              ? reinterpret_cast<HICON>(DefWindowProc(window, WM_GETICON, ICON_SMALL2, 0))
              : nullptr;

  const Integer delta = !IsToolWindow() && FPainterInfo ? FPainterInfo->FormCaptionFontDelta() - 1 : 0;
  const Integer fontKey = (IsToolWindow() ? 1000 : 0) + delta;
  if (fontKey != FFontKey) {
    FFontKey = fontKey;
    NONCLIENTMETRICS metrics;
    metrics.cbSize = sizeof metrics;
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    FCaptionFont->SetHandle(CreateFontIndirect(IsToolWindow() ? &metrics.lfSmCaptionFont : &metrics.lfCaptionFont));
    if (delta != 0) FCaptionFont->SetSize(FCaptionFont->GetSize() + delta);
    TSize text{0, 0};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, FCaptionFont->GetHandle());
    GetTextExtentPoint32(dc, "Wg", 2, &text);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    FCaptionTextHeight = text.cy;
  }
  TqzSkinElement* caption = FPainterInfo ? FPainterInfo->FormFrame(FrameIndex(), 1) : nullptr;
  FTextColor = caption && caption->GetTextColor() != clDefault ? caption->GetTextColor() : clCaptionText;
  FInactiveTextColor =
      SkinValueOr(FPainterInfo ? FPainterInfo->ColorProperty(cpFormTextColorInactive) : nullptr, clInactiveCaptionText);
  FShadowColor = SkinValueOr(FPainterInfo ? FPainterInfo->ColorProperty(cpFormTextShadowColor) : nullptr, clBtnShadow);

  CalculateMargins();
  CalculateCaption();
  CalculateScrollBars();
  CalculateButtonStates();
}

void TqzSkinFormNonClientAreaInfo::CalculateScrollBars() {
  const TRect client = Rect(FInfo.rcClient.Left - FInfo.rcWindow.Left, FInfo.rcClient.Top - FInfo.rcWindow.Top,
                            FInfo.rcClient.Right - FInfo.rcWindow.Left, FInfo.rcClient.Bottom - FInfo.rcWindow.Top);
  const Integer cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
  const bool horizontal = (FInfo.dwStyle & WS_HSCROLL) != 0, vertical = (FInfo.dwStyle & WS_VSCROLL) != 0;
  FScrollBars[0] = horizontal ? Rect(client.Left, client.Bottom, client.Right, client.Bottom + cy) : Rect(0, 0, 0, 0);
  FScrollBars[1] = vertical ? Rect(client.Right, client.Top, client.Right + cx, client.Bottom) : Rect(0, 0, 0, 0);
  FSizeBox = horizontal && vertical ? Rect(client.Right, client.Bottom, client.Right + cx, client.Bottom + cy)
                                    : Rect(0, 0, 0, 0);
  TqzSkinLookAndFeelPainter* painter = FController->ActivePainter();
  for (Integer bar = 0; bar < 2; ++bar) {
    for (TRect& part : FScrollParts[bar]) part = Rect(0, 0, 0, 0);
    FScrollEnabled[bar] = false;
    const TRect r = FScrollBars[bar];
    if (r.Right <= r.Left || r.Bottom <= r.Top) continue;
    const bool isHorizontal = bar == 0;
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    GetScrollInfo(FController->Handle(), isHorizontal ? SB_HORZ : SB_VERT, &si);
    const Integer length = isHorizontal ? r.Width() : r.Height();
    const Integer arrow = std::min(isHorizontal ? r.Height() : r.Width(), length / 2);
    // Along the bar: positions from its start.
    const auto along = [&](Integer From, Integer To) {
      return isHorizontal ? Rect(r.Left + From, r.Top, r.Left + To, r.Bottom)
                          : Rect(r.Left, r.Top + From, r.Right, r.Top + To);
    };
    FScrollParts[bar][sbpLineUp] = along(0, arrow);
    FScrollParts[bar][sbpLineDown] = along(length - arrow, length);
    const Integer range = si.nMax - si.nMin + 1, track = length - 2 * arrow;
    FScrollEnabled[bar] = range > 0 && static_cast<Integer>(si.nPage) < range;
    if (track <= 0) continue;
    if (!FScrollEnabled[bar]) {
      FScrollParts[bar][sbpPageUp] = along(arrow, length - arrow);
      continue;
    }
    const Integer minThumb = painter ? painter->ScrollBarMinThumbExtent(!isHorizontal) : arrow;
    const Integer thumb = std::min(track, std::max<Integer>(minThumb, track * static_cast<Integer>(si.nPage) / range));
    const Integer travel = std::max<Integer>(range - static_cast<Integer>(si.nPage), 1);
    const Integer at = arrow + (track - thumb) * std::clamp(si.nPos - si.nMin, 0, travel) / travel;
    FScrollParts[bar][sbpPageUp] = along(arrow, at);
    FScrollParts[bar][sbpThumbnail] = along(at, at + thumb);
    FScrollParts[bar][sbpPageDown] = along(at + thumb, length - arrow);
  }
}

TkvScrollBarPart TqzSkinFormNonClientAreaInfo::ScrollPartAt(const TPoint& P, Integer& Bar) const {
  for (Bar = 0; Bar < 2; ++Bar)
    for (Integer part = sbpLineUp; part <= sbpPageDown; ++part)
      if (In(FScrollParts[Bar][part], P)) return static_cast<TkvScrollBarPart>(part);
  return sbpNone;
}

void TqzSkinFormNonClientAreaInfo::CalculateMargins() {
  FMargins = Rect(0, 0, 0, 0);
  const Integer edge = GetSystemMetrics(SM_CYEDGE);
  if (!SystemFrame() && HasBorder()) {
    if (FPainterInfo) FMargins = FPainterInfo->FormFrameSize(FrameIndex());
    if (IsToolWindow()) FMargins.Top += FFrameSize.cy;
  }
  if (HasCaption()) {
    if (SystemFrame() || IsToolWindow()) {
      FMargins.Top += GetSystemMetrics(IsToolWindow() ? SM_CYSMCAPTION : SM_CYCAPTION);
    } else {
      FMargins.Top += std::max<Integer>(GetSystemMetrics(SM_CYSMICON), FCaptionTextHeight) + 2 * edge + FFrameSize.cy;
    }
  }
  if (SystemFrame() && HasBorder()) {
    const Integer bx = GetSystemMetrics(SM_CXBORDER), by = GetSystemMetrics(SM_CYBORDER);
    FMargins = Rect(FMargins.Left + bx, FMargins.Top + by, FMargins.Right + bx, FMargins.Bottom + by);
  }
  const Integer w = FWindowRect.Right, h = FWindowRect.Bottom;
  FBorders[1] = Rect(0, 0, w, FMargins.Top);
  if (IsMaximized() && !SystemFrame() && HasSizingFrame()) {
    const Integer shift = GetSystemMetrics(SM_CYFRAME) - FFrameSize.cy;
    FBorders[1] = Rect(0, shift, w, FMargins.Top + shift);
  }
  FBorders[3] = Rect(0, h - FMargins.Bottom, w, h);
  FBorders[0] = Rect(0, FBorders[1].Bottom, FMargins.Left, FBorders[3].Top);
  FBorders[2] = Rect(w - FMargins.Right, FBorders[1].Bottom, w, FBorders[3].Top);
}

void TqzSkinFormNonClientAreaInfo::CalculateCaption() {
  for (TRect& r : FButtonRects) r = Rect(0, 0, 0, 0);
  FCaptionTextRect = Rect(0, 0, 0, 0);
  if (!HasCaption()) return;
  const Integer edge = GetSystemMetrics(SM_CYEDGE);
  const bool maximizedFrame = IsMaximized() && HasSizingFrame() && !SystemFrame();
  TRect band = FBorders[1];
  band.Top += IsToolWindow() ? 2 : 1;
  const Integer inset = maximizedFrame ? GetSystemMetrics(SM_CXFRAME) : FFrameSize.cx;
  band = Rect(band.Left + inset, band.Top + edge, band.Right - inset, band.Bottom - edge);
  if (HasSizingFrame()) {
    if (IsMaximized())
      band.Top += FFrameSize.cy;
    else if (SystemFrame())
      band.Top += GetSystemMetrics(SM_CYFRAME) - 4;
  }

  Integer textLeft = band.Left + 7;
  if (FButtons.Contains(fbIcon)) {
    const Integer size = IsToolWindow() ? GetSystemMetrics(SM_CYSMCAPTION) - 2 * edge : GetSystemMetrics(SM_CYSMICON);
    const Integer top = band.Top + (band.Height() - size) / 2;
    FButtonRects[fbIcon] = Bounds(band.Left, top, size, size);
    textLeft = FButtonRects[fbIcon].Right + 5;
  }

  TqzSkinElement* caption = FPainterInfo ? FPainterInfo->FormFrame(FrameIndex(), 1) : nullptr;
  const TRect offset = caption ? caption->GetContentOffset()->RectRef() : Rect(0, 0, 0, 0);
  const Integer topMargin =
      SystemFrame() && HasSizingFrame() ? GetSystemMetrics(SM_CYFRAME) : offset.Top;
  const Integer size = std::max<Integer>(FBorders[1].Height() - topMargin - offset.Bottom, 0);
  const Integer top = FBorders[1].Top + topMargin;
  // Right to left; a minimized window's restore button takes the minimize button's place.
  const TqzSkinFormButton order[] = {fbClose, IsMinimized() ? fbMaximize : fbRestore,
                                     IsMinimized() ? fbRestore : fbMaximize, fbMinimize, fbHelp};
  Integer right = band.Right;
  Integer leftmost = band.Right;
  for (TqzSkinFormButton button : order) {
    if (!FButtons.Contains(button) || FButtonRects[button].Right > 0) continue;
    FButtonRects[button] = Rect(right - size, top, right, top + size);
    leftmost = right - size;
    right = leftmost - 2;
  }
  FCaptionTextRect = Rect(textLeft, band.Top, std::max(textLeft, leftmost - 5), band.Bottom);
}

bool TqzSkinFormNonClientAreaInfo::CalculateButtonStates() {
  bool changed = false;
  const DWORD style = FInfo.dwStyle;
  for (Integer b = 0; b < kqzSkinFormButtonCount; ++b) {
    TqzSkinElementState state = esNormal;
    if (!FActive)
      state = esActiveDisabled;
    else if ((b == fbMinimize && !(style & WS_MINIMIZEBOX)) || (b == fbMaximize && !(style & WS_MAXIMIZEBOX)))
      state = esDisabled;
    else if (b == FHotButton)
      state = FPressedButton == kqzNoButton ? esHot : (FPressedButton == b ? esPressed : esNormal);
    changed = changed || state != FButtonStates[b];
    FButtonStates[b] = state;
  }
  return changed;
}

Integer TqzSkinFormNonClientAreaInfo::ButtonAt(const TPoint& P) const {
  for (Integer b = 0; b < kqzSkinFormButtonCount; ++b)
    if (FButtons.Contains(static_cast<TqzSkinFormButton>(b)) && In(FButtonRects[b], P)) return b;
  return kqzNoButton;
}

LRESULT TqzSkinFormNonClientAreaInfo::HitTest(const TPoint& P) const {
  if (!In(FWindowRect, P)) return HTNOWHERE;
  const Integer w = FWindowRect.Right, h = FWindowRect.Bottom;
  if (HasSizingFrame() && !IsMaximized() && !IsMinimized()) {
    const TSize t = SystemFrame() ? FFrameSize : TSize{2, 2};
    const bool left = P.X < t.cx, right = P.X >= w - t.cx, top = P.Y < t.cy, bottom = P.Y >= h - t.cy;
    const bool inTopMargin = P.Y < FMargins.Top;
    if (left && inTopMargin) return HTTOPLEFT;
    if (right && inTopMargin) return HTTOPRIGHT;
    if (left && bottom) return HTBOTTOMLEFT;
    if (right && bottom) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (top) return HTTOP;
    if (right) return HTRIGHT;
    if (bottom) return HTBOTTOM;
  }
  if (In(FBorders[1], P)) {
    switch (ButtonAt(P)) {
      case fbIcon: return HTSYSMENU;
      case fbHelp: return HTHELP;
      case fbMinimize: return HTMINBUTTON;
      case fbMaximize: return HTMAXBUTTON;
      case fbRestore: return IsMinimized() ? HTMINBUTTON : HTMAXBUTTON;
      case fbClose: return HTCLOSE;
      default: return HTCAPTION;
    }
  }
  if (In(FScrollBars[0], P)) return HTHSCROLL;
  if (In(FScrollBars[1], P)) return HTVSCROLL;
  if (In(FSizeBox, P)) return HasSizingFrame() ? HTBOTTOMRIGHT : HTBORDER;
  return HTNOWHERE;
}

TRect TqzSkinFormNonClientAreaInfo::ClientFor(const TRect& R) const {
  TRect m = FMargins;
  if (IsMaximized() && HasSizingFrame()) {
    const Integer dx = GetSystemMetrics(SM_CXFRAME) - FFrameSize.cx, dy = GetSystemMetrics(SM_CYFRAME) - FFrameSize.cy;
    m = Rect(m.Left + dx, m.Top + dy, m.Right + dx, m.Bottom);
  }
  if (FInfo.dwStyle & WS_VSCROLL)
    m.Right = (IsMaximized() && HasSizingFrame() ? GetSystemMetrics(SM_CXFRAME) : m.Right) +
              GetSystemMetrics(SM_CXVSCROLL);
  if (FInfo.dwStyle & WS_HSCROLL)
    m.Bottom = (IsMaximized() && HasSizingFrame() ? FFrameSize.cy : m.Bottom) + GetSystemMetrics(SM_CYHSCROLL);
  // A window smaller than its frame gets an empty client area, never an inverted one.
  const Integer left = std::min(R.Left + m.Left, R.Right), top = std::min(R.Top + m.Top, R.Bottom);
  return Rect(left, top, std::max(left, R.Right - m.Right), std::max(top, R.Bottom - m.Bottom));
}
