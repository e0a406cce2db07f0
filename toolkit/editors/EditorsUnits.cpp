#include "toolkit/editors/EditorsUnits.h"

#include "toolkit/editors/kvContainer.h"
#include "toolkit/editors/kvDataStorage.h"
#include "toolkit/editors/kvEdit.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvFormats.h"

void EditorsStart() {
  kvContainerStart();
  kvDataStorageStart();
  kvFormatsStart();
  kvEditUtilsStart();
  kvEditStart();
}

void EditorsEnd() {
  kvEditEnd();
  kvEditUtilsEnd();
  kvFormatsEnd();
  kvDataStorageEnd();
  kvContainerEnd();
}
