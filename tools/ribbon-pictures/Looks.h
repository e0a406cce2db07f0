#pragma once
// The looks of the ribbon pictures: the colours of each scheme and how each skin element is drawn
// in a given state.

#include <cstdint>

#include "Brushwork.h"
#include "toolkit/ribbon/qzRibbonSkinParts.h"

// A scheme's colours (0xRRGGBB). The first group are the scheme's own part colours; the rest are
// chosen to go with them.
struct SchemeLook {
  const char* word;  // atlas name suffix: "BLUE", "BLACK", "SILVER"
  uint32_t background, frame, captionText, groupText, groupCaptionText;
  uint32_t groupsTop, groupsBottom, groupsBorder;
  uint32_t groupTop, groupBottom, groupFrame, bandTop, bandBottom, hotGlow;
  uint32_t tabBorder, tabTop, tabBottom;
  uint32_t captionTop, captionBottom, captionInactiveTop, captionInactiveBottom, captionEdge;
  uint32_t glyph, glyphInactive;
  uint32_t statusTop, statusBottom, statusLine, statusLight;
  uint32_t menuBorder, menuBand;
  uint32_t tipTop, tipBottom, tipBorder;
  uint32_t arrow;
};

extern const SchemeLook kBlueLook, kBlackLook, kSilverLook;

// Draws the element's picture for the state into B. Scheme is nil for the common atlas, whose
// pictures every scheme shares.
void DrawElement(cairo_t* cr, const SchemeLook* Scheme, TqzRibbonSkinElement Element, int State, const Box& B);
