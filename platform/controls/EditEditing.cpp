// Changing the edit's text: moving between whole characters and words, replacing the selection
// under the case, line and length rules, the one-step undo, and the clipboard.

#include <algorithm>

#include "controls/EditControl.h"
#include "rtl/UnicodeCase.h"
#include "user/Clipboard.h"
#include "user/User.h"

namespace {

bool IsDelimiter(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Cuts text to at most `bytes` without splitting a character or a CR LF pair.
void CutToBytes(String& text, size_t bytes) {
  if (text.size() <= bytes) return;
  size_t cut = bytes;
  while (cut > 0 && IsContinuation(text[cut])) --cut;
  if (cut > 0 && text[cut - 1] == '\r' && text[cut] == '\n') --cut;
  text.resize(cut);
}

}  // namespace

size_t EditControl::NextChar(size_t index) const {
  size_t n = FText.size();
  if (index >= n) return n;
  if (FText[index] == '\r' && index + 1 < n && FText[index + 1] == '\n') return index + 2;
  size_t pos = index;
  Utf8Decode(FText, pos);
  return pos;
}

size_t EditControl::PrevChar(size_t index) const {
  if (index == 0) return 0;
  index = std::min(index, FText.size());
  if (index >= 2 && FText[index - 2] == '\r' && FText[index - 1] == '\n') return index - 2;
  size_t lead = index - 1;
  while (lead > 0 && index - lead < 4 && IsContinuation(FText[lead])) --lead;
  size_t pos = lead;
  Utf8Decode(FText, pos);
  return pos == index ? lead : index - 1;
}

size_t EditControl::SnapToChar(size_t index) const {
  size_t n = FText.size();
  if (index >= n) return n;
  if (index > 0 && FText[index - 1] == '\r' && FText[index] == '\n') return index - 1;
  size_t lead = index;
  while (lead > 0 && index - lead < 3 && IsContinuation(FText[lead])) --lead;
  if (lead == index) return index;
  size_t pos = lead;
  Utf8Decode(FText, pos);
  return pos > index ? lead : index;
}

size_t EditControl::WordStart(size_t index) const {
  while (index > 0 && IsDelimiter(FText[index - 1])) --index;
  while (index > 0 && !IsDelimiter(FText[index - 1])) --index;
  return index;
}

size_t EditControl::WordEnd(size_t index) const {
  size_t n = FText.size();
  while (index < n && !IsDelimiter(FText[index])) ++index;
  while (index < n && IsDelimiter(FText[index])) ++index;
  return SnapToChar(index);
}

void EditControl::WordAround(size_t index, size_t& start, size_t& end) const {
  size_t n = FText.size();
  start = end = std::min(index, n);
  while (start > 0 && !IsDelimiter(FText[start - 1])) --start;
  while (end < n && !IsDelimiter(FText[end])) ++end;
  while (end < n && FText[end] == ' ') ++end;
}

void EditControl::SetSelection(size_t anchor, size_t caret, bool scroll) {
  anchor = SnapToChar(anchor);
  caret = SnapToChar(caret);
  if (anchor == FAnchor && caret == FCaret) {
    if (scroll) ScrollToCaret();
    return;
  }
  if (FAnchor != FCaret || anchor != caret) Invalidate();
  FAnchor = anchor;
  FCaret = caret;
  if (scroll) ScrollToCaret();
  PlaceCaret();
}

bool EditControl::ReplaceRange(size_t selStart, size_t selEnd, String text, bool fromUser, UndoKind kind) {
  DWORD style = Style();
  if (style & ES_UPPERCASE) text = Utf8UpperCase(text);
  else if (style & ES_LOWERCASE) text = Utf8LowerCase(text);
  if (!Multi()) {
    size_t lineBreak = text.find_first_of("\r\n");
    if (lineBreak != String::npos) text.resize(lineBreak);
  }
  size_t kept = FText.size() - (selEnd - selStart);
  size_t room = FLimit > kept ? FLimit - kept : 0;
  bool truncated = text.size() > room;
  CutToBytes(text, room);
  if (text.empty() && selStart == selEnd) {
    if (truncated) Notify(EN_MAXTEXT);
    return false;
  }
  if (fromUser && !Multi() && !(style & ES_AUTOHSCROLL)) {
    // Without sideways scrolling a single line takes no more than fits.
    String candidate = FText;
    candidate.replace(selStart, selEnd - selStart, text);
    std::swap(FText, candidate);
    int width = LineWidth({0, FText.size(), FText.size()});
    std::swap(FText, candidate);
    if (width > FFormatRect.Width() && !text.empty()) {
      Notify(EN_MAXTEXT);
      return false;
    }
  }
  bool merges = kind == FLastKind && (kind == UndoKind::Typing || kind == UndoKind::Deleting);
  if (!merges) {
    FUndoText = FText;
    FUndoAnchor = FAnchor;
    FUndoCaret = FCaret;
    FCanUndo = kind != UndoKind::None;
  }
  FLastKind = kind;
  FText.replace(selStart, selEnd - selStart, text);
  FAnchor = FCaret = selStart + text.size();
  FModified = true;
  FWantedX = -1;
  TextChanged();
  if (truncated && !FDestroyed) Notify(EN_MAXTEXT);
  return true;
}

void EditControl::SetText(const String& text) {
  DWORD style = Style();
  FText = (style & ES_UPPERCASE) ? Utf8UpperCase(text) : (style & ES_LOWERCASE) ? Utf8LowerCase(text) : text;
  FAnchor = FCaret = 0;
  FFirstLine = 0;
  FXOffset = 0;
  FCanUndo = false;
  FModified = false;
  FLastKind = UndoKind::None;
  FWantedX = -1;
  TextChanged();
}

void EditControl::TextChanged() {
  Relayout();
  FFirstLine = std::clamp(FFirstLine, 0, std::max(0, static_cast<int>(FLines.size()) - VisibleLines()));
  ScrollToCaret();
  UpdateScrollBars();
  PlaceCaret();
  Notify(EN_UPDATE);
  if (FDestroyed) return;
  Invalidate();
  Notify(EN_CHANGE);
}

void EditControl::Undo() {
  if (!FCanUndo || ReadOnly()) return;
  std::swap(FText, FUndoText);
  std::swap(FAnchor, FUndoAnchor);
  std::swap(FCaret, FUndoCaret);
  FAnchor = std::min(FAnchor, FText.size());
  FCaret = std::min(FCaret, FText.size());
  FLastKind = UndoKind::None;
  FModified = true;
  FWantedX = -1;
  TextChanged();
}

void EditControl::Copy() {
  // A password never leaves the field.
  if (ShowsPassword()) return;
  size_t start = SelStart(), end = SelEnd();
  if (start != end) SetClipboardString(FWindow, FText.substr(start, end - start));
}

void EditControl::Clear() {
  if (ReadOnly() || SelStart() == SelEnd()) return;
  ReplaceSelection(String(), true, UndoKind::Other);
}

void EditControl::Cut() {
  if (ReadOnly() || ShowsPassword()) return;
  Copy();
  Clear();
}

void EditControl::Paste() {
  String text;
  if (!ReadOnly() && GetClipboardString(FWindow, text) && !text.empty()) ReplaceSelection(text, true, UndoKind::Other);
}

void EditControl::Notify(WORD code) {
  HWND parent = GetParent(FWindow);
  if (!parent) return;
  WPARAM id = static_cast<WPARAM>(GetWindowLongPtr(FWindow, GWLP_ID));
  SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), code), reinterpret_cast<LPARAM>(FWindow));
}
