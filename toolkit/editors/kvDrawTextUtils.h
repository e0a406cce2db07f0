#pragma once
// The editors' text layout: breaks a text into rows that fit a rectangle (word and character
// wrap, hard line breaks, tabs), places them by horizontal and vertical alignment (justified and
// spread rows too) and draws them clipped, with an end ellipsis and a highlighted range; or only
// measures the rectangle the text needs. Text is UTF-8: a row never splits a character.

#include <vector>

#include "gdi/Gdi.h"
#include "rtl/Types.h"
#include "vcl/Graphics.h"

// Layout flags (the layout's own, not DrawText's).
constexpr Cardinal kvtfLeft = 0x0;
constexpr Cardinal kvtfCenterX = 0x1;
constexpr Cardinal kvtfRight = 0x2;
constexpr Cardinal kvtfJustify = 0x3;     // the last row of a paragraph stays unjustified
constexpr Cardinal kvtfJustifyAll = 0x4;
constexpr Cardinal kvtfHorzMask = 0x7;
constexpr Cardinal kvtfTop = 0x00;
constexpr Cardinal kvtfCenterY = 0x10;
constexpr Cardinal kvtfBottom = 0x20;
constexpr Cardinal kvtfSpreadY = 0x30;    // rows spread over the height
constexpr Cardinal kvtfVertMask = 0x30;
constexpr Cardinal kvtfNoLeftOverhang = 0x40;
constexpr Cardinal kvtfNoTopOverhang = 0x80;
constexpr Cardinal kvtfWordWrap = 0x100;
constexpr Cardinal kvtfSingleLine = 0x200;
constexpr Cardinal kvtfExpandTabs = 0x400;
constexpr Cardinal kvtfEndEllipsis = 0x800;
constexpr Cardinal kvtfExternalLeading = 0x2000;
constexpr Cardinal kvtfWholeRows = 0x4000;
constexpr Cardinal kvtfNoClip = 0x8000;
constexpr Cardinal kvtfBreakInWords = 0x20000;
constexpr Cardinal kvtfCalcRect = 0x100000;
constexpr Cardinal kvtfAnswerRowCount = 0x200000;

struct TkvTextParams {
  Integer RowHeight = 0;
  Integer ExternalLeading = 0;
  Integer FullRowHeight = 0;
  Integer EllipsisWidth = 0;
  Byte BreakChar = ' ';
  Byte HorzAlignment = 0;
  Byte VertAlignment = 0;
  bool WordWrap = false;
  bool SingleLine = false;
  bool ExpandTabs = false;
  bool EndEllipsis = false;
  bool AddExternalLeading = false;
  bool WholeRowsOnly = false;
  bool NoClip = false;
  bool NoLeftOverhang = false;
  bool NoTopOverhang = false;
  bool BreakInWords = false;
  bool AnswerRowCount = false;
  bool CalcOnly = false;
  Integer MaxCharWidth = 0;
  Byte CharSet = 0;
};

struct TkvTextRow {
  const char* Text = nullptr;  // the row's first byte inside the caller's text
  Integer Length = 0;          // bytes
  Integer Width = 0;
  Integer Height = 0;
  Integer BreakCount = 0;      // blanks and tabs, for justification
  Integer X = 0;
  Integer Y = 0;
  Integer StartIndex = 0;      // byte offset of the row in the whole text
};
using TkvTextRows = std::vector<TkvTextRow>;

TSize TextExtentOf(HDC DC, const char* Text, Integer Length, bool ExpandTabs);

TkvTextParams MakeTextParams(HDC DC, Cardinal Flags);
TkvTextParams MakeTextParamsOnCanvas(TCanvas* Canvas, Cardinal Flags);

// Answers whether the whole text was broken into rows (False only when MaxRows stopped it).
// The rows point into Text, which must outlive them.
bool MakeTextRows(HDC DC, const char* Text, Integer Length, const TRect& R, const TkvTextParams& Params,
                  TkvTextRows& Rows, Integer& RowCount, Integer MaxRows);
bool MakeTextRowsOnCanvas(TCanvas* Canvas, const char* Text, Integer Length, const TRect& R,
                          const TkvTextParams& Params, TkvTextRows& Rows, Integer& RowCount, Integer MaxRows);
void PlaceTextRows(HDC DC, const TRect& R, const TkvTextParams& Params, TkvTextRows& Rows, Integer RowCount);
void DrawTextRowsList(HDC DC, const TRect& R, const TkvTextParams& Params, TkvTextRows& Rows, Integer RowCount,
                      Integer HighlightStart, Integer HighlightLength, TColor HighlightBkColor,
                      TColor HighlightTextColor, bool MoreTextFollows);
Integer MaxRowWidth(const TkvTextRows& Rows, Integer RowCount);

// Answers the height of the rows laid out (the row count with kvtfAnswerRowCount or when the
// height is 0); with kvtfCalcRect, R receives the rectangle the text needs and nothing is drawn.
Integer DrawTextRows(HDC DC, const String& Text, TRect& R, Cardinal Flags, Integer HighlightStart,
                     Integer HighlightLength, TColor HighlightBkColor, TColor HighlightTextColor,
                     Integer MaxRows = 0, Integer LeftIndent = 0, Integer RightIndent = 0);
Integer DrawTextRowsOnCanvas(TCanvas* Canvas, const String& Text, TRect& R, Cardinal Flags, Integer HighlightStart,
                             Integer HighlightLength, TColor HighlightBkColor, TColor HighlightTextColor,
                             Integer MaxRows = 0, Integer LeftIndent = 0, Integer RightIndent = 0);
Integer DrawTextRowsInFontColor(TCanvas* Canvas, const String& Text, TRect& R, Cardinal Flags, Integer MaxRows = 0,
                                Integer LeftIndent = 0, Integer RightIndent = 0);
Integer DrawTextRowsPlain(HDC DC, const String& Text, TRect& R, Cardinal Flags, Integer MaxRows = 0,
                          Integer LeftIndent = 0, Integer RightIndent = 0);

TRect IndentRect(const TRect& R, Integer LeftIndent, Integer RightIndent);
TRect OutdentRect(const TRect& R, Integer LeftIndent, Integer RightIndent);

// The previous clip region (nullptr when the DC had none), after the clip is narrowed to R.
HRGN SaveAndIntersectClip(HDC DC, const TRect& R);
// Selects the saved region back (nullptr: no clip), deletes it and clears the variable.
void RestoreClip(HDC DC, HRGN& Region);
