// Drawing the drop-down lists' frame, grip band, size grip and close button.

#include "toolkit/bars/qzDropDownFrame.h"

#include <algorithm>

#include "user/Rects.h"

namespace {

bool IsRightCorner(TqzGripCorner ACorner) { return ACorner == gcTopRight || ACorner == gcBottomRight; }
bool IsTopCorner(TqzGripCorner ACorner) { return ACorner == gcTopLeft || ACorner == gcTopRight; }

void FillWithSysColor(HDC DC, const TRect& R, int AColorIndex) { FillRect(DC, &R, GetSysColorBrush(AColorIndex)); }

void ExcludeFromClip(HDC DC, const TRect& R) { ExcludeClipRect(DC, R.Left, R.Top, R.Right, R.Bottom); }

TRect Offset(TRect R, Integer ADX, Integer ADY) {
  OffsetRect(&R, ADX, ADY);
  return R;
}

// The system draws the bottom-right grip; the other corners get it mirrored.
void DrawMirroredSizeGrip(HDC DC, const TRect& R, bool AMirrorX, bool AMirrorY) {
  Integer width = R.Width(), height = R.Height();
  if (width <= 0 || height <= 0) return;
  HDC memoryDC = CreateCompatibleDC(DC);
  HBITMAP bitmap = CreateCompatibleBitmap(DC, width, height);
  HGDIOBJ previous = SelectObject(memoryDC, bitmap);
  TRect local(0, 0, width, height);
  DrawFrameControl(memoryDC, &local, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  StretchBlt(DC, AMirrorX ? R.Right - 1 : R.Left, AMirrorY ? R.Bottom - 1 : R.Top, AMirrorX ? -width : width,
             AMirrorY ? -height : height, memoryDC, 0, 0, width, height, SRCCOPY);
  SelectObject(memoryDC, previous);
  DeleteObject(bitmap);
  DeleteDC(memoryDC);
}

}  // namespace

Integer GripBandHeight() {
  Integer caption = GetSystemMetrics(SM_CYSIZE);
  Integer scrollBar = GetSystemMetrics(SM_CYHSCROLL);
  return scrollBar + 2 < caption ? caption + 1 : scrollBar + 3;
}

TqzGripCorner GripCornerOf(const TRect& AEditRect, const TRect& ADropDownRect) {
  bool right = AEditRect.Left < ADropDownRect.Right;
  bool bottom = AEditRect.Bottom < ADropDownRect.Bottom;
  if (bottom) return right ? gcBottomRight : gcBottomLeft;
  return right ? gcTopRight : gcTopLeft;
}

Integer HitTestOfCorner(TqzGripCorner ACorner) {
  switch (ACorner) {
    case gcTopLeft:
      return HTTOPLEFT;
    case gcTopRight:
      return HTTOPRIGHT;
    case gcBottomLeft:
      return HTBOTTOMLEFT;
    case gcBottomRight:
      break;
  }
  return HTBOTTOMRIGHT;
}

void DrawClassicSizeGrip(HDC DC, TRect& R, TqzGripCorner ACorner) {
  bool right = IsRightCorner(ACorner), top = IsTopCorner(ACorner);
  Integer width = GetSystemMetrics(SM_CXVSCROLL), height = GetSystemMetrics(SM_CYHSCROLL);
  if (right)
    R.Left = R.Right - width;
  else
    R.Right = R.Left + width;
  if (top)
    R.Bottom = R.Top + height;
  else
    R.Top = R.Bottom - height;
  // A strip of face colour along the outer sides keeps the grip off the frame.
  TRect side = R;
  TRect edge = R;
  TRect inner = R;
  if (right) {
    side.Left = inner.Right = R.Right - 2;
  } else {
    side.Right = inner.Left = R.Left + 2;
  }
  if (top) {
    edge.Bottom = inner.Top = R.Top + 2;
  } else {
    edge.Top = inner.Bottom = R.Bottom - 2;
  }
  FillWithSysColor(DC, side, COLOR_BTNFACE);
  FillWithSysColor(DC, edge, COLOR_BTNFACE);
  DrawMirroredSizeGrip(DC, inner, !right, top);
}

void DrawGripBandCloseButton(HDC DC, TRect& R, bool AHighlighted, TqzGripCorner ACorner, bool AFlat, bool APressed) {
  Integer width = GetSystemMetrics(SM_CXSIZE);
  if (IsRightCorner(ACorner))
    R.Right = R.Left + width;
  else
    R.Left = R.Right - width;
  R.Top = (R.Top + R.Bottom - width - 1) / 2 + (IsTopCorner(ACorner) ? 0 : 1);
  R.Bottom = R.Top + width + 1;
  InflateRect(&R, -1, -2);
  TRect box = R;
  if (AHighlighted && !AFlat)
    DrawEdge(DC, &box, APressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  else
    FrameRect(DC, &box, GetSysColorBrush(COLOR_BTNFACE));
  InflateRect(&box, -1, -1);
  FrameRect(DC, &box, GetSysColorBrush(COLOR_BTNFACE));
  InflateRect(&box, -1, -1);

  HRGN savedClip;
  bool hadClip;
  BackupClipRegion(DC, savedClip, hadClip);
  IntersectClipRect(DC, box.Left, box.Top, box.Right, box.Bottom);
  TRect glyph = box;
  InflateRect(&glyph, 1, 1);
  if (width != 22) OffsetRect(&glyph, 0, 1);
  DrawFrameControl(DC, &glyph, DFC_CAPTION,
                   DFCS_CAPTIONCLOSE | DFCS_FLAT | (APressed && !AFlat ? DFCS_PUSHED : 0));
  RestoreClipRegionBackup(DC, savedClip, hadClip);
}

void DrawDropDownWindowFrame(HWND AWnd, bool ASizable, bool AFlat, TqzGripCorner ACorner, TRect& AGripRect,
                             TRect& ACloseButtonRect, bool AHot, bool ADown, Integer AGripHeight) {
  TRect screenRect;
  GetWindowRect(AWnd, &screenRect);
  AGripRect = ACloseButtonRect = screenRect;
  HDC DC = GetWindowDC(AWnd);
  if (!DC) return;
  TRect window(0, 0, screenRect.Width(), screenRect.Height());
  TRect client;
  GetClientRect(AWnd, &client);
  MapWindowPoints(AWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -screenRect.Left, -screenRect.Top);
  Integer border = client.Left;

  int frameColor = AFlat ? COLOR_BTNSHADOW : COLOR_WINDOWFRAME;
  FrameRect(DC, &window, GetSysColorBrush(frameColor));
  if (!ASizable) {
    AGripRect = ACloseButtonRect = TRect();
    ReleaseDC(AWnd, DC);
    return;
  }

  InflateRect(&window, -border, -border);
  bool top = IsTopCorner(ACorner);
  Integer bandHeight = AGripHeight - 1;
  TRect band = window;
  TRect line = window;
  if (top) {
    band.Bottom = band.Top + bandHeight;
    line.Top = band.Bottom;
  } else {
    band.Top = band.Bottom - bandHeight;
    line.Top = band.Top - 1;
  }
  line.Bottom = line.Top + 1;
  FillWithSysColor(DC, line, frameColor);

  TRect grip = band;
  DrawClassicSizeGrip(DC, grip, ACorner);
  ExcludeFromClip(DC, grip);
  InflateRect(&grip, 2, 2);
  grip.Top = std::max(grip.Top, band.Top);
  grip.Bottom = std::min(grip.Bottom, band.Bottom);
  AGripRect = Offset(grip, screenRect.Left, screenRect.Top);

  TRect button = band;
  DrawGripBandCloseButton(DC, button, AHot || ADown, ACorner, AFlat, AHot && ADown);
  ExcludeFromClip(DC, button);
  ACloseButtonRect = Offset(button, screenRect.Left, screenRect.Top);

  FillWithSysColor(DC, band, COLOR_BTNFACE);
  LONG_PTR style = GetWindowLongPtr(AWnd, GWL_STYLE);
  if (!top && (style & WS_VSCROLL) && (style & WS_HSCROLL)) {
    TRect corner(window.Right - GetSystemMetrics(SM_CXVSCROLL), line.Top - GetSystemMetrics(SM_CYHSCROLL),
                 window.Right, line.Top);
    FillWithSysColor(DC, corner, COLOR_BTNFACE);
  }
  ReleaseDC(AWnd, DC);
}
