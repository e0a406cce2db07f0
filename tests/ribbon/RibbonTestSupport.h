#pragma once
// What the ribbon's tests share: a 32-bit surface to draw on and the registered schemes.

#include <string>

#include "gdi/Gdi.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/ribbon/qzRibbonSkins.h"

struct RibbonSurface {
  RibbonSurface(Integer Width, Integer Height, TColor Fill) : bitmap(Width, Height) {
    bitmap.GetkvCanvas()->FillWithColor(TRect{0, 0, Width, Height}, Fill);
  }
  HDC DC() { return bitmap.GetCanvas()->GetHandle(); }
  COLORREF At(Integer X, Integer Y) { return GetPixel(DC(), X, Y); }
  bool IsAll(COLORREF Color) {
    for (Integer y = 0; y < bitmap.GetHeight(); ++y)
      for (Integer x = 0; x < bitmap.GetWidth(); ++x)
        if (At(x, y) != Color) return false;
    return true;
  }
  TkvBitmap bitmap;
};

// The registered scheme of that name.
inline TqzCustomRibbonSkin* RibbonSkin(const String& Name) {
  return dynamic_cast<TqzCustomRibbonSkin*>(BarSkinManagerInstance()->FindSkin(Name));
}

// Saves the surface as $TAVREN_TEST_OUTPUT/<Name>.png; false when the variable is not set.
bool SaveRibbonPicture(RibbonSurface& Surface, const std::string& Name);
