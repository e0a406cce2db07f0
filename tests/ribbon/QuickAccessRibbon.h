#pragma once
// A ribbon with one tab of one group and a quick access toolbar of small image buttons, and the
// mouse and menu helpers of the quick access tests.

#include <cstdlib>
#include <string>
#include <vector>

#include "RibbonFixture.h"
#include "rtl/SysUtils.h"
#include "toolkit/bars/qzBarCustPopup.h"
#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarItems.h"
#include "toolkit/ribbon/qzRibbonQuickAccess.h"
#include "user/InputEvents.h"
#include "user/Rects.h"
#include "vcl/ImgList.h"

// A ribbon with one tab of one group and a quick access toolbar of small image buttons.
class QuickAccessRibbon : public RibbonOnForm {
 protected:
  void SetUp() override {
    RibbonOnForm::SetUp();
    images = new TImageList(form);
    const TColor colours[] = {clNavy, clMaroon, clGreen, clTeal, clOlive, clPurple, clBlue, clRed};
    for (TColor colour : colours) {
      TBitmap image;
      image.SetSize(16, 16);
      image.GetCanvas()->GetBrush()->SetColor(clFuchsia);
      image.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
      image.GetCanvas()->GetBrush()->SetColor(colour);
      image.GetCanvas()->FillRect(TRect(2, 2, 14, 14));
      images->AddMasked(&image, clFuchsia);
    }
    manager->SetImages(images);
    ribbon->SetColorSchemeName("Blue");
    TqzRibbonTab* tab = AddTab("Home");
    group = AddBar("Clipboard");
    // The group's glyph, which a button standing for the whole group shows.
    group->GetGlyph()->SetSize(16, 16);
    group->GetGlyph()->GetCanvas()->GetBrush()->SetColor(clPurple);
    group->GetGlyph()->GetCanvas()->FillRect(TRect(0, 0, 16, 16));
    group->GetGlyph()->GetCanvas()->GetBrush()->SetColor(clYellow);
    group->GetGlyph()->GetCanvas()->FillRect(TRect(4, 4, 12, 12));
    AddButtons(group, 3);
    group->SetVisible(true);
    tab->GetGroups()->AddGroup()->SetToolBar(group);
    quick = AddBar("Quick");
    AddButtons(quick, 3);
    quick->SetVisible(true);
    ribbon->GetQuickAccessToolbar()->SetToolbar(quick);
    Pump();
  }
  void AddButtons(TqzBar* ABar, Integer ACount) {
    for (Integer i = 0; i < ACount; ++i) {
      auto* button = new TqzBarButton(form);
      button->SetCaption("Command " + IntToStr(ABar->GetItemLinks()->GetCount() + 1));
      button->SetImageIndex(ABar->GetItemLinks()->GetCount() % 8);
      ABar->GetItemLinks()->AddLinkForItem(button);
    }
  }
  TqzRibbonQuickAccessBarControl* Window() { return dynamic_cast<TqzRibbonQuickAccessBarControl*>(quick->GetBarControl()); }
  TqzRibbonQuickAccessDockControl* Site() { return ribbon->GetQuickAccessToolbar()->GetDockControl(); }
  // The links the window shows: those with an item rectangle.
  Integer ShownLinks() {
    Integer shown = 0;
    for (Integer i = 0; i < quick->GetItemLinks()->GetVisibleLinkCount(); ++i)
      if (!IsRectEmpty(&quick->GetItemLinks()->GetVisibleLink(i)->GetItemRect())) ++shown;
    return shown;
  }
  // The site's rectangle in the ribbon's client coordinates.
  TRect SiteInRibbon() {
    POINT corner{0, 0};
    MapWindowPoints(Site()->GetHandle(), ribbon->GetHandle(), &corner, 1);
    return TRect(corner.X, corner.Y, corner.X + Site()->GetWidth(), corner.Y + Site()->GetHeight());
  }
  static void Click(const TPoint& AScreenPoint) {
    static_cast<FakeClock&>(CurrentClock()).Advance(1000);
    InputMouseMove(AScreenPoint);
    InputMouseButton(AScreenPoint, MouseButton::Left, true);
    Pump();
    InputMouseButton(AScreenPoint, MouseButton::Left, false);
    Pump();
  }
  static TPoint Centre(const TRect& R) { return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2); }
  static void RightClick(const TPoint& AScreenPoint) {
    static_cast<FakeClock&>(CurrentClock()).Advance(1000);
    InputMouseMove(AScreenPoint);
    InputMouseButton(AScreenPoint, MouseButton::Right, true);
    Pump();
    InputMouseButton(AScreenPoint, MouseButton::Right, false);
    Pump();
  }
  // A click on the entry of an open menu.
  static void ClickEntry(TqzBarItemLink* ALink) {
    auto* menu = dynamic_cast<TCustomqzBarControl*>(ALink->GetControl()->GetParent());
    ASSERT_NE(menu, nullptr);
    Click(menu->ClientToScreen(Centre(ALink->GetItemRect())));
  }
  static std::vector<String> Captions(TqzBarItemLinks* ALinks) {
    std::vector<String> captions;
    for (Integer i = 0; i < ALinks->GetCount(); ++i) captions.push_back(ALinks->GetLink(i)->GetCaption());
    return captions;
  }
  // The design controller's context menu after a right click at the point (nil for none).
  TqzBarCustomizingPopup* ContextMenuAt(const TPoint& AScreenPoint) {
    RightClick(AScreenPoint);
    return DesignControllerInstance()->GetCustomizingPopup();
  }
  void ClickMark() {
    TRect mark;
    Window()->MarkScreenRect(mark);
    Click(Centre(mark));
  }
  void SavePicture(const char* AName) {
    if (const char* root = std::getenv("TAVREN_TEST_OUTPUT"); root && *root) {
      Pump();
      UpdateAllWindows();
      EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), std::string(root) + "/" + AName + ".png"));
    }
  }

  TImageList* images = nullptr;
  TqzBar* group = nullptr;
  TqzBar* quick = nullptr;
};

// Records the captions of the commands clicked.
struct TRunCommands : TObject {
  std::vector<String> Names;
  void Clicked(TObject* Sender) { Names.push_back(static_cast<TqzBarItem*>(Sender)->GetCaption()); }
};
