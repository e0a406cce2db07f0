#include <gtest/gtest.h>

#include "rtl/FormParser.h"
#include "rtl/FormPrinter.h"

namespace {

const char kEveryValueKind[] =
    "object Form1: TForm1\n"
    "  Left = -12\n"
    "  Big = 5000000000\n"
    "  Ratio = 2.5\n"
    "  Tiny = 1E-20\n"
    "  Whole = 3.0\n"
    "  Caption = 'It''s'#13#10'done'\n"
    "  Empty = ''\n"
    "  Accent = 'caf\xC3\xA9'\n"
    "  Color = clBtnFace\n"
    "  Font.Style = [fsBold, fsItalic]\n"
    "  Anchors = []\n"
    "  Data = {\n"
    "    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F\n"
    "    FF}\n"
    "  NoData = {}\n"
    "  Lines.Strings = (\n"
    "    'one'\n"
    "    2\n"
    "    (\n"
    "      x\n"
    "      y))\n"
    "  NoLines = ()\n"
    "  Columns = <\n"
    "    item\n"
    "      Caption = 'Name'\n"
    "      Width = 100\n"
    "    end\n"
    "    item\n"
    "    end>\n"
    "  NoColumns = <>\n"
    "  object Panel1: TPanel\n"
    "    object TButton\n"
    "    end\n"
    "  end\n"
    "  inline Frame1: TFrame1\n"
    "    inherited Label1: TLabel\n"
    "      Caption = 'x'\n"
    "    end\n"
    "  end\n"
    "end\n";

}  // namespace

TEST(FormText, CanonicalTextPrintsBackUnchanged) {
  TFormObject root = ParseFormText(kEveryValueKind);
  EXPECT_EQ(PrintFormText(root), kEveryValueKind);

  EXPECT_EQ(root.Name, "Form1");
  ASSERT_EQ(root.Children.size(), 2u);
  EXPECT_EQ(root.Children[0].Children[0].Name, "");
  EXPECT_EQ(root.Children[0].Children[0].ClassName, "TButton");
  EXPECT_EQ(root.Children[1].Kind, TFormObjectKind::Inline);
  EXPECT_EQ(root.Children[1].Children[0].Kind, TFormObjectKind::Inherited);
  EXPECT_EQ(root.Properties[1].Value.IntValue, 5000000000);
  EXPECT_EQ(root.Properties[5].Value.Text, "It's\r\ndone");
  EXPECT_EQ(root.Properties[11].Value.Bytes.size(), 33u);
  EXPECT_EQ(root.Properties[11].Line, 13);
}

TEST(FormText, LiteralsDecode) {
  struct Case {
    const char* value;
    TFormValueKind kind;
    Int64 integer;
    const char* text;
  };
  const Case kCases[] = {
      {"$1F", TFormValueKind::Integer, 31, ""},
      {"-$10", TFormValueKind::Integer, -16, ""},
      {"+7", TFormValueKind::Integer, 7, ""},
      {"$FFFFFFFF", TFormValueKind::Integer, 0xFFFFFFFF, ""},
      {"'a' +\n  'b' + #65", TFormValueKind::String, 0, "abA"},
      {"#$41#233'x'", TFormValueKind::String, 0, "A\xC3\xA9x"},
      {"#8364", TFormValueKind::String, 0, "\xE2\x82\xAC"},
      {"Frame1.Button1", TFormValueKind::Ident, 0, "Frame1.Button1"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.value);
    TFormObject root = ParseFormText(String("object A: TA\n  P = ") + c.value + "\nend");
    const TFormValue& value = root.Properties.at(0).Value;
    EXPECT_EQ(value.Kind, c.kind);
    if (c.kind == TFormValueKind::Integer) {
      EXPECT_EQ(value.IntValue, c.integer);
    } else {
      EXPECT_EQ(value.Text, c.text);
    }
  }
}

TEST(FormText, MalformedTextRaisesParserErrorWithLine) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case kCases[] = {
      {"", "'object' expected on line 1"},
      {"object A: TA\n  Left = \nend", "Invalid property value on line 3"},
      {"object A: TA\n  Left 5\nend", "'=' expected on line 2"},
      {"object A: TA\n  Caption = 'open\nend", "Unterminated string on line 2"},
      {"object A: TA\n\n  Caption = 'a' + 5\nend", "String expected on line 3"},
      {"object A: TA\n  Left = 12abc\nend", "Invalid numeric value on line 2"},
      {"object A: TA\n  Left = 99999999999999999999\nend", "Invalid numeric value on line 2"},
      {"object A: TA\n  Data = {\n    0A0\n  }\nend", "Invalid binary value on line 3"},
      {"object A: TA\n  Data = {\n    0A0B", "Invalid binary value on line 3"},
      {"object A: TA\n  S = [a, 1]\nend", "Identifier expected on line 2"},
      {"object A: TA\n  C = <\n    Width = 3\n  >\nend", "'item' expected on line 3"},
      {"object A: TA\n  L = (\n    1\n", "Invalid property value on line 4"},
      {"object A: TA\n  object B: TB\n  end\n", "'end' expected on line 4"},
      {"object A: TA\n  object B: TB\n  end\n  Left = 1\nend", "'end' expected on line 4"},
      {"object A: TA\nend\nobject B: TB\nend", "End of text expected on line 3"},
      {"object A: TA\n  S = #55296\nend", "Invalid string constant on line 2"},
      {"object A: TA\n  Left = @\nend", "Invalid character on line 2"},
      {"object A.B: TA\nend", "Invalid component name on line 1"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    try {
      ParseFormText(c.text);
      ADD_FAILURE() << "no error";
    } catch (const EParserError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST(FormText, DeepNestingIsAnErrorNotACrash) {
  String deep = "object A: TA\n  L = " + String(100000, '(');
  EXPECT_THROW(ParseFormText(deep), EParserError);
  String objects;
  for (int i = 0; i < 100000; ++i) objects += "object A: TA\n";
  EXPECT_THROW(ParseFormText(objects), EParserError);
}
