// Names, type names and attributes of single items for the shell views.

#include "user/ShellFileInfo.h"

#include <cstring>
#include <memory>

#include "rtl/FileUtils.h"
#include "rtl/SysUtils.h"
#include "user/MimeTypes.h"
#include "user/ShellIcons.h"

namespace {

// Copies text into a fixed buffer, cutting before a UTF-8 character that would not fit whole.
void CopyText(char* buffer, size_t size, const String& text) { StrPLCopy(buffer, text, static_cast<Cardinal>(size - 1)); }

String TypeNameOf(const String& name, bool folder) {
  if (folder) return "Folder";
  String comment = MimeTypeComment(MimeTypeOfName(name));
  if (!comment.empty()) return comment;
  String extension = ExtractFileExt(name);
  return extension.size() > 1 ? UpperCase(extension.substr(1)) + " file" : "File";
}

// The name part of a path in either delimiter ("C:\DIR\FILE.TXT" -> "FILE.TXT").
String LastName(const String& path) { return ExtractFileName(ExcludeTrailingPathDelimiter(path)); }

}  // namespace

DWORD_PTR SHGetFileInfo(const char* path, DWORD fileAttributes, SHFILEINFO* info, UINT infoSize, UINT flags) {
  if (!path || (info && infoSize < sizeof(SHFILEINFO))) return 0;
  String name;
  DWORD attributes = 0;
  int icon = -1;
  const bool open = (flags & SHGFI_OPENICON) != 0;
  if ((flags & SHGFI_USEFILEATTRIBUTES) && !(flags & SHGFI_PIDL)) {
    name = LastName(path);
    if (name.empty()) return 0;
    if (fileAttributes & FILE_ATTRIBUTE_DIRECTORY) attributes |= SFGAO_FOLDER;
    if ((fileAttributes & FILE_ATTRIBUTE_HIDDEN) || name[0] == '.') attributes |= SFGAO_HIDDEN;
    if (fileAttributes & FILE_ATTRIBUTE_READONLY) attributes |= SFGAO_READONLY;
    attributes |= SFGAO_FILESYSTEM;
    if (flags & SHGFI_SYSICONINDEX) icon = ShellIconIndex(ShellIconNamesOfName(name, attributes & SFGAO_FOLDER, open));
  } else {
    LPCITEMIDLIST list = nullptr;
    std::unique_ptr<ITEMIDLIST, void (*)(LPITEMIDLIST)> parsed(nullptr, ILFree);
    if (flags & SHGFI_PIDL) {
      list = reinterpret_cast<LPCITEMIDLIST>(path);
    } else {
      LPITEMIDLIST made = nullptr;
      if (ShellParsePath(path, &made) != S_OK) return 0;
      parsed.reset(made);
      list = made;
    }
    attributes = ShellAttributesOf(list);
    if (!attributes) return 0;
    name = ShellDisplayNameOf(list, SHGDN_NORMAL);
    if (flags & SHGFI_SYSICONINDEX) icon = ShellIconIndex(ShellIconNamesOf(list, open));
  }
  if (!info) return 1;
  if (flags & SHGFI_SYSICONINDEX) info->iIcon = icon;
  if (flags & SHGFI_DISPLAYNAME) CopyText(info->szDisplayName, sizeof info->szDisplayName, name);
  if (flags & SHGFI_TYPENAME)
    CopyText(info->szTypeName, sizeof info->szTypeName, TypeNameOf(name, (attributes & SFGAO_FOLDER) != 0));
  if (flags & SHGFI_ATTRIBUTES)
    info->dwAttributes = (flags & SHGFI_ATTR_SPECIFIED) ? info->dwAttributes & attributes : attributes;
  return 1;
}
