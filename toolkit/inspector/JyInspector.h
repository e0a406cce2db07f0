#pragma once
// The property inspector: rows of one fixed height in two columns (captions left, values right,
// divided by a movable splitter), a margin column for expand buttons, optional grid lines and
// suffix column, and a vertical scroll bar. A row's in-place editor opens over its value column;
// keys and the mouse move the selection, expand rows and drag the splitter; rows show hints.

#include <memory>
#include <vector>

#include "toolkit/inspector/JyPropertyItemClasses.h"
#include "toolkit/inspector/JyPropertyItemDisplay.h"
#include "toolkit/inspector/JyPropertyItems.h"
#include "toolkit/inspector/JyScrollControl.h"
#include "vcl/Forms.h"
#include "vcl/ImgList.h"
#include "vcl/StdCtrls.h"

// A hint window that knows the row whose hint it shows.
class TItemHintWindow : public THintWindow {
  TAVREN_CLASS(TItemHintWindow, THintWindow)
  TAVREN_MESSAGES()
 public:
  using THintWindow::THintWindow;
  TJyPropertyItem* Item = nullptr;

 protected:
  // The hint opens under the cursor; the mouse passes through it to the row beneath.
  void WMNCHitTest(TMessage& Message) { Message.Result = HTTRANSPARENT; }
};

enum TInspectorPropertyOption { poGrid, poEnterSelectNext, poImages, poSplitterMoving, poUniformSelect };
TAVREN_ENUM_INFO(TInspectorPropertyOption, poGrid, poEnterSelectNext, poImages, poSplitterMoving, poUniformSelect);
using TInspectorPropertyOptions = TSet<TInspectorPropertyOption, 5>;

using TChangeEvent = TEvent<void(TObject* Sender, TJyPropertyItem* Item, const String& Value)>;
using TEditEvent = TEvent<void(TObject* Sender, TJyPropertyItem* Item, const String& Value, bool& Accept)>;
using TItemNotifyEvent = TEvent<void(TObject* Sender, TJyPropertyItem* Item)>;
using TJyRowPaintedEvent = TEvent<void(TObject* Sender, TJyPropertyItem* Item, TRect Rect)>;
using TToolbarClickEvent = TEvent<void(TObject* Sender, TJyPropertyItem* Item, Integer ButtonIndex)>;

// Areas of a row for RefreshItem and RowArea.
enum : Integer {
  raWholeRow = 0,
  raNoMargin = 1,
  raCaption = 2,
  raExpand = 3,
  raPreview = 4,
  raSplitter = 5,
  raSuffix = 6,
  raValueText = 7,
  raValueColumn = 9,
};

class TJyCustomInspector : public TJyScrollControl {
  TAVREN_CLASS(TJyCustomInspector, TJyScrollControl)
  TAVREN_MESSAGES()
 public:
  explicit TJyCustomInspector(TComponent* AOwner);
  ~TJyCustomInspector() override;
  void BeforeDestruction() override;

  // ---- Layout -----------------------------------------------------------------------------------
  Integer GridWidth() const { return FOptions.Contains(poGrid) ? 1 : 0; }
  Integer Pitch() const { return FRowHeight + GridWidth(); }
  // Entries of the active list that are not hidden (categories count under HideTopLevel too).
  Integer VisibleRowCount();
  // The rows the control lays out, in order.
  std::vector<TJyPropertyItem*> LaidOutRows();
  bool IsLaidOut(TJyPropertyItem* Item);
  // The ordinal of Item among the laid-out rows, -1 when it is not laid out.
  Integer RowOrdinal(TJyPropertyItem* Item);
  // Laid-out rows beyond what the client height shows.
  Integer ScrollRange();
  // Rows (counting the one cut by the bottom edge) shown from the scroll position down.
  Integer RowsFromTop();
  TJyPropertyItem* ItemAtPos(Integer X, Integer Y);
  // The row's top in client pixels, -1 when it is not laid out.
  Integer RowTopOf(TJyPropertyItem* Item);
  TRect RowArea(TJyPropertyItem* Item, Integer Area);
  TRect SuffixRect(TJyPropertyItem* Item);
  void RefreshItem(TJyPropertyItem* Item, Integer Area);
  void RefreshToolbarButton(TJyPropertyItem* Item, Integer Index);
  void RefreshToolbarText(TJyPropertyItem* Item);
  Integer ItemCount() const { return FItems->GetCount(); }

  // ---- Selection and editing --------------------------------------------------------------------
  void SelectRow(TJyPropertyItem* Item);
  // Scrolls so that the laid-out row with that ordinal shows.
  void ScrollIntoView(Integer Ordinal);
  TJyPropertyItem* NextVisibleItem(TJyPropertyItem* Item);
  TJyPropertyItem* PrevVisibleItem(TJyPropertyItem* Item);
  void OpenEditor(TJyPropertyItem* Item);
  void OpenSuffixEditor(TJyPropertyItem* Item);
  void CloseEditors();
  void PlaceEditor();
  void ApplyEditing(bool Close);
  void ShowItemHint(TJyPropertyItem* Item);
  void CancelHint();

  TJyPropertyItem* GetSelectedItem() const { return FSelectedItem; }
  TJyPropertyItem* GetEditingItem() const { return FEditingItem; }
  TJyPropertyItem* GetSuffixEditingItem() const { return FSuffixEditingItem; }
  TJyPropertyItem* GetHotItem() const { return FHotItem; }
  TItemHintWindow* GetHintWindow() const { return FHintWindow; }
  TTimer* GetHintShowTimer() const { return FHintShowTimer; }
  TTimer* GetHintHideTimer() const { return FHintHideTimer; }

  // ---- Properties -------------------------------------------------------------------------------
  TComponent* GetAssociate() const { return FAssociate; }
  void SetAssociate(TComponent* Value);
  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TButtonsStyle GetButtonsStyle() const { return FButtonsStyle; }
  void SetButtonsStyle(TButtonsStyle Value);
  TColor GetCategoriesColor() const { return FCategoriesColor; }
  void SetCategoriesColor(TColor Value);
  TBitmap* GetCollapseGlyph() const { return FCollapseGlyph.get(); }
  void SetCollapseGlyph(TBitmap* Value);
  bool GetEnableVisualStyles() const { return FEnableVisualStyles; }
  void SetEnableVisualStyles(bool Value);
  TBitmap* GetExpandGlyph() const { return FExpandGlyph.get(); }
  void SetExpandGlyph(TBitmap* Value);
  TColor GetGridColor() const { return FGridColor; }
  void SetGridColor(TColor Value);
  bool GetHideTopLevel() const { return FHideTopLevel; }
  void SetHideTopLevel(bool Value);
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TJyPropertyItems* GetItems() const { return FItems; }
  TItemsArrange GetItemsArrange() const { return FItemsArrange; }
  void SetItemsArrange(TItemsArrange Value);
  TColor GetMarginColor() const { return FMarginColor; }
  void SetMarginColor(TColor Value);
  TInspectorPropertyOptions GetOptions() const { return FOptions; }
  void SetOptions(TInspectorPropertyOptions Value);
  Integer GetRowHeight() const { return FRowHeight; }
  void SetRowHeight(Integer Value);
  TColor GetSelectionColor() const { return FSelectionColor; }
  void SetSelectionColor(TColor Value) { FSelectionColor = Value; }
  Integer GetSplitterPosition() const { return FSplitterPosition; }
  void SetSplitterPosition(Integer Value);
  TPropertiesStyle GetStyle() const { return FStyle; }
  void SetStyle(TPropertiesStyle Value);
  Integer GetSuffixWidth() const { return FSuffixWidth; }
  void SetSuffixWidth(Integer Value);

  TChangeEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TChangeEvent Value) { FOnChange = Value; }
  TJyRowPaintedEvent GetOnRowPainted() const { return FOnRowPainted; }
  void SetOnRowPainted(TJyRowPaintedEvent Value) { FOnRowPainted = Value; }
  TEditEvent GetOnEdit() const { return FOnEdit; }
  void SetOnEdit(TEditEvent Value) { FOnEdit = Value; }
  TItemNotifyEvent GetOnExecute() const { return FOnExecute; }
  void SetOnExecute(TItemNotifyEvent Value) { FOnExecute = Value; }
  TItemNotifyEvent GetOnExpand() const { return FOnExpand; }
  void SetOnExpand(TItemNotifyEvent Value) { FOnExpand = Value; }
  TItemNotifyEvent GetOnSelectItem() const { return FOnSelectItem; }
  void SetOnSelectItem(TItemNotifyEvent Value) { FOnSelectItem = Value; }
  TChangeEvent GetOnSuffixEdit() const { return FOnSuffixEdit; }
  void SetOnSuffixEdit(TChangeEvent Value) { FOnSuffixEdit = Value; }
  TToolbarClickEvent GetOnToolbarClick() const { return FOnToolbarClick; }
  void SetOnToolbarClick(TToolbarClickEvent Value) { FOnToolbarClick = Value; }

 protected:
  virtual bool PaintItem(TJyPropertyItem* Item);
  virtual void ExpandChanged(TJyPropertyItem* /*Item*/, bool /*Collapsed*/) { Invalidate(); }
  virtual void ValueChanged(TJyPropertyItem* /*Item*/, const String& /*Value*/) {}

  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;
  Integer GetVertScrollDelta(Integer Old, Integer New) override { return (Old - New) * Pitch(); }
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseLeave() override;
  void DblClick() override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void DoEnter() override;
  void DoExit() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void WMSize(TMessage& Message);
  void WMVScroll(TMessage& Message);
  void WMKillFocus(TMessage& Message);

 private:
  void ItemChange(TObject* Sender, TJyPropertyItem* Item, Integer Index, Integer Kind);
  void ItemsChange(TObject* Sender);
  void EditorKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  void EditorChange(TObject* Sender);
  void SuffixEditorChange(TObject* Sender);
  void HintShowTick(TObject* Sender);
  void HintHideTick(TObject* Sender);
  void PrepareDisplay(TJyItemDisplay* Display, TJyPropertyItem* Item);
  void UpdateScrollBar();
  bool InSplitterZone(Integer X) const { return X >= FSplitterPosition - 2 && X <= FSplitterPosition + 3; }
  bool InValueArea(TJyPropertyItem* Item, Integer X, Integer Y);
  // Forgets Item wherever the control still holds it, before the item is freed.
  void ForgetItem(TJyPropertyItem* Item);
  void ScrollLines(Integer Lines);

  TComponent* FAssociate = nullptr;
  TFormBorderStyle FBorderStyle = bsSingle;
  TButtonsStyle FButtonsStyle = btAuto;
  TColor FCategoriesColor = clBtnFace;
  std::unique_ptr<TBitmap> FCollapseGlyph;
  TJyPropertyItem* FEditingItem = nullptr;
  bool FEnableVisualStyles = false;
  std::unique_ptr<TBitmap> FExpandGlyph;
  TColor FGridColor = clBtnFace;
  bool FHideTopLevel = false;
  TTimer* FHintHideTimer;
  TTimer* FHintShowTimer;
  TItemHintWindow* FHintWindow;
  TJyPropertyItem* FHotItem = nullptr;
  bool FMouseDown = false;
  TCustomImageList* FImages = nullptr;
  TJyPropertyItems* FItems;
  TItemsArrange FItemsArrange = taCatagory;
  TColor FMarginColor = clBtnFace;
  Integer FLastClientWidth = 0;
  Integer FLastClientHeight = 0;
  TInspectorPropertyOptions FOptions{poGrid, poEnterSelectNext, poSplitterMoving, poUniformSelect};
  Integer FRowHeight = 16;
  TJyPropertyItem* FSelectedItem = nullptr;
  TColor FSelectionColor = clHighlight;
  Integer FSplitterPosition = 100;
  TPropertiesStyle FStyle = psDefault;
  TJyPropertyItem* FSuffixEditingItem = nullptr;
  Integer FSuffixWidth = 60;
  bool FSplitterDrag = false;
  TJyPropertyItem* FPaintingItem = nullptr;
  Integer FPaintingTop = 0;
  TChangeEvent FOnChange;
  TJyRowPaintedEvent FOnRowPainted;
  TEditEvent FOnEdit;
  TItemNotifyEvent FOnExecute;
  TItemNotifyEvent FOnExpand;
  TItemNotifyEvent FOnSelectItem;
  TChangeEvent FOnSuffixEdit;
  TToolbarClickEvent FOnToolbarClick;
};

class TJyInspector : public TJyCustomInspector {
  TAVREN_CLASS(TJyInspector, TJyCustomInspector)
 public:
  using TJyCustomInspector::TJyCustomInspector;
};

// Registers the inspector and the item kinds for form reading.
void JyInspectorStart();
