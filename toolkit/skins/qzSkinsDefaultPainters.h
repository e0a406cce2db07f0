#pragma once
// The user skin: the resource "DEFAULTUSERSKINDATA", registered as "UserSkin"; every change of it
// repaints whatever draws through the root look-and-feel.

#include "toolkit/skins/qzSkinsLookAndFeelPainter.h"

class TqzSkinsUserSkinPainter : public TqzSkinLookAndFeelPainter {
  TAVREN_CLASS(TqzSkinsUserSkinPainter, TqzSkinLookAndFeelPainter)
 public:
  TqzSkinLookAndFeelPainterInfo* PainterInfo() override;
  String PainterUnitName() override;
};

// Unit start: queues the user skin's loading with the unit loader. End: takes it back.
void qzSkinsDefaultPaintersStart();
void qzSkinsDefaultPaintersEnd();
