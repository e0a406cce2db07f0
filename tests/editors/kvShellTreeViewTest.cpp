// The published shell folder tree: its Path, its root and a picture of it.

#include <sys/stat.h>

#include "EditorsTestSupport.h"
#include "ShellScratchHome.h"
#include "backend/ScriptedInput.h"
#include "rtl/FileUtils.h"
#include "toolkit/editors/kvShellTreeView.h"
#include "vcl/ImgList.h"

namespace {

// Counts the tree's selection changes.
class TChangeCounter : public TObject {
 public:
  Integer changes = 0;
  void Changed(TObject*, TTreeNode*) { ++changes; }
};

class ShellTreeView : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    scratch = std::make_unique<ScratchHome>(
        std::initializer_list<const char*>{"Videos/Holidays/2019", "Videos/Holidays/2020", "Videos/private",
                                           "Music", "Documents/Letters", "Pictures"},
        std::initializer_list<std::pair<const char*, std::string>>{{"Videos/.hidden", "private\n"},
                                                                   {"Videos/clip.mp4", "x"}});
    home = scratch->home;
    view = new TkvShellTreeView(form);
    view->GetOptions()->SetShowNonFolders(false);
    view->GetRoot()->SetBrowseFolder(bfProfile);
    view->SetBounds(10, 10, 260, 240);
  }
  void TearDown() override {
    delete view;
    scratch.reset();
    EditorsTest::TearDown();
  }
  void ShowView() {
    view->SetParent(form);
    form->Show();
    Pump();
  }
  std::unique_ptr<ScratchHome> scratch;
  String home;
  TkvShellTreeView* view = nullptr;
};

TEST_F(ShellTreeView, PathWrittenBeforeTheWindowIsAppliedWhenItComes) {
  view->SetPath(home + "/Videos/Holidays");
  ShowView();
  EXPECT_EQ(view->GetPath(), home + "/Videos/Holidays");
}

TEST_F(ShellTreeView, PathSelectsFoldersBelowTheRootOnly) {
  ShowView();
  TChangeCounter counter;
  view->SetOnChange(MakeEvent<&TChangeCounter::Changed>(&counter));
  view->SetPath(home + "/Documents/Letters");
  EXPECT_EQ(view->GetPath(), home + "/Documents/Letters");
  const Integer after = counter.changes;
  EXPECT_GT(after, 0);
  view->SetPath(home + "/Documents/Letters");  // the same path again does nothing
  EXPECT_EQ(counter.changes, after);
  view->SetOnChange({});
  view->SetPath("/");  // outside the root
  view->SetPath(home + "/Nowhere");
  EXPECT_EQ(view->GetPath(), home + "/Documents/Letters");
  // A hidden folder parses, but the tree shows no node for it: the way stops at its parent.
  view->SetPath(home + "/Videos/private");
  EXPECT_EQ(view->GetPath(), home + "/Videos");
}

TEST_F(ShellTreeView, AssignedRootsAndOptionsStayTheCallers) {
  ShowView();
  TkvShellTreeRoot mine(nullptr, nullptr);
  mine.SetBrowseFolder(bfCustomPath);
  mine.SetCustomPath(home + "/Videos");
  view->SetRoot(&mine);
  EXPECT_NE(view->GetRoot(), &mine);
  EXPECT_EQ(view->GetRoot()->GetParsingPath(), home + "/Videos");
  TTreeNode* first = view->GetInnerTree()->GetItems()->GetFirstNode();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetText(), "Videos");
  TkvShellTreeViewOptions options(nullptr);
  options.SetShowNonFolders(true);
  view->SetOptions(&options);
  EXPECT_TRUE(view->GetOptions()->GetShowNonFolders());
  first = view->GetInnerTree()->GetItems()->GetFirstNode();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetCount(), 2);  // Holidays and clip.mp4
}

TEST_F(ShellTreeView, ChangeDelayReportsWhereTheSelectionStops) {
  view->SetChangeDelay(300);
  ShowView();
  TChangeCounter counter;
  view->SetOnChange(MakeEvent<&TChangeCounter::Changed>(&counter));
  // A path the program sets is reported at once, each node on the way.
  view->SetPath(home + "/Documents");
  const Integer set = counter.changes;
  EXPECT_GE(set, 1);
  // Keys moving on within the delay: one change, where they stop.
  view->GetInnerTree()->SetFocus();
  Pump();
  ScriptKeyPress(VK_DOWN);
  ScriptKeyPress(VK_DOWN);
  Pump();
  EXPECT_EQ(counter.changes, set);
  PassTime(200);
  EXPECT_EQ(counter.changes, set);
  PassTime(200);
  EXPECT_EQ(counter.changes, set + 1);
  EXPECT_EQ(view->GetPath(), home + "/Pictures");
  PassTime(1000);
  EXPECT_EQ(counter.changes, set + 1);
  view->SetOnChange({});
}

TEST_F(ShellTreeView, AssignedDragSettingsStayTheCallersAndCanStopDragging) {
  ShowView();
  TkvDragDropSettings mine;
  mine.SetAllowDragObjects(false);
  view->SetDragDropSettings(&mine);
  EXPECT_NE(view->GetDragDropSettings(), &mine);
  EXPECT_FALSE(view->GetDragDropSettings()->GetAllowDragObjects());
  TTreeNode* first = view->GetInnerTree()->GetItems()->GetFirstNode();
  first->Expand(false);
  Pump();
  auto centre = [&](TTreeNode* Node) {
    TRect r = Node->DisplayRect(true);
    TPoint p = view->GetInnerTree()->ClientToScreen(TPoint(r.Left + 4, (r.Top + r.Bottom) / 2));
    return POINT{p.X, p.Y};
  };
  auto nodeNamed = [&](const char* Name) {
    for (Integer i = 0; i < first->GetCount(); ++i)
      if (first->GetItem(i)->GetText() == Name) return first->GetItem(i);
    return static_cast<TTreeNode*>(nullptr);
  };
  // Without dragging the press selects at once and nothing moves.
  ScriptDrag(centre(nodeNamed("Music")), centre(nodeNamed("Pictures")), 6);
  Pump();
  EXPECT_TRUE(DirectoryExists(home + "/Music"));
  // Allowed again, the folder moves (a while later: no double click).
  PassTime(1000);
  view->GetDragDropSettings()->SetAllowDragObjects(true);
  ScriptDrag(centre(nodeNamed("Music")), centre(nodeNamed("Pictures")), 6);
  Pump();
  PassTime(300);
  EXPECT_TRUE(DirectoryExists(home + "/Pictures/Music"));
  EXPECT_FALSE(DirectoryExists(home + "/Music"));
}

// StateImages reach the inner tree's window, also when set before it exists, make room left of
// the folder icons, and go when the list is freed.
TEST_F(ShellTreeView, StateImagesShowLeftOfTheFolderIcons) {
  auto* states = new TImageList(form, 12, 12);
  view->SetStateImages(states);
  ShowView();
  EXPECT_EQ(view->GetStateImages(), states);
  HWND tree = view->GetInnerTree()->GetHandle();
  EXPECT_EQ(SendMessage(tree, TVM_GETIMAGELIST, TVSIL_STATE, 0), reinterpret_cast<LRESULT>(states->GetHandle()));
  TTreeNode* first = view->GetInnerTree()->GetItems()->GetFirstNode();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->GetStateIndex(), -1);
  first->SetStateIndex(1);
  EXPECT_EQ(first->GetStateIndex(), 1);
  const TRect with = first->DisplayRect(true);
  TVHITTESTINFO hit;
  hit.pt = {with.Left - 3 - 16 - 6, (with.Top + with.Bottom) / 2};
  EXPECT_EQ(reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))), first->GetItemId());
  EXPECT_EQ(hit.flags, TVHT_ONITEMSTATEICON);

  delete states;
  EXPECT_EQ(view->GetStateImages(), nullptr);
  EXPECT_EQ(SendMessage(tree, TVM_GETIMAGELIST, TVSIL_STATE, 0), 0);
  EXPECT_EQ(first->DisplayRect(true).Left, with.Left - 12);
}

TEST_F(ShellTreeView, Picture) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  form->SetBounds(0, 0, 280, 260);
  view->GetStyle()->GetLookAndFeel()->SetKind(lfUltraFlat);
  ShowView();
  view->SetPath(home + "/Videos/Holidays/2020");
  view->GetInnerTree()->GetItems()->GetFirstNode()->GetItem(0)->Expand(false);
  Pump();
  EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), String(output) + "/editors-shell-tree.png"));
}

}  // namespace
