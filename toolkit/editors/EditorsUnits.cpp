#include "toolkit/editors/EditorsUnits.h"

#include "toolkit/editors/kvDataStorage.h"
#include "toolkit/editors/kvFormats.h"

void EditorsStart() {
  kvDataStorageStart();
  kvFormatsStart();
}

void EditorsEnd() {
  kvFormatsEnd();
  kvDataStorageEnd();
}
