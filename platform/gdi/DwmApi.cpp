#include "gdi/DwmApi.h"

#include "gdi/Modules.h"

BOOL DwmDefWindowProc(HWND, UINT, WPARAM, LPARAM, LRESULT* result) {
  if (result) *result = 0;
  return FALSE;
}

HRESULT DwmEnableBlurBehindWindow(HWND, const DWM_BLURBEHIND*) { return DWM_E_COMPOSITIONDISABLED; }
HRESULT DwmEnableComposition(UINT) { return DWM_E_COMPOSITIONDISABLED; }
HRESULT DwmEnableMMCSS(BOOL) { return S_OK; }
HRESULT DwmExtendFrameIntoClientArea(HWND, const MARGINS*) { return DWM_E_COMPOSITIONDISABLED; }
HRESULT DwmGetColorizationColor(DWORD*, BOOL*) { return DWM_E_COMPOSITIONDISABLED; }
HRESULT DwmGetWindowAttribute(HWND, DWORD, void*, DWORD) { return DWM_E_COMPOSITIONDISABLED; }

HRESULT DwmIsCompositionEnabled(BOOL* enabled) {
  if (!enabled) return static_cast<HRESULT>(0x80070057u);  // E_INVALIDARG
  *enabled = FALSE;
  return S_OK;
}

HRESULT DwmSetWindowAttribute(HWND, DWORD, const void*, DWORD) { return DWM_E_COMPOSITIONDISABLED; }

void DwmApiStart() {
  static const ModuleExport kExports[] = {
      {"DwmDefWindowProc", ExportOf(&DwmDefWindowProc)},
      {"DwmEnableBlurBehindWindow", ExportOf(&DwmEnableBlurBehindWindow)},
      {"DwmEnableComposition", ExportOf(&DwmEnableComposition)},
      {"DwmEnableMMCSS", ExportOf(&DwmEnableMMCSS)},
      {"DwmExtendFrameIntoClientArea", ExportOf(&DwmExtendFrameIntoClientArea)},
      {"DwmGetColorizationColor", ExportOf(&DwmGetColorizationColor)},
      {"DwmGetWindowAttribute", ExportOf(&DwmGetWindowAttribute)},
      {"DwmIsCompositionEnabled", ExportOf(&DwmIsCompositionEnabled)},
      {"DwmSetWindowAttribute", ExportOf(&DwmSetWindowAttribute)},
  };
  RegisterModule("dwmapi", kExports);
}
