#pragma once
// The shell namespace over the file system. The desktop is the root; it holds "Home",
// "Computer", "Trash" and the entries of the desktop folder. "Computer" holds "File System" (/)
// and every mounted block device. Below any of them lie the folders and files on disk. Items are
// named by item ID lists (user/ShellIdList.h); docs/shell-namespace.md shows the layout and how
// the special folders map onto the desktop's folders.

#include <vector>

#include "rtl/Types.h"
#include "rtl/WinTypes.h"
#include "user/Shell.h"
#include "user/ShellIdList.h"

constexpr DWORD SFGAO_CANCOPY = 0x1;
constexpr DWORD SFGAO_CANMOVE = 0x2;
constexpr DWORD SFGAO_CANLINK = 0x4;
constexpr DWORD SFGAO_CANRENAME = 0x10;
constexpr DWORD SFGAO_CANDELETE = 0x20;
constexpr DWORD SFGAO_DROPTARGET = 0x100;
constexpr DWORD SFGAO_CAPABILITYMASK = 0x177;
constexpr DWORD SFGAO_LINK = 0x10000;
constexpr DWORD SFGAO_SHARE = 0x20000;
constexpr DWORD SFGAO_READONLY = 0x40000;
constexpr DWORD SFGAO_HIDDEN = 0x80000;
constexpr DWORD SFGAO_REMOVABLE = 0x2000000;
constexpr DWORD SFGAO_FILESYSANCESTOR = 0x10000000;
constexpr DWORD SFGAO_FOLDER = 0x20000000;
constexpr DWORD SFGAO_FILESYSTEM = 0x40000000;
constexpr DWORD SFGAO_HASSUBFOLDER = 0x80000000;

constexpr DWORD SHCONTF_FOLDERS = 0x20;
constexpr DWORD SHCONTF_NONFOLDERS = 0x40;
constexpr DWORD SHCONTF_INCLUDEHIDDEN = 0x80;

constexpr DWORD SHGDN_NORMAL = 0x0;
constexpr DWORD SHGDN_INFOLDER = 0x1;
constexpr DWORD SHGDN_FORPARSING = 0x8000;

constexpr int CSIDL_BITBUCKET = 0x000A;
constexpr int CSIDL_DRIVES = 0x0011;

constexpr HRESULT HRESULT_FILE_NOT_FOUND = static_cast<HRESULT>(0x80070002u);

// A mounted block device shown under "Computer".
struct ShellVolume {
  String MountPoint;
  String Label;  // the file system's label, else the mount point's name
  bool Removable = false;
};

// The block-device mounts of the mount table (/proc/self/mountinfo, or the file TAVREN_MOUNTINFO
// names), each mounted whole on a folder other than "/", in the table's order.
std::vector<ShellVolume> ShellVolumes();

// The item an absolute path names, under the deepest anchor holding it: the home folder, a
// volume, else "File System". Names match exactly (file names are case-sensitive); '\' counts as
// '/', "." and ".." are followed by name. Answers S_OK with the new list, E_INVALIDARG for a
// relative or empty path, HRESULT_FILE_NOT_FOUND when the path does not exist.
HRESULT ShellParsePath(const String& path, LPITEMIDLIST* list);

// The file-system path of an absolute list; empty for an item outside the file system
// ("Computer", "Trash") or a list that names nothing.
String ShellPathOf(LPCITEMIDLIST list);
BOOL SHGetPathFromIDList(LPCITEMIDLIST list, char* path);  // MAX_PATH bytes
inline BOOL SHGetPathFromIDListA(LPCITEMIDLIST list, char* path) { return SHGetPathFromIDList(list, path); }

// The SFGAO flags of the item an absolute list names; 0 when it names nothing. Folders are
// followed through symbolic links; items are never shared.
DWORD ShellAttributesOf(LPCITEMIDLIST list);

// The item's name: SHGDN_FORPARSING gives the path of a file-system item; otherwise the name as
// the user sees it (a volume's label, "Home"...). Empty when the list names nothing.
String ShellDisplayNameOf(LPCITEMIDLIST list, DWORD flags);

// The children of a folder as single item IDs, sorted by name, filtered by the SHCONTF flags
// (hidden items only with SHCONTF_INCLUDEHIDDEN). False when the list names no readable folder.
bool ShellEnumerate(LPCITEMIDLIST folder, DWORD flags, std::vector<ShellItemName>* children);

// The absolute list of a special folder (docs/shell-namespace.md); E_FAIL for a folder this
// system lacks or that does not exist.
HRESULT SHGetSpecialFolderLocation(HWND window, int csidl, LPITEMIDLIST* list);

// The freedesktop trash of the user: $XDG_DATA_HOME/Trash, holding files/ and info/.
String ShellTrashPath();

// Opening an item the way the shell does: with SEE_MASK_INVOKEIDLIST the item is lpIDList (an
// absolute list), opened through ShellExecute by its file-system path; otherwise lpFile.
constexpr ULONG SEE_MASK_INVOKEIDLIST = 0x0000000C;
struct SHELLEXECUTEINFOA {
  DWORD cbSize = sizeof(SHELLEXECUTEINFOA);
  ULONG fMask = 0;
  HWND hwnd = nullptr;
  const char* lpVerb = nullptr;
  const char* lpFile = nullptr;
  const char* lpParameters = nullptr;
  const char* lpDirectory = nullptr;
  int nShow = 0;
  HINSTANCE hInstApp = nullptr;
  void* lpIDList = nullptr;
};
// False (hInstApp the error) when there is nothing to open or opening failed.
BOOL ShellExecuteExA(SHELLEXECUTEINFOA* info);
