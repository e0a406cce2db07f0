#include <memory>

#include "EditTestFixture.h"
#include "user/InputEvents.h"
#include "vcl/Menus.h"

namespace {

using Log = std::vector<String>;

class EditControl : public EditEventsTest {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    edit = new TTestEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 120, 21);
    edit->Listen();
    Watch(edit);
    Pump();
  }
  void Focus() { EditEventsTest::Focus(edit); }
  TTestEdit* edit = nullptr;
};

TEST_F(EditControl, TypingAsksOnEditingOnceAndARefusalDropsTheCharacter) {
  struct Case {
    bool refuse;
    const char* text;
    Log log;
  };
  const Case cases[] = {
      {true, "", {"down 65", "press a", "editing"}},
      {false, "ab", {"down 65", "press a", "editing", "change", "down 66", "press b", "change"}},
  };
  for (const Case& c : cases) {
    edit->text.clear();
    edit->SetModifiedFlag(false);
    Focus();
    edit->refuseEditing = c.refuse;
    Type(c.refuse ? "a" : "ab");
    EXPECT_EQ(edit->text, c.text);
    EXPECT_EQ(edit->log, c.log) << "refuse " << c.refuse;
    EXPECT_EQ(edit->GetValueModified(), !c.refuse);
    form->SetFocus();
    Pump();
  }
}

TEST_F(EditControl, EscRestoresTheEntryValueOnlyWhenTheKindRestoresAndSwallowsItsCharacter) {
  for (bool restores : {true, false}) {
    edit->Props()->restores = restores;
    edit->SetEditValue("12");
    Focus();
    Type("3");
    Key(VK_ESCAPE);
    EXPECT_EQ(edit->text, restores ? "12" : "123") << "restores " << restores;
    bool escPressed = std::find(edit->log.begin(), edit->log.end(), "press \x1b") != edit->log.end();
    EXPECT_EQ(escPressed, !restores);
    form->SetFocus();
    Pump();
  }
}

TEST_F(EditControl, EnterValidatesAndAnInvalidTextRaisesTheDefaultText) {
  edit->Props()->SetValidateOnEnter(true);
  Focus();
  Type("4x");
  edit->log.clear();
  Key(VK_RETURN);
  // The Enter character still arrives; a text editor ignores it.
  EXPECT_EQ(edit->log, (Log{"down 13", "invalid", "error Invalid input value. Use escape key to abandon changes",
                            "press \r"}));
  EXPECT_TRUE(VarIsNull(edit->GetEditValueProp()));
  EXPECT_EQ(edit->text, "4x");
  // A valid text is applied, and the change it makes fires once after the validation.
  Key(VK_BACK);
  edit->text = "42";
  edit->log.clear();
  Key(VK_RETURN);
  EXPECT_EQ(edit->log, (Log{"down 13", "valid", "change", "value", "press \r"}));
  EXPECT_EQ(VarToStr(edit->GetEditValueProp()), "42");
  EXPECT_TRUE(edit->IsValidated());
}

TEST_F(EditControl, TabFiresTheUnhandledEventAndMovesTheFocusOn) {
  auto* next = new TTestEdit(form);
  next->SetParent(form);
  next->SetBounds(10, 40, 120, 21);
  Pump();
  Focus();
  Key(VK_TAB);
  // The Tab character still arrives; a text editor ignores it.
  EXPECT_EQ(edit->log, (Log{"down 9", "unhandled 9", "press \t"}));
  EXPECT_TRUE(next->Focused());
}

TEST_F(EditControl, ClearAndClickKeys) {
  edit->Props()->SetClearKey(ShortCut(VK_DELETE, TShiftState{ssCtrl}));
  edit->SetEditValue("7");
  Focus();
  Key(VK_DELETE, kCtrl);
  EXPECT_TRUE(VarIsNull(edit->GetEditValueProp()));
  EXPECT_TRUE(edit->IsValidated());

  struct Case {
    bool withDefault;
    Log log;
  };
  // The handler hears the button's index in the collection; Ctrl's own key comes first.
  const Case cases[] = {{true, {"down 17", "button 2"}}, {false, {"down 17", "down 13"}}};
  for (const Case& c : cases) {
    TkvEditButtons* buttons = edit->Props()->GetButtons();
    buttons->Clear();
    for (int i = 0; i < 3; ++i) buttons->AddButton();
    buttons->GetButton(0)->SetVisible(false);
    if (c.withDefault) buttons->GetButton(2)->SetDefault(true);
    edit->log.clear();
    Key(VK_RETURN, kCtrl);
    EXPECT_EQ(edit->log, c.log) << "default " << c.withDefault;
  }
}

// A dialog character clicks the visible, enabled button whose caption it underlines.
TEST_F(EditControl, AButtonsAcceleratorClicksItOnlyWhileVisibleAndEnabled) {
  TkvEditButtons* buttons = edit->Props()->GetButtons();
  for (const char* caption : {"&Hidden", "&Go", "&Off"}) {
    TkvEditButton* button = buttons->AddButton();
    button->SetKind(bkText);
    button->SetCaption(caption);
  }
  buttons->GetButton(0)->SetVisible(false);
  buttons->GetButton(2)->SetEnabled(false);
  struct Case {
    char key;
    LRESULT result;
    Log log;
  };
  for (const Case& c : {Case{'g', 1, {"button 1"}}, Case{'h', 0, {}}, Case{'o', 0, {}}, Case{'x', 0, {}}}) {
    edit->log.clear();
    EXPECT_EQ(edit->Perform(CM_DIALOGCHAR, c.key, 0), c.result) << c.key;
    EXPECT_EQ(edit->log, c.log) << c.key;
  }
}

TEST_F(EditControl, EditValueSetInsideOnEditingIsIgnoredAndEqualValuesRaiseNothing) {
  Focus();
  edit->valueInsideEditing = "99";
  Type("5");
  EXPECT_EQ(edit->text, "5");
  EXPECT_TRUE(VarIsNull(edit->GetEditValueProp()));
  edit->valueInsideEditing = Variant();
  struct Case {
    Variant next;
    Log log;
  };
  const Case cases[] = {{Variant(8), {}}, {Variant(8.0), {}}, {Variant(9), {"value", "change"}}};
  for (const Case& c : cases) {
    edit->SetEditValue(8);
    edit->log.clear();
    edit->SetEditValue(c.next);
    EXPECT_EQ(edit->log, c.log) << VarToStr(c.next);
  }
}

TEST_F(EditControl, ChangeEventsUnderALockFireOnceAtAnUnlockWithReplay) {
  struct Case {
    bool replay;
    bool dropHandler;
    Log log;
  };
  const Case cases[] = {{true, false, {"value", "change"}}, {false, false, {}}, {true, true, {"value"}}};
  for (const Case& c : cases) {
    edit->Listen();
    edit->log.clear();
    edit->LockChangeEvents(true);
    edit->LockChangeEvents(true);
    for (int v : {1, 2, 3}) edit->SetEditValue(v * 10 + c.replay + c.dropHandler);
    edit->LockChangeEvents(false);
    EXPECT_TRUE(edit->log.empty());
    if (c.dropHandler) edit->GetProperties()->SetOnChange(TNotifyEvent());
    edit->LockChangeEvents(false, c.replay);
    // The order is the catcher's: OnChange first, then OnEditValueChanged.
    Log expected = c.log;
    if (expected.size() == 2) expected = {"change", "value"};
    EXPECT_EQ(edit->log, expected) << "replay " << c.replay << ", drop " << c.dropHandler;
    edit->LockChangeEvents(false);
  }
}

TEST_F(EditControl, RepositoryItemMustFitAndItsEndIsHeardOnce) {
  auto* repository = new TkvEditRepository(form);
  auto* item = static_cast<TTestRepositoryItem*>(repository->CreateItem(TTestRepositoryItem::ClassInfo()));
  // The item's Properties are of a base class of the editor's: not acceptable.
  EXPECT_THROW(edit->SetRepositoryItem(item), EkvEditError);
  EXPECT_EQ(edit->GetRepositoryItem(), nullptr);
  auto* fitting = new TkvEditRepositoryItem(form);
  EXPECT_THROW(edit->SetRepositoryItem(fitting), EkvEditError);
  delete fitting;

  struct TFitItem : TkvEditRepositoryItem {
    explicit TFitItem(TComponent* O) : TkvEditRepositoryItem(O, TValidatingProperties::ClassInfo()) {}
  };
  auto* good = new TFitItem(form);
  good->GetProperties()->SetOnChange(MakeEvent<&TTestEdit::Change>(edit));
  edit->SetRepositoryItem(good);
  EXPECT_EQ(good->ListenerCount(), 1);
  EXPECT_EQ(edit->GetEffectiveProperties(), good->GetProperties());
  edit->log.clear();
  edit->SetEditValue("3");
  // Own OnChange, then the item's.
  EXPECT_EQ(edit->log, (Log{"value", "change", "change"}));
  delete good;
  EXPECT_EQ(edit->GetRepositoryItem(), nullptr);
  EXPECT_EQ(edit->GetEffectiveProperties(), edit->GetProperties());
}

TEST_F(EditControl, AnInPlaceActivationByAKeyShowsItsCharacterAsTyped) {
  auto* inplace = new TTestEdit(form, true);
  inplace->SetParent(form);
  inplace->SetBounds(10, 40, 120, 21);
  inplace->SetVisible(false);
  inplace->Listen();
  inplace->SetEditValue("4");
  inplace->log.clear();
  TkvCustomEditData* data = nullptr;
  inplace->BeginInplaceEditWithKey('2', data);
  Pump();
  EXPECT_TRUE(inplace->GetVisible());
  EXPECT_TRUE(inplace->Focused());
  EXPECT_EQ(inplace->text, "42");
  EXPECT_EQ(inplace->log, (Log{"press 2", "editing", "change"}));
  EXPECT_EQ(data, nullptr);
}

TEST_F(EditControl, EditDataOutlivesItsEditor) {
  auto* other = new TTestEdit(form, true);
  auto data = std::make_unique<TkvCustomEditData>(other);
  EXPECT_EQ(data->GetEdit(), other);
  EXPECT_TRUE(data->Cleared);
  delete other;
  EXPECT_EQ(data->GetEdit(), nullptr);
  data->Clear();
}

// The handler only raises the error flag: the value counts as unchanged and is read back from the
// editor; a handler that rewrites the value keeps its value.
TEST_F(EditControl, AnOnValidateThatOnlyFlagsAnErrorReloadsTheDisplayedText) {
  edit->text = "shown";
  struct Case {
    const char* display;
    bool error, changed;
    const char* after;
  };
  for (Case c : {Case{"4x", true, false, "shown"}, Case{"42", false, false, "42"}}) {
    Variant display = c.display;
    String errorText;
    bool changed = true, error = false;
    edit->GetProperties()->RunOnValidate(display, errorText, changed, edit, error);
    EXPECT_EQ(error, c.error) << c.display;
    EXPECT_EQ(changed, c.changed) << c.display;
    EXPECT_EQ(VarToStr(display), c.after) << c.display;
  }
  struct Rewriter : TObject {
    void Validate(TObject*, Variant& DisplayValue, String&, bool& Error) {
      DisplayValue = "0";
      Error = true;
    }
  } rewriter;
  edit->GetProperties()->SetOnValidate(MakeEvent<&Rewriter::Validate>(&rewriter));
  Variant display = "4x";
  String errorText;
  bool changed = false, error = false;
  edit->GetProperties()->RunOnValidate(display, errorText, changed, edit, error);
  EXPECT_TRUE(changed);
  EXPECT_EQ(VarToStr(display), "0");
}

// A host that refuses the posted value.
struct RefusingHost : TObject {
  void Post(TObject*) { throw Exception("the row is locked"); }
};

TEST_F(EditControl, AFailedPostOfAnInPlaceEditorKeepsTheEditAndSaysWhy) {
  auto* inplace = new TTestEdit(form, true);
  inplace->SetParent(form);
  inplace->SetBounds(10, 40, 120, 21);
  RefusingHost host;
  inplace->SetOnPostValue(MakeEvent<&RefusingHost::Post>(&host));
  inplace->SetFocus();
  Pump();
  inplace->MarkModifiedByUser(true);
  try {
    inplace->CommitEditValue(false);
    ADD_FAILURE() << "the refusal was swallowed";
  } catch (EkvEditValidationError& e) {
    EXPECT_EQ(e.Message(), "the row is locked");
  }
  EXPECT_TRUE(inplace->GetValueModified());
  EXPECT_TRUE(inplace->GetUserEdited());
  EXPECT_FALSE(inplace->IsPosting());
}

TEST_F(EditControl, RoutinesOfTheUnit) {
  EXPECT_EQ(MouseButtonShiftBit(mbRight), TShiftState{ssRight});
  EXPECT_EQ(ButtonCodeShiftBit(0), TShiftState{});
  EXPECT_EQ(ButtonCodeShiftBit(3), TShiftState{ssMiddle});
  EXPECT_TRUE(EditValuesEqual(Variant(3), Variant(3.0)));
  EXPECT_FALSE(EditValuesEqual(Variant("3"), Variant(3)));
  EXPECT_FALSE(VarSameTypeAndValue(Variant(3), Variant(3.0)));
  for (char c : {'\0', '\t', '\n', '\f', '\r', ' '}) EXPECT_TRUE(IsBlankChar(c));
  EXPECT_FALSE(IsBlankChar('\v'));
  TkvCustomEdit plain(form);
  EXPECT_EQ(plain.GetHiddenStyleValues(), (TkvContainerStyleValues{10, 11, 12, 13, 14, 15}));

  // The look an editor's buttons stand for: by the first button's style, or without buttons the
  // standard one.
  EXPECT_EQ(EditLookAndFeelKind(edit), lfStandard);
  edit->Props()->GetButtons()->AddButton();
  const std::pair<TkvEditButtonStyle, TkvLookAndFeelKind> kLooks[] = {
      {bts3D, lfStandard}, {btsSimple, lfFlat}, {btsHotFlat, lfFlat}, {btsUltraFlat, lfUltraFlat}, {btsOffice11, lfOffice11}};
  for (const auto& [style, look] : kLooks) {
    edit->GetEditStyle()->SetButtonStyle(style);
    Pump();
    EXPECT_EQ(EditLookAndFeelKind(edit), look) << style;
  }

  // Keys and characters sent as typed.
  Focus();
  edit->log.clear();
  SendKeyDownToEdit(edit, VK_HOME);
  SendCharToEdit(edit, 'q');
  EXPECT_EQ(edit->log, (Log{"down 36", "unhandled 36", "press q", "editing", "change"}));
}

}  // namespace

namespace {

// Logs the button hooks besides the editor's events.
class TButtonLoggingEdit : public TTestEdit {
 public:
  using TTestEdit::TTestEdit;
  void AfterButtonDown(Integer Index) override { log.push_back("down button " + IntToStr(Index)); }
  void AfterButtonUp(Integer Index) override { log.push_back("up button " + IntToStr(Index)); }
};

using EditMouse = EditorsTest;

TEST_F(EditMouse, PressDragOffAndBackThenReleaseClicksOnlyOverTheButton) {
  struct Case {
    const char* name;
    bool releaseOver;
    Log log;
  };
  const Case cases[] = {
      {"over", true, {"down button 1", "up button 1", "down button 1", "up button 1", "button 1"}},
      {"outside", false, {"down button 1", "up button 1", "down button 1", "up button 1"}},
  };
  form->SetBounds(20, 20, 300, 100);
  form->Show();
  for (const Case& c : cases) {
    auto* edit = new TButtonLoggingEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 160, 24);
    edit->Listen();
    for (int i = 0; i < 2; ++i) edit->Props()->GetButtons()->AddButton()->SetWidth(18);
    Pump();
    edit->log.clear();
    const TRect b = edit->GetEditViewInfo()->Buttons[1]->Bounds;
    auto screen = [&](Integer x, Integer y) {
      POINT p = edit->ClientToScreen(TPoint{x, y});
      return p;
    };
    const POINT on = screen((b.Left + b.Right) / 2, 12), off = screen(40, 12);
    InputMouseMove(on);
    InputMouseButton(on, MouseButton::Left, true);
    Pump();
    InputMouseMove(off);
    Pump();
    InputMouseMove(on);
    Pump();
    const POINT release = c.releaseOver ? on : off;
    InputMouseMove(release);
    InputMouseButton(release, MouseButton::Left, false);
    Pump();
    Log buttons;
    for (const String& entry : edit->log)
      if (entry.find("button") != String::npos) buttons.push_back(entry);
    EXPECT_EQ(buttons, c.log) << c.name;
    delete edit;
  }
}

}  // namespace

namespace {

// Properties whose editors are plain test editors.
class SlotProperties : public TValidatingProperties {
  TAVREN_CLASS(SlotProperties, TValidatingProperties)
 public:
  using TValidatingProperties::TValidatingProperties;
  TClass GetEditorClass() override { return TTestEdit::ClassInfo(); }
};
TAVREN_CLASS_IMPL(SlotProperties)

class DerivedTestEdit : public TTestEdit {
  TAVREN_CLASS(DerivedTestEdit, TTestEdit)
 public:
  using TTestEdit::TTestEdit;
};
TAVREN_CLASS_IMPL(DerivedTestEdit)

TEST_F(EditControl, PropertiesSlotsLendEditorsOfExactlyTheirClassAndForgetFreedProperties) {
  TkvEditorPropertiesSlots slots;
  auto* derived = new DerivedTestEdit(form);
  auto* plain = new TTestEdit(form);
  EXPECT_EQ(slots.AddEditor(derived), 0);
  EXPECT_EQ(slots.AddEditor(plain), 1);
  auto first = std::make_unique<SlotProperties>(nullptr);
  auto second = std::make_unique<SlotProperties>(nullptr);
  EXPECT_EQ(slots.FindEntry(first.get(), false), -1);
  // A descendant editor is no match: the plain one takes the Properties.
  EXPECT_EQ(slots.FindEntry(first.get(), true), 1);
  EXPECT_EQ(slots.FindEntry(first.get(), false), 1);
  EXPECT_EQ(slots.FindEntry(second.get(), true), -1);
  slots.ClearEntry(first.get());
  EXPECT_EQ(slots.FindEntry(second.get(), true), 1);
  // Freed Properties leave every table.
  TkvEditorPropertiesSlots other;
  other.AddEditor(plain);
  EXPECT_EQ(other.FindEntry(second.get(), true), 0);
  second.reset();
  EXPECT_EQ(slots.Entry(1).Properties, nullptr);
  EXPECT_EQ(other.Entry(0).Properties, nullptr);
  EXPECT_EQ(slots.Entry(1).Editor, plain);
}

}  // namespace
