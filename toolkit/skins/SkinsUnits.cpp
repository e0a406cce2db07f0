#include "toolkit/skins/SkinsUnits.h"

#include "toolkit/skins/qzSkinInfo.h"
#include "toolkit/skins/qzSkinSkins.h"
#include "toolkit/skins/qzSkinsForm.h"
#include "toolkit/skins/qzSkinsCore.h"
#include "toolkit/skins/qzSkinsDefaultPainters.h"
#include "toolkit/skins/qzSkinsLookAndFeelPainter.h"

void SkinsStart() {
  qzSkinsCoreStart();
  qzSkinsLookAndFeelPainterStart();
  qzSkinsDefaultPaintersStart();
  qzSkinSkinsStart();
  qzSkinsFormStart();
}

void SkinsEnd() {
  qzSkinsFormEnd();
  qzSkinSkinsEnd();
  qzSkinsDefaultPaintersEnd();
  qzSkinsLookAndFeelPainterEnd();
  qzSkinInfoEnd();
  qzSkinsCoreEnd();
}
