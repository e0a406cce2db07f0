#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>

#include "BarsTestSupport.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "toolkit/bars/qzBarShadow.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"
#include "user/Messages.h"
#include "user/Painting.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"

namespace {

struct TStyleCase {
  TqzBarManagerStyle style;
  const char* name;
};
// The looks the painters draw themselves.
constexpr TStyleCase kOwnLooks[] = {
    {bmsStandard, "standard"}, {bmsEnhanced, "enhanced"}, {bmsFlat, "flat"}, {bmsOffice11, "office11"}};

// Where the screenshots go, made when missing.
String ScreenshotFolder() {
  const char* dir = std::getenv("TAVREN_TEST_OUTPUT");
  String folder = dir ? dir : "test-output";
  std::filesystem::create_directories(folder);
  return folder;
}

// A form with a main menu, a docked toolbar and a floating one, saved in every painting style.
class StyleScreenshots : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 420, 260);
    form->SetColor(clBtnFace);
    form->Show();
    // The bars' own command pictures stand in for a program's glyphs.
    const char* names[std::size(glyphs)] = {"QZBARDATECOMBO", "QZBARCOLORCOMBO", "QZBARIMAGECOMBO",
                                            "QZBARTREEVIEWCOMBO"};
    for (size_t i = 0; i < std::size(glyphs); ++i) {
      glyphs[i].LoadFromResourceName(HInstance, names[i]);
      glyphs[i].SetTransparentColor(clFuchsia);
    }
  }
  TqzBar* AddBar(const char* ACaption, std::initializer_list<const char*> ACaptions, TqzBarPaintStyle APaintStyle,
                 TqzBarDockingStyle AStyle, Integer ARow = 0) {
    TqzBar* bar = manager->GetBars()->AddBar();
    bar->SetCaption(ACaption);
    Integer index = 0;
    for (const char* caption : ACaptions) {
      auto* item = new TqzBarButton(form);
      item->SetCaption(caption);
      item->SetPaintStyle(APaintStyle);
      // Toolbars show a split button, a latched one and a disabled one.
      if (APaintStyle != psCaption) {
        item->SetGlyph(&glyphs[index % std::size(glyphs)]);
        if (index == 1) item->SetButtonStyle(bsDropDown);
        if (index == 2) {
          item->SetButtonStyle(bsChecked);
          item->SetDown(true);
        }
        if (index == 3) item->SetEnabled(false);
      }
      bar->GetItemLinks()->AddLinkForItem(item)->SetBeginGroup(index == 2);
      ++index;
    }
    bar->SetRow(ARow);
    bar->SetDockingStyle(AStyle);
    bar->SetVisible(true);
    Pump();
    return bar;
  }
  TBitmap glyphs[4];
  TBitmap& glyph = glyphs[0];
};

TEST_F(StyleScreenshots, TheFormInEachStyle) {
  TqzBar* menu = AddBar("Menu", {"&Edit", "&View", "&Help"}, psCaption, dsTop);
  // File opens a menu with a sub-menu: Open, Recent > (One, Two), Exit.
  auto* file = new TqzBarSubItem(form);
  file->SetCaption("&File");
  auto* recent = new TqzBarSubItem(form);
  recent->SetCaption("&Recent");
  for (const char* caption : {"&Open", "", "E&xit"}) {
    if (!*caption) {
      file->GetItemLinks()->AddLinkForItem(recent);
      continue;
    }
    auto* item = new TqzBarButton(form);
    item->SetCaption(caption);
    item->SetGlyph(&glyph);
    // Open shows the shortcut column.
    if (caption[1] == 'O') item->SetShortCut(TextToShortCut("Ctrl+O"));
    file->GetItemLinks()->AddLinkForItem(item)->SetBeginGroup(caption[1] == 'x');
  }
  for (const char* caption : {"One", "Two"}) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(caption);
    recent->GetItemLinks()->AddLinkForItem(item);
  }
  menu->GetItemLinks()->AddLinkForItem(file)->SetIndex(0);
  menu->SetIsMainMenu(true);
  AddBar("Standard", {"New", "Open", "Bold", "Cut"}, psStandard, dsTop);
  TqzBar* floating = AddBar("Format", {"Left", "Centre", "Right", "Justify"}, psStandard, dsNone);
  floating->SetFloatLeft(200);
  floating->SetFloatTop(170);
  // Wide enough for its buttons in one row, as a user leaves a toolbar they float.
  floating->SetFloatClientWidth(120);
  Pump();
  String folder = ScreenshotFolder();
  const TStyleCase styles[] = {{bmsStandard, "standard"}, {bmsEnhanced, "enhanced"}, {bmsFlat, "flat"},
                               {bmsOffice11, "office11"}, {bmsXP, "xp"}};
  for (const TStyleCase& style : styles) {
    manager->SetStyle(style.style);
    manager->GetBars()->RebuildAll();
    Pump();
    // The File menu open, with Recent's menu beside it.
    auto* entry = dynamic_cast<TqzBarSubItemControl*>(menu->GetItemLinks()->GetLink(0)->GetControl());
    ASSERT_NE(entry, nullptr);
    entry->OpenSubMenu(true);
    Pump();
    TqzBarSubMenuControl* opened = entry->GetSubMenu();
    ASSERT_NE(opened, nullptr) << style.name;
    opened->SetSelectedControl(file->GetItemLinks()->GetLink(1)->GetControl());
    SendMessage(opened->GetHandle(), WM_KEYDOWN, VK_RIGHT, 0);
    Pump();
    EXPECT_TRUE(screen.SaveScreenPng(folder + "/bar-style-" + style.name + ".png")) << style.name;
    entry->CloseSubMenu();
    Pump();
  }
}

// The bar windows together as a user meets them: the menu bar, a docked toolbar of button groups
// with a drop-down button, an edit and a combo, a floating toolbar with its caption and close
// button, and the File menu open with Recent's menu beside it; in the default style and in the
// flat one, whose menus cast shadows.
TEST_F(StyleScreenshots, MenuBarToolbarsAndOpenMenus) {
  form->SetBounds(40, 30, 560, 320);
  form->SetCaption("Tavren");
  TqzBar* menu = AddBar("Menu", {"&Edit", "&View", "&Help"}, psCaption, dsTop);
  auto* file = new TqzBarSubItem(form);
  file->SetCaption("&File");
  auto* recent = new TqzBarSubItem(form);
  recent->SetCaption("&Recent files");
  auto* open = new TqzBarButton(form);
  open->SetCaption("&Open...");
  open->SetGlyph(&glyph);
  open->SetShortCut(TextToShortCut("Ctrl+O"));
  file->GetItemLinks()->AddLinkForItem(open);
  file->GetItemLinks()->AddLinkForItem(recent);
  auto* exit = new TqzBarButton(form);
  exit->SetCaption("E&xit");
  file->GetItemLinks()->AddLinkForItem(exit)->SetBeginGroup(true);
  for (const char* caption : {"holiday.mp4", "interview.avi", "trailer.mkv"}) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(caption);
    recent->GetItemLinks()->AddLinkForItem(item);
  }
  menu->GetItemLinks()->AddLinkForItem(file)->SetIndex(0);
  menu->SetIsMainMenu(true);
  menu->SetOneOnRow(true);
  TqzBar* toolbar = AddBar("Standard", {"New", "Open", "Bold", "Cut"}, psStandard, dsTop, 1);
  auto* edit = new TqzBarEdit(form);
  edit->SetCaption("Start");
  edit->SetText("00:01:30");
  edit->SetWidth(70);
  toolbar->GetItemLinks()->AddLinkForItem(edit)->SetBeginGroup(true);
  auto* combo = new TqzBarCombo(form);
  combo->SetCaption("Profile");
  combo->SetWidth(110);
  for (const char* profile : {"WMV 720p", "WMV 1080p", "WMV for phones"}) combo->GetItems()->Add(profile);
  combo->SetItemIndex(0);
  toolbar->GetItemLinks()->AddLinkForItem(combo);
  TqzBar* floating = AddBar("Format", {"Left", "Centre", "Right", "Justify"}, psStandard, dsNone);
  floating->SetFloatLeft(380);
  floating->SetFloatTop(200);
  floating->SetFloatClientWidth(110);
  Pump();
  const char* dir = std::getenv("TAVREN_TEST_OUTPUT");
  String folder = dir ? dir : "test-output";
  std::filesystem::create_directories(folder);
  for (TqzBarManagerStyle style : {bmsEnhanced, bmsFlat}) {
    manager->SetStyle(style);
    manager->GetBars()->RebuildAll();
    Pump();
    EXPECT_EQ(menu->GetBarControl()->GetTop(), 0);
    EXPECT_GT(toolbar->GetBarControl()->GetTop(), 0);
    auto* entry = dynamic_cast<TqzBarSubItemControl*>(menu->GetItemLinks()->GetLink(0)->GetControl());
    ASSERT_NE(entry, nullptr);
    entry->OpenSubMenu(true);
    Pump();
    TqzBarSubMenuControl* opened = entry->GetSubMenu();
    ASSERT_NE(opened, nullptr);
    opened->SetSelectedControl(file->GetItemLinks()->GetLink(1)->GetControl());
    SendMessage(opened->GetHandle(), WM_KEYDOWN, VK_RIGHT, 0);
    Pump();
    auto* recentEntry = dynamic_cast<TqzBarSubItemControl*>(file->GetItemLinks()->GetLink(1)->GetControl());
    ASSERT_NE(recentEntry, nullptr);
    ASSERT_NE(recentEntry->GetSubMenu(), nullptr);
    EXPECT_EQ(recentEntry->GetSubMenu()->GetShadow()->GetVisible(), style == bmsFlat);
    const String name = style == bmsFlat ? "flat" : "enhanced";
    EXPECT_TRUE(screen.SaveScreenPng(folder + "/bar-windows-" + name + ".png"));
    entry->CloseSubMenu();
    Pump();
  }
}

}  // namespace

namespace {

// One toolbar of item states (normal, hot, pressed, down, disabled, split; an edit, a
// progress bar, a static item, separators) and a plain hint under it, in each style, at 96 dpi and
// at 144 (the bars' fonts one and a half times as large, their glyphs stretched).
TEST_F(StyleScreenshots, ItemStatesInEachStyleAt96And144Dpi) {
  TqzBar* bar = manager->GetBars()->AddBar();
  bar->SetCaption("States");
  auto button = [&](const char* ACaption, bool ABeginGroup = false) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(ACaption);
    item->SetGlyph(&glyph);
    item->SetPaintStyle(psCaptionGlyph);
    bar->GetItemLinks()->AddLinkForItem(item)->SetBeginGroup(ABeginGroup);
    return item;
  };
  button("Normal");
  TqzBarButton* hot = button("Hot");
  TqzBarButton* pressed = button("Pressed");
  TqzBarButton* down = button("Down");
  down->SetButtonStyle(bsChecked);
  down->SetDown(true);
  button("Disabled")->SetEnabled(false);
  button("Split", true)->SetButtonStyle(bsDropDown);
  auto* edit = new TqzBarEdit(form);
  edit->SetCaption("Edit");
  edit->SetText("text");
  bar->GetItemLinks()->AddLinkForItem(edit)->SetBeginGroup(true);
  auto* progress = new TqzBarProgressItem(form);
  progress->SetWidth(80);
  progress->SetPosition(60);
  bar->GetItemLinks()->AddLinkForItem(progress)->SetBeginGroup(true);
  auto* label = new TqzBarStatic(form);
  label->SetCaption("Static");
  label->SetBorderStyle(sbsLowered);
  bar->GetItemLinks()->AddLinkForItem(label)->SetBeginGroup(true);
  bar->SetDockingStyle(dsTop);
  bar->SetOneOnRow(true);
  bar->SetVisible(true);
  form->SetBounds(40, 30, 900, 200);
  Pump();
  String folder = ScreenshotFolder();
  for (Integer dpi : {96, 144}) {
    TFont font;
    font.Assign(manager->GetFont());
    font.SetSize(8 * dpi / 96);
    // The size holds only while the manager does not follow the system's menu font.
    manager->SetScaled(false);
    manager->SetUseSystemFont(false);
    manager->SetFont(&font);
    manager->SetStretchGlyphs(dpi != 96);
    // A toolbar's window takes its bar's font when it is made.
    bar->SetVisible(false);
    bar->SetVisible(true);
    for (const TStyleCase& style : kOwnLooks) {
      manager->SetStyle(style.style);
      manager->GetBars()->RebuildAll();
      Pump();
      TqzBarControl* window = bar->GetBarControl();
      ASSERT_NE(window, nullptr);
      TqzBarItemControl* hotControl = hot->GetLink(0)->GetControl();
      window->ChangeActive(true);
      window->SetSelectedControl(hotControl);
      Pump();
      // A press shows only while the mouse holds the button, and the hot button holds the
      // selection: the pressed look is drawn over its button on the window.
      auto* pressedControl = dynamic_cast<TqzBarButtonLikeControl*>(pressed->GetLink(0)->GetControl());
      ASSERT_NE(pressedControl, nullptr);
      HDC dc = GetDC(window->GetHandle());
      TCanvas target;
      target.SetHandle(dc);
      target.SetFont(window->GetFont());
      TkvCanvas canvas(&target);
      pressedControl->FillDrawParams(true);
      pressedControl->ButtonParams()->TargetCanvas = &canvas;
      pressedControl->ButtonParams()->SelectedLook = true;
      pressedControl->ButtonParams()->PushedLook = true;
      pressedControl->Painter()->DrawButtonItem(pressedControl->GetDrawParams(), pressedControl->GetItemRect());
      target.SetHandle(nullptr);
      ReleaseDC(window->GetHandle(), dc);
      TRect r = hotControl->GetItemRect();
      TPoint below = window->ClientToScreen(TPoint(r.Left, r.Bottom + 4));
      SetCursorPos(below.X, below.Y);
      BarHintWindow()->ShowHint(manager, "Open a video", " (Ctrl+O)");
      UpdateAllWindows();
      EXPECT_TRUE(screen.SaveScreenPng(folder + "/bar-states-" + style.name + "-" + IntToStr(dpi) + ".png")) << style.name;
      ShowWindow(BarHintWindow()->GetHandle(), SW_HIDE);
      window->ChangeActive(false);
    }
  }
}

TEST_F(StyleScreenshots, EditComboAndSpinItemsInEachStyle) {
  TqzBar* bar = manager->GetBars()->AddBar();
  bar->SetCaption("Output");
  auto* edit = new TqzBarEdit(form);
  edit->SetCaption("Name:");
  edit->SetShowCaption(true);
  edit->SetText("clip-01");
  edit->SetWidth(90);
  bar->GetItemLinks()->AddLinkForItem(edit);
  auto* combo = new TqzBarCombo(form);
  combo->SetCaption("Profile:");
  combo->SetShowCaption(true);
  combo->SetWidth(110);
  for (const char* entry : {"WMV 720p", "WMV 1080p"}) combo->GetItems()->Add(entry);
  combo->SetItemIndex(0);
  bar->GetItemLinks()->AddLinkForItem(combo)->SetBeginGroup(true);
  auto* spin = new TqzBarSpinEdit(form);
  spin->SetCaption("Quality:");
  spin->SetWidth(80);
  spin->SetShowCaption(true);
  spin->SetMaxValue(100);
  spin->SetValue(75);
  bar->GetItemLinks()->AddLinkForItem(spin)->SetBeginGroup(true);
  bar->SetDockingStyle(dsTop);
  bar->SetOneOnRow(true);
  bar->SetVisible(true);
  form->SetBounds(40, 30, 560, 160);
  Pump();
  String folder = ScreenshotFolder();
  for (const TStyleCase& style : kOwnLooks) {
    manager->SetStyle(style.style);
    manager->GetBars()->RebuildAll();
    Pump();
    TqzBarControl* window = bar->GetBarControl();
    ASSERT_NE(window, nullptr);
    // The combo is hot, so that each look shows its selected edit frame and drop button too.
    window->ChangeActive(true);
    window->SetSelectedControl(combo->GetLink(0)->GetControl());
    Pump();
    EXPECT_TRUE(screen.SaveScreenPng(folder + "/bar-edits-" + style.name + ".png")) << style.name;
    window->ChangeActive(false);
  }
}

}  // namespace
