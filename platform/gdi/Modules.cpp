#include "gdi/Modules.h"

#include "rtl/Resources.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Module {
  std::string name;  // lower case, without ".dll"
  std::span<const ModuleExport> exports;
  int loads = 0;
};

std::vector<std::unique_ptr<Module>>& Modules() {
  static std::vector<std::unique_ptr<Module>> modules;
  return modules;
}

std::string Key(const char* name) {
  std::string key = name ? name : "";
  std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
  if (key.size() > 4 && key.compare(key.size() - 4, 4, ".dll") == 0) key.resize(key.size() - 4);
  return key;
}

Module* Find(const std::string& key) {
  for (auto& module : Modules()) {
    if (module->name == key) return module.get();
  }
  return nullptr;
}

Module* FromHandle(HMODULE handle) {
  for (auto& module : Modules()) {
    if (reinterpret_cast<HMODULE>(module.get()) == handle) return module.get();
  }
  return nullptr;
}

UINT errorMode = 0;

}  // namespace

void RegisterModule(const char* name, std::span<const ModuleExport> exports) {
  std::string key = Key(name);
  if (Module* existing = Find(key)) {
    existing->exports = exports;
    return;
  }
  Modules().push_back(std::make_unique<Module>(Module{key, exports}));
}

HMODULE LoadLibrary(const char* name) {
  Module* module = Find(Key(name));
  if (!module) return nullptr;
  ++module->loads;
  return reinterpret_cast<HMODULE>(module);
}

BOOL FreeLibrary(HMODULE handle) {
  Module* module = FromHandle(handle);
  if (!module || module->loads == 0) return FALSE;
  --module->loads;
  return TRUE;
}

HMODULE GetModuleHandle(const char* name) {
  if (!name || !*name) return HInstance;
  Module* module = Find(Key(name));
  return module && module->loads > 0 ? reinterpret_cast<HMODULE>(module) : nullptr;
}

FARPROC GetProcAddress(HMODULE handle, const char* name) {
  Module* module = FromHandle(handle);
  if (!module || !name) return nullptr;
  for (const ModuleExport& entry : module->exports) {
    if (std::strcmp(entry.name, name) == 0) return entry.proc;
  }
  return nullptr;
}

UINT SetErrorMode(UINT mode) {
  UINT previous = errorMode;
  errorMode = mode;
  return previous;
}
