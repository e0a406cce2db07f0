// Start and end of the edit framework: the wheel-scrolling cursor, the default style controller,
// the live Properties list, the Properties registry and the classes forms stream.

#include "rtl/ClassRegistry.h"
#include "rtl/Resources.h"
#include "toolkit/editors/kvEdit.h"
#include "vcl/Forms.h"

void kvEditPropertiesStart();
void kvEditPropertiesEnd();
void kvEditStylesStart();
void kvEditStylesEnd();

namespace {

Integer GStartCount = 0;

}  // namespace

void kvEditStart() {
  if (GStartCount++ > 0) return;
  if (Screen())
    if (HCURSOR cursor = LoadCursor(HInstance, "KVEDIT_MOUSEWHEEL")) Screen()->SetCursors(crkvEditMouseWheel, cursor);
  kvEditStylesStart();
  kvEditPropertiesStart();
  RegisterClasses({TkvEditStyleController::ClassInfo(), TkvEditRepository::ClassInfo(),
                   TkvEditRepositoryItem::ClassInfo()});
}

void kvEditEnd() {
  if (GStartCount == 0 || --GStartCount > 0) return;
  UnRegisterClass(TkvEditRepositoryItem::ClassInfo());
  UnRegisterClass(TkvEditRepository::ClassInfo());
  UnRegisterClass(TkvEditStyleController::ClassInfo());
  kvEditPropertiesEnd();
  kvEditStylesEnd();
}
