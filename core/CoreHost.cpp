#include "core/CoreHost.h"

namespace {
TCoreHost* InstalledHost = nullptr;
}

TCoreHost* CoreHost() { return InstalledHost; }
void SetCoreHost(TCoreHost* Host) { InstalledHost = Host; }
