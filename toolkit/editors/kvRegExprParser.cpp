// The regular-expression mask compiler: the parse tree, the lexer and the parser.

#include <algorithm>

#include "rtl/FormatSettings.h"
#include "rtl/SysUtils.h"
#include "rtl/UnicodeCase.h"
#include "toolkit/editors/kvRegExpr.h"

// ---- Parse tree ----------------------------------------------------------------------------

TkvRegExprParserItem::TkvRegExprParserItem() : FQuantifier(std::make_unique<TkvRegExprSimpleQuantifier>()) {}

bool TkvRegExprParserItem::HasNoQuantifier() const {
  return dynamic_cast<const TkvRegExprSimpleQuantifier*>(FQuantifier.get()) != nullptr;
}

void TkvRegExprParserItem::ReplaceQuantifier(std::unique_ptr<TkvRegExprQuantifier> Q) {
  if (Q) FQuantifier = std::move(Q);
}

TkvRegExprParserSimpleItem::TkvRegExprParserSimpleItem(std::unique_ptr<TkvRegExprItem> Item)
    : FState(std::make_unique<TkvRegExprSimpleState>(std::move(Item))) {}

std::unique_ptr<TkvRegExprParserItem> TkvRegExprParserSimpleItem::Copy() const {
  auto copy = std::make_unique<TkvRegExprParserSimpleItem>(FState->Item()->Copy());
  copy->ReplaceQuantifier(FQuantifier->Copy());
  return copy;
}

String TkvRegExprParserSimpleItem::DebugText() const { return "item --> " + FQuantifier->DebugText() + "\r\n"; }

TkvRegExprParserBlockItem::TkvRegExprParserBlockItem()
    : FAlts(std::make_unique<TkvRegExprParserAlts>()),
      FEntry(std::make_unique<TkvRegExprBlockState>()),
      FExit(std::make_unique<TkvRegExprBlockState>()) {}

bool TkvRegExprParserBlockItem::MatchesEmpty() const { return AllowsNone() || FAlts->SomeAltMatchesEmpty(); }

std::unique_ptr<TkvRegExprParserItem> TkvRegExprParserBlockItem::Copy() const {
  auto copy = std::make_unique<TkvRegExprParserBlockItem>();
  copy->FAlts = FAlts->Copy();
  copy->ReplaceQuantifier(FQuantifier->Copy());
  return copy;
}

String TkvRegExprParserBlockItem::DebugText() const {
  String s = "<Start_Block>\r\n";
  for (const auto& alt : FAlts->Alts) {
    s += "<Start_Alt>\r\n";
    for (const auto& item : alt->Items) s += item->DebugText();
    s += "<Finish_Alt>\r\n";
  }
  return s + "<Finish_Block> --> " + FQuantifier->DebugText() + "\r\n";
}

void TkvRegExprParserBlockItem::MarkFinal() {
  for (const auto& alt : FAlts->Alts)
    for (auto it = alt->Items.rbegin(); it != alt->Items.rend(); ++it) {
      (*it)->MarkFinal();
      if (!(*it)->MatchesEmpty()) break;
    }
}

Integer TkvRegExprParserBlockItem::StateCount() const {
  Integer n = 2;
  for (const auto& alt : FAlts->Alts)
    for (const auto& item : alt->Items) n += item->StateCount();
  return n;
}

Integer TkvRegExprParserBlockItem::Height() const {
  Integer h = 0;
  for (const auto& alt : FAlts->Alts)
    for (const auto& item : alt->Items) h = std::max(h, item->Height());
  return h + 1;
}

std::unique_ptr<TkvRegExprParserAlts> TkvRegExprParserAlts::Copy() const {
  auto copy = std::make_unique<TkvRegExprParserAlts>();
  for (const auto& alt : Alts) {
    auto a = std::make_unique<TkvRegExprParserAlt>();
    for (const auto& item : alt->Items) a->Items.push_back(item->Copy());
    copy->Alts.push_back(std::move(a));
  }
  return copy;
}

bool TkvRegExprParserAlts::SomeAltMatchesEmpty() const {
  for (const auto& alt : Alts)
    if (std::all_of(alt->Items.begin(), alt->Items.end(), [](const auto& i) { return i->MatchesEmpty(); })) return true;
  return false;
}

// ---- Compiler ------------------------------------------------------------------------------

namespace {

bool IsBlank(char32_t c) { return c == ' ' || c == 0 || c == 9 || c == 10 || c == 12 || c == 13; }

// Thrown when a mask passes a bound; the compilation ends with the error already recorded.
struct TLimitReached {};

}  // namespace

class TkvRegExprParser {
 public:
  TkvRegExprParser(TkvRegExpr& Owner, const String& Text) : R(Owner) {
    // A byte that is not part of a well-formed sequence is no character of the mask.
    for (size_t pos = 0; pos < Text.size();) {
      const size_t start = pos;
      const char32_t c = Utf8Decode(Text, pos);
      if (pos - start > 1 || c < 0x80) FChars.push_back(c);
    }
  }
  bool OnlyBlanks() const { return std::all_of(FChars.begin(), FChars.end(), IsBlank); }
  void Tokenize();
  std::unique_ptr<TkvRegExprParserAlts> ParseExpression();

 private:
  void Error(Integer Line, Integer Column, Integer Ident, const String& Arg = String()) {
    String text = ResourceStringText(Ident);
    const size_t at = text.find("%s");
    if (at != String::npos) text.replace(at, 2, Arg);
    R.FErrors.push_back({Line, Column, text});
  }
  void Error(const TkvLexem& L, Integer Ident, const String& Arg = String()) { Error(L.Line, L.Column, Ident, Arg); }

  bool ReadChar(char32_t& ch);
  bool PeekChar(char32_t& ch, size_t Offset) const;
  void MakeLexem(Integer Line, Integer Column, Byte Kind, const String& Text) {
    R.FLexems.push_back({Column, Kind, Line, Text});
  }
  bool NextLexem(TkvLexem& L);
  void LexQuoted();
  void LexEscape(Integer Line, Integer Column);
  void LexHex(Integer Line, Integer Column);
  void LexClass();
  void LexCount();
  // The digits of a count, up to the first character that is none.
  void LexInteger();

  bool ParseAlternative(TkvRegExprParserAlt& Alt, bool TopLevel);
  void ParseBlock(TkvRegExprParserAlt& Alt);
  std::unique_ptr<TkvRegExprParserItem> ParseClass();
  bool ParseCount(const TkvLexem& Brace, Integer& N, Integer& M);
  void Quantify(TkvRegExprParserAlt& Alt, TkvRegExprParserItem*& Last, const TkvLexem& L,
                std::unique_ptr<TkvRegExprQuantifier> Q);
  void Count(TkvRegExprParserAlt& Alt, TkvRegExprParserItem*& Last, const TkvLexem& L, Integer N, Integer M);
  TkvRegExprParserItem* Append(TkvRegExprParserAlt& Alt, std::unique_ptr<TkvRegExprParserItem> Item,
                               const TkvLexem& L);
  void Replace(TkvRegExprParserAlt& Alt, TkvRegExprParserItem*& Last, std::unique_ptr<TkvRegExprParserItem> Item);
  void Grow(Integer States, const TkvLexem& L, Integer Ident, const String& Arg);

  TkvRegExpr& R;
  std::vector<char32_t> FChars;
  size_t FIndex = 0;
  Integer FLine = 1;
  Integer FColumn = 0;
  size_t FLexemIndex = 0;
  std::vector<TkvRegExprParserBlockItem*> FBlocks;
  Integer FStates = 0;
  Integer FDepth = 0;
};

bool TkvRegExprParser::ReadChar(char32_t& ch) {
  if (FIndex >= FChars.size()) return false;
  ch = FChars[FIndex++];
  if (ch == 13) ++FLine;
  if (ch == 10) FColumn = 0;
  else ++FColumn;
  return true;
}

bool TkvRegExprParser::PeekChar(char32_t& ch, size_t Offset) const {
  if (FIndex + Offset >= FChars.size()) return false;
  ch = FChars[FIndex + Offset];
  return true;
}

bool TkvRegExprParser::NextLexem(TkvLexem& L) {
  if (FLexemIndex >= R.FLexems.size()) return false;
  L = R.FLexems[FLexemIndex++];
  return true;
}

void TkvRegExprParser::Tokenize() {
  Integer depth = 0;
  char32_t ch;
  while (ReadChar(ch)) {
    if (IsBlank(ch)) continue;
    const Integer line = FLine, col = FColumn;
    const String text = Utf8Encode(ch);
    switch (ch) {
      case '\'': LexQuoted(); break;
      case '(': ++depth; MakeLexem(line, col, lkOperator, text); break;
      case ')': --depth; MakeLexem(line, col, lkOperator, text); break;
      case '*': case '+': case '?': case '|': MakeLexem(line, col, lkOperator, text); break;
      case '.': MakeLexem(line, col, lkAnyChar, text); break;
      case '/': MakeLexem(line, col, lkDateSeparator, text); break;
      case ':': MakeLexem(line, col, lkTimeSeparator, text); break;
      case '[': MakeLexem(line, col, lkOperator, text); LexClass(); break;
      case '{': MakeLexem(line, col, lkOperator, text); LexCount(); break;
      case '\\': LexEscape(line, col); break;
      default: MakeLexem(line, col, lkLiteral, text);
    }
  }
  if (depth > 0) Error(0, 0, skvRegExMissing, ")");
  if (depth < 0) Error(0, 0, skvRegExUnnecessary, ")");
}

void TkvRegExprParser::LexQuoted() {
  char32_t ch, next;
  while (ReadChar(ch)) {
    if (ch == '\'') {
      if (!PeekChar(next, 0) || next != '\'') return;
      MakeLexem(FLine, FColumn, lkLiteral, "'");
      ReadChar(next);
      continue;
    }
    MakeLexem(FLine, FColumn, lkLiteral, Utf8Encode(ch));
  }
  Error(FLine, FColumn + 1, skvRegExMissing, " ' ");
}

void TkvRegExprParser::LexEscape(Integer Line, Integer Column) {
  char32_t ch;
  if (!ReadChar(ch)) return;
  if (ch >= '1' && ch <= '9') return MakeLexem(Line, Column, lkBlockReference, Utf8Encode(ch));
  if (IsBlank(ch)) return Error(FLine, FColumn, skvRegExSpaceAfterBackslash);
  switch (ch) {
    case 'w': return MakeLexem(Line, Column, lkWordChar, "w");
    case 'W': return MakeLexem(Line, Column, lkNonWordChar, "W");
    case 'd': return MakeLexem(Line, Column, lkDigit, "d");
    case 'D': return MakeLexem(Line, Column, lkNonDigit, "D");
    case 's': return MakeLexem(Line, Column, lkBlank, "s");
    case 'S': return MakeLexem(Line, Column, lkNonBlank, "S");
    case 't': return MakeLexem(Line, Column, lkLiteral, "\t");
    case 'n': return MakeLexem(Line, Column, lkLiteral, "\n");
    case 'r': return MakeLexem(Line, Column, lkLiteral, "\r");
    case 'f': return MakeLexem(Line, Column, lkLiteral, "\f");
    case 'a': return MakeLexem(Line, Column, lkLiteral, "\a");
    case 'e': return MakeLexem(Line, Column, lkLiteral, "\x1b");
    case 'p': return MakeLexem(Line, Column, lkLiteral, String(1, FormatSettings.DecimalSeparator));
    case 'x': return LexHex(Line, Column);
    default: return MakeLexem(Line, Column, lkLiteral, Utf8Encode(ch));
  }
}

void TkvRegExprParser::LexHex(Integer Line, Integer Column) {
  char32_t code = 0;
  for (int i = 0; i < 2; ++i) {
    char32_t ch;
    if (!ReadChar(ch)) return Error(FLine, FColumn + 1, skvRegExHexExpected);
    int digit;
    if (ch >= '0' && ch <= '9') digit = int(ch - '0');
    else if (ch >= 'A' && ch <= 'F') digit = int(ch - 'A' + 10);
    else if (ch >= 'a' && ch <= 'f') digit = int(ch - 'a' + 10);
    else return Error(FLine, FColumn, skvRegExHexExpectedFound, Utf8Encode(ch));
    code = code * 16 + char32_t(digit);
  }
  MakeLexem(Line, Column, lkLiteral, Utf8Encode(code));
}

void TkvRegExprParser::LexClass() {
  char32_t ch;
  bool first = true;
  while (ReadChar(ch)) {
    if (IsBlank(ch)) continue;
    const Integer line = FLine, col = FColumn;
    const String text = Utf8Encode(ch);
    if (ch == '\\') LexEscape(line, col);
    else if (ch == '\'') LexQuoted();
    else if (ch == '/') MakeLexem(line, col, lkDateSeparator, text);
    else if (ch == ':') MakeLexem(line, col, lkTimeSeparator, text);
    else if (ch == ']') return MakeLexem(line, col, lkOperator, text);
    else if (first && ch == '^') MakeLexem(line, col, lkOperator, text);
    else if (!first && ch == '-') {
      char32_t next;
      bool more;
      while ((more = PeekChar(next, 0)) && IsBlank(next)) ReadChar(next);
      if (!more) {
        MakeLexem(line, col, lkOperator, text);
        break;
      }
      MakeLexem(line, col, next == ']' ? lkLiteral : lkOperator, text);
    } else {
      MakeLexem(line, col, lkLiteral, text);
    }
    first = false;
  }
  Error(FLine, FColumn + 1, skvRegExMissing, "]");
}

void TkvRegExprParser::LexInteger() {
  const Integer line = FLine, col = FColumn + 1;
  String digits;
  char32_t ch;
  while (PeekChar(ch, 0) && ch >= '0' && ch <= '9') {
    ReadChar(ch);
    digits += char(ch);
  }
  MakeLexem(line, col, lkInteger, digits);
}

void TkvRegExprParser::LexCount() {
  char32_t ch;
  while (PeekChar(ch, 0)) {
    if (ch >= '0' && ch <= '9') {
      LexInteger();
      continue;
    }
    ReadChar(ch);
    if (IsBlank(ch)) continue;
    if (ch == ',') MakeLexem(FLine, FColumn, lkOperator, ",");
    else if (ch == '}') return MakeLexem(FLine, FColumn, lkOperator, "}");
    else if (ch == '\'') Error(FLine, FColumn, skvRegExIllegal, " ' ");
    else Error(FLine, FColumn, skvRegExIllegal, Utf8Encode(ch));
  }
  Error(FLine, FColumn + 1, skvRegExMissing, "}");
}

// ---- Parser --------------------------------------------------------------------------------

std::unique_ptr<TkvRegExprParserAlts> TkvRegExprParser::ParseExpression() {
  auto tree = std::make_unique<TkvRegExprParserAlts>();
  try {
    bool more = true;
    while (more) {
      tree->Alts.push_back(std::make_unique<TkvRegExprParserAlt>());
      more = ParseAlternative(*tree->Alts.back(), true);
    }
  } catch (const TLimitReached&) {
  }
  if (!R.FErrors.empty()) return nullptr;
  return tree;
}

// Counts the states an addition brings before it is made, refusing what passes the bound.
void TkvRegExprParser::Grow(Integer States, const TkvLexem& L, Integer Ident, const String& Arg) {
  if (States > kvRegExprMaxStates - FStates) {
    Error(L, Ident, Arg);
    throw TLimitReached();
  }
  FStates += States;
}

TkvRegExprParserItem* TkvRegExprParser::Append(TkvRegExprParserAlt& Alt, std::unique_ptr<TkvRegExprParserItem> Item,
                                               const TkvLexem& L) {
  Grow(Item->StateCount(), L, skvRegExIllegal, L.Text);
  Alt.Items.push_back(std::move(Item));
  return Alt.Items.back().get();
}

void TkvRegExprParser::Replace(TkvRegExprParserAlt& Alt, TkvRegExprParserItem*& Last,
                               std::unique_ptr<TkvRegExprParserItem> Item) {
  for (auto& slot : Alt.Items)
    if (slot.get() == Last) {
      FStates -= slot->StateCount();
      slot = std::move(Item);
      Last = slot.get();
      FStates += Last->StateCount();
      return;
    }
}

bool TkvRegExprParser::ParseAlternative(TkvRegExprParserAlt& Alt, bool TopLevel) {
  TkvRegExprParserItem* last = nullptr;
  TkvLexem L;
  if (!NextLexem(L)) {
    Error(0, 0, skvRegExEmptyAlternative);
    return false;
  }
  if (L.Kind == lkOperator && L.Text == "|") {
    Error(L, skvRegExEmptyAlternative);
    return true;
  }
  if (!TopLevel && L.Kind == lkOperator && L.Text == ")") {
    Error(L, skvRegExEmptyBlock);
    return false;
  }
  do {
    auto simple = [&](std::unique_ptr<TkvRegExprItem> item) {
      last = Append(Alt, std::make_unique<TkvRegExprParserSimpleItem>(std::move(item)), L);
    };
    switch (L.Kind) {
      case lkLiteral: {
        size_t pos = 0;
        simple(std::make_unique<TkvRegExprSymbol>(Utf8Decode(L.Text, pos)));
        break;
      }
      case lkAnyChar: simple(std::make_unique<TkvRegExprAll>()); break;
      case lkWordChar: simple(std::make_unique<TkvRegExprIdLetter>(false)); break;
      case lkNonWordChar: simple(std::make_unique<TkvRegExprIdLetter>(true)); break;
      case lkDigit: simple(std::make_unique<TkvRegExprDigit>(false)); break;
      case lkNonDigit: simple(std::make_unique<TkvRegExprDigit>(true)); break;
      case lkBlank: simple(std::make_unique<TkvRegExprSpace>(false)); break;
      case lkNonBlank: simple(std::make_unique<TkvRegExprSpace>(true)); break;
      case lkDateSeparator: simple(std::make_unique<TkvRegExprDateSeparator>()); break;
      case lkTimeSeparator: simple(std::make_unique<TkvRegExprTimeSeparator>()); break;
      case lkInteger: Error(L, skvRegExIllegalInteger); break;
      case lkBlockReference: {
        const size_t n = size_t(L.Text[0] - '0');
        if (n - 1 < FBlocks.size()) {
          const TkvRegExprParserBlockItem* block = FBlocks[n - 1];
          if (FDepth + block->Height() > kvRegExprMaxNesting) {
            Error(L, skvRegExIllegal, "\\" + L.Text);
            throw TLimitReached();
          }
          last = Append(Alt, block->Copy(), L);
        } else {
          Error(L, skvRegExTooBigReference);
        }
        break;
      }
      case lkOperator: {
        const String& op = L.Text;
        if (op == "(") {
          ParseBlock(Alt);
          last = Alt.Items.back().get();
        } else if (op == "[") {
          last = Append(Alt, ParseClass(), L);
        } else if (op == ")") {
          if (!TopLevel) return false;
          Error(L, skvRegExIllegal, op);
        } else if (op == "|") {
          return true;
        } else if (op == "*" || op == "+" || op == "?") {
          if (!last) Error(L, skvRegExIllegalQuantifier, op);
          else if (op == "*" && last->MatchesEmpty()) Error(L, skvRegExStarNotApplicable);
          else if (op == "+" && last->MatchesEmpty()) Error(L, skvRegExPlusNotApplicable);
          else if (op == "*") Quantify(Alt, last, L, std::make_unique<TkvRegExprStarQuantifier>());
          else if (op == "+") Quantify(Alt, last, L, std::make_unique<TkvRegExprPlusQuantifier>());
          else Quantify(Alt, last, L, std::make_unique<TkvRegExprQuestionQuantifier>());
        } else if (op == "{") {
          Integer n, m;
          if (!last) Error(L, skvRegExIncorrectParameterQuantifier);
          else if (ParseCount(L, n, m)) Count(Alt, last, L, n, m);
        } else if (op == "-" || op == "]" || op == "}") {
          Error(L, skvRegExIllegal, op);
        }
        break;
      }
    }
  } while (NextLexem(L));
  return false;
}

void TkvRegExprParser::ParseBlock(TkvRegExprParserAlt& Alt) {
  const TkvLexem open = R.FLexems[FLexemIndex - 1];
  if (FDepth >= kvRegExprMaxNesting) {
    Error(open, skvRegExIllegal, "(");
    throw TLimitReached();
  }
  auto owned = std::make_unique<TkvRegExprParserBlockItem>();
  TkvRegExprParserBlockItem* block = owned.get();
  Append(Alt, std::move(owned), open);
  FBlocks.push_back(block);
  ++FDepth;
  bool more = true;
  while (more) {
    block->Alts().Alts.push_back(std::make_unique<TkvRegExprParserAlt>());
    more = ParseAlternative(*block->Alts().Alts.back(), false);
  }
  --FDepth;
}

std::unique_ptr<TkvRegExprParserItem> TkvRegExprParser::ParseClass() {
  TkvLexem C;
  bool inverse = false;
  bool have = NextLexem(C);
  if (have && C.Kind == lkOperator && C.Text == "^") {
    inverse = true;
    have = NextLexem(C);
  }
  auto set = std::make_unique<TkvRegExprUserEnumeration>(inverse);
  auto isOp = [](const TkvLexem& l, const char* t) { return l.Kind == lkOperator && l.Text == t; };
  auto first = [](const TkvLexem& l) {
    size_t pos = 0;
    return Utf8Decode(l.Text, pos);
  };
  if (have && isOp(C, "]")) {
    Error(C, skvRegExEmptyEnumeration);
    have = false;
  }
  while (have && !isOp(C, "]")) {
    TkvLexem N;
    have = NextLexem(N);
    if (have && isOp(N, "-")) {
      TkvLexem E;
      if (!NextLexem(E)) break;
      if (first(C) < first(E)) set->Add(std::make_unique<TkvRegExprSubrange>(first(C), first(E)));
      else Error(E, skvRegExSubrangeOrder);
      have = NextLexem(C);
      while (have && isOp(C, "-")) {
        Error(C, skvRegExIllegal, "-");
        have = NextLexem(C);
      }
      continue;
    }
    switch (C.Kind) {
      case lkWordChar: set->Add(std::make_unique<TkvRegExprIdLetter>(false)); break;
      case lkNonWordChar: set->Add(std::make_unique<TkvRegExprIdLetter>(true)); break;
      case lkDigit: set->Add(std::make_unique<TkvRegExprDigit>(false)); break;
      case lkNonDigit: set->Add(std::make_unique<TkvRegExprDigit>(true)); break;
      case lkBlank: set->Add(std::make_unique<TkvRegExprSpace>(false)); break;
      case lkNonBlank: set->Add(std::make_unique<TkvRegExprSpace>(true)); break;
      case lkDateSeparator: set->Add(std::make_unique<TkvRegExprDateSeparator>()); break;
      case lkTimeSeparator: set->Add(std::make_unique<TkvRegExprTimeSeparator>()); break;
      case lkAnyChar: set->Add(std::make_unique<TkvRegExprAll>()); break;
      default: set->Add(std::make_unique<TkvRegExprSymbol>(first(C)));
    }
    C = N;
  }
  return std::make_unique<TkvRegExprParserSimpleItem>(std::move(set));
}

bool TkvRegExprParser::ParseCount(const TkvLexem& Brace, Integer& N, Integer& M) {
  auto integer = [&](const TkvLexem& l, Integer& value) {
    Int64 v = 0;
    for (char c : l.Text) {
      v = v * 10 + (c - '0');
      if (v > 0x7FFFFFFF) {
        Error(l, skvRegExIllegalInteger);
        return false;
      }
    }
    value = Integer(v);
    return true;
  };
  auto broken = [&](const TkvLexem& at) {
    Error(at, skvRegExIncorrectParameterQuantifier);
    --FLexemIndex;  // the lexeme that broke the form is parsed normally
    return false;
  };
  TkvLexem L;
  if (!NextLexem(L)) return Error(Brace, skvRegExIncorrectParameterQuantifier), false;
  if (L.Kind != lkInteger) return broken(L);
  if (!integer(L, N)) return false;
  if (!NextLexem(L)) return Error(Brace, skvRegExIncorrectParameterQuantifier), false;
  if (L.Kind == lkOperator && L.Text == "}") {
    M = N;
    return true;
  }
  if (!(L.Kind == lkOperator && L.Text == ",")) return broken(L);
  if (!NextLexem(L)) return Error(Brace, skvRegExIncorrectParameterQuantifier), false;
  if (L.Kind == lkOperator && L.Text == "}") {
    M = -1;
    return true;
  }
  if (L.Kind != lkInteger) return broken(L);
  if (!integer(L, M)) return false;
  if (M < N) return Error(L, skvRegExIncorrectParameterQuantifier), false;
  if (!NextLexem(L)) return Error(Brace, skvRegExIncorrectParameterQuantifier), false;
  if (!(L.Kind == lkOperator && L.Text == "}")) return broken(L);
  return true;
}

void TkvRegExprParser::Quantify(TkvRegExprParserAlt& Alt, TkvRegExprParserItem*& Last, const TkvLexem& L,
                                std::unique_ptr<TkvRegExprQuantifier> Q) {
  if (Last->HasNoQuantifier()) return Last->ReplaceQuantifier(std::move(Q));
  if (FDepth + Last->Height() + 1 > kvRegExprMaxNesting) {
    Error(L, skvRegExIllegalQuantifier, L.Text);
    throw TLimitReached();
  }
  Grow(2, L, skvRegExIllegalQuantifier, L.Text);
  auto block = std::make_unique<TkvRegExprParserBlockItem>();
  block->ReplaceQuantifier(std::move(Q));
  for (auto& slot : Alt.Items)
    if (slot.get() == Last) {
      block->Alts().Alts.emplace_back(std::make_unique<TkvRegExprParserAlt>())->Items.push_back(std::move(slot));
      slot = std::move(block);
      Last = slot.get();
      return;
    }
}

void TkvRegExprParser::Count(TkvRegExprParserAlt& Alt, TkvRegExprParserItem*& Last, const TkvLexem& L,
                             Integer N, Integer M) {
  if (Last->AllowsNone() || (M < 0 && Last->MatchesEmpty())) return Error(L, skvRegExParameterQuantifierNotApplicable);
  const Int64 size = Last->StateCount();
  const Int64 copies = Int64(N) + (M < 0 ? 1 : 0) + (M > N ? Int64(M) - N : 0);
  const Int64 chainBlocks = Int64(M) > Int64(N) + 1 ? Int64(M) - N - 1 : 0;
  const Int64 added = 2 + copies * size + 2 * chainBlocks - size;
  if (added > kvRegExprMaxStates - FStates) {
    Error(L, skvRegExIncorrectParameterQuantifier);
    throw TLimitReached();
  }
  if (FDepth + Last->Height() + 1 + chainBlocks > kvRegExprMaxNesting) {
    Error(L, skvRegExIncorrectParameterQuantifier);
    throw TLimitReached();
  }
  auto block = std::make_unique<TkvRegExprParserBlockItem>();
  auto& items = block->Alts().Alts.emplace_back(std::make_unique<TkvRegExprParserAlt>())->Items;
  for (Integer i = 0; i < N; ++i) items.push_back(Last->Copy());
  if (M < 0) {
    items.push_back(Last->Copy());
    items.back()->ReplaceQuantifier(std::make_unique<TkvRegExprStarQuantifier>());
  }
  // The optional chain, built from its innermost copy outwards.
  std::unique_ptr<TkvRegExprParserItem> chain;
  for (Integer i = 0; i < M - N; ++i) {
    if (!chain) {
      chain = Last->Copy();
      chain->ReplaceQuantifier(std::make_unique<TkvRegExprQuestionQuantifier>());
      continue;
    }
    auto outer = std::make_unique<TkvRegExprParserBlockItem>();
    outer->ReplaceQuantifier(std::make_unique<TkvRegExprQuestionQuantifier>());
    auto& alt = outer->Alts().Alts.emplace_back(std::make_unique<TkvRegExprParserAlt>())->Items;
    alt.push_back(Last->Copy());
    alt.push_back(std::move(chain));
    chain = std::move(outer);
  }
  if (chain) items.push_back(std::move(chain));
  Replace(Alt, Last, std::move(block));
}

// ---- TkvRegExpr: compilation ---------------------------------------------------------------

TkvRegExpr::TkvRegExpr() = default;
TkvRegExpr::~TkvRegExpr() = default;

// A failed compilation keeps only its errors.
void TkvRegExpr::RaiseErrors() {
  FLexems.clear();
  FSource.reset();
  throw EkvRegExprError(FErrors);
}

void TkvRegExpr::Compile(const String& Mask) {
  TStringStream stream(Mask);
  Compile(&stream);
}

void TkvRegExpr::Compile(TStream* Stream) {
  if (FFirstCompilation) FFirstCompilation = false;
  else ResetCompilation();
  if (!Stream) {
    FErrors.push_back({0, 0, ResourceStringText(skvEditSourceStreamUnassigned)});
    RaiseErrors();
  }
  FSource = std::make_unique<TStringStream>();
  Stream->SetPosition(0);
  FSource->CopyFrom(Stream, 0);
  const String text = FSource->GetDataString();
  TkvRegExprParser parser(*this, text);
  if (parser.OnlyBlanks()) {
    FErrors.push_back({0, 0, ResourceStringText(skvEditSourceStreamEmpty)});
    RaiseErrors();
  }
  parser.Tokenize();
  if (!FErrors.empty()) RaiseErrors();
  auto tree = parser.ParseExpression();
  if (!tree) RaiseErrors();
  FAutomat = std::make_unique<TkvRegExprAutomat>(std::move(tree), this);
  FCompiled = true;
  if (FAutoComplete) FAutomat->CompleteForcedLiterals();
}

TStream* TkvRegExpr::CompiledSource() {
  if (!FCompiled) return nullptr;
  FSource->SetPosition(0);
  return FSource.get();
}

void TkvRegExpr::ResetCompilation() {
  FSource.reset();
  FErrors.clear();
  FLexems.clear();
  FAutomat.reset();
  FCompiled = false;
}
