#pragma once
// String tables. The source holds one string a line:  64709 "Incorrect number of points"
// with the escapes \" \\ \n \r \t inside the quotes; blank lines and lines starting with '#' or
// "//" are skipped. Numbers are 0..65535; text is UTF-8.
//
// The strings are packed as resource files always have packed them: block N (a resource of
// type 6 named N) holds the sixteen strings numbered (N-1)*16 .. (N-1)*16+15, each as a 16-bit
// little-endian length followed by that many bytes. Our lengths count UTF-8 bytes, not UTF-16
// units; LoadString in rtl/Resources.h reads this layout.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class StringTable {
 public:
  // Adds the strings of one source file; throws std::runtime_error on a malformed line or a
  // number given twice.
  void AddSource(const std::string& path);

  // Block name -> packed bytes.
  std::map<uint16_t, std::vector<uint8_t>> Blocks() const;

  bool Empty() const { return FStrings.empty(); }
  const std::vector<std::string>& Sources() const { return FSources; }

 private:
  std::map<uint16_t, std::string> FStrings;
  std::map<uint16_t, std::string> FDefinedAt;
  std::vector<std::string> FSources;
};
