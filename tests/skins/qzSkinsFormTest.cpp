// Skin controllers and window controllers: which windows get a controller, which forms a skin
// painter, and that controllers come and go safely with their windows.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "toolkit/skins/qzSkinsForm.h"
#include "user/User.h"
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

namespace {

struct TOverrule : TObject {
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

TEST_F(SkinForms, FormsGetAFormControllerOtherWindowsNone) {
  TForm* form = NewForm();
  auto* bar = new TScrollBar(form);
  bar->SetParent(form);
  HWND plain = CreateWindowEx(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  Pump();
  EXPECT_EQ(SkinControllerClassFor(form->GetHandle()), TqzSkinFormController::ClassInfo());
  EXPECT_EQ(SkinControllerClassFor(NewForm<TRefusingForm>()->GetHandle()), TqzSkinFormController::ClassInfo());
  EXPECT_EQ(SkinControllerClassFor(bar->GetHandle()), nullptr);
  EXPECT_EQ(SkinControllerClassFor(plain), nullptr);
  EXPECT_NE(SkinWinControllerOf(form->GetHandle()), nullptr);
  EXPECT_EQ(SkinWinControllerOf(bar->GetHandle()), nullptr);
  EXPECT_EQ(SkinWinControllerOf(plain), nullptr);
  DestroyWindow(plain);
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
