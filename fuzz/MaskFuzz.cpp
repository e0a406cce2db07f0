// Edit masks from untrusted text: compiled as a regular-expression mask and, when that succeeds,
// typed with the text itself and taken back again, with forced literals completed.

#include <cstdlib>

#include "FuzzTarget.h"
#include "toolkit/editors/kvRegExpr.h"

TAVREN_FUZZ_TARGET(Mask) {
  const String text(FuzzText(data, size));
  TkvRegExpr expr;
  expr.SetAutoComplete(true);
  expr.SetCaseInsensitive(size % 2 == 1);
  try {
    expr.Compile(text);
  } catch (const EkvRegExprError& e) {
    if (e.Errors().empty()) std::abort();
    return;
  }
  String accepted;
  expr.FeedText(text, accepted);
  while (expr.StepBack()) {
  }
  for (size_t pos = 0; pos < text.size() && pos < 200; ++pos) {
    String ch(1, text[pos]);
    expr.Advance(ch);
  }
  expr.AcceptsWhole();
}
