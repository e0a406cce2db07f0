#include "toolkit/skins/SkinsUnits.h"

#include "toolkit/skins/qzSkinsCore.h"

void SkinsStart() { qzSkinsCoreStart(); }

void SkinsEnd() { qzSkinsCoreEnd(); }
