#pragma once
// Which font file a LOGFONT asks for. The face names Windows programs use map to the pinned free
// fonts installed with the project, so that text measures the same on every machine:
//   "MS Sans Serif", "Microsoft Sans Serif", "MS Shell Dlg", "Tahoma", "Segoe UI", "Arial",
//   "System" and unknown sans faces -> Liberation Sans (Arial's widths, which are close to the
//   narrow interface faces; DejaVu Sans would widen every caption by a tenth)
//   "Verdana" -> DejaVu Sans (the same design lineage and widths)
//   "Times New Roman" and roman faces -> Liberation Serif
//   "Courier New", "Courier", "Terminal", "Fixedsys" and fixed-pitch faces -> Liberation Mono
//   "Marlett" -> drawn by our own code (the caption and scroll glyphs)
// A face that fontconfig really has (another installed family) is used as it is.

#include <string>
#include <vector>

#include "gdi/LogFont.h"

enum class SymbolFace { None, Marlett };

struct FontFace {
  std::string path;        // empty when no font file could be found at all
  int index = 0;           // face index inside the file
  std::string family;      // the family found
  bool syntheticBold = false;
  bool syntheticItalic = false;
  SymbolFace symbol = SymbolFace::None;
};

FontFace FindFontFace(const LOGFONT& font);

// The installed font families, each once, sorted by name; scalable ones are outline fonts.
struct FontFamily {
  std::string name;
  bool scalable = false;
  bool fixedPitch = false;
};
std::vector<FontFamily> InstalledFontFamilies();

// Lets fontconfig free what it holds (the fonts unit's end); the next lookup starts it again.
void ReleaseFontConfig();
