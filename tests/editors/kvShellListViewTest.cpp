// The shell list view over a scratch home: its items and details, navigation by keys, refresh on
// F5 and on the shell's change notices.

#include <cstdlib>
#include <fstream>

#include "EditorsTestSupport.h"
#include "ShellScratchHome.h"
#include "backend/ScriptedInput.h"
#include "toolkit/editors/kvShellListView.h"
#include "toolkit/editors/kvShellTreeView.h"
#include "user/VirtualKeys.h"

namespace {

struct NavigationLog : TObject {
  std::vector<String> targets;
  Integer shellChanges = 0;
  void Before(TObject*, LPCITEMIDLIST, const String& Path) { targets.push_back(Path); }
  void Changed(TObject*, Cardinal, LPCITEMIDLIST, LPCITEMIDLIST) { ++shellChanges; }
};

class ShellListView : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    scratch = std::make_unique<ScratchHome>(
        std::initializer_list<const char*>{"Videos/Holidays", "Music", "Documents", ".cache"},
        std::initializer_list<std::pair<const char*, std::string>>{
            {"clip.mp4", std::string(1536, 'x')}, {"notes.txt", "n"}, {".profile", "p"}});
    home = scratch->home;
    view = new TkvCustomShellListView(form);
    view->GetRoot()->SetBrowseFolder(bfProfile);
    view->SetViewStyle(vsReport);
    view->SetBounds(10, 10, 420, 240);
    view->SetOnBeforeNavigation(MakeEvent<&NavigationLog::Before>(&log));
    view->SetOnShellChange(MakeEvent<&NavigationLog::Changed>(&log));
    view->SetParent(form);
    form->Show();
    Pump();
    PassTime(100);
  }
  void TearDown() override {
    delete view;
    scratch.reset();
    EditorsTest::TearDown();
  }
  TkvInnerShellListView* List() { return view->GetInnerListView(); }
  std::vector<String> Captions() {
    std::vector<String> captions;
    TListItems* items = List()->GetItems();
    for (Integer i = 0; i < items->GetCount(); ++i) captions.push_back(items->GetItem(i)->GetCaption());
    return captions;
  }
  Integer IndexOf(const String& Caption) {
    std::vector<String> captions = Captions();
    auto it = std::find(captions.begin(), captions.end(), Caption);
    return it == captions.end() ? -1 : static_cast<Integer>(it - captions.begin());
  }
  void Key(UINT VirtualKey) {
    ScriptKeyPress(VirtualKey);
    Pump();
  }

  std::unique_ptr<ScratchHome> scratch;
  String home;
  TkvCustomShellListView* view = nullptr;
  NavigationLog log;
};

TEST_F(ShellListView, ShowsTheFolderWithFoldersFirstDetailsAndNoHiddenItems) {
  EXPECT_EQ(Captions(), (std::vector<String>{"Documents", "Music", "Videos", "clip.mp4", "notes.txt"}));
  TListColumns* columns = List()->GetColumns();
  ASSERT_EQ(columns->GetCount(), 4);
  EXPECT_EQ(columns->GetItems(1)->GetCaption(), "Size");
  TListItem* clip = List()->GetItems()->GetItem(IndexOf("clip.mp4"));
  ASSERT_GE(clip->GetSubItems()->GetCount(), 2);
  EXPECT_EQ(clip->GetSubItems()->GetStrings(0), "2 KB");
  EXPECT_EQ(clip->GetSubItems()->GetStrings(1), "MPEG-4 video");
  // The header is the container's: its sections come from the columns, painted with its look.
  HWND header = reinterpret_cast<HWND>(SendMessage(List()->GetHandle(), LVM_GETHEADER, 0, 0));
  ASSERT_EQ(List()->GetHeader()->GetHandle(), header);
  THeaderItemInfo info;
  SendMessage(header, HeaderItemInfoRequest, 1, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.Text, "Size");
  EXPECT_EQ(info.State, kvbsNormal);
  view->SetEnabled(false);
  SendMessage(header, HeaderItemInfoRequest, 4, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.Text, "");
  EXPECT_EQ(info.State, kvbsDisabled);
}

TEST_F(ShellListView, EnterOpensAFolderAndBackspaceGoesUp) {
  List()->SetFocus();
  List()->SetItemIndex(IndexOf("Videos"));
  Key(VK_RETURN);
  EXPECT_EQ(Captions(), (std::vector<String>{"Holidays"}));
  ASSERT_EQ(log.targets.size(), 1u);
  EXPECT_EQ(log.targets[0], home + "/Videos");
  Key(VK_BACK);
  EXPECT_EQ(IndexOf("Videos"), 2);
  // Browsing to the folder shown changes nothing and tells nobody.
  LPITEMIDLIST same = CopyIdList(List()->GetProducer()->GetFolderIdList());
  List()->BrowseTo(same);
  FreeIdList(same);
  EXPECT_EQ(log.targets.size(), 2u);
}

TEST_F(ShellListView, F5KeepsTheSelectedItemAndANoticeRefreshes) {
  List()->SetFocus();
  List()->SetItemIndex(IndexOf("notes.txt"));
  std::ofstream(home + "/another.txt") << "a";
  Key(VK_F5);
  EXPECT_EQ(List()->GetItemIndex(), IndexOf("notes.txt"));
  EXPECT_NE(IndexOf("another.txt"), -1);
  // The change notice of a new file refreshes the list on its own.
  std::ofstream(home + "/zzz.mp4") << "z";
  PassTime(300);
  EXPECT_NE(IndexOf("zzz.mp4"), -1);
  EXPECT_GE(log.shellChanges, 1);
}

// A symbolic link shows its target's icon with the link overlay over the bottom-left corner: the
// overlay's tile edge runs down the icon's first column, which the target's icon leaves alone.
TEST_F(ShellListView, ALinkShowsTheLinkOverlay) {
  ASSERT_EQ(symlink((home + "/notes.txt").c_str(), (home + "/notes-link.txt").c_str()), 0);
  List()->SetFocus();
  Key(VK_F5);
  ASSERT_NE(IndexOf("notes-link.txt"), -1);
  auto iconPixel = [this](const String& Caption, int X, int Y) {
    RECT icon;
    icon.Left = LVIR_ICON;
    SendMessage(List()->GetHandle(), LVM_GETITEMRECT, static_cast<WPARAM>(IndexOf(Caption)), reinterpret_cast<LPARAM>(&icon));
    POINT at{icon.Left + X, icon.Top + (icon.Height() - 16) / 2 + Y};
    MapWindowPoints(List()->GetHandle(), form->GetHandle(), &at, 1);
    return FormPixel(at.X, at.Y);
  };
  EXPECT_EQ(iconPixel("notes-link.txt", 0, 12), static_cast<TColor>(RGB(0x5B, 0x64, 0x70)));
  EXPECT_NE(iconPixel("notes.txt", 0, 12), static_cast<TColor>(RGB(0x5B, 0x64, 0x70)));
  EXPECT_EQ(iconPixel("notes-link.txt", 12, 3), iconPixel("notes.txt", 12, 3)) << "the same icon under the overlay";
}

}  // namespace

namespace {

TEST_F(ShellListView, Screenshot) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  form->SetBounds(10, 10, 440, 260);
  Pump();
  EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), String(output) + "/editors-shell-list-view.png"));
}

}  // namespace

namespace {

TEST_F(ShellListView, ALinkedTreeAndListShowTheSameFolder) {
  auto* tree = new TkvShellTreeView(form);
  tree->GetRoot()->SetBrowseFolder(bfProfile);
  tree->GetOptions()->SetShowNonFolders(false);
  tree->SetBounds(440, 10, 200, 240);
  tree->SetParent(form);
  Pump();
  tree->SetShellListView(view);
  tree->SetPath(home + "/Videos");
  Pump();
  EXPECT_EQ(Captions(), (std::vector<String>{"Holidays"}));
  // Into a folder from the list: the tree follows.
  List()->SetFocus();
  List()->SetItemIndex(0);
  Key(VK_RETURN);
  EXPECT_EQ(tree->GetPath(), home + "/Videos/Holidays");
  Key(VK_BACK);
  EXPECT_EQ(tree->GetPath(), home + "/Videos");
  delete view;
  view = nullptr;
  EXPECT_EQ(tree->GetShellListView(), nullptr);
  tree->SetPath(home + "/Music");
  EXPECT_EQ(tree->GetPath(), home + "/Music");
}

}  // namespace

namespace {

TEST_F(ShellListView, TheShellMenuTrashesTheSelectedFile) {
  const Integer notes = IndexOf("notes.txt");
  ASSERT_GE(notes, 0);
  List()->SetFocus();
  List()->SetItemIndex(notes);
  TRect r = List()->GetItems()->GetItem(notes)->DisplayRect(drLabel);
  TPoint at = List()->ClientToScreen(TPoint(r.Left + 5, (r.Top + r.Bottom) / 2));
  // The menu runs its own loop: the keys come from timers inside it.
  ScriptedSteps steps;
  steps.Add(50, [] { ScriptKeyPress(VK_DOWN); });
  steps.Add(80, [] { ScriptKeyPress(VK_DOWN); });
  steps.Add(110, [] { ScriptKeyPress(VK_DOWN); });
  steps.Add(140, [] { ScriptKeyPress(VK_RETURN); });
  steps.Add(2000, [] { ScriptKeyPress(VK_ESCAPE); });
  ScriptClick(POINT{at.X, at.Y}, MouseButton::Right);
  Pump();
  PassTime(300);
  EXPECT_FALSE(FileExists(home + "/notes.txt"));
  EXPECT_TRUE(FileExists(home + "/.local/share/Trash/files/notes.txt"));
  EXPECT_EQ(IndexOf("notes.txt"), -1);
}

TEST_F(ShellListView, TheTreesMenuMakesANewFolderInTheNode) {
  auto* tree = new TkvShellTreeView(form);
  tree->GetRoot()->SetBrowseFolder(bfProfile);
  tree->SetBounds(440, 10, 200, 240);
  tree->SetParent(form);
  Pump();
  tree->SetPath(home + "/Music");
  tree->SetFocus();
  Pump();
  ScriptedSteps steps;
  steps.Add(50, [] { ScriptKeyPress(VK_DOWN); });
  steps.Add(80, [] { ScriptKeyPress(VK_DOWN); });
  steps.Add(110, [] { ScriptKeyPress(VK_RETURN); });
  steps.Add(2000, [] { ScriptKeyPress(VK_ESCAPE); });
  ScriptKeyPress(VK_F10, kShift);
  Pump();
  EXPECT_TRUE(DirectoryExists(home + "/Music/New Folder"));
  // The menu let go of its producer, and the folder read again shows the new one.
  EXPECT_EQ(tree->GetInnerTree()->GetMenuProducer(), nullptr);
  PassTime(300);
  TTreeNode* music = tree->GetInnerTree()->GetSelected();
  ASSERT_NE(music, nullptr);
  music->Expand(false);
  ASSERT_EQ(music->GetCount(), 1);
  EXPECT_EQ(music->GetItem(0)->GetText(), "New Folder");
}

}  // namespace

namespace {

TEST_F(ShellListView, DraggingAFileOntoAFolderMovesItThere) {
  auto centre = [&](const String& Caption) {
    TRect r = List()->GetItems()->GetItem(IndexOf(Caption))->DisplayRect(drLabel);
    TPoint p = List()->ClientToScreen(TPoint(r.Left + 8, (r.Top + r.Bottom) / 2));
    return POINT{p.X, p.Y};
  };
  ScriptDrag(centre("notes.txt"), centre("Videos"), 6);
  Pump();
  PassTime(300);
  EXPECT_TRUE(FileExists(home + "/Videos/notes.txt"));
  EXPECT_FALSE(FileExists(home + "/notes.txt"));
  EXPECT_EQ(List()->GetDropHighlight(), -1);
  EXPECT_EQ(IndexOf("notes.txt"), -1);
}

}  // namespace

namespace {

// A drag entering the view is offered the view's default effect, whatever the source allows.
TEST_F(ShellListView, ADragEntersWithTheViewsDefaultEffect) {
  TkvShellListViewProducer* producer = List()->GetProducer();
  producer->BeginRead();
  LPITEMIDLIST item = CopyIdList(producer->Item(IndexOf("notes.txt"))->GetItemIdList());
  producer->EndRead();
  LPCITEMIDLIST items[] = {item};
  void* raw = nullptr;
  ASSERT_EQ(producer->GetFolderIntf()->GetUIObjectOf(List()->GetHandle(), 1, items, IDataObject::IID, nullptr, &raw), S_OK);
  auto data = TInterfacePtr<IDataObject>::Attach(static_cast<IDataObject*>(raw));
  FreeIdList(item);
  TRect r = List()->GetItems()->GetItem(IndexOf("Videos"))->DisplayRect(drLabel);
  const TPoint p = List()->ClientToScreen(TPoint(r.Left + 8, (r.Top + r.Bottom) / 2));

  List()->GetDragDropSettings()->SetDropEffect({deCopy});
  DWORD effect = DROPEFFECT_MOVE | DROPEFFECT_COPY | DROPEFFECT_LINK;
  EXPECT_EQ(List()->DropDragEnter(data.Get(), MK_LBUTTON, POINT{p.X, p.Y}, &effect), S_OK);
  EXPECT_EQ(effect, DROPEFFECT_COPY);
  EXPECT_EQ(List()->GetDropHighlight(), IndexOf("Videos"));
  EXPECT_EQ(List()->DropDragLeave(), S_OK);
  EXPECT_EQ(List()->GetDropHighlight(), -1);
  EXPECT_TRUE(FileExists(home + "/notes.txt"));
}

}  // namespace
