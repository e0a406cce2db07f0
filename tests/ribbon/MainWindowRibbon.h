#pragma once
// A ribbon as the program's main window has it, on the headless screen.

#include <cstdlib>
#include <string>
#include <vector>

#include "RibbonFixture.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/bars/qzBarNavigation.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/ribbon/qzRibbonGroupBar.h"
#include "toolkit/ribbon/qzRibbonGroupsDock.h"
#include "vcl/ImgList.h"

struct TClicks : TObject {
  std::vector<String> Names;
  void Clicked(TObject* Sender) { Names.push_back(static_cast<TqzBarItem*>(Sender)->GetCaption()); }
};

// A ribbon as the program's main window has it: one tab without headers, three groups of large
// buttons with 32 x 32 images and the glyph at the left.
class MainWindowRibbon : public RibbonOnForm {
 protected:
  void SetUp() override {
    RibbonOnForm::SetUp();
    form->SetBounds(0, 0, 760, 300);
    images = new TImageList(form);
    images->SetWidth(32);
    images->SetHeight(32);
    const TColor colours[] = {clNavy, clMaroon, clGreen, clTeal, clOlive, clPurple, clBlue, clRed};
    for (TColor colour : colours) {
      TBitmap image;
      image.SetSize(32, 32);
      image.GetCanvas()->GetBrush()->SetColor(clFuchsia);
      image.GetCanvas()->FillRect(TRect(0, 0, 32, 32));
      image.GetCanvas()->GetBrush()->SetColor(colour);
      image.GetCanvas()->FillRect(TRect(3, 3, 29, 29));
      images->AddMasked(&image, clFuchsia);
    }
    manager->SetLargeImages(images);
    ribbon->SetColorSchemeName("Blue");
    ribbon->SetShowTabHeaders(false);
    ribbon->GetQuickAccessToolbar()->SetVisible(false);
    tab = AddTab("Home");
    const struct {
      const char* Group;
      std::vector<const char*> Buttons;
    } kGroups[] = {{"File", {"Add", "Delete", "Clear"}}, {"Edit", {"Effect", "Trim", "Crop"}}, {"Help", {"Help", "About"}}};
    Integer image = 0;
    for (const auto& g : kGroups) {
      TqzBar* bar = AddBar(g.Group);
      for (const char* caption : g.Buttons) {
        auto* button = new TqzBarLargeButton(form);
        button->SetCaption(caption);
        button->SetLargeImageIndex(image++);
        button->SetGlyphLayout(glLeft);
        button->SetOnClick(MakeEvent<&TClicks::Clicked>(&clicks));
        bar->GetItemLinks()->AddLinkForItem(button);
        buttons.push_back(button);
      }
      bar->SetVisible(true);
      tab->GetGroups()->AddGroup()->SetToolBar(bar);
      bars.push_back(bar);
    }
    Pump();
  }
  TqzRibbonGroupBarControl* Group(Integer AIndex) {
    return dynamic_cast<TqzRibbonGroupBarControl*>(bars[AIndex]->GetBarControl());
  }
  // Each group's total width as the last fit left it.
  std::vector<Integer> Widths() {
    std::vector<Integer> result;
    for (size_t i = 0; i < bars.size(); ++i) result.push_back(Group(i)->GroupViewInfo()->GetTotalSize().cx);
    return result;
  }
  TqzRibbonGroupsDockControlViewInfo* Fit() { return tab->GetDockControl()->GetViewInfo(); }
  // Every button stays large: the groups cannot be reduced, only collapsed (and scrolled). A
  // link's levels reach its control when the window makes its controls anew.
  void KeepButtonsLarge() {
    for (TqzBar* bar : bars) {
      for (Integer i = 0; i < bar->GetItemLinks()->GetCount(); ++i)
        bar->GetItemLinks()->GetLink(i)->SetViewLevels(TqzBarItemViewLevels{ivlLargeIconWithText});
      bar->GetBarControl()->Refresh(true);
    }
  }
  // What the keyboard selected: a button's caption, a group's caption for a collapsed group, the
  // tab's caption, or "" for nothing.
  static String Selected() {
    TqzBarHelperRef current = NavigationControllerInstance()->CurrentSelection();
    TObject* owner = current ? current->BarHelperObject()->GetOwnerObject() : nullptr;
    if (auto* control = dynamic_cast<TqzBarItemControl*>(owner)) return control->GetItem()->GetCaption();
    if (auto* group = dynamic_cast<TqzRibbonGroupBarControl*>(owner)) return group->GetBar()->GetCaption();
    if (auto* node = dynamic_cast<TqzRibbonTab*>(owner)) return node->GetCaption();
    return String();
  }
  void FitTo(Integer AWidth) { Fit()->Calculate(TRect(0, 0, AWidth, 100)); }
  void SavePicture(const char* AName) {
    if (const char* root = std::getenv("TAVREN_TEST_OUTPUT"); root && *root) {
      Pump();
      EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), std::string(root) + "/" + AName + ".png"));
    }
  }

  TImageList* images = nullptr;
  TqzRibbonTab* tab = nullptr;
  std::vector<TqzBar*> bars;
  std::vector<TqzBarLargeButton*> buttons;
  TClicks clicks;
};
