// Wb font and caption routines, and the invalidation helpers.

#include <cstring>

#include "gdi/DeviceContexts.h"
#include "gdi/Fonts.h"
#include "gdi/Regions.h"
#include "gdi/Text.h"
#include "gdi/UxTheme.h"
#include "rtl/TypInfo.h"
#include "toolkit/controls/WbCommon.h"
#include "user/Messages.h"
#include "user/Painting.h"
#include "user/VirtualKeys.h"
#include "vcl/Controls.h"
#include "vcl/Graphics.h"

HFONT CreateRotatedFont(TFont* Font, Integer Angle) {
  LOGFONT lf;
  lf.lfHeight = Font->GetHeight();
  lf.lfEscapement = Angle * 10;
  TFontStyles style = Font->GetStyle();
  lf.lfWeight = style.Contains(fsBold) ? 700 : 400;
  lf.lfItalic = style.Contains(fsItalic);
  lf.lfUnderline = style.Contains(fsUnderline);
  lf.lfStrikeOut = style.Contains(fsStrikeOut);
  lf.lfCharSet = Font->GetCharset();
  lf.lfPitchAndFamily = Font->GetPitch() == fpVariable ? 2 : Font->GetPitch() == fpFixed ? 1 : 0;
  std::strncpy(lf.lfFaceName, Font->GetName().c_str(), LF_FACESIZE - 1);
  return CreateFontIndirect(&lf);
}

namespace {
TEXTMETRIC MetricsOf(TFont* Font) {
  TEXTMETRIC tm{};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font->GetHandle());
  GetTextMetrics(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm;
}
}  // namespace

bool FontIsTrueType(TFont* Font) { return (MetricsOf(Font).tmPitchAndFamily & TMPF_TRUETYPE) != 0; }

Integer FontMinEditHeight(TFont* Font) { return MetricsOf(Font).tmHeight + 2; }

String StripAccelerators(const String& Caption) {
  // An ampersand goes unless another one follows it ("&&" leaves one); the last character stays.
  String result;
  const size_t n = Caption.size();
  for (size_t i = 0; i + 1 < n; ++i)
    if (Caption[i] != '&' || Caption[i + 1] == '&') result += Caption[i];
  if (n > 0) result += Caption[n - 1];
  return result;
}

void MarkDesignerModified(TControl*) {
  // Forms are never designed while the program runs: there is no designer to tell.
}

void InvalidateNonClientFrame(HWND Window, const TRect& Rect) {
  HDC dc = GetWindowDC(Window);
  if (!dc) return;
  TRect clip;
  int kind = GetClipBox(dc, &clip);
  ReleaseDC(Window, dc);
  if (kind == SIMPLEREGION || kind == COMPLEXREGION) RedrawWindow(Window, &Rect, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void InvalidateTransparentChildren(TWinControl* Container) {
  for (Integer i = 0; i < Container->GetControlCount(); ++i) {
    TControl* child = Container->GetControls(i);
    const TPropInfo* info = GetPropInfo(child, "Transparent");
    if (info && info->Kind() == tkEnumeration && GetOrdProp(child, info) == 1) child->Invalidate();
  }
}

bool UsesRightToLeftReading(TControl* Control) { return Control->GetBiDiMode() != bdLeftToRight; }

bool DrawThemedPart(HDC DC, const char16_t* ThemeClass, int Part, int State, const TRect& Rect) {
  HTHEME theme = OpenThemeData(nullptr, ThemeClass);
  if (!theme) return false;
  HRESULT result = DrawThemeBackground(theme, DC, Part, State, &Rect, nullptr);
  CloseThemeData(theme);
  return result == S_OK;
}

bool TabOnEnterKey(TWinControl* Control, bool TabOnEnter, Char& Key) {
  if (!TabOnEnter || Key != '\r') return false;
  Key = 0;
  PostMessage(Control->GetHandle(), WM_KEYDOWN, VK_TAB, 0);
  return true;
}
