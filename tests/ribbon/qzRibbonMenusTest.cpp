#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "RibbonFixture.h"
#include "toolkit/bars/qzBarItems.h"
#include "toolkit/ribbon/qzRibbonMenus.h"
#include "user/Timers.h"
#include "user/VirtualKeys.h"

namespace {

using RibbonMenus = RibbonOnForm;

// What the menu window was like while it was open; it is looked at once it shows, then closed.
struct TMenuProbe : TObject {
  TqzRibbonPopupMenu* menu = nullptr;
  Word kindFlags = 0;
  TqzBarPainter* painter = nullptr;
  HeadlessBackend* screen = nullptr;
  std::string picture;  // saved under this name, when set
  void Popped(TObject*) {
    current = this;
    timer = SetTimer(nullptr, 0, 0, &Shown);
  }
  static void Shown(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, timer);
    TqzBarSubMenuControl* window = current->menu->GetMenuControl();
    current->kindFlags = window->KindFlags();
    current->painter = window->GetOwnPainter();
    const char* root = std::getenv("TAVREN_TEST_OUTPUT");
    if (!current->picture.empty() && root) {
      UpdateWindow(window->GetHandle());
      EXPECT_TRUE(current->screen->SaveWindowPng(window->GetHandle(), std::string(root) + "/" + current->picture + ".png"));
    }
    PostMessage(window->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
  }
  static inline TMenuProbe* current = nullptr;
  static inline UINT_PTR timer = 0;
};

TEST_F(RibbonMenus, APopupMenuOfARibbonDrawsWithItsGroupsPainterAndForgetsAFreedRibbon) {
  auto* popup = new TqzRibbonPopupMenu(form);
  for (const char* caption : {"&Open", "&Save", "E&xit"}) {
    auto* button = new TqzBarButton(form);
    button->SetCaption(caption);
    popup->GetItemLinks()->AddLinkForItem(button);
  }
  popup->GetItemLinks()->GetLink(2)->SetBeginGroup(true);
  TMenuProbe probe;
  probe.menu = popup;
  probe.screen = &screen;
  popup->SetOnPopup(MakeEvent<&TMenuProbe::Popped>(&probe));

  popup->PopupAt(100, 100);
  EXPECT_EQ(probe.kindFlags, 0x019E) << "a menu's flags with the context menu on release";
  EXPECT_EQ(probe.painter, nullptr) << "no ribbon: the manager's painter";

  popup->SetRibbon(ribbon);
  probe.picture = "ribbon-popup-menu";
  popup->PopupAt(100, 100);
  probe.picture.clear();
  EXPECT_EQ(probe.painter, ribbon->GetGroupsPainter());

  delete ribbon;
  ribbon = nullptr;
  EXPECT_EQ(popup->GetRibbon(), nullptr);
  popup->PopupAt(100, 100);
  EXPECT_EQ(probe.painter, nullptr);
}

}  // namespace
