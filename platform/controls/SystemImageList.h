#pragma once
// The system image lists: the pictures of the shell icon table (user/ShellIcons.h) at 16 pixels
// (small) and 32, in two 32-bit image lists the process keeps. User-interface thread only: each
// call first takes in the icons the table gained since, so the indexes SHGetFileInfo hands out
// (from any thread) are drawn once a view asks for its list again.

#include "controls/ImageList.h"

HIMAGELIST SystemImageList(bool Small);
// Frees both lists (at controls end).
void SystemImageListsEnd();
