#pragma once
// The desktop composition library, loaded at run time and bound by name; the toolkit only asks
// whether composition is on.

#include "gdi/DwmApi.h"

#define KV_DWM_ENTRY_POINTS(X)                                                                   \
  X(DwmDefWindowProc) X(DwmEnableBlurBehindWindow) X(DwmEnableComposition) X(DwmEnableMMCSS)     \
  X(DwmExtendFrameIntoClientArea) X(DwmGetColorizationColor) X(DwmGetWindowAttribute)            \
  X(DwmIsCompositionEnabled) X(DwmSetWindowAttribute)

struct TkvDwmEntryPoints {
#define KV_DWM_POINTER(Name) decltype(&::Name) Name = nullptr;
  KV_DWM_ENTRY_POINTS(KV_DWM_POINTER)
#undef KV_DWM_POINTER
};

const TkvDwmEntryPoints& DwmEntryPoints();
bool DwmBound();
// False without the library; otherwise the library's answer (false when it leaves it unset).
bool DwmCompositionEnabled();

// Unit start: on platform versions above 5 the library is loaded and bound. End: it is freed.
void kvDWMApiStart();
// Loads and binds the library whatever the platform's version (tests that compose use it).
void kvDWMApiBind();
void kvDWMApiEnd();
