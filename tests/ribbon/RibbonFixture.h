#pragma once
// A shown form on the headless screen with a bar manager and a ribbon bound to it.

#include <gtest/gtest.h>

#include "backend/HeadlessBackend.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "user/Clock.h"
#include "user/Messages.h"
#include "user/Painting.h"
#include "vcl/Forms.h"

class RibbonOnForm : public testing::Test {
 protected:
  void SetUp() override {
    SetDisplayBackend(&screen);
    form = new TForm(nullptr, 0);
    form->SetBounds(0, 0, 640, 400);
    manager = new TqzBarManager(form);
    ribbon = new TqzRibbon(form);
    ribbon->SetParent(form);
    ribbon->SetBarManager(manager);
    form->Show();
    Pump();
  }
  void TearDown() override {
    delete form;
    SetDisplayBackend(nullptr);
  }
  TqzRibbonTab* AddTab(const String& ACaption) {
    TqzRibbonTab* tab = ribbon->GetTabs()->Add();
    tab->SetCaption(ACaption);
    return tab;
  }
  TqzBar* AddBar(const String& ACaption) {
    TqzBar* bar = manager->GetBars()->AddBar();
    bar->SetCaption(ACaption);
    return bar;
  }
  TqzRibbonTabsViewInfo* TabRow() { return ribbon->GetViewInfo()->GetTabsViewInfo(); }
  static void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  // Time passes in 10 ms steps, so that every due timer fires.
  static void PassTime(uint64_t Milliseconds) {
    for (uint64_t t = 0; t < Milliseconds; t += 10) {
      static_cast<FakeClock&>(CurrentClock()).Advance(10);
      Pump();
    }
  }
  // What the ribbon's window shows at a point of its client area.
  COLORREF RibbonPixel(Integer X, Integer Y) {
    Pump();
    HDC dc = GetDC(ribbon->GetHandle());
    const COLORREF color = GetPixel(dc, X, Y);
    ReleaseDC(ribbon->GetHandle(), dc);
    return color;
  }
  void SendMouse(HWND AWnd, UINT AMessage, const TPoint& P, WPARAM AKeys = 0) {
    SendMessage(AWnd, AMessage, AKeys, MAKELPARAM(P.X, P.Y));
  }

  HeadlessBackend screen;
  TForm* form = nullptr;
  TqzBarManager* manager = nullptr;
  TqzRibbon* ribbon = nullptr;
};
