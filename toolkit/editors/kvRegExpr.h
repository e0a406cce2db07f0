#pragma once
// Regular-expression masks: the compiler that turns a mask text into a tree of alternatives, and
// the position automaton over that tree that the masked editors step one typed character at a
// time (forward, back, restart, forced-literal completion).
//
// Characters are whole UTF-8 characters: the compiler reads code points, items test code points,
// and the matching interface takes and hands back one character as a String.
//
// Sources: kvRegExprItems.cpp (character items, quantifiers, states, state sets),
// kvRegExprParser.cpp (lexer and parser), kvRegExprAutomat.cpp (automaton and matching side).

#include <functional>
#include <memory>
#include <vector>

#include "rtl/Streams.h"
#include "toolkit/editors/kvEdit.h"
#include "toolkit/editors/kvEditUtils.h"

// Bounds that keep a user's mask from exhausting time, memory or the stack.
constexpr Integer kvRegExprMaxStates = 4096;  // positions plus block entries and exits
constexpr Integer kvRegExprMaxNesting = 64;   // blocks inside blocks, wrapped items included

// ---- Errors --------------------------------------------------------------------------------

struct TkvRegExprError {
  Integer Line = 0;
  Integer Column = 0;
  String Message;
  // "Line2, Char3: message"; the bare message for an error at line 0.
  String FullText() const;
};
using TkvRegExprErrors = std::vector<TkvRegExprError>;

// Carries its own copy of the errors, so a handler may read them after the expression is gone.
class EkvRegExprError : public EkvEditError {
 public:
  explicit EkvRegExprError(TkvRegExprErrors AErrors);
  const char* ClassName() const noexcept override { return "EkvRegExprError"; }
  const TkvRegExprErrors& Errors() const { return FErrors; }

 private:
  TkvRegExprErrors FErrors;
};

// ---- Character items -----------------------------------------------------------------------

class TkvRegExprItem {
 public:
  virtual ~TkvRegExprItem() = default;
  // May replace ch (a case-insensitive symbol gives the mask's own case).
  virtual bool Accepts(char32_t& ch, bool CaseInsensitive) const = 0;
  virtual std::unique_ptr<TkvRegExprItem> Copy() const = 0;
  // The one character this item stands for, when it is a literal (symbol or separator).
  virtual bool Literal(char32_t&) const { return false; }
};

class TkvRegExprSymbol : public TkvRegExprItem {
 public:
  explicit TkvRegExprSymbol(char32_t C) : FChar(C) {}
  bool Accepts(char32_t& ch, bool CaseInsensitive) const override;
  std::unique_ptr<TkvRegExprItem> Copy() const override;
  bool Literal(char32_t& c) const override { c = FChar; return true; }
  char32_t Char() const { return FChar; }

 private:
  char32_t FChar;
};

class TkvRegExprTimeSeparator : public TkvRegExprItem {
 public:
  bool Accepts(char32_t& ch, bool CaseInsensitive) const override;
  std::unique_ptr<TkvRegExprItem> Copy() const override;
  bool Literal(char32_t& c) const override;
};

class TkvRegExprDateSeparator : public TkvRegExprItem {
 public:
  bool Accepts(char32_t& ch, bool CaseInsensitive) const override;
  std::unique_ptr<TkvRegExprItem> Copy() const override;
  bool Literal(char32_t& c) const override;
};

// Never folds case.
class TkvRegExprSubrange : public TkvRegExprItem {
 public:
  TkvRegExprSubrange(char32_t Low, char32_t High) : FLow(Low), FHigh(High) {}
  bool Accepts(char32_t& ch, bool CaseInsensitive) const override;
  std::unique_ptr<TkvRegExprItem> Copy() const override;

 private:
  char32_t FLow, FHigh;
};

class TkvRegExprEnumeration : public TkvRegExprItem {
 public:
  explicit TkvRegExprEnumeration(bool Inverse) : FInverse(Inverse) {}
  bool Inverse() const { return FInverse; }

 protected:
  bool FInverse;
};

class TkvRegExprUserEnumeration : public TkvRegExprEnumeration {
 public:
  using TkvRegExprEnumeration::TkvRegExprEnumeration;
  bool Accepts(char32_t& ch, bool CaseInsensitive) const override;
  std::unique_ptr<TkvRegExprItem> Copy() const override;
  void Add(std::unique_ptr<TkvRegExprItem> Item) { FItems.push_back(std::move(Item)); }
  size_t Count() const { return FItems.size(); }

 private:
  std::vector<std::unique_ptr<TkvRegExprItem>> FItems;
};

class TkvRegExprDigit : public TkvRegExprEnumeration {
 public:
  using TkvRegExprEnumeration::TkvRegExprEnumeration;
  bool Accepts(char32_t& ch, bool CaseInsensitive) const override;
  std::unique_ptr<TkvRegExprItem> Copy() const override;
};

class TkvRegExprIdLetter : public TkvRegExprEnumeration {
 public:
  using TkvRegExprEnumeration::TkvRegExprEnumeration;
  bool Accepts(char32_t& ch, bool CaseInsensitive) const override;
  std::unique_ptr<TkvRegExprItem> Copy() const override;
};

class TkvRegExprSpace : public TkvRegExprEnumeration {
 public:
  using TkvRegExprEnumeration::TkvRegExprEnumeration;
  bool Accepts(char32_t& ch, bool CaseInsensitive) const override;
  std::unique_ptr<TkvRegExprItem> Copy() const override;
};

class TkvRegExprAll : public TkvRegExprItem {
 public:
  bool Accepts(char32_t& ch, bool CaseInsensitive) const override;
  std::unique_ptr<TkvRegExprItem> Copy() const override;
};

// ---- Quantifiers ---------------------------------------------------------------------------

class TkvRegExprQuantifier {
 public:
  virtual ~TkvRegExprQuantifier() = default;
  virtual bool AllowsNone() const = 0;
  virtual bool AllowsMany() const = 0;
  virtual std::unique_ptr<TkvRegExprQuantifier> Copy() const = 0;
  virtual String DebugText() const = 0;
};

class TkvRegExprSimpleQuantifier : public TkvRegExprQuantifier {
 public:
  bool AllowsNone() const override { return false; }
  bool AllowsMany() const override { return false; }
  std::unique_ptr<TkvRegExprQuantifier> Copy() const override;
  String DebugText() const override { return ""; }
};

class TkvRegExprQuestionQuantifier : public TkvRegExprQuantifier {
 public:
  bool AllowsNone() const override { return true; }
  bool AllowsMany() const override { return false; }
  std::unique_ptr<TkvRegExprQuantifier> Copy() const override;
  String DebugText() const override { return "?"; }
};

class TkvRegExprStarQuantifier : public TkvRegExprQuantifier {
 public:
  bool AllowsNone() const override { return true; }
  bool AllowsMany() const override { return true; }
  std::unique_ptr<TkvRegExprQuantifier> Copy() const override;
  String DebugText() const override { return "*"; }
};

class TkvRegExprPlusQuantifier : public TkvRegExprQuantifier {
 public:
  bool AllowsNone() const override { return false; }
  bool AllowsMany() const override { return true; }
  std::unique_ptr<TkvRegExprQuantifier> Copy() const override;
  String DebugText() const override { return "+"; }
};

// ---- States --------------------------------------------------------------------------------

class TkvRegExprState;

// An ordered set of states: a state is held once, at its first occurrence.
class TkvRegExprStates {
 public:
  void Add(TkvRegExprState* State);
  void AddAll(const TkvRegExprStates& Set);
  size_t Count() const { return FItems.size(); }
  TkvRegExprState* Item(size_t Index) const { return FItems[Index]; }
  const std::vector<TkvRegExprState*>& Items() const { return FItems; }
  bool Contains(const TkvRegExprState* State) const;

  // The positions that accept ch after a member; Visits counts the states looked at.
  TkvRegExprStates Step(char32_t& ch, bool CaseInsensitive, Integer& Visits) const;
  // The positions that could accept the next character.
  TkvRegExprStates PossibleNext() const;
  bool AnyFinal() const;
  // Every member is a literal position standing for the same character c.
  bool SingleLiteral(char32_t& c) const;

 private:
  std::vector<TkvRegExprState*> FItems;
};

class TkvRegExprState {
 public:
  virtual ~TkvRegExprState() = default;
  virtual bool IsBlock() const = 0;
  virtual bool IsFinal() const { return false; }
  void AddNext(TkvRegExprState* State) { FNext.push_back(State); }
  void AddNexts(const TkvRegExprStates& Set);
  const std::vector<TkvRegExprState*>& Next() const { return FNext; }

 private:
  std::vector<TkvRegExprState*> FNext;
};

// One position of the mask; the start state has no item.
class TkvRegExprSimpleState : public TkvRegExprState {
 public:
  explicit TkvRegExprSimpleState(std::unique_ptr<TkvRegExprItem> AItem = nullptr) : FItem(std::move(AItem)) {}
  bool IsBlock() const override { return false; }
  bool IsFinal() const override { return FFinal; }
  void MarkFinal() { FFinal = true; }
  TkvRegExprItem* Item() const { return FItem.get(); }
  std::unique_ptr<TkvRegExprSimpleState> Copy() const;

 private:
  std::unique_ptr<TkvRegExprItem> FItem;
  bool FFinal = false;
};

// The entry or the exit of a block, looked through while matching.
class TkvRegExprBlockState : public TkvRegExprState {
 public:
  bool IsBlock() const override { return true; }
};

// ---- Parse tree ----------------------------------------------------------------------------

class TkvRegExprParserItem;
struct TkvRegExprParserAlt {
  std::vector<std::unique_ptr<TkvRegExprParserItem>> Items;
};
struct TkvRegExprParserAlts {
  std::vector<std::unique_ptr<TkvRegExprParserAlt>> Alts;
  std::unique_ptr<TkvRegExprParserAlts> Copy() const;
  bool SomeAltMatchesEmpty() const;
};

class TkvRegExprParserItem {
 public:
  TkvRegExprParserItem();
  virtual ~TkvRegExprParserItem() = default;
  virtual bool MatchesEmpty() const = 0;
  virtual std::unique_ptr<TkvRegExprParserItem> Copy() const = 0;
  virtual String DebugText() const = 0;
  virtual void MarkFinal() = 0;
  virtual TkvRegExprState* Entry() const = 0;
  virtual TkvRegExprState* Exit() const = 0;
  // Positions and block states this item holds, and how deep its blocks nest.
  virtual Integer StateCount() const = 0;
  virtual Integer Height() const = 0;

  bool AllowsNone() const { return FQuantifier->AllowsNone(); }
  bool AllowsMany() const { return FQuantifier->AllowsMany(); }
  bool HasNoQuantifier() const;
  void ReplaceQuantifier(std::unique_ptr<TkvRegExprQuantifier> Q);
  const TkvRegExprQuantifier& Quantifier() const { return *FQuantifier; }

 protected:
  std::unique_ptr<TkvRegExprQuantifier> FQuantifier;
};

class TkvRegExprParserSimpleItem : public TkvRegExprParserItem {
 public:
  explicit TkvRegExprParserSimpleItem(std::unique_ptr<TkvRegExprItem> Item);
  bool MatchesEmpty() const override { return AllowsNone(); }
  std::unique_ptr<TkvRegExprParserItem> Copy() const override;
  String DebugText() const override;
  void MarkFinal() override { FState->MarkFinal(); }
  TkvRegExprState* Entry() const override { return FState.get(); }
  TkvRegExprState* Exit() const override { return FState.get(); }
  Integer StateCount() const override { return 1; }
  Integer Height() const override { return 0; }

 private:
  std::unique_ptr<TkvRegExprSimpleState> FState;
};

class TkvRegExprParserBlockItem : public TkvRegExprParserItem {
 public:
  TkvRegExprParserBlockItem();
  bool MatchesEmpty() const override;
  std::unique_ptr<TkvRegExprParserItem> Copy() const override;
  String DebugText() const override;
  void MarkFinal() override;
  TkvRegExprState* Entry() const override { return FEntry.get(); }
  TkvRegExprState* Exit() const override { return FExit.get(); }
  Integer StateCount() const override;
  Integer Height() const override;
  TkvRegExprParserAlts& Alts() { return *FAlts; }
  const TkvRegExprParserAlts& Alts() const { return *FAlts; }

 private:
  std::unique_ptr<TkvRegExprParserAlts> FAlts;
  std::unique_ptr<TkvRegExprBlockState> FEntry, FExit;
};

// ---- Automaton -----------------------------------------------------------------------------

class TkvRegExpr;

class TkvRegExprAutomat {
 public:
  TkvRegExprAutomat(std::unique_ptr<TkvRegExprParserAlts> Tree, TkvRegExpr* Owner);
  bool Advance(char32_t& ch, bool CaseInsensitive);
  bool StepBack();
  void Restart();
  bool AcceptsWhole() const { return FCurrent.AnyFinal(); }
  bool AtStart() const { return FCurrent.Count() > 0 && FCurrent.Item(0) == FStart.get(); }
  TkvRegExprStates PossibleNext() const { return FCurrent.PossibleNext(); }
  void CompleteForcedLiterals();
  void UndoForcedLiterals();
  void PushHistory(TkvRegExprStates Set) { FHistory.push_back(std::move(Set)); }
  bool PopHistory(TkvRegExprStates& Set);
  const TkvRegExprStates& Current() const { return FCurrent; }
  // States looked at by the last Advance.
  Integer LastVisits() const { return FLastVisits; }

 private:
  std::unique_ptr<TkvRegExprParserAlts> FTree;
  std::unique_ptr<TkvRegExprSimpleState> FStart;
  // The mask's states: no run of forced literals is longer.
  Integer FStateCount = 0;
  TkvRegExprStates FCurrent;
  std::vector<TkvRegExprStates> FHistory;
  TkvRegExpr* FOwner;
  Integer FLastVisits = 0;
};

// ---- The expression ------------------------------------------------------------------------

struct TkvLexem {
  Integer Column = 0;
  Byte Kind = 0;
  Integer Line = 0;
  String Text;
};

enum TkvLexemKind : Byte {
  lkLiteral, lkOperator, lkInteger, lkAnyChar, lkWordChar, lkNonWordChar, lkDigit, lkNonDigit,
  lkBlank, lkNonBlank, lkBlockReference, lkDateSeparator, lkTimeSeparator
};

class TkvRegExpr {
 public:
  TkvRegExpr();
  ~TkvRegExpr();
  TkvRegExpr(const TkvRegExpr&) = delete;
  TkvRegExpr& operator=(const TkvRegExpr&) = delete;

  // Compiles the mask text read from Stream; EkvRegExprError when the text has errors.
  void Compile(TStream* Stream);
  void Compile(const String& Mask);
  bool IsCompiled() const { return FCompiled; }
  // The compiled text, or none.
  TStream* CompiledSource();
  void ResetCompilation();
  bool GetCaseInsensitive() const { return FCaseInsensitive; }
  void SetCaseInsensitive(bool Value) { FCaseInsensitive = Value; }
  bool GetAutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool Value);
  const TkvRegExprErrors& Errors() const { return FErrors; }
  const std::vector<TkvLexem>& Lexems() const { return FLexems; }

  // Matching; each raises EkvEditError while the expression is not compiled. Ch is one
  // character, replaced by the mask's own on a case-insensitive literal match.
  bool Advance(String& Ch);
  bool StepBack();
  void Restart();
  bool AcceptsWhole();
  bool AtStart();
  void FeedText(const String& Text, String& Accepted);
  const TkvRegExprAutomat& Automat();

  std::function<void()> OnCharRemoved;
  std::function<void(const String& Ch)> OnCharAdded;

 private:
  friend class TkvRegExprAutomat;
  friend class TkvRegExprParser;
  void CheckCompiled() const;
  [[noreturn]] void RaiseErrors();

  std::unique_ptr<TStringStream> FSource;
  std::vector<TkvLexem> FLexems;
  TkvRegExprErrors FErrors;
  std::unique_ptr<TkvRegExprAutomat> FAutomat;
  bool FCompiled = false;
  bool FFirstCompilation = true;
  bool FCaseInsensitive = false;
  bool FAutoComplete = false;
};
