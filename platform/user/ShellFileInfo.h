#pragma once
// What the shell tells about one item: its name, its type's description and its attributes,
// asked by path or by absolute ID list, or from a name and attributes alone without touching the
// disk.

#include "user/ShellNamespace.h"

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x2;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

constexpr UINT SHGFI_LARGEICON = 0x0;
constexpr UINT SHGFI_SMALLICON = 0x1;
constexpr UINT SHGFI_OPENICON = 0x2;            // the open look of a folder
constexpr UINT SHGFI_PIDL = 0x8;                 // the path argument is an absolute ID list
constexpr UINT SHGFI_USEFILEATTRIBUTES = 0x10;   // answer from the name and the attributes given
constexpr UINT SHGFI_DISPLAYNAME = 0x200;
constexpr UINT SHGFI_TYPENAME = 0x400;
constexpr UINT SHGFI_ATTRIBUTES = 0x800;
constexpr UINT SHGFI_SYSICONINDEX = 0x4000;     // iIcon: the item's index in the shell icon table
constexpr UINT SHGFI_ATTR_SPECIFIED = 0x20000;  // keep only the attributes asked in dwAttributes

struct SHFILEINFO {
  HICON hIcon;
  int iIcon;
  DWORD dwAttributes;
  char szDisplayName[MAX_PATH];
  char szTypeName[80];
};
using SHFILEINFOA = SHFILEINFO;

// Fills the fields the flags ask for (texts cut at a whole UTF-8 character); nonzero on success,
// 0 when the item does not exist or the arguments are wrong. With SHGFI_SYSICONINDEX, iIcon is
// the index in the shell icon table (user/ShellIcons.h), whose pictures the system image lists of
// controls/SystemImageList.h hold. Type names: "Folder" for a folder,
// the file type's description, else "<EXT> file", else "File".
DWORD_PTR SHGetFileInfo(const char* path, DWORD fileAttributes, SHFILEINFO* info, UINT infoSize, UINT flags);
inline DWORD_PTR SHGetFileInfoA(const char* p, DWORD a, SHFILEINFO* i, UINT s, UINT f) {
  return SHGetFileInfo(p, a, i, s, f);
}
