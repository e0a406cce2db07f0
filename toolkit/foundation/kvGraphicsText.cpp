// Free text and device-context routines: measuring in a font, fitting text to rows, ellipsis,
// word wrapping, GetObject readers, and painting what lies behind a control.

#include <algorithm>

#include "gdi/Gdi.h"
#include "gdi/UxTheme.h"
#include "rtl/Mbcs.h"
#include "toolkit/foundation/kvGraphics.h"
#include "user/Messages.h"
#include "user/Painting.h"
#include "user/WindowStyles.h"
#include "user/WindowTree.h"
#include "vcl/Controls.h"

Integer DrawTextToDC(HDC DC, const String& Text, TRect& R, UINT Format, Integer Count) {
  const int count = Count < 0 ? static_cast<int>(Text.size()) : std::min<int>(Count, static_cast<int>(Text.size()));
  return DrawText(DC, Text.data(), count, &R, Format);
}

bool TextOutToDC(HDC DC, const String& Text, const TPoint& P, const TRect* ClipRect, UINT Options, Integer Count) {
  const UINT count = Count < 0 ? static_cast<UINT>(Text.size()) : std::min<UINT>(Count, static_cast<UINT>(Text.size()));
  return ExtTextOut(DC, P.X, P.Y, Options, ClipRect, Text.data(), count, nullptr) != 0;
}

bool DCTextExtent(HDC DC, const String& Text, TSize& Size, Integer Count) {
  const int count = Count < 0 ? static_cast<int>(Text.size()) : std::min<int>(Count, static_cast<int>(Text.size()));
  SIZE size{};
  if (!GetTextExtentPoint32(DC, Text.data(), count, &size)) return false;
  Size = {size.cx, size.cy};
  return true;
}

TSize TextExtentInFont(TFont* Font, const String& Text, Integer Size) {
  TkvScreenCanvas* canvas = ScreenCanvasInstance();
  if (!canvas) return {};
  canvas->CurrentFont()->Assign(Font);
  if (Size != 0) canvas->CurrentFont()->SetSize(Size);
  return canvas->MeasureText(Text);
}

Integer TextWidthInFont(TFont* Font, const String& Text, Integer Size) { return TextExtentInFont(Font, Text, Size).cx; }

Integer TextHeightInFont(TFont* Font, const String& Text, Integer Size) {
  return TextExtentInFont(Font, Text, Size).cy;
}

TSize TextSizeOnDC(HDC DC, const String& Text) {
  TRect r;
  FitTextInRows(DC, Text, 1, false, r);
  return {r.Width(), r.Height()};
}

void FitTextInRows(HDC DC, const String& Text, Integer RowCount, bool ReturnRowsHeight, TRect& R) {
  constexpr UINT kWrapped = DT_CALCRECT | DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK;
  R = TRect{};
  if (RowCount <= 0) return;
  if (RowCount == 1) {
    DrawTextToDC(DC, Text, R, DT_CALCRECT | DT_SINGLELINE);
    return;
  }
  TRect probe{};
  DrawTextToDC(DC, "Wg", probe, DT_CALCRECT | DT_SINGLELINE);
  const Integer targetHeight = RowCount * probe.Height();
  auto heightAt = [&](Integer width, TRect& out) {
    out = Rect(0, 0, width, 1);
    DrawTextToDC(DC, Text, out, kWrapped);
    return out.Height();
  };
  TRect r;
  heightAt(1, r);
  Integer lower = r.Width();
  r = TRect{};
  DrawTextToDC(DC, Text, r, DT_CALCRECT | DT_SINGLELINE);
  Integer upper = r.Width();
  while (upper - lower > 1) {
    const Integer middle = (lower + upper) / 2;
    if (heightAt(middle, r) > targetHeight)
      lower = middle;
    else
      upper = middle;
  }
  if (heightAt(lower, R) > targetHeight) heightAt(upper, R);
  if (ReturnRowsHeight) R.Bottom = targetHeight;
}

void EllipsizeText(HDC DC, TFont* Font, const String& Text, Integer MaxWidth, String& Result) {
  Result.clear();
  if (Text.empty() || MaxWidth <= 0) return;
  // DrawText shortens the text in place; the buffer is sized to the text (plus room for the
  // ellipsis and the terminator) so that no text is too long for it.
  std::vector<char> buffer(Text.size() + 5, '\0');
  std::copy(Text.begin(), Text.end(), buffer.begin());
  TRect r = Rect(0, 0, MaxWidth, 32);
  const bool ownDC = DC == nullptr;
  if (ownDC) DC = GetDC(nullptr);
  if (Font) SelectObject(DC, Font->GetHandle());
  DrawText(DC, buffer.data(), -1, &r, DT_SINGLELINE | DT_CALCRECT | DT_END_ELLIPSIS | DT_MODIFYSTRING);
  if (ownDC) ReleaseDC(nullptr, DC);
  Result.assign(buffer.data());
}

void SplitTextToWidth(const String& Text, TkvCanvas* Canvas, const TRect& R, std::vector<String>& Lines) {
  auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  const char* start = Text.c_str();
  const char* end = start + Text.size();
  const char* lineStart = start;
  const char* previousWordEnd = nullptr;
  const char* p = start;
  HDC dc = Canvas->DCHandle();
  while (p < end) {
    const char* wordStart = p;
    // A word ends at the next blank (or at the end); a blank right after a blank ends an empty word.
    while (p < end && !isBlank(*p)) p = CharNext(p);
    const char* wordEnd = p;
    const String candidate(lineStart, wordEnd);
    if (TextSizeOnDC(dc, candidate).cx > R.Width() && previousWordEnd && previousWordEnd > lineStart) {
      Lines.emplace_back(lineStart, previousWordEnd);
      lineStart = wordStart;
    }
    previousWordEnd = wordEnd;
    if (p < end) ++p;  // step over the blank
  }
  Lines.emplace_back(lineStart, end);
}

Integer ScreenPixelsPerInch(Integer Index) {
  TkvScreenCanvas* canvas = ScreenCanvasInstance();
  if (!canvas) return 96;
  return GetDeviceCaps(canvas->DCHandle(), Index == 0 ? LOGPIXELSY : LOGPIXELSX);
}

bool IsChineseOrArabicText(Integer Charset, const String& Text) {
  if (Charset == DEFAULT_CHARSET) Charset = static_cast<Integer>(GetDefFontCharSet());
  if (Text.empty() || static_cast<unsigned char>(Text[0]) < 128) return false;
  return Charset == GB2312_CHARSET || Charset == CHINESEBIG5_CHARSET || Charset == ARABIC_CHARSET;
}

bool ReadLogFont(HFONT Font, LOGFONT& LogFont) {
  return Font && GetObject(Font, sizeof(LOGFONT), &LogFont) != 0;
}

bool ReadLogBrush(HBRUSH Brush, LOGBRUSH& LogBrush) {
  return Brush && GetObject(Brush, sizeof(LOGBRUSH), &LogBrush) != 0;
}

bool ReadLogPen(HPEN Pen, LOGPEN& LogPen) { return Pen && GetObject(Pen, sizeof(LOGPEN), &LogPen) != 0; }

bool ReadBitmapInfo(HBITMAP Bitmap, BITMAP& Info) {
  return Bitmap && GetObject(Bitmap, sizeof(BITMAP), &Info) != 0;
}

void InvalidateWindowArea(HWND Window, const TRect* R, bool Erase) { InvalidateRect(Window, R, Erase); }

void DrawParentBackground(TControl* Control, TkvCanvas* Canvas, const TRect& R) {
  TWinControl* parent = Control->GetParent();
  if (!parent) return;
  // Without visual styles the theme call answers a failure: the plain copy is the fallback then.
  HWND window = Control->InheritsFrom(TWinControl::ClassInfo())
                    ? static_cast<TWinControl*>(Control)->GetHandle()
                    : parent->GetHandle();
  if (parent->GetDoubleBuffered() || DrawThemeParentBackground(window, Canvas->DCHandle(), &R) != S_OK)
    CopyParentImage(Control, Canvas, R, false);
}

namespace {

// Sends the window its erase and paint messages onto the canvas's DC, logical coordinates
// already moved so that the window's client origin lies where it should.
void PaintWindowCopy(TWinControl* Window, TkvCanvas* Canvas, const TRect& R, bool DirectParent) {
  HDC dc = Canvas->DCHandle();
  if (!RectVisible(dc, &R)) return;
  TControlState state = Window->GetControlState();
  Window->SetControlState(state + TControlState{csPaintCopy});
  HWND handle = Window->GetHandle();
  if (!DirectParent) {
    TRect edge = R;
    const LONG exStyle = GetWindowLong(handle, GWL_EXSTYLE);
    const LONG style = GetWindowLong(handle, GWL_STYLE);
    if (exStyle & WS_EX_CLIENTEDGE)
      DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    else if (style & WS_BORDER)
      DrawEdge(dc, &edge, BDR_RAISEDOUTER | BDR_SUNKENOUTER, BF_RECT | BF_MONO | BF_ADJUST);
    Canvas->ClipToRect(edge);
    OffsetWindowOrgEx(dc, -edge.Left, -edge.Top, nullptr);
  }
  Canvas->GetCanvas()->Lock();
  SendMessage(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
  SendMessage(handle, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  Canvas->GetCanvas()->Unlock();
  Window->SetControlState(state);
}

}  // namespace

void CopyParentImage(TControl* Control, TkvCanvas* Canvas, const TRect& R, bool WithSiblings) {
  TWinControl* parent = Control->GetParent();
  if (!parent) return;
  const TRect r = Rect(R.Left + Control->GetLeft(), R.Top + Control->GetTop(), R.Right + Control->GetLeft(),
                       R.Bottom + Control->GetTop());
  HDC dc = Canvas->DCHandle();
  Canvas->PushDC();
  OffsetWindowOrgEx(dc, r.Left, r.Top, nullptr);
  PaintWindowCopy(parent, Canvas, r, true);
  Canvas->PopDC();
  if (!WithSiblings) return;
  for (Integer i = 0; i < parent->GetControlCount(); ++i) {
    TControl* sibling = parent->GetControls(i);
    if (sibling == Control) break;
    if (!sibling->InheritsFrom(TWinControl::ClassInfo()) || !sibling->GetVisible()) continue;
    Canvas->PushDC();
    OffsetWindowOrgEx(dc, r.Left - sibling->GetLeft(), r.Top - sibling->GetTop(), nullptr);
    PaintWindowCopy(static_cast<TWinControl*>(sibling), Canvas,
                    Rect(0, 0, sibling->GetWidth(), sibling->GetHeight()), false);
    Canvas->PopDC();
  }
}
