// JPEG, as pictures and bitmaps read it.

#include "FuzzTarget.h"
#include "gdi/Gdi.h"
#include "gdi/ImageFiles.h"

TAVREN_FUZZ_TARGET(Jpeg) {
  PixelImage image;
  DecodeJpeg(data, size, image);
  DeleteObject(DecodeBitmapFile(data, size));
}
