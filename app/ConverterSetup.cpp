#include "app/ConverterSetup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "core/Global.h"
#include "rtl/Exceptions.h"
#include "rtl/FileUtils.h"
#include "rtl/SysUtils.h"

void SetProductGlobals() {
  ProductName = "Tavren Video to WMV Converter";
  ProductId = "Zorvex";
  FormatList = "Zune,WMV,WMA,MP3";
  UpdateUrl = "https://www.example.com/srv/update.php";
  HomeUrl = "https://www.example.com/";
}

String ConfigFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  String base;
  if (config && *config == '/')
    base = config;
  else if (home && *home)
    base = String(home) + "/.config";
  else
    base = "/tmp";
  const String folder = IncludeTrailingPathDelimiter(base) + "tavren/";
  if (!ForceDirectories(folder)) throw EOSError(Format("Cannot create the folder %s", folder.c_str()));
  return folder;
}

String StartRunLog(const String& Folder) {
  const String path = IncludeTrailingPathDelimiter(Folder) + "tavren.log";
  // Never through a link: the log is written with the user's rights.
  const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (file < 0) throw EOSError(Format("Cannot write the log %s: %s", path.c_str(), std::strerror(errno)));
  // A log left by an older version may be readable by others; what it holds now is private.
  fchmod(file, 0600);
  close(file);
  return path;
}
