// Streams over resources linked into the program.
#include "rtl/Resources.h"
#include "rtl/Streams.h"
#include "rtl/SysUtils.h"

TAVREN_CLASS_IMPL(TResourceStream)

namespace {

String ResourceName(LPCSTR ResName) {
  return IS_INTRESOURCE(ResName) ? IntToStr(reinterpret_cast<uintptr_t>(ResName)) : String(ResName);
}

}  // namespace

TResourceStream::TResourceStream(HINSTANCE Instance, LPCSTR ResName, LPCSTR ResType) {
  HRSRC info = FindResource(Instance, ResName, ResType);
  if (info == nullptr) throw EResNotFound(Format("Resource %s not found", ResourceName(ResName)));
  SetPointer(LockResource(LoadResource(Instance, info)), SizeofResource(Instance, info));
}

TResourceStream::TResourceStream(HINSTANCE Instance, const String& ResName, LPCSTR ResType)
    : TResourceStream(Instance, ResName.c_str(), ResType) {}

TResourceStream::TResourceStream(HINSTANCE Instance, Integer ResID, LPCSTR ResType)
    : TResourceStream(Instance, MAKEINTRESOURCE(static_cast<WORD>(ResID)), ResType) {}

Integer TResourceStream::Write(const void*, Integer) {
  throw EStreamError("Can't write to a read-only resource stream");
}
