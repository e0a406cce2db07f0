#include "StringTable.h"

#include <cctype>
#include <fstream>
#include <stdexcept>

namespace {

std::string Unescape(const std::string& text, size_t start, const std::string& where) {
  std::string result;
  for (size_t i = start; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') {
      for (size_t j = i + 1; j < text.size(); ++j)
        if (!std::isspace(static_cast<unsigned char>(text[j])))
          throw std::runtime_error(where + ": text after the closing quote");
      return result;
    }
    if (c != '\\') {
      result += c;
      continue;
    }
    if (++i == text.size()) break;
    switch (text[i]) {
      case 'n': result += '\n'; break;
      case 'r': result += '\r'; break;
      case 't': result += '\t'; break;
      case '"': result += '"'; break;
      case '\\': result += '\\'; break;
      default: throw std::runtime_error(where + ": unknown escape \\" + text[i]);
    }
  }
  throw std::runtime_error(where + ": unclosed quote");
}

}  // namespace

void StringTable::AddSource(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot open string table " + path);
  FSources.push_back(path);
  std::string text;
  for (int number = 1; std::getline(in, text); ++number) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    std::string where = path + ":" + std::to_string(number);
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos || text[i] == '#' || text.compare(i, 2, "//") == 0) continue;

    size_t digitsEnd = i;
    while (digitsEnd < text.size() && std::isdigit(static_cast<unsigned char>(text[digitsEnd]))) ++digitsEnd;
    if (digitsEnd == i || digitsEnd - i > 5) throw std::runtime_error(where + ": expected a string number");
    unsigned long id = std::stoul(text.substr(i, digitsEnd - i));
    if (id > 0xFFFF) throw std::runtime_error(where + ": string number out of range");
    size_t quote = text.find_first_not_of(" \t", digitsEnd);
    if (quote == std::string::npos || text[quote] != '"' || quote == digitsEnd)
      throw std::runtime_error(where + ": expected a quoted text after the number");

    std::string value = Unescape(text, quote + 1, where);
    if (value.size() > 0xFFFF) throw std::runtime_error(where + ": string too long");
    auto key = static_cast<uint16_t>(id);
    if (FStrings.count(key)) throw std::runtime_error(where + ": string " + std::to_string(id) + " also at " + FDefinedAt[key]);
    FStrings[key] = value;
    FDefinedAt[key] = where;
  }
}

std::map<uint16_t, std::vector<uint8_t>> StringTable::Blocks() const {
  std::map<uint16_t, std::map<int, const std::string*>> grouped;
  for (const auto& [id, text] : FStrings) grouped[static_cast<uint16_t>(id / 16 + 1)][id % 16] = &text;

  std::map<uint16_t, std::vector<uint8_t>> blocks;
  for (const auto& [block, members] : grouped) {
    std::vector<uint8_t>& bytes = blocks[block];
    for (int slot = 0; slot < 16; ++slot) {
      auto it = members.find(slot);
      size_t length = it == members.end() ? 0 : it->second->size();
      bytes.push_back(static_cast<uint8_t>(length & 0xFF));
      bytes.push_back(static_cast<uint8_t>(length >> 8));
      if (length) bytes.insert(bytes.end(), it->second->begin(), it->second->end());
    }
  }
  return blocks;
}
