#include "toolkit/inspector/JySharedDraw.h"

#include <memory>

#include "gdi/Gdi.h"
#include "toolkit/inspector/JyThemesSupport.h"

TColor BlendColors(TColor A, TColor B, Integer Alpha) { return TMaskProvider::MixColors(A, B, Alpha); }

void DrawBitmap(TCanvas* Canvas, Integer X, Integer Y, TGraphic* Graphic) {
  auto* bitmap = dynamic_cast<TBitmap*>(Graphic);
  if (!bitmap || bitmap->GetPixelFormat() != pf32bit) {
    Canvas->Draw(X, Y, Graphic);
    return;
  }
  const Integer w = bitmap->GetWidth(), h = bitmap->GetHeight();
  if (w <= 0 || h <= 0) return;
  auto back = std::make_unique<TBitmap>();
  back->SetPixelFormat(pf32bit);
  back->SetSize(w, h);
  back->GetCanvas()->CopyRect(Rect(0, 0, w, h), Canvas, Bounds(X, Y, w, h));
  for (Integer y = 0; y < h; ++y) {
    const auto* src = static_cast<const uint32_t*>(bitmap->GetScanLine(y));
    auto* dst = static_cast<uint32_t*>(back->GetScanLine(y));
    for (Integer x = 0; x < w; ++x) {
      // Scan lines hold B, G, R, A; colours are R, G, B from the low byte.
      auto toColor = [](uint32_t p) {
        return static_cast<TColor>(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
      };
      const TColor mixed = TMaskProvider::MixColors(toColor(src[x]), toColor(dst[x]), (src[x] >> 24) & 0xFF);
      dst[x] = 0xFF000000u | (GetRValue(mixed) << 16) | (GetGValue(mixed) << 8) | GetBValue(mixed);
    }
  }
  Canvas->Draw(X, Y, back.get());
}

void DrawCaptionText(TCanvas* Canvas, const TRect& Rect, const String& Text, bool RightToLeft) {
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP | DT_END_ELLIPSIS;
  if (RightToLeft) format |= DT_RTLREADING;
  TRect r = Rect;
  Canvas->GetBrush()->SetStyle(bsClear);
  Canvas->RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
  DrawText(Canvas->GetHandle(), Text.c_str(), static_cast<int>(Text.size()), &r, format);
  Canvas->GetBrush()->SetStyle(bsSolid);
}

TColor OfficeColor(Integer Index) {
  const bool themed = IsThemed();
  switch (Index) {
    case 0:
      return themed ? TColor(RGB(255, 238, 194)) : BlendColors(clHighlight, clWindow, 80);
    case 1:
      return themed ? TColor(RGB(255, 213, 140)) : cl3DLight;
    case 2:
      return themed ? TColor(RGB(255, 166, 76)) : cl3DLight;
    case 3:
      return static_cast<TColor>(GetSysColor(COLOR_HOTLIGHT));
    case 4:
      return RGB(255, 213, 140);
    case 5:
      return RGB(255, 173, 85);
    case 6:
      return RGB(255, 244, 204);
    case 7:
      return RGB(255, 208, 145);
    case 8:
      return themed ? TColor(RGB(254, 145, 78)) : TColor(RGB(254, 145, 178));
    case 9:
      return RGB(255, 211, 142);
    case 10:
      return themed ? clInactiveCaptionText : clWindow;
    case 11:
      return themed ? BlendColors(clHighlight, clInactiveCaptionText, 132) : clBtnFace;
    case 12:
      return themed ? TColor(RGB(127, 157, 185)) : clGrayText;
    default:
      return clNone;
  }
}
