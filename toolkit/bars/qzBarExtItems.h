#pragma once
// The extra item kinds of the bars and their controls: the static item (a caption with an
// optional glyph, border, indents and fixed size, clickable on request), the large button (a big
// glyph with its caption beside or under it, a hot glyph, small and large image indexes kept in
// step), the progress item, the control container (a window control of the program shown in a
// bar), the recent-entries list and the in-place sub-item, and the unit's start and end, which
// register the kinds with the item-class registry.

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarItemControlEdits.h"
#include "toolkit/bars/qzBarItemControlStatics.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "vcl/Forms.h"
#include "vcl/Timers.h"

// ---- Static item ----------------------------------------------------------------------------------

class TqzBarStatic : public TqzBarItem {
  TAVREN_CLASS(TqzBarStatic, TqzBarItem)
 public:
  explicit TqzBarStatic(TComponent* AOwner) : TqzBarItem(AOwner) { FShowCaption = true; }

  bool ShortCutEnabled() override { return FAllowClick; }
  bool AccelUsableFor(TqzBarItemLink*) override { return false; }
  bool UsesStyleColor() override { return true; }
  void SetWidth(Integer Value) override { SetSize(3, Value); }

  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool GetAllowClick() const { return FAllowClick; }
  void SetAllowClick(bool Value) { FAllowClick = Value; }
  TqzBarStaticBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TqzBarStaticBorderStyle Value);
  // Index 1 LeftIndent, 2 RightIndent, 3 Width, 4 Height; a negative value becomes 0.
  Integer GetSize(Integer Index) const;
  void SetSize(Integer Index, Integer Value);
  Integer GetHeight() const { return FHeight; }
  Integer GetLeftIndent() const { return FLeftIndent; }
  Integer GetRightIndent() const { return FRightIndent; }

 private:
  TAlignment FAlignment = taCenter;
  bool FAllowClick = false;
  TqzBarStaticBorderStyle FBorderStyle = sbsNone;
  Integer FHeight = 0;
  Integer FLeftIndent = 0;
  Integer FRightIndent = 0;
};

class TqzBarStaticControl : public TqzBarCustomStaticControl {
  TAVREN_CLASS(TqzBarStaticControl, TqzBarCustomStaticControl)
 public:
  using TqzBarCustomStaticControl::TqzBarCustomStaticControl;
  TqzBarStatic* GetStatic() const { return dynamic_cast<TqzBarStatic*>(GetItem()); }

  void UpdateInBar() override;
  bool ClickFiresItem() override;
  bool CountsUse() override { return ClickFiresItem(); }
  bool CanSelect() override { return TqzBarItemControl::CanSelect(); }
  void FillDrawParams(bool ARefresh) override;
  void DrawInRect(const TRect& R, Byte AState) override;
  void DrawStaticPart(const TRect& R) override;
  Integer GetHeight() override;
  Integer GetWidth() override;
  Integer GetThicknessInBar() override;
  Integer GetLengthInBar() override;

  // Whether an item with neither glyph nor caption still takes the text height.
  virtual bool ReservesEmptyContent() { return false; }
  virtual TAlignment GetAlignment();
};

// ---- Progress item -------------------------------------------------------------------------------

// A static item with a progress bar after its caption.
class TqzBarProgressItem : public TqzBarStatic {
  TAVREN_CLASS(TqzBarProgressItem, TqzBarStatic)
 public:
  explicit TqzBarProgressItem(TComponent* AOwner);

  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  Integer GetMax() const { return FMax; }
  // A new end moves the other end along when it would pass it.
  void SetMax(Integer Value);
  Integer GetMin() const { return FMin; }
  void SetMin(Integer Value);
  Integer GetPosition() const { return FPosition; }
  // Kept within Min..Max.
  void SetPosition(Integer Value);
  bool GetSmooth() const { return FSmooth; }
  void SetSmooth(bool Value);
  Integer GetStep() const { return FStep; }
  void SetStep(Integer Value) { FStep = Value; }

 private:
  void SetRange(Integer AMin, Integer AMax);
  void InvalidateBars();

  TColor FColor = clDefault;
  Integer FMax = 100;
  Integer FMin = 0;
  Integer FPosition = 0;
  bool FSmooth = false;
  Integer FStep = 10;
};

class TqzBarProgressControl : public TqzBarStaticControl {
  TAVREN_CLASS(TqzBarProgressControl, TqzBarStaticControl)
 public:
  using TqzBarStaticControl::TqzBarStaticControl;
  TqzBarProgressItem* GetProgressItem() const { return dynamic_cast<TqzBarProgressItem*>(GetItem()); }

  TClassOf<TqzBarItemControlDrawParams> DrawParamsClass() override;
  void FillDrawParams(bool ARefresh) override;
  TqzBarItemViewLevels GetPossibleViewLevels() override;
  Integer GetThicknessInBar() override;
  Integer GetLengthInBar() override;
  void DrawStaticPart(const TRect& R) override;
  bool ReservesEmptyContent() override { return true; }
  TAlignment GetAlignment() override { return taLeftJustify; }

  virtual TColor GetBarColor();
  // Where the bar goes inside the item's rectangle (empty when there is no room).
  TRect BarRect();
};

// ---- Control container item ----------------------------------------------------------------------

class TqzBarControlContainerControl;

// The borderless form a container item's control lives in while a bar shows it: a child window of
// the bar window at the item's rectangle, painting the bar's background behind the control.
class TPlaceForm : public TCustomForm {
  TAVREN_CLASS(TPlaceForm, TCustomForm)
  TAVREN_MESSAGES()
 public:
  explicit TPlaceForm(TComponent* AOwner);
  TqzBarControlContainerControl* GetBarItemControl() const noexcept { return FBarItemControl; }
  void SetBarItemControl(TqzBarControlContainerControl* Value) { FBarItemControl = Value; }

 private:
  void WMEraseBkgnd(TMessage& Message);
  TqzBarControlContainerControl* FBarItemControl = nullptr;
};

// Shows a window control of the program in toolbars and menus. The control moves into the item's
// place form; without a control the item shows a hatched place holder with its name.
class TqzBarControlContainerItem : public TqzBarItem {
  TAVREN_CLASS(TqzBarControlContainerItem, TqzBarItem)
 public:
  explicit TqzBarControlContainerItem(TComponent* AOwner);
  ~TqzBarControlContainerItem() override;

  bool ShortCutEnabled() override { return false; }
  // Left out of the category lists: the item means nothing without its place.
  bool HiddenInCategoryLists() override { return true; }
  bool AccelUsableFor(TqzBarItemLink* ALink) override;
  bool HostsWindow() override { return true; }
  void HideHostedWindow(TqzBarItemControl* AControl) override;
  void SetName(const String& NewName) override;

  TControl* GetControl() const noexcept { return FControl; }
  // Another container item of the manager holding the control refuses it.
  void SetControl(TControl* Value);
  TPlaceForm* GetPlaceForm() const noexcept { return FPlaceForm.get(); }
  void SetHostVisible(bool AVisible);
  // Hides the form and takes it out of the bar window that holds it.
  void DetachPlaceForm();
  // Whether a control of one of the item's links is placing the form now.
  bool IsPlacing() const;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void ControlWndProc(TMessage& Message);
  void RememberControlSize();

  TControl* FControl = nullptr;
  std::unique_ptr<TPlaceForm> FPlaceForm;
  TWndMethod FPrevWndProc;
  Integer FControlWidth = 0;
  Integer FControlHeight = 0;
};

class TqzBarControlContainerControl : public TqzBarItemControl {
  TAVREN_CLASS(TqzBarControlContainerControl, TqzBarItemControl)
 public:
  using TqzBarItemControl::TqzBarItemControl;
  ~TqzBarControlContainerControl() override;
  TqzBarControlContainerItem* GetContainerItem() const {
    return static_cast<TqzBarControlContainerItem*>(GetItem());
  }

  TControl* GetHostedControl() override;
  void ReleaseHostedWindow() override;
  void CalcPartRects() override;
  bool ClickFiresItem() override { return false; }
  bool CountsUse() override { return false; }
  bool CanSelect() override { return false; }
  Integer GetThicknessInBar() override;
  Integer GetLengthInBar() override;
  Integer MenuHeight() override { return GetThicknessInBar(); }
  Integer MenuWidth() override { return GetLengthInBar(); }
  void DrawInRect(const TRect& R, Byte AState) override;

  // Whether the control is shown through the form: the item has a control and the window is not
  // the quick-customization window.
  bool IsHosting();
  bool IsPlacedHere();
  bool GetPlacing() const noexcept { return FPlacing; }
  // Moves the form with the control onto the item's rectangle of the bar window and shows it.
  void PlaceControl();

 private:
  void DrawPlaceHolder(const TRect& R);
  bool FPlacing = false;
};

// ---- Recent-entries list -----------------------------------------------------------------------

// A list item for recently used entries such as file names: at most MaxItemCount of them, long
// paths shortened for the menu, an entry optionally dropped once clicked.
class TqzBarMRUListItem : public TqzBarListItem {
  TAVREN_CLASS(TqzBarMRUListItem, TqzBarListItem)
 public:
  using TqzBarListItem::TqzBarListItem;
  // The entry shortened as a path to 300 pixels of the screen's default font.
  String DisplayTextOf(const String& AEntry) override;
  // The first entry with the text, or without a text the first with the object.
  void RemoveItem(const String& AText, TObject* AObject);

  Integer GetMaxItemCount() const noexcept { return FMaxItemCount; }
  // 0: no limit; a limit drops the entries beyond it from the end.
  void SetMaxItemCount(Integer Value);
  bool GetRemoveItemOnClick() const noexcept { return FRemoveItemOnClick; }
  void SetRemoveItemOnClick(bool Value) { FRemoveItemOnClick = Value; }

 protected:
  void EntryClick(TObject* Sender) override;

 private:
  Integer FMaxItemCount = 5;
  bool FRemoveItemOnClick = false;
};

// ---- In-place sub-item --------------------------------------------------------------------------

using TqzBarInPlaceSubItemEvent = TEvent<void(TObject* Sender, TqzBarItemLink* ALink)>;

// A sub-item that a menu shows as one entry with an expand mark: a click shows its links right
// below it in the same menu, another takes them away again. On toolbars it opens a menu as any
// sub-item does.
class TqzBarInPlaceSubItem : public TqzBarContainerItem {
  TAVREN_CLASS(TqzBarInPlaceSubItem, TqzBarContainerItem)
 public:
  using TqzBarContainerItem::TqzBarContainerItem;
  bool CanProvideData() const override { return true; }
  bool SameKindAs(TqzBarItem* AItem) override { return dynamic_cast<TqzBarInPlaceSubItem*>(AItem) != nullptr; }
  bool ReplacesOwnLink() override { return false; }
  // Only while expanded: a collapsed item adds no entries.
  void ExpandLinksInto(TqzBarItemLinks* ATargetLinks, Integer AIndex, TqzBarItemLink* AContainerLink,
                       bool AFirstTime) override;

  bool GetExpanded() const noexcept { return FExpanded; }
  // Every menu showing the item is built anew with the links in place or without them.
  void SetExpanded(bool Value);
  bool GetKeepBeginGroupWhileExpanded() const noexcept { return FKeepBeginGroupWhileExpanded; }
  void SetKeepBeginGroupWhileExpanded(bool Value) { FKeepBeginGroupWhileExpanded = Value; }
  TqzBarInPlaceSubItemEvent GetOnAfterExpand() const { return FOnAfterExpand; }
  void SetOnAfterExpand(TqzBarInPlaceSubItemEvent Value) { FOnAfterExpand = Value; }
  TqzBarInPlaceSubItemEvent GetOnBeforeCollapse() const { return FOnBeforeCollapse; }
  void SetOnBeforeCollapse(TqzBarInPlaceSubItemEvent Value) { FOnBeforeCollapse = Value; }

 private:
  // While expanded, the entry after the block starts a group (menus only).
  void ApplyBeginGroup(TqzBarItemLink* ALink, bool AValue);
  void RebuildMenus();

  bool FExpanded = false;
  bool FKeepBeginGroupWhileExpanded = false;
  TqzBarInPlaceSubItemEvent FOnAfterExpand;
  TqzBarInPlaceSubItemEvent FOnBeforeCollapse;
};

class TqzBarInPlaceSubItemControl : public TqzBarSubItemControl {
  TAVREN_CLASS(TqzBarInPlaceSubItemControl, TqzBarSubItemControl)
 public:
  using TqzBarSubItemControl::TqzBarSubItemControl;
  TqzBarInPlaceSubItem* GetInPlaceSubItem() const { return static_cast<TqzBarInPlaceSubItem*>(GetItem()); }

  TClassOf<TqzBarItemControlDrawParams> DrawParamsClass() override;
  void FillDrawParams(bool ARefresh) override;
  // In a menu: the item's click, then the links shown in place or taken away.
  void UserActivate(bool AByMouse) override;
  bool WantsKey(Word AKey) override;
  void KeyDown(Word& AKey, TShiftState AShift) override;
  bool HasDropDown() override { return !IsInMenu() && TqzBarSubItemControl::HasDropDown(); }
  bool IsExpandable() override { return !IsInMenu() && TqzBarSubItemControl::IsExpandable(); }
  Integer GetHeight() override;
  Integer GetWidth() override;
  void DrawInRect(const TRect& R, Byte AState) override;

 private:
  bool IsInMenu();
  TqzBarInPlaceSubItemControlDrawParams* InPlaceParams() const {
    return static_cast<TqzBarInPlaceSubItemControlDrawParams*>(GetDrawParams());
  }
};

// ---- Toolbars list -----------------------------------------------------------------------------

// A sub-item whose menu lists the manager's toolbars as check buttons, to show and hide them.
class TqzBarToolbarsListItem : public TCustomqzBarSubItem {
  TAVREN_CLASS(TqzBarToolbarsListItem, TCustomqzBarSubItem)
 public:
  using TCustomqzBarSubItem::TCustomqzBarSubItem;
  bool SameKindAs(TqzBarItem* AItem) override;
};

class TqzBarToolbarsListItemControl : public TqzBarSubItemControl {
  TAVREN_CLASS(TqzBarToolbarsListItemControl, TqzBarSubItemControl)
 public:
  using TqzBarSubItemControl::TqzBarSubItemControl;

 protected:
  // None while the bars are customized; else the entries are made anew for the menu.
  TqzBarSubMenuControl* CreateSubMenu() override;
};

// ---- Spin edit ---------------------------------------------------------------------------------------

enum TqzBarSpinEditValueType { svtInteger, svtFloat };
TAVREN_ENUM_INFO(TqzBarSpinEditValueType, svtInteger, svtFloat);
enum TqzBarSpinEditPrefixPlace { ppStart, ppEnd };
TAVREN_ENUM_INFO(TqzBarSpinEditPrefixPlace, ppStart, ppEnd);
enum TqzBarSpinEditButton { sbUp, sbDown };
TAVREN_ENUM_INFO(TqzBarSpinEditButton, sbUp, sbDown);

class TqzBarSpinEditControl;
using TqzBarSpinEditButtonClickEvent = TEvent<void(TObject* Sender, TqzBarSpinEditButton AButton)>;

// An edit holding a number, whole or not, between optional bounds (both 0: none), with a text
// before or after it, stepped by its buttons, the Up and Down keys and the wheel.
class TqzBarSpinEdit : public TqzBarEdit {
  TAVREN_CLASS(TqzBarSpinEdit, TqzBarEdit)
 public:
  explicit TqzBarSpinEdit(TComponent* AOwner);

  void SetText(const String& Value) override;
  void FireKeyDown(Word& AKey, TShiftState AShift) override;
  void FireKeyPress(Char& AKey) override;
  void FireKeyUp(Word& AKey, TShiftState AShift) override;

  // The number rules.
  Extended Normalize(Extended AValue) const;
  Extended ClampValue(Extended AValue) const;
  String FormatValue(Extended AValue) const;
  String StripPrefix(const String& AText) const;
  // A text that is no number gives MinValue.
  Extended ParseValue(const String& AText) const;
  // The number of what the editor in place shows, else of Text.
  Extended CurValue();
  void SetCurValue(Extended AValue);
  virtual void DoButtonClick(TqzBarSpinEditButton AButton);

  Extended GetValue() const { return ParseValue(GetText()); }
  void SetValue(Extended Value);
  Extended GetIncrement() const noexcept { return FIncrement; }
  void SetIncrement(Extended Value);
  Extended GetMinValue() const noexcept { return FMinValue; }
  void SetMinValue(Extended Value);
  Extended GetMaxValue() const noexcept { return FMaxValue; }
  void SetMaxValue(Extended Value);
  String GetPrefix() const { return FPrefix; }
  void SetPrefix(const String& Value);
  TqzBarSpinEditPrefixPlace GetPrefixPlace() const noexcept { return FPrefixPlace; }
  void SetPrefixPlace(TqzBarSpinEditPrefixPlace Value);
  TqzBarSpinEditValueType GetValueType() const noexcept { return FValueType; }
  void SetValueType(TqzBarSpinEditValueType Value);
  TqzBarSpinEditButtonClickEvent GetOnButtonClick() const { return FOnButtonClick; }
  void SetOnButtonClick(TqzBarSpinEditButtonClickEvent Value) { FOnButtonClick = Value; }
  bool IsIncrementStored() const { return FIncrement != 1; }
  bool IsMinValueStored() const { return FMinValue != 0; }
  bool IsMaxValueStored() const { return FMaxValue != 0; }
  bool IsValueStored() const { return GetValue() != 0; }

 private:
  bool HasBounds() const { return FMinValue != 0 || FMaxValue != 0; }
  // The number of a text without its prefix; false when it is none.
  bool TryParse(const String& AText, Extended& AValue) const;
  // The control that edits the item in place now, nil when none.
  TqzBarSpinEditControl* EditingControl() const;
  // Both bounds again after one of them moved.
  void ReclampValues();

  Extended FIncrement = 1;
  Extended FMinValue = 0;
  Extended FMaxValue = 0;
  String FPrefix;
  TqzBarSpinEditPrefixPlace FPrefixPlace = ppEnd;
  TqzBarSpinEditValueType FValueType = svtInteger;
  TqzBarSpinEditButtonClickEvent FOnButtonClick;
};

class TqzBarSpinEditControl : public TqzBarEditControl {
  TAVREN_CLASS(TqzBarSpinEditControl, TqzBarEditControl)
 public:
  explicit TqzBarSpinEditControl(TqzBarItemLink* ALink);
  ~TqzBarSpinEditControl() override;
  TqzBarSpinEdit* GetSpinEdit() const { return static_cast<TqzBarSpinEdit*>(GetItem()); }

  Integer GetActiveButtonIndex() const noexcept { return FActiveButtonIndex; }
  // A read-only item keeps -1.
  void SetActiveButton(Integer AIndex);
  void ReleaseButton();
  // Presses the button part (one step), and keeps stepping while it stays pressed.
  void PressButton(Integer APart);
  bool IsRepeating() const;

  TClassOf<TqzBarItemControlDrawParams> DrawParamsClass() override;
  void FillDrawParams(bool ARefresh) override;
  Integer GetPartCount() override { return inherited::GetPartCount() + 2; }
  void CalcPartRects() override;
  void PaintEditArea() override;
  void SetInPlaceActive(bool AFlag) override;
  void InnerWndProc(TMessage& Message) override;
  void MouseDown(TMouseButton AButton, TShiftState AShift, const TPoint& P) override;
  void MouseUp(TMouseButton AButton, TShiftState AShift, const TPoint& P) override;
  // While the step repeats, the button under the pointer is the pressed one (none off them).
  void TrackHotPart(const TPoint& P) override;

 private:
  void RepeatTimer(TObject* Sender);
  TqzBarSpinEditDrawParams* SpinParams() const { return static_cast<TqzBarSpinEditDrawParams*>(GetDrawParams()); }

  Integer FActiveButtonIndex = -1;
  std::unique_ptr<TTimer> FRepeatTimer;
};

// ---- Large button -------------------------------------------------------------------------------

class TqzBarLargeButton : public TqzBarButton {
  TAVREN_CLASS(TqzBarLargeButton, TqzBarButton)
 public:
  explicit TqzBarLargeButton(TComponent* AOwner);
  ~TqzBarLargeButton() override;

  Integer EditOperations() override { return TqzBarButton::EditOperations() & ~0x20; }
  bool AccelUsableFor(TqzBarItemLink* ALink) override;
  bool HasHotImage() override { return FHotImageIndex >= 0; }
  bool HasImage() override { return GetLargeImageIndex() >= 0; }
  Integer ReadImageIndex() override { return GetLargeImageIndex(); }
  void WriteImageIndex(Integer Value) override { SetLargeImageIndex(Value); }
  void SetImageIndex(Integer Value) override;
  void LargeGlyphChanged(TObject* Sender) override;
  void SetWidth(Integer Value) override;

  bool GetAutoGrayScale() const { return FAutoGrayScale; }
  void SetAutoGrayScale(bool Value);
  Integer GetHeight() const { return FHeight; }
  // Negative heights are ignored.
  void SetHeight(Integer Value);
  TBitmap* GetHotGlyph() const { return FHotGlyph.get(); }
  void SetHotGlyph(TBitmap* Value) { FHotGlyph->Assign(Value); }
  Integer GetHotImageIndex() const { return FHotImageIndex; }
  void SetHotImageIndex(Integer Value);
  bool GetSyncImageIndex() const { return FSyncImageIndex; }
  void SetSyncImageIndex(bool Value);

 protected:
  void Loaded() override;
  // The small index is stored as "ImageIndex" only while it does not follow the large one.
  void DefineProperties(TFiler* Filer) override;

 private:
  // ImageIndex := LargeImageIndex while the two are kept in step.
  void SyncFromLargeImageIndex();

  std::unique_ptr<TBitmap> FHotGlyph;
  bool FAutoGrayScale = true;
  Integer FHeight = 0;
  Integer FHotImageIndex = -1;
  bool FSyncImageIndex = true;
  bool FSynchronizing = false;
  // Set while the form is read: an image index or the sync flag came from the stream.
  bool FImageIndexRead = false;
  bool FSyncImageIndexRead = false;
};

class TqzBarLargeButtonControl : public TqzBarButtonControl {
  TAVREN_CLASS(TqzBarLargeButtonControl, TqzBarButtonControl)
 public:
  using TqzBarButtonControl::TqzBarButtonControl;
  TqzBarLargeButton* GetLargeButton() const { return static_cast<TqzBarLargeButton*>(GetItem()); }

  void HotGlyphChanged() override { LargeGlyphChanged(); }
  void LargeGlyphChanged() override;
  TqzBarItemViewLevels GetPossibleViewLevels() override;
  Byte GetContentKind() override;
  Byte GetDefaultViewSize() override;
  bool DrawsGlyphGray() override;
  bool GetImageSource(Byte ASize, Integer AFlags, Integer& AIndex, TCustomImageList*& AList,
                      TBitmap*& AGlyph) override;
  Integer GetThicknessInBar() override;
  Integer GetLengthInBar() override;
  bool IsInVerticalBar() override;
  Integer GetDropArrowWidth() override;
  void AdjustPaintStyle(TqzBarPaintStyle& AStyle) override { AStyle = psCaption; }

 private:
  bool HotSource(Integer& AIndex, TCustomImageList*& AList, TBitmap*& AGlyph);
  bool LargeSource(Integer& AIndex, TCustomImageList*& AList, TBitmap*& AGlyph);
};

// ---- Unit start and end -------------------------------------------------------------------------

// Registers the kinds with their controls (a counter makes repeated calls harmless).
void qzBarExtItemsStart();
void qzBarExtItemsEnd();
