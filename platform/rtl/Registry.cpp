#include "rtl/Registry.h"

#include <cstdlib>

#include "rtl/FileUtils.h"
#include "rtl/IniFilesDocument.h"
#include "rtl/StringList.h"
#include "rtl/SysUtils.h"

TAVREN_CLASS_IMPL(TRegistry)
TAVREN_CLASS_IMPL(TRegistryIniFile)

namespace {

const char* RootName(HKEY Root) {
  if (Root == HKEY_CLASSES_ROOT) return "HKEY_CLASSES_ROOT";
  if (Root == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
  if (Root == HKEY_USERS) return "HKEY_USERS";
  if (Root == HKEY_CURRENT_CONFIG) return "HKEY_CURRENT_CONFIG";
  return "HKEY_CURRENT_USER";
}

// "a\\b\" -> "a\b": no empty parts, no leading or trailing delimiter.
String NormalizePath(const String& Path) {
  String result;
  size_t start = 0;
  while (start <= Path.size()) {
    size_t end = Path.find('\\', start);
    if (end == String::npos) end = Path.size();
    if (end > start) result += (result.empty() ? "" : "\\") + Path.substr(start, end - start);
    start = end + 1;
  }
  return result;
}

String ValueKey(const String& Name) { return Name.empty() ? "@" : Name; }

TIniDocument LoadRegistry() { return LoadIniDocument(TRegistry::FileName()); }

template <typename Edit>
bool EditRegistry(Edit edit) {
  TIniDocument document = LoadRegistry();
  if (!edit(document)) return false;
  String folder = ExtractFileDir(TRegistry::FileName());
  if (!DirectoryExists(folder)) ForceDirectories(folder);
  WriteIniTextAtomically(TRegistry::FileName(), document.GetText());
  return true;
}

}  // namespace

TRegistry::TRegistry(Cardinal AAccess) : FRootKey(HKEY_CURRENT_USER), FAccess(AAccess) {}

TRegistry::~TRegistry() = default;

String TRegistry::FileName() {
  if (const char* dir = std::getenv("TAVREN_CONFIG_DIR"); dir && *dir)
    return IncludeTrailingPathDelimiter(dir) + "registry.ini";
  String base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
    base = xdg;
  else if (const char* home = std::getenv("HOME"); home && *home)
    base = IncludeTrailingPathDelimiter(home) + ".config";
  else
    base = "/tmp";
  return IncludeTrailingPathDelimiter(base) + "tavren/registry.ini";
}

void TRegistry::SetRootKey(HKEY Value) {
  CloseKey();
  FRootKey = Value;
}

String TRegistry::SectionOf(const String& Path) const {
  return Path.empty() ? String(RootName(FRootKey)) : String(RootName(FRootKey)) + "\\" + Path;
}

String TRegistry::ResolvePath(const String& Key) const {
  if (!Key.empty() && Key[0] == '\\') return NormalizePath(Key);
  return NormalizePath(FCurrentPath + "\\" + Key);
}

bool TRegistry::OpenKey(const String& Key, bool CanCreate) {
  String path = ResolvePath(Key);
  bool exists = path.empty() || LoadRegistry().HasSection(SectionOf(path));
  if (!exists && CanCreate) {
    // A key comes with all its parents, as registry keys do.
    EditRegistry([&](TIniDocument& d) {
      bool changed = false;
      for (size_t end = 0; end != String::npos;) {
        end = path.find('\\', end + 1);
        changed |= d.AddSection(SectionOf(path.substr(0, end)));
      }
      return changed;
    });
    exists = true;
  }
  if (!exists) return false;
  FCurrentPath = path;
  FKeyOpen = true;
  FReadOnly = (FAccess & KEY_SET_VALUE) == 0;
  return true;
}

bool TRegistry::OpenKeyReadOnly(const String& Key) {
  if (!OpenKey(Key, false)) return false;
  FReadOnly = true;
  return true;
}

void TRegistry::CloseKey() {
  FCurrentPath.clear();
  FKeyOpen = false;
  FReadOnly = false;
}

bool TRegistry::KeyExists(const String& Key) {
  String path = ResolvePath(Key);
  return path.empty() || LoadRegistry().HasSection(SectionOf(path));
}

bool TRegistry::DeleteKey(const String& Key) {
  String path = ResolvePath(Key);
  if (path.empty()) return false;
  String section = SectionOf(path);
  return EditRegistry([&](TIniDocument& d) {
    bool changed = false;
    for (const auto& name : d.SectionNames())
      if (AnsiSameText(name, section) || AnsiSameText(name.substr(0, section.size() + 1), section + "\\"))
        changed |= d.EraseSection(name);
    return changed;
  });
}

bool TRegistry::HasSubKeys() {
  String prefix = SectionOf(FCurrentPath) + "\\";
  for (const auto& name : LoadRegistry().SectionNames())
    if (AnsiSameText(name.substr(0, prefix.size()), prefix)) return true;
  return false;
}

bool TRegistry::ValueExists(const String& Name) {
  String data;
  return LoadRegistry().ReadValue(SectionOf(FCurrentPath), ValueKey(Name), data);
}

TRegDataType TRegistry::GetDataType(const String& Name) {
  String stored;
  if (!LoadRegistry().ReadValue(SectionOf(FCurrentPath), ValueKey(Name), stored)) return rdUnknown;
  if (stored.rfind("str:", 0) == 0) return rdString;
  if (stored.rfind("int:", 0) == 0) return rdInteger;
  if (stored.rfind("bin:", 0) == 0) return rdBinary;
  return rdUnknown;
}

bool TRegistry::DeleteValue(const String& Name) {
  if (FReadOnly) return false;
  return EditRegistry([&](TIniDocument& d) { return d.DeleteKey(SectionOf(FCurrentPath), ValueKey(Name)); });
}

bool TRegistry::ReadTyped(const String& Name, const char* Type, String& Data) {
  String stored;
  if (!LoadRegistry().ReadValue(SectionOf(FCurrentPath), ValueKey(Name), stored)) return false;
  String prefix = String(Type) + ":";
  if (stored.compare(0, prefix.size(), prefix) != 0) return false;
  Data = stored.substr(prefix.size());
  return true;
}

void TRegistry::WriteTyped(const String& Name, const char* Type, const String& Data) {
  if (FReadOnly) throw ERegistryException(Format("Failed to set data for '%s'", Name));
  try {
    EditRegistry([&](TIniDocument& d) {
      d.AddSection(SectionOf(FCurrentPath));
      d.WriteValue(SectionOf(FCurrentPath), ValueKey(Name), String(Type) + ":" + Data);
      return true;
    });
  } catch (const EIniFileException& e) {
    throw ERegistryException(Format("Failed to set data for '%s'. %s", Name, e.Message()));
  }
}

String TRegistry::ReadString(const String& Name) {
  String data;
  return ReadTyped(Name, "str", data) ? data : String();
}

void TRegistry::WriteString(const String& Name, const String& Value) { WriteTyped(Name, "str", Value); }

Integer TRegistry::ReadInteger(const String& Name) {
  String data;
  Integer value;
  if (!ReadTyped(Name, "int", data) || !TryStrToInt(data, value))
    throw ERegistryException(Format("Invalid data type for '%s'", Name));
  return value;
}

void TRegistry::WriteInteger(const String& Name, Integer Value) { WriteTyped(Name, "int", IntToStr(Value)); }

bool TRegistry::ReadBool(const String& Name) { return ReadInteger(Name) != 0; }

void TRegistry::WriteBool(const String& Name, bool Value) { WriteInteger(Name, Value ? 1 : 0); }

void TRegistry::GetKeyNames(TStrings* Strings) {
  String prefix = SectionOf(FCurrentPath) + "\\";
  Strings->BeginUpdate();
  Strings->Clear();
  for (const auto& name : LoadRegistry().SectionNames()) {
    if (!AnsiSameText(name.substr(0, prefix.size()), prefix)) continue;
    String child = name.substr(prefix.size());
    if (!child.empty() && child.find('\\') == String::npos) Strings->Add(child);
  }
  Strings->EndUpdate();
}

void TRegistry::GetValueNames(TStrings* Strings) {
  Strings->BeginUpdate();
  Strings->Clear();
  for (const auto& [key, data] : LoadRegistry().SectionValues(SectionOf(FCurrentPath)))
    Strings->Add(key == "@" ? String() : key);
  Strings->EndUpdate();
}

// ---- TRegistryIniFile ---------------------------------------------------------------------------

TRegistryIniFile::TRegistryIniFile(const String& FileName, Cardinal AAccess)
    : TCustomIniFile(FileName), FRegistry(std::make_unique<TRegistry>(AAccess)) {}

TRegistryIniFile::~TRegistryIniFile() = default;

String TRegistryIniFile::SectionKey(const String& Section) const {
  // A section beginning with a backslash names its key from the root, as keys opened by path do.
  if (!Section.empty() && Section[0] == '\\') return Section;
  return "\\" + GetFileName() + "\\" + Section;
}

bool TRegistryIniFile::OpenSection(const String& Section, bool Create) {
  FRegistry->CloseKey();
  return FRegistry->OpenKey(SectionKey(Section), Create);
}

String TRegistryIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
  if (!OpenSection(Section, false)) return Default;
  switch (FRegistry->GetDataType(Ident)) {
    case rdString:
    case rdExpandString: return FRegistry->ReadString(Ident);
    case rdInteger: return IntToStr(FRegistry->ReadInteger(Ident));
    default: return Default;
  }
}

void TRegistryIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  if (!OpenSection(Section, true)) throw ERegistryException(Format("Failed to create key %s", Section));
  FRegistry->WriteString(Ident, Value);
}

void TRegistryIniFile::ReadSection(const String& Section, TStrings* Strings) {
  Strings->Clear();
  if (OpenSection(Section, false)) FRegistry->GetValueNames(Strings);
}

void TRegistryIniFile::ReadSections(TStrings* Strings) {
  Strings->Clear();
  if (OpenSection("", false)) FRegistry->GetKeyNames(Strings);
}

void TRegistryIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
  TStringList names;
  ReadSection(Section, &names);
  Strings->BeginUpdate();
  Strings->Clear();
  for (Integer i = 0; i < names.GetCount(); ++i) {
    String name = names.GetStrings(i);
    Strings->Add(name + "=" + ReadString(Section, name, ""));
  }
  Strings->EndUpdate();
}

void TRegistryIniFile::EraseSection(const String& Section) {
  FRegistry->CloseKey();
  FRegistry->DeleteKey(SectionKey(Section));
}

void TRegistryIniFile::DeleteKey(const String& Section, const String& Ident) {
  if (OpenSection(Section, false)) FRegistry->DeleteValue(Ident);
}
