#include "toolkit/foundation/FoundationUnits.h"

#include "toolkit/foundation/kvClasses.h"
#include "toolkit/foundation/kvGeometry.h"

void FoundationStart() {
  kvClassesStart();
  kvGeometryStart();
}

void FoundationEnd() {
  kvGeometryEnd();
  kvClassesEnd();
}
