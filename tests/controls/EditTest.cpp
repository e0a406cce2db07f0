#include <cstring>

#include "ControlsFixture.h"
#include "controls/Edit.h"
#include "controls/ScrollBars.h"
#include "user/Clipboard.h"

namespace {

class Edit : public ControlsTest {
 public:
  HWND Make(DWORD style, const char* text = "", RECT bounds = Bounds(10, 10, 200, 24)) {
    HWND edit = Child("EDIT", text, style | WS_BORDER, bounds, 7);
    SetFocus(edit);
    Pump();
    notices.clear();
    return edit;
  }
  static std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }
};

struct KeyCase {
  const char* script;
  const char* text;
  DWORD selStart, selEnd;
};

TEST_F(Edit, KeySequencesOnOneLine) {
  const KeyCase kCases[] = {
      {"hello", "hello", 5, 5},
      {"hello{Left}{Left}X", "helXlo", 4, 4},
      {"hello{S-Left}{S-Left}", "hello", 3, 5},
      {"hello{S-Left}{S-Left}{Left}", "hello", 3, 3},
      {"hello world{C-Left}{C-Left}X", "Xhello world", 1, 1},
      {"one two{Home}{C-Right}X", "one Xtwo", 5, 5},
      {"one two{Home}{CS-Right}", "one two", 0, 4},
      {"one two{C-a}x", "x", 1, 1},
      {"abc{Home}{S-End}{C-c}{End}{C-v}", "abcabc", 6, 6},
      {"abc{Back}{Back}", "a", 1, 1},
      {"abc{Home}{Del}", "bc", 0, 0},
      {"abc{S-Left}{S-Del}{Home}{S-Ins}", "cab", 1, 1},
      {"abc{S-Home}{C-x}", "", 0, 0},
      {"abc{C-z}", "", 0, 0},
      {"abc{C-z}{C-z}", "abc", 3, 3},
      {"ab{Home}{Del}{Del}{C-z}", "ab", 0, 0},
      {"ab{Left}{Back}", "b", 0, 0},
      {"a\xC3\xA9\xE2\x82\xAC{Left}{Back}", "a\xE2\x82\xAC", 1, 1},
      {"a\xC3\xA9{S-Left}", "a\xC3\xA9", 1, 3},
      {"a{Enter}b{Tab}", "ab", 2, 2},
      {"abc{Home}{Right}{S-Right}{Right}", "abc", 2, 2},
  };
  for (const KeyCase& c : kCases) {
    SCOPED_TRACE(c.script);
    HWND edit = Make(ES_AUTOHSCROLL);
    Play(c.script);
    EXPECT_EQ(Text(edit), c.text);
    EXPECT_EQ(Selection(edit), std::make_pair(c.selStart, c.selEnd));
    DestroyWindow(edit);
  }
}

TEST_F(Edit, KeySequencesOnSeveralLines) {
  const KeyCase kCases[] = {
      {"ab{Enter}cd", "ab\r\ncd", 6, 6},
      {"ab{Enter}cd{Up}X", "abX\r\ncd", 3, 3},
      {"ab{Enter}cd{Up}{Down}X", "ab\r\ncdX", 7, 7},
      {"ab{Enter}{Back}", "ab", 2, 2},
      {"ab{Enter}cd{Home}{Back}", "abcd", 2, 2},
      {"ab{Enter}cd{C-Home}X", "Xab\r\ncd", 1, 1},
      {"ab{Enter}cd{C-Home}{S-Down}", "ab\r\ncd", 0, 4},
      {"ab{Enter}cd{Left}{Left}{Left}", "ab\r\ncd", 2, 2},
      {"ab{Enter}cd{C-Home}{End}{Del}", "abcd", 2, 2},
      {"a{Tab}b", "a\tb", 3, 3},
  };
  for (const KeyCase& c : kCases) {
    SCOPED_TRACE(c.script);
    HWND edit = Make(ES_MULTILINE | ES_WANTRETURN, "", Bounds(10, 10, 200, 100));
    Play(c.script);
    EXPECT_EQ(Text(edit), c.text);
    EXPECT_EQ(Selection(edit), std::make_pair(c.selStart, c.selEnd));
    DestroyWindow(edit);
  }
}

TEST_F(Edit, ChangesNotifyUpdateThenChange) {
  HWND edit = Make(ES_AUTOHSCROLL);
  Type("a");
  EXPECT_EQ(Commands(edit), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
  notices.clear();
  SetWindowText(edit, "new");
  EXPECT_EQ(Commands(edit), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
  EXPECT_FALSE(SendMessage(edit, EM_GETMODIFY, 0, 0));
  EXPECT_FALSE(SendMessage(edit, EM_CANUNDO, 0, 0));
  Type("x");
  EXPECT_TRUE(SendMessage(edit, EM_GETMODIFY, 0, 0));
  // Focus notifications carry the control id.
  notices.clear();
  SetFocus(parent);
  ASSERT_EQ(Commands(edit), std::vector<WORD>{EN_KILLFOCUS});
  EXPECT_EQ(LOWORD(Received(WM_COMMAND)[0].wParam), 7);
}

TEST_F(Edit, SelectionAndReplaceMessages) {
  HWND edit = Make(ES_AUTOHSCROLL, "hello world");
  SendMessage(edit, EM_SETSEL, 0, -1);
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{11}));
  EXPECT_EQ(SendMessage(edit, EM_GETSEL, 0, 0), MAKELONG(0, 11));
  SendMessage(edit, EM_SETSEL, 6, 99);  // past the end: the end
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{6}, DWORD{11}));
  SendMessage(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("there"));
  EXPECT_EQ(Text(edit), "hello there");
  EXPECT_TRUE(SendMessage(edit, EM_CANUNDO, 0, 0));
  SendMessage(edit, EM_UNDO, 0, 0);
  EXPECT_EQ(Text(edit), "hello world");
  SendMessage(edit, WM_UNDO, 0, 0);  // undoing the undo redoes
  EXPECT_EQ(Text(edit), "hello there");
  SendMessage(edit, EM_EMPTYUNDOBUFFER, 0, 0);
  EXPECT_FALSE(SendMessage(edit, EM_CANUNDO, 0, 0));
  SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);  // deselects, caret stays
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{11}, DWORD{11}));
  // An index inside a character stands before it.
  SetWindowText(edit, "\xC3\xA9t\xC3\xA9");
  SendMessage(edit, EM_SETSEL, 1, 4);
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{3}));
  // The selection and the replacement of a single line stop at a line break.
  SendMessage(edit, EM_SETSEL, 0, -1);
  SendMessage(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("one\r\ntwo"));
  EXPECT_EQ(Text(edit), "one");
  EXPECT_FALSE(SendMessage(edit, EM_CANUNDO, 0, 0));
}

TEST_F(Edit, LimitCutsWholeCharactersAndSaysSo) {
  HWND edit = Make(ES_AUTOHSCROLL);
  EXPECT_EQ(SendMessage(edit, EM_GETLIMITTEXT, 0, 0), 32767);
  SendMessage(edit, EM_LIMITTEXT, 4, 0);
  EXPECT_EQ(SendMessage(edit, EM_GETLIMITTEXT, 0, 0), 4);
  Type("abc\xC3\xA9");  // the last character needs 2 bytes, 1 is left
  EXPECT_EQ(Text(edit), "abc");
  EXPECT_EQ(Commands(edit).back(), EN_MAXTEXT);
  SendMessage(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("xyz"));
  EXPECT_EQ(Text(edit), "abcx");
  // WM_SETTEXT is not held to the limit.
  SetWindowText(edit, "longer than four");
  EXPECT_EQ(Text(edit), "longer than four");
  SendMessage(edit, EM_LIMITTEXT, 0, 0);
  EXPECT_EQ(SendMessage(edit, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

TEST_F(Edit, PasswordNeverReachesTheClipboard) {
  HWND edit = Make(ES_PASSWORD | ES_AUTOHSCROLL);
  EXPECT_EQ(SendMessage(edit, EM_GETPASSWORDCHAR, 0, 0), '*');
  Type("secret");
  OpenClipboard(nullptr);
  EmptyClipboard();
  CloseClipboard();
  Play("{C-a}{C-c}{C-x}");
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(Text(edit), "secret");
  SendMessage(edit, EM_SETPASSWORDCHAR, '#', 0);
  EXPECT_EQ(SendMessage(edit, EM_GETPASSWORDCHAR, 0, 0), '#');
  Screenshot(parent, "edit-password");
  SendMessage(edit, EM_SETPASSWORDCHAR, 0, 0);
  EXPECT_EQ(SendMessage(edit, EM_GETPASSWORDCHAR, 0, 0), 0);
  EXPECT_FALSE(GetWindowLong(edit, GWL_STYLE) & ES_PASSWORD);
}

TEST_F(Edit, StylesFilterTyping) {
  struct StyleCase {
    DWORD style;
    const char* typed;
    const char* text;
  };
  const StyleCase kCases[] = {
      {ES_READONLY, "abc", ""},
      {ES_NUMBER, "a1b2", "12"},
      {ES_UPPERCASE, "ab\xC3\xA9", "AB\xC3\x89"},
      {ES_LOWERCASE, "AB", "ab"},
  };
  for (const StyleCase& c : kCases) {
    SCOPED_TRACE(c.style);
    HWND edit = Make(c.style | ES_AUTOHSCROLL);
    Type(c.typed);
    EXPECT_EQ(Text(edit), c.text);
    DestroyWindow(edit);
  }
  // Read-only edits copy but never change, and ask for static colours.
  HWND edit = Make(ES_READONLY | ES_AUTOHSCROLL, "fixed");
  Play("{C-a}{C-c}{C-v}{Del}{Back}{C-x}");
  EXPECT_EQ(Text(edit), "fixed");
  notices.clear();
  UpdateWindow(edit);
  InvalidateRect(edit, nullptr, TRUE);
  UpdateWindow(edit);
  EXPECT_FALSE(Received(WM_CTLCOLORSTATIC).empty());
  EXPECT_TRUE(Received(WM_CTLCOLOREDIT).empty());
  SendMessage(edit, EM_SETREADONLY, FALSE, 0);
  Play("{End}!");
  EXPECT_EQ(Text(edit), "fixed!");
}

TEST_F(Edit, LinesOfAMultiLineEdit) {
  HWND edit = Make(ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL, "first\r\nsecond line\r\n\r\nlast",
                   Bounds(10, 10, 200, 120));
  EXPECT_EQ(SendMessage(edit, EM_GETLINECOUNT, 0, 0), 4);
  const int kStarts[] = {0, 7, 20, 22};
  const int kLengths[] = {5, 11, 0, 4};
  for (int line = 0; line < 4; ++line) {
    SCOPED_TRACE(line);
    EXPECT_EQ(SendMessage(edit, EM_LINEINDEX, line, 0), kStarts[line]);
    EXPECT_EQ(SendMessage(edit, EM_LINELENGTH, kStarts[line], 0), kLengths[line]);
    EXPECT_EQ(SendMessage(edit, EM_LINEFROMCHAR, kStarts[line], 0), line);
  }
  EXPECT_EQ(SendMessage(edit, EM_LINEINDEX, 4, 0), -1);
  char buffer[16];
  WORD size = 6;
  std::memcpy(buffer, &size, sizeof size);
  EXPECT_EQ(SendMessage(edit, EM_GETLINE, 1, reinterpret_cast<LPARAM>(buffer)), 6);
  EXPECT_EQ(std::string(buffer, 6), "second");
  // Positions and points agree both ways; past the end is -1.
  for (int index : {0, 3, 7, 12, 22, 26}) {
    SCOPED_TRACE(index);
    LRESULT at = SendMessage(edit, EM_POSFROMCHAR, index, 0);
    LRESULT back = SendMessage(edit, EM_CHARFROMPOS, 0, at);
    EXPECT_EQ(LOWORD(back), index);
  }
  EXPECT_EQ(SendMessage(edit, EM_POSFROMCHAR, 27, 0), -1);
  EXPECT_EQ(SendMessage(edit, EM_POSFROMCHAR, static_cast<WPARAM>(-1), 0), -1);
  // The caret's line and the unselected rest of the selected lines.
  SendMessage(edit, EM_SETSEL, 9, 12);
  EXPECT_EQ(SendMessage(edit, EM_LINEINDEX, static_cast<WPARAM>(-1), 0), 7);
  EXPECT_EQ(SendMessage(edit, EM_LINELENGTH, static_cast<WPARAM>(-1), 0), 8);
  EXPECT_EQ(SendMessage(edit, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 1);
}

TEST_F(Edit, WordsWrapWithoutSidewaysScrolling) {
  HWND edit = Make(ES_MULTILINE, "alpha beta gamma delta epsilon zeta eta theta", Bounds(10, 10, 90, 120));
  LRESULT lines = SendMessage(edit, EM_GETLINECOUNT, 0, 0);
  EXPECT_GT(lines, 2);
  std::string text = Text(edit);
  for (LRESULT line = 1; line < lines; ++line) {
    LRESULT start = SendMessage(edit, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
    EXPECT_EQ(text[static_cast<size_t>(start) - 1], ' ') << "line " << line << " starts inside a word";
  }
  // A word wider than the line breaks between characters.
  SetWindowText(edit, "abcdefghijklmnopqrstuvwxyzabcdefghijkl");
  EXPECT_GT(SendMessage(edit, EM_GETLINECOUNT, 0, 0), 1);
  RECT format;
  SendMessage(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  for (int index = 0; index < 38; ++index) EXPECT_LT(GET_X_LPARAM(SendMessage(edit, EM_POSFROMCHAR, index, 0)), format.Right);
}

TEST_F(Edit, MarginsAndFormattingRectangle) {
  HWND edit = Make(ES_AUTOHSCROLL, "text");
  SendMessage(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(5, 9));
  EXPECT_EQ(SendMessage(edit, EM_GETMARGINS, 0, 0), MAKELONG(5, 9));
  RECT client, format;
  GetClientRect(edit, &client);
  SendMessage(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  EXPECT_EQ(format.Left, client.Left + 5);
  EXPECT_EQ(format.Right, client.Right - 9);
  EXPECT_EQ(GET_X_LPARAM(SendMessage(edit, EM_POSFROMCHAR, 0, 0)), 5);
  RECT wanted{20, 2, 120, 18};
  SendMessage(edit, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&wanted));
  SendMessage(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  EXPECT_EQ(format, wanted);
  EXPECT_EQ(SendMessage(edit, EM_POSFROMCHAR, 0, 0), MAKELONG(20, 2));
}

TEST_F(Edit, MouseSelects) {
  HWND edit = Make(ES_AUTOHSCROLL, "hello big world");
  auto xOf = [&](int index) { return GET_X_LPARAM(SendMessage(edit, EM_POSFROMCHAR, index, 0)); };
  Click(edit, xOf(2) + 1, 5);
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{2}, DWORD{2}));
  Click(edit, xOf(8) + 1, 5, true);
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{2}, DWORD{8}));
  Drag(edit, {xOf(6) + 1, 5}, {xOf(1) + 1, 5});
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{1}, DWORD{6}));
  DoubleClick(edit, xOf(7), 5);
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{6}, DWORD{10}));
}

TEST_F(Edit, DialogCodes) {
  HWND single = Make(ES_AUTOHSCROLL);
  HWND multi = Make(ES_MULTILINE);
  HWND wantsReturn = Make(ES_MULTILINE | ES_WANTRETURN);
  const LRESULT kBase = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  EXPECT_EQ(SendMessage(single, WM_GETDLGCODE, 0, 0), kBase);
  EXPECT_EQ(SendMessage(multi, WM_GETDLGCODE, 0, 0), kBase | DLGC_WANTALLKEYS);
  MSG enter{};
  enter.message = WM_KEYDOWN;
  enter.wParam = VK_RETURN;
  EXPECT_EQ(SendMessage(multi, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)), kBase);
  EXPECT_EQ(SendMessage(wantsReturn, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)),
            kBase | DLGC_WANTALLKEYS);
}

TEST_F(Edit, MultiLineScrollsWithItsBar) {
  std::string text;
  for (int i = 0; i < 30; ++i) text += "line " + std::to_string(i) + "\r\n";
  HWND edit = Make(ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, text.c_str(), Bounds(10, 10, 150, 100));
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(edit, SB_VERT, &info));
  EXPECT_EQ(info.nMax, 30);
  EXPECT_GT(info.nPage, 0u);
  EXPECT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  SendMessage(edit, EM_LINESCROLL, 0, 5);
  EXPECT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 5);
  EXPECT_EQ(GetScrollPos(edit, SB_VERT), 5);
  SendMessage(edit, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 6);
  EXPECT_EQ(Commands(edit), std::vector<WORD>{EN_VSCROLL});
  SendMessage(edit, EM_SETSEL, 0, 0);
  SendMessage(edit, EM_SCROLLCARET, 0, 0);
  EXPECT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  Play("{C-End}");
  EXPECT_GT(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 20);
  SendMessage(edit, EM_SETSEL, 12, 30);
  Screenshot(parent, "edit-multiline");
  // Selecting with the mouse held below the text scrolls a line at a time while it stays there.
  SendMessage(edit, EM_SETSEL, 0, 0);
  SendMessage(edit, EM_SCROLLCARET, 0, 0);
  RECT client;
  GetClientRect(edit, &client);
  POINT from{0, 5}, below{5, client.Bottom + 40};
  ClientToScreen(edit, &from);
  ClientToScreen(edit, &below);
  InputMouseMove(from);
  InputMouseButton(from, MouseButton::Left, true);
  InputMouseMove(below);
  Pump();
  LRESULT first = SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
  EXPECT_EQ(first, 1);
  for (int tick = 0; tick < 3; ++tick) {
    Sleep(100);  // the clock moves on: one more tick
    Pump();
  }
  EXPECT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), first + 3);
  InputMouseButton(below, MouseButton::Left, false);
  Pump();
  Sleep(500);
  Pump();
  EXPECT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), first + 3);
  EXPECT_EQ(Selection(edit).first, 0u);
}

}  // namespace

namespace {

TEST_F(Edit, Screenshot) {
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  struct Field {
    DWORD style;
    const char* text;
  };
  const Field kFields[] = {
      {ES_AUTOHSCROLL, "Plain text"},
      {ES_AUTOHSCROLL | ES_NOHIDESEL, "Selection kept without focus"},
      {ES_AUTOHSCROLL | ES_READONLY, "Read-only"},
      {ES_AUTOHSCROLL, "Disabled"},
      {ES_CENTER, "Centred"},
      {ES_RIGHT, "Right"},
      {ES_AUTOHSCROLL, "Focused with a selection"},
  };
  HWND fields[7];
  for (int i = 0; i < 7; ++i) {
    fields[i] = Child("EDIT", kFields[i].text, kFields[i].style, Bounds(10, 10 + i * 26, 180, 22), 10 + i, WS_EX_CLIENTEDGE);
    SendMessage(fields[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  SendMessage(fields[1], EM_SETSEL, 0, 9);
  EnableWindow(fields[3], FALSE);
  HWND memo = Child("EDIT", "A multi-line edit wraps its words at the right edge.\r\n\r\nA second paragraph.",
                    ES_MULTILINE | WS_VSCROLL, Bounds(200, 10, 200, 100), 20, WS_EX_CLIENTEDGE);
  SendMessage(memo, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  SetFocus(fields[6]);
  SendMessage(fields[6], EM_SETSEL, 11, 17);
  Pump();
  // Nothing to scroll: the bar stays, disabled.
  SCROLLBARINFO bar;
  ASSERT_TRUE(GetScrollBarInfo(memo, OBJID_VSCROLL, &bar));
  EXPECT_EQ(bar.rgstate[0], STATE_SYSTEM_UNAVAILABLE);
  Screenshot(parent, "edits");
}

}  // namespace

namespace {

TEST_F(Edit, BadInputIsAnsweredSafely) {
  // Broken UTF-8 (a lone continuation byte, a cut sequence, a stray lead) and null pointers.
  HWND edit = Make(ES_MULTILINE | ES_AUTOHSCROLL, "a\x80" "b\xE2\x82\r\nc\xC3", Bounds(10, 10, 200, 80));
  Play("{C-Home}{Right}{Right}{Right}{Right}{Right}{Right}{Right}{Right}{S-Left}{S-Left}{Back}{C-End}{Back}{Back}");
  Play("{C-Home}{Down}{Down}{Up}{End}{CS-Left}{Del}x");
  std::string text = Text(edit);
  EXPECT_LE(text.size(), 9u);
  SendMessage(edit, WM_SETTEXT, 0, 0);
  EXPECT_EQ(Text(edit), "");
  EXPECT_EQ(SendMessage(edit, WM_GETTEXT, 0, 0), 0);
  SendMessage(edit, EM_REPLACESEL, TRUE, 0);
  SendMessage(edit, EM_GETSEL, 0, 0);
  SendMessage(edit, EM_GETRECT, 0, 0);
  SendMessage(edit, EM_SETRECT, 0, 0);
  EXPECT_EQ(SendMessage(edit, EM_GETLINE, 0, 0), 0);
  EXPECT_EQ(SendMessage(edit, EM_GETLINE, 99, 0), 0);
  EXPECT_EQ(SendMessage(edit, EM_LINEINDEX, 0x7FFFFFFF, 0), -1);
  EXPECT_EQ(SendMessage(edit, EM_LINELENGTH, 0x7FFFFFFF, 0), 0);
  EXPECT_EQ(SendMessage(edit, EM_LINEFROMCHAR, 0x7FFFFFFF, 0), 0);
  EXPECT_EQ(SendMessage(edit, EM_POSFROMCHAR, 0x7FFFFFFF, 0), -1);
  EXPECT_NE(SendMessage(edit, EM_POSFROMCHAR, 0, 0), -1);  // an empty text still has a caret place
  SendMessage(edit, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{0}));
  // A rectangle turned inside out is taken as empty.
  RECT inverted{50, 50, 10, 10};
  SendMessage(edit, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&inverted));
  Type("still works");
  EXPECT_EQ(Text(edit), "still works");
}

}  // namespace

namespace {

// A parent that paints its children together hands each its DC with WM_PAINT.
TEST_F(Edit, PaintsIntoTheDeviceContextItIsHanded) {
  HWND edit = Make(ES_LEFT, "MMMM", Bounds(10, 10, 80, 20));
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(80, 20, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(memory, bitmap);
  const RECT all{0, 0, 80, 20};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(memory, &all, red);
  DeleteObject(red);
  SendMessage(edit, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
  int ink = 0, untouched = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 60; ++x) {
      const COLORREF pixel = GetPixel(memory, x, y);
      ink += GetRValue(pixel) < 100 && GetGValue(pixel) < 100 ? 1 : 0;
      untouched += pixel == RGB(255, 0, 0) ? 1 : 0;
    }
  EXPECT_GT(ink, 20);
  EXPECT_EQ(untouched, 0);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

}  // namespace

namespace {

// A host that draws its own bars takes the memo's styles away for the frame's painting and puts
// them back: the painting reads the styles as they are then, and the bars answer for their places.
TEST_F(Edit, NonClientPaintingReadsTheScrollStylesOfTheMoment) {
  HWND memo = Make(ES_MULTILINE | WS_VSCROLL | WS_HSCROLL,
                   "a line long enough to be wrapped if the memo wrapped its words at its width",
                   Bounds(10, 10, 150, 100));
  Pump();
  SCROLLBARINFO vertical{}, horizontal{};
  vertical.cbSize = horizontal.cbSize = sizeof(SCROLLBARINFO);
  ASSERT_TRUE(GetScrollBarInfo(memo, OBJID_VSCROLL, &vertical));
  ASSERT_TRUE(GetScrollBarInfo(memo, OBJID_HSCROLL, &horizontal));
  EXPECT_FALSE(vertical.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN));
  EXPECT_FALSE(horizontal.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN));
  // The corner between them belongs to neither.
  EXPECT_EQ(vertical.rcScrollBar.Bottom, horizontal.rcScrollBar.Top);
  EXPECT_EQ(horizontal.rcScrollBar.Right, vertical.rcScrollBar.Left);
  RECT window;
  GetWindowRect(memo, &window);
  // The middle of the vertical bar, in window coordinates.
  const int x = (vertical.rcScrollBar.Left + vertical.rcScrollBar.Right) / 2 - window.Left;
  const int y = (vertical.rcScrollBar.Top + vertical.rcScrollBar.Bottom) / 2 - window.Top;
  HDC dc = GetWindowDC(memo);
  const COLORREF bar = GetPixel(dc, x, y);
  const RECT spot{x - 1, y - 1, x + 2, y + 2};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &spot, red);
  DeleteObject(red);
  const LONG style = GetWindowLong(memo, GWL_STYLE);
  const LRESULT lines = SendMessage(memo, EM_GETLINECOUNT, 0, 0);
  SetWindowLong(memo, GWL_STYLE, style & ~(WS_VSCROLL | WS_HSCROLL));
  // The wrap mode is the window's from its creation.
  EXPECT_EQ(SendMessage(memo, EM_GETLINECOUNT, 0, 0), lines);
  SendMessage(memo, WM_NCPAINT, 1, 0);
  EXPECT_EQ(GetPixel(dc, x, y), RGB(255, 0, 0));
  ASSERT_TRUE(GetScrollBarInfo(memo, OBJID_VSCROLL, &vertical));
  EXPECT_TRUE(vertical.rgstate[0] & STATE_SYSTEM_INVISIBLE);
  SetWindowLong(memo, GWL_STYLE, style);
  SendMessage(memo, WM_NCPAINT, 1, 0);
  EXPECT_EQ(GetPixel(dc, x, y), bar);
  ReleaseDC(memo, dc);
}

}  // namespace
