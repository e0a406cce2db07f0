// Character items, quantifiers, states and state sets of the regular-expression masks.

#include <unordered_set>

#include "rtl/FormatSettings.h"
#include "rtl/UnicodeCase.h"
#include "toolkit/editors/kvRegExpr.h"

namespace {

char32_t SeparatorChar(Char c) { return char32_t(Byte(c)); }

bool SameUpper(char32_t a, char32_t b) {
  return Utf8UpperCase(Utf8Encode(a)) == Utf8UpperCase(Utf8Encode(b));
}

}  // namespace

// ---- Errors --------------------------------------------------------------------------------

String TkvRegExprError::FullText() const {
  String s;
  if (Line > 0) {
    s = ResourceStringText(skvEditLine) + std::to_string(Line);
    if (Column > 0) s += ", " + ResourceStringText(skvEditChar) + std::to_string(Column);
    s += ": ";
  }
  return s + Message;
}

EkvRegExprError::EkvRegExprError(TkvRegExprErrors AErrors) : EkvEditError(""), FErrors(std::move(AErrors)) {
  String text;
  for (const TkvRegExprError& e : FErrors) text += (text.empty() ? "" : "\n") + e.FullText();
  SetMessage(text);
}

// ---- Character items -----------------------------------------------------------------------

bool TkvRegExprSymbol::Accepts(char32_t& ch, bool CaseInsensitive) const {
  if (ch == FChar) return true;
  if (!CaseInsensitive || !SameUpper(ch, FChar)) return false;
  ch = FChar;
  return true;
}
std::unique_ptr<TkvRegExprItem> TkvRegExprSymbol::Copy() const { return std::make_unique<TkvRegExprSymbol>(FChar); }

bool TkvRegExprTimeSeparator::Accepts(char32_t& ch, bool) const { return ch == SeparatorChar(FormatSettings.TimeSeparator); }
std::unique_ptr<TkvRegExprItem> TkvRegExprTimeSeparator::Copy() const { return std::make_unique<TkvRegExprTimeSeparator>(); }
bool TkvRegExprTimeSeparator::Literal(char32_t& c) const { c = SeparatorChar(FormatSettings.TimeSeparator); return true; }

bool TkvRegExprDateSeparator::Accepts(char32_t& ch, bool) const { return ch == SeparatorChar(FormatSettings.DateSeparator); }
std::unique_ptr<TkvRegExprItem> TkvRegExprDateSeparator::Copy() const { return std::make_unique<TkvRegExprDateSeparator>(); }
bool TkvRegExprDateSeparator::Literal(char32_t& c) const { c = SeparatorChar(FormatSettings.DateSeparator); return true; }

bool TkvRegExprSubrange::Accepts(char32_t& ch, bool) const { return FLow <= ch && ch <= FHigh; }
std::unique_ptr<TkvRegExprItem> TkvRegExprSubrange::Copy() const { return std::make_unique<TkvRegExprSubrange>(FLow, FHigh); }

bool TkvRegExprUserEnumeration::Accepts(char32_t& ch, bool CaseInsensitive) const {
  bool found = false;
  for (const auto& item : FItems)
    if (item->Accepts(ch, CaseInsensitive)) { found = true; break; }
  return found != FInverse;
}
std::unique_ptr<TkvRegExprItem> TkvRegExprUserEnumeration::Copy() const {
  auto copy = std::make_unique<TkvRegExprUserEnumeration>(FInverse);
  for (const auto& item : FItems) copy->Add(item->Copy());
  return copy;
}

bool TkvRegExprDigit::Accepts(char32_t& ch, bool) const { return (ch >= '0' && ch <= '9') != FInverse; }
std::unique_ptr<TkvRegExprItem> TkvRegExprDigit::Copy() const { return std::make_unique<TkvRegExprDigit>(FInverse); }

bool TkvRegExprIdLetter::Accepts(char32_t& ch, bool) const {
  const bool id = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_';
  return id != FInverse;
}
std::unique_ptr<TkvRegExprItem> TkvRegExprIdLetter::Copy() const { return std::make_unique<TkvRegExprIdLetter>(FInverse); }

bool TkvRegExprSpace::Accepts(char32_t& ch, bool) const {
  const bool blank = ch == ' ' || ch == 0 || ch == 9 || ch == 10 || ch == 12 || ch == 13;
  return blank != FInverse;
}
std::unique_ptr<TkvRegExprItem> TkvRegExprSpace::Copy() const { return std::make_unique<TkvRegExprSpace>(FInverse); }

bool TkvRegExprAll::Accepts(char32_t&, bool) const { return true; }
std::unique_ptr<TkvRegExprItem> TkvRegExprAll::Copy() const { return std::make_unique<TkvRegExprAll>(); }

// ---- Quantifiers ---------------------------------------------------------------------------

std::unique_ptr<TkvRegExprQuantifier> TkvRegExprSimpleQuantifier::Copy() const { return std::make_unique<TkvRegExprSimpleQuantifier>(); }
std::unique_ptr<TkvRegExprQuantifier> TkvRegExprQuestionQuantifier::Copy() const { return std::make_unique<TkvRegExprQuestionQuantifier>(); }
std::unique_ptr<TkvRegExprQuantifier> TkvRegExprStarQuantifier::Copy() const { return std::make_unique<TkvRegExprStarQuantifier>(); }
std::unique_ptr<TkvRegExprQuantifier> TkvRegExprPlusQuantifier::Copy() const { return std::make_unique<TkvRegExprPlusQuantifier>(); }

// ---- States --------------------------------------------------------------------------------

void TkvRegExprState::AddNexts(const TkvRegExprStates& Set) {
  for (TkvRegExprState* s : Set.Items()) AddNext(s);
}

std::unique_ptr<TkvRegExprSimpleState> TkvRegExprSimpleState::Copy() const {
  return std::make_unique<TkvRegExprSimpleState>(FItem ? FItem->Copy() : nullptr);
}

bool TkvRegExprStates::Contains(const TkvRegExprState* State) const {
  for (TkvRegExprState* s : FItems)
    if (s == State) return true;
  return false;
}

void TkvRegExprStates::Add(TkvRegExprState* State) {
  if (!Contains(State)) FItems.push_back(State);
}

void TkvRegExprStates::AddAll(const TkvRegExprStates& Set) {
  for (TkvRegExprState* s : Set.FItems) Add(s);
}

namespace {

// Walks the successors of the members in order, looking through block states (each once), and
// hands every position reached to Visit. A loop of block states cannot hold the walk.
template <typename F>
void WalkPositions(const std::vector<TkvRegExprState*>& Members, Integer& Visits, F Visit) {
  std::unordered_set<const TkvRegExprState*> seenBlocks;
  std::vector<TkvRegExprState*> stack;
  for (TkvRegExprState* member : Members) {
    const auto& next = member->Next();
    for (auto it = next.rbegin(); it != next.rend(); ++it) stack.push_back(*it);
    while (!stack.empty()) {
      TkvRegExprState* s = stack.back();
      stack.pop_back();
      ++Visits;
      if (!s->IsBlock()) {
        Visit(static_cast<TkvRegExprSimpleState*>(s));
      } else if (seenBlocks.insert(s).second) {
        const auto& inner = s->Next();
        for (auto it = inner.rbegin(); it != inner.rend(); ++it) stack.push_back(*it);
      }
    }
  }
}

}  // namespace

TkvRegExprStates TkvRegExprStates::Step(char32_t& ch, bool CaseInsensitive, Integer& Visits) const {
  TkvRegExprStates result;
  std::unordered_set<const TkvRegExprState*> tested;
  WalkPositions(FItems, Visits, [&](TkvRegExprSimpleState* s) {
    if (!tested.insert(s).second) return;
    if (s->Item() && s->Item()->Accepts(ch, CaseInsensitive)) result.FItems.push_back(s);
  });
  return result;
}

TkvRegExprStates TkvRegExprStates::PossibleNext() const {
  TkvRegExprStates result;
  std::unordered_set<const TkvRegExprState*> added;
  Integer visits = 0;
  WalkPositions(FItems, visits, [&](TkvRegExprSimpleState* s) {
    if (added.insert(s).second) result.FItems.push_back(s);
  });
  return result;
}

bool TkvRegExprStates::AnyFinal() const {
  for (TkvRegExprState* s : FItems)
    if (s->IsFinal()) return true;
  return false;
}

bool TkvRegExprStates::SingleLiteral(char32_t& c) const {
  if (FItems.empty()) return false;
  for (size_t i = 0; i < FItems.size(); ++i) {
    if (FItems[i]->IsBlock()) return false;
    TkvRegExprItem* item = static_cast<TkvRegExprSimpleState*>(FItems[i])->Item();
    char32_t lit;
    if (!item || !item->Literal(lit)) return false;
    if (i == 0) c = lit;
    else if (lit != c) return false;
  }
  return true;
}
