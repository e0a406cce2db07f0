#include "VclTestSupport.h"

#include <algorithm>

#include "rtl/ClassRegistry.h"

TAVREN_CLASS_IMPL_PUBLISHED(TTestPanel, PROPERTY(Caption))
TAVREN_CLASS_IMPL(TTestGraphic)

void TTestPanel::WndProc(TMessage& Message) {
  if (Message.Msg >= CM_BASE) Log.push_back(Message.Msg);
  inherited::WndProc(Message);
}

int TTestPanel::Count(UINT Msg) const { return static_cast<int>(std::count(Log.begin(), Log.end(), Msg)); }

void TTestGraphic::WndProc(TMessage& Message) {
  if (Message.Msg >= CM_BASE || (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST))
    Log.push_back(Message.Msg);
  inherited::WndProc(Message);
}

int TTestGraphic::Count(UINT Msg) const { return static_cast<int>(std::count(Log.begin(), Log.end(), Msg)); }

namespace {
struct IdleNoWait : TObject {
  void Idle(TObject*, bool& Done) { Done = false; }
};
IdleNoWait gIdleNoWait;
}  // namespace

void VclTest::SetUp() {
  SetClock(&clock);
  RegisterClass(TTestPanel::ClassInfo());
}

void VclTest::CreateMainForm() {
  TForm* main = nullptr;
  Application()->CreateForm(main);
  forms.push_back(main);
}

void VclTest::TearDown() {
  for (TForm* form : forms) delete form;
  forms.clear();
  Application()->SetOnException(nullptr);
  Application()->SetOnIdle(nullptr);
  Application()->CancelHint();
  SetModalResponder(nullptr);
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  SetClock(nullptr);
}

void VclTest::Settle() {
  Application()->ProcessMessages();
  TIdleEvent saved = Application()->GetOnIdle();
  Application()->SetOnIdle(MakeEvent<&IdleNoWait::Idle>(&gIdleNoWait));
  Application()->HandleMessage();
  Application()->SetOnIdle(saved);
  UpdateAllWindows();
}

TForm* VclTest::NewForm(Integer Left, Integer Top, Integer Width, Integer Height) {
  auto* form = new TForm(nullptr, 0);
  form->SetBounds(Left, Top, Width, Height);
  forms.push_back(form);
  return form;
}
