// The program on a bare X server: keys, clicks, drop-downs, menus and boxes work without a window
// manager, and native windows carry the forms' captions and sizing.

#include "DesktopFixture.h"
#include "user/User.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Menus.h"
#include "vcl/StdCtrls.h"

namespace {

struct Recorder : TObject {
  int clicks = 0;
  std::vector<String> chosen;
  LRESULT answer = 0;
  void ButtonClick(TObject*) { ++clicks; }
  void ItemClick(TObject* Sender) { chosen.push_back(static_cast<TMenuItem*>(Sender)->GetCaption()); }
  void AskClick(TObject*) { answer = Application()->MessageBox("Keep the changes?", "Question", MB_OKCANCEL); }
};

POINT Middle(TControl* control) { return control->ClientToScreen(Point(control->GetWidth() / 2, control->GetHeight() / 2)); }

}  // namespace

TEST_F(NoWindowManagerTest, TypedTextReadsBackExactly) {
  TForm* form = ShowForm("Typing", Bounds(60, 60, 420, 120));
  auto* edit = Place<TEdit>(form, Bounds(16, 16, 380, 24));
  ASSERT_NE(ShowAndWait(form), 0);
  edit->SetFocus();
  struct Case {
    const char* typed;
    const char* expected;
  };
  const Case kCases[] = {
      {"Hello World! é", "Hello World! é"},  // Shift and a letter the keyboard map was given
      {"aBC", "aBC"},
      {"ab\bc", "ac"},  // keys without text still edit
  };
  for (const Case& c : kCases) {
    edit->SetText("");
    EXPECT_TRUE(Drive([&](XDriver& x) { x.Type(c.typed); }, [&] { return edit->GetText() == c.expected; }))
        << "typed \"" << c.typed << "\", read \"" << edit->GetText() << "\"";
  }
  Shot("typed");
}

TEST_F(NoWindowManagerTest, ClicksLandOnTheControlsUnderThePointer) {
  TForm* form = ShowForm("Clicks", Bounds(60, 60, 300, 160));
  Recorder recorder;
  auto* check = Place<TCheckBox>(form, Bounds(16, 16, 140, 20));
  check->SetCaption("Remember");
  auto* button = Place<TButton>(form, Bounds(16, 60, 90, 28));
  button->SetCaption("Convert");
  button->SetOnClick(MakeEvent<&Recorder::ButtonClick>(&recorder));
  ASSERT_NE(ShowAndWait(form), 0);
  const POINT box = check->ClientToScreen(Point(8, 10));
  const POINT face = Middle(button);
  EXPECT_TRUE(Drive(
      [&](XDriver& x) {
        x.Click(box);
        x.Click(face);
      },
      [&] { return check->GetChecked() && recorder.clicks == 1; }));
  Shot("clicked");
}

TEST_F(NoWindowManagerTest, DropDownChoosesAnItem) { ChooseFromDropDown(); }

TEST_F(NoWindowManagerTest, PopupMenuOpensAtThePointerAndChooses) {
  TForm* form = ShowForm("Menu", Bounds(60, 60, 360, 240));
  Recorder recorder;
  auto* menu = new TPopupMenu(form);
  for (const char* caption : {"Open", "Remove"}) {
    auto* item = new TMenuItem(menu);
    item->SetCaption(caption);
    item->SetOnClick(MakeEvent<&Recorder::ItemClick>(&recorder));
    menu->GetItems()->Add(item);
  }
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetAlign(alClient);
  panel->SetPopupMenu(menu);
  ASSERT_NE(ShowAndWait(form), 0);
  const POINT at = panel->ClientToScreen(Point(100, 80));
  const std::vector<XWindow> before = X().TopWindows();
  EXPECT_TRUE(Drive(
      [&](XDriver& x) {
        x.Click(at, 3);
        XWindow popup = WaitForNewTopWindow(x, before);
        ASSERT_NE(popup, 0u) << "no menu came up";
        RECT r = x.Geometry(popup);
        EXPECT_EQ(r.Left, at.X);
        EXPECT_EQ(r.Top, at.Y);
        Shot("open", &x);
        x.Click({r.Left + r.Width() / 2, r.Top + r.Height() * 3 / 4});
        EXPECT_TRUE(x.WaitFor([&] { return NewTopWindows(x, before).empty(); })) << "the menu stayed up";
      },
      [&] { return !recorder.chosen.empty(); }));
  EXPECT_EQ(recorder.chosen, std::vector<String>{"Remove"});
}

TEST_F(NoWindowManagerTest, ModalBoxTakesEnterAndTheFormTypesAfterwards) {
  TForm* form = ShowForm("Box owner", Bounds(60, 60, 320, 160));
  Recorder recorder;
  auto* button = Place<TButton>(form, Bounds(16, 16, 90, 28));
  button->SetCaption("Ask");
  button->SetOnClick(MakeEvent<&Recorder::AskClick>(&recorder));
  auto* edit = Place<TEdit>(form, Bounds(16, 70, 200, 24));
  ASSERT_NE(ShowAndWait(form), 0);
  const POINT face = Middle(button);
  const POINT field = Middle(edit);
  EXPECT_TRUE(Drive(
      [&](XDriver& x) {
        x.Click(face);
        ASSERT_TRUE(x.WaitFor([&] { return x.FindWindow("Question") != 0; })) << "no box came up";
        Shot("box", &x);
        x.Key("Return");
        EXPECT_TRUE(x.WaitFor([&] { return x.FindWindow("Question") == 0; })) << "the box stayed up";
        x.Click(field);
      },
      [&] { return recorder.answer == IDOK && edit->Focused(); }))
      << "answer " << recorder.answer;
  EXPECT_TRUE(Drive([&](XDriver& x) { x.Type("done"); }, [&] { return edit->GetText() == "done"; }))
      << "typed \"" << edit->GetText() << "\"";
}

TEST_F(NoWindowManagerTest, NativeTitleFollowsTheCaption) {
  TForm* form = ShowForm("First title", Bounds(60, 60, 300, 120));
  ASSERT_NE(ShowAndWait(form), 0);
  form->SetCaption("Second title é");
  EXPECT_TRUE(RunUntil([&] { return X().FindWindow("Second title é") != 0; }));
}

TEST_F(NoWindowManagerTest, SizableFormsAreResizableNativelyWithinTheirConstraints) {
  struct Case {
    TFormBorderStyle border;
    bool resizable;
  };
  const Case kCases[] = {{bsSizeable, true}, {bsSizeToolWin, true}, {bsDialog, false}, {bsSingle, false}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(static_cast<int>(c.border));
    TForm* form = ShowForm("Sizing", Bounds(60, 60, 400, 300), c.border);
    form->GetConstraints()->SetMinWidth(250);
    form->GetConstraints()->SetMaxHeight(500);
    XWindow window = ShowAndWait(form);
    ASSERT_NE(window, 0);
    SIZE minimum{}, maximum{};
    ASSERT_TRUE(X().SizeLimits(window, &minimum, &maximum));
    if (c.resizable) {
      EXPECT_EQ(minimum.cx, 250);
      EXPECT_EQ(maximum.cy, 500);
    } else {
      EXPECT_EQ(minimum, maximum);
      EXPECT_EQ(minimum.cx, 400);
    }
    form->Hide();
  }
}

namespace {

// A key tip's kind of window: a translucent top-level tool window that lets clicks through.
LRESULT ClickThroughTipProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCHITTEST) return HTTRANSPARENT;
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1));
    EndPaint(window, &ps);
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace

TEST_F(NoWindowManagerTest, ClicksPassATranslucentClickThroughToolWindow) {
  TForm* form = ShowForm("Tips", Bounds(60, 60, 300, 160));
  Recorder recorder;
  auto* button = Place<TButton>(form, Bounds(16, 60, 120, 40));
  button->SetCaption("Convert");
  button->SetOnClick(MakeEvent<&Recorder::ButtonClick>(&recorder));
  ASSERT_NE(ShowAndWait(form), 0);
  WNDCLASS c;
  if (!GetClassInfo(nullptr, "ClickThroughTip", &c)) {
    c.lpfnWndProc = ClickThroughTipProc;
    c.lpszClassName = "ClickThroughTip";
    RegisterClass(&c);
  }
  const POINT face = Middle(button);
  const std::vector<XWindow> before = X().TopWindows();
  HWND tip = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_TOPMOST, "ClickThroughTip", "", WS_POPUP,
                            face.X - 20, face.Y - 10, 40, 20, nullptr, nullptr, nullptr, nullptr);
  SetLayeredWindowAttributes(tip, 0, 153, LWA_ALPHA);
  ShowWindow(tip, SW_SHOWNOACTIVATE);
  EXPECT_TRUE(Drive(
      [&](XDriver& x) {
        ASSERT_NE(WaitForNewTopWindow(x, before), 0u) << "the tip did not come up";
        x.Click(face);
      },
      [&] { return recorder.clicks == 1; }));
  EXPECT_EQ(GetActiveWindow(), form->GetHandle());
  Shot("tip");
  DestroyWindow(tip);
}
