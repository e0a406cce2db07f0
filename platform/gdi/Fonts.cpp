#include "gdi/Fonts.h"

#include <algorithm>
#include <cstring>

#include "gdi/DcState.h"
#include "gdi/FontFaces.h"
#include "gdi/FontObject.h"

FontObject::FontObject(const LOGFONT& font) : GdiObject(OBJ_FONT), logFont_(font) {
  // The face name is a fixed array a caller may have filled to the brim: keep it terminated.
  logFont_.lfFaceName[LF_FACESIZE - 1] = '\0';
}

FontInstance& FontObject::Instance() {
  if (!instance_) instance_ = FontInstance::For(logFont_);
  return *instance_;
}

int FontObject::GetObjectRecord(int size, void* buffer) const {
  if (!buffer) return sizeof(LOGFONT);
  int copied = std::clamp(size, 0, static_cast<int>(sizeof(LOGFONT)));
  std::memcpy(buffer, &logFont_, copied);
  return copied;
}

FontObject* SelectedFont(const DeviceContext& dc) {
  if (auto* font = dc.attrs.font.as<FontObject>(); font && font->Type() == OBJ_FONT) return font;
  return LookupGdiObjectAs<FontObject>(StockObject(SYSTEM_FONT), OBJ_FONT);
}

HFONT CreateFontIndirect(const LOGFONT* font) {
  if (!font) return nullptr;
  return RegisterGdiObjectAs<HFONT>(std::make_unique<FontObject>(*font));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                 DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                 DWORD pitchAndFamily, const char* faceName) {
  LOGFONT font;
  font.lfHeight = height;
  font.lfWidth = width;
  font.lfEscapement = escapement;
  font.lfOrientation = orientation;
  font.lfWeight = weight;
  font.lfItalic = static_cast<BYTE>(italic);
  font.lfUnderline = static_cast<BYTE>(underline);
  font.lfStrikeOut = static_cast<BYTE>(strikeOut);
  font.lfCharSet = static_cast<BYTE>(charSet);
  font.lfOutPrecision = static_cast<BYTE>(outPrecision);
  font.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  font.lfQuality = static_cast<BYTE>(quality);
  font.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  if (faceName) std::strncpy(font.lfFaceName, faceName, LF_FACESIZE - 1);
  return CreateFontIndirect(&font);
}

int GetTextFace(HDC dc, int size, char* buffer) {
  DeviceContext* context = LookupDc(dc);
  FontObject* font = context ? SelectedFont(*context) : nullptr;
  if (!font) return 0;
  // The name asked for: programs compare it with the names they set.
  const char* name = font->LogFont().lfFaceName;
  int length = static_cast<int>(std::strlen(name));
  if (!buffer) return length + 1;
  if (size <= 0) return 0;
  int copied = std::min(length, size - 1);
  std::memcpy(buffer, name, copied);
  buffer[copied] = '\0';
  return copied;
}

UINT GetDefFontCharSet() { return ANSI_CHARSET; }

namespace {

HFONT StockFont(LONG height, LONG weight, BYTE pitchAndFamily, const char* face) {
  LOGFONT font;
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfCharSet = ANSI_CHARSET;
  font.lfPitchAndFamily = pitchAndFamily;
  std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirect(&font);
}

}  // namespace

void FontsStart() {
  // The classic desktop's stock fonts: the bold "System" font of DCs, and the 8-point interface
  // fonts (11 pixels at 96 dpi).
  SetStockObject(SYSTEM_FONT, StockFont(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System"));
  SetStockObject(DEVICE_DEFAULT_FONT, StockFont(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System"));
  SetStockObject(DEFAULT_GUI_FONT, StockFont(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Shell Dlg"));
  SetStockObject(ANSI_VAR_FONT, StockFont(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif"));
  SetStockObject(ANSI_FIXED_FONT, StockFont(-13, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier"));
  SetStockObject(OEM_FIXED_FONT, StockFont(-12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Terminal"));
  SetStockObject(SYSTEM_FIXED_FONT, StockFont(-13, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Fixedsys"));
}

void FontsEnd() {
  ClearGlyphCache();
  ReleaseFontConfig();
}
