// Typed folders resolved under a root, over a scratch home folder.

#include "EditorsTestSupport.h"
#include "ShellScratchHome.h"
#include "toolkit/editors/kvEdit.h"
#include "toolkit/editors/kvShellListView.h"

namespace {

TEST(ShellPaths, ClassifiesTypedPaths) {
  struct Case {
    const char* path;
    Integer kind;
    const char* rewritten;
  };
  const Case kCases[] = {
      {"", kvpkUnusable, ""},
      {"/home/ann/Videos/", kvpkAbsolute, "/home/ann/Videos"},
      {"/", kvpkAbsolute, "/"},
      {"\\home", kvpkAbsolute, "\\home"},
      {"\\\\server\\share", kvpkNetwork, "\\\\server\\share"},
      {"::{db56c6b1-4234-4109-b4f2-ef8f6cf19ff6}", kvpkFromDesktop, "::{db56c6b1-4234-4109-b4f2-ef8f6cf19ff6}"},
      {"::{E0BEE4C6-FEC1-4D9E-AF61-9DD67E77E266}\\Videos", kvpkFromRoot, "::{E0BEE4C6-FEC1-4D9E-AF61-9DD67E77E266}\\Videos"},
      {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", kvpkNamespace, "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"},
      {"C:\\Videos", kvpkUnusable, "C:\\Videos"},
      {"c:", kvpkUnusable, "c:"},
      {"Videos/Old", kvpkRelative, "Videos/Old"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.path);
    String path = c.path;
    EXPECT_EQ(ClassifyPath(path), c.kind);
    EXPECT_EQ(path, c.rewritten);
  }
}

class ShellPathsUnderRoot : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    scratch = std::make_unique<ScratchHome>(
        std::initializer_list<const char*>{"Videos/Old", "Videos/private", "Desktop"},
        std::initializer_list<std::pair<const char*, std::string>>{{"Videos/.hidden", "private\n"}, {"Videos/clip.mp4", "x"}});
    home = scratch->home;
    // The table names the special folders of this home.
    kvShellListViewEnd();
    kvShellListViewStart();
    shellRoot = std::make_unique<TkvCustomShellRoot>(form, nullptr);
    shellRoot->SetBrowseFolder(bfProfile);
  }
  void TearDown() override {
    shellRoot.reset();
    scratch.reset();
    kvShellListViewEnd();
    kvShellListViewStart();
    EditorsTest::TearDown();
  }
  // The path the text resolves to ("" for a folder without one, "-" for nothing).
  String Resolve(const String& Text, Byte Filter = kvsfFolders, bool Restrict = false) {
    LPITEMIDLIST list = ParsePath(Text, shellRoot.get(), Filter, Restrict);
    if (!list) return "-";
    String path = IdListToPath(list);
    if (path.empty()) path = "<" + BuildDisplayPath(list, false) + ">";
    FreeIdList(list);
    return path;
  }
  std::unique_ptr<ScratchHome> scratch;
  String home;
  std::unique_ptr<TkvCustomShellRoot> shellRoot;
};

TEST_F(ShellPathsUnderRoot, ResolvesAbsoluteRelativeAndDisplayNames) {
  EXPECT_EQ(Resolve(""), home);
  EXPECT_EQ(Resolve("Videos"), home + "/Videos");
  EXPECT_EQ(Resolve("Videos/Old/"), home + "/Videos/Old");
  EXPECT_EQ(Resolve(home + "/Videos/Old"), home + "/Videos/Old");
  EXPECT_EQ(Resolve(home + "/Videos/Old/"), home + "/Videos/Old");
  // Only a display name matches ignoring case: "videos" is no file name here.
  EXPECT_EQ(Resolve("videos"), home + "/Videos");
  EXPECT_EQ(Resolve(home + "/videos"), "-");
  // Hidden folders only with hidden items shown; files only with non-folders shown.
  EXPECT_EQ(Resolve("Videos/private"), "-");
  EXPECT_EQ(Resolve("Videos/private", kvsfFolders | kvsfHidden), home + "/Videos/private");
  EXPECT_EQ(Resolve("Videos/clip.mp4"), "-");
  EXPECT_EQ(Resolve("Videos/clip.mp4", kvsfFolders | kvsfNonFolders), home + "/Videos/clip.mp4");
  EXPECT_EQ(Resolve("C:\\Videos"), "-");
}

TEST_F(ShellPathsUnderRoot, RestrictToRootAndSpecialFolderNames) {
  EXPECT_EQ(Resolve("/"), "/");
  EXPECT_EQ(Resolve("/", kvsfFolders, true), "-");
  EXPECT_EQ(Resolve(home + "/Videos", kvsfFolders, true), home + "/Videos");
  // "Computer" is no child of the home folder: the special-folder table knows its name.
  EXPECT_EQ(Resolve("computer"), "<Computer>");
  EXPECT_EQ(Resolve("Computer", kvsfFolders, true), "-");
}

TEST_F(ShellPathsUnderRoot, NamespacePrefixesWalkDisplayNames) {
  const String fromRoot = "::{E0BEE4C6-FEC1-4D9E-AF61-9DD67E77E266}";
  const String fromDesktop = "::{DB56C6B1-4234-4109-B4F2-EF8F6CF19FF6}";
  // The prefix alone is the desktop, from either end.
  LPITEMIDLIST desktop = ParsePath(fromRoot, shellRoot.get(), kvsfFolders, false);
  ASSERT_NE(desktop, nullptr);
  EXPECT_EQ(ItemIdCount(desktop), 0);
  FreeIdList(desktop);
  EXPECT_EQ(Resolve(fromRoot + "\\videos\\OLD"), home + "/Videos/Old");
  EXPECT_EQ(Resolve(fromDesktop + "\\Home\\Videos"), home + "/Videos");
  // A component that matches nothing ends the search: no skipping to the next one.
  EXPECT_EQ(Resolve(fromRoot + "\\Nothing\\Videos"), "-");
  EXPECT_EQ(Resolve(fromRoot + "\\Videos\\Nothing"), "-");
}

TEST_F(ShellPathsUnderRoot, RootFollowsItsSettingsAndKeepsThemOnFailure) {
  EXPECT_EQ(IdListToPath(shellRoot->GetIdList()), home);
  shellRoot->SetCustomPath(home + "/Videos");
  EXPECT_EQ(IdListToPath(shellRoot->GetIdList()), home);  // not in force until bfCustomPath
  shellRoot->SetBrowseFolder(bfCustomPath);
  EXPECT_EQ(shellRoot->GetParsingPath(), home + "/Videos");
  EXPECT_THROW(shellRoot->SetCustomPath(home + "/Nowhere"), EkvEditError);
  EXPECT_EQ(shellRoot->GetCustomPath(), home + "/Videos");
  EXPECT_EQ(shellRoot->GetParsingPath(), home + "/Videos");
  shellRoot->SetCustomPath("");
  EXPECT_EQ(ItemIdCount(shellRoot->GetIdList()), 0);  // an empty custom path is the desktop
  EXPECT_THROW(shellRoot->SetBrowseFolder(bfPrinters), EkvEditError);
  EXPECT_EQ(shellRoot->GetBrowseFolder(), bfCustomPath);
  EXPECT_EQ(BrowseFolderCsidl(bfAltStartup), BrowseFolderCsidl(bfStartUp));
}

}  // namespace
