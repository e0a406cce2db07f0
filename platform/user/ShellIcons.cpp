// The process's table of shell icons and their pictures from the icon themes.

#include "user/ShellIcons.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>

#include "user/MimeTypes.h"
#include "user/Shell.h"
#include "user/ShellNamespace.h"

namespace {

struct IconTable {
  std::mutex Mutex;
  std::vector<String> Names;
  std::map<String, int> Indexes;
  std::map<String, bool> InTheme;  // names already looked for in the themes
};

IconTable& Table() {
  static IconTable table;
  return table;
}

// Where themes live: $XDG_DATA_HOME/icons, then each of $XDG_DATA_DIRS.
std::vector<String> IconFolders() {
  std::vector<String> folders;
  const char* home = std::getenv("XDG_DATA_HOME");
  const char* user = std::getenv("HOME");
  if (home && *home) folders.push_back(String(home) + "/icons");
  else if (user && *user) folders.push_back(String(user) + "/.local/share/icons");
  const char* dirs = std::getenv("XDG_DATA_DIRS");
  String list = dirs && *dirs ? dirs : "/usr/local/share:/usr/share";
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(':', start);
    if (end == String::npos) end = list.size();
    if (end > start) folders.push_back(list.substr(start, end - start) + "/icons");
    start = end + 1;
  }
  return folders;
}

// The picture file of a name at a size, or empty.
String IconFile(const String& Name, int Size) {
  static const char* kThemes[] = {"Adwaita", "hicolor"};
  static const char* kContexts[] = {"places", "mimetypes", "devices", "legacy", "apps", "status", "actions"};
  const String size = std::to_string(Size) + "x" + std::to_string(Size);
  for (const String& folder : IconFolders())
    for (const char* theme : kThemes)
      for (const char* context : kContexts) {
        const String path = folder + "/" + theme + "/" + size + "/" + context + "/" + Name + ".png";
        struct stat status;
        if (stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)) return path;
      }
  return String();
}

// Looked for once per name: every item of a folder asks for the same few names.
bool ThemeHas(const String& Name) {
  IconTable& table = Table();
  {
    std::lock_guard lock(table.Mutex);
    auto known = table.InTheme.find(Name);
    if (known != table.InTheme.end()) return known->second;
  }
  const bool has = !IconFile(Name, 16).empty() || !IconFile(Name, 32).empty();
  std::lock_guard lock(table.Mutex);
  table.InTheme.emplace(Name, has);
  return has;
}

// The special folder a path is, by its icon; empty for any other folder.
String SpecialFolderIcon(const String& Path) {
  static const std::pair<int, const char*> kFolders[] = {
      {CSIDL_DESKTOPDIRECTORY, "user-desktop"}, {CSIDL_PERSONAL, "folder-documents"},
      {CSIDL_MYMUSIC, "folder-music"},          {CSIDL_MYPICTURES, "folder-pictures"},
      {CSIDL_MYVIDEO, "folder-videos"},         {CSIDL_TEMPLATES, "folder-templates"}};
  char home[MAX_PATH] = {};
  SHGetSpecialFolderPath(nullptr, home, CSIDL_PROFILE, FALSE);
  for (const auto& [csidl, icon] : kFolders) {
    char path[MAX_PATH] = {};
    // A folder the user has not set falls back to the home folder, which is no special folder.
    if (SHGetSpecialFolderPath(nullptr, path, csidl, FALSE) && Path == path && Path != home) return icon;
  }
  return String();
}

}  // namespace

int ShellIconIndex(const std::vector<String>& Names) {
  if (Names.empty()) return -1;
  String chosen = Names.front();
  for (const String& name : Names)
    if (ThemeHas(name)) {
      chosen = name;
      break;
    }
  IconTable& table = Table();
  std::lock_guard lock(table.Mutex);
  auto found = table.Indexes.find(chosen);
  if (found != table.Indexes.end()) return found->second;
  const int index = static_cast<int>(table.Names.size());
  table.Names.push_back(chosen);
  table.Indexes.emplace(chosen, index);
  return index;
}

int ShellIconCount() {
  IconTable& table = Table();
  std::lock_guard lock(table.Mutex);
  return static_cast<int>(table.Names.size());
}

String ShellIconName(int Index) {
  IconTable& table = Table();
  std::lock_guard lock(table.Mutex);
  return Index >= 0 && Index < static_cast<int>(table.Names.size()) ? table.Names[static_cast<size_t>(Index)] : String();
}

bool ShellIconPicture(int Index, int Size, PixelImage* Image) {
  const String file = IconFile(ShellIconName(Index), Size);
  if (file.empty()) return false;
  std::ifstream in(file, std::ios::binary);
  const std::vector<char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return !data.empty() && DecodePng(data.data(), data.size(), *Image, false) && Image->width == Size &&
         Image->height == Size;
}

std::vector<String> ShellIconNamesOfName(const String& Name, bool Folder, bool Open) {
  if (Folder) return Open ? std::vector<String>{"folder-open", "folder"} : std::vector<String>{"folder"};
  std::vector<String> names;
  const String type = MimeTypeOfName(Name);
  if (!type.empty()) {
    String specific = type;
    for (char& c : specific)
      if (c == '/') c = '-';
    names.push_back(specific);
    names.push_back(MimeGenericIcon(type));
  }
  names.push_back("text-x-generic");
  return names;
}

std::vector<String> ShellIconNamesOf(LPCITEMIDLIST List, bool Open) {
  std::vector<ShellItemName> names;
  if (!ILToNames(List, &names)) return {"text-x-generic"};
  if (names.empty()) return {"user-desktop", "folder"};
  const DWORD attributes = ShellAttributesOf(List);
  switch (names.back().Kind) {
    case ShellItemKind::Home: return {"user-home", "folder"};
    case ShellItemKind::Computer: return {"computer", "drive-harddisk"};
    case ShellItemKind::Trash: return {"user-trash", "folder"};
    case ShellItemKind::FileSystem: return {"drive-harddisk", "folder"};
    case ShellItemKind::Volume:
      return (attributes & SFGAO_REMOVABLE) ? std::vector<String>{"drive-removable-media", "drive-harddisk"}
                                            : std::vector<String>{"drive-harddisk", "folder"};
    case ShellItemKind::Entry: break;
  }
  if (attributes & SFGAO_FOLDER) {
    const String special = Open ? String() : SpecialFolderIcon(ShellPathOf(List));
    if (!special.empty()) return {special, "folder"};
  }
  return ShellIconNamesOfName(names.back().Name, (attributes & SFGAO_FOLDER) != 0, Open);
}
