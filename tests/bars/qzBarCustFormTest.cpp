#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "BarsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "toolkit/bars/qzBarCustForm.h"
#include "toolkit/bars/qzBarCustFormPainters.h"
#include "toolkit/bars/qzBarNameEd.h"
#include "user/ModalResponder.h"
#include "user/Painting.h"

namespace {

class CustomizingForm : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(20, 20, 300, 200);
    form->Show();
    standard = AddBar("Standard", true);
    standard->SetPredefined(true);
    formatting = AddBar("Formatting", false);
    AddBar("Internal", true)->SetHidden(true);
    manager->GetCategories()->Add("File");
    for (const char* caption : {"&Open", "&Save", "Save &As"}) {
      TqzBarItem* item = manager->AddItem(TqzBarButton::ClassInfo());
      item->SetCaption(caption);
      item->SetCategory(1);
      item->SetDescription("Runs " + StripAccelChars(caption));
    }
    auto* edit = static_cast<TqzBarEdit*>(manager->AddItem(TqzBarEdit::ClassInfo()));
    edit->SetCaption("Find");
    edit->SetText("frames");
    edit->SetCategory(1);
    TqzBarItem* recent = manager->AddItem(TqzBarSubItem::ClassInfo());
    recent->SetCaption("Recent");
    recent->SetCategory(1);
  }
  void TearDown() override {
    SetModalResponder(nullptr);
    manager->SetIsCustomizing(false);
    BarManagerOnForm::TearDown();
  }
  TqzBar* AddBar(const String& ACaption, bool AVisible) {
    TqzBar* bar = manager->GetBars()->AddBar();
    bar->SetCaption(ACaption);
    bar->SetVisible(AVisible);
    return bar;
  }
  TqzBarCustomizingForm* Open() {
    manager->SetIsCustomizing(true);
    Pump();
    return ActiveCustomizingForm();
  }
  std::vector<String> Rows(TListBox* AList) {
    std::vector<String> rows;
    for (Integer i = 0; i < AList->GetItems()->GetCount(); ++i) rows.push_back(AList->GetItems()->GetStrings(i));
    return rows;
  }
  POINT RowPoint(TListBox* AList, Integer ARow, Integer AX) {
    TRect r = AList->ItemRect(ARow);
    TPoint p = AList->ClientToScreen(TPoint(r.Left + AX, r.Top + r.Height() / 2));
    return POINT{p.X, p.Y};
  }
  TqzBar* standard = nullptr;
  TqzBar* formatting = nullptr;
};

TEST_F(CustomizingForm, OpensOnceListsTheUserBarsAndEndsCustomizingWhenClosed) {
  TqzBarCustomizingForm* custom = Open();
  ASSERT_NE(custom, nullptr);
  EXPECT_TRUE(custom->GetVisible());
  EXPECT_EQ(custom->GetCaption(), "Customize");
  EXPECT_EQ(manager->GetDesigner(), custom->GetSelectionController());
  // Hidden bars are not the user's; the first bar starts selected.
  EXPECT_EQ(Rows(custom->lbBarsList), (std::vector<String>{"Standard", "Formatting"}));
  EXPECT_TRUE(custom->lbBarsList->GetSelected(0));
  // The form waits with its owner form disabled.
  EXPECT_FALSE(IsWindowEnabled(form->GetHandle()));

  // A second manager asking to customize is refused while the form is open.
  TForm other(nullptr, 0);
  auto* otherManager = new TqzBarManager(&other);
  otherManager->SetIsCustomizing(true);
  EXPECT_FALSE(otherManager->GetIsCustomizing());
  EXPECT_EQ(ActiveCustomizingForm(), custom);

  custom->Close();
  Pump();
  EXPECT_EQ(ActiveCustomizingForm(), nullptr);
  EXPECT_FALSE(manager->GetIsCustomizing());
  EXPECT_EQ(manager->GetDesigner(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(form->GetHandle()));
}

TEST_F(CustomizingForm, TheSquareTogglesOnEveryPressTheCaptionOnDoubleClick) {
  TqzBarCustomizingForm* custom = Open();
  ASSERT_NE(custom, nullptr);
  TListBox* list = custom->lbBarsList;
  ScriptClick(RowPoint(list, 1, 4));
  Pump();
  EXPECT_TRUE(formatting->GetVisible());
  // Two presses of a double click on the square: shown and hidden again.
  ScriptDoubleClick(RowPoint(list, 1, 4));
  Pump();
  EXPECT_TRUE(formatting->GetVisible());
  // On the caption a double click toggles once.
  ScriptDoubleClick(RowPoint(list, 1, 40));
  Pump();
  EXPECT_FALSE(formatting->GetVisible());
  // A bar that may not be closed stays.
  standard->SetAllowClose(false);
  ScriptClick(RowPoint(list, 0, 4));
  Pump();
  EXPECT_TRUE(standard->GetVisible());
}

TEST_F(CustomizingForm, ToolbarButtonsFollowTheSelectionAndDeleteAsks) {
  TqzBarCustomizingForm* custom = Open();
  ASSERT_NE(custom, nullptr);
  // A bar loaded with the form keeps its name; one the user made may be renamed.
  custom->lbBarsList->SetSelected(0, true);
  custom->UpdateToolbarActions();
  EXPECT_FALSE(custom->aRenameToolBar->GetEnabled());
  EXPECT_FALSE(custom->BBarRename->GetEnabled());
  custom->lbBarsList->SetSelected(0, false);
  custom->lbBarsList->SetSelected(1, true);
  custom->UpdateToolbarActions();
  EXPECT_TRUE(custom->aRenameToolBar->GetEnabled());
  EXPECT_TRUE(custom->aDeleteToolBar->GetEnabled());

  std::vector<String> asked;
  Integer answer = IDCANCEL;
  SetModalResponder([&](const ModalRequest& ARequest) {
    asked.push_back(ARequest.text);
    return answer;
  });
  struct Case {
    std::vector<Integer> rows;
    const char* text;
  } cases[] = {{{1}, "Are you sure you want to delete the 'Formatting' toolbar?"},
               {{0, 1}, "Are you sure you want to delete selected toolbars?"}};
  for (const Case& c : cases) {
    asked.clear();
    for (Integer i = 0; i < 2; ++i) custom->lbBarsList->SetSelected(i, false);
    for (Integer row : c.rows) custom->lbBarsList->SetSelected(row, true);
    custom->aDeleteToolBar->Execute();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], c.text);
    EXPECT_EQ(manager->GetBars()->GetCount(), 3);  // Cancel keeps them
  }
  answer = IDOK;
  custom->aDeleteToolBar->Execute();
  Pump();
  EXPECT_EQ(manager->GetBars()->GetCount(), 1);
  EXPECT_TRUE(Rows(custom->lbBarsList).empty());
}

TEST_F(CustomizingForm, TheNameDialogRefusesEmptyAndDuplicateNames) {
  TqzBarCustomizingForm* custom = Open();
  ASSERT_NE(custom, nullptr);
  std::vector<String> typed;
  std::vector<String> messages;
  Integer nameAsks = 0;
  SetModalResponder([&](const ModalRequest& ARequest) -> int {
    if (ARequest.kind != "BarNameDialog") {
      messages.push_back(ARequest.text);
      return IDOK;
    }
    auto* dialog = static_cast<TqzBarNameEd*>(FindControl(ARequest.window));
    if (nameAsks >= static_cast<Integer>(typed.size())) return IDCANCEL;
    dialog->EName->SetText(typed[nameAsks++]);
    // OK is offered only with a name.
    if (dialog->EName->GetText().empty()) {
      EXPECT_FALSE(dialog->BOK->GetEnabled());
      return IDCANCEL;
    }
    return IDOK;
  });

  typed = {""};
  custom->aNewToolBar->Execute();
  EXPECT_EQ(manager->GetBars()->GetCount(), 3);

  // "Standard" is taken: the dialog says so and asks again; the second name is made.
  nameAsks = 0;
  typed = {"Standard", "Pictures"};
  custom->aNewToolBar->Execute();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "A toolbar named 'Standard' already exists. Type another name.");
  ASSERT_EQ(manager->GetBars()->GetCount(), 4);
  TqzBar* made = manager->GetBars()->GetBar(3);
  EXPECT_EQ(made->GetCaption(), "Pictures");
  EXPECT_TRUE(manager->IsSelected(made));

  // Renaming may keep the bar's own caption.
  messages.clear();
  nameAsks = 0;
  typed = {"Pictures"};
  for (Integer i = 0; i < custom->lbBarsList->GetItems()->GetCount(); ++i)
    custom->lbBarsList->SetSelected(i, custom->BarOfRow(i) == made);
  custom->aRenameToolBarExecute(nullptr);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(made->GetCaption(), "Pictures");
}

TEST_F(CustomizingForm, CommandsShowTheirCategoryAndDescription) {
  TqzBarCustomizingForm* custom = Open();
  ASSERT_NE(custom, nullptr);
  EXPECT_EQ(Rows(custom->lbCategories), (std::vector<String>{"Default", "File"}));
  custom->lbCategories->SetItemIndex(1);
  custom->lbCategoriesClick(nullptr);
  EXPECT_EQ(custom->lbItems->GetItems()->GetCount(), 5);
  custom->lbItems->SetItemIndex(1);
  custom->lbItemsClick(nullptr);
  EXPECT_EQ(custom->DescriptionLabel->GetCaption(), "Runs Save");
  EXPECT_TRUE(manager->IsSelected(custom->ItemOfRow(1)));
  // The selection holds one item and one bar.
  TList selected;
  manager->CollectDesignerSelection(&selected);
  EXPECT_EQ(selected.GetCount(), 2);
}

TEST_F(CustomizingForm, OptionsFollowTheStyle) {
  manager->SetStyle(bmsStandard);
  TqzBarCustomizingForm* custom = Open();
  ASSERT_NE(custom, nullptr);
  EXPECT_TRUE(custom->StandardOptionsPanel->GetVisible());
  EXPECT_FALSE(custom->EnhancedOptionsPanel->GetVisible());
  // The resource lists four animations; the manager knows five.
  EXPECT_EQ(custom->ComboBoxMenuAnimations->GetItems()->GetCount(), 5);
  EXPECT_EQ(custom->ComboBoxMenuAnimations->GetItems()->GetStrings(4), "Fade");
  custom->ComboBoxMenuAnimations->SetItemIndex(4);
  custom->ComboBoxMenuAnimationsClick(custom->ComboBoxMenuAnimations);
  EXPECT_EQ(manager->GetMenuAnimations(), maFade);

  manager->SetStyle(bmsEnhanced);
  custom->RefreshOptions();
  EXPECT_FALSE(custom->StandardOptionsPanel->GetVisible());
  EXPECT_TRUE(custom->EnhancedOptionsPanel->GetVisible());
  custom->CBMenusShowRecentItemsFirst->SetChecked(false);
  EXPECT_FALSE(manager->GetMenusShowRecentItemsFirst());
  EXPECT_FALSE(custom->CBShowFullMenusAfterDelay->GetEnabled());
}

TEST_F(CustomizingForm, PicturesOfEachPage) {
  const char* dir = std::getenv("TAVREN_TEST_OUTPUT");
  String folder = dir ? dir : "test-output";
  std::filesystem::create_directories(folder);
  struct Look {
    TqzBarManagerStyle style;
    const char* name;
  } looks[] = {{bmsEnhanced, "enhanced"}, {bmsFlat, "flat"}};
  for (const Look& look : looks) {
    manager->SetStyle(look.style);
    TqzBarCustomizingForm* custom = Open();
    ASSERT_NE(custom, nullptr);
    custom->lbCategories->SetItemIndex(1);
    custom->lbCategoriesClick(nullptr);
    custom->lbItems->SetItemIndex(1);
    custom->lbItemsClick(nullptr);
    const char* pages[] = {"toolbars", "commands", "options"};
    for (Integer i = 0; i < 3; ++i) {
      custom->PageControl->SetActivePageIndex(i);
      Pump();
      EXPECT_TRUE(screen.SaveWindowPng(custom->GetHandle(),
                                       folder + "/customizing-" + look.name + "-" + pages[i] + ".png"));
    }
    manager->SetIsCustomizing(false);
    Pump();
  }
}

}  // namespace
