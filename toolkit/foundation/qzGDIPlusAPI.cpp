#include "toolkit/foundation/qzGDIPlusAPI.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "gdi/Modules.h"
#include "rtl/SysUtils.h"
#include "rtl/WideText.h"
#include "toolkit/foundation/kvClasses.h"

TAVREN_CLASS_IMPL(TqzUnitsLoader)

namespace {

HMODULE library = nullptr;
bool loaded = false;
ULONG_PTR startupToken = 0;
ULONG_PTR notificationToken = 0;
GdiplusStartupOutput startupOutput;
TqzGdiPlusEntryPoints entryPoints;
CLSID pngEncoderId;
TqzUnitsLoader* loaderInstance = nullptr;

// Binds in order while every lookup succeeds; the first missing name leaves the rest unbound.
bool BindEntryPoints() {
  bool all = true;
#define QZ_GDIPLUS_BIND(Name)                                                                          \
  if (all) {                                                                                           \
    entryPoints.Name = reinterpret_cast<decltype(entryPoints.Name)>(GetProcAddress(library, #Name)); \
    all = entryPoints.Name != nullptr;                                                                 \
  }
  QZ_GDIPLUS_ENTRY_POINTS(QZ_GDIPLUS_BIND, QZ_GDIPLUS_BIND)
#undef QZ_GDIPLUS_BIND
  return all;
}

void MarkNotLoaded() { loaded = false; }

}  // namespace

const TqzGdiPlusEntryPoints& GdiPlus() { return entryPoints; }

bool GdiPlusReady() {
  if (!loaded) BindGdiPlus();
  return loaded;
}

void BindGdiPlus() {
  if (loaded) return;
  if (!library) {
    UINT mode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    library = LoadLibrary("gdiplus.dll");
    SetErrorMode(mode);
  }
  if (!library) return;
  entryPoints = TqzGdiPlusEntryPoints{};
  if (!BindEntryPoints()) return;
  GdiplusStartupInput input;
  input.GdiplusVersion = 1;
  input.SuppressBackgroundThread = TRUE;
  input.SuppressExternalCodecs = FALSE;
  startupOutput = GdiplusStartupOutput{};
  loaded = entryPoints.GdiplusStartup(&startupToken, &input, &startupOutput) == Ok &&
           startupOutput.NotificationHook && startupOutput.NotificationHook(&notificationToken) == Ok;
  if (!loaded) startupOutput = GdiplusStartupOutput{};
}

void UnloadGdiPlus() {
  if (loaded) {
    if (startupOutput.NotificationUnhook) startupOutput.NotificationUnhook(notificationToken);
    entryPoints.GdiplusShutdown(startupToken);
  }
  if (library) FreeLibrary(library);
  library = nullptr;
  loaded = false;
}

void GpCheck(bool Condition) {
  if (!Condition)
    throw EAssertionFailed(
        Format("%s (%s, line %d)", ResourceStringText(sqzGdipInvalidOperation), "qzGDIPlusAPI", 1001));
}

void GpCheckStatus(GpStatus Status) { GpCheck(Status == Ok); }

Integer FindImageEncoder(const String& MimeType, CLSID& ClassId) {
  if (!GdiPlusReady()) return 1;
  UINT count = 0, size = 0;
  if (entryPoints.GdipGetImageEncodersSize(&count, &size) != Ok || size == 0) return 1;
  std::vector<std::max_align_t> table((size + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t));
  auto* codecs = reinterpret_cast<ImageCodecInfo*>(table.data());
  if (entryPoints.GdipGetImageEncoders(count, size, codecs) != Ok) return 1;
  for (UINT i = 0; i < count; ++i) {
    if (codecs[i].MimeType && SameText(UTF8Encode(codecs[i].MimeType), MimeType)) {
      ClassId = codecs[i].Clsid;
      return 0;
    }
  }
  return 1;
}

void EnsurePngEncoderId() {
  static const BYTE zero[8] = {};
  if (std::memcmp(&pngEncoderId, zero, sizeof zero) == 0) FindImageEncoder("image/png", pngEncoderId);
}

const CLSID& PngEncoderId() { return pngEncoderId; }

void* TqzGPBase::operator new(size_t Size) {
  void* memory = GdiPlusReady() ? entryPoints.GdipAlloc(Size) : nullptr;
  if (!memory) throw std::bad_alloc();
  return memory;
}

void TqzGPBase::operator delete(void* Pointer) {
  // The entry points stay bound after shut-down, so late objects still go back to their heap.
  if (Pointer && entryPoints.GdipFree) entryPoints.GdipFree(Pointer);
}

// ---- Unit loader --------------------------------------------------------------------------

TqzUnitsLoader::~TqzUnitsLoader() { Finalize(); }

void TqzUnitsLoader::RegisterUnitProcs(TqzUnitProc InitProc, TqzUnitProc FinalProc) {
  if (InitProc) {
    FUnitsInitialized = true;
    InitProc();
  }
  if (FinalProc) FFinalizeList.push_back(FinalProc);
}

void TqzUnitsLoader::UnregisterUnitProcs(TqzUnitProc FinalProc) {
  if (!FinalProc) return;
  auto it = std::find(FFinalizeList.begin(), FFinalizeList.end(), FinalProc);
  if (it == FFinalizeList.end()) return;
  FFinalizeList.erase(it);
  FinalProc();
}

void TqzUnitsLoader::Finalize() {
  if (FUnitsInitialized) {
    // A clean-up may unregister others while we walk: take each from the end as we go.
    while (!FFinalizeList.empty()) {
      TqzUnitProc proc = FFinalizeList.back();
      FFinalizeList.pop_back();
      proc();
    }
  }
  FUnitsInitialized = false;
  FFinalizeList.clear();
}

TqzUnitsLoader* UnitsLoaderInstance() {
  if (!loaderInstance) loaderInstance = new TqzUnitsLoader;
  return loaderInstance;
}

void qzGDIPlusAPIStart() { UnitsLoaderInstance()->RegisterUnitProcs(&MarkNotLoaded, &UnloadGdiPlus); }

void qzGDIPlusAPIEnd() {
  delete loaderInstance;
  loaderInstance = nullptr;
}
