// The Wb colour model: hue, saturation and lightness on 0..240, the shades derived from them, the
// visual-style colours and the desktop colour-scheme detection.

#include <algorithm>
#include <cstdlib>

#include "gdi/DeviceContexts.h"
#include "user/Painting.h"
#include "gdi/GdiTypes.h"
#include "gdi/UxTheme.h"
#include "rtl/Math.h"
#include "rtl/Registry.h"
#include "rtl/SysUtils.h"
#include "toolkit/controls/WbCommon.h"
#include "vcl/Graphics.h"
#include "vcl/Themes.h"

bool FullColorDisplay = false;
Byte XPColorScheme = 0;

namespace {

Byte RValue(COLORREF c) { return c & 0xFF; }
Byte GValue(COLORREF c) { return (c >> 8) & 0xFF; }
Byte BValue(COLORREF c) { return (c >> 16) & 0xFF; }
TColor MakeRGB(Int64 r, Int64 g, Int64 b) { return TColor(r | (g << 8) | (b << 16)); }

}  // namespace

void ColorToHslBytes(TColor Color, Byte& H, Byte& S, Byte& L) {
  COLORREF rgb = ColorToRGB(Color);
  Extended r = RValue(rgb) / 255.0, g = GValue(rgb) / 255.0, b = BValue(rgb) / 255.0;
  Extended mx = std::max({r, g, b}), mn = std::min({r, g, b});
  Extended l = (mx + mn) / 2, h = 0, s = 0;
  if (mx != mn) {
    Extended d = mx - mn;
    s = l < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
    if (r == mx)
      h = (g - b) / d;
    else if (g == mx)
      h = 2 + (b - r) / d;
    else
      h = 4 + (r - g) / d;
    h /= 6;
    if (h < 0) h += 1;
  }
  H = Byte(Round(h * 240));
  S = Byte(Round(s * 240));
  L = Byte(Round(l * 240));
}

Byte HueOfColor(TColor Color) {
  Byte h, s, l;
  ColorToHslBytes(Color, h, s, l);
  return h;
}

TColor HslBytesToColor(Byte H, Byte S, Byte L) {
  // The hue is read against 239, so H 239 and 240 both land on the red side of sextant 0.
  Extended h = H / 239.0, s = S / 240.0, l = L / 240.0;
  Extended v = l < 0.5 ? l * (1 + s) : l + s - l * s;
  if (v <= 0) return clBlack;
  Extended m = 2 * l - v;
  Extended sv = (v - m) / v;
  Extended h6 = h * 6;
  Int64 sextant = Trunc(h6);
  Extended f = h6 - sextant;
  Extended vsf = v * sv * f;
  Extended mid1 = m + vsf, mid2 = v - vsf;
  Extended r, g, b;
  switch (sextant) {
    case 1: r = mid2, g = v, b = m; break;
    case 2: r = m, g = v, b = mid1; break;
    case 3: r = m, g = mid2, b = v; break;
    case 4: r = mid1, g = m, b = v; break;
    case 5: r = v, g = m, b = mid2; break;
    default: r = v, g = mid1, b = m; break;
  }
  r = std::min<Extended>(r, 1);
  g = std::min<Extended>(g, 1);
  b = std::min<Extended>(b, 1);
  return MakeRGB(Round(r * 255), Round(g * 255), Round(b * 255));
}

TColor DarkenColor(TColor Color, Byte Amount) {
  Byte h, s, l;
  ColorToHslBytes(Color, h, s, l);
  return HslBytesToColor(h, s, Byte(std::max(Integer(l) - Amount, 0)));
}

TColor LightenColor(TColor Color, Byte Amount) {
  Byte h, s, l;
  ColorToHslBytes(Color, h, s, l);
  // Lightness above 240 saturates the channels at 1 when the colour is rebuilt.
  return HslBytesToColor(h, s, Byte(std::min(Integer(l) + Amount, 255)));
}

TColor ShiftColorLightness(TColor Color, Integer Adjustment) {
  if (Adjustment < 0) return DarkenColor(Color, Byte(std::min(-Adjustment, 255)));
  if (Adjustment > 0) return LightenColor(Color, Byte(std::min(Adjustment, 255)));
  return Color;
}

TColor MixColors(TColor Color1, TColor Color2, Byte Weight) {
  COLORREF c1 = ColorToRGB(Color1), c2 = ColorToRGB(Color2);
  float w = Weight / 255.0f;
  auto mix = [w](Byte a, Byte b) { return Round(Extended(w * a + (1 - w) * b)); };
  return MakeRGB(mix(RValue(c1), RValue(c2)), mix(GValue(c1), GValue(c2)), mix(BValue(c1), BValue(c2)));
}

bool ColorsLookAlike(TColor Color1, TColor Color2) {
  Byte h1, s1, l1, h2, s2, l2;
  ColorToHslBytes(Color1, h1, s1, l1);
  ColorToHslBytes(Color2, h2, s2, l2);
  return std::abs(h1 - h2) < 20 && std::abs(l1 - l2) < 60;
}

TColor OppositeHueColor(TColor Color, Byte Lightness) {
  Byte h = HueOfColor(Color);
  return HslBytesToColor(Byte(h < 120 ? h + 120 : h - 120), 240, Lightness);
}

TColor ThemePartColor(Byte Kind) {
  if (!ThemeServices()->ThemesEnabled()) return clBtnFace;
  struct Entry {
    const char16_t* ThemeClass;
    int Part, State, Property;
  };
  static const Entry kEntries[] = {
      {u"edit", 0, 2, TMT_BORDERCOLOR},          {u"explorerbar", 5, 1, TMT_TEXTCOLOR},
      {u"explorerbar", 9, 1, TMT_TEXTCOLOR},     {u"explorerbar", 5, 1, TMT_FILLCOLOR},
      {u"explorerbar", 0, 2, 3810},              {u"explorerbar", 12, 1, TMT_FILLCOLOR},
      {u"button", 4, 1, TMT_TEXTCOLOR},
  };
  if (Kind >= std::size(kEntries)) return clWhite;
  const Entry& e = kEntries[Kind];
  HTHEME theme = OpenThemeData(nullptr, e.ThemeClass);
  COLORREF color = 0;
  // A style without the colour answers black, as the failed call leaves the value.
  if (theme) {
    GetThemeColor(theme, e.Part, e.State, e.Property, &color);
    CloseThemeData(theme);
  }
  return TColor(color);
}

namespace {
const TColor kOfficeGradients[3][2] = {
    {0x00FFEFE3, 0x00EABB99}, {0x00EDFFFF, 0x0092C7B8}, {0x00FFF9F9, 0x00D0BCBD}};
}

void OfficeGradientColors(TWbGradientColorStyle Style, TColor& StartColor, TColor& StopColor) {
  if (Style == gcsMSOffice && ThemeServices()->ThemesEnabled()) {
    StartColor = kOfficeGradients[XPColorScheme % 3][0];
    StopColor = kOfficeGradients[XPColorScheme % 3][1];
  } else {
    StartColor = clWindow;
    StopColor = DarkenColor(clBtnFace, 10);
  }
}

void GroupGradientColors(TWbGradientColorStyle Style, TColor& StopColor, TColor& StartColor, TColor& LineColor) {
  if (Style == gcsMSOffice && ThemeServices()->ThemesEnabled()) {
    StartColor = kOfficeGradients[XPColorScheme % 3][0];
    StopColor = kOfficeGradients[XPColorScheme % 3][1];
    LineColor = StopColor;
  } else {
    StopColor = DarkenColor(clBtnFace, 20);
    StartColor = clWindow;
    LineColor = DarkenColor(clBtnFace, 40);
  }
}

bool HasFullColorDisplay() {
  HDC dc = GetDC(nullptr);
  bool full = GetDeviceCaps(dc, NUMCOLORS) == -1;
  ReleaseDC(nullptr, dc);
  return full;
}

Byte DetectXPColorScheme() {
  TRegistryIniFile reg("\\Software\\Microsoft\\Windows\\CurrentVersion");
  String name = UpperCase(reg.ReadString("ThemeManager", "ColorName", ""));
  if (name == "HOMESTEAD") return 1;
  if (name == "METALLIC") return 2;
  return 0;
}

void WbCommonStart() {
  FullColorDisplay = HasFullColorDisplay();
  XPColorScheme = DetectXPColorScheme();
}
