// The about window: the version from the program's resources, the home link opened through the
// shell and the window closed by any click.

#include <gtest/gtest.h>

#include "Screenshots.h"
#include "VclTestSupport.h"
#include "app/About.h"
#include "core/Global.h"
#include "user/Input.h"
#include "user/Shell.h"
#include "user/WindowPos.h"

namespace {

class AboutTest : public VclTest {
 protected:
  void SetUp() override {
    VclTest::SetUp();
    CreateMainForm();
    Application()->CreateForm(about);
    forms.push_back(about);
    SetShellExecuteHandler([this](HWND window, const char* operation, const char* file, const char* parameters,
                                  const char* directory, int show) {
      EXPECT_EQ(window, nullptr);
      EXPECT_EQ(operation, nullptr);
      EXPECT_EQ(parameters, nullptr);
      EXPECT_EQ(directory, nullptr);
      EXPECT_EQ(show, SW_SHOW);
      opened.push_back(file);
      return reinterpret_cast<HINSTANCE>(intptr_t(42));
    });
  }
  void TearDown() override {
    SetShellExecuteHandler(nullptr);
    VclTest::TearDown();
  }
  void ClickAt(TControl* Control, Integer X, Integer Y) {
    TPoint at = Control->ClientToScreen(TPoint(X, Y));
    InputMouseMove(at);
    InputMouseButton(at, MouseButton::Left, true);
    InputMouseButton(at, MouseButton::Left, false);
    Settle();
  }

  TFormAbout* about = nullptr;
  std::vector<String> opened;
};

TEST_F(AboutTest, ShowsTheProgramsVersion) {
  EXPECT_EQ(about->Label2->GetCaption(), "Version 3.0.1.324");
  EXPECT_EQ(about->Label1->GetCaption(), "Converter       ");
  EXPECT_EQ(about->GetCaption(), "About");
  EXPECT_EQ(about->GetClientWidth(), 280);
  EXPECT_EQ(about->GetClientHeight(), 124);
  about->Show();
  Settle();
  EXPECT_TRUE(SaveWindowShot(about->GetHandle(), "app-about"));
}

TEST_F(AboutTest, TheLinkIsTheProgramsHomeAddress) {
  const String saved = HomeUrl;
  HomeUrl = "https://www.example.com/tavren/";
  TFormAbout* another = nullptr;
  Application()->CreateForm(another);
  forms.push_back(another);
  EXPECT_EQ(another->lblHome->GetCaption(), "https://www.example.com/tavren/");
  HomeUrl = saved;
}

TEST_F(AboutTest, TheHomeLinkOpensAndAnyOtherClickCloses) {
  about->Show();
  Settle();
  ClickAt(about->lblHome, 3, 3);
  EXPECT_EQ(opened, std::vector<String>{about->lblHome->GetCaption()});
  EXPECT_FALSE(about->GetVisible());

  about->Show();
  Settle();
  ClickAt(about, about->GetClientWidth() - 10, about->GetClientHeight() - 10);
  EXPECT_FALSE(about->GetVisible());
  EXPECT_EQ(opened.size(), 1u) << "only the link opens anything";
}

}  // namespace
