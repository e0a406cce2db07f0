#include "app/MainUpdater.h"

#include "core/Global.h"
#include "core/GlobalFun.h"
#include "rtl/FileUtils.h"
#include "rtl/SysUtils.h"
#include "user/Shell.h"
#include "user/WindowPos.h"
#include "vcl/Forms.h"

String UpdaterParameters(HWND MainWindow, const String& Folder) {
  // The product name is an argument, not part of the format: a '%' in it stays text.
  String parameters = Format("-url \"%s\" -product \"%s\" -ver \"%s\" -mainwnd \"$%x\" -msg \"%s Update Wizard\"",
                             UpdateUrl.c_str(), ProductId.c_str(),
                             GetFileVersionText(Application()->GetExeName()).c_str(),
                             static_cast<Cardinal>(reinterpret_cast<uintptr_t>(MainWindow)), ProductName.c_str());
  const String uninstaller = Folder + "unins000.exe";
  if (FileExists(uninstaller)) parameters += " -uninstall \"" + uninstaller + "/SILENT /VERYSILENT\"";
  return parameters;
}

void LaunchUpdater(HWND MainWindow, const String& Folder) {
  ShellExecuteA(MainWindow, "open", (Folder + "update.exe").c_str(), UpdaterParameters(MainWindow, Folder).c_str(),
                nullptr, SW_SHOW);
}
