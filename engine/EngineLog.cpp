#include "engine/EngineLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <mutex>

extern "C" {
#include <libavutil/log.h>
}

#include "engine/LibUtil.h"

namespace {

constexpr Integer kDefaultLevel = 2;
constexpr Integer kMaxLevel = 5;

std::mutex gLogLock;
int gLogFile = -1;                           // guarded by gLogLock
String gFFmpegLine;                          // a line FFmpeg is still writing, guarded by gLogLock
int gFFmpegPrintPrefix = 1;                  // guarded by gLogLock
std::atomic<Integer> gLevel{kDefaultLevel};  // read without the lock on every message
// FFmpeg says some things once per frame: a line equal to the one before is counted, and the
// count written before the next different line. Guarded by gLogLock.
String gFFmpegLast;
const char* gFFmpegLastTag = "";
long gFFmpegRepeats = 0;

Integer LevelOf(TLogKind kind) {
  switch (kind) {
    case TLogKind::Error: return 1;
    case TLogKind::Warning:
    case TLogKind::Info: return 2;
    case TLogKind::Detail: return 3;
    case TLogKind::Debug: return 4;
  }
  return 4;
}

const char* TagOf(TLogKind kind) {
  switch (kind) {
    case TLogKind::Error: return "ERROR";
    case TLogKind::Warning: return "WARN ";
    case TLogKind::Info: return "INFO ";
    case TLogKind::Detail: return "DETL ";
    case TLogKind::Debug: return "DEBUG";
  }
  return "?    ";
}

// Our level at which an FFmpeg message of `avLevel` is written.
Integer LevelOfFFmpeg(int avLevel) {
  if (avLevel <= AV_LOG_ERROR) return 1;
  if (avLevel <= AV_LOG_WARNING) return 2;
  if (avLevel <= AV_LOG_INFO) return 3;
  if (avLevel <= AV_LOG_VERBOSE) return 4;
  return 5;
}

// FFmpeg's messages keep their own level in the tag.
const char* FFmpegTagOf(int avLevel) {
  if (avLevel <= AV_LOG_ERROR) return "FFERR";
  if (avLevel <= AV_LOG_WARNING) return "FFWRN";
  return "FFMPG";
}

bool Wanted(Integer level) { return level <= gLevel.load(std::memory_order_relaxed); }

// Writes one finished line as it is; the caller holds gLogLock. One write per line keeps lines
// whole in an append-mode file.
void WriteRawLineLocked(const char* tag, const String& text) {
  if (gLogFile < 0) return;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  char stamp[40];
  strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
  char head[64];
  snprintf(head, sizeof head, "%s.%03ld %s ", stamp, now.tv_nsec / 1000000, tag);
  String line = head + text;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  line += '\n';
  size_t done = 0;
  while (done < line.size()) {
    ssize_t n = write(gLogFile, line.data() + done, line.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // a full disk loses log lines, never the program
    done += size_t(n);
  }
}

void WriteRepeatsLocked() {
  if (gFFmpegRepeats > 0)
    WriteRawLineLocked(gFFmpegLastTag, "last message repeated " + std::to_string(gFFmpegRepeats) +
                                           (gFFmpegRepeats == 1 ? " time" : " times"));
  gFFmpegRepeats = 0;
  gFFmpegLast.clear();
}

// Writes one finished line after the count of the FFmpeg line repeated before it.
void WriteLineLocked(const char* tag, const String& text) {
  WriteRepeatsLocked();
  WriteRawLineLocked(tag, text);
}

void FFmpegLogCallback(void* avClass, int avLevel, const char* format, va_list args) {
  if (!Wanted(LevelOfFFmpeg(avLevel))) return;
  char text[1024];
  std::lock_guard lock(gLogLock);
  av_log_format_line2(avClass, avLevel, format, args, text, sizeof text, &gFFmpegPrintPrefix);
  gFFmpegLine += text;
  if (gFFmpegLine.empty() || gFFmpegLine.back() != '\n') return;
  const char* tag = FFmpegTagOf(avLevel);
  if (gFFmpegLine == gFFmpegLast && tag == gFFmpegLastTag) {
    ++gFFmpegRepeats;
  } else {
    WriteLineLocked(tag, gFFmpegLine);
    gFFmpegLast = gFFmpegLine;
    gFFmpegLastTag = tag;
  }
  gFFmpegLine.clear();
}

void CloseLocked() {
  WriteRepeatsLocked();
  if (gLogFile >= 0) close(gLogFile);
  gLogFile = -1;
  gFFmpegLine.clear();
}

}  // namespace

void EngineLog(TLogKind kind, const char* format, ...) {
  if (!Wanted(LevelOf(kind))) return;
  char text[2048];
  va_list args;
  va_start(args, format);
  vsnprintf(text, sizeof text, format, args);
  va_end(args);
  std::lock_guard lock(gLogLock);
  WriteLineLocked(TagOf(kind), text);
}

void EngineLogStart() { av_log_set_callback(FFmpegLogCallback); }

void EngineLogEnd() {
  av_log_set_callback(av_log_default_callback);
  std::lock_guard lock(gLogLock);
  CloseLocked();
}

extern "C" {

TEngineResult LogSetFileByName(const char* path) {
  std::lock_guard lock(gLogLock);
  CloseLocked();
  if (path == nullptr || *path == '\0') return erCannotCreateOutput;
  // O_NOFOLLOW: a link planted at a predictable name in the temporary folder must not redirect
  // our writes. O_NONBLOCK keeps a FIFO from hanging the open; such files are refused below.
  int fd = open(path, O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
  if (fd < 0) return erCannotCreateOutput;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return erCannotCreateOutput;
  }
  gLogFile = fd;
  return erSuccess;
}

TEngineResult LogSetLevel(Integer level) {
  gLevel.store(level < 0 ? 0 : (level > kMaxLevel ? kMaxLevel : level));
  return erSuccess;
}

TEngineResult LogClose() {
  std::lock_guard lock(gLogLock);
  CloseLocked();
  return erSuccess;
}

}
