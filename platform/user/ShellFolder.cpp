// The desktop folder and the folders below it, each over its absolute ID list.

#include "user/ShellFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "rtl/FileUtils.h"
#include "rtl/WideText.h"
#include "user/MessageNumbers.h"
#include "user/Shell.h"
#include "user/ShellFileInfo.h"

namespace {

class TShellAllocator : public TInterfacedObject, public IMalloc {
  TAVREN_CLASS(TShellAllocator, TInterfacedObject)
 public:
  void* Alloc(size_t size) override { return std::malloc(size); }
  void* Realloc(void* block, size_t size) override { return std::realloc(block, size); }
  void Free(void* block) override { std::free(block); }
};

using ListPtr = std::unique_ptr<ITEMIDLIST, void (*)(LPITEMIDLIST)>;
ListPtr Own(LPITEMIDLIST list) { return ListPtr(list, ILFree); }

class TItemEnumerator : public TInterfacedObject, public IEnumIDList {
  TAVREN_CLASS(TItemEnumerator, TInterfacedObject)
 public:
  explicit TItemEnumerator(std::vector<ShellItemName> items) : FItems(std::move(items)) {}
  HRESULT Next(ULONG count, LPITEMIDLIST* items, ULONG* fetched) override {
    if (!items) return E_INVALIDARG;
    ULONG n = 0;
    for (; n < count && FPosition < FItems.size(); ++n) items[n] = ILFromNames({FItems[FPosition++]});
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  HRESULT Skip(ULONG count) override {
    FPosition = std::min(FItems.size(), FPosition + count);
    return FPosition < FItems.size() ? S_OK : S_FALSE;
  }
  HRESULT Reset() override {
    FPosition = 0;
    return S_OK;
  }

 private:
  std::vector<ShellItemName> FItems;
  size_t FPosition = 0;
};

// The tip of one item: its type, and for a file its size and modification time.
class TItemInfoTip : public TInterfacedObject, public IQueryInfo {
  TAVREN_CLASS(TItemInfoTip, TInterfacedObject)
 public:
  explicit TItemInfoTip(LPCITEMIDLIST item) : FItem(Own(ILClone(item))) {}
  HRESULT GetInfoTip(DWORD, WideChar** tip) override {
    if (!tip) return E_INVALIDARG;
    *tip = nullptr;
    SHFILEINFO info{};
    if (!SHGetFileInfo(reinterpret_cast<const char*>(FItem.get()), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_TYPENAME))
      return E_FAIL;
    String text = String("Type: ") + info.szTypeName;
    struct stat status;
    const String path = ShellPathOf(FItem.get());
    if (!path.empty() && stat(path.c_str(), &status) == 0) {
      if (!S_ISDIR(status.st_mode)) text += "\nSize: " + std::to_string((status.st_size + 1023) / 1024) + " KB";
      char stamp[32];
      std::tm local{};
      if (localtime_r(&status.st_mtime, &local) && std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M", &local))
        text += String("\nDate modified: ") + stamp;
    }
    WideString wide = UTF8Decode(text);
    auto* copy = static_cast<WideChar*>(std::malloc((wide.size() + 1) * sizeof(WideChar)));
    if (!copy) return E_FAIL;
    std::memcpy(copy, wide.c_str(), (wide.size() + 1) * sizeof(WideChar));
    *tip = copy;
    return S_OK;
  }
  HRESULT GetInfoFlags(DWORD* flags) override {
    if (flags) *flags = 0;
    return S_OK;
  }

 private:
  ListPtr FItem;
};

// A file-system folder as a drop target: it takes items whose paths the data holds, never itself
// or a folder above it, and never over a name it has.
class TFolderDropTarget : public TInterfacedObject, public IDropTarget {
  TAVREN_CLASS(TFolderDropTarget, TInterfacedObject)
 public:
  explicit TFolderDropTarget(const String& Folder) : FFolder(Folder) {}

  HRESULT DragEnter(IDataObject* data, DWORD keyState, POINT, DWORD* effect) override {
    FSources.clear();
    std::vector<LPITEMIDLIST> lists;
    if (ShellIdListsOf(data, &lists)) {
      for (LPITEMIDLIST list : lists) {
        const String path = ShellPathOf(list);
        ILFree(list);
        if (path.empty()) {
          FSources.clear();
          break;
        }
        FSources.push_back(path);
      }
    } else {
      for (LPITEMIDLIST list : lists) ILFree(list);
    }
    return DragOver(keyState, POINT{0, 0}, effect);
  }
  HRESULT DragOver(DWORD keyState, POINT, DWORD* effect) override {
    if (!effect) return E_INVALIDARG;
    *effect = FolderDropEffect(FFolder, FSources, keyState, *effect);
    return S_OK;
  }
  HRESULT DragLeave() override {
    FSources.clear();
    return S_OK;
  }
  HRESULT Drop(IDataObject* data, DWORD keyState, POINT point, DWORD* effect) override {
    if (!effect) return E_INVALIDARG;
    DragEnter(data, keyState, point, effect);
    *effect = *effect ? DropIntoFolder(FFolder, FSources, *effect) : DROPEFFECT_NONE;
    FSources.clear();
    return S_OK;
  }

 private:
  String FFolder;
  std::vector<String> FSources;
};

// The menu of one or more items of a folder.
class TItemsContextMenu : public TInterfacedObject, public IContextMenu2 {
  TAVREN_CLASS(TItemsContextMenu, TInterfacedObject)
 public:
  explicit TItemsContextMenu(std::vector<ListPtr> Items) : FItems(std::move(Items)) {}

  HRESULT QueryContextMenu(HMENU menu, UINT index, UINT first, UINT last, UINT flags) override {
    if (!IsMenu(menu)) return E_INVALIDARG;
    if (last < first + kvcmdMoveToTrash) return E_FAIL;
    const bool one = FItems.size() == 1;
    const DWORD attributes = CommonAttributes();
    const UINT openState = MF_DEFAULT | (Paths().empty() ? MF_GRAYED : 0);
    InsertMenuA(menu, index, MF_BYPOSITION | MF_STRING | openState, first + kvcmdOpen, "Open");
    if (flags & CMF_DEFAULTONLY) return static_cast<HRESULT>(1);
    const bool folder = one && (attributes & SFGAO_FOLDER) && (attributes & SFGAO_DROPTARGET);
    InsertMenuA(menu, index + 1, MF_BYPOSITION | MF_STRING | (folder ? 0 : MF_GRAYED), first + kvcmdNewFolder,
                "New Folder");
    const bool trash = (attributes & SFGAO_FILESYSTEM) && (attributes & SFGAO_CANDELETE);
    InsertMenuA(menu, index + 2, MF_BYPOSITION | MF_STRING | (trash ? 0 : MF_GRAYED), first + kvcmdMoveToTrash,
                "Move to Trash");
    return static_cast<HRESULT>(kvcmdMoveToTrash + 1);
  }

  HRESULT InvokeCommand(CMINVOKECOMMANDINFO* info) override {
    if (!info || !info->lpVerb) return E_INVALIDARG;
    const auto raw = reinterpret_cast<uintptr_t>(info->lpVerb);
    UINT command;
    if (raw < 0x10000) {
      command = static_cast<UINT>(raw);
    } else if (!std::strcmp(info->lpVerb, "open")) {
      command = kvcmdOpen;
    } else if (!std::strcmp(info->lpVerb, "newfolder")) {
      command = kvcmdNewFolder;
    } else if (!std::strcmp(info->lpVerb, "delete")) {
      command = kvcmdMoveToTrash;
    } else {
      return E_INVALIDARG;
    }
    const std::vector<String> paths = Paths();
    if (paths.empty()) return E_FAIL;
    switch (command) {
      case kvcmdOpen:
        for (const String& path : paths) ShellExecute(info->hwnd, "open", path.c_str(), nullptr, nullptr, info->nShow);
        return S_OK;
      case kvcmdNewFolder:
        return paths.size() == 1 && MakeNewFolder(paths[0]) ? S_OK : E_FAIL;
      case kvcmdMoveToTrash: {
        bool all = true;
        for (const String& path : paths) all = MoveToTrash(path) && all;
        return all ? S_OK : E_FAIL;
      }
      default:
        return E_INVALIDARG;
    }
  }

  HRESULT GetCommandString(UINT_PTR command, UINT, UINT*, char* name, UINT max) override {
    static const char* const kVerbs[] = {"open", "newfolder", "delete"};
    if (command > kvcmdMoveToTrash || !name || max == 0) return E_INVALIDARG;
    std::strncpy(name, kVerbs[command], max - 1);
    name[max - 1] = '\0';
    return S_OK;
  }

  HRESULT HandleMenuMsg(UINT, WPARAM, LPARAM) override { return S_OK; }

 private:
  DWORD CommonAttributes() const {
    DWORD common = 0xFFFFFFFF;
    for (const ListPtr& item : FItems) common &= ShellAttributesOf(item.get());
    return FItems.empty() ? 0 : common;
  }
  std::vector<String> Paths() const {
    std::vector<String> paths;
    for (const ListPtr& item : FItems) {
      String path = ShellPathOf(item.get());
      if (path.empty()) return {};
      paths.push_back(path);
    }
    return paths;
  }
  // "New Folder", else "New Folder (2)" and so on: never an existing name.
  static bool MakeNewFolder(const String& Parent) {
    const String base = (Parent == "/" ? "" : Parent) + "/New Folder";
    for (int i = 1; i < 1000; ++i) {
      const String path = i == 1 ? base : base + " (" + std::to_string(i) + ")";
      if (mkdir(path.c_str(), 0777) == 0) return true;
      if (errno != EEXIST) return false;
    }
    return false;
  }

  std::vector<ListPtr> FItems;
};

class TShellFolder : public TInterfacedObject, public IShellFolder {
  TAVREN_CLASS(TShellFolder, TInterfacedObject)
 public:
  explicit TShellFolder(LPCITEMIDLIST list) : FList(Own(ILClone(list))) {}

  HRESULT ParseDisplayName(HWND, void*, const char* name, ULONG* eaten, LPITEMIDLIST* list,
                           ULONG* attributes) override {
    if (!name || !list) return E_INVALIDARG;
    *list = nullptr;
    String path = name;
    String base = ShellPathOf(FList.get());
    if (NativePathIsRelative(path)) {
      if (base.empty()) return E_INVALIDARG;
      path = base + "/" + path;
    }
    LPITEMIDLIST absolute = nullptr;
    HRESULT result = ShellParsePath(path, &absolute);
    if (result != S_OK) return result;
    ListPtr owned = Own(absolute);
    LPCITEMIDLIST relative = Below(absolute);
    if (!relative) return E_INVALIDARG;  // not inside this folder
    *list = ILClone(relative);
    if (eaten) *eaten = static_cast<ULONG>(std::strlen(name));
    if (attributes) *attributes = ShellAttributesOf(absolute) & *attributes;
    return S_OK;
  }

  HRESULT EnumObjects(HWND, DWORD flags, IEnumIDList** items) override {
    if (!items) return E_INVALIDARG;
    *items = nullptr;
    std::vector<ShellItemName> children;
    if (!ShellEnumerate(FList.get(), flags, &children)) return E_FAIL;
    TInterfacePtr<IEnumIDList> enumerator(new TItemEnumerator(std::move(children)));
    return enumerator->QueryInterface(IEnumIDList::IID, reinterpret_cast<void**>(items));
  }

  HRESULT BindToObject(LPCITEMIDLIST list, void*, const TInterfaceId& iid, void** folder) override {
    if (!folder) return E_INVALIDARG;
    *folder = nullptr;
    if (ILIsEmpty(list)) return E_INVALIDARG;
    ListPtr absolute = Own(ILCombine(FList.get(), list));
    if (!(ShellAttributesOf(absolute.get()) & SFGAO_FOLDER)) return E_FAIL;
    TInterfacePtr<IShellFolder> bound(new TShellFolder(absolute.get()));
    return bound->QueryInterface(iid, folder);
  }

  static HRESULT DropTargetOf(LPCITEMIDLIST absolute, void** object) {
    const DWORD attributes = ShellAttributesOf(absolute);
    const String path = ShellPathOf(absolute);
    if (!(attributes & SFGAO_FOLDER) || !(attributes & SFGAO_DROPTARGET) || path.empty()) return E_FAIL;
    *object = static_cast<IDropTarget*>(new TFolderDropTarget(path));
    static_cast<IDropTarget*>(*object)->_AddRef();
    return S_OK;
  }

  HRESULT CompareIDs(LPARAM, LPCITEMIDLIST first, LPCITEMIDLIST second) override {
    std::vector<ShellItemName> a, b;
    if (!ILToNames(first, &a) || !ILToNames(second, &b)) return E_INVALIDARG;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
      int order = static_cast<int>(a[i].Kind) - static_cast<int>(b[i].Kind);
      if (order == 0) order = a[i].Name.compare(b[i].Name);
      if (order != 0) return Answer(order);
    }
    return Answer(static_cast<int>(a.size()) - static_cast<int>(b.size()));
  }

  HRESULT GetAttributesOf(UINT count, LPCITEMIDLIST* items, ULONG* attributes) override {
    if (!attributes || (count && !items)) return E_INVALIDARG;
    ULONG common = count ? ~0u : ShellAttributesOf(FList.get());
    for (UINT i = 0; i < count; ++i) {
      ListPtr absolute = Own(ILCombine(FList.get(), items[i]));
      common &= ShellAttributesOf(absolute.get());
    }
    *attributes = *attributes ? *attributes & common : common;
    return S_OK;
  }

  HRESULT GetDisplayNameOf(LPCITEMIDLIST item, DWORD flags, STRRET* name) override {
    if (!name) return E_INVALIDARG;
    ListPtr absolute = Own(ILCombine(FList.get(), item));
    std::vector<ShellItemName> names;
    if (!ILToNames(absolute.get(), &names)) return E_INVALIDARG;
    String text = ShellDisplayNameOf(absolute.get(), flags);
    if (text.empty() && !names.empty()) return E_FAIL;
    if (text.size() < sizeof name->cStr) {
      name->uType = STRRET_CSTR;
      std::memcpy(name->cStr, text.c_str(), text.size() + 1);
      return S_OK;
    }
    WideString wide = UTF8Decode(text);
    auto* copy = static_cast<WideChar*>(std::malloc((wide.size() + 1) * sizeof(WideChar)));
    if (!copy) return E_FAIL;
    std::memcpy(copy, wide.c_str(), (wide.size() + 1) * sizeof(WideChar));
    name->uType = STRRET_WSTR;
    name->pOleStr = copy;
    return S_OK;
  }

  HRESULT GetUIObjectOf(HWND, UINT count, LPCITEMIDLIST* items, const TInterfaceId& iid, UINT*,
                        void** object) override {
    if (!object) return E_INVALIDARG;
    *object = nullptr;
    if (&iid == &IContextMenu::IID || &iid == &IContextMenu2::IID) {
      if (count == 0 || !items) return E_INVALIDARG;
      std::vector<ListPtr> absolute;
      for (UINT i = 0; i < count; ++i) {
        if (!items[i]) return E_INVALIDARG;
        absolute.push_back(Own(ILCombine(FList.get(), items[i])));
        if (!ShellAttributesOf(absolute.back().get())) return E_FAIL;
      }
      TInterfacePtr<IContextMenu> menu(new TItemsContextMenu(std::move(absolute)));
      return menu->QueryInterface(iid, object);
    }
    if (&iid == &IDataObject::IID) {
      if (count == 0 || !items) return E_INVALIDARG;
      *object = CreateShellIdListData(FList.get(), count, items);
      return *object ? S_OK : E_FAIL;
    }
    if (&iid == &IDropTarget::IID) {
      if (count != 1 || !items || !items[0]) return E_INVALIDARG;
      ListPtr absolute = Own(ILCombine(FList.get(), items[0]));
      return DropTargetOf(absolute.get(), object);
    }
    if (&iid != &IQueryInfo::IID) return E_NOINTERFACE;
    if (count != 1 || !items || !items[0]) return E_INVALIDARG;
    ListPtr absolute = Own(ILCombine(FList.get(), items[0]));
    if (!ShellAttributesOf(absolute.get())) return E_FAIL;
    TInterfacePtr<IQueryInfo> tip(new TItemInfoTip(absolute.get()));
    return tip->QueryInterface(iid, object);
  }

  HRESULT CreateViewObject(HWND, const TInterfaceId& iid, void** object) override {
    if (!object) return E_INVALIDARG;
    *object = nullptr;
    if (&iid != &IDropTarget::IID) return E_NOINTERFACE;
    return DropTargetOf(FList.get(), object);
  }

  HRESULT SetNameOf(HWND, LPCITEMIDLIST item, const char* name, DWORD, LPITEMIDLIST* renamed) override {
    if (renamed) *renamed = nullptr;
    std::vector<ShellItemName> names;
    if (!name || !*name || std::strchr(name, '/') || !std::strcmp(name, ".") || !std::strcmp(name, "..") ||
        !ILToNames(item, &names) || names.size() != 1 || names[0].Kind != ShellItemKind::Entry)
      return E_INVALIDARG;
    ListPtr absolute = Own(ILCombine(FList.get(), item));
    String from = ShellPathOf(absolute.get());
    String folder = ShellPathOf(FList.get());
    if (from.empty() || folder.empty()) return E_FAIL;
    String to = (folder == "/" ? "" : folder) + "/" + name;
    struct stat taken;
    if (lstat(to.c_str(), &taken) == 0) return E_FAIL;  // never overwrites a name
    if (std::rename(from.c_str(), to.c_str()) != 0) return E_FAIL;
    if (renamed) *renamed = ILFromNames({{ShellItemKind::Entry, name}});
    return S_OK;
  }

 private:
  static HRESULT Answer(int order) { return order < 0 ? 0xFFFF : order > 0 ? 1 : 0; }
  static bool NativePathIsRelative(const String& path) { return path.empty() || (path[0] != '/' && path[0] != '\\'); }

  // The part of an absolute list below this folder; null when the list is not inside it.
  LPCITEMIDLIST Below(LPCITEMIDLIST absolute) const {
    UINT own = ILGetSize(FList.get()) - sizeof(USHORT);
    if (ILGetSize(absolute) < own + sizeof(USHORT) || std::memcmp(absolute, FList.get(), own) != 0) return nullptr;
    return reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(absolute) + own);
  }

  ListPtr FList;
};

TAVREN_CLASS_IMPL(TShellAllocator)
TAVREN_CLASS_IMPL(TItemEnumerator)
TAVREN_CLASS_IMPL(TShellFolder)
TAVREN_CLASS_IMPL(TItemInfoTip)
TAVREN_CLASS_IMPL(TItemsContextMenu)
TAVREN_CLASS_IMPL(TFolderDropTarget)

}  // namespace

HRESULT SHGetMalloc(IMalloc** allocator) {
  if (!allocator) return E_INVALIDARG;
  static TShellAllocator* shared = [] {
    auto* a = new TShellAllocator;
    a->_AddRef();  // kept for the process
    return a;
  }();
  return shared->QueryInterface(IMalloc::IID, reinterpret_cast<void**>(allocator));
}

HRESULT SHGetDesktopFolder(IShellFolder** folder) {
  if (!folder) return E_INVALIDARG;
  ListPtr desktop = Own(ILFromNames({}));
  TInterfacePtr<IShellFolder> root(new TShellFolder(desktop.get()));
  return root->QueryInterface(IShellFolder::IID, reinterpret_cast<void**>(folder));
}

bool MoveToTrash(const String& Path) {
  struct stat status;
  if (Path.empty() || Path == "/" || lstat(Path.c_str(), &status) != 0) return false;
  const String trash = ShellTrashPath();
  const String files = trash + "/files";
  const String info = trash + "/info";
  // The data folder itself may not exist yet.
  for (const String& dir : {files, info})
    if (!ForceDirectories(dir)) return false;
  const size_t slash = Path.find_last_of('/');
  const String name = slash == String::npos ? Path : Path.substr(slash + 1);
  // The record is made first and exclusively: the name it claims is then the item's alone.
  for (int i = 1; i < 10000; ++i) {
    const String stored = i == 1 ? name : name + "." + std::to_string(i);
    const String record = info + "/" + stored + ".trashinfo";
    const int fd = open(record.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return false;
    }
    struct stat taken;
    if (lstat((files + "/" + stored).c_str(), &taken) == 0) {
      close(fd);
      unlink(record.c_str());
      continue;
    }
    char stamp[32] = {};
    const time_t now = time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", &local);
    String encoded;
    for (unsigned char c : Path) {
      if (std::isalnum(c) || std::strchr("/-_.~", c)) {
        encoded += static_cast<char>(c);
      } else {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%%%02X", c);
        encoded += hex;
      }
    }
    const String text = "[Trash Info]\nPath=" + encoded + "\nDeletionDate=" + stamp + "\n";
    const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    if (!written || std::rename(Path.c_str(), (files + "/" + stored).c_str()) != 0) {
      unlink(record.c_str());
      return false;
    }
    return true;
  }
  return false;
}

namespace {

String NameOf(const String& Path) {
  const size_t slash = Path.find_last_of('/');
  return slash == String::npos ? Path : Path.substr(slash + 1);
}

// Whether Folder is Path itself or lies below it.
bool IsSelfOrBelow(const String& Folder, const String& Path) {
  return Folder == Path || (Folder.size() > Path.size() && Folder.compare(0, Path.size(), Path) == 0 &&
                            (Path == "/" || Folder[Path.size()] == '/'));
}

}  // namespace

DWORD FolderDropEffect(const String& Folder, const std::vector<String>& Sources, DWORD KeyState, DWORD Allowed) {
  struct stat target;
  if (Sources.empty() || stat(Folder.c_str(), &target) != 0 || !S_ISDIR(target.st_mode) ||
      access(Folder.c_str(), W_OK) != 0)
    return DROPEFFECT_NONE;
  bool sameVolume = true;
  for (const String& source : Sources) {
    struct stat item;
    if (lstat(source.c_str(), &item) != 0 || IsSelfOrBelow(Folder, source)) return DROPEFFECT_NONE;
    const size_t slash = source.find_last_of('/');
    const String parent = slash == 0 ? String("/") : source.substr(0, slash);
    // Into the folder it is in already: nothing to do.
    if (parent == Folder) return DROPEFFECT_NONE;
    sameVolume = sameVolume && item.st_dev == target.st_dev;
  }
  DWORD wanted;
  if ((KeyState & MK_CONTROL) && (KeyState & MK_SHIFT))
    wanted = DROPEFFECT_LINK;
  else if (KeyState & MK_CONTROL)
    wanted = DROPEFFECT_COPY;
  else if (KeyState & MK_SHIFT)
    wanted = DROPEFFECT_MOVE;
  else
    wanted = sameVolume ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
  if (Allowed & wanted) return wanted;
  for (DWORD fallback : {DROPEFFECT_MOVE, DROPEFFECT_COPY, DROPEFFECT_LINK})
    if (Allowed & fallback) return fallback;
  return DROPEFFECT_NONE;
}

DWORD DropIntoFolder(const String& Folder, const std::vector<String>& Sources, DWORD Effect) {
  namespace fs = std::filesystem;
  bool any = false;
  for (const String& source : Sources) {
    const String target = (Folder == "/" ? "" : Folder) + "/" + NameOf(source);
    struct stat taken;
    if (lstat(target.c_str(), &taken) == 0 || IsSelfOrBelow(Folder, source)) continue;  // never over a name
    std::error_code error;
    if (Effect == DROPEFFECT_LINK) {
      fs::create_symlink(source, target, error);
    } else if (Effect == DROPEFFECT_MOVE && std::rename(source.c_str(), target.c_str()) == 0) {
      error.clear();
    } else {
      fs::copy(source, target, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
      if (!error && Effect == DROPEFFECT_MOVE) fs::remove_all(source, error);
    }
    any = any || !error;
  }
  return any ? Effect : DROPEFFECT_NONE;
}
