#include "rtl/FormPrinter.h"

#include <charconv>

namespace {

constexpr size_t kBytesPerLine = 32;

class TFormPrinter {
 public:
  String Take() { return std::move(FOut); }
  void PrintObject(const TFormObject& object, int level);

 private:
  void Indent(int level) { FOut.append(static_cast<size_t>(level) * 2, ' '); }
  void PrintProperties(const std::vector<TFormProperty>& properties, int level);
  void PrintValue(const TFormValue& value, int level);
  void PrintString(const String& text);
  void PrintFloat(Double value);

  String FOut;
};

void TFormPrinter::PrintObject(const TFormObject& object, int level) {
  Indent(level);
  switch (object.Kind) {
    case TFormObjectKind::Object: FOut += "object "; break;
    case TFormObjectKind::Inherited: FOut += "inherited "; break;
    case TFormObjectKind::Inline: FOut += "inline "; break;
  }
  if (!object.Name.empty()) FOut += object.Name + ": ";
  FOut += object.ClassName + "\n";
  PrintProperties(object.Properties, level + 1);
  for (const TFormObject& child : object.Children) PrintObject(child, level + 1);
  Indent(level);
  FOut += "end\n";
}

void TFormPrinter::PrintProperties(const std::vector<TFormProperty>& properties, int level) {
  for (const TFormProperty& property : properties) {
    Indent(level);
    FOut += property.Name + " = ";
    PrintValue(property.Value, level);
    FOut += '\n';
  }
}

// Multi-line values (lists, collections, binary data) continue on the following lines one level
// deeper than the property and end with their closing bracket on the last line.
void TFormPrinter::PrintValue(const TFormValue& value, int level) {
  switch (value.Kind) {
    case TFormValueKind::Integer:
      FOut += std::to_string(value.IntValue);
      break;
    case TFormValueKind::Float:
      PrintFloat(value.FloatValue);
      break;
    case TFormValueKind::String:
      PrintString(value.Text);
      break;
    case TFormValueKind::Ident:
      FOut += value.Text;
      break;
    case TFormValueKind::Set:
      FOut += '[';
      for (size_t i = 0; i < value.SetElements.size(); ++i) {
        if (i > 0) FOut += ", ";
        FOut += value.SetElements[i];
      }
      FOut += ']';
      break;
    case TFormValueKind::Binary: {
      static const char kHex[] = "0123456789ABCDEF";
      FOut += '{';
      for (size_t i = 0; i < value.Bytes.size(); ++i) {
        if (i % kBytesPerLine == 0) {
          FOut += '\n';
          Indent(level + 1);
        }
        auto byte = static_cast<unsigned char>(value.Bytes[i]);
        FOut += kHex[byte >> 4];
        FOut += kHex[byte & 15];
      }
      FOut += '}';
      break;
    }
    case TFormValueKind::List:
      FOut += '(';
      for (const TFormValue& item : value.Items) {
        FOut += '\n';
        Indent(level + 1);
        PrintValue(item, level + 1);
      }
      FOut += ')';
      break;
    case TFormValueKind::Collection:
      FOut += '<';
      for (const TFormCollectionItem& item : value.CollectionItems) {
        FOut += '\n';
        Indent(level + 1);
        FOut += "item\n";
        PrintProperties(item.Properties, level + 2);
        Indent(level + 1);
        FOut += "end";
      }
      FOut += '>';
      break;
  }
}

// Printable characters go between quotes; control characters become #n codes outside them.
void TFormPrinter::PrintString(const String& text) {
  if (text.empty()) {
    FOut += "''";
    return;
  }
  bool quoted = false;
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 32 || byte == 127) {
      if (quoted) FOut += '\'';
      quoted = false;
      FOut += '#' + std::to_string(byte);
      continue;
    }
    if (!quoted) FOut += '\'';
    quoted = true;
    FOut += c;
    if (c == '\'') FOut += '\'';
  }
  if (quoted) FOut += '\'';
}

// The shortest text that reads back as the same double, always with a point or an exponent so
// that it reads back as a float and not as an integer.
void TFormPrinter::PrintFloat(Double value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  String text(buffer, result.ptr);
  size_t exponent = text.find('e');
  if (exponent != String::npos) {
    text[exponent] = 'E';
    if (text[exponent + 1] == '+') text.erase(exponent + 1, 1);
    size_t digits = text[exponent + 1] == '-' ? exponent + 2 : exponent + 1;
    while (text[digits] == '0' && digits + 1 < text.size()) text.erase(digits, 1);
  } else if (text.find('.') == String::npos) {
    text += ".0";
  }
  FOut += text;
}

}  // namespace

String PrintFormText(const TFormObject& root) {
  TFormPrinter printer;
  printer.PrintObject(root, 0);
  return printer.Take();
}
