// Unit start and end of kvGraphics: the stock brushes and the AlphaBlend binding at start; the
// shared screen canvas, scratch bitmaps, brushes and binding go at end.

#include "toolkit/foundation/kvGraphics.h"

void kvGraphicsCanvasStart();
void kvGraphicsCanvasEnd();
void kvGraphicsPixelsStart();
void kvGraphicsPixelsEnd();
void kvGraphicsAlphaStart();
void kvGraphicsAlphaEnd();

void kvGraphicsStart() {
  kvGraphicsCanvasStart();
  kvGraphicsPixelsStart();
  kvGraphicsAlphaStart();
}

void kvGraphicsEnd() {
  kvGraphicsAlphaEnd();
  kvGraphicsPixelsEnd();
  kvGraphicsCanvasEnd();
}
