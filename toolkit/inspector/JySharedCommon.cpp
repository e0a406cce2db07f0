#include "toolkit/inspector/JySharedCommon.h"

#include <algorithm>
#include <memory>

#include "gdi/Gdi.h"
#include "rtl/Exceptions.h"
#include "rtl/Math.h"

COLORREF ResolveColor(TColor Color) {
  if (Color < 0) return GetSysColor(Color & 0xFF);
  return static_cast<COLORREF>(Color);
}

UINT AlignmentFlag(TAlignment Alignment) {
  switch (Alignment) {
    case taRightJustify:
      return DT_RIGHT;
    case taCenter:
      return DT_CENTER;
    default:
      return DT_LEFT;
  }
}

TColor TGraphicsProvider::BlendColor(TColor C1, TColor C2, double X) {
  const COLORREF a = ResolveColor(C1), b = ResolveColor(C2);
  auto channel = [X](BYTE from, BYTE to) {
    return static_cast<BYTE>(std::clamp<Int64>(Round(X * to + (1 - X) * from), 0, 255));
  };
  return static_cast<TColor>(RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
                                 channel(GetBValue(a), GetBValue(b))));
}

void TGraphicsProvider::DrawFocus(TCanvas* Canvas, const TRect& Rect, bool Solid) {
  if (Solid) {
    Canvas->GetBrush()->SetColor(clHighlight);
    Canvas->FrameRect(Rect);
    return;
  }
  HDC dc = Canvas->GetHandle();
  const COLORREF back = SetBkColor(dc, RGB(0, 0, 0));
  const COLORREF text = SetTextColor(dc, RGB(255, 255, 255));
  DrawFocusRect(dc, &Rect);
  SetBkColor(dc, back);
  SetTextColor(dc, text);
}

void TGraphicsProvider::DrawGradient(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor) {
  const Integer height = Rect.Height();
  if (height <= 0 || Rect.Width() <= 0) return;
  for (Integer y = Rect.Top; y < Rect.Bottom; ++y) {
    Canvas->GetPen()->SetColor(BlendColor(FromColor, ToColor, double(y - Rect.Top) / height));
    Canvas->MoveTo(Rect.Left, y);
    Canvas->LineTo(Rect.Right, y);
  }
}

void TGraphicsProvider::DrawTextRect(TCanvas* Canvas, const TRect& Rect, bool RightToLeft, const String& Text,
                                     TAlignment Alignment) {
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP | DT_END_ELLIPSIS | AlignmentFlag(Alignment);
  if (RightToLeft) format |= DT_RTLREADING;
  TRect r = Rect;
  Canvas->GetBrush()->SetStyle(bsClear);
  Canvas->RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
  DrawText(Canvas->GetHandle(), Text.c_str(), static_cast<int>(Text.size()), &r, format);
  Canvas->GetBrush()->SetStyle(bsSolid);
}

void TGraphicsProvider::DrawTextRectEx(TCanvas* Canvas, const TRect& Rect, TBiDiMode BiDiMode, const String& Text,
                                       bool WordWrap, TVerticalAlignment VerticalAlignment, TAlignment Alignment) {
  UINT format = DT_NOPREFIX | AlignmentFlag(Alignment);
  if (VerticalAlignment == vaMiddle) format |= DT_VCENTER;
  if (VerticalAlignment == vaBottom) format |= DT_BOTTOM;
  format |= WordWrap ? DT_WORDBREAK : DT_SINGLELINE;
  if (BiDiMode == bdRightToLeft) format |= DT_RTLREADING;
  TRect r = Rect;
  Canvas->RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
  DrawText(Canvas->GetHandle(), Text.c_str(), static_cast<int>(Text.size()), &r, format);
}

TColor TMaskProvider::MixColors(TColor A, TColor B, Integer Alpha) {
  if (Alpha >= 256 || Alpha < 0) throw EAssertionFailed("MixColors: Alpha must lie in 0..255");
  const uint32_t a = ResolveColor(A), b = ResolveColor(B);
  const uint32_t alpha = static_cast<uint32_t>(Alpha), rest = 255 - alpha;
  // Red and blue ride in one word, green in another: two multiplications per colour.
  const uint32_t redBlue = (((a & 0xFF00FF) * alpha + (b & 0xFF00FF) * rest) >> 8) & 0xFF00FF;
  const uint32_t green = (((a & 0x00FF00) * alpha + (b & 0x00FF00) * rest) >> 8) & 0x00FF00;
  return static_cast<TColor>(redBlue | green);
}

namespace {

BYTE BlendChannel(BYTE S, BYTE D, BYTE A) {
  const Int64 v = Round(A * S / 255.0) + Round((1 - A / 255.0) * D);
  return static_cast<BYTE>(std::clamp<Int64>(v, 0, 255));
}

}  // namespace

void TDrawProvider::DrawGraphic(TCanvas* Canvas, Integer X, Integer Y, TGraphic* Graphic) {
  auto* bitmap = dynamic_cast<TBitmap*>(Graphic);
  if (!bitmap || bitmap->GetPixelFormat() != pf32bit) {
    Canvas->Draw(X, Y, Graphic);
    return;
  }
  const Integer w = bitmap->GetWidth(), h = bitmap->GetHeight();
  if (w <= 0 || h <= 0) return;
  auto back = std::make_unique<TBitmap>();
  back->SetPixelFormat(pf24bit);
  back->SetSize(w, h);
  back->GetCanvas()->CopyRect(Rect(0, 0, w, h), Canvas, Bounds(X, Y, w, h));
  for (Integer y = 0; y < h; ++y) {
    const auto* src = static_cast<const BYTE*>(bitmap->GetScanLine(y));
    auto* dst = static_cast<BYTE*>(back->GetScanLine(y));
    for (Integer x = 0; x < w; ++x, src += 4, dst += 3)
      for (int c = 0; c < 3; ++c) dst[c] = BlendChannel(src[c], dst[c], src[3]);
  }
  Canvas->Draw(X, Y, back.get());
}
