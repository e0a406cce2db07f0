#include "toolkit/editors/EditorsUnits.h"

#include "toolkit/editors/kvContainer.h"
#include "toolkit/editors/kvDataStorage.h"

void EditorsStart() {
  kvContainerStart();
  kvDataStorageStart();
}

void EditorsEnd() {
  kvDataStorageEnd();
  kvContainerEnd();
}
