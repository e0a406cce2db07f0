// Handle and file streams over POSIX file descriptors.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "rtl/FileUtils.h"
#include "rtl/Streams.h"
#include "rtl/SysUtils.h"

TAVREN_CLASS_IMPL(THandleStream)
TAVREN_CLASS_IMPL(TFileStream)

namespace {

String ErrorText(int error) {
  char buffer[256];
  return strerror_r(error, buffer, sizeof buffer);
}

}  // namespace

// ---- THandleStream ------------------------------------------------------------------------------

Integer THandleStream::Read(void* Buffer, Integer Count) {
  Integer done = 0;
  while (done < Count) {
    ssize_t n = ::read(FHandle, static_cast<Byte*>(Buffer) + done, static_cast<size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<Integer>(n);
  }
  return done;
}

Integer THandleStream::Write(const void* Buffer, Integer Count) {
  Integer done = 0;
  while (done < Count) {
    ssize_t n = ::write(FHandle, static_cast<const Byte*>(Buffer) + done, static_cast<size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<Integer>(n);
  }
  return done;
}

Int64 THandleStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  static const int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  return ::lseek(FHandle, Offset, kWhence[Origin]);
}

void THandleStream::SetSize(Int64 NewSize) {
  Int64 position = GetPosition();
  if (::ftruncate(FHandle, NewSize) != 0) throw EOSError("Cannot set the file size. " + ErrorText(errno));
  if (position > NewSize) Seek(NewSize, soBeginning);
}

// ---- TFileStream --------------------------------------------------------------------------------

TFileStream::TFileStream(const String& AFileName, Word Mode) : TFileStream(AFileName, Mode, 0666) {}

TFileStream::TFileStream(const String& AFileName, Word Mode, Cardinal Rights)
    : THandleStream(-1), FFileName(AFileName) {
  if ((Mode & fmCreate) == fmCreate) {
    FHandle = ::open(NativePath(AFileName).c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, static_cast<mode_t>(Rights));
    if (FHandle < 0) throw EFCreateError(Format("Cannot create file \"%s\". %s", AFileName, ErrorText(errno)));
    return;
  }
  static const int kAccess[] = {O_RDONLY, O_WRONLY, O_RDWR};
  int access = (Mode & 3) < 3 ? kAccess[Mode & 3] : O_RDONLY;
  FHandle = ::open(NativePath(AFileName).c_str(), access | O_CLOEXEC);
  int error = errno;
  struct stat info;
  if (FHandle >= 0 && ::fstat(FHandle, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(FHandle);
    FHandle = -1;
    error = EISDIR;
  }
  if (FHandle < 0) throw EFOpenError(Format("Cannot open file \"%s\". %s", AFileName, ErrorText(error)));
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}
