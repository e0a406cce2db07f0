// Reading the shared MIME database: globs2, generic-icons and the per-type description files.

#include "user/MimeTypes.h"

#include <fnmatch.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <vector>

namespace {

struct Glob {
  int Weight;
  String Type;
  String Pattern;
  bool CaseSensitive;
};

struct Database {
  String Key;  // the data folders it was read from
  std::vector<String> Folders;
  std::vector<Glob> Globs;
  std::map<String, String> Icons;
  std::map<String, String> Comments;  // filled as types are asked for
};

std::vector<String> MimeFolders() {
  std::vector<String> folders;
  const char* home = std::getenv("XDG_DATA_HOME");
  const char* user = std::getenv("HOME");
  if (home && *home == '/') folders.push_back(String(home) + "/mime");
  else if (user && *user) folders.push_back(String(user) + "/.local/share/mime");
  const char* dirs = std::getenv("XDG_DATA_DIRS");
  std::stringstream list(dirs && *dirs ? dirs : "/usr/local/share:/usr/share");
  String dir;
  while (std::getline(list, dir, ':'))
    if (!dir.empty() && dir[0] == '/') folders.push_back(dir + "/mime");
  return folders;
}

void ReadGlobs(const String& folder, Database* db) {
  std::ifstream file(folder + "/globs2");
  String line;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<String> fields;
    std::stringstream parts(line);
    String field;
    while (std::getline(parts, field, ':')) fields.push_back(field);
    if (fields.size() < 3 || fields[1].empty() || fields[2].empty()) continue;
    int weight = std::atoi(fields[0].c_str());
    bool caseSensitive = fields.size() > 3 && fields[3].find("cs") != String::npos;
    db->Globs.push_back({weight, fields[1], fields[2], caseSensitive});
  }
}

void ReadIcons(const String& folder, Database* db) {
  std::ifstream file(folder + "/generic-icons");
  String line;
  while (std::getline(file, line)) {
    size_t colon = line.find(':');
    if (colon == String::npos || line[0] == '#') continue;
    db->Icons.emplace(line.substr(0, colon), line.substr(colon + 1));  // the first folder wins
  }
}

String DecodeEntities(const String& text) {
  static const std::pair<const char*, char> entities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  String out;
  for (size_t i = 0; i < text.size(); ++i) {
    bool decoded = false;
    for (const auto& [entity, c] : entities) {
      String e = entity;
      if (text.compare(i, e.size(), e) == 0) {
        out += c;
        i += e.size() - 1;
        decoded = true;
        break;
      }
    }
    if (!decoded) out += text[i];
  }
  return out;
}

// The untranslated <comment> of <folder>/<type>.xml.
String ReadComment(const std::vector<String>& folders, const String& type) {
  if (type.find("..") != String::npos || type.find('/') == String::npos) return "";
  for (const String& folder : folders) {
    std::ifstream file(folder + "/" + type + ".xml");
    if (!file) continue;
    std::stringstream text;
    text << file.rdbuf();
    String xml = text.str();
    size_t start = xml.find("<comment>");
    size_t end = start == String::npos ? String::npos : xml.find("</comment>", start);
    if (end != String::npos) return DecodeEntities(xml.substr(start + 9, end - start - 9));
  }
  return "";
}

std::mutex lock;

// The database for the current data folders, read again when they change.
Database& Current() {
  static Database db;
  std::vector<String> folders = MimeFolders();
  String key;
  for (const String& f : folders) key += f + "\n";
  if (db.Key != key || db.Folders.empty()) {
    db = Database();
    db.Key = key;
    db.Folders = folders;
    for (const String& folder : folders) {
      ReadGlobs(folder, &db);
      ReadIcons(folder, &db);
    }
  }
  return db;
}

}  // namespace

String MimeTypeOfName(const String& fileName) {
  std::lock_guard<std::mutex> guard(lock);
  const Glob* best = nullptr;
  for (const Glob& glob : Current().Globs) {
    if (fnmatch(glob.Pattern.c_str(), fileName.c_str(), glob.CaseSensitive ? 0 : FNM_CASEFOLD) != 0) continue;
    if (!best || glob.Weight > best->Weight ||
        (glob.Weight == best->Weight && glob.Pattern.size() > best->Pattern.size()))
      best = &glob;
  }
  return best ? best->Type : String();
}

String MimeTypeComment(const String& mimeType) {
  std::lock_guard<std::mutex> guard(lock);
  Database& db = Current();
  auto found = db.Comments.find(mimeType);
  if (found == db.Comments.end()) found = db.Comments.emplace(mimeType, ReadComment(db.Folders, mimeType)).first;
  return found->second;
}

String MimeGenericIcon(const String& mimeType) {
  if (mimeType.empty()) return "";
  std::lock_guard<std::mutex> guard(lock);
  Database& db = Current();
  auto found = db.Icons.find(mimeType);
  if (found != db.Icons.end()) return found->second;
  return mimeType.substr(0, mimeType.find('/')) + "-x-generic";
}
