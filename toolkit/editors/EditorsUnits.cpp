#include "toolkit/editors/EditorsUnits.h"

#include "toolkit/editors/kvDataStorage.h"

void EditorsStart() {
  kvDataStorageStart();
}

void EditorsEnd() {
  kvDataStorageEnd();
}
