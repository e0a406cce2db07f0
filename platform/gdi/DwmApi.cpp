#include "gdi/DwmApi.h"

#include "gdi/Modules.h"

namespace {

DwmProvider platformAnswers;
DwmProvider* provider = &platformAnswers;

}  // namespace

void SetDwmProvider(DwmProvider* replacement) { provider = replacement ? replacement : &platformAnswers; }

BOOL DwmDefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  return provider->DwmDefWindowProc(window, message, wParam, lParam, result);
}

HRESULT DwmEnableBlurBehindWindow(HWND window, const DWM_BLURBEHIND* blurBehind) {
  return provider->DwmEnableBlurBehindWindow(window, blurBehind);
}

HRESULT DwmEnableComposition(UINT action) { return provider->DwmEnableComposition(action); }
HRESULT DwmEnableMMCSS(BOOL enable) { return provider->DwmEnableMMCSS(enable); }

HRESULT DwmExtendFrameIntoClientArea(HWND window, const MARGINS* margins) {
  return provider->DwmExtendFrameIntoClientArea(window, margins);
}

HRESULT DwmGetColorizationColor(DWORD* colour, BOOL* opaqueBlend) {
  return provider->DwmGetColorizationColor(colour, opaqueBlend);
}

HRESULT DwmGetWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size) {
  return provider->DwmGetWindowAttribute(window, attribute, value, size);
}

HRESULT DwmIsCompositionEnabled(BOOL* enabled) {
  if (!enabled) return static_cast<HRESULT>(0x80070057u);  // E_INVALIDARG
  return provider->DwmIsCompositionEnabled(enabled);
}

HRESULT DwmSetWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size) {
  return provider->DwmSetWindowAttribute(window, attribute, value, size);
}

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
