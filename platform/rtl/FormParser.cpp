#include "rtl/FormParser.h"

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace {

enum class TToken { End, Ident, Integer, Float, String, Symbol };

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

void AppendUtf8(String& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

class TFormLexer {
 public:
  explicit TFormLexer(const String& text) : FText(text) { Next(); }

  TToken Token() const { return FToken; }
  const String& TokenText() const { return FTokenText; }  // identifier, symbol or decoded string
  Int64 IntValue() const { return FIntValue; }
  Double FloatValue() const { return FFloatValue; }
  Integer TokenLine() const { return FTokenLine; }

  bool IsSymbol(char c) const { return FToken == TToken::Symbol && FTokenText[0] == c; }
  bool IsKeyword(std::string_view word) const { return FToken == TToken::Ident && SameText(FTokenText, word); }

  [[noreturn]] void Error(const String& what) const {
    throw EParserError(what + " on line " + std::to_string(FTokenLine));
  }

  void Next();
  // Reads the hex digits of a binary value up to its closing brace; the opening brace is the
  // current token. Leaves the token after the brace current.
  String ReadBinary();

 private:
  char Peek(size_t ahead = 0) const { return FPos + ahead < FText.size() ? FText[FPos + ahead] : '\0'; }
  bool AtEnd() const { return FPos >= FText.size(); }
  void SkipBlanks();
  void ReadNumber();
  void ReadString();

  const String& FText;
  size_t FPos = 0;
  Integer FLine = 1;
  TToken FToken = TToken::End;
  String FTokenText;
  Int64 FIntValue = 0;
  Double FFloatValue = 0;
  Integer FTokenLine = 1;
};

void TFormLexer::SkipBlanks() {
  while (!AtEnd()) {
    char c = FText[FPos];
    if (c == '\n') {
      ++FLine;
    } else if (c != ' ' && c != '\t' && c != '\r') {
      return;
    }
    ++FPos;
  }
}

void TFormLexer::Next() {
  SkipBlanks();
  FTokenLine = FLine;
  FTokenText.clear();
  if (AtEnd()) {
    FToken = TToken::End;
    return;
  }
  char c = FText[FPos];
  if (IsIdentStart(c)) {
    // Dotted names (Font.Style, Frame1.Panel1) are one token.
    size_t start = FPos;
    while (IsIdentChar(Peek()) || (Peek() == '.' && IsIdentStart(Peek(1)))) ++FPos;
    FTokenText.assign(FText, start, FPos - start);
    FToken = TToken::Ident;
  } else if (IsDigit(c) || c == '$' || ((c == '-' || c == '+') && (IsDigit(Peek(1)) || Peek(1) == '$'))) {
    ReadNumber();
  } else if (c == '\'' || c == '#') {
    ReadString();
  } else if (std::string_view("=:[](){}<>,+").find(c) != std::string_view::npos) {
    FTokenText.assign(1, c);
    FToken = TToken::Symbol;
    ++FPos;
  } else {
    Error("Invalid character");
  }
}

void TFormLexer::ReadNumber() {
  size_t start = FPos;
  bool negative = false;
  if (Peek() == '-' || Peek() == '+') {
    negative = Peek() == '-';
    ++FPos;
  }
  if (Peek() == '$') {
    ++FPos;
    uint64_t value = 0;
    int digits = 0;
    for (int d; (d = HexDigit(Peek())) >= 0; ++FPos, ++digits) {
      if (value >> 60) Error("Invalid numeric value");
      value = value << 4 | static_cast<uint64_t>(d);
    }
    if (digits == 0 || IsIdentChar(Peek())) Error("Invalid numeric value");
    if (value > static_cast<uint64_t>(std::numeric_limits<Int64>::max())) Error("Invalid numeric value");
    FIntValue = negative ? -static_cast<Int64>(value) : static_cast<Int64>(value);
    FToken = TToken::Integer;
    return;
  }
  bool isFloat = false;
  while (IsDigit(Peek())) ++FPos;
  if (Peek() == '.' && IsDigit(Peek(1))) {
    isFloat = true;
    ++FPos;
    while (IsDigit(Peek())) ++FPos;
  }
  if ((Peek() == 'E' || Peek() == 'e') &&
      (IsDigit(Peek(1)) || ((Peek(1) == '-' || Peek(1) == '+') && IsDigit(Peek(2))))) {
    isFloat = true;
    FPos += 2;
    while (IsDigit(Peek())) ++FPos;
  }
  if (IsIdentChar(Peek()) || Peek() == '.') Error("Invalid numeric value");
  String digits(FText, start, FPos - start);
  errno = 0;
  char* end = nullptr;
  if (isFloat) {
    FFloatValue = std::strtod(digits.c_str(), &end);
    FToken = TToken::Float;
  } else {
    FIntValue = std::strtoll(digits.c_str(), &end, 10);
    FToken = TToken::Integer;
  }
  if (errno == ERANGE || end != digits.c_str() + digits.size()) Error("Invalid numeric value");
}

// A string token is a run of quoted parts and #n character codes with nothing between them:
// 'it''s'#13#10'next'. Codes below 128 are bytes; higher codes are characters, stored as UTF-8.
void TFormLexer::ReadString() {
  FToken = TToken::String;
  for (;;) {
    if (Peek() == '\'') {
      ++FPos;
      for (;;) {
        if (AtEnd() || Peek() == '\n' || Peek() == '\r') Error("Unterminated string");
        if (Peek() == '\'') {
          if (Peek(1) != '\'') break;
          ++FPos;
        }
        FTokenText += FText[FPos++];
      }
      ++FPos;
    } else if (Peek() == '#') {
      ++FPos;
      uint32_t code = 0;
      int digits = 0;
      if (Peek() == '$') {
        ++FPos;
        for (int d; (d = HexDigit(Peek())) >= 0 && digits < 7; ++FPos, ++digits) code = code << 4 | static_cast<uint32_t>(d);
      } else {
        for (; IsDigit(Peek()) && digits < 8; ++FPos, ++digits) code = code * 10 + static_cast<uint32_t>(Peek() - '0');
      }
      if (digits == 0 || IsIdentChar(Peek()) || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        Error("Invalid string constant");
      }
      AppendUtf8(FTokenText, code);
    } else {
      return;
    }
  }
}

String TFormLexer::ReadBinary() {
  String bytes;
  for (;;) {
    SkipBlanks();
    FTokenLine = FLine;
    if (AtEnd()) Error("Invalid binary value");
    if (Peek() == '}') {
      ++FPos;
      break;
    }
    int high = HexDigit(Peek());
    int low = HexDigit(Peek(1));
    if (high < 0 || low < 0) Error("Invalid binary value");
    bytes += static_cast<char>(high << 4 | low);
    FPos += 2;
  }
  Next();
  return bytes;
}

class TFormParser {
 public:
  explicit TFormParser(const String& text) : FLexer(text) {}

  TFormObject ParseRoot() {
    TFormObject root = ParseObject(0);
    if (FLexer.Token() != TToken::End) FLexer.Error("End of text expected");
    return root;
  }

 private:
  TFormObject ParseObject(int depth);
  TFormProperty ParseProperty(int valueDepth);
  TFormValue ParseValue(int valueDepth);
  String ExpectIdent();
  String ExpectPlainIdent();
  void ExpectSymbol(char c);
  void CheckDepth(int depth) const {
    if (depth > FormMaxNesting) FLexer.Error("Nesting too deep");
  }

  bool AtObjectStart() const {
    return FLexer.IsKeyword("object") || FLexer.IsKeyword("inherited") || FLexer.IsKeyword("inline");
  }

  TFormLexer FLexer;
};

String TFormParser::ExpectIdent() {
  if (FLexer.Token() != TToken::Ident) FLexer.Error("Identifier expected");
  String name = FLexer.TokenText();
  FLexer.Next();
  return name;
}

// Component and class names are single identifiers, never dotted paths.
String TFormParser::ExpectPlainIdent() {
  if (FLexer.Token() == TToken::Ident && FLexer.TokenText().find('.') != String::npos) {
    FLexer.Error("Invalid component name");
  }
  return ExpectIdent();
}

void TFormParser::ExpectSymbol(char c) {
  if (!FLexer.IsSymbol(c)) FLexer.Error(String("'") + c + "' expected");
  FLexer.Next();
}

TFormObject TFormParser::ParseObject(int depth) {
  CheckDepth(depth);
  TFormObject object;
  object.Line = FLexer.TokenLine();
  if (FLexer.IsKeyword("object")) {
    object.Kind = TFormObjectKind::Object;
  } else if (FLexer.IsKeyword("inherited")) {
    object.Kind = TFormObjectKind::Inherited;
  } else if (FLexer.IsKeyword("inline")) {
    object.Kind = TFormObjectKind::Inline;
  } else {
    FLexer.Error("'object' expected");
  }
  FLexer.Next();
  String first = ExpectPlainIdent();
  if (FLexer.IsSymbol(':')) {
    FLexer.Next();
    object.Name = std::move(first);
    object.ClassName = ExpectPlainIdent();
  } else {
    object.ClassName = std::move(first);
  }
  while (!FLexer.IsKeyword("end")) {
    if (FLexer.Token() == TToken::End) FLexer.Error("'end' expected");
    if (AtObjectStart()) {
      object.Children.push_back(ParseObject(depth + 1));
    } else if (!object.Children.empty()) {
      FLexer.Error("'end' expected");  // properties come before the children
    } else {
      object.Properties.push_back(ParseProperty(0));
    }
  }
  FLexer.Next();
  return object;
}

TFormProperty TFormParser::ParseProperty(int valueDepth) {
  TFormProperty property;
  property.Line = FLexer.TokenLine();
  property.Name = ExpectIdent();
  ExpectSymbol('=');
  property.Value = ParseValue(valueDepth);
  return property;
}

TFormValue TFormParser::ParseValue(int valueDepth) {
  CheckDepth(valueDepth);
  Integer line = FLexer.TokenLine();
  TFormValue value;
  switch (FLexer.Token()) {
    case TToken::Integer:
      value = TFormValue::OfInteger(FLexer.IntValue());
      FLexer.Next();
      break;
    case TToken::Float:
      value = TFormValue::OfFloat(FLexer.FloatValue());
      FLexer.Next();
      break;
    case TToken::String: {
      String text = FLexer.TokenText();
      FLexer.Next();
      while (FLexer.IsSymbol('+')) {
        FLexer.Next();
        if (FLexer.Token() != TToken::String) FLexer.Error("String expected");
        text += FLexer.TokenText();
        FLexer.Next();
      }
      value = TFormValue::OfString(std::move(text));
      break;
    }
    case TToken::Ident:
      if (FLexer.IsKeyword("end")) FLexer.Error("Invalid property value");  // the value is missing
      value = TFormValue::OfIdent(FLexer.TokenText());
      FLexer.Next();
      break;
    case TToken::Symbol:
      if (FLexer.IsSymbol('[')) {
        FLexer.Next();
        std::vector<String> elements;
        if (!FLexer.IsSymbol(']')) {
          elements.push_back(ExpectIdent());
          while (FLexer.IsSymbol(',')) {
            FLexer.Next();
            elements.push_back(ExpectIdent());
          }
        }
        ExpectSymbol(']');
        value = TFormValue::OfSet(std::move(elements));
      } else if (FLexer.IsSymbol('{')) {
        value = TFormValue::OfBinary(FLexer.ReadBinary());
      } else if (FLexer.IsSymbol('(')) {
        FLexer.Next();
        value = TFormValue::OfList({});
        while (!FLexer.IsSymbol(')')) value.Items.push_back(ParseValue(valueDepth + 1));
        FLexer.Next();
      } else if (FLexer.IsSymbol('<')) {
        FLexer.Next();
        value = TFormValue::OfCollection();
        while (!FLexer.IsSymbol('>')) {
          TFormCollectionItem item;
          item.Line = FLexer.TokenLine();
          if (!FLexer.IsKeyword("item")) FLexer.Error("'item' expected");
          FLexer.Next();
          while (!FLexer.IsKeyword("end")) item.Properties.push_back(ParseProperty(valueDepth + 1));
          FLexer.Next();
          value.CollectionItems.push_back(std::move(item));
        }
        FLexer.Next();
      } else {
        FLexer.Error("Invalid property value");
      }
      break;
    case TToken::End:
      FLexer.Error("Invalid property value");
  }
  value.Line = line;
  return value;
}

}  // namespace

TFormObject ParseFormText(const String& text) { return TFormParser(text).ParseRoot(); }
