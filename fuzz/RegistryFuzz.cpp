// The registry stand-in over a damaged file: every key and value reads without harm.

#include <unistd.h>

#include <fstream>

#include "FuzzTarget.h"
#include "rtl/Exceptions.h"
#include "rtl/Registry.h"
#include "rtl/StringList.h"

namespace {

// The registry's file lives in a folder of this process's own.
String RegistryFile() {
  static const String file = [] {
    char folder[] = "/tmp/tavren-fuzz-registry-XXXXXX";
    setenv("TAVREN_CONFIG_DIR", mkdtemp(folder), 1);
    return TRegistry::FileName();
  }();
  return file;
}

void ReadKey(TRegistry& registry, const String& path, int depth) {
  if (depth > 8 || !registry.OpenKeyReadOnly(path)) return;
  TStringList values, keys;
  registry.GetValueNames(&values);
  registry.GetKeyNames(&keys);
  for (Integer i = 0; i < values.GetCount(); ++i) {
    const String name = values.GetStrings(i);
    registry.GetDataType(name);
    registry.ReadString(name);
    try {
      registry.ReadInteger(name);
      registry.ReadBool(name);
    } catch (const Exception&) {
    }
  }
  const String prefix = path == "\\" ? path : path + "\\";
  for (Integer i = 0; i < keys.GetCount(); ++i) ReadKey(registry, prefix + keys.GetStrings(i), depth + 1);
}

}  // namespace

TAVREN_FUZZ_TARGET(Registry) {
  std::ofstream(RegistryFile(), std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    TRegistry registry(KEY_READ);
    registry.SetRootKey(root);
    ReadKey(registry, "\\", 0);
    ReadKey(registry, "\\Software\\Tavren", 0);  // the program's own key, even without its parents
  }
}
