#pragma once
// The toolbars of a bar manager and its categories; part of the bar unit (qzBar.h), after the
// items and their links.

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarNavigation.h"

// ---- Toolbars --------------------------------------------------------------------------------

enum TqzBarBorderStyle { bbsNone, bbsSingle };
TAVREN_ENUM_INFO(TqzBarBorderStyle, bbsNone, bbsSingle);

class TqzBarCaptionButtons;
class TqzBarControl;
class TqzDockControl;
class TqzDockRow;

// A button in a toolbar's caption (next to the close button of a floating bar).
class TqzBarCaptionButton : public TCollectionItem {
  TAVREN_CLASS(TqzBarCaptionButton, TCollectionItem)
 public:
  explicit TqzBarCaptionButton(TCollection* Collection);
  ~TqzBarCaptionButton() override;
  void Assign(TPersistent* Source) override;

  // 0 normal, 1 disabled, 2 hot, 4 pressed.
  Integer GetState() const noexcept { return FState; }
  void SetState(Integer Value);
  const TRect& GetBounds() const noexcept { return FBounds; }
  void SetBounds(const TRect& Value) { FBounds = Value; }
  TqzBarCaptionButtons* GetButtons() const;
  // The hint a caption button shows: its Hint, only while it is hot.
  bool GetHintText(String& AHint) const;
  void Click();
  // The button's keyboard-navigation node, made on first request from AccessibilityHelperClass.
  TqzBarAccessibilityHelper* GetAccessibilityHelper();
  virtual TClassOf<TqzBarAccessibilityHelper> AccessibilityHelperClass();
  // The keyboard navigation has the button selected.
  bool IsKeyboardSelected() const { return FAccessibilityHelper && FAccessibilityHelper->IsCurrentSelection(); }

  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  String GetHint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  String GetKeyTip() const { return FKeyTip; }
  void SetKeyTip(const String& Value) { FKeyTip = Value; }
  TqzBarScreenTip* GetScreenTip() const { return FScreenTip; }
  void SetScreenTip(TqzBarScreenTip* Value);
  TNotifyEvent GetOnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent Value) { FOnClick = Value; }

 private:
  void ScreenTipFreed(TComponent* AComponent);

  bool FEnabled = true;
  std::unique_ptr<TBitmap> FGlyph;
  String FHint;
  String FKeyTip;
  TqzBarScreenTip* FScreenTip = nullptr;
  std::unique_ptr<TkvFreeNotificator> FFreeNotificator;
  TRect FBounds;
  Integer FState = 0;
  TNotifyEvent FOnClick;
  TqzBarHelperRef FAccessibilityHelper;
};

// The caption buttons of one toolbar; every change tells the bar.
class TqzBarCaptionButtons : public TCollection {
  TAVREN_CLASS(TqzBarCaptionButtons, TCollection)
 public:
  explicit TqzBarCaptionButtons(TqzBar* ABar);
  ~TqzBarCaptionButtons() override;
  TqzBar* GetBar() const noexcept { return FBar; }
  TqzBarCaptionButton* GetButton(Integer Index) const { return static_cast<TqzBarCaptionButton*>(GetItems(Index)); }
  TqzBarCaptionButton* AddButton() { return static_cast<TqzBarCaptionButton*>(Add()); }
  // The first enabled button holding the point; -1 when none.
  Integer HitTest(const TPoint& P) const;
  // Buttons under the point turn hot (pressed with APressed), the others normal; the button the
  // keyboard has selected stays hot.
  void UpdateStatesAtPoint(const TPoint& P, bool APressed);
  // The group's keyboard-navigation node, made on first request from AccessibilityHelperClass.
  TqzBarAccessibilityHelper* GetAccessibilityHelper();
  virtual TClassOf<TqzBarAccessibilityHelper> AccessibilityHelperClass();
  // The union of the buttons' non-empty rectangles.
  TRect GetBoundsRect() const;

 protected:
  TPersistent* GetOwner() override;
  void Update(TCollectionItem* Item) override;

 private:
  TqzBar* FBar;
  TqzBarHelperRef FAccessibilityHelper;
};

// Kept per toolbar: which bars are merged into it and which it is merged into.
class TqzBarMergeData : public TObject {
  TAVREN_CLASS(TqzBarMergeData, TObject)
 public:
  TqzBarMergeData();
  ~TqzBarMergeData() override;
  std::vector<TqzBar*> MergedBars;
  // The bars merged before customizing undid the merges; they come back afterwards.
  std::vector<TqzBar*> SavedMergedBars;
  TqzBar* MergedWith = nullptr;
  bool VisibleBeforeMerging = false;
  void SaveMergedBars();
  void ForgetSaved(TqzBar* ABar);

 private:
  void SavedBarFreed(TComponent* AComponent);
  std::unique_ptr<TkvFreeNotificator> FFreeNotificator;
};

// The definition of one toolbar of a manager: where it docks or floats, its row, caption and
// look. Its window is made from this definition when the bar is shown.
class TqzBar : public TkvComponentCollectionItem, public virtual IqzBarSelectableItem, public virtual IqzBarLinksOwner {
  TAVREN_CLASS(TqzBar, TkvComponentCollectionItem)
 public:
  explicit TqzBar(TComponent* AOwner);
  ~TqzBar() override;

  // The bar's links, made when it joins its manager.
  TqzBarItemLinks* GetItemLinks() override;
  void SetItemLinks(TqzBarItemLinks* Value);
  bool CanContainItem(TqzBarItem* AItem, String& AMessage) override;
  TComponent* GetOwnerComponent() override { return this; }
  bool ExecuteShortCut(TShortCut AShortCut);
  // Not reference counted: the manager's collection frees the bar.
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override;
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }

  // Design selection: a bar may go at design time, or when the user made it and may close it.
  bool CanDelete() const;
  bool CanBeDeleted(bool) override { return CanDelete(); }
  void DeleteIfAllowed(IqzBarSelectableItem*& ARef, bool AWholeItem) override;
  void ApplyCustomizingAction(Integer) override {}
  TqzBarManager* GetBarManager() override { return static_cast<const TqzBar*>(this)->GetBarManager(); }
  TObject* GetInstance() override { return this; }
  void CollectOwner(TList* AList) override;
  // The next bar of the collection, wrapping round; nullptr for the only bar.
  void GetNextSelectable(IqzBarSelectableItem*& ARef) override;
  TPersistent* DesignOwner() override;
  Integer SelectionStatus() override;
  Integer EditOperations() override { return 2; }
  void RepaintSelection() override {}
  Integer IsShownInSeveralPlaces() override { return 0; }
  bool IsSelectedInDesigner() override { return SelectionStatus() == 1; }
  void SelectInDesigner(Integer AMode) override;
  bool SelectDesignParent() override { return false; }
  void SelectionStateChanged() override {}
  void Assign(TPersistent* Source) override;
  void SetParentComponent(TComponent* Value) override;
  // A bar streams inside its manager, also while being read before it has joined it.
  bool HasParent() override { return true; }

  TqzBarManager* GetBarManager() const;
  TqzBars* GetManagerBars() const;
  TqzBarMergeData* GetMergeData() const noexcept { return FMergeData.get(); }
  bool IsPredefined() const noexcept { return FPredefined; }
  void SetPredefined(bool Value) { FPredefined = Value; }
  bool IsHiddenBecauseEmpty() const noexcept { return FHiddenBecauseEmpty; }
  void SetHiddenBecauseEmpty(bool Value) { FHiddenBecauseEmpty = Value; }
  bool CanBeClosed() const { return FAllowClose; }
  bool CanDock() const;
  bool CanReset() const { return FPredefined && FAllowReset; }
  bool IsStatusBarLike() const { return FBorderStyle == bbsNone && FDockingStyle == dsBottom && FWholeRow; }
  // A status-bar-like bar shows a size grip at its right end unless SizeGrip is off.
  bool ShowsSizeGrip() const { return IsStatusBarLike() && FSizeGrip; }
  // Docks the bar at a side (dsNone floats it), into ASite when it is a placed site (a manager's
  // own site counts as none); a shown bar's window moves there.
  void DockTo(TqzBarDockingStyle AStyle, TqzDockControl* ASite = nullptr);
  void MarkForRecalc() { FMarkedForRecalc = true; }
  bool IsMarkedForRecalc() const noexcept { return FMarkedForRecalc; }
  void ClearRecalcMark() { FMarkedForRecalc = false; }
  // The loaded dock and visibility values, applied by the manager's Loaded.
  void ApplyLoadedValues();

  // The window and its place. A visible bar has a window; a hidden one has none.
  TqzBarControl* GetBarControl() const;
  // The dock site the bar is given (a site of its own kind, as a ribbon tab's groups), else the
  // manager's site of the bar's side; nullptr while floating.
  TqzDockControl* GetEffectiveDockControl() const;
  TqzDockControl* GetDockControl() const noexcept { return FDockControl; }
  // Docks the bar into the site with the site's side (nullptr leaves the side as it is); a bar
  // with a window is placed there at once, in a window of the site's kind.
  void SetDockControl(TqzDockControl* Value);
  TqzDockRow* GetDockRow() const noexcept { return FDockRow; }
  // Leaves the old row (freed when no bar is left in it) and joins the new one.
  void SetRowObject(TqzDockRow* ARow);
  void ForgetRowObject() { FDockRow = nullptr; }
  void CreateBarControl();
  void FreeBarControl();
  // The row number kept for a bar without a row.
  Integer GetStoredRow() const noexcept { return FRow; }
  void SetStoredRow(Integer Value) { FRow = Value < 0 ? 0 : Value; }
  // Whether the bar was ever docked (a docked style to go back to is remembered).
  bool HasBeenDocked() const noexcept { return FHasBeenDocked; }
  // Puts the window into its dock site at the docked position, or floats it at the float values,
  // and shows it.
  void PlaceBarControl();
  // After a change of the docked or float values.
  void UpdateControlPosition();
  // The window writes its place back; the bar reports no change of its own for it.
  void StoreDockedStyle(TqzBarDockingStyle Value);
  // The window moved to another side or site during a drag; the style and the placed site (none
  // for a manager's own site) follow without moving it again.
  void StoreDockingStyle(TqzBarDockingStyle Value, TqzDockControl* ASite = nullptr);
  void StoreDockedPosition(Integer ALeft, Integer ATop);
  void StoreFloatPosition(Integer ALeft, Integer ATop, Integer AClientWidth, Integer AClientHeight);
  // Restores the bar from the manager's reset snapshot; nothing when the snapshot has no bar of
  // this caption.
  void Reset();
  // Asks first; OK resets.
  void ResetWithConfirmation();
  // Merging: Source's links join this bar's links and Source hides; UnMerge(nullptr) undoes
  // every merge into this bar.
  void Merge(TqzBar* ABar) { MergeBar(ABar, true); }
  void UnMerge(TqzBar* ABar) { UnMergeBar(ABar, true); }
  void MergeBar(TqzBar* ABar, bool ASaveVisibility);
  void UnMergeBar(TqzBar* ABar, bool ARestoreVisibility);

  bool GetAllowClose() const { return FAllowClose; }
  void SetAllowClose(bool Value);
  bool GetAllowCustomizing() const { return FAllowCustomizing; }
  void SetAllowCustomizing(bool Value) { FAllowCustomizing = Value; }
  bool GetAllowQuickCustomizing() const { return FAllowQuickCustomizing; }
  void SetAllowQuickCustomizing(bool Value) { FAllowQuickCustomizing = Value; }
  bool GetAllowReset() const { return FAllowReset; }
  void SetAllowReset(bool Value) { FAllowReset = Value; }
  Byte GetAlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(Byte Value) { FAlphaBlendValue = Value; }
  TBitmap* GetBackgroundBitmap() const { return FBackgroundBitmap.get(); }
  void SetBackgroundBitmap(TBitmap* Value) { FBackgroundBitmap->Assign(Value); }
  TqzBarBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TqzBarBorderStyle Value) { FBorderStyle = Value; }
  String GetCaption() const { return FCaption; }
  // A caption another bar of the manager bears is ignored.
  void SetCaption(const String& Value);
  TqzBarCaptionButtons* GetCaptionButtons() const { return FCaptionButtons.get(); }
  void SetCaptionButtons(TqzBarCaptionButtons* Value) { FCaptionButtons->Assign(Value); }
  virtual void CaptionButtonsChanged(TqzBarCaptionButton* AButton);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  // The placed site the bar was last docked in (none for a manager's own site): docking again
  // goes back there.
  TqzDockControl* GetDockedDockControl() const noexcept { return FDockedDockControl; }
  void SetDockedDockControl(TqzDockControl* Value);
  TqzBarDockingStyle GetDockedDockingStyle() const { return FDockedDockingStyle; }
  void SetDockedDockingStyle(TqzBarDockingStyle Value);
  Integer GetDockedLeft() const { return FDockedLeft; }
  void SetDockedLeft(Integer Value);
  Integer GetDockedTop() const { return FDockedTop; }
  void SetDockedTop(Integer Value);
  TqzBarDockingStyle GetDockingStyle() const;
  void SetDockingStyle(TqzBarDockingStyle Value);
  Integer GetFloatLeft() const { return FFloatLeft; }
  void SetFloatLeft(Integer Value);
  Integer GetFloatTop() const { return FFloatTop; }
  void SetFloatTop(Integer Value);
  Integer GetFloatClientWidth() const { return FFloatClientWidth; }
  void SetFloatClientWidth(Integer Value);
  Integer GetFloatClientHeight() const { return FFloatClientHeight; }
  void SetFloatClientHeight(Integer Value);
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TFont* GetEditFont() const { return FEditFont.get(); }
  // The manager font changed: a bar without its own font takes it.
  void ManagerFontChanged();
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
  bool GetHidden() const { return FHidden; }
  void SetHidden(bool Value);
  bool GetIsMainMenu() const { return FIsMainMenu; }
  void SetIsMainMenu(bool Value);
  String GetKeyTip() const { return FKeyTip; }
  void SetKeyTip(const String& Value) { FKeyTip = Value; }
  bool GetMultiLine() const { return FMultiLine; }
  // Switching off is refused while the bar is the main menu.
  void SetMultiLine(bool Value);
  TqzBarDockingStyles GetNotDocking() const { return FNotDocking; }
  void SetNotDocking(TqzBarDockingStyles Value) { FNotDocking = Value; }
  String GetOldName() const { return FOldName; }
  void SetOldName(const String& Value) { FOldName = Value; }
  bool GetOneOnRow() const { return FOneOnRow; }
  void SetOneOnRow(bool Value) { FOneOnRow = Value; }
  bool GetRotateWhenVertical() const { return FRotateWhenVertical; }
  void SetRotateWhenVertical(bool Value) { FRotateWhenVertical = Value; }
  // The index of the bar's row in its dock site; the kept number without a row.
  Integer GetRow() const;
  void SetRow(Integer Value);
  bool GetShowMark() const { return FShowMark; }
  void SetShowMark(bool Value) { FShowMark = Value; }
  bool GetSizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value) { FSizeGrip = Value; }
  bool GetUseOwnFont() const { return FUseOwnFont; }
  void SetUseOwnFont(bool Value);
  bool GetUseRecentItems() const { return FUseRecentItems; }
  void SetUseRecentItems(bool Value);
  bool GetUseRestSpace() const { return FUseRestSpace; }
  void SetUseRestSpace(bool Value) { FUseRestSpace = Value; }
  bool GetVisible() const;
  void SetVisible(bool Value);
  bool GetWholeRow() const { return FWholeRow; }
  void SetWholeRow(bool Value) { FWholeRow = Value; }

 protected:
  TkvComponentCollection* GetCollectionFromParent(TComponent* AParentComponent) override;
  // Reports a change to the collection (the manager counts as modified).
  void Changed();

 private:
  bool IsManagerLoading() const;
  void FontChanged(TObject* Sender);
  void UpdateEditFont();
  void FireDockingStyleChange();
  // Into row AIndex of the site: a row beyond the last is appended (all missing ones while the
  // manager is update-locked or applies loaded values).
  void MoveToRow(TqzDockControl* ASite, Integer AIndex);

  bool FAllowClose = true;
  bool FAllowCustomizing = true;
  bool FAllowQuickCustomizing = true;
  bool FAllowReset = true;
  Byte FAlphaBlendValue = 255;
  std::unique_ptr<TBitmap> FBackgroundBitmap;
  TqzBarBorderStyle FBorderStyle = bbsSingle;
  String FCaption;
  std::unique_ptr<TqzBarCaptionButtons> FCaptionButtons;
  TColor FColor = clDefault;
  TqzBarDockingStyle FDockedDockingStyle = dsTop;
  Integer FDockedLeft = 0;
  Integer FDockedTop = 0;
  TqzBarDockingStyle FDockingStyle = dsNone;
  Integer FFloatLeft = 0;
  Integer FFloatTop = 0;
  Integer FFloatClientWidth = 0;
  Integer FFloatClientHeight = 0;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TFont> FEditFont;
  std::unique_ptr<TBitmap> FGlyph;
  bool FHidden = false;
  bool FIsMainMenu = false;
  String FKeyTip;
  bool FMultiLine = false;
  TqzBarDockingStyles FNotDocking;
  String FOldName;
  bool FOneOnRow = false;
  bool FRotateWhenVertical = true;
  Integer FRow = 0;
  bool FShowMark = true;
  bool FSizeGrip = true;
  bool FUseOwnFont = false;
  bool FUseRecentItems = true;
  bool FUseRestSpace = false;
  bool FVisible = false;
  bool FWholeRow = false;
  TqzDockControl* FDockControl = nullptr;
  TqzDockControl* FDockedDockControl = nullptr;
  // Loaded values, kept while the manager reads the form.
  TqzBarDockingStyle FLoadedDockingStyle = dsNone;
  bool FLoadedVisible = false;
  bool FPredefined = false;
  bool FHiddenBecauseEmpty = false;
  bool FChangingDockingStyle = false;
  bool FInternalFontChange = false;
  bool FMarkedForRecalc = false;
  std::unique_ptr<TqzBarMergeData> FMergeData;
  std::unique_ptr<TqzBarItemLinks> FItemLinks;
  TqzDockRow* FDockRow = nullptr;
  bool FHasBeenDocked = false;
};

// The toolbars of a manager.
class TqzBars : public TkvComponentCollection {
  TAVREN_CLASS(TqzBars, TkvComponentCollection)
 public:
  explicit TqzBars(TqzBarManager* AManager);
  ~TqzBars() override;
  TqzBarManager* GetBarManager() const noexcept { return FBarManager; }
  TqzBar* GetBar(Integer Index) const { return static_cast<TqzBar*>(ItemAt(Index)); }
  Integer GetCount() const { return ItemCount(); }
  TqzBar* AddBar() { return static_cast<TqzBar*>(AppendItem()); }
  // Dock sites widen their rectangle by this many pixels to form their docking zone.
  Integer GetDockingZoneSize() const noexcept { return 23; }
  // The manager's own dock site of a side (nullptr for dsNone).
  TqzDockControl* GetDockControl(TqzBarDockingStyle AStyle) const;
  void DockControlGone(TqzDockControl* ASite);
  // Every bar window rebuilds.
  void RebuildAll();

  // Moving a toolbar window with the mouse: the loop runs until the button is released, Esc is
  // pressed or the capture is lost. A floating window over a dock site docks only after resting
  // WaitForDockingTime ms there or moving on after that; Ctrl held keeps it floating.
  void DragBar(TqzBarControl* AWindow);
  void MoveBarTo(TqzBarControl* AWindow, const TPoint& P);
  // The side and site under a screen point; dsNone and nullptr for floating.
  void GetDockingTarget(TqzBarControl* AWindow, const TPoint& P, TqzBarDockingStyle& AStyle, TqzDockControl*& ASite);
  bool IsDragging() const noexcept { return FMovingBarControl != nullptr; }
  TqzBarControl* GetMovingBarControl() const noexcept { return FMovingBarControl; }
  TqzBarDockingStyle GetDragTargetStyle() const noexcept { return FDragTargetStyle; }
  // The shift across from the cursor to the bar's row anchor, recorded as a docked bar starts
  // moving (only the across part is set).
  const TPoint& GetRowAnchorShift() const noexcept { return FRowAnchorShift; }
  static constexpr UINT WaitForDockingTime = 21;

 protected:
  void SetItemName(TkvComponentCollectionItem* AItem) override;
  void ReportChange(TkvComponentCollectionItem* AItem, TkvCollectionAction AAction) override;

 private:
  TqzBarManager* FBarManager;
  TqzDockControl* FDockControls[5] = {};
  TqzBarControl* FMovingBarControl = nullptr;
  TqzBarDockingStyle FDragTargetStyle = dsNone;
  TPoint FRowAnchorShift;
  TPoint FGrabOffset;
  TPoint FLastDragPoint;
  bool FDockingTimeElapsed = false;
  UINT_PTR FDockingTimer = 0;
  static void DockingTimerProc(HWND, UINT, UINT_PTR, DWORD);
  void KillDockingTimer();
};

// ---- Categories ------------------------------------------------------------------------------

// What a category of items carries besides its name.
class TqzBarCategoryData : public TObject {
  TAVREN_CLASS(TqzBarCategoryData, TObject)
 public:
  TqzBarItemVisible ItemsVisible = ivAlways;
  // Read from the form, applied by the manager's Loaded.
  TqzBarItemVisible LoadedItemsVisible = ivAlways;
  bool Visible = true;
};

// The manager's categories: names, each with its data object (none counts as ivAlways and
// visible). Items refer to a category by index; inserting, deleting, exchanging and moving keep
// the items' numbers in step, and an emptied list gets "Default" again.
class TqzBarManagerCategories : public TStringList {
  TAVREN_CLASS(TqzBarManagerCategories, TStringList)
 public:
  explicit TqzBarManagerCategories(TqzBarManager* AManager) : FBarManager(AManager) {}
  ~TqzBarManagerCategories() override;
  void Clear() override;
  void Delete(Integer Index) override;
  void Exchange(Integer Index1, Integer Index2) override;
  void InsertObject(Integer Index, const String& S, TObject* AObject) override;
  void Move(Integer CurIndex, Integer NewIndex) override;
  // The category's data, made on first request; nullptr for an invalid index.
  TqzBarCategoryData* DataOf(Integer Index);

 protected:
  void DefineProperties(TFiler* Filer) override;

 private:
  void ReadItemsVisibles(TReader* Reader);
  void WriteItemsVisibles(TWriter* Writer);
  void ReadVisibles(TReader* Reader);
  void WriteVisibles(TWriter* Writer);
  // Gives every item of the manager the category number the function makes of its own.
  void Renumber(const std::function<Integer(Integer)>& ANewCategory);

  TqzBarManager* FBarManager;
  bool FMoving = false;
};
