#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gdi/UxTheme.h"
#include "rtl/WideText.h"
#include "toolkit/foundation/kvDWMApi.h"
#include "toolkit/foundation/qzOffice11.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "toolkit/foundation/qzUxTheme.h"
#include "user/MessageNumbers.h"
#include "user/Messages.h"

namespace {

// A theme that is active, opens every class list with a new handle and records what it is asked.
class RecordingTheme : public ThemeProvider {
 public:
  BOOL IsThemeActive() override { return Active; }
  HTHEME OpenThemeData(HWND, const char16_t* classList) override {
    Opened.push_back(UTF8Encode(classList));
    return reinterpret_cast<HTHEME>(static_cast<uintptr_t>(Opened.size()));
  }
  HRESULT CloseThemeData(HTHEME theme) override {
    Closed.push_back(reinterpret_cast<uintptr_t>(theme));
    return S_OK;
  }
  HRESULT GetCurrentThemeName(char16_t* file, int, char16_t* color, int, char16_t*, int) override {
    std::u16string f = UTF8Decode(FileName), c = UTF8Decode(ColorName);
    std::copy(f.begin(), f.end(), file);
    std::copy(c.begin(), c.end(), color);
    return S_OK;
  }
  BOOL Active = TRUE;
  std::vector<String> Opened;
  std::vector<uintptr_t> Closed;
  String FileName = "C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";
  String ColorName = "NormalColor";
};

class ThemeManagerTest : public testing::Test {
 protected:
  void SetUp() override {
    SetThemeProvider(&theme);
    SwitchTheme();
  }
  void TearDown() override {
    // The handle cache is shared by the whole program and keeps each kind's class list across
    // theme switches: closing every kind drops the lists these tests chose.
    for (Integer kind = 0; kind < kThemedObjectTypeCount; ++kind)
      CloseThemeOfKind(static_cast<TqzThemedObjectType>(kind));
    SetThemeProvider(nullptr);
    SwitchTheme();
  }
  // What the desktop tells every window when the user picks another theme.
  static void SwitchTheme() { SendMessage(HWND_BROADCAST, WM_THEMECHANGED, 0, 0); }

  RecordingTheme theme;
};

TEST(ThemeBinding, PlatformAnswersWithoutVisualStylesOrComposition) {
  EXPECT_TRUE(RunningOnXPOrNewer());
  EXPECT_TRUE(ThemeLibraryLoaded());
  EXPECT_NE(UxThemeEntryPoints().BufferedPaintSetAlpha, nullptr);  // the last of the bound names
  EXPECT_FALSE(VisualStylesInUse());
  EXPECT_FALSE(ThemesAvailableFor(ThemedKindBit(totButton)));
  EXPECT_EQ(ObtainTheme(totButton), nullptr);
  EXPECT_EQ(CloseThemeOfKind(totButton), 1);
  EXPECT_FALSE(DwmCompositionEnabled());  // the reported version is 5.1: the library is not even bound
  EXPECT_FALSE(DwmBound());
  EXPECT_EQ(Office11SchemeDetect(), 0);
}

TEST_F(ThemeManagerTest, HandlesAreCachedPerKindAndReopenedForAnotherClassList) {
  ASSERT_TRUE(VisualStylesInUse());
  EXPECT_TRUE(ThemesAvailableFor(0));
  EXPECT_TRUE(theme.Opened.empty());  // the empty set opens nothing

  HTHEME button = ObtainTheme(totButton);
  EXPECT_EQ(ObtainTheme(totButton, u"BUTTON"), button);  // same list, letter case aside
  EXPECT_EQ(theme.Opened, (std::vector<String>{"Button"}));

  HTHEME edit = ObtainTheme(totButton, u"Edit");
  EXPECT_NE(edit, button);
  EXPECT_EQ(theme.Closed, (std::vector<uintptr_t>{reinterpret_cast<uintptr_t>(button)}));

  // A theme switch closes every kind; the next request reopens with the list used last.
  SwitchTheme();
  EXPECT_EQ(theme.Closed.size(), 2u);
  ObtainTheme(totButton);
  EXPECT_EQ(theme.Opened.back(), "Edit");
  EXPECT_TRUE(ThemesAvailableFor(ThemedKindBit(totScrollBar) | ThemedKindBit(totTab)));
  EXPECT_EQ(theme.Opened.back(), "Tab");
  EXPECT_EQ(CloseThemeOfKind(totTab), S_OK);
  EXPECT_EQ(CloseThemeOfKind(totTab), 0);
}

TEST_F(ThemeManagerTest, NotificatorsHearThemeSwitches) {
  struct Listener : TObject {
    void Changed() { ++Calls; }
    Integer Calls = 0;
  } listener;
  TqzThemeChangedNotificator notificator;
  notificator.SetOnThemeChanged(MakeEvent<&Listener::Changed>(&listener));
  {
    TqzThemeChangedNotificator silent;  // no handler: skipped
    SwitchTheme();
  }
  theme.Active = FALSE;
  SwitchTheme();
  EXPECT_EQ(listener.Calls, 2);
  EXPECT_FALSE(VisualStylesInUse());
}

TEST_F(ThemeManagerTest, Office11SchemeFollowsTheThemesColourName) {
  struct Case {
    const char* file;
    const char* color;
    Integer scheme;
  };
  const Case cases[] = {
      {"C:\\Themes\\Luna.msstyles", "NormalColor", 1},
      {"C:\\Themes\\luna.msstyles", "HomeStead", 2},
      {"C:\\Themes\\Luna.msstyles", "Metallic", 3},
      {"C:\\Themes\\Luna.msstyles", "Royale", 0},
      {"C:\\Themes\\Other.msstyles", "NormalColor", 0},  // not the platform's own theme file
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.color);
    theme.FileName = c.file;
    theme.ColorName = c.color;
    EXPECT_EQ(Office11SchemeDetect(), c.scheme);
  }
}

TEST_F(ThemeManagerTest, Office11TableTakesTheSchemeRowAndFallsBackForUnknownColours) {
  theme.ColorName = "Metallic";
  Office11ColorsLoad();
  EXPECT_TRUE(Office11SchemeInUse());
  EXPECT_EQ(Office11SplitPercent(), 40);
  EXPECT_EQ(Office11Color(2), 0xFAF4F3);  // word 0 of the silver row
  EXPECT_EQ(Office11Color(76), 0xFFFFFF);
  theme.ColorName = "Royale";
  Office11ColorsLoad();
  EXPECT_FALSE(Office11SchemeInUse());
  EXPECT_EQ(Office11SplitPercent(), 75);
  theme.Active = FALSE;
  SwitchTheme();
  Office11ColorsLoad();
}

}  // namespace
