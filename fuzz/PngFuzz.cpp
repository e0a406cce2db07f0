// PNG, as pictures and bitmaps read it.

#include "FuzzTarget.h"
#include "gdi/Gdi.h"
#include "gdi/ImageFiles.h"

TAVREN_FUZZ_TARGET(Png) {
  PixelImage image;
  DecodePng(data, size, image, false);
  DeleteObject(DecodeBitmapFile(data, size));
}
