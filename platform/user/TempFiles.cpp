#include "user/TempFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

#include "rtl/FileUtils.h"
#include "user/Shell.h"

namespace {

// Creates the file only when it is not there; true when it was made.
bool CreateExclusive(const String& name) {
  int fd = open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  close(fd);
  return true;
}

String NameFor(const String& folder, const char* prefix, UINT number) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%X", number);
  return folder + String(prefix ? prefix : "").substr(0, 3) + hex + ".tmp";
}

}  // namespace

DWORD GetTempPath(DWORD size, char* buffer) {
  const char* dir = std::getenv("TMPDIR");
  String path = IncludeTrailingPathDelimiter(dir && *dir ? dir : "/tmp");
  if (!buffer || size <= path.size()) return static_cast<DWORD>(path.size() + 1);
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  return static_cast<DWORD>(path.size());
}

UINT GetTempFileName(const char* path, const char* prefix, UINT unique, char* name) {
  if (!path || !name) return 0;
  name[0] = 0;
  String folder = IncludeTrailingPathDelimiter(NativePath(path));
  if (!DirectoryExists(folder)) return 0;
  String chosen;
  UINT number = unique;
  if (unique != 0) {
    chosen = NameFor(folder, prefix, unique);
    if (chosen.size() >= static_cast<size_t>(MAX_PATH) || !CreateExclusive(chosen)) return 0;
  } else {
    // Random numbers: a name cannot be guessed ahead, and a taken one is simply passed over.
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<UINT> pick(1, 0xFFFF);
    for (int attempt = 0; attempt < 1000 && chosen.empty(); ++attempt) {
      number = pick(random);
      String candidate = NameFor(folder, prefix, number);
      if (candidate.size() >= static_cast<size_t>(MAX_PATH)) return 0;
      if (CreateExclusive(candidate)) chosen = candidate;
      else if (errno != EEXIST) return 0;
    }
    if (chosen.empty()) return 0;
  }
  std::memcpy(name, chosen.c_str(), chosen.size() + 1);
  return number;
}
