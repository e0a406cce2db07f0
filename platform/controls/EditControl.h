#pragma once
// The state and behaviour behind one EDIT window (internal). The window procedure in EditProc.cpp
// owns it; layout, editing, input and painting each live in their own source.

#include <utility>
#include <vector>

#include "controls/Edit.h"
#include "rtl/Types.h"
#include "user/Messages.h"

// One displayed line: text [start, end), the next line starting at `next` (after a hard break
// or the blanks of a soft one).
struct EditLine {
  size_t start = 0;
  size_t end = 0;
  size_t next = 0;
};

class EditControl {
 public:
  explicit EditControl(HWND window);
  ~EditControl();
  EditControl(const EditControl&) = delete;
  EditControl& operator=(const EditControl&) = delete;

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  // Kept alive while a message runs; freed after WM_NCDESTROY once the last one has returned.
  int FBusy = 0;
  bool FDestroyed = false;
  bool FWraps = false;

 private:
  // EditLayout.cpp
  void SetFont(HFONT font);
  int FontInfoMargin() const { return FAveCharWidth / 2; }
  void ResetFormatRect();
  void Relayout();
  void MeasureLine(size_t start, size_t end, std::vector<int>& xs) const;
  int LineWidth(const EditLine& line) const;
  int AlignOffset(const EditLine& line) const;
  int LineOfChar(size_t index) const;
  POINT PosOfChar(size_t index) const;
  size_t CharAtPoint(POINT point) const;
  int VisibleLines() const;
  void ScrollToCaret();
  void ScrollLines(int lines, bool notify);
  void ScrollColumns(int pixels);
  void UpdateScrollBars();
  void PlaceCaret();
  void OnScroll(int bar, WORD code);

  // EditEditing.cpp
  size_t NextChar(size_t index) const;
  size_t PrevChar(size_t index) const;
  size_t SnapToChar(size_t index) const;
  size_t WordStart(size_t index) const;
  size_t WordEnd(size_t index) const;
  // The word at an index with the blanks after it, as a double click selects it.
  void WordAround(size_t index, size_t& start, size_t& end) const;
  size_t SelStart() const { return FAnchor < FCaret ? FAnchor : FCaret; }
  size_t SelEnd() const { return FAnchor < FCaret ? FCaret : FAnchor; }
  void SetSelection(size_t anchor, size_t caret, bool scroll = true);
  enum class UndoKind { None, Typing, Deleting, Other };
  // Puts text in place of the selection, applying case, line and length rules; answers whether
  // anything changed. The text-changed notifications are sent.
  bool ReplaceSelection(String text, bool fromUser, UndoKind kind) {
    return ReplaceRange(SelStart(), SelEnd(), std::move(text), fromUser, kind);
  }
  // The same for the text [start, end); undo brings back the selection as it is now.
  bool ReplaceRange(size_t start, size_t end, String text, bool fromUser, UndoKind kind);
  void SetText(const String& text);
  void TextChanged();
  void Undo();
  void Copy();
  void Cut();
  void Paste();
  void Clear();
  void Notify(WORD code);

  // EditInput.cpp
  void KeyDown(WPARAM key);
  void Char(BYTE byte);
  void TypeCharacter(const String& character);
  void MoveCaret(size_t to, bool extend);
  void MouseDown(POINT point, bool doubleClick);
  void MouseMove(POINT point);
  void SelectionScrollTick();
  static constexpr UINT_PTR kSelectionScrollTimer = 1;
  static constexpr UINT kSelectionScrollInterval = 100;
  LRESULT DialogCode(const MSG* message) const;

  // EditPaint.cpp
  void Paint(HDC dc);
  void DrawLine(HDC dc, const EditLine& line, int y, size_t selStart, size_t selEnd, COLORREF text,
                bool showSelection) const;
  String DisplayText(size_t start, size_t end) const;
  bool ShowsPassword() const;
  String PasswordGlyph() const;

  DWORD Style() const;
  bool Multi() const { return (Style() & ES_MULTILINE) != 0; }
  // A multi-line edit wraps words unless it was made to scroll sideways.
  bool Wraps() const { return FWraps; }
  bool ReadOnly() const;
  void Invalidate();

  HWND FWindow;
  String FText;
  size_t FAnchor = 0;
  size_t FCaret = 0;
  size_t FLimit;
  bool FModified = false;
  uint32_t FPasswordChar = 0;
  int FLeftMargin = 0;
  int FRightMargin = 0;
  HFONT FFont = nullptr;
  HDC FMeasureDC = nullptr;
  int FLineHeight = 16;
  int FAveCharWidth = 7;
  RECT FFormatRect;
  std::vector<EditLine> FLines;
  int FFirstLine = 0;
  int FXOffset = 0;
  int FWidestLine = 0;
  int FWantedX = -1;  // the column Up and Down keep to
  bool FFocused = false;
  bool FSelecting = false;
  bool FCaretShown = false;
  String FPendingBytes;  // the start of a character arriving one WM_CHAR per byte
  // Undo: one step, which undoing again redoes.
  bool FCanUndo = false;
  String FUndoText;
  size_t FUndoAnchor = 0;
  size_t FUndoCaret = 0;
  UndoKind FLastKind = UndoKind::None;
};
