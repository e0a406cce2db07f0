#pragma once
// The image combo box: a fixed-list combo whose items pair an image of an image list with a
// description and a value. The editor shows the chosen item's image and description; the list
// shows every item with its image (from LargeImages when set), optionally on several lines. The
// edit value is the chosen item's Value.
//  - TkvImageComboBoxItem / TkvImageComboBoxItems: the items;
//  - TkvCustomImageComboBoxProperties / TkvImageComboBoxProperties: settings and value mapping;
//  - TkvImageComboBoxListBox, TkvImageComboBoxLookupData: the drop-down list over the items;
//  - TkvImageComboBoxViewData / TkvImageComboBoxViewInfo: the image beside the text;
//  - TkvCustomImageComboBox / TkvImageComboBox: the editor;
//  - TkvFilterImageComboBoxHelper and the unit's start and end.

#include <memory>

#include "toolkit/editors/kvDropDownEdit.h"
#include "vcl/ImgList.h"

class TkvCustomImageComboBoxProperties;

// Scoped: the list view's icon arrangement owns the plain name iaLeft. Streams as "iaLeft" and
// "iaRight".
enum class TkvImageAlign { iaLeft, iaRight };
template <>
struct TTypeInfoOf<TkvImageAlign> {
  static constexpr TTypeInfo Info{tkEnumeration, "TkvImageAlign", 0, 1, "iaLeft, iaRight"};
};

class TkvImageComboBoxItem : public TCollectionItem {
  TAVREN_CLASS(TkvImageComboBoxItem, TCollectionItem)
 public:
  // Takes the image of its position while the owner's Images hold one for every item.
  explicit TkvImageComboBoxItem(TCollection* Collection);
  void Assign(TPersistent* Source) override;

  const String& GetDescription() const { return FDescription; }
  // Compared with letter case: "options" to "Options" is a change.
  void SetDescription(const String& Value);
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  bool IsImageIndexStored() const { return FImageIndex != -1; }
  Integer GetTag() const { return FTag; }
  void SetTag(Integer Value) { FTag = Value; }
  bool IsTagStored() const { return FTag != 0; }
  const Variant& GetValue() const { return FValue; }
  // An exactly equal value (type included) changes nothing.
  void SetValue(const Variant& Value);
  bool IsValueStored() const { return !VarIsNull(FValue); }

 private:
  String FDescription;
  Integer FImageIndex = -1;
  Integer FTag = 0;
  Variant FValue = Null();
};

class TkvImageComboBoxItems : public TOwnedCollection {
  TAVREN_CLASS(TkvImageComboBoxItems, TOwnedCollection)
 public:
  explicit TkvImageComboBoxItems(TPersistent* AOwner);
  TkvImageComboBoxItem* GetItem(Integer Index) const { return static_cast<TkvImageComboBoxItem*>(GetItems(Index)); }
  TkvImageComboBoxItem* AddItem(const String& Description, const Variant& Value = Null());
  TkvCustomImageComboBoxProperties* OwnerProperties();

 protected:
  // Any change runs the owner Properties' change notification.
  void Update(TCollectionItem* Item) override;
};

class TkvCustomImageComboBoxProperties : public TkvCustomComboBoxProperties {
  TAVREN_CLASS(TkvCustomImageComboBoxProperties, TkvCustomComboBoxProperties)
 public:
  explicit TkvCustomImageComboBoxProperties(TPersistent* AOwner);
  ~TkvCustomImageComboBoxProperties() override;
  void Assign(TPersistent* Source) override;
  void ComponentFreed(TComponent* Component) override;
  TClass GetEditorClass() override;
  TClassOf<TkvCustomEditViewData> GetViewDataClass() override;
  TClassOf<TkvCustomEditViewInfo> GetViewInfoClass() override;
  TClassOf<TkvCustomTextEditLookupData> LookupDataClass() override;
  Integer GetSupportedFeatures() override;
  bool AcceptsEditValue(const Variant&) override { return true; }
  // The editor raises the change events from its value; the inner edit's text is only shown.
  bool InnerEditReportsChanges() override { return false; }
  // A data binding's display format never shapes the descriptions.
  Byte GetDisplayFormatOptions() override { return 0; }
  bool DisplayValuesEqual(const Variant& A, const Variant& B) override;
  void MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Editing) override;
  String EditValueToDisplayText(const Variant& EditValue, bool Focused) override;
  bool LookupContainsText(const String& Text) override;

  // The first item whose Value equals Value loosely (1 matches "1"); nil when none does.
  TkvImageComboBoxItem* FindItemByValue(const Variant& Value);
  // Only while ShowDescriptions: the first item whose Description equals Text ignoring case.
  TkvImageComboBoxItem* FindItemByDescription(const String& Text);
  // The text and image shown for Item (nil: the defaults); the text is empty unless Forced or
  // ShowDescriptions.
  virtual void GetDescriptionAndImage(TkvImageComboBoxItem* Item, bool Forced, String& Text, Integer& ImageIndex);

  TkvImageComboBoxItems* GetImageItems() const { return FItems.get(); }
  void SetImageItems(TkvImageComboBoxItems* Value);
  const String& GetDefaultDescription() const { return FDefaultDescription; }
  void SetDefaultDescription(const String& Value) { Store(FDefaultDescription, Value); }
  Integer GetDefaultImageIndex() const { return FDefaultImageIndex; }
  void SetDefaultImageIndex(Integer Value) { Store(FDefaultImageIndex, Value); }
  TkvImageAlign GetImageAlign() const { return FImageAlign; }
  void SetImageAlign(TkvImageAlign Value) { Store(FImageAlign, Value); }
  bool GetMultiLineText() const { return FMultiLineText; }
  void SetMultiLineText(bool Value) { Store(FMultiLineText, Value); }
  bool GetShowDescriptions() const { return FShowDescriptions; }
  void SetShowDescriptions(bool Value) { Store(FShowDescriptions, Value); }
  // Not owned; followed through a change link and forgotten when destroyed.
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value) { SetImageList(FImages, FImagesLink.get(), Value); }
  TCustomImageList* GetLargeImages() const { return FLargeImages; }
  void SetLargeImages(TCustomImageList* Value) { SetImageList(FLargeImages, FLargeImagesLink.get(), Value); }
  // The list the drop-down draws from: LargeImages when set, else Images.
  TCustomImageList* ListImages() const { return FLargeImages ? FLargeImages : FImages; }

 private:
  void SetImageList(TCustomImageList*& Field, TChangeLink* Link, TCustomImageList* Value);
  void ImageListChanged(TObject* Sender);

  std::unique_ptr<TkvImageComboBoxItems> FItems;
  String FDefaultDescription;
  Integer FDefaultImageIndex = -1;
  TkvImageAlign FImageAlign = TkvImageAlign::iaLeft;
  bool FMultiLineText = false;
  bool FShowDescriptions = true;
  TCustomImageList* FImages = nullptr;
  TCustomImageList* FLargeImages = nullptr;
  std::unique_ptr<TChangeLink> FImagesLink;
  std::unique_ptr<TChangeLink> FLargeImagesLink;
};

// The settings the image combo box publishes.
class TkvImageComboBoxProperties : public TkvCustomImageComboBoxProperties {
  TAVREN_CLASS(TkvImageComboBoxProperties, TkvCustomImageComboBoxProperties)
 public:
  using TkvCustomImageComboBoxProperties::TkvCustomImageComboBoxProperties;
  void SetAlignmentProp(TkvEditAlignment* Value) { SetAlignment(Value); }
};

// The drop-down list: one owner-drawn row per item, its image in a cell at the reading side (or
// the right end for iaRight), its description beside it, on several lines with MultiLineText.
class TkvImageComboBoxListBox : public TkvCustomComboBoxListBox {
  TAVREN_CLASS(TkvImageComboBoxListBox, TkvCustomComboBoxListBox)
 public:
  explicit TkvImageComboBoxListBox(TComponent* AOwner);
  TkvCustomImageComboBoxProperties* ImageProperties();
  // The height of row Index measured in MeasureWidth (the measure-item handler may change it).
  Integer MeasureRow(Integer Index, Integer MeasureWidth);
  // The height of the first Count rows in a popup of PopupWidth (MultiLineText only; otherwise
  // rows are one line). A sum over Limit, or fewer rows than items, assumes a vertical scroll bar
  // and measures again in the narrower width.
  Integer RowsHeightIn(Integer Count, Integer PopupWidth, Integer Limit);
  // The popup width the items ask for: the image cell, the widest description and a scroll bar
  // when DropDownRows hides items.
  Integer PopupWidth();
  Integer ItemRowHeight(Integer Index) override;
  void PrepareForShowing() override;

 protected:
  void DrawItem(Integer Index, TRect Rect, TOwnerDrawState State) override;
};

class TkvImageComboBoxLookupData : public TkvComboBoxLookupData {
  TAVREN_CLASS(TkvImageComboBoxLookupData, TkvComboBoxLookupData)
 public:
  using TkvComboBoxLookupData::TkvComboBoxLookupData;
  TkvCustomEditListBoxClass ListBoxClass() override { return TkvImageComboBoxListBox::ClassInfo(); }
  Integer ItemCount() override;
  String ItemText(Integer Index) override;
  // Wrapped rows are measured again in the list's final width.
  void PlaceList(const TRect& R) override;
  // The current key becomes the position of the item holding the editor's edit value, or -1.
  void SyncWithEditValue();
};

// The edit area's image: where it goes and which one.
class TkvImageComboBoxViewInfo : public TkvCustomTextEditViewInfo {
  TAVREN_CLASS(TkvImageComboBoxViewInfo, TkvCustomTextEditViewInfo)
 public:
  void CopyFrom(TkvContainerViewInfo* Other) override;
  void MoveBy(Integer DX, Integer DY) override;
  // The text, then the image clipped to its rectangle within the border.
  void PaintContent(TkvCanvas* Canvas) override;

  TRect ImageRect;
  bool ShowDescriptions = true;
  TkvImageAlign ImageAlign = TkvImageAlign::iaLeft;
  Integer ImageIndex = -1;
  TCustomImageList* Images = nullptr;
};

class TkvImageComboBoxViewData : public TkvCustomDropDownEditViewData {
  TAVREN_CLASS(TkvImageComboBoxViewData, TkvCustomDropDownEditViewData)
 public:
  using TkvCustomDropDownEditViewData::TkvCustomDropDownEditViewData;
  // Lays the image and the text out side by side in the client area.
  void ComputeViewInfo(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P, Integer Button, TShiftState Shift,
                       TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) override;
  // Where no editor shows the value (a cell): the image and unforced description of its item.
  void LoadDisplayValue(TkvCanvas* Canvas, const Variant& Value, TkvCustomEditViewInfo* ViewInfo) override;
  void EditValueToDisplayText(const Variant& Value, String& Text) override;
  // Without descriptions the editor shows no text.
  void SetViewInfoText(const Variant& Value, TkvCustomTextEditViewInfo* ViewInfo) override;
  // The image widens the fixed part and is the lowest the content may be.
  void MeasureContent(TkvCanvas* Canvas, const TkvEditSizeRequest& Request, TSize& Minimum,
                      TkvCustomEditViewInfo* ViewInfo, TSize& NonClient) override;
  TkvCustomImageComboBoxProperties* ImageProperties() {
    return static_cast<TkvCustomImageComboBoxProperties*>(Properties);
  }

 private:
  // The editor's current item: the lookup's, else the one holding its edit value.
  TkvImageComboBoxItem* EditorItem();
};

class TkvCustomImageComboBox : public TkvCustomComboBox {
  TAVREN_CLASS(TkvCustomImageComboBox, TkvCustomComboBox)
 public:
  explicit TkvCustomImageComboBox(TComponent* AOwner)
      : TkvCustomImageComboBox(AOwner, false, TkvCustomImageComboBoxProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomImageComboBoxProperties::ClassInfo(); }

  void EditingValueToEditValue(Variant& Value) override;
  // The value is the current item's, whatever the display shows.
  void ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool EditFocused) override;
  // Control characters are refused.
  bool IsCharAllowed(Char Character) override;
  void UpdateDisplayFromEditValue() override;
  void MeasurePopupContent(Integer& Width, Integer& Height) override;

  TkvCustomImageComboBoxProperties* ImageProperties() {
    return static_cast<TkvCustomImageComboBoxProperties*>(GetEffectiveProperties());
  }
  TkvImageComboBoxLookupData* ImageLookupData() { return dynamic_cast<TkvImageComboBoxLookupData*>(GetLookupData()); }

 protected:
  TkvCustomImageComboBox(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass)
      : TkvCustomComboBox(AOwner, AInplace, APropertiesClass) {}
  Variant LookupKeyToEditValue(const Variant& Key) override;
  TObject* CurrentItemObject() override { return nullptr; }

 private:
  // The Value of the lookup's current item; Null without one.
  Variant CurrentItemValue();
};

class TkvImageComboBox : public TkvCustomImageComboBox {
  TAVREN_CLASS(TkvImageComboBox, TkvCustomImageComboBox)
 public:
  explicit TkvImageComboBox(TComponent* AOwner)
      : TkvCustomImageComboBox(AOwner, false, TkvImageComboBoxProperties::ClassInfo()) {}
  TkvImageComboBox(TComponent* AOwner, bool AInplace)
      : TkvCustomImageComboBox(AOwner, AInplace, TkvImageComboBoxProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvImageComboBoxProperties::ClassInfo(); }
  TkvImageComboBoxProperties* GetImageComboBoxProperties() const {
    return static_cast<TkvImageComboBoxProperties*>(GetProperties());
  }
  void SetImageComboBoxProperties(TkvImageComboBoxProperties* Value) { SetProperties(Value); }
};

// Filter rows edit an image-combo value with an image combo of the same items.
class TkvFilterImageComboBoxHelper : public TkvFilterComboBoxHelper {
  TAVREN_CLASS(TkvFilterImageComboBoxHelper, TkvFilterComboBoxHelper)
 public:
  TClass FilterEditorClass() override { return TkvImageComboBox::ClassInfo(); }
  void InitFilterProperties(TkvCustomEditProperties* Properties, TkvCustomEditProperties* Source,
                            bool KeepButtons) override;
  TkvFilterOperators FilterOperatorSet(TkvValueTypeClass ValueType, bool Extended) override;
};

// After kvDropDownEditStart: registers the image combo's Properties and its filter helper.
void kvImageComboBoxStart();
void kvImageComboBoxEnd();
