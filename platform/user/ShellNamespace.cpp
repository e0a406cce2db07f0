// The shell namespace: which folder of the disk, if any, stands behind an item, and what the
// item looks like to the user.

#include "user/ShellNamespace.h"

#include "user/Shell.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

#include "rtl/FileUtils.h"

namespace {

String SpecialFolder(int csidl) {
  char path[MAX_PATH];
  return SHGetFolderPath(nullptr, csidl, nullptr, 0, path) == S_OK ? String(path) : String();
}

String HomePath() { return SpecialFolder(CSIDL_PROFILE); }

// The desktop folder, or empty when the desktop is the home folder itself (then its entries are
// already under "Home").
String DesktopPath() {
  String desktop = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
  return desktop == HomePath() ? String() : desktop;
}

String TrashFilesPath() { return SpecialFolder(CSIDL_LOCAL_APPDATA) + "/Trash/files"; }

String JoinPath(const String& folder, const String& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

// Undoes the escapes of byte values: \040 (octal) in the mount table, \x20 (hexadecimal) in the
// names of /dev/disk/by-label.
String Unescape(const String& text, const String& marker, size_t digits, int base) {
  String out;
  for (size_t i = 0; i < text.size(); ++i) {
    size_t end = i + marker.size() + digits;
    if (text.compare(i, marker.size(), marker) == 0 && end <= text.size() &&
        std::isxdigit(static_cast<unsigned char>(text[i + marker.size()]))) {
      out += static_cast<char>(std::strtol(text.substr(i + marker.size(), digits).c_str(), nullptr, base));
      i = end - 1;
    } else {
      out += text[i];
    }
  }
  return out;
}

String UnescapeOctal(const String& text) { return Unescape(text, "\\", 3, 8); }

String RealPath(const String& path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) ? String(resolved) : String();
}

String LabelOf(const String& device) {
  String target = RealPath(device);
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir("/dev/disk/by-label"), closedir);
  if (!dir || target.empty()) return "";
  while (dirent* entry = readdir(dir.get())) {
    if (entry->d_name[0] == '.') continue;
    if (RealPath(String("/dev/disk/by-label/") + entry->d_name) == target) return Unescape(entry->d_name, "\\x", 2, 16);
  }
  return "";
}

bool ReadsOne(const String& file) {
  std::ifstream in(file);
  int value = 0;
  return (in >> value) && value == 1;
}

// A partition tells through its disk, the folder above it under /sys.
bool IsRemovable(const String& device) {
  String name = ExtractFileName(RealPath(device));
  if (name.empty()) return false;
  String block = RealPath("/sys/class/block/" + name);
  if (block.empty()) return false;
  if (FileExists(block + "/removable")) return ReadsOne(block + "/removable");
  return ReadsOne(ExtractFileDir(block) + "/removable");
}

// What stands behind an item: the folder or file on disk (Storage, empty for "Computer"), and
// whether the item counts as part of the file system (the trash does not, its files do).
struct Resolved {
  ShellItemKind Kind = ShellItemKind::Computer;  // unused for the desktop
  bool IsDesktop = true;
  String Storage;
  String Name;  // the user's name of the item
  bool InFileSystem = false;
  bool Removable = false;
};

const ShellVolume* FindVolume(const std::vector<ShellVolume>& volumes, const String& mountPoint) {
  for (const ShellVolume& v : volumes)
    if (v.MountPoint == mountPoint) return &v;
  return nullptr;
}

bool Resolve(LPCITEMIDLIST list, Resolved* item) {
  std::vector<ShellItemName> names;
  if (!ILToNames(list, &names)) return false;
  *item = Resolved();
  item->Storage = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
  item->Name = "Desktop";
  item->InFileSystem = true;
  for (size_t i = 0; i < names.size(); ++i) {
    const ShellItemName& n = names[i];
    item->IsDesktop = false;
    bool atDesktop = i == 0;
    bool atComputer = i == 1 && names[0].Kind == ShellItemKind::Computer;
    switch (n.Kind) {
      case ShellItemKind::Home:
        if (!atDesktop) return false;
        *item = {n.Kind, false, HomePath(), "Home", true, false};
        break;
      case ShellItemKind::Computer:
        if (!atDesktop) return false;
        *item = {n.Kind, false, "", "Computer", false, false};
        break;
      case ShellItemKind::Trash:
        if (!atDesktop) return false;
        *item = {n.Kind, false, TrashFilesPath(), "Trash", false, false};
        break;
      case ShellItemKind::FileSystem:
        if (!atComputer) return false;
        *item = {n.Kind, false, "/", "File System", true, false};
        break;
      case ShellItemKind::Volume: {
        if (!atComputer) return false;
        std::vector<ShellVolume> volumes = ShellVolumes();
        const ShellVolume* volume = FindVolume(volumes, n.Name);
        if (!volume) return false;
        *item = {n.Kind, false, volume->MountPoint, volume->Label, true, volume->Removable};
        break;
      }
      case ShellItemKind::Entry: {
        if (item->Storage.empty() || n.Name.empty() || n.Name == "." || n.Name == ".." ||
            n.Name.find('/') != String::npos)
          return false;
        if (atDesktop && DesktopPath().empty()) return false;
        *item = {n.Kind, false, JoinPath(item->Storage, n.Name), n.Name, true, item->Removable};
        break;
      }
      default:
        return false;
    }
  }
  return true;
}

bool IsFolderPath(const String& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Writable(const String& path) { return access(path.c_str(), W_OK) == 0; }

// Names listed in a folder's ".hidden" file, one a line.
std::vector<String> HiddenNames(const String& folder) {
  std::vector<String> names;
  std::ifstream file(JoinPath(folder, ".hidden"));
  String line;
  while (std::getline(file, line))
    if (!line.empty()) names.push_back(line);
  return names;
}

bool Listed(const std::vector<String>& names, const String& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

bool HasSubfolder(const String& folder) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
  if (!dir) return false;
  while (dirent* entry = readdir(dir.get())) {
    if (!std::strcmp(entry->d_name, ".") || !std::strcmp(entry->d_name, "..")) continue;
    if (entry->d_type == DT_DIR) return true;
    if ((entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) && IsFolderPath(JoinPath(folder, entry->d_name)))
      return true;
  }
  return false;
}

DWORD FolderAttributes(const String& storage) {
  DWORD attributes = SFGAO_FOLDER | SFGAO_FILESYSANCESTOR;
  if (Writable(storage)) attributes |= SFGAO_DROPTARGET;
  if (HasSubfolder(storage)) attributes |= SFGAO_HASSUBFOLDER;
  return attributes;
}

DWORD EntryAttributes(const String& path, const String& name) {
  struct stat link;
  if (lstat(path.c_str(), &link) != 0) return 0;
  DWORD attributes = SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANLINK;
  if (S_ISLNK(link.st_mode)) attributes |= SFGAO_LINK;
  if (IsFolderPath(path)) attributes |= FolderAttributes(path);
  String folder = ExtractFileDir(path);
  if (folder.empty()) folder = "/";
  if (Writable(folder)) attributes |= SFGAO_CANRENAME | SFGAO_CANMOVE | SFGAO_CANDELETE;
  if (name[0] == '.' || Listed(HiddenNames(folder), name)) attributes |= SFGAO_HIDDEN;
  return attributes;
}

// Splits an absolute path into names, following "." and ".." by name; false for a relative one.
bool SplitAbsolute(const String& path, std::vector<String>* names) {
  String native = NativePath(path);
  if (native.empty() || native[0] != '/') return false;
  names->clear();
  std::stringstream parts(native);
  String part;
  while (std::getline(parts, part, '/')) {
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!names->empty()) names->pop_back();
      continue;
    }
    names->push_back(part);
  }
  return true;
}

String Joined(const std::vector<String>& names, size_t count) {
  String path;
  for (size_t i = 0; i < count; ++i) path += "/" + names[i];
  return path.empty() ? "/" : path;
}

// How many leading names of `names` spell out `anchor`; -1 when the anchor does not hold them.
int AnchorDepth(const String& anchor, const std::vector<String>& names) {
  std::vector<String> parts;
  if (anchor.empty() || !SplitAbsolute(anchor, &parts) || parts.size() > names.size()) return -1;
  for (size_t i = 0; i < parts.size(); ++i)
    if (parts[i] != names[i]) return -1;
  return static_cast<int>(parts.size());
}

}  // namespace

std::vector<ShellVolume> ShellVolumes() {
  const char* table = std::getenv("TAVREN_MOUNTINFO");
  std::ifstream file(table && *table ? table : "/proc/self/mountinfo");
  std::vector<ShellVolume> volumes;
  String line;
  while (std::getline(file, line)) {
    std::istringstream fields(line);
    std::vector<String> words;
    String word;
    while (fields >> word) words.push_back(word);
    auto dash = std::find(words.begin(), words.end(), "-");
    if (words.size() < 5 || dash == words.end() || words.end() - dash < 3) continue;
    String root = UnescapeOctal(words[3]);
    String mountPoint = UnescapeOctal(words[4]);
    String source = UnescapeOctal(*(dash + 2));
    if (root != "/" || mountPoint == "/" || source.rfind("/dev/", 0) != 0 || !IsFolderPath(mountPoint)) continue;
    if (FindVolume(volumes, mountPoint)) continue;
    String label = LabelOf(source);
    volumes.push_back({mountPoint, label.empty() ? ExtractFileName(mountPoint) : label, IsRemovable(source)});
  }
  return volumes;
}

HRESULT ShellParsePath(const String& path, LPITEMIDLIST* list) {
  if (!list) return E_INVALIDARG;
  *list = nullptr;
  std::vector<String> names;
  if (!SplitAbsolute(path, &names)) return E_INVALIDARG;
  struct stat info;
  if (lstat(Joined(names, names.size()).c_str(), &info) != 0) return HRESULT_FILE_NOT_FOUND;

  std::vector<ShellItemName> ids = {{ShellItemKind::Computer, ""}, {ShellItemKind::FileSystem, ""}};
  int depth = 0;
  int home = AnchorDepth(HomePath(), names);
  if (home > depth) {
    depth = home;
    ids = {{ShellItemKind::Home, ""}};
  }
  for (const ShellVolume& volume : ShellVolumes()) {
    int at = AnchorDepth(volume.MountPoint, names);
    if (at > depth) {
      depth = at;
      ids = {{ShellItemKind::Computer, ""}, {ShellItemKind::Volume, volume.MountPoint}};
    }
  }
  for (size_t i = static_cast<size_t>(depth); i < names.size(); ++i) ids.push_back({ShellItemKind::Entry, names[i]});
  *list = ILFromNames(ids);
  return *list ? S_OK : E_INVALIDARG;
}

String ShellPathOf(LPCITEMIDLIST list) {
  Resolved item;
  return Resolve(list, &item) && item.InFileSystem ? item.Storage : String();
}

BOOL SHGetPathFromIDList(LPCITEMIDLIST list, char* path) {
  if (!path) return FALSE;
  path[0] = 0;
  String found = ShellPathOf(list);
  if (found.empty() || found.size() >= static_cast<size_t>(MAX_PATH)) return FALSE;
  std::memcpy(path, found.c_str(), found.size() + 1);
  return TRUE;
}

DWORD ShellAttributesOf(LPCITEMIDLIST list) {
  Resolved item;
  if (!Resolve(list, &item)) return 0;
  if (item.IsDesktop) {
    DWORD attributes = SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER;
    return IsFolderPath(item.Storage) ? attributes | FolderAttributes(item.Storage) | SFGAO_FILESYSTEM : attributes;
  }
  switch (item.Kind) {
    case ShellItemKind::Computer:
      return SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER;
    case ShellItemKind::Trash:
      return IsFolderPath(item.Storage) ? FolderAttributes(item.Storage) : SFGAO_FOLDER | SFGAO_DROPTARGET;
    case ShellItemKind::Entry: {
      DWORD attributes = EntryAttributes(item.Storage, item.Name);
      if (attributes && item.Removable) attributes |= SFGAO_REMOVABLE;
      return attributes;
    }
    default:  // home, the file system and the volumes
      if (!IsFolderPath(item.Storage)) return 0;
      return FolderAttributes(item.Storage) | SFGAO_FILESYSTEM | (item.Removable ? SFGAO_REMOVABLE : 0);
  }
}

String ShellDisplayNameOf(LPCITEMIDLIST list, DWORD flags) {
  Resolved item;
  if (!Resolve(list, &item)) return "";
  if ((flags & SHGDN_FORPARSING) && item.InFileSystem) return item.Storage;
  return item.Name;
}

bool ShellEnumerate(LPCITEMIDLIST folder, DWORD flags, std::vector<ShellItemName>* children) {
  children->clear();
  Resolved item;
  if (!Resolve(folder, &item)) return false;
  bool folders = flags & SHCONTF_FOLDERS;
  if (ILIsEmpty(folder)) {
    if (folders) *children = {{ShellItemKind::Home, ""}, {ShellItemKind::Computer, ""}, {ShellItemKind::Trash, ""}};
    if (DesktopPath().empty()) return true;
  } else if (!item.IsDesktop && item.Kind == ShellItemKind::Computer) {
    if (!folders) return true;
    children->push_back({ShellItemKind::FileSystem, ""});
    for (const ShellVolume& volume : ShellVolumes()) children->push_back({ShellItemKind::Volume, volume.MountPoint});
    return true;
  }
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(item.Storage.c_str()), closedir);
  // Without its folder the desktop still holds its anchors, and a trash never used is empty.
  if (!dir) return ILIsEmpty(folder) || (!item.IsDesktop && item.Kind == ShellItemKind::Trash);
  std::vector<String> hidden = HiddenNames(item.Storage);
  std::vector<String> names;
  while (dirent* entry = readdir(dir.get())) {
    String name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (!(flags & SHCONTF_INCLUDEHIDDEN) && (name[0] == '.' || Listed(hidden, name))) continue;
    bool isFolder = IsFolderPath(JoinPath(item.Storage, name));
    if (isFolder ? folders : (flags & SHCONTF_NONFOLDERS) != 0) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  for (const String& name : names) children->push_back({ShellItemKind::Entry, name});
  return true;
}

HRESULT SHGetSpecialFolderLocation(HWND, int csidl, LPITEMIDLIST* list) {
  if (!list) return E_INVALIDARG;
  *list = nullptr;
  switch (csidl & ~CSIDL_FLAG_CREATE) {
    case CSIDL_DESKTOP: *list = ILFromNames({}); break;
    case CSIDL_DRIVES: *list = ILFromNames({{ShellItemKind::Computer, ""}}); break;
    case CSIDL_BITBUCKET: *list = ILFromNames({{ShellItemKind::Trash, ""}}); break;
    case CSIDL_PROFILE: *list = ILFromNames({{ShellItemKind::Home, ""}}); break;
    default: {
      String path = SpecialFolder(csidl & ~CSIDL_FLAG_CREATE);
      if (path.empty() || !IsFolderPath(path)) return E_FAIL;
      return ShellParsePath(path, list) == S_OK ? S_OK : E_FAIL;
    }
  }
  return *list ? S_OK : E_FAIL;
}

String ShellTrashPath() { return SpecialFolder(CSIDL_LOCAL_APPDATA) + "/Trash"; }

BOOL ShellExecuteExA(SHELLEXECUTEINFOA* info) {
  if (!info) return FALSE;
  String file = info->lpFile ? info->lpFile : "";
  if ((info->fMask & SEE_MASK_INVOKEIDLIST) == SEE_MASK_INVOKEIDLIST && info->lpIDList)
    file = ShellPathOf(static_cast<LPCITEMIDLIST>(info->lpIDList));
  if (file.empty()) {
    info->hInstApp = reinterpret_cast<HINSTANCE>(SE_ERR_FNF);
    return FALSE;
  }
  info->hInstApp = ShellExecute(info->hwnd, info->lpVerb, file.c_str(), info->lpParameters, info->lpDirectory,
                                info->nShow);
  return reinterpret_cast<intptr_t>(info->hInstApp) > 32;
}
