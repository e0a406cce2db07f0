#pragma once
// A headless screen with one borderless form for each test, a pump that runs the queue and
// paints, and pixel probes of the form's surface.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "gdi/UxTheme.h"
#include "toolkit/editors/kvContainer.h"
#include "user/Clock.h"
#include "user/User.h"
#include "vcl/Forms.h"

// The separators a number table runs under. Rows are written with "." decimals and ","
// thousands; InLocale swaps the two where the locale does.
struct NumberLocale {
  Char decimal;
  Char thousand;
};
String InLocale(const String& Text, const NumberLocale& L);

// Puts Text on the clipboard as CF_TEXT.
void SetClipboardText(const String& Text);

// A theme that names the classes it opens, logs what it draws ("Class part,state WxH") and fills
// it in navy; the content lies one pixel inside.
class LoggingTheme : public ThemeProvider {
 public:
  BOOL IsThemeActive() override { return TRUE; }
  BOOL IsAppThemed() override { return TRUE; }
  HTHEME OpenThemeData(HWND, const char16_t* Classes) override;
  HRESULT CloseThemeData(HTHEME) override { return S_OK; }
  HRESULT GetThemeBackgroundContentRect(HTHEME, HDC, int, int, const RECT* Bounds, RECT* Content) override;
  HRESULT DrawThemeBackground(HTHEME Theme, HDC DC, int Part, int State, const RECT* R, const RECT*) override;
  std::vector<std::string> names, log;
};

class EditorsTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Runs everything queued and paints.
  void Pump();
  // Time passes in 10 ms steps, so that every due timer fires.
  void PassTime(uint64_t Milliseconds);
  // The colour of a pixel of the form's surface, in form client coordinates.
  TColor FormPixel(Integer X, Integer Y);
  // Whether a point of a window lies inside its window region (everywhere when it has none).
  static bool InWindowRegion(HWND Window, Integer X, Integer Y);
  FakeClock& Clock();

  HeadlessBackend screen;
  TForm* form = nullptr;
};

// A container that publishes its four styles, as the editors do.
class TTestContainer : public TkvContainer {
  TAVREN_CLASS(TTestContainer, TkvContainer)
 public:
  using TkvContainer::TkvContainer;
  Integer keyDowns = 0;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override {
    ++keyDowns;
    TkvContainer::KeyDown(Key, Shift);
  }
};

// Steps run at their time on the fake clock, also while a popup's own loop runs.
struct ScriptedSteps : TObject {
  std::vector<std::unique_ptr<TkvTimer>> timers;
  std::vector<std::function<void()>> steps;
  void Add(Cardinal At, std::function<void()> Step) {
    steps.push_back(std::move(Step));
    auto timer = std::make_unique<TkvTimer>(nullptr);
    timer->SetInterval(At);
    timer->SetTag(static_cast<intptr_t>(steps.size() - 1));
    timer->SetOnTimer(MakeEvent<&ScriptedSteps::Fire>(this));
    timers.push_back(std::move(timer));
  }
  void Fire(TObject* Sender) {
    auto* timer = static_cast<TkvTimer*>(Sender);
    timer->SetEnabled(false);
    steps[timer->GetTag()]();
  }
};
