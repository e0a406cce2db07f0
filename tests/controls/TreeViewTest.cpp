#include <map>
#include <string>

#include "ListControlsSupport.h"
#include "controls/ImageList.h"
#include "controls/TreeView.h"

namespace {

class TreeViewTest : public ListControlsTest {
 public:
  HWND Make(DWORD style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT) {
    return Child(WC_TREEVIEW, style | WS_BORDER, {10, 10, 250, 200});
  }
  HTREEITEM Add(HWND tree, HTREEITEM parent, const char* text, int children = 0, HTREEITEM after = TVI_LAST) {
    TVINSERTSTRUCT insert;
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_CHILDREN;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.cChildren = children;
    return reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
  }
  std::string Text(HWND tree, HTREEITEM item) {
    char buffer[128] = {};
    TVITEM i;
    i.mask = TVIF_TEXT;
    i.hItem = item;
    i.pszText = buffer;
    i.cchTextMax = sizeof buffer;
    SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&i));
    return buffer;
  }
  HTREEITEM Next(HWND tree, HTREEITEM item, UINT flag) {
    return reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, flag, reinterpret_cast<LPARAM>(item)));
  }
  std::string Selected(HWND tree) { return Text(tree, Next(tree, nullptr, TVGN_CARET)); }
  UINT State(HWND tree, HTREEITEM item) {
    TVITEM i;
    i.mask = TVIF_STATE;
    i.hItem = item;
    i.stateMask = 0xFFFF;
    SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&i));
    return i.state;
  }
  int Count(UINT code) {
    const std::vector<UINT> codes = Codes(WM_NOTIFY);
    return static_cast<int>(std::count(codes.begin(), codes.end(), code));
  }
};

// A folder tree that fills a folder only when it is opened, as the shell tree does.
TEST_F(TreeViewTest, ChildrenOnDemandWhenExpanded) {
  std::map<std::string, std::vector<std::string>> folders = {
      {"C:", {"Program Files", "Users"}}, {"Users", {"anna", "ben"}}, {"Program Files", {}}};
  HWND tree = nullptr;
  answer = [&](UINT m, WPARAM, LPARAM l, LRESULT* r) {
    if (m != WM_NOTIFY) return false;
    auto* header = reinterpret_cast<NMHDR*>(l);
    if (header->code == TVN_GETDISPINFO) {
      auto* info = reinterpret_cast<NMTVDISPINFO*>(l);
      if (info->item.mask & TVIF_CHILDREN) {
        const std::string name = Text(tree, info->item.hItem);
        info->item.cChildren = folders.count(name) && !folders[name].empty() ? 1 : 0;
      }
      return false;
    }
    if (header->code == TVN_ITEMEXPANDING) {
      auto* change = reinterpret_cast<NMTREEVIEW*>(l);
      if (change->action == TVE_EXPAND && !Next(tree, change->itemNew.hItem, TVGN_CHILD))
        for (const std::string& kid : folders[Text(tree, change->itemNew.hItem)])
          Add(tree, change->itemNew.hItem, kid.c_str(), I_CHILDRENCALLBACK);
      *r = FALSE;
      return true;
    }
    return false;
  };
  tree = Make();
  HTREEITEM drive = Add(tree, TVI_ROOT, "C:", I_CHILDRENCALLBACK);
  EXPECT_EQ(Next(tree, drive, TVGN_CHILD), nullptr);
  ASSERT_TRUE(SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(drive)));
  HTREEITEM programs = Next(tree, drive, TVGN_CHILD);
  ASSERT_TRUE(programs);
  EXPECT_EQ(Text(tree, programs), "Program Files");
  EXPECT_EQ(Text(tree, Next(tree, programs, TVGN_NEXT)), "Users");
  EXPECT_TRUE(State(tree, drive) & TVIS_EXPANDED);
  EXPECT_TRUE(State(tree, drive) & TVIS_EXPANDEDONCE);
  EXPECT_EQ(Count(TVN_ITEMEXPANDING), 1);
  EXPECT_EQ(Count(TVN_ITEMEXPANDED), 1);
  EXPECT_FALSE(SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(programs))) << "an empty folder does not open";

  SendMessage(tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(drive));
  ClearEvents();
  SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(drive));
  EXPECT_EQ(Count(TVN_ITEMEXPANDING), 0) << "a program's second expand is not announced";

  // The user's click on the button is announced every time.
  RECT r;
  ASSERT_TRUE(TreeView_GetItemRect(tree, drive, &r, TRUE));
  const int buttonX = r.Left - 3 - 19 / 2;  // the middle of the indent before the item
  ClearEvents();
  Click(tree, buttonX, r.Top + r.Height() / 2);
  EXPECT_FALSE(State(tree, drive) & TVIS_EXPANDED);
  EXPECT_EQ(Count(TVN_ITEMEXPANDING), 1);
  Click(tree, buttonX, r.Top + r.Height() / 2);
  EXPECT_TRUE(State(tree, drive) & TVIS_EXPANDED);

  SendMessage(tree, TVM_EXPAND, TVE_COLLAPSE | TVE_COLLAPSERESET, reinterpret_cast<LPARAM>(drive));
  EXPECT_EQ(Next(tree, drive, TVGN_CHILD), nullptr) << "a reset collapse drops the children";
  EXPECT_FALSE(State(tree, drive) & TVIS_EXPANDEDONCE);
}

TEST_F(TreeViewTest, KeyboardNavigation) {
  HWND tree = Make();
  HTREEITEM a = Add(tree, TVI_ROOT, "a");
  HTREEITEM a1 = Add(tree, a, "a1");
  Add(tree, a1, "a1x");
  Add(tree, a, "a2");
  Add(tree, TVI_ROOT, "b");
  SetFocus(tree);
  SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(a));
  struct Step {
    UINT key;
    const char* selected;
  };
  const Step steps[] = {
      {VK_DOWN, "b"},   {VK_UP, "a"},    {VK_RIGHT, "a"},  {VK_RIGHT, "a1"}, {VK_DOWN, "a2"}, {VK_UP, "a1"},
      {VK_RIGHT, "a1"}, {VK_DOWN, "a1x"}, {VK_LEFT, "a1"}, {VK_LEFT, "a1"},  {VK_DOWN, "a2"}, {VK_END, "b"},
      {VK_HOME, "a"},   {VK_LEFT, "a"},  {VK_DOWN, "b"},
  };
  for (const Step& s : steps) {
    Key(s.key);
    EXPECT_EQ(Selected(tree), s.selected) << "after key " << s.key;
  }
  EXPECT_GT(Count(TVN_SELCHANGED), 5);
  EXPECT_EQ(Count(TVN_KEYDOWN), static_cast<int>(std::size(steps)));
}

TEST_F(TreeViewTest, TypedCharactersSelectTheNextMatchingVisibleItem) {
  HWND tree = Make();
  HTREEITEM music = Add(tree, TVI_ROOT, "Music");
  Add(tree, TVI_ROOT, "Videos");
  Add(tree, TVI_ROOT, "Video clips");
  HTREEITEM docs = Add(tree, TVI_ROOT, "Documents");
  Add(tree, docs, "Vault");  // not visible: its parent is closed
  SetFocus(tree);
  SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(music));
  struct Step {
    char typed;
    uint64_t pause;
    const char* selected;
  };
  const Step steps[] = {
      {'v', 0, "Videos"}, {'i', 100, "Videos"}, {'d', 100, "Videos"}, {'e', 100, "Videos"}, {'o', 100, "Videos"},
      {' ', 100, "Video clips"},  // "video " only matches the clips
      {'v', 2000, "Videos"},      // a long pause starts again, past the current item
      {'x', 100, "Videos"},       // no match keeps the selection
      {'m', 2000, "Music"},
  };
  for (const Step& s : steps) {
    clock.Advance(s.pause);
    Type(std::string(1, s.typed));
    EXPECT_EQ(Selected(tree), s.selected) << "after " << s.typed;
  }
}

TEST_F(TreeViewTest, InsertOrderSortAndDeleteMoveTheSelection) {
  HWND tree = Make();
  Add(tree, TVI_ROOT, "m");
  HTREEITEM first = Add(tree, TVI_ROOT, "z", 0, TVI_FIRST);
  Add(tree, TVI_ROOT, "c", 0, TVI_SORT);
  HTREEITEM root = Next(tree, nullptr, TVGN_ROOT);
  EXPECT_EQ(Text(tree, root), "c") << "sorted in before the first item that follows it";
  EXPECT_EQ(Next(tree, root, TVGN_NEXT), first);
  SendMessage(tree, TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  root = Next(tree, nullptr, TVGN_ROOT);
  EXPECT_EQ(Text(tree, root), "c");
  HTREEITEM middle = Next(tree, root, TVGN_NEXT);
  SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(middle));
  ClearEvents();
  SendMessage(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(middle));
  EXPECT_EQ(Selected(tree), "z");
  EXPECT_EQ(Count(TVN_DELETEITEM), 1);
  EXPECT_EQ(SendMessage(tree, TVM_GETCOUNT, 0, 0), 2);
  EXPECT_FALSE(SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(middle))) << "a deleted handle names nothing";
  SendMessage(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  EXPECT_EQ(SendMessage(tree, TVM_GETCOUNT, 0, 0), 0);
}

TEST_F(TreeViewTest, HitTestAndLabelEditing) {
  HWND tree = Make(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS);
  HTREEITEM a = Add(tree, TVI_ROOT, "alpha");
  HTREEITEM b = Add(tree, TVI_ROOT, "beta");
  RECT r;
  ASSERT_TRUE(TreeView_GetItemRect(tree, b, &r, TRUE));
  TVHITTESTINFO hit;
  hit.pt = {r.Left + 3, r.Top + 2};
  EXPECT_EQ(reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))), b);
  EXPECT_EQ(hit.flags, TVHT_ONITEMLABEL);
  hit.pt = {r.Right + 20, r.Top + 2};
  SendMessage(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  EXPECT_EQ(hit.flags, TVHT_ONITEMRIGHT);
  hit.pt = {5, 150};
  EXPECT_EQ(SendMessage(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0);
  EXPECT_EQ(hit.flags, TVHT_NOWHERE);
  Click(tree, r.Left + 3, r.Top + 2);
  EXPECT_EQ(Selected(tree), "beta");

  answer = [](UINT m, WPARAM, LPARAM l, LRESULT* result) {
    if (m != WM_NOTIFY || reinterpret_cast<NMHDR*>(l)->code != TVN_ENDLABELEDIT) return false;
    *result = reinterpret_cast<NMTVDISPINFO*>(l)->item.pszText != nullptr;
    return true;
  };
  HWND edit = reinterpret_cast<HWND>(SendMessage(tree, TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(a)));
  if (!edit) GTEST_SKIP() << "no EDIT class registered";
  SetWindowText(edit, "gamma");
  Key(VK_RETURN);
  EXPECT_EQ(Text(tree, a), "gamma");
  edit = reinterpret_cast<HWND>(SendMessage(tree, TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(a)));
  SetWindowText(edit, "delta");
  Key(VK_ESCAPE);
  EXPECT_EQ(Text(tree, a), "gamma");
}

// A state image list puts each item's state image (its index in the state bits, 0 none) left of
// its image, on every row, and the mouse finds it there.
TEST_F(TreeViewTest, StateImagesLeftOfTheImage) {
  HWND tree = Make(TVS_HASLINES);
  HTREEITEM ticked = Add(tree, TVI_ROOT, "ticked");
  HTREEITEM plain = Add(tree, TVI_ROOT, "plain");
  HIMAGELIST images = SquareImages({0xFF2050D0u});
  HIMAGELIST states = SquareImages({0xFFFF0000u, 0xFF20A040u});
  SendMessage(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
  RECT before;
  TreeView_GetItemRect(tree, plain, &before, TRUE);
  EXPECT_EQ(SendMessage(tree, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(states)), 0);
  EXPECT_EQ(SendMessage(tree, TVM_GETIMAGELIST, TVSIL_STATE, 0), reinterpret_cast<LRESULT>(states));
  EXPECT_EQ(SendMessage(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0), reinterpret_cast<LRESULT>(images));
  TVITEM item;
  item.mask = TVIF_STATE;
  item.hItem = ticked;
  item.state = 1U << 12;
  item.stateMask = TVIS_STATEIMAGEMASK;
  SendMessage(tree, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(State(tree, ticked) & TVIS_STATEIMAGEMASK, 1U << 12);

  RECT text;
  ASSERT_TRUE(TreeView_GetItemRect(tree, plain, &text, TRUE));
  EXPECT_EQ(text.Left - before.Left, 12) << "every row makes room for a state image";
  const int middle = (text.Top + text.Bottom) / 2;
  const int imageLeft = text.Left - 3 - 12, stateLeft = imageLeft - 12;
  struct {
    int x;
    UINT flags;
  } const hits[] = {{stateLeft + 1, TVHT_ONITEMSTATEICON}, {stateLeft + 11, TVHT_ONITEMSTATEICON},
                    {imageLeft + 1, TVHT_ONITEMICON}, {text.Left + 2, TVHT_ONITEMLABEL}, {stateLeft - 1, TVHT_ONITEMINDENT}};
  for (const auto& h : hits) {
    TVHITTESTINFO hit;
    hit.pt = {h.x, middle};
    EXPECT_EQ(reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))), plain) << h.x;
    EXPECT_EQ(hit.flags, h.flags) << h.x;
  }
  Click(tree, stateLeft + 4, middle);
  EXPECT_EQ(Selected(tree), "plain") << "a click on the state image selects the item";

  // Drawn: image 1 of the state list on the ticked row, nothing on the plain one.
  RECT first;
  TreeView_GetItemRect(tree, ticked, &first, TRUE);
  const int firstMiddle = (first.Top + first.Bottom) / 2;
  EXPECT_EQ(PrintedPixel(tree, stateLeft + 6, firstMiddle), RGB(0x20, 0xA0, 0x40));
  EXPECT_EQ(PrintedPixel(tree, imageLeft + 6, firstMiddle), RGB(0x20, 0x50, 0xD0));
  EXPECT_EQ(PrintedPixel(tree, stateLeft + 6, middle), GetSysColor(COLOR_WINDOW));
  DestroyWindow(tree);
  ImageList_Destroy(states);
  ImageList_Destroy(images);
}

// A node's overlay state (one based, 0 none) draws that overlay over its image.
TEST_F(TreeViewTest, OverlaysDrawOverTheNodeImage) {
  HWND tree = Make(TVS_HASLINES);
  HTREEITEM linked = Add(tree, TVI_ROOT, "linked");
  HTREEITEM plain = Add(tree, TVI_ROOT, "plain");
  HIMAGELIST images = ImagesWithOverlay();
  SendMessage(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
  TVITEM item;
  item.mask = TVIF_STATE;
  item.hItem = linked;
  item.state = INDEXTOOVERLAYMASK(2);
  item.stateMask = TVIS_OVERLAYMASK;
  SendMessage(tree, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
  for (HTREEITEM node : {linked, plain}) {
    RECT text;
    ASSERT_TRUE(TreeView_GetItemRect(tree, node, &text, TRUE));
    const int left = text.Left - 3 - 12, top = (text.Top + text.Bottom) / 2 - 6;
    EXPECT_EQ(PrintedPixel(tree, left + 1, top + 10), node == linked ? kOverlayMarkColour : kOverlayImageColour);
    EXPECT_EQ(PrintedPixel(tree, left + 10, top + 1), kOverlayImageColour);
  }
  DestroyWindow(tree);
  ImageList_Destroy(images);
}

TEST_F(TreeViewTest, InfoTipAsksTheParentForTheItemUnderTheMouse) {
  HWND tree = Make(TVS_HASLINES | TVS_INFOTIP);
  HTREEITEM item = Add(tree, TVI_ROOT, "Videos");
  HTREEITEM asked = nullptr;
  answer = [&](UINT m, WPARAM, LPARAM l, LRESULT*) {
    if (m != WM_NOTIFY || reinterpret_cast<NMHDR*>(l)->code != TVN_GETINFOTIP) return false;
    auto* tip = reinterpret_cast<NMTVGETINFOTIP*>(l);
    asked = tip->hItem;
    snprintf(tip->pszText, tip->cchTextMax, "12 files");
    return false;
  };
  RECT r;
  ASSERT_TRUE(TreeView_GetItemRect(tree, item, &r, TRUE));
  POINT p{r.Left + 5, r.Top + 3};
  ClientToScreen(tree, &p);
  InputMouseMove(p);
  Pump();
  clock.Advance(1000);
  Pump();
  EXPECT_EQ(asked, item);
  HWND tip = FindWindow("ListInfoTip", nullptr);
  ASSERT_TRUE(tip);
  EXPECT_TRUE(IsWindowVisible(tip));
  SendMessage(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
  EXPECT_FALSE(IsWindowVisible(tip)) << "the tip of a deleted item goes with it";
}

TEST_F(TreeViewTest, Screenshot) {
  HWND tree = Make(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS);
  HTREEITEM desktop = Add(tree, TVI_ROOT, "Desktop");
  HTREEITEM home = Add(tree, desktop, "Home");
  Add(tree, home, "Videos", 1);
  HTREEITEM music = Add(tree, home, "Music");
  Add(tree, music, "Albums");
  Add(tree, desktop, "Media");
  Add(tree, TVI_ROOT, "Network", 1);
  SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(desktop));
  SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(home));
  SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(music));
  SetFocus(tree);
  Pump();
  SaveScreenshot(parent, "treeview");
}

}  // namespace
