// The image blending library's exports, for code that binds them by name at run time; the
// routines themselves are the blits of this library.

#include "gdi/MsImg32.h"

#include "gdi/Blits.h"
#include "gdi/Modules.h"

void MsImg32Start() {
  static const ModuleExport kExports[] = {
      {"AlphaBlend", ExportOf(&AlphaBlend)},
      {"GradientFill", ExportOf(&GradientFill)},
      {"TransparentBlt", ExportOf(&TransparentBlt)},
  };
  RegisterModule("msimg32", kExports);
}
