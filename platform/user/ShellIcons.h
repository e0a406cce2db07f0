#pragma once
// The shell's icons, named as freedesktop icon themes name them ("folder", "user-home",
// "video-x-generic"…) and numbered in the order they are first asked for, in one table for the
// process: any thread may ask, the table grows under a mutex. Pictures come from the installed
// icon themes (Adwaita, then hicolor) at 16 and 32 pixels (docs/shell-namespace.md).

#include <vector>

#include "gdi/ImageFiles.h"
#include "rtl/Types.h"
#include "user/ShellIdList.h"

// The index of the first of the names that a theme has (the first name when none has any).
int ShellIconIndex(const std::vector<String>& Names);
int ShellIconCount();
String ShellIconName(int Index);
// The picture of icon Index at Size pixels (straight alpha); false when no theme has it.
bool ShellIconPicture(int Index, int Size, PixelImage* Image);

// The names that show an item: a folder by its role (home, computer, trash, drives, the XDG
// folders), open or closed; a file by its MIME type's generic icon.
std::vector<String> ShellIconNamesOf(LPCITEMIDLIST List, bool Open);
std::vector<String> ShellIconNamesOfName(const String& Name, bool Folder, bool Open);
