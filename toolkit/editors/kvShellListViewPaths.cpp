// Typed folder paths resolved to ID lists under a root, and the special-folder table.

#include <cstring>

#include "rtl/SysUtils.h"
#include "toolkit/editors/kvShellListView.h"

namespace {

const char kFromDesktopPrefix[] = "::{DB56C6B1-4234-4109-B4F2-EF8F6CF19FF6}";
const char kFromRootPrefix[] = "::{E0BEE4C6-FEC1-4D9E-AF61-9DD67E77E266}";
constexpr size_t kPrefixLength = 40;

std::array<TkvShellSpecialFolderInfoTableItem, 35> gSpecialFolders;

bool IsSeparator(char C) { return C == '/' || C == '\\'; }
bool IsLetter(char C) { return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z'); }

TInterfacePtr<IShellFolder> BindFolder(IShellFolder* Parent, LPCITEMIDLIST Item) {
  void* bound = nullptr;
  if (Parent->BindToObject(Item, nullptr, IShellFolder::IID, &bound) != S_OK || !bound) return nullptr;
  return TInterfacePtr<IShellFolder>::Attach(static_cast<IShellFolder*>(bound));
}

// The child whose display name equals Name ignoring case; nil when none or the folder cannot be
// enumerated.
LPITEMIDLIST FindChildByDisplayName(IShellFolder* Folder, const String& Name, Byte Filter, bool* Enumerated) {
  IEnumIDList* raw = nullptr;
  *Enumerated = Folder->EnumObjects(nullptr, EnumFlagsFromFilter(Filter), &raw) == S_OK && raw;
  if (!*Enumerated) return nullptr;
  auto items = TInterfacePtr<IEnumIDList>::Attach(raw);
  const String wanted = AnsiUpperCase(Name);
  LPITEMIDLIST id = nullptr;
  ULONG fetched = 0;
  while (items->Next(1, &id, &fetched) == S_OK && fetched == 1 && id) {
    if (AnsiUpperCase(GetItemDisplayName(Folder, id)) == wanted) {
      LPITEMIDLIST found = CopyIdList(id);
      ILFree(id);
      return found;
    }
    ILFree(id);
    id = nullptr;
  }
  return nullptr;
}

// "::{…}\\a\\b": each component among the children of the one before, from the desktop or the
// root. A component that matches nothing ends the search with nil.
LPITEMIDLIST ResolveGuidPath(const String& Path, TkvCustomShellRoot* Root, Byte Filter, bool FromRoot) {
  TInterfacePtr<IShellFolder> folder = FromRoot ? TInterfacePtr<IShellFolder>(Root->GetFolderIntf()) : GetDesktopFolder();
  LPITEMIDLIST current = FromRoot ? CopyIdList(Root->GetIdList()) : EmptyIdList();
  const String rest = Path.size() > kPrefixLength + 1 ? Path.substr(kPrefixLength + 1) : String();
  if (rest.empty() || !folder) {
    FreeIdList(current);
    return EmptyIdList();
  }
  std::vector<String> components;
  size_t start = 0;
  for (size_t i = 0; i <= rest.size(); ++i)
    if (i == rest.size() || rest[i] == '\\') {
      if (i > start) components.push_back(rest.substr(start, i - start));
      start = i + 1;
    }
  for (size_t c = 0; c < components.size(); ++c) {
    bool enumerated = false;
    LPITEMIDLIST child = FindChildByDisplayName(folder.Get(), components[c], Filter, &enumerated);
    if (!child) {
      FreeIdList(current);
      return nullptr;
    }
    LPITEMIDLIST joined = ConcatIdLists(current, child);
    FreeIdList(current);
    current = joined;
    if (c + 1 == components.size()) {
      FreeIdList(child);
      return current;
    }
    ULONG attributes = SFGAO_FOLDER;
    LPCITEMIDLIST item = child;
    const bool isFolder = folder->GetAttributesOf(1, &item, &attributes) == S_OK && (attributes & SFGAO_FOLDER);
    TInterfacePtr<IShellFolder> next = isFolder ? BindFolder(folder.Get(), child) : nullptr;
    FreeIdList(child);
    if (!next) {
      FreeIdList(current);
      return nullptr;
    }
    folder = next;
  }
  FreeIdList(current);
  return nullptr;
}

}  // namespace

DWORD EnumFlagsFromFilter(Byte Filter) {
  return ((Filter & kvsfNonFolders) ? SHCONTF_NONFOLDERS : 0) | ((Filter & kvsfFolders) ? SHCONTF_FOLDERS : 0) |
         ((Filter & kvsfHidden) ? SHCONTF_INCLUDEHIDDEN : 0);
}

bool PassesFilter(Byte Filter, DWORD Attributes) {
  const bool folder = (Attributes & SFGAO_FOLDER) != 0;
  return (!(Attributes & SFGAO_HIDDEN) || (Filter & kvsfHidden)) && (folder || (Filter & kvsfNonFolders)) &&
         (!folder || (Filter & kvsfFolders));
}

Integer ClassifyPath(String& Path) {
  if (Path.empty()) return kvpkUnusable;
  if (Path.size() > 1 && IsSeparator(Path.back()) && Path[Path.size() - 2] != ':') Path.pop_back();
  if (Path.size() > 2 && Path[0] == '\\' && Path[1] == '\\') return kvpkNetwork;
  if (Path.size() >= kPrefixLength) {
    const String head = UpperCase(Path.substr(0, kPrefixLength));
    if (head == kFromDesktopPrefix) return kvpkFromDesktop;
    if (head == kFromRootPrefix) return kvpkFromRoot;
  }
  if (Path.compare(0, 3, "::{") == 0) return kvpkNamespace;
  if (IsSeparator(Path[0])) return kvpkAbsolute;
  // A drive letter and a colon: there are no drives here.
  if (Path.size() >= 2 && IsLetter(Path[0]) && Path[1] == ':') return kvpkUnusable;
  return kvpkRelative;
}

LPITEMIDLIST FindChildByName(IShellFolder* Folder, const String& Name, Byte Filter) {
  if (!Folder) return nullptr;
  ULONG eaten = 0, attributes = SFGAO_FOLDER | SFGAO_HIDDEN;
  LPITEMIDLIST parsed = nullptr;
  if (Folder->ParseDisplayName(nullptr, nullptr, Name.c_str(), &eaten, &parsed, &attributes) == S_OK && parsed) {
    LPITEMIDLIST answer = PassesFilter(Filter, attributes) ? CopyIdList(parsed) : nullptr;
    ILFree(parsed);
    return answer;
  }
  bool enumerated = false;
  return FindChildByDisplayName(Folder, Name, Filter, &enumerated);
}

String BuildDisplayPath(LPCITEMIDLIST List, bool Full) {
  if (Full) {
    String path = IdListToPath(List);
    if (!path.empty()) return path;
  }
  TInterfacePtr<IShellFolder> folder = GetDesktopFolder();
  String text;
  for (LPCITEMIDLIST item = List; item && item->mkid.cb; item = NextItemId(item)) {
    LPITEMIDLIST single = FirstItemId(item);
    const bool last = !NextItemId(item) || NextItemId(item)->mkid.cb == 0;
    STRRET name;
    if (Full || last) {
      if (folder->GetDisplayNameOf(single, Full ? SHGDN_INFOLDER : SHGDN_NORMAL, &name) != S_OK) {
        FreeIdList(single);
        break;
      }
      const String part = StrRetToText(name, single);
      text = Full && !text.empty() ? text + "/" + part : part;
    }
    TInterfacePtr<IShellFolder> next = last ? nullptr : BindFolder(folder.Get(), single);
    FreeIdList(single);
    if (!next) break;
    folder = next;
  }
  return text;
}

LPITEMIDLIST ParsePath(const String& Path, TkvCustomShellRoot* Root, Byte Filter, bool RestrictToRoot) {
  Root->EnsureResolved();
  if (Path.empty()) return CopyIdList(Root->GetIdList());
  // File names are case-sensitive: the text is taken as typed; only display names match ignoring case.
  String text = Path;
  LPITEMIDLIST result = nullptr;
  switch (ClassifyPath(text)) {
    case kvpkRelative: {
      if (LPITEMIDLIST child = FindChildByName(Root->GetFolderIntf(), text, Filter)) {
        result = ConcatIdLists(Root->GetIdList(), child);
        FreeIdList(child);
        break;
      }
      const String upper = AnsiUpperCase(text);
      for (const TkvShellSpecialFolderInfoTableItem& entry : gSpecialFolders)
        if (entry.FolderIdList && entry.UpperName == upper && PassesFilter(Filter, entry.FolderAttributes)) {
          result = CopyIdList(entry.FolderIdList);
          break;
        }
      break;
    }
    case kvpkAbsolute:
    case kvpkNetwork:
    case kvpkNamespace: result = FindChildByName(GetDesktopFolder().Get(), text, Filter); break;
    case kvpkFromDesktop: result = ResolveGuidPath(text, Root, Filter, false); break;
    case kvpkFromRoot: result = ResolveGuidPath(text, Root, Filter, true); break;
    default: break;
  }
  if (result && RestrictToRoot && !IsIdListPrefix(Root->GetIdList(), result)) {
    FreeIdList(result);
    result = nullptr;
  }
  return result;
}

const std::array<TkvShellSpecialFolderInfoTableItem, 35>& SpecialFolderTable() { return gSpecialFolders; }

void kvShellListViewStart() {
  TInterfacePtr<IShellFolder> desktop = GetDesktopFolder();
  for (int csidl = 0; csidl < static_cast<int>(gSpecialFolders.size()); ++csidl) {
    TkvShellSpecialFolderInfoTableItem& entry = gSpecialFolders[static_cast<size_t>(csidl)];
    entry = TkvShellSpecialFolderInfoTableItem();
    LPITEMIDLIST list = nullptr;
    if (SHGetSpecialFolderLocation(nullptr, csidl, &list) != S_OK || !list) continue;
    ULONG attributes = SFGAO_FOLDER | SFGAO_HIDDEN;
    LPCITEMIDLIST whole = list;
    // An unreadable folder leaves its entry empty instead of stopping the program's start.
    if (desktop->GetAttributesOf(1, &whole, &attributes) != S_OK) {
      ILFree(list);
      continue;
    }
    entry.FolderIdList = CopyIdList(list);
    ILFree(list);
    entry.FolderAttributes = attributes & (SFGAO_FOLDER | SFGAO_HIDDEN);
    entry.FolderName = BuildDisplayPath(entry.FolderIdList, false);
    entry.UpperName = AnsiUpperCase(entry.FolderName);
    entry.UpperPath = AnsiUpperCase(IdListToPath(entry.FolderIdList));
  }
}

void kvShellListViewEnd() {
  for (TkvShellSpecialFolderInfoTableItem& entry : gSpecialFolders) {
    FreeIdList(entry.FolderIdList);
    entry = TkvShellSpecialFolderInfoTableItem();
  }
}
