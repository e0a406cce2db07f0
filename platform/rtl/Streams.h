#pragma once
// Streams: the abstract TStream, file and handle streams, memory and string streams, resource
// streams, and an IStream adapter over any stream.
//
// Descendants override the 64-bit Seek; as C++ hides overloads, a descendant that wants the
// 32-bit form (Seek(Offset, soFromCurrent)) callable on itself writes `using TStream::Seek;`.

#include <vector>

#include "rtl/Interfaces.h"
#include "rtl/Object.h"
#include "rtl/Types.h"
#include "rtl/WinTypes.h"

enum TSeekOrigin { soBeginning, soCurrent, soEnd };
// The origins of the 32-bit Seek, a type of their own so that the two forms never mix.
enum TSeekOriginWord : Word { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

// File modes: one access mode, or fmCreate, combined with one share mode. Share modes are
// accepted and not enforced (this platform has no mandatory locks).
constexpr Word fmCreate = 0xFF00;
constexpr Word fmOpenRead = 0x0000;
constexpr Word fmOpenWrite = 0x0001;
constexpr Word fmOpenReadWrite = 0x0002;
constexpr Word fmShareCompat = 0x0000;
constexpr Word fmShareExclusive = 0x0010;
constexpr Word fmShareDenyWrite = 0x0020;
constexpr Word fmShareDenyRead = 0x0030;
constexpr Word fmShareDenyNone = 0x0040;

class TStream : public TObject {
  TAVREN_CLASS(TStream, TObject)
 public:
  // Read and Write move up to Count bytes and answer how many they moved.
  virtual Integer Read(void* Buffer, Integer Count) = 0;
  virtual Integer Write(const void* Buffer, Integer Count) = 0;
  // Answers the new position.
  virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;
  Integer Seek(Integer Offset, TSeekOriginWord Origin);

  Int64 GetPosition() { return Seek(Int64{0}, soCurrent); }
  void SetPosition(Int64 Value) { Seek(Value, soBeginning); }
  virtual Int64 GetSize();
  virtual void SetSize(Int64 NewSize);

  // All or nothing: EReadError "Stream read error" / EWriteError "Stream write error" when fewer
  // than Count bytes move.
  void ReadBuffer(void* Buffer, Integer Count);
  void WriteBuffer(const void* Buffer, Integer Count);
  // Copies Count bytes from Source's position; Count 0 copies all of Source from its start.
  // Answers the number of bytes copied.
  Int64 CopyFrom(TStream* Source, Int64 Count);
};

// A stream over an open file descriptor, which the stream does not close.
class THandleStream : public TStream {
  TAVREN_CLASS(THandleStream, TStream)
 public:
  explicit THandleStream(int AHandle) : FHandle(AHandle) {}
  using TStream::Seek;
  Integer Read(void* Buffer, Integer Count) override;
  Integer Write(const void* Buffer, Integer Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  // Raises EOSError when the file cannot take the size.
  void SetSize(Int64 NewSize) override;
  int GetHandle() const { return FHandle; }

 protected:
  int FHandle;
};

// EFCreateError "Cannot create file "<name>". <reason>" for fmCreate, EFOpenError "Cannot open
// file "<name>". <reason>" otherwise (a folder cannot be opened as a file).
class TFileStream : public THandleStream {
  TAVREN_CLASS(TFileStream, THandleStream)
 public:
  TFileStream(const String& AFileName, Word Mode);
  TFileStream(const String& AFileName, Word Mode, Cardinal Rights);
  ~TFileStream() override;
  const String& GetFileName() const { return FFileName; }

 private:
  String FFileName;
};

// A stream over a block of memory it does not manage: reading and seeking.
class TCustomMemoryStream : public TStream {
  TAVREN_CLASS(TCustomMemoryStream, TStream)
 public:
  using TStream::Seek;
  Integer Read(void* Buffer, Integer Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  Int64 GetSize() override { return FSize; }
  void SaveToStream(TStream* Stream);
  void SaveToFile(const String& FileName);
  void* GetMemory() const { return FMemory; }

 protected:
  void SetPointer(void* Ptr, Int64 Size);

  void* FMemory = nullptr;
  Int64 FSize = 0;
  Int64 FPosition = 0;  // may lie past the end (reads then answer 0, writes extend)
};

// A stream in memory it owns and grows as it is written.
class TMemoryStream : public TCustomMemoryStream {
  TAVREN_CLASS(TMemoryStream, TCustomMemoryStream)
 public:
  TMemoryStream() = default;
  Integer Write(const void* Buffer, Integer Count) override;
  // New bytes read as zero; the position stays where it was.
  void SetSize(Int64 NewSize) override;
  void Clear();
  // Both replace the contents with all of the source, from its start, and rewind.
  void LoadFromStream(TStream* Stream);
  void LoadFromFile(const String& FileName);

 private:
  std::vector<Byte> FData;
};

class TStringStream : public TMemoryStream {
  TAVREN_CLASS(TStringStream, TMemoryStream)
 public:
  explicit TStringStream(const String& AString = String());
  String GetDataString() const;
  // Up to Count bytes from the position.
  String ReadString(Integer Count);
  void WriteString(const String& AString);
};

// A read-only stream over a resource linked into the program (see rtl/Resources.h). EResNotFound
// "Resource <name> not found" when there is none; writing raises EStreamError.
class TResourceStream : public TCustomMemoryStream {
  TAVREN_CLASS(TResourceStream, TCustomMemoryStream)
 public:
  TResourceStream(HINSTANCE Instance, LPCSTR ResName, LPCSTR ResType);
  TResourceStream(HINSTANCE Instance, const String& ResName, LPCSTR ResType);
  // The framework's CreateFromID.
  TResourceStream(HINSTANCE Instance, Integer ResID, LPCSTR ResType);
  Integer Write(const void* Buffer, Integer Count) override;
};

// ---- IStream ------------------------------------------------------------------------------

constexpr DWORD STREAM_SEEK_SET = 0;
constexpr DWORD STREAM_SEEK_CUR = 1;
constexpr DWORD STREAM_SEEK_END = 2;
constexpr HRESULT STG_E_INVALIDFUNCTION = static_cast<HRESULT>(0x80030001u);
constexpr HRESULT STG_E_INVALIDPOINTER = static_cast<HRESULT>(0x80030009u);
constexpr HRESULT STG_E_READFAULT = static_cast<HRESULT>(0x8003001Eu);
constexpr HRESULT STG_E_MEDIUMFULL = static_cast<HRESULT>(0x80030070u);
constexpr HRESULT STG_E_WRITEFAULT = static_cast<HRESULT>(0x8003001Du);

// The part of a storage statistics record this platform fills: the size.
struct STATSTG {
  ULONGLONG cbSize = 0;
};

// The byte-stream interface that image and list code reads and writes through.
class IStream : public virtual IInterface {
  TAVREN_INTERFACE(IStream)
 public:
  // Read and Write report the bytes moved through the optional pointer; a short read is S_FALSE.
  virtual HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) = 0;
  virtual HRESULT Write(const void* pv, ULONG cb, ULONG* pcbWritten) = 0;
  virtual HRESULT Seek(LONGLONG dlibMove, DWORD dwOrigin, ULONGLONG* plibNewPosition) = 0;
  virtual HRESULT SetSize(ULONGLONG libNewSize) = 0;
  virtual HRESULT Stat(STATSTG* pstatstg, DWORD grfStatFlag) = 0;
};

enum TStreamOwnership { soReference, soOwned };

// An IStream over a TStream; with soOwned it frees the stream when the last reference goes.
// Failures of the stream become error results, never exceptions.
class TStreamAdapter : public TInterfacedObject, public IStream {
  TAVREN_CLASS(TStreamAdapter, TInterfacedObject)
 public:
  TStreamAdapter(TStream* Stream, TStreamOwnership Ownership = soReference);
  ~TStreamAdapter() override;
  HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) override;
  HRESULT Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;
  HRESULT Seek(LONGLONG dlibMove, DWORD dwOrigin, ULONGLONG* plibNewPosition) override;
  HRESULT SetSize(ULONGLONG libNewSize) override;
  HRESULT Stat(STATSTG* pstatstg, DWORD grfStatFlag) override;
  TStream* GetStream() const { return FStream; }

 private:
  TStream* FStream;
  TStreamOwnership FOwnership;
};
