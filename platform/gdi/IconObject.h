#pragma once
// Icon and cursor objects: a monochrome AND mask and a colour image (a 32-bit image may carry
// straight alpha, as icon files store it). An icon without a colour image has a mask twice as high:
// the AND mask above the XOR image.

#include "gdi/GdiObjects.h"

class IconObject : public GdiObject {
 public:
  IconObject() : GdiObject(OBJ_ICONCURSOR) {}
  ~IconObject() override;
  bool isIcon = true;
  POINT hotspot;
  HBITMAP mask = nullptr;   // owned
  HBITMAP colour = nullptr;  // owned; null for a monochrome icon
};

IconObject* LookupIcon(HICON icon);
