#include "controls/SystemImageList.h"

#include <vector>

#include "gdi/Gdi.h"
#include "user/ShellIcons.h"

namespace {

HIMAGELIST gLists[2] = {};

// An icon no theme has keeps its place with a clear picture, so later indexes stay right.
void AddIcon(HIMAGELIST List, int Index, int Size) {
  PixelImage image;
  if (!ShellIconPicture(Index, Size, &image)) {
    image.width = image.height = Size;
    image.pixels.assign(static_cast<size_t>(Size) * Size, 0);
    image.hasAlpha = true;
  }
  HBITMAP bitmap = BitmapFromImage(image);
  ImageList_Add(List, bitmap, nullptr);
  DeleteObject(bitmap);
}

}  // namespace

HIMAGELIST SystemImageList(bool Small) {
  const int size = Small ? 16 : 32;
  HIMAGELIST& list = gLists[Small ? 0 : 1];
  if (!list) list = ImageList_Create(size, size, ILC_COLOR32, 16, 16);
  for (int index = ImageList_GetImageCount(list), count = ShellIconCount(); index < count; ++index)
    AddIcon(list, index, size);
  return list;
}

void SystemImageListsEnd() {
  for (HIMAGELIST& list : gLists) {
    if (list) ImageList_Destroy(list);
    list = nullptr;
  }
}
