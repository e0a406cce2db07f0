// BMP files and packed DIBs (bitmap resources).

#include "FuzzTarget.h"
#include "gdi/Gdi.h"
#include "gdi/ImageFiles.h"

TAVREN_FUZZ_TARGET(Bmp) {
  DeleteObject(DecodeBmp(data, size));
  DeleteObject(DecodePackedDib(data, size));
}
