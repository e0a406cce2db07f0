#include "toolkit/editors/EditorsUnits.h"

#include "toolkit/editors/kvContainer.h"

void EditorsStart() { kvContainerStart(); }

void EditorsEnd() { kvContainerEnd(); }
