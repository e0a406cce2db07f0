// The bar unit's drawing routines: clip backups, solid and tiled fills, frames, drop arrows, the
// size grip and the bars' fonts. Every GDI object made here is released on every path.

#include <algorithm>
#include <cstring>

#include "toolkit/bars/qzBar.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "user/Rects.h"

namespace {

// Floor division, so that tiles left of or above the origin land on the right cell.
Integer FloorDiv(Integer A, Integer B) { return A / B - ((A % B != 0) && ((A < 0) != (B < 0)) ? 1 : 0); }

// A temporary DC with its own bitmap, freed with the object.
struct TScratchDC {
  TScratchDC(HDC Reference, Integer Width, Integer Height) {
    dc = CreateCompatibleDC(Reference);
    bitmap = CreateCompatibleBitmap(Reference, Width, Height);
    previous = SelectObject(dc, bitmap);
  }
  TScratchDC(HDC Reference, HBITMAP Bitmap) : bitmap(Bitmap) {
    dc = CreateCompatibleDC(Reference);
    previous = SelectObject(dc, bitmap);
  }
  ~TScratchDC() {
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  TScratchDC(const TScratchDC&) = delete;
  TScratchDC& operator=(const TScratchDC&) = delete;
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ previous;
};

}  // namespace

void SelectBackAndDelete(HDC DC, HGDIOBJ APrevious) { DeleteObject(SelectObject(DC, APrevious)); }

void FillPolygonWithColors(HDC DC, const POINT* APoints, Integer ALastIndex, TColor AFillColor, TColor APenColor) {
  HGDIOBJ previousPen = SelectObject(DC, CreatePen(PS_SOLID, 1, ColorToRGB(APenColor)));
  HGDIOBJ previousBrush = SelectObject(DC, CreateSolidBrush(ColorToRGB(AFillColor)));
  Polygon(DC, APoints, ALastIndex + 1);
  SelectBackAndDelete(DC, previousBrush);
  SelectBackAndDelete(DC, previousPen);
}

Integer BackupClipRegion(HDC DC, HRGN& ARegion, bool& AExisted) {
  ARegion = CreateRectRgn(0, 0, 0, 0);
  Integer result = GetClipRgn(DC, ARegion);
  AExisted = result == 1;
  return result;
}

void RestoreClipRegionBackup(HDC DC, HRGN& ARegion, bool AExisted) {
  SelectClipRgn(DC, AExisted ? ARegion : nullptr);
  FreeGDIHandle(ARegion);
}

void AddRectToClip(HDC DC, const TRect& R) {
  HRGN region = CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
  ExtSelectClipRgn(DC, region, RGN_OR);
  DeleteObject(region);
}

void FillWith(HDC DC, const TRect& R, HBRUSH ABrush) {
  RECT r = R;
  FillRect(DC, &r, ABrush);
}

void FrameWith(HDC DC, const TRect& R, HBRUSH ABrush) {
  RECT r = R;
  FrameRect(DC, &r, ABrush);
}

void FillAreaSolidOrTiled(HDC DC, const TRect& R, const TRect& AOrigin, TBitmap* ABitmap, TColor AColor,
                          HBRUSH ABrush) {
  if (ABitmap && !ABitmap->GetEmpty()) {
    TileBitmap(DC, R, AOrigin, ABitmap);
    return;
  }
  RECT r = R;
  if (ABrush) {
    FillRect(DC, &r, ABrush);
    return;
  }
  HBRUSH brush = CreateSolidBrush(ColorToRGB(AColor));
  FillRect(DC, &r, brush);
  DeleteObject(brush);
}

void TileBitmap(HDC DC, const TRect& R, const TRect& AOrigin, TBitmap* ABitmap) {
  if (!ABitmap || ABitmap->GetEmpty() || AOrigin.Width() <= 0 || AOrigin.Height() <= 0) return;
  const Integer width = ABitmap->GetWidth(), height = ABitmap->GetHeight();
  HRGN saved;
  bool existed;
  BackupClipRegion(DC, saved, existed);
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  HDC source = ABitmap->GetCanvas()->GetHandle();
  for (Integer row = FloorDiv(AOrigin.Top, height); row <= FloorDiv(AOrigin.Bottom - 1, height); ++row)
    for (Integer column = FloorDiv(AOrigin.Left, width); column <= FloorDiv(AOrigin.Right - 1, width); ++column)
      BitBlt(DC, R.Left - AOrigin.Left + column * width, R.Top - AOrigin.Top + row * height, width, height, source,
             0, 0, SRCCOPY);
  RestoreClipRegionBackup(DC, saved, existed);
}

void BlendAreaWithBtnFace(HDC DC, const TRect& R) { BlendCheckerOverDC(DC, R, clBtnFace, 0, 170, 20, 2); }

void FrameWithHighlightColor(HDC DC, const TRect& R) {
  RECT r = R;
  FrameRect(DC, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
}

void DrawDoubleSysColorFrame(HDC DC, const TRect& R, Integer ASysColorIndex) {
  HBRUSH brush = GetSysColorBrush(ASysColorIndex);
  RECT r = R;
  FrameRect(DC, &r, brush);
  InflateRect(&r, -1, -1);
  FrameRect(DC, &r, brush);
}

void DrawDoubleFocusRect(HDC DC, const TRect& R) {
  const COLORREF ink = ColorToRGB(clBtnText);
  auto frame = [&](const TRect& f) {
    for (Integer x = f.Left; x < f.Right; ++x) {
      if ((x + f.Top) % 2 == 0) SetPixelV(DC, x, f.Top, ink);
      if ((x + f.Bottom - 1) % 2 == 0) SetPixelV(DC, x, f.Bottom - 1, ink);
    }
    for (Integer y = f.Top; y < f.Bottom; ++y) {
      if ((f.Left + y) % 2 == 0) SetPixelV(DC, f.Left, y, ink);
      if ((f.Right - 1 + y) % 2 == 0) SetPixelV(DC, f.Right - 1, y, ink);
    }
  };
  frame(R);
  frame(TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1));
}

void WorkAreaAtPoint(const TPoint& P, TRect& AWorkArea) {
  MONITORINFO info;
  info.cbSize = sizeof(info);
  GetMonitorInfo(MonitorFromPoint(P, MONITOR_DEFAULTTONEAREST), &info);
  AWorkArea = info.rcWork;
}

void DrawItemArrowSized(HDC DC, const TRect& R, Integer ADirection, TColor AColor, bool AEnabled, bool ASelected,
                        bool AFlat, Integer ASize) {
  const Integer s = ASize;
  const bool down = ADirection == 1;
  if (AColor == clDefault) {
    if (!AEnabled)
      AColor = clBtnShadow;
    else if (!ASelected)
      AColor = clBtnText;
    else
      AColor = ColorToRGB(clBtnFace) == 0xFFFFFF ? clBtnFace : clHighlightText;
  }
  POINT p[3];
  Integer x, y;
  if (down) {
    x = (R.Left + R.Right - 2 * s + 1) / 2;
    y = (R.Top + R.Bottom - s) / 2;
    p[0] = {x, y};
    p[1] = {x + 2 * s - 2, y};
    p[2] = {x + s - 1, y + s - 1};
  } else {
    x = (R.Left + R.Right - s) / 2;
    y = (R.Top + R.Bottom - 2 * s + 1) / 2;
    p[0] = {x, y};
    p[1] = {x, y + 2 * s - 2};
    p[2] = {x + s - 1, y + s - 1};
  }
  FillPolygonWithColors(DC, p, 2, AColor, AColor);
  if (AEnabled || AFlat) return;
  // An engraved edge below the greyed arrow.
  HGDIOBJ previous = SelectObject(DC, CreatePen(PS_SOLID, 1, ColorToRGB(clBtnHighlight)));
  if (down) {
    MoveToEx(DC, x + s, y + s - 1, nullptr);
    LineTo(DC, x + 2 * s - 1, y);
    MoveToEx(DC, x + s, y + s, nullptr);
    LineTo(DC, x + 2 * s, y);
  } else {
    MoveToEx(DC, x + s - 1, y + s, nullptr);
    LineTo(DC, x, y + 2 * s - 1);
    MoveToEx(DC, x + s, y + s, nullptr);
    LineTo(DC, x, y + 2 * s);
  }
  SelectBackAndDelete(DC, previous);
}

void DrawItemArrowInRect(HDC DC, const TRect& R, Integer ADirection, TColor AColor, bool AEnabled, bool ASelected,
                         bool AFlat) {
  Integer f = ADirection == 1 ? R.Width() - 8 : R.Height() - 6;
  Integer s = (f % 2 != 0) ? (f - 1) / 2 + 1 : (f - 1) / 2;
  DrawItemArrowSized(DC, R, ADirection, AColor, AEnabled, ASelected, AFlat, std::max(3, s));
}

void DrawMaskedSizeGrip(HDC DC, const TRect& R) {
  const Integer w = R.Width(), h = R.Height();
  if (w <= 0 || h <= 0) return;
  TScratchDC copy(DC, w, h);
  BitBlt(copy.dc, 0, 0, w, h, DC, R.Left, R.Top, SRCCOPY);
  TScratchDC grip(DC, w, h);
  RECT gripRect{0, 0, w, h};
  DrawFrameControl(grip.dc, &gripRect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  // The mask: the grip's face is background (white), its marks foreground (black).
  TScratchDC mask(DC, CreateBitmap(w, h, 1, 1, nullptr));
  SetBkColor(grip.dc, ColorToRGB(clBtnFace));
  BitBlt(mask.dc, 0, 0, w, h, grip.dc, 0, 0, SRCCOPY);
  // The mask's white must read as white again on the colour DCs.
  SetBkColor(grip.dc, RGB(255, 255, 255));
  SetTextColor(grip.dc, RGB(0, 0, 0));
  // Clear the copy where the marks go, keep the marks only in the grip, then combine.
  BitBlt(copy.dc, 0, 0, w, h, mask.dc, 0, 0, MERGEPAINT);
  BitBlt(grip.dc, 0, 0, w, h, mask.dc, 0, 0, SRCPAINT);
  BitBlt(copy.dc, 0, 0, w, h, grip.dc, 0, 0, SRCAND);
  BitBlt(DC, R.Left, R.Top, w, h, copy.dc, 0, 0, SRCCOPY);
}

TColor ToolbarThemeColor() {
  COLORREF fill;
  if (HTHEME theme = ObtainTheme(totToolBar); theme && GetThemeColor(theme, 0, 0, TMT_FILLCOLOR, &fill) == S_OK)
    return static_cast<TColor>(fill);
  return clBtnFace;
}

HFONT CreateSmallCaptionFont(TFont* AFont, bool AKeepSystemFont) {
  NONCLIENTMETRICS metrics;
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfo(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  LOGFONT font = metrics.lfSmCaptionFont;
  if (!AKeepSystemFont) {
    font.lfHeight = std::min<LONG>(font.lfHeight, -11);
    if (AFont) {
      std::strncpy(font.lfFaceName, AFont->GetName().c_str(), LF_FACESIZE - 1);
      font.lfFaceName[LF_FACESIZE - 1] = '\0';
    }
  }
  return CreateFontIndirect(&font);
}

void AssignBarFont(TFont* ASource, TFont* ATarget, bool AUseIconTitleHeight) {
  if (!AUseIconTitleHeight) {
    // The same font: a copy of the description makes the same handle.
    ATarget->Assign(ASource);
    return;
  }
  LOGFONT iconTitle;
  SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(iconTitle), &iconTitle, 0);
  LOGFONT font;
  GetObject(ASource->GetHandle(), sizeof(font), &font);
  font.lfHeight = std::min<LONG>(iconTitle.lfHeight, -11);
  ATarget->SetHandle(CreateFontIndirect(&font));
}
