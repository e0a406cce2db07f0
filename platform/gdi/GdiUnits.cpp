#include "gdi/GdiUnits.h"

#include "gdi/GdiObjects.h"

void GdiStart() { GdiObjectsStart(); }

void GdiEnd() { GdiObjectsEnd(); }
