#include <memory>

#include "EditTestFixture.h"
#include "EditTestInnerEdit.h"
#include "gdi/SysMetrics.h"
#include "user/InputEvents.h"
#include "user/Messages.h"
#include "user/WindowTree.h"
#include "vcl/ControlsMessages.h"
#include "vcl/ExtCtrls.h"
#include "vcl/StdCtrls.h"

namespace {

using Log = std::vector<String>;

class EditInnerEdit : public EditEventsTest {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    edit = Make(false);
    edit->SetBounds(10, 10, 120, 21);
    Watch(edit);
    Pump();
  }
  TInnerTestEdit* Make(bool Inplace) {
    auto* e = new TInnerTestEdit(form, Inplace);
    e->SetParent(form);
    e->Listen();
    return e;
  }
  POINT Screen(TControl* Control, Integer X, Integer Y) { return Control->ClientToScreen(TPoint{X, Y}); }
  TInnerTestEdit* edit = nullptr;
};

TEST_F(EditInnerEdit, TheInnerEditIsMadeSetUpAndPlacedOnTheClientRectangle) {
  ASSERT_TRUE(edit->HasInnerEdit());
  EXPECT_FALSE(edit->InnerEditMissing());
  TCustomEdit* inner = edit->Inner();
  EXPECT_EQ(edit->GetInnerControl(), inner);
  EXPECT_EQ(inner->GetParent(), edit);
  EXPECT_FALSE(inner->GetParentShowHint());
  // The kind's inner edit reports its changes to the editor.
  EXPECT_TRUE(static_cast<bool>(edit->GetInnerEdit()->GetChangeHandler()));
  EXPECT_EQ(inner->GetBoundsRect(), edit->GetViewInfo()->ClientRect);
  edit->SetBounds(10, 10, 150, 21);
  Pump();
  EXPECT_EQ(inner->GetBoundsRect(), edit->GetViewInfo()->ClientRect);
  EXPECT_EQ(inner->GetBoundsRect().Width(), 150 - 4);

  edit->Props()->SetReadOnly(true);
  EXPECT_TRUE(inner->GetReadOnly());
  edit->Props()->SetReadOnly(false);
  EXPECT_FALSE(inner->GetReadOnly());

  TWeakRef<TCustomEdit> innerAlive(inner);
  delete edit;
  EXPECT_FALSE(innerAlive);
}

TEST_F(EditInnerEdit, AClassThatIsNoInnerEditLeavesTheInnerEditMissing) {
  struct Case {
    const char* name;
    TClass innerClass;
    bool missing;
  };
  const Case cases[] = {{"no class", nullptr, false}, {"a plain edit", TEdit::ClassInfo(), true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* other = new TInnerTestEdit(form, false, TClassOf<TWinControl>(c.innerClass));
    EXPECT_FALSE(other->HasInnerEdit());
    EXPECT_EQ(other->InnerEditMissing(), c.missing);
    EXPECT_EQ(other->GetInnerControl(), nullptr);
    EXPECT_EQ(other->GetComponentCount(), 0);
    delete other;
  }
}

TEST_F(EditInnerEdit, TypingEscEnterCtrlEnterAndTabThroughTheNativeEdit) {
  struct Case {
    const char* name;
    bool validateOnEnter;
    UINT key;
    UINT modifiers;
    const char* text;
    Log log;
    bool keepsFocus;
  };
  const Case cases[] = {
      {"typing", false, 0, 0, "12", {"down 49", "press 1", "editing", "change", "down 50", "press 2", "change"}, true},
      {"esc", false, VK_ESCAPE, 0, "", {"down 27", "change"}, true},
      {"enter invalid",
       true,
       VK_RETURN,
       0,
       "12x",
       {"down 13", "invalid", "error Invalid input value. Use escape key to abandon changes", "press \r"},
       true},
      {"ctrl+enter", false, VK_RETURN, kCtrl, "9", {"down 17", "button 0"}, true},
      {"tab", false, VK_TAB, 0, "9", {"down 9", "unhandled 9", "valid", "value"}, false},
  };
  auto* other = new TEdit(form);
  other->SetParent(form);
  other->SetBounds(10, 200, 100, 21);
  edit->Props()->GetButtons()->AddButton()->SetDefault(true);
  edit->Props()->SetOnValidate(MakeEvent<&TTestEdit::Validate>(edit));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    edit->Props()->SetValidateOnEnter(c.validateOnEnter);
    edit->SetEditValue(Variant());
    Focus(edit);
    if (c.key == 0) {
      Type("12");
    } else {
      Type(c.validateOnEnter ? "12x" : "9");
      edit->log.clear();
      Key(c.key, c.modifiers);
    }
    EXPECT_EQ(edit->Inner()->GetText(), c.text);
    EXPECT_EQ(edit->log, c.log);
    EXPECT_EQ(edit->Focused(), c.keepsFocus);
    other->SetFocus();
    Pump();
  }
}

TEST_F(EditInnerEdit, AKeyActivationHooksTheInnerWindowOnlyMeanwhileAlsoWhenItFails) {
  auto* inplace = Make(true);
  inplace->SetBounds(10, 40, 120, 21);
  Pump();
  HWND window = inplace->Inner()->GetHandle();
  const LONG_PTR original = GetWindowLongPtr(window, GWLP_WNDPROC);
  struct Spy : TObject {
    HWND window;
    LONG_PTR original;
    bool hooked = false;
    void Editing(TObject*, bool&) { hooked = GetWindowLongPtr(window, GWLP_WNDPROC) != original; }
  } spy;
  spy.window = window;
  spy.original = original;
  inplace->SetOnEditing(MakeEvent<&Spy::Editing>(&spy));
  TkvCustomEditData* data = nullptr;
  inplace->BeginInplaceEditWithKey('7', data);
  Pump();
  EXPECT_TRUE(spy.hooked);
  EXPECT_EQ(inplace->Inner()->GetText(), "7");
  EXPECT_EQ(GetWindowLongPtr(window, GWLP_WNDPROC), original);

  inplace->failDisplay = true;
  EXPECT_THROW(inplace->BeginInplaceEditWithKey('8', data), Exception);
  EXPECT_EQ(GetWindowLongPtr(window, GWLP_WNDPROC), original);
}

TEST_F(EditInnerEdit, ASecondClickSoonAfterAMouseActivationIsADoubleClick) {
  struct Case {
    const char* name;
    bool onButton;
    uint64_t wait;
    Log log;
  };
  const Case cases[] = {
      {"on the text", false, 100, {"dblclick"}},
      {"on a button", true, 100, {"button 0"}},
      {"too late", false, 1000, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* inplace = Make(true);
    inplace->SetBounds(10, 40, 120, 21);
    inplace->Props()->GetButtons()->AddButton()->SetWidth(18);
    inplace->SetVisible(false);
    Pump();
    TkvCustomEditData* data = nullptr;
    inplace->BeginInplaceEditByMouse(TShiftState{ssLeft}, 20, 50, data);
    Pump();
    EXPECT_TRUE(inplace->IsDoubleClickTimerRunning());
    EXPECT_NE(GetCapture(), inplace->GetHandle());
    PassTime(c.wait);
    inplace->log.clear();
    const TRect b = inplace->GetEditViewInfo()->Buttons[0]->Bounds;
    const POINT at = c.onButton ? Screen(inplace, (b.Left + b.Right) / 2, 10) : Screen(inplace, 30, 10);
    // The press reaches the editor itself, as a host's grid hands it on.
    POINT local = inplace->ScreenToClient(at);
    SendMessage(inplace->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(local.X, local.Y));
    SendMessage(inplace->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(local.X, local.Y));
    Pump();
    Log log;
    for (const String& entry : inplace->log)
      if (entry == "dblclick" || entry.rfind("button", 0) == 0) log.push_back(entry);
    EXPECT_EQ(log, c.log);
    EXPECT_FALSE(inplace->IsDoubleClickTimerRunning());
    delete inplace;
    Pump();
  }
}

// An editor whose auto width may keep its right edge; it asks for any width.
class TGrowingLeftEdit : public TInnerTestEdit {
 public:
  TGrowingLeftEdit(TComponent* AOwner, bool AGrowsLeft) : TInnerTestEdit(AOwner), growsLeft(AGrowsLeft) {}
  bool GrowsLeftOnAutoSize() override { return growsLeft; }
  void GetSizeRequest(TkvEditSizeRequest& Request) override {
    TInnerTestEdit::GetSizeRequest(Request);
    Request.Width = -1;
  }
  bool growsLeft;
};

TEST_F(EditInnerEdit, AutoSizeTakesOnlyWhatTheAlignmentLeavesFree) {
  struct Case {
    TAlign align;
    bool width;
    bool height;
  };
  const Case cases[] = {{alNone, true, true}, {alLeft, true, false}, {alTop, false, true}, {alClient, false, false}};
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(0, 100, 300, 150);
  Pump();
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.align));
    auto* sized = new TGrowingLeftEdit(form, false);
    sized->Props()->SetButtonsLayout(2);
    sized->SetAlign(c.align);
    sized->SetParent(panel);
    sized->SetBounds(0, 0, 250, 60);
    Pump();
    TSize measured;
    {
      std::unique_ptr<TkvCustomEditViewData> data(sized->MakeViewData());
      TkvEditSizeRequest request;
      sized->GetSizeRequest(request);
      data->GetEditSize(ScreenCanvasInstance(), sized->GetEditValueProp(), measured, request);
    }
    const TRect bounds = sized->GetBoundsRect();
    if (c.width)
      EXPECT_EQ(bounds.Width(), measured.cx);
    else
      EXPECT_NE(bounds.Width(), measured.cx);
    if (c.height)
      EXPECT_EQ(bounds.Height(), measured.cy);
    else
      EXPECT_NE(bounds.Height(), measured.cy);
    delete sized;
  }
}

TEST_F(EditInnerEdit, AnEditorThatGrowsLeftKeepsItsRightEdge) {
  for (bool growsLeft : {false, true}) {
    SCOPED_TRACE(growsLeft);
    auto* sized = new TGrowingLeftEdit(form, growsLeft);
    sized->Props()->SetButtonsLayout(2);
    sized->SetParent(form);
    sized->SetBounds(100, 60, 250, 21);
    Pump();
    EXPECT_LT(sized->GetWidth(), 250);
    const Integer left = sized->GetLeft(), right = left + sized->GetWidth();
    // A new button widens the measured editor.
    sized->Props()->GetButtons()->AddButton()->SetWidth(30);
    Pump();
    EXPECT_EQ(sized->GetLeft() + sized->GetWidth() == right, growsLeft);
    EXPECT_EQ(sized->GetLeft() == left, !growsLeft);
    delete sized;
  }
}

TEST_F(EditInnerEdit, ReadingTheHeightMakesTheWindowFirst) {
  auto* fresh = new TInnerTestEdit(form);
  // Hidden, it gets no window of its own accord.
  fresh->SetVisible(false);
  fresh->SetParent(form);
  fresh->SetBounds(10, 60, 120, 60);
  EXPECT_FALSE(fresh->HandleAllocated());
  const Integer height = fresh->GetHeight();
  EXPECT_TRUE(fresh->HandleAllocated());
  EXPECT_EQ(height, edit->GetHeight());
  EXPECT_LT(height, 60);
  // In place, auto size never applies.
  auto* inplace = Make(true);
  inplace->SetBounds(10, 100, 120, 40);
  inplace->SetAutoSize(true);
  EXPECT_EQ(inplace->GetHeight(), 40);
}

TEST_F(EditInnerEdit, RecalcAtCursorFindsTheButtonUnderTheMouse) {
  edit->GetEditStyle()->SetHotTrack(true);
  edit->Props()->GetButtons()->AddButton();
  Pump();
  const TRect b = edit->GetEditViewInfo()->Buttons[0]->Bounds;
  InputMouseMove(edit->ClientToScreen(TPoint{(b.Left + b.Right) / 2, 8}));
  Pump();
  edit->CalculateViewInfoAt(TPoint{-1, -1}, 0, TShiftState{}, false);
  EXPECT_EQ(edit->GetEditViewInfo()->HotButton, -1);
  edit->RecalcAtCursor();
  EXPECT_EQ(edit->GetEditViewInfo()->HotButton, 0);
}

TEST_F(EditInnerEdit, HintsNameTheButtonOrTheEditorAndStopOutsideTheBorder) {
  edit->SetBounds(10, 10, 160, 21);
  TkvEditButton* named = edit->Props()->GetButtons()->AddButton();
  named->SetHint("Browse|Picks a folder");
  edit->Props()->GetButtons()->AddButton()->SetKind(bkEllipsis);
  edit->SetHint("Folder|The output folder");
  Pump();
  struct Case {
    const char* name;
    Integer hot;       // the button shown hot, -1 none
    bool inside;       // the cursor within the border
    bool showHint;
    LRESULT result;
    const char* text;
  };
  const Case cases[] = {
      {"named button", 0, true, false, 0, "Browse"},
      {"button without hint", 1, true, true, 0, "Folder"},
      {"button without hint, no ShowHint", 1, true, false, 0, ""},
      {"text area", -1, true, true, 0, "Folder"},
      {"outside", -1, false, true, -1, ""},
  };
  TkvCustomEditViewInfo* info = edit->GetEditViewInfo();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    edit->SetShowHint(c.showHint);
    for (Integer i = 0; i < info->ButtonCount(); ++i) info->Buttons[i]->State = i == c.hot ? ebsSelected : ebsNormal;
    THintInfo hint;
    hint.CursorPos = c.inside ? TPoint{5, 5} : TPoint{-5, 5};
    LRESULT result = edit->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&hint));
    EXPECT_EQ(result, c.result);
    if (result != 0) continue;
    EXPECT_EQ(hint.HintStr, c.text);
    if (c.hot >= 0) {
      EXPECT_EQ(hint.CursorRect, info->Buttons[c.hot]->Bounds);
    } else {
      EXPECT_EQ(hint.CursorRect.Left, info->BorderRect.Left);
      EXPECT_EQ(hint.CursorRect.Right, info->Buttons[0]->Bounds.Left);
    }
  }
  // A button's own hint window opens below the cursor.
  for (Integer i = 0; i < info->ButtonCount(); ++i) info->Buttons[i]->State = i == 0 ? ebsSelected : ebsNormal;
  TRect r;
  bool isButton = false;
  String text;
  EXPECT_TRUE(info->GetButtonHint(TPoint{100, 50}, r, isButton, text));
  EXPECT_TRUE(isButton);
  EXPECT_EQ(text, "Browse");
  EXPECT_EQ(r.Top, 50 + GetSystemMetrics(SM_CYCURSOR));
  EXPECT_GT(r.Right - r.Left, 0);
  info->Buttons[0]->State = ebsNormal;
  EXPECT_FALSE(info->GetButtonHint(TPoint{5, 5}, r, isButton, text));
  EXPECT_FALSE(isButton);
}

}  // namespace
namespace {

// Counts an editor's focus-changed events and the focus they found.
struct FocusSpy : TObject {
  TkvCustomEdit* edit = nullptr;
  std::vector<bool> log;
  void Changed(TObject*) { log.push_back(edit->Focused()); }
};

using EditFocus = EditorsTest;

TEST_F(EditFocus, FocusTakenThroughTheEditorOrItsInnerEditIsReportedOnce) {
  form->Show();
  auto* edit = new TTextOwnerEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 10, 120, 21);
  auto* other = new TEdit(form);
  other->SetParent(form);
  other->SetBounds(10, 100, 100, 21);
  Pump();
  other->SetFocus();
  Pump();
  FocusSpy spy;
  spy.edit = edit;
  edit->SetOnFocusChanged(MakeEvent<&FocusSpy::Changed>(&spy));
  edit->SetFocus();
  Pump();
  EXPECT_TRUE(edit->GetEditViewInfo()->Focused);
  EXPECT_TRUE(edit->GetViewInfo()->ContainerState.Contains(csActive));
  other->SetFocus();
  Pump();
  EXPECT_FALSE(edit->GetEditViewInfo()->Focused);
  // A click into the text focuses the inner edit straight away.
  const POINT at = edit->ClientToScreen(TPoint{20, 10});
  InputMouseMove(at);
  InputMouseButton(at, MouseButton::Left, true);
  InputMouseButton(at, MouseButton::Left, false);
  Pump();
  EXPECT_EQ(spy.log, (std::vector<bool>{true, false, true}));
}

TEST_F(EditFocus, AnAutoSizedEditorKeepsItsHeightUnderTheMouseAndInTheFocus) {
  form->Show();
  auto* edit = new TTextOwnerEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 10, 170, 40);
  TkvEditStyle* style = edit->GetEditStyle();
  style->SetBorderStyle(ebsSingle);
  style->SetTransparentBorder(false);
  // Hot and focused, the border turns three-dimensional and wider.
  style->SetHotTrack(true);
  edit->Props()->GetButtons()->AddButton()->SetKind(bkEllipsis);
  Pump();
  const Integer height = edit->GetHeight();
  EXPECT_LT(height, 40);
  const TRect b = edit->GetEditViewInfo()->Buttons[0]->Bounds;
  edit->CalculateViewInfoAt(TPoint{(b.Left + b.Right) / 2, 8}, 0, TShiftState{}, true);
  EXPECT_EQ(edit->GetEditViewInfo()->HotButton, 0);
  EXPECT_EQ(edit->GetHeight(), height);
  edit->SetFocus();
  Pump();
  EXPECT_EQ(edit->GetHeight(), height);
}

}  // namespace

