#include "rtl/FileUtils.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <vector>

#include "rtl/SysUtils.h"

namespace {

constexpr std::string_view kDelimiters = "/\\";

bool IsDelimiter(char c) { return c == '/' || c == '\\'; }

// The position after the last delimiter: where the bare name starts.
size_t NameStart(const String& fileName) {
  const size_t at = fileName.find_last_of(kDelimiters);
  return at == String::npos ? 0 : at + 1;
}

bool StatOf(const String& fileName, struct stat& info) {
  return !fileName.empty() && stat(NativePath(fileName).c_str(), &info) == 0;
}

TDateTime FromUnixTime(time_t seconds, long nanoseconds) {
  tm local{};
  localtime_r(&seconds, &local);
  TDateTime date;
  if (!TryEncodeDate(static_cast<Word>(local.tm_year + 1900), static_cast<Word>(local.tm_mon + 1),
                     static_cast<Word>(local.tm_mday), date))
    return 0;
  return date + EncodeTime(static_cast<Word>(local.tm_hour), static_cast<Word>(local.tm_min),
                           static_cast<Word>(std::min(local.tm_sec, 59)), static_cast<Word>(nanoseconds / 1000000));
}

// '*' any run, '?' one character; ASCII letters match either case, as file masks always have.
bool MatchesMask(const String& fileName, const String& fileMask) {
  if (fileMask == "*.*" || fileMask == "*") return true;
  const String name = UpperCase(fileName);
  const String mask = UpperCase(fileMask);
  size_t n = 0, m = 0, starMask = String::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || (mask[m] != '*' && mask[m] == name[n]))) {
      ++n;
      ++m;
    } else if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (starMask != String::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

}  // namespace

struct TSearchState {
  std::vector<TSearchRec> Entries;
  size_t Next = 0;
};

bool IsPathDelimiter(const String& s, Integer index) {
  return index >= 1 && static_cast<size_t>(index) <= s.size() && IsDelimiter(s[static_cast<size_t>(index - 1)]);
}

String IncludeTrailingPathDelimiter(const String& s) {
  if (!s.empty() && IsDelimiter(s.back())) return s;
  return s + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& s) {
  if (!s.empty() && IsDelimiter(s.back())) return s.substr(0, s.size() - 1);
  return s;
}

String ExtractFileName(const String& fileName) { return fileName.substr(NameStart(fileName)); }

String ExtractFilePath(const String& fileName) { return fileName.substr(0, NameStart(fileName)); }

String ExtractFileDir(const String& fileName) {
  size_t end = NameStart(fileName);
  // Drop the delimiter unless it is the root or follows another delimiter.
  if (end > 1 && !IsDelimiter(fileName[end - 2])) --end;
  return fileName.substr(0, end);
}

String ExtractFileExt(const String& fileName) {
  const size_t at = fileName.find_last_of(".\\/");
  if (at == String::npos || fileName[at] != '.') return String();
  return fileName.substr(at);
}

String ChangeFileExt(const String& fileName, const String& extension) {
  const size_t at = fileName.find_last_of(".\\/");
  if (at == String::npos || fileName[at] != '.') return fileName + extension;
  return fileName.substr(0, at) + extension;
}

String NativePath(const String& fileName) {
  String out = fileName;
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

String ExpandFileName(const String& fileName) {
  if (fileName.empty()) return String();
  String path = NativePath(fileName);
  if (path[0] != '/') path = IncludeTrailingPathDelimiter(GetCurrentDir()) + path;
  std::vector<String> parts;
  size_t start = 1;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == String::npos) end = path.size();
    const String part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  String out;
  for (const String& part : parts) out += "/" + part;
  // A trailing delimiter stays: it says the name is a folder.
  if (IsDelimiter(path.back()) && !parts.empty()) out += '/';
  return out.empty() ? "/" : out;
}

bool FileExists(const String& fileName) {
  struct stat info;
  return StatOf(fileName, info) && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const String& directory) {
  struct stat info;
  return StatOf(directory, info) && S_ISDIR(info.st_mode);
}

bool ForceDirectories(const String& directory) {
  const String dir = ExcludeTrailingPathDelimiter(NativePath(directory));
  if (dir.empty()) return directory.empty() ? false : DirectoryExists("/");
  if (DirectoryExists(dir)) return true;
  const String parent = ExtractFileDir(dir);
  if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
  return mkdir(dir.c_str(), 0777) == 0 || (errno == EEXIST && DirectoryExists(dir));
}

bool DeleteFile(const String& fileName) {
  // Like the framework, DeleteFile removes files, never directories.
  return FileExists(fileName) && unlink(NativePath(fileName).c_str()) == 0;
}

bool RenameFile(const String& oldName, const String& newName) {
  // The framework's RenameFile does not replace an existing file.
  struct stat info;
  if (StatOf(newName, info)) return false;
  return std::rename(NativePath(oldName).c_str(), NativePath(newName).c_str()) == 0;
}

String GetCurrentDir() {
  std::vector<char> buffer(4096);
  while (!getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE) return String();
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

bool FileAge(const String& fileName, TDateTime& age) {
  struct stat info;
  if (!StatOf(fileName, info)) return false;
  age = FromUnixTime(info.st_mtim.tv_sec, info.st_mtim.tv_nsec);
  return true;
}

Integer FileSetDate(const String& fileName, TDateTime age) {
  Word year, month, day, hour, min, sec, msec;
  DecodeDate(age, year, month, day);
  DecodeTime(age, hour, min, sec, msec);
  if (year == 0) return EINVAL;
  tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = min;
  local.tm_sec = sec;
  local.tm_isdst = -1;
  const time_t seconds = mktime(&local);
  const timespec times[2] = {{seconds, msec * 1000000L}, {seconds, msec * 1000000L}};
  if (utimensat(AT_FDCWD, NativePath(fileName).c_str(), times, 0) != 0) return errno;
  return 0;
}

Integer FindFirst(const String& path, Integer attr, TSearchRec& f) {
  FindClose(f);
  const String dir = ExtractFilePath(NativePath(path));
  const String mask = ExtractFileName(path);
  DIR* handle = opendir(dir.empty() ? "." : dir.c_str());
  if (!handle) return ERROR_PATH_NOT_FOUND;
  auto state = std::make_shared<TSearchState>();
  const Integer exclude = ~attr & (faHidden | faSysFile | faVolumeID | faDirectory);
  while (const dirent* entry = readdir(handle)) {
    const String name = entry->d_name;
    if (!MatchesMask(name, mask)) continue;
    struct stat info;
    if (stat((dir + name).c_str(), &info) != 0) continue;  // a dangling link is not a file
    TSearchRec rec;
    rec.Name = name;
    rec.Size = S_ISDIR(info.st_mode) ? 0 : static_cast<Int64>(info.st_size);
    rec.Attr = S_ISDIR(info.st_mode) ? faDirectory : S_ISREG(info.st_mode) ? faArchive : faSysFile;
    if (name[0] == '.' && name != "." && name != "..") rec.Attr |= faHidden;
    if (!(info.st_mode & S_IWUSR)) rec.Attr |= faReadOnly;
    rec.TimeStamp = FromUnixTime(info.st_mtim.tv_sec, info.st_mtim.tv_nsec);
    rec.ExcludeAttr = exclude;
    if (rec.Attr & exclude) continue;
    state->Entries.push_back(std::move(rec));
  }
  closedir(handle);
  if (state->Entries.empty()) return ERROR_FILE_NOT_FOUND;
  // Directory order differs between file systems; name order keeps runs repeatable.
  std::sort(state->Entries.begin(), state->Entries.end(), [](const TSearchRec& a, const TSearchRec& b) {
    const Integer byText = CompareText(a.Name, b.Name);
    return byText != 0 ? byText < 0 : a.Name < b.Name;
  });
  f.FindHandle = std::move(state);
  return FindNext(f);
}

Integer FindNext(TSearchRec& f) {
  TSearchState* state = f.FindHandle.get();
  if (!state || state->Next >= state->Entries.size()) return ERROR_NO_MORE_FILES;
  const TSearchRec& entry = state->Entries[state->Next++];
  f.TimeStamp = entry.TimeStamp;
  f.Size = entry.Size;
  f.Attr = entry.Attr;
  f.Name = entry.Name;
  f.ExcludeAttr = entry.ExcludeAttr;
  return 0;
}

void FindClose(TSearchRec& f) { f.FindHandle.reset(); }
