// The ini document: any text reads, answers its sections and values, and writes back text that
// reads the same.

#include <cstdlib>

#include "FuzzTarget.h"
#include "rtl/IniFilesDocument.h"

TAVREN_FUZZ_TARGET(IniText) {
  TIniDocument document;
  document.SetText(String(FuzzText(data, size)));
  String value;
  for (const String& section : document.SectionNames())
    for (const auto& [key, _] : document.SectionValues(section)) document.ReadValue(section, key, value);
  TIniDocument again;
  again.SetText(document.GetText());
  if (again.GetText() != document.GetText()) std::abort();
}
