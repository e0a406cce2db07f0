// The media probe over a damaged file. It runs in a child process with a time limit: the
// demuxers it drives are not ours to instrument, and a hang must be told from a slow input.
// A child that crashes, fails a sanitizer check or passes the limit fails the harness.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "FuzzTarget.h"
#include "engine/MediaInfo.h"

namespace {

constexpr unsigned kTimeLimitSeconds = 5;

String MediaFile() {
  static const String file = [] {
    char folder[] = "/tmp/tavren-fuzz-probe-XXXXXX";
    return String(mkdtemp(folder)) + "/input";
  }();
  return file;
}

void Probe(const String& path) {
  if (MediaInfo_OpenFile(path.c_str()) != erSuccess) return;
  Int64 duration;
  Integer count = 0;
  MediaInfo_GetDur(&duration);
  MediaInfo_GetStreamCount(&count);
  for (Integer i = 0; i < count; ++i) {
    Integer type;
    TStreamDescription description;
    MediaInfo_GetType(i, &type);
    MediaInfo_GetInfo(i, &description);
  }
  MediaInfo_Close();
}

}  // namespace

TAVREN_FUZZ_TARGET(MediaProbe) {
  const String path = MediaFile();
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
  const pid_t child = fork();
  if (child < 0) return;
  if (child == 0) {
    alarm(kTimeLimitSeconds);
    Probe(path);
    _exit(0);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::abort();
}
