#include "toolkit/editors/EditorsUnits.h"

#include "toolkit/editors/kvDataStorage.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvFormats.h"

void EditorsStart() {
  kvDataStorageStart();
  kvFormatsStart();
  kvEditUtilsStart();
}

void EditorsEnd() {
  kvEditUtilsEnd();
  kvFormatsEnd();
  kvDataStorageEnd();
}
