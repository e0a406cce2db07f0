#pragma once
// A set of pixels as a pixman region: what region objects and DC clipping compute with.

#include <pixman.h>

#include <span>

#include "rtl/WinTypes.h"

class Region {
 public:
  Region();
  explicit Region(const RECT& rect);  // empty when inverted
  Region(const Region& other);
  Region(Region&& other) noexcept;
  Region& operator=(const Region& other);
  Region& operator=(Region&& other) noexcept;
  ~Region();

  static Region FromRects(std::span<const pixman_box32_t> boxes);

  void SetEmpty();
  void SetRect(const RECT& rect);
  void Intersect(const Region& other);
  void Intersect(const RECT& rect);
  void Unite(const Region& other);
  void Unite(const RECT& rect);
  void Subtract(const Region& other);
  void Subtract(const RECT& rect);
  void Xor(const Region& other);
  void Translate(int dx, int dy);

  bool IsEmpty() const;
  RECT Bounds() const;  // (0, 0, 0, 0) when empty
  int RectCount() const;
  std::span<const pixman_box32_t> Rects() const;
  bool Contains(int x, int y) const;
  bool Overlaps(const RECT& rect) const;
  bool Equals(const Region& other) const;
  // NULLREGION, SIMPLEREGION or COMPLEXREGION.
  int Kind() const;

  pixman_region32_t* Native() { return &region_; }
  const pixman_region32_t* Native() const { return &region_; }

 private:
  pixman_region32_t region_;
};
