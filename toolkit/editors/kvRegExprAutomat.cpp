// The position automaton over a compiled mask and the matching side of TkvRegExpr.

#include <algorithm>

#include "rtl/UnicodeCase.h"
#include "toolkit/editors/kvRegExpr.h"

namespace {

TkvRegExprStates FirstStates(const TkvRegExprParserAlts& Alts) {
  TkvRegExprStates set;
  for (const auto& alt : Alts.Alts)
    for (const auto& item : alt->Items) {
      set.Add(item->Entry());
      if (!item->AllowsNone()) break;
    }
  return set;
}

bool AllMatchEmpty(const TkvRegExprParserAlt& Alt) {
  return std::all_of(Alt.Items.begin(), Alt.Items.end(), [](const auto& i) { return i->MatchesEmpty(); });
}

void Link(const TkvRegExprParserAlt& Alt) {
  const auto& items = Alt.Items;
  for (size_t j = 0; j < items.size(); ++j) {
    TkvRegExprParserItem* item = items[j].get();
    for (size_t k = j + 1; k < items.size(); ++k) {
      item->Exit()->AddNext(items[k]->Entry());
      if (!items[k]->AllowsNone()) break;
    }
    if (item->AllowsMany()) item->Exit()->AddNext(item->Entry());
    auto* block = dynamic_cast<TkvRegExprParserBlockItem*>(item);
    if (!block) continue;
    const TkvRegExprParserAlts& alts = block->Alts();
    block->Entry()->AddNexts(FirstStates(alts));
    if (std::any_of(alts.Alts.begin(), alts.Alts.end(), [](const auto& a) {
          return std::all_of(a->Items.begin(), a->Items.end(), [](const auto& i) { return i->AllowsNone(); });
        }))
      block->Entry()->AddNext(block->Exit());
    for (const auto& alt : alts.Alts) Link(*alt);
    for (const auto& alt : alts.Alts)
      for (auto it = alt->Items.rbegin(); it != alt->Items.rend(); ++it) {
        (*it)->Exit()->AddNext(block->Exit());
        if (!(*it)->AllowsNone()) break;
      }
  }
}

}  // namespace

// ---- Automaton -----------------------------------------------------------------------------

TkvRegExprAutomat::TkvRegExprAutomat(std::unique_ptr<TkvRegExprParserAlts> Tree, TkvRegExpr* Owner)
    : FTree(std::move(Tree)), FStart(std::make_unique<TkvRegExprSimpleState>()), FOwner(Owner) {
  for (const auto& alt : FTree->Alts) Link(*alt);
  // A block that may match nothing lets the walk go on, so "x" completes "x(a?)".
  for (const auto& alt : FTree->Alts)
    for (auto it = alt->Items.rbegin(); it != alt->Items.rend(); ++it) {
      (*it)->MarkFinal();
      if (!(*it)->MatchesEmpty()) break;
    }
  for (const auto& alt : FTree->Alts)
    for (const auto& item : alt->Items) FStateCount += item->StateCount();
  FStart->AddNexts(FirstStates(*FTree));
  if (std::any_of(FTree->Alts.begin(), FTree->Alts.end(), [](const auto& a) { return AllMatchEmpty(*a); }))
    FStart->MarkFinal();
  FCurrent.Add(FStart.get());
}

bool TkvRegExprAutomat::Advance(char32_t& ch, bool CaseInsensitive) {
  FLastVisits = 0;
  TkvRegExprStates next = FCurrent.Step(ch, CaseInsensitive, FLastVisits);
  if (next.Count() == 0) return false;
  FHistory.push_back(std::move(FCurrent));
  FCurrent = std::move(next);
  return true;
}

bool TkvRegExprAutomat::PopHistory(TkvRegExprStates& Set) {
  if (FHistory.empty()) return false;
  Set = std::move(FHistory.back());
  FHistory.pop_back();
  return true;
}

bool TkvRegExprAutomat::StepBack() { return PopHistory(FCurrent); }

void TkvRegExprAutomat::Restart() {
  FHistory.clear();
  FCurrent = TkvRegExprStates();
  FCurrent.Add(FStart.get());
}

void TkvRegExprAutomat::CompleteForcedLiterals() {
  if (FCurrent.AnyFinal()) return;
  TkvRegExprStates next = PossibleNext();
  char32_t c;
  for (Integer added = 0; added < FStateCount && next.SingleLiteral(c); ++added) {
    if (FOwner->OnCharAdded) FOwner->OnCharAdded(Utf8Encode(c));
    FHistory.push_back(std::move(FCurrent));
    FCurrent = std::move(next);
    if (FCurrent.AnyFinal()) return;
    next = PossibleNext();
  }
}

void TkvRegExprAutomat::UndoForcedLiterals() {
  char32_t c;
  while (FCurrent.SingleLiteral(c)) {
    TkvRegExprStates prev;
    if (!PopHistory(prev)) return;
    if (!prev.PossibleNext().SingleLiteral(c) || prev.AnyFinal()) {
      PushHistory(std::move(prev));
      return;
    }
    if (FOwner->OnCharRemoved) FOwner->OnCharRemoved();
    FCurrent = std::move(prev);
  }
}

// ---- TkvRegExpr: matching ------------------------------------------------------------------

void TkvRegExpr::CheckCompiled() const {
  if (!FCompiled) throw EkvEditError(ResourceStringText(skvRegExNotCompiled));
}

namespace {

// The next whole character of Text at pos; false for a byte that is not part of one.
bool NextChar(const String& Text, size_t& pos, char32_t& c) {
  const size_t start = pos;
  c = Utf8Decode(Text, pos);
  return pos - start > 1 || c < 0x80;
}

bool OneChar(const String& Ch, char32_t& c) {
  size_t pos = 0;
  return !Ch.empty() && NextChar(Ch, pos, c) && pos == Ch.size();
}

}  // namespace

bool TkvRegExpr::Advance(String& Ch) {
  CheckCompiled();
  char32_t c;
  if (!OneChar(Ch, c) || !FAutomat->Advance(c, FCaseInsensitive)) return false;
  Ch = Utf8Encode(c);
  if (FAutoComplete && !FAutomat->AcceptsWhole()) FAutomat->CompleteForcedLiterals();
  return true;
}

bool TkvRegExpr::StepBack() {
  CheckCompiled();
  if (FAutoComplete) FAutomat->UndoForcedLiterals();
  return FAutomat->StepBack();
}

void TkvRegExpr::Restart() {
  CheckCompiled();
  FAutomat->Restart();
}

bool TkvRegExpr::AcceptsWhole() {
  CheckCompiled();
  return FAutomat->AcceptsWhole();
}

bool TkvRegExpr::AtStart() {
  CheckCompiled();
  return FAutomat->AtStart();
}

void TkvRegExpr::FeedText(const String& Text, String& Accepted) {
  CheckCompiled();
  Accepted.clear();
  for (size_t pos = 0; pos < Text.size();) {
    char32_t c;
    if (NextChar(Text, pos, c) && FAutomat->Advance(c, FCaseInsensitive)) Accepted += Utf8Encode(c);
  }
}

const TkvRegExprAutomat& TkvRegExpr::Automat() {
  CheckCompiled();
  return *FAutomat;
}

void TkvRegExpr::SetAutoComplete(bool Value) {
  FAutoComplete = Value;
  if (Value && FCompiled) FAutomat->CompleteForcedLiterals();
}
