#pragma once
// The desktop composition library's entry points. Composition is off on this platform:
// DwmIsCompositionEnabled answers FALSE and the calls that need composition fail with
// DWM_E_COMPOSITIONDISABLED, so the system keeps its non-composited paths.

#include "gdi/UxTheme.h"

constexpr HRESULT DWM_E_COMPOSITIONDISABLED = static_cast<HRESULT>(0x80263001u);
constexpr DWORD DWMWA_CAPTION_BUTTON_BOUNDS = 5;

struct DWM_BLURBEHIND;

BOOL DwmDefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
HRESULT DwmEnableBlurBehindWindow(HWND window, const DWM_BLURBEHIND* blurBehind);
HRESULT DwmEnableComposition(UINT action);
HRESULT DwmEnableMMCSS(BOOL enable);
HRESULT DwmExtendFrameIntoClientArea(HWND window, const MARGINS* margins);
HRESULT DwmGetColorizationColor(DWORD* colour, BOOL* opaqueBlend);
HRESULT DwmGetWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size);
HRESULT DwmIsCompositionEnabled(BOOL* enabled);
HRESULT DwmSetWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size);

// Unit start: registers the library "dwmapi" for run-time binding.
void DwmApiStart();
