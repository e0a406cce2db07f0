#include "controls/SystemImageList.h"

#include "gdi/Gdi.h"
#include "gdi/Icons.h"
#include "rtl/Resources.h"
#include "user/ShellIcons.h"

namespace {

HIMAGELIST gLists[2] = {};

// The link overlay keeps a place in the icon table under the emblem's freedesktop name; its
// picture is always the program's own, as the themes' emblems fill the whole icon instead of a
// corner of it.
const char kLinkEmblem[] = "emblem-symbolic-link";

// The program's placeholder picture for an icon no theme has: open folders, folders and the
// places shown as folders (home, trash, drives, the computer), any other name a file.
String PlaceholderOf(const String& Name, int Size) {
  auto starts = [&Name](const char* prefix) { return Name.rfind(prefix, 0) == 0; };
  const char* kind = "FILE";
  if (Name == kLinkEmblem) kind = "LINK";
  else if (Name.size() > 5 && Name.compare(Name.size() - 5, 5, "-open") == 0) kind = "FOLDEROPEN";
  else if (starts("folder") || starts("user-") || starts("drive-") || Name == "computer") kind = "FOLDER";
  return "KVSHELL_" + String(kind) + std::to_string(Size);
}

// Each icon takes the place of its index; one that neither a theme nor the program's resources
// have keeps it with a clear picture, so later indexes stay right.
void AddIcon(HIMAGELIST List, int Index, int Size) {
  const String name = ShellIconName(Index);
  PixelImage image;
  HBITMAP bitmap = nullptr;
  if (name != kLinkEmblem && ShellIconPicture(Index, Size, &image)) bitmap = BitmapFromImage(image);
  else bitmap = LoadBitmap(HInstance, PlaceholderOf(name, Size).c_str());
  if (!bitmap) {
    image.width = image.height = Size;
    image.pixels.assign(static_cast<size_t>(Size) * Size, 0);
    image.hasAlpha = true;
    bitmap = BitmapFromImage(image);
  }
  ImageList_Add(List, bitmap, nullptr);
  DeleteObject(bitmap);
}

}  // namespace

HIMAGELIST SystemImageList(bool Small) {
  const int size = Small ? 16 : 32;
  HIMAGELIST& list = gLists[Small ? 0 : 1];
  const bool created = !list;
  if (created) list = ImageList_Create(size, size, ILC_COLOR32, 16, 16);
  const int link = created ? ShellIconIndex({kLinkEmblem}) : -1;
  for (int index = ImageList_GetImageCount(list), count = ShellIconCount(); index < count; ++index)
    AddIcon(list, index, size);
  if (created) ImageList_SetOverlayImage(list, link, kLinkOverlay);
  return list;
}

void SystemImageListsEnd() {
  for (HIMAGELIST& list : gLists) {
    if (list) ImageList_Destroy(list);
    list = nullptr;
  }
}
