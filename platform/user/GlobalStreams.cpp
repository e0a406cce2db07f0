#include "user/GlobalStreams.h"

#include <algorithm>
#include <cstring>

#include "user/GlobalMemory.h"

namespace {

class TGlobalStream : public TInterfacedObject, public IStream {
  TAVREN_CLASS(TGlobalStream, TInterfacedObject)
 public:
  TGlobalStream(HGLOBAL Global, bool DeleteOnRelease) : FGlobal(Global), FDeleteOnRelease(DeleteOnRelease) {}
  ~TGlobalStream() override {
    if (FDeleteOnRelease) GlobalFree(FGlobal);
  }

  HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) override {
    if (pv == nullptr) return STG_E_INVALIDPOINTER;
    const ULONGLONG size = GlobalSize(FGlobal);
    const ULONG n = FPosition >= size ? 0 : static_cast<ULONG>(std::min<ULONGLONG>(cb, size - FPosition));
    if (n > 0) {
      auto* bytes = static_cast<const Byte*>(GlobalLock(FGlobal));
      if (!bytes) return STG_E_READFAULT;
      std::memcpy(pv, bytes + FPosition, n);
      GlobalUnlock(FGlobal);
      FPosition += n;
    }
    if (pcbRead) *pcbRead = n;
    return n == cb ? S_OK : S_FALSE;
  }

  HRESULT Write(const void* pv, ULONG cb, ULONG* pcbWritten) override {
    if (pv == nullptr) return STG_E_INVALIDPOINTER;
    const ULONGLONG size = GlobalSize(FGlobal);
    const ULONG n = FPosition >= size ? 0 : static_cast<ULONG>(std::min<ULONGLONG>(cb, size - FPosition));
    if (n > 0) {
      auto* bytes = static_cast<Byte*>(GlobalLock(FGlobal));
      if (!bytes) return STG_E_WRITEFAULT;
      std::memcpy(bytes + FPosition, pv, n);
      GlobalUnlock(FGlobal);
      FPosition += n;
    }
    if (pcbWritten) *pcbWritten = n;
    return n == cb ? S_OK : STG_E_MEDIUMFULL;
  }

  HRESULT Seek(LONGLONG dlibMove, DWORD dwOrigin, ULONGLONG* plibNewPosition) override {
    LONGLONG base;
    switch (dwOrigin) {
      case STREAM_SEEK_SET: base = 0; break;
      case STREAM_SEEK_CUR: base = static_cast<LONGLONG>(FPosition); break;
      case STREAM_SEEK_END: base = static_cast<LONGLONG>(GlobalSize(FGlobal)); break;
      default: return STG_E_INVALIDFUNCTION;
    }
    // Overflow-safe: a move that would land before the start is refused.
    if (dlibMove < 0 ? base < -dlibMove : false) return STG_E_INVALIDFUNCTION;
    FPosition = static_cast<ULONGLONG>(base + dlibMove);
    if (plibNewPosition) *plibNewPosition = FPosition;
    return S_OK;
  }

  // The block has a fixed size here: only its own size is accepted.
  HRESULT SetSize(ULONGLONG libNewSize) override {
    return libNewSize == GlobalSize(FGlobal) ? S_OK : STG_E_MEDIUMFULL;
  }

  HRESULT Stat(STATSTG* pstatstg, DWORD) override {
    if (pstatstg == nullptr) return STG_E_INVALIDPOINTER;
    pstatstg->cbSize = GlobalSize(FGlobal);
    return S_OK;
  }

 private:
  HGLOBAL FGlobal;
  bool FDeleteOnRelease;
  ULONGLONG FPosition = 0;
};

TAVREN_CLASS_IMPL(TGlobalStream)

}  // namespace

HRESULT CreateStreamOnHGlobal(HGLOBAL Global, BOOL DeleteOnRelease, IStream** Stream) {
  if (Stream == nullptr) return E_INVALIDARG;
  *Stream = nullptr;
  bool owned = DeleteOnRelease != FALSE;
  if (Global == nullptr) {
    Global = GlobalAlloc(GMEM_MOVEABLE, 0);
    owned = true;
  }
  IStream* stream = new TGlobalStream(Global, owned);
  stream->_AddRef();
  *Stream = stream;
  return S_OK;
}
