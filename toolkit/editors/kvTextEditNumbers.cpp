// Thousand separators in the texts of numeric editors.

#include <cctype>

#include "toolkit/editors/kvTextEdit.h"

String SplitExponent(String& Text) {
  size_t at = Text.find_first_of("eE");
  if (at == String::npos) return String();
  String exponent = Text.substr(at);
  Text.erase(at);
  return exponent;
}

String StripThousandSeparators(const String& Text, const TFormatSettings& Settings) {
  if (Settings.ThousandSeparator == '\0') return Text;
  String result;
  for (Char c : Text)
    if (c != Settings.ThousandSeparator) result += c;
  return result;
}

String InsertThousandSeparators(const String& Text, const TFormatSettings& Settings) {
  size_t first = Text.find_first_not_of(' ');
  if (first == String::npos || Settings.ThousandSeparator == '\0') return Text;
  size_t last = Text.find_last_not_of(' ');
  String number = Text.substr(first, last - first + 1);
  String exponent = SplitExponent(number);
  number = StripThousandSeparators(number, Settings);
  size_t point = number.find(Settings.DecimalSeparator);
  size_t at = point == String::npos ? number.size() : point;
  auto isDigit = [](Char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
  // Walk left by three digits while a digit still stands before the insertion point.
  while (at > 3 && isDigit(number[at - 1]) && isDigit(number[at - 2]) && isDigit(number[at - 3]) &&
         isDigit(number[at - 4])) {
    at -= 3;
    number.insert(at, 1, Settings.ThousandSeparator);
  }
  return Text.substr(0, first) + number + exponent + Text.substr(last + 1);
}
