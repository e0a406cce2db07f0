#include "gdi/Region.h"

#include "gdi/GdiTypes.h"

Region::Region() { pixman_region32_init(&region_); }

Region::Region(const RECT& rect) {
  if (rect.Left < rect.Right && rect.Top < rect.Bottom) {
    pixman_region32_init_rect(&region_, rect.Left, rect.Top, static_cast<unsigned>(rect.Right - rect.Left),
                              static_cast<unsigned>(rect.Bottom - rect.Top));
  } else {
    pixman_region32_init(&region_);
  }
}

Region::Region(const Region& other) {
  pixman_region32_init(&region_);
  pixman_region32_copy(&region_, &other.region_);
}

Region::Region(Region&& other) noexcept {
  // pixman keeps empty and one-box regions inline; copying the struct and re-initialising the
  // other side moves the data without allocating.
  region_ = other.region_;
  pixman_region32_init(&other.region_);
}

Region& Region::operator=(const Region& other) {
  if (this != &other) pixman_region32_copy(&region_, &other.region_);
  return *this;
}

Region& Region::operator=(Region&& other) noexcept {
  if (this != &other) {
    pixman_region32_fini(&region_);
    region_ = other.region_;
    pixman_region32_init(&other.region_);
  }
  return *this;
}

Region::~Region() { pixman_region32_fini(&region_); }

Region Region::FromRects(std::span<const pixman_box32_t> boxes) {
  Region result;
  pixman_region32_fini(&result.region_);
  pixman_region32_init_rects(&result.region_, boxes.data(), static_cast<int>(boxes.size()));
  return result;
}

void Region::SetEmpty() {
  pixman_region32_fini(&region_);
  pixman_region32_init(&region_);
}

void Region::SetRect(const RECT& rect) { *this = Region(rect); }

void Region::Intersect(const Region& other) { pixman_region32_intersect(&region_, &region_, &other.region_); }

void Region::Intersect(const RECT& rect) {
  if (rect.Left >= rect.Right || rect.Top >= rect.Bottom) {
    SetEmpty();
    return;
  }
  pixman_region32_intersect_rect(&region_, &region_, rect.Left, rect.Top, static_cast<unsigned>(rect.Width()),
                                 static_cast<unsigned>(rect.Height()));
}

void Region::Unite(const Region& other) { pixman_region32_union(&region_, &region_, &other.region_); }

void Region::Unite(const RECT& rect) {
  if (rect.Left >= rect.Right || rect.Top >= rect.Bottom) return;
  pixman_region32_union_rect(&region_, &region_, rect.Left, rect.Top, static_cast<unsigned>(rect.Width()),
                             static_cast<unsigned>(rect.Height()));
}

void Region::Subtract(const Region& other) { pixman_region32_subtract(&region_, &region_, &other.region_); }

void Region::Subtract(const RECT& rect) { Subtract(Region(rect)); }

void Region::Xor(const Region& other) {
  Region both(*this);
  both.Intersect(other);
  Unite(other);
  Subtract(both);
}

void Region::Translate(int dx, int dy) { pixman_region32_translate(&region_, dx, dy); }

bool Region::IsEmpty() const { return !pixman_region32_not_empty(&region_); }

RECT Region::Bounds() const {
  if (IsEmpty()) return {};
  const pixman_box32_t* box = pixman_region32_extents(&region_);
  return {box->x1, box->y1, box->x2, box->y2};
}

int Region::RectCount() const { return pixman_region32_n_rects(&region_); }

std::span<const pixman_box32_t> Region::Rects() const {
  int count = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(&region_, &count);
  return {boxes, static_cast<size_t>(count)};
}

bool Region::Contains(int x, int y) const {
  return pixman_region32_contains_point(&region_, x, y, nullptr) != 0;
}

bool Region::Overlaps(const RECT& rect) const {
  if (rect.Left >= rect.Right || rect.Top >= rect.Bottom) return false;
  pixman_box32_t box{rect.Left, rect.Top, rect.Right, rect.Bottom};
  return pixman_region32_contains_rectangle(&region_, &box) != PIXMAN_REGION_OUT;
}

bool Region::Equals(const Region& other) const { return pixman_region32_equal(&region_, &other.region_) != 0; }

int Region::Kind() const {
  const int count = RectCount();
  return count == 0 ? NULLREGION : count == 1 ? SIMPLEREGION : COMPLEXREGION;
}
