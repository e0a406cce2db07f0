#pragma once
// DrawText's layout on plain text, apart from any device context: prefix ("&") handling, tab
// expansion, word and character breaking, end, word and path ellipsis, alignment and the
// calculated rectangle. Text is UTF-8; widths come from the measure given.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rtl/WinTypes.h"

constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;
constexpr UINT DT_BOTTOM = 0x00000008;
constexpr UINT DT_WORDBREAK = 0x00000010;
constexpr UINT DT_SINGLELINE = 0x00000020;
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_TABSTOP = 0x00000080;
constexpr UINT DT_NOCLIP = 0x00000100;
constexpr UINT DT_EXTERNALLEADING = 0x00000200;
constexpr UINT DT_CALCRECT = 0x00000400;
constexpr UINT DT_NOPREFIX = 0x00000800;
constexpr UINT DT_INTERNAL = 0x00001000;
constexpr UINT DT_EDITCONTROL = 0x00002000;
constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
constexpr UINT DT_END_ELLIPSIS = 0x00008000;
constexpr UINT DT_MODIFYSTRING = 0x00010000;
constexpr UINT DT_RTLREADING = 0x00020000;
constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;
constexpr UINT DT_NOFULLWIDTHCHARBREAK = 0x00080000;
constexpr UINT DT_HIDEPREFIX = 0x00100000;
constexpr UINT DT_PREFIXONLY = 0x00200000;

// What the layout needs to know of the font.
class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  virtual int Advance(char32_t ch) = 0;
  virtual int LineHeight(bool withExternalLeading) = 0;
  virtual int AverageCharWidth() = 0;
};

struct PlacedChar {
  char32_t ch = 0;
  int x = 0;  // from the line's left edge
};

struct LaidLine {
  std::vector<PlacedChar> chars;  // what is drawn (empty for DT_PREFIXONLY)
  int left = 0;                   // x of the line in the caller's coordinates
  int top = 0;
  int width = 0;
  int underlineLeft = 0;          // the prefix underline, when underlineRight > underlineLeft
  int underlineRight = 0;
};

struct TextLayoutResult {
  std::vector<LaidLine> lines;
  TRect bounds;        // the rectangle DT_CALCRECT answers
  int height = 0;      // what DrawText returns
  bool shortened = false;
  std::string shortenedText;  // the text with its ellipsis, for DT_MODIFYSTRING
};

struct TextLayoutOptions {
  int tabLength = 8;       // in average character widths
  int leftMargin = 0;
  int rightMargin = 0;
  size_t maxShortenedBytes = SIZE_MAX;  // room the caller's buffer has for a shortened text
};

TextLayoutResult LayOutText(std::string_view text, const TRect& rect, UINT format, TextMeasure& measure,
                            const TextLayoutOptions& options = {});

// UTF-8 helpers shared by the text routines: malformed bytes decode as U+FFFD, one byte each.
std::u32string DecodeUtf8(std::string_view text, std::vector<size_t>* offsets = nullptr);
void AppendUtf8(std::string& out, char32_t ch);
