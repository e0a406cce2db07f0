#include <algorithm>
#include <memory>

#include "EditorsTestSupport.h"
#include "rtl/ClassRegistry.h"
#include "rtl/FormatSettings.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvMaskEdit.h"
#include "user/VirtualKeys.h"

namespace {

// A masked editor reduced to what a mode sees: a native edit (characters, anchor and caret) that
// handles the keys the mode lets through or sends, and the editor's key routing.
class TModeHost : public TObject, public IkvMaskEditModeHost {
 public:
  TModeHost(TkvEditMaskKind Kind, const String& Mask) : properties(nullptr) {
    properties.SetBeepOnError(true);
    properties.SetMaskKind(Kind);
    properties.SetEditMask(Mask);
    TkvMaskEditModeArgs args(this, &properties);
    mode.reset(properties.GetModeClass(Kind).Create(&args));
    mode->SetMask(Mask);
  }
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }

  TkvCustomMaskEditProperties* MaskProperties() override { return &properties; }
  TkvMaskEditCustomMode* MaskMode() override { return mode.get(); }
  bool InnerEditMissing() override { return false; }
  bool InnerWindowExists() override { return true; }
  bool MaskEditFocused() override { return true; }
  String InnerText() override { return Text(); }
  Integer CharSelStart() override { return std::min(anchor, caret); }
  Integer CharSelLength() override { return std::abs(caret - anchor); }
  Integer CharCaretIndex() override { return caret; }
  void PlaceCaretAtChar(Integer Position) override {
    anchor = caret = Clamp(Position);
    mode->SelectionChanged();
  }
  void SetCharSelectionLength(Integer Length) override {
    SetSelLengthItself(Length);
    mode->SelectionChanged();
  }
  void MoveCaretItself(Integer Position) override { anchor = caret = Clamp(Position); }
  void SetSelLengthItself(Integer Length) override {
    anchor = CharSelStart();
    caret = Clamp(anchor + Length);
  }
  void SelectItself(Integer Anchor, Integer Caret) override {
    anchor = Clamp(Anchor);
    caret = Clamp(Caret);
  }
  void SetInnerEditValue(const String& Text) override {
    chars = kvSplitChars(Text);
    anchor = Clamp(anchor);
    caret = Clamp(caret);
  }
  void WriteDisplayValue(const String& Text) override { SetInnerEditValue(Text); }
  void SendOwnKey(Word Key) override { NativeKey(Key); }
  void SendOwnChar(const String& Ch) override { NativeChar(Ch); }
  bool GetShiftHeld() override { return shift; }
  void SetShiftHeld(bool Value) override { shift = Value; }
  bool AcceptsCharAt(String&, Integer) override { return true; }
  Variant MaskEditValue() override { return value; }
  void SetMaskEditValueInternal(const Variant& Value) override { value = Value; }
  bool ModifiedAfterEnter() override { return false; }

  // The editor's routing of a key down and of a typed character.
  void Key(Word Key, bool Shift = false) {
    shift = Shift;
    bool native = true;
    switch (Key) {
      case VK_LEFT: native = mode->LeftKey(); break;
      case VK_RIGHT: native = mode->RightKey(); break;
      case VK_HOME: native = mode->HomeKey(); break;
      case VK_END: native = mode->EndKey(); break;
      case VK_DELETE: native = Shift && CharSelLength() == 0 ? mode->Backspace() : Shift || mode->DeleteChar(); break;
      default: break;
    }
    if (native) NativeKey(Key);
  }
  void Type(const String& Text) {
    for (String ch : kvSplitChars(Text)) {
      const bool native = ch == "\b" ? mode->Backspace() : mode->TypeChar(ch);
      if (native) NativeChar(ch);
    }
  }
  // The editor's paste: the mode around the text set as the user's.
  void Paste(const String& Text) {
    mode->SetPasteLength(static_cast<Integer>(kvSplitChars(Text).size()));
    mode->BeforePaste();
    const Integer start = CharSelStart();
    NativeChar(Text);
    const Integer end = caret;
    SetInnerEditValue(mode->FormatText(InnerText(), true));
    MoveCaretItself(std::min(end, static_cast<Integer>(chars.size())));
    anchor = caret;
    (void)start;
    mode->TakeText(InnerText());
    mode->AfterPaste();
  }
  void Start(const String& Text, Integer SelStart, Integer SelLength = 0) {
    chars = kvSplitChars(Text);
    anchor = SelStart;
    caret = SelStart + SelLength;
    mode->TakeText(Text);
    mode->SelectionChanged();
  }
  String Text() const {
    String text;
    for (const String& ch : chars) text += ch;
    return text;
  }

  TkvMaskEditProperties properties;
  std::unique_ptr<TkvMaskEditCustomMode> mode;
  std::vector<String> chars;
  Integer anchor = 0, caret = 0;
  bool shift = false;
  Variant value;

 private:
  Integer Clamp(Integer P) const { return std::clamp(P, 0, static_cast<Integer>(chars.size())); }
  void DeleteSelection() {
    const Integer s = CharSelStart(), l = CharSelLength();
    chars.erase(chars.begin() + s, chars.begin() + s + l);
    anchor = caret = s;
  }
  void NativeKey(Word Key) {
    const Integer s = CharSelStart(), e = s + CharSelLength();
    switch (Key) {
      case VK_LEFT:
        if (shift) caret = Clamp(caret - 1);
        else anchor = caret = s < e ? s : Clamp(caret - 1);
        break;
      case VK_RIGHT:
        if (shift) caret = Clamp(caret + 1);
        else anchor = caret = s < e ? e : Clamp(caret + 1);
        break;
      case VK_HOME: caret = 0; if (!shift) anchor = 0; break;
      case VK_END: caret = static_cast<Integer>(chars.size()); if (!shift) anchor = caret; break;
      case VK_DELETE:
        if (s < e) DeleteSelection();
        else if (caret < static_cast<Integer>(chars.size())) chars.erase(chars.begin() + caret);
        break;
      default: break;
    }
  }
  void NativeChar(const String& Text) {
    if (Text == "\b") {
      if (CharSelLength() > 0) DeleteSelection();
      else if (caret > 0) chars.erase(chars.begin() + --caret), anchor = caret;
      return;
    }
    DeleteSelection();
    for (const String& ch : kvSplitChars(Text)) chars.insert(chars.begin() + caret++, ch);
    anchor = caret;
  }
};

class MaskModes : public EditorsTest {};

TEST_F(MaskModes, StandardModeOverwritesSkipsLiteralsAndWritesBlanks) {
  struct Case {
    const char* name;
    const char* text;
    Integer selStart, selLength;
    std::function<void(TModeHost&)> keys;
    const char* expected;
    Integer caret, selLength2, beeps;
  };
  const char* kEmpty = "(___) ___-____";
  const Case kCases[] = {
      {"Home stands on the first editable position", kEmpty, 5, 0, [](TModeHost& h) { h.Key(VK_HOME); }, kEmpty, 1, 1, 0},
      {"a digit lands under the block", kEmpty, 1, 0, [](TModeHost& h) { h.Type("5"); }, "(5__) ___-____", 2, 1, 0},
      {"typing skips literals", kEmpty, 1, 0, [](TModeHost& h) { h.Type("12345"); }, "(123) 45_-____", 8, 1, 0},
      {"a refused character is silent", kEmpty, 2, 0, [](TModeHost& h) { h.Type("x"); }, kEmpty, 2, 1, 0},
      {"Left at the first position stays", kEmpty, 1, 0, [](TModeHost& h) { h.Key(VK_LEFT); }, kEmpty, 1, 1, 0},
      {"Right jumps over the literals", kEmpty, 3, 0, [](TModeHost& h) { h.Key(VK_RIGHT); }, kEmpty, 6, 1, 0},
      {"Delete blanks the digits of a selection", "(123) 456-7890", 2, 5,
       [](TModeHost& h) { h.Key(VK_DELETE); }, "(1__) _56-7890", 2, 1, 0},
      {"Backspace blanks the position before", "(123) 456-7890", 7, 0, [](TModeHost& h) { h.Type("\b"); },
       "(123) _56-7890", 6, 1, 0},
      {"a paste overwrites and moves past a literal", kEmpty, 1, 0, [](TModeHost& h) { h.Paste("123"); },
       "(123) ___-____", 6, 1, 0},
      {"Shift+Left grows leftwards from the block", "(123) 456-7890", 7, 0,
       [](TModeHost& h) { h.Key(VK_LEFT, true); }, "(123) 456-7890", 6, 2, 0},
      {"End goes after the text", kEmpty, 1, 0, [](TModeHost& h) { h.Key(VK_END); }, kEmpty, 14, 0, 0},
      {"a display shorter than the mask is edited within it", "(12", 2, 0,
       [](TModeHost& h) {
         h.Type("7");
         h.Key(VK_RIGHT);
         h.Key(VK_DELETE);
       },
       "(17", 3, 0, 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    TModeHost host(emkStandard, "(999) 000-0000");
    host.Start(c.text, c.selStart, c.selLength);
    const int beeps = screen.Beeps();
    c.keys(host);
    EXPECT_EQ(host.Text(), c.expected);
    EXPECT_EQ(host.CharSelStart(), c.caret);
    EXPECT_EQ(host.CharSelLength(), c.selLength2);
    EXPECT_EQ(screen.Beeps() - beeps, c.beeps);
  }
}

TEST_F(MaskModes, StandardModeCasesValuesAndValidity) {
  TModeHost upper(emkStandard, ">LL");
  upper.Start("__", 0);
  upper.Type("ab");
  EXPECT_EQ(upper.Text(), "AB");
  EXPECT_EQ(upper.mode->DisplayToValue("ab", true), "AB");
  upper.properties.SetCharCase(ecLowerCase);
  EXPECT_EQ(upper.mode->DisplayToValue("ab", true), "ab");

  TModeHost phone(emkStandard, "(999) 000-0000");
  phone.properties.SetIgnoreMaskBlank(true);
  EXPECT_TRUE(phone.mode->IsValidText("(___) ___-____"));
  EXPECT_FALSE(phone.mode->IsValidText("(12_) ___-____"));
  EXPECT_TRUE(phone.mode->IsValidText("(123) 456-7890"));
  // A character of two bytes fills one position.
  TModeHost any(emkStandard, "CC");
  any.Start("__", 0);
  any.Type("éx");
  EXPECT_EQ(any.Text(), "éx");
}

TEST_F(MaskModes, RegExprModeTestsTheCaretAndCutsWhatStopsFitting) {
  struct Case {
    const char* name;
    const char* mask;
    bool caseInsensitive;
    const char* text;
    Integer caret;
    std::function<void(TModeHost&)> keys;
    const char* expected;
    Integer expectedCaret, beeps;
  };
  const Case kCases[] = {
      {"a refused character beeps", "\\d+", true, "1234", 2, [](TModeHost& h) { h.Type("x"); }, "1234", 2, 1},
      {"an accepted one goes in", "\\d+", true, "1234", 2, [](TModeHost& h) { h.Type("5"); }, "12534", 3, 0},
      {"Backspace cuts off the rest that no longer fits", "(ab|c)d", true, "abd", 1,
       [](TModeHost& h) { h.Type("\b"); }, "", 0, 0},
      {"the other branch is typed after", "(ab|c)d", true, "abd", 1, [](TModeHost& h) { h.Type("\bcd"); }, "cd", 2, 0},
      {"Delete cuts off what no longer fits", "(ab|c)d", true, "abd", 1, [](TModeHost& h) { h.Key(VK_DELETE); }, "a",
       1, 0},
      {"Delete at the start leaves the prefix", "(ab|c)d", true, "bd", 0, [](TModeHost& h) { h.Key(VK_DELETE); }, "",
       0, 0},
      {"a literal takes the mask's case", "[AP]M", true, "", 0, [](TModeHost& h) { h.Type("pm"); }, "PM", 2, 0},
      {"ranges do not fold case", "[A-Z]", true, "", 0, [](TModeHost& h) { h.Type("a"); }, "", 0, 1},
      {"a paste takes no more than its text", "\\d*", true, "12", 2, [](TModeHost& h) { h.Paste("ab3"); }, "123", 3,
       0},
      {"Left then typing goes in before", "\\d+", true, "12", 2,
       [](TModeHost& h) {
         h.Key(VK_LEFT);
         h.Type("9");
       },
       "192", 2, 0},
      {"a two-byte character is one step", "..", true, "", 0, [](TModeHost& h) { h.Type("éé"); }, "éé", 2, 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    TModeHost host(emkRegExpr, c.mask);
    host.Start(c.text, c.caret);
    const int beeps = screen.Beeps();
    c.keys(host);
    EXPECT_EQ(host.Text(), c.expected);
    EXPECT_EQ(host.caret, c.expectedCaret);
    EXPECT_EQ(screen.Beeps() - beeps, c.beeps);
  }
}

TEST_F(MaskModes, RegExprModeValidityAndErrors) {
  TModeHost host(emkRegExpr, "\\d\\d");
  EXPECT_TRUE(host.mode->IsValidText(""));
  EXPECT_FALSE(host.mode->IsValidText("1"));
  EXPECT_TRUE(host.mode->IsValidText("12"));
  host.properties.SetIgnoreMaskBlank(true);
  EXPECT_TRUE(host.mode->IsValidText("1"));
  EXPECT_FALSE(host.mode->IsValidText("x"));
  try {
    host.mode->SetMask("(a");
    ADD_FAILURE() << "no error";
  } catch (const EkvMaskEditError& e) {
    EXPECT_EQ(e.Message(), "Regular expression errors:\r\nMissing ')'");
  }
}

TEST_F(MaskModes, ExtendedModeCompletesForcedLiterals) {
  TModeHost host(emkRegExprEx, "\\(\\d\\d\\d\\)-\\d\\d\\d");
  EXPECT_EQ(host.mode->EmptyValueText(), "(");
  EXPECT_TRUE(host.mode->IsValidText("("));
  host.Start("(", 1);
  host.Type("123");
  EXPECT_EQ(host.Text(), "(123)-");
  EXPECT_EQ(host.caret, 6);
  host.Type("\b");
  EXPECT_EQ(host.Text(), "(12");
  host.Type("\b\b");
  EXPECT_EQ(host.Text(), "(");
  int beeps = screen.Beeps();
  host.Type("\b");
  EXPECT_EQ(host.Text(), "(");
  EXPECT_EQ(screen.Beeps() - beeps, 1);

  // Right steps over a typed character with the forced ones after it.
  host.Type("12345");
  EXPECT_EQ(host.Text(), "(123)-45");
  host.Key(VK_HOME);
  EXPECT_EQ(host.caret, 0);
  const Integer carets[] = {1, 2, 3, 6, 7};
  for (Integer expected : carets) {
    host.Key(VK_RIGHT);
    EXPECT_EQ(host.caret, expected);
  }
  // The forced prefix cannot be deleted, nor replaced with the rest of a selection.
  host.MoveCaretItself(0);
  host.mode->SelectionChanged();
  beeps = screen.Beeps();
  host.Key(VK_DELETE);
  EXPECT_EQ(host.Text(), "(123)-45");
  EXPECT_EQ(screen.Beeps() - beeps, 1);
  host.SelectItself(0, 8);
  host.mode->SelectionChanged();
  host.Type("9");
  EXPECT_EQ(host.Text(), "(9");
  EXPECT_EQ(host.caret, 2);
}

TEST_F(MaskModes, ExtendedModeTakesTheTimeSeparatorAndStepsOverUnits) {
  const TFormatSettings saved = FormatSettings;
  for (char separator : {':', '.'}) {
    SCOPED_TRACE(separator);
    FormatSettings.TimeSeparator = separator;
    TModeHost host(emkRegExprEx, "\\d\\d:\\d\\d");
    host.Start("", 0);
    host.Type("12");
    EXPECT_EQ(host.Text(), String("12") + separator);
    host.Key(VK_LEFT);
    EXPECT_EQ(host.caret, 1);
    // Typing inserts: the unit completes again and what follows no longer fits.
    host.Type("5");
    EXPECT_EQ(host.Text(), String("15") + separator);
    EXPECT_EQ(host.caret, 3);
  }
  FormatSettings = saved;
}

TEST_F(MaskModes, PropertiesKeepAGoodMaskAndFormatValues) {
  TkvMaskEditProperties properties(nullptr);
  properties.SetMaskKind(emkRegExpr);
  properties.SetEditMask("\\d+");
  EXPECT_THROW(properties.SetEditMask("(a"), EkvMaskEditError);
  EXPECT_EQ(properties.GetEditMask(), "\\d+");
  // A masked editor has no MaxLength and no lookup.
  properties.SetMaxLength(5);
  EXPECT_EQ(properties.GetMaxLength(), 0);
  EXPECT_FALSE(properties.HasLookup());
  // Upper or lower case forces case-insensitive masks.
  properties.SetCharCase(ecUpperCase);
  properties.SetCaseInsensitive(false);
  EXPECT_TRUE(properties.GetCaseInsensitive());

  TkvMaskEditProperties standard(nullptr);
  const TFormatSettings saved = FormatSettings;
  FormatSettings.DateSeparator = '/';
  standard.SetEditMask("!99/99/00;1;_");
  Variant display;
  standard.MakeDisplayValue(Variant(String()), display, true);
  EXPECT_EQ(VarToStr(display), "__/__/__");
  standard.MakeDisplayValue(Variant(String()), display, false);
  EXPECT_EQ(VarToStr(display), "  /  /  ");
  standard.SetAlwaysShowBlanksAndLiterals(true);
  standard.MakeDisplayValue(Variant(String()), display, false);
  EXPECT_EQ(VarToStr(display), "__/__/__");
  FormatSettings = saved;

}

TEST_F(MaskModes, UnitRegistersTheMaskEditorAndAFilterHelperThatExtendsRegularExpressions) {
  TkvRegisteredClasses* registry = EditPropertiesRegistry();
  const Integer index = registry->IndexOfClass(TkvMaskEditProperties::ClassInfo());
  ASSERT_NE(index, -1);
  EXPECT_EQ(registry->TextAt(index), "MaskEdit|Represents a generic masked edit control.");
  TkvFilterEditHelperClass helper = TheFilterEditsController()->FindHelper(TkvMaskEditProperties::ClassInfo());
  ASSERT_EQ(helper, FilterEditHelperOf<TkvFilterMaskEditHelper>());
  EXPECT_EQ(helper->FilterEditorClass(), TkvMaskEdit::ClassInfo());
  TkvMaskEditProperties source(nullptr), target(nullptr);
  source.SetMaskKind(emkRegExpr);
  source.SetEditMask("\\d+");
  helper->InitFilterProperties(&target, &source, false);
  EXPECT_EQ(target.GetMaskKind(), emkRegExprEx);
  EXPECT_EQ(target.GetEditMask(), "\\d+");
  EXPECT_FALSE(target.GetAutoSelect());
  source.SetEditMask("");
  helper->InitFilterProperties(&target, &source, false);
  EXPECT_TRUE(target.GetAutoSelect());
}

class MaskRepositoryItem : public TkvEditRepositoryItem {
  TAVREN_CLASS(MaskRepositoryItem, TkvEditRepositoryItem)
 public:
  explicit MaskRepositoryItem(TComponent* AOwner)
      : TkvEditRepositoryItem(AOwner, TkvMaskEditProperties::ClassInfo()) {}
  TkvMaskEditProperties* GetMaskProperties() const { return static_cast<TkvMaskEditProperties*>(GetProperties()); }
  void SetMaskProperties(TkvMaskEditProperties* Value) { SetProperties(Value); }
};
TAVREN_CLASS_IMPL_PUBLISHED(MaskRepositoryItem, PROPERTY_AS(Properties, GetMaskProperties, SetMaskProperties))

TEST_F(MaskModes, FormTextCarriesTheKindBeforeTheMask) {
  RegisterClass(MaskRepositoryItem::ClassInfo());
  auto* root = new TForm(nullptr, 0);
  auto* item = new MaskRepositoryItem(root);
  item->SetName("Item");
  item->GetMaskProperties()->SetMaskKind(emkRegExprEx);
  item->GetMaskProperties()->SetEditMask("\\(\\d\\d\\d\\)");
  item->GetMaskProperties()->SetIgnoreMaskBlank(true);
  const String text = WriteComponentToText(root);
  SCOPED_TRACE(text);
  delete root;
  ASSERT_NE(text.find("MaskKind"), String::npos);
  EXPECT_LT(text.find("MaskKind"), text.find("EditMask"));
  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* read = dynamic_cast<MaskRepositoryItem*>(copy->FindComponent("Item"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetMaskProperties()->GetMaskKind(), emkRegExprEx);
  EXPECT_EQ(read->GetMaskProperties()->GetEditMask(), "\\(\\d\\d\\d\\)");
  EXPECT_TRUE(read->GetMaskProperties()->GetIgnoreMaskBlank());
  EXPECT_TRUE(read->GetMaskProperties()->GetValidateOnEnter());
  delete copy;
  UnRegisterClass(MaskRepositoryItem::ClassInfo());
}

}  // namespace
