// Starting programs and opening documents, and where the special folders are.

#include "user/Shell.h"

#include <fcntl.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>
#include <vector>

#include "rtl/FileUtils.h"

extern char** environ;

namespace {

HINSTANCE Answer(intptr_t code) { return reinterpret_cast<HINSTANCE>(code); }

bool IsExecutableFile(const String& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

// A program named without a folder is looked for on PATH, as the shell does.
String FindOnPath(const String& name) {
  const char* path = std::getenv("PATH");
  if (!path || name.find('/') != String::npos) return "";
  String list = path;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(':', start);
    if (end == String::npos) end = list.size();
    String dir = list.substr(start, end - start);
    if (!dir.empty() && IsExecutableFile(dir + "/" + name)) return dir + "/" + name;
    start = end + 1;
  }
  return "";
}

// Parameters as a command line gives them: blanks separate, double quotes group.
std::vector<String> SplitParameters(const char* parameters) {
  std::vector<String> words;
  if (!parameters) return words;
  String word;
  bool quoted = false;
  bool any = false;
  for (const char* p = parameters; *p; ++p) {
    if (*p == '"') {
      quoted = !quoted;
      any = true;
    } else if ((*p == ' ' || *p == '\t') && !quoted) {
      if (any) words.push_back(word);
      word.clear();
      any = false;
    } else {
      word += *p;
      any = true;
    }
  }
  if (any) words.push_back(word);
  return words;
}

// Starts the program in a session of its own with no terminal input or output; a thread of ours
// collects its exit so that it never lingers as a zombie.
bool SpawnDetached(const String& program, const std::vector<String>& arguments, const char* directory) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const String& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  String dir = directory && *directory ? NativePath(directory) : "";
  if (!dir.empty() && DirectoryExists(dir)) posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t pid = 0;
  int error = posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return false;
  std::thread([pid] {
    int status;
    waitpid(pid, &status, 0);
  }).detach();
  return true;
}

bool IsUrl(const String& name) {
  return name.find("://") != String::npos || name.rfind("mailto:", 0) == 0;
}

String HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* user = getpwuid(getuid()); user && user->pw_dir) return user->pw_dir;
  return "/";
}

String ConfigHome() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  return config && *config == '/' ? String(config) : HomeFolder() + "/.config";
}

// A folder from ~/.config/user-dirs.dirs (KEY="$HOME/Name" or an absolute path); "" when the file
// or the key is missing, or the entry is the home folder itself (the desktop's way of saying none).
String UserDirectory(const char* key) {
  std::ifstream file(ConfigHome() + "/user-dirs.dirs");
  String line;
  String prefix = String(key) + "=";
  while (std::getline(file, line)) {
    if (line.rfind(prefix, 0) != 0) continue;
    String value = line.substr(prefix.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    if (value.rfind("$HOME", 0) == 0) value = HomeFolder() + value.substr(5);
    else if (value.empty() || value.front() != '/') return "";
    value = ExcludeTrailingPathDelimiter(value);
    return value == ExcludeTrailingPathDelimiter(HomeFolder()) ? "" : value;
  }
  return "";
}

String DataHome() {
  const char* data = std::getenv("XDG_DATA_HOME");
  return data && *data == '/' ? String(data) : HomeFolder() + "/.local/share";
}

String UserDirectoryOr(const char* key, const String& fallback) {
  String dir = UserDirectory(key);
  return dir.empty() ? fallback : dir;
}

String FolderOf(int csidl) {
  String home = HomeFolder();
  switch (csidl) {
    case CSIDL_DESKTOP:
    case CSIDL_DESKTOPDIRECTORY:
      return UserDirectoryOr("XDG_DESKTOP_DIR", DirectoryExists(home + "/Desktop") ? home + "/Desktop" : home);
    case CSIDL_PERSONAL: return UserDirectoryOr("XDG_DOCUMENTS_DIR", home);
    case CSIDL_MYMUSIC: return UserDirectoryOr("XDG_MUSIC_DIR", home);
    case CSIDL_MYVIDEO: return UserDirectoryOr("XDG_VIDEOS_DIR", home);
    case CSIDL_MYPICTURES: return UserDirectoryOr("XDG_PICTURES_DIR", home);
    case CSIDL_APPDATA: return ConfigHome();
    case CSIDL_LOCAL_APPDATA: return DataHome();
    case CSIDL_FONTS: return DataHome() + "/fonts";
    case CSIDL_TEMPLATES: return UserDirectory("XDG_TEMPLATES_DIR");
    case CSIDL_INTERNET_CACHE: {
      const char* cache = std::getenv("XDG_CACHE_HOME");
      return cache && *cache == '/' ? String(cache) : home + "/.cache";
    }
    case CSIDL_PROFILE: return home;
    default: return "";
  }
}

TShellExecuteHandler& ShellExecuteHandler() {
  static TShellExecuteHandler handler;
  return handler;
}

}  // namespace

TShellExecuteHandler SetShellExecuteHandler(TShellExecuteHandler handler) {
  std::swap(ShellExecuteHandler(), handler);
  return handler;
}

HINSTANCE ShellExecute(HWND window, const char* operation, const char* file, const char* parameters,
                       const char* directory, int showCommand) {
  if (const TShellExecuteHandler& handler = ShellExecuteHandler())
    return handler(window, operation, file, parameters, directory, showCommand);
  if (!file || !*file) return Answer(SE_ERR_FNF);
  String name = file;
  if (!IsUrl(name)) name = NativePath(name);
  String program = IsExecutableFile(name) ? name : FindOnPath(name);
  if (!program.empty() && !DirectoryExists(program)) {
    return SpawnDetached(program, SplitParameters(parameters), directory) ? Answer(42) : Answer(SE_ERR_FNF);
  }
  if (!IsUrl(name) && !FileExists(name) && !DirectoryExists(name)) return Answer(SE_ERR_FNF);
  String opener = FindOnPath("xdg-open");
  if (opener.empty()) return Answer(SE_ERR_NOASSOC);
  return SpawnDetached(opener, {name}, directory) ? Answer(42) : Answer(SE_ERR_NOASSOC);
}

BOOL SHGetSpecialFolderPath(HWND, char* path, int csidl, BOOL create) {
  if (!path) return FALSE;
  path[0] = 0;
  String folder = FolderOf(csidl & ~CSIDL_FLAG_CREATE);
  if (folder.empty() || folder.size() >= static_cast<size_t>(MAX_PATH)) return FALSE;
  if ((create || (csidl & CSIDL_FLAG_CREATE)) && !DirectoryExists(folder) && !ForceDirectories(folder)) return FALSE;
  std::memcpy(path, folder.c_str(), folder.size() + 1);
  return TRUE;
}

HRESULT SHGetFolderPath(HWND window, int csidl, HANDLE, DWORD, char* path) {
  if (!path) return E_INVALIDARG;
  if (FolderOf(csidl & ~CSIDL_FLAG_CREATE).empty()) {
    path[0] = 0;
    return E_INVALIDARG;
  }
  return SHGetSpecialFolderPath(window, path, csidl & ~CSIDL_FLAG_CREATE, (csidl & CSIDL_FLAG_CREATE) != 0) ? S_OK
                                                                                                              : E_FAIL;
}
