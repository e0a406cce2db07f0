#include "vcl/FileCtrl.h"

namespace {

// Bytes of the UTF-8 character that ends at End (exclusive).
size_t LastCharacterLength(const String& Text, size_t End) {
  size_t start = End - 1;
  while (start > 0 && (static_cast<unsigned char>(Text[start]) & 0xC0) == 0x80) --start;
  return End - start;
}

}  // namespace

String MinimizeName(const String& FileName, TCanvas* Canvas, Integer MaxLen) {
  auto fits = [&](const String& Text) { return Canvas->TextWidth(Text) <= MaxLen; };
  if (fits(FileName)) return FileName;
  // The folders after the leading separator, dropped from the front.
  String rest = FileName;
  while (!rest.empty() && rest.front() == '/') rest.erase(0, 1);
  for (size_t slash = rest.find('/'); slash != String::npos; slash = rest.find('/')) {
    rest.erase(0, slash + 1);
    const String shortened = ".../" + rest;
    if (fits(shortened)) return shortened;
  }
  // Only the name is left: cut it, whole characters at a time.
  String name = rest;
  while (!name.empty() && !fits(name + "...")) name.resize(name.size() - LastCharacterLength(name, name.size()));
  return name + "...";
}
