// The skinned frame of real forms: hit tests, client rectangles, caption buttons and their
// states, the window region, the background.

#include <gtest/gtest.h>

#include <vector>

#include "controls/ScrollBars.h"
#include "toolkit/skins/qzSkinsForm.h"
#include "user/User.h"
#include "vcl/Forms.h"

// Keeps the scroll requests its window scroll bars send.
class TScrollRecordingForm : public TForm {
  TAVREN_CLASS(TScrollRecordingForm, TForm)
 public:
  using TForm::TForm;
  std::vector<std::pair<UINT, WORD>> Requests;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_VSCROLL || Message.Msg == WM_HSCROLL) Requests.push_back({Message.Msg, Message.WParamLo()});
    inherited::WndProc(Message);
  }
};
TAVREN_CLASS_IMPL(TScrollRecordingForm)

namespace {

void Pump() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
}

class SkinFrame : public testing::Test {
 protected:
  void SetUp() override {
    controller = new TqzSkinController(nullptr);
    controller->SetSkinName("Skin13");
  }
  void TearDown() override {
    for (TCustomForm* form : forms) delete form;
    delete controller;
    Pump();
  }
  TForm* NewForm(TFormBorderStyle Border = bsSizeable, TBorderIcons Icons = {biSystemMenu, biMinimize, biMaximize}) {
    auto* form = new TForm(nullptr, 0);
    form->SetBorderStyle(Border);
    form->SetBorderIcons(Icons);
    form->SetBounds(100, 100, 300, 200);
    form->Show();
    forms.push_back(form);
    Pump();
    return form;
  }
  static TqzSkinFormController* Controller(TCustomForm* Form) {
    return dynamic_cast<TqzSkinFormController*>(SkinWinControllerOf(Form->GetHandle()));
  }
  // The point in window coordinates as the screen position messages carry.
  static LPARAM At(TForm* Form, TPoint P) {
    RECT r{};
    GetWindowRect(Form->GetHandle(), &r);
    return MAKELPARAM(static_cast<WORD>(r.Left + P.X), static_cast<WORD>(r.Top + P.Y));
  }
  static TPoint Centre(const TRect& R) { return TPoint{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }

  TqzSkinController* controller = nullptr;
  std::vector<TCustomForm*> forms;
};

}  // namespace

TEST_F(SkinFrame, HitTestsFindBordersCaptionAndButtons) {
  TForm* form = NewForm();
  TqzSkinFormController* c = Controller(form);
  ASSERT_NE(c, nullptr);
  ASSERT_TRUE(c->IsSkinned());
  TqzSkinFormNonClientAreaInfo* info = c->NonClientInfo();
  const TRect m = info->Margins();
  struct Case {
    const char* name;
    TPoint p;
    LRESULT code;
  };
  const Case cases[] = {
      {"top left", {0, 0}, HTTOPLEFT},
      {"top left, down the caption", {1, m.Top - 1}, HTTOPLEFT},
      {"top right", {299, 3}, HTTOPRIGHT},
      {"bottom left", {0, 199}, HTBOTTOMLEFT},
      {"bottom right", {298, 198}, HTBOTTOMRIGHT},
      {"left", {0, 100}, HTLEFT},
      {"top", {150, 0}, HTTOP},
      {"right", {299, 100}, HTRIGHT},
      {"bottom", {150, 199}, HTBOTTOM},
      {"caption", {100, m.Top / 2}, HTCAPTION},
      {"close", Centre(info->ButtonRect(fbClose)), HTCLOSE},
      {"maximize", Centre(info->ButtonRect(fbMaximize)), HTMAXBUTTON},
      {"minimize", Centre(info->ButtonRect(fbMinimize)), HTMINBUTTON},
      {"client", {150, 100}, HTCLIENT},
  };
  for (const Case& k : cases)
    EXPECT_EQ(SendMessage(form->GetHandle(), WM_NCHITTEST, 0, At(form, k.p)), k.code) << k.name;

  form->SetWindowState(wsMaximized);
  Pump();
  EXPECT_EQ(SendMessage(form->GetHandle(), WM_NCHITTEST, 0, At(form, Centre(info->ButtonRect(fbRestore)))),
            HTMAXBUTTON);
  EXPECT_NE(SendMessage(form->GetHandle(), WM_NCHITTEST, 0, At(form, {0, 0})), HTTOPLEFT) << "no sizing when maximized";
}

TEST_F(SkinFrame, TheClientAreaIsTheWindowLessTheSkinsMarginsAndNeverInverted) {
  TForm* form = NewForm();
  TqzSkinFormNonClientAreaInfo* info = Controller(form)->NonClientInfo();
  const TRect m = info->Margins();
  EXPECT_GT(m.Top, m.Bottom);
  RECT client{};
  GetClientRect(form->GetHandle(), &client);
  EXPECT_EQ(client.Right, 300 - m.Left - m.Right);
  EXPECT_EQ(client.Bottom, 200 - m.Top - m.Bottom);
  // Scroll bars take their room beside the margins.
  SetWindowLong(form->GetHandle(), GWL_STYLE, GetWindowLong(form->GetHandle(), GWL_STYLE) | WS_VSCROLL | WS_HSCROLL);
  SetWindowPos(form->GetHandle(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  GetClientRect(form->GetHandle(), &client);
  EXPECT_EQ(client.Right, 300 - m.Left - m.Right - GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(client.Bottom, 200 - m.Top - m.Bottom - GetSystemMetrics(SM_CYHSCROLL));
  SendMessage(form->GetHandle(), WM_NCPAINT, 1, 0);
  EXPECT_EQ(SendMessage(form->GetHandle(), WM_NCHITTEST, 0, At(form, Centre(info->ScrollBarRect(1)))), HTVSCROLL);
  EXPECT_EQ(SendMessage(form->GetHandle(), WM_NCHITTEST, 0, At(form, Centre(info->ScrollBarRect(0)))), HTHSCROLL);
  EXPECT_EQ(SendMessage(form->GetHandle(), WM_NCHITTEST, 0, At(form, Centre(info->SizeBoxRect()))), HTBOTTOMRIGHT);
  // Smaller than its frame (the window manager keeps real windows larger): empty, not inverted.
  const TRect tiny = info->ClientFor(Rect(50, 50, 60, 60));
  EXPECT_EQ(tiny.Width(), 0);
  EXPECT_EQ(tiny.Height(), 0);
}

TEST_F(SkinFrame, StylesGiveTheButtonSet) {
  struct Case {
    const char* name;
    TFormBorderStyle border;
    TBorderIcons icons;
    TqzSkinFormButtons buttons;
  };
  const Case cases[] = {
      {"sizeable", bsSizeable, {biSystemMenu, biMinimize, biMaximize}, {fbIcon, fbMinimize, fbMaximize, fbClose}},
      {"dialog with help", bsDialog, {biSystemMenu, biHelp}, {fbClose, fbHelp}},
      {"tool window", bsToolWindow, {biSystemMenu}, {fbClose}},
      {"no system menu", bsSingle, {}, {}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TForm* form = NewForm(k.border, k.icons);
    TqzSkinFormNonClientAreaInfo* info = Controller(form)->NonClientInfo();
    EXPECT_TRUE(info->Buttons() == k.buttons);
    if (k.border == bsToolWindow) {
      EXPECT_LT(info->Margins().Top, Controller(forms.front())->NonClientInfo()->Margins().Top);
    }
  }
  TForm* minimized = NewForm();
  minimized->SetWindowState(wsMinimized);
  Pump();
  TqzSkinFormNonClientAreaInfo* info = Controller(minimized)->NonClientInfo();
  EXPECT_TRUE(info->Buttons() == (TqzSkinFormButtons{fbIcon, fbRestore, fbMaximize, fbClose}));
  EXPECT_GT(info->ButtonRect(fbMaximize).Left, info->ButtonRect(fbRestore).Left)
      << "restore where the minimize button would be";
}

TEST_F(SkinFrame, CaptionButtonsActOnReleaseOverThemselves) {
  struct Case {
    const char* name;
    TqzSkinFormButton button;
    bool releaseOver;
    TWindowState state;
    bool visible;
  };
  const Case cases[] = {
      {"close, released outside", fbClose, false, wsNormal, true},
      {"close", fbClose, true, wsNormal, false},
      {"maximize", fbMaximize, true, wsMaximized, true},
      {"minimize", fbMinimize, true, wsMinimized, true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TForm* form = NewForm();
    TqzSkinFormNonClientAreaInfo* info = Controller(form)->NonClientInfo();
    const LPARAM on = At(form, Centre(info->ButtonRect(k.button)));
    SendMessage(form->GetHandle(), WM_NCLBUTTONDOWN, HTCLOSE, on);
    EXPECT_EQ(info->ButtonState(k.button), esPressed);
    SendMessage(form->GetHandle(), WM_NCLBUTTONUP, HTCLOSE, k.releaseOver ? on : At(form, {100, 100}));
    Pump();
    EXPECT_EQ(form->GetVisible(), k.visible);
    if (k.visible) {
      EXPECT_EQ(form->GetWindowState(), k.state);
    }
  }
}

TEST_F(SkinFrame, ButtonsWarmUnderTheMouseAndAnInactiveWindowDrawsThemAllInactive) {
  TForm* form = NewForm();
  TqzSkinFormNonClientAreaInfo* info = Controller(form)->NonClientInfo();
  SendMessage(form->GetHandle(), WM_NCMOUSEMOVE, HTCLOSE, At(form, Centre(info->ButtonRect(fbClose))));
  EXPECT_EQ(info->ButtonState(fbClose), esHot);
  EXPECT_EQ(info->ButtonState(fbMaximize), esNormal);
  SendMessage(form->GetHandle(), WM_NCMOUSEMOVE, HTCAPTION, At(form, {100, 8}));
  EXPECT_EQ(info->ButtonState(fbClose), esNormal);
  SendMessage(form->GetHandle(), WM_NCACTIVATE, FALSE, 0);
  for (TqzSkinFormButton b : {fbIcon, fbMinimize, fbMaximize, fbClose}) EXPECT_EQ(info->ButtonState(b), esActiveDisabled);
  SendMessage(form->GetHandle(), WM_NCACTIVATE, TRUE, 0);
  EXPECT_EQ(info->ButtonState(fbClose), esNormal);
}

TEST_F(SkinFrame, MaximizingDropsTheRegionAndRestoringSetsItAgain) {
  TForm* form = NewForm();
  TqzSkinFormController* c = Controller(form);
  EXPECT_TRUE(c->HasWindowRegion());
  form->SetWindowState(wsMaximized);
  Pump();
  EXPECT_FALSE(c->HasWindowRegion());
  form->SetWindowState(wsNormal);
  Pump();
  EXPECT_TRUE(c->HasWindowRegion());
  controller->SetUseSkins(false);
  EXPECT_FALSE(c->HasWindowRegion()) << "an unskinned form has none";
  controller->SetUseSkins(true);
}

TEST_F(SkinFrame, TheBackgroundIsTheSkinsFormContent) {
  TForm* form = NewForm();
  TqzSkinFormController* c = Controller(form);
  TqzSkinElement* content = c->NonClientInfo()->PainterInfo()->Element(seFormFormContent);
  TkvBitmap expected(20, 20), erased(20, 20);
  content->Draw(expected.GetCanvas()->GetHandle(), Rect(0, 0, 20, 20), 0, esNormal);
  SendMessage(form->GetHandle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(erased.GetCanvas()->GetHandle()), 0);
  EXPECT_EQ(GetPixel(erased.GetCanvas()->GetHandle(), 5, 5), GetPixel(expected.GetCanvas()->GetHandle(), 5, 5));
}

TEST_F(SkinFrame, PressesOnTheSkinnedScrollBarsScrollByTheirPart) {
  auto* form = new TScrollRecordingForm(nullptr, 0);
  form->SetBounds(100, 100, 300, 200);
  form->Show();
  forms.push_back(form);
  HWND window = form->GetHandle();
  SetWindowLong(window, GWL_STYLE, GetWindowLong(window, GWL_STYLE) | WS_VSCROLL | WS_HSCROLL);
  SCROLLINFO range;
  range.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  range.nMax = 99;
  range.nPage = 20;
  range.nPos = 40;
  FormSetScrollInfo(window, SB_VERT, &range, FALSE);
  range.nPage = 200;  // the horizontal bar cannot scroll
  FormSetScrollInfo(window, SB_HORZ, &range, FALSE);
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  Pump();
  TqzSkinFormNonClientAreaInfo* info = Controller(form)->NonClientInfo();
  SendMessage(window, WM_NCPAINT, 1, 0);
  ASSERT_TRUE(info->ScrollBarEnabled(1));
  ASSERT_FALSE(info->ScrollBarEnabled(0));
  for (TkvScrollBarPart part : {sbpLineUp, sbpPageDown, sbpThumbnail, sbpLineDown})
    SendMessage(window, WM_NCLBUTTONDOWN, HTVSCROLL, At(form, Centre(info->ScrollPartRect(1, part))));
  SendMessage(window, WM_NCLBUTTONDOWN, HTHSCROLL, At(form, Centre(info->ScrollPartRect(0, sbpLineUp))));
  const std::vector<std::pair<UINT, WORD>> expected = {
      {WM_VSCROLL, SB_LINEUP}, {WM_VSCROLL, SB_PAGEDOWN}, {WM_VSCROLL, SB_LINEDOWN}};
  EXPECT_EQ(form->Requests, expected) << "the thumb and a bar that cannot scroll ask nothing";
}
