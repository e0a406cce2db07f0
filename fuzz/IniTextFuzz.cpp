// The ini document: any text reads and answers its sections and values; the text it writes reads
// back into the same document (a damaged file's stray line ends are dropped on the first write).

#include <cstdlib>

#include "FuzzTarget.h"
#include "rtl/IniFilesDocument.h"

TAVREN_FUZZ_TARGET(IniText) {
  TIniDocument document;
  document.SetText(String(FuzzText(data, size)));
  String value;
  for (const String& section : document.SectionNames())
    for (const auto& [key, _] : document.SectionValues(section)) document.ReadValue(section, key, value);
  TIniDocument written, again;
  written.SetText(document.GetText());
  again.SetText(written.GetText());
  if (again.GetText() != written.GetText()) std::abort();
}
