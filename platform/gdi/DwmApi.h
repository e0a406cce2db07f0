#pragma once
// The desktop composition library's entry points. Composition is off on this platform: by
// default DwmIsCompositionEnabled answers FALSE and the calls that need composition fail with
// DWM_E_COMPOSITIONDISABLED, so the system keeps its non-composited paths. A provider installed
// with SetDwmProvider answers instead (tests install one that composes), so that the glass
// paths stay testable.

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

// What the composition answers. The base class is the platform's own answer: no composition.
class DwmProvider {
 public:
  virtual ~DwmProvider() = default;
  virtual BOOL DwmDefWindowProc(HWND, UINT, WPARAM, LPARAM, LRESULT* result) {
    if (result) *result = 0;
    return FALSE;
  }
  virtual HRESULT DwmEnableBlurBehindWindow(HWND, const DWM_BLURBEHIND*) { return DWM_E_COMPOSITIONDISABLED; }
  virtual HRESULT DwmEnableComposition(UINT) { return DWM_E_COMPOSITIONDISABLED; }
  virtual HRESULT DwmEnableMMCSS(BOOL) { return S_OK; }
  virtual HRESULT DwmExtendFrameIntoClientArea(HWND, const MARGINS*) { return DWM_E_COMPOSITIONDISABLED; }
  virtual HRESULT DwmGetColorizationColor(DWORD*, BOOL*) { return DWM_E_COMPOSITIONDISABLED; }
  virtual HRESULT DwmGetWindowAttribute(HWND, DWORD, void*, DWORD) { return DWM_E_COMPOSITIONDISABLED; }
  virtual HRESULT DwmIsCompositionEnabled(BOOL* enabled) {
    *enabled = FALSE;
    return S_OK;
  }
  virtual HRESULT DwmSetWindowAttribute(HWND, DWORD, const void*, DWORD) { return DWM_E_COMPOSITIONDISABLED; }
};

// Installs a provider (not owned); null brings back the platform's answers.
void SetDwmProvider(DwmProvider* provider);

// Unit start: registers the library "dwmapi" for run-time binding.
void DwmApiStart();
