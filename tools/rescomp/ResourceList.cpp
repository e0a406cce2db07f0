#include "ResourceList.h"

#include <iterator>

#include "FormPictures.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "rtl/ResourceTable.h"

namespace fs = std::filesystem;

namespace {

struct KnownType {
  const char* keyword;
  uint16_t id;
};

const KnownType kKnownTypes[] = {
    {"CURSOR", ResTypeCursor},     {"BITMAP", ResTypeBitmap},
    {"ICON", ResTypeIcon},         {"FONT", ResTypeFont},
    {"RCDATA", ResTypeRCData},     {"GROUP_CURSOR", ResTypeGroupCursor},
    {"GROUP_ICON", ResTypeGroupIcon}, {"STRINGTABLE", ResTypeString},
    {"VERSION", ResTypeVersion},   {"HTML", ResTypeHtml},
    {"MANIFEST", ResTypeManifest},
};

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
  return s;
}

// Splits a line into blank-separated words; a word in double quotes may hold blanks.
std::vector<std::string> SplitWords(const std::string& line, const std::string& where) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < line.size()) {
    if (std::isspace(static_cast<unsigned char>(line[i]))) {
      ++i;
      continue;
    }
    std::string word;
    if (line[i] == '"') {
      size_t close = line.find('"', i + 1);
      if (close == std::string::npos) throw std::runtime_error(where + ": unclosed quote");
      word = line.substr(i + 1, close - i - 1);
      i = close + 1;
    } else {
      while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) word += line[i++];
    }
    words.push_back(word);
  }
  return words;
}

// A word of digits is a number (and must fit 1..65535); anything else is a name.
bool ParseId(const std::string& word, uint16_t& id, const std::string& where) {
  if (word.empty() || !std::all_of(word.begin(), word.end(), [](unsigned char c) { return std::isdigit(c); }))
    return false;
  unsigned long value = word.size() > 5 ? 70000 : std::stoul(word);
  if (value == 0 || value > 0xFFFF) throw std::runtime_error(where + ": number out of range: " + word);
  id = static_cast<uint16_t>(value);
  return true;
}

std::string ResolvePath(const std::string& path, const fs::path& listDir,
                        const std::vector<std::string>& searchDirs, const std::string& where) {
  fs::path p(path);
  if (p.is_absolute()) {
    if (fs::is_regular_file(p)) return p.string();
  } else {
    if (fs::is_regular_file(listDir / p)) return fs::absolute(listDir / p).lexically_normal().string();
    for (const auto& dir : searchDirs)
      if (fs::is_regular_file(fs::path(dir) / p)) return fs::absolute(fs::path(dir) / p).lexically_normal().string();
  }
  throw std::runtime_error(where + ": file not found: " + path);
}

void CheckBitmapFile(const std::string& path, const std::string& where) {
  std::ifstream in(path, std::ios::binary);
  char magic[2] = {};
  in.read(magic, 2);
  if (!in || magic[0] != 'B' || magic[1] != 'M' || fs::file_size(path) < 14)
    throw std::runtime_error(where + ": not a BMP file: " + path);
}

bool SameKey(const ResourceLine& a, const ResourceLine& b) {
  return a.typeId == b.typeId && Upper(a.typeName) == Upper(b.typeName) && a.nameId == b.nameId &&
         Upper(a.name) == Upper(b.name);
}

}  // namespace

std::vector<uint16_t> ParseVersionText(const std::string& text) {
  std::vector<uint16_t> parts;
  size_t start = 0;
  while (true) {
    size_t dot = text.find('.', start);
    std::string part = text.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    if (part.empty() || part.size() > 5 ||
        !std::all_of(part.begin(), part.end(), [](unsigned char c) { return std::isdigit(c); }) ||
        std::stoul(part) > 0xFFFF)
      throw std::runtime_error("malformed version: " + text);
    parts.push_back(static_cast<uint16_t>(std::stoul(part)));
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  if (parts.size() != 4) throw std::runtime_error("a version has four numbers: " + text);
  return parts;
}

void ReadResourceList(const std::string& listPath, const std::vector<std::string>& searchDirs,
                      std::vector<ResourceLine>& lines) {
  std::ifstream in(listPath);
  if (!in) throw std::runtime_error("cannot open resource list " + listPath);
  fs::path listDir = fs::absolute(listPath).parent_path();

  std::string text;
  for (int number = 1; std::getline(in, text); ++number) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    std::string where = listPath + ":" + std::to_string(number);
    auto words = SplitWords(text, where);
    if (words.empty() || words[0][0] == '#' || words[0].rfind("//", 0) == 0) continue;

    ResourceLine line;
    line.where = where;
    std::string typeWord = Upper(words[0]);
    if (typeWord == "STRINGTABLE") {
      if (words.size() != 2) throw std::runtime_error(where + ": expected STRINGTABLE PATH");
      line.kind = ResourceLine::Kind::StringTable;
      line.typeId = ResTypeString;
      line.path = ResolvePath(words[1], listDir, searchDirs, where);
      lines.push_back(line);
      continue;
    }
    if (words.size() != 3) throw std::runtime_error(where + ": expected TYPE NAME PATH");

    if (!ParseId(words[0], line.typeId, where)) {
      auto known = std::find_if(std::begin(kKnownTypes), std::end(kKnownTypes),
                                [&](const KnownType& k) { return typeWord == k.keyword; });
      if (known != std::end(kKnownTypes))
        line.typeId = known->id;
      else
        line.typeName = words[0];
    }
    if (!ParseId(words[1], line.nameId, where)) line.name = words[1];

    if (line.typeName.empty() && line.typeId == ResTypeVersion) {
      line.kind = ResourceLine::Kind::Version;
      ParseVersionText(words[2]);
      line.path = words[2];
    } else {
      line.path = ResolvePath(words[2], listDir, searchDirs, where);
      if (line.typeName.empty() && line.typeId == ResTypeBitmap) {
        CheckBitmapFile(line.path, where);
        line.kind = ResourceLine::Kind::Bitmap;
      }
      if (Upper(line.typeName) == "FORM") {
        std::ifstream form(line.path, std::ios::binary);
        std::string formText((std::istreambuf_iterator<char>(form)), std::istreambuf_iterator<char>());
        auto resolve = [&](const std::string& name) { return ResolvePath(name, listDir, searchDirs, where); };
        std::string expanded = ExpandFormPictures(formText, where, resolve, line.pictures);
        if (!line.pictures.empty()) {
          line.kind = ResourceLine::Kind::Expanded;
          line.data = expanded;
        }
      }
    }
    for (const auto& earlier : lines)
      if (earlier.kind != ResourceLine::Kind::StringTable && SameKey(earlier, line))
        throw std::runtime_error(where + ": duplicate of the resource at " + earlier.where);
    lines.push_back(line);
  }
}
