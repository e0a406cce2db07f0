#pragma once
// The system image lists: the pictures of the shell icon table (user/ShellIcons.h) at 16 pixels
// (small) and 32, in two 32-bit image lists the process keeps. User-interface thread only: each
// call first takes in the icons the table gained since, so the indexes SHGetFileInfo hands out
// (from any thread) are drawn once a view asks for its list again. Where no icon theme has an
// icon, the program's placeholder resources (KVSHELL_FILE16, KVSHELL_FOLDER32…) stand in.

#include "controls/ImageList.h"

// The overlay both lists draw over a link's icon (INDEXTOOVERLAYMASK(kLinkOverlay)).
constexpr int kLinkOverlay = 2;

HIMAGELIST SystemImageList(bool Small);
// Frees both lists (at controls end).
void SystemImageListsEnd();
