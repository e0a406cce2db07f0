// TStreamAdapter: an IStream over a TStream.
#include "rtl/Streams.h"

TAVREN_CLASS_IMPL(TStreamAdapter)

TStreamAdapter::TStreamAdapter(TStream* Stream, TStreamOwnership Ownership)
    : FStream(Stream), FOwnership(Ownership) {}

TStreamAdapter::~TStreamAdapter() {
  if (FOwnership == soOwned) delete FStream;
}

HRESULT TStreamAdapter::Read(void* pv, ULONG cb, ULONG* pcbRead) {
  if (pv == nullptr) return STG_E_INVALIDPOINTER;
  try {
    ULONG done = 0;
    // The stream moves Integer counts: large requests go in pieces.
    while (done < cb) {
      Integer want = static_cast<Integer>(std::min<ULONG>(cb - done, 1u << 30));
      Integer n = FStream->Read(static_cast<Byte*>(pv) + done, want);
      if (n <= 0) break;
      done += static_cast<ULONG>(n);
    }
    if (pcbRead) *pcbRead = done;
    return done == cb ? S_OK : S_FALSE;
  } catch (...) {
    return STG_E_READFAULT;
  }
}

HRESULT TStreamAdapter::Write(const void* pv, ULONG cb, ULONG* pcbWritten) {
  if (pv == nullptr) return STG_E_INVALIDPOINTER;
  try {
    ULONG done = 0;
    while (done < cb) {
      Integer want = static_cast<Integer>(std::min<ULONG>(cb - done, 1u << 30));
      Integer n = FStream->Write(static_cast<const Byte*>(pv) + done, want);
      if (n <= 0) break;
      done += static_cast<ULONG>(n);
    }
    if (pcbWritten) *pcbWritten = done;
    return done == cb ? S_OK : STG_E_MEDIUMFULL;
  } catch (...) {
    return STG_E_WRITEFAULT;
  }
}

HRESULT TStreamAdapter::Seek(LONGLONG dlibMove, DWORD dwOrigin, ULONGLONG* plibNewPosition) {
  if (dwOrigin > STREAM_SEEK_END) return STG_E_INVALIDFUNCTION;
  try {
    Int64 position = FStream->Seek(dlibMove, static_cast<TSeekOrigin>(dwOrigin));
    if (position < 0) return STG_E_INVALIDFUNCTION;
    if (plibNewPosition) *plibNewPosition = static_cast<ULONGLONG>(position);
    return S_OK;
  } catch (...) {
    return STG_E_INVALIDFUNCTION;
  }
}

HRESULT TStreamAdapter::SetSize(ULONGLONG libNewSize) {
  try {
    FStream->SetSize(static_cast<Int64>(libNewSize));
    return FStream->GetSize() == static_cast<Int64>(libNewSize) ? S_OK : STG_E_MEDIUMFULL;
  } catch (...) {
    return STG_E_MEDIUMFULL;
  }
}

HRESULT TStreamAdapter::Stat(STATSTG* pstatstg, DWORD) {
  if (pstatstg == nullptr) return STG_E_INVALIDPOINTER;
  try {
    pstatstg->cbSize = static_cast<ULONGLONG>(FStream->GetSize());
    return S_OK;
  } catch (...) {
    return STG_E_INVALIDFUNCTION;
  }
}
