#include "toolkit/skins/qzSkinSkins.h"

#include <memory>
#include <utility>

#include "rtl/SysUtils.h"
#include "toolkit/skins/qzSkinRegistration.h"

namespace {

TkvCustomLookAndFeelPainterClass PainterOf(Integer Number);

TqzSkinRegistration& Registration(Integer Number) {
  static std::unique_ptr<TqzSkinRegistration> registrations[kqzBuiltInSkinCount];
  std::unique_ptr<TqzSkinRegistration>& registration = registrations[Number - 1];
  if (!registration)
    registration = std::make_unique<TqzSkinRegistration>(BuiltInSkinName(Number), BuiltInSkinName(Number),
                                                         PainterOf(Number), false);
  return *registration;
}

template <Integer N>
void LoadSkin() {
  Registration(N).Load();
}

template <Integer N>
void UnloadSkin() {
  Registration(N).Unload();
}

template <Integer... N>
void StartUnits(std::integer_sequence<Integer, N...>) {
  (UnitsLoaderInstance()->RegisterUnitProcs(&LoadSkin<N + 1>, &UnloadSkin<N + 1>), ...);
}

template <Integer... N>
void EndUnits(std::integer_sequence<Integer, N...>) {
  (UnitsLoaderInstance()->UnregisterUnitProcs(&UnloadSkin<kqzBuiltInSkinCount - N>), ...);
}

}  // namespace

String BuiltInSkinName(Integer Number) { return Format("Skin%.2d", Number); }

#define QZ_DEFINE_SKIN_PAINTER(NN)                                                                            \
  TAVREN_CLASS_IMPL(TqzSkin##NN##Painter)                                                                     \
  TqzSkinLookAndFeelPainterInfo* TqzSkin##NN##Painter::PainterInfo() { return Registration(1##NN - 100).Info(); } \
  String TqzSkin##NN##Painter::PainterUnitName() { return "qzSkinSkin" #NN; }

QZ_DEFINE_SKIN_PAINTER(01)
QZ_DEFINE_SKIN_PAINTER(02)
QZ_DEFINE_SKIN_PAINTER(03)
QZ_DEFINE_SKIN_PAINTER(04)
QZ_DEFINE_SKIN_PAINTER(05)
QZ_DEFINE_SKIN_PAINTER(06)
QZ_DEFINE_SKIN_PAINTER(07)
QZ_DEFINE_SKIN_PAINTER(08)
QZ_DEFINE_SKIN_PAINTER(09)
QZ_DEFINE_SKIN_PAINTER(10)
QZ_DEFINE_SKIN_PAINTER(11)
QZ_DEFINE_SKIN_PAINTER(12)
QZ_DEFINE_SKIN_PAINTER(13)
QZ_DEFINE_SKIN_PAINTER(14)
QZ_DEFINE_SKIN_PAINTER(15)
QZ_DEFINE_SKIN_PAINTER(16)
QZ_DEFINE_SKIN_PAINTER(17)
QZ_DEFINE_SKIN_PAINTER(18)
QZ_DEFINE_SKIN_PAINTER(19)
QZ_DEFINE_SKIN_PAINTER(20)

namespace {

TkvCustomLookAndFeelPainterClass PainterOf(Integer Number) {
  static TkvCustomLookAndFeelPainterClass const painters[kqzBuiltInSkinCount] = {
      PainterClassOf<TqzSkin01Painter>(), PainterClassOf<TqzSkin02Painter>(), PainterClassOf<TqzSkin03Painter>(),
      PainterClassOf<TqzSkin04Painter>(), PainterClassOf<TqzSkin05Painter>(), PainterClassOf<TqzSkin06Painter>(),
      PainterClassOf<TqzSkin07Painter>(), PainterClassOf<TqzSkin08Painter>(), PainterClassOf<TqzSkin09Painter>(),
      PainterClassOf<TqzSkin10Painter>(), PainterClassOf<TqzSkin11Painter>(), PainterClassOf<TqzSkin12Painter>(),
      PainterClassOf<TqzSkin13Painter>(), PainterClassOf<TqzSkin14Painter>(), PainterClassOf<TqzSkin15Painter>(),
      PainterClassOf<TqzSkin16Painter>(), PainterClassOf<TqzSkin17Painter>(), PainterClassOf<TqzSkin18Painter>(),
      PainterClassOf<TqzSkin19Painter>(), PainterClassOf<TqzSkin20Painter>()};
  return painters[Number - 1];
}

}  // namespace

void qzSkinSkinsStart() { StartUnits(std::make_integer_sequence<Integer, kqzBuiltInSkinCount>()); }

void qzSkinSkinsEnd() { EndUnits(std::make_integer_sequence<Integer, kqzBuiltInSkinCount>()); }
