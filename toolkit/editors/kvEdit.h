#pragma once
// The edit framework every editor kind stands on:
//  - TkvEditAlignment, the horizontal and vertical placement of an editor's content;
//  - TkvCustomEditProperties: an editor kind's settings, events and change batching, with the
//    default-values provider the data binding hands in and the registry of Properties classes;
//  - TkvEditButton / TkvEditButtons / TkvEditButtonViewInfo: the buttons inside an editor;
//  - TkvEditRepository / TkvEditRepositoryItem: Properties that several editors share;
//  - TkvCustomEditStyle / TkvEditStyle / TkvEditStyleController: the editors' styles, with the
//    default controller that serves every editor naming none;
//  - IkvCustomInnerEdit: the editor's view of the native control that does its typing;
//  - TkvCustomEdit: the editor control.
//
// Sources: kvEditProperties.cpp (alignment, provider, Properties, registry), kvEditRepository.cpp
// (repository and buttons), kvEditStyles.cpp (styles and controller), kvEditControl.cpp (value
// model, validation, keys and focus), kvEditInplace.cpp (in-place activation, inner edit, view,
// mouse, size, painting and hints), kvEditUnit.cpp (unit start and end).

#include <memory>
#include <vector>

#include "rtl/Collection.h"
#include "rtl/Exceptions.h"
#include "rtl/Interfaces.h"
#include "rtl/Variants.h"
#include "toolkit/editors/kvContainer.h"
#include "toolkit/foundation/kvClasses.h"
#include "vcl/GraphicClasses.h"
#include "vcl/Graphics.h"
#include "vcl/Menus.h"
#include "vcl/ActnList.h"
#include "vcl/StdCtrls.h"
#include "toolkit/editors/kvDataStorage.h"

class TkvCustomEdit;
class TkvCustomEditProperties;
class TkvCustomEditViewData;
class TkvCustomEditViewInfo;
class TkvEditRepository;
class TkvEditRepositoryItem;

// ---- Texts ---------------------------------------------------------------------------------

constexpr Integer skvEditInvalidInput = 64400;
constexpr Integer skvEditRepositoryItemNotAcceptable = 64401;
constexpr Integer skvEditBlobEditDescription = 64402;
constexpr Integer skvEditComboBoxDescription = 64403;
constexpr Integer skvEditMaskEditDescription = 64404;
constexpr Integer skvEditMemoDescription = 64405;
constexpr Integer skvEditPopupEditDescription = 64406;
constexpr Integer skvEditTextEditDescription = 64407;
constexpr Integer skvEditLabelDescription = 64408;
constexpr Integer skvEditProgressBarDescription = 64409;

// The screen cursor of the wheel-scrolling mark.
constexpr TCursor crkvEditMouseWheel = 4101;

TAVREN_DECLARE_EXCEPTION(EkvEditError, Exception);
TAVREN_DECLARE_EXCEPTION(EkvEditValidationError, EkvEditError);

// ---- Alignment -----------------------------------------------------------------------------

enum TkvEditVertAlignment { taTopJustify, taBottomJustify, taVCenter };
TAVREN_ENUM_INFO(TkvEditVertAlignment, taTopJustify, taBottomJustify, taVCenter);

constexpr TAlignment kvEditDefaultHorzAlignment = taLeftJustify;
constexpr TkvEditVertAlignment kvEditDefaultVertAlignment = taTopJustify;

class TkvEditAlignment : public TPersistent {
  TAVREN_CLASS(TkvEditAlignment, TPersistent)
 public:
  using TCreateArg = TPersistent*;
  explicit TkvEditAlignment(TPersistent* AOwner) : FOwner(AOwner) {}
  void Assign(TPersistent* Source) override;
  void Reset();

  TAlignment GetHorz() const { return FHorz; }
  void SetHorz(TAlignment Value);
  TkvEditVertAlignment GetVert() const { return FVert; }
  void SetVert(TkvEditVertAlignment Value);
  // Shows a default Horz without making it the alignment's own.
  void ShowDefaultHorz(TAlignment Value) { FHorz = Value; }
  bool IsHorzStored() const { return FIsHorzAssigned; }
  bool IsVertStored() const { return FVert != kvEditDefaultVertAlignment; }
  TNotifyEvent GetOnChanged() const { return FOnChanged; }
  void SetOnChanged(TNotifyEvent Value) { FOnChanged = Value; }

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  void Changed();
  TPersistent* FOwner;
  TAlignment FHorz = kvEditDefaultHorzAlignment;
  bool FIsHorzAssigned = false;
  TkvEditVertAlignment FVert = kvEditDefaultVertAlignment;
  TNotifyEvent FOnChanged;
};

// ---- Default-values provider ---------------------------------------------------------------

// What the data an editor is bound to says about defaults: read-only state, alignment, bounds,
// formats and which characters it takes.
class IkvEditDefaultValuesProvider : public virtual IInterface {
  TAVREN_INTERFACE(IkvEditDefaultValuesProvider)
 public:
  virtual bool CanEnterEditMode() = 0;
  virtual void NotifyUsers() = 0;
  virtual TAlignment ProvidedAlignment() = 0;
  virtual Integer ProvidedBlobKind() = 0;
  virtual bool ProvidedCanModify() = 0;
  virtual void ProvidedDisplayFormat(String& Text) = 0;
  virtual void ProvidedEditFormat(String& Text) = 0;
  virtual void ProvidedEditMask(String& Text) = 0;
  virtual bool ProvidedIsFloatValue() = 0;
  virtual Integer ProvidedMaxLength() = 0;
  virtual double ProvidedMaxValue() = 0;
  virtual double ProvidedMinValue() = 0;
  virtual Integer ProvidedPrecision() = 0;
  virtual bool ProvidedReadOnly() = 0;
  virtual Integer ProvidedReserved() = 0;
  virtual TObject* GetImplementor() = 0;
  virtual bool IsDataStorage() = 0;
  virtual bool IsBlob() = 0;
  virtual bool IsCurrency() = 0;
  virtual bool HasData() = 0;
  virtual bool IsDisplayFormatDefined(bool AcceptCurrency) = 0;
  virtual bool HasGetTextHandler() = 0;
  virtual bool HasSetTextHandler() = 0;
  virtual bool IsValidChar(Char Character) = 0;
};

class TkvCustomEditDefaultValuesProvider : public TkvInterfacedPersistent, public IkvEditDefaultValuesProvider {
  TAVREN_CLASS(TkvCustomEditDefaultValuesProvider, TkvInterfacedPersistent)
 public:
  using TkvInterfacedPersistent::TkvInterfacedPersistent;
  ~TkvCustomEditDefaultValuesProvider() override;

  bool CanEnterEditMode() override { return true; }
  void NotifyUsers() override;
  TAlignment ProvidedAlignment() override { return kvEditDefaultHorzAlignment; }
  Integer ProvidedBlobKind() override { return 3; }
  bool ProvidedCanModify() override { return true; }
  void ProvidedDisplayFormat(String& Text) override { Text.clear(); }
  void ProvidedEditFormat(String& Text) override { Text.clear(); }
  void ProvidedEditMask(String& Text) override { Text.clear(); }
  bool ProvidedIsFloatValue() override { return false; }
  Integer ProvidedMaxLength() override { return 0; }
  double ProvidedMaxValue() override { return 0.0; }
  double ProvidedMinValue() override { return 0.0; }
  Integer ProvidedPrecision() override { return 15; }
  bool ProvidedReadOnly() override { return false; }
  Integer ProvidedReserved() override { return 0; }
  TObject* GetImplementor() override { return this; }
  bool IsDataStorage() override { return false; }
  bool IsBlob() override { return false; }
  bool IsCurrency() override { return false; }
  bool HasData() override { return true; }
  bool IsDisplayFormatDefined(bool) override { return false; }
  bool HasGetTextHandler() override { return false; }
  bool HasSetTextHandler() override { return false; }
  bool IsValidChar(Char) override { return true; }
};

// ---- Properties ----------------------------------------------------------------------------

using TkvEditButtonClickEvent = TEvent<void(TObject* Sender, Integer AButtonIndex)>;
using TkvEditValidateEvent =
    TEvent<void(TObject* Sender, Variant& DisplayValue, String& ErrorText, bool& Error)>;
// Why a popup closed: unknown, hidden, cancelled, closed (accepted) or focus lost.
enum TkvEditCloseUpReason { crUnknown, crTab, crClose, crCancel, crEnter };
using TkvEditClosePopupEvent = TEvent<void(TObject* Sender, TkvEditCloseUpReason Reason)>;

// Which of MaxValue, MinValue and ReadOnly the Properties hold as their own.
class TkvCustomEditPropertiesValues : public TPersistent {
  TAVREN_CLASS(TkvCustomEditPropertiesValues, TPersistent)
 public:
  using TCreateArg = TPersistent*;
  explicit TkvCustomEditPropertiesValues(TPersistent* AOwner) : FOwner(AOwner) {}
  void Assign(TPersistent* Source) override;
  virtual void ClearAssigned();

  bool GetMaxValue() const { return FMaxValue; }
  void SetMaxValue(bool Value);
  bool GetMinValue() const { return FMinValue; }
  void SetMinValue(bool Value);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool IsMaxValueStored();
  bool IsMinValueStored();

 protected:
  TPersistent* GetOwner() override { return FOwner; }
  TkvCustomEditProperties* GetOwnerProperties();
  void LockOwner();
  void UnlockOwner();
  void NotifyOwner();
  bool OwnerPublishes(const String& Name);

 private:
  TPersistent* FOwner;
  bool FMaxValue = false;
  bool FMinValue = false;
  bool FReadOnly = false;
};
using TkvCustomEditPropertiesValuesClass = TClassOf<TkvCustomEditPropertiesValues>;

class TkvEditButtons;
using TkvEditButtonsClass = TClassOf<TkvEditButtons>;
class TkvCustomEditStyle;
using TkvCustomEditStyleClass = TClassOf<TkvCustomEditStyle>;

class TkvCustomEditProperties : public TkvInterfacedPersistent {
  TAVREN_CLASS(TkvCustomEditProperties, TkvInterfacedPersistent)
 public:
  explicit TkvCustomEditProperties(TPersistent* AOwner);
  ~TkvCustomEditProperties() override;
  void Assign(TPersistent* Source) override;

  // Virtual operations, in the order descendants know them.
  virtual void AlignmentChanged(TObject* Sender);
  virtual void SetAlignment(TkvEditAlignment* Value);
  virtual void ButtonsChanged(TObject* Sender);
  virtual bool CanValidate() { return false; }
  virtual bool DefaultUseLeftAlignmentOnEditing() { return true; }
  virtual void DefaultValuesProviderDestroyed() { FDefaultValuesProvider = nullptr; }
  virtual void ComponentFreed(TComponent*) {}
  virtual TkvCustomEditPropertiesValuesClass GetAssignedValuesClass();
  virtual TAlignment DefaultHorzAlignment();
  virtual Byte GetDisplayFormatOptions() { return 0; }
  virtual double GetMaxValue();
  virtual double GetMinValue();
  virtual String DefaultValidationErrorText(Integer Kind);
  virtual bool HasDefaultDisplayFormat(bool EditorFocused);
  virtual TClassOf<TkvCustomEditViewData> GetViewDataClass();
  virtual bool InnerEditReportsChanges() { return false; }
  virtual bool WantsTabKey() { return false; }
  virtual bool UsesDisplayFormatOutsideFocus() { return true; }
  virtual bool CanCompareEditValues() { return false; }
  virtual TkvEditButtonsClass GetButtonsClass();
  virtual TkvCustomEditStyleClass GetStyleClass();
  virtual TClassOf<TkvCustomEditViewInfo> GetViewInfoClass();
  virtual void NotifyChanged();
  virtual bool DisplayValuesEqual(const Variant& A, const Variant& B);
  virtual TkvCustomEditProperties* NewOfSameClass();
  virtual TkvCustomEditViewData* MakeViewData(TkvCustomEditStyle* Style, bool Inplace, bool Flag);
  virtual String EditValueToDisplayText(const Variant& EditValue, bool FullText);
  // What the kind is, as flags its editors and hosts test; none in the base.
  virtual Integer GetKindTraits() { return 0; }
  virtual Integer GetSupportedFeatures();
  virtual bool IsActivationKey(Char) { return false; }
  virtual bool AcceptsEditValue(const Variant&) { return true; }
  virtual bool RestoresValueOnEscape() { return false; }
  virtual void MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool EditorFocused);
  virtual void RestoreDefaults();
  virtual void CopyRuntimeDataTo(TkvCustomEditProperties*) {}
  virtual void CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error, TkvCustomEdit* Editor);
  virtual Integer GetValueFormatKind(bool) { return 0; }
  // The class of the kind's editor; none in the base.
  virtual TClass GetEditorClass() { return nullptr; }

  // Change batching.
  void LockChanges();
  void UnlockChanges(bool Notify = true);
  bool IsChangeLocked() const { return FChangesLocked || FUpdateCount > 0; }
  void SetChangeLock(bool Value) { FChangesLocked = Value; }
  bool IsNotifyingChange() const { return FNotifyingCount > 0; }
  TNotifyEvent GetOnPropertiesChanged() const { return FOnPropertiesChanged; }
  void SetOnPropertiesChanged(TNotifyEvent Value) { FOnPropertiesChanged = Value; }

  void AttachDefaultValuesProvider(IkvEditDefaultValuesProvider* Provider);
  IkvEditDefaultValuesProvider* GetDefaultValuesProvider() const { return FDefaultValuesProvider; }
  // Stores the provider without telling anyone (the repository item's Properties an editor reads).
  void StoreDefaultValuesProvider(IkvEditDefaultValuesProvider* Provider) { FDefaultValuesProvider = Provider; }
  bool CanModify();
  bool UsesProviderDisplayFormat();
  void RunOnValidate(Variant& DisplayValue, String& ErrorText, bool& Changed, TkvCustomEdit* Editor, bool& Error);
  TPersistent* GetOwner() override { return FOwner; }
  TkvFreeNotificator* GetFreeNotificator() const { return FFreeNotificator.get(); }

  // Published values.
  TkvEditAlignment* GetAlignment();
  bool IsAlignmentStored() const { return FInnerAlignment->IsHorzStored() || FInnerAlignment->IsVertStored(); }
  // Made on first use, so that a descendant's class is the one asked.
  TkvCustomEditPropertiesValues* GetAssignedValues();
  void SetAssignedValues(TkvCustomEditPropertiesValues* Value) { GetAssignedValues()->Assign(Value); }
  bool GetAutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value);
  bool GetBeepOnError() const { return FBeepOnError; }
  void SetBeepOnError(bool Value);
  TkvEditButtons* GetButtons();
  void SetButtons(TkvEditButtons* Value);
  Byte GetButtonsLayout() const { return FButtonsLayout; }
  void SetButtonsLayout(Byte Value);
  TShortCut GetClearKey() const { return FClearKey; }
  void SetClearKey(TShortCut Value);
  TShortCut GetClickKey() const { return FClickKey; }
  void SetClickKey(TShortCut Value);
  bool GetImmediatePost() const { return FImmediatePost; }
  void SetImmediatePost(bool Value);
  void SetMaxValue(double Value);
  void SetMinValue(double Value);
  bool IsMaxValueStored() { return GetAssignedValues()->GetMaxValue(); }
  bool IsMinValueStored() { return GetAssignedValues()->GetMinValue(); }
  bool GetReadOnly();
  void SetReadOnly(bool Value);
  bool IsReadOnlyStored() { return GetAssignedValues()->GetReadOnly(); }
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool GetUseLeftAlignmentOnEditing() const { return FUseLeftAlignmentOnEditing; }
  void SetUseLeftAlignmentOnEditing(bool Value);
  bool IsUseLeftAlignmentOnEditingStored() { return FUseLeftAlignmentOnEditing != DefaultUseLeftAlignmentOnEditing(); }
  bool GetMouseWheelInPlace() const { return FMouseWheelInPlace; }
  void SetMouseWheelInPlace(bool Value);
  bool GetValidateOnEnter() const { return FValidateOnEnter; }
  void SetValidateOnEnter(bool Value);

  TkvEditButtonClickEvent GetOnButtonClick() const { return FOnButtonClick; }
  void SetOnButtonClick(TkvEditButtonClickEvent Value) { FOnButtonClick = Value; }
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
  TNotifyEvent GetOnEditValueChanged() const { return FOnEditValueChanged; }
  void SetOnEditValueChanged(TNotifyEvent Value) { FOnEditValueChanged = Value; }
  TkvEditValidateEvent GetOnValidate() const { return FOnValidate; }
  void SetOnValidate(TkvEditValidateEvent Value) { FOnValidate = Value; }
  TkvEditClosePopupEvent GetOnPopupClosed() const { return FOnPopupClosed; }
  void SetOnPopupClosed(TkvEditClosePopupEvent Value) { FOnPopupClosed = Value; }

 protected:
  bool OwnerIsDestroying();
  // Stores a changed value and reports the change.
  template <class T>
  void Store(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    NotifyChanged();
  }

 private:
  void FreeNotified(TComponent* Component) { ComponentFreed(Component); }

  TPersistent* FOwner;
  std::unique_ptr<TkvFreeNotificator> FFreeNotificator;
  std::unique_ptr<TkvEditAlignment> FAlignment;
  std::unique_ptr<TkvEditAlignment> FInnerAlignment;
  std::unique_ptr<TkvCustomEditPropertiesValues> FAssignedValues;
  std::unique_ptr<TkvEditButtons> FButtons;
  bool FAutoSelect = true;
  bool FBeepOnError = false;
  Byte FButtonsLayout = 0;
  TShortCut FClearKey = 0;
  TShortCut FClickKey = 16397;
  bool FImmediatePost = false;
  double FMaxValue = 0;
  double FMinValue = 0;
  bool FReadOnly = false;
  bool FTransparent = false;
  bool FUseLeftAlignmentOnEditing = true;
  bool FMouseWheelInPlace = true;
  bool FValidateOnEnter = false;
  Integer FUpdateCount = 0;
  bool FChangedWhileLocked = false;
  bool FChangesLocked = false;
  Integer FNotifyingCount = 0;
  IkvEditDefaultValuesProvider* FDefaultValuesProvider = nullptr;
  TNotifyEvent FOnPropertiesChanged;
  TkvEditButtonClickEvent FOnButtonClick;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnEditValueChanged;
  TkvEditValidateEvent FOnValidate;
  TkvEditClosePopupEvent FOnPopupClosed;
};
using TkvCustomEditPropertiesClass = TClassOf<TkvCustomEditProperties>;

// The Properties classes of the editor kinds, by "Name|Description", in case-insensitive order.
TkvRegisteredClasses* EditPropertiesRegistry();
// The first component up Persistent's owner chain (Persistent itself when it is one).
TComponent* OwningComponentOf(TPersistent* Persistent);
// Every live Properties object.
const std::vector<TkvCustomEditProperties*>& LivePropertiesList();

// Editors lent to Properties objects, one entry an editor (a host that shows many Properties
// keeps one editor of each kind and hands it the Properties it shows). Every table is known to
// the unit: a Properties object that goes is cleared from all of them.
class TkvEditorPropertiesSlots {
 public:
  struct TEntry {
    TkvCustomEdit* Editor = nullptr;
    TkvCustomEditProperties* Properties = nullptr;
  };
  TkvEditorPropertiesSlots();
  ~TkvEditorPropertiesSlots();
  TkvEditorPropertiesSlots(const TkvEditorPropertiesSlots&) = delete;
  TkvEditorPropertiesSlots& operator=(const TkvEditorPropertiesSlots&) = delete;

  Integer AddEditor(TkvCustomEdit* Editor);
  // The entry that holds Properties; else, with Create, the first free entry whose editor is of
  // exactly the Properties' editor class receives them; -1 otherwise.
  Integer FindEntry(TkvCustomEditProperties* Properties, bool Create);
  void ClearEntry(TkvCustomEditProperties* Properties);
  Integer Count() const { return static_cast<Integer>(FEntries.size()); }
  const TEntry& Entry(Integer Index) const { return FEntries.at(static_cast<size_t>(Index)); }

 private:
  std::vector<TEntry> FEntries;
};
// Clears Properties from every table (their destructor runs it).
void ClearEditorPropertiesSlots(TkvCustomEditProperties* Properties);

// ---- Buttons -------------------------------------------------------------------------------

enum TkvEditButtonKind { bkEllipsis, bkDown, bkGlyph, bkText };
TAVREN_ENUM_INFO(TkvEditButtonKind, bkEllipsis, bkDown, bkGlyph, bkText);

class TkvEditButton : public TCollectionItem {
  TAVREN_CLASS(TkvEditButton, TCollectionItem)
 public:
  explicit TkvEditButton(TCollection* Collection);
  ~TkvEditButton() override;
  void Assign(TPersistent* Source) override;

  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& Value);
  const String& GetVisibleCaption() const { return FVisibleCaption; }
  TAlignment GetContentAlignment() const { return FContentAlignment; }
  void SetContentAlignment(TAlignment Value) { Store(FContentAlignment, Value); }
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value) { Store(FEnabled, Value); }
  TBitmap* GetGlyph();
  void SetGlyph(TBitmap* Value);
  bool HasGlyph() const { return FGlyph != nullptr; }
  bool IsGlyphStored() const { return FGlyph && !FGlyph->GetEmpty(); }
  const String& GetHint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  TkvEditButtonKind GetKind() const { return FKind; }
  void SetKind(TkvEditButtonKind Value) { Store(FKind, Value); }
  bool GetLeftAlignment() const { return FLeftAlignment; }
  void SetLeftAlignment(bool Value) { Store(FLeftAlignment, Value); }
  bool GetStretchable() const { return FStretchable; }
  void SetStretchable(bool Value) { Store(FStretchable, Value); }
  Integer GetTag() const { return FTag; }
  void SetTag(Integer Value) { FTag = Value; }
  bool IsTagStored() const { return FTag != 0; }
  TColor GetTextColor() const { return FTextColor; }
  void SetTextColor(TColor Value) { Store(FTextColor, Value); }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value) { Store(FVisible, Value); }
  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer Value);

 private:
  template <class T>
  void Store(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Changed(false);
  }
  void GlyphChanged(TObject*) { Changed(false); }

  String FCaption;
  String FVisibleCaption;
  TAlignment FContentAlignment = taCenter;
  bool FDefault = false;
  bool FEnabled = true;
  std::unique_ptr<TBitmap> FGlyph;
  String FHint;
  TkvEditButtonKind FKind = bkDown;
  bool FLeftAlignment = false;
  bool FStretchable = true;
  Integer FTag = 0;
  TColor FTextColor = clBtnText;
  bool FVisible = true;
  Integer FWidth = 0;
};
using TkvEditButtonClass = TClassOf<TkvEditButton>;

class TkvEditButtonsArgs : public TObject {
  TAVREN_CLASS(TkvEditButtonsArgs, TObject)
 public:
  TkvEditButtonsArgs(TPersistent* AOwner, TkvEditButtonClass AItemClass) : Owner(AOwner), ItemClass(AItemClass) {}
  TPersistent* Owner;
  TkvEditButtonClass ItemClass;
};

class TkvEditButtons : public TCollection {
  TAVREN_CLASS(TkvEditButtons, TCollection)
 public:
  using TCreateArg = TkvEditButtonsArgs*;
  explicit TkvEditButtons(TkvEditButtonsArgs* Args);
  static TkvEditButtonClass ButtonClass() { return TkvEditButton::ClassInfo(); }

  TkvEditButton* AddButton() { return static_cast<TkvEditButton*>(Add()); }
  TkvEditButton* GetButton(Integer Index) const { return static_cast<TkvEditButton*>(GetItems(Index)); }
  Integer VisibleCount() const;
  TPersistent* GetOwner() override { return FOwner; }
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TPersistent* FOwner;
  TNotifyEvent FOnChange;
};

// The look of editor buttons.
enum TkvEditButtonStyle { btsDefault, bts3D, btsFlat, btsSimple, btsHotFlat, btsUltraFlat, btsOffice11 };
TAVREN_ENUM_INFO(TkvEditButtonStyle, btsDefault, bts3D, btsFlat, btsSimple, btsHotFlat, btsUltraFlat, btsOffice11);

// Button states of a view info.
constexpr Integer ebsDisabled = 0;
constexpr Integer ebsNormal = 1;
constexpr Integer ebsPressed = 2;
constexpr Integer ebsSelected = 3;

// What a view info knows of one button: where it is, how it looks, what it shows.
class TkvEditButtonViewInfo : public TPersistent {
  TAVREN_CLASS(TkvEditButtonViewInfo, TPersistent)
 public:
  TkvEditButtonViewInfo() = default;
  void Assign(TPersistent* Source) override;
  // An empty region when nothing visible differs from Older; else the bounds.
  virtual TkvRegion* GetUpdateRegion(TkvEditButtonViewInfo* Older);
  // Invalidates the bounds moved by Origin on Control's window when something visible differs.
  virtual bool Repaint(TWinControl* Control, TkvEditButtonViewInfo* Older, const TPoint& Origin);

  TRect Bounds;
  TColor BackgroundColor = clBtnFace;
  String Caption;
  TAlignment ContentAlignment = taCenter;
  bool Default = false;
  bool Gradient = false;
  bool Inplace = false;
  TkvEditButtonKind Kind = bkDown;
  bool LeftAlignment = false;
  bool GroupStart = false;
  bool NativeStyle = false;
  bool GroupEnd = false;
  Integer State = ebsNormal;
  TkvEditButtonStyle ButtonStyle = btsDefault;
  TColor TextColor = clBtnText;
  bool Transparent = false;
  String VisibleCaption;
  bool PartiallyTransparent = false;
  bool ComboDropButton = false;
  Integer NativePart = 0;
  Integer NativeState = 0;
  TBitmap* Glyph = nullptr;
  bool HasBackground = false;
  Integer Index = -1;
  bool Stretchable = true;
  TRect VisibleBounds;
  Integer Width = 0;

 private:
  bool LooksLike(const TkvEditButtonViewInfo* Older) const;
};

// ---- Repository ----------------------------------------------------------------------------

// An editor that uses a repository item hears of its changes and of its end.
class IkvEditRepositoryItemListener : public virtual IInterface {
  TAVREN_INTERFACE(IkvEditRepositoryItemListener)
 public:
  virtual void ItemRemoved(TkvEditRepositoryItem* Sender) = 0;
  virtual void ItemPropertiesChanged(TkvEditRepositoryItem* Sender) = 0;
};

class TkvEditRepositoryItem : public TComponent {
  TAVREN_CLASS(TkvEditRepositoryItem, TComponent)
 public:
  explicit TkvEditRepositoryItem(TComponent* AOwner)
      : TkvEditRepositoryItem(AOwner, TkvCustomEditProperties::ClassInfo()) {}
  ~TkvEditRepositoryItem() override;

  virtual void PropertiesChanged(TObject* Sender);
  virtual void AddListener(IkvEditRepositoryItemListener* Listener);
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomEditProperties::ClassInfo(); }
  virtual void GetBaseName(String& Name);
  virtual void RemoveListener(IkvEditRepositoryItemListener* Listener);

  TkvCustomEditProperties* GetProperties() const { return FProperties.get(); }
  void SetProperties(TkvCustomEditProperties* Value) { FProperties->Assign(Value); }
  TkvEditRepository* GetRepository() const { return FRepository; }
  void SetRepository(TkvEditRepository* Value);
  Integer ListenerCount() const { return static_cast<Integer>(FListeners.size()); }
  TNotifyEvent GetPropertiesEvents() const { return FPropertiesEvents; }
  void SetPropertiesEvents(TNotifyEvent Value) { FPropertiesEvents = Value; }

  TComponent* GetParentComponent() override;
  bool HasParent() override { return FRepository != nullptr; }

 protected:
  // Descendants name the class of their Properties: a constructor cannot ask its own virtuals.
  TkvEditRepositoryItem(TComponent* AOwner, TkvCustomEditPropertiesClass APropertiesClass);
  void ReadState(TReader* Reader) override;
  void SetParentComponent(TComponent* Value) override;

 private:
  TkvEditRepository* FRepository = nullptr;
  std::unique_ptr<TkvCustomEditProperties> FProperties;
  std::vector<IkvEditRepositoryItemListener*> FListeners;
  TNotifyEvent FPropertiesEvents;
};
using TkvEditRepositoryItemClass = TClassOf<TkvEditRepositoryItem>;

class TkvEditRepository : public TComponent {
  TAVREN_CLASS(TkvEditRepository, TComponent)
 public:
  explicit TkvEditRepository(TComponent* AOwner) : TComponent(AOwner) {}
  ~TkvEditRepository() override;

  virtual TkvEditRepositoryItem* CreateItem(TkvEditRepositoryItemClass ItemClass);
  virtual TkvEditRepositoryItem* CreateItemEx(TkvEditRepositoryItemClass ItemClass, TComponent* AOwner);

  Integer Count() const { return static_cast<Integer>(FItems.size()); }
  TkvEditRepositoryItem* GetItem(Integer Index) const { return FItems.at(Index); }
  void AddItem(TkvEditRepositoryItem* Item);
  void RemoveItem(TkvEditRepositoryItem* Item);

 protected:
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

 private:
  std::vector<TkvEditRepositoryItem*> FItems;
};

// ---- Styles --------------------------------------------------------------------------------

enum TkvEditBorderStyle { ebsNone, ebsSingle, ebsThick, ebsFlat, ebs3D, ebsUltraFlat, ebsOffice11 };
TAVREN_ENUM_INFO(TkvEditBorderStyle, ebsNone, ebsSingle, ebsThick, ebsFlat, ebs3D, ebsUltraFlat, ebsOffice11);
enum TkvEditButtonTransparency { ebtNone, ebtInactive, ebtAlways, ebtHideInactive, ebtHideUnselected };
TAVREN_ENUM_INFO(TkvEditButtonTransparency, ebtNone, ebtInactive, ebtAlways, ebtHideInactive, ebtHideUnselected);
enum TkvEditPopupBorderStyle { epbsDefault, epbsSingle, epbsFrame3D, epbsFlat };
TAVREN_ENUM_INFO(TkvEditPopupBorderStyle, epbsDefault, epbsSingle, epbsFrame3D, epbsFlat);
using TkvEditGradientDirection = TkvDirection;
TAVREN_ENUM_INFO(TkvDirection, dirNone, dirLeft, dirRight, dirUp, dirDown);

// Style values of the editors, after the container's ten.
constexpr TkvContainerStyleValue svButtonStyle = 10;
constexpr TkvContainerStyleValue svButtonTransparency = 11;
constexpr TkvContainerStyleValue svPopupBorderStyle = 12;
constexpr TkvContainerStyleValue svGradientButtons = 13;
constexpr TkvContainerStyleValue svGradient = 14;
constexpr TkvContainerStyleValue svGradientDirection = 15;

class TkvEditStyleController;

class TkvCustomEditStyle : public TkvContainerStyle {
  TAVREN_CLASS(TkvCustomEditStyle, TkvContainerStyle)
 public:
  explicit TkvCustomEditStyle(TkvContainerStyleArgs* Args);
  void Assign(TPersistent* Source) override;

  // Virtual operations, in the order descendants know them.
  virtual TkvEditButtonStyle DefaultButtonStyle();
  virtual TkvEditButtonTransparency DefaultButtonTransparency();
  virtual bool DefaultGradient();
  virtual bool DefaultGradientButtons();
  virtual TkvEditGradientDirection DefaultGradientDirection();
  virtual TkvEditPopupBorderStyle DefaultPopupBorderStyle();

  TkvEditButtonStyle GetButtonStyle();
  void SetButtonStyle(TkvEditButtonStyle Value);
  TkvEditButtonTransparency GetButtonTransparency();
  void SetButtonTransparency(TkvEditButtonTransparency Value);
  bool GetGradient();
  void SetGradient(bool Value);
  bool GetGradientButtons();
  void SetGradientButtons(bool Value);
  TkvEditGradientDirection GetGradientDirection();
  void SetGradientDirection(TkvEditGradientDirection Value);
  TkvEditPopupBorderStyle GetPopupBorderStyle();
  void SetPopupBorderStyle(TkvEditPopupBorderStyle Value);
  bool GetShowPopupCloseButton();
  void SetShowPopupCloseButton(bool Value);
  TkvEditBorderStyle GetBorderStyle() { return static_cast<TkvEditBorderStyle>(TkvContainerStyle::GetBorderStyle()); }
  void SetBorderStyle(TkvEditBorderStyle Value) {
    TkvContainerStyle::SetBorderStyle(static_cast<TkvContainerBorderStyle>(Value));
  }
  TkvEditStyleController* GetStyleController();
  void SetStyleController(TkvEditStyleController* Value);

  bool IsEditValueStored(TkvContainerStyleValue Value) { return IsValueStored(Value); }

  TkvStyleController* DefaultStyleController() override;
  TkvContainerStyleValues BaseOnlyStyleValues() override;
  Integer StyleValueCount() override { return 16; }
  bool StyleValueName(TkvContainerStyleValue Value, String& Name) override;
  bool IsValueAssigned(TkvContainerStyleValue Value) override;

 private:
  TkvCustomEditStyle* ParentEditStyle() { return static_cast<TkvCustomEditStyle*>(RootStyle()); }
  // The style that holds Value: its own when assigned, else the controller's of the same state.
  TkvCustomEditStyle* FindEditValueStyle(TkvContainerStyleValue Value);
  template <class T>
  void StoreValue(T& Field, T Value, TkvContainerStyleValue Bit);

  TkvEditButtonStyle FButtonStyle = btsDefault;
  TkvEditButtonTransparency FButtonTransparency = ebtNone;
  bool FGradient = false;
  bool FGradientButtons = false;
  TkvEditGradientDirection FGradientDirection = dirDown;
  TkvEditPopupBorderStyle FPopupBorderStyle = epbsDefault;
  bool FShowPopupCloseButton = true;
};

// The published style of editors.
class TkvEditStyle : public TkvCustomEditStyle {
  TAVREN_CLASS(TkvEditStyle, TkvCustomEditStyle)
 public:
  using TkvCustomEditStyle::TkvCustomEditStyle;
  bool IsEditBorderStyleStored() { return IsEditValueStored(svBorderStyle); }
  bool IsButtonStyleStored() { return IsEditValueStored(svButtonStyle); }
  bool IsButtonTransparencyStored() { return IsEditValueStored(svButtonTransparency); }
  bool IsGradientStored() { return IsEditValueStored(svGradient); }
  bool IsGradientDirectionStored() { return IsEditValueStored(svGradientDirection); }
  bool IsPopupBorderStyleStored() { return IsEditValueStored(svPopupBorderStyle); }
  bool IsEditStyleControllerStored() { return IsStyleControllerStored(); }
};

class TkvEditStyleController : public TkvStyleController {
  TAVREN_CLASS(TkvEditStyleController, TkvStyleController)
 public:
  explicit TkvEditStyleController(TComponent* AOwner)
      : TkvStyleController(AOwner, TkvEditStyle::ClassInfo(), TkvContainerStyles::ClassInfo()) {}

  TkvEditStyle* GetStyle() const { return State(kvcsNormal); }
  void SetStyle(TkvEditStyle* Value) { GetStyles()->SetNormalStyle(Value); }
  TkvEditStyle* GetStyleDisabled() const { return State(kvcsDisabled); }
  void SetStyleDisabled(TkvEditStyle* Value) { GetStyles()->SetDisabledStyle(Value); }
  TkvEditStyle* GetStyleFocused() const { return State(kvcsFocused); }
  void SetStyleFocused(TkvEditStyle* Value) { GetStyles()->SetFocusedStyle(Value); }
  TkvEditStyle* GetStyleHot() const { return State(kvcsHot); }
  void SetStyleHot(TkvEditStyle* Value) { GetStyles()->SetHotStyle(Value); }

 private:
  TkvEditStyle* State(Byte S) const { return static_cast<TkvEditStyle*>(GetStateStyle(S)); }
};

// The controller of every editor that names none (also the container unit's default).
TkvEditStyleController* DefaultEditStyleController();

// ---- View info and view data ---------------------------------------------------------------

// Container states of an editor's view: normal, active (focused), disabled, hot.
constexpr Byte kvesNormal = 1;
constexpr Byte kvesActive = 2;
constexpr Byte kvesDisabled = 4;
constexpr Byte kvesHot = 8;

// The frame and content offsets an editor lays its content out by.
struct TkvContentParams {
  TRect ExternalBorderBounds;
  TRect Offsets;
  Byte Correction1 = 0;
  Byte Correction2 = 0;
  Integer HeightCorrection = 0;
};

// What an auto-sized editor asks of its layout: a height (-1: any), a line count and a width
// (below 0: any).
struct TkvEditSizeRequest {
  Integer Height = -1;
  Integer LineCount = 1;
  Integer Width = -1;
};

using TkvEditButtonStateEvent = TEvent<void(TObject* Sender, Integer& State)>;
using TkvEditButtonTextColorEvent = TEvent<TColor(TObject* Sender, Integer Index)>;
using TkvEditDefaultButtonWidthEvent = TEvent<void(TObject* Sender, Integer Index, Integer& Width)>;
using TkvEditDisplayTextEvent = TEvent<void(TObject* Sender, String& Text)>;
// Custom drawing of an editor's view. A handler sets Done when it painted the part itself; asked
// with no canvas, it says whether it would.
using TkvEditPaintEvent = TEvent<void(TObject* Sender, TkvCanvas* Canvas)>;
using TkvEditDrawBackgroundEvent = TEvent<void(TObject* Sender, TkvCanvas* Canvas, bool& Done)>;
using TkvEditDrawButtonEvent = TEvent<void(TObject* Sender, TkvCanvas* Canvas, Integer Index, bool& Done)>;
using TkvEditDrawButtonBackgroundEvent =
    TEvent<void(TObject* Sender, TkvCanvas* Canvas, Integer Index, const TRect& R, bool& Done)>;
using TkvEditDrawButtonBorderEvent = TEvent<void(TObject* Sender, TkvCanvas* Canvas, Integer Index,
                                                 TRect& BackgroundRect, TRect& ContentRect, bool& Done)>;

// How an editor's view gets its background.
enum TkvEditBackgroundKind {
  ebkCustom,          // the draw-background event paints it
  ebkWithButtons,     // the editor's colour, with the frame and the buttons
  ebkNone,            // nothing: an in-place host shows through
  ebkSolid,           // the editor's colour
  ebkParentImage,     // a copy of what the parent shows behind the editor
  ebkParentBackground // the parent's own background
};

// What an editor's layout computed: bounds, border, colours, states and one button view info
// per visible button.
class TkvCustomEditViewInfo : public TkvContainerViewInfo {
  TAVREN_CLASS(TkvCustomEditViewInfo, TkvContainerViewInfo)
 public:
  TkvCustomEditViewInfo() = default;
  ~TkvCustomEditViewInfo() override;
  void CopyFrom(TkvContainerViewInfo* Other) override;
  void MoveBy(Integer DX, Integer DY) override;

  TkvContainerBorderStyle EffectiveBorderStyle() override { return BorderStyle; }
  void PaintContent(TkvCanvas* Canvas) override;
  TkvRegion* ChangedArea(TkvContainerViewInfo* Older) override;
  // The paint event, then the container's painting.
  void Draw(TkvCanvas* Canvas) override;

  // Virtual operations, in the order descendants know them. The button frames take the button
  // rectangle, draw their lines inside it and hand back what is left for the background, the
  // colours and the content rectangle.
  virtual TClassOf<TkvEditButtonViewInfo> GetButtonViewInfoClass() { return TkvEditButtonViewInfo::ClassInfo(); }
  virtual bool RepaintsOnStateChange() { return true; }
  virtual void DrawButton(TkvCanvas* Canvas, Integer Index);
  virtual void SetDrawBackgroundHandler(TkvEditDrawBackgroundEvent Handler) { OnDrawBackground = Handler; }
  virtual void Draw3DButtonBorder(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button, TColor& Background,
                                  TColor& TextColor, TRect& Content, TRect& R);
  virtual void DrawFlatButtonBorder(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button, TColor& Background,
                                    TColor& TextColor, TRect& Content, TRect& R);
  virtual void DrawHotFlatButtonBorder(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button, TColor& Background,
                                       TColor& TextColor, TRect& Content, TRect& R);
  virtual void DrawNativeButtonFrame(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button, TColor& Background,
                                     TColor& TextColor, TRect& Content, TRect& R);
  virtual void DrawSimpleButtonBorder(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button, TColor& Background,
                                      TColor& TextColor, TRect& Content, TRect& R);
  virtual void DrawUltraFlatButtonBorder(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button, TColor& Background,
                                         TColor& TextColor, TRect& Content, TRect& R, bool Office11);
  virtual void DrawNativeButtonBackground(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button, const TRect& R);
  virtual void DrawButtonBackground(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button, const TRect& R, TColor Color);
  virtual void DrawButtonClipped(TkvCanvas* Canvas, Integer Index);
  // The theme's frame of a native-style editor and the fill inside it (Mode: 0 an edit, 1 a
  // combo's text, 2 a button-like face).
  virtual void DrawNativeFrame(TkvCanvas* Canvas, bool FillWhole, TColor Color, Integer Mode);
  virtual void DrawButtonBorder(TkvCanvas* Canvas, Integer Index, TRect& R, TRect& Content, TColor& TextColor,
                                TColor& Background);
  virtual void DrawButtonContent(TkvCanvas* Canvas, Integer Index, const TRect& R, TColor TextColor,
                                 TColor Background, bool Offset);
  virtual bool HasTextButton() const;
  // Whether a point (relative to the view's origin) lies on a button.
  virtual bool PointOnButton(const TPoint& P) const;
  // What a hint at P concerns: the hot button's index in the collection, -1 the editor (over its
  // border rectangle), -2 nothing; Area is where that hint holds (a button's bounds, the border
  // rectangle up to the right-aligned buttons), Text the hot button's short hint.
  virtual Integer GetHint(const TPoint& P, TRect& Area, String& Text);
  // The hot button's hint: its short text and the rectangle of a hint window showing it below the
  // cursor at P (screen coordinates); answers whether there is a text.
  virtual bool GetButtonHint(const TPoint& P, TRect& R, bool& IsButton, String& Text);
  // The font text buttons are drawn with; descendants adjust it.
  virtual void PrepareCanvasFont(TkvCanvas* Canvas) { Canvas->AssignFont(Font); }
  bool Repaint(TWinControl* Control, TkvCustomEditViewInfo* Older) { return RepaintDifference(Control, TRect(), Older); }
  // Invalidates on Control's window what differs from Older outside Inner; answers whether a
  // button or the whole changed.
  virtual bool RepaintDifference(TWinControl* Control, const TRect& Inner, TkvCustomEditViewInfo* Older);

  void DrawButtons(TkvCanvas* Canvas);
  bool IsTransparent() const;
  // Makes or frees button view infos until there are Count.
  void SetButtonCount(Integer Count);
  Integer ButtonCount() const { return static_cast<Integer>(Buttons.size()); }

  // Backgrounds. DrawBackgroundByKind paints R (without Excluded unless Keep) the way
  // GetBackgroundKind says; DrawBackgroundByEvent answers whether an in-place host's event
  // painted it.
  TkvEditBackgroundKind GetBackgroundKind();
  void DrawBackgroundByKind(TkvCanvas* Canvas, const TRect& R, const TRect& Excluded, bool Keep);
  bool DrawBackgroundByEvent(TkvCanvas* Canvas);
  bool DrawBackgroundByEventAt(TkvCanvas* Canvas, const TPoint& Offset);
  bool HasCustomBackground();
  bool IsBackgroundBorrowed() {
    TkvEditBackgroundKind kind = GetBackgroundKind();
    return kind != ebkWithButtons && kind != ebkSolid;
  }
  bool IsButtonHighlighted(Integer Index) const {
    return Buttons[Index]->State == ebsPressed || Buttons[Index]->State == ebsSelected;
  }
  // The colours a skin gives a button, unless the active style assigns its own.
  void GetPainterColors(TkvEditButtonViewInfo* Button, TColor& Background, TColor& TextColor);

  TkvCustomEdit* Edit = nullptr;
  TkvCustomEditProperties* Properties = nullptr;
  std::vector<std::unique_ptr<TkvEditButtonViewInfo>> Buttons;
  Integer PressedButton = -1;
  Integer HotButton = -1;
  bool MouseActivity = false;
  TkvContainerState PreviousState;
  TColor TextColor = clWindowText;
  TFont* Font = nullptr;
  TRect InnerEditRect;
  TRect ShadowRect;
  TRect BorderExtent;
  bool Enabled = true;
  bool Focused = false;
  bool HasBackground = false;
  bool HasInnerEdit = false;
  bool PaintsDataCopy = false;
  bool IsContainerInnerControl = false;
  bool Designing = false;
  bool Inplace = false;
  bool Selected = false;
  bool HasContentOffsets = false;
  bool Transparent = false;
  Byte PaintOptions = 0;
  HWND WindowHandle = nullptr;
  TkvEditPopupBorderStyle PopupBorderStyle = epbsDefault;
  TkvEditButtonStateEvent OnButtonState;
  TkvEditButtonTextColorEvent OnButtonTextColor;
  TkvEditPaintEvent OnPaint;
  TkvEditDrawBackgroundEvent OnDrawBackground;
  TkvEditDrawButtonEvent OnDrawButton;
  TkvEditDrawButtonBackgroundEvent OnDrawButtonBackground;
  TkvEditDrawButtonBorderEvent OnDrawButtonBorder;

 private:
  bool FPaintingButtons = false;
};

// The background, frame and buttons of an editor's view (FillWhole: also the area inside the
// border; Mode: the native frame's variant).
void DrawEditBackgroundAndButtons(TkvCanvas* Canvas, TkvCustomEditViewInfo* ViewInfo, bool FillWhole, Integer Mode);
using TkvCustomEditViewInfoClass = TClassOf<TkvCustomEditViewInfo>;

// The constructor arguments of a view data, so that a view data class reference can create one.
class TkvCustomEditViewDataArgs : public TObject {
  TAVREN_CLASS(TkvCustomEditViewDataArgs, TObject)
 public:
  TkvCustomEditViewDataArgs(TkvCustomEditProperties* AProperties, bool AInplace, TkvCustomEditStyle* AStyle)
      : Properties(AProperties), Inplace(AInplace), Style(AStyle) {}
  TkvCustomEditProperties* Properties;
  bool Inplace;
  TkvCustomEditStyle* Style;
};

// The bounds an editor is laid out in to measure it: far beyond any screen, yet small enough that
// the layout's sums, differences and scaled sizes stay within int.
inline constexpr TRect kvMeasuringBounds{0, 0, 0x100000, 0x100000};

// Computes an editor's geometry and state into a view info; needs no editor, so grids lay cells
// out with Properties alone.
class TkvCustomEditViewData : public TPersistent {
  TAVREN_CLASS(TkvCustomEditViewData, TPersistent)
 public:
  using TCreateArg = TkvCustomEditViewDataArgs*;
  explicit TkvCustomEditViewData(TkvCustomEditViewDataArgs* Args);

  // Virtual operations, in the order descendants know them.
  virtual void FillButtonNativeState(TkvEditButtonViewInfo* Button);
  virtual bool CanPressButton(TkvCustomEditViewInfo*, Integer) { return true; }
  virtual Byte GetContainerState(const TRect& Bounds, const TPoint& P, Integer Button, TShiftState Shift,
                                 bool IsMouseEvent);
  virtual void GetDefaultContentOffsets(TRect& R);
  virtual Integer GetNativeState();
  virtual void InitFromProperties();
  virtual Integer InitContentParams(TkvContentParams& Params);
  virtual void InitDefaults();
  virtual void EditValueToDisplayText(const Variant&, String& Text) { Text.clear(); }
  virtual void MeasureButtonsHeight(TkvCanvas* Canvas, bool Inplace, const TkvEditSizeRequest& Request, TSize& Minimum,
                                    TkvCustomEditViewInfo* ViewInfo, TSize& NonClient);
  virtual void GetDefaultContentSize(TSize& Size) { Size = TSize{0, 0}; }
  virtual bool IsButtonPressed(TkvCustomEditViewInfo*, Integer) { return false; }
  virtual void ComputeViewInfo(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P, Integer Button,
                               TShiftState Shift, TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent);
  virtual void PlaceButton(TkvCanvas* Canvas, TkvCustomEditViewInfo* ViewInfo, Integer Index, TRect& R);
  virtual void ComputeButtons(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P, Integer Button,
                              TShiftState Shift, TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent);
  virtual void FillButtonViewInfo(TkvCanvas* Canvas, TkvCustomEditViewInfo* ViewInfo, TkvEditButton* Button,
                                  TkvEditButtonViewInfo* Info);
  virtual void StretchButtons(TkvCustomEditViewInfo* ViewInfo, Integer Total, Integer Remaining);
  virtual void LoadDisplayValue(TkvCanvas*, const Variant&, TkvCustomEditViewInfo*) {}
  virtual TColor GetBorderColor();
  virtual void GetBorderExtent(TRect& R);
  virtual TkvEditBorderStyle GetBorderStyle();
  virtual void GetContentBorderExtent(TkvCanvas* Canvas, TRect& R);
  virtual void GetClientExtent(TkvCanvas* Canvas, TkvCustomEditViewInfo* ViewInfo, TRect& R);
  virtual void MeasureContent(TkvCanvas* Canvas, const TkvEditSizeRequest& Request, TSize& Minimum, TkvCustomEditViewInfo* ViewInfo,
                              TSize& NonClient);
  virtual void GetEditContentSize(TkvCanvas* Canvas, const Variant& Value, const TkvEditSizeRequest& Request, TSize& Size);
  virtual void GetContentOffsetSize(TSize& Size);
  virtual bool HasShadow();
  virtual bool IsButtonFixedWidth(Integer) { return false; }
  static bool UsesNativeLook(TkvLookAndFeel* LookAndFeel);

  void FillBorderInfo(TkvCustomEditViewInfo* ViewInfo);
  void EditValueToText(const Variant& Value, String& Text);
  TkvEditButtonStyle GetButtonStyle();
  void GetColors(TColor& Background, TColor& Text);
  Byte GetPaintOptions();
  TkvCustomEditStyle* GetEditStyle() const { return FStyle; }
  void SetEditStyle(TkvCustomEditStyle* Value) { FStyle = Value; }
  // Auto size: what borders, buttons and content take for Value.
  void GetEditSize(TkvCanvas* Canvas, const Variant& Value, TSize& Size, const TkvEditSizeRequest& Request);
  // Keeps Size within the editor's constraints (not in place).
  void ConstrainEditSize(TSize& Size);
  void FireDisplayText(String& Text) { FOnDisplayText(this, Text); }
  Integer DoGetDefaultButtonWidth(Integer Index);
  Integer CaptureButtonIndex();
  bool IsEditFormatActive();
  TkvEditPopupBorderStyle ResolvePopupBorderStyle();

  TkvCustomEditProperties* Properties;
  bool Inplace;
  bool CreationFlag = false;
  TkvCustomEdit* Edit = nullptr;
  HWND WindowHandle = nullptr;
  TRect Bounds;
  bool StretchesButtons = false;
  Integer VisibleButtonCount = 0;
  Byte ContainerState = kvesNormal;
  TRect InplaceBorderOffsets;
  TkvContentParams ContentParams;
  bool Enabled = true;
  bool Focused = false;
  bool Designing = false;
  bool Selected = false;
  TAlignment HorzAlignment = taLeftJustify;
  TkvEditVertAlignment VertAlignment = taTopJustify;
  bool UnfocusedRaw = true;
  bool NativeStyle = false;
  bool HasHorzScrollBar = false;
  bool HasVertScrollBar = false;
  TWinControl* InnerEdit = nullptr;
  TColor Color1 = clDefault;
  TColor Color2 = clDefault;
  Integer LeftGroupLeftmost = -1;
  Integer LeftGroupRightmost = -1;
  Integer RightGroupLeftmost = -1;
  Integer RightGroupRightmost = -1;
  Byte PaintOptionsByte = 0;
  TkvEditDefaultButtonWidthEvent OnDefaultButtonWidth;

 private:
  void ComputeButtonStates(const TPoint& P, Integer Button, TShiftState Shift, TkvCustomEditViewInfo* ViewInfo,
                           Integer PreviousPressed);
  void SetEdgeFlags(TkvCustomEditViewInfo* ViewInfo);
  TkvCustomEditStyle* FStyle;
  TkvEditDisplayTextEvent FOnDisplayText;
};
using TkvCustomEditViewDataClass = TClassOf<TkvCustomEditViewData>;

// Button metrics and the shadow test of editors' layouts.
Integer EditButtonWidth(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button);
Integer EditButtonsContentVerticalOffset(TkvCanvas* Canvas, TkvEditButtonStyle ButtonStyle, bool Native);
Integer NativeInnerEditHeightCorrection(TkvCustomEditProperties* Properties, bool Inplace);
bool EditViewHasShadow(TkvCustomEditViewData* ViewData);

// ---- Inner edit ----------------------------------------------------------------------------

// The editor's view of the native control that does its typing. InnerControl and HostContainer
// (the owning editor) come from the container's interface.
class IkvCustomInnerEdit : public virtual IkvContainerInnerControl {
  TAVREN_INTERFACE(IkvCustomInnerEdit)
 public:
  // The native control's own window procedure, past every subclass.
  virtual LRESULT DefaultWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam) = 0;
  virtual void ReadInnerValue(Variant& Value) = 0;
  virtual TNotifyEvent GetChangeHandler() = 0;
  virtual bool IsInnerReadOnly() = 0;
  // While frozen (counted), the control ignores SetBounds.
  virtual void FreezeBounds(bool Freeze) = 0;
  // Focuses the control without letting it select its whole text.
  virtual void SetFocusSafely() = 0;
  virtual void WriteInnerValue(const Variant& Value) = 0;
  virtual void SetEditorParent(TWinControl* Editor) = 0;
  virtual void SetChangeHandler(TNotifyEvent Handler) = 0;
  virtual void SetInnerReadOnly(bool Value) = 0;
};

// An inner control whose inner-edit side is a companion object hands that out.
class IkvInnerEditProvider : public virtual IInterface {
  TAVREN_INTERFACE(IkvInnerEditProvider)
 public:
  virtual IkvCustomInnerEdit* ProvidedInnerEdit() = 0;
};

// ---- Editor control ------------------------------------------------------------------------

// Defers an editor's OnChange and OnEditValueChanged while it runs a compound operation.
class TkvEditChangeEventsCatcher : public TObject {
  TAVREN_CLASS(TkvEditChangeEventsCatcher, TObject)
 public:
  explicit TkvEditChangeEventsCatcher(TkvCustomEdit* AEdit) : FEdit(AEdit) {}
  bool IsLocked() const { return FLockCount > 0; }
  void Lock(bool ALock, bool Replay);
  bool PendingChange = false;
  bool PendingEditValueChanged = false;

 private:
  TkvCustomEdit* FEdit;
  Integer FLockCount = 0;
};

// The editor's link to the data it edits; the base keeps the value in the editor itself.
class TkvEditDataBinding : public TPersistent {
  TAVREN_CLASS(TkvEditDataBinding, TPersistent)
 public:
  using TCreateArg = TkvCustomEdit*;
  explicit TkvEditDataBinding(TkvCustomEdit* AEdit);
  ~TkvEditDataBinding() override;

  // Virtual operations, in the order descendants know them.
  virtual void DefaultValuesChanged();
  virtual void GetDisplayValue(Variant& Value);
  virtual bool IsModified();
  virtual bool IsEditing();
  virtual void GetStoredValue(Variant& Value);
  virtual void Reset();
  virtual void SetDisplayValue(const Variant& Value);
  virtual bool SetEditMode();
  virtual void SetStoredValue(const Variant&) {}
  virtual bool IsValueCurrent();
  virtual bool CanPostEditValue() { return IsEditing(); }
  virtual bool ExecuteAction(TBasicAction*) { return false; }
  virtual TClassOf<TkvCustomEditDefaultValuesProvider> GetDefaultValuesProviderClass();
  virtual void SetModified();
  virtual bool UpdateAction(TBasicAction*) { return false; }
  virtual void UpdateDisplayValue();
  virtual void RefreshDataLink() {}

  IkvEditDefaultValuesProvider* GetDefaultValuesProvider();
  bool HasData() { return GetDefaultValuesProvider()->HasData(); }
  TPersistent* GetOwner() override;
  TkvCustomEdit* GetEdit() const { return FEdit; }

 private:
  TkvCustomEdit* FEdit;
  // Made on first use, so that a descendant's class is the one asked.
  std::unique_ptr<TkvCustomEditDefaultValuesProvider> FProvider;
};
using TkvEditDataBindingClass = TClassOf<TkvEditDataBinding>;

// The link of a data-aware editor, declared here for the editor units to build on.
class TkvDataBinding : public TkvCustomDataBinding {
  TAVREN_CLASS(TkvDataBinding, TkvCustomDataBinding)
 public:
  using TkvCustomDataBinding::TkvCustomDataBinding;
};

// What an in-place editor keeps between activations; it forgets the editor when that goes.
class TkvCustomEditData : public TObject {
  TAVREN_CLASS(TkvCustomEditData, TObject)
 public:
  using TCreateArg = TkvCustomEdit*;
  explicit TkvCustomEditData(TkvCustomEdit* AEdit);
  ~TkvCustomEditData() override;
  void Clear();
  bool Cleared = false;
  TkvCustomEdit* GetEdit() const { return FEdit; }

 private:
  void EditFreed(TComponent* Component);
  TkvCustomEdit* FEdit;
  std::unique_ptr<TkvFreeNotificator> FNotificator;
};

using TkvEditEditingEvent = TEvent<void(TObject* Sender, bool& CanEdit)>;

// The control class of every editor: an edit value held as a variant, a display text its
// descendant owns, the modification bookkeeping, validation, posting to a data binding,
// deferred change events, the clear and click keys, Esc restoring the value and settings shared
// through a repository item.
class TkvCustomEdit : public TkvContainer, public IkvEditRepositoryItemListener {
  TAVREN_CLASS(TkvCustomEdit, TkvContainer)
  TAVREN_MESSAGES()
  // The inner text edit hands its keys, mouse and drag traffic to the editor's handlers.
  friend class TkvCustomInnerTextEdit;
  friend class TkvCustomInnerMemo;

 public:
  explicit TkvCustomEdit(TComponent* AOwner) : TkvCustomEdit(AOwner, false, TkvCustomEditProperties::ClassInfo()) {}
  ~TkvCustomEdit() override;

  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
  void ItemRemoved(TkvEditRepositoryItem* Sender) override;
  void ItemPropertiesChanged(TkvEditRepositoryItem* Sender) override;
  // An action offered to the editor: its own handling first, then its data binding's.
  bool ExecuteAction(TBasicAction* Action) override;
  bool UpdateAction(TBasicAction* Action) override;

  // Virtual operations, in the order descendants know them.
  virtual bool GrowsLeftOnAutoSize() { return false; }
  // Puts the inner edit on the view info's client rectangle.
  virtual void PlaceInnerEdit();
  virtual void EndPosting() { FPosting = false; }
  virtual void BeginPosting() { FPosting = true; }
  virtual bool AutoSizeAllowed() { return !FInplace && GetAutoSize(); }
  virtual bool AutoWidthAllowed() { return GetEffectiveProperties()->GetButtonsLayout() == 2; }
  virtual bool IsModifyingKey(Word, TShiftState) { return false; }
  virtual bool IsModifyingChar(Char) { return false; }
  virtual bool ModificationAllowed();
  virtual void HandleInnerEditChange();
  // An inner edit of the class GetInnerEditClass names, or none.
  virtual void CreateInnerEdit(IkvCustomInnerEdit*& InnerEdit);
  // A view data of the effective Properties for the active style, linked to this editor; the
  // caller frees it.
  virtual TkvCustomEditViewData* MakeViewData();
  virtual void ClickDefaultButton();
  virtual void ButtonClick(Integer VisibleIndex);
  virtual void AfterButtonDown(Integer) {}
  virtual void AfterButtonUp(Integer) {}
  virtual void HandleKeyDown(Word& Key, TShiftState Shift);
  virtual void HandleKeyPress(Char& Character);
  virtual void HandleKeyUp(Word&, TShiftState) {}
  virtual void BeforeTabNavigation(TShiftState) {}
  virtual void HandleFocusChanged();
  virtual void FireChange();
  virtual void FireEditValueChanged();
  virtual void HandleEnter();
  // What auto size measures for: any height, one line, the current width.
  virtual void GetSizeRequest(TkvEditSizeRequest& Request);
  virtual void GetEmptyValue(Variant& Value) { Value = Null(); }
  virtual TkvEditDataBindingClass GetDataBindingClass() { return TkvEditDataBinding::ClassInfo(); }
  virtual void ReadDisplayText(String& Text) { Text.clear(); }
  // The class of the state an in-place editor keeps between activations; none in the base.
  virtual TClassOf<TkvCustomEditData> GetEditDataClass() { return TClassOf<TkvCustomEditData>(); }
  virtual void GetCurrentValue(Variant& Value);
  virtual void GetEditValue(Variant& Value) { Value = FEditValue; }
  // The class named to the constructor: a constructor cannot ask its own virtuals.
  virtual TClassOf<TWinControl> GetInnerEditClass() { return FInnerEditClass; }
  virtual void HandleValidationError(const String& ErrorText, bool Abort);
  virtual void InitFromEditData() {}
  virtual void SetupInnerEdit();
  virtual void InitViewData(TkvCustomEditViewData* ViewData);
  virtual bool EditingAllowed() { return true; }
  virtual void EditingValueToEditValue(Variant& Value) { GetEditValue(Value); }
  virtual void PutDisplayValue(const Variant&) {}
  virtual void StoreEditValue(const Variant& Value);
  virtual void ApplyDisplayValue(const Variant& Value);
  virtual bool HasFocusWithin();
  virtual bool SkipsButtonPainting(HDC) { return false; }
  virtual bool ClicksWhileLoading() { return false; }
  // Painted as a copy of a data-aware cell: the stored value, not the edited one.
  virtual bool IsPaintCopy();
  virtual bool IsClickKey(Word Key, TShiftState Shift);
  virtual bool IsEditValueStored() { return !VarIsNull(FEditValue); }
  virtual bool NeedsParentBackground() { return false; }
  virtual bool DrawsTransparently() { return !FInplace && FTransparent; }
  virtual bool IsCharAllowed(Char Character);
  virtual bool RefiresKeyDownEvent(Word, TShiftState) { return false; }
  virtual void PaintCopy();
  virtual void MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Focused);
  virtual void ApplyPropertiesChange(TObject* Properties);
  virtual bool IsEffectivelyReadOnly();
  virtual void AfterRepositoryItemChange() {}
  virtual void BeforeRepositoryItemChange() {}
  virtual void HandleButtonStateChange(TkvCustomEditViewInfo* Previous);
  virtual void ResetEditValue();
  virtual bool ReplaysActivationChar(Char) { return true; }
  virtual bool TrySetDisplayText(const String&) { return false; }
  // Ignored in place; switching it on sizes the editor at once.
  void SetAutoSize(bool Value) override;
  virtual void SetEditValue(const Variant& Value);
  virtual void AssignResetValue(const Variant& Value);
  virtual void SetDisplayValue(const Variant&) {}
  virtual void UpdateDisplayFromEditValue() {}
  virtual void UpdateEditValueFromDisplay() {}
  virtual bool TreatsAsInplace() { return FInplace; }
  virtual bool RefreshesDisplayOnFocusChange() { return true; }
  virtual void RefreshDisplayText() {}
  virtual bool CanProcessKey(Word Key, TShiftState Shift);
  virtual bool CheckCharForEdit(Char& Character);
  virtual bool KeepsNavigationKeys() { return false; }
  // While hooked, the inner window's messages pass through InnerEditWindowProc.
  virtual void InnerEditWindowProc(TMessage& Message);
  virtual void HookInnerEdit();
  virtual void UnhookInnerEdit();
  // In-place activation: shown, focused and showing its edit value; with a key, that key's
  // character arrives as typed. Data (when none is given and the kind keeps some) is made here and
  // handed back; the caller owns it.
  virtual void BeginInplaceEdit(TkvCustomEditData*& Data);
  virtual void BeginInplaceEditWithKey(Char Key, TkvCustomEditData*& Data);
  // X and Y in the parent's client coordinates; the press (and release when the button is up
  // again) is replayed on the editor, and a second click soon after counts as a double click.
  virtual void BeginInplaceEditByMouse(TShiftState Shift, Integer X, Integer Y, TkvCustomEditData*& Data);
  virtual void ClearValue();
  virtual void ClipboardCopy() {}
  virtual void ClipboardCut() {}
  virtual bool ValidateForPost();
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomEditProperties::ClassInfo(); }
  virtual bool IsChildWindowHandle(HWND Window);
  virtual bool InnerEditDisplaysValue() { return false; }
  virtual bool CanUseRepositoryItem(TkvEditRepositoryItem* Item);
  virtual void ClipboardPaste() {}
  virtual void ConvertDisplayToEditValue(const Variant&, Variant&, bool) {}
  virtual void SelectWholeText() {}

  // Value model.
  TkvCustomEditProperties* GetEffectiveProperties();
  TkvCustomEditProperties* GetActiveProperties() { return GetEffectiveProperties(); }
  TkvCustomEditProperties* GetProperties() const { return FProperties.get(); }
  void SetProperties(TkvCustomEditProperties* Value) { FProperties->Assign(Value); }
  Variant GetEditValueProp() { return FEditValue; }
  bool RequestEdit();
  bool RunValidation(bool Raise);
  void CommitEditValue(bool ValidateFirst);
  void RaiseChange();
  void NotifyUserChange();
  void RaiseEditValueChanged();
  bool CanPostValue();
  void LockChangeEvents(bool Lock, bool Replay = true) { FChangeEventsCatcher->Lock(Lock, Replay); }
  bool ChangeEventsLocked() const { return FChangeEventsCatcher->IsLocked(); }
  TkvEditChangeEventsCatcher* GetChangeEventsCatcher() const { return FChangeEventsCatcher.get(); }
  void LockClick(bool Lock) { Bump(FClickLockCount, Lock); }
  void LockEditValueChanging(bool Lock) { Bump(FEditValueChangingLockCount, Lock); }
  // While the data binding enters its edit mode (and OnEditing runs), edit-value changes wait.
  bool IsSwitchingEditMode() const { return FEditValueChangingLockCount > 0; }
  void PushModifiedState() { FModifiedStack.push_back({FValueModified, FUserEdited}); }
  // Takes Value as the edit value without showing it (the text it came from shows already).
  void KeepEditValue(const Variant& Value) { FEditValue = Value; }
  void PopModifiedState();
  void SetModifiedFlag(bool Value);
  void MarkModifiedByUser(bool Value);
  bool IsDataStorageBound() { return FDataBinding->GetDefaultValuesProvider()->IsDataStorage(); }
  bool CanResetValue();
  bool IsClearOrClickKey(Word Key, TShiftState Shift);
  Integer DefaultButtonIndex();
  bool HasChangeHandler();
  bool HasEditValueChangedHandler();
  bool HasValidateHandler();
  bool InnerEditMissing() { return IsBeingDestroyed() || (GetInnerEditClass() && !FInnerEdit); }
  TkvContainerStyle* GetActiveStyle() { return ActiveStyle(); }
  bool PrefersEditFormat();
  void FireClosePopup(TkvEditCloseUpReason Reason);
  bool ResetByDataBinding() { return FDataBinding->Reset(), true; }
  void FireKeyDownUnhandled(Word& Key, TShiftState Shift);
  bool MouseWheelAllowed(TShiftState Shift);
  TkvContainerStyleValues GetHiddenStyleValues() override;
  bool IsInplace() override { return TreatsAsInplace(); }
  // The Properties' kind names the view info.
  TkvContainerViewInfoClass ViewInfoClass() override;
  // Tab is the editor's own key handling's (HandleKeyDown), not the container's.
  bool MovesFocusOnTab() override { return false; }
  bool CalculateViewInfoAt(const TPoint& P, Integer Button, TShiftState Shift, bool IsMouseEvent) override;
  bool HasInnerEdit() const { return FInnerEdit != nullptr; }
  IkvCustomInnerEdit* GetInnerEdit() const { return FInnerEdit; }
  // Recomputes the view info for the cursor with no button held.
  void RecalcAtCursor();
  // The window exists first (when it can), so that auto size has run.
  Integer GetHeight();
  void SetHeight(Integer Value) { TkvContainer::SetHeight(Value); }
  bool IsDoubleClickTimerRunning() const { return FDoubleClickTimer->GetEnabled(); }
  // The visible index of the first button whose bounds hold P, -1 none.
  Integer ButtonAtPoint(const TPoint& P);

  // State others read.
  bool GetValueModified() const { return FValueModified; }
  bool GetUserEdited() const { return FUserEdited; }
  bool IsValidated() const { return FValidated; }
  bool IsPosting() const { return FPosting; }
  bool IsKeyboardAction() const { return FKeyboardAction; }
  void SetKeyboardAction(bool Value) { FKeyboardAction = Value; }
  // Set by the inner edit while it runs a cut, paste or clear for the editor.
  bool IsClipboardOperation() const { return FClipboardOperation; }
  void SetClipboardOperation(bool Value) { FClipboardOperation = Value; }
  TkvEditDataBinding* GetDataBinding() const { return FDataBinding.get(); }
  TkvCustomEditData* GetEditData() const { return FEditData; }
  TkvCustomEditViewInfo* GetEditViewInfo() const { return static_cast<TkvCustomEditViewInfo*>(GetViewInfo()); }
  // The visible index of the button that holds the mouse capture, -1 none.
  Integer GetCaptureButtonIndex() const { return FCaptureButtonIndex; }
  void SetEditData(TkvCustomEditData* Value) { FEditData = Value; }
  // The frame and content offsets an in-place editor lays out by: the view data's defaults from
  // creation on; a host may change them, and the options byte (bit 1: a pressed button's content
  // moves one pixel right and down).
  const TkvContentParams& GetContentParams() const { return FContentParams; }
  void SetContentParams(const TkvContentParams& Value) { FContentParams = Value; }
  Byte GetContentOptions() const { return FContentOptions; }
  void SetContentOptions(Byte Value) { FContentOptions = Value; }

  // Published by descendants.
  TkvEditRepositoryItem* GetRepositoryItem() const { return FRepositoryItem; }
  void SetRepositoryItem(TkvEditRepositoryItem* Value);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  TkvEditStyle* GetEditStyle() const { return static_cast<TkvEditStyle*>(GetStyle()); }
  void SetEditStyle(TkvEditStyle* Value) { SetStyle(Value); }
  TkvEditStyle* GetEditStyleDisabled() const { return static_cast<TkvEditStyle*>(GetStyleDisabled()); }
  void SetEditStyleDisabled(TkvEditStyle* Value) { SetStyleDisabled(Value); }
  TkvEditStyle* GetEditStyleFocused() const { return static_cast<TkvEditStyle*>(GetStyleFocused()); }
  void SetEditStyleFocused(TkvEditStyle* Value) { SetStyleFocused(Value); }
  TkvEditStyle* GetEditStyleHot() const { return static_cast<TkvEditStyle*>(GetStyleHot()); }
  void SetEditStyleHot(TkvEditStyle* Value) { SetStyleHot(Value); }
  TkvEditEditingEvent GetOnEditing() const { return FOnEditing; }
  void SetOnEditing(TkvEditEditingEvent Value) { FOnEditing = Value; }
  TNotifyEvent GetPropertiesEvents() const { return FPropertiesEvents; }
  void SetPropertiesEvents(TNotifyEvent Value) { FPropertiesEvents = Value; }
  TKeyEvent GetOnKeyDownUnhandled() const { return FOnKeyDownUnhandled; }
  void SetOnKeyDownUnhandled(TKeyEvent Value) { FOnKeyDownUnhandled = Value; }
  TNotifyEvent GetOnPostValue() const { return FOnPostValue; }
  void SetOnPostValue(TNotifyEvent Value) { FOnPostValue = Value; }

  void Click() override;
  void DblClick() override;
  void GetTabOrderList(std::vector<TWinControl*>& List) override;
  void FireFocusChanged() override;
  void SetParent(TWinControl* AParent) override;
  void SetName(const String& Value) override;

 protected:
  // Descendants name their Properties class: a constructor cannot ask its own virtuals.
  // Descendants name their inner edit class likewise.
  TkvCustomEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass,
                TClassOf<TWinControl> AInnerEditClass = {});
  virtual void InitEditor(TkvCustomEditPropertiesClass APropertiesClass);
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void ReadState(TReader* Reader) override;
  // Height and Width are written here: an auto-sized editor's measured size is not stored.
  void DefineProperties(TFiler* Filer) override;
  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void DoEnter() override;
  void DoExit() override;
  void Paint() override;
  void CreateHandle() override;
  bool CanResize(Integer& NewWidth, Integer& NewHeight) override;
  void RequestAlign() override;
  void AlignInnerControl() override;
  void FocusInnerControl() override;
  void BorderExtension(TRect& Margins) override;
  bool UsesNativeTheme() override;
  bool DependsOnParentBackground() override { return NeedsParentBackground() || DrawsTransparently(); }

  void WMCut(TMessage& Message);
  void WMCopy(TMessage& Message);
  void WMPaste(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMHintShow(TMessage& Message);
  void CMShowingChanged(TMessage& Message);

 private:
  static void Bump(Integer& Count, bool Up) {
    if (Up)
      ++Count;
    else if (Count > 0)
      --Count;
  }
  void InstallPropertiesHandler(bool Install);
  void FirePreservingModified(void (TkvCustomEdit::*Fire)());
  bool IsLoadingOrDestroying();
  void InnerEditChanged(TObject*) { HandleInnerEditChange(); }
  void DoubleClickTimerTick(TObject*) { FDoubleClickTimer->SetEnabled(false); }
  // The size auto size gives, from the current one.
  void ComputeAutoSize(Integer& NewWidth, Integer& NewHeight);
  static LRESULT HookedInnerWindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);

  std::unique_ptr<TkvCustomEditProperties> FProperties;
  TkvEditRepositoryItem* FRepositoryItem = nullptr;
  Variant FEditValue;
  Variant FPreviousEditValue;
  bool FValueModified = false;
  bool FUserEdited = false;
  bool FValidated = false;
  bool FValidating = false;
  bool FValueResetting = false;
  bool FKeyboardAction = false;
  bool FClipboardOperation = false;
  bool FPosting = false;
  bool FRequestingEdit = false;
  bool FValidationErrorProcessing = false;
  Integer FValidationLockCount = 0;
  Integer FClickLockCount = 0;
  Integer FEditValueChangingLockCount = 0;
  std::vector<std::pair<bool, bool>> FModifiedStack;
  bool FFocused = false;
  bool FJustCreated = true;
  bool FInplace;
  std::unique_ptr<TkvEditChangeEventsCatcher> FChangeEventsCatcher;
  std::unique_ptr<TkvEditDataBinding> FDataBinding;
  TkvCustomEditData* FEditData = nullptr;
  TClassOf<TWinControl> FInnerEditClass;
  IkvCustomInnerEdit* FInnerEdit = nullptr;
  // The inner edit's control, known apart from the interface: a companion that implements the
  // interface may go before the control tells its end.
  TWinControl* FInnerEditControl = nullptr;
  bool FInnerEditHooked = false;
  std::unique_ptr<TkvTimer> FDoubleClickTimer;
  bool FHandleAllocating = false;
  bool FSettingWindowRegion = false;
  TkvContentParams FContentParams;
  Byte FContentOptions = 0;
  bool FContentParamsInitialized = false;
  Integer FCaptureButtonIndex = -1;
  bool FTransparent = false;
  TkvEditEditingEvent FOnEditing;
  TNotifyEvent FPropertiesEvents;
  TKeyEvent FOnKeyDownUnhandled;
  TNotifyEvent FOnPostValue;
};

// An editor's change events locked for a scope: a compound step finishes before a handler runs
// (and may free the editor). The unlock replays unless told otherwise, also when the scope is left
// by an exception (then a handler's own exception gives way to the first one); nothing is touched
// once the editor is gone.
class TkvChangeEventsLock {
 public:
  explicit TkvChangeEventsLock(TkvCustomEdit* Edit, bool Replay = true);
  ~TkvChangeEventsLock() noexcept(false);
  TkvChangeEventsLock(const TkvChangeEventsLock&) = delete;
  TkvChangeEventsLock& operator=(const TkvChangeEventsLock&) = delete;

 private:
  TWeakRef<TkvCustomEdit> FEdit;
  bool FReplay;
  int FExceptions;
};

// Unit routines the editor kinds share.
TShiftState MouseButtonShiftBit(TMouseButton Button);
TShiftState ButtonCodeShiftBit(Integer Code);
void EnlargeSize(TSize& Size, const TSize& Other);
bool EditValuesEqual(const Variant& A, const Variant& B);
bool VarSameTypeAndValue(const Variant& A, const Variant& B);
bool IsBlankChar(Char Character);
// The look a button style stands for.
TkvLookAndFeelKind KindOfButtonStyle(TkvEditButtonStyle Style);
// The look an editor's buttons stand for: in place its style's look; else the first button's
// style (lfStandard without buttons).
TkvLookAndFeelKind EditLookAndFeelKind(TkvCustomEdit* Edit);
// A key or character sent to an editor's window as the user would type it.
void SendKeyDownToEdit(TkvCustomEdit* Edit, Word Key);
void SendCharToEdit(TkvCustomEdit* Edit, Char Character);

// ---- Unit start and end --------------------------------------------------------------------

void kvEditStart();
void kvEditEnd();
