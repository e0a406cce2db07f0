#include "toolkit/foundation/kvDWMApi.h"

#include "gdi/Modules.h"
#include "user/SystemInfo.h"

namespace {
HMODULE dwmLibrary = nullptr;
bool dwmBound = false;
TkvDwmEntryPoints entryPoints;
}  // namespace

const TkvDwmEntryPoints& DwmEntryPoints() { return entryPoints; }
bool DwmBound() { return dwmBound; }

bool DwmCompositionEnabled() {
  if (!dwmBound || !entryPoints.DwmIsCompositionEnabled) return false;
  BOOL enabled = FALSE;
  entryPoints.DwmIsCompositionEnabled(&enabled);
  return enabled != FALSE;
}

void kvDWMApiStart() {
  OSVERSIONINFO info;
  GetVersionEx(&info);
  if (info.dwMajorVersion > 5) kvDWMApiBind();
}

void kvDWMApiBind() {
  if (dwmBound) return;
  dwmLibrary = LoadLibrary("dwmapi.dll");
  if (!dwmLibrary) return;
#define KV_DWM_BIND(Name) \
  entryPoints.Name = reinterpret_cast<decltype(entryPoints.Name)>(GetProcAddress(dwmLibrary, #Name));
  KV_DWM_ENTRY_POINTS(KV_DWM_BIND)
#undef KV_DWM_BIND
  dwmBound = true;
}

void kvDWMApiEnd() {
  if (dwmLibrary) FreeLibrary(dwmLibrary);
  dwmLibrary = nullptr;
  dwmBound = false;
  entryPoints = TkvDwmEntryPoints{};
}
