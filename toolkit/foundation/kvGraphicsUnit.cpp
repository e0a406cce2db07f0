// Unit start and end of kvGraphics: the stock brushes, the AlphaBlend binding and the image list's
// class for forms at start; the shared screen canvas, scratch bitmaps, brushes and binding go at
// end.

#include "toolkit/foundation/kvGraphics.h"

void kvGraphicsCanvasStart();
void kvGraphicsCanvasEnd();
void kvGraphicsPixelsStart();
void kvGraphicsPixelsEnd();
void kvGraphicsAlphaStart();
void kvGraphicsAlphaEnd();
void kvGraphicsImageListStart();
void kvGraphicsImageListEnd();

void kvGraphicsStart() {
  kvGraphicsCanvasStart();
  kvGraphicsPixelsStart();
  kvGraphicsAlphaStart();
  kvGraphicsImageListStart();
}

void kvGraphicsEnd() {
  kvGraphicsImageListEnd();
  kvGraphicsAlphaEnd();
  kvGraphicsPixelsEnd();
  kvGraphicsCanvasEnd();
}
