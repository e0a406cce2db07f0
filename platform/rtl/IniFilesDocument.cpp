#include "rtl/IniFilesDocument.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

#include "rtl/Exceptions.h"
#include "rtl/FileUtils.h"
#include "rtl/SysUtils.h"

namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";

String TrimBlanks(const String& s) {
  size_t start = s.find_first_not_of(" \t");
  if (start == String::npos) return "";
  size_t end = s.find_last_not_of(" \t");
  return s.substr(start, end - start + 1);
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

String Unquote(const String& value) {
  if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

String Quote(const String& value) {
  if (value.empty()) return value;
  bool blankEnds = value.front() == ' ' || value.front() == '\t' || value.back() == ' ' || value.back() == '\t';
  if (blankEnds || Unquote(value).size() != value.size()) return '"' + value + '"';
  return value;
}

bool HasLineBreak(const String& s) { return s.find_first_of("\r\n") != String::npos; }

[[noreturn]] void RaiseCannotKeep(const String& Section, const String& Ident, const char* what) {
  throw EIniFileException(Format("Cannot write [%s] %s: %s", Section, Ident, what));
}

void CheckSection(const String& Section) {
  if (Section.empty() || Section.find(']') != String::npos || HasLineBreak(Section))
    RaiseCannotKeep(Section, "", "the section name cannot be kept in an ini file");
}

void CheckValue(const String& Section, const String& Ident, const String& Value) {
  CheckSection(Section);
  if (Ident.empty() || Ident.find('=') != String::npos || HasLineBreak(Ident) || Ident[0] == '[' ||
      Ident[0] == ';' || Ident[0] == '#')
    RaiseCannotKeep(Section, Ident, "the key cannot be kept in an ini file");
  if (HasLineBreak(Value)) RaiseCannotKeep(Section, Ident, "the value holds a line break");
}

String ErrorText(int error) {
  char buffer[256];
  return strerror_r(error, buffer, sizeof buffer);
}

}  // namespace

// ---- TIniDocument -------------------------------------------------------------------------------

TIniDocument::TLine TIniDocument::ParseLine(const String& Text) {
  TLine line;
  line.Text = Text;
  String trimmed = TrimBlanks(Text);
  if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') return line;
  if (trimmed[0] == '[') {
    size_t close = trimmed.find(']');
    if (close != String::npos) {
      line.Kind = TLineKind::Section;
      line.Name = TrimBlanks(trimmed.substr(1, close - 1));
    }
    return line;
  }
  size_t equals = trimmed.find('=');
  if (equals == String::npos) return line;
  line.Name = TrimBlanks(trimmed.substr(0, equals));
  if (line.Name.empty()) return line;
  line.Kind = TLineKind::Value;
  line.Value = Unquote(TrimBlanks(trimmed.substr(equals + 1)));
  return line;
}

void TIniDocument::SetText(const String& Text) {
  Clear();
  size_t start = 0;
  if (Text.compare(0, 3, kByteOrderMark) == 0) {
    FByteOrderMark = true;
    start = 3;
  }
  size_t firstBreak = Text.find('\n', start);
  FCrLf = firstBreak != String::npos && firstBreak > start && Text[firstBreak - 1] == '\r';
  while (start < Text.size()) {
    size_t end = Text.find('\n', start);
    if (end == String::npos) end = Text.size();
    String line = Text.substr(start, end - start);
    // Carriage returns before the line feed belong to the line end, however many a damaged file has.
    while (!line.empty() && line.back() == '\r') line.pop_back();
    FLines.push_back(ParseLine(line));
    start = end + 1;
  }
}

String TIniDocument::GetText() const {
  String text = FByteOrderMark ? kByteOrderMark : "";
  const char* lineEnd = FCrLf ? "\r\n" : "\n";
  for (const auto& line : FLines) text += line.Text + lineEnd;
  return text;
}

void TIniDocument::Clear() {
  FLines.clear();
  FCrLf = false;
  FByteOrderMark = false;
}

Integer TIniDocument::FindValue(const String& Section, const String& Ident) const {
  bool inSection = false;
  for (size_t i = 0; i < FLines.size(); ++i) {
    const TLine& line = FLines[i];
    if (line.Kind == TLineKind::Section)
      inSection = AnsiSameText(line.Name, Section);
    else if (inSection && line.Kind == TLineKind::Value && AnsiSameText(line.Name, Ident))
      return static_cast<Integer>(i);
  }
  return -1;
}

bool TIniDocument::ReadValue(const String& Section, const String& Ident, String& Value) const {
  Integer index = FindValue(TrimBlanks(Section), TrimBlanks(Ident));
  if (index < 0) return false;
  Value = FLines[index].Value;
  return true;
}

bool TIniDocument::WriteValue(const String& Section, const String& Ident, const String& Value) {
  String section = TrimBlanks(Section), ident = TrimBlanks(Ident);
  CheckValue(section, ident, Value);
  Integer index = FindValue(section, ident);
  if (index >= 0) {
    TLine& line = FLines[index];
    if (line.Value == Value) return false;
    line.Text = line.Name + "=" + Quote(Value);
    line.Value = Value;
    return true;
  }
  TLine added = ParseLine(ident + "=" + Quote(Value));
  // A new key goes after the last key of the section's first occurrence.
  size_t insertAt = FLines.size();
  bool found = false;
  for (size_t i = 0; i < FLines.size(); ++i) {
    const TLine& line = FLines[i];
    if (line.Kind == TLineKind::Section) {
      if (found) break;
      if (AnsiSameText(line.Name, section)) {
        found = true;
        insertAt = i + 1;
      }
    } else if (found && line.Kind == TLineKind::Value) {
      insertAt = i + 1;
    }
  }
  if (!found) {
    if (!FLines.empty() && !TrimBlanks(FLines.back().Text).empty()) FLines.push_back(ParseLine(""));
    FLines.push_back(ParseLine("[" + section + "]"));
    insertAt = FLines.size();
  }
  FLines.insert(FLines.begin() + static_cast<ptrdiff_t>(insertAt), added);
  return true;
}

bool TIniDocument::DeleteKey(const String& Section, const String& Ident) {
  bool changed = false;
  for (Integer index; (index = FindValue(TrimBlanks(Section), TrimBlanks(Ident))) >= 0; changed = true)
    FLines.erase(FLines.begin() + index);
  return changed;
}

bool TIniDocument::EraseSection(const String& Section) {
  String section = TrimBlanks(Section);
  size_t before = FLines.size();
  std::vector<TLine> kept;
  bool erasing = false;
  for (auto& line : FLines) {
    if (line.Kind == TLineKind::Section) erasing = AnsiSameText(line.Name, section);
    if (!erasing) kept.push_back(std::move(line));
  }
  FLines = std::move(kept);
  return FLines.size() != before;
}

bool TIniDocument::AddSection(const String& Section) {
  String section = TrimBlanks(Section);
  if (HasSection(section)) return false;
  CheckSection(section);
  if (!FLines.empty() && !TrimBlanks(FLines.back().Text).empty()) FLines.push_back(ParseLine(""));
  FLines.push_back(ParseLine("[" + section + "]"));
  return true;
}

std::vector<String> TIniDocument::SectionNames() const {
  std::vector<String> names;
  for (const auto& line : FLines) {
    if (line.Kind != TLineKind::Section) continue;
    bool seen = false;
    for (const auto& name : names) seen = seen || AnsiSameText(name, line.Name);
    if (!seen) names.push_back(line.Name);
  }
  return names;
}

bool TIniDocument::HasSection(const String& Section) const {
  String section = TrimBlanks(Section);
  for (const auto& line : FLines)
    if (line.Kind == TLineKind::Section && AnsiSameText(line.Name, section)) return true;
  return false;
}

std::vector<std::pair<String, String>> TIniDocument::SectionValues(const String& Section) const {
  String section = TrimBlanks(Section);
  std::vector<std::pair<String, String>> values;
  bool inSection = false;
  for (const auto& line : FLines) {
    if (line.Kind == TLineKind::Section) inSection = AnsiSameText(line.Name, section);
    if (!inSection || line.Kind != TLineKind::Value) continue;
    bool seen = false;
    for (const auto& [key, value] : values) seen = seen || AnsiSameText(key, line.Name);
    if (!seen) values.emplace_back(line.Name, line.Value);
  }
  return values;
}

// ---- Files --------------------------------------------------------------------------------------

bool ReadIniText(const String& FileName, String& Text) {
  Text.clear();
  int fd = ::open(NativePath(FileName).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return false;
    throw EIniFileException(Format("Unable to read %s. %s", FileName, ErrorText(errno)));
  }
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int error = errno;
      ::close(fd);
      throw EIniFileException(Format("Unable to read %s. %s", FileName, ErrorText(error)));
    }
    if (n == 0) break;
    Text.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return true;
}

TIniDocument LoadIniDocument(const String& FileName) {
  TIniDocument document;
  String text;
  if (ReadIniText(FileName, text)) document.SetText(text);
  return document;
}

namespace {

// Writes all of Text to fd with the file's mode and flushes it to disk; answers 0 or the errno.
int WriteAndFlush(int fd, const String& Text, mode_t mode) {
  size_t written = 0;
  int error = ::fchmod(fd, mode) == 0 ? 0 : errno;
  while (error == 0 && written < Text.size()) {
    ssize_t n = ::write(fd, Text.data() + written, Text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error = errno;
    else written += static_cast<size_t>(n);
  }
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  return error;
}

// Gives the unnamed file fd a free name from Template (ending in XXXXXX); answers 0 or the errno.
int LinkUnnamed(int fd, String& Template) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device random;
  const String procPath = "/proc/self/fd/" + std::to_string(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    for (size_t i = Template.size() - 6; i < Template.size(); ++i) Template[i] = kLetters[random() % 62];
    if (::linkat(fd, "", AT_FDCWD, Template.c_str(), AT_EMPTY_PATH) == 0) return 0;
    if (errno == EEXIST) continue;
    // Linking by descriptor needs a privilege; the descriptor's /proc entry does not.
    if (::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, Template.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

}  // namespace

void WriteIniTextAtomically(const String& FileName, const String& Text) {
  String path = NativePath(FileName);
  // Replace what a link points to, not the link.
  if (char* real = ::realpath(path.c_str(), nullptr)) {
    path = real;
    std::free(real);
  }
  size_t slash = path.rfind('/');
  String folder = slash == String::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  String temporary = folder + "/." + path.substr(slash == String::npos ? 0 : slash + 1) + ".XXXXXX";

  auto fail = [&](int error) {
    throw EIniFileException(Format("Unable to write to %s. %s", FileName, ErrorText(error)));
  };
  struct stat old;
  mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  // The new text goes to an unnamed file that is named only once it is complete, so that a writer
  // killed on the way leaves nothing behind. Where the file system has no unnamed files, a named
  // temporary file stands in.
  int error = 0;
  int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
  if (fd >= 0) {
    error = WriteAndFlush(fd, Text, mode);
    if (error == 0) error = LinkUnnamed(fd, temporary);
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) fail(error);
  } else {
    fd = ::mkstemp(temporary.data());
    if (fd < 0) fail(errno);
    error = WriteAndFlush(fd, Text, mode);
    if (::close(fd) != 0 && error == 0) error = errno;
  }
  if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    fail(error);
  }
  // The rename itself reaches the disk with the folder.
  int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}
