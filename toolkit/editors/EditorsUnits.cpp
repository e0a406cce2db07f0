#include "toolkit/editors/EditorsUnits.h"

// The text layout has no start or end work; the units that do are called here in their order.
void EditorsStart() {}

void EditorsEnd() {}
