#pragma once
// The bar items and their links, part of the bar unit (qzBar.h includes it at its end).
//
// An item is a command defined once on the manager; a link is one place of it in a toolbar, a
// sub-menu or a popup menu, and the links of one owner form a TqzBarItemLinks collection.
//
// Sources: qzBarItemLinks.cpp (a link), qzBarItemLinksLists.cpp (the collection: visible lists,
// recent use, keys and selection), qzBarItemLinksMerge.cpp (merging and owner checks),
// qzBarItems.cpp (the item base), qzBarItemStyles.cpp (an item's style slots),
// qzBarItemActions.cpp (the action link and the menu options of a collection),
// qzBarItemKinds.cpp (label, separator, button, window items, edits), qzBarCombos.cpp (combo
// items), qzBarSubItems.cpp (sub-items, container and list items).

#include "rtl/IniFiles.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarItemViewInfo.h"
#include "toolkit/editors/kvStyles.h"
#include "vcl/ActnList.h"

class TqzBar;
class TqzBarItem;
class TqzBarItemLink;
class TqzBarItemLinks;
class TqzBarItemControl;
class TCustomqzBarControl;
class TkvCanvas;
class TqzBarPainter;
class TqzBarDropDownListBox;
class TCustomqzBarSubItem;
class TqzBarPopupMenu;

// ---- Enumerations of items and links --------------------------------------------------------

enum TqzBarPaintStyle { psStandard, psCaption, psCaptionInMenu, psCaptionGlyph };
TAVREN_ENUM_INFO(TqzBarPaintStyle, psStandard, psCaption, psCaptionInMenu, psCaptionGlyph);
enum TqzBarGlyphLayout { glLeft, glRight, glTop, glBottom };
TAVREN_ENUM_INFO(TqzBarGlyphLayout, glLeft, glRight, glTop, glBottom);
enum TqzBarUserDefine { udCaption, udGlyph, udPaintStyle, udWidth };
TAVREN_ENUM_INFO(TqzBarUserDefine, udCaption, udGlyph, udPaintStyle, udWidth);
using TqzBarUserDefines = TSet<TqzBarUserDefine, 4>;
enum TqzBarItemOptionValue { ioShowDescriptions, ioShowShortCuts, ioSize };
TAVREN_ENUM_INFO(TqzBarItemOptionValue, ioShowDescriptions, ioShowShortCuts, ioSize);
using TqzBarItemOptionValues = TSet<TqzBarItemOptionValue, 3>;
enum TqzBarMenuItemSize { misNormal, misLarge };
TAVREN_ENUM_INFO(TqzBarMenuItemSize, misNormal, misLarge);
enum TqzBarButtonStyle { bsDefault, bsChecked, bsDropDown, bsCheckedDropDown };
TAVREN_ENUM_INFO(TqzBarButtonStyle, bsDefault, bsChecked, bsDropDown, bsCheckedDropDown);

// ---- The owner of a link collection ---------------------------------------------------------

// Implemented by the toolbars, buttons with a drop-down menu, sub-items and popup menus.
class IqzBarLinksOwner : public virtual IInterface {
  TAVREN_INTERFACE(IqzBarLinksOwner)
 public:
  // False, with the reason in AMessage, when the item may not be placed among the owner's links.
  virtual bool CanContainItem(TqzBarItem* AItem, String& AMessage) = 0;
  virtual TComponent* GetOwnerComponent() = 0;
  virtual TqzBarItemLinks* GetItemLinks() = 0;
};

// ---- Menu options of a link collection ------------------------------------------------------

// Each option is either set on its collection or taken from the menu that opened it.
class TqzBarItemOptions : public TPersistent {
  TAVREN_CLASS(TqzBarItemOptions, TPersistent)
 public:
  explicit TqzBarItemOptions(TqzBarItemLinks* AItemLinks);
  void Assign(TPersistent* Source) override;

  TqzBarItemOptionValues GetAssignedValues() const { return FAssignedValues; }
  // Only replaces the set: the values stay.
  void SetAssignedValues(TqzBarItemOptionValues Value) { FAssignedValues = Value; }
  bool GetShowDescriptions() const;
  void SetShowDescriptions(bool Value);
  bool GetShowShortCuts() const;
  void SetShowShortCuts(bool Value);
  TqzBarMenuItemSize GetSize() const;
  void SetSize(TqzBarMenuItemSize Value);
  bool IsValueStored(TqzBarItemOptionValue AOption) const { return FAssignedValues.Contains(AOption); }
  bool IsShowDescriptionsStored() const { return IsValueStored(ioShowDescriptions); }
  bool IsShowShortCutsStored() const { return IsValueStored(ioShowShortCuts); }
  bool IsSizeStored() const { return IsValueStored(ioSize); }
  // Boolean for the two flags, Integer for the size.
  Variant GetValue(TqzBarItemOptionValue AOption) const;
  TqzBarItemLinks* GetItemLinks() const noexcept { return FItemLinks; }

 protected:
  TPersistent* GetOwner() override;

 private:
  TqzBarItemLinks* FItemLinks;
  TqzBarItemOptionValues FAssignedValues;
  bool FShowDescriptions;
  bool FShowShortCuts;
  TqzBarMenuItemSize FSize;
};

// ---- Item link --------------------------------------------------------------------------------

// One place of an item: its per-place overrides, layout and recent-use data.
class TqzBarItemLink : public TCollectionItem, public virtual IqzBarSelectableItem {
  TAVREN_CLASS(TqzBarItemLink, TCollectionItem)
 public:
  explicit TqzBarItemLink(TCollection* Collection);
  ~TqzBarItemLink() override;
  void Assign(TPersistent* Source) override;

  // Counted, never freed through the interface: the collection frees the link.
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override;
  Integer _AddRef() override;
  Integer _Release() override;

  // Moves the link into another collection, or out of any (nil).
  virtual void AttachToCollection(TqzBarItemLinks* ALinks);

  TqzBarItemLinks* GetLinks() const;
  TqzBarManager* GetBarManager() override;
  TCustomqzBarControl* GetBarControl() const;
  TqzBarItemControl* GetControl() const noexcept { return FControl; }
  // The control that shows the link in its bar window: made when the window asks and the link
  // has an item and none yet, freed with the link (qzBarItemControl.cpp).
  void CreateControl();
  void DestroyControl();
  void ForgetControl() noexcept { FControl = nullptr; }
  // The effective values: the item's unless this place overrides them.
  String GetCaption() const;
  TBitmap* GetGlyph() const;
  TqzBarPaintStyle GetPaintStyle() const;
  Integer GetWidth() const;
  Integer GetVisibleIndex() const;
  Integer GetFullMenuIndex() const;
  // The container's link this one stands for, else the link itself.
  TqzBarItemLink* GetSourceLink() { return FSourceLink ? FSourceLink : this; }
  void SetSourceLink(TqzBarItemLink* Value) { FSourceLink = Value; }
  // The item is available and the place visible.
  bool IsShown() const;
  const TRect& GetItemRect() const noexcept { return FItemRect; }
  // Set by the bar window as it lays the links out.
  void SetItemRect(const TRect& Value) { FItemRect = Value; }
  // The thickness of the toolbar row the link sits in, set with its rectangle.
  Integer GetRowHeight() const noexcept { return FRowHeight; }
  void SetRowHeight(Integer Value) { FRowHeight = Value; }
  TPoint ScreenToItemPoint(const TPoint& P) const;
  // The next link of the collection, any kind; nil when that is this link.
  TqzBarItemLink* GetNextLink();

  // Recent use.
  Integer GetUseCount() const noexcept { return FUseCount; }
  void SetUseCount(Integer Value) { FUseCount = Value; }
  void RegisterUse(bool AIncrement);
  void SendToRecentEnd();
  void CopyUseFrom(TqzBarItemLink* ALink);
  void ResetUseFromFlag();
  Integer GetRecentIndex() const;
  // Clamped to the recent list; a link without collection only remembers it.
  void SetRecentIndex(Integer Value);
  Integer GetPrevRecentIndex() const noexcept { return FPrevRecentIndex; }
  void SetPrevRecentIndex(Integer Value) { FPrevRecentIndex = Value; }

  // Values read from a stored layout, applied later.
  Integer GetLoadedUseCount() const noexcept { return FLoadedUseCount; }
  void SetLoadedUseCount(Integer Value) { FLoadedUseCount = Value; }
  Integer GetLoadedRecentIndex() const noexcept { return FLoadedRecentIndex; }
  void SetLoadedRecentIndex(Integer Value) { FLoadedRecentIndex = Value; }
  bool GetLoadedVisible() const noexcept { return FLoadedVisible; }
  void SetLoadedVisible(bool Value) { FLoadedVisible = Value; }
  const String& GetLoadedItemName() const noexcept { return FLoadedItemName; }
  void SetLoadedItemName(const String& Value) { FLoadedItemName = Value; }
  // The item of a non-empty loaded name (none when the manager has no such item).
  void ResolveLoadedItemName();

  // Runs before the link leaves its place in a customizing drag: the group start stays.
  void PassGroupStartOn();
  // The accelerator of the caption matches the key.
  bool MatchesAccel(Word AKey, TShiftState AShift) const;

  TqzBar* GetCreatedFromMergingWith() const noexcept { return FCreatedFromMergingWith; }
  void SetCreatedFromMergingWith(TqzBar* Value) { FCreatedFromMergingWith = Value; }
  intptr_t GetData() const noexcept { return FData; }
  void SetData(intptr_t Value) { FData = Value; }

  // Published properties.
  bool GetBeginGroup() const;
  void SetBeginGroup(bool Value);
  TqzBarButtonGroupPosition GetButtonGroup() const { return FButtonGroup; }
  void SetButtonGroup(TqzBarButtonGroupPosition Value);
  TqzBarItem* GetItem() const;
  // nil frees the link.
  void SetItem(TqzBarItem* Value);
  bool GetMostRecentlyUsed() const { return FMostRecentlyUsed; }
  void SetMostRecentlyUsed(bool Value);
  TqzBarItemPosition GetPosition() const { return FPosition; }
  void SetPosition(TqzBarItemPosition Value);
  String GetUserCaption() const { return FUserCaption; }
  void SetUserCaption(const String& Value);
  TqzBarUserDefines GetUserDefine() const { return FUserDefine; }
  void SetUserDefine(TqzBarUserDefines Value);
  TBitmap* GetUserGlyph() const { return FUserGlyph.get(); }
  void SetUserGlyph(TBitmap* Value);
  TqzBarPaintStyle GetUserPaintStyle() const { return FUserPaintStyle; }
  void SetUserPaintStyle(TqzBarPaintStyle Value);
  Integer GetUserWidth() const { return FUserWidth; }
  void SetUserWidth(Integer Value);
  // The width the link's control takes for its edit: the user's when defined, else the edit
  // item's own Width; 0 for other items.
  Integer GetEffectiveWidth() const;
  TqzBarItemViewLevels GetViewLevels() const { return FViewLevels; }
  void SetViewLevels(TqzBarItemViewLevels Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  bool IsUserCaptionStored() const { return FUserDefine.Contains(udCaption); }
  bool IsUserGlyphStored() const { return FUserDefine.Contains(udGlyph) && !FUserGlyph->GetEmpty(); }

  // Design selection.
  bool CanBeDeleted(bool) override { return true; }
  void DeleteIfAllowed(IqzBarSelectableItem*& ARef, bool AWholeItem) override;
  // The customizing actions copy from the customizing form's link, which the link does not know.
  void ApplyCustomizingAction(Integer) override {}
  TObject* GetInstance() override { return this; }
  void CollectOwner(TList* AList) override;
  void GetNextSelectable(IqzBarSelectableItem*& ARef) override;
  TPersistent* DesignOwner() override;
  Integer SelectionStatus() override;
  Integer EditOperations() override;
  void RepaintSelection() override;
  Integer IsShownInSeveralPlaces() override { return 0; }
  bool IsSelectedInDesigner() override;
  void SelectInDesigner(Integer AMode) override;
  bool SelectDesignParent() override { return false; }
  void SelectionStateChanged() override {}

 protected:
  virtual void UserGlyphChanged(TObject* Sender);
  void DefineProperties(TFiler* Filer) override;

 private:
  friend class TqzBarItemLinks;
  friend class TqzBarItem;
  void ReadItemName(TReader* Reader);
  void WriteItemName(TWriter* Writer);
  bool HasItemNameToWrite(TqzBarItemLink* AAncestor);
  // Sets the flag's user value back and marks the flag, so the control always hears of it.
  void MarkUserDefine(TqzBarUserDefine AFlag);
  TqzBarItemLinks* Links() const;

  bool FBeginGroup = false;
  TqzBarButtonGroupPosition FButtonGroup = bgpNone;
  TqzBarItem* FItem = nullptr;
  bool FMostRecentlyUsed = true;
  TqzBarItemPosition FPosition = ipBeginsNewRow;
  String FUserCaption;
  TqzBarUserDefines FUserDefine;
  std::unique_ptr<TBitmap> FUserGlyph;
  TqzBarPaintStyle FUserPaintStyle = psStandard;
  Integer FUserWidth = 0;
  TqzBarItemViewLevels FViewLevels;
  bool FVisible = true;

  TRect FItemRect;
  Integer FRowHeight = 0;
  TqzBarItemControl* FControl = nullptr;
  Integer FUseCount = 0;
  Integer FLoadedUseCount = 0;
  Integer FLoadedRecentIndex = -1;
  bool FLoadedVisible = true;
  String FLoadedItemName;
  TqzBarItemLink* FSourceLink = nullptr;
  TqzBar* FCreatedFromMergingWith = nullptr;
  Integer FPrevRecentIndex = -1;
  intptr_t FData = 0;
  Integer FRefCount = 0;
};

// The toolbar whose merging is in progress: links made by it record it. nil outside merging.
TqzBar* BarBeingMerged();
void SetBarBeingMerged(TqzBar* ABar);

// ---- Link collection --------------------------------------------------------------------------

class TqzBarItemLinks : public TCollection {
  TAVREN_CLASS(TqzBarItemLinks, TCollection)
 public:
  TqzBarItemLinks(TqzBarManager* ABarManager, IqzBarLinksOwner* AOwner);
  ~TqzBarItemLinks() override;
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override { return GetOwnerComponent(); }

  // True unless the links belong to a toolbar.
  virtual bool IsMenuLinks();
  virtual TqzBarItemLink* FindAccelLink(Word AKey, TShiftState AShift, TqzBarItemLink* AStartLink) = 0;
  virtual Variant DefaultItemOption(TqzBarItemOptionValue AOption);
  // The option in force for ATarget (these links or links of a menu opened below them): set here,
  // else inherited from the parent links, else the default.
  virtual Variant ResolveItemOption(TqzBarItemOptionValue AOption, TqzBarItemLinks* ATarget);
  // False, with the reason, when the owner refuses the item.
  virtual bool AcceptsItem(TqzBarItem* AItem, String& AMessage);

  TqzBarManager* GetBarManager() const noexcept { return FBarManager; }
  void SetBarManager(TqzBarManager* Value) { FBarManager = Value; }
  IqzBarLinksOwner* GetLinksOwner() const noexcept { return FOwner; }
  // Links shown beside another owner's (an application menu's buttons) take that owner.
  void SetLinksOwner(IqzBarLinksOwner* Value) { FOwner = Value; }
  TComponent* GetOwnerComponent() const;
  TCustomqzBarControl* GetBarControl() const noexcept { return FBarControl; }
  // Set by the bar window while it shows the links.
  void SetBarControl(TCustomqzBarControl* Value) { FBarControl = Value; }
  // The links of the bar window that opened this collection's window; nil without one.
  TqzBarItemLinks* GetParentLinks() const;
  // These are the owner's links, or some item below them owns links that hold the owner.
  bool ContainsOwner(IqzBarLinksOwner* AOwner);

  // Lists.
  TqzBarItemLink* GetLink(Integer Index) const { return static_cast<TqzBarItemLink*>(GetItems(Index)); }
  Integer GetItemVisibleLinkCount() const { return static_cast<Integer>(FItemVisibleLinks.size()); }
  TqzBarItemLink* GetItemVisibleLink(Integer Index) const { return FItemVisibleLinks[Index]; }
  Integer GetFullMenuLinkCount() const { return static_cast<Integer>(FFullMenuLinks.size()); }
  TqzBarItemLink* GetFullMenuLink(Integer Index) const { return FFullMenuLinks[Index]; }
  Integer GetVisibleLinkCount() const { return static_cast<Integer>(FVisibleLinks.size()); }
  TqzBarItemLink* GetVisibleLink(Integer Index) const { return FVisibleLinks[Index]; }
  Integer GetRecentLinkCount() const { return static_cast<Integer>(FRecentLinks.size()); }
  TqzBarItemLink* GetRecentLink(Integer Index) const { return FRecentLinks[Index]; }
  Integer IndexOf(TqzBarItemLink* ALink) const;
  // Case-sensitive; -1.
  Integer IndexOfItemName(const String& AName) const;
  bool HasItemControl(TqzBarItemControl* AControl) const;
  Integer GetFittingLinkCount() const;
  void RebuildLinkLists();
  void ClearItemRects();

  // Adding and moving.
  TqzBarItemLink* AddLink();
  TqzBarItemLink* AddLinkForItem(TqzBarItem* AItem);
  // A link for a new item of the class, made by the manager in the "Default" category; when the
  // owner refuses the item, the item goes again and the error passes on.
  TqzBarItemLink* AddNewItemOfClass(TClassOf<TqzBarItem> AItemClass, TqzBarManager* AManager);
  TqzBarItemLink* AddLinkForItemName(TClassOf<TqzBarItem> AItemClass) { return AddNewItemOfClass(AItemClass, FBarManager); }
  TqzBarItemLink* InsertLink(Integer Index);
  void MoveLink(Integer AFromIndex, Integer AToIndex);

  // Options.
  TqzBarItemOptions* GetItemOptions() const { return FItemOptions.get(); }
  void SetItemOptions(TqzBarItemOptions* Value) { FItemOptions->Assign(Value); }
  bool GetEffectiveShowDescriptions() { return ResolveItemOption(ioShowDescriptions, this).AsBoolean(); }
  bool GetEffectiveShowShortCuts() { return ResolveItemOption(ioShowShortCuts, this).AsBoolean(); }
  TqzBarMenuItemSize GetEffectiveItemSize() {
    return static_cast<TqzBarMenuItemSize>(ResolveItemOption(ioSize, this).AsInteger());
  }

  // Recent items.
  bool GetUseRecentItems() const noexcept { return FUseRecentItems; }
  void SetUseRecentItems(bool Value) { FUseRecentItems = Value; }
  bool UsesRecentItems() const;
  Integer GetRecentLinkLimit() const noexcept { return FRecentLimit; }
  Integer CalcRecentLinkCount() const;
  void SetRecentLinkLimit(Integer ALimit);
  void RestoreRecentLinkLimit();
  void ApplyLoadedUseData(bool AApplyVisible);
  void CompactRecentList();

  // Keys and selection.
  void UpdateActions();
  bool ExecuteShortCut(TShortCut AShortCut);
  TqzBarItemLink* FindLinkByAccelKey(Word AKey, TShiftState AShift, TqzBarItemLink* AStartLink);
  TqzBarItemLink* FirstSelectableLink();
  TqzBarItemLink* LastSelectableLink();
  TqzBarItemLink* NextSelectableLink(TqzBarItemLink* ALink, bool AAnyLink);
  TqzBarItemLink* PrevSelectableLink(TqzBarItemLink* ALink, bool AAnyLink);

  // Merging.
  void MergeFrom(TqzBarItemLinks* ASource);
  // Frees the links merged from the bar (any merged link with nil).
  void Unmerge(TqzBar* ABar);

  // Every link takes its item from its loaded name, then its loaded visibility and use data.
  void ResolveLoadedItems();
  // Layout storage (qzBarLayout.cpp): the links under a section, their use data, and the reset of
  // their items from the snapshot. ANewItems are the items added to the program since the layout
  // was saved: their designed links stay.
  void LoadFromIni(TCustomIniFile* AIniFile, const String& ASection, bool ARegistry,
                   const std::vector<String>* ANewItems);
  void LoadUsageFromIni(TCustomIniFile* AIniFile, const String& ASection);
  void SaveToIni(TCustomIniFile* AIniFile, const String& ASection, bool ARegistry);
  void ResetItemsFromSnapshot(TCustomIniFile* AIniFile, const String& ABase);
  void ReportModified();
  bool GetInternal() const noexcept { return FInternal; }
  void SetInternal(bool Value) { FInternal = Value; }
  bool IsAssigning() const noexcept { return FAssigning; }
  // Called after every collection-wide change.
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

 protected:
  void Update(TCollectionItem* Item) override;
  // Whether a link can take the selection now.
  bool IsSelectable(TqzBarItemLink* ALink) const;

 private:
  friend class TqzBarItemLink;
  void RecentMove(TqzBarItemLink* ALink, Integer AIndex);
  void RecentRemove(TqzBarItemLink* ALink);
  // Takes out separators that would stand at the end or next to another separator.
  void CleanSeparators();
  // Walks the fitting visible links from the link's position one step at a time.
  TqzBarItemLink* WalkSelectable(TqzBarItemLink* ALink, bool AAnyLink, Integer AStep);

  TqzBarManager* FBarManager;
  IqzBarLinksOwner* FOwner;
  std::vector<TqzBarItemLink*> FItemVisibleLinks;
  std::vector<TqzBarItemLink*> FFullMenuLinks;
  std::vector<TqzBarItemLink*> FVisibleLinks;
  std::vector<TqzBarItemLink*> FRecentLinks;
  Integer FRecentLimit = -1;
  Integer FPrevRecentLimit = -1;
  bool FUseRecentItems = true;
  std::unique_ptr<TqzBarItemOptions> FItemOptions;
  TCustomqzBarControl* FBarControl = nullptr;
  bool FInternal = false;
  bool FAssigning = false;
  TNotifyEvent FOnChange;
};

// The links of a toolbar.
class TqzBarControlItemLinks : public TqzBarItemLinks {
  TAVREN_CLASS(TqzBarControlItemLinks, TqzBarItemLinks)
 public:
  using TqzBarItemLinks::TqzBarItemLinks;
  TqzBarItemLink* FindAccelLink(Word AKey, TShiftState AShift, TqzBarItemLink* AStartLink) override;
};

// The links of a menu: a sub-item's or a popup menu's.
class TqzBarSubMenuControlItemLinks : public TqzBarItemLinks {
  TAVREN_CLASS(TqzBarSubMenuControlItemLinks, TqzBarItemLinks)
 public:
  using TqzBarItemLinks::TqzBarItemLinks;
  bool IsMenuLinks() override { return true; }
  TqzBarItemLink* FindAccelLink(Word AKey, TShiftState AShift, TqzBarItemLink* AStartLink) override;
};

// ---- Item style slots -------------------------------------------------------------------------

// Keeps a copy of each referenced style's values, so that a change of a style can be told apart
// as one of the layout (the font) or of the appearance only.
class TqzBarItemStylesData : public TkvInterfacedPersistent, public virtual IkvStyleObserver {
  TAVREN_CLASS(TqzBarItemStylesData, TkvInterfacedPersistent)
 public:
  // AOnChanged gets 0 for an appearance change, 1 for a layout change.
  TqzBarItemStylesData(TPersistent* AOwner, Integer ACount, std::function<void(Integer)> AOnChanged);
  ~TqzBarItemStylesData() override;

  Integer Count() const { return static_cast<Integer>(FSlots.size()); }
  TkvStyle* GetStyle(Integer Index) const { return FSlots[Index].Style; }
  void SetStyle(Integer Index, TkvStyle* AStyle);
  void BeginChange();
  void EndChange();
  // The item sets its handler once its controls can react.
  void SetOnChanged(std::function<void(Integer)> AOnChanged);

  void NotifyStyleChanged(TkvCustomStyle* AStyle) override;
  void NotifyStyleRemoved(TkvCustomStyle* AStyle) override;

 private:
  struct TSlot {
    TkvStyle* Style = nullptr;
    TkvStyleValues Assigned;
    TColor Color = clDefault;
    TColor TextColor = clDefault;
    Integer FontHeight = 0;
    TFontPitch FontPitch = fpDefault;
    TFontStyles FontStyle;
    TFontCharset FontCharset = 0;
    String FontName;
  };
  enum { ckAppearance, ckLayout, ckNone };
  bool HoldsElsewhere(TkvStyle* AStyle, Integer AExceptIndex) const;
  void UpdateSlot(Integer Index);
  void Report(Integer AKind);

  std::vector<TSlot> FSlots;
  Integer FLockCount = 0;
  Integer FPendingKind = ckNone;
  bool FDestroying = false;
  std::function<void(Integer)> FOnChanged;
};

// ---- Item -------------------------------------------------------------------------------------

// Bar window kinds for TqzBarItem::RebuildBarsOfKinds.
constexpr Byte qzBarKindToolbar = 1, qzBarKindQuickCustomizing = 2, qzBarKindMenu = 4;
constexpr Byte qzAllBarKinds = qzBarKindToolbar | qzBarKindQuickCustomizing | qzBarKindMenu;

class TqzBarItemActionLink;
using TqzBarItemActionLinkClass = TClassOf<TqzBarItemActionLink>;

// A command of the bar system, shown at the places of its links.
class TqzBarItem : public TqzBarComponent {
  TAVREN_CLASS(TqzBarItem, TqzBarComponent)
 public:
  explicit TqzBarItem(TComponent* AOwner) : TqzBarItem(AOwner, 1) {}
  ~TqzBarItem() override;
  void BeforeDestruction() override;
  void Assign(TPersistent* Source) override;

  Integer GetLinkCount() const { return static_cast<Integer>(FLinks.size()); }
  // nil out of range.
  TqzBarItemLink* GetLink(Integer Index) const;
  bool IsLoading() const { return GetComponentState().Contains(csLoading); }
  // May show now: by Visible, data and the manager's customizing state.
  bool IsAvailable() const;
  bool ImageExists(TCustomImageList* AList, Integer AIndex) const;
  bool HasListImage() const { return ImageExists(GetImages(), FImageIndex); }
  TkvStyle* GetIndexedStyle(Integer Index) const { return FStylesData->GetStyle(Index); }
  void SetIndexedStyle(Integer Index, TkvStyle* AStyle) { FStylesData->SetStyle(Index, AStyle); }
  // Bitmap, colour, font and text colour of the style slot (0 normal, 1 the edit area).
  struct TStyleValues {
    TBitmap* Bitmap = nullptr;
    TColor Color = clDefault;
    TFont* Font = nullptr;
    TColor TextColor = clDefault;
  };
  TStyleValues GetStyleValues() const { return FillStyleValues(GetIndexedStyle(0)); }
  TStyleValues GetEditStyleValues() const;
  // The caption without its first "&" and its first "...".
  static String CaptionForHint(const String& ACaption);
  // The short part of the hint is the caption's: the hint follows caption changes.
  bool HintFollowsCaption() const;
  bool GetCheckDefaults() const noexcept { return FCheckDefaults; }
  void DeleteLinks();
  // Every link's control repaints, except the selected control of an active bar window (that
  // window repaints it itself).
  void RepaintControls();
  // Every link's control takes its drawing state and parts anew and repaints.
  void RefreshControls();
  // The bar windows of the given kinds (bits 1 << BarKind: toolbar, quick customizing, menu)
  // that show a link of the item rebuild, except an active window whose selected control it is.
  void RebuildBarsOfKinds(Byte AKinds);
  // Moves the item behind the last item of its category in the manager's item list.
  void MoveToCategoryEnd(Integer ACategory);
  TqzBarItemActionLink* GetActionLink() const { return FActionLink.get(); }
  TqzBarItemVisible GetLoadedVisible() const noexcept { return FLoadedVisible; }
  intptr_t GetData() const noexcept { return FData; }
  void SetData(intptr_t Value) { FData = Value; }
  bool GetCanSelect() const noexcept { return FCanSelect; }
  void SetCanSelect(bool Value) { FCanSelect = Value; }
  TNotifyEvent GetOnItemLoaded() const { return FOnItemLoaded; }
  void SetOnItemLoaded(TNotifyEvent Value) { FOnItemLoaded = Value; }
  // While the click handler runs: the link that was clicked (the one the user customized, when the
  // click came through a copy of it); nil otherwise, and nil once that link is gone.
  TqzBarItemLink* GetClickedLink() const noexcept { return FClickedLink; }
  void SetClickedLink(TqzBarItemLink* Value) { FClickedLink = Value; }

  // Overrides of the bar component.
  bool GetEnabled() override;
  void SetEnabled(bool Value) override;
  TqzBarItemVisible GetVisible() const { return FVisible; }
  void SetVisible(TqzBarItemVisible Value) override;
  bool CanBeDeleted(bool AWholeItem) override;
  void DeleteIfAllowed(IqzBarSelectableItem*& ARef, bool AWholeItem) override;
  void GetNextSelectable(IqzBarSelectableItem*& ARef) override;
  Integer EditOperations() override;
  Integer IsShownInSeveralPlaces() override { return GetLinkCount() > 1 ? 1 : 0; }
  void RepaintSelection() override { RepaintControls(); }

  // The virtual operations of the kinds.
  virtual Integer GetWidth() const { return FWidth; }
  virtual void SetWidth(Integer Value);
  virtual void BarManagerAssigned() {}
  // APlaceKind 0 a toolbar, 1 a menu.
  virtual bool CanBePlacedOn(Integer APlaceKind, TqzBar* ABar, String& AMessage);
  virtual bool HasPaintStyle() { return false; }
  virtual bool ShortCutEnabled() { return true; }
  virtual Integer ReadImageIndex() { return FImageIndex; }
  virtual void WriteImageIndex(Integer Value) { SetImageIndex(Value); }
  // The item-control class registered for exactly this class; nil when none.
  virtual TClass ControlClass(bool AAsButton);
  virtual bool HiddenInCategoryLists() { return false; }
  virtual TqzBarItemLinks* GetItemLinks() { return nullptr; }
  // 1, edits 2 (slot 1 is the edit area's).
  Integer StyleCount() const { return FStylesData->Count(); }
  virtual bool AccelUsableFor(TqzBarItemLink*) { return GetEnabled(); }
  virtual bool CanProvideData() const { return true; }
  virtual bool SameKindAs(TqzBarItem*) { return false; }
  virtual bool ProcessShortCut(TShortCut AShortCut);
  virtual bool UsesStyleColor() { return false; }
  // Kinds that host a window of the program in their places: a toolbar hides it for the links it
  // cannot show, a control going hides it.
  virtual bool HostsWindow() { return false; }
  virtual void HideHostedWindow(TqzBarItemControl*) {}
  // Kind 1: the bar is being freed.
  virtual void BarNotification(Integer, TqzBar*) {}
  virtual void SetImageIndex(Integer Value);
  virtual void SetLargeImageIndex(Integer Value);
  virtual bool HasHotImage() { return false; }
  virtual bool HasImage() { return FImageIndex >= 0 || FLargeImageIndex >= 0; }
  virtual void CaptionChanged();
  virtual void GlyphChanged(TObject* Sender);
  virtual void LargeGlyphChanged(TObject* Sender);
  // A hot glyph of a kind that has one changed: every control of a link reacts.
  virtual void HotGlyphChanged(TObject* Sender);
  virtual void ShortCutChanged();
  virtual void VisibleChanged();
  virtual String GetCaption() const { return FCaption; }
  virtual bool IsCaptionStored();
  virtual void SetCaption(const String& Value);
  // Layout storage of the kinds with links of their own.
  virtual void ResetFromSnapshot(TCustomIniFile*, const String&) {}
  virtual void LoadLinksFromIni(TCustomIniFile*, const String&, Integer) {}
  virtual void LoadLinkUsageFromIni(TCustomIniFile*, const String&) {}
  virtual void SaveLinksToIni(TCustomIniFile*, const String&, Integer) {}
  // The caption the designer gives a new item of the class.
  virtual String DefaultCaption() const;
  virtual String GetQuickAccessKindName() { return String(); }
  TCustomImageList* GetImages() const;

  virtual void ActionChange(TObject* Sender, bool ACheckDefaults);
  virtual TqzBarItemActionLinkClass GetActionLinkClass();
  virtual void Click();
  virtual void ClickItem();
  virtual void FireClick();

  TComponent* GetParentComponent() override;
  bool HasParent() override { return FCategory >= 0; }
  void SetParentComponent(TComponent* Value) override;
  void SetName(const String& NewName) override;

  // Published properties.
  TBasicAction* GetAction() const;
  void SetAction(TBasicAction* Value);
  TqzBarItemAlign GetAlign() const { return FAlign; }
  void SetAlign(TqzBarItemAlign Value);
  Integer GetCategory() const { return FCategory; }
  // Outside loading only a category the manager has; the item moves behind its last item.
  void SetCategory(Integer Value);
  String GetDescription() const { return FDescription; }
  void SetDescription(const String& Value);
  THelpContext GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(THelpContext Value) { FHelpContext = Value; }
  String GetHint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  String GetKeyTip() const { return FKeyTip; }
  void SetKeyTip(const String& Value) { FKeyTip = Value; }
  TqzBarItemMergeKind GetMergeKind() const { return FMergeKind; }
  void SetMergeKind(TqzBarItemMergeKind Value) { FMergeKind = Value; }
  Integer GetMergeOrder() const { return FMergeOrder; }
  void SetMergeOrder(Integer Value) { FMergeOrder = std::max(Value, 0); }
  TkvStyle* GetStyle() const { return GetIndexedStyle(0); }
  void SetStyle(TkvStyle* Value) { SetIndexedStyle(0, Value); }
  TqzBarScreenTip* GetScreenTip() const { return FScreenTip; }
  void SetScreenTip(TqzBarScreenTip* Value);
  TNotifyEvent GetOnDestroy() const { return FOnDestroy; }
  void SetOnDestroy(TNotifyEvent Value) { FOnDestroy = Value; }

  // State the kinds publish.
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
  TBitmap* GetLargeGlyph() const { return FLargeGlyph.get(); }
  void SetLargeGlyph(TBitmap* Value) { FLargeGlyph->Assign(Value); }
  Integer GetImageIndex() const { return FImageIndex; }
  Integer GetLargeImageIndex() const { return FLargeImageIndex; }
  TqzBarPaintStyle GetPaintStyle() const { return FPaintStyle; }
  void SetPaintStyle(TqzBarPaintStyle Value);
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  bool GetShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  TqzBarGlyphLayout GetGlyphLayout() const { return FGlyphLayout; }
  void SetGlyphLayout(TqzBarGlyphLayout Value);
  TNotifyEvent GetOnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent Value) { FOnClick = Value; }

  // Stored unless the action supplies them.
  bool IsEnabledStored();
  bool IsHelpContextStored();
  bool IsHintStored();
  bool IsImageIndexStored();
  bool IsShortCutStored();
  bool IsVisibleStored();
  bool IsOnClickStored();

 protected:
  TqzBarItem(TComponent* AOwner, Integer AStyleCount);
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void ReadState(TReader* Reader) override;
  void AssignTo(TPersistent* Dest) override;
  TStyleValues FillStyleValues(TkvStyle* AStyle) const;
  bool FShowCaption = false;

 private:
  friend class TqzBarItemLink;
  // The categories keep the items' numbers in step as they are inserted, deleted and moved.
  friend class TqzBarManagerCategories;
  void DoActionChange(TObject* Sender);

  std::vector<TqzBarItemLink*> FLinks;
  TqzBarItemLink* FClickedLink = nullptr;
  std::unique_ptr<TqzBarItemStylesData> FStylesData;
  std::unique_ptr<TqzBarItemActionLink> FActionLink;
  std::unique_ptr<TBitmap> FGlyph;
  std::unique_ptr<TBitmap> FLargeGlyph;
  TqzBarItemAlign FAlign = iaLeft;
  String FCaption;
  Integer FCategory = -1;
  String FDescription;
  bool FEnabled = true;
  THelpContext FHelpContext = 0;
  String FHint;
  String FKeyTip;
  TqzBarItemMergeKind FMergeKind = mkAdd;
  Integer FMergeOrder = 0;
  TqzBarScreenTip* FScreenTip = nullptr;
  TqzBarItemVisible FVisible = ivAlways;
  TqzBarItemVisible FLoadedVisible = ivAlways;
  Integer FImageIndex = -1;
  Integer FLargeImageIndex = -1;
  TqzBarPaintStyle FPaintStyle = psStandard;
  TShortCut FShortCut = 0;
  TqzBarGlyphLayout FGlyphLayout = glTop;
  Integer FWidth = 0;
  bool FCanSelect = true;
  bool FCheckDefaults = false;
  intptr_t FData = 0;
  TNotifyEvent FOnClick;
  TNotifyEvent FOnDestroy;
  TNotifyEvent FOnItemLoaded;
};

using TqzBarItemClass = TClassOf<TqzBarItem>;

// ---- Action link ------------------------------------------------------------------------------

// Pushes an action's values into its item while the item still shows the action's value.
class TqzBarItemActionLink : public TActionLink {
  TAVREN_CLASS(TqzBarItemActionLink, TActionLink)
 public:
  // The client must be a bar item.
  explicit TqzBarItemActionLink(TObject* AClient);

  bool IsOnExecuteLinked() override;
  void SetOnExecute(TNotifyEvent Value) override;
  bool IsCaptionLinked() override;
  bool IsCheckedLinked() override;
  bool IsEnabledLinked() override;
  bool IsHelpContextLinked();
  bool IsHintLinked() override;
  bool IsImageIndexLinked() override;
  bool IsShortCutLinked() override;
  bool IsVisibleLinked() override;
  void SetCaption(const String& Value) override;
  void SetChecked(bool Value) override;
  void SetEnabled(bool Value) override;
  void SetHelpContext(Integer Value);
  void SetHint(const String& Value) override;
  void SetImageIndex(Integer Value) override;
  void SetShortCut(TShortCut Value) override;
  void SetVisible(bool Value) override;

 private:
  TCustomAction* Action() const { return dynamic_cast<TCustomAction*>(GetAction()); }
  TqzBarItem* FClient;
};

// ---- Item kinds -------------------------------------------------------------------------------

// A caption-only item.
class TqzBarLabel : public TqzBarItem {
  TAVREN_CLASS(TqzBarLabel, TqzBarItem)
 public:
  explicit TqzBarLabel(TComponent* AOwner) : TqzBarItem(AOwner) { FShowCaption = true; }
};

// A separator: menus only.
class TqzBarSeparator : public TqzBarLabel {
  TAVREN_CLASS(TqzBarSeparator, TqzBarLabel)
 public:
  using TqzBarLabel::TqzBarLabel;
  Integer EditOperations() override { return TqzBarLabel::EditOperations() & ~0x800; }
  bool CanBePlacedOn(Integer APlaceKind, TqzBar* ABar, String& AMessage) override;
  String DefaultCaption() const override;
};

// A command button: plain, checked (alone or in a group of GroupIndex) or with a drop-down.
class TqzBarButton : public TqzBarItem {
  TAVREN_CLASS(TqzBarButton, TqzBarItem)
 public:
  using TqzBarItem::TqzBarItem;
  Integer EditOperations() override;
  bool HasPaintStyle() override { return true; }
  bool AccelUsableFor(TqzBarItemLink* ALink) override;
  String DefaultCaption() const override;
  void Click() override;
  bool IsCheckedStyle() const { return FButtonStyleState & 1; }

  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  TqzBarButtonStyle GetButtonStyle() const;
  void SetButtonStyle(TqzBarButtonStyle Value);
  bool GetCloseSubMenuOnClick() const { return FCloseSubMenuOnClick; }
  void SetCloseSubMenuOnClick(bool Value) { FCloseSubMenuOnClick = Value; }
  bool GetDropDownEnabled() const { return FDropDownEnabled; }
  void SetDropDownEnabled(bool Value) { FDropDownEnabled = Value; }
  Integer GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer Value);
  bool GetDown() const { return FDown; }
  void SetDown(bool Value);
  bool IsDownStored();
  bool GetLowered() const { return FLowered; }
  void SetLowered(bool Value) { FLowered = Value; }
  bool GetUnclickAfterDoing() const { return FUnclickAfterDoing; }
  void SetUnclickAfterDoing(bool Value) { FUnclickAfterDoing = Value; }
  // The menu a drop-down button opens; a menu holding the button itself is refused.
  TqzBarPopupMenu* GetDropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TqzBarPopupMenu* Value);
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Opens the drop-down menu for the control at the screen point, below the control on a
  // horizontal bar and beside it in a menu or a vertical bar.
  virtual void DropDown(TqzBarItemControl* AControl, Integer X, Integer Y, bool AByMouse);

 private:
  // The buttons of the manager sharing this checked button's group.
  template <class F>
  void ForEachGroupButton(F AApply);

  bool FAllowAllUp = false;
  // Bit 0: checked style; 2: drop-down.
  Integer FButtonStyleState = 0;
  bool FCloseSubMenuOnClick = true;
  bool FDropDownEnabled = true;
  Integer FGroupIndex = 0;
  bool FDown = false;
  bool FLowered = false;
  bool FUnclickAfterDoing = true;
  TqzBarPopupMenu* FDropDownMenu = nullptr;
};

// The item behind a bottom button of the application menu.
class TqzBarApplicationMenuButtonItem : public TqzBarItem {
  TAVREN_CLASS(TqzBarApplicationMenuButtonItem, TqzBarItem)
 public:
  using TqzBarItem::TqzBarItem;
};

// An item shown as an in-place window: a text and the editing events.
class TqzBarWindowItem : public TqzBarItem {
  TAVREN_CLASS(TqzBarWindowItem, TqzBarItem)
 public:
  using TqzBarItem::TqzBarItem;
  bool ShortCutEnabled() override { return false; }
  // Shown as a button where the bar shows its items as buttons.
  TClass ControlClass(bool AAsButton) override;
  virtual String GetText() const { return FText; }
  virtual void SetText(const String& Value);
  // The controls of the item's links show the text anew; an editor in place keeps what it holds.
  void ShowTextInControls();

  virtual void FireChange();
  virtual void FireCurChange();
  virtual void FireEnter();
  virtual void FireExit();
  virtual void FireKeyDown(Word& AKey, TShiftState AShift);
  virtual void FireKeyPress(Char& AKey);
  virtual void FireKeyUp(Word& AKey, TShiftState AShift);

  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
  TNotifyEvent GetOnCurChange() const { return FOnCurChange; }
  void SetOnCurChange(TNotifyEvent Value) { FOnCurChange = Value; }
  TNotifyEvent GetOnEnter() const { return FOnEnter; }
  void SetOnEnter(TNotifyEvent Value) { FOnEnter = Value; }
  TNotifyEvent GetOnExit() const { return FOnExit; }
  void SetOnExit(TNotifyEvent Value) { FOnExit = Value; }
  TKeyEvent GetOnKeyDown() const { return FOnKeyDown; }
  void SetOnKeyDown(TKeyEvent Value) { FOnKeyDown = Value; }
  TKeyPressEvent GetOnKeyPress() const { return FOnKeyPress; }
  void SetOnKeyPress(TKeyPressEvent Value) { FOnKeyPress = Value; }
  TKeyEvent GetOnKeyUp() const { return FOnKeyUp; }
  void SetOnKeyUp(TKeyEvent Value) { FOnKeyUp = Value; }

 protected:
  String FText;

 private:
  TNotifyEvent FOnChange;
  TNotifyEvent FOnCurChange;
  TNotifyEvent FOnEnter;
  TNotifyEvent FOnExit;
  TKeyEvent FOnKeyDown;
  TKeyPressEvent FOnKeyPress;
  TKeyEvent FOnKeyUp;
};

// The base of edits: 100 wide, with a second style slot for the edit area.
class TqzCustomBarEdit : public TqzBarWindowItem {
  TAVREN_CLASS(TqzCustomBarEdit, TqzBarWindowItem)
 public:
  explicit TqzCustomBarEdit(TComponent* AOwner);
  void SetWidth(Integer Value) override;
  bool AccelUsableFor(TqzBarItemLink* ALink) override;

 protected:
  void ReadState(TReader* Reader) override;

 private:
  bool FGlyphLoaded = false;
};

class TqzBarEdit : public TqzCustomBarEdit {
  TAVREN_CLASS(TqzBarEdit, TqzCustomBarEdit)
 public:
  using TqzCustomBarEdit::TqzCustomBarEdit;
  // Draws the item's value into the edit area of its control while no editor shows it; kinds with
  // a value of their own (colours, dates) draw that instead.
  virtual void DrawEditArea(TqzBarItemControl* AControl, TkvCanvas* ACanvas, const TRect& R);
  Integer GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer Value) { FMaxLength = std::max(Value, 0); }
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  TkvStyle* GetStyleEdit() const { return GetIndexedStyle(1); }
  void SetStyleEdit(TkvStyle* Value) { SetIndexedStyle(1, Value); }

 private:
  Integer FMaxLength = 0;
  bool FReadOnly = false;
};

class TCustomqzBarCombo;
using TqzBarCheckKeyForDropDownWindowEvent =
    TEvent<void(TCustomqzBarCombo* Sender, Word Key, TShiftState Shift, bool& AcceptKey)>;
using TqzBarGetDropDownWindowEvent = TEvent<void(TObject* Sender, HWND& Window)>;

// An edit with a drop-down window that the program supplies.
class TCustomqzBarCombo : public TqzBarEdit {
  TAVREN_CLASS(TCustomqzBarCombo, TqzBarEdit)
 public:
  using TqzBarEdit::TqzBarEdit;
  // Tab, Enter and Esc stay with the editor unless the program's event takes them.
  virtual bool KeyGoesToDropDown(Word AKey, TShiftState AShift);
  virtual HWND GetDropDownHandle();
  virtual void FireCloseUp();
  // Fires OnDropDown and shows the drop-down window at the screen point, kept on the work area.
  virtual void OpenDropDownAt(Integer X, Integer Y);
  // The drop-down window takes its size and content before it shows, and the mouse after.
  virtual void PrepareDropDown() {}
  virtual void AfterDropDown() {}
  // The link whose control edits the item or has its drop-down open; nil for none.
  TqzBarItemLink* GetActiveLink() const;

  bool GetShowEditor() const { return !FEmptyWindow; }
  void SetShowEditor(bool Value) { FEmptyWindow = !Value; }
  TqzBarCheckKeyForDropDownWindowEvent GetOnCheckKeyForDropDownWindow() const { return FOnCheckKey; }
  void SetOnCheckKeyForDropDownWindow(TqzBarCheckKeyForDropDownWindowEvent Value) { FOnCheckKey = Value; }
  TNotifyEvent GetOnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TNotifyEvent Value) { FOnCloseUp = Value; }
  TNotifyEvent GetOnDropDown() const { return FOnDropDown; }
  void SetOnDropDown(TNotifyEvent Value) { FOnDropDown = Value; }
  TqzBarGetDropDownWindowEvent GetOnGetDropDownWindow() const { return FOnGetDropDownWindow; }
  void SetOnGetDropDownWindow(TqzBarGetDropDownWindowEvent Value) { FOnGetDropDownWindow = Value; }

  // Where a drop-down of the size opens for an item of the size at (X, Y) inside the work area:
  // beside the item in a menu or a vertical bar, below it elsewhere, flipped where there is more
  // room on the other side.
  static void PlaceDropDownIn(const TRect& AWorkArea, const TSize& AItemSize, const TSize& ADropDownSize,
                              bool AInMenuOrVertical, Integer& X, Integer& Y);

 private:
  // ShowEditor is kept inverted.
  bool FEmptyWindow = false;
  TqzBarCheckKeyForDropDownWindowEvent FOnCheckKey;
  TNotifyEvent FOnCloseUp;
  TNotifyEvent FOnDropDown;
  TqzBarGetDropDownWindowEvent FOnGetDropDownWindow;
};

// A string list that a bar item publishes, written into the form as its texts.
class TqzBarStreamedStrings : public TStringList {
  TAVREN_CLASS(TqzBarStreamedStrings, TStringList)
 protected:
  void DefineProperties(TFiler* Filer) override;
};

class TqzBarCustomCombo;
using TqzBarDrawItemEvent =
    TEvent<void(TqzBarCustomCombo* Sender, Integer AIndex, const TRect& ARect, TOwnerDrawState AState)>;
using TqzBarMeasureItemEvent = TEvent<void(TqzBarCustomCombo* Sender, Integer AIndex, Integer& AHeight)>;

// A combo with its own drop-down list of strings.
class TqzBarCustomCombo : public TCustomqzBarCombo {
  TAVREN_CLASS(TqzBarCustomCombo, TCustomqzBarCombo)
 public:
  explicit TqzBarCustomCombo(TComponent* AOwner);
  ~TqzBarCustomCombo() override;
  void SetText(const String& Value) override;
  // Only the list keys, without shift.
  bool KeyGoesToDropDown(Word AKey, TShiftState AShift) override;
  // The first item sharing the longest prefix with the text, ignoring case; -1.
  Integer FindItemByPrefix(const String& AText);
  HWND GetDropDownHandle() override;
  void PrepareDropDown() override;
  void AfterDropDown() override;
  void FireCloseUp() override;
  void OpenDropDownAt(Integer X, Integer Y) override;
  void DrawEditArea(TqzBarItemControl* AControl, TkvCanvas* ACanvas, const TRect& R) override;
  // The entry drawn by OnDrawItem, else its text; a focus rectangle for a focused entry.
  virtual void PaintListItem(TqzBarPainter* APainter, Integer AIndex, TOwnerDrawState AState, const TRect& R);
  virtual TCanvas* GetListCanvas();
  virtual Integer GetDropDownListWidth();
  virtual Integer MeasureItemHeight(Integer AIndex);
  virtual Integer MeasureItemWidth(Integer AIndex);
  // The list follows what the editor holds: the entry it names, else the best prefix match.
  void SyncListIndex();
  TqzBarDropDownListBox* GetListBox() const noexcept { return FListBox; }
  // Entries drawn outside the list and the editor (a dialog's list) go to this canvas; nil ends it.
  void SetPaintCanvas(TCanvas* ACanvas) { FPaintCanvas = ACanvas; }

  Integer GetDropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(Integer Value) { FDropDownCount = Value; }
  Integer GetDropDownWidth() const { return FDropDownWidth; }
  void SetDropDownWidth(Integer Value) { FDropDownWidth = Value; }
  Integer GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(Integer Value) { FItemHeight = Value; }
  Integer GetItemIndex() const { return FItemIndex; }
  void SetItemIndex(Integer Value);
  TStrings* GetItems() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool Value);
  TqzBarDrawItemEvent GetOnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(TqzBarDrawItemEvent Value) { FOnDrawItem = Value; }
  TqzBarMeasureItemEvent GetOnMeasureItem() const { return FOnMeasureItem; }
  void SetOnMeasureItem(TqzBarMeasureItemEvent Value) { FOnMeasureItem = Value; }

 protected:
  // The canvas an entry is drawn on; a row of the open list gets the list's colours, selected
  // rows the highlight colours (the edit area keeps the editor's).
  TCanvas* ListItemCanvas(TOwnerDrawState AState);
  // The text of the item, empty for -1.
  String ItemText(Integer AIndex) const;

 private:
  void ItemsChanged(TObject* Sender);

  TqzBarDropDownListBox* FListBox = nullptr;
  // Set while an edit area is drawn: the canvas, for the entry drawing.
  TCanvas* FPaintCanvas = nullptr;
  std::unique_ptr<TBitmap> FMeasureBitmap;
  Integer FDropDownCount = 8;
  Integer FDropDownWidth = 0;
  Integer FItemHeight = 0;
  Integer FItemIndex = -1;
  std::unique_ptr<TqzBarStreamedStrings> FItems;
  bool FSorted = false;
  TqzBarDrawItemEvent FOnDrawItem;
  TqzBarMeasureItemEvent FOnMeasureItem;
};

class TqzBarCombo : public TqzBarCustomCombo {
  TAVREN_CLASS(TqzBarCombo, TqzBarCustomCombo)
 public:
  using TqzBarCustomCombo::TqzBarCustomCombo;
};

// ---- Sub-items and container items ------------------------------------------------------------

using TqzBarPaintSubMenuBarEvent = TEvent<void(TObject* Sender, TCanvas* Canvas, const TRect& R)>;

// The side band of a sub-menu window.
class IqzBarSubMenuOwner : public virtual IInterface {
  TAVREN_INTERFACE(IqzBarSubMenuOwner)
 public:
  virtual Integer GetBarSize() = 0;
  virtual void PaintBar(TCanvas* ACanvas, const TRect& R) = 0;
};

// An item that opens a menu of links of its own.
class TCustomqzBarSubItem : public TqzBarItem, public virtual IqzBarLinksOwner, public virtual IqzBarSubMenuOwner {
  TAVREN_CLASS(TCustomqzBarSubItem, TqzBarItem)
 public:
  explicit TCustomqzBarSubItem(TComponent* AOwner);
  ~TCustomqzBarSubItem() override;

  void BarManagerAssigned() override;
  bool ShortCutEnabled() override { return false; }
  Integer EditOperations() override;
  TqzBarItemLinks* GetItemLinks() override { return FItemLinks.get(); }

  // Links owner.
  bool CanContainItem(TqzBarItem* AItem, String& AMessage) override;
  TComponent* GetOwnerComponent() override { return this; }
  // Sub-menu owner.
  Integer GetBarSize() override { return FBarSize; }
  void PaintBar(TCanvas* ACanvas, const TRect& R) override { FirePaintBar(ACanvas, R); }

  virtual void FirePaintBar(TCanvas* ACanvas, const TRect& R);
  virtual void FireCloseUp();
  virtual void FireDetaching();
  virtual void FirePopup();
  // Internal links report no changes to the designer.
  void SetInternalLinks(bool Value) { FItemLinks->SetInternal(Value); }

  void SetBarSize(Integer Value) { FBarSize = std::max(Value, 0); }
  bool GetDetachable() const { return FDetachable; }
  void SetDetachable(bool Value) { FDetachable = Value; }
  // The index of the toolbar the sub-menu becomes when detached; -1 for none.
  Integer GetDetachingBar() const;
  // Anything but an index of the manager's bars gives -1.
  void SetDetachingBar(Integer Value);
  TqzBar* GetDetachingBarObject() const noexcept { return FDetachingBar; }
  void BarNotification(Integer AKind, TqzBar* ABar) override;
  TqzBarPaintSubMenuBarEvent GetOnPaintBar() const { return FOnPaintBar; }
  void SetOnPaintBar(TqzBarPaintSubMenuBarEvent Value) { FOnPaintBar = Value; }
  TNotifyEvent GetOnDetaching() const { return FOnDetaching; }
  void SetOnDetaching(TNotifyEvent Value) { FOnDetaching = Value; }
  TNotifyEvent GetOnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TNotifyEvent Value) { FOnCloseUp = Value; }
  TNotifyEvent GetOnPopup() const { return FOnPopup; }
  void SetOnPopup(TNotifyEvent Value) { FOnPopup = Value; }
  void SetItemLinks(TqzBarItemLinks* Value) { FItemLinks->Assign(Value); }
  TqzBarItemOptions* GetItemOptions() const { return FItemLinks->GetItemOptions(); }
  void SetItemOptions(TqzBarItemOptions* Value) { FItemLinks->SetItemOptions(Value); }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  std::unique_ptr<TqzBarSubMenuControlItemLinks> FItemLinks;
  TqzBar* FDetachingBar = nullptr;
  Integer FBarSize = 0;
  bool FDetachable = false;
  TqzBarPaintSubMenuBarEvent FOnPaintBar;
  TNotifyEvent FOnDetaching;
  TNotifyEvent FOnCloseUp;
  TNotifyEvent FOnPopup;
};

class TqzBarSubItem : public TCustomqzBarSubItem {
  TAVREN_CLASS(TqzBarSubItem, TCustomqzBarSubItem)
 public:
  using TCustomqzBarSubItem::TCustomqzBarSubItem;
  bool SameKindAs(TqzBarItem* AItem) override { return dynamic_cast<TqzBarSubItem*>(AItem) != nullptr; }
  String DefaultCaption() const override;
  bool GetAllowCustomizing() const { return FAllowCustomizing; }
  void SetAllowCustomizing(bool Value) { FAllowCustomizing = Value; }

 private:
  bool FAllowCustomizing = true;
};

// An item whose links are expanded in place into the menu or toolbar that shows it.
class TCustomqzBarContainerItem : public TCustomqzBarSubItem {
  TAVREN_CLASS(TCustomqzBarContainerItem, TCustomqzBarSubItem)
 public:
  using TCustomqzBarSubItem::TCustomqzBarSubItem;
  ~TCustomqzBarContainerItem() override;
  bool CanProvideData() const override { return static_cast<bool>(FOnGetData); }

  // Inserts the generated links at Index of the target, standing for the container's link.
  virtual void ExpandLinksInto(TqzBarItemLinks* ATargetLinks, Integer AIndex, TqzBarItemLink* AContainerLink,
                               bool AFirstTime);
  // Takes out the links the expansion into these links inserted.
  virtual void CollapseLinksFrom(TqzBarItemLinks* ALinks, Integer AIndex);
  virtual void ClearItemList();
  // The container's own link leaves the collection while expanded.
  virtual bool ReplacesOwnLink() { return true; }
  virtual void ItemsChanged(TObject* Sender);
  void MarkGeneratedItemsStale() { FNeedClear = true; }
  TNotifyEvent GetOnGetData() const { return FOnGetData; }
  void SetOnGetData(TNotifyEvent Value) { FOnGetData = Value; }

 protected:
  // Remembers a link the expansion inserted, so that the collapse takes out exactly those.
  void RememberExpanded(TqzBarItemLinks* ALinks, TqzBarItemLink* ALink);

 private:
  struct TExpansion {
    TqzBarItemLinks* Links;
    std::vector<Integer> LinkIDs;
  };
  std::vector<TExpansion> FExpansions;
  bool FInGetData = false;
  bool FNeedClear = false;
  TNotifyEvent FOnGetData;
};

// Expands copies of its own links.
class TqzBarContainerItem : public TCustomqzBarContainerItem {
  TAVREN_CLASS(TqzBarContainerItem, TCustomqzBarContainerItem)
 public:
  explicit TqzBarContainerItem(TComponent* AOwner);
  bool CanProvideData() const override;
  bool SameKindAs(TqzBarItem* AItem) override { return dynamic_cast<TqzBarContainerItem*>(AItem) != nullptr; }
  void ExpandLinksInto(TqzBarItemLinks* ATargetLinks, Integer AIndex, TqzBarItemLink* AContainerLink,
                       bool AFirstTime) override;
  virtual bool HasVisibleLinks() const;
};

// Expands one generated button per string of Items ("-" separates groups).
class TqzBarListItem : public TCustomqzBarContainerItem {
  TAVREN_CLASS(TqzBarListItem, TCustomqzBarContainerItem)
 public:
  explicit TqzBarListItem(TComponent* AOwner);
  ~TqzBarListItem() override;
  bool CanProvideData() const override;
  void ExpandLinksInto(TqzBarItemLinks* ATargetLinks, Integer AIndex, TqzBarItemLink* AContainerLink,
                       bool AFirstTime) override;
  void ClearItemList() override;
  virtual String HintOf(const String&) { return String(); }
  virtual String DisplayTextOf(const String& AEntry) { return AEntry; }
  virtual String CaptionOf(Integer Index) { return DisplayTextOf(FItems->GetStrings(Index)); }
  Integer GeneratedCount() const { return static_cast<Integer>(FGenerated.size()); }
  TqzBarItem* GeneratedItem(Integer Index) const { return FGenerated[Index]; }

  Integer GetDataIndex() const;
  void SetDataIndex(Integer Value);
  Integer GetItemIndex() const { return FItemIndex; }
  void SetItemIndex(Integer Value) { FItemIndex = Value; }
  TStrings* GetItems() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  bool GetShowCheck() const { return FShowCheck; }
  void SetShowCheck(bool Value) { FShowCheck = Value; }
  bool GetShowNumbers() const { return FShowNumbers; }
  void SetShowNumbers(bool Value) { FShowNumbers = Value; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Keeps a generated item, told when its owner frees it first.
  void AddGenerated(TqzBarItem* AItem);
  // A generated entry's click: ItemIndex becomes its entry, then the item's click.
  virtual void EntryClick(TObject* Sender);

  // The generated buttons: owned by the manager's owner, freed by the list item.
  std::vector<TqzBarItem*> FGenerated;

 private:
  void GenerateButtons();
  void FreeGenerated();
  // The entries that are not "-", and the buttons made for them.
  Integer EntryCount() const;
  Integer GeneratedButtonCount() const;

  Integer FItemIndex = -1;
  std::unique_ptr<TqzBarStreamedStrings> FItems;
  bool FShowCheck = false;
  bool FShowNumbers = true;
};

// One entry of the application menu's extra pane: kept in the list item's Items.Objects.
class TqzBarExtraPaneItem : public TCollectionItem {
  TAVREN_CLASS(TqzBarExtraPaneItem, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  void Assign(TPersistent* Source) override;

  // The program's own value; never stored.
  intptr_t Data = 0;
  String GetDisplayText() const { return FDisplayText; }
  void SetDisplayText(const String& Value);
  Integer GetImageIndex() const noexcept { return FImageIndex; }
  void SetImageIndex(Integer Value) { FImageIndex = Value; }
  String GetText() const { return FText; }
  void SetText(const String& Value);

 private:
  String FDisplayText;
  Integer FImageIndex = -1;
  String FText;
};

using TqzBarExtraPaneDisplayTextEvent = TEvent<void(TObject* Sender, Integer Index, String& DisplayText)>;

// The list of the application menu's extra pane, headed by a label with the item's caption.
class TqzBarExtraPaneListItem : public TqzBarListItem {
  TAVREN_CLASS(TqzBarExtraPaneListItem, TqzBarListItem)
 public:
  using TqzBarListItem::TqzBarListItem;
  bool CanProvideData() const override;
  void ExpandLinksInto(TqzBarItemLinks* ATargetLinks, Integer AIndex, TqzBarItemLink* AContainerLink,
                       bool AFirstTime) override;
  String HintOf(const String& AEntry) override { return AEntry; }
  String CaptionOf(Integer Index) override;
  TqzBarExtraPaneDisplayTextEvent GetOnGetDisplayText() const { return FOnGetDisplayText; }
  void SetOnGetDisplayText(TqzBarExtraPaneDisplayTextEvent Value) { FOnGetDisplayText = Value; }

 private:
  TqzBarExtraPaneDisplayTextEvent FOnGetDisplayText;
};
