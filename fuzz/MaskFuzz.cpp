// Edit masks from untrusted text: parsed as a standard mask that the text is then fitted into,
// and compiled as a regular-expression mask that, when that succeeds, is typed with the text
// itself and taken back again, with forced literals completed.

#include <cstdlib>

#include "FuzzTarget.h"
#include "toolkit/editors/kvRegExpr.h"
#include "toolkit/editors/kvStandardMask.h"

TAVREN_FUZZ_TARGET(Mask) {
  const String text(FuzzText(data, size));
  TkvStandardMask standard;
  standard.Parse(text);
  String fitted = text;
  standard.ApplyText(fitted, size % 2 == 0, size % 3 == 0);
  if (kvSplitChars(fitted).size() != size_t(standard.Count())) std::abort();
  String value = fitted;
  standard.IsComplete(fitted);
  standard.ExtractValue(value);
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
