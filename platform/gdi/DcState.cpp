#include "gdi/DcState.h"

#include "gdi/BitmapObject.h"
#include "gdi/StockObjects.h"

DeviceContext::DeviceContext(DWORD type) : GdiObject(type), primitives_(&PrimitivesFor(surface_)) {
  attrs.pen = GdiObjectRef(LookupGdiObject(StockObject(BLACK_PEN)));
  attrs.brush = GdiObjectRef(LookupGdiObject(StockObject(WHITE_BRUSH)));
  attrs.font = GdiObjectRef(LookupGdiObject(StockObject(SYSTEM_FONT)));
  attrs.palette = GdiObjectRef(LookupGdiObject(StockObject(DEFAULT_PALETTE)));
  if (type == OBJ_MEMDC) {
    BitmapObject* bitmap = LookupBitmap(StockBitmap());
    attrs.bitmap = GdiObjectRef(bitmap);
    if (bitmap) SetSurface(bitmap->Surface(), {}, nullptr);
  }
}

DeviceContext::~DeviceContext() {
  if (auto* bitmap = attrs.bitmap.as<BitmapObject>(); bitmap && bitmap->selectedInto == this) {
    bitmap->selectedInto = nullptr;
  }
}

void DeviceContext::SetSurface(const PixelSurface& surface, POINT dcOrigin, const Region* visible) {
  surface_ = surface;
  dcOrigin_ = dcOrigin;
  hasVisible_ = visible != nullptr;
  if (visible) visible_ = *visible;
  primitives_ = &PrimitivesFor(surface_);
  ClipChanged();
}

void DeviceContext::ClipChanged() {
  if (attrs.hasClip) {
    effectiveClip_ = attrs.clip;
    effectiveClip_.Translate(dcOrigin_.X, dcOrigin_.Y);
    effectiveClip_.Intersect(RECT{0, 0, surface_.width, surface_.height});
  } else {
    effectiveClip_.SetRect(RECT{0, 0, surface_.width, surface_.height});
  }
  if (hasVisible_) effectiveClip_.Intersect(visible_);
}

DeviceContext* LookupDc(HDC dc) {
  GdiObject* object = LookupGdiObject(dc);
  if (!object || (object->Type() != OBJ_DC && object->Type() != OBJ_MEMDC)) return nullptr;
  return static_cast<DeviceContext*>(object);
}
