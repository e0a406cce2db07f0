// The shell namespace over a scratch tree: home, desktop, trash and a volume set through the
// environment, never the user's own folders.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>

#include "../rtl/ScopedEnv.h"
#include "rtl/FileUtils.h"
#include "rtl/WideText.h"
#include "user/ShellFileInfo.h"
#include "user/ShellFolder.h"
#include "user/ShellIcons.h"
#include "user/MessageNumbers.h"
#include "user/PopupMenus.h"
#include "user/ShellNamespace.h"

static bool operator==(const ShellItemName& a, const ShellItemName& b) { return a.Kind == b.Kind && a.Name == b.Name; }

namespace {

using Kind = ShellItemKind;
using Names = std::vector<ShellItemName>;

struct ListDeleter {
  void operator()(ITEMIDLIST* list) const { ILFree(list); }
};
using List = std::unique_ptr<ITEMIDLIST, ListDeleter>;

List Make(const Names& names) { return List(ILFromNames(names)); }

Names NamesOf(LPCITEMIDLIST list) {
  Names names;
  EXPECT_TRUE(ILToNames(list, &names));
  return names;
}

void Write(const String& path, const String& text) { std::ofstream(path) << text; }

class ShellNamespaceTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tavren-shell-XXXXXX";
    ASSERT_TRUE(mkdtemp(pattern));
    root = pattern;
    home = root + "/home";
    for (const char* dir : {"/home", "/home/.config", "/home/Desktop", "/home/Videos", "/home/Videos/private",
                            "/home/Videos/Old", "/home/.local/share/Trash/files/junk", "/media", "/media/Stick",
                            "/media/Stick/Films", "/media/My Disk", "/elsewhere"})
      ASSERT_TRUE(ForceDirectories(root + dir)) << dir;
    Write(home + "/.config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n");
    Write(home + "/Videos/clip.mp4", String(1536, 'x'));
    Write(home + "/Videos/.hidden", "private\n");
    Write(home + "/.profile", "");
    Write(home + "/Desktop/note.txt", "");
    ASSERT_EQ(symlink("Videos", (home + "/Films").c_str()), 0);
    Write(root + "/mountinfo",
          "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
          "30 22 0:5 / /proc rw - proc proc rw\n"
          "31 22 8:1 /etc/hosts " + root + "/elsewhere rw - ext4 /dev/sda1 rw\n"
          "40 22 8:17 / " + root + "/media/Stick rw - vfat /dev/sdb1 rw\n"
          "41 22 8:33 / " + root + "/media/My\\040Disk rw - ext4 /dev/sdc1 rw\n");
    env.push_back(std::make_unique<ScopedEnv>("HOME", home));
    env.push_back(std::make_unique<ScopedEnv>("XDG_CONFIG_HOME", home + "/.config"));
    env.push_back(std::make_unique<ScopedEnv>("XDG_DATA_HOME", home + "/.local/share"));
    env.push_back(std::make_unique<ScopedEnv>("TAVREN_MOUNTINFO", root + "/mountinfo"));
  }
  void TearDown() override {
    env.clear();
    std::system(("rm -rf '" + root + "'").c_str());
  }
  String root, home;
  std::vector<std::unique_ptr<ScopedEnv>> env;
};

TEST(ShellIdList, BuildsWalksAndComparesLists) {
  List empty = Make({});
  List list = Make({{Kind::Home, ""}, {Kind::Entry, "Vidéos"}, {Kind::Entry, "a"}});
  EXPECT_EQ(ILGetSize(empty.get()), 2u);
  EXPECT_EQ(ILGetSize(list.get()), 2u + 4 + (4 + 7) + (4 + 1));  // count, kind, name, zero each
  EXPECT_TRUE(ILIsEmpty(empty.get()));
  EXPECT_EQ(NamesOf(ILGetNext(list.get())), (Names{{Kind::Entry, "Vidéos"}, {Kind::Entry, "a"}}));
  EXPECT_EQ(NamesOf(ILFindLastID(list.get())), (Names{{Kind::Entry, "a"}}));
  EXPECT_EQ(ILFindLastID(empty.get()), empty.get());

  List first(ILCloneFirst(list.get()));
  EXPECT_EQ(NamesOf(first.get()), (Names{{Kind::Home, ""}}));
  List rest(ILClone(ILGetNext(list.get())));
  List joined(ILCombine(first.get(), rest.get()));
  EXPECT_TRUE(ILIsEqual(joined.get(), list.get()));
  List parent(ILClone(list.get()));
  EXPECT_TRUE(ILRemoveLastID(parent.get()));
  EXPECT_FALSE(ILIsEqual(parent.get(), list.get()));
  EXPECT_EQ(NamesOf(parent.get()).size(), 2u);
  EXPECT_FALSE(ILRemoveLastID(empty.get()));
  EXPECT_EQ(List(ILCombine(nullptr, list.get())) != nullptr, true);
  EXPECT_EQ(ILFromNames({{Kind::Entry, String(70000, 'n')}}), nullptr);
}

TEST(ShellIdList, RefusesDamagedLists) {
  const BYTE tooShort[] = {2, 0, 0, 0};
  const BYTE unterminated[] = {5, 0, 'E', 'a', 'b', 0, 0};
  Names names;
  EXPECT_FALSE(ILToNames(reinterpret_cast<LPCITEMIDLIST>(tooShort), &names));
  EXPECT_FALSE(ILToNames(reinterpret_cast<LPCITEMIDLIST>(unterminated), &names));
  EXPECT_FALSE(ILToNames(nullptr, &names));
}

TEST_F(ShellNamespaceTest, ParsesPathsUnderTheDeepestAnchor) {
  String stick = root + "/media/Stick";
  struct Case {
    String path;
    HRESULT result;
    Names names;
  } cases[] = {
      {home + "/Videos/clip.mp4", S_OK, {{Kind::Home, ""}, {Kind::Entry, "Videos"}, {Kind::Entry, "clip.mp4"}}},
      {home + "//Videos/./../Videos/", S_OK, {{Kind::Home, ""}, {Kind::Entry, "Videos"}}},
      {home, S_OK, {{Kind::Home, ""}}},
      {home + "\\Films", S_OK, {{Kind::Home, ""}, {Kind::Entry, "Films"}}},
      {"/", S_OK, {{Kind::Computer, ""}, {Kind::FileSystem, ""}}},
      {stick + "/Films", S_OK, {{Kind::Computer, ""}, {Kind::Volume, stick}, {Kind::Entry, "Films"}}},
      {home + "/videos", HRESULT_FILE_NOT_FOUND, {}},  // names are case-sensitive
      {home + "/Videos/CLIP.MP4", HRESULT_FILE_NOT_FOUND, {}},
      {"Videos", E_INVALIDARG, {}},
      {"", E_INVALIDARG, {}},
  };
  for (const Case& c : cases) {
    LPITEMIDLIST parsed = nullptr;
    EXPECT_EQ(ShellParsePath(c.path, &parsed), c.result) << c.path;
    List list(parsed);
    if (c.result == S_OK) {
      EXPECT_EQ(NamesOf(list.get()), c.names) << c.path;
    } else {
      EXPECT_EQ(parsed, nullptr) << c.path;
    }
  }
  LPITEMIDLIST parsed = nullptr;
  ASSERT_EQ(ShellParsePath(root + "/elsewhere", &parsed), S_OK);  // a bind mount of a file is no volume
  List list(parsed);
  Names names = NamesOf(list.get());
  ASSERT_GE(names.size(), 3u);
  EXPECT_EQ(names[1].Kind, Kind::FileSystem);
  EXPECT_EQ(ShellPathOf(list.get()), root + "/elsewhere");
}

TEST_F(ShellNamespaceTest, NamesPathsAndAttributesOfItems) {
  String stick = root + "/media/Stick";
  struct Case {
    Names names;
    String path;
    String name;
    DWORD set;
    DWORD clear;
  } cases[] = {
      {{}, home + "/Desktop", "Desktop", SFGAO_FOLDER | SFGAO_FILESYSTEM, SFGAO_HIDDEN},
      {{{Kind::Home, ""}}, home, "Home", SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_HASSUBFOLDER | SFGAO_DROPTARGET, 0},
      {{{Kind::Computer, ""}}, "", "Computer", SFGAO_FOLDER | SFGAO_HASSUBFOLDER, SFGAO_FILESYSTEM},
      {{{Kind::Trash, ""}}, "", "Trash", SFGAO_FOLDER | SFGAO_DROPTARGET | SFGAO_HASSUBFOLDER, SFGAO_FILESYSTEM},
      {{{Kind::Computer, ""}, {Kind::FileSystem, ""}}, "/", "File System", SFGAO_FOLDER | SFGAO_FILESYSTEM, 0},
      {{{Kind::Computer, ""}, {Kind::Volume, stick}}, stick, "Stick", SFGAO_FOLDER | SFGAO_HASSUBFOLDER,
       SFGAO_REMOVABLE},
      {{{Kind::Computer, ""}, {Kind::Volume, root + "/media/My Disk"}}, root + "/media/My Disk", "My Disk",
       SFGAO_FOLDER | SFGAO_FILESYSTEM, SFGAO_HASSUBFOLDER},
      {{{Kind::Home, ""}, {Kind::Entry, "Videos"}}, home + "/Videos", "Videos",
       SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_CANRENAME | SFGAO_DROPTARGET, SFGAO_LINK | SFGAO_HIDDEN | SFGAO_SHARE},
      {{{Kind::Home, ""}, {Kind::Entry, "Films"}}, home + "/Films", "Films", SFGAO_FOLDER | SFGAO_LINK, SFGAO_HIDDEN},
      {{{Kind::Home, ""}, {Kind::Entry, ".profile"}}, home + "/.profile", ".profile", SFGAO_HIDDEN | SFGAO_FILESYSTEM,
       SFGAO_FOLDER},
      {{{Kind::Home, ""}, {Kind::Entry, "Videos"}, {Kind::Entry, "private"}}, home + "/Videos/private", "private",
       SFGAO_HIDDEN | SFGAO_FOLDER, SFGAO_HASSUBFOLDER},
      {{{Kind::Home, ""}, {Kind::Entry, "Videos"}, {Kind::Entry, "clip.mp4"}}, home + "/Videos/clip.mp4", "clip.mp4",
       SFGAO_FILESYSTEM | SFGAO_CANRENAME, SFGAO_FOLDER | SFGAO_DROPTARGET | SFGAO_HIDDEN},
      {{{Kind::Entry, "note.txt"}}, home + "/Desktop/note.txt", "note.txt", SFGAO_FILESYSTEM, SFGAO_FOLDER},
  };
  for (const Case& c : cases) {
    List list = Make(c.names);
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ShellPathOf(list.get()), c.path);
    EXPECT_EQ(ShellDisplayNameOf(list.get(), SHGDN_INFOLDER), c.name);
    EXPECT_EQ(ShellDisplayNameOf(list.get(), SHGDN_FORPARSING), c.path.empty() ? c.name : c.path);
    DWORD attributes = ShellAttributesOf(list.get());
    EXPECT_EQ(attributes & c.set, c.set);
    EXPECT_EQ(attributes & c.clear, 0u);
  }
  List missing = Make({{Kind::Home, ""}, {Kind::Entry, "missing"}});
  EXPECT_EQ(ShellAttributesOf(missing.get()), 0u);
  EXPECT_EQ(ShellPathOf(missing.get()), home + "/missing");  // as for an item just deleted
  // Lists that name nothing.
  for (const Names& names : {Names{{Kind::FileSystem, ""}}, Names{{Kind::Trash, ""}, {Kind::Home, ""}},
                             Names{{Kind::Home, ""}, {Kind::Entry, ".."}},
                             Names{{Kind::Computer, ""}, {Kind::Volume, "/nowhere"}}}) {
    List list = Make(names);
    EXPECT_EQ(ShellAttributesOf(list.get()), 0u);
    char path[MAX_PATH];
    EXPECT_FALSE(SHGetPathFromIDList(list.get(), path));
  }
}

TEST_F(ShellNamespaceTest, EnumeratesFoldersWithTheirFilters) {
  String stick = root + "/media/Stick";
  const DWORD all = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;
  struct Case {
    Names folder;
    DWORD flags;
    Names children;
  } cases[] = {
      {{}, all, {{Kind::Home, ""}, {Kind::Computer, ""}, {Kind::Trash, ""}, {Kind::Entry, "note.txt"}}},
      {{}, SHCONTF_NONFOLDERS, {{Kind::Entry, "note.txt"}}},
      {{{Kind::Computer, ""}},
       all,
       {{Kind::FileSystem, ""}, {Kind::Volume, stick}, {Kind::Volume, root + "/media/My Disk"}}},
      {{{Kind::Home, ""}}, SHCONTF_FOLDERS, {{Kind::Entry, "Desktop"}, {Kind::Entry, "Films"}, {Kind::Entry, "Videos"}}},
      {{{Kind::Home, ""}, {Kind::Entry, "Videos"}}, all, {{Kind::Entry, "Old"}, {Kind::Entry, "clip.mp4"}}},
      {{{Kind::Home, ""}, {Kind::Entry, "Videos"}},
       all | SHCONTF_INCLUDEHIDDEN,
       {{Kind::Entry, ".hidden"}, {Kind::Entry, "Old"}, {Kind::Entry, "clip.mp4"}, {Kind::Entry, "private"}}},
      {{{Kind::Trash, ""}}, all, {{Kind::Entry, "junk"}}},
  };
  for (const Case& c : cases) {
    List list = Make(c.folder);
    Names children;
    EXPECT_TRUE(ShellEnumerate(list.get(), c.flags, &children));
    EXPECT_EQ(children, c.children) << ShellDisplayNameOf(list.get(), SHGDN_NORMAL) << " " << c.flags;
  }
  Names children;
  List file = Make({{Kind::Home, ""}, {Kind::Entry, "Videos"}, {Kind::Entry, "clip.mp4"}});
  EXPECT_FALSE(ShellEnumerate(file.get(), all, &children));
}

TEST_F(ShellNamespaceTest, FindsSpecialFolders) {
  struct Case {
    int csidl;
    HRESULT result;
    Names names;
  } cases[] = {
      {CSIDL_DESKTOP, S_OK, {}},
      {CSIDL_DRIVES, S_OK, {{Kind::Computer, ""}}},
      {CSIDL_BITBUCKET, S_OK, {{Kind::Trash, ""}}},
      {CSIDL_PROFILE, S_OK, {{Kind::Home, ""}}},
      {CSIDL_DESKTOPDIRECTORY, S_OK, {{Kind::Home, ""}, {Kind::Entry, "Desktop"}}},
      {CSIDL_APPDATA, S_OK, {{Kind::Home, ""}, {Kind::Entry, ".config"}}},
      {CSIDL_MYMUSIC, S_OK, {{Kind::Home, ""}}},  // no music folder configured: the home folder
      {CSIDL_LOCAL_APPDATA, S_OK, {{Kind::Home, ""}, {Kind::Entry, ".local"}, {Kind::Entry, "share"}}},
      {CSIDL_FONTS, E_FAIL, {}},      // not on disk
      {CSIDL_TEMPLATES, E_FAIL, {}},  // not configured
      {0x0003 /* control panel */, E_FAIL, {}},
  };
  for (const Case& c : cases) {
    LPITEMIDLIST found = nullptr;
    EXPECT_EQ(SHGetSpecialFolderLocation(nullptr, c.csidl, &found), c.result) << c.csidl;
    List list(found);
    if (c.result == S_OK) {
      EXPECT_EQ(NamesOf(list.get()), c.names) << c.csidl;
    }
  }
}

TInterfacePtr<IShellFolder> Desktop() {
  IShellFolder* folder = nullptr;
  EXPECT_EQ(SHGetDesktopFolder(&folder), S_OK);
  return TInterfacePtr<IShellFolder>::Attach(folder);
}

TInterfacePtr<IShellFolder> Bind(IShellFolder* parent, LPCITEMIDLIST list) {
  void* folder = nullptr;
  EXPECT_EQ(parent->BindToObject(list, nullptr, IShellFolder::IID, &folder), S_OK);
  return TInterfacePtr<IShellFolder>::Attach(static_cast<IShellFolder*>(folder));
}

String NameIn(IShellFolder* folder, LPCITEMIDLIST item, DWORD flags) {
  STRRET name{};
  if (folder->GetDisplayNameOf(item, flags, &name) != S_OK) return "<failed>";
  if (name.uType == STRRET_CSTR) return name.cStr;
  EXPECT_EQ(name.uType, STRRET_WSTR);
  String text = UTF8Encode(name.pOleStr);
  IMalloc* allocator = nullptr;
  EXPECT_EQ(SHGetMalloc(&allocator), S_OK);
  allocator->Free(name.pOleStr);
  allocator->_Release();
  return text;
}

std::vector<String> Enumerate(IShellFolder* folder, DWORD flags) {
  IEnumIDList* raw = nullptr;
  EXPECT_EQ(folder->EnumObjects(nullptr, flags, &raw), S_OK);
  auto items = TInterfacePtr<IEnumIDList>::Attach(raw);
  std::vector<String> names;
  LPITEMIDLIST item;
  ULONG fetched = 0;
  while (items->Next(1, &item, &fetched) == S_OK) {
    EXPECT_EQ(fetched, 1u);
    names.push_back(NameIn(folder, item, SHGDN_INFOLDER));
    ILFree(item);
  }
  EXPECT_EQ(fetched, 0u);
  return names;
}

TEST_F(ShellNamespaceTest, FoldersEnumerateParseAndNameTheirItems) {
  auto desktop = Desktop();
  const DWORD all = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;
  EXPECT_EQ(Enumerate(desktop.Get(), all), (std::vector<String>{"Home", "Computer", "Trash", "note.txt"}));

  LPITEMIDLIST parsed = nullptr;
  ULONG attributes = SFGAO_FOLDER | SFGAO_LINK;
  ASSERT_EQ(desktop->ParseDisplayName(nullptr, nullptr, (home + "/Videos").c_str(), nullptr, &parsed, &attributes),
            S_OK);
  List videos(parsed);
  EXPECT_EQ(attributes, SFGAO_FOLDER);
  EXPECT_EQ(NameIn(desktop.Get(), videos.get(), SHGDN_FORPARSING), home + "/Videos");
  auto folder = Bind(desktop.Get(), videos.get());
  ASSERT_TRUE(folder);
  EXPECT_EQ(Enumerate(folder.Get(), all | SHCONTF_INCLUDEHIDDEN),
            (std::vector<String>{".hidden", "Old", "clip.mp4", "private"}));

  auto homeFolder = Bind(desktop.Get(), Make({{Kind::Home, ""}}).get());
  struct Case {
    String name;
    HRESULT result;
    Names names;
  } cases[] = {
      {"Videos/clip.mp4", S_OK, {{Kind::Entry, "Videos"}, {Kind::Entry, "clip.mp4"}}},
      {home + "/Films", S_OK, {{Kind::Entry, "Films"}}},
      {"videos", HRESULT_FILE_NOT_FOUND, {}},
      {root + "/elsewhere", E_INVALIDARG, {}},  // not below the home folder
  };
  for (const Case& c : cases) {
    parsed = nullptr;
    EXPECT_EQ(homeFolder->ParseDisplayName(nullptr, nullptr, c.name.c_str(), nullptr, &parsed, nullptr), c.result)
        << c.name;
    List list(parsed);
    if (c.result == S_OK) {
      EXPECT_EQ(NamesOf(list.get()), c.names) << c.name;
    }
  }
  void* none = nullptr;
  List clip = Make({{Kind::Entry, "clip.mp4"}});
  EXPECT_EQ(folder->BindToObject(clip.get(), nullptr, IShellFolder::IID, &none), E_FAIL);
  EXPECT_EQ(none, nullptr);

  // A name longer than the fixed buffer comes as an allocated text.
  String deep = home + "/Videos/Old/" + String(200, 'd');
  ASSERT_TRUE(ForceDirectories(deep + "/" + String(100, 'e')));
  parsed = nullptr;
  ASSERT_EQ(desktop->ParseDisplayName(nullptr, nullptr, (deep + "/" + String(100, 'e')).c_str(), nullptr, &parsed,
                                      nullptr),
            S_OK);
  List longList(parsed);
  EXPECT_EQ(NameIn(desktop.Get(), longList.get(), SHGDN_FORPARSING), deep + "/" + String(100, 'e'));
}

TEST_F(ShellNamespaceTest, FoldersCompareAttributeAndRenameItems) {
  auto desktop = Desktop();
  auto videos = Bind(desktop.Get(), Make({{Kind::Home, ""}, {Kind::Entry, "Videos"}}).get());
  List old = Make({{Kind::Entry, "Old"}});
  List clip = Make({{Kind::Entry, "clip.mp4"}});
  List oldChild = Make({{Kind::Entry, "Old"}, {Kind::Entry, "a"}});
  struct Case {
    LPCITEMIDLIST first, second;
    int order;
  } orders[] = {{old.get(), old.get(), 0}, {old.get(), clip.get(), -1}, {clip.get(), old.get(), 1},
                {old.get(), oldChild.get(), -1}};
  for (const Case& c : orders) {
    HRESULT result = videos->CompareIDs(0, c.first, c.second);
    EXPECT_EQ(static_cast<SHORT>(result & 0xFFFF), c.order);
  }

  LPCITEMIDLIST both[] = {old.get(), clip.get()};
  ULONG attributes = SFGAO_FOLDER | SFGAO_CANRENAME | SFGAO_FILESYSTEM;
  EXPECT_EQ(videos->GetAttributesOf(2, both, &attributes), S_OK);
  EXPECT_EQ(attributes, SFGAO_CANRENAME | SFGAO_FILESYSTEM);

  struct Rename {
    const char* name;
    HRESULT result;
  } renames[] = {{"Old", E_FAIL}, {"a/b", E_INVALIDARG}, {"..", E_INVALIDARG}, {"", E_INVALIDARG},
                 {"film.mp4", S_OK}};
  for (const Rename& r : renames) {
    LPITEMIDLIST renamed = nullptr;
    EXPECT_EQ(videos->SetNameOf(nullptr, clip.get(), r.name, SHGDN_INFOLDER, &renamed), r.result) << r.name;
    List list(renamed);
    EXPECT_EQ(renamed != nullptr, r.result == S_OK) << r.name;
  }
  EXPECT_TRUE(FileExists(home + "/Videos/film.mp4"));
  EXPECT_FALSE(FileExists(home + "/Videos/clip.mp4"));
  EXPECT_TRUE(DirectoryExists(home + "/Videos/Old"));
}

TEST_F(ShellNamespaceTest, FileInfoGivesNamesTypesAndAttributes) {
  const UINT all = SHGFI_DISPLAYNAME | SHGFI_TYPENAME | SHGFI_ATTRIBUTES;
  const UINT byName = all | SHGFI_USEFILEATTRIBUTES;
  List computer = Make({{Kind::Computer, ""}});
  String wide;
  for (int i = 0; i < 150; ++i) wide += "é";
  struct Case {
    String path;
    const char* pidl;
    DWORD fileAttributes;
    UINT flags;
    String name, type;
    DWORD set, clear;
  } cases[] = {
      {home + "/Videos/clip.mp4", nullptr, 0, all, "clip.mp4", "MPEG-4 video", SFGAO_FILESYSTEM, SFGAO_FOLDER},
      {home + "/Films", nullptr, 0, all, "Films", "Folder", SFGAO_FOLDER | SFGAO_LINK, 0},
      {"", reinterpret_cast<const char*>(computer.get()), 0, all | SHGFI_PIDL, "Computer", "Folder", SFGAO_FOLDER,
       SFGAO_FILESYSTEM},
      {"C:\\KVDUMMYFILE.TXT", nullptr, FILE_ATTRIBUTE_NORMAL, byName, "KVDUMMYFILE.TXT", "plain text document",
       SFGAO_FILESYSTEM, SFGAO_FOLDER},
      {"C:\\Some Folder\\", nullptr, FILE_ATTRIBUTE_DIRECTORY, byName, "Some Folder", "Folder", SFGAO_FOLDER, 0},
      {"/nowhere/x.zzqq", nullptr, FILE_ATTRIBUTE_NORMAL, byName, "x.zzqq", "ZZQQ file", 0, SFGAO_FOLDER},
      {"noext", nullptr, FILE_ATTRIBUTE_HIDDEN, byName, "noext", "File", SFGAO_HIDDEN, 0},
      {wide, nullptr, 0, byName, wide.substr(0, 258), "File", 0, 0},  // cut at a whole character
  };
  for (const Case& c : cases) {
    SHFILEINFO info{};
    ASSERT_NE(SHGetFileInfo(c.pidl ? c.pidl : c.path.c_str(), c.fileAttributes, &info, sizeof info, c.flags), 0u)
        << c.name;
    EXPECT_EQ(String(info.szDisplayName), c.name);
    EXPECT_EQ(String(info.szTypeName), c.type) << c.name;
    EXPECT_EQ(info.dwAttributes & c.set, c.set) << c.name;
    EXPECT_EQ(info.dwAttributes & c.clear, 0u) << c.name;
  }
  SHFILEINFO info{};
  info.dwAttributes = SFGAO_FOLDER | SFGAO_FILESYSTEM;
  EXPECT_NE(SHGetFileInfo((home + "/Videos/clip.mp4").c_str(), 0, &info, sizeof info,
                          SHGFI_ATTRIBUTES | SHGFI_ATTR_SPECIFIED),
            0u);
  EXPECT_EQ(info.dwAttributes, SFGAO_FILESYSTEM);
  EXPECT_EQ(SHGetFileInfo((home + "/missing").c_str(), 0, &info, sizeof info, all), 0u);
  EXPECT_EQ(SHGetFileInfo(home.c_str(), 0, &info, 10, all), 0u);  // a buffer too small
}

TEST_F(ShellNamespaceTest, IconsByRoleAndTypeFromTheTheme) {
  if (!DirectoryExists("/usr/share/icons/Adwaita/16x16")) GTEST_SKIP() << "the icon theme is not installed";
  List homeItem = Make({{Kind::Home, ""}});
  List trash = Make({{Kind::Trash, ""}});
  struct Case {
    String path;
    const char* pidl;
    DWORD fileAttributes;
    UINT flags;
    const char* icon;
  } cases[] = {
      {"C:\\KVDUMMYFILE.TXT", nullptr, FILE_ATTRIBUTE_NORMAL, SHGFI_USEFILEATTRIBUTES, "text-x-generic"},
      {"C:\\KVDUMMYFOLDER", nullptr, FILE_ATTRIBUTE_DIRECTORY, SHGFI_USEFILEATTRIBUTES, "folder"},
      {"C:\\KVDUMMYFOLDER", nullptr, FILE_ATTRIBUTE_DIRECTORY, SHGFI_USEFILEATTRIBUTES | SHGFI_OPENICON, "folder-open"},
      {home + "/Videos/clip.mp4", nullptr, 0, 0, "video-x-generic"},
      {home + "/Desktop", nullptr, 0, 0, "user-desktop"},
      {"", reinterpret_cast<const char*>(homeItem.get()), 0, SHGFI_PIDL, "user-home"},
      {"", reinterpret_cast<const char*>(trash.get()), 0, SHGFI_PIDL, "user-trash"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.icon);
    SHFILEINFO info{};
    ASSERT_NE(SHGetFileInfo(c.pidl ? c.pidl : c.path.c_str(), c.fileAttributes, &info, sizeof info,
                            c.flags | SHGFI_SYSICONINDEX),
              0u);
    EXPECT_EQ(ShellIconName(info.iIcon), c.icon);
    PixelImage picture;
    ASSERT_TRUE(ShellIconPicture(info.iIcon, 16, &picture));
    EXPECT_EQ(picture.width, 16);
  }
  // The same name is one index.
  EXPECT_EQ(ShellIconIndex({"folder"}), ShellIconIndex({"folder"}));
}

}  // namespace

namespace {

TEST(PopupMenus, HandlesHoldItemsByPositionAndCommand) {
  HMENU menu = CreatePopupMenu();
  ASSERT_TRUE(IsMenu(menu));
  AppendMenuA(menu, MF_STRING, 10, "Open");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  InsertMenuA(menu, 0, MF_BYPOSITION | MF_GRAYED, 11, "First");
  InsertMenuA(menu, 10, MF_BYCOMMAND, 12, "Before open");
  ASSERT_EQ(GetMenuItemCount(menu), 4);
  const UINT ids[] = {11, 12, 10, 0xFFFFFFFF};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(GetMenuItemID(menu, i), ids[i]) << i;
  char text[5];
  EXPECT_EQ(GetMenuStringA(menu, 12, text, sizeof text, MF_BYCOMMAND), 4);
  EXPECT_STREQ(text, "Befo");
  EXPECT_TRUE(GetMenuState(menu, 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(menu, 3, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(GetMenuState(menu, 99, MF_BYCOMMAND), 0xFFFFFFFFu);
  // Without a menu window nothing is shown or chosen.
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, nullptr, nullptr), 0);
  EXPECT_TRUE(DestroyMenu(menu));
  EXPECT_FALSE(IsMenu(menu));
  EXPECT_FALSE(DestroyMenu(menu));
}

TEST_F(ShellNamespaceTest, ContextMenuOpensMakesFoldersAndTrashesWithoutOverwriting) {
  IShellFolder* desktop = nullptr;
  ASSERT_EQ(SHGetDesktopFolder(&desktop), S_OK);
  List videos = Make({{Kind::Home, ""}, {Kind::Entry, "Videos"}});
  IShellFolder* folder = nullptr;
  ASSERT_EQ(desktop->BindToObject(videos.get(), nullptr, IShellFolder::IID, reinterpret_cast<void**>(&folder)), S_OK);
  auto menuOf = [&](std::vector<LPCITEMIDLIST> items) {
    IContextMenu* menu = nullptr;
    EXPECT_EQ(folder->GetUIObjectOf(nullptr, static_cast<UINT>(items.size()), items.data(), IContextMenu::IID, nullptr,
                                    reinterpret_cast<void**>(&menu)),
              S_OK);
    return menu;
  };
  List old = Make({{Kind::Entry, "Old"}});
  List clip = Make({{Kind::Entry, "clip.mp4"}});
  IContextMenu* folderMenu = menuOf({old.get()});
  ASSERT_NE(folderMenu, nullptr);
  HMENU popup = CreatePopupMenu();
  EXPECT_EQ(folderMenu->QueryContextMenu(popup, 0, 100, 200, CMF_NORMAL), 3);
  char text[32];
  GetMenuStringA(popup, 101, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "New Folder");
  EXPECT_FALSE(GetMenuState(popup, 101, MF_BYCOMMAND) & MF_GRAYED);
  DestroyMenu(popup);
  CMINVOKECOMMANDINFO info;
  info.lpVerb = CommandOffsetVerb(kvcmdNewFolder);
  EXPECT_EQ(folderMenu->InvokeCommand(&info), S_OK);
  EXPECT_EQ(folderMenu->InvokeCommand(&info), S_OK);
  EXPECT_TRUE(DirectoryExists(home + "/Videos/Old/New Folder"));
  EXPECT_TRUE(DirectoryExists(home + "/Videos/Old/New Folder (2)"));
  folderMenu->_Release();

  // A file offers no New Folder; Move to Trash keeps a record and takes a fresh name in the trash.
  Write(home + "/.local/share/Trash/files/clip.mp4", "older");
  IContextMenu* fileMenu = menuOf({clip.get()});
  popup = CreatePopupMenu();
  fileMenu->QueryContextMenu(popup, 0, 1, 100, CMF_NORMAL);
  EXPECT_TRUE(GetMenuState(popup, 1 + kvcmdNewFolder, MF_BYCOMMAND) & MF_GRAYED);
  DestroyMenu(popup);
  info.lpVerb = "delete";
  EXPECT_EQ(fileMenu->InvokeCommand(&info), S_OK);
  fileMenu->_Release();
  EXPECT_FALSE(FileExists(home + "/Videos/clip.mp4"));
  std::ifstream older(home + "/.local/share/Trash/files/clip.mp4");
  EXPECT_EQ(String(std::istreambuf_iterator<char>(older), {}), "older");
  EXPECT_TRUE(FileExists(home + "/.local/share/Trash/files/clip.mp4.2"));
  std::ifstream record(home + "/.local/share/Trash/info/clip.mp4.2.trashinfo");
  const String recorded(std::istreambuf_iterator<char>(record), {});
  EXPECT_NE(recorded.find("Path=" + home + "/Videos/clip.mp4"), String::npos);
  folder->_Release();
  desktop->_Release();
}

}  // namespace

namespace {

TEST_F(ShellNamespaceTest, FolderDropsRefuseThemselvesAndNeverOverwrite) {
  const String videos = home + "/Videos", old = home + "/Videos/Old";
  struct Case {
    String folder;
    std::vector<String> sources;
    DWORD keys, allowed, effect;
  } cases[] = {
      {old, {home + "/.profile"}, 0, 7, DROPEFFECT_MOVE},
      {old, {home + "/.profile"}, MK_CONTROL, 7, DROPEFFECT_COPY},
      {old, {home + "/.profile"}, MK_CONTROL | MK_SHIFT, 7, DROPEFFECT_LINK},
      {old, {home + "/.profile"}, 0, DROPEFFECT_COPY, DROPEFFECT_COPY},
      {old, {videos}, 0, 7, DROPEFFECT_NONE},             // a folder into itself
      {old, {old}, 0, 7, DROPEFFECT_NONE},                // onto itself
      {videos, {videos + "/clip.mp4"}, 0, 7, DROPEFFECT_NONE},  // where it is already
  };
  for (const Case& c : cases)
    EXPECT_EQ(FolderDropEffect(c.folder, c.sources, c.keys, c.allowed), c.effect) << c.sources[0] << " " << c.keys;
  Write(old + "/clip.mp4", "kept");
  EXPECT_EQ(DropIntoFolder(old, {videos + "/clip.mp4"}, DROPEFFECT_MOVE), DROPEFFECT_NONE);
  std::ifstream kept(old + "/clip.mp4");
  EXPECT_EQ(String(std::istreambuf_iterator<char>(kept), {}), "kept");
  EXPECT_EQ(DropIntoFolder(old, {home + "/Videos/private"}, DROPEFFECT_COPY), DROPEFFECT_COPY);
  EXPECT_TRUE(DirectoryExists(old + "/private"));
  EXPECT_TRUE(DirectoryExists(home + "/Videos/private"));
  EXPECT_EQ(DropIntoFolder(old, {home + "/Desktop/note.txt"}, DROPEFFECT_LINK), DROPEFFECT_LINK);
  struct stat link;
  EXPECT_EQ(lstat((old + "/note.txt").c_str(), &link), 0);
  EXPECT_TRUE(S_ISLNK(link.st_mode));
}

}  // namespace
