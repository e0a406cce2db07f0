#include <cstring>
#include <string>

#include "ListControlsSupport.h"
#include "controls/ListBox.h"

namespace {

class ListBoxTest : public ListControlsTest {
 public:
  HWND Make(DWORD style, RECT bounds = {10, 10, 160, 140}) { return Child(WC_LISTBOX, style | WS_BORDER, bounds); }
  void Add(HWND list, std::initializer_list<const char*> texts) {
    for (const char* t : texts) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
  }
  std::string Text(HWND list, int index) {
    char buffer[256] = {};
    SendMessage(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer));
    return buffer;
  }
  std::vector<int> Selected(HWND list) {
    int items[64];
    const LRESULT n = SendMessage(list, LB_GETSELITEMS, 64, reinterpret_cast<LPARAM>(items));
    return std::vector<int>(items, items + (n > 0 ? n : 0));
  }
};

TEST_F(ListBoxTest, MessagesAnswerAsDocumented) {
  HWND list = Make(LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT);
  Add(list, {"pear", "Apple", "banana", "apricot"});
  const int h = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
  ASSERT_EQ(h, 13);
  auto Send = [&](UINT m, WPARAM w, LPARAM l) { return SendMessage(list, m, w, l); };
  auto Str = [](const char* s) { return reinterpret_cast<LPARAM>(s); };
  struct Case {
    const char* what;
    LRESULT got;
    LRESULT want;
  };
  const Case cases[] = {
      {"count", Send(LB_GETCOUNT, 0, 0), 4},
      {"sorted without case", Send(LB_FINDSTRINGEXACT, -1, Str("APPLE")), 0},
      {"prefix from start", Send(LB_FINDSTRING, -1, Str("ap")), 0},
      {"prefix after an index", Send(LB_FINDSTRING, 0, Str("ap")), 1},
      {"prefix wraps round", Send(LB_FINDSTRING, 1, Str("ap")), 0},
      {"missing", Send(LB_FINDSTRING, -1, Str("zz")), LB_ERR},
      {"text length", Send(LB_GETTEXTLEN, 2, 0), 6},
      {"text length out of range", Send(LB_GETTEXTLEN, 9, 0), LB_ERR},
      {"no selection", Send(LB_GETCURSEL, 0, 0), LB_ERR},
      {"select", Send(LB_SETCURSEL, 2, 0), 2},
      {"selected", Send(LB_GETCURSEL, 0, 0), 2},
      {"selected flag", Send(LB_GETSEL, 2, 0), 1},
      {"single selection has no count", Send(LB_GETSELCOUNT, 0, 0), LB_ERR},
      {"single selection refuses LB_SETSEL", Send(LB_SETSEL, TRUE, 1), LB_ERR},
      {"item data", (Send(LB_SETITEMDATA, 1, 77), Send(LB_GETITEMDATA, 1, 0)), 77},
      {"item data out of range", Send(LB_SETITEMDATA, 8, 1), LB_ERR},
      {"insert at", Send(LB_INSERTSTRING, 1, Str("zebra")), 1},
      {"insert past the end", Send(LB_INSERTSTRING, 10, Str("x")), LB_ERR},
      {"selection follows the insert", Send(LB_GETCURSEL, 0, 0), 3},
      {"select string", Send(LB_SELECTSTRING, -1, Str("pe")), 4},
      {"delete answers the count left", Send(LB_DELETESTRING, 1, 0), 4},
      {"delete out of range", Send(LB_DELETESTRING, 4, 0), LB_ERR},
      {"selection follows the delete", Send(LB_GETCURSEL, 0, 0), 3},
      {"clear selection", Send(LB_SETCURSEL, -1, 0), LB_ERR},
      {"nothing selected", Send(LB_GETCURSEL, 0, 0), LB_ERR},
      {"set count needs LBS_NODATA", Send(LB_SETCOUNT, 3, 0), LB_ERR},
      {"item height too big", Send(LB_SETITEMHEIGHT, 0, 300), LB_ERR},
      {"top index out of range", Send(LB_SETTOPINDEX, 7, 0), LB_ERR},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
  EXPECT_EQ(Text(list, 0), "Apple");
  EXPECT_EQ(Text(list, 3), "pear");
  EXPECT_TRUE(Codes(WM_COMMAND).empty() || Codes(WM_COMMAND) == std::vector<UINT>{LBN_SETFOCUS})
      << "LB_ messages notify nothing";

  RECT r;
  ASSERT_EQ(SendMessage(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r)), 1);
  EXPECT_EQ(r.Top, 2 * h);
  EXPECT_EQ(r.Bottom, 3 * h);
  EXPECT_EQ(SendMessage(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 2 * h + 1)), MAKELONG(2, 0));
  EXPECT_EQ(HIWORD(SendMessage(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 100))), 1) << "below the last item";

  // The selected item goes: nothing is selected, also once the items come back.
  SendMessage(list, LB_SETCURSEL, 1, 0);
  SendMessage(list, LB_DELETESTRING, 1, 0);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), LB_ERR);
  SendMessage(list, LB_SETCURSEL, 2, 0);
  SendMessage(list, LB_RESETCONTENT, 0, 0);
  Add(list, {"a", "b", "c"});
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST_F(ListBoxTest, ScrollsByTopIndexAndKeepsTheCaretVisible) {
  HWND list = Make(WS_VSCROLL, {10, 10, 160, 10 + 5 * 13 + 2});
  for (int i = 0; i < 20; ++i) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(100 + i).c_str()));
  EXPECT_TRUE(GetWindowLong(list, GWL_STYLE) & WS_VSCROLL) << "the bar shows when the items do not fit";
  EXPECT_EQ(SendMessage(list, LB_SETTOPINDEX, 19, 0), LB_OKAY);
  EXPECT_GT(SendMessage(list, LB_GETTOPINDEX, 0, 0), 10) << "the last page stays full";
  EXPECT_LT(SendMessage(list, LB_GETTOPINDEX, 0, 0), 19);
  SendMessage(list, LB_SETTOPINDEX, 0, 0);
  SendMessage(list, WM_VSCROLL, 1 /* line down */, 0);
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 1);
  SendMessage(list, LB_SETCURSEL, 15, 0);
  const LRESULT top = SendMessage(list, LB_GETTOPINDEX, 0, 0);
  EXPECT_LE(top, 15);
  EXPECT_GT(top + 5, 15) << "LB_SETCURSEL scrolls the item into view";
  SendMessage(list, LB_RESETCONTENT, 0, 0);
  EXPECT_FALSE(GetWindowLong(list, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(ListBoxTest, OwnerDrawFixedMeasuresOnceAndDrawsEachVisibleItem) {
  answer = [](UINT m, WPARAM, LPARAM l, LRESULT* r) {
    if (m == WM_MEASUREITEM) {
      reinterpret_cast<MEASUREITEMSTRUCT*>(l)->itemHeight = 20;
      *r = TRUE;
      return true;
    }
    return false;
  };
  HWND list = Make(LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT, {10, 10, 160, 72});
  EXPECT_EQ(Codes(WM_MEASUREITEM), std::vector<UINT>{0});
  EXPECT_EQ(SendMessage(list, LB_GETITEMHEIGHT, 0, 0), 20);
  for (ULONG_PTR data : {11, 12, 13, 14, 15}) SendMessage(list, LB_ADDSTRING, 0, static_cast<LPARAM>(data));
  EXPECT_EQ(SendMessage(list, LB_GETITEMDATA, 3, 0), 14) << "without LBS_HASSTRINGS the value is the item data";
  SendMessage(list, LB_SETCURSEL, 1, 0);
  SetFocus(list);
  std::vector<DRAWITEMSTRUCT> draws;
  answer = [&](UINT m, WPARAM, LPARAM l, LRESULT* r) {
    if (m != WM_DRAWITEM) return false;
    draws.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(l));
    *r = TRUE;
    return true;
  };
  InvalidateRect(list, nullptr, TRUE);
  Pump();
  ASSERT_EQ(draws.size(), 3u) << "60 pixels show three items of 20";
  for (size_t i = 0; i < draws.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(draws[i].CtlType, ODT_LISTBOX);
    EXPECT_EQ(draws[i].CtlID, 7u);
    EXPECT_EQ(draws[i].itemID, i);
    EXPECT_EQ(draws[i].itemAction, ODA_DRAWENTIRE);
    EXPECT_EQ(draws[i].itemData, 11 + i);
    EXPECT_EQ(draws[i].rcItem.Top, static_cast<int>(i) * 20);
    EXPECT_EQ(draws[i].hwndItem, list);
  }
  EXPECT_EQ(draws[1].itemState, ODS_SELECTED | ODS_FOCUS);
  EXPECT_EQ(draws[0].itemState, 0u);
}

TEST_F(ListBoxTest, OwnerDrawVariableMeasuresEachItemAndPlacesItByItsHeight) {
  std::vector<std::string> measured;
  answer = [&](UINT m, WPARAM, LPARAM l, LRESULT* r) {
    if (m == WM_MEASUREITEM) {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
      const std::string text = reinterpret_cast<const char*>(mi->itemData);
      measured.push_back(text);
      mi->itemHeight = static_cast<UINT>(10 * text.size());
      *r = TRUE;
      return true;
    }
    return false;
  };
  HWND list = Make(LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS, {10, 10, 160, 100});
  Add(list, {"a", "bbb", "cc", "dddd"});
  EXPECT_EQ(measured, (std::vector<std::string>{"a", "bbb", "cc", "dddd"}));
  EXPECT_EQ(SendMessage(list, LB_GETITEMHEIGHT, 1, 0), 30);
  RECT r;
  SendMessage(list, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.Top, 60);
  EXPECT_EQ(r.Bottom, 100);
  EXPECT_EQ(SendMessage(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(3, 45)), MAKELONG(2, 0));
  SendMessage(list, LB_SETTOPINDEX, 2, 0);
  SendMessage(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.Top, -40) << "items above the top lie above the client area";
}

TEST_F(ListBoxTest, DeletingOwnerDrawnItemsTellsTheParent) {
  std::vector<ULONG_PTR> deleted;
  answer = [&](UINT m, WPARAM, LPARAM l, LRESULT*) {
    if (m == WM_DELETEITEM) deleted.push_back(reinterpret_cast<DELETEITEMSTRUCT*>(l)->itemData);
    return false;
  };
  HWND list = Make(LBS_OWNERDRAWFIXED);
  for (ULONG_PTR data : {5, 6, 7}) SendMessage(list, LB_ADDSTRING, 0, static_cast<LPARAM>(data));
  SendMessage(list, LB_DELETESTRING, 1, 0);
  EXPECT_EQ(deleted, std::vector<ULONG_PTR>{6});
  DestroyWindow(list);
  EXPECT_EQ(deleted, (std::vector<ULONG_PTR>{6, 5, 7}));
}

TEST_F(ListBoxTest, NoDataListsTakeACountAndKeepSelections) {
  HWND list = Make(LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_EXTENDEDSEL);
  EXPECT_EQ(SendMessage(list, LB_ADDSTRING, 0, 1), LB_ERR) << "items come only from LB_SETCOUNT";
  EXPECT_EQ(SendMessage(list, LB_SETCOUNT, 50000, 0), LB_OKAY);
  EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 50000);
  SendMessage(list, LB_SELITEMRANGEEX, 40000, 40002);
  EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 3);
  SendMessage(list, LB_SETCOUNT, 40001, 0);
  EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 1);
}

TEST_F(ListBoxTest, ExtendedSelectionWithMouseShiftAndControl) {
  HWND list = Make(LBS_EXTENDEDSEL | LBS_NOTIFY);
  Add(list, {"0", "1", "2", "3", "4", "5", "6"});
  const int h = 13;
  ClearEvents();
  Click(list, 20, 1 * h + 3);
  EXPECT_EQ(Selected(list), std::vector<int>{1});
  Click(list, 20, 4 * h + 3, MK_SHIFT);
  EXPECT_EQ(Selected(list), (std::vector<int>{1, 2, 3, 4}));
  Click(list, 20, 2 * h + 3, MK_CONTROL);
  EXPECT_EQ(Selected(list), (std::vector<int>{1, 3, 4}));
  Click(list, 20, 6 * h + 3, MK_SHIFT | MK_CONTROL);
  EXPECT_EQ(Selected(list), (std::vector<int>{1, 2, 3, 4, 5, 6})) << "the anchor moved to the Ctrl-click";
  EXPECT_EQ(SendMessage(list, LB_GETCARETINDEX, 0, 0), 6);
  Click(list, 20, 0 * h + 3);
  EXPECT_EQ(Selected(list), std::vector<int>{0});
  std::vector<UINT> changes;
  for (UINT c : Codes(WM_COMMAND))
    if (c == LBN_SELCHANGE) changes.push_back(c);
  EXPECT_EQ(changes.size(), 5u);

  KeyWith(VK_SHIFT, VK_DOWN);
  KeyWith(VK_SHIFT, VK_DOWN);
  EXPECT_EQ(Selected(list), (std::vector<int>{0, 1, 2}));
  Key(VK_END);
  EXPECT_EQ(Selected(list), std::vector<int>{6});
}

TEST_F(ListBoxTest, MultipleSelectionTogglesWithClicksAndSpace) {
  HWND list = Make(LBS_MULTIPLESEL);
  Add(list, {"a", "b", "c", "d"});
  Click(list, 20, 3);
  Click(list, 20, 2 * 13 + 3);
  EXPECT_EQ(Selected(list), (std::vector<int>{0, 2}));
  Click(list, 20, 3);
  EXPECT_EQ(Selected(list), std::vector<int>{2});
  Key(VK_DOWN);
  EXPECT_EQ(Selected(list), std::vector<int>{2}) << "arrows move the caret only";
  Key(VK_SPACE, ' ');
  EXPECT_EQ(Selected(list), (std::vector<int>{1, 2}));
  EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 2);
  SendMessage(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(0, 3));
  EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 4);
  SendMessage(list, LB_SETSEL, FALSE, -1);
  EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 0);
}

TEST_F(ListBoxTest, DoubleClickAndFocusNotify) {
  HWND list = Make(LBS_NOTIFY);
  Add(list, {"one", "two"});
  ClearEvents();
  Click(list, 20, 16, 0, true);
  const std::vector<UINT> codes = Codes(WM_COMMAND);
  EXPECT_EQ(codes, (std::vector<UINT>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_DBLCLK}));
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
}

TEST_F(ListBoxTest, TypeAheadFindsPrefixesAndCyclesOnARepeatedLetter) {
  HWND list = Make(LBS_SORT);
  Add(list, {"Berlin", "Bonn", "Bremen", "Dresden", "Duisburg", "Essen"});
  SetFocus(list);
  Type("d");
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 3);
  Type("u");
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 4) << "letters typed quickly make one prefix";
  clock.Advance(5000);
  Type("b");
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 0) << "a pause starts a new search";
  Type("b");
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
  Type("b");
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);
  clock.Advance(5000);
  Type("bre");
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);
  clock.Advance(5000);
  Type("x");
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2) << "no match keeps the selection";
}

TEST_F(ListBoxTest, Screenshot) {
  HWND list = Make(LBS_NOTIFY | WS_VSCROLL, {10, 10, 150, 120});
  for (const char* t : {"Apple", "Banana", "Cherry", "Date", "Elderberry", "Fig", "Grape", "Honeydew", "Kiwi", "Lemon"})
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
  SendMessage(list, LB_SETCURSEL, 2, 0);
  HWND multi = Make(LBS_EXTENDEDSEL, {170, 10, 300, 120});
  Add(multi, {"first", "second", "third", "fourth"});
  SendMessage(multi, LB_SELITEMRANGE, TRUE, MAKELPARAM(1, 2));
  SetFocus(multi);
  Pump();
  SaveScreenshot(parent, "listbox");
}

}  // namespace
