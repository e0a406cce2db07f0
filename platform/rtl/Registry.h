#pragma once
// A stand-in for the registry: keys and values kept in one ini-like file,
// $TAVREN_CONFIG_DIR/registry.ini, or else ($XDG_CONFIG_HOME or ~/.config)/tavren/registry.ini.
// Each key is a section named by its root and path ("HKEY_CURRENT_USER\Software\Tavren"); each
// value a line "name=type:data" (type "str", "int" or "bin"; the default value is named "@").
// Every change reaches the file at once, through the same atomic replacement as TIniFile.

#include "rtl/IniFiles.h"
#include "rtl/Object.h"
#include "rtl/Types.h"
#include "rtl/WinTypes.h"

class TStrings;

struct HKEY__;
using HKEY = HKEY__*;

inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(uintptr_t{0x80000000});
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(uintptr_t{0x80000001});
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(uintptr_t{0x80000002});
inline const HKEY HKEY_USERS = reinterpret_cast<HKEY>(uintptr_t{0x80000003});
inline const HKEY HKEY_CURRENT_CONFIG = reinterpret_cast<HKEY>(uintptr_t{0x80000005});

constexpr Cardinal KEY_QUERY_VALUE = 0x0001;
constexpr Cardinal KEY_SET_VALUE = 0x0002;
constexpr Cardinal KEY_CREATE_SUB_KEY = 0x0004;
constexpr Cardinal KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr Cardinal KEY_READ = 0x20019;
constexpr Cardinal KEY_WRITE = 0x20006;
constexpr Cardinal KEY_ALL_ACCESS = 0xF003F;

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class TRegistry : public TObject {
  TAVREN_CLASS(TRegistry, TObject)
 public:
  explicit TRegistry(Cardinal AAccess = KEY_ALL_ACCESS);
  ~TRegistry() override;

  // Changing the root closes the open key. HKEY_CURRENT_USER at first.
  HKEY GetRootKey() const { return FRootKey; }
  void SetRootKey(HKEY Value);
  // The open key's path below the root, without a leading '\'.
  const String& GetCurrentPath() const { return FCurrentPath; }
  Cardinal GetAccess() const { return FAccess; }
  void SetAccess(Cardinal Value) { FAccess = Value; }

  // Key is below the open key, or below the root when it starts with '\'. With CanCreate the key
  // and its missing parents are made. False when the key does not exist (or cannot be made).
  bool OpenKey(const String& Key, bool CanCreate);
  bool OpenKeyReadOnly(const String& Key);
  void CloseKey();
  bool KeyExists(const String& Key);
  // Deletes the key with all its subkeys.
  bool DeleteKey(const String& Key);
  bool HasSubKeys();
  void GetKeyNames(TStrings* Strings);

  bool ValueExists(const String& Name);
  // rdUnknown when the value does not exist.
  TRegDataType GetDataType(const String& Name);
  bool DeleteValue(const String& Name);
  void GetValueNames(TStrings* Strings);

  // ReadString answers "" for a missing value; ReadInteger and ReadBool raise ERegistryException
  // "Invalid data type for '<name>'" for a missing value or one of another type. Writes to a key
  // opened read-only raise ERegistryException "Failed to set data for '<name>'".
  String ReadString(const String& Name);
  void WriteString(const String& Name, const String& Value);
  Integer ReadInteger(const String& Name);
  void WriteInteger(const String& Name, Integer Value);
  bool ReadBool(const String& Name);
  void WriteBool(const String& Name, bool Value);

  // The file behind the registry (see the top of this header).
  static String FileName();

 private:
  String SectionOf(const String& Path) const;
  String ResolvePath(const String& Key) const;
  bool ReadTyped(const String& Name, const char* Type, String& Data);
  void WriteTyped(const String& Name, const char* Type, const String& Data);

  HKEY FRootKey;
  Cardinal FAccess;
  String FCurrentPath;
  bool FKeyOpen = false;
  bool FReadOnly = false;
};

// An ini-file interface over the registry: FileName is a key below HKEY_CURRENT_USER, sections
// are its subkeys (a section beginning with "\" is a key path from HKEY_CURRENT_USER itself)
// and identifiers their values. Integers are stored as text, as every value
// this class writes; values of other types read as their text.
class TRegistryIniFile : public TCustomIniFile {
  TAVREN_CLASS(TRegistryIniFile, TCustomIniFile)
 public:
  explicit TRegistryIniFile(const String& FileName, Cardinal AAccess = KEY_ALL_ACCESS);
  ~TRegistryIniFile() override;

  String ReadString(const String& Section, const String& Ident, const String& Default) override;
  void WriteString(const String& Section, const String& Ident, const String& Value) override;
  void ReadSection(const String& Section, TStrings* Strings) override;
  void ReadSections(TStrings* Strings) override;
  void ReadSectionValues(const String& Section, TStrings* Strings) override;
  void EraseSection(const String& Section) override;
  void DeleteKey(const String& Section, const String& Ident) override;
  void UpdateFile() override {}

 private:
  // The key path of a section.
  String SectionKey(const String& Section) const;
  // Opens FileName\Section in FRegistry; false when it does not exist and Create is false.
  bool OpenSection(const String& Section, bool Create);

  std::unique_ptr<TRegistry> FRegistry;
};
