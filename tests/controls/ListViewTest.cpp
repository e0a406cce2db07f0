#include <string>

#include "ListControlsSupport.h"
#include "controls/Header.h"
#include "controls/ImageList.h"
#include "controls/ListView.h"
#include "gdi/ImageFiles.h"

namespace {

class ListViewTest : public ListControlsTest {
 public:
  HWND Make(DWORD style, DWORD exStyle = 0) {
    HWND view = Child(WC_LISTVIEW, LVS_REPORT | style, {10, 10, 310, 200});
    SendMessage(view, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, exStyle);
    AddColumn(view, "Name", 100);
    AddColumn(view, "Size", 60, LVCFMT_RIGHT);
    AddColumn(view, "Type", 80);
    return view;
  }
  void AddColumn(HWND view, const char* text, int width, int fmt = LVCFMT_LEFT) {
    LVCOLUMN c;
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    c.pszText = const_cast<char*>(text);
    c.cx = width;
    c.fmt = fmt;
    HWND header = reinterpret_cast<HWND>(SendMessage(view, LVM_GETHEADER, 0, 0));
    SendMessage(view, LVM_INSERTCOLUMN, SendMessage(header, HDM_GETITEMCOUNT, 0, 0), reinterpret_cast<LPARAM>(&c));
  }
  void AddRow(HWND view, std::initializer_list<const char*> texts) {
    LVITEM item;
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessage(view, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<char*>(*texts.begin());
    const int index = static_cast<int>(SendMessage(view, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)));
    int sub = 0;
    for (const char* t : texts) {
      if (sub > 0) {
        LVITEM s;
        s.iSubItem = sub;
        s.pszText = const_cast<char*>(t);
        SendMessage(view, LVM_SETITEMTEXT, index, reinterpret_cast<LPARAM>(&s));
      }
      ++sub;
    }
  }
  RECT ItemRect(HWND view, int item, int code) {
    RECT r;
    r.Left = code;
    SendMessage(view, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  std::string Text(HWND view, int item, int sub) {
    char buffer[128] = {};
    LVITEM i;
    i.iSubItem = sub;
    i.pszText = buffer;
    i.cchTextMax = sizeof buffer;
    SendMessage(view, LVM_GETITEMTEXT, item, reinterpret_cast<LPARAM>(&i));
    return buffer;
  }
  int HeaderHeight(HWND view) {
    RECT r;
    GetWindowRect(reinterpret_cast<HWND>(SendMessage(view, LVM_GETHEADER, 0, 0)), &r);
    return r.Height();
  }
  std::vector<int> Selected(HWND view) {
    std::vector<int> out;
    for (int i = -1; (i = static_cast<int>(SendMessage(view, LVM_GETNEXTITEM, i, LVNI_SELECTED))) >= 0;) out.push_back(i);
    return out;
  }
};

TEST_F(ListViewTest, ItemRectanglesAndHitTestsFollowColumnsRowsAndScrolling) {
  HWND view = Make(0, LVS_EX_FULLROWSELECT);
  for (int i = 0; i < 30; ++i) AddRow(view, {("file" + std::to_string(i)).c_str(), "10", "clip"});
  const int header = HeaderHeight(view);
  ASSERT_GT(header, 10);
  RECT b = ItemRect(view, 2, LVIR_BOUNDS);
  const int row = b.Height();
  EXPECT_EQ(row, 14) << "a line of the 8-point font and one pixel";
  struct Case {
    int item, code;
    RECT want;
  };
  const Case cases[] = {
      {0, LVIR_BOUNDS, {0, header, 240, header + row}},
      {2, LVIR_BOUNDS, {0, header + 2 * row, 240, header + 3 * row}},
      {2, LVIR_ICON, {0, header + 2 * row, 0, header + 3 * row}},
      {2, LVIR_LABEL, {0, header + 2 * row, 100, header + 3 * row}},
      {2, LVIR_SELECTBOUNDS, {0, header + 2 * row, 240, header + 3 * row}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.item << "/" << c.code);
    RECT r = ItemRect(view, c.item, c.code);
    EXPECT_EQ(r.Left, c.want.Left);
    EXPECT_EQ(r.Top, c.want.Top);
    EXPECT_EQ(r.Right, c.want.Right);
    EXPECT_EQ(r.Bottom, c.want.Bottom);
  }
  RECT sub;
  sub.Top = 1;
  sub.Left = LVIR_BOUNDS;
  ASSERT_TRUE(SendMessage(view, LVM_GETSUBITEMRECT, 1, reinterpret_cast<LPARAM>(&sub)));
  EXPECT_EQ(sub.Left, 100);
  EXPECT_EQ(sub.Right, 160);

  struct Hit {
    int x, y;
    int item;
    UINT flags;
    int subItem;
  };
  const Hit hits[] = {
      {5, header + 1, 0, LVHT_ONITEMLABEL, 0},
      {120, header + 3 * row + 2, 3, LVHT_ONITEMLABEL, 1},
      {200, header + 3 * row + 2, 3, LVHT_ONITEMLABEL, 2},
      {280, header + 3 * row + 2, -1, LVHT_NOWHERE, 0},
      {5, header - 2, -1, LVHT_ABOVE, 0},
  };
  for (const Hit& h : hits) {
    SCOPED_TRACE(testing::Message() << h.x << "," << h.y);
    LVHITTESTINFO info;
    info.pt = {h.x, h.y};
    EXPECT_EQ(SendMessage(view, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&info)), h.item);
    EXPECT_EQ(info.flags, h.flags);
    EXPECT_EQ(info.iSubItem, h.subItem);
  }

  const int page = static_cast<int>(SendMessage(view, LVM_GETCOUNTPERPAGE, 0, 0));
  RECT client;
  GetClientRect(view, &client);
  EXPECT_EQ(page, (client.Bottom - header) / row);
  SendMessage(view, LVM_SCROLL, 0, 5 * row);
  EXPECT_EQ(SendMessage(view, LVM_GETTOPINDEX, 0, 0), 5);
  b = ItemRect(view, 5, LVIR_BOUNDS);
  EXPECT_EQ(b.Top, header) << "the top item sits under the header";
  LVHITTESTINFO info;
  info.pt = {5, header + 1};
  EXPECT_EQ(SendMessage(view, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), 5);
  SendMessage(view, LVM_ENSUREVISIBLE, 29, FALSE);
  EXPECT_EQ(SendMessage(view, LVM_GETTOPINDEX, 0, 0), 30 - page);
  SendMessage(view, LVM_ENSUREVISIBLE, 1, FALSE);
  EXPECT_EQ(SendMessage(view, LVM_GETTOPINDEX, 0, 0), 1);
}

TEST_F(ListViewTest, WithoutFullRowSelectOnlyTheLabelHits) {
  HWND view = Make(0);
  AddRow(view, {"a", "1", "x"});
  LVHITTESTINFO info;
  info.pt = {150, HeaderHeight(view) + 2};
  EXPECT_EQ(SendMessage(view, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), -1);
  EXPECT_EQ(info.flags, LVHT_NOWHERE);
}

TEST_F(ListViewTest, ClicksSelectWithShiftAndControlAndNotify) {
  HWND view = Make(0, LVS_EX_FULLROWSELECT);
  for (int i = 0; i < 6; ++i) AddRow(view, {"row", "1", "t"});
  const int header = HeaderHeight(view), row = ItemRect(view, 0, LVIR_BOUNDS).Height();
  ClearEvents();
  Click(view, 30, header + 1 * row + 3);
  EXPECT_EQ(Selected(view), std::vector<int>{1});
  EXPECT_EQ(SendMessage(view, LVM_GETNEXTITEM, -1, LVNI_FOCUSED), 1);
  Click(view, 30, header + 4 * row + 3, MK_SHIFT);
  EXPECT_EQ(Selected(view), (std::vector<int>{1, 2, 3, 4}));
  Click(view, 30, header + 2 * row + 3, MK_CONTROL);
  EXPECT_EQ(Selected(view), (std::vector<int>{1, 3, 4}));
  Click(view, 30, header + 5 * row + 3);
  EXPECT_EQ(Selected(view), std::vector<int>{5});
  Key(VK_UP);
  EXPECT_EQ(Selected(view), std::vector<int>{4});
  KeyWith(VK_SHIFT, VK_UP);
  EXPECT_EQ(Selected(view), (std::vector<int>{3, 4}));
  Click(view, 30, header + 5 * row + 3, 0, true);
  std::vector<UINT> codes = Codes(WM_NOTIFY);
  EXPECT_NE(std::find(codes.begin(), codes.end(), LVN_ITEMCHANGING), codes.end());
  EXPECT_NE(std::find(codes.begin(), codes.end(), LVN_ITEMCHANGED), codes.end());
  EXPECT_NE(std::find(codes.begin(), codes.end(), NM_CLICK), codes.end());
  EXPECT_NE(std::find(codes.begin(), codes.end(), NM_DBLCLK), codes.end());
  EXPECT_NE(std::find(codes.begin(), codes.end(), LVN_KEYDOWN), codes.end());

  // A parent that refuses the change keeps the selection.
  answer = [](UINT m, WPARAM, LPARAM l, LRESULT* r) {
    if (m != WM_NOTIFY || reinterpret_cast<NMHDR*>(l)->code != LVN_ITEMCHANGING) return false;
    *r = TRUE;
    return true;
  };
  Click(view, 30, header + 0 * row + 3);
  EXPECT_EQ(Selected(view), std::vector<int>{5});
}

TEST_F(ListViewTest, PressAndMoveAwayBeginsADragInsteadOfAClick) {
  HWND view = Make(0, LVS_EX_FULLROWSELECT);
  for (int i = 0; i < 3; ++i) AddRow(view, {"r", "1", "t"});
  const int y = HeaderHeight(view) + ItemRect(view, 0, LVIR_BOUNDS).Height() + 3;
  POINT from{30, y}, to{90, y + 40};
  ClientToScreen(view, &from);
  ClientToScreen(view, &to);
  ClearEvents();
  InputMouseMove(from);
  InputMouseButton(from, MouseButton::Left, true);
  InputMouseMove(to);
  InputMouseButton(to, MouseButton::Left, false);
  Pump();
  const std::vector<UINT> codes = Codes(WM_NOTIFY);
  EXPECT_NE(std::find(codes.begin(), codes.end(), LVN_BEGINDRAG), codes.end());
  EXPECT_EQ(std::find(codes.begin(), codes.end(), NM_CLICK), codes.end());
  EXPECT_EQ(Selected(view), std::vector<int>{1}) << "the pressed item is selected first";
}

TEST_F(ListViewTest, SingleSelectionKeepsOneItem) {
  HWND view = Make(LVS_SINGLESEL);
  for (int i = 0; i < 3; ++i) AddRow(view, {"r"});
  LVITEM state;
  state.state = state.stateMask = LVIS_SELECTED;
  SendMessage(view, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
  SendMessage(view, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
  EXPECT_EQ(Selected(view), std::vector<int>{2});
  EXPECT_EQ(SendMessage(view, LVM_GETSELECTEDCOUNT, 0, 0), 1);
}

TEST_F(ListViewTest, OwnerDataAsksTheParentForTexts) {
  std::vector<std::pair<int, int>> asked;
  answer = [&](UINT m, WPARAM, LPARAM l, LRESULT*) {
    if (m != WM_NOTIFY || reinterpret_cast<NMHDR*>(l)->code != LVN_GETDISPINFO) return false;
    auto* info = reinterpret_cast<NMLVDISPINFO*>(l);
    asked.push_back({info->item.iItem, info->item.iSubItem});
    const std::string text = "item " + std::to_string(info->item.iItem) + "." + std::to_string(info->item.iSubItem);
    snprintf(info->item.pszText, info->item.cchTextMax, "%s", text.c_str());
    return false;
  };
  HWND view = Make(LVS_OWNERDATA);
  SendMessage(view, LVM_SETITEMCOUNT, 100000, 0);
  EXPECT_EQ(SendMessage(view, LVM_GETITEMCOUNT, 0, 0), 100000);
  EXPECT_EQ(Text(view, 99999, 2), "item 99999.2");
  LVITEM insert;
  insert.mask = LVIF_TEXT;
  EXPECT_EQ(SendMessage(view, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)), -1) << "owner data has no items of its own";
  asked.clear();
  InvalidateRect(view, nullptr, TRUE);
  Pump();
  const int page = static_cast<int>(SendMessage(view, LVM_GETCOUNTPERPAGE, 0, 0));
  ASSERT_FALSE(asked.empty());
  for (auto [item, sub] : asked) EXPECT_LE(item, page) << "only the visible rows are asked for";
  LVITEM state;
  state.state = state.stateMask = LVIS_SELECTED;
  SendMessage(view, LVM_SETITEMSTATE, 5000, reinterpret_cast<LPARAM>(&state));
  EXPECT_EQ(SendMessage(view, LVM_GETNEXTITEM, -1, LVNI_SELECTED), 5000);
  SendMessage(view, LVM_SETITEMCOUNT, 10, 0);
  EXPECT_EQ(SendMessage(view, LVM_GETNEXTITEM, -1, LVNI_SELECTED), -1);
}

TEST_F(ListViewTest, DraggingAHeaderDividerResizesTheColumn) {
  HWND view = Make(0);
  AddRow(view, {"a", "1", "x"});
  HWND header = reinterpret_cast<HWND>(SendMessage(view, LVM_GETHEADER, 0, 0));
  HDHITTESTINFO hit;
  hit.pt = {99, 5};
  EXPECT_EQ(SendMessage(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0);
  EXPECT_EQ(hit.flags, HHT_ONDIVIDER);
  hit.pt = {50, 5};
  SendMessage(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  EXPECT_EQ(hit.flags, HHT_ONHEADER);

  ClearEvents();
  POINT from{100, 5}, to{140, 5};
  ClientToScreen(header, &from);
  ClientToScreen(header, &to);
  InputMouseMove(from);
  InputMouseButton(from, MouseButton::Left, true);
  Pump();
  InputMouseMove(to);
  Pump();
  InputMouseButton(to, MouseButton::Left, false);
  Pump();
  EXPECT_EQ(SendMessage(view, LVM_GETCOLUMNWIDTH, 0, 0), 140);
  RECT sub;
  sub.Top = 1;
  sub.Left = LVIR_BOUNDS;
  SendMessage(view, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&sub));
  EXPECT_EQ(sub.Left, 140) << "the next column moved";
  const std::vector<UINT> codes = Codes(WM_NOTIFY);
  auto at = [&](UINT code) { return std::find(codes.begin(), codes.end(), code) - codes.begin(); };
  EXPECT_LT(at(HDN_BEGINTRACK), at(HDN_TRACK));
  EXPECT_LT(at(HDN_TRACK), at(HDN_ENDTRACK));
  EXPECT_LT(at(HDN_ITEMCHANGING), at(HDN_ITEMCHANGED));
  EXPECT_LT(static_cast<size_t>(at(HDN_ENDTRACK)), codes.size());

  Click(header, 120, 5);
  const std::vector<UINT> after = Codes(WM_NOTIFY);
  EXPECT_NE(std::find(after.begin(), after.end(), LVN_COLUMNCLICK), after.end());
}

TEST_F(ListViewTest, HeaderAnswersLayoutAndDrawsOwnerDrawnSections) {
  HWND view = Make(0);
  HWND header = reinterpret_cast<HWND>(SendMessage(view, LVM_GETHEADER, 0, 0));
  RECT area{0, 0, 300, 200};
  WINDOWPOS pos;
  HDLAYOUT layout{&area, &pos};
  ASSERT_TRUE(SendMessage(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)));
  EXPECT_EQ(pos.cy, HeaderHeight(view));
  EXPECT_EQ(area.Top, pos.cy) << "the rest of the area is left below the header";
  HDITEM item;
  item.mask = HDI_FORMAT | HDI_LPARAM;
  item.fmt = HDF_OWNERDRAW;
  item.lParam = 55;
  SendMessage(header, HDM_SETITEM, 1, reinterpret_cast<LPARAM>(&item));
  std::vector<DRAWITEMSTRUCT> drawn;
  answer = [&](UINT m, WPARAM, LPARAM l, LRESULT* r) {
    if (m != WM_DRAWITEM) return false;
    drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(l));
    *r = TRUE;
    return true;
  };
  // The header asks the list view, which hands the request on to its own parent.
  InvalidateRect(header, nullptr, TRUE);
  Pump();
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].CtlType, ODT_HEADER);
  EXPECT_EQ(drawn[0].itemID, 1u);
  EXPECT_EQ(drawn[0].itemData, 55u);
  EXPECT_EQ(drawn[0].rcItem.Left, 100);
  EXPECT_EQ(drawn[0].rcItem.Right, 160);
}

TEST_F(ListViewTest, LabelEditingCommitsWithEnterAndDropsWithEscape) {
  HWND view = Make(LVS_EDITLABELS);
  AddRow(view, {"old", "1", "x"});
  std::string ended = "-";
  answer = [&](UINT m, WPARAM, LPARAM l, LRESULT* r) {
    if (m != WM_NOTIFY || reinterpret_cast<NMHDR*>(l)->code != LVN_ENDLABELEDIT) return false;
    auto* info = reinterpret_cast<NMLVDISPINFO*>(l);
    ended = info->item.pszText ? info->item.pszText : "(cancelled)";
    *r = TRUE;
    return true;
  };
  HWND edit = reinterpret_cast<HWND>(SendMessage(view, LVM_EDITLABEL, 0, 0));
  if (!edit) GTEST_SKIP() << "no EDIT class registered";
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(view, LVM_GETEDITCONTROL, 0, 0)), edit);
  EXPECT_EQ(GetFocus(), edit);
  SetWindowText(edit, "new");
  Key(VK_RETURN);
  EXPECT_EQ(ended, "new");
  EXPECT_EQ(Text(view, 0, 0), "new");
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(GetFocus(), view);

  edit = reinterpret_cast<HWND>(SendMessage(view, LVM_EDITLABEL, 0, 0));
  ASSERT_TRUE(edit);
  SetWindowText(edit, "other");
  Key(VK_ESCAPE);
  EXPECT_EQ(ended, "(cancelled)");
  EXPECT_EQ(Text(view, 0, 0), "new");

  // A parent that refuses to begin keeps the label as it is.
  answer = [](UINT m, WPARAM, LPARAM l, LRESULT* r) {
    if (m != WM_NOTIFY || reinterpret_cast<NMHDR*>(l)->code != LVN_BEGINLABELEDIT) return false;
    *r = TRUE;
    return true;
  };
  EXPECT_EQ(SendMessage(view, LVM_EDITLABEL, 0, 0), 0);
}

TEST_F(ListViewTest, CustomDrawAsksForEachVisibleItemAndTakesItsColours) {
  HWND view = Make(0);
  for (int i = 0; i < 3; ++i) AddRow(view, {"WWWWWW", "1", "x"});
  std::vector<DWORD> stages;
  std::vector<DWORD_PTR> items;
  answer = [&](UINT m, WPARAM, LPARAM l, LRESULT* r) {
    if (m != WM_NOTIFY || reinterpret_cast<NMHDR*>(l)->code != NM_CUSTOMDRAW) return false;
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(l);
    stages.push_back(draw->nmcd.dwDrawStage);
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) *r = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
      items.push_back(draw->nmcd.dwItemSpec);
      if (draw->nmcd.dwItemSpec == 1) draw->clrText = RGB(255, 0, 0);
      *r = draw->nmcd.dwItemSpec == 2 ? CDRF_SKIPDEFAULT : CDRF_DODEFAULT;
    } else {
      *r = CDRF_DODEFAULT;
    }
    return true;
  };
  InvalidateRect(view, nullptr, TRUE);
  Pump();
  ASSERT_FALSE(stages.empty());
  EXPECT_EQ(stages.front(), CDDS_PREPAINT);
  EXPECT_EQ(stages.back(), CDDS_POSTPAINT);
  EXPECT_EQ(items, (std::vector<DWORD_PTR>{0, 1, 2}));
  // Item 1 is drawn in the colour the parent chose; item 2 not at all.
  PixelSurface surface;
  ASSERT_TRUE(GetWindowSurface(parent, &surface));
  auto countRed = [&](int item) {
    RECT label = ItemRect(view, item, LVIR_LABEL);
    POINT origin{label.Left, label.Top};
    MapWindowPoints(view, parent, &origin, 1);
    int red = 0;
    for (int y = 0; y < label.Height(); ++y)
      for (int x = 0; x < 60; ++x) {
        const uint32_t p = surface.Row32(origin.Y + y)[origin.X + x];
        red += ((p >> 16) & 0xFF) > 150 && (p & 0xFF) < 100 && ((p >> 8) & 0xFF) < 100;
      }
    return red;
  };
  auto countDark = [&](int item) {
    RECT label = ItemRect(view, item, LVIR_LABEL);
    POINT origin{label.Left, label.Top};
    MapWindowPoints(view, parent, &origin, 1);
    int dark = 0;
    for (int y = 0; y < label.Height(); ++y)
      for (int x = 0; x < 60; ++x) dark += (surface.Row32(origin.Y + y)[origin.X + x] & 0xFFFFFF) < 0x404040;
    return dark;
  };
  EXPECT_GT(countRed(1), 10);
  EXPECT_EQ(countRed(0), 0);
  EXPECT_GT(countDark(0), 10);
  EXPECT_EQ(countDark(2), 0);
}

TEST_F(ListViewTest, InfoTipShowsWhatTheParentAnswersWhenTheMouseRests) {
  HWND view = Make(0, LVS_EX_INFOTIP | LVS_EX_FULLROWSELECT);
  for (int i = 0; i < 3; ++i) AddRow(view, {"clip", "1", "x"});
  std::vector<int> asked;
  answer = [&](UINT m, WPARAM, LPARAM l, LRESULT*) {
    if (m != WM_NOTIFY || reinterpret_cast<NMHDR*>(l)->code != LVN_GETINFOTIP) return false;
    auto* tip = reinterpret_cast<NMLVGETINFOTIP*>(l);
    asked.push_back(tip->iItem);
    if (tip->iItem == 1) snprintf(tip->pszText, tip->cchTextMax, "1 minute, 720 x 576");
    return false;
  };
  const int header = HeaderHeight(view), row = ItemRect(view, 0, LVIR_BOUNDS).Height();
  auto RestAt = [&](int x, int y) {
    POINT p{x, y};
    ClientToScreen(view, &p);
    InputMouseMove(p);
    Pump();
    clock.Advance(1000);
    Pump();
  };
  RestAt(30, header + row + 3);
  EXPECT_EQ(asked, std::vector<int>{1});
  HWND tip = FindWindow("ListInfoTip", nullptr);
  ASSERT_TRUE(tip);
  EXPECT_TRUE(IsWindowVisible(tip));
  char text[64] = {};
  GetWindowText(tip, text, sizeof text);
  EXPECT_STREQ(text, "1 minute, 720 x 576");
  EXPECT_EQ(GetActiveWindow(), parent) << "the tip never takes activation";
  RestAt(30, header + 2 * row + 3);
  EXPECT_EQ(asked, (std::vector<int>{1, 2}));
  EXPECT_FALSE(IsWindowVisible(tip)) << "an empty answer shows nothing";
  RestAt(30, header + row + 3);
  EXPECT_TRUE(IsWindowVisible(tip));
  RestAt(380, 280);
  EXPECT_FALSE(IsWindowVisible(tip)) << "leaving the list view hides the tip";
}

TEST_F(ListViewTest, Screenshot) {
  HWND view = Make(LVS_SHOWSELALWAYS, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  const char* rows[][3] = {{"holiday.avi", "120 MB", "AVI video"}, {"talk.mp4", "48 MB", "MPEG-4 video"},
                           {"song.mp3", "4 MB", "MP3 audio"}, {"clip with a very long name.mov", "9 MB", "QuickTime"}};
  for (auto& r : rows) AddRow(view, {r[0], r[1], r[2]});
  LVITEM state;
  state.state = state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessage(view, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
  HWND header = reinterpret_cast<HWND>(SendMessage(view, LVM_GETHEADER, 0, 0));
  HDITEM sort;
  sort.mask = HDI_FORMAT;
  sort.fmt = HDF_STRING | HDF_SORTUP;
  SendMessage(header, HDM_SETITEM, 0, reinterpret_cast<LPARAM>(&sort));
  // Small images: a blue square, a green one.
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32, 2, 1);
  for (uint32_t colour : {0xFF2050D0u, 0xFF20A040u}) {
    PixelImage image;
    image.width = image.height = 16;
    image.pixels.assign(256, 0);
    for (int y = 3; y < 13; ++y)
      for (int x = 3; x < 13; ++x) image.pixels[y * 16 + x] = colour;
    image.hasAlpha = true;
    HBITMAP bitmap = BitmapFromImage(image);
    ImageList_Add(images, bitmap, nullptr);
    DeleteObject(bitmap);
  }
  SendMessage(view, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
  LVITEM image;
  image.mask = LVIF_IMAGE;
  for (int i = 0; i < 4; ++i) {
    image.iItem = i;
    image.iImage = i % 2;
    SendMessage(view, LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&image));
  }
  SetFocus(view);
  Pump();
  SaveScreenshot(parent, "listview");
  DestroyWindow(view);
  ImageList_Destroy(images);
}

}  // namespace

// An item's overlay state (one based, 0 none) draws that overlay over its image, whether stored
// with the item or answered with a callback image; an overlay without an image draws nothing.
TEST_F(ListViewTest, OverlaysDrawOverTheItemImage) {
  HWND view = Make(0);
  for (const char* name : {"stored.lnk", "plain.avi", "unset.avi", "answered.lnk"}) AddRow(view, {name});
  HIMAGELIST images = ImagesWithOverlay();
  EXPECT_FALSE(ImageList_SetOverlayImage(images, 1, 0));
  EXPECT_FALSE(ImageList_SetOverlayImage(images, 1, 16));
  EXPECT_FALSE(ImageList_SetOverlayImage(images, 2, 3)) << "no such image";
  SendMessage(view, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
  LVITEM item;
  item.mask = LVIF_IMAGE | LVIF_STATE;
  item.stateMask = LVIS_OVERLAYMASK;
  const struct {
    int image;
    UINT overlay;
  } rows[] = {{0, 2}, {0, 0}, {0, 3}, {I_IMAGECALLBACK, 0}};
  for (int i = 0; i < 4; ++i) {
    item.iItem = i;
    item.iImage = rows[i].image;
    item.state = INDEXTOOVERLAYMASK(rows[i].overlay);
    SendMessage(view, LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
  }
  answer = [](UINT m, WPARAM, LPARAM l, LRESULT*) {
    if (m != WM_NOTIFY || reinterpret_cast<NMHDR*>(l)->code != LVN_GETDISPINFO) return false;
    LVITEM& asked = reinterpret_cast<NMLVDISPINFO*>(l)->item;
    if (asked.mask & LVIF_IMAGE) {
      asked.iImage = 0;
      asked.mask |= LVIF_STATE;
      asked.state = INDEXTOOVERLAYMASK(2);
      asked.stateMask = LVIS_OVERLAYMASK;
    }
    return true;
  };
  const COLORREF corner[] = {kOverlayMarkColour, kOverlayImageColour, kOverlayImageColour, kOverlayMarkColour};
  for (int i = 0; i < 4; ++i) {
    const RECT icon = ItemRect(view, i, LVIR_ICON);
    const int top = icon.Top + (icon.Height() - 12) / 2;
    EXPECT_EQ(PrintedPixel(view, icon.Left + 1, top + 10), corner[i]) << i;
    EXPECT_EQ(PrintedPixel(view, icon.Left + 10, top + 1), kOverlayImageColour) << i;
  }
  DestroyWindow(view);
  ImageList_Destroy(images);
}

TEST_F(ListViewTest, CheckBoxesOwnerDrawnRowsAndCacheHints) {
  std::vector<std::pair<int, int>> hints;
  std::vector<UINT> drawn;
  answer = [&](UINT m, WPARAM, LPARAM l, LRESULT*) {
    if (m == WM_DRAWITEM) drawn.push_back(reinterpret_cast<DRAWITEMSTRUCT*>(l)->itemID);
    if (m == WM_NOTIFY && reinterpret_cast<NMHDR*>(l)->code == LVN_ODCACHEHINT) {
      auto* hint = reinterpret_cast<NMLVCACHEHINT*>(l);
      hints.push_back({hint->iFrom, hint->iTo});
    }
    return false;
  };
  // A click on a row's check box ticks it and leaves the selection alone; a second clears it.
  HWND checks = Make(0, LVS_EX_CHECKBOXES);
  AddRow(checks, {"a.avi"});
  AddRow(checks, {"b.avi"});
  const RECT icon = ItemRect(checks, 1, LVIR_ICON);
  Click(checks, icon.Left - 8, (icon.Top + icon.Bottom) / 2);
  EXPECT_EQ(SendMessage(checks, LVM_GETITEMSTATE, 1, LVIS_STATEIMAGEMASK), LPARAM{2 << 12});
  EXPECT_TRUE(Selected(checks).empty());
  LVHITTESTINFO hit;
  hit.pt = {icon.Left - 8, (icon.Top + icon.Bottom) / 2};
  SendMessage(checks, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  EXPECT_EQ(hit.flags, LVHT_ONITEMSTATEICON);
  Click(checks, icon.Left - 8, (icon.Top + icon.Bottom) / 2);
  EXPECT_EQ(SendMessage(checks, LVM_GETITEMSTATE, 1, LVIS_STATEIMAGEMASK), LPARAM{1 << 12});

  // Owner-drawn rows go to the parent whole, one request per visible row.
  HWND drawnView = Make(LVS_OWNERDRAWFIXED);
  AddRow(drawnView, {"one"});
  AddRow(drawnView, {"two"});
  drawn.clear();
  InvalidateRect(drawnView, nullptr, TRUE);
  Pump();
  EXPECT_EQ(drawn, (std::vector<UINT>{0, 1}));

  // Owner data: the visible rows are announced before they are asked for.
  HWND data = Make(LVS_OWNERDATA);
  SendMessage(data, LVM_SETITEMCOUNT, 1000, 0);
  SendMessage(data, LVM_SCROLL, 0, 10 * (ItemRect(data, 0, LVIR_BOUNDS).Bottom - ItemRect(data, 0, LVIR_BOUNDS).Top));
  hints.clear();
  InvalidateRect(data, nullptr, TRUE);
  Pump();
  ASSERT_FALSE(hints.empty());
  EXPECT_EQ(hints.back().first, 10);
  EXPECT_GT(hints.back().second, 10);

  EXPECT_EQ(SendMessage(data, LVM_GETHOVERTIME, 0, 0), -1);
  SendMessage(data, LVM_SETHOVERTIME, 0, 250);
  EXPECT_EQ(SendMessage(data, LVM_GETHOVERTIME, 0, 0), 250);
  // An order past the last section comes back as it is.
  HWND header = reinterpret_cast<HWND>(SendMessage(data, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(SendMessage(header, HDM_ORDERTOINDEX, 3, 0), 3);
}

// Without check boxes a state image list fills the state column: each row's state index (0 none)
// picks the image, the mouse finds it there, and a click on it only selects.
TEST_F(ListViewTest, StateImagesFillTheStateColumn) {
  HWND view = Make(0);
  AddRow(view, {"marked.avi"});
  AddRow(view, {"plain.avi"});
  const RECT before = ItemRect(view, 1, LVIR_ICON);
  HIMAGELIST states = SquareImages({0xFFFF0000u, 0xFF20A040u});
  SendMessage(view, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(states));
  LVITEM state;
  state.state = 1U << 12;
  state.stateMask = LVIS_STATEIMAGEMASK;
  SendMessage(view, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
  const RECT icon = ItemRect(view, 1, LVIR_ICON);
  EXPECT_EQ(icon.Left - before.Left, 12) << "every row makes room for a state image";

  const int stateX = icon.Left - 6;
  const RECT first = ItemRect(view, 0, LVIR_ICON);
  EXPECT_EQ(PrintedPixel(view, stateX, (first.Top + first.Bottom) / 2), RGB(0x20, 0xA0, 0x40));
  EXPECT_EQ(PrintedPixel(view, stateX, (icon.Top + icon.Bottom) / 2), GetSysColor(COLOR_WINDOW));
  LVHITTESTINFO hit;
  hit.pt = {stateX, (icon.Top + icon.Bottom) / 2};
  EXPECT_EQ(SendMessage(view, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
  EXPECT_EQ(hit.flags, LVHT_ONITEMSTATEICON);
  Click(view, hit.pt.X, hit.pt.Y);
  EXPECT_EQ(SendMessage(view, LVM_GETITEMSTATE, 1, LVIS_STATEIMAGEMASK | LVIS_SELECTED), LPARAM{LVIS_SELECTED});
  DestroyWindow(view);
  ImageList_Destroy(states);
}
