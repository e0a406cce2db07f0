#pragma once
// The skin painter: draws toolkit controls from a skin, through the information object that the
// painter registry holds for its class, and falls back to the Office-11 painter where the skin
// lacks what an operation needs. The painter of each skin derives from it and names its own
// information object and unit.

#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "toolkit/skins/qzSkinInfo.h"

class TqzSkinLookAndFeelPainter : public TkvOffice11LookAndFeelPainter {
  TAVREN_CLASS(TqzSkinLookAndFeelPainter, TkvOffice11LookAndFeelPainter)
 public:
  // The information object the registry holds for this painter class; nil when unregistered.
  virtual TqzSkinLookAndFeelPainterInfo* PainterInfo();
  // Draws Editors/CloseButton (IsClose) or Editors/EditorButton, image 0, into R; false when the
  // skin has no such element bound.
  virtual bool PaintEditButtonElement(TkvCanvas* Canvas, const TRect& R, bool IsClose, TqzSkinElementState State);
  virtual String PainterUnitName();
};

// Unit start: takes the painter registry the skin painters draw through. End: lets it go.
void qzSkinsLookAndFeelPainterStart();
void qzSkinsLookAndFeelPainterEnd();
