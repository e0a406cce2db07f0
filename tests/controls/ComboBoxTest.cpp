#include <string>

#include "ListControlsSupport.h"
#include "controls/ComboBox.h"
#include "controls/Edit.h"
#include "controls/ListBox.h"

namespace {

class ComboBoxTest : public ListControlsTest {
 public:
  HWND MakeList() {
    HWND combo = Child(WC_COMBOBOX, CBS_DROPDOWNLIST | WS_VSCROLL, {10, 10, 160, 150});
    for (const char* t : {"Low", "Medium", "High", "Best"}) SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    return combo;
  }
  HWND DroppedList(HWND) { return FindWindow("ComboLBox", nullptr); }
  std::vector<UINT> ComboCodes() {
    std::vector<UINT> out;
    for (UINT c : Codes(WM_COMMAND))
      if (c != CBN_SETFOCUS && c != CBN_KILLFOCUS) out.push_back(c);
    return out;
  }
};

TEST_F(ComboBoxTest, KeepsTheFieldHeightAndDropsTheAskedHeight) {
  HWND combo = MakeList();
  RECT r;
  GetWindowRect(combo, &r);
  EXPECT_EQ(r.Height(), static_cast<int>(SendMessage(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0)) + 6);
  SendMessage(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.Height(), 140);
  EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, 2, 0), 2);
  char text[32] = {};
  GetWindowText(combo, text, sizeof text);
  EXPECT_STREQ(text, "High");
  EXPECT_EQ(SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("best")), 3);
}

TEST_F(ComboBoxTest, DroppedListIsNoHigherThanItsItems) {
  HWND combo = Child(WC_COMBOBOX, CBS_DROPDOWNLIST | WS_VSCROLL, {10, 10, 160, 150});
  const int row = static_cast<int>(SendMessage(combo, CB_GETITEMHEIGHT, 0, 0));
  const int room = 150 - (row + 6);
  struct Case {
    int items;
    int height;
  };
  // Many items fill the room in whole rows.
  const Case kCases[] = {{0, row + 2}, {3, 3 * row + 2}, {40, (room - 2) / row * row + 2}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.items);
    SendMessage(combo, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < c.items; ++i) SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Item"));
    SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    RECT r;
    GetWindowRect(DroppedList(combo), &r);
    EXPECT_EQ(r.Height(), c.height);
    SendMessage(combo, CB_SHOWDROPDOWN, FALSE, 0);
  }
}

TEST_F(ComboBoxTest, ChosenByKeyboard) {
  HWND combo = MakeList();
  SetFocus(combo);
  ClearEvents();
  Key(VK_DOWN);
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(ComboCodes(), std::vector<UINT>{CBN_SELCHANGE});
  ClearEvents();
  Key(VK_F4);
  EXPECT_TRUE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(GetFocus(), combo) << "the dropped list never takes the focus";
  EXPECT_EQ(GetActiveWindow(), parent);
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 2);
  const std::vector<UINT> codes = ComboCodes();
  ASSERT_GE(codes.size(), 3u);
  EXPECT_EQ(codes.front(), CBN_DROPDOWN);
  EXPECT_NE(std::find(codes.begin(), codes.end(), CBN_SELENDOK), codes.end());
  EXPECT_NE(std::find(codes.begin(), codes.end(), CBN_CLOSEUP), codes.end());

  ClearEvents();
  Key(VK_F4);
  Key(VK_UP);
  Key(VK_ESCAPE);
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 2) << "Esc brings the selection back";
  const std::vector<UINT> cancel = ComboCodes();
  EXPECT_NE(std::find(cancel.begin(), cancel.end(), CBN_SELENDCANCEL), cancel.end());
  Type("b");
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 3) << "type-ahead in a closed list";
}

TEST_F(ComboBoxTest, ChosenByMouse) {
  HWND combo = MakeList();
  SendMessage(combo, CB_SETCURSEL, 0, 0);
  ClearEvents();
  Click(combo, 140, 8);
  ASSERT_TRUE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
  HWND list = DroppedList(combo);
  ASSERT_TRUE(list);
  EXPECT_TRUE(IsWindowVisible(list));
  const int h = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
  Click(list, 20, 3 * h + 3);
  EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_FALSE(IsWindowVisible(list));
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 3);
  const std::vector<UINT> codes = ComboCodes();
  EXPECT_EQ(codes, (std::vector<UINT>{CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));

  ClearEvents();
  Click(combo, 140, 8);
  Click(parent, 350, 250);
  EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0)) << "a click elsewhere closes the list";
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 3);
}

TEST_F(ComboBoxTest, EditableComboTypesInItsEditAndFillsItFromTheList) {
  HWND combo = Child(WC_COMBOBOX, CBS_DROPDOWN | CBS_AUTOHSCROLL, {10, 10, 160, 150});
  for (const char* t : {"720 x 576", "1280 x 720"}) SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
  HWND edit = GetWindow(combo, GW_CHILD);
  ASSERT_TRUE(edit);
  SetFocus(combo);
  EXPECT_EQ(GetFocus(), edit) << "the combo hands the focus to its edit";
  ClearEvents();
  Type("640");
  char text[32] = {};
  GetWindowText(combo, text, sizeof text);
  EXPECT_STREQ(text, "640");
  const std::vector<UINT> typed = ComboCodes();
  EXPECT_NE(std::find(typed.begin(), typed.end(), CBN_EDITCHANGE), typed.end());
  EXPECT_NE(std::find(typed.begin(), typed.end(), CBN_EDITUPDATE), typed.end());
  SendMessage(combo, CB_SETCURSEL, 1, 0);
  GetWindowText(combo, text, sizeof text);
  EXPECT_STREQ(text, "1280 x 720");
  EXPECT_EQ(SendMessage(combo, CB_GETEDITSEL, 0, 0), MAKELONG(0, 10)) << "the chosen text is selected";
}

TEST_F(ComboBoxTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheParentAsComboItems) {
  std::vector<std::pair<UINT, UINT>> measured;  // (type, item)
  std::vector<DRAWITEMSTRUCT> drawn;
  answer = [&](UINT m, WPARAM, LPARAM l, LRESULT* r) {
    if (m == WM_MEASUREITEM) {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
      measured.push_back({mi->CtlType, mi->itemID});
      mi->itemHeight = 18;
      *r = TRUE;
      return true;
    }
    if (m == WM_DRAWITEM) {
      drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(l));
      *r = TRUE;
      return true;
    }
    return false;
  };
  HWND combo = Child(WC_COMBOBOX, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, {10, 10, 160, 150}, 9);
  for (ULONG_PTR data : {101, 102}) SendMessage(combo, CB_ADDSTRING, 0, static_cast<LPARAM>(data));
  ASSERT_FALSE(measured.empty());
  for (auto [type, item] : measured) EXPECT_EQ(type, ODT_COMBOBOX);
  EXPECT_EQ(SendMessage(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 18);
  RECT r;
  GetWindowRect(combo, &r);
  EXPECT_EQ(r.Height(), 24) << "the field fits the measured height";
  SendMessage(combo, CB_SETCURSEL, 1, 0);
  drawn.clear();
  InvalidateRect(combo, nullptr, TRUE);
  Pump();
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].CtlType, ODT_COMBOBOX);
  EXPECT_EQ(drawn[0].CtlID, 9u);
  EXPECT_EQ(drawn[0].itemID, 1u);
  EXPECT_EQ(drawn[0].itemData, 102u);
  EXPECT_TRUE(drawn[0].itemState & ODS_COMBOBOXEDIT);
  EXPECT_EQ(drawn[0].hwndItem, combo);
  drawn.clear();
  SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
  Pump();
  std::vector<DRAWITEMSTRUCT> listItems;
  for (const DRAWITEMSTRUCT& d : drawn)
    if (!(d.itemState & ODS_COMBOBOXEDIT)) listItems.push_back(d);
  ASSERT_EQ(listItems.size(), 2u) << "the dropped list draws both items through the combo's parent";
  EXPECT_EQ(listItems[1].itemState & ODS_SELECTED, ODS_SELECTED);
  EXPECT_EQ(listItems[1].hwndItem, combo);
}

TEST_F(ComboBoxTest, Screenshot) {
  HWND combo = MakeList();
  SendMessage(combo, CB_SETCURSEL, 1, 0);
  HWND second = Child(WC_COMBOBOX, CBS_DROPDOWNLIST, {10, 60, 160, 200}, 8);
  SendMessage(second, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Windows Media Video 9"));
  SendMessage(second, CB_SETCURSEL, 0, 0);
  SetFocus(combo);
  SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
  Pump();
  SaveScreenshot(parent, "combobox");
  SaveScreenshot(FindWindow("ComboLBox", nullptr), "combobox-list");
}

// A combo on a bar that leaves its parent to float as a popup owned by it (and docks again)
// drops its list under the field wherever the bar is.
TEST_F(ComboBoxTest, DropsItsListUnderTheFieldWhenItsBarFloatsAndDocksAgain) {
  HWND bar = Child("Static", 0, {20, 30, 220, 40}, 9);
  HWND combo = CreateWindowEx(0, WC_COMBOBOX, "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, 5, 5, 160,
                              150, bar, nullptr, nullptr, nullptr);
  for (const char* t : {"Low", "High"}) SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
  auto dropsUnderField = [&] {
    SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    Pump();
    RECT field, list;
    GetWindowRect(combo, &field);
    GetWindowRect(DroppedList(combo), &list);
    EXPECT_TRUE(IsWindowVisible(DroppedList(combo)));
    EXPECT_EQ(list.Left, field.Left);
    EXPECT_EQ(list.Top, field.Bottom);
    SendMessage(combo, CB_SHOWDROPDOWN, FALSE, 0);
    Pump();
  };
  dropsUnderField();

  SetWindowLong(bar, GWL_STYLE, (GetWindowLong(bar, GWL_STYLE) & ~WS_CHILD) | WS_POPUP);
  SetParent(bar, nullptr);
  SetWindowLongPtr(bar, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(parent));
  SetWindowPos(bar, HWND_TOP, 600, 500, 220, 40, SWP_NOACTIVATE);
  Pump();
  RECT field;
  GetWindowRect(combo, &field);
  EXPECT_EQ(field.Left, 605);
  dropsUnderField();

  SetWindowLong(bar, GWL_STYLE, (GetWindowLong(bar, GWL_STYLE) & ~WS_POPUP) | WS_CHILD);
  SetParent(bar, parent);
  SetWindowPos(bar, nullptr, 20, 90, 220, 40, SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  dropsUnderField();
}

}  // namespace
