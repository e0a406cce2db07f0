#include "FormPictures.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace {

std::vector<unsigned char> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// "{", then lines of hex inside the form's indentation, then "}".
std::string HexValue(const std::vector<unsigned char>& file, const std::string& indent) {
  std::vector<unsigned char> data;
  const auto size = static_cast<uint32_t>(file.size());
  for (int i = 0; i < 4; ++i) data.push_back(static_cast<unsigned char>(size >> (8 * i)));
  data.insert(data.end(), file.begin(), file.end());
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out = "{";
  for (size_t i = 0; i < data.size(); ++i) {
    if (i % 32 == 0) out += "\n" + indent + "  ";
    out += kDigits[data[i] >> 4];
    out += kDigits[data[i] & 0xF];
  }
  return out + "}";
}

}  // namespace

std::string ExpandFormPictures(const std::string& text, const std::string& where,
                               const std::function<std::string(const std::string&)>& resolve,
                               std::vector<std::string>& pictures) {
  std::istringstream in(text);
  std::string out, line;
  int number = 0;
  const std::string marker = "= picture '";
  while (std::getline(in, line)) {
    ++number;
    size_t at = line.find(marker);
    if (at == std::string::npos) {
      out += line + "\n";
      continue;
    }
    size_t start = at + marker.size();
    size_t end = line.find('\'', start);
    if (end == std::string::npos || end == start || line.find_first_not_of(" \t\r", end + 1) != std::string::npos)
      throw std::runtime_error(where + ", form line " + std::to_string(number) + ": malformed picture reference");
    const std::string path = resolve(line.substr(start, end - start));
    pictures.push_back(path);
    const std::string indent = line.substr(0, line.find_first_not_of(" \t"));
    out += line.substr(0, at) + "= " + HexValue(ReadBytes(path), indent) + "\n";
  }
  return out;
}
