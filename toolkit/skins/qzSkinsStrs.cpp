#include "toolkit/skins/qzSkinsStrs.h"

#include "toolkit/foundation/kvClasses.h"

String SkinStr(Integer Ident) { return ResourceStringText(Ident); }
