#include "core/TaskConf.h"

#include "core/GlobalFun.h"
#include "rtl/FileUtils.h"
#include "rtl/IniFiles.h"

TAVREN_CLASS_IMPL(TConfIni)

String DefaultConfigFile() { return ExecutableFolder() + "configure.ini"; }

String TConfIni::ReadDir(const String& Key) {
  String value = TIniFile(FFileName).ReadString("Files", Key, "");
  if (!value.empty() && DirectoryExists(value)) return value;
  String personal = PersonalFolder();
  return personal.empty() ? String(1, PathDelim) : personal;
}

void TConfIni::WriteDir(const String& Key, const String& Value) {
  TIniFile(FFileName).WriteString("Files", Key, Value);
}
