#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "backend/HeadlessBackend.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarControl.h"
#include "user/Clock.h"
#include "user/Input.h"
#include "user/Messages.h"

namespace {

// A view info that claims to be a screen tip, for the window's mode.
class TTipLikeViewInfo : public TqzBarHintViewInfo {
  TAVREN_CLASS(TTipLikeViewInfo, TqzBarHintViewInfo)
 public:
  using TqzBarHintViewInfo::TqzBarHintViewInfo;
  bool IsScreenTip() override { return true; }
};
TAVREN_CLASS_IMPL(TTipLikeViewInfo)

// A hint provider that places its hints below a fixed point.
class TTestHintProvider : public TObject, public virtual IqzBarHintProvider {
  TAVREN_CLASS(TTestHintProvider, TObject)
 public:
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
  bool GetHintTexts(bool&, String&, String&) override { return true; }
  TqzBarCustomHintViewInfo* CreateHintViewInfo(const String& AHint, const String& AShortCut) override {
    return new TTipLikeViewInfo(nullptr, AHint, AShortCut, TPoint(0, 0));
  }
  bool IsEnabled() override { return true; }
  void GetHintPosition(const TPoint&, Integer AWindowHeight, TPoint& APos) override {
    APos = TPoint(40, 100 - AWindowHeight);
  }
};
TAVREN_CLASS_IMPL(TTestHintProvider)

class BarHints : public testing::Test {
 protected:
  void SetUp() override {
    SetDisplayBackend(&screen);
    form = new TForm(nullptr, 0);
    form->SetBounds(0, 0, 320, 200);
    form->SetColor(clBtnFace);
    form->Show();
  }
  void TearDown() override {
    delete form;
    SetDisplayBackend(nullptr);
  }
  HeadlessBackend screen;
  TForm* form = nullptr;
};

TEST_F(BarHints, OneHintWindowLivesWhileManagersDo) {
  EXPECT_EQ(BarHintWindow(), nullptr);
  auto* manager = new TqzBarManager(form);
  TqzBarHintWindow* window = BarHintWindow();
  ASSERT_NE(window, nullptr);
  auto* other = new TForm(nullptr, 0);
  auto* second = new TqzBarManager(other);
  EXPECT_EQ(BarHintWindow(), window);
  delete manager;
  EXPECT_EQ(BarHintWindow(), window);
  delete other;
  EXPECT_EQ(BarHintWindow(), nullptr);
  (void)second;
}

TEST_F(BarHints, PlainHintsShowTheirShortCutAndEmptyOnesStayHidden) {
  auto* manager = new TqzBarManager(form);
  TqzBarHintWindow* window = BarHintWindow();
  SetCursorPos(30, 40);
  EXPECT_FALSE(window->ShowHint(manager, "", " (Ctrl+O)"));
  EXPECT_FALSE(window->HandleAllocated() && IsWindowVisible(window->GetHandle()));
  ASSERT_TRUE(window->ShowHint(manager, "Open a video", " (Ctrl+O)"));
  EXPECT_TRUE(IsWindowVisible(window->GetHandle()));
  auto* info = dynamic_cast<TqzBarHintViewInfo*>(window->GetViewInfo());
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->GetText(), "Open a video (Ctrl+O)");
  EXPECT_EQ(window->GetShowDelay(), 1000);
  EXPECT_EQ(window->GetHideDelay(), 10000);
  EXPECT_EQ(window->GetLeft(), 30);
  EXPECT_GT(window->GetWidth(), 60);
  UpdateAllWindows();
  if (const char* root = std::getenv("TAVREN_TEST_OUTPUT"); root && *root) {
    std::filesystem::create_directories(std::string(root) + "/bars");
    screen.SaveWindowPng(window->GetHandle(), std::string(root) + "/bars/plain-hint.png");
  }
  // Hiding frees the view info.
  ShowWindow(window->GetHandle(), SW_HIDE);
  EXPECT_EQ(window->GetViewInfo(), nullptr);
}

TEST_F(BarHints, ProvidersChooseTheViewAndThePlace) {
  auto* manager = new TqzBarManager(form);
  TqzBarHintWindow* window = BarHintWindow();
  TTestHintProvider provider;
  manager->SetHintObject(&provider);
  ASSERT_TRUE(window->ShowHint(manager, "Convert", ""));
  EXPECT_TRUE(window->GetScreenTipMode());
  EXPECT_EQ(window->GetShowDelay(), 900);
  EXPECT_EQ(window->GetHideDelay(), 200000);
  EXPECT_EQ(window->GetLeft(), 40);
  EXPECT_EQ(window->GetTop() + window->GetViewInfo()->GetBounds().Height(), 100);
  manager->SetHintObject(nullptr);
  ASSERT_TRUE(window->ShowHint(manager, "Convert", ""));
  EXPECT_FALSE(window->GetScreenTipMode());
}

}  // namespace

namespace {

// An item that has a hint and a shortcut and may be disabled.
class TTestHintItem : public TObject, public virtual IqzBarHintProvider {
  TAVREN_CLASS(TTestHintItem, TObject)
 public:
  TTestHintItem(const char* AHint, bool AEnabled = true) : FHint(AHint), FEnabled(AEnabled) {}
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
  bool GetHintTexts(bool&, String& AHint, String& AShortCut) override {
    AHint = FHint;
    AShortCut = " (Ctrl+K)";
    return true;
  }
  TqzBarCustomHintViewInfo* CreateHintViewInfo(const String& AHint, const String& AShortCut) override {
    TPoint cursor;
    GetCursorPos(&cursor);
    return new TqzBarHintViewInfo(nullptr, AHint, AShortCut, cursor);
  }
  bool IsEnabled() override { return FEnabled; }
  void GetHintPosition(const TPoint& ACursorPos, Integer, TPoint& APos) override { APos = ACursorPos; }

 private:
  String FHint;
  bool FEnabled;
};
TAVREN_CLASS_IMPL(TTestHintItem)

class ManagerHints : public BarHints {
 protected:
  void SetUp() override {
    BarHints::SetUp();
    manager = new TqzBarManager(form);
    Application()->SetHintShortCuts(false);
  }
  void TearDown() override {
    Application()->SetHintShortCuts(true);
    BarHints::TearDown();
  }
  void PassTime(uint64_t Milliseconds) {
    for (uint64_t t = 0; t < Milliseconds; t += 10) {
      static_cast<FakeClock&>(CurrentClock()).Advance(10);
      MSG msg;
      while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    }
  }
  bool HintShown() {
    TqzBarHintWindow* window = BarHintWindow();
    return window && window->HandleAllocated() && IsWindowVisible(window->GetHandle());
  }
  String HintText() {
    auto* info = dynamic_cast<TqzBarHintViewInfo*>(BarHintWindow()->GetViewInfo());
    return info ? info->GetText() : String();
  }
  TqzBarManager* manager = nullptr;
};

TEST_F(ManagerHints, HintsShowAfterThePauseHideLaterAndReshowAtOnce) {
  TTestHintItem open("Open"), save("Save");
  manager->ActivateHint(true, "", &open);
  PassTime(990);
  EXPECT_FALSE(HintShown());
  PassTime(20);
  ASSERT_TRUE(HintShown());
  EXPECT_EQ(HintText(), "Open");
  // While a hint is up, the next item's hint replaces it at once.
  manager->ActivateHint(true, "", &save);
  EXPECT_EQ(HintText(), "Save");
  PassTime(9990);
  EXPECT_TRUE(HintShown());
  PassTime(20);
  EXPECT_FALSE(HintShown());

  // Moving off onto nothing hides it; within 400 ms the next one shows without the pause.
  manager->ActivateHint(true, "", &open);
  PassTime(1010);
  ASSERT_TRUE(HintShown());
  manager->ActivateHint(true, "", nullptr);
  EXPECT_FALSE(HintShown());
  PassTime(300);
  manager->ActivateHint(true, "", &save);
  EXPECT_TRUE(HintShown());
  manager->ActivateHint(true, "", nullptr);
  PassTime(410);
  manager->ActivateHint(true, "", &open);
  EXPECT_FALSE(HintShown());
  PassTime(1010);
  EXPECT_TRUE(HintShown());
  manager->HideHint();
  EXPECT_FALSE(HintShown());
}

TEST_F(ManagerHints, DisabledItemsAndShortCuts) {
  TTestHintItem disabled("Paste", false);
  struct Case {
    bool forDisabled, shortCutInHint, appShortCuts;
    bool shown;
    const char* text;
  };
  const Case kCases[] = {{false, false, false, false, ""},
                         {true, false, false, true, "Paste"},
                         {true, true, false, true, "Paste (Ctrl+K)"},
                         {true, false, true, true, "Paste (Ctrl+K)"}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    manager->SetShowHintForDisabledItems(c.forDisabled);
    manager->SetShowShortCutInHint(c.shortCutInHint);
    Application()->SetHintShortCuts(c.appShortCuts);
    manager->ActivateHint(true, "", &disabled);
    PassTime(1010);
    EXPECT_EQ(HintShown(), c.shown);
    if (c.shown) {
      EXPECT_EQ(HintText(), c.text);
    }
    manager->HideHint();
    PassTime(410);
  }
  // A manager that goes takes its pending hint with it.
  manager->ActivateHint(true, "Pending", nullptr);
  delete manager;
  manager = nullptr;
  PassTime(1010);
  EXPECT_EQ(BarHintWindow(), nullptr);
}

}  // namespace

namespace {

TEST_F(ManagerHints, AToolbarItemWithAScreenTipShowsItBelowTheCursor) {
  auto* repository = new TqzBarScreenTipRepository(form);
  TqzBarScreenTip* tip = repository->GetItems()->Add();
  tip->GetHeader()->SetText("Convert");
  tip->GetDescription()->SetText("Converts every checked video with the chosen profile.");
  tip->GetFooter()->SetText("Press F1 for help.");
  TqzBar* bar = manager->GetBars()->AddBar();
  bar->SetDockingStyle(dsTop);
  bar->SetVisible(true);
  auto* item = new TqzBarButton(form);
  item->SetCaption("Convert");
  item->SetHint("Convert the list");
  item->SetScreenTip(tip);
  bar->GetItemLinks()->AddLinkForItem(item);
  UpdateAllWindows();
  TqzBarItemLink* link = bar->GetItemLinks()->GetLink(0);
  // A link added to a toolbar on screen gets its control at once.
  ASSERT_NE(link->GetControl(), nullptr);
  TRect r = link->GetItemRect();
  TPoint centre = link->GetBarControl()->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
  SetCursorPos(centre.X, centre.Y);
  TPoint client = link->GetBarControl()->ScreenToClient(centre);
  SendMessage(link->GetBarControl()->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(client.X, client.Y));
  PassTime(1010);
  ASSERT_TRUE(HintShown());
  TqzBarHintWindow* window = BarHintWindow();
  auto* info = dynamic_cast<TqzBarScreenTipViewInfo*>(window->GetViewInfo());
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->GetBandCount(), 3);
  EXPECT_EQ(window->GetClientWidth(), 210);
  EXPECT_EQ(window->GetTop(), centre.Y + 20);
  // A screen tip stays up for its long while.
  EXPECT_EQ(window->GetHideDelay(), 200000);
  UpdateAllWindows();
  if (const char* root = std::getenv("TAVREN_TEST_OUTPUT"); root && *root) {
    std::filesystem::create_directories(std::string(root) + "/bars");
    screen.SaveWindowPng(window->GetHandle(), std::string(root) + "/bars/screen-tip.png");
  }
  manager->HideHint();
}

}  // namespace
