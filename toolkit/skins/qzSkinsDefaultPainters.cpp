#include "toolkit/skins/qzSkinsDefaultPainters.h"

#include "toolkit/skins/qzSkinRegistration.h"

TAVREN_CLASS_IMPL(TqzSkinsUserSkinPainter)

namespace {

TqzSkinRegistration& UserSkin() {
  static TqzSkinRegistration registration("DefaultUserSkinData", "UserSkin",
                                          PainterClassOf<TqzSkinsUserSkinPainter>(), true);
  return registration;
}

void LoadUserSkin() { UserSkin().Load(); }
void UnloadUserSkin() { UserSkin().Unload(); }

}  // namespace

TqzSkinLookAndFeelPainterInfo* TqzSkinsUserSkinPainter::PainterInfo() { return UserSkin().Info(); }

String TqzSkinsUserSkinPainter::PainterUnitName() { return "qzSkinsDefaultPainters"; }

void qzSkinsDefaultPaintersStart() { UnitsLoaderInstance()->RegisterUnitProcs(&LoadUserSkin, &UnloadUserSkin); }

void qzSkinsDefaultPaintersEnd() { UnitsLoaderInstance()->UnregisterUnitProcs(&UnloadUserSkin); }
