// The edit's keyboard and mouse: caret movement by characters, words and lines, typing (UTF-8
// characters arrive one WM_CHAR per byte), the editing shortcuts, and selecting with the mouse.

#include <algorithm>

#include "controls/EditControl.h"
#include "user/User.h"

namespace {

bool Pressed(int key) { return GetKeyState(key) < 0; }

// The length of a UTF-8 sequence from its first byte (0: not a first byte).
size_t SequenceLength(BYTE lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

}  // namespace

void EditControl::MoveCaret(size_t to, bool extend) {
  FLastKind = UndoKind::None;
  SetSelection(extend ? FAnchor : to, to);
}

void EditControl::KeyDown(WPARAM key) {
  bool shift = Pressed(VK_SHIFT), ctrl = Pressed(VK_CONTROL);
  bool multi = Multi();
  int wantedX = -1;
  auto verticalMove = [&](int lines) {
    int from = LineOfChar(FCaret);
    int to = std::clamp(from + lines, 0, static_cast<int>(FLines.size()) - 1);
    POINT at = PosOfChar(FCaret);
    wantedX = FWantedX >= 0 ? FWantedX : at.X + FXOffset;
    size_t target = CharAtPoint({wantedX - FXOffset, FFormatRect.Top + (to - FFirstLine) * FLineHeight});
    if (to == from && lines != 0) target = lines < 0 ? FLines[static_cast<size_t>(to)].start : FLines[static_cast<size_t>(to)].end;
    MoveCaret(target, shift);
  };
  switch (key) {
    case VK_LEFT:
      if (!shift && FAnchor != FCaret && !ctrl) MoveCaret(SelStart(), false);
      else MoveCaret(ctrl ? WordStart(FCaret) : PrevChar(FCaret), shift);
      break;
    case VK_RIGHT:
      if (!shift && FAnchor != FCaret && !ctrl) MoveCaret(SelEnd(), false);
      else MoveCaret(ctrl ? WordEnd(FCaret) : NextChar(FCaret), shift);
      break;
    case VK_UP:
      if (multi) verticalMove(-1);
      else MoveCaret(PrevChar(FCaret), shift);
      break;
    case VK_DOWN:
      if (multi) verticalMove(1);
      else MoveCaret(NextChar(FCaret), shift);
      break;
    case VK_PRIOR:
      if (multi) verticalMove(-VisibleLines());
      break;
    case VK_NEXT:
      if (multi) verticalMove(VisibleLines());
      break;
    case VK_HOME:
      MoveCaret(ctrl ? 0 : FLines[static_cast<size_t>(LineOfChar(FCaret))].start, shift);
      break;
    case VK_END:
      MoveCaret(ctrl ? FText.size() : FLines[static_cast<size_t>(LineOfChar(FCaret))].end, shift);
      break;
    case VK_DELETE:
      if (shift) {
        SendMessage(FWindow, WM_CUT, 0, 0);
        if (FDestroyed) return;
      } else if (!ReadOnly()) {
        size_t end = FAnchor != FCaret ? SelEnd() : ctrl ? WordEnd(FCaret) : NextChar(FCaret);
        if (end != SelStart()) ReplaceRange(SelStart(), end, String(), true, UndoKind::Deleting);
      }
      break;
    // The clipboard keys go through the window's messages, so that a subclass sees every paste.
    case VK_INSERT:
      if (shift) SendMessage(FWindow, WM_PASTE, 0, 0);
      else if (ctrl) SendMessage(FWindow, WM_COPY, 0, 0);
      if (FDestroyed) return;
      break;
    default:
      break;
  }
  if (!FDestroyed) FWantedX = wantedX;
}

void EditControl::Char(BYTE byte) {
  if (!FPendingBytes.empty()) {
    if ((byte & 0xC0) == 0x80) {
      FPendingBytes += static_cast<char>(byte);
      if (FPendingBytes.size() == SequenceLength(static_cast<BYTE>(FPendingBytes[0]))) {
        String character;
        character.swap(FPendingBytes);
        TypeCharacter(character);
      }
      return;
    }
    FPendingBytes.clear();  // a broken sequence is dropped
  }
  size_t length = SequenceLength(byte);
  if (length == 0) return;
  if (length > 1) {
    FPendingBytes = static_cast<char>(byte);
    return;
  }
  switch (byte) {
    case 0x01:  // Ctrl+A
      FLastKind = UndoKind::None;
      SetSelection(0, FText.size());
      return;
    case 0x03: SendMessage(FWindow, WM_COPY, 0, 0); return;   // Ctrl+C
    case 0x16: SendMessage(FWindow, WM_PASTE, 0, 0); return;  // Ctrl+V
    case 0x18: SendMessage(FWindow, WM_CUT, 0, 0); return;    // Ctrl+X
    case 0x1A: SendMessage(FWindow, WM_UNDO, 0, 0); return;   // Ctrl+Z
    case 0x08:                   // Backspace
      if (ReadOnly()) return;
      if (FAnchor != FCaret) ReplaceSelection(String(), true, UndoKind::Deleting);
      else if (FCaret > 0) ReplaceRange(PrevChar(FCaret), FCaret, String(), true, UndoKind::Deleting);
      return;
    case '\r':
    case '\n':
      if (Multi()) TypeCharacter("\r\n");
      return;
    case '\t':
      if (Multi()) TypeCharacter("\t");
      return;
    default:
      if (byte < 0x20 || byte == 0x7F) return;
      TypeCharacter(String(1, static_cast<char>(byte)));
  }
}

void EditControl::TypeCharacter(const String& character) {
  if (ReadOnly()) return;
  if ((Style() & ES_NUMBER) && !std::all_of(character.begin(), character.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return;
  }
  ReplaceSelection(character, true, UndoKind::Typing);
}

void EditControl::MouseDown(POINT point, bool doubleClick) {
  if (!FFocused) {
    SetFocus(FWindow);
    if (FDestroyed) return;
  }
  size_t at = CharAtPoint(point);
  FLastKind = UndoKind::None;
  if (doubleClick) {
    size_t start, end;
    WordAround(at, start, end);
    SetSelection(start, end);
    return;
  }
  SetSelection(Pressed(VK_SHIFT) ? FAnchor : at, at);
  FSelecting = true;
  SetCapture(FWindow);
}

void EditControl::MouseMove(POINT point) {
  if (!FSelecting) return;
  // Outside the text the selection grows a line or a character at a time, on a timer while the
  // mouse stays out there.
  bool outside = point.X < FFormatRect.Left || point.X >= FFormatRect.Right || point.Y < FFormatRect.Top ||
                 point.Y >= FFormatRect.Top + VisibleLines() * FLineHeight;
  point.X = std::clamp(point.X, FFormatRect.Left - FAveCharWidth, FFormatRect.Right + FAveCharWidth);
  point.Y = std::clamp(point.Y, FFormatRect.Top - FLineHeight, FFormatRect.Top + VisibleLines() * FLineHeight);
  SetSelection(FAnchor, CharAtPoint(point));
  if (outside) SetTimer(FWindow, kSelectionScrollTimer, kSelectionScrollInterval, nullptr);
  else KillTimer(FWindow, kSelectionScrollTimer);
}

void EditControl::SelectionScrollTick() {
  POINT cursor;
  if (!FSelecting || !GetCursorPos(&cursor)) {
    KillTimer(FWindow, kSelectionScrollTimer);
    return;
  }
  ScreenToClient(FWindow, &cursor);
  MouseMove(cursor);
}

LRESULT EditControl::DialogCode(const MSG* message) const {
  LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  if (!Multi()) return code;
  code |= DLGC_WANTALLKEYS;
  // Enter (without ES_WANTRETURN), Escape and Tab still belong to the dialog.
  if (message && message->message == WM_KEYDOWN &&
      ((message->wParam == VK_RETURN && !(Style() & ES_WANTRETURN)) || message->wParam == VK_ESCAPE ||
       message->wParam == VK_TAB)) {
    code &= ~DLGC_WANTALLKEYS;
  }
  return code;
}
