#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "backend/HeadlessBackend.h"
#include "toolkit/bars/qzBar.h"

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
