#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "BarsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "rtl/Writer.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/bars/qzBarExtItemsCombos.h"
#include "toolkit/bars/qzBarExtItemsDates.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarExtItemsTree.h"
#include "toolkit/bars/qzBarItemControlCombos.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "user/Clock.h"
#include "vcl/ImgList.h"

namespace {

TImageList* NewImageList(TComponent* AOwner, const char* AName, Integer ASize, Integer ACount) {
  auto* list = new TImageList(AOwner);
  list->SetName(AName);
  list->SetWidth(ASize);
  list->SetHeight(ASize);
  const TColor colours[] = {clNavy, clMaroon, clGreen, clTeal, clOlive, clPurple};
  for (Integer i = 0; i < ACount; ++i) {
    TBitmap image;
    image.SetSize(ASize, ASize);
    TCanvas* canvas = image.GetCanvas();
    canvas->GetBrush()->SetColor(clFuchsia);
    canvas->FillRect(TRect(0, 0, ASize, ASize));
    canvas->GetBrush()->SetColor(colours[i % 6]);
    canvas->FillRect(TRect(2, 2, ASize - 2, ASize - 2));
    list->AddMasked(&image, clFuchsia);
  }
  return list;
}

// A form with a toolbar and a menu holding every extra kind, as a program would store it: the
// values the kinds keep of their own are set, the rest is left at the defaults.
class ExtItemsForm : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetName("ExtrasForm");
    manager->SetName("BarManager1");
    manager->SetImages(NewImageList(form, "SmallImages", 16, 6));
    manager->SetLargeImages(NewImageList(form, "LargeImages", 32, 6));
    TqzBar* tools = manager->GetBars()->AddBar();
    tools->SetName("ExtrasBar");
    tools->SetCaption("Extras");
    tools->SetDockingStyle(dsBottom);
    TqzBar* menuBar = manager->GetBars()->AddBar();
    menuBar->SetName("MainMenuBar");
    menuBar->SetCaption("Menu");
    menuBar->SetIsMainMenu(true);
    menuBar->SetDockingStyle(dsTop);
    auto* extras = Named(new TqzBarSubItem(form), "ExtrasMenu", "E&xtras");
    menuBar->GetItemLinks()->AddLinkForItem(extras);
    TqzBarItemLinks* bar = tools->GetItemLinks();
    TqzBarItemLinks* menu = extras->GetItemLinks();

    auto* open = Named(new TqzBarLargeButton(form), "OpenLarge", "Open");
    open->SetLargeImageIndex(3);
    open->SetGlyphLayout(glLeft);
    auto* convert = Named(new TqzBarLargeButton(form), "ConvertLarge", "Convert");
    convert->SetLargeImageIndex(1);
    convert->SetGlyphLayout(glTop);
    auto* status = Named(new TqzBarStatic(form), "StatusStatic", "Ready");
    status->SetBorderStyle(sbsLowered);
    auto* colour = Named(new TqzBarColorCombo(form), "ColourCombo", "Colour");
    colour->SetWidth(120);
    colour->SetShowCustomColorButton(true);
    colour->SetColor(clTeal);
    auto* font = Named(new TqzBarFontNameCombo(form), "FontCombo", "Font");
    font->SetText("Liberation Serif");
    auto* date = Named(new TqzBarDateCombo(form), "DateCombo", "Date");
    date->SetWidth(150);
    date->SetDate(EncodeDate(2026, 12, 24));
    auto* tree = Named(new TqzBarTreeViewCombo(form), "TreeCombo", "Profile");
    tree->SetWidth(110);
    TTreeNode* video = tree->GetItems()->Add(nullptr, "Video");
    tree->GetItems()->AddChild(video, "WMV 720p");
    tree->GetItems()->Add(nullptr, "Audio");
    tree->SetText("WMV 720p");
    auto* image = Named(new TqzBarImageCombo(form), "ImageCombo", "Image");
    image->SetWidth(100);
    image->SetImages(manager->GetImages());
    for (const char* text : {"Navy", "Maroon", "Green"}) image->GetItems()->Add(text);
    const Integer indexes[] = {2, 0, 1};
    for (Integer i = 0; i < 3; ++i) image->SetImageIndexes(i, indexes[i]);
    image->SetItemIndex(1);
    auto* spin = Named(new TqzBarSpinEdit(form), "QualitySpin", "Quality:");
    spin->SetShowCaption(true);
    spin->SetWidth(70);
    spin->SetMaxValue(100);
    spin->SetValue(85);
    auto* progress = Named(new TqzBarProgressItem(form), "ConvertProgress", "Converting");
    progress->SetMax(200);
    progress->SetPosition(80);
    for (TqzBarItem* item : std::initializer_list<TqzBarItem*>{open, convert, status, colour, font, date, tree,
                                                                image, spin, progress}) {
      bar->AddLinkForItem(item);
      menu->AddLinkForItem(item);
    }
    auto* recent = Named(new TqzBarMRUListItem(form), "RecentFiles", "Recent");
    recent->SetMaxItemCount(4);
    for (const char* entry : {"/home/user/videos/holidays/2026/summer/beach/evening-at-the-harbour/sunset.avi",
                              "/home/user/clip.avi"})
      recent->GetItems()->Add(entry);
    menu->AddLinkForItem(recent)->SetBeginGroup(true);
    auto* more = Named(new TqzBarInPlaceSubItem(form), "MoreInPlace", "More");
    for (const char* caption : {"Trim", "Crop"}) {
      auto* button = Named(new TqzBarButton(form), caption, caption);
      more->GetItemLinks()->AddLinkForItem(button);
    }
    more->SetExpanded(true);
    menu->AddLinkForItem(more);
  }
  template <class T>
  static T* Named(T* AItem, const char* AName, const char* ACaption) {
    AItem->SetName(AName);
    AItem->SetCaption(ACaption);
    return AItem;
  }
};

// Every kind is written and read back with its own values; the copy writes the same text again.
TEST_F(ExtItemsForm, EveryKindKeepsItsValuesThroughTheFormStream) {
  ASSERT_EQ(static_cast<TqzBarMRUListItem*>(form->FindComponent("RecentFiles"))->GetItems()->GetCount(), 2);
  const String text = WriteComponentToText(form);
  EXPECT_EQ(text.find("\n    ImageIndex = 3"), String::npos) << "an index kept in step is not written";
  std::unique_ptr<TForm> copy(new TForm(nullptr, 0));
  ReadComponentFromText(text, copy.get());
  // Compared line by line: the text holds image data and is long.
  std::istringstream written(text), rewritten(WriteComponentToText(copy.get()));
  std::string line, again;
  for (Integer n = 1; std::getline(written, line); ++n) {
    ASSERT_TRUE(std::getline(rewritten, again)) << "the copy ends before line " << n;
    ASSERT_EQ(again, line) << "line " << n;
  }
  EXPECT_FALSE(std::getline(rewritten, again)) << "the copy writes more: " << again;
  auto find = [&](const char* AName) { return copy->FindComponent(AName); };

  auto* open = dynamic_cast<TqzBarLargeButton*>(find("OpenLarge"));
  ASSERT_NE(open, nullptr) << text;
  EXPECT_EQ(open->GetLargeImageIndex(), 3);
  EXPECT_EQ(open->GetImageIndex(), 3);
  EXPECT_EQ(open->GetGlyphLayout(), glLeft);
  EXPECT_EQ(static_cast<TqzBarLargeButton*>(find("ConvertLarge"))->GetGlyphLayout(), glTop);
  EXPECT_EQ(static_cast<TqzBarStatic*>(find("StatusStatic"))->GetBorderStyle(), sbsLowered);
  EXPECT_EQ(static_cast<TqzBarColorCombo*>(find("ColourCombo"))->GetColor(), clTeal);
  EXPECT_TRUE(static_cast<TqzBarColorCombo*>(find("ColourCombo"))->GetShowCustomColorButton());
  EXPECT_EQ(static_cast<TqzBarFontNameCombo*>(find("FontCombo"))->GetText(), "Liberation Serif");
  auto* date = static_cast<TqzBarDateCombo*>(find("DateCombo"));
  EXPECT_EQ(date->GetDateOnStart(), bdsCustom);
  EXPECT_EQ(date->GetDate(), EncodeDate(2026, 12, 24));
  auto* tree = static_cast<TqzBarTreeViewCombo*>(find("TreeCombo"));
  EXPECT_EQ(tree->GetText(), "WMV 720p");
  ASSERT_NE(tree->GetSelectedNode(), nullptr);
  EXPECT_EQ(tree->GetSelectedNode()->GetText(), "WMV 720p");
  auto* image = static_cast<TqzBarImageCombo*>(find("ImageCombo"));
  EXPECT_EQ(image->GetImages(), find("SmallImages"));
  EXPECT_EQ(image->GetItemIndex(), 1);
  ASSERT_EQ(image->GetItems()->GetCount(), 3);
  const Integer indexes[] = {2, 0, 1};
  for (Integer i = 0; i < 3; ++i) EXPECT_EQ(image->GetImageIndexes(i), indexes[i]) << i;
  EXPECT_EQ(static_cast<TqzBarSpinEdit*>(find("QualitySpin"))->GetValue(), 85);
  auto* progress = static_cast<TqzBarProgressItem*>(find("ConvertProgress"));
  EXPECT_EQ(progress->GetMax(), 200);
  EXPECT_EQ(progress->GetPosition(), 80);
  auto* recent = static_cast<TqzBarMRUListItem*>(find("RecentFiles"));
  EXPECT_EQ(recent->GetMaxItemCount(), 4);
  EXPECT_EQ(recent->GetItems()->GetCount(), 2);
  auto* more = static_cast<TqzBarInPlaceSubItem*>(find("MoreInPlace"));
  EXPECT_TRUE(more->GetExpanded());
  EXPECT_EQ(more->GetItemLinks()->GetCount(), 2);
  auto* menu = static_cast<TqzBarSubItem*>(find("ExtrasMenu"));
  EXPECT_EQ(menu->GetItemLinks()->GetCount(), 12);
}

// The toolbar and the open menu in each look, and the colour list and the date navigator
// dropped down from the toolbar.
TEST_F(ExtItemsForm, ScreenshotsOfEveryKindInEachLook) {
  form->SetBounds(0, 0, 1270, 520);
  form->SetColor(clBtnFace);
  form->Show();
  for (Integer i = 0; i < manager->GetBars()->GetCount(); ++i) manager->GetBars()->GetBar(i)->SetVisible(true);
  Pump();
  static_cast<FakeClock&>(CurrentClock()).Advance(2000);
  TqzBar* tools = manager->GetBars()->GetBar(0);
  TqzBar* menuBar = manager->GetBars()->GetBar(1);
  auto* extras = static_cast<TqzBarSubItem*>(form->FindComponent("ExtrasMenu"));
  auto centre = [](TqzBarItemLink* ALink) {
    TRect r = ALink->GetItemRect();
    TPoint p = ALink->GetBarControl()->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    return POINT{p.X, p.Y};
  };
  auto dropped = [&](const char* AName) {
    auto* item = static_cast<TqzBarItem*>(form->FindComponent(AName));
    for (Integer i = 0; i < tools->GetItemLinks()->GetCount(); ++i)
      if (tools->GetItemLinks()->GetLink(i)->GetItem() == item)
        return dynamic_cast<TCustomqzBarComboControl*>(tools->GetItemLinks()->GetLink(i)->GetControl());
    return static_cast<TCustomqzBarComboControl*>(nullptr);
  };
  const char* dir = std::getenv("TAVREN_TEST_OUTPUT");
  String folder = dir ? dir : "test-output";
  std::filesystem::create_directories(folder);
  const struct {
    TqzBarManagerStyle style;
    const char* name;
  } kLooks[] = {{bmsStandard, "standard"}, {bmsEnhanced, "enhanced"}, {bmsFlat, "flat"}, {bmsOffice11, "office11"},
                {bmsXP, "xp"}};
  for (const auto& look : kLooks) {
    manager->SetStyle(look.style);
    Pump();
    ScriptClick(centre(menuBar->GetItemLinks()->GetLink(0)));
    Pump();
    auto* menu = dynamic_cast<TqzBarSubMenuControl*>(extras->GetItemLinks()->GetBarControl());
    ASSERT_NE(menu, nullptr) << look.name;
    ASSERT_TRUE(IsWindowVisible(menu->GetHandle())) << look.name;
    EXPECT_TRUE(screen.SaveScreenPng(folder + "/extra-kinds-" + look.name + ".png"));
    HideActiveBarControl();
    Pump();
    for (const char* name : {"ColourCombo", "DateCombo"}) {
      TCustomqzBarComboControl* combo = dropped(name);
      ASSERT_NE(combo, nullptr) << name;
      combo->SetDroppedDown(true);
      Pump();
      ASSERT_TRUE(combo->IsDroppedDown()) << name << " " << look.name;
      EXPECT_TRUE(screen.SaveScreenPng(folder + "/extra-kinds-" + look.name + "-" + name + ".png"));
      combo->SetDroppedDown(false);
      Pump();
    }
  }
}

}  // namespace
