// TCustomEdit and TCustomMemo: the EDIT window class with the framework's properties, and the
// memo's lines bound to its text.

#include <algorithm>

#include "controls/Edit.h"
#include "controls/ScrollBars.h"
#include "gdi/Text.h"
#include "rtl/Lists.h"
#include "vcl/StdCtrls.h"

// ---- Edit ---------------------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TCustomEdit,
    MESSAGE_HANDLER(CN_COMMAND, CNCommand),
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged),
    MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged))

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  FParentColor = false;
  SetColor(clWindow);
  FAutoSize = true;
}

void TCustomEdit::AdjustHeight() {
  // One line of the font and the border around it.
  if (!GetAutoSize() || GetComponentState().Contains(csLoading)) return;
  SetHeight(TextSizeInFont(GetFont(), "0", DT_SINGLELINE, 0).cy + (GetCtl3D() ? 8 : 6));
}

void TCustomEdit::CMFontChanged(TMessage& Message) {
  InheritedMessage(Message);
  AdjustHeight();
}

void TCustomEdit::Loaded() {
  inherited::Loaded();
  AdjustHeight();
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, "EDIT");
  static constexpr DWORD kCharCases[] = {0, ES_UPPERCASE, ES_LOWERCASE};
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | kCharCases[FCharCase];
  if (FReadOnly) Params.Style |= ES_READONLY;
  if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
  if (FOEMConvert) Params.Style |= ES_OEMCONVERT;
  if (FBorderStyle == bsSingle) {
    if (GetCtl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

void TCustomEdit::CreateWnd() {
  FCreating = true;
  try {
    inherited::CreateWnd();
  } catch (...) {
    FCreating = false;
    throw;
  }
  FCreating = false;
  AdjustHeight();
  SendMessage(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  if (FPasswordChar != '\0') SendMessage(FHandle, EM_SETPASSWORDCHAR, static_cast<Byte>(FPasswordChar), 0);
  SendMessage(FHandle, EM_SETMODIFY, FModified, 0);
}

void TCustomEdit::DestroyWnd() {
  FModified = SendMessage(FHandle, EM_GETMODIFY, 0, 0) != 0;
  inherited::DestroyWnd();
}

void TCustomEdit::DoEnter() {
  if (FAutoSelect && !GetControlState().Contains(csLButtonDown) &&
      !(HandleAllocated() && (GetWindowLong(FHandle, GWL_STYLE) & ES_MULTILINE)))
    SelectAll();
  inherited::DoEnter();
}

void TCustomEdit::CNCommand(TMessage& Message) {
  if (HIWORD(Message.WParam) == EN_CHANGE && !FCreating) Change();
}

void TCustomEdit::CMTextChanged(TMessage& Message) {
  InheritedMessage(Message);
  // The window reports its own changes (EN_CHANGE); without one, the text changed here.
  if (!HandleAllocated()) Change();
}

void TCustomEdit::SetMaxLength(Integer Value) {
  FMaxLength = std::max(Value, 0);
  if (HandleAllocated()) SendMessage(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (HandleAllocated()) SendMessage(FHandle, EM_SETREADONLY, Value, 0);
}

void TCustomEdit::SetPasswordChar(Char Value) {
  if (FPasswordChar == Value) return;
  FPasswordChar = Value;
  if (HandleAllocated()) {
    SendMessage(FHandle, EM_SETPASSWORDCHAR, static_cast<Byte>(Value), 0);
    InvalidateRect(FHandle, nullptr, TRUE);
  }
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (FCharCase == Value) return;
  FCharCase = Value;
  RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool Value) {
  if (FHideSelection == Value) return;
  FHideSelection = Value;
  RecreateWnd();
}

void TCustomEdit::SetOEMConvert(bool Value) {
  if (FOEMConvert == Value) return;
  FOEMConvert = Value;
  RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TFormBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

bool TCustomEdit::GetModified() {
  return HandleAllocated() ? SendMessage(FHandle, EM_GETMODIFY, 0, 0) != 0 : FModified;
}

void TCustomEdit::SetModified(bool Value) {
  FModified = Value;
  if (HandleAllocated()) SendMessage(FHandle, EM_SETMODIFY, Value, 0);
}

Integer TCustomEdit::GetSelStart() {
  DWORD start = 0;
  SendMessage(GetHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<Integer>(start);
}

void TCustomEdit::SetSelStart(Integer Value) { SendMessage(GetHandle(), EM_SETSEL, Value, Value); }

Integer TCustomEdit::GetSelLength() {
  DWORD start = 0;
  DWORD end = 0;
  SendMessage(GetHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<Integer>(end - start);
}

void TCustomEdit::SetSelLength(Integer Value) {
  Integer start = GetSelStart();
  SendMessage(GetHandle(), EM_SETSEL, start, start + Value);
  SendMessage(FHandle, EM_SCROLLCARET, 0, 0);
}

String TCustomEdit::GetSelText() {
  Integer start = GetSelStart();
  Integer length = GetSelLength();
  String text = GetText();
  if (start < 0 || static_cast<size_t>(start) > text.size()) return "";
  return text.substr(static_cast<size_t>(start), static_cast<size_t>(std::max(length, 0)));
}

void TCustomEdit::SetSelText(const String& Value) {
  SendMessage(GetHandle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TCustomEdit::SelectAll() {
  if (HandleAllocated()) SendMessage(FHandle, EM_SETSEL, 0, -1);
}

void TCustomEdit::CopyToClipboard() { SendMessage(GetHandle(), WM_COPY, 0, 0); }
void TCustomEdit::CutToClipboard() { SendMessage(GetHandle(), WM_CUT, 0, 0); }
void TCustomEdit::PasteFromClipboard() { SendMessage(GetHandle(), WM_PASTE, 0, 0); }
void TCustomEdit::Undo() { SendMessage(GetHandle(), WM_UNDO, 0, 0); }
bool TCustomEdit::GetCanUndo() { return HandleAllocated() && SendMessage(FHandle, EM_CANUNDO, 0, 0) != 0; }
void TCustomEdit::ClearUndo() {
  if (HandleAllocated()) SendMessage(FHandle, EM_EMPTYUNDOBUFFER, 0, 0);
}

// ---- Memo lines ---------------------------------------------------------------------------------

namespace {

// The memo's text as lines. The text is the truth (with or without a window); every change
// rebuilds it, so the lines are always the hard lines, never the wrapped ones on screen.
class TMemoStrings : public TControlStrings {
  TAVREN_CLASS(TMemoStrings, TControlStrings)
 public:
  explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}

  Integer GetCount() override { return static_cast<Integer>(Split().size()); }
  String GetStrings(Integer Index) override {
    std::vector<String> lines = Split();
    CheckIndex(Index, lines.size());
    return lines[static_cast<size_t>(Index)];
  }
  void SetStrings(Integer Index, const String& S) override {
    std::vector<String> lines = Split();
    CheckIndex(Index, lines.size());
    lines[static_cast<size_t>(Index)] = S;
    Join(lines);
  }
  void Clear() override { FMemo->SetText(""); }
  void Delete(Integer Index) override {
    std::vector<String> lines = Split();
    CheckIndex(Index, lines.size());
    lines.erase(lines.begin() + Index);
    Join(lines);
  }
  void Insert(Integer Index, const String& S) override {
    std::vector<String> lines = Split();
    CheckIndex(Index, lines.size() + 1);
    lines.insert(lines.begin() + Index, S);
    Join(lines);
  }
  String GetText() override { return FMemo->GetText(); }
  void SetText(const String& Value) override { FMemo->SetText(Value); }
  // One change of the text, not one per line.
  void Assign(TPersistent* Source) override {
    if (auto* source = dynamic_cast<TStrings*>(Source))
      FMemo->SetText(source->GetText());
    else
      inherited::Assign(Source);
  }

 private:
  static void CheckIndex(Integer Index, size_t Limit) {
    if (Index < 0 || static_cast<size_t>(Index) >= Limit)
      ListIndexError(Index);
  }
  // CR LF, LF and CR end a line; a break at the very end opens no further line.
  std::vector<String> Split() {
    String text = FMemo->GetText();
    std::vector<String> lines;
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find_first_of("\r\n", start);
      if (end == String::npos) {
        lines.push_back(text.substr(start));
        break;
      }
      lines.push_back(text.substr(start, end - start));
      start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
  }
  void Join(const std::vector<String>& lines) {
    String text;
    for (const String& line : lines) text += line + sLineBreak;
    FMemo->SetText(text);
  }

  TCustomMemo* FMemo;
};

}  // namespace

TAVREN_CLASS_IMPL(TMemoStrings)

// ---- Memo ---------------------------------------------------------------------------------------

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this)) {
  SetBounds(0, 0, 185, 89);
  SetAutoSize(false);
  FControlStyle.Exclude(csFixedHeight);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  static constexpr DWORD kScrollBars[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};
  static constexpr DWORD kAlignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  Params.Style = (Params.Style & ~(ES_AUTOHSCROLL | ES_AUTOVSCROLL)) | ES_MULTILINE | WS_CLIPCHILDREN |
                 kScrollBars[FScrollBars] | kAlignments[FAlignment];
  // A memo without word wrap scrolls sideways instead.
  if (!FWordWrap || FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= ES_AUTOHSCROLL;
  Params.Style |= ES_AUTOVSCROLL;
  if (FWantReturns) Params.Style |= ES_WANTRETURN;
}

void TCustomMemo::WndProc(TMessage& Message) {
  inherited::WndProc(Message);
  // Tab moves the focus unless the memo wants tabs.
  if (Message.Msg == WM_GETDLGCODE && !FWantTabs) Message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
}

void TCustomMemo::KeyPress(Char& Key) {
  inherited::KeyPress(Key);
  if ((Key == '\r' && !FWantReturns) || (Key == '\t' && !FWantTabs)) Key = '\0';
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  RecreateWnd();
}

TPoint TCustomMemo::GetCaretPos() {
  Integer start = GetSelStart();
  auto line = static_cast<Integer>(SendMessage(GetHandle(), EM_LINEFROMCHAR, start, 0));
  auto lineStart = static_cast<Integer>(SendMessage(GetHandle(), EM_LINEINDEX, line, 0));
  return TPoint{start - lineStart, line};
}

void TCustomMemo::SetCaretPos(const TPoint& Value) {
  auto lineStart = static_cast<Integer>(SendMessage(GetHandle(), EM_LINEINDEX, Value.Y, 0));
  SetSelStart(lineStart + Value.X);
}

void TCustomMemo::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  RecreateWnd();
}

void TCustomMemo::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}
