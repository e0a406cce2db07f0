#include <gtest/gtest.h>

#include <cstdlib>

#include "VclTestSupport.h"
#include "backend/ScriptedInput.h"
#include "controls/ScrollBars.h"
#include "rtl/ClassRegistry.h"
#include "rtl/GlobalComponents.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "vcl/Timers.h"

// A frame and a form read from the test's form resources.
class TTestFrame : public TFrame {
  TAVREN_CLASS(TTestFrame, TFrame)
 public:
  using TFrame::TFrame;
  TTestPanel* FramePanel = nullptr;
  int PanelClicks = 0;
  void PanelClick(TObject*) { ++PanelClicks; }
};
TAVREN_CLASS_IMPL_PUBLISHED(TTestFrame, FIELD(FramePanel), METHOD(PanelClick))

class TTestLoadedForm : public TForm {
  TAVREN_CLASS(TTestLoadedForm, TForm)
 public:
  using TForm::TForm;
  TTestPanel* Button1 = nullptr;
  TTestFrame* Frame1 = nullptr;
  int Created = 0;
  void FormCreate(TObject*) { ++Created; }
};
TAVREN_CLASS_IMPL_PUBLISHED(TTestLoadedForm, FIELD(Button1), FIELD(Frame1), METHOD(FormCreate))

namespace {

class FormsTest : public VclTest {
 protected:
  void SetUp() override {
    VclTest::SetUp();
    RegisterClasses({TTestFrame::ClassInfo(), TTestLoadedForm::ClassInfo()});
  }
};

// Handlers the tests hang on forms and timers.
struct Script : TObject {
  TCustomForm* form = nullptr;
  int ticks = 0;
  int refusals = 0;
  bool othersDisabled = false;
  HWND other = nullptr;
  std::vector<String> log;
  void CloseWithOk(TObject*) {
    ++ticks;
    othersDisabled = other && !IsWindowEnabled(other);
    form->SetModalResult(mrOk);
  }
  void CloseByClose(TObject*) {
    ++ticks;
    form->Close();
  }
  void RefuseFirst(TObject*, bool& CanClose) {
    CanClose = refusals++ > 0;
  }
  void EnterOk(TObject*, Word& Key, TShiftState) {
    if (Key == VK_RETURN) {
      form->SetModalResult(mrOk);
      Key = 0;
    }
  }
  void Throw(TObject*) { throw Exception("boom"); }
  void Abort(TObject*) { throw EAbort("quiet"); }
  void Caught(TObject* Sender, Exception* E) { log.push_back(String(Sender ? Sender->ClassName() : "") + ":" + E->Message()); }
  void Enter(TObject* Sender) { log.push_back("enter " + static_cast<TComponent*>(Sender)->GetName()); }
  void Exit(TObject* Sender) { log.push_back("exit " + static_cast<TComponent*>(Sender)->GetName()); }
};

TEST_F(FormsTest, TimerEndsAModalLoopWithItsResultWhileOtherFormsAreDisabled) {
  TForm* owner = NewForm(0, 0, 200, 100);
  owner->Show();
  TForm* dialog = NewForm();
  Script script;
  script.form = dialog;
  script.other = owner->GetHandle();
  TTimer timer(nullptr);
  timer.SetInterval(250);
  timer.SetOnTimer(MakeEvent<&Script::CloseWithOk>(&script));
  uint64_t start = clock.Now();
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(script.ticks, 1);
  EXPECT_GE(clock.Now() - start, 250u);
  EXPECT_TRUE(script.othersDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner->GetHandle()));
  EXPECT_FALSE(dialog->GetVisible());
  EXPECT_FALSE(dialog->GetFormState().Contains(fsModal));
}

TEST_F(FormsTest, CloseInsideShowModalAsksCloseQueryFirst) {
  TForm* dialog = NewForm();
  Script script;
  script.form = dialog;
  dialog->SetOnCloseQuery(MakeEvent<&Script::RefuseFirst>(&script));
  TTimer timer(nullptr);
  timer.SetInterval(100);
  timer.SetOnTimer(MakeEvent<&Script::CloseByClose>(&script));
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_EQ(script.ticks, 2);  // the first Close was refused
  // Showing a visible form modally is refused.
  dialog->Show();
  EXPECT_THROW(dialog->ShowModal(), EInvalidOperation);
}

TEST_F(FormsTest, KeyPreviewSeesAScriptedKeyInsideShowModal) {
  TForm* dialog = NewForm();
  auto* panel = new TTestPanel(dialog);
  panel->SetParent(dialog);
  panel->SetTabStop(true);
  Script script;
  script.form = dialog;
  dialog->SetKeyPreview(true);
  dialog->SetOnKeyDown(MakeEvent<&Script::EnterOk>(&script));
  // A timer types the key once the dialog has the focus.
  struct Typist : TObject {
    void Type(TObject* Sender) {
      static_cast<TTimer*>(Sender)->SetEnabled(false);
      ScriptKeyPress(VK_RETURN);
    }
  } typist;
  TTimer timer(nullptr);
  timer.SetInterval(50);
  timer.SetOnTimer(MakeEvent<&Typist::Type>(&typist));
  EXPECT_EQ(dialog->ShowModal(), mrOk);
}

TEST_F(FormsTest, ExceptionsFromHandlersGoToOnExceptionAndAbortIsSilent) {
  TForm* form = NewForm(100, 100, 300, 200);
  form->SetBorderStyle(bsNone);
  auto* panel = new TTestPanel(form);
  panel->SetParent(form);
  panel->SetBounds(10, 10, 100, 50);
  Script script;
  Application()->SetOnException(MakeEvent<&Script::Caught>(&script));
  panel->SetOnClick(MakeEvent<&Script::Throw>(&script));
  form->Show();
  Settle();
  ScriptClick({120, 120});
  Settle();
  ASSERT_EQ(script.log.size(), 1u);
  EXPECT_EQ(script.log[0], "TTestPanel:boom");

  panel->SetOnClick(MakeEvent<&Script::Abort>(&script));
  ScriptClick({120, 120});
  Settle();
  EXPECT_EQ(script.log.size(), 1u);

  // A timer's handler takes the same route, and the loop goes on.
  TTimer timer(nullptr);
  timer.SetInterval(10);
  timer.SetOnTimer(MakeEvent<&Script::Throw>(&script));
  for (int i = 0; i < 20 && script.log.size() < 2; ++i) Application()->HandleMessage();
  timer.SetEnabled(false);
  ASSERT_EQ(script.log.size(), 2u);
  EXPECT_EQ(script.log[1], "TTimer:boom");
}

TEST_F(FormsTest, WithoutOnExceptionTheMessageIsShownInABox) {
  ModalRequest seen;
  SetModalResponder([&](const ModalRequest& request) {
    seen = request;
    return IDOK;
  });
  Application()->SetTitle("Converter");
  try {
    throw Exception("Disk full");
  } catch (...) {
    Application()->HandleException(nullptr);
  }
  EXPECT_EQ(seen.kind, "MessageBox");
  EXPECT_EQ(seen.text, "Disk full.");
  EXPECT_EQ(seen.caption, "Converter");
  EXPECT_TRUE(seen.flags & MB_ICONSTOP);
}

TEST_F(FormsTest, FormReadsItsResourceWithAFrameInside) {
  TTestLoadedForm* form = nullptr;
  Application()->CreateForm(form);
  ASSERT_NE(form, nullptr);
  forms.push_back(form);
  EXPECT_EQ(form->Created, 1);
  EXPECT_EQ(form->GetCaption(), "Loaded form");
  EXPECT_EQ(form->GetBorderStyle(), bsDialog);
  EXPECT_EQ(form->GetClientWidth(), 300);
  EXPECT_EQ(form->GetClientHeight(), 200);
  ASSERT_NE(form->Frame1, nullptr);
  ASSERT_NE(form->Frame1->FramePanel, nullptr);
  EXPECT_EQ(form->Frame1->GetParent(), form);
  EXPECT_EQ(form->Frame1->GetWidth(), 300);
  // The frame's panel keeps its own alignment and takes the form's override.
  EXPECT_EQ(form->Frame1->FramePanel->GetBoundsRect(), Bounds(0, 0, 300, 40));
  EXPECT_EQ(form->Button1->GetHint(), "Press|Closes the form");
  EXPECT_EQ(GetShortHint(form->Button1->GetHint()), "Press");
  EXPECT_EQ(form->Frame1->GetTabOrder(), 0);
  EXPECT_EQ(form->Button1->GetTabOrder(), 1);
  // The frame's handler is bound on the frame.
  form->Frame1->FramePanel->Click();
  EXPECT_EQ(form->Frame1->PanelClicks, 1);
  // The anchored button keeps its distance to the corner when the form grows.
  TRect before = form->Button1->GetBoundsRect();
  form->SetClientWidth(400);
  EXPECT_EQ(form->Button1->GetLeft(), before.Left + 100);
  EXPECT_EQ(Application()->GetMainForm(), form);
}

TEST_F(FormsTest, NonVisualComponentsStreamAsTheFormsChildren) {
  auto* form = new TForm(nullptr, 0);
  forms.push_back(form);
  auto* timer = new TTimer(form);
  timer->SetName("Ticker");
  timer->SetInterval(250);
  String text = WriteComponentToText(form);
  EXPECT_NE(text.find("object Ticker: TTimer\n    Interval = 250"), String::npos) << text;
  auto* copy = new TForm(nullptr, 0);
  forms.push_back(copy);
  ReadComponentFromText(text, copy);
  auto* read = dynamic_cast<TTimer*>(copy->FindComponent("Ticker"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetInterval(), 250u);
}

TEST_F(FormsTest, FormsAreGlobalComponentsByName) {
  auto* form = new TForm(nullptr, 0);
  forms.push_back(form);
  form->SetName("OptionsForm");
  EXPECT_EQ(FindGlobalComponent("optionsform"), form);
  EXPECT_EQ(FindGlobalComponent("Missing"), nullptr);
}

// Answers help requests for context 7 and leaves the others to the help system.
struct THelpAnswer : TObject {
  std::vector<Integer> asked;
  bool Help(Word Command, intptr_t Data, bool& CallHelp) {
    asked.push_back(static_cast<Integer>(Data));
    EXPECT_EQ(Command, HELP_CONTEXT);
    CallHelp = Data != 7;
    return true;
  }
};

TEST_F(FormsTest, HelpRequestsAnswerFalseWithoutAViewerUnlessOnHelpServesThem) {
  EXPECT_FALSE(Application()->HelpContext(7));
  THelpAnswer answer;
  Application()->SetOnHelp(MakeEvent<&THelpAnswer::Help>(&answer));
  EXPECT_TRUE(Application()->HelpContext(7));
  EXPECT_FALSE(Application()->HelpContext(8));
  Application()->SetOnHelp(THelpEvent());
  EXPECT_EQ(answer.asked, (std::vector<Integer>{7, 8}));
}

TEST_F(FormsTest, TabMovesTheFocusInTabOrderSkippingWhatCannotTakeIt) {
  TForm* form = NewForm();
  Script script;
  std::vector<TTestPanel*> panels;
  for (const char* name : {"A", "B", "C", "D", "E"}) {
    auto* panel = new TTestPanel(form);
    panel->SetName(name);
    panel->SetParent(form);
    panel->SetTabStop(true);
    panel->SetOnEnter(MakeEvent<&Script::Enter>(&script));
    panel->SetOnExit(MakeEvent<&Script::Exit>(&script));
    panels.push_back(panel);
  }
  panels[1]->SetEnabled(false);  // B
  panels[3]->SetTabStop(false);  // D
  panels[4]->SetTabOrder(0);     // E first
  form->Show();
  Settle();
  ASSERT_TRUE(panels[4]->Focused());
  script.log.clear();
  struct Step {
    UINT modifiers;
    const char* focused;
  };
  const Step kSteps[] = {{0, "A"}, {0, "C"}, {0, "E"}, {kShift, "C"}, {kShift, "A"}};
  for (const Step& step : kSteps) {
    ScriptKeyPress(VK_TAB, step.modifiers);
    Settle();
    TWinControl* active = form->GetActiveControl();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active->GetName(), step.focused);
    EXPECT_TRUE(active->Focused());
  }
  ASSERT_GE(script.log.size(), 2u);
  EXPECT_EQ(script.log[0], "exit E");
  EXPECT_EQ(script.log[1], "enter A");
}

TEST_F(FormsTest, HintShowsAfterThePauseAndHidesAfterTheHidePause) {
  TForm* form = NewForm(100, 100, 300, 200);
  form->SetBorderStyle(bsNone);
  auto* panel = new TTestPanel(form);
  panel->SetParent(form);
  panel->SetBounds(10, 10, 100, 50);
  panel->SetHint("Convert|Starts the conversion");
  panel->SetShowHint(true);
  form->Show();
  Settle();
  Application()->SetHintPause(500);
  Application()->SetHintHidePause(2500);
  uint64_t start = clock.Now();
  ScriptMouseMove({130, 130});
  Settle();
  auto hintShowing = [] {
    THintWindow* hint = Application()->GetHintWindow();
    return hint && hint->HandleAllocated() && IsWindowVisible(hint->GetHandle());
  };
  EXPECT_FALSE(hintShowing());
  EXPECT_EQ(Application()->GetHint(), "Starts the conversion");
  // Each idle wait jumps the fake clock to the next timer.
  for (int i = 0; i < 20 && !hintShowing(); ++i) Application()->HandleMessage();
  ASSERT_TRUE(hintShowing());
  EXPECT_GE(clock.Now() - start, 500u);
  EXPECT_LT(clock.Now() - start, 2500u);
  EXPECT_EQ(Application()->GetHintWindow()->GetCaption(), "Convert");
  uint64_t shown = clock.Now();
  for (int i = 0; i < 20 && hintShowing(); ++i) Application()->HandleMessage();
  EXPECT_FALSE(hintShowing());
  EXPECT_GE(clock.Now() - shown, 2500u);
}

}  // namespace

namespace {

TEST_F(FormsTest, BorderStyleAndIconsGiveTheWindowItsStyles) {
  struct Case {
    TFormBorderStyle border;
    TBorderIcons icons;
    DWORD styleOn;
    DWORD styleOff;
    DWORD exStyleOn;
  };
  const Case kCases[] = {
      {bsNone, {biSystemMenu}, WS_POPUP, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU, 0},
      {bsSingle, {biSystemMenu, biMinimize}, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_THICKFRAME | WS_MAXIMIZEBOX, 0},
      {bsSizeable, {biSystemMenu, biMinimize, biMaximize}, WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX, WS_POPUP, 0},
      {bsDialog, {biSystemMenu, biMinimize}, WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_MINIMIZEBOX | WS_THICKFRAME,
       WS_EX_DLGMODALFRAME},
      {bsToolWindow, {biSystemMenu, biMaximize}, WS_CAPTION | WS_SYSMENU, WS_MAXIMIZEBOX, WS_EX_TOOLWINDOW},
      {bsSizeToolWin, {biSystemMenu}, WS_CAPTION | WS_THICKFRAME, 0, WS_EX_TOOLWINDOW},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(static_cast<int>(c.border));
    TForm* form = NewForm();
    form->SetBorderStyle(c.border);
    form->SetBorderIcons(c.icons);
    HWND handle = form->GetHandle();
    DWORD style = static_cast<DWORD>(GetWindowLong(handle, GWL_STYLE));
    DWORD exStyle = static_cast<DWORD>(GetWindowLong(handle, GWL_EXSTYLE));
    EXPECT_EQ(style & c.styleOn, c.styleOn);
    EXPECT_EQ(style & c.styleOff, 0u);
    EXPECT_EQ(exStyle & c.exStyleOn, c.exStyleOn);
    EXPECT_EQ(style & WS_CHILD, 0u);
  }
}

TEST_F(FormsTest, PositionCentresAndLayeringBlends) {
  TForm* main = nullptr;
  Application()->CreateForm(main);
  forms.push_back(main);
  main->SetBounds(100, 100, 400, 300);
  main->Show();
  TForm* centred = NewForm(0, 0, 200, 100);
  centred->SetPosition(poMainFormCenter);
  centred->SetFormStyle(fsStayOnTop);
  centred->SetAlphaBlend(true);
  centred->SetAlphaBlendValue(180);
  centred->Show();
  EXPECT_EQ(centred->GetBoundsRect(), Bounds(200, 200, 200, 100));
  EXPECT_TRUE(GetWindowLong(centred->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(centred->GetHandle(), nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 180);
  TForm* screenCentred = NewForm(0, 0, 200, 100);
  screenCentred->SetPosition(poScreenCenter);
  screenCentred->Show();
  TRect area = Screen()->GetWorkAreaRect();
  EXPECT_EQ(screenCentred->GetLeft(), area.Left + (area.Width() - 200) / 2);
  EXPECT_EQ(screenCentred->GetTop(), area.Top + (area.Height() - 100) / 2);
}

}  // namespace

namespace {

// Run ends the application for good, so it runs in a process of its own.
TEST_F(FormsTest, RunEndsWhenTheMainFormCloses) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        TForm* main = nullptr;
        Application()->CreateForm(main);
        Script script;
        script.form = main;
        TTimer timer(nullptr);
        timer.SetInterval(100);
        timer.SetOnTimer(MakeEvent<&Script::CloseByClose>(&script));
        Application()->Run();
        // Straight out: the process's own end would tear down what the parent process still owns.
        std::_Exit(Application()->GetTerminated() && script.ticks == 1 ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

}  // namespace

namespace {
int gWrappedCalls = 0;
int CountingSetScrollPos(HWND window, int bar, int position, BOOL) {
  ++gWrappedCalls;
  return SetScrollPos(window, bar, position, FALSE);
}
}  // namespace

TEST_F(FormsTest, FormScrollBarEntryPointsSetTheWindowBarAndCanBeWrapped) {
  TForm* form = NewForm();
  HWND handle = form->GetHandle();
  SetWindowLong(handle, GWL_STYLE, GetWindowLong(handle, GWL_STYLE) | WS_VSCROLL);
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = 99;
  info.nPage = 10;
  info.nPos = 5;
  FormSetScrollInfo(handle, SB_VERT, &info, TRUE);
  EXPECT_EQ(GetScrollPos(handle, SB_VERT), 5);
  const TFormSetScrollPosProc saved = FormSetScrollPos;
  FormSetScrollPos = CountingSetScrollPos;
  FormSetScrollPos(handle, SB_VERT, 40, TRUE);
  FormSetScrollPos = saved;
  EXPECT_EQ(gWrappedCalls, 1);
  EXPECT_EQ(GetScrollPos(handle, SB_VERT), 40);
}

TEST(FormStreaming, OwnedComponentsWithoutParentRoundTripWithTheForm) {
  auto* root = new TForm(nullptr, 0);
  auto* timer = new TTimer(root);
  timer->SetName("Ticker");
  timer->SetInterval(250);
  // A component owned by another one is that one's to stream.
  auto* inner = new TTimer(timer);
  inner->SetName("Inner");
  const String text = WriteComponentToText(root);
  SCOPED_TRACE(text);
  EXPECT_NE(text.find("object Ticker: TTimer"), String::npos);
  EXPECT_EQ(text.find("Inner"), String::npos);
  delete root;
  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* read = dynamic_cast<TTimer*>(copy->FindComponent("Ticker"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetInterval(), 250);
  delete copy;
}
