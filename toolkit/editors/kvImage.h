#pragma once
// The image editor: an editor whose edit value is a picture's stored bytes, edited through the
// clipboard keys and a context menu (cut, copy, paste, delete, load, save and one custom command)
// and shown at natural size with scroll bars, centred, or stretched.
//  - the graphic-class list and the picture value routines (also the blob editor's);
//  - TkvPopupMenuLayout: which context-menu items show, and the custom one;
//  - TkvCustomImageProperties / TkvImageProperties;
//  - TkvImageViewData / TkvImageViewInfo: placement of the picture, in-place pictures, painting;
//  - TkvCustomImage / TkvImage: the editor.
//
// Sources: kvImageGraphics.cpp (classes, values, menu images, unit start and end),
// kvImageProperties.cpp, kvImageView.cpp, kvImageControl.cpp (value, keys, clipboard, scrolling),
// kvImageMenu.cpp (context menu, load and save).

#include <functional>
#include <memory>
#include <vector>

#include "toolkit/editors/kvEdit.h"
#include "vcl/ImgList.h"

enum TkvImageTransparency { gtDefault, gtOpaque, gtTransparent };
TAVREN_ENUM_INFO(TkvImageTransparency, gtDefault, gtOpaque, gtTransparent);
enum TkvPopupMenuItem { pmiCut, pmiCopy, pmiPaste, pmiDelete, pmiLoad, pmiSave, pmiCustom };
TAVREN_ENUM_INFO(TkvPopupMenuItem, pmiCut, pmiCopy, pmiPaste, pmiDelete, pmiLoad, pmiSave, pmiCustom);
using TkvPopupMenuItems = TSet<TkvPopupMenuItem, 7>;

using TkvImageAssignPictureEvent = TEvent<void(TObject* Sender, TPicture* Picture)>;
using TkvImageGraphicClassEvent =
    TEvent<void(TObject* AItem, Integer ARecordIndex, bool APastingFromClipboard, TGraphicClass& AGraphicClass)>;
using TkvImageEditGraphicClassEvent =
    TEvent<void(TObject* Sender, bool APastingFromClipboard, TGraphicClass& AGraphicClass)>;

// The message of a picture that cannot be read.
constexpr Integer skvEditPictureUnreadable = 64413;

// ---- Graphic classes and stored pictures -----------------------------------------------------

// TBitmap, TIcon, TMetafile, the PNG image (while its class is registered) and TJPEGImage, built
// on first use; the first is the default class.
const std::vector<TGraphicClass>& GetGraphicClassList();
// The first class of the list whose name equals Name ignoring case; nullptr when none.
TGraphicClass FindGraphicClassByName(const String& Name);
// The first class of the list, nullptr when it is empty.
TGraphicClass DefaultGraphicClass();

// Loads a stored value into Picture: a value that is no string, or an empty one, clears it; a
// leading 8-byte header (1, $0100, the length of the rest) is skipped. GraphicClass reads the
// data, else the picture's bitmap does. Data that does not decode clears the picture and answers
// false; nothing is raised.
bool LoadPictureFromValue(TPicture* Picture, TGraphicClass GraphicClass, const Variant& Value);
// The graphic's saved bytes; empty for a missing or empty picture.
String SavePictureToValue(TPicture* Picture);
// Reads Data (a file's or the clipboard's) into a new graphic of GraphicClass (the bitmap class
// when nullptr) and hands it over; damaged data, also data that some class reads as an empty
// picture, raises EInvalidGraphic with the unreadable-picture message naming Source.
std::unique_ptr<TGraphic> ReadGraphicOrRaise(TGraphicClass GraphicClass, TStream* Data, const String& Source);

// The six menu images of the unit (cut, copy, paste, delete, load, save), made at unit start.
TCustomImageList* ImageMenuImages();

// ---- Context menu layout ---------------------------------------------------------------------

class TkvPopupMenuLayout : public TPersistent {
  TAVREN_CLASS(TkvPopupMenuLayout, TPersistent)
 public:
  using TCreateArg = TPersistent*;
  explicit TkvPopupMenuLayout(TPersistent* AOwner) : FOwner(AOwner) {}
  ~TkvPopupMenuLayout() override;
  void Assign(TPersistent* Source) override;

  TkvPopupMenuItems GetMenuItems() const { return FMenuItems; }
  void SetMenuItems(TkvPopupMenuItems Value) { FMenuItems = Value; }
  bool IsMenuItemsStored() const { return FMenuItems != kDefaultItems; }
  String GetCustomMenuItemCaption() const { return FCustomMenuItemCaption; }
  void SetCustomMenuItemCaption(const String& Value) { FCustomMenuItemCaption = Value; }
  // Made on first read.
  TBitmap* GetCustomMenuItemGlyph();
  // Nothing frees the glyph; a bitmap is copied.
  void SetCustomMenuItemGlyph(TBitmap* Value);
  bool IsCustomMenuItemGlyphStored() const { return FCustomMenuItemGlyph && !FCustomMenuItemGlyph->GetEmpty(); }
  bool HasCustomMenuItemGlyph() const { return IsCustomMenuItemGlyphStored(); }

  static constexpr TkvPopupMenuItems kDefaultItems{pmiCut, pmiCopy, pmiPaste, pmiDelete, pmiLoad, pmiSave};

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
  TkvPopupMenuItems FMenuItems = kDefaultItems;
  String FCustomMenuItemCaption;
  std::unique_ptr<TBitmap> FCustomMenuItemGlyph;
};

// ---- Properties --------------------------------------------------------------------------------

class TkvCustomImage;

class TkvCustomImageProperties : public TkvCustomEditProperties {
  TAVREN_CLASS(TkvCustomImageProperties, TkvCustomEditProperties)
 public:
  explicit TkvCustomImageProperties(TPersistent* AOwner);
  ~TkvCustomImageProperties() override;
  void Assign(TPersistent* Source) override;
  // "IsGraphicClassNameEmpty": written as True for a nil class.
  void DefineProperties(TFiler* Filer) override;
  bool CanValidate() override { return true; }
  TClassOf<TkvCustomEditViewData> GetViewDataClass() override;
  TClass GetEditorClass() override;
  TClassOf<TkvCustomEditViewInfo> GetViewInfoClass() override;
  String EditValueToDisplayText(const Variant& EditValue, bool FullText) override;
  // Adds the picture-editor trait.
  Integer GetKindTraits() override { return TkvCustomEditProperties::GetKindTraits() | 1; }
  Integer GetSupportedFeatures() override { return TkvCustomEditProperties::GetSupportedFeatures() | 2 | 4; }
  bool RestoresValueOnEscape() override { return true; }
  // Fires OnAssignPicture of the editor's own and repository Properties, then asks to edit.
  void CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error, TkvCustomEdit* Editor) override;

  // New virtual operations, in the order descendants know them.
  virtual TGraphicClass GetDefaultGraphicClass() { return DefaultGraphicClass(); }
  // GraphicClassRef when set; else TBitmap when pasting and nothing otherwise; OnGetGraphicClass
  // may replace it.
  virtual TGraphicClass GetInplaceGraphicClass(TObject* AItem, Integer ARecordIndex, bool APastingFromClipboard);

  String GetCaption() const { return FCaption; }
  void SetCaption(const String& Value) { Store(FCaption, Value); }
  bool GetCenter() const { return FCenter; }
  void SetCenter(bool Value) { Store(FCenter, Value); }
  String GetCustomFilter() const { return FCustomFilter; }
  void SetCustomFilter(const String& Value) { Store(FCustomFilter, Value); }
  TGraphicClass GetGraphicClassRef() const { return FGraphicClass; }
  void SetGraphicClassRef(TGraphicClass Value);
  // '' for nil; '' sets nil, a name of the list sets its class, an unknown name changes nothing.
  String GetGraphicClassName() const;
  void SetGraphicClassName(const String& Value);
  bool IsGraphicClassNameStored() {
    return FGraphicClass && static_cast<TClass>(FGraphicClass) != static_cast<TClass>(GetDefaultGraphicClass());
  }
  TkvImageTransparency GetGraphicTransparency() const { return FGraphicTransparency; }
  void SetGraphicTransparency(TkvImageTransparency Value) { Store(FGraphicTransparency, Value); }
  TkvPopupMenuLayout* GetPopupMenuLayout() const { return FPopupMenuLayout.get(); }
  void SetPopupMenuLayout(TkvPopupMenuLayout* Value) { FPopupMenuLayout->Assign(Value); }
  bool GetProportional() const { return FProportional; }
  // Notifies only while Stretch is on: nothing else shows it.
  void SetProportional(bool Value);
  bool GetShowFocusRect() const { return FShowFocusRect; }
  void SetShowFocusRect(bool Value) { Store(FShowFocusRect, Value); }
  bool GetStretch() const { return FStretch; }
  void SetStretch(bool Value) { Store(FStretch, Value); }
  // The height a measure starts from in place, before a picture is known.
  Integer GetDefaultHeight() const { return FDefaultHeight; }

  TkvImageAssignPictureEvent GetOnAssignPicture() const { return FOnAssignPicture; }
  void SetOnAssignPicture(TkvImageAssignPictureEvent Value) { FOnAssignPicture = Value; }
  TNotifyEvent GetOnCustomClick() const { return FOnCustomClick; }
  void SetOnCustomClick(TNotifyEvent Value) { FOnCustomClick = Value; }
  TkvImageGraphicClassEvent GetOnGetGraphicClass() const { return FOnGetGraphicClass; }
  void SetOnGetGraphicClass(TkvImageGraphicClassEvent Value) { FOnGetGraphicClass = Value; }

 private:
  String FCaption;
  bool FCenter = true;
  String FCustomFilter;
  TGraphicClass FGraphicClass;
  TkvImageTransparency FGraphicTransparency = gtDefault;
  std::unique_ptr<TkvPopupMenuLayout> FPopupMenuLayout;
  bool FProportional = true;
  bool FShowFocusRect = true;
  bool FStretch = false;
  Integer FDefaultHeight = 15;
  TkvImageAssignPictureEvent FOnAssignPicture;
  TNotifyEvent FOnCustomClick;
  TkvImageGraphicClassEvent FOnGetGraphicClass;
};

class TkvImageProperties : public TkvCustomImageProperties {
  TAVREN_CLASS(TkvImageProperties, TkvCustomImageProperties)
 public:
  using TkvCustomImageProperties::TkvCustomImageProperties;
};

// ---- View --------------------------------------------------------------------------------------

// The largest rectangle of Width x Height's proportions at Client's top-left; an empty client
// rectangle gives itself.
TRect FitProportionally(const TRect& Client, Integer Width, Integer Height);

class TkvImageViewInfo : public TkvCustomEditViewInfo {
  TAVREN_CLASS(TkvImageViewInfo, TkvCustomEditViewInfo)
 public:
  TkvImageViewInfo();
  ~TkvImageViewInfo() override;
  void CopyFrom(TkvContainerViewInfo* Other) override;
  void PaintContent(TkvCanvas* Canvas) override;

  // Where the picture goes in the client rectangle.
  TRect TargetRect();
  // The picture painted in place, made on first use and freed with the view info.
  TPicture* OwnPicture();
  // The temporary bitmap's size: the visible part of the target.
  TSize BufferSize() const;

  String Caption;
  bool Center = true;
  bool ShowFocusRect = false;
  bool Stretch = false;
  bool Proportional = true;
  bool ImageTransparent = false;
  TPicture* Picture = nullptr;
  TPoint TopLeft;

 private:
  void DrawGraphic(TkvCanvas* Canvas, TGraphic* Graphic, const TRect& Target, const TRect& Visible);
  std::unique_ptr<TPicture> FOwnPicture;
  std::unique_ptr<TBitmap> FBuffer;
};

class TkvImageViewData : public TkvCustomEditViewData {
  TAVREN_CLASS(TkvImageViewData, TkvCustomEditViewData)
 public:
  using TkvCustomEditViewData::TkvCustomEditViewData;
  void ComputeViewInfo(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P, Integer Button, TShiftState Shift,
                       TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) override;
  // In place: a string value is loaded into the view info's own picture.
  void LoadDisplayValue(TkvCanvas* Canvas, const Variant& Value, TkvCustomEditViewInfo* ViewInfo) override;
  void GetEditContentSize(TkvCanvas* Canvas, const Variant& Value, const TkvEditSizeRequest& Request,
                          TSize& Size) override;

  TkvCustomImageProperties* ImageProperties() { return static_cast<TkvCustomImageProperties*>(Properties); }

  // The editor's picture, also while a measure hides the editor itself.
  TPicture* EditorPicture = nullptr;
};

// ---- Editor ------------------------------------------------------------------------------------

class TkvCustomImage : public TkvCustomEdit {
  TAVREN_CLASS(TkvCustomImage, TkvCustomEdit)
 public:
  explicit TkvCustomImage(TComponent* AOwner) : TkvCustomImage(AOwner, false, TkvCustomImageProperties::ClassInfo()) {}
  ~TkvCustomImage() override;
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomImageProperties::ClassInfo(); }

  void ComputeScrollBarParams() override;
  bool UsesScrollBars() override { return true; }
  void ScrollContent(TScrollBarKind Kind, TScrollCode ScrollCode, Integer& Position) override;
  void RefreshScrollBars() override;
  bool AutoSizeAllowed() override;
  bool AutoWidthAllowed() override { return true; }
  // Null for an empty picture (or the bytes of a value that did not decode), else the picture's.
  void GetEditValue(Variant& Value) override;
  void StoreEditValue(const Variant& Value) override;
  void AssignResetValue(const Variant& Value) override;
  bool RefiresKeyDownEvent(Word Key, TShiftState Shift) override;
  void ApplyPropertiesChange(TObject* Properties) override;
  void ClipboardCopy() override;
  void ClipboardCut() override;
  void ClipboardPaste() override;
  void HandleKeyDown(Word& Key, TShiftState Shift) override;
  void HandleKeyPress(Char& Character) override;
  // While its file dialog is open the editor counts as focused.
  bool HasFocusWithin() override;
  // Also hands the view data the editor's picture.
  TkvCustomEditViewData* MakeViewData() override;

  // New virtual operations, in the order descendants know them.
  virtual bool CanPasteFromClipboard();
  // Fires OnCustomClick of the own Properties, then of the repository item's.
  virtual void CustomClick();
  virtual TGraphicClass GetGraphicClass(bool APastingFromClipboard);

  // The commands of the context menu, in its tag order: cut, copy, paste, delete, load, save and
  // the custom command; each runs as the user's action.
  void RunMenuCommand(Integer Command);
  void DeletePicture();
  void LoadPictureFromFile();
  void SavePictureToFile();

  TkvCustomImageProperties* ImageProperties() {
    return static_cast<TkvCustomImageProperties*>(GetEffectiveProperties());
  }
  TkvImageViewInfo* ImageViewInfo() { return static_cast<TkvImageViewInfo*>(GetEditViewInfo()); }
  TPicture* GetPicture() const { return FPicture.get(); }
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
  // The context menu, made on first use; nullptr before.
  TPopupMenu* GetContextMenu() const { return FContextMenu.get(); }
  UINT GetClipboardFormat() const { return FClipboardFormat; }
  void SetClipboardFormat(UINT Value) { FClipboardFormat = Value; }
  TkvImageEditGraphicClassEvent GetOnGetGraphicClass() const { return FOnGetGraphicClass; }
  void SetOnGetGraphicClass(TkvImageEditGraphicClassEvent Value) { FOnGetGraphicClass = Value; }

 protected:
  TkvCustomImage(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass);
  void DoContextPopup(TPoint MousePos, bool& Handled) override;
  // Runs Action as a keyboard, menu or clipboard action of the user.
  void AsUserAction(const std::function<void()>& Action);

 private:
  void PictureChanged(TObject* Sender);
  void PrepareContextMenu();
  void MenuItemClick(TObject* Sender);
  bool CanModifyPicture();
  bool CanCopyPicture();
  // The client rectangle with the scroll bars being tried.
  TRect ScrollClientRect();

  std::unique_ptr<TPicture> FPicture;
  std::unique_ptr<TPopupMenu> FContextMenu;
  UINT FClipboardFormat = 0;
  bool FLoadingValue = false;
  bool FDialogOpen = false;
  // The bytes of a value that did not decode: the edit value until the picture changes.
  Variant FUndecodedValue;
  TkvImageEditGraphicClassEvent FOnGetGraphicClass;
};

class TkvImage : public TkvCustomImage {
  TAVREN_CLASS(TkvImage, TkvCustomImage)
 public:
  explicit TkvImage(TComponent* AOwner) : TkvCustomImage(AOwner, false, TkvImageProperties::ClassInfo()) {}
  TkvImage(TComponent* AOwner, bool AInplace) : TkvCustomImage(AOwner, AInplace, TkvImageProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvImageProperties::ClassInfo(); }
  TkvImageProperties* GetImageEditProperties() const { return static_cast<TkvImageProperties*>(GetProperties()); }
  void SetImageEditProperties(TkvImageProperties* Value) { SetProperties(Value); }

 protected:
  // A descendant names its own Properties class.
  using TkvCustomImage::TkvCustomImage;
};

// Builds the menu image list and registers the Properties. End: frees the list and the graphic
// classes.
void kvImageStart();
void kvImageEnd();
