#pragma once
// Region objects: a handle around a Region.

#include "gdi/GdiObjects.h"
#include "gdi/Region.h"

class RegionObject : public GdiObject {
 public:
  RegionObject() : GdiObject(OBJ_REGION) {}
  explicit RegionObject(Region value) : GdiObject(OBJ_REGION), region(std::move(value)) {}
  Region region;
};

// The region of a handle, null when stale or not a region.
Region* LookupRegion(HRGN region);
HRGN RegisterRegion(Region region);
