// ICO and CUR files, PNG entries included, at the sizes a program asks for.

#include "FuzzTarget.h"
#include "gdi/Gdi.h"
#include "gdi/ImageFiles.h"

TAVREN_FUZZ_TARGET(Icon) {
  for (int side : {0, 16, 48}) {
    HICON icon = DecodeIconFile(data, size, side, side);
    if (!icon) return;
    ICONINFO info;
    if (GetIconInfo(icon, &info)) {
      DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
    }
    DestroyIcon(icon);
  }
}
