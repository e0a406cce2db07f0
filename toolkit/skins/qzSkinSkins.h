#pragma once
// The twenty built-in skins "Skin01" to "Skin20" (units qzSkinSkin01 to qzSkinSkin20): each is
// read from its resource of type "QZSKINS" once the graphics library has started and registered
// with the painter registry under its name, with a painter class of its own.

#include "toolkit/skins/qzSkinsLookAndFeelPainter.h"

constexpr Integer kqzBuiltInSkinCount = 20;

// The name of built-in skin Number (1 to 20): "Skin01".
String BuiltInSkinName(Integer Number);

#define QZ_DECLARE_SKIN_PAINTER(NN)                                     \
  class TqzSkin##NN##Painter : public TqzSkinLookAndFeelPainter {        \
    TAVREN_CLASS(TqzSkin##NN##Painter, TqzSkinLookAndFeelPainter)        \
   public:                                                              \
    TqzSkinLookAndFeelPainterInfo* PainterInfo() override;              \
    String PainterUnitName() override;                                  \
  };

QZ_DECLARE_SKIN_PAINTER(01)
QZ_DECLARE_SKIN_PAINTER(02)
QZ_DECLARE_SKIN_PAINTER(03)
QZ_DECLARE_SKIN_PAINTER(04)
QZ_DECLARE_SKIN_PAINTER(05)
QZ_DECLARE_SKIN_PAINTER(06)
QZ_DECLARE_SKIN_PAINTER(07)
QZ_DECLARE_SKIN_PAINTER(08)
QZ_DECLARE_SKIN_PAINTER(09)
QZ_DECLARE_SKIN_PAINTER(10)
QZ_DECLARE_SKIN_PAINTER(11)
QZ_DECLARE_SKIN_PAINTER(12)
QZ_DECLARE_SKIN_PAINTER(13)
QZ_DECLARE_SKIN_PAINTER(14)
QZ_DECLARE_SKIN_PAINTER(15)
QZ_DECLARE_SKIN_PAINTER(16)
QZ_DECLARE_SKIN_PAINTER(17)
QZ_DECLARE_SKIN_PAINTER(18)
QZ_DECLARE_SKIN_PAINTER(19)
QZ_DECLARE_SKIN_PAINTER(20)

#undef QZ_DECLARE_SKIN_PAINTER

// Unit starts of qzSkinSkin01 to qzSkinSkin20, in that order: each queues its skin's loading with
// the graphics library's unit loader. Ends in reverse.
void qzSkinSkinsStart();
void qzSkinSkinsEnd();
