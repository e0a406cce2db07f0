// The shadow's outline for a lone window or a window joined to its opener (above it or beside
// it), the strips' alpha ramps with their softened ends, and showing the strips behind the window.

#include "toolkit/bars/qzBarShadow.h"

#include <utility>

#include "gdi/Bitmaps.h"
#include "gdi/DeviceContexts.h"
#include "gdi/GdiTypes.h"
#include "gdi/SysColors.h"
#include "rtl/Math.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/bars/qzBar.h"
#include "user/Messages.h"
#include "user/Painting.h"
#include "user/Rects.h"
#include "user/WindowPos.h"
#include "user/WindowStyles.h"

TAVREN_CLASS_IMPL(TqzBarShadowPart)
TAVREN_CLASS_IMPL(TqzBarShadow)

// ---- A strip --------------------------------------------------------------------------------------

TqzBarShadowPart::TqzBarShadowPart(TqzBarShadow* AOwnerShadow, Byte AStripKind, Byte AFadedEnds)
    : TCustomControl(nullptr), FOwnerShadow(AOwnerShadow), FStripKind(AStripKind), FFadedEnds(AFadedEnds) {}

void TqzBarShadowPart::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = WS_POPUP;
  Params.ExStyle = TqzBarShadow::UsesLayeredShadows() ? WS_EX_LAYERED : 0;
  TWinControl* casting = FOwnerShadow->GetCastingWindow();
  HWND owner = casting && casting->HandleAllocated() ? casting->GetHandle() : nullptr;
  if (owner && (GetWindowLong(owner, GWL_EXSTYLE) & WS_EX_TOPMOST)) Params.ExStyle |= WS_EX_TOPMOST;
  Params.WndParent = owner;
  Params.WindowClass.style = 0;
}

void TqzBarShadowPart::WndProc(TMessage& Message) {
  if (Message.Msg == WM_NCHITTEST) {
    Message.Result = HTTRANSPARENT;
    return;
  }
  // A layered strip's pixels are its alpha ramp: nothing erases them.
  if (Message.Msg == WM_ERASEBKGND && TqzBarShadow::UsesLayeredShadows()) {
    Message.Result = 1;
    return;
  }
  inherited::WndProc(Message);
}

void TqzBarShadowPart::Paint() {
  // A layered strip shows the pixels it was given.
  if (TqzBarShadow::UsesLayeredShadows()) return;
  RECT r = GetClientRect();
  FillRect(GetCanvas()->GetHandle(), &r, SysColorBrushCode(COLOR_BTNSHADOW));
}

bool TqzBarShadowPart::IsUsable() {
  Integer s = TqzBarShadow::ShadowSize();
  return FFadedEnds == 0 || (GetWidth() >= s && GetHeight() >= s);
}

void TqzBarShadowPart::BuildAlphaImage() {
  Integer w = GetWidth(), h = GetHeight();
  FAlphaImage.assign(static_cast<size_t>(std::max<Integer>(w, 0)) * std::max<Integer>(h, 0), 0);
  if (!TqzBarShadow::UsesLayeredShadows() || !IsUsable()) return;
  Integer s = TqzBarShadow::ShadowSize();
  for (Integer y = 0; y < h; ++y)
    for (Integer x = 0; x < w; ++x) {
      // Darkest at the edge that casts it, fading outwards.
      Integer alpha = FStripKind == 0 ? 15 * (h - y) : 15 * (w - x);
      // The softened ends: the pixel k from an end keeps (k + 1) / (S + 1) of it.
      if ((FFadedEnds & qzShadowFadeLeft) && x < s) alpha = MulDiv(alpha, x + 1, s + 1);
      if ((FFadedEnds & qzShadowFadeRight) && w - 1 - x < s) alpha = MulDiv(alpha, w - x, s + 1);
      if ((FFadedEnds & qzShadowFadeTop) && y < s) alpha = MulDiv(alpha, y + 1, s + 1);
      FAlphaImage[static_cast<size_t>(y) * w + x] = static_cast<uint32_t>(alpha) << 24;
    }
}

void TqzBarShadowPart::Place(const TRect& R) {
  SetBounds(R.Left, R.Top, R.Width(), R.Height());
  BuildAlphaImage();
  if (FOwnerShadow->GetVisible()) ShowPart();
}

void TqzBarShadowPart::ShowPart() {
  if (!IsUsable()) return;
  TWinControl* casting = FOwnerShadow->GetCastingWindow();
  HWND wnd = GetHandle();
  HWND after = casting && casting->HandleAllocated() ? casting->GetHandle() : nullptr;
  SetWindowPos(wnd, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  if (!TqzBarShadow::UsesLayeredShadows()) return;
  // The strip's surface exists once it shows: its pixels are the alpha ramp.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = GetWidth();
  info.bmiHeader.biHeight = -GetHeight();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC DC = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(DC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(DC, bitmap);
  if (bits) std::copy(FAlphaImage.begin(), FAlphaImage.end(), static_cast<uint32_t*>(bits));
  POINT position{GetLeft(), GetTop()}, source{0, 0};
  SIZE size{GetWidth(), GetHeight()};
  BLENDFUNCTION blend;
  blend.AlphaFormat = AC_SRC_ALPHA;
  UpdateLayeredWindow(wnd, nullptr, &position, &size, DC, &source, 0, &blend, ULW_ALPHA);
  SelectObject(DC, old);
  DeleteObject(bitmap);
  DeleteDC(DC);
}

void TqzBarShadowPart::HidePart() {
  if (!HandleAllocated()) return;
  ShowWindow(GetHandle(), SW_HIDE);
  DestroyHandle();
}

// ---- The shadow ---------------------------------------------------------------------------------

TqzBarShadow::TqzBarShadow(TWinControl* ACastingWindow) : FCastingWindow(ACastingWindow) {}

TqzBarShadow::~TqzBarShadow() = default;

bool TqzBarShadow::UsesLayeredShadows() {
  HDC screen = GetDC(nullptr);
  int bits = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  return bits > 8;
}

Integer TqzBarShadow::ShadowSize() { return UsesLayeredShadows() ? 4 : 2; }

void TqzBarShadow::SetVisible(bool Value) {
  if (Value == FShown) return;
  FShown = Value;
  for (auto& part : FPartWindows) {
    if (Value)
      part->ShowPart();
    else
      part->HidePart();
  }
}

void TqzBarShadow::SetRects(const TRect& AOpener, const TRect& AWindow) {
  FUpperOrLeftRect = AOpener;
  FLowerOrRightRect = AWindow;
  const TRect& u = FUpperOrLeftRect;
  const TRect& l = FLowerOrRightRect;
  FOneAbove = IsRectEmpty(&u) || u.Bottom == l.Top || u.Top == l.Bottom;
  // U becomes the upper of a pair joined across, or the left one of a pair joined side by side.
  if ((FOneAbove && u.Top == l.Bottom && !IsRectEmpty(&u)) || (!FOneAbove && u.Left == l.Right))
    std::swap(FUpperOrLeftRect, FLowerOrRightRect);
  Rebuild();
}

void TqzBarShadow::Rebuild() {
  FPartWindows.clear();
  if (FOneAbove)
    BuildHorizontal();
  else
    BuildVertical();
}

void TqzBarShadow::AddPart(Byte AKind, Byte AEnds, const TRect& R) {
  if (IsRectEmpty(&R)) return;
  FPartWindows.push_back(std::make_unique<TqzBarShadowPart>(this, AKind, AEnds));
  FPartWindows.back()->Place(R);
}

void TqzBarShadow::BuildHorizontal() {
  const Integer s = ShadowSize();
  const TRect& u = FUpperOrLeftRect;
  const TRect& l = FLowerOrRightRect;
  bool opener = !IsRectEmpty(&u);
  if (opener) AddPart(1, qzShadowFadeTop, TRect(u.Right, u.Top + s, u.Right + s, u.Bottom));
  AddPart(0, qzShadowFadeLeft | qzShadowFadeRight, TRect(l.Left + s, l.Bottom, l.Right + s, l.Bottom + s));
  if (opener) {
    if (u.Left + s < l.Left) AddPart(0, qzShadowFadeLeft, TRect(u.Left + s, u.Bottom, l.Left, u.Bottom + s));
    if (l.Right < u.Right) AddPart(0, qzShadowFadeRight, TRect(l.Right, u.Bottom, u.Right + s, u.Bottom + s));
  }
  if (!opener || u.Right < l.Right)
    AddPart(1, qzShadowFadeTop, TRect(l.Right, l.Top + s, l.Right + s, l.Bottom));
  else
    AddPart(1, 0, TRect(l.Right, l.Top, l.Right + s, l.Bottom));
}

void TqzBarShadow::BuildVertical() {
  const Integer s = ShadowSize();
  const TRect& u = FUpperOrLeftRect;
  const TRect& l = FLowerOrRightRect;
  AddPart(1, qzShadowFadeTop, TRect(l.Right, l.Top + s, l.Right + s, l.Bottom));
  if (u.Top + s < l.Top) AddPart(1, qzShadowFadeTop, TRect(u.Right, u.Top + s, u.Right + s, l.Top));
  if (l.Bottom < u.Bottom) {
    AddPart(0, qzShadowFadeLeft | qzShadowFadeRight, TRect(u.Left + s, u.Bottom, u.Right + s, u.Bottom + s));
    AddPart(1, 0, TRect(u.Right, l.Bottom, u.Right + s, u.Bottom));
  } else {
    AddPart(0, qzShadowFadeLeft, TRect(u.Left + s, u.Bottom, u.Right, u.Bottom + s));
  }
  if (u.Bottom < l.Bottom)
    AddPart(0, qzShadowFadeLeft | qzShadowFadeRight, TRect(l.Left + s, l.Bottom, l.Right + s, l.Bottom + s));
  else
    AddPart(0, qzShadowFadeRight, TRect(l.Left, l.Bottom, l.Right + s, l.Bottom + s));
}
