// Skin controllers and window controllers: which windows get a controller, which forms a skin
// painter, and that controllers come and go safely with their windows.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/Button.h"
#include "rtl/ClassRegistry.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/skins/qzSkinsForm.h"
#include "user/User.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

// A form that keeps the platform's frame, and one that destroys its own window on WM_USER.
class TRefusingForm : public TForm {
  TAVREN_CLASS(TRefusingForm, TForm)
 public:
  using TForm::TForm;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == KVM_SKINFORMMESSAGE) {
      Message.Result = 1;
      return;
    }
    inherited::WndProc(Message);
  }
};
TAVREN_CLASS_IMPL(TRefusingForm)

class TSelfDestroyingForm : public TForm {
  TAVREN_CLASS(TSelfDestroyingForm, TForm)
 public:
  using TForm::TForm;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_USER) {
      DestroyHandle();
      return;
    }
    inherited::WndProc(Message);
  }
};
TAVREN_CLASS_IMPL(TSelfDestroyingForm)

// Descendants of the plain classes draw themselves: they are left alone.
class TOwnPanel : public TPanel {
  TAVREN_CLASS(TOwnPanel, TPanel)
 public:
  using TPanel::TPanel;
};
TAVREN_CLASS_IMPL(TOwnPanel)

class TOwnButton : public TButton {
  TAVREN_CLASS(TOwnButton, TButton)
 public:
  using TButton::TButton;
};
TAVREN_CLASS_IMPL(TOwnButton)

namespace {

template <class C>
C* Child(TWinControl* Parent, const TRect& R) {
  auto* control = new C(Parent);
  control->SetParent(Parent);
  control->SetBounds(R.Left, R.Top, R.Width(), R.Height());
  control->GetHandle();
  return control;
}

struct TOverrule : TObject {
  void RefuseButtons(TObject*, TWinControl* Control, bool& UseSkin) {
    UseSkin = dynamic_cast<TButton*>(Control) == nullptr;
  }
  void Clear(TObject*, TCustomForm*, bool& UseSkin, TqzSkinName&) { UseSkin = false; }
  void Skin02(TObject*, TCustomForm*, bool&, TqzSkinName& SkinName) { SkinName = "Skin02"; }
};

TqzSkinLookAndFeelPainter* RegisteredSkin(const char* Name) {
  TkvCustomLookAndFeelPainterClass painter = nullptr;
  ExtendedStylePaintersInstance()->LookupPainter(Name, painter);
  return dynamic_cast<TqzSkinLookAndFeelPainter*>(painter);
}

void Pump() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
}

class SkinForms : public testing::Test {
 protected:
  void TearDown() override {
    for (TCustomForm* form : forms) delete form;
    for (TqzSkinController* c : controllers) delete c;
    Pump();
  }
  template <class F = TForm>
  F* NewForm() {
    auto* form = new F(nullptr, 0);
    form->SetBounds(50, 50, 300, 200);
    form->GetHandle();
    forms.push_back(form);
    Pump();
    return form;
  }
  TqzSkinController* NewController(const char* SkinName) {
    auto* c = new TqzSkinController(nullptr);
    c->SetSkinName(SkinName);
    controllers.push_back(c);
    return c;
  }
  static TqzSkinLookAndFeelPainter* PainterOf(TWinControl* Control) {
    TqzSkinWinController* c = SkinWinControllerOf(Control->GetHandle());
    return c ? c->ActivePainter() : nullptr;
  }

  std::vector<TCustomForm*> forms;
  std::vector<TqzSkinController*> controllers;
};

}  // namespace

TEST_F(SkinForms, FormsFindTheControllersClassOnceTheLibraryHasStarted) {
  EXPECT_EQ(static_cast<TClass>(GetClass("TqzSkinController")), TqzSkinController::ClassInfo());
}

TEST_F(SkinForms, EachKindOfWindowGetsItsControllerClass) {
  TForm* form = NewForm();
  HWND plain = CreateWindowEx(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  struct Case {
    const char* name;
    HWND window;
    TClass expected;
  };
  const Case cases[] = {
      {"form", form->GetHandle(), TqzSkinFormController::ClassInfo()},
      {"form descendant", NewForm<TRefusingForm>()->GetHandle(), TqzSkinFormController::ClassInfo()},
      {"panel", Child<TPanel>(form, Rect(0, 0, 40, 20))->GetHandle(), TqzSkinPanelController::ClassInfo()},
      {"panel descendant", Child<TOwnPanel>(form, Rect(0, 20, 40, 40))->GetHandle(), nullptr},
      {"button", Child<TButton>(form, Rect(40, 0, 80, 20))->GetHandle(), TqzSkinButtonController::ClassInfo()},
      {"button descendant", Child<TOwnButton>(form, Rect(40, 20, 80, 40))->GetHandle(), nullptr},
      {"frame", Child<TFrame>(form, Rect(80, 0, 120, 40))->GetHandle(), TqzSkinFrameController::ClassInfo()},
      {"other control", Child<TScrollBar>(form, Rect(0, 50, 100, 66))->GetHandle(), nullptr},
      {"no framework control", plain, nullptr},
  };
  Pump();
  for (const Case& c : cases) {
    EXPECT_EQ(SkinControllerClassFor(c.window), c.expected) << c.name;
    EXPECT_EQ(SkinWinControllerOf(c.window) != nullptr, c.expected != nullptr) << c.name;
  }
  DestroyWindow(plain);
}

TEST_F(SkinForms, PlainControlsAreSkinnedWithTheirFormAndWhenAccepted) {
  TqzSkinController* controller = NewController("Skin13");
  TForm* form = NewForm();
  TButton* button = Child<TButton>(form, Rect(8, 8, 80, 31));
  TPanel* panel = Child<TPanel>(form, Rect(8, 40, 80, 70));
  TForm* refusing = NewForm<TRefusingForm>();
  TButton* unskinned = Child<TButton>(refusing, Rect(8, 8, 80, 31));
  Pump();
  EXPECT_EQ(PainterOf(button), RegisteredSkin("Skin13"));
  EXPECT_EQ(PainterOf(panel), RegisteredSkin("Skin13"));
  EXPECT_EQ(PainterOf(unskinned), nullptr) << "on an unskinned form";
  TOverrule overrule;
  controller->SetOnSkinControl(TqzSkinControlEvent::Of<&TOverrule::RefuseButtons>(&overrule));
  RefreshSkinnedWindows();
  EXPECT_EQ(PainterOf(button), nullptr) << "refused by OnSkinControl";
  EXPECT_EQ(PainterOf(panel), RegisteredSkin("Skin13"));
  controller->SetOnSkinControl(nullptr);
}

TEST_F(SkinForms, ButtonStatesFollowTheWindow) {
  NewController("Skin13");
  TForm* form = NewForm();
  TButton* button = Child<TButton>(form, Rect(8, 8, 80, 31));
  Pump();
  auto* c = dynamic_cast<TqzSkinButtonController*>(SkinWinControllerOf(button->GetHandle()));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->State(), kvbsNormal);
  SendMessage(button->GetHandle(), BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(c->State(), kvbsPressed);
  SendMessage(button->GetHandle(), BM_SETSTATE, FALSE, 0);
  EXPECT_EQ(c->State(), kvbsNormal);
  button->SetEnabled(false);
  EXPECT_EQ(c->State(), kvbsDisabled);
  SendMessage(button->GetHandle(), BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(c->State(), kvbsDisabled) << "a disabled window stays disabled";
}

TEST_F(SkinForms, ThePaintOfButtonsPanelsAndFrames) {
  NewController("Skin13");
  TForm* form = NewForm();
  TButton* button = Child<TButton>(form, Rect(8, 8, 80, 31));
  TPanel* panel = Child<TPanel>(form, Rect(8, 40, 80, 70));
  TFrame* frame = Child<TFrame>(form, Rect(90, 40, 160, 70));
  form->Show();
  Pump();
  const auto painted = [](TWinControl* Control, UINT Msg, TPoint P) {
    TkvBitmap bitmap(Control->GetWidth(), Control->GetHeight());
    HDC dc = bitmap.GetCanvas()->GetHandle();
    SendMessage(Control->GetHandle(), Msg, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    return GetPixel(dc, P.X, P.Y);
  };
  const auto column = [&](TWinControl* Control, Integer X) {
    std::vector<COLORREF> pixels;
    for (Integer y = 6; y < 17; ++y) pixels.push_back(painted(Control, WM_PAINT, {X, y}));
    return pixels;
  };
  // The focus rectangle lies 4 pixels inside the button; the other button has none.
  TButton* other = Child<TButton>(form, Rect(90, 8, 162, 31));
  Pump();
  button->SetFocus();
  ASSERT_EQ(GetFocus(), button->GetHandle());
  EXPECT_EQ(column(button, 3), column(other, 3));
  EXPECT_NE(column(button, 4), column(other, 4));
  // A panel with a colour of its own shows it; printed through WM_PRINTCLIENT.
  panel->SetColor(clRed);
  EXPECT_EQ(painted(panel, WM_PRINTCLIENT, {36, 15}), ColorToRGB(clRed));
  // A frame shows the form's skin background.
  TqzSkinLookAndFeelPainterInfo* info = RegisteredSkin("Skin13")->PainterInfo();
  TkvBitmap expected(70, 30);
  info->Element(seFormFormContent)->Draw(expected.GetCanvas()->GetHandle(), Rect(0, 0, 70, 30), 0, esNormal);
  EXPECT_EQ(painted(frame, WM_PRINTCLIENT, {35, 15}), GetPixel(expected.GetCanvas()->GetHandle(), 35, 15));
}

TEST_F(SkinForms, TheSkinNameAndTheSwitchChooseTheFormsPainter) {
  TqzSkinController* controller = NewController("Skin13");
  TForm* form = NewForm();
  ASSERT_NE(RegisteredSkin("Skin13"), nullptr);
  EXPECT_EQ(PainterOf(form), RegisteredSkin("Skin13"));
  controller->SetUseSkins(false);
  EXPECT_EQ(PainterOf(form), nullptr);
  TForm* later = NewForm();
  EXPECT_NE(SkinWinControllerOf(later->GetHandle()), nullptr) << "subclassed, unskinned";
  EXPECT_EQ(PainterOf(later), nullptr);
  controller->SetUseSkins(true);
  EXPECT_EQ(PainterOf(form), RegisteredSkin("Skin13"));
  EXPECT_EQ(PainterOf(later), RegisteredSkin("Skin13"));
  controller->SetSkinName("Skin02");
  EXPECT_EQ(PainterOf(form), RegisteredSkin("Skin02"));
}

TEST_F(SkinForms, FormsStayUnskinnedWhenRefusingOrWithoutASkinPainterOfThatName) {
  ExtendedStylePaintersInstance()->AddPainter("NotASkin", PainterClassOf<TkvOffice11LookAndFeelPainter>(), nullptr);
  struct Case {
    const char* skinName;
    bool refusing;
  };
  const Case cases[] = {{"Skin13", true}, {"NoSuchSkin", false}, {"NotASkin", false}, {"", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.skinName);
    NewController(c.skinName);
    TForm* form = c.refusing ? NewForm<TRefusingForm>() : NewForm();
    EXPECT_EQ(PainterOf(form), nullptr);
    delete controllers.back();
    controllers.pop_back();
  }
  ExtendedStylePaintersInstance()->RemovePainter("NotASkin");
}

TEST_F(SkinForms, TheLastControllerDecidesFirstAndTheEarlierMayOverrule) {
  // The skin name is the root look-and-feel's: the second controller names another through its event.
  TOverrule overrule;
  TqzSkinController* first = NewController("Skin01");
  TqzSkinController* second = NewController("Skin01");
  second->SetOnSkinForm(TqzSkinFormEvent::Of<&TOverrule::Skin02>(&overrule));
  TForm* form = NewForm();
  RefreshSkinnedWindows();
  EXPECT_EQ(PainterOf(form), RegisteredSkin("Skin02")) << "the first, asked with that name, keeps it";
  first->SetOnSkinForm(TqzSkinFormEvent::Of<&TOverrule::Clear>(&overrule));
  RefreshSkinnedWindows();
  EXPECT_EQ(PainterOf(form), nullptr);
  first->SetOnSkinForm(nullptr);
  delete second;
  controllers.pop_back();
  EXPECT_EQ(PainterOf(form), RegisteredSkin("Skin01"));
  delete first;
  controllers.pop_back();
  EXPECT_EQ(PainterOf(form), nullptr) << "without a skin controller the platform's frame comes back";
}

TEST_F(SkinForms, ControllersGoSafelyWithTheirWindows) {
  NewController("Skin13");
  // Gone before the attachment: the posted handle is stale and ignored.
  auto* early = new TForm(nullptr, 0);
  HWND earlyHandle = early->GetHandle();
  delete early;
  Pump();
  EXPECT_EQ(SkinWinControllerOf(earlyHandle), nullptr);
  // Destroyed from inside one of its own messages: the controller waits for the dispatch to end.
  auto* form = NewForm<TSelfDestroyingForm>();
  HWND handle = form->GetHandle();
  ASSERT_NE(SkinWinControllerOf(handle), nullptr);
  SendMessage(handle, WM_USER, 0, 0);
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_EQ(SkinWinControllerOf(handle), nullptr);
  HWND again = form->GetHandle();
  Pump();
  EXPECT_NE(SkinWinControllerOf(again), nullptr) << "the new window is attached again";
}

TEST_F(SkinForms, UnitEndGivesEveryWindowItsProcedureBack) {
  NewController("Skin13");
  auto* form = new TForm(nullptr, 0);
  forms.push_back(form);
  const TWndMethod own = form->GetWindowProc();
  form->GetHandle();
  Pump();
  ASSERT_NE(SkinWinControllerOf(form->GetHandle()), nullptr);
  EXPECT_FALSE(form->GetWindowProc() == own);
  qzSkinsFormEnd();
  EXPECT_TRUE(form->GetWindowProc() == own);
  qzSkinsFormStart();
}

TEST_F(SkinForms, ASkinRemovedFromTheRegistryLeavesItsFormsUnskinned) {
  auto* painter = PainterClassOf<TqzSkinLookAndFeelPainter>();
  ASSERT_TRUE(ExtendedStylePaintersInstance()->AddPainter(
      "Transient", painter, new TqzSkinLookAndFeelPainterInfo(new TqzSkin("Transient", false, nullptr))));
  NewController("Transient");
  TForm* form = NewForm();
  EXPECT_EQ(PainterOf(form), painter);
  ExtendedStylePaintersInstance()->RemovePainter("Transient");
  EXPECT_EQ(PainterOf(form), nullptr);
}
