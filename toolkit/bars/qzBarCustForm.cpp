// The customizing form.

#include "toolkit/bars/qzBarCustForm.h"

#include <algorithm>

#include "gdi/Edges.h"
#include "rtl/SysUtils.h"
#include "rtl/TypInfo.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarCustFormPainters.h"
#include "toolkit/bars/qzBarNameEd.h"
#include "toolkit/bars/qzBarStrs.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "user/Focus.h"
#include "user/Input.h"
#include "user/WindowEffects.h"
#include "vcl/ControlsMessages.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarCustomizingForm,
    FIELD(PageControl), FIELD(tsToolbars), FIELD(tsItems), FIELD(tsOptions), FIELD(tsKeyTips), FIELD(LToolbars),
    FIELD(lbBarsList), FIELD(BBarNew), FIELD(BBarRename), FIELD(BBarDelete), FIELD(BBarReset), FIELD(LCategories),
    FIELD(lbCategories), FIELD(LCommands), FIELD(lbItems), FIELD(LDescription), FIELD(DescriptionBevel),
    FIELD(DescriptionLabel), FIELD(StandardOptionsPanel), FIELD(LMenuAnimations), FIELD(ComboBoxMenuAnimations),
    FIELD(CBHint1), FIELD(CBHint2), FIELD(CBLargeIcons), FIELD(EnhancedOptionsPanel), FIELD(LPersonalized),
    FIELD(PersonalizedBevel), FIELD(CBMenusShowRecentItemsFirst), FIELD(CBShowFullMenusAfterDelay),
    FIELD(BResetUsageData), FIELD(LOther), FIELD(OtherBevel), FIELD(CBLargeIconsEx), FIELD(CBHint1Ex),
    FIELD(CBHint2Ex), FIELD(LMenuAnimationsEx), FIELD(ComboBoxMenuAnimationsEx), FIELD(BHelp), FIELD(BClose),
    FIELD(ActionList), FIELD(aNewToolBar), FIELD(aRenameToolBar), FIELD(aDeleteToolBar), FIELD(aResetToolBar),
    METHOD(FormClose), METHOD(FormCreate), METHOD(FormDestroy), METHOD(FormShow), METHOD(FormHide),
    METHOD(lbBarsListClick), METHOD(lbBarsListDblClick), METHOD(lbBarsListDrawItem), METHOD(lbBarsListKeyDown),
    METHOD(lbBarsListMouseDown), METHOD(lbCategoriesClick), METHOD(lbItemsClick), METHOD(lbItemsDrawItem),
    METHOD(lbItemsMouseDown), METHOD(ComboBoxMenuAnimationsClick), METHOD(CBHint1Click),
    METHOD(CBHint2Click), METHOD(CBLargeIconsClick), METHOD(CBMenusShowRecentItemsFirstClick),
    METHOD(CBShowFullMenusAfterDelayClick), METHOD(BResetUsageDataClick), METHOD(BHelpClick), METHOD(BCloseClick),
    METHOD(aNewToolBarExecute), METHOD(aRenameToolBarExecute), METHOD(aDeleteToolBarExecute),
    METHOD(aResetToolBarExecute))
TAVREN_MESSAGE_TABLE(TqzBarCustomizingForm, MESSAGE_HANDLER(WM_NCHITTEST, WMNCHitTest))

namespace {

TqzBarCustomizingForm* gActiveForm = nullptr;
// Raised while the form frees itself, so that customizing switched off from there does not free
// it a second time.
bool gFormDestroying = false;

// Every other manager's bar windows repaint: they show the customizing state of the one open.
void RefreshOtherManagersBars(TqzBarManager* AManager) {
  TqzBarManagerList* managers = BarManagerList();
  for (Integer i = 0; managers && i < managers->GetCount(); ++i) {
    TqzBarManager* other = managers->GetManager(i);
    if (other == AManager) continue;
    for (Integer k = 0; k < other->GetBars()->GetCount(); ++k)
      if (TqzBarControl* window = other->GetBars()->GetBar(k)->GetBarControl()) window->RepaintAll();
  }
}

}  // namespace

TqzBarCustomizingForm* ActiveCustomizingForm() { return gActiveForm; }

void ShowCustomizingForm(TqzBarManager* AManager, bool AShow) {
  if (AShow) {
    if (gActiveForm) return;
    AManager->GetOnShowCustomizingForm()(AManager);
    RefreshOtherManagersBars(AManager);
    gActiveForm = TqzBarCustomizingForm::CreateFor(AManager);
    gActiveForm->Show();
    return;
  }
  if (!gFormDestroying && gActiveForm) {
    gFormDestroying = true;
    delete gActiveForm;
    gFormDestroying = false;
  }
  AManager->GetOnHideCustomizingForm()(AManager);
  RefreshOtherManagersBars(AManager);
}

void NotifyCustomizingFormOptions() {
  if (gActiveForm) gActiveForm->RefreshOptions();
}

void UpdateCustomizingFormButtons() {
  if (gActiveForm) gActiveForm->UpdateHelpButton();
}

// ---- Making and freeing ------------------------------------------------------------------------

TqzBarCustomizingForm* TqzBarCustomizingForm::CreateFor(TqzBarManager* AManager) {
  auto* form = static_cast<TqzBarCustomizingForm*>(ClassInfo()->Create(nullptr));
  try {
    form->Setup(AManager);
  } catch (...) {
    delete form;
    throw;
  }
  return form;
}

void TqzBarCustomizingForm::Setup(TqzBarManager* AManager) {
  FBarManager = AManager;
  GetFont()->SetName(AManager->GetFont()->GetName());
  GetFont()->SetCharset(AManager->GetFont()->GetCharset());
  FSelection = std::make_unique<TqzBarRunTimeSelectionController>();
  AManager->SetDesigner(FSelection.get());
  FSelection->SetOnSelectionChanged(MakeEvent<&TqzBarCustomizingForm::SelectionChanged>(this));
  if (AManager->GetBars()->GetCount() > 0) AManager->SelectComponent(AManager->GetBars()->GetBar(0), 0);
  // The lists follow the manager's bars and commands; the handlers set before keep running first.
  FPrevBarsChange = AManager->GetBars()->GetOnChange();
  AManager->GetBars()->SetOnChange(MakeEvent<&TqzBarCustomizingForm::BarsChanged>(this));
  FPrevItemsChange = AManager->GetItemList()->GetOnComponentListChanged();
  AManager->GetItemList()->SetOnComponentListChanged(MakeEvent<&TqzBarCustomizingForm::ItemsChanged>(this));
  SetTexts();
  FillAnimations(ComboBoxMenuAnimations);
  FillAnimations(ComboBoxMenuAnimationsEx);
  // Reset is offered only where the manager keeps the designed layout.
  BBarReset->SetVisible(AManager->CanResetBars());
  RefreshCustomizingForm();
  PlaceBevelAfter(LDescription, DescriptionBevel);
  PlaceBevelAfter(LPersonalized, PersonalizedBevel);
  PlaceBevelAfter(LOther, OtherBevel);
  GetConstraints()->SetMinHeight(GetHeight());
  UpdateHelpButton();
}

TqzBarCustomizingForm::~TqzBarCustomizingForm() {
  if (FBarManager && FBarManager->GetDesigner() == FSelection.get()) FBarManager->SetDesigner(nullptr);
}

void TqzBarCustomizingForm::FormCreate(TObject*) {}

void TqzBarCustomizingForm::FormDestroy(TObject*) {
  if (gActiveForm == this) gActiveForm = nullptr;
  if (!FBarManager) return;
  FBarManager->GetBars()->SetOnChange(FPrevBarsChange);
  FBarManager->GetItemList()->SetOnComponentListChanged(FPrevItemsChange);
  FSelection->SetOnSelectionChanged(TqzComponentListChangeEvent());
  if (!gFormDestroying) {
    gFormDestroying = true;
    try {
      FBarManager->SetIsCustomizing(false);
    } catch (...) {
      gFormDestroying = false;
      throw;
    }
    gFormDestroying = false;
  }
}

void TqzBarCustomizingForm::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

void TqzBarCustomizingForm::BCloseClick(TObject*) { Close(); }

// ---- Window ------------------------------------------------------------------------------------

void TqzBarCustomizingForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
  Params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  Params.WindowClass.style = 0x820;
  if (FBarManager)
    if (TWinControl* owner = FBarManager->GetOwnerControl(); owner && owner->HandleAllocated())
      Params.WndParent = owner->GetHandle();
}

void TqzBarCustomizingForm::WMNCHitTest(TMessage& Message) {
  TForm::Dispatch(Message);
  // Only the height can be changed.
  switch (Message.Result) {
    case HTLEFT:
    case HTRIGHT:
      Message.Result = HTCLIENT;
      break;
    case HTTOPLEFT:
    case HTTOPRIGHT:
      Message.Result = HTTOP;
      break;
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT:
      Message.Result = HTBOTTOM;
      break;
    default:
      break;
  }
}

void TqzBarCustomizingForm::FormShow(TObject*) {
  // The managers' forms and the other managers' floating bars wait while the form is open.
  TqzBarManagerList* managers = BarManagerList();
  for (Integer i = 0; managers && i < managers->GetCount(); ++i) {
    TqzBarManager* manager = managers->GetManager(i);
    TCustomForm* form = manager->GetParentForm();
    if (!form || form == this || !form->HandleAllocated()) continue;
    if (manager != FBarManager) manager->DisableBarWindows();
    HWND wnd = form->GetHandle();
    if (IsWindowEnabled(wnd) && std::find(FDisabledWindows.begin(), FDisabledWindows.end(), wnd) == FDisabledWindows.end()) {
      EnableWindow(wnd, FALSE);
      FDisabledWindows.push_back(wnd);
    }
  }
}

void TqzBarCustomizingForm::FormHide(TObject*) {
  TqzBarManagerList* managers = BarManagerList();
  for (Integer i = 0; managers && i < managers->GetCount(); ++i) managers->GetManager(i)->EnableBarWindows();
  for (HWND wnd : FDisabledWindows)
    if (IsWindow(wnd)) EnableWindow(wnd, TRUE);
  FDisabledWindows.clear();
}

void TqzBarCustomizingForm::FollowOwnerVisibility(const WINDOWPOS& APos) {
  if (!HandleAllocated()) return;
  if (APos.flags & SWP_SHOWWINDOW)
    ShowWindow(GetHandle(), SW_SHOW);
  else if (APos.flags & SWP_HIDEWINDOW)
    ShowWindow(GetHandle(), SW_HIDE);
}

void TqzBarCustomizingForm::UpdateHelpButton() {
  if (!FBarManager) return;
  BHelp->SetVisible(FBarManager->GetShowHelpButton());
}

void TqzBarCustomizingForm::BHelpClick(TObject*) {
  FBarManager->GetOnHelpButtonClick()(FBarManager);
  if (FBarManager->GetHelpContext() != 0) Application()->HelpContext(FBarManager->GetHelpContext());
}

// ---- Texts -------------------------------------------------------------------------------------

void TqzBarCustomizingForm::SetTexts() {
  SetCaption(ResourceStringText(sqzBarCustomizingFormCaption));
  tsToolbars->SetCaption(ResourceStringText(sqzBarToolbarsPage));
  tsItems->SetCaption(ResourceStringText(sqzBarCommandsPage));
  tsOptions->SetCaption(ResourceStringText(sqzBarOptionsPage));
  LToolbars->SetCaption(ResourceStringText(sqzBarToolbarsLabel));
  LCategories->SetCaption(ResourceStringText(sqzBarCategoriesLabel));
  LCommands->SetCaption(ResourceStringText(sqzBarCommandsLabel));
  LDescription->SetCaption(ResourceStringText(sqzBarDescriptionLabel));
  LPersonalized->SetCaption(ResourceStringText(sqzBarPersonalizedLabel));
  LOther->SetCaption(ResourceStringText(sqzBarOtherLabel));
  LMenuAnimations->SetCaption(ResourceStringText(sqzBarMenuAnimationsLabel));
  LMenuAnimationsEx->SetCaption(ResourceStringText(sqzBarMenuAnimationsLabel));
  aNewToolBar->SetCaption(ResourceStringText(sqzBarNewToolbarCommand));
  aRenameToolBar->SetCaption(ResourceStringText(sqzBarRenameToolbarCommand));
  aDeleteToolBar->SetCaption(ResourceStringText(sqzBarDeleteCommand));
  aResetToolBar->SetCaption(ResourceStringText(sqzBarResetToolbarCommand));
  CBMenusShowRecentItemsFirst->SetCaption(ResourceStringText(sqzBarRecentItemsFirstOption));
  CBShowFullMenusAfterDelay->SetCaption(ResourceStringText(sqzBarFullMenusAfterDelayOption));
  BResetUsageData->SetCaption(ResourceStringText(sqzBarResetUsageDataButton));
  for (TCheckBox* box : {CBLargeIcons, CBLargeIconsEx}) box->SetCaption(ResourceStringText(sqzBarLargeIconsOption));
  for (TCheckBox* box : {CBHint1, CBHint1Ex}) box->SetCaption(ResourceStringText(sqzBarShowHintOption));
  for (TCheckBox* box : {CBHint2, CBHint2Ex}) box->SetCaption(ResourceStringText(sqzBarShortCutInHintOption));
  BHelp->SetCaption(ResourceStringText(sqzBarHelpButton));
  BClose->SetCaption(ResourceStringText(sqzBarCloseButton));
  // Close keeps to the right edge, as wide as its caption needs; so does the reset button.
  GetCanvas()->SetFont(GetFont());
  Integer right = BClose->GetLeft() + BClose->GetWidth();
  BClose->SetWidth(GetCanvas()->TextWidth(StripAccelChars(BClose->GetCaption())) + 49);
  BClose->SetLeft(right - BClose->GetWidth());
  BResetUsageData->SetWidth(GetCanvas()->TextWidth(StripAccelChars(BResetUsageData->GetCaption())) + 17);
}

void TqzBarCustomizingForm::FillAnimations(TComboBox* ACombo) {
  // The form lists fewer; the manager knows five.
  TStrings* items = ACombo->GetItems();
  items->Clear();
  for (Integer id : {sqzBarAnimationNone, sqzBarAnimationRandom, sqzBarAnimationUnfold, sqzBarAnimationSlide,
                     sqzBarAnimationFade})
    items->Add(ResourceStringText(id));
  GetCanvas()->SetFont(GetFont());
  Integer widest = 0;
  for (Integer i = 0; i < items->GetCount(); ++i) widest = std::max(widest, GetCanvas()->TextWidth(items->GetStrings(i)));
  ACombo->SetWidth(widest + 54);
  // At least 10 pixels after its label.
  TLabel* label = ACombo == ComboBoxMenuAnimations ? LMenuAnimations : LMenuAnimationsEx;
  ACombo->SetLeft(std::max(ACombo->GetLeft(), label->GetLeft() + label->GetWidth() + 10));
}

void TqzBarCustomizingForm::PlaceBevelAfter(TLabel* ALabel, TBevel* ABevel) {
  Integer right = ABevel->GetLeft() + ABevel->GetWidth();
  Integer left = ALabel->GetLeft() + ALabel->GetWidth();
  ABevel->SetBounds(left, ABevel->GetTop(), std::max(right - left, 0), ABevel->GetHeight());
}

// ---- Refreshing --------------------------------------------------------------------------------

TqzBarCustomizingFormPainter* TqzBarCustomizingForm::GetPainter() const {
  return CustomizingFormPainterFor(FBarManager);
}

void TqzBarCustomizingForm::RefreshCustomizingForm() {
  RebuildBarsList();
  RebuildCategories();
  RefreshOptions();
  lbItems->SetColor(FBarManager->GetEffectiveStyle() == bmsFlat ? clWindow : clBtnFace);
}

void TqzBarCustomizingForm::RefreshOptions() {
  TqzBarManager* m = FBarManager;
  bool standard = m->GetEffectiveStyle() == bmsStandard;
  StandardOptionsPanel->SetVisible(standard);
  EnhancedOptionsPanel->SetVisible(!standard);
  bool largeIcons = m->GetImageOptions()->GetLargeIcons();
  CBMenusShowRecentItemsFirst->SetChecked(m->GetMenusShowRecentItemsFirst());
  CBShowFullMenusAfterDelay->SetChecked(m->GetShowFullMenusAfterDelay());
  CBShowFullMenusAfterDelay->SetEnabled(m->GetMenusShowRecentItemsFirst());
  for (TCheckBox* box : {CBLargeIcons, CBLargeIconsEx}) box->SetChecked(largeIcons);
  for (TCheckBox* box : {CBHint1, CBHint1Ex}) box->SetChecked(m->GetShowHint());
  for (TCheckBox* box : {CBHint2, CBHint2Ex}) box->SetChecked(m->GetShowShortCutInHint());
  CBHint2Ex->SetEnabled(m->GetShowHint());
  for (TComboBox* combo : {ComboBoxMenuAnimations, ComboBoxMenuAnimationsEx})
    combo->SetItemIndex(static_cast<Integer>(m->GetMenuAnimations()));
}

// ---- Toolbars page ---------------------------------------------------------------------------------

TqzBar* TqzBarCustomizingForm::BarOfRow(Integer ARow) const {
  if (ARow < 0 || ARow >= lbBarsList->GetItems()->GetCount()) return nullptr;
  return static_cast<TqzBar*>(lbBarsList->GetItems()->GetObjects(ARow));
}

std::vector<TqzBar*> TqzBarCustomizingForm::SelectedBars() const {
  std::vector<TqzBar*> bars;
  for (Integer i = 0; i < lbBarsList->GetItems()->GetCount(); ++i)
    if (lbBarsList->GetSelected(i)) bars.push_back(BarOfRow(i));
  return bars;
}

Integer TqzBarCustomizingForm::CheckSquareSize() const { return lbBarsList->GetItemHeight(); }

void TqzBarCustomizingForm::RebuildBarsList() {
  Integer top = lbBarsList->GetTopIndex();
  TStrings* rows = lbBarsList->GetItems();
  rows->BeginUpdate();
  rows->Clear();
  TqzBars* bars = FBarManager->GetBars();
  // Hidden bars are the program's own business: the user does not see them.
  for (Integer i = 0; i < bars->GetCount(); ++i)
    if (!bars->GetBar(i)->GetHidden()) rows->AddObject(bars->GetBar(i)->GetCaption(), bars->GetBar(i));
  rows->EndUpdate();
  lbBarsList->SetItemHeight(TextSizeInFont(GetFont(), "Zg", DT_SINGLELINE, 0).cy + 2);
  TakeOverSelection();
  lbBarsList->SetTopIndex(top);
  UpdateToolbarActions();
}

void TqzBarCustomizingForm::lbBarsListDrawItem(TWinControl*, Integer Index, TRect Rect, TOwnerDrawState State) {
  TCanvas* canvas = lbBarsList->GetCanvas();
  TqzBar* bar = BarOfRow(Index);
  if (!bar) return;
  bool selected = State.Contains(odSelected);
  canvas->GetBrush()->SetColor(selected ? clHighlight : clWindow);
  canvas->FillRect(Rect);
  Integer square = Rect.Height();
  RECT check{Rect.Left + 1, Rect.Top + 1, Rect.Left + square - 1, Rect.Bottom - 1};
  UINT state = DFCS_BUTTONCHECK | (bar->GetVisible() ? DFCS_CHECKED : 0) | (bar->CanBeClosed() ? 0 : DFCS_INACTIVE);
  DrawFrameControl(canvas->GetHandle(), &check, DFC_BUTTON, state);
  canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
  HDC dc = canvas->GetHandle();
  SetTextColor(dc, ColorToRGB(selected ? clHighlightText : clWindowText));
  SetBkMode(dc, TRANSPARENT);
  RECT text{Rect.Left + square + 2, Rect.Top, Rect.Right, Rect.Bottom};
  String caption = bar->GetCaption();
  DrawText(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TqzBarCustomizingForm::ToggleBar(Integer ARow) {
  TqzBar* bar = BarOfRow(ARow);
  if (!bar) return;
  if (!bar->CanBeClosed()) {
    MessageBeep(0);
    return;
  }
  bar->SetVisible(!bar->GetVisible());
  lbBarsList->Invalidate();
}

// Every press on a row's square toggles its bar, the second press of a double click too.
void TqzBarCustomizingForm::lbBarsListMouseDown(TObject*, TMouseButton Button, TShiftState, Integer X, Integer Y) {
  if (Button != mbLeft || X >= CheckSquareSize()) return;
  Integer row = lbBarsList->ItemAtPos(TPoint(X, Y), true);
  if (row >= 0) ToggleBar(row);
}

// A double click on the caption toggles once; on the square its press did.
void TqzBarCustomizingForm::lbBarsListDblClick(TObject*) {
  POINT cursor{};
  GetCursorPos(&cursor);
  if (lbBarsList->ScreenToClient(cursor).X < CheckSquareSize()) return;
  ToggleBar(lbBarsList->GetItemIndex());
}

void TqzBarCustomizingForm::lbBarsListKeyDown(TObject*, Word& Key, TShiftState) {
  switch (Key) {
    case VK_SPACE:
      ToggleBar(lbBarsList->GetItemIndex());
      Key = 0;
      break;
    case VK_INSERT:
      aNewToolBar->Execute();
      Key = 0;
      break;
    case VK_DELETE:
      aDeleteToolBar->Execute();
      Key = 0;
      break;
    default:
      break;
  }
}

void TqzBarCustomizingForm::lbBarsListClick(TObject*) {
  std::vector<TqzBar*> bars = SelectedBars();
  FInSelectionHandOver = true;
  try {
    TList list;
    for (TqzBar* bar : bars) list.Add(bar);
    if (list.GetCount() > 0) FBarManager->SetSelection(&list);
  } catch (...) {
    FInSelectionHandOver = false;
    throw;
  }
  FInSelectionHandOver = false;
  UpdateToolbarActions();
}

void TqzBarCustomizingForm::UpdateToolbarActions() {
  std::vector<TqzBar*> bars = SelectedBars();
  bool one = bars.size() == 1;
  aNewToolBar->SetEnabled(FBarManager->CanCreateComponents());
  // Bars loaded with the form keep their names.
  aRenameToolBar->SetEnabled(one && !bars[0]->IsPredefined());
  aDeleteToolBar->SetEnabled(!bars.empty() && std::all_of(bars.begin(), bars.end(), [](TqzBar* ABar) {
                               return ABar->CanBeDeleted(false);
                             }));
  aResetToolBar->SetEnabled(one && bars[0]->CanReset());
}

void TqzBarCustomizingForm::aNewToolBarExecute(TObject*) {
  String name = FBarManager->MakeUniqueBarCaption(ResourceStringText(sqzBarCustomToolbarName));
  if (!ExecuteBarNameDialog(name, qzNameModeAdd, nullptr, FBarManager)) return;
  TqzBar* bar = FBarManager->CreateToolbar(false);
  bar->SetCaption(name);
  FBarManager->SelectComponent(bar, 0);
  RebuildBarsList();
}

void TqzBarCustomizingForm::aRenameToolBarExecute(TObject*) {
  std::vector<TqzBar*> bars = SelectedBars();
  if (bars.size() != 1) return;
  String name = bars[0]->GetCaption();
  if (!ExecuteBarNameDialog(name, qzNameModeRename, bars[0], FBarManager)) return;
  bars[0]->SetCaption(name);
  RebuildBarsList();
}

void TqzBarCustomizingForm::aDeleteToolBarExecute(TObject*) {
  std::vector<TqzBar*> bars = SelectedBars();
  if (bars.empty()) return;
  String text = bars.size() < 2 ? Format(ResourceStringText(sqzBarDeleteToolbarQuery), bars[0]->GetCaption())
                                : ResourceStringText(sqzBarDeleteToolbarsQuery);
  if (ShowAppMessageBox(text, MB_OKCANCEL | MB_ICONWARNING) == IDOK) {
    FBarManager->BeginUpdate();
    try {
      for (auto it = bars.rbegin(); it != bars.rend(); ++it) delete *it;
    } catch (...) {
      FBarManager->EndUpdate();
      throw;
    }
    FBarManager->EndUpdate();
    FBarManager->DesignerModified();
  }
  BringToFront();
}

void TqzBarCustomizingForm::aResetToolBarExecute(TObject*) {
  std::vector<TqzBar*> bars = SelectedBars();
  if (bars.size() == 1) FBarManager->ResetToolbar(bars[0]);
  BringToFront();
}

// ---- Commands page -------------------------------------------------------------------------------

void TqzBarCustomizingForm::RebuildCategories() {
  Integer selected = std::max(lbCategories->GetItemIndex(), 0);
  TStrings* rows = lbCategories->GetItems();
  rows->BeginUpdate();
  rows->Clear();
  TStrings* categories = FBarManager->GetCategories();
  for (Integer i = 0; i < categories->GetCount(); ++i)
    if (FBarManager->IsCategoryVisible(i)) rows->Add(categories->GetStrings(i));
  rows->EndUpdate();
  if (rows->GetCount() > 0) lbCategories->SetItemIndex(std::min(selected, rows->GetCount() - 1));
  RebuildItems();
}

TqzBarItem* TqzBarCustomizingForm::ItemOfRow(Integer ARow) const {
  if (ARow < 0 || ARow >= lbItems->GetItems()->GetCount()) return nullptr;
  return static_cast<TqzBarItem*>(lbItems->GetItems()->GetObjects(ARow));
}

void TqzBarCustomizingForm::RebuildItems() {
  Integer top = lbItems->GetTopIndex();
  TStrings* rows = lbItems->GetItems();
  rows->BeginUpdate();
  rows->Clear();
  Integer category = FBarManager->VisibleCategoryToIndex(lbCategories->GetItemIndex());
  TList items;
  if (category >= 0) FBarManager->CollectCategoryItems(category, &items);
  for (Integer i = 0; i < items.GetCount(); ++i) {
    auto* item = static_cast<TqzBarItem*>(items.GetItems(i));
    rows->AddObject(item->GetCaption(), item);
  }
  rows->EndUpdate();
  lbItems->SetTopIndex(top);
  TakeOverSelection();
  lbItemsClick(nullptr);
}

void TqzBarCustomizingForm::lbCategoriesClick(TObject*) { RebuildItems(); }

void TqzBarCustomizingForm::lbItemsDrawItem(TWinControl*, Integer Index, TRect Rect, TOwnerDrawState State) {
  TCanvas* canvas = lbItems->GetCanvas();
  TqzBarItem* item = ItemOfRow(Index);
  if (!item) return;
  TqzBarCustomizingFormPainter* painter = GetPainter();
  painter->DrawItemRow(canvas, Rect, State.Contains(odSelected), item);
  if (State.Contains(odFocused)) painter->DrawFocusRect(canvas, Rect, item);
  // Below the last row the list shows the painter's background.
  if (Index == lbItems->GetItems()->GetCount() - 1) {
    TRect rest(Rect.Left, Rect.Bottom, Rect.Right, lbItems->GetClientHeight());
    if (rest.Bottom > rest.Top) {
      canvas->GetBrush()->SetColor(painter->ListBackgroundColor());
      canvas->GetBrush()->SetStyle(bsSolid);
      canvas->FillRect(rest);
    }
  }
}

void TqzBarCustomizingForm::lbItemsClick(TObject*) {
  TqzBarItem* item = ItemOfRow(lbItems->GetItemIndex());
  DescriptionLabel->SetCaption(item ? item->GetDescription() : String());
  if (!item || FInSelectionHandOver) return;
  FInSelectionHandOver = true;
  try {
    FBarManager->SelectComponent(item, 0);
  } catch (...) {
    FInSelectionHandOver = false;
    throw;
  }
  FInSelectionHandOver = false;
}

void TqzBarCustomizingForm::lbItemsMouseDown(TObject*, TMouseButton Button, TShiftState, Integer X, Integer Y) {
  if (Button != mbRight) return;
  // A right press focuses the list and selects the row under the mouse.
  lbItems->SetFocus();
  Integer row = lbItems->ItemAtPos(TPoint(X, Y), true);
  if (row < 0) return;
  lbItems->SetItemIndex(row);
  lbItemsClick(nullptr);
}

// ---- Selection ---------------------------------------------------------------------------------

void TqzBarCustomizingForm::TakeOverSelection() {
  for (Integer i = 0; i < lbBarsList->GetItems()->GetCount(); ++i) {
    bool selected = FBarManager->IsSelected(BarOfRow(i));
    if (lbBarsList->GetSelected(i) != selected) lbBarsList->SetSelected(i, selected);
    if (selected && (i < lbBarsList->GetTopIndex())) lbBarsList->SetTopIndex(i);
  }
  for (Integer i = 0; i < lbItems->GetItems()->GetCount(); ++i)
    if (FBarManager->IsSelected(ItemOfRow(i)) && lbItems->GetItemIndex() != i) {
      lbItems->SetItemIndex(i);
      break;
    }
}

void TqzBarCustomizingForm::SelectionChanged(TObject*, TComponent*, Integer) {
  if (FInSelectionHandOver || GetComponentState().Contains(csDestroying) || Application()->GetTerminated()) return;
  TakeOverSelection();
  UpdateToolbarActions();
}

void TqzBarCustomizingForm::BarsChanged(TObject* Sender, TkvComponentCollectionItem* AItem,
                                        TkvCollectionAction AAction) {
  FPrevBarsChange(Sender, AItem, AAction);
  if (FBarManager->IsDestroying()) return;
  RebuildBarsList();
}

void TqzBarCustomizingForm::ItemsChanged(TObject* Sender, TComponent* AComponent, Integer AAction) {
  FPrevItemsChange(Sender, AComponent, AAction);
  if (FBarManager->IsDestroying()) return;
  RebuildItems();
}

// ---- Options ---------------------------------------------------------------------------------------

void TqzBarCustomizingForm::ComboBoxMenuAnimationsClick(TObject* Sender) {
  Integer index = static_cast<TComboBox*>(Sender)->GetItemIndex();
  if (index >= 0) FBarManager->SetMenuAnimations(static_cast<TqzBarMenuAnimations>(index));
}

void TqzBarCustomizingForm::CBHint1Click(TObject* Sender) {
  FBarManager->SetShowHint(static_cast<TCheckBox*>(Sender)->GetChecked());
  RefreshOptions();
}

void TqzBarCustomizingForm::CBHint2Click(TObject* Sender) {
  FBarManager->SetShowShortCutInHint(static_cast<TCheckBox*>(Sender)->GetChecked());
}

void TqzBarCustomizingForm::CBLargeIconsClick(TObject* Sender) {
  FBarManager->GetImageOptions()->SetLargeIcons(static_cast<TCheckBox*>(Sender)->GetChecked());
}

void TqzBarCustomizingForm::CBMenusShowRecentItemsFirstClick(TObject*) {
  FBarManager->SetMenusShowRecentItemsFirst(CBMenusShowRecentItemsFirst->GetChecked());
  RefreshOptions();
}

void TqzBarCustomizingForm::CBShowFullMenusAfterDelayClick(TObject*) {
  FBarManager->SetShowFullMenusAfterDelay(CBShowFullMenusAfterDelay->GetChecked());
}

void TqzBarCustomizingForm::BResetUsageDataClick(TObject*) { FBarManager->ResetUsageDataWithConfirmation(); }
