#include "ControlsFixture.h"
#include "controls/Button.h"
#include "controls/OwnerDraw.h"

namespace {

class Button : public ControlsTest {
 public:
  HWND Make(DWORD style, const char* text, int id, RECT bounds = Bounds(10, 10, 120, 24)) {
    return Child("BUTTON", text, style, bounds, id);
  }
  std::vector<WORD> Clicks(HWND button) const {
    std::vector<WORD> codes = Commands(button);
    std::erase_if(codes, [](WORD code) { return code != BN_CLICKED && code != BN_DOUBLECLICKED; });
    return codes;
  }
};

TEST_F(Button, MouseClicksWhenReleasedOverTheButton) {
  HWND button = Make(BS_PUSHBUTTON, "OK", 5);
  Click(button, 10, 10);
  EXPECT_EQ(Clicks(button), std::vector<WORD>{BN_CLICKED});
  EXPECT_EQ(LOWORD(Received(WM_COMMAND).back().wParam), 5);
  EXPECT_EQ(GetFocus(), button);
  // Pressed, then let go elsewhere: no click, and the button comes back up.
  notices.clear();
  Drag(button, {10, 10}, {300, 200});
  EXPECT_TRUE(Clicks(button).empty());
  EXPECT_FALSE(SendMessage(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
}

TEST_F(Button, SpaceClicksWhenReleased) {
  HWND button = Make(BS_PUSHBUTTON, "Go", 5);
  SetFocus(button);
  InputKey(VK_SPACE, true);
  Pump();
  EXPECT_EQ(SendMessage(button, BM_GETSTATE, 0, 0), static_cast<LRESULT>(BST_PUSHED | BST_FOCUS));
  EXPECT_TRUE(Clicks(button).empty());
  InputKey(VK_SPACE, false);
  Pump();
  EXPECT_EQ(Clicks(button), std::vector<WORD>{BN_CLICKED});
  EXPECT_EQ(SendMessage(button, BM_GETSTATE, 0, 0), static_cast<LRESULT>(BST_FOCUS));
}

TEST_F(Button, ChecksFollowTheirStyle) {
  struct Case {
    DWORD style;
    std::vector<WPARAM> afterClicks;  // BM_GETCHECK after each of three clicks
  };
  const Case kCases[] = {
      {BS_CHECKBOX, {BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED}},
      {BS_AUTOCHECKBOX, {BST_CHECKED, BST_UNCHECKED, BST_CHECKED}},
      {BS_AUTO3STATE, {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}},
      {BS_AUTOCHECKBOX | BS_PUSHLIKE, {BST_CHECKED, BST_UNCHECKED, BST_CHECKED}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.style);
    HWND box = Make(c.style, "Check", 3);
    for (WPARAM expected : c.afterClicks) {
      SendMessage(box, BM_CLICK, 0, 0);
      EXPECT_EQ(static_cast<WPARAM>(SendMessage(box, BM_GETCHECK, 0, 0)), expected);
    }
    EXPECT_EQ(Clicks(box).size(), 3u);
    DestroyWindow(box);
    notices.clear();
  }
  // Only three-state boxes take the indeterminate state.
  HWND two = Make(BS_CHECKBOX, "Two", 3);
  HWND three = Make(BS_3STATE, "Three", 4, Bounds(10, 40, 120, 24));
  SendMessage(two, BM_SETCHECK, BST_INDETERMINATE, 0);
  SendMessage(three, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(SendMessage(two, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
  EXPECT_EQ(SendMessage(three, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_INDETERMINATE));
  Screenshot(parent, "button-checks");
}

TEST_F(Button, AutomaticRadioButtonsKeepOneCheckedPerGroup) {
  HWND a1 = Make(BS_AUTORADIOBUTTON | WS_GROUP, "A1", 1, Bounds(10, 10, 100, 20));
  HWND a2 = Make(BS_AUTORADIOBUTTON, "A2", 2, Bounds(10, 30, 100, 20));
  HWND a3 = Make(BS_AUTORADIOBUTTON, "A3", 3, Bounds(10, 50, 100, 20));
  HWND b1 = Make(BS_AUTORADIOBUTTON | WS_GROUP, "B1", 4, Bounds(150, 10, 100, 20));
  HWND b2 = Make(BS_AUTORADIOBUTTON, "B2", 5, Bounds(150, 30, 100, 20));
  auto checks = [&] {
    std::vector<LRESULT> out;
    for (HWND h : {a1, a2, a3, b1, b2}) out.push_back(SendMessage(h, BM_GETCHECK, 0, 0));
    return out;
  };
  Click(a2, 5, 5);
  Click(b1, 5, 5);
  EXPECT_EQ(checks(), (std::vector<LRESULT>{0, 1, 0, 1, 0}));
  Click(a3, 5, 5);
  EXPECT_EQ(checks(), (std::vector<LRESULT>{0, 0, 1, 1, 0}));
  EXPECT_TRUE(GetWindowLong(a3, GWL_STYLE) & WS_TABSTOP);
  EXPECT_FALSE(GetWindowLong(a2, GWL_STYLE) & WS_TABSTOP);
  EXPECT_EQ(SendMessage(a1, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_RADIOBUTTON);
  // A plain radio button only reports the click; the parent decides.
  HWND plain = Make(BS_RADIOBUTTON, "Plain", 6, Bounds(150, 60, 100, 20));
  Click(plain, 5, 5);
  EXPECT_EQ(SendMessage(plain, BM_GETCHECK, 0, 0), 0);
  EXPECT_EQ(Clicks(plain), std::vector<WORD>{BN_CLICKED});
  Screenshot(parent, "button-radios");
}

TEST_F(Button, OwnerDrawAsksTheParentToDraw) {
  std::vector<DRAWITEMSTRUCT> draws;
  int hiddenDraws = 0;
  answer = [&](UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_DRAWITEM) return false;
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    draws.push_back(*item);
    if (!IsWindowVisible(item->hwndItem)) ++hiddenDraws;
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush((item->itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    *result = TRUE;
    return true;
  };
  HWND button = Make(BS_OWNERDRAW, "Drawn", 9, Bounds(10, 10, 80, 30));
  UpdateWindow(button);
  ASSERT_FALSE(draws.empty());
  const DRAWITEMSTRUCT& first = draws.back();
  EXPECT_EQ(first.CtlType, ODT_BUTTON);
  EXPECT_EQ(first.CtlID, 9u);
  EXPECT_EQ(first.hwndItem, button);
  EXPECT_EQ(first.itemAction, ODA_DRAWENTIRE);
  EXPECT_EQ(first.rcItem, Bounds(0, 0, 80, 30));
  EXPECT_EQ(first.itemState & (ODS_SELECTED | ODS_FOCUS), 0u);
  draws.clear();
  SendMessage(button, BM_SETSTATE, TRUE, 0);
  UpdateWindow(button);
  ASSERT_FALSE(draws.empty());
  EXPECT_TRUE(draws.back().itemState & ODS_SELECTED);
  SendMessage(button, BM_SETSTATE, FALSE, 0);
  // A focus change asks at once for the focus alone.
  UpdateWindow(button);
  draws.clear();
  SetFocus(button);
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].itemAction, ODA_FOCUS);
  EXPECT_TRUE(draws[0].itemState & ODS_FOCUS);
  SetFocus(nullptr);
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[1].itemAction, ODA_FOCUS);
  EXPECT_FALSE(draws[1].itemState & ODS_FOCUS);
  // A button whose window is hidden shows nothing: its focus changes ask for no drawing (a
  // hidden window's DC is a scratch one that painters need not be able to draw on).
  SetFocus(button);
  ShowWindow(parent, SW_HIDE);
  SetFocus(nullptr);
  EXPECT_EQ(hiddenDraws, 0);
  ShowWindow(parent, SW_SHOW);
  // WM_PAINT with a DC draws into that DC (a double-buffered caller's buffer).
  draws.clear();
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP buffer = CreateCompatibleBitmap(screen, 80, 30);
  HGDIOBJ old = SelectObject(memory, buffer);
  SendMessage(button, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].hDC, memory);
  EXPECT_EQ(GetPixel(memory, 40, 15), GetSysColor(COLOR_WINDOW));
  SelectObject(memory, old);
  DeleteObject(buffer);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  // Owner-drawn buttons report double clicks.
  DoubleClick(button, 5, 5);
  EXPECT_EQ(Clicks(button), (std::vector<WORD>{BN_CLICKED, BN_DOUBLECLICKED}));
  // The focused button still draws when the fixture destroys it; the list goes with this test.
  answer = nullptr;
}

TEST_F(Button, GroupBoxLetsClicksThroughAndSetStyleChangesTheType) {
  HWND group = Make(BS_GROUPBOX, "Group", 1, Bounds(10, 10, 200, 100));
  POINT inside{50, 50};
  ClientToScreen(parent, &inside);
  EXPECT_EQ(SendMessage(group, WM_NCHITTEST, 0, MAKELPARAM(inside.X, inside.Y)), HTTRANSPARENT);
  HWND button = Make(BS_PUSHBUTTON, "Default", 2, Bounds(10, 120, 100, 24));
  EXPECT_EQ(SendMessage(button, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
  SendMessage(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(SendMessage(button, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
  EXPECT_TRUE(GetWindowLong(button, GWL_STYLE) & WS_CHILD);
}

TEST_F(Button, Screenshot) {
  Make(BS_GROUPBOX, "&Options", 1, Bounds(10, 10, 250, 150));
  Make(BS_AUTOCHECKBOX, "&Check box", 2, Bounds(20, 30, 120, 20));
  HWND checked = Make(BS_AUTOCHECKBOX, "Checked", 3, Bounds(20, 52, 120, 20));
  HWND mixed = Make(BS_AUTO3STATE, "Indeterminate", 4, Bounds(20, 74, 120, 20));
  HWND radio = Make(BS_AUTORADIOBUTTON | WS_GROUP, "Radio on", 5, Bounds(140, 30, 110, 20));
  Make(BS_AUTORADIOBUTTON, "Radio off", 6, Bounds(140, 52, 110, 20));
  HWND disabled = Make(BS_AUTOCHECKBOX | BS_LEFTTEXT, "Text left", 7, Bounds(140, 74, 110, 20));
  Make(BS_AUTOCHECKBOX | BS_PUSHLIKE, "Push-like", 8, Bounds(20, 100, 100, 24));
  Make(BS_PUSHBUTTON, "Push", 9, Bounds(280, 20, 100, 26));
  HWND focused = Make(BS_DEFPUSHBUTTON, "Default", 10, Bounds(280, 56, 100, 26));
  HWND pressed = Make(BS_PUSHBUTTON, "Pressed", 11, Bounds(280, 92, 100, 26));
  HWND off = Make(BS_PUSHBUTTON, "Disabled", 12, Bounds(280, 128, 100, 26));
  Make(BS_PUSHBUTTON | BS_MULTILINE, "Two lines of caption", 13, Bounds(280, 164, 100, 40));
  SendMessage(checked, BM_SETCHECK, BST_CHECKED, 0);
  SendMessage(mixed, BM_SETCHECK, BST_INDETERMINATE, 0);
  SendMessage(radio, BM_SETCHECK, BST_CHECKED, 0);
  SendMessage(pressed, BM_SETSTATE, TRUE, 0);
  EnableWindow(disabled, FALSE);
  EnableWindow(off, FALSE);
  SetFocus(focused);
  Pump();
  Screenshot(parent, "buttons");
}

}  // namespace
