#include "rtl/Resources.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

#include "rtl/ResourceTable.h"

namespace {

char MainModuleTag;

bool Matches(LPCSTR wanted, const char* text, uint16_t id) {
  if (IS_INTRESOURCE(wanted)) return text == nullptr && id == reinterpret_cast<uintptr_t>(wanted);
  return text != nullptr && strcasecmp(text, wanted) == 0;
}

const TResourceEntry* Entry(HRSRC ResInfo) { return reinterpret_cast<const TResourceEntry*>(ResInfo); }

bool IsOurModule(HMODULE Module) { return Module == nullptr || Module == HInstance; }

DWORD ReadLE32(const unsigned char* p) {
  return DWORD(p[0]) | (DWORD(p[1]) << 8) | (DWORD(p[2]) << 16) | (DWORD(p[3]) << 24);
}

}  // namespace

const HINSTANCE HInstance = reinterpret_cast<HINSTANCE>(&MainModuleTag);
const HINSTANCE MainInstance = reinterpret_cast<HINSTANCE>(&MainModuleTag);

HRSRC FindResource(HMODULE Module, LPCSTR Name, LPCSTR Type) {
  if (!IsOurModule(Module) || Name == nullptr || Type == nullptr) return nullptr;
  const TResourceTable& table = TavrenResourceTable;
  for (size_t i = 0; i < table.Count; ++i) {
    const TResourceEntry& e = table.Entries[i];
    if (Matches(Type, e.TypeName, e.TypeId) && Matches(Name, e.Name, e.NameId))
      return reinterpret_cast<HRSRC>(const_cast<TResourceEntry*>(&e));
  }
  return nullptr;
}

HGLOBAL LoadResource(HMODULE Module, HRSRC ResInfo) {
  if (!IsOurModule(Module) || ResInfo == nullptr) return nullptr;
  return const_cast<unsigned char*>(Entry(ResInfo)->Data);
}

DWORD SizeofResource(HMODULE Module, HRSRC ResInfo) {
  if (!IsOurModule(Module) || ResInfo == nullptr) return 0;
  return static_cast<DWORD>(Entry(ResInfo)->DataEnd - Entry(ResInfo)->Data);
}

LPVOID LockResource(HGLOBAL ResData) { return ResData; }

BOOL FreeResource(HGLOBAL) { return FALSE; }

int LoadString(HINSTANCE Instance, UINT Id, LPSTR Buffer, int BufferMax) {
  if (Buffer == nullptr || BufferMax <= 0) return 0;
  Buffer[0] = '\0';
  if (Id > 0xFFFF) return 0;
  HRSRC block = FindResource(Instance, MAKEINTRESOURCE(static_cast<WORD>(Id / 16 + 1)), RT_STRING);
  if (block == nullptr) return 0;
  // Walk the block's sixteen length-prefixed strings to ours; a short block ends the walk.
  const unsigned char* p = Entry(block)->Data;
  const unsigned char* end = Entry(block)->DataEnd;
  for (UINT slot = 0;; ++slot) {
    if (end - p < 2) return 0;
    size_t length = p[0] | (size_t(p[1]) << 8);
    p += 2;
    if (size_t(end - p) < length) return 0;
    if (slot == Id % 16) {
      size_t count = std::min(length, size_t(BufferMax - 1));
      // Never cut a UTF-8 character in two: step back over continuation bytes.
      if (count < length)
        while (count > 0 && (p[count] & 0xC0) == 0x80) --count;
      std::memcpy(Buffer, p, count);
      Buffer[count] = '\0';
      return static_cast<int>(count);
    }
    p += length;
  }
}

String LoadStr(Integer Ident) {
  if (Ident < 0 || Ident > 0xFFFF) return {};
  HRSRC block = FindResource(HInstance, MAKEINTRESOURCE(static_cast<WORD>(Ident / 16 + 1)), RT_STRING);
  if (block == nullptr) return {};
  String text(SizeofResource(HInstance, block), '\0');
  text.resize(LoadString(HInstance, static_cast<UINT>(Ident), text.data(), static_cast<int>(text.size())));
  return text;
}

TModuleVersion GetModuleVersion() {
  // The fixed version record: signature, structure version, then the file version's most and
  // least significant halves.
  constexpr DWORD kSignature = 0xFEEF04BD;
  HRSRC info = FindResource(HInstance, MAKEINTRESOURCE(1), RT_VERSION);
  if (info == nullptr || SizeofResource(HInstance, info) < 16) return {};
  const auto* p = static_cast<const unsigned char*>(LockResource(LoadResource(HInstance, info)));
  if (ReadLE32(p) != kSignature) return {};
  DWORD ms = ReadLE32(p + 8);
  DWORD ls = ReadLE32(p + 12);
  return {HIWORD(ms), LOWORD(ms), HIWORD(ls), LOWORD(ls)};
}
