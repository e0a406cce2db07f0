#include "gdi/FontFaces.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <string_view>

namespace {

constexpr const char* kSans = "Liberation Sans";
constexpr const char* kWideSans = "DejaVu Sans";
constexpr const char* kSerif = "Liberation Serif";
constexpr const char* kMono = "Liberation Mono";

std::string Lower(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(), [](unsigned char c) { return std::tolower(c); });
  return result;
}

const char* MappedFamily(const std::string& face) {
  static const std::map<std::string, const char*> kMap = {
      {"", kSans},
      {"ms sans serif", kSans},
      {"microsoft sans serif", kSans},
      {"ms shell dlg", kSans},
      {"ms shell dlg 2", kSans},
      {"tahoma", kSans},
      {"segoe ui", kSans},
      {"arial", kSans},
      {"helvetica", kSans},
      {"system", kSans},
      {"small fonts", kSans},
      {"verdana", kWideSans},
      {"times new roman", kSerif},
      {"times", kSerif},
      {"ms serif", kSerif},
      {"courier new", kMono},
      {"courier", kMono},
      {"terminal", kMono},
      {"fixedsys", kMono},
      {"lucida console", kMono},
      // Symbol faces other than Marlett are not used for drawing by the system; their private
      // code points fall back to the sans face.
      {"webdings", kWideSans},
      {"wingdings", kWideSans},
      {"symbol", kWideSans},
  };
  auto it = kMap.find(face);
  return it == kMap.end() ? nullptr : it->second;
}

const char* FallbackFamily(const LOGFONT& font) {
  if ((font.lfPitchAndFamily & 0x03) == FIXED_PITCH || (font.lfPitchAndFamily & 0xF0) == FF_MODERN) return kMono;
  if ((font.lfPitchAndFamily & 0xF0) == FF_ROMAN) return kSerif;
  return kSans;
}

// Known places of the pinned fonts, for a machine whose fontconfig does not answer.
std::string KnownFile(const std::string& family, bool bold, bool italic) {
  static const std::map<std::string, std::string> kFiles = {
      {kSans, "/usr/share/fonts/truetype/liberation/LiberationSans-"},
      {kSerif, "/usr/share/fonts/truetype/liberation/LiberationSerif-"},
      {kMono, "/usr/share/fonts/truetype/liberation/LiberationMono-"},
  };
  auto it = kFiles.find(family);
  std::string base = it == kFiles.end() ? kFiles.at(kSans) : it->second;
  const char* style = bold && italic ? "BoldItalic.ttf" : bold ? "Bold.ttf" : italic ? "Italic.ttf" : "Regular.ttf";
  for (const std::string& candidate : {base + style, base + "Regular.ttf",
                                       std::string("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf")}) {
    std::error_code error;
    if (std::filesystem::exists(candidate, error)) return candidate;
  }
  return {};
}

std::mutex fontconfigLock;
bool fontconfigStarted = false;

// Asks fontconfig for the family with that weight and slant; answers false when the best match is
// another family (fontconfig always answers something).
bool Match(const std::string& family, bool bold, bool italic, FontFace& face) {
  std::lock_guard<std::mutex> guard(fontconfigLock);
  if (!FcInit()) return false;
  fontconfigStarted = true;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddInteger(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return false;
  bool found = false;
  FcChar8* matchedFamily = nullptr;
  FcChar8* file = nullptr;
  if (FcPatternGetString(match, FC_FAMILY, 0, &matchedFamily) == FcResultMatch &&
      FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
      Lower(reinterpret_cast<const char*>(matchedFamily)) == Lower(family)) {
    face.path = reinterpret_cast<const char*>(file);
    face.family = reinterpret_cast<const char*>(matchedFamily);
    int index = 0;
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    face.index = index;
    int weight = FC_WEIGHT_REGULAR;
    FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    face.syntheticBold = bold && weight < FC_WEIGHT_DEMIBOLD;
    face.syntheticItalic = italic && slant == FC_SLANT_ROMAN;
    found = true;
  }
  FcPatternDestroy(match);
  return found;
}

}  // namespace

FontFace FindFontFace(const LOGFONT& font) {
  std::string asked(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE));
  std::string key = Lower(asked);
  // Lighter than normal is drawn normal and semi-bold and above bold, as the pinned fonts have
  // just these two weights.
  bool bold = font.lfWeight >= FW_SEMIBOLD;
  bool italic = font.lfItalic != 0;
  FontFace face;
  if (key == "marlett") {
    face.symbol = SymbolFace::Marlett;
    face.family = "Marlett";
    return face;
  }
  const char* mapped = MappedFamily(key);
  if (!mapped && Match(asked, bold, italic, face)) return face;
  std::string family = mapped ? mapped : FallbackFamily(font);
  if (Match(family, bold, italic, face)) return face;
  face.family = family;
  face.path = KnownFile(family, bold, italic);
  face.syntheticBold = bold && face.path.find("Bold") == std::string::npos;
  face.syntheticItalic = italic && face.path.find("Italic") == std::string::npos;
  return face;
}

std::vector<FontFamily> InstalledFontFamilies() {
  std::lock_guard<std::mutex> guard(fontconfigLock);
  std::vector<FontFamily> families;
  if (!FcInit()) return families;
  fontconfigStarted = true;
  FcPattern* pattern = FcPatternCreate();
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_SCALABLE, FC_SPACING, nullptr);
  FcFontSet* set = FcFontList(nullptr, pattern, objects);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  std::map<std::string, FontFamily> byName;
  for (int i = 0; set && i < set->nfont; ++i) {
    FcChar8* name = nullptr;
    // The first family name is the face's own; the others are its aliases in other languages.
    if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &name) != FcResultMatch) continue;
    FcBool scalable = FcFalse;
    FcPatternGetBool(set->fonts[i], FC_SCALABLE, 0, &scalable);
    int spacing = FC_PROPORTIONAL;
    FcPatternGetInteger(set->fonts[i], FC_SPACING, 0, &spacing);
    FontFamily& family = byName[reinterpret_cast<const char*>(name)];
    family.name = reinterpret_cast<const char*>(name);
    // A family with one outline face counts as scalable.
    family.scalable = family.scalable || scalable == FcTrue;
    family.fixedPitch = spacing >= FC_MONO;
  }
  if (set) FcFontSetDestroy(set);
  for (auto& entry : byName) families.push_back(std::move(entry.second));
  return families;
}

void ReleaseFontConfig() {
  std::lock_guard<std::mutex> guard(fontconfigLock);
  if (!fontconfigStarted) return;
  FcFini();
  fontconfigStarted = false;
}
