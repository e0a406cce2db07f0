#include <gtest/gtest.h>

#include <memory>

#include "StreamingFixtures.h"
#include "rtl/ColorIdents.h"
#include "rtl/FormParser.h"
#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "rtl/Writer.h"

namespace {

// Written in the writer's layout, so that writing it back must give it unchanged.
const char kForm[] =
    "object Form1: TTestForm\n"
    "  Left = 10\n"
    "  Top = 20\n"
    "  Width = 640\n"
    "  Caption = 'Main'#13#10'window'\n"
    "  Color = clInfoBk\n"
    "  Visible = False\n"
    "  Ratio = 2.5\n"
    "  Big = 5000000000\n"
    "  Font.Size = 10\n"
    "  Font.Style = [tfsBold, tfsUnderline]\n"
    "  Font.Color = clMedGray\n"
    "  object Panel1: TTestControl\n"
    "    Left = 0\n"
    "    Top = 0\n"
    "    Caption = 'It''s here'\n"
    "    Kind = tkdCancel\n"
    "    Buddy = Button1\n"
    "    Columns = <\n"
    "      item\n"
    "        Caption = 'Name'\n"
    "        Width = 120\n"
    "      end\n"
    "      item\n"
    "        Caption = 'Size'\n"
    "      end>\n"
    "    Numbers = (\n"
    "      1\n"
    "      -2\n"
    "      3)\n"
    "    Data = {\n"
    "      00FF7F80}\n"
    "    object Button1: TTestControl\n"
    "      Left = 8\n"
    "      Top = 16\n"
    "      Color = 12345\n"
    "      Buddy = Panel1\n"
    "      OnClick = Button1Click\n"
    "    end\n"
    "  end\n"
    "  object Label1: TTestControl\n"
    "    Left = 1\n"
    "    Top = 2\n"
    "    Buddy = Form1\n"
    "  end\n"
    "end\n";

class Streaming : public testing::Test {
 protected:
  void SetUp() override {
    RegisterStreamingFixtures();
    LoadedLog().clear();
  }

  // Reads Text into a new form and answers the message of the EReadError it raises.
  static String ReadError(const String& text) {
    TTestForm form(nullptr);
    try {
      ReadComponentFromText(text, &form);
    } catch (const EReadError& e) {
      return e.Message();
    }
    return "no error";
  }
};

TTestControl* Find(TComponent* owner, const char* name) {
  return static_cast<TTestControl*>(owner->FindComponent(name));
}

}  // namespace

TEST_F(Streaming, FormLoadsIntoRegisteredClassesAndWritesBackUnchanged) {
  TTestForm form(nullptr);
  ReadComponentFromText(kForm, &form);

  EXPECT_EQ(form.GetName(), "Form1");
  EXPECT_EQ(form.GetCaption(), "Main\r\nwindow");
  EXPECT_EQ(form.GetWidth(), 640);
  EXPECT_EQ(form.GetColor(), clInfoBk);
  EXPECT_FALSE(form.GetVisible());
  EXPECT_EQ(form.GetRatio(), 2.5);
  EXPECT_EQ(form.GetBig(), 5000000000);
  EXPECT_EQ(form.GetFont()->GetStyle(), (TTestFontStyles{tfsBold, tfsUnderline}));
  EXPECT_EQ(form.GetFont()->GetColor(), clMedGray);

  TTestControl* panel = Find(&form, "Panel1");
  TTestControl* button = Find(&form, "Button1");
  ASSERT_TRUE(panel && button);
  EXPECT_EQ(panel->GetParent(), &form);
  EXPECT_EQ(button->GetParent(), panel);
  EXPECT_EQ(form.Button1, button);  // the published field
  EXPECT_EQ(panel->GetKind(), tkdCancel);
  EXPECT_EQ(panel->GetBuddy(), button);  // a forward reference
  EXPECT_EQ(button->GetBuddy(), panel);
  EXPECT_EQ(Find(&form, "Label1")->GetBuddy(), &form);
  ASSERT_EQ(panel->GetColumns()->GetCount(), 2);
  EXPECT_EQ(static_cast<TTestColumn*>(panel->GetColumns()->GetItems(0))->GetWidth(), 120);
  EXPECT_EQ(static_cast<TTestColumn*>(panel->GetColumns()->GetItems(1))->GetCaption(), "Size");
  EXPECT_EQ(panel->Numbers, (std::vector<Integer>{1, -2, 3}));
  EXPECT_EQ(panel->Data, String("\x00\xFF\x7F\x80", 4));
  EXPECT_TRUE(panel->LoadingWhenRead);

  button->GetOnClick()(button);
  EXPECT_EQ(form.Clicks, 1);

  // Loaded once each, children in creation order and the root last, with references fixed.
  EXPECT_EQ(LoadedLog(), (std::vector<String>{"Panel1->Button1", "Button1->Panel1", "Label1->Form1", "Form1"}));
  for (TTestControl* c : {static_cast<TTestControl*>(&form), panel, button}) {
    EXPECT_EQ(c->LoadedCalls, 1);
    EXPECT_FALSE(c->GetComponentState().Contains(csLoading));
    EXPECT_FALSE(c->GetComponentState().Contains(csReading));
  }

  EXPECT_EQ(WriteComponentToText(&form), kForm);
}

TEST_F(Streaming, DefaultsAreNotWritten) {
  TTestForm form(nullptr);
  form.SetName("Form1");
  EXPECT_EQ(WriteComponentToText(&form),
            "object Form1: TTestForm\n"
            "  Left = 0\n"
            "  Top = 0\n"
            "end\n");
  // A handler that is not a method of the root has no name in the form: it is left out.
  TTestForm other(nullptr);
  form.SetOnClick(MakeEvent<&TTestForm::Button1Click>(&other));
  form.SetKind(tkdDefault);
  form.GetFont()->SetSize(9);
  EXPECT_EQ(WriteComponentToText(&form),
            "object Form1: TTestForm\n"
            "  Left = 0\n"
            "  Top = 0\n"
            "  Kind = tkdDefault\n"
            "  Font.Size = 9\n"
            "end\n");
}

TEST_F(Streaming, AReferenceToAComponentWithoutANameIsLeftOut) {
  TTestForm form(nullptr);
  form.SetName("Form1");
  // An unnamed component of the form (an editor's inner part) cannot be named back.
  auto* inner = new TTestControl(&form);
  form.SetBuddy(inner);
  EXPECT_EQ(WriteComponentToText(&form), "object Form1: TTestForm\n  Left = 0\n  Top = 0\nend\n");
}

TEST_F(Streaming, UnknownClassRaisesClassNotFound) {
  TTestForm form(nullptr);
  try {
    ReadComponentFromText("object Form1: TTestForm\n  object X: TNoSuchThing\n  end\nend\n", &form);
    FAIL() << "no error";
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), "Class TNoSuchThing not found on line 2");
  }
  EXPECT_FALSE(form.GetComponentState().Contains(csLoading));
}

TEST_F(Streaming, TextThatDoesNotFitTheClassesRaisesReadErrorWithLine) {
  struct Case {
    const char* body;
    const char* message;
  };
  const Case kCases[] = {
      {"  Foo = 1\n", "Error reading Form1.Foo: Property Foo does not exist on line 2"},
      {"  Font.Foo = 1\n", "Error reading Form1.Font.Foo: Property Foo does not exist on line 2"},
      {"  Left = 'ten'\n", "Error reading Form1.Left: Invalid property value on line 2"},
      {"  Left = 3000000000\n", "Error reading Form1.Left: Invalid property value on line 2"},
      {"  Kind = tkdHuge\n", "Error reading Form1.Kind: Invalid property value on line 2"},
      {"  Visible = 1\n", "Error reading Form1.Visible: Invalid property value on line 2"},
      {"  Font.Style = [tfsBold, tfsStrike]\n", "Error reading Form1.Font.Style: Invalid property value on line 2"},
      {"  Color = clNoColour\n", "Error reading Form1.Color: Invalid property value on line 2"},
      {"  Buddy = Nobody\n", "Error reading Form1.Buddy: Component Nobody not found on line 2"},
      {"  OnClick = Missing\n", "Error reading Form1.OnClick: Method Missing not found in TTestForm on line 2"},
      {"  OnClick = Other\n", "Error reading Form1.OnClick: Invalid method type for OnClick on line 2"},
      {"  Numbers = (\n    1\n    'x')\n", "Error reading Form1.Numbers: Invalid property value on line 2"},
      {"  Data = 5\n", "Error reading Form1.Data: Invalid property value on line 2"},
      {"  Columns = <\n    item\n      Wide = 1\n    end>\n",
       "Error reading TOwnedCollection[0].Wide: Property Wide does not exist on line 4"},
      {"  inherited Nobody: TTestControl\n  end\n", "Ancestor for 'Nobody' not found on line 2"},
      {"  object Panel1: TTestControl\n  end\n  object Panel1: TTestControl\n  end\n",
       "A component named Panel1 already exists on line 4"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.body);
    EXPECT_EQ(ReadError(String("object Form1: TTestForm\n") + c.body + "end\n"), c.message);
  }
}

namespace {

class TErrorSink : public TObject {
 public:
  std::vector<String> Messages;
  void Skip(TReader*, const String& message, bool& handled) {
    Messages.push_back(message);
    handled = true;
  }
};

}  // namespace

TEST_F(Streaming, OnErrorHandlerSkipsBadProperties) {
  TTestForm form(nullptr);
  TErrorSink sink;
  TReader reader(
      "object Form1: TTestForm\n"
      "  Gone = 1\n"
      "  Left = 5\n"
      "  Buddy = Nobody\n"
      "end\n");
  reader.SetOnError(MakeEvent<&TErrorSink::Skip>(&sink));
  reader.ReadRootComponent(&form);
  EXPECT_EQ(form.GetLeft(), 5);
  EXPECT_EQ(sink.Messages, (std::vector<String>{"Error reading Form1.Gone: Property Gone does not exist on line 2",
                                                "Error reading Form1.Buddy: Component Nobody not found on line 4"}));
  EXPECT_EQ(form.LoadedCalls, 1);
}

TEST_F(Streaming, MalformedTextRaisesParserErrorAndLeavesTheRootUsable) {
  TTestForm form(nullptr);
  EXPECT_THROW(ReadComponentFromText("object Form1: TTestForm\n  Left = \n", &form), EParserError);
  EXPECT_FALSE(form.GetComponentState().Contains(csLoading));
  EXPECT_EQ(form.LoadedCalls, 0);
}

TEST_F(Streaming, ValuesOfEveryKindRoundTrip) {
  struct Case {
    const char* property;
    const char* text;
  };
  const Case kCases[] = {
      {"Font.Style", "[]"},
      {"Font.Style", "[tfsBold]"},
      {"Font.Style", "[tfsBold, tfsItalic, tfsUnderline]"},
      {"Kind", "tkdDefault"},
      {"Kind", "tkdCancel"},
      {"Visible", "False"},
      {"Color", "clBlack"},
      {"Color", "clMenuBar"},
      {"Color", "clNone"},
      {"Color", "-2147483617"},
      {"Font.Color", "clDefault"},
      {"Ratio", "-1.25E-7"},
      {"Value", "Null"},
      {"Value", "True"},
      {"Value", "-7"},
      {"Value", "5000000000"},
      {"Value", "0.5"},
      {"Value", "'text'"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(String(c.property) + " = " + c.text);
    String text = String("object Form1: TTestForm\n  Left = 0\n  Top = 0\n  ") + c.property + " = " + c.text + "\nend\n";
    TTestForm form(nullptr);
    ReadComponentFromText(text, &form);
    EXPECT_EQ(WriteComponentToText(&form), String(c.text) == "[]" ? text.substr(0, text.find("  Font")) + "end\n" : text);
  }
}

TEST_F(Streaming, InheritedFormReadsItsAncestorsResourceFirst) {
  TTestInheritedForm form(nullptr);
  ASSERT_TRUE(InitInheritedComponent(&form, TTestControl::ClassInfo()));
  EXPECT_EQ(form.GetName(), "Form1");
  EXPECT_EQ(form.GetCaption(), "derived");
  TTestControl* panel = Find(&form, "Panel1");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->GetLeft(), 5);   // from the ancestor's form
  EXPECT_EQ(panel->GetWidth(), 250);  // overridden
  EXPECT_EQ(Find(&form, "Extra")->GetParent(), panel);
  EXPECT_EQ(LoadedLog(), (std::vector<String>{"Panel1", "Extra->Panel1", "Form1"}));

  TTestForm plain(nullptr);
  EXPECT_THROW(ReadComponentRes("TNoSuchForm", &plain), EResNotFound);
  EXPECT_FALSE(InitInheritedComponent(&plain, TTestForm::ClassInfo()));
}

TEST_F(Streaming, InlineFrameTakesOverridesOfItsPropertiesAndChildren) {
  TTestForm form(nullptr);
  ReadComponentFromText(
      "object Form1: TTestForm\n"
      "  inline Frame1: TTestFrame\n"
      "    Caption = 'overridden'\n"
      "    inherited Label1: TTestControl\n"
      "      Width = 77\n"
      "      OnClick = Button1Click\n"
      "    end\n"
      "  end\n"
      "end\n",
      &form);
  auto* frame = static_cast<TTestFrame*>(form.FindComponent("Frame1"));
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->GetComponentState().Contains(csInline));
  EXPECT_EQ(frame->GetCaption(), "overridden");
  EXPECT_EQ(frame->GetWidth(), 300);  // from the frame's own form
  TTestControl* label = Find(frame, "Label1");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->GetWidth(), 77);
  EXPECT_EQ(label->GetCaption(), "label");
  EXPECT_EQ(Find(frame, "Edit1")->GetBuddy(), label);
  label->GetOnClick()(label);  // bound to the form's method
  EXPECT_EQ(form.Clicks, 1);
  // One load: the frame's components after the frame's own read, every Loaded once, form last.
  EXPECT_EQ(LoadedLog(), (std::vector<String>{"Label1", "Edit1->Label1", "Frame1", "Form1"}));
}

// The form's published field follows its component: set when it is named into the form, moved on
// rename, cleared when the component is removed or freed, so that it never dangles.
TEST(PublishedFields, FollowTheirComponent) {
  RegisterStreamingFixtures();
  TTestForm form(nullptr);
  auto* button = new TTestControl(&form);
  button->SetName("Button1");
  EXPECT_EQ(form.Button1, button);
  button->SetName("Button2");
  EXPECT_EQ(form.Button1, nullptr);
  button->SetName("Button1");
  EXPECT_EQ(form.Button1, button);
  delete button;
  EXPECT_EQ(form.Button1, nullptr);

  auto* other = new TTestControl(&form);
  other->SetName("Button1");
  form.RemoveComponent(other);
  EXPECT_EQ(form.Button1, nullptr);
  delete other;
}

// Each object block is one level of nesting, whatever it holds: a form nested as deep as the
// reader allows, with properties and a list at its deepest level, reads back and writes unchanged.
TEST_F(Streaming, DeepestFormTheReaderAllowsRoundTrips) {
  auto deepForm = [](int levels) {
    String text;
    for (int i = 0; i <= levels; ++i) {
      const String indent(static_cast<size_t>(i) * 2, ' ');
      text += indent + (i == 0 ? "object Form1: TTestForm\n" : "object C" + IntToStr(i) + ": TTestControl\n");
      text += indent + "  Left = " + IntToStr(i) + "\n" + indent + "  Top = 0\n";
      if (i == levels) text += indent + "  Numbers = (\n" + indent + "    7)\n";
    }
    for (int i = levels; i >= 0; --i) text += String(static_cast<size_t>(i) * 2, ' ') + "end\n";
    return text;
  };
  const String text = deepForm(FormMaxNesting);
  TTestForm form(nullptr);
  ReadComponentFromText(text, &form);
  EXPECT_EQ(WriteComponentToText(&form), text);
  EXPECT_THROW(ParseFormText(deepForm(FormMaxNesting + 1)), EParserError);
}
