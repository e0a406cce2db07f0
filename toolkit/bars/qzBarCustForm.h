#pragma once
// The customizing form: the dialog in which a user customizes the toolbars and menus of one bar
// manager. While it is open the manager customizes: its bar windows accept dragged commands and
// the design controller's link menus. Pages: Toolbars (show, hide, add, rename, delete, reset),
// Commands (the categories and their commands, drawn as in a menu of the manager's style) and
// Options (the manager's menu and tool-tip settings). Streamed from "TQZBARCUSTOMIZINGFORM"; its
// texts come from the bars' strings. At most one exists.

#include <memory>
#include <vector>

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarDesignController.h"
#include "vcl/ActnList.h"
#include "vcl/ComCtrlsPages.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

class TqzBarCustomizingFormPainter;

class TqzBarCustomizingForm : public TForm {
  TAVREN_CLASS(TqzBarCustomizingForm, TForm)
  TAVREN_MESSAGES()
 public:
  using TForm::TForm;
  ~TqzBarCustomizingForm() override;
  // Streams the form and sets it up for the manager.
  static TqzBarCustomizingForm* CreateFor(TqzBarManager* AManager);

  TPageControl* PageControl = nullptr;
  TTabSheet* tsToolbars = nullptr;
  TTabSheet* tsItems = nullptr;
  TTabSheet* tsOptions = nullptr;
  TTabSheet* tsKeyTips = nullptr;
  TLabel* LToolbars = nullptr;
  TListBox* lbBarsList = nullptr;
  TButton* BBarNew = nullptr;
  TButton* BBarRename = nullptr;
  TButton* BBarDelete = nullptr;
  TButton* BBarReset = nullptr;
  TLabel* LCategories = nullptr;
  TListBox* lbCategories = nullptr;
  TLabel* LCommands = nullptr;
  TListBox* lbItems = nullptr;
  TLabel* LDescription = nullptr;
  TBevel* DescriptionBevel = nullptr;
  TLabel* DescriptionLabel = nullptr;
  TPanel* StandardOptionsPanel = nullptr;
  TLabel* LMenuAnimations = nullptr;
  TComboBox* ComboBoxMenuAnimations = nullptr;
  TCheckBox* CBHint1 = nullptr;
  TCheckBox* CBHint2 = nullptr;
  TCheckBox* CBLargeIcons = nullptr;
  TPanel* EnhancedOptionsPanel = nullptr;
  TLabel* LPersonalized = nullptr;
  TBevel* PersonalizedBevel = nullptr;
  TCheckBox* CBMenusShowRecentItemsFirst = nullptr;
  TCheckBox* CBShowFullMenusAfterDelay = nullptr;
  TButton* BResetUsageData = nullptr;
  TLabel* LOther = nullptr;
  TBevel* OtherBevel = nullptr;
  TCheckBox* CBLargeIconsEx = nullptr;
  TCheckBox* CBHint1Ex = nullptr;
  TCheckBox* CBHint2Ex = nullptr;
  TLabel* LMenuAnimationsEx = nullptr;
  TComboBox* ComboBoxMenuAnimationsEx = nullptr;
  TButton* BHelp = nullptr;
  TButton* BClose = nullptr;
  TActionList* ActionList = nullptr;
  TAction* aNewToolBar = nullptr;
  TAction* aRenameToolBar = nullptr;
  TAction* aDeleteToolBar = nullptr;
  TAction* aResetToolBar = nullptr;

  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormHide(TObject* Sender);
  void lbBarsListClick(TObject* Sender);
  void lbBarsListDblClick(TObject* Sender);
  void lbBarsListDrawItem(TWinControl* Control, Integer Index, TRect Rect, TOwnerDrawState State);
  void lbBarsListKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  void lbBarsListMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void lbCategoriesClick(TObject* Sender);
  void lbItemsClick(TObject* Sender);
  void lbItemsDrawItem(TWinControl* Control, Integer Index, TRect Rect, TOwnerDrawState State);
  void lbItemsMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void ComboBoxMenuAnimationsClick(TObject* Sender);
  void CBHint1Click(TObject* Sender);
  void CBHint2Click(TObject* Sender);
  void CBLargeIconsClick(TObject* Sender);
  void CBMenusShowRecentItemsFirstClick(TObject* Sender);
  void CBShowFullMenusAfterDelayClick(TObject* Sender);
  void BResetUsageDataClick(TObject* Sender);
  void BHelpClick(TObject* Sender);
  void BCloseClick(TObject* Sender);
  void aNewToolBarExecute(TObject* Sender);
  void aRenameToolBarExecute(TObject* Sender);
  void aDeleteToolBarExecute(TObject* Sender);
  void aResetToolBarExecute(TObject* Sender);

  TqzBarManager* GetBarManager() const noexcept { return FBarManager; }
  TqzBarRunTimeSelectionController* GetSelectionController() const { return FSelection.get(); }
  // Every list anew, the options, and the commands list's colour.
  void RefreshCustomizingForm();
  void RefreshOptions();
  void UpdateHelpButton();
  // Shows or hides the form with its application window.
  void FollowOwnerVisibility(const WINDOWPOS& APos);
  // The painter of the manager's look for the commands list.
  TqzBarCustomizingFormPainter* GetPainter() const;
  // The bars of the toolbars list's rows, and those selected.
  TqzBar* BarOfRow(Integer ARow) const;
  std::vector<TqzBar*> SelectedBars() const;
  // The command of a row of the commands list.
  TqzBarItem* ItemOfRow(Integer ARow) const;
  // Shows or hides the bar of a row, or beeps when it may not be closed.
  void ToggleBar(Integer ARow);
  // Enables the toolbar buttons for what the list selects.
  void UpdateToolbarActions();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WMNCHitTest(TMessage& Message);

 private:
  void Setup(TqzBarManager* AManager);
  void SetTexts();
  void FillAnimations(TComboBox* ACombo);
  void PlaceBevelAfter(TLabel* ALabel, TBevel* ABevel);
  void RebuildBarsList();
  void RebuildCategories();
  void RebuildItems();
  // The rows take over the design selection (the bar and the command selected).
  void TakeOverSelection();
  void BarsChanged(TObject* Sender, TkvComponentCollectionItem* AItem, TkvCollectionAction AAction);
  void ItemsChanged(TObject* Sender, TComponent* AComponent, Integer AAction);
  void SelectionChanged(TObject* Sender, TComponent* AComponent, Integer AAction);
  Integer CheckSquareSize() const;
  bool FInSelectionHandOver = false;

  TqzBarManager* FBarManager = nullptr;
  std::unique_ptr<TqzBarRunTimeSelectionController> FSelection;
  TkvComponentCollectionChangeEvent FPrevBarsChange;
  TqzComponentListChangeEvent FPrevItemsChange;
  std::vector<HWND> FDisabledWindows;
};

// The open form; nil when none.
TqzBarCustomizingForm* ActiveCustomizingForm();
// The manager switches customizing: on, the form is made and shown (nothing while one is open);
// off, it goes.
void ShowCustomizingForm(TqzBarManager* AManager, bool AShow);
// The open form's options follow the manager.
void NotifyCustomizingFormOptions();
void UpdateCustomizingFormButtons();
