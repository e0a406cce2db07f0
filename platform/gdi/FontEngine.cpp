#include "gdi/FontEngine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <list>
#include <map>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr size_t kGlyphBudget = 16u << 20;  // bytes of coverage kept across all instances
constexpr size_t kInstanceLimit = 96;
constexpr double kMaxPixels = 2000;  // beyond this a font is a mistake, not a design

FT_Library Library() {
  static FT_Library library = [] {
    FT_Library created = nullptr;
    if (FT_Init_FreeType(&created) != 0) created = nullptr;
    return created;
  }();
  return library;
}

// Font files are read once and shared by all sizes made from them.
std::shared_ptr<std::vector<FT_Byte>> FileBytes(const std::string& path) {
  static std::map<std::string, std::shared_ptr<std::vector<FT_Byte>>> files;
  auto it = files.find(path);
  if (it != files.end()) return it->second;
  std::ifstream in(path, std::ios::binary);
  if (!in) return nullptr;
  auto bytes = std::make_shared<std::vector<FT_Byte>>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (bytes->empty()) return nullptr;
  files[path] = bytes;
  return bytes;
}

size_t totalGlyphBytes = 0;
std::list<FontInstance*> liveInstances;

std::string CacheKey(const LOGFONT& font) {
  std::string face(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE));
  std::transform(face.begin(), face.end(), face.begin(), [](unsigned char c) { return std::tolower(c); });
  bool antialiased = font.lfQuality != NONANTIALIASED_QUALITY;
  return face + '|' + std::to_string(font.lfHeight) + '|' + std::to_string(font.lfWidth) + '|' +
         std::to_string(font.lfWeight >= FW_SEMIBOLD) + '|' + std::to_string(font.lfItalic != 0) + '|' +
         std::to_string(antialiased) + '|' + std::to_string(font.lfPitchAndFamily);
}

}  // namespace

struct FontInstance::FreeTypeFace {
  std::shared_ptr<std::vector<FT_Byte>> bytes;
  FT_Face face = nullptr;
  ~FreeTypeFace() {
    if (face) FT_Done_Face(face);
  }
};

std::shared_ptr<FontInstance> FontInstance::For(const LOGFONT& font) {
  // Most recently used first; the list holds the instances alive while fonts come and go.
  static std::list<std::pair<std::string, std::shared_ptr<FontInstance>>> cache;
  std::string key = CacheKey(font);
  for (auto it = cache.begin(); it != cache.end(); ++it) {
    if (it->first == key) {
      if (it != cache.begin()) cache.splice(cache.begin(), cache, it);
      return cache.front().second;
    }
  }
  auto instance = std::make_shared<FontInstance>(font);
  cache.emplace_front(key, instance);
  if (cache.size() > kInstanceLimit) cache.pop_back();
  return instance;
}

FontInstance::FontInstance(const LOGFONT& font, bool withFallback) : face_(FindFontFace(font)) {
  std::fill(std::begin(asciiAdvances_), std::end(asciiAdvances_), int16_t{-1});
  antialiased_ = font.lfQuality != NONANTIALIASED_QUALITY;
  LoadFace();
  ComputeMetrics(font, withFallback);
  liveInstances.push_back(this);
}

FontInstance::~FontInstance() {
  totalGlyphBytes -= glyphBytes_;
  liveInstances.remove(this);
}

void FontInstance::LoadFace() {
  if (face_.path.empty() || !Library()) return;
  auto ft = std::make_unique<FreeTypeFace>();
  ft->bytes = FileBytes(face_.path);
  if (!ft->bytes) return;
  if (FT_New_Memory_Face(Library(), ft->bytes->data(), static_cast<FT_Long>(ft->bytes->size()), face_.index, &ft->face) != 0) {
    ft->face = nullptr;
    return;
  }
  if (!FT_IS_SCALABLE(ft->face)) return;
  ft_ = std::move(ft);
}

void FontInstance::ComputeMetrics(const LOGFONT& font, bool withFallback) {
  // Design units of the face; made-up ones (a sans face's proportions) without a face.
  double unitsPerEm = 2048, winAscent = 1854, winDescent = 434, lineGap = 67, hheaAscent = 1854, hheaDescent = 434;
  double averageWidth = 1176, maxAdvance = 2048, underlinePos = -217, underlineThick = 150, strikePos = 530,
         strikeThick = 102;
  FT_Face face = ft_ ? ft_->face : nullptr;
  if (face) {
    unitsPerEm = face->units_per_EM;
    hheaAscent = face->ascender;
    hheaDescent = -face->descender;
    winAscent = hheaAscent;
    winDescent = hheaDescent;
    lineGap = std::max(0, face->height - face->ascender + face->descender);
    maxAdvance = face->max_advance_width;
    underlinePos = face->underline_position;
    underlineThick = face->underline_thickness;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)); os2 && os2->version != 0xFFFF) {
      if (os2->usWinAscent + os2->usWinDescent > 0) {
        winAscent = os2->usWinAscent;
        winDescent = os2->usWinDescent;
      }
      if (os2->xAvgCharWidth > 0) averageWidth = os2->xAvgCharWidth;
      strikePos = os2->yStrikeoutPosition;
      strikeThick = os2->yStrikeoutSize;
    }
    metrics_.fixedPitch = FT_IS_FIXED_WIDTH(face);
  }
  // Negative heights are the em (character) height, positive ones the cell height, 0 the
  // default interface size.
  Int64 asked = font.lfHeight == 0 ? -11 : font.lfHeight;
  double cell = winAscent + winDescent;
  if (asked < 0) {
    pixelsY_ = std::min<double>(static_cast<double>(-asked), kMaxPixels);
    double scale = pixelsY_ / unitsPerEm;
    metrics_.ascent = static_cast<int>(std::ceil(winAscent * scale - 1e-6));
    metrics_.descent = static_cast<int>(std::ceil(winDescent * scale - 1e-6));
    metrics_.height = metrics_.ascent + metrics_.descent;
  } else {
    metrics_.height = static_cast<int>(std::min<Int64>(asked, static_cast<Int64>(kMaxPixels)));
    pixelsY_ = metrics_.height * unitsPerEm / cell;
    metrics_.ascent = static_cast<int>(std::lround(winAscent * metrics_.height / cell));
    metrics_.descent = metrics_.height - metrics_.ascent;
  }
  double scaleY = pixelsY_ / unitsPerEm;
  pixelsX_ = pixelsY_;
  if (font.lfWidth != 0) {
    // lfWidth asks for an average character width: scale horizontally to reach it.
    double natural = averageWidth * scaleY;
    if (natural > 0) pixelsX_ = std::clamp(pixelsY_ * std::abs(static_cast<double>(font.lfWidth)) / natural, 1.0, kMaxPixels);
  }
  double scaleX = pixelsX_ / unitsPerEm;
  metrics_.internalLeading = std::max(0, metrics_.height - static_cast<int>(std::lround(pixelsY_)));
  double externalUnits = lineGap - ((winAscent + winDescent) - (hheaAscent + hheaDescent));
  metrics_.externalLeading = std::max(0, static_cast<int>(std::lround(externalUnits * scaleY)));
  int bolden = face_.syntheticBold ? 1 : 0;
  metrics_.aveCharWidth = static_cast<int>(std::lround(averageWidth * scaleX)) + bolden;
  metrics_.maxCharWidth = static_cast<int>(std::lround(maxAdvance * scaleX)) + bolden;
  metrics_.weight = font.lfWeight == FW_DONTCARE ? FW_NORMAL : font.lfWeight;
  metrics_.underlineThickness = std::max(1, static_cast<int>(std::lround(underlineThick * scaleY)));
  metrics_.underlinePosition = std::max(1, static_cast<int>(std::lround(-underlinePos * scaleY)));
  metrics_.strikeoutThickness = std::max(1, static_cast<int>(std::lround(strikeThick * scaleY)));
  metrics_.strikeoutPosition = std::max(1, static_cast<int>(std::lround(strikePos * scaleY)));
  if (face_.family.find("Serif") != std::string::npos) metrics_.family = FF_ROMAN;
  if (metrics_.fixedPitch) metrics_.family = FF_MODERN;
  if (face_.symbol != SymbolFace::None) metrics_.family = FF_DECORATIVE;
  if (face) FT_Set_Char_Size(face, std::lround(pixelsX_ * 64), std::lround(pixelsY_ * 64), 72, 72);
  if (withFallback && face_.symbol == SymbolFace::None && face_.family != "DejaVu Sans" && face) {
    LOGFONT other = font;
    std::strcpy(other.lfFaceName, "Verdana");
    other.lfWidth = 0;
    other.lfHeight = -static_cast<LONG>(std::lround(pixelsY_));
    fallback_ = std::make_unique<FontInstance>(other, false);
    if (!fallback_->ft_) fallback_.reset();
  }
}

FontInstance::Resolved FontInstance::Resolve(char32_t ch) {
  if (!ft_) return {this, 0};
  unsigned index = FT_Get_Char_Index(ft_->face, ch);
  if (index == 0 && fallback_ && ch >= 0x80) {
    unsigned other = FT_Get_Char_Index(fallback_->ft_->face, ch);
    if (other != 0) return {fallback_.get(), other};
  }
  return {this, index};
}

int FontInstance::Advance(char32_t ch) {
  if (ch < 128 && asciiAdvances_[ch] >= 0) return asciiAdvances_[ch];
  if (ch >= 128) {
    auto it = advances_.find(ch);
    if (it != advances_.end()) return it->second;
  }
  int advance = 0;
  if (face_.symbol != SymbolFace::None) {
    advance = static_cast<int>(std::lround(pixelsX_));
  } else if (!ft_) {
    advance = ch < 32 ? 0 : metrics_.aveCharWidth;
  } else {
    Resolved resolved = Resolve(ch);
    FT_Face face = resolved.owner->ft_->face;
    if (FT_Load_Glyph(face, resolved.glyphIndex, FT_LOAD_DEFAULT) == 0)
      advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
    if (face_.syntheticBold) advance += 1;
  }
  if (ch < 128) asciiAdvances_[ch] = static_cast<int16_t>(std::min(advance, 32767));
  else advances_[ch] = advance;
  return advance;
}

const GlyphImage& FontInstance::Glyph(char32_t ch, int escapement) {
  if (escapement == 0 && ch < 128 && asciiGlyphs_[ch]) return *asciiGlyphs_[ch];
  int angle = ((escapement % 3600) + 3600) % 3600;
  uint64_t key = (static_cast<uint64_t>(angle) << 32) | ch;
  auto it = glyphs_.find(key);
  if (it != glyphs_.end()) return it->second;
  GlyphImage image = face_.symbol != SymbolFace::None ? RenderSymbol(ch) : Render(ch, angle);
  size_t bytes = image.coverage.size() + sizeof(GlyphImage) + 32;
  if (totalGlyphBytes + bytes > kGlyphBudget) ClearGlyphCache();
  glyphBytes_ += bytes;
  totalGlyphBytes += bytes;
  // Elements of the map keep their address until they are erased.
  const GlyphImage& stored = glyphs_.emplace(key, std::move(image)).first->second;
  if (angle == 0 && ch < 128) asciiGlyphs_[ch] = &stored;
  return stored;
}

GlyphImage FontInstance::Render(char32_t ch, int angle) {
  GlyphImage image;
  if (!ft_) return image;
  Resolved resolved = Resolve(ch);
  FT_Face face = resolved.owner->ft_->face;
  if (FT_Load_Glyph(face, resolved.glyphIndex, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) return image;
  FT_GlyphSlot slot = face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return image;
  if (face_.syntheticBold) FT_Outline_EmboldenXY(&slot->outline, 64, 0);
  if (face_.syntheticItalic) {
    FT_Matrix shear = {0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees, as GDI slants
    FT_Outline_Transform(&slot->outline, &shear);
  }
  if (angle != 0) {
    double radians = angle * kPi / 1800.0;
    FT_Fixed c = static_cast<FT_Fixed>(std::lround(std::cos(radians) * 0x10000));
    FT_Fixed s = static_cast<FT_Fixed>(std::lround(std::sin(radians) * 0x10000));
    FT_Matrix rotation = {c, -s, s, c};
    FT_Outline_Transform(&slot->outline, &rotation);
  }
  if (FT_Render_Glyph(slot, antialiased_ ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0) return image;
  const FT_Bitmap& bitmap = slot->bitmap;
  image.left = slot->bitmap_left;
  image.top = slot->bitmap_top;
  image.width = static_cast<int>(bitmap.width);
  image.height = static_cast<int>(bitmap.rows);
  image.coverage.resize(static_cast<size_t>(image.width) * image.height);
  for (int y = 0; y < image.height; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
    uint8_t* out = image.coverage.data() + static_cast<size_t>(y) * image.width;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
      for (int x = 0; x < image.width; ++x) out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
    } else {
      std::memcpy(out, row, image.width);
    }
  }
  return image;
}

// The few glyphs of the caption-button symbol face the system draws with, as shapes in a unit
// square (u to the right, v downward).
GlyphImage FontInstance::RenderSymbol(char32_t ch) const {
  int size = std::max(1, static_cast<int>(std::lround(pixelsX_)));
  GlyphImage image;
  image.width = size;
  image.height = size;
  image.left = 0;
  image.top = metrics_.ascent - (metrics_.height - size) / 2;
  image.coverage.assign(static_cast<size_t>(size) * size, 0);
  double px = 1.0 / size;
  double stroke = std::max(1.0, size / 9.0) * px;
  auto inBox = [](double u, double v, double l, double t, double r, double b) { return u >= l && u < r && v >= t && v < b; };
  auto frame = [&](double u, double v, double l, double t, double r, double b, double topThickness) {
    return inBox(u, v, l, t, r, b) && !inBox(u, v, l + stroke, t + topThickness, r - stroke, b - stroke);
  };
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      double u = (x + 0.5) * px, v = (y + 0.5) * px;
      bool on = false;
      switch (ch) {
        case U'r':  // close: a cross
          on = inBox(u, v, 0.2, 0.2, 0.8, 0.8) &&
               (std::abs(u - v) < stroke * 0.75 || std::abs(u + v - 1.0) < stroke * 0.75);
          break;
        case U'0':  // minimise: a bar at the bottom
          on = inBox(u, v, 0.2, 0.7, 0.65, 0.7 + 2 * stroke);
          break;
        case U'1':  // maximise: a window with a thick title
          on = frame(u, v, 0.15, 0.15, 0.85, 0.85, 2 * stroke);
          break;
        case U'2':  // restore: two overlapping windows
          on = frame(u, v, 0.35, 0.1, 0.9, 0.6, 2 * stroke) ||
               frame(u, v, 0.1, 0.4, 0.65, 0.9, 2 * stroke);
          if (inBox(u, v, 0.1 + stroke, 0.4 + 2 * stroke, 0.65 - stroke, 0.9 - stroke)) on = false;
          break;
        case U'3': on = u >= 0.3 && u <= 0.65 && std::abs(v - 0.5) <= (u - 0.3); break;   // left
        case U'4': on = u >= 0.35 && u <= 0.7 && std::abs(v - 0.5) <= (0.7 - u); break;   // right
        case U'5': on = v >= 0.3 && v <= 0.65 && std::abs(u - 0.5) <= (v - 0.3); break;   // up
        case U'6': on = v >= 0.35 && v <= 0.7 && std::abs(u - 0.5) <= (0.7 - v); break;   // down
        case U'a':  // check mark
          on = (u >= 0.2 && u <= 0.4 && std::abs(v - (0.5 + (u - 0.2))) < stroke * 1.2) ||
               (u >= 0.4 && u <= 0.8 && std::abs(v - (0.7 - (u - 0.4))) < stroke * 1.2);
          break;
        default: break;
      }
      if (on) image.coverage[static_cast<size_t>(y) * size + x] = 255;
    }
  }
  return image;
}

void ClearGlyphCache() {
  for (FontInstance* instance : liveInstances) {
    instance->glyphs_.clear();
    std::fill(std::begin(instance->asciiGlyphs_), std::end(instance->asciiGlyphs_), nullptr);
    instance->glyphBytes_ = 0;
  }
  totalGlyphBytes = 0;
}
