#pragma once
// Resources linked into the program, looked up by type and name as in Win32. Types and names are
// texts (compared without regard to letter case) or numbers passed as MAKEINTRESOURCE(id).
//
// What the resource compiler stores (tools/rescomp): every file as it is, except BITMAP, which
// holds the bitmap without its 14-byte file header (BITMAPINFOHEADER first, as LoadBitmap and
// the framework's bitmap readers expect), CURSOR and ICON, which hold the whole .cur/.ico file
// under RT_CURSOR/RT_ICON, STRINGTABLE (read with LoadString) and VERSION (see GetModuleVersion).
// Every resource's bytes are followed by one zero byte, not counted in its size.

#include "rtl/Types.h"
#include "rtl/WinTypes.h"

inline LPCSTR MAKEINTRESOURCE(WORD id) { return reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(id)); }
inline bool IS_INTRESOURCE(LPCSTR p) { return (reinterpret_cast<uintptr_t>(p) >> 16) == 0; }

inline const LPCSTR RT_CURSOR = reinterpret_cast<LPCSTR>(uintptr_t{1});
inline const LPCSTR RT_BITMAP = reinterpret_cast<LPCSTR>(uintptr_t{2});
inline const LPCSTR RT_ICON = reinterpret_cast<LPCSTR>(uintptr_t{3});
inline const LPCSTR RT_MENU = reinterpret_cast<LPCSTR>(uintptr_t{4});
inline const LPCSTR RT_DIALOG = reinterpret_cast<LPCSTR>(uintptr_t{5});
inline const LPCSTR RT_STRING = reinterpret_cast<LPCSTR>(uintptr_t{6});
inline const LPCSTR RT_FONTDIR = reinterpret_cast<LPCSTR>(uintptr_t{7});
inline const LPCSTR RT_FONT = reinterpret_cast<LPCSTR>(uintptr_t{8});
inline const LPCSTR RT_ACCELERATOR = reinterpret_cast<LPCSTR>(uintptr_t{9});
inline const LPCSTR RT_RCDATA = reinterpret_cast<LPCSTR>(uintptr_t{10});
inline const LPCSTR RT_MESSAGETABLE = reinterpret_cast<LPCSTR>(uintptr_t{11});
inline const LPCSTR RT_GROUP_CURSOR = reinterpret_cast<LPCSTR>(uintptr_t{12});
inline const LPCSTR RT_GROUP_ICON = reinterpret_cast<LPCSTR>(uintptr_t{14});
inline const LPCSTR RT_VERSION = reinterpret_cast<LPCSTR>(uintptr_t{16});
inline const LPCSTR RT_DLGINCLUDE = reinterpret_cast<LPCSTR>(uintptr_t{17});
inline const LPCSTR RT_ANICURSOR = reinterpret_cast<LPCSTR>(uintptr_t{21});
inline const LPCSTR RT_ANIICON = reinterpret_cast<LPCSTR>(uintptr_t{22});
inline const LPCSTR RT_HTML = reinterpret_cast<LPCSTR>(uintptr_t{23});
inline const LPCSTR RT_MANIFEST = reinterpret_cast<LPCSTR>(uintptr_t{24});

// The program's one module. Resource functions accept it or a null module.
extern const HINSTANCE HInstance;
extern const HINSTANCE MainInstance;

// Null when there is no such resource.
HRSRC FindResource(HMODULE Module, LPCSTR Name, LPCSTR Type);
HGLOBAL LoadResource(HMODULE Module, HRSRC ResInfo);
DWORD SizeofResource(HMODULE Module, HRSRC ResInfo);
// Resources are read-only memory of the program: the pointer stays valid until it ends.
LPVOID LockResource(HGLOBAL ResData);
// Nothing to free; answers FALSE as Win32 does.
BOOL FreeResource(HGLOBAL ResData);

// Copies string Id of the string table into Buffer (at most BufferMax - 1 bytes, never half a
// UTF-8 character, then a zero). Answers the number of bytes copied, 0 when there is no such
// string or no room.
int LoadString(HINSTANCE Instance, UINT Id, LPSTR Buffer, int BufferMax);
// String Id of the string table, or empty.
String LoadStr(Integer Ident);

// The file version of the program, from its VERSION resource ("VERSION 1 3.0.1.324" in the
// resource list: the one place the number is kept). All zero when the program has none.
struct TModuleVersion {
  Word Major = 0;
  Word Minor = 0;
  Word Release = 0;
  Word Build = 0;
  friend bool operator==(const TModuleVersion&, const TModuleVersion&) = default;
};
TModuleVersion GetModuleVersion();
