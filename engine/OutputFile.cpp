#include "engine/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/EngineError.h"

namespace {

constexpr int kIoBufferSize = 256 * 1024;

String NameOf(const String& path) {
  size_t slash = path.rfind('/');
  return slash == String::npos ? path : path.substr(slash + 1);
}

// The process's file creation mask, read without changing it (umask() would, for every thread).
mode_t CurrentUmask() {
  FILE* status = fopen("/proc/self/status", "re");
  mode_t mask = 022;
  if (status == nullptr) return mask;
  char line[256];
  while (fgets(line, sizeof line, status))
    if (strncmp(line, "Umask:", 6) == 0) mask = mode_t(strtoul(line + 6, nullptr, 8));
  fclose(status);
  return mask;
}

}  // namespace

String FolderOf(const String& path) {
  size_t slash = path.rfind('/');
  if (slash == String::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

OutputFile::OutputFile(const String& path, const char* muxer) : FPath(path) {
  String pattern = FolderOf(path) + "/." + NameOf(path) + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  FFile = mkostemp(name.data(), O_CLOEXEC);
  if (FFile < 0) RaiseEngineError(erCannotCreateOutput, "cannot create a file beside " + path + ": " + strerror(errno));
  FTempPath = name.data();
  // mkostemp makes the file private; the finished file gets the usual permissions.
  fchmod(FFile, 0666 & ~CurrentUmask());

  int error = avformat_alloc_output_context2(&FFormat, nullptr, muxer, nullptr);
  if (error < 0 || FFormat == nullptr) {
    Close();
    RaiseEngineError(erOutputParameters, String("no file writer ") + muxer);
  }
  auto* buffer = static_cast<uint8_t*>(av_malloc(kIoBufferSize));
  FIo = buffer ? avio_alloc_context(buffer, kIoBufferSize, 1, this, nullptr, WriteCallback, SeekCallback) : nullptr;
  if (FIo == nullptr) {
    av_free(buffer);
    Close();
    throw std::bad_alloc();
  }
  FFormat->pb = FIo;
  FFormat->flags |= AVFMT_FLAG_CUSTOM_IO;
}

OutputFile::~OutputFile() { Close(); }

void OutputFile::Close() {
  if (FFormat) avformat_free_context(FFormat);
  FFormat = nullptr;
  if (FIo) {
    av_freep(&FIo->buffer);
    avio_context_free(&FIo);
  }
  if (FFile >= 0) close(FFile);
  FFile = -1;
  if (!FCommitted && !FTempPath.empty()) unlink(FTempPath.c_str());
  FTempPath.clear();
}

int OutputFile::WriteCallback(void* opaque, uint8_t* data, int size) {
  auto* self = static_cast<OutputFile*>(opaque);
  int done = 0;
  while (done < size) {
    ssize_t n = write(self->FFile, data + done, size_t(size - done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return AVERROR(errno);
    if (n == 0) return AVERROR(ENOSPC);
    done += int(n);
  }
  return size;
}

int64_t OutputFile::SeekCallback(void* opaque, int64_t offset, int whence) {
  auto* self = static_cast<OutputFile*>(opaque);
  if (whence == AVSEEK_SIZE) {
    struct stat info {};
    return fstat(self->FFile, &info) == 0 ? int64_t(info.st_size) : AVERROR(errno);
  }
  off_t position = lseek(self->FFile, off_t(offset), whence & ~AVSEEK_FORCE);
  return position < 0 ? AVERROR(errno) : int64_t(position);
}

void OutputFile::CheckWritten(int error, const char* what) {
  if (error >= 0 && FIo->error < 0) error = FIo->error;
  if (error < 0) RaiseEngineError(erCannotCreateOutput, String(what) + " " + FPath + ": " + AvErrorText(error));
}

bool OutputFile::NeedsGlobalHeader() const { return (FFormat->oformat->flags & AVFMT_GLOBALHEADER) != 0; }

int OutputFile::AddStream(const AVCodecContext* encoder) {
  AVStream* stream = avformat_new_stream(FFormat, nullptr);
  if (stream == nullptr) throw std::bad_alloc();
  int error = avcodec_parameters_from_context(stream->codecpar, encoder);
  if (error < 0) RaiseEngineError(erOutputParameters, "stream parameters: " + AvErrorText(error));
  stream->time_base = encoder->time_base;
  return stream->index;
}

void OutputFile::WriteHeader() {
  int error = avformat_write_header(FFormat, nullptr);
  if (error < 0 && FIo->error >= 0)
    RaiseEngineError(erOutputParameters, String("the ") + FFormat->oformat->name + " format refuses these streams: " + AvErrorText(error));
  CheckWritten(error, "cannot write the start of");
}

void OutputFile::WritePacket(AVPacket* packet, AVRational encoderTimeBase) {
  std::lock_guard lock(FWriteLock);
  av_packet_rescale_ts(packet, encoderTimeBase, FFormat->streams[packet->stream_index]->time_base);
  CheckWritten(av_interleaved_write_frame(FFormat, packet), "cannot write");
}

void OutputFile::Finish() {
  std::lock_guard lock(FWriteLock);
  CheckWritten(av_write_trailer(FFormat), "cannot write the end of");
  avio_flush(FIo);
  CheckWritten(0, "cannot write");
  if (fsync(FFile) != 0) CheckWritten(AVERROR(errno), "cannot store");
}

void OutputFile::Commit() {
  if (rename(FTempPath.c_str(), FPath.c_str()) != 0)
    RaiseEngineError(erCannotCreateOutput, "cannot rename to " + FPath + ": " + strerror(errno));
  FCommitted = true;
  int folder = open(FolderOf(FPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);  // the new name survives a crash too
    close(folder);
  }
}
