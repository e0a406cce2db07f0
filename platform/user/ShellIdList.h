#pragma once
// Item ID lists: how the shell names an item by its path from the desktop. An absolute list is a
// run of item IDs ended by a zero byte count; each item ID is its byte count (2 bytes, itself
// included), a kind byte and one UTF-8 name with its terminating zero (docs/shell-namespace.md).
// Lists live on the C heap: ILFree (or the shell allocator's Free) releases them.

#include <vector>

#include "rtl/Types.h"
#include "rtl/WinTypes.h"

#pragma pack(push, 1)
struct SHITEMID {
  USHORT cb;
  BYTE abID[1];
};
struct ITEMIDLIST {
  SHITEMID mkid;
};
#pragma pack(pop)
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;
using PIDLIST_ABSOLUTE = ITEMIDLIST*;
using PCIDLIST_ABSOLUTE = const ITEMIDLIST*;

// What an item ID stands for; an entry of a folder of the file system is named by its file name.
enum class ShellItemKind : BYTE {
  Entry = 'E',       // a file or folder inside a file-system folder
  Home = 'H',        // the user's home folder
  Computer = 'C',    // holds the file system and the volumes
  Trash = 'T',       // the user's trash
  FileSystem = 'R',  // the root folder "/"
  Volume = 'V',      // a mounted block device; the name is its mount point
};

struct ShellItemName {
  ShellItemKind Kind;
  String Name;
};

// Bytes of the list including the terminating zero count; 0 for null.
UINT ILGetSize(LPCITEMIDLIST list);
// The item ID after this one, or null at the end.
LPITEMIDLIST ILGetNext(LPCITEMIDLIST list);
// The last item ID (the list itself when empty); null for null.
LPITEMIDLIST ILFindLastID(LPCITEMIDLIST list);
// Drops the last item ID in place; false when there is none.
BOOL ILRemoveLastID(LPITEMIDLIST list);
LPITEMIDLIST ILClone(LPCITEMIDLIST list);
LPITEMIDLIST ILCloneFirst(LPCITEMIDLIST list);
// A new list of first followed by second (either may be null).
LPITEMIDLIST ILCombine(LPCITEMIDLIST first, LPCITEMIDLIST second);
// Byte-for-byte equality of two lists.
BOOL ILIsEqual(LPCITEMIDLIST first, LPCITEMIDLIST second);
BOOL ILIsEmpty(LPCITEMIDLIST list);
void ILFree(LPITEMIDLIST list);

// Builds a list from its item names; null when a name is too long for an item ID.
LPITEMIDLIST ILFromNames(const std::vector<ShellItemName>& names);
// The item names of a list; false when the list is damaged (a count too small or an ID without
// its terminating zero).
bool ILToNames(LPCITEMIDLIST list, std::vector<ShellItemName>* names);
