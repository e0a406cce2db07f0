#include <functional>

#include "EditTestFixture.h"
#include "rtl/FormatSettings.h"
#include "toolkit/editors/kvMaskEdit.h"
#include "user/VirtualKeys.h"

namespace {

class MaskEdit : public EditEventsTest {
 public:
  void SetUp() override {
    EditEventsTest::SetUp();
    edit = new TkvMaskEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 150, 21);
    other = new TkvMaskEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 60, 150, 21);
    Pump();
  }
  TkvMaskEditProperties* Props() { return edit->GetMaskEditProperties(); }
  void Focus() {
    edit->SetFocus();
    Pump();
  }
  void Leave() {
    other->SetFocus();
    Pump();
  }
  String Shown() { return edit->InnerText(); }
  TkvMaskEdit* edit = nullptr;
  TkvMaskEdit* other = nullptr;
};

// Keys on a focused editor: the text shown, the selection after them, the beeps they cost.
struct KeyRow {
  const char* name;
  std::function<void(MaskEdit&)> keys;
  const char* shown;
  Integer selStart, selLength, beeps;
};

class MaskEditKeys : public MaskEdit {
 public:
  void Run(const KeyRow& Row) {
    SCOPED_TRACE(Row.name);
    const int beeps = screen.Beeps();
    Row.keys(*this);
    EXPECT_EQ(Shown(), Row.shown);
    EXPECT_EQ(edit->CharSelStart(), Row.selStart);
    EXPECT_EQ(edit->CharSelLength(), Row.selLength);
    EXPECT_EQ(screen.Beeps() - beeps, Row.beeps);
  }
  using MaskEdit::Key;
  using MaskEdit::Type;
};

TEST_F(MaskEditKeys, APhoneNumberTypesSkipsLiteralsDeletesAndPastes) {
  Props()->SetBeepOnError(true);
  Props()->SetEditMask("(999) 000-0000");
  Focus();
  EXPECT_EQ(Shown(), "(___) ___-____");
  const KeyRow kRows[] = {
      {"Home stands on the first digit", [](MaskEdit& t) { static_cast<MaskEditKeys&>(t).Key(VK_HOME); },
       "(___) ___-____", 1, 1, 0},
      {"digits skip the literals", [](MaskEdit& t) { static_cast<MaskEditKeys&>(t).Type("12345"); },
       "(123) 45_-____", 8, 1, 0},
      {"a letter is refused silently", [](MaskEdit& t) { static_cast<MaskEditKeys&>(t).Type("x"); },
       "(123) 45_-____", 8, 1, 0},
      {"Left steps back", [](MaskEdit& t) { static_cast<MaskEditKeys&>(t).Key(VK_LEFT); }, "(123) 45_-____", 7, 1,
       0},
      {"Backspace blanks the digit before", [](MaskEdit& t) { static_cast<MaskEditKeys&>(t).Type("\b"); },
       "(123) _5_-____", 6, 1, 0},
      {"Right from 3 jumps over the literals",
       [](MaskEdit& t) {
         auto& k = static_cast<MaskEditKeys&>(t);
         k.edit->PlaceCaretAtChar(3);
         k.Key(VK_RIGHT);
       },
       "(123) _5_-____", 6, 1, 0},
      {"End goes after the text", [](MaskEdit& t) { static_cast<MaskEditKeys&>(t).Key(VK_END); }, "(123) _5_-____",
       14, 0, 0},
  };
  for (const KeyRow& row : kRows) Run(row);
  // The Text is the value: blanks become spaces, the literals stay.
  EXPECT_EQ(edit->GetText(), "(123)  5 -    ");
}

TEST_F(MaskEditKeys, ADeletionBlanksOnlyTheDigitsOfTheSelection) {
  Props()->SetEditMask("(999) 000-0000");
  edit->SetEditValue(Variant(String("(123) 456-7890")));
  Focus();
  edit->SelectItself(2, 7);
  Key(VK_DELETE);
  EXPECT_EQ(Shown(), "(1__) _56-7890");
}

TEST_F(MaskEditKeys, RegularExpressionsAndExtendedMasksOnTheEditor) {
  Props()->SetBeepOnError(true);
  Props()->SetMaskKind(emkRegExpr);
  Props()->SetEditMask("\\d+");
  Focus();
  Type("12");
  const int beeps = screen.Beeps();
  Type("x");
  EXPECT_EQ(Shown(), "12");
  EXPECT_EQ(screen.Beeps() - beeps, 1);
  edit->PlaceCaretAtChar(1);
  Type("5");
  EXPECT_EQ(Shown(), "152");
  EXPECT_EQ(edit->GetText(), "152");

  // Switching between the two regular-expression kinds keeps the mask.
  Props()->SetMaskKind(emkRegExprEx);
  EXPECT_EQ(Props()->GetEditMask(), "\\d+");
  Props()->SetEditMask("\\(\\d\\d\\d\\)-\\d\\d\\d");
  edit->SetEditValue(Variant(String()));
  Focus();
  Key(VK_END);
  Type("123");
  EXPECT_EQ(Shown(), "(123)-");
  Type("\b");
  EXPECT_EQ(Shown(), "(12");
  // A standard kind clears a regular-expression mask.
  Props()->SetMaskKind(emkStandard);
  EXPECT_EQ(Props()->GetEditMask(), "");
}

// Keys a masked editor leaves to its host (a grid moving between cells): Left at the start, and
// Up and Down while no popup is open; Left elsewhere stays inside.
struct UnhandledKeys : TObject {
  std::vector<Word> keys;
  void Heard(TObject*, Word& Key, TShiftState) { keys.push_back(Key); }
};

TEST_F(MaskEditKeys, KeysAtTheEdgeGoToTheHost) {
  UnhandledKeys host;
  edit->SetOnKeyDownUnhandled(MakeEvent<&UnhandledKeys::Heard>(&host));
  Props()->SetEditMask("999");
  Focus();
  Key(VK_HOME);
  struct Case {
    UINT key;
    std::vector<Word> heard;
    Integer selStart;
  };
  for (const Case& c : {Case{VK_LEFT, {VK_LEFT}, 0}, Case{VK_UP, {VK_UP}, 0}, Case{VK_DOWN, {VK_DOWN}, 0},
                        Case{VK_RIGHT, {}, 1}, Case{VK_LEFT, {}, 0}}) {
    host.keys.clear();
    Key(c.key);
    EXPECT_EQ(host.keys, c.heard) << c.key;
    EXPECT_EQ(edit->CharSelStart(), c.selStart) << c.key;
  }
}

// An in-place activation by a key shows the mask with the key's character in place, and the
// inner edit draws again afterwards; without a mask the key is typed as in a text editor.
TEST_F(MaskEdit, AnActivationByAKeyTypesIntoTheMask) {
  struct Case {
    const char* mask;
    const char* shown;
    const char* text;
  };
  for (const Case& c : {Case{"999", "5__", "5  "}, Case{"", "5", "5"}}) {
    SCOPED_TRACE(c.mask);
    auto* inplace = new TkvMaskEdit(form, true);
    inplace->SetParent(form);
    inplace->SetBounds(10, 100, 150, 21);
    inplace->GetMaskEditProperties()->SetEditMask(c.mask);
    inplace->SetVisible(false);
    Pump();
    TkvCustomEditData* data = nullptr;
    inplace->BeginInplaceEditWithKey('5', data);
    Pump();
    EXPECT_EQ(inplace->InnerText(), c.shown);
    EXPECT_EQ(inplace->GetText(), c.text);
    EXPECT_EQ(inplace->EmptyValueText(), *c.mask ? "   " : "");
    EXPECT_TRUE(IsWindowVisible(inplace->GetInnerControl()->GetHandle()));
    delete inplace;
    Pump();
  }
}

// A new echo mode leaves the masked text, its value and the selection as they were.
TEST_F(MaskEdit, ChangingTheEchoModeKeepsTheSelection) {
  Props()->SetEditMask("(999) 000-0000");
  Focus();
  Key(VK_HOME);
  Type("123456");
  edit->SelectItself(2, 5);
  for (TkvEditEchoMode echo : {eemPassword, eemNormal}) {
    Props()->SetEchoMode(echo);
    Pump();
    EXPECT_EQ(Shown(), "(123) 456-____") << echo;
    EXPECT_EQ(edit->CharSelStart(), 2) << echo;
    EXPECT_EQ(edit->CharSelLength(), 3) << echo;
    EXPECT_EQ(edit->GetText(), "(123) 456-    ") << echo;
  }
}

TEST_F(MaskEditKeys, ACharacterOfTwoBytesFillsOnePosition) {
  Props()->SetEditMask("CC;0;_");
  Focus();
  Key(VK_HOME);
  Type("éx");
  EXPECT_EQ(Shown(), "éx");
  EXPECT_EQ(edit->GetText(), "éx");
  Props()->SetMaskKind(emkRegExpr);
  Props()->SetEditMask("..");
  edit->SetEditValue(Variant(String()));
  Focus();
  Type("üa");
  EXPECT_EQ(Shown(), "üa");
}

TEST_F(MaskEdit, WithoutAMaskItIsTheTextEditor) {
  auto* text = new TkvTextEdit(form);
  text->SetParent(form);
  text->SetBounds(10, 100, 150, 21);
  for (TkvCustomTextEditProperties* properties :
       {static_cast<TkvCustomTextEditProperties*>(Props()), static_cast<TkvCustomTextEditProperties*>(text->GetTextEditProperties())})
    properties->SetMaxLength(4);
  const std::function<void()> kSteps[] = {
      [&] { Type("abcdef"); },
      [&] { Key(VK_LEFT); },
      [&] { Key(VK_BACK); },
      [&] { Type("é"); },
      [&] { Key(VK_DELETE); },
      [&] { Key(VK_HOME); },
      [&] { Type("\b"); },
  };
  std::vector<String> masked, plain;
  for (TkvCustomTextEdit* editor : {static_cast<TkvCustomTextEdit*>(edit), static_cast<TkvCustomTextEdit*>(text)}) {
    editor->SetFocus();
    Pump();
    std::vector<String>& log = editor == edit ? masked : plain;
    for (const auto& step : kSteps) {
      step();
      log.push_back(editor->GetText() + "|" + std::to_string(editor->CurrentSelStart()) + "," +
                    std::to_string(editor->CurrentSelLength()));
    }
  }
  EXPECT_EQ(masked, plain);
  EXPECT_EQ(edit->GetText(), text->GetText());
  // A mask takes MaxLength away.
  Props()->SetEditMask("999");
  EXPECT_EQ(Props()->GetMaxLength(), 0);
}

TEST_F(MaskEdit, ABadMaskIsRefusedAndTheOldOneStaysInUse) {
  Props()->SetMaskKind(emkRegExpr);
  Props()->SetEditMask("\\d");
  try {
    Props()->SetEditMask("(a");
    ADD_FAILURE() << "no error";
  } catch (const EkvMaskEditError& e) {
    EXPECT_EQ(e.Message(), "Regular expression errors:\r\nMissing ')'");
  }
  EXPECT_EQ(Props()->GetEditMask(), "\\d");
  Focus();
  Type("7x");
  EXPECT_EQ(Shown(), "7");
}

TEST_F(MaskEdit, TextIsTheValueWithOrWithoutLiterals) {
  struct Case {
    const char* mask;
    const char* value;
  };
  for (const Case& c : {Case{"(99) 99", "(12) 34"}, Case{"(99) 99;0", "1234"}}) {
    SCOPED_TRACE(c.mask);
    Props()->SetEditMask(c.mask);
    edit->SetEditValue(Variant(String()));
    Focus();
    Key(VK_HOME);
    Type("1234");
    EXPECT_EQ(edit->GetText(), c.value);
    // Outside focus it shows the value.
    Leave();
    EXPECT_EQ(Shown(), c.value);
  }
}

TEST_F(MaskEdit, SettingTheTextSetsTheValueAndCuttingBlanksTheDigits) {
  Props()->SetEditMask("(99) 99");
  edit->SetText("1234");
  EXPECT_EQ(edit->GetText(), "(12) 34");
  Focus();
  EXPECT_EQ(Shown(), "(12) 34");
  edit->SelectItself(1, 3);
  edit->ClipboardCut();
  EXPECT_EQ(Shown(), "(__) 34");
  EXPECT_EQ(edit->GetText(), "(  ) 34");
}

TEST_F(MaskEdit, ADisplayTheMaskRefusesFailsValidation) {
  struct Case {
    const char* mask;
    bool valid;
  };
  for (const Case& c : {Case{"999", true}, Case{"000", false}}) {
    SCOPED_TRACE(c.mask);
    Props()->SetEditMask(c.mask);
    edit->SetEditValue(Variant(String()));
    Focus();
    Key(VK_HOME);
    Type("12");
    EXPECT_EQ(Shown(), "12_");
    if (c.valid) {
      EXPECT_TRUE(edit->RunValidation(true));
    } else {
      try {
        edit->RunValidation(true);
        ADD_FAILURE() << "no error";
      } catch (const EkvEditError& e) {
        EXPECT_EQ(e.Message(), "The edit value is invalid");
      }
    }
    Leave();
  }
}

TEST_F(MaskEditKeys, APasteOverwritesAndCasesFollowTheMask) {
  Props()->SetEditMask("(999) 000-0000");
  Focus();
  Key(VK_HOME);
  edit->SetDisplayTextAsUser("123");
  EXPECT_EQ(Shown(), "(123) ___-____");
  EXPECT_EQ(edit->CharSelStart(), 6);
  EXPECT_EQ(edit->CharSelLength(), 1);

  Props()->SetEditMask(">LL");
  edit->SetEditValue(Variant(String()));
  Focus();
  Key(VK_HOME);
  Type("ab");
  EXPECT_EQ(Shown(), "AB");
  EXPECT_EQ(edit->GetText(), "AB");
}

}  // namespace
