#pragma once
// The 16 x 16 pictures of the bars' extra items: the glyphs their commands show in the
// customizing lists and the two marks of the font-name combo's list (outline and other fonts).
// Each is a 24-bit BMP whose bottom-left pixel, magenta, is the transparent colour.

#include <cstdint>
#include <string>
#include <vector>

struct GlyphPicture {
  const char* file;
  std::vector<uint8_t> data;
};

std::vector<GlyphPicture> ItemGlyphs();
