// Regular-expression masks: each hostile mask compiled or refused (goal: within 5 ms); where it
// compiles, 200 characters typed and taken back, against a plain literal mask of as many
// positions (goal: within 20 times the peer per keystroke, and under 0.5 ms); and 100,000 digits
// fed to "\d*" against 1,000 (goal: within 200 times).

#include "MaskBench.h"

#include <cstdio>
#include <vector>

#include "BenchTiming.h"
#include "toolkit/editors/kvRegExpr.h"

namespace {

constexpr int kKeys = 200;

// Milliseconds per keystroke: kKeys characters typed with Advance and AcceptsWhole, then taken
// back with StepBack.
double PerKey(const String& mask, const String& key) {
  TkvRegExpr expr;
  expr.Compile(mask);
  const double total = Best(5, [&] {
    for (int i = 0; i < kKeys; ++i) {
      String ch = key;
      expr.Advance(ch);
      expr.AcceptsWhole();
    }
    while (expr.StepBack()) {
    }
  });
  return total / (2 * kKeys);
}

}  // namespace

void RunMaskBench() {
  struct Hostile {
    String mask;
    const char* key;  // typed when the mask compiles
  };
  String counts = "a";
  for (int i = 0; i < 5000; ++i) counts += "{1}";
  const std::vector<Hostile> masks = {
      {"(a?){2,}", ""}, {"(a{0}){1,}", ""}, {"((a?)){3,}", ""}, {"(\\d+)+", "5"}, {"((((a)+)+)+)+", "a"},
      {"(a|a)*", "a"}, {"(a*)*", ""}, {"a**", ""}, {"a{99999999999}", ""}, {"a{2147483647}", ""},
      {"((a{100}){100}){100}", ""}, {"(a{0}){2000000}", ""}, {"|", ""}, {"||", ""}, {"(|)", ""},
      {"(a|)", ""}, {"()", ""}, {"[abc", ""}, {"[", ""}, {"[^", ""}, {"[a-", ""}, {"{", ""}, {"a{3", ""},
      {"'abc", ""}, {"\\x", ""}, {String(10000, '(') + "a" + String(10000, ')'), ""},
      {"a" + String(10000, '?'), ""}, {counts, ""}, {String(100000, 'a'), ""},
  };
  const double peer = PerKey(String(kKeys, 'a'), "a");
  for (const Hostile& h : masks) {
    bool compiled = false;
    const double compile = Best(5, [&] {
      TkvRegExpr expr;
      try {
        expr.Compile(h.mask);
        compiled = true;
      } catch (const EkvRegExprError&) {
      }
    });
    std::printf("editors: mask %-22.22s %s in %.3f ms (goal <= 5)", h.mask.c_str(), compiled ? "compiled" : "refused",
                compile);
    if (compiled && *h.key) {
      const double key = PerKey(h.mask, h.key);
      std::printf(", %.2f us a key, peer %.2f us, ratio %.1f (goal <= 20, < 500 us)", key * 1000, peer * 1000,
                  key / peer);
    }
    std::printf("\n");
  }
  auto feed = [](size_t digits) {
    TkvRegExpr expr;
    expr.Compile("\\d*");
    const String text(digits, '7');
    return Best(3, [&] {
      String accepted;
      expr.Restart();
      expr.FeedText(text, accepted);
    });
  };
  const double small = feed(1000), large = feed(100000);
  std::printf("editors: \\d* fed 1,000 digits %.3f ms, 100,000 digits %.3f ms, ratio %.1f (goal <= 200)\n", small,
              large, large / small);
}
