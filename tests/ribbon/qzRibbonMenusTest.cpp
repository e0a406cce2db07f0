#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

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
  // The narrowest room the painter left a caption beside its shortcut, less the caption's width.
  Integer captionSlack = 0;
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
    current->captionSlack = 1 << 30;
    for (Integer i = 0; i < window->GetItemLinks()->GetCount(); ++i) {
      TqzBarItemControl* control = window->GetItemLinks()->GetLink(i)->GetControl();
      TRect text;
      window->Painter()->ClassRef()->GetMenuTextRect(control->GetDrawParams(), control->GetItemRect(), text);
      const String& shortCut = control->GetDrawParams()->ShortCutText;
      const Integer shortCutPart =
          shortCut.empty() ? 0 : control->TextExtent(shortCut).cx + window->GetTextSizeValue() + 5;
      current->captionSlack = std::min(current->captionSlack, text.Width() - shortCutPart - control->CaptionWidth());
    }
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
  const std::pair<const char*, Word> items[] = {{"&Open Recent Files", 'O'}, {"&Save", 'S'}, {"E&xit", 'Q'}};
  for (const auto& [caption, key] : items) {
    auto* button = new TqzBarButton(form);
    button->SetCaption(caption);
    button->SetShortCut(ShortCut(key, TShiftState{ssCtrl}));
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
  EXPECT_GE(probe.captionSlack, 4) << "every caption fits, a gap before its shortcut, where the groups painter draws it";

  delete ribbon;
  ribbon = nullptr;
  EXPECT_EQ(popup->GetRibbon(), nullptr);
  popup->PopupAt(100, 100);
  EXPECT_EQ(probe.painter, nullptr);
}

}  // namespace
