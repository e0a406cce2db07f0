// The shell tree over a scratch home folder: loading level by level, selecting folders, and
// rebuilding while keeping what is open and selected.

#include "EditorsTestSupport.h"
#include "ShellScratchHome.h"
#include "toolkit/editors/kvShellControls.h"
#include "backend/ScriptedInput.h"
#include "user/ShellNotify.h"

namespace {

class ShellTree : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    scratch = std::make_unique<ScratchHome>(
        std::initializer_list<const char*>{"Videos/Old/2019", "Videos/private", "Documents"},
        std::initializer_list<std::pair<const char*, std::string>>{{"Videos/.hidden", "private\n"}, {"notes.txt", "x"}});
    home = scratch->home;
    tree = new TkvCustomInnerShellTreeView(form);
    tree->GetOptions()->SetShowNonFolders(false);
    tree->GetRoot()->SetBrowseFolder(bfProfile);
    tree->SetBounds(10, 10, 300, 260);
    tree->SetParent(form);
    form->Show();
    Pump();
  }
  void TearDown() override {
    delete tree;
    scratch.reset();
    EditorsTest::TearDown();
  }
  std::vector<String> Children(TTreeNode* Node) {
    std::vector<String> names;
    for (Integer i = 0; i < Node->GetCount(); ++i) names.push_back(Node->GetItem(i)->GetText());
    return names;
  }
  void Select(const String& Path) {
    LPITEMIDLIST list = nullptr;
    ASSERT_EQ(ShellParsePath(Path, &list), S_OK);
    SendMessage(tree->GetHandle(), KVSM_SELECT_FOLDER, reinterpret_cast<WPARAM>(list), 0);
    ILFree(list);
    Pump();
  }
  String SelectedPath() {
    TTreeNode* node = tree->GetSelected();
    if (!node) return "-";
    String path;
    for (; node->GetParent(); node = node->GetParent()) path = "/" + node->GetText() + path;
    return path;
  }
  std::unique_ptr<ScratchHome> scratch;
  String home;
  TkvCustomInnerShellTreeView* tree = nullptr;
};

TEST_F(ShellTree, LoadsTheRootLevelWithButtonsAndNoHiddenItems) {
  TTreeNode* first = tree->GetItems()->GetFirstNode();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetText(), "Home");
  EXPECT_EQ(Children(first), (std::vector<String>{"Documents", "Videos"}));
  EXPECT_FALSE(first->GetItem(0)->GetHasChildren());
  EXPECT_TRUE(first->GetItem(1)->GetHasChildren());
  // A click only works out a node's button; its children wait for expanding.
  first->GetItem(1)->SetSelected(true);
  Pump();
  EXPECT_EQ(first->GetItem(1)->GetCount(), 0);
  first->GetItem(1)->Expand(false);
  EXPECT_EQ(Children(first->GetItem(1)), std::vector<String>{"Old"});
}

TEST_F(ShellTree, SelectingAFolderLoadsTheWayDown) {
  Select(home + "/Videos/Old/2019");
  EXPECT_EQ(SelectedPath(), "/Videos/Old/2019");
  ASSERT_NE(tree->FindNode(tree->GetRoot()->GetIdList()), nullptr);
  // A folder above the root (the desktop) roots the tree there.
  LPITEMIDLIST desktop = EmptyIdList();
  SendMessage(tree->GetHandle(), KVSM_SELECT_FOLDER, reinterpret_cast<WPARAM>(desktop), 0);
  FreeIdList(desktop);
  Pump();
  EXPECT_EQ(ItemIdCount(tree->GetRoot()->GetIdList()), 0);
  ASSERT_NE(tree->GetSelected(), nullptr);
  EXPECT_EQ(tree->GetSelected(), tree->GetItems()->GetFirstNode());
}

TEST_F(ShellTree, RebuildKeepsExpandedFoldersAndTheSelection) {
  Select(home + "/Videos/Old");
  tree->GetItems()->GetFirstNode()->GetItem(0)->Expand(false);  // Documents: nothing to open
  ASSERT_EQ(SelectedPath(), "/Videos/Old");
  ASSERT_TRUE(ForceDirectories(home + "/Videos/New"));
  Word f5 = VK_F5;
  SendMessage(tree->GetHandle(), WM_KEYDOWN, f5, 0);
  Pump();
  TTreeNode* videos = tree->GetItems()->GetFirstNode()->GetItem(1);
  EXPECT_TRUE(videos->GetExpanded());
  EXPECT_EQ(Children(videos), (std::vector<String>{"New", "Old"}));
  EXPECT_EQ(SelectedPath(), "/Videos/Old");

  // The selected folder goes: its nearest surviving ancestor is selected instead.
  ASSERT_EQ(std::system(("rm -rf '" + home + "/Videos/Old'").c_str()), 0);
  tree->RefreshTree();
  Pump();
  EXPECT_EQ(SelectedPath(), "/Videos");
}

// Records the shell changes the tree reports.
class TChangeLog : public TObject {
 public:
  std::vector<Cardinal> events;
  void Changed(TObject*, Cardinal Event, LPCITEMIDLIST, LPCITEMIDLIST) { events.push_back(Event); }
};

TEST_F(ShellTree, AFolderMadeUnderTheSelectionRebuildsTheTreeKeepingItsState) {
  TChangeLog log;
  tree->SetOnShellChange(MakeEvent<&TChangeLog::Changed>(&log));
  Select(home + "/Videos/Old");
  tree->GetSelected()->Expand(false);
  ASSERT_TRUE(ForceDirectories(home + "/Videos/Old/Fresh"));
  PassTime(300);
  Pump();
  EXPECT_EQ(log.events, std::vector<Cardinal>{static_cast<Cardinal>(SHCNE_MKDIR)});
  EXPECT_EQ(SelectedPath(), "/Videos/Old");
  TTreeNode* old = tree->GetSelected();
  ASSERT_NE(old, nullptr);
  EXPECT_TRUE(old->GetExpanded());
  EXPECT_EQ(Children(old), (std::vector<String>{"2019", "Fresh"}));
  // Changes elsewhere are not followed.
  log.events.clear();
  ASSERT_TRUE(ForceDirectories(home + "/Documents/Elsewhere"));
  PassTime(300);
  EXPECT_TRUE(log.events.empty());
  tree->SetOnShellChange({});
}

TEST_F(ShellTree, LateNoticesForNodesThatWentAreDropped) {
  Select(home + "/Videos");
  TTreeNode* videos = tree->GetSelected();
  ASSERT_NE(videos, nullptr);
  // Posted before a rebuild, handled after it: the node it names is gone.
  PostMessage(tree->GetHandle(), KVSM_ITEM_FETCHED, 0, reinterpret_cast<LPARAM>(videos));
  tree->RefreshTree();
  Pump();
  EXPECT_EQ(SelectedPath(), "/Videos");
}

}  // namespace

namespace {

TEST_F(ShellTree, DraggingAFolderOntoAnotherMovesItAndBothNodesFollow) {
  TTreeNode* first = tree->GetItems()->GetFirstNode();
  ASSERT_EQ(Children(first), (std::vector<String>{"Documents", "Videos"}));
  first->Expand(false);
  Pump();
  auto centre = [&](TTreeNode* Node) {
    TRect r = Node->DisplayRect(true);
    TPoint p = tree->ClientToScreen(TPoint(r.Left + 4, (r.Top + r.Bottom) / 2));
    return POINT{p.X, p.Y};
  };
  ScriptDrag(centre(first->GetItem(0)), centre(first->GetItem(1)), 6);
  Pump();
  PassTime(300);
  EXPECT_TRUE(DirectoryExists(home + "/Videos/Documents"));
  EXPECT_FALSE(DirectoryExists(home + "/Documents"));
  first = tree->GetItems()->GetFirstNode();
  EXPECT_EQ(Children(first), std::vector<String>{"Videos"});
  EXPECT_EQ(tree->GetDropHighlightNode(), nullptr);
  first->GetItem(0)->Expand(false);
  EXPECT_EQ(Children(first->GetItem(0)), (std::vector<String>{"Documents", "Old"}));
}

TEST_F(ShellTree, AFolderDroppedOntoItselfOrTheRootLevelStaysWhereItIs) {
  TTreeNode* first = tree->GetItems()->GetFirstNode();
  first->Expand(false);
  Pump();
  TTreeNode* videos = first->GetItem(1);
  auto centre = [&](TTreeNode* Node) {
    TRect r = Node->DisplayRect(true);
    TPoint p = tree->ClientToScreen(TPoint(r.Left + 4, (r.Top + r.Bottom) / 2));
    return POINT{p.X, p.Y};
  };
  // Onto itself: nothing moves; onto the root node (its own folder): no name is overwritten.
  ScriptDrag(centre(videos), POINT{centre(videos).X + 20, centre(videos).Y}, 6);
  Pump();
  ScriptDrag(centre(tree->GetItems()->GetFirstNode()->GetItem(1)), centre(tree->GetItems()->GetFirstNode()), 6);
  Pump();
  PassTime(300);
  EXPECT_TRUE(DirectoryExists(home + "/Videos/Old/2019"));
  EXPECT_EQ(Children(tree->GetItems()->GetFirstNode()), (std::vector<String>{"Documents", "Videos"}));
}

}  // namespace
