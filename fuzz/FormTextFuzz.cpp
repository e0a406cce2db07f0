// The form text parser, and the printer's output of whatever it accepts: that must parse again
// into text that prints the same.

#include <cstdlib>

#include "FuzzTarget.h"
#include "rtl/FormParser.h"
#include "rtl/FormPrinter.h"

TAVREN_FUZZ_TARGET(FormText) {
  TFormObject form;
  try {
    form = ParseFormText(String(FuzzText(data, size)));
  } catch (const EParserError&) {
    return;
  }
  const String printed = PrintFormText(form);
  if (PrintFormText(ParseFormText(printed)) != printed) std::abort();
}
