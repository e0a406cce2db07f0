#pragma once
// GDI's pixel coverage of shapes, as regions: what region constructors, fills and wide pens share.
// A pixel (x, y) belongs to a polygon when the point (x, y) lies inside it, with edges at the left
// and top inside and those at the right and bottom outside; rectangles of integer corners therefore
// cover exactly their pixels, right and bottom edges excluded.

#include <vector>

#include "gdi/Region.h"

Region PolygonRegion(const POINT* points, const INT* counts, int polygons, int fillMode);
// The ellipse inscribed in [left, right) x [top, bottom).
Region EllipseRegion(const RECT& box);
// A rectangle whose corners are quarters of a width x height ellipse.
Region RoundRectRegion(const RECT& box, int width, int height);
// The pixels a Bresenham line from `from` to `to` sets, `to` excluded, in order.
std::vector<POINT> LinePixels(POINT from, POINT to);
// A line of a pen `width` pixels wide (round ends), `to` included.
Region WideLineRegion(POINT from, POINT to, int width);
