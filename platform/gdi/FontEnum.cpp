// The enumeration of the installed font families.

#include <strings.h>

#include <cstring>

#include "gdi/FontFaces.h"
#include "gdi/Fonts.h"
#include "gdi/Text.h"

int EnumFontFamiliesExA(HDC, const LOGFONT* filter, FONTENUMPROCA proc, LPARAM data, DWORD) {
  if (!filter || !proc) return 0;
  int answer = 1;
  for (const FontFamily& family : InstalledFontFamilies()) {
    if (filter->lfFaceName[0] != 0 && strcasecmp(filter->lfFaceName, family.name.c_str()) != 0) continue;
    // Names longer than a face name can hold could not be asked for again: they are left out.
    if (family.name.size() >= static_cast<size_t>(LF_FACESIZE)) continue;
    LOGFONT font;
    std::memcpy(font.lfFaceName, family.name.c_str(), family.name.size() + 1);
    font.lfCharSet = filter->lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : filter->lfCharSet;
    font.lfPitchAndFamily = family.fixedPitch ? FIXED_PITCH : VARIABLE_PITCH;
    font.lfOutPrecision = family.scalable ? OUT_STROKE_PRECIS : OUT_STRING_PRECIS;
    TEXTMETRIC metrics;
    metrics.tmCharSet = font.lfCharSet;
    // As documented, the bit set means a variable pitch.
    metrics.tmPitchAndFamily = static_cast<BYTE>((family.fixedPitch ? 0 : TMPF_FIXED_PITCH) |
                                                 (family.scalable ? TMPF_VECTOR | TMPF_TRUETYPE : 0));
    answer = proc(&font, &metrics, family.scalable ? TRUETYPE_FONTTYPE : RASTER_FONTTYPE, data);
    if (answer == 0) break;
  }
  return answer;
}
