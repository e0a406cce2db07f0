// The published shell folder tree: its Path, its root and a picture of it.

#include <sys/stat.h>

#include "EditorsTestSupport.h"
#include "ShellScratchHome.h"
#include "toolkit/editors/kvShellTreeView.h"

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
