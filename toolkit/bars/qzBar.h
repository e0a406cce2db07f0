#pragma once
// The bar unit: the bar manager, its toolbars, items and their links, layout storage, hints and
// the routines every part of the bars shares.
//
// Sources: qzBarManager.cpp (the manager and the list of live managers), qzBarComponents.cpp
// (the base of items, groups and popup menus, and its list), qzBarLists.cpp (the bars' object and component lists), qzBarCanvas.cpp (the shared bar
// canvas and the system controller), qzBarRoutines.cpp (lookups between windows, controls and forms; keys, mouse, sounds
// and message pumping), qzBarDrawing.cpp (clip backups, fills, tiling, frames, drop arrows and
// fonts), qzBarUnit.cpp (the unit globals, start and end), qzBarToolbars.cpp (toolbars and their
// caption buttons), qzBarCategories.cpp (the manager's categories), qzBarMerge.cpp (merging
// toolbars), qzBarLayout.cpp (layout storage, the reset snapshot, form data and Loaded),
// qzBarOwnerEvents.cpp (the owner window's messages), qzBarManagerItems.cpp (the manager's item
// list); qzBarItems.h declares the items and their
// links, qzBarToolbars.h the toolbars and categories.

#include <functional>
#include <vector>

#include "gdi/Gdi.h"
#include "rtl/ComponentList.h"
#include "rtl/IniFiles.h"
#include "rtl/TypInfo.h"
#include "user/User.h"
#include "vcl/Controls.h"
#include "vcl/Forms.h"
#include "vcl/Graphics.h"
#include "vcl/ImgList.h"
#include "vcl/Menus.h"
#include "toolkit/foundation/kvControls.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/kvLookAndFeels.h"
#include "toolkit/foundation/qzOffice11.h"  // NearestScreenColor

// ---- Lists -----------------------------------------------------------------------------------

// An object list that never owns its objects.
class TqzObjectList : public TObjectList {
  TAVREN_CLASS(TqzObjectList, TObjectList)
 public:
  TqzObjectList() : TObjectList(false) {}
  // Appends an object not yet in the list; answers its index (-1 for nil).
  Integer AddUnique(TObject* AObject);
  // nullptr out of range.
  TObject* GetObject(Integer Index) const;
  TObject* GetLastObject() const { return GetObject(GetCount() - 1); }
  // Clears, takes the other list's capacity and copies its entries (each once).
  void Assign(TList* ASource);
};

// Action codes of a component list's change event.
constexpr Integer qzclaAdded = 0;
constexpr Integer qzclaChanged = 1;
constexpr Integer qzclaExtracted = 3;
constexpr Integer qzclaDeleted = 4;

class TqzComponentList;
using TqzComponentListChangeEvent = TEvent<void(TObject* Sender, TComponent* AComponent, Integer AAction)>;
using TqzComponentListNotifyEvent = TEvent<void(TObject* Sender, TObject* AObject, TListNotification AAction)>;

// A component list that does not own its components and tells of each change; objects of
// other classes than the accepted one are taken out again at once.
class TqzComponentList : public TComponentList {
  TAVREN_CLASS(TqzComponentList, TComponentList)
 public:
  TqzComponentList() : TComponentList(false) {}
  ~TqzComponentList() override;

  void BeginUpdate() { ++FUpdateCount; }
  // With ANotify the change event tells of a change of the whole list.
  void EndUpdate(bool ANotify = true);
  Integer GetUpdateCount() const noexcept { return FUpdateCount; }
  TqzComponentListChangeEvent GetOnComponentListChanged() const { return FOnComponentListChanged; }
  void SetOnComponentListChanged(TqzComponentListChangeEvent Value) { FOnComponentListChanged = Value; }
  TqzComponentListNotifyEvent GetOnNotify() const { return FOnNotify; }
  void SetOnNotify(TqzComponentListNotifyEvent Value) { FOnNotify = Value; }
  // Fires the change event unless the list is being updated.
  void DoComponentListChanged(TComponent* AComponent, Integer AAction);

 protected:
  void Notify(void* Ptr, TListNotification Action) override;
  virtual void NotifyAccepted(TObject* AObject, TListNotification AAction);
  virtual TClass AcceptedClass() const { return TComponent::ClassInfo(); }

 private:
  Integer FUpdateCount = 0;
  TqzComponentListChangeEvent FOnComponentListChanged;
  TqzComponentListNotifyEvent FOnNotify;
};

// ---- Enumerations of the bar unit -------------------------------------------------------------

enum TqzBarManagerStyle { bmsStandard, bmsEnhanced, bmsFlat, bmsXP, bmsOffice11, bmsUseLookAndFeel };
TAVREN_ENUM_INFO(TqzBarManagerStyle, bmsStandard, bmsEnhanced, bmsFlat, bmsXP, bmsOffice11, bmsUseLookAndFeel);
enum TqzBarDockingStyle { dsNone, dsLeft, dsTop, dsRight, dsBottom };
TAVREN_ENUM_INFO(TqzBarDockingStyle, dsNone, dsLeft, dsTop, dsRight, dsBottom);
using TqzBarDockingStyles = TSet<TqzBarDockingStyle, 5>;
enum TqzBarItemVisible { ivNever, ivInCustomizing, ivAlways };
TAVREN_ENUM_INFO(TqzBarItemVisible, ivNever, ivInCustomizing, ivAlways);
enum TqzBarMenuAnimations { maNone, maRandom, maUnfold, maSlide, maFade };
TAVREN_ENUM_INFO(TqzBarMenuAnimations, maNone, maRandom, maUnfold, maSlide, maFade);
enum TqzBarItemMergeKind { mkAdd, mkMergeByCaption, mkNone };
TAVREN_ENUM_INFO(TqzBarItemMergeKind, mkAdd, mkMergeByCaption, mkNone);

class TqzBarManager;
class TqzBarDragInfo;
class TqzBarPainter;
class TqzBar;
class TqzBars;
class TqzDockControl;
class TqzBarCustomPopupMenu;
class TqzBarPopupMenuLinks;
class TCustomqzBarControl;

// ---- Component base --------------------------------------------------------------------------

class TqzBarComponentList;

// The design-selection interface of the bar objects (components, bars and links).
class IqzBarSelectableItem : public virtual IInterface {
  TAVREN_INTERFACE(IqzBarSelectableItem)
 public:
  virtual bool CanBeDeleted(bool AWholeItem) = 0;
  virtual void DeleteIfAllowed(IqzBarSelectableItem*& ARef, bool AWholeItem) = 0;
  virtual void ApplyCustomizingAction(Integer ACode) = 0;
  virtual TqzBarManager* GetBarManager() = 0;
  virtual TObject* GetInstance() = 0;
  virtual void CollectOwner(TList* AList) = 0;
  virtual void GetNextSelectable(IqzBarSelectableItem*& ARef) = 0;
  virtual TPersistent* DesignOwner() = 0;
  virtual Integer SelectionStatus() = 0;
  virtual Integer EditOperations() = 0;
  virtual void RepaintSelection() = 0;
  virtual Integer IsShownInSeveralPlaces() = 0;
  virtual bool IsSelectedInDesigner() = 0;
  virtual void SelectInDesigner(Integer AMode) = 0;
  virtual bool SelectDesignParent() = 0;
  virtual void SelectionStateChanged() = 0;
};

// The design services a manager asks for selection and deletion: a form designer's, or the
// run-time selection of the customizing form. Without one the manager answers neutrally.
class IqzBarDesigner : public virtual IInterface {
  TAVREN_INTERFACE(IqzBarDesigner)
 public:
  virtual bool CanDeleteComponent(TComponent* AComponent) = 0;
  // Appends the selected objects.
  virtual void GetSelection(TList* AList) = 0;
  virtual bool QuerySelectionState(TPersistent* AObject) = 0;
  virtual bool HoldsSelectedComponent(TPersistent* AObject) = 0;
  virtual void SelectDesignComponent(TPersistent* AObject, Integer AOperation) = 0;
  virtual void SetSelection(TList* AList) = 0;
};

// The common base of items, item groups and popup menus.
class TqzBarComponent : public TComponent, public virtual IqzBarSelectableItem {
  TAVREN_CLASS(TqzBarComponent, TComponent)
 public:
  explicit TqzBarComponent(TComponent* AOwner) : TComponent(AOwner) {}
  ~TqzBarComponent() override;
  // Not reference counted: the owner frees the component.
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override;
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }

  // Every list holding the component tells of its change (of the whole list with AAllChanged).
  virtual void NotifyChanged(bool AAllChanged = false);
  virtual bool GetEnabled() = 0;
  virtual void SetEnabled(bool Value) = 0;
  virtual void SetVisible(TqzBarItemVisible Value) = 0;

  bool CanBeDeleted(bool AWholeItem) override;
  void DeleteIfAllowed(IqzBarSelectableItem*& ARef, bool AWholeItem) override;
  void ApplyCustomizingAction(Integer) override {}
  TqzBarManager* GetBarManager() override { return FBarManager; }
  // The same, for const callers.
  TqzBarManager* BarManager() const noexcept { return FBarManager; }
  TObject* GetInstance() override { return this; }
  void CollectOwner(TList* AList) override;
  void GetNextSelectable(IqzBarSelectableItem*& ARef) override { ARef = nullptr; }
  TPersistent* DesignOwner() override { return GetOwner(); }
  Integer SelectionStatus() override;
  Integer EditOperations() override { return 2; }
  void RepaintSelection() override {}
  Integer IsShownInSeveralPlaces() override { return 0; }
  bool IsSelectedInDesigner() override { return SelectionStatus() == 1; }
  void SelectInDesigner(Integer AMode) override;
  bool SelectDesignParent() override { return false; }
  void SelectionStateChanged() override {}

 protected:
  void SetBarManager(TqzBarManager* Value) { FBarManager = Value; }

 private:
  friend class TqzBarComponentList;
  friend class TqzBarManager;
  TqzBarManager* FBarManager = nullptr;
  // The component lists holding this component, kept in step by the lists.
  std::vector<TqzBarComponentList*> FChangeNotificationLists;
};

// A group switches the Enabled and Visible state of its items and nested groups at once.
class TqzBarGroup : public TqzBarComponent {
  TAVREN_CLASS(TqzBarGroup, TqzBarComponent)
 public:
  explicit TqzBarGroup(TComponent* AOwner);
  ~TqzBarGroup() override;

  bool GetEnabled() override { return FEnabled; }
  void SetEnabled(bool Value) override;
  TqzBarItemVisible GetVisible() const { return FVisible; }
  void SetVisible(TqzBarItemVisible Value) override;

  Integer Count() const;
  TqzBarComponent* ItemAt(Integer Index) const;
  String ItemName(Integer Index) const;
  // Raises for a group that is this one or holds it anywhere below.
  void Add(TqzBarComponent* AComponent);
  Integer IndexOf(TqzBarComponent* AComponent) const;
  void Remove(TqzBarComponent* AComponent);
  // True when the group is this one or one of the members, at any depth.
  bool Contains(TqzBarGroup* AGroup) const;
  Integer GetGroupIndex() const;
  void MoveToGroupIndex(Integer Value);

  void SetName(const String& NewName) override;
  TComponent* GetParentComponent() override;
  bool HasParent() override { return GetBarManager() != nullptr; }
  void SetParentComponent(TComponent* Value) override;

 protected:
  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;
  void ReadState(TReader* Reader) override;

 private:
  // Inside one manager update; not while loading or being destroyed.
  void ApplyToMembers(const std::function<void(TqzBarComponent*)>& AApply);
  void ReadItems(TReader* Reader);
  void WriteItems(TWriter* Writer);
  // Unless an ancestor group has the same members in the same order.
  bool ItemsStored(TqzBarGroup* AAncestor);
  void ResolveNames(const std::vector<String>& ANames);

  bool FEnabled = true;
  TqzBarItemVisible FVisible = ivAlways;
  std::unique_ptr<TqzBarComponentList> FItems;
  // Member names read while loading, resolved in Loaded.
  std::unique_ptr<std::vector<String>> FLoadedNames;
};

// A component list of bar components that keeps their change-notification lists in step.
class TqzBarComponentList : public TqzComponentList {
  TAVREN_CLASS(TqzBarComponentList, TqzComponentList)
 public:
  ~TqzBarComponentList() override;
  TqzBarComponent* GetComponent(Integer Index) const { return static_cast<TqzBarComponent*>(GetItems(Index)); }

 protected:
  void NotifyAccepted(TObject* AObject, TListNotification AAction) override;
  TClass AcceptedClass() const override { return TqzBarComponent::ClassInfo(); }

 private:
  friend class TqzBarComponent;
};

// The base of the manager's persistent sub-objects: streaming sees them as parts of the manager.
class TqzBarPersistent : public TPersistent {
  TAVREN_CLASS(TqzBarPersistent, TPersistent)
 public:
  explicit TqzBarPersistent(TqzBarManager* ABarManager) : FBarManager(ABarManager) {}
  TqzBarManager* GetBarManager() const noexcept { return FBarManager; }
  TPersistent* GetOwner() override;

 private:
  TqzBarManager* FBarManager;
};

// ---- Backgrounds ---------------------------------------------------------------------------

// The manager's background pictures: Bar tiles under dock sites and toolbars that have none of
// their own, SubMenu under menu windows whose popup menu has none.
class TqzBarBackgrounds : public TqzBarPersistent {
  TAVREN_CLASS(TqzBarBackgrounds, TqzBarPersistent)
 public:
  explicit TqzBarBackgrounds(TqzBarManager* ABarManager);
  ~TqzBarBackgrounds() override;
  void Assign(TPersistent* Source) override;

  TBitmap* GetBar() const noexcept { return FBar.get(); }
  // A change (a picture given, or an existing one taken away) restyles the manager.
  void SetBar(TBitmap* Value);
  TBitmap* GetSubMenu() const noexcept { return FSubMenu.get(); }
  // Read as menus open: nothing is told.
  void SetSubMenu(TBitmap* Value) { FSubMenu->Assign(Value); }

 private:
  void BackgroundsChanged(TObject* Sender = nullptr);

  std::unique_ptr<TBitmap> FBar;
  std::unique_ptr<TBitmap> FSubMenu;
};

// ---- Image options and item registry -------------------------------------------------------

// The image settings of a bar manager: the lists the items draw their glyphs from, large icons
// and glyph flags.
class TqzBarImageOptions : public TqzBarPersistent {
  TAVREN_CLASS(TqzBarImageOptions, TqzBarPersistent)
 public:
  explicit TqzBarImageOptions(TqzBarManager* ABarManager);
  ~TqzBarImageOptions() override;
  void Assign(TPersistent* Source) override;

  Integer GetGlyphSize() const noexcept { return FGlyphSize; }
  void UpdateGlyphSize();
  // True while one of the five lists is being read.
  bool IsLoading() const;
  bool UsesLargeImages() const { return FUseLargeImagesForLargeIcons && FLargeImages; }

  bool GetCacheGlyphs() const { return FCacheGlyphs; }
  void SetCacheGlyphs(bool Value) { FCacheGlyphs = Value; }
  TCustomImageList* GetDisabledImages() const { return FDisabledImages; }
  void SetDisabledImages(TCustomImageList* Value);
  TCustomImageList* GetDisabledLargeImages() const { return FDisabledLargeImages; }
  void SetDisabledLargeImages(TCustomImageList* Value);
  TCustomImageList* GetHotImages() const { return FHotImages; }
  void SetHotImages(TCustomImageList* Value);
  TColor GetImageListBkColor() const { return FImageListBkColor; }
  void SetImageListBkColor(TColor Value);
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* GetLargeImages() const { return FLargeImages; }
  void SetLargeImages(TCustomImageList* Value);
  bool GetLargeIcons() const { return FLargeIcons; }
  void SetLargeIcons(bool Value);
  bool GetMakeDisabledImagesFaded() const { return FMakeDisabledImagesFaded; }
  void SetMakeDisabledImagesFaded(bool Value);
  bool GetSmoothGlyphs() const { return FSmoothGlyphs; }
  void SetSmoothGlyphs(bool Value) { FSmoothGlyphs = Value; }
  bool GetStretchGlyphs() const { return FStretchGlyphs; }
  void SetStretchGlyphs(bool Value) { FStretchGlyphs = Value; }
  bool GetUseLargeImagesForLargeIcons() const { return FUseLargeImagesForLargeIcons; }
  void SetUseLargeImagesForLargeIcons(bool Value);
  bool GetUseLeftBottomPixelAsTransparent() const { return FUseLeftBottomPixelAsTransparent; }
  void SetUseLeftBottomPixelAsTransparent(bool Value);

  // One change link per list: the manager learns through them that a list's contents changed.
  TChangeLink* DisabledImagesChangeLink() const { return FChangeLinks[0].get(); }
  TChangeLink* DisabledLargeImagesChangeLink() const { return FChangeLinks[1].get(); }
  TChangeLink* HotImagesChangeLink() const { return FChangeLinks[2].get(); }
  TChangeLink* ImagesChangeLink() const { return FChangeLinks[3].get(); }
  TChangeLink* LargeImagesChangeLink() const { return FChangeLinks[4].get(); }
  // Set by the manager: a general change and a change of the large-icon setting.
  void SetOnChanged(TNotifyEvent Value) { FOnChanged = Value; }
  void SetOnLargeIconsChanged(TNotifyEvent Value) { FOnLargeIconsChanged = Value; }

 private:
  void Changed() { FOnChanged(this); }
  void LargeIconsChanged() { FOnLargeIconsChanged(this); }
  void ImageListFreed(TComponent* AComponent);

  std::unique_ptr<TkvFreeNotificator> FFreeNotificator;
  std::unique_ptr<TChangeLink> FChangeLinks[5];
  bool FCacheGlyphs = true;
  TCustomImageList* FDisabledImages = nullptr;
  TCustomImageList* FDisabledLargeImages = nullptr;
  TCustomImageList* FHotImages = nullptr;
  TColor FImageListBkColor = clFuchsia;
  TCustomImageList* FImages = nullptr;
  TCustomImageList* FLargeImages = nullptr;
  bool FLargeIcons = false;
  bool FMakeDisabledImagesFaded = false;
  bool FSmoothGlyphs = false;
  bool FStretchGlyphs = true;
  bool FUseLargeImagesForLargeIcons = false;
  bool FUseLeftBottomPixelAsTransparent = true;
  Integer FGlyphSize = 16;
  TNotifyEvent FOnChanged;
  TNotifyEvent FOnLargeIconsChanged;
};

// One entry of the item-class registry: which control class shows an item class, and whether
// the designer offers the item class.
class TRegItemRecord : public TObject {
  TAVREN_CLASS(TRegItemRecord, TObject)
 public:
  TRegItemRecord(TPersistentClass AItemClass, TClass AControlClass, bool AListed)
      : ItemClass(AItemClass), ControlClass(AControlClass), Listed(AListed) {}
  TPersistentClass ItemClass;
  TClass ControlClass;
  bool Listed;
};

class TqzBarItemList : public TList {
  TAVREN_CLASS(TqzBarItemList, TList)
 public:
  // Unregisters every class, last to first.
  ~TqzBarItemList() override;
  TRegItemRecord* GetRecord(Integer Index) const { return static_cast<TRegItemRecord*>(GetItems(Index)); }
  TPersistentClass GetItemClass(Integer Index) const { return GetRecord(Index)->ItemClass; }
  // The control class of the first record of exactly that item class; nullptr when none.
  TClass ControlClassOf(TClass AItemClass) const;
  Integer ListedItemClassCount() const;
  TPersistentClass ListedItemClassAt(Integer AIndex) const;
};

TqzBarItemList* ItemClassListInstance();
// Registers the item class for streaming too; a class registered twice has two records.
void RegisterBarItemClass(TPersistentClass AItemClass, TClass AControlClass, bool AListed);
// Removes the first record of the class.
void UnregisterBarItemClass(TPersistentClass AItemClass);

// Screen cursors of the bars.
constexpr TCursor crqzBarDrag = 1041;
constexpr TCursor crqzBarDragCopy = 1042;
constexpr TCursor crqzBarDragNoDrop = 1043;
constexpr TCursor crqzBarEditSizing = 1044;

// ---- Screen tips -----------------------------------------------------------------------------

enum TqzBarScreenTipBandType { stbHeader, stbDescription, stbFooter };
TAVREN_ENUM_INFO(TqzBarScreenTipBandType, stbHeader, stbDescription, stbFooter);
// stbtaRight puts the text right of the glyph, stbtaLeft left of it.
enum TqzBarScreenTipBandTextAlign { stbtaLeft, stbtaRight };
TAVREN_ENUM_INFO(TqzBarScreenTipBandTextAlign, stbtaLeft, stbtaRight);
using TqzScreenTipRepositoryFonts = TSet<TqzBarScreenTipBandType, 3>;

class TqzBarScreenTip;
class TqzBarScreenTipRepository;

// One band of a screen tip: a bold header, a description with a picture, or a footer.
class TqzBarCustomScreenTipBand : public TPersistent {
  TAVREN_CLASS(TqzBarCustomScreenTipBand, TPersistent)
 public:
  explicit TqzBarCustomScreenTipBand(TqzBarScreenTipBandType ABandType);
  ~TqzBarCustomScreenTipBand() override;
  void Assign(TPersistent* Source) override;
  virtual TFont* GetFont() = 0;

  TqzBarScreenTipBandType GetBandType() const noexcept { return FBandType; }
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  String GetText() const { return FText; }
  void SetText(const String& Value);
  TqzBarScreenTipBandTextAlign GetTextAlign() const { return FTextAlign; }
  void SetTextAlign(TqzBarScreenTipBandTextAlign Value);
  // Shown when it has text or a glyph.
  bool HasContent() const { return !FText.empty() || !FGlyph->GetEmpty(); }
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

 protected:
  virtual void Changed() { FOnChange(this); }

 private:
  void GlyphChanged(TObject*) { Changed(); }

  TqzBarScreenTipBandType FBandType;
  std::unique_ptr<TBitmap> FGlyph;
  String FText;
  TqzBarScreenTipBandTextAlign FTextAlign = stbtaRight;
  TNotifyEvent FOnChange;
};

class TqzBarScreenTipBand : public TqzBarCustomScreenTipBand {
  TAVREN_CLASS(TqzBarScreenTipBand, TqzBarCustomScreenTipBand)
 public:
  TqzBarScreenTipBand(TqzBarScreenTip* AScreenTip, TqzBarScreenTipBandType ABandType)
      : TqzBarCustomScreenTipBand(ABandType), FScreenTip(AScreenTip) {}
  TFont* GetFont() override;

 private:
  TqzBarScreenTip* FScreenTip;
};

class TqzBarScreenTipFooterBand : public TqzBarCustomScreenTipBand {
  TAVREN_CLASS(TqzBarScreenTipFooterBand, TqzBarCustomScreenTipBand)
 public:
  explicit TqzBarScreenTipFooterBand(TqzBarScreenTipRepository* ARepository)
      : TqzBarCustomScreenTipBand(stbFooter), FRepository(ARepository) {}
  TFont* GetFont() override;

 private:
  TqzBarScreenTipRepository* FRepository;
};

class TqzBarScreenTip : public TkvComponentCollectionItem {
  TAVREN_CLASS(TqzBarScreenTip, TkvComponentCollectionItem)
 public:
  explicit TqzBarScreenTip(TComponent* AOwner);
  ~TqzBarScreenTip() override;
  void Assign(TPersistent* Source) override;
  void SetName(const String& NewName) override;
  String GetDisplayName() override;
  // A tip always streams inside its repository, also while being read before it has joined it.
  bool HasParent() override { return true; }

  TqzBarScreenTipRepository* GetRepository() const;
  TqzBarScreenTipBand* GetBand(Integer Index) const { return FBands[Index].get(); }
  // The band shown at a position: the repository's standard footer when UseStandardFooter is on.
  TqzBarCustomScreenTipBand* BandInUse(Integer Index) const;
  TqzBarScreenTipBand* GetHeader() const { return GetBand(0); }
  void SetHeader(TqzBarScreenTipBand* Value) { FBands[0]->Assign(Value); }
  TqzBarScreenTipBand* GetDescription() const { return GetBand(1); }
  void SetDescription(TqzBarScreenTipBand* Value) { FBands[1]->Assign(Value); }
  TqzBarScreenTipBand* GetFooter() const { return GetBand(2); }
  void SetFooter(TqzBarScreenTipBand* Value) { FBands[2]->Assign(Value); }
  bool GetUseHintAsHeader() const { return FUseHintAsHeader; }
  void SetUseHintAsHeader(bool Value) { FUseHintAsHeader = Value; }
  bool GetUseStandardFooter() const { return FUseStandardFooter; }
  void SetUseStandardFooter(bool Value) { FUseStandardFooter = Value; }
  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer Value) { FWidth = Value; }
  // Width, or when 0 the automatic width (wider with a description picture) for the screen.
  Integer GetEffectiveWidth() const;

 protected:
  TkvComponentCollection* GetCollectionFromParent(TComponent* AParentComponent) override;

 private:
  std::unique_ptr<TqzBarScreenTipBand> FBands[3];
  bool FUseHintAsHeader = false;
  bool FUseStandardFooter = false;
  Integer FWidth = 0;
};

class TqzBarScreenTipCollection : public TkvComponentCollection {
  TAVREN_CLASS(TqzBarScreenTipCollection, TkvComponentCollection)
 public:
  TqzBarScreenTipCollection(TqzBarScreenTipRepository* ARepository, TkvComponentCollectionItemClass AItemClass);
  TqzBarScreenTip* GetItem(Integer Index) const { return static_cast<TqzBarScreenTip*>(ItemAt(Index)); }
  TqzBarScreenTip* Add() { return static_cast<TqzBarScreenTip*>(AppendItem()); }

 protected:
  void SetItemName(TkvComponentCollectionItem* AItem) override;
};

// The grey of screen-tip texts; the ribbon's key tips, which share the tips' background, use it too.
inline constexpr TColor ScreenTipTextColour = static_cast<TColor>(0x004C4C4C);

// Keeps screen tips, the fonts of their three bands and a standard footer.
class TqzBarScreenTipRepository : public TComponent {
  TAVREN_CLASS(TqzBarScreenTipRepository, TComponent)
 public:
  explicit TqzBarScreenTipRepository(TComponent* AOwner);
  ~TqzBarScreenTipRepository() override;
  void Assign(TPersistent* Source) override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

  // Never nullptr: an unassigned band font comes from the working font, made from the hint font.
  TFont* GetFont(TqzBarScreenTipBandType ABandType);

  TqzScreenTipRepositoryFonts GetAssignedFonts() const { return FAssignedFonts; }
  void SetAssignedFonts(TqzScreenTipRepositoryFonts Value) { FAssignedFonts = Value; }
  TqzBarScreenTipCollection* GetItems() const { return FItems.get(); }
  void SetItems(TqzBarScreenTipCollection* Value) { FItems->Assign(Value); }
  TFont* GetHeaderFont() const { return FFonts[stbHeader].get(); }
  void SetHeaderFont(TFont* Value) { FFonts[stbHeader]->Assign(Value); }
  TFont* GetDescriptionFont() const { return FFonts[stbDescription].get(); }
  void SetDescriptionFont(TFont* Value) { FFonts[stbDescription]->Assign(Value); }
  TFont* GetFooterFont() const { return FFonts[stbFooter].get(); }
  void SetFooterFont(TFont* Value) { FFonts[stbFooter]->Assign(Value); }
  bool IsHeaderFontStored() const { return FAssignedFonts.Contains(stbHeader); }
  bool IsDescriptionFontStored() const { return FAssignedFonts.Contains(stbDescription); }
  bool IsFooterFontStored() const { return FAssignedFonts.Contains(stbFooter); }
  TqzBarScreenTipFooterBand* GetStandardFooter() const { return FStandardFooter.get(); }
  void SetStandardFooter(TqzBarScreenTipFooterBand* Value) { FStandardFooter->Assign(Value); }
  bool GetShowDescription() const { return FShowDescription; }
  void SetShowDescription(bool Value) { FShowDescription = Value; }

 protected:
  virtual TqzBarScreenTipCollection* CreateItems();

 private:
  void FontChanged(TObject* Sender);
  // The hint font in the screen tips' grey, bold for the header and the footer.
  static void SetDefaultFont(TFont* AFont, TqzBarScreenTipBandType ABandType);

  TqzScreenTipRepositoryFonts FAssignedFonts;
  std::unique_ptr<TqzBarScreenTipCollection> FItems;
  std::unique_ptr<TFont> FFonts[3];
  std::unique_ptr<TFont> FWorkingFont;
  std::unique_ptr<TqzBarScreenTipFooterBand> FStandardFooter;
  bool FShowDescription = true;
};

// ---- Hints -----------------------------------------------------------------------------------

class TqzBarHintWindow;

// Lays the content of a hint out and paints it.
class TqzBarCustomHintViewInfo : public TObject {
  TAVREN_CLASS(TqzBarCustomHintViewInfo, TObject)
 public:
  explicit TqzBarCustomHintViewInfo(TqzBarManager* AManager) : FManager(AManager) {}
  virtual void Calculate(TCanvas* ACanvas) = 0;
  virtual bool IsScreenTip() { return false; }
  virtual void Paint(TCanvas* ACanvas) = 0;
  // The window takes the view info's mode and gets its handle.
  virtual void InitWindow(TqzBarHintWindow* AWindow);
  const TRect& GetBounds() const noexcept { return FBounds; }

 protected:
  TqzBarManager* FManager;
  TRect FBounds;
};

// A plain one-line hint with the item's shortcut.
class TqzBarHintViewInfo : public TqzBarCustomHintViewInfo {
  TAVREN_CLASS(TqzBarHintViewInfo, TqzBarCustomHintViewInfo)
 public:
  TqzBarHintViewInfo(TqzBarManager* AManager, const String& AHint, const String& AShortCut, const TPoint& APos);
  void Calculate(TCanvas* ACanvas) override;
  void Paint(TCanvas* ACanvas) override;
  void InitWindow(TqzBarHintWindow* AWindow) override;
  const String& GetText() const noexcept { return FText; }

 protected:
  virtual void AdjustSize(TSize& ASize);
  virtual void GetTextRect(TRect& ARect);
  virtual void DrawText(TCanvas* ACanvas);
  virtual void ApplyFont(TqzBarHintWindow* AWindow);

 private:
  String FText;
  TPoint FPos;
};

// A screen tip shown like a plain hint (its header or the hint as the only text), on the
// painter's screen-tip background.
class TqzBarLikeHintScreenTipViewInfo : public TqzBarHintViewInfo {
  TAVREN_CLASS(TqzBarLikeHintScreenTipViewInfo, TqzBarHintViewInfo)
 public:
  TqzBarLikeHintScreenTipViewInfo(TqzBarManager* AManager, const String& AHint, const String& AShortCut,
                                  const TPoint& APos, TqzBarPainter* APainter)
      : TqzBarHintViewInfo(AManager, AHint, AShortCut, APos), FPainter(APainter) {}
  bool IsScreenTip() override { return true; }
  void Paint(TCanvas* ACanvas) override;

 protected:
  void AdjustSize(TSize& ASize) override;
  void GetTextRect(TRect& ARect) override;

 private:
  TqzBarPainter* FPainter;
};

// The layout of one band of a shown screen tip: picture column, text and their rectangles.
class TqzBarScreenTipBandViewInfo : public TObject {
  TAVREN_CLASS(TqzBarScreenTipBandViewInfo, TObject)
 public:
  TqzBarScreenTipBandViewInfo(TqzBarCustomScreenTipBand* ABand, const String& AHint, const String& AShortCut);
  // The band's height for the tip's width; 0 for a band with neither text nor picture.
  Integer Measure(TCanvas* ACanvas, Integer AWidth, TqzBarPainter* APainter);
  void Arrange(Integer AWidth, Integer ATop, TqzBarPainter* APainter, Integer ABandHeight);
  void Paint(TCanvas* ACanvas, TqzBarPainter* APainter);
  const TRect& GetGlyphBounds() const noexcept { return FGlyphBounds; }
  const TRect& GetTextBounds() const noexcept { return FTextBounds; }
  const String& GetText() const noexcept { return FText; }

 private:
  Integer ColumnWidth() const;
  Integer Indent() const;
  Integer VerticalMargin(TqzBarPainter* APainter) const;
  bool HasGlyph() const { return !FBand->GetGlyph()->GetEmpty(); }

  TqzBarCustomScreenTipBand* FBand;
  String FText;
  Integer FTop = 0;
  Integer FWidth = 0;
  TSize FGlyphSize{};
  TSize FTextSize{};
  TRect FGlyphBounds;
  TRect FTextBounds;
};

// A screen tip laid out band under band: header, description with its picture, footer.
class TqzBarScreenTipViewInfo : public TqzBarCustomHintViewInfo {
  TAVREN_CLASS(TqzBarScreenTipViewInfo, TqzBarCustomHintViewInfo)
 public:
  TqzBarScreenTipViewInfo(TqzBarManager* AManager, TqzBarScreenTip* AScreenTip, TqzBarPainter* APainter,
                          const String& AHint, const String& AShortCut);
  ~TqzBarScreenTipViewInfo() override;
  void Calculate(TCanvas* ACanvas) override;
  bool IsScreenTip() override { return true; }
  void Paint(TCanvas* ACanvas) override;
  Integer GetBandCount() const { return static_cast<Integer>(FBands.size()); }
  TqzBarScreenTipBandViewInfo* GetBandViewInfo(Integer Index) const { return FBands[Index].get(); }

 protected:
  virtual TqzBarScreenTipBandViewInfo* CreateBandViewInfo(TqzBarCustomScreenTipBand* ABand);

 private:
  TqzBarScreenTip* FScreenTip;
  TqzBarPainter* FPainter;
  String FHint;
  String FShortCut;
  std::vector<std::unique_ptr<TqzBarScreenTipBandViewInfo>> FBands;
};

// The view info of a bar hint: a full screen tip when one is given and its repository shows
// descriptions, else a hint-like tip at the cursor (with the screen tip's header as its text when
// the tip has one of its own).
TqzBarCustomHintViewInfo* CreateHintViewInfo(TqzBarManager* AManager, const String& AHint, const String& AShortCut,
                                             TqzBarPainter* APainter, TqzBarScreenTip* AScreenTip);


// The one window through which every manager shows a plain hint or a screen tip.
class TqzBarHintWindow : public TkvBaseHintWindow {
  TAVREN_CLASS(TqzBarHintWindow, TkvBaseHintWindow)
  TAVREN_MESSAGES()
 public:
  explicit TqzBarHintWindow(TComponent* AOwner);
  ~TqzBarHintWindow() override;

  // Milliseconds before a hint shows and while it stays, after the mode of the last hint.
  Integer GetShowDelay() const { return FScreenTipMode ? 900 : 1000; }
  Integer GetHideDelay() const { return FScreenTipMode ? 200000 : 10000; }
  bool GetScreenTipMode() const noexcept { return FScreenTipMode; }
  void SetScreenTipMode(bool Value);
  // False when there is nothing to show; the window then stays hidden.
  bool ShowHint(TqzBarManager* AManager, const String& AHint, const String& AShortCut);
  TqzBarCustomHintViewInfo* GetViewInfo() const noexcept { return FViewInfo.get(); }

 protected:
  void Paint() override;
  virtual void RecreateForMode();

 private:
  void WMShowWindow(TMessage& Message);
  void WMSize(TMessage& Message);
  // The window canvas with the window's font selected.
  TCanvas* PreparedCanvas();
  void FitClientToViewInfo();

  std::unique_ptr<TqzBarCustomHintViewInfo> FViewInfo;
  bool FScreenTipMode = false;
  TSize FRegionSize{};
};

// The hint window of all managers: made with the first manager, freed with the last.
TqzBarHintWindow* BarHintWindow();
void CreateBarHintWindow();
void FreeBarHintWindow();
// Stops the hint timers of a manager that goes and hides its hint.
void ForgetManagerHints(TqzBarManager* AManager);

// ---- Bar manager -----------------------------------------------------------------------------

// The live bar managers in registration order; it does not own them.
class TqzBarManagerList : public TqzObjectList {
  TAVREN_CLASS(TqzBarManagerList, TqzObjectList)
 public:
  TqzBarManager* GetManager(Integer Index) const;
};
TqzBarManagerList* BarManagerList();

// A stored layout that cannot be read as it stands, or a registry path that cannot hold one.
class EqzBarLayoutError : public Exception {
 public:
  using Exception::Exception;
};

using TqzBarManagerBarEvent = TEvent<void(TqzBarManager* Sender, TqzBar* ABar)>;
using TqzBarManagerMergeEvent = TEvent<void(TqzBarManager* Sender, TqzBarManager* ChildBarManager, bool AddItems)>;

// What the layout handlers hear at the end of every layout load and save.
struct TqzBarIniFileEventData {
  TCustomIniFile* IniFile;
  bool Registry;
  String BaseSection;
  String Separator;
};

class TqzBarManagerCategories;
class TqzBarItem;
class TqzBarItemLink;
class TqzBarItemControl;
class TqzBarItemLinks;
using TqzBarItemLinkEvent = TEvent<void(TqzBarManager* Sender, TqzBarItemLink* AItemLink)>;
using TqzBarMergeItemLinkEvent =
    TEvent<void(TqzBarManager* Sender, TqzBarItemLinks* ADstItemLinks, TqzBarItemLinks* ASrcItemLinks,
                TqzBarItemLink* ASrcItemLink, TqzBarItemMergeKind& AMergeKind, Integer& AMergeIndex)>;
using TqzBarClickItemEvent = TEvent<void(TqzBarManager* Sender, TqzBarItem* ClickedItem)>;
// The program may change the links of a menu the bars build themselves before it shows.
using TqzBarPopupItemLinksEvent = TEvent<void(TObject* Sender, TqzBarItemLinks* APopupItemLinks)>;

// The component that owns the bar system of one window control: at most one per control.
class TqzBarManager : public TComponent {
  TAVREN_CLASS(TqzBarManager, TComponent)
 public:
  explicit TqzBarManager(TComponent* AOwner);
  ~TqzBarManager() override;

  // Nestable; only the outermost pair counts.
  void BeginUpdate();
  void EndUpdate(bool ARecalcMarkedBars = true);
  bool IsUpdateLocked() const noexcept { return FLockUpdate > 0; }
  Integer GetLockUpdate() const noexcept { return FLockUpdate; }
  // While the form is read, and while Loaded sets the categories' visibility at its end (not
  // while it applies the bars' and links' loaded values).
  bool IsLoading() const { return GetComponentState().Contains(csLoading) || FAfterLoading; }
  // Loaded applies the bars' loaded dock and visibility values.
  bool IsSettingUpLoadedBars() const noexcept { return FBarsLoading; }
  bool IsDesigning() const { return GetComponentState().Contains(csDesigning); }
  bool IsDestroying() const { return GetComponentState().Contains(csDestroying); }
  TWinControl* GetOwnerControl();
  // The manager of the nearest control around the Owner's window; nullptr without a window.
  TqzBarManager* GetParentWindowManager();

  TqzBarBackgrounds* GetBackgrounds() const { return FBackgrounds.get(); }
  void SetBackgrounds(TqzBarBackgrounds* Value) { FBackgrounds->Assign(Value); }
  // Bar windows and dock sites draw anew in the manager's look.
  void StyleChanged();
  // The links that give controls of the form a popup menu of this manager as context menu.
  TqzBarPopupMenuLinks* GetPopupMenuLinks() const { return FPopupMenuLinks.get(); }
  void SetPopupMenuLinks(TqzBarPopupMenuLinks* Value);
  // The popup menus this manager serves, in the order they came; the manager frees those left.
  Integer GetPopupMenuCount() const { return static_cast<Integer>(FPopupMenus.size()); }
  TqzBarCustomPopupMenu* GetPopupMenu(Integer Index) const { return FPopupMenus[Index]; }
  void AddPopupMenu(TqzBarCustomPopupMenu* AMenu);
  void RemovePopupMenu(TqzBarCustomPopupMenu* AMenu);
  // The dock sites a form designer placed for this manager (its own side sites are its bars').
  const std::vector<TqzDockControl*>& GetPublishedDockSites() const noexcept { return FPublishedDockSites; }
  void AddPublishedDockSite(TqzDockControl* ASite);
  void RemovePublishedDockSite(TqzDockControl* ASite);
  // Every dock site takes the manager's dock colour again.
  void UpdateDockColors();

  TqzBarImageOptions* GetImageOptions() const { return FImageOptions.get(); }
  void SetImageOptions(TqzBarImageOptions* Value) { FImageOptions->Assign(Value); }
  Integer GetGlyphSize() const { return FImageOptions->GetGlyphSize(); }
  // Forwarders to the image options, not stored themselves.
  TCustomImageList* GetImages() const { return FImageOptions->GetImages(); }
  void SetImages(TCustomImageList* Value) { FImageOptions->SetImages(Value); }
  TCustomImageList* GetLargeImages() const { return FImageOptions->GetLargeImages(); }
  void SetLargeImages(TCustomImageList* Value) { FImageOptions->SetLargeImages(Value); }
  TCustomImageList* GetHotImages() const { return FImageOptions->GetHotImages(); }
  void SetHotImages(TCustomImageList* Value) { FImageOptions->SetHotImages(Value); }
  TCustomImageList* GetDisabledImages() const { return FImageOptions->GetDisabledImages(); }
  void SetDisabledImages(TCustomImageList* Value) { FImageOptions->SetDisabledImages(Value); }
  TCustomImageList* GetDisabledLargeImages() const { return FImageOptions->GetDisabledLargeImages(); }
  void SetDisabledLargeImages(TCustomImageList* Value) { FImageOptions->SetDisabledLargeImages(Value); }
  TColor GetImageListBkColor() const { return FImageOptions->GetImageListBkColor(); }
  void SetImageListBkColor(TColor Value) { FImageOptions->SetImageListBkColor(Value); }
  bool GetLargeIcons() const { return FImageOptions->GetLargeIcons(); }
  void SetLargeIcons(bool Value) { FImageOptions->SetLargeIcons(Value); }
  bool GetMakeDisabledImagesFaded() const { return FImageOptions->GetMakeDisabledImagesFaded(); }
  void SetMakeDisabledImagesFaded(bool Value) { FImageOptions->SetMakeDisabledImagesFaded(Value); }
  bool GetStretchGlyphs() const { return FImageOptions->GetStretchGlyphs(); }
  void SetStretchGlyphs(bool Value) { FImageOptions->SetStretchGlyphs(Value); }
  bool GetUseLargeImagesForLargeIcons() const { return FImageOptions->GetUseLargeImagesForLargeIcons(); }
  void SetUseLargeImagesForLargeIcons(bool Value) { FImageOptions->SetUseLargeImagesForLargeIcons(Value); }

  // Colours of the flat and themed styles, remade when the system colours change.
  void RefreshColors();
  TColor GetFlatLightColor() const { return FFlatColors[fcHot]; }
  HBRUSH FlatBorderBrush() const { return FFlatBrushes[fcBorder]; }
  HBRUSH FlatFaceBrush() const { return FFlatBrushes[fcFace]; }
  HBRUSH FlatPressedBrush() const { return FFlatBrushes[fcPressed]; }
  HBRUSH FlatPressedHotBrush() const { return FFlatBrushes[fcPressedHot]; }
  HBRUSH FlatHotBrush() const { return FFlatBrushes[fcHot]; }
  // Only while themes are available.
  HBRUSH ThemedToolbarBrush() const { return FThemedToolbarBrush; }
  bool GetAutoDockColor() const { return FAutoDockColor; }
  void SetAutoDockColor(bool Value);
  // The Owner's colour while AutoDockColor is on.
  TColor GetDockColor();
  void SetDockColor(TColor Value);
  bool IsDockColorStored() const { return !FAutoDockColor; }

  // Fonts: the manager font, and the edit and bar-caption fonts derived from it.
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TFont* GetEditFont() const { return FEditFont.get(); }
  TFont* GetCaptionFont() const { return FCaptionFont.get(); }
  bool GetScaled() const { return FScaled; }
  void SetScaled(bool Value);
  bool GetUseSystemFont() const { return FUseSystemFont; }
  void SetUseSystemFont(bool Value);
  // Runs when the system's non-client metrics change.
  void SystemFontChanged();
  // Who wants to hear of the manager's layout files, its MDI state and system font changes.
  TkvEventHandlerCollection* IniFileReadHandlers() const { return FHandlers[0].get(); }
  TkvEventHandlerCollection* IniFileWriteHandlers() const { return FHandlers[1].get(); }
  TkvEventHandlerCollection* MDIStateChangedHandlers() const { return FHandlers[2].get(); }
  TkvEventHandlerCollection* SystemFontChangedHandlers() const { return FHandlers[3].get(); }

  // Items: owned by the manager's Owner (or the manager), registered here by their constructors.
  Integer GetItemCount() const { return FItems->GetCount(); }
  // The commands as a list whose changes can be watched (the customizing form chains its handler).
  TqzBarComponentList* GetItemList() const noexcept { return FItems.get(); }
  // nullptr out of range.
  TqzBarItem* GetItem(Integer Index) const;
  // Case-insensitive.
  TqzBarItem* FindItemByName(const String& AName) const;
  Integer IndexOfItem(TqzBarItem* AItem) const;
  void RegisterItem(TqzBarItem* AItem);
  void UnregisterItem(TqzBarItem* AItem);
  // A new item of the class, owned by the manager, in the "Default" category (0 without it).
  TqzBarItem* AddItem(TClassOf<TqzBarItem> AItemClass);
  // Moves in the item list and marks the manager modified.
  void MoveItem(Integer AFromIndex, Integer AToIndex);
  // Fires OnClickItem.
  virtual void FireClickItem(TqzBarItem* AItem);
  // Runs the item of the shortcut: the main-menu bar's links are asked first, then the other
  // visible bars'.
  bool IsShortCut(TShortCut AShortCut);
  // The managers of the Owner's window and the windows above it ask first, then the other managers
  // of the same form, until one runs the shortcut.
  bool DispatchShortCut(TShortCut AShortCut);
  // The link whose caption accelerator the key is, in the same order of managers: in each, the
  // main-menu bar's links first, then the other visible bars'. Only bars on screen answer.
  TqzBarItemLink* FindAccelLink(Word AKey, TShiftState AShift);
  TqzBarItemLinkEvent GetOnItemLinkAdd() const { return FOnItemLinkAdd; }
  void SetOnItemLinkAdd(TqzBarItemLinkEvent Value) { FOnItemLinkAdd = Value; }
  TqzBarItemLinkEvent GetOnItemLinkChange() const { return FOnItemLinkChange; }
  void SetOnItemLinkChange(TqzBarItemLinkEvent Value) { FOnItemLinkChange = Value; }
  TqzBarItemLinkEvent GetOnItemLinkDelete() const { return FOnItemLinkDelete; }
  void SetOnItemLinkDelete(TqzBarItemLinkEvent Value) { FOnItemLinkDelete = Value; }
  TqzBarMergeItemLinkEvent GetOnMergeItemLink() const { return FOnMergeItemLink; }
  void SetOnMergeItemLink(TqzBarMergeItemLinkEvent Value) { FOnMergeItemLink = Value; }
  TqzBarClickItemEvent GetOnClickItem() const { return FOnClickItem; }
  void SetOnClickItem(TqzBarClickItemEvent Value) { FOnClickItem = Value; }

  // Item groups: owned by the manager's Owner, registered here.
  Integer GetGroupCount() const { return FGroups->GetCount(); }
  TqzBarGroup* GetGroup(Integer Index) const { return static_cast<TqzBarGroup*>(FGroups->GetItems(Index)); }
  TqzBarGroup* AddGroup();
  void RegisterGroup(TqzBarGroup* AGroup);
  void MoveGroup(TqzBarGroup* AGroup, Integer ANewIndex);

  // Streaming: bars, then groups, stream as the manager's children, owned by the manager's Owner.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  TComponent* GetChildOwner() override { return GetOwner(); }
  void SetChildOrder(TComponent* Child, Integer Order) override;

  // Toolbars.
  TqzBars* GetBars() const { return FBars.get(); }
  TqzBar* FindBarByName(const String& AName) const;
  TqzBar* FindBarByCaption(const String& ACaption) const;
  // Base followed by the smallest number from 1 that no bar bears as caption (or name).
  String MakeUniqueBarCaption(const String& ABase) const;
  String MakeUniqueBarName(const String& ABase) const;
  // A new "Custom <n>" toolbar docked at the top in a row of its own (or as the main menu).
  TqzBar* CreateToolbar(bool AAsMainMenu);
  void ResetToolbar(TqzBar* ABar);
  TqzBar* GetMainMenuBar() const noexcept { return FMainMenuBar; }
  // The bars' events.
  void DoBarAdd(TqzBar* ABar) { FOnBarAdd(this, ABar); }
  void DoBarDelete(TqzBar* ABar) { FOnBarDelete(this, ABar); }
  void DoBarVisibleChange(TqzBar* ABar) { FOnBarVisibleChange(this, ABar); }
  void DoBarDockingStyleChange(TqzBar* ABar) { FOnBarDockingStyleChange(this, ABar); }
  void DoBarBeforeReset(TqzBar* ABar) { FOnBarBeforeReset(this, ABar); }
  void DoBarAfterReset(TqzBar* ABar) { FOnBarAfterReset(this, ABar); }
  void DoBarClose(TqzBar* ABar) { FOnBarClose(this, ABar); }
  // Whether the bar may dock at the side (dsNone: float): neither its nor the manager's
  // NotDocking lists the side.
  bool QueryDocking(TqzBar* ABar, TqzBarDockingStyle AStyle, TqzDockControl* ASite);
  // The form that holds the manager's owner window.
  TCustomForm* GetParentForm();
  // Customizing undoes every merge and restores them afterwards; switching it on opens the
  // customizing form (refused while one is open), switching it off closes it.
  void SetIsCustomizing(bool Value);
  // While another manager's customizing form is open, the floating bar windows wait.
  void DisableBarWindows();
  void EnableBarWindows();
  void UnmergeAllForCustomizing();
  void RestoreMergesAfterCustomizing();

  // Categories.
  TqzBarManagerCategories* GetCategoryList() const { return FCategories.get(); }
  TStrings* GetCategories() const;
  void SetCategories(TStrings* Value);
  bool IsCategoryVisible(Integer Index) const;
  // ivNever for an invalid index.
  TqzBarItemVisible GetCategoryItemsVisible(Integer Index) const;
  void SetCategoryItemsVisible(Integer Index, TqzBarItemVisible Value);
  void SetCategoryVisible(Integer Index, bool Value);
  // At run time the index of the N-th visible category (-1 when none); at design time N.
  Integer VisibleCategoryToIndex(Integer N) const;
  // Every item of the category in item order; an invalid category gives none.
  void GetItemsOfCategory(Integer ACategory, TList* AList) const;
  // The same as the customizing lists show them: at run time only the items visible now that
  // host no window.
  void CollectCategoryItems(Integer ACategory, TList* AList) const;
  // The class name without its first letter followed by the first number no item bears.
  String MakeUniqueItemName(TClass AItemClass) const;

  // Layout storage: the registry stand-in, ini files and the reset snapshot of the designed
  // layout. Explicit loads and saves pass errors on; a damaged layout is refused with
  // EqzBarLayoutError before it changes anything.
  void LoadFromRegistry(const String& APath);
  void SaveToRegistry(const String& APath);
  void LoadFromIniFile(const String& AFileName);
  void SaveToIniFile(const String& AFileName);
  void LoadLayout(TCustomIniFile* AIniFile, const String& ABase, bool ARegistry);
  void SaveLayout(TCustomIniFile* AIniFile, const String& ABase, bool ARegistry);
  // The ini-file base: the owners' names down to the manager's, each followed by ".".
  String DefaultSectionBase() const;
  // "\" in front and at the end; empty stays empty.
  static String NormalizeRegistryPath(const String& APath);
  // The designed layout; only when not designing.
  TMemIniFile* GetSavedState() const { return FSavedState.get(); }
  void SaveSnapshot();
  // The index of the snapshot's bar of exactly that caption; -1 when none.
  Integer FindSnapshotBar(const String& ACaption) const;
  bool IsStateSaving() const noexcept { return FStateSaving; }
  bool CanResetBars() const { return FReadStateCount > 0 && FAllowReset; }
  // The links' use data as designed; the confirmation asks first.
  void ResetUsageData();
  void ResetUsageDataWithConfirmation();
  // Reads the layout from the stores switched on; a failure brings back the designed layout.
  void LoadStoredLayout();
  // Writes the layout to the stores switched on; never raises.
  void SaveStoredLayout();
  // The owner window's messages: the layout is saved when it goes, colours and fonts follow
  // the system.
  void HandleOwnerMessage(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam);
  // A message of a form reaches the managers whose owners lie on it, AHandled (the manager of the
  // form itself, which had it already) excepted.
  static void BroadcastOwnerMessage(TqzBarManager* AHandled, HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam);
  // Floating bars move into the work area of the monitor at the centre of the Owner.
  void KeepFloatingBarsOnScreen();

  // The widths of the left and right default dock sites and the heights of the top and bottom
  // ones, as the form stores them.
  Integer GetDockControlHeight(TqzBarDockingStyle AStyle) const;
  void SetDockControlHeight(TqzBarDockingStyle AStyle, Integer Value);

  // The object the current hint is shown for (an item control, a caption button, ...).
  TObject* GetHintObject() const noexcept { return FHintObject; }
  // The bar window that took the keyboard last (a toolbar through Alt or a key tip); nil once it
  // is gone.
  TCustomqzBarControl* GetFocusedBarControl() const;
  void SetFocusedBarControl(TCustomqzBarControl* AWindow);
  void SetHintObject(TObject* Value) { FHintObject = Value; }
  // Asked by bar windows and item controls as the hot item changes: the hint shows after the
  // hint window's pause (at once while a hint is up or was hidden moments ago) and hides after
  // its hide pause.
  void ActivateHint(bool AShow, const String& AHintText, TObject* AHintObject);
  void HideHint() { ActivateHint(false, "", nullptr); }
  bool GetIsCustomizing() const noexcept { return FIsCustomizing; }
  bool IsCustomizingOrDesigning() const { return FIsCustomizing || IsDesigning(); }

  // Painting style.
  TqzBarManagerStyle GetEffectiveStyle() const;
  // The painter of the style in force, made anew when the style's painter class changes
  // (qzBarManagerPainter.cpp).
  TqzBarPainter* GetDefaultPainter();
  // 0 standard, 1 enhanced, 2 flat, 3 XP, 4 Office11, 5 skin.
  Integer GetPainterKind() const;
  // The painter class of the painter kind.
  TClass PainterClassForStyle() const;
  bool SupportsRecentItems() const { return GetEffectiveStyle() != bmsStandard; }
  bool IsRecentItemsFirst() const { return FMenusShowRecentItemsFirst && SupportsRecentItems(); }
  bool IsFlatStyle() const { return FStyle == bmsFlat; }
  // How often a link must be used before it counts as recent, from MostRecentItemsPercents.
  Integer GetRecentUseThreshold() const noexcept { return FRecentUseThreshold; }

  // The designer's bridge: neutral without a designer. At run time the customizing form's
  // selection is the designer while the form is open.
  IqzBarDesigner* GetDesigner() const noexcept { return FDesigner; }
  void SetDesigner(IqzBarDesigner* Value) { FDesigner = Value; }
  bool CanDeleteComponent(TComponent* AComponent);
  Integer GetSelectionStatus(TPersistent* AObject);
  bool IsSelected(TPersistent* AObject) { return GetSelectionStatus(AObject) == 1; }
  void SelectComponent(TPersistent* AObject, Integer AMode);
  void SetSelection(TList* AList);
  void CollectDesignerSelection(TList* AList);
  // The designer's selection reduced to the objects reported selected.
  void CollectSelectedObjects(TList* AList);
  // The link last selected in the design controller when it is one of this manager's.
  TqzBarItemLink* GetSelectedLink();
  // The item control selected in the manager's bar windows; nil clears.
  TqzBarItemControl* GetSelectedItemControl() const noexcept { return FSelectedItemControl; }
  void SetSelectedItemControl(TqzBarItemControl* Value) { FSelectedItemControl = Value; }
  // Customizing drag of a link, or of a command (no link) into a bar: returns once it is dropped
  // or given up (qzBarDragInfo.cpp).
  void DragItemOrLink(TqzBarItem* AItem, TqzBarItemLink* ALink);
  TqzBarItem* GetDraggingItem() const;
  TqzBarItemLink* GetDraggingLink() const;
  bool IsDragging() const { return GetDraggingItem() != nullptr; }
  // While customizing, a control selected in another bar window clears the old window's
  // selection first.
  void ChangeSelectedItemControl(TqzBarItemControl* AControl);
  void DesignerModified();
  void LockDesignerModified(bool ALock, bool ANotify = true);
  bool GetModified() const noexcept { return FModified; }

  // Published properties.
  // Another live manager is customizing (the first that is, in registration order, is not this one).
  bool IsOtherManagerActive() const;
  // No inline frames are designed in this system: components can always be made.
  bool CanCreateComponents() const { return true; }
  TBitmap* GetHelpButtonGlyph() const { return FHelpButtonGlyph.get(); }
  void SetHelpButtonGlyph(TBitmap* Value) { FHelpButtonGlyph->Assign(Value); }
  TNotifyEvent GetOnCloseButtonClick() const { return FOnCloseButtonClick; }
  void SetOnCloseButtonClick(TNotifyEvent Value) { FOnCloseButtonClick = Value; }
  TNotifyEvent GetOnHelpButtonClick() const { return FOnHelpButtonClick; }
  void SetOnHelpButtonClick(TNotifyEvent Value) { FOnHelpButtonClick = Value; }
  TNotifyEvent GetOnHideCustomizingForm() const { return FOnHideCustomizingForm; }
  void SetOnHideCustomizingForm(TNotifyEvent Value) { FOnHideCustomizingForm = Value; }
  TNotifyEvent GetOnShowCustomizingForm() const { return FOnShowCustomizingForm; }
  void SetOnShowCustomizingForm(TNotifyEvent Value) { FOnShowCustomizingForm = Value; }
  TqzBarPopupItemLinksEvent GetOnShowCustomizingPopup() const { return FOnShowCustomizingPopup; }
  void SetOnShowCustomizingPopup(TqzBarPopupItemLinksEvent Value) { FOnShowCustomizingPopup = Value; }
  TqzBarPopupItemLinksEvent GetOnShowToolbarsPopup() const { return FOnShowToolbarsPopup; }
  void SetOnShowToolbarsPopup(TqzBarPopupItemLinksEvent Value) { FOnShowToolbarsPopup = Value; }
  bool GetAutoAlignBars() const { return FAutoAlignBars; }
  void SetAutoAlignBars(bool Value) { FAutoAlignBars = Value; }
  bool GetAutoHideEmptyBars() const { return FAutoHideEmptyBars; }
  void SetAutoHideEmptyBars(bool Value);
  bool GetFlatCloseButton() const { return FFlatCloseButton; }
  void SetFlatCloseButton(bool Value) { FFlatCloseButton = Value; }
  bool GetHideFloatingBarsWhenInactive() const { return FHideFloatingBarsWhenInactive; }
  void SetHideFloatingBarsWhenInactive(bool Value) { FHideFloatingBarsWhenInactive = Value; }
  String GetIniFileName() const { return FIniFileName; }
  void SetIniFileName(const String& Value) { FIniFileName = Value; }
  TqzBarDockingStyles GetNotDocking() const { return FNotDocking; }
  void SetNotDocking(TqzBarDockingStyles Value) { FNotDocking = Value; }
  String GetRegistryPath() const { return FRegistryPath; }
  void SetRegistryPath(const String& Value) { FRegistryPath = NormalizeRegistryPath(Value); }
  bool GetShowCloseButton() const { return FShowCloseButton; }
  void SetShowCloseButton(bool Value) { FShowCloseButton = Value; }
  bool GetShowHelpButton() const { return FShowHelpButton; }
  void SetShowHelpButton(bool Value) { FShowHelpButton = Value; }
  bool GetStoreInIniFile() const { return FStoreInIniFile; }
  void SetStoreInIniFile(bool Value) { FStoreInIniFile = Value; }
  bool GetStoreInRegistry() const { return FStoreInRegistry; }
  void SetStoreInRegistry(bool Value) { FStoreInRegistry = Value; }
  bool GetSunkenBorder() const { return FSunkenBorder; }
  void SetSunkenBorder(bool Value) { FSunkenBorder = Value; }
  TqzBarManagerBarEvent GetOnBarAdd() const { return FOnBarAdd; }
  void SetOnBarAdd(TqzBarManagerBarEvent Value) { FOnBarAdd = Value; }
  TqzBarManagerBarEvent GetOnBarAfterReset() const { return FOnBarAfterReset; }
  void SetOnBarAfterReset(TqzBarManagerBarEvent Value) { FOnBarAfterReset = Value; }
  TqzBarManagerBarEvent GetOnBarBeforeReset() const { return FOnBarBeforeReset; }
  void SetOnBarBeforeReset(TqzBarManagerBarEvent Value) { FOnBarBeforeReset = Value; }
  TqzBarManagerBarEvent GetOnBarClose() const { return FOnBarClose; }
  void SetOnBarClose(TqzBarManagerBarEvent Value) { FOnBarClose = Value; }
  TqzBarManagerBarEvent GetOnBarDelete() const { return FOnBarDelete; }
  void SetOnBarDelete(TqzBarManagerBarEvent Value) { FOnBarDelete = Value; }
  TqzBarManagerBarEvent GetOnBarDockingStyleChange() const { return FOnBarDockingStyleChange; }
  void SetOnBarDockingStyleChange(TqzBarManagerBarEvent Value) { FOnBarDockingStyleChange = Value; }
  TqzBarManagerBarEvent GetOnBarVisibleChange() const { return FOnBarVisibleChange; }
  void SetOnBarVisibleChange(TqzBarManagerBarEvent Value) { FOnBarVisibleChange = Value; }
  TqzBarManagerMergeEvent GetOnMenuMerge() const { return FOnMenuMerge; }
  void SetOnMenuMerge(TqzBarManagerMergeEvent Value) { FOnMenuMerge = Value; }
  TqzBarManagerMergeEvent GetOnMerge() const { return FOnMerge; }
  void SetOnMerge(TqzBarManagerMergeEvent Value) { FOnMerge = Value; }
  bool GetAllowCallFromAnotherForm() const { return FAllowCallFromAnotherForm; }
  void SetAllowCallFromAnotherForm(bool Value) { FAllowCallFromAnotherForm = Value; }
  bool GetAllowReset() const { return FAllowReset; }
  void SetAllowReset(bool Value) { FAllowReset = Value; }
  bool GetAlwaysMerge() const { return FAlwaysMerge; }
  void SetAlwaysMerge(bool Value) { FAlwaysMerge = Value; }
  bool GetAlwaysSaveText() const { return FAlwaysSaveText; }
  void SetAlwaysSaveText(bool Value) { FAlwaysSaveText = Value; }
  Integer GetButtonArrowWidth() const { return FButtonArrowWidth; }
  void SetButtonArrowWidth(Integer Value);
  bool GetCanCustomize() const { return FCanCustomize; }
  void SetCanCustomize(bool Value) { FCanCustomize = Value; }
  THelpContext GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(THelpContext Value) { FHelpContext = Value; }
  Integer GetLargeButtonArrowWidth() const { return FLargeButtonArrowWidth; }
  void SetLargeButtonArrowWidth(Integer Value);
  TkvLookAndFeel* GetLookAndFeel() const { return FLookAndFeel.get(); }
  void SetLookAndFeel(TkvLookAndFeel* Value) { FLookAndFeel->Assign(Value); }
  TqzBarMenuAnimations GetMenuAnimations() const { return FMenuAnimations; }
  void SetMenuAnimations(TqzBarMenuAnimations Value);
  bool GetMenusShowRecentItemsFirst() const { return FMenusShowRecentItemsFirst; }
  void SetMenusShowRecentItemsFirst(bool Value);
  Byte GetMostRecentItemsPercents() const { return FMostRecentItemsPercents; }
  void SetMostRecentItemsPercents(Byte Value);
  bool GetShowFullMenusAfterDelay() const { return FShowFullMenusAfterDelay; }
  void SetShowFullMenusAfterDelay(bool Value);
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool GetShowHintForDisabledItems() const { return FShowHintForDisabledItems; }
  void SetShowHintForDisabledItems(bool Value) { FShowHintForDisabledItems = Value; }
  bool GetShowShortCutInHint() const { return FShowShortCutInHint; }
  void SetShowShortCutInHint(bool Value);
  TqzBarManagerStyle GetStyle() const { return FStyle; }
  // A new style frees the painter; the manager's bar windows lay out and repaint with the new one.
  void SetStyle(TqzBarManagerStyle Value);
  bool GetUseF10ForMenu() const { return FUseF10ForMenu; }
  void SetUseF10ForMenu(bool Value) { FUseF10ForMenu = Value; }
  bool GetUseFullReset() const { return FUseFullReset; }
  void SetUseFullReset(bool Value) { FUseFullReset = Value; }
  Integer GetWaitForDockingTime() const { return FWaitForDockingTime; }
  void SetWaitForDockingTime(Integer Value);

 protected:
  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;
  void ReadState(TReader* Reader) override;

 private:
  friend class TqzBar;
  // Checks the owner before anything is built: a window control that has no manager yet.
  static TComponent* CheckedOwner(TComponent* AOwner);
  void SetMainMenuBar(TqzBar* ABar) { FMainMenuBar = ABar; }
  // Sets a category's ItemsVisible now, loading or not.
  void ApplyCategoryItemsVisible(Integer Index, TqzBarItemVisible Value);
  void ReadDockControlHeights(TReader* Reader);
  void WriteDockControlHeights(TWriter* Writer);
  // The layout cores, after the layout has been checked.
  void CheckLayout(TCustomIniFile* AIniFile, const String& ABase, bool ARegistry);
  void LoadBar(TqzBar* ABar, TCustomIniFile* AIniFile, const String& ASection, bool ALoadPosition, bool ARegistry,
               const std::vector<String>* ANewItems);
  void SaveBar(TqzBar* ABar, TCustomIniFile* AIniFile, const String& ASection);
  // Brings back the designed layout after a stored one failed.
  void RestoreDesignedLayout();
  void UpdateRecentUseThreshold();
  void CreateColors();
  void FontChanged(TObject* Sender);
  void ApplySystemFont();
  void FreeColors();
  void ImageOptionsLargeIconsChanged(TObject* Sender);
  void ActivateHintCore(bool AShow, const String& AHintText, TObject* AHintObject);
  void ShowHintNow();
  static void ShowHintTimerProc(HWND, UINT, UINT_PTR, DWORD);
  static void HideHintTimerProc(HWND, UINT, UINT_PTR, DWORD);
  static void RecentHintTimerProc(HWND, UINT, UINT_PTR, DWORD);
  // A setting that a user would see in the customizing form changed.
  void OptionChanged();

  std::unique_ptr<TqzBars> FBars;
  std::unique_ptr<TqzBarDragInfo> FDragInfo;
  std::unique_ptr<TqzBarManagerCategories> FCategories;
  TqzBar* FMainMenuBar = nullptr;
  std::unique_ptr<TMemIniFile> FSavedState;
  Integer FReadStateCount = 0;
  bool FAfterLoading = false;
  bool FBarsLoading = false;
  bool FStateSaving = false;
  Integer FDockControlHeights[4] = {};
  bool FAutoAlignBars = false;
  bool FAutoHideEmptyBars = false;
  bool FFlatCloseButton = false;
  bool FHideFloatingBarsWhenInactive = true;
  String FIniFileName;
  TqzBarDockingStyles FNotDocking;
  String FRegistryPath;
  bool FShowCloseButton = false;
  bool FShowHelpButton = false;
  bool FStoreInIniFile = false;
  bool FStoreInRegistry = false;
  bool FSunkenBorder = false;
  TqzBarManagerBarEvent FOnBarAdd, FOnBarAfterReset, FOnBarBeforeReset, FOnBarClose, FOnBarDelete,
      FOnBarDockingStyleChange, FOnBarVisibleChange;
  TqzBarManagerMergeEvent FOnMenuMerge, FOnMerge;
  TNotifyEvent FOnCloseButtonClick, FOnHelpButtonClick, FOnHideCustomizingForm, FOnShowCustomizingForm;
  TqzBarPopupItemLinksEvent FOnShowCustomizingPopup, FOnShowToolbarsPopup;
  std::unique_ptr<TBitmap> FHelpButtonGlyph;
  Integer FLockUpdate = 0;
  std::unique_ptr<TqzBarPainter> FDefaultPainter;
  Integer FDesignerModifiedLock = 0;
  bool FDesignerModifiedDue = false;
  bool FModified = false;
  std::unique_ptr<TkvLookAndFeel> FLookAndFeel;
  std::unique_ptr<TqzBarImageOptions> FImageOptions;
  std::unique_ptr<TqzBarBackgrounds> FBackgrounds;
  std::unique_ptr<TqzBarPopupMenuLinks> FPopupMenuLinks;
  std::vector<TqzBarCustomPopupMenu*> FPopupMenus;
  std::vector<TqzDockControl*> FPublishedDockSites;
  enum { fcBorder, fcFace, fcPressed, fcPressedHot, fcHot, fcCount };
  TColor FFlatColors[fcCount] = {};
  HBRUSH FFlatBrushes[fcCount] = {};
  HBRUSH FThemedToolbarBrush = nullptr;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TFont> FEditFont;
  std::unique_ptr<TFont> FCaptionFont;
  bool FScaled = true;
  bool FUseSystemFont = true;
  bool FInternalFontChange = false;
  std::unique_ptr<TkvEventHandlerCollection> FHandlers[4];
  TObject* FHintObject = nullptr;
  TkvObjectLink* FFocusedBarLink = nullptr;
  bool FIsCustomizing = false;
  IqzBarDesigner* FDesigner = nullptr;
  std::vector<HWND> FDisabledBarWindows;
  TqzBarItemControl* FSelectedItemControl = nullptr;
  std::unique_ptr<TqzBarComponentList> FGroups;
  std::unique_ptr<TqzBarComponentList> FItems;
  TqzBarItemLinkEvent FOnItemLinkAdd;
  TqzBarItemLinkEvent FOnItemLinkChange;
  TqzBarItemLinkEvent FOnItemLinkDelete;
  TqzBarMergeItemLinkEvent FOnMergeItemLink;
  TqzBarClickItemEvent FOnClickItem;
  bool FAutoDockColor = true;
  TColor FDockColor = clBtnFace;
  bool FAllowCallFromAnotherForm = false;
  bool FAllowReset = true;
  bool FAlwaysMerge = false;
  bool FAlwaysSaveText = false;
  Integer FButtonArrowWidth = 11;
  bool FCanCustomize = true;
  THelpContext FHelpContext = 0;
  Integer FLargeButtonArrowWidth = 13;
  TqzBarMenuAnimations FMenuAnimations = maNone;
  bool FMenusShowRecentItemsFirst = true;
  Byte FMostRecentItemsPercents = 95;
  Integer FRecentUseThreshold = 0;
  bool FShowFullMenusAfterDelay = true;
  bool FShowHint = true;
  bool FShowHintForDisabledItems = true;
  bool FShowShortCutInHint = false;
  TqzBarManagerStyle FStyle = bmsEnhanced;
  bool FUseF10ForMenu = true;
  bool FUseFullReset = false;
  Integer FWaitForDockingTime = 21;
};

// The manager a component belongs to: a manager itself, else the first live manager owned by it.
TqzBarManager* FindBarManagerOfComponent(TComponent* AComponent);
TqzBarManager* BarManagerOfWindow(HWND AWnd);
// The manager of the component's window control or of the nearest one above it.
TqzBarManager* ManagerServingComponent(TComponent* AComponent);
TCustomForm* FormOfBarManager(TqzBarManager* AManager, Integer AFormKind);
bool IsManagerOwnerWindow(TqzBarManager* AManager, HWND AWnd);
bool ManagerOwnsControl(TqzBarManager* AManager, TControl* AControl);
// Other units may map a form to the form whose manager serves it; nothing in the system sets it.
using TqzBarFormMappingHook = TCustomForm* (*)(TCustomForm* AForm);
extern TqzBarFormMappingHook BarFormMappingHook;

// ---- The shared canvas -----------------------------------------------------------------------

// The one canvas all bar windows paint through; a paint redirects it to a device context or to
// another canvas and puts it back, in strict stack order.
class TqzBarCanvas : public TkvCanvas {
  TAVREN_CLASS(TqzBarCanvas, TkvCanvas)
 public:
  TqzBarCanvas();
  ~TqzBarCanvas() override;

  void PushPaintDC(HDC DC);
  void PushPaintCanvas(TCanvas* ACanvas);
  void PopPaintState();
  Integer PaintStateCount() const { return static_cast<Integer>(FStates.size()); }

 private:
  struct TqzBarCanvasState {
    TCanvas* PrevCanvas = nullptr;
    HDC PrevDC = nullptr;
    HDC DC = nullptr;
    int SavedDC = 0;
  };
  std::unique_ptr<TCanvas> FOwnCanvas;
  std::vector<TqzBarCanvasState> FStates;
};

// The bars' hidden message window. It would wake the user-interface thread for worker threads
// when the bars run inside a library module; this program is never one, so it is the window only.
class TqzBarSystemController : public TkvMessageWindow {
  TAVREN_CLASS(TqzBarSystemController, TkvMessageWindow)
};

// ---- Unit routines ---------------------------------------------------------------------------

enum TqzBarSoundKind { bskMenuPopup, bskMenuCommand, bskStop };

// The corner of a drop-down window that carries its size grip.
enum TqzGripCorner { gcTopLeft, gcTopRight, gcBottomLeft, gcBottomRight };
TAVREN_ENUM_INFO(TqzGripCorner, gcTopLeft, gcTopRight, gcBottomLeft, gcBottomRight);

// Lookups between components, controls, windows and forms.
TWinControl* OwnerWinControlOf(TComponent* AComponent);
TWinControl* FindParentWinControlOfChild(HWND AWnd);
TWinControl* ControlOfWindowChain(HWND AWnd);
// The last form found going up from the control's window; the walk stops at a top-level window
// or at a form of the kind (0 none, 1 an MDI child, 2 any form).
TCustomForm* FormAboveControl(TWinControl* AControl, Integer AFormKind);
TCustomForm* FormOfComponent(TComponent* AComponent);
bool IsControlInside(TWinControl* AContainer, TControl* AControl);
// The popup window the control lies in (its top window, when that is a toolkit popup other than
// the control itself); with AFollowParentBars the walk goes on from a sub-menu to its parent bar.
TWinControl* FindHostPopupWindow(TWinControl* AControl, bool AFollowParentBars);
TCustomForm* ActiveFormOfBars();
bool IsControlFormActive(TWinControl* AControl);
bool IsMDIChildForm(TWinControl* AControl);
bool IsMDIFrameForm(TWinControl* AControl);
HWND GetActiveMDIChildWindow();
bool IsLoadingAsAncestor(TComponent* AComponent);
bool IsControlWindowVisible(TWinControl* AControl);
bool IsWindowEnabledUpChain(HWND AWnd);
bool IsFocusOrChildOfFocus(HWND AWnd);
bool IsWindowDescendantOf(HWND AWnd, HWND AAncestor);
HWND FindWindowAtScreenPoint(const TPoint& P);
bool IsOtherProcessWindow(HWND AWnd);
void CancelModeOfActiveForm();
void ActivateTopLevelWindow(HWND AWnd);

// Text, keys, mouse and sounds.
TShortCut ShortCutFromCharKey(Word ACharCode, LPARAM AKeyData);
String ShortCutHintSuffix(TShortCut AShortCut);
// The 1-based position of the last accelerator character of the caption, 0 when none; "&&" is a
// literal "&". With ARemoveMarkers the markers are taken out of the caption.
Integer AccelCharIndex(String& ACaption, bool ARemoveMarkers);
String StripAccelChars(const String& ACaption);
bool IsKeyTipChar(Word AKey);
bool IsButtonDownMessage(UINT AMsg);
bool IsMouseButtonDown(Integer AButtonKey, Integer ASwappedButtonKey);
bool IsPrimaryMouseButtonDown();
bool IsSecondaryMouseButtonDown();
void PlayBarSound(TqzBarSoundKind ASound);
void StopBarSound();
void DispatchPendingMouseMessages();
void DispatchPendingPaints();
bool DiscardPendingCharMessages(HWND AWnd);
Integer ShowAppMessageBox(const String& AText, Integer AFlags);
void EnumNamesToStringArray(const TTypeInfo* ATypeInfo, std::vector<String>& ANames);
void SetElementNamesToArray(const TTypeInfo* ASetTypeInfo, std::vector<String>& ANames);
String PathSeparatorText(bool ARegistry);
Integer BoolToTwo(bool AValue);
Integer ScaleByScreenDPI(Integer AValue, Integer ABaseDPI);
void EnsureMinWidth(Integer& AWidth, Integer AMinWidth);
TBitmap* CreateNotifyingBitmap(TNotifyEvent AOnChange);

// Windows, timers and GDI objects.
void SetWindowZOrder(HWND AWnd, HWND AInsertAfter, bool AActivate, UINT AExtraFlags);
void SetWindowAlphaBlend(HWND AWnd, Byte AAlpha);
void ClearWindowHandle(HWND& AWnd, bool ADestroy);
bool KillTimerAndClear(HWND AWnd, UINT_PTR& ATimerID);
// The hint timer of the managers (show, then hide) and the 400 ms quick-reshow timer.
bool KillHintTimer();
bool KillRecentHintTimer();
template <class H>
void FreeGDIHandle(H& AObject) {
  if (AObject) DeleteObject(AObject);
  AObject = nullptr;
}
void SelectBackAndDelete(HDC DC, HGDIOBJ APrevious);

// Drawing.
void FillPolygonWithColors(HDC DC, const POINT* APoints, Integer ALastIndex, TColor AFillColor, TColor APenColor);
Integer BackupClipRegion(HDC DC, HRGN& ARegion, bool& AExisted);
void RestoreClipRegionBackup(HDC DC, HRGN& ARegion, bool AExisted);
void AddRectToClip(HDC DC, const TRect& R);
// FillRect and FrameRect over a rectangle of ours; a brush code fills alike.
void FillWith(HDC DC, const TRect& R, HBRUSH ABrush);
void FrameWith(HDC DC, const TRect& R, HBRUSH ABrush);
void FillAreaSolidOrTiled(HDC DC, const TRect& R, const TRect& AOrigin, TBitmap* ABitmap, TColor AColor,
                          HBRUSH ABrush);
// Tiles the bitmap over R; AOrigin is the same area in the coordinates of the tiling, whose first
// copy sits at (0, 0).
void TileBitmap(HDC DC, const TRect& R, const TRect& AOrigin, TBitmap* ABitmap);
void RefreshScreenBitsPerPixel();
Integer ScreenBitsPerPixel();
void RebuildCheckerBrush();
// The pattern brush of half-tone areas (checks of clBtnFace and clBtnHighlight).
HBRUSH CheckerboardBrush();
void BlendAreaWithBtnFace(HDC DC, const TRect& R);
void FrameWithHighlightColor(HDC DC, const TRect& R);
void DrawDoubleSysColorFrame(HDC DC, const TRect& R, Integer ASysColorIndex);
void DrawDoubleFocusRect(HDC DC, const TRect& R);
void WorkAreaAtPoint(const TPoint& P, TRect& AWorkArea);
// A drop arrow: direction 1 points down, any other direction right.
void DrawItemArrowSized(HDC DC, const TRect& R, Integer ADirection, TColor AColor, bool AEnabled, bool ASelected,
                        bool AFlat, Integer ASize);
void DrawItemArrowInRect(HDC DC, const TRect& R, Integer ADirection, TColor AColor, bool AEnabled, bool ASelected,
                         bool AFlat);
void DrawMaskedSizeGrip(HDC DC, const TRect& R);
// The toolbar theme's fill colour; clBtnFace when the theme does not answer.
TColor ToolbarThemeColor();
HFONT CreateSmallCaptionFont(TFont* AFont, bool AKeepSystemFont);
void AssignBarFont(TFont* ASource, TFont* ATarget, bool AUseIconTitleHeight);

// The shared canvas: made on first use; after the unit has ended, only an existing one answers.
TqzBarCanvas* BarCanvasInstance();

// Unit start and end.
bool IsBarUnitFinalized();
void qzBarStart();
void qzBarEnd();

#include "toolkit/bars/qzBarItems.h"
#include "toolkit/bars/qzBarToolbars.h"
