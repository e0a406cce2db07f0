#include <gtest/gtest.h>

#include "VclTestSupport.h"
#include "backend/ScriptedInput.h"
#include "controls/Edit.h"
#include "vcl/Controls.h"
#include "vcl/StdCtrls.h"

namespace {

using ControlsTest = VclTest;

TEST_F(ControlsTest, AlignedChildrenShareTheClientAreaAndFollowItsSize) {
  TForm* form = NewForm();
  auto* parent = new TTestPanel(form);
  parent->SetParent(form);
  parent->SetBounds(0, 0, 400, 300);
  struct Case {
    const char* name;
    TAlign align;
    TRect start;
    TRect at400x300;
    TRect at500x400;
  };
  const Case kCases[] = {
      {"top", alTop, Bounds(0, 50, 10, 30), Bounds(0, 0, 400, 30), Bounds(0, 0, 500, 30)},
      {"bottom", alBottom, Bounds(0, 0, 10, 20), Bounds(0, 280, 400, 20), Bounds(0, 380, 500, 20)},
      {"left", alLeft, Bounds(0, 0, 50, 10), Bounds(0, 30, 50, 250), Bounds(0, 30, 50, 350)},
      {"right", alRight, Bounds(0, 0, 60, 10), Bounds(340, 30, 60, 250), Bounds(440, 30, 60, 350)},
      {"client", alClient, Bounds(0, 0, 10, 10), Bounds(50, 30, 290, 250), Bounds(50, 30, 390, 350)},
  };
  std::vector<TTestPanel*> children;
  for (const Case& c : kCases) {
    auto* child = new TTestPanel(form);
    child->SetBoundsRect(c.start);
    child->SetAlign(c.align);
    child->SetParent(parent);
    children.push_back(child);
  }
  for (size_t i = 0; i < children.size(); ++i) {
    SCOPED_TRACE(kCases[i].name);
    EXPECT_EQ(children[i]->GetBoundsRect(), kCases[i].at400x300);
  }
  parent->SetBounds(0, 0, 500, 400);
  for (size_t i = 0; i < children.size(); ++i) {
    SCOPED_TRACE(kCases[i].name);
    EXPECT_EQ(children[i]->GetBoundsRect(), kCases[i].at500x400);
  }
}

TEST_F(ControlsTest, AnchorsKeepTheirDistancesWhenTheParentResizes) {
  TForm* form = NewForm();
  auto* parent = new TTestPanel(form);
  parent->SetParent(form);
  parent->SetBounds(0, 0, 400, 300);
  struct Case {
    const char* name;
    TAnchors anchors;
    TRect start;
    TRect after;  // parent at 500 x 400
  };
  const Case kCases[] = {
      {"left top", {akLeft, akTop}, Bounds(10, 10, 50, 20), Bounds(10, 10, 50, 20)},
      {"right bottom", {akRight, akBottom}, Bounds(300, 250, 50, 20), Bounds(400, 350, 50, 20)},
      {"left right", {akLeft, akTop, akRight}, Bounds(10, 10, 380, 20), Bounds(10, 10, 480, 20)},
      {"all four", {akLeft, akTop, akRight, akBottom}, Bounds(10, 10, 380, 280), Bounds(10, 10, 480, 380)},
      {"none keeps the centre", {}, Bounds(175, 140, 50, 20), Bounds(225, 190, 50, 20)},
  };
  std::vector<TControl*> children;
  for (const Case& c : kCases) {
    TControl* child = c.anchors.Contains(akBottom) ? static_cast<TControl*>(new TTestGraphic(form)) : new TTestPanel(form);
    child->SetParent(parent);
    child->SetBoundsRect(c.start);
    child->SetAnchors(c.anchors);
    children.push_back(child);
  }
  parent->SetBounds(0, 0, 500, 400);
  for (size_t i = 0; i < children.size(); ++i) {
    SCOPED_TRACE(kCases[i].name);
    EXPECT_EQ(children[i]->GetBoundsRect(), kCases[i].after);
  }
  // Back to the first size: no drift from rounding.
  parent->SetBounds(0, 0, 400, 300);
  for (size_t i = 0; i < children.size(); ++i) {
    SCOPED_TRACE(kCases[i].name);
    EXPECT_EQ(children[i]->GetBoundsRect(), kCases[i].start);
  }
}

TEST_F(ControlsTest, BorderWidthAndConstraintsLimitWhatAlignmentGives) {
  // A tree of controls with no form and no windows aligns all the same, and makes no window.
  TForm* form = NewForm();
  auto* parent = new TTestPanel(form);
  parent->SetBounds(0, 0, 400, 300);
  parent->SetBorderWidth(5);
  auto* left = new TTestPanel(form);
  left->GetConstraints()->SetMaxHeight(100);
  left->SetWidth(40);
  left->SetAlign(alLeft);
  left->SetParent(parent);
  auto* client = new TTestPanel(form);
  client->SetAlign(alClient);
  client->SetParent(parent);
  EXPECT_EQ(left->GetBoundsRect(), Bounds(5, 5, 40, 100));
  EXPECT_EQ(client->GetBoundsRect(), Bounds(45, 5, 350, 290));
  // A control is never given a negative size, however small its parent gets.
  parent->SetBounds(0, 0, 30, 8);
  EXPECT_GE(client->GetWidth(), 0);
  EXPECT_GE(client->GetHeight(), 0);
  EXPECT_FALSE(parent->HandleAllocated());
  EXPECT_FALSE(form->HandleAllocated());
}

TEST_F(ControlsTest, ParentChangesAtRunTimeMoveTheWindowAndRefuseRings) {
  TForm* form = NewForm();
  form->Show();
  auto* a = new TTestPanel(form);
  a->SetParent(form);
  auto* b = new TTestPanel(form);
  b->SetParent(form);
  auto* child = new TTestPanel(form);
  child->SetParent(a);
  HWND handle = child->GetHandle();
  EXPECT_EQ(GetParent(handle), a->GetHandle());
  child->SetParent(b);
  EXPECT_EQ(b->GetControlCount(), 1);
  EXPECT_EQ(a->GetControlCount(), 0);
  EXPECT_EQ(GetParent(child->GetHandle()), b->GetHandle());
  EXPECT_THROW(b->SetParent(child), EInvalidOperation);
  EXPECT_THROW(b->SetParent(b), EInvalidOperation);
  EXPECT_EQ(b->GetParent(), form);
}

TEST_F(ControlsTest, StateChangesSendTheirNotificationsOnceAndHandThemDown) {
  TForm* form = NewForm();
  auto* parent = new TTestPanel(form);
  parent->SetParent(form);
  auto* follows = new TTestPanel(form);
  follows->SetParent(parent);
  auto* own = new TTestPanel(form);
  own->SetParent(parent);
  own->SetColor(clRed);
  own->GetFont()->SetSize(20);
  for (TTestPanel* p : {parent, follows, own}) p->Log.clear();

  parent->SetColor(clBlue);
  parent->SetColor(clBlue);
  EXPECT_EQ(parent->Count(CM_COLORCHANGED), 1);
  EXPECT_EQ(follows->GetColor(), clBlue);
  EXPECT_EQ(follows->Count(CM_COLORCHANGED), 1);
  EXPECT_EQ(own->GetColor(), clRed);
  EXPECT_EQ(own->Count(CM_COLORCHANGED), 0);

  parent->GetFont()->SetSize(14);
  EXPECT_EQ(parent->Count(CM_FONTCHANGED), 1);
  EXPECT_EQ(follows->GetFont()->GetSize(), 14);
  EXPECT_TRUE(follows->GetParentFont());
  EXPECT_EQ(own->GetFont()->GetSize(), 20);

  struct Case {
    const char* name;
    UINT msg;
    void (*change)(TTestPanel*);
  };
  const Case kCases[] = {
      {"enabled", CM_ENABLEDCHANGED, [](TTestPanel* p) { p->SetEnabled(false); p->SetEnabled(false); }},
      {"visible", CM_VISIBLECHANGED, [](TTestPanel* p) { p->SetVisible(false); p->SetVisible(false); }},
      {"text", CM_TEXTCHANGED, [](TTestPanel* p) { p->SetText("abc"); p->SetText("abc"); }},
      {"show hint", CM_SHOWHINTCHANGED, [](TTestPanel* p) { p->SetShowHint(true); p->SetShowHint(true); }},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    auto* p = new TTestPanel(form);
    p->SetParent(parent);
    p->Log.clear();
    c.change(p);
    EXPECT_EQ(p->Count(c.msg), 1);
  }
}

TEST_F(ControlsTest, TextLivesInTheWindowOnceThereIsOne) {
  TForm* form = NewForm();
  form->Show();
  auto* panel = new TTestPanel(form);
  panel->SetParent(form);
  panel->SetText("before");
  HWND handle = panel->GetHandle();
  char buffer[32] = {};
  GetWindowText(handle, buffer, sizeof(buffer));
  EXPECT_STREQ(buffer, "before");
  panel->SetText("after");
  GetWindowText(handle, buffer, sizeof(buffer));
  EXPECT_STREQ(buffer, "after");
  EXPECT_EQ(panel->GetText(), "after");
}

TEST_F(ControlsTest, ParentsReflectMessagesAboutChildWindowsBackToThem) {
  TForm* form = NewForm();
  form->Show();
  auto* parent = new TTestPanel(form);
  parent->SetParent(form);
  auto* child = new TTestPanel(form);
  child->SetParent(parent);
  HWND p = parent->GetHandle();
  HWND c = child->GetHandle();
  NMHDR header;
  header.hwndFrom = c;
  DRAWITEMSTRUCT draw;
  draw.CtlType = ODT_BUTTON;
  draw.hwndItem = c;
  struct Case {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    UINT reflected;
  };
  const Case kCases[] = {
      {WM_COMMAND, 7, reinterpret_cast<LPARAM>(c), CN_COMMAND},
      {WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header), CN_NOTIFY},
      {WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw), CN_DRAWITEM},
      {WM_HSCROLL, 0, reinterpret_cast<LPARAM>(c), CN_HSCROLL},
      {WM_CTLCOLOREDIT, 0, reinterpret_cast<LPARAM>(c), CN_CTLCOLOREDIT},
  };
  for (const Case& k : kCases) {
    SCOPED_TRACE(k.msg);
    child->Log.clear();
    SendMessage(p, k.msg, k.wParam, k.lParam);
    EXPECT_EQ(child->Count(k.reflected), 1);
  }
  // CN_CTLCOLOR* answers the child's brush, with its colours set in the DC.
  child->SetColor(clYellow);
  HDC dc = GetDC(c);
  LRESULT brush = SendMessage(p, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(c));
  EXPECT_EQ(brush, reinterpret_cast<LRESULT>(child->GetBrush()->GetHandle()));
  EXPECT_EQ(GetBkColor(dc), ColorToRGB(clYellow));
  ReleaseDC(c, dc);
  // A notification from a window no control owns goes to the default procedure.
  header.hwndFrom = reinterpret_cast<HWND>(0x1234);
  EXPECT_EQ(SendMessage(p, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header)), 0);
}

TEST_F(ControlsTest, WindowlessChildTakesTheMouseFirstAndClicks) {
  TForm* form = NewForm(100, 100, 300, 200);
  form->SetBorderStyle(bsNone);
  auto* graphic = new TTestGraphic(form);
  graphic->SetParent(form);
  graphic->SetBounds(20, 30, 40, 20);
  int clicks = 0;
  struct Counter : TObject {
    int* count;
    void Click(TObject*) { ++*count; }
  } counter;
  counter.count = &clicks;
  graphic->SetOnClick(MakeEvent<&Counter::Click>(&counter));
  form->Show();
  Settle();
  POINT inside{100 + 25, 100 + 35};
  ScriptClick(inside);
  Settle();
  EXPECT_EQ(graphic->Count(WM_LBUTTONDOWN), 1);
  EXPECT_EQ(graphic->Count(WM_LBUTTONUP), 1);
  EXPECT_EQ(clicks, 1);
  // Pressed inside and released outside is no click.
  InputMouseButton(inside, MouseButton::Left, true);
  InputMouseMove({300, 250});
  InputMouseButton({300, 250}, MouseButton::Left, false);
  Settle();
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsTest, MouseEnterAndLeaveFollowTheCursor) {
  TForm* form = NewForm(100, 100, 300, 200);
  form->SetBorderStyle(bsNone);
  auto* panel = new TTestPanel(form);
  panel->SetParent(form);
  panel->SetBounds(10, 10, 100, 50);
  auto* graphic = new TTestGraphic(form);
  graphic->SetParent(form);
  graphic->SetBounds(150, 10, 40, 20);
  form->Show();
  Settle();
  InputMouseMove({100 + 20, 100 + 20});
  Settle();
  EXPECT_EQ(panel->Count(CM_MOUSEENTER), 1);
  InputMouseMove({100 + 160, 100 + 15});
  Settle();
  EXPECT_EQ(panel->Count(CM_MOUSELEAVE), 1);
  EXPECT_EQ(graphic->Count(CM_MOUSEENTER), 1);
  InputMouseMove({5, 5});
  Settle();
  EXPECT_EQ(graphic->Count(CM_MOUSELEAVE), 1);
}

TEST_F(ControlsTest, DragFromOneControlDropsOnTheOneThatAccepts) {
  TForm* form = NewForm(100, 100, 300, 200);
  form->SetBorderStyle(bsNone);
  auto* source = new TTestPanel(form);
  source->SetParent(form);
  source->SetBounds(10, 10, 50, 50);
  source->SetDragMode(dmAutomatic);
  auto* target = new TTestGraphic(form);
  target->SetParent(form);
  target->SetBounds(150, 10, 50, 50);
  struct Log : TObject {
    TObject* dropped = nullptr;
    TObject* endTarget = nullptr;
    bool ended = false;
    void Over(TObject*, TObject*, Integer, Integer, TDragState, bool& Accept) { Accept = true; }
    void Drop(TObject*, TObject* Source, Integer, Integer) { dropped = Source; }
    void End(TObject*, TObject* Target, Integer, Integer) {
      ended = true;
      endTarget = Target;
    }
  } log;
  target->SetOnDragOver(MakeEvent<&Log::Over>(&log));
  target->SetOnDragDrop(MakeEvent<&Log::Drop>(&log));
  source->SetOnEndDrag(MakeEvent<&Log::End>(&log));
  form->Show();
  Settle();
  ScriptDrag({100 + 20, 100 + 20}, {100 + 170, 100 + 30});
  Settle();
  EXPECT_EQ(log.dropped, source);
  EXPECT_TRUE(log.ended);
  EXPECT_EQ(log.endTarget, target);
  EXPECT_EQ(DragObject(), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace

namespace {

TEST_F(ControlsTest, WheelGoesToTheFocusedControlUpOrDown) {
  TForm* form = NewForm(100, 100, 300, 200);
  auto* panel = new TTestPanel(form);
  panel->SetParent(form);
  panel->SetBounds(10, 10, 100, 50);
  panel->SetTabStop(true);
  struct Wheel : TObject {
    std::vector<String> log;
    void Up(TObject*, TShiftState, TPoint, bool& Handled) {
      log.push_back("up");
      Handled = true;
    }
    void Down(TObject*, TShiftState, TPoint, bool& Handled) {
      log.push_back("down");
      Handled = true;
    }
  } wheel;
  panel->SetOnMouseWheelUp(MakeEvent<&Wheel::Up>(&wheel));
  panel->SetOnMouseWheelDown(MakeEvent<&Wheel::Down>(&wheel));
  form->Show();
  panel->SetFocus();
  Settle();
  ScriptWheel({130, 130}, 1);
  ScriptWheel({130, 130}, -2);
  Settle();
  ASSERT_EQ(wheel.log.size(), 2u);
  EXPECT_EQ(wheel.log[0], "up");
  EXPECT_EQ(wheel.log[1], "down");
}

}  // namespace

namespace {

// Counts the drags that ended without a drop.
class TCancelCountingPanel : public TTestPanel {
 public:
  using TTestPanel::TTestPanel;
  Integer cancelled = 0;

 protected:
  void DragCanceled() override { ++cancelled; }
};

TEST_F(ControlsTest, ADragDroppedNowhereIsCanceledForItsSource) {
  TForm* form = NewForm(100, 100, 300, 200);
  form->SetBorderStyle(bsNone);
  auto* source = new TCancelCountingPanel(form);
  source->SetParent(form);
  source->SetBounds(10, 10, 50, 50);
  source->SetDragMode(dmAutomatic);
  form->Show();
  Settle();
  ScriptDrag({100 + 20, 100 + 20}, {100 + 170, 100 + 30});
  Settle();
  EXPECT_EQ(source->cancelled, 1);
}

TEST_F(ControlsTest, ScaleByScalesBoundsChildrenAndOwnFontsOnly) {
  TForm* form = NewForm(100, 100, 300, 200);
  auto* panel = new TTestPanel(form);
  panel->SetParent(form);
  panel->SetBounds(10, 20, 100, 50);
  auto* child = new TTestPanel(form);
  child->SetParent(panel);
  child->SetBounds(4, 6, 20, 10);
  child->SetParentFont(false);
  child->GetFont()->SetSize(10);
  panel->ScaleBy(3, 2);
  EXPECT_EQ(panel->GetBoundsRect(), TRect(15, 30, 165, 105));
  EXPECT_EQ(child->GetBoundsRect(), TRect(6, 9, 36, 24));
  EXPECT_EQ(child->GetFont()->GetSize(), 15);
  EXPECT_TRUE(panel->GetParentFont());
}

}  // namespace

namespace {

TEST_F(ControlsTest, AKeptWindowOutlivesItsControlsTurnAndComesBackWithItsBoundsAndVisibility) {
  TForm* form = NewForm();
  form->SetBounds(0, 0, 300, 200);
  auto* panel = new TTestPanel(form);
  panel->SetParent(form);
  panel->SetBounds(10, 20, 60, 30);
  HWND first = panel->GetHandle();
  // Its canvas draws on that window until the window is set aside.
  auto* canvas = static_cast<TControlCanvas*>(panel->GetCanvas());
  canvas->GetHandle();
  ASSERT_EQ(canvas->GetWindowHandle(), first);
  HWND kept = panel->SetAsideHandle();
  ASSERT_EQ(kept, first);
  EXPECT_EQ(canvas->GetWindowHandle(), nullptr) << "a canvas of the control no longer draws on the kept window";
  EXPECT_FALSE(panel->HandleAllocated());
  EXPECT_TRUE(IsWindow(kept));
  EXPECT_EQ(FindControl(kept), nullptr);
  int before = panel->Count(CM_BASE + 0x7F0);
  SendMessage(kept, CM_BASE + 0x7F0, 0, 0);
  EXPECT_EQ(panel->Count(CM_BASE + 0x7F0), before) << "a kept window no longer reaches its control";

  // The control works in a window of its own meanwhile; the kept one moves and hides.
  HWND other = panel->GetHandle();
  ASSERT_NE(other, kept);
  SetWindowPos(kept, nullptr, 40, 50, 70, 35, SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  panel->TakeBackHandle(kept);
  EXPECT_FALSE(IsWindow(other)) << "the window it had is destroyed";
  EXPECT_EQ(panel->GetHandle(), kept);
  EXPECT_EQ(FindControl(kept), panel);
  EXPECT_EQ(panel->GetBoundsRect(), Bounds(40, 50, 70, 35));
  EXPECT_FALSE(panel->GetVisible());
  SendMessage(kept, CM_BASE + 0x7F0, 0, 0);
  EXPECT_EQ(panel->Count(CM_BASE + 0x7F0), before + 1);
  EXPECT_THROW(panel->TakeBackHandle(form->GetHandle()), EInvalidOperation);
}

TEST_F(ControlsTest, AKeptEditAnswersAsAnEditAndDiesAsOne) {
  TForm* form = NewForm();
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetMaxLength(12);
  edit->HandleNeeded();
  HWND kept = edit->SetAsideHandle();
  ASSERT_TRUE(kept);
  EXPECT_EQ(SendMessage(kept, EM_GETLIMITTEXT, 0, 0), 12) << "the class's own procedure answers";
  DestroyWindow(kept);
  EXPECT_FALSE(IsWindow(kept));
  EXPECT_NE(edit->GetHandle(), nullptr);
}

}  // namespace
