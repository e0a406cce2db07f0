#pragma once
// A headless screen with one borderless form for each test, a pump that runs the queue and
// paints, and pixel probes of the form's surface.

#include <gtest/gtest.h>

#include "backend/HeadlessBackend.h"
#include "toolkit/editors/kvContainer.h"
#include "user/Clock.h"
#include "user/User.h"
#include "vcl/Forms.h"

// Puts Text on the clipboard as CF_TEXT.
void SetClipboardText(const String& Text);

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
