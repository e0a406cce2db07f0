#pragma once
// The blob editor: a large value (memo text, picture, OLE object or raw data) shown in one line as
// an icon, a placeholder text or the first line of the text, and edited in a drop-down: a memo or
// an image editor with OK and Cancel buttons in the popup's panel. The value is taken over only
// when it changed and the popup was accepted (or AlwaysSaveData is on and it was not cancelled).
//  - TkvBlobEditViewData / TkvBlobEditViewInfo: the icon or the text, and their painting;
//  - TkvCustomBlobEditProperties / TkvBlobEditProperties;
//  - TkvPopupMemo / TkvPopupImage: the popup's contents and their closing keys;
//  - TkvBlobEditPopupWindow: a typed character may replace the memo's text;
//  - TkvCustomBlobEdit / TkvBlobEdit: the editor.
//
// Sources: kvBlobEditProperties.cpp (Properties, view, glyphs, unit), kvBlobEditControl.cpp (the
// editor, its popup and contents).

#include "toolkit/editors/kvButtons.h"
#include "toolkit/editors/kvDropDownEdit.h"
#include "toolkit/editors/kvImage.h"
#include "toolkit/editors/kvMemo.h"

enum TkvBlobEditKind { bekAuto, bekMemo, bekPict, bekOle, bekBlob };
TAVREN_ENUM_INFO(TkvBlobEditKind, bekAuto, bekMemo, bekPict, bekOle, bekBlob);
enum TkvBlobPaintStyle { bpsDefault, bpsIcon, bpsText };
TAVREN_ENUM_INFO(TkvBlobPaintStyle, bpsDefault, bpsIcon, bpsText);

// The eight glyphs (a kind's empty and filled one, in the order blob, memo, picture, OLE), made at
// unit start.
TCustomImageList* BlobEditGlyphs();

// ---- View ------------------------------------------------------------------------------------

class TkvBlobEditViewInfo : public TkvCustomTextEditViewInfo {
  TAVREN_CLASS(TkvBlobEditViewInfo, TkvCustomTextEditViewInfo)
 public:
  void CopyFrom(TkvContainerViewInfo* Other) override;
  void MoveBy(Integer DX, Integer DY) override;
  void PaintContent(TkvCanvas* Canvas) override;
  // Also the one line when its icon, text or focus frame changed.
  bool RepaintDifference(TWinControl* Control, const TRect& Inner, TkvCustomEditViewInfo* Older) override;

  TRect IconRect;
  Integer IconIndex = -1;
};

class TkvBlobEditViewData : public TkvCustomDropDownEditViewData {
  TAVREN_CLASS(TkvBlobEditViewData, TkvCustomDropDownEditViewData)
 public:
  using TkvCustomDropDownEditViewData::TkvCustomDropDownEditViewData;
  void ComputeViewInfo(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P, Integer Button, TShiftState Shift,
                       TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) override;
  void LoadDisplayValue(TkvCanvas* Canvas, const Variant& Value, TkvCustomEditViewInfo* ViewInfo) override;
  void MeasureButtonsHeight(TkvCanvas* Canvas, bool Inplace, const TkvEditSizeRequest& Request, TSize& Minimum,
                            TkvCustomEditViewInfo* ViewInfo, TSize& NonClient) override;
  void EditValueToDisplayText(const Variant& Value, String& Text) override;
};

// ---- Properties --------------------------------------------------------------------------------

class TkvCustomBlobEditProperties : public TkvCustomPopupEditProperties {
  TAVREN_CLASS(TkvCustomBlobEditProperties, TkvCustomPopupEditProperties)
 public:
  explicit TkvCustomBlobEditProperties(TPersistent* AOwner);
  // "IsPictureGraphicClassNameEmpty": written as True for a nil class.
  void DefineProperties(TFiler* Filer) override;
  void Assign(TPersistent* Source) override;
  // Only a memo is validated.
  bool CanValidate() override;
  TClassOf<TkvCustomEditViewData> GetViewDataClass() override;
  TClass GetEditorClass() override;
  TClassOf<TkvCustomEditViewInfo> GetViewInfoClass() override;
  bool DisplayValuesEqual(const Variant& A, const Variant& B) override;
  String EditValueToDisplayText(const Variant& EditValue, bool FullText) override;
  Integer GetKindTraits() override;
  Integer GetSupportedFeatures() override;
  bool AcceptsEditValue(const Variant&) override { return true; }
  TClassOf<TkvCustomEditPopupWindow> PopupWindowClass() override;

  // New virtual operation.
  virtual TGraphicClass GetDefaultPictureGraphicClass() { return DefaultGraphicClass(); }

  // The kind in force: bekAuto becomes the provider's blob kind (bekBlob without a provider).
  TkvBlobEditKind ResolvedKind();
  // The text a value shows: for editing, a memo's whole text; else by paint style.
  String BlobDisplayText(const Variant& Value, bool ForEditing);

  bool GetAlwaysSaveData() const { return FAlwaysSaveData; }
  void SetAlwaysSaveData(bool Value) { Store(FAlwaysSaveData, Value); }
  TkvBlobEditKind GetBlobEditKind() const { return FBlobEditKind; }
  // The first button drops down for a memo or a picture and shows an ellipsis otherwise.
  void SetBlobEditKind(TkvBlobEditKind Value);
  TkvBlobPaintStyle GetBlobPaintStyle() const { return FBlobPaintStyle; }
  void SetBlobPaintStyle(TkvBlobPaintStyle Value) { Store(FBlobPaintStyle, Value); }
  bool GetMemoAutoReplace() const { return FMemoAutoReplace; }
  void SetMemoAutoReplace(bool Value) { Store(FMemoAutoReplace, Value); }
  TEditCharCase GetMemoCharCase() const { return FMemoCharCase; }
  void SetMemoCharCase(TEditCharCase Value) { Store(FMemoCharCase, Value); }
  Integer GetMemoMaxLength() const { return FMemoMaxLength; }
  void SetMemoMaxLength(Integer Value) { Store(FMemoMaxLength, Value); }
  bool GetMemoOEMConvert() const { return FMemoOEMConvert; }
  void SetMemoOEMConvert(bool Value) { Store(FMemoOEMConvert, Value); }
  TScrollStyle GetMemoScrollBars() const { return FMemoScrollBars; }
  void SetMemoScrollBars(TScrollStyle Value) { Store(FMemoScrollBars, Value); }
  bool GetMemoWantReturns() const { return FMemoWantReturns; }
  void SetMemoWantReturns(bool Value) { Store(FMemoWantReturns, Value); }
  bool GetMemoWantTabs() const { return FMemoWantTabs; }
  void SetMemoWantTabs(bool Value) { Store(FMemoWantTabs, Value); }
  bool GetMemoWordWrap() const { return FMemoWordWrap; }
  void SetMemoWordWrap(bool Value) { Store(FMemoWordWrap, Value); }
  bool GetPictureAutoSize() const { return FPictureAutoSize; }
  void SetPictureAutoSize(bool Value) { Store(FPictureAutoSize, Value); }
  String GetPictureFilter() const { return FPictureFilter; }
  void SetPictureFilter(const String& Value) { Store(FPictureFilter, Value); }
  TGraphicClass GetPictureGraphicClassRef() const { return FPictureGraphicClass; }
  void SetPictureGraphicClassRef(TGraphicClass Value);
  // As the image editor's GraphicClassName.
  String GetPictureGraphicClassName() const;
  void SetPictureGraphicClassName(const String& Value);
  bool IsPictureGraphicClassNameStored();
  TkvImageTransparency GetPictureTransparency() const { return FPictureTransparency; }
  void SetPictureTransparency(TkvImageTransparency Value) { Store(FPictureTransparency, Value); }
  bool GetShowExPopupItems() const { return FShowExPopupItems; }
  void SetShowExPopupItems(bool Value) { Store(FShowExPopupItems, Value); }
  bool GetShowPicturePopup() const { return FShowPicturePopup; }
  void SetShowPicturePopup(bool Value) { Store(FShowPicturePopup, Value); }
  TkvImageAssignPictureEvent GetOnAssignPicture() const { return FOnAssignPicture; }
  void SetOnAssignPicture(TkvImageAssignPictureEvent Value) { FOnAssignPicture = Value; }
  TkvImageGraphicClassEvent GetOnGetGraphicClass() const { return FOnGetGraphicClass; }
  void SetOnGetGraphicClass(TkvImageGraphicClassEvent Value) { FOnGetGraphicClass = Value; }

 private:
  bool FAlwaysSaveData = true;
  TkvBlobEditKind FBlobEditKind = bekAuto;
  TkvBlobPaintStyle FBlobPaintStyle = bpsIcon;
  bool FMemoAutoReplace = false;
  TEditCharCase FMemoCharCase = ecNormal;
  Integer FMemoMaxLength = 0;
  bool FMemoOEMConvert = false;
  TScrollStyle FMemoScrollBars = ssNone;
  bool FMemoWantReturns = true;
  bool FMemoWantTabs = true;
  bool FMemoWordWrap = true;
  bool FPictureAutoSize = true;
  String FPictureFilter;
  TGraphicClass FPictureGraphicClass;
  TkvImageTransparency FPictureTransparency = gtDefault;
  bool FShowExPopupItems = true;
  bool FShowPicturePopup = true;
  TkvImageAssignPictureEvent FOnAssignPicture;
  TkvImageGraphicClassEvent FOnGetGraphicClass;
};

class TkvBlobEditProperties : public TkvCustomBlobEditProperties {
  TAVREN_CLASS(TkvBlobEditProperties, TkvCustomBlobEditProperties)
 public:
  using TkvCustomBlobEditProperties::TkvCustomBlobEditProperties;
};

// ---- Popup contents and window -----------------------------------------------------------------

class TkvCustomBlobEdit;

// The memo in a blob editor's popup: F4, Alt+Up/Down and Esc close it, Enter too unless it takes
// returns (Ctrl+Enter always).
class TkvPopupMemo : public TkvMemo {
  TAVREN_CLASS(TkvPopupMemo, TkvMemo)
 public:
  explicit TkvPopupMemo(TComponent* AOwner) : TkvMemo(AOwner) {}
  TkvCustomBlobEdit* BlobEdit = nullptr;
  void HandleKeyDown(Word& Key, TShiftState Shift) override;
};

// The image editor in a blob editor's popup: Enter accepts, the closing keys as the memo's.
class TkvPopupImage : public TkvImage {
  TAVREN_CLASS(TkvPopupImage, TkvImage)
 public:
  explicit TkvPopupImage(TComponent* AOwner) : TkvImage(AOwner) {}
  TkvCustomBlobEdit* BlobEdit = nullptr;
  void HandleKeyDown(Word& Key, TShiftState Shift) override;
};

class TkvBlobEditPopupWindow : public TkvPopupEditPopupWindow {
  TAVREN_CLASS(TkvBlobEditPopupWindow, TkvPopupEditPopupWindow)
 public:
  using TkvPopupEditPopupWindow::TkvPopupEditPopupWindow;
  // With MemoAutoReplace an editable memo takes the character as its whole new text.
  void ReplayChar(Char Ch) override;
};

// ---- Editor ------------------------------------------------------------------------------------

class TkvCustomBlobEdit : public TkvCustomPopupEdit {
  TAVREN_CLASS(TkvCustomBlobEdit, TkvCustomPopupEdit)
 public:
  explicit TkvCustomBlobEdit(TComponent* AOwner)
      : TkvCustomBlobEdit(AOwner, false, TkvCustomBlobEditProperties::ClassInfo()) {}
  ~TkvCustomBlobEdit() override;
  void BeforeDestruction() override;
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomBlobEditProperties::ClassInfo(); }

  void ReadDisplayText(String& Text) override;
  void GetCurrentValue(Variant& Value) override;
  void PutDisplayValue(const Variant& Value) override;
  void ApplyPropertiesChange(TObject* Properties) override;
  void ResyncDisplay() override;
  void UpdateEditValueFromDisplay() override;
  bool IsInnerEditShown() override { return false; }
  void PlaceInnerEdit() override;
  void SetTextAsUser(const String& Text) override;
  bool CanOpenPopup() override;
  void PreparePopup() override;
  TWinControl* GetPopupFocusControl() override;
  void MeasurePopupContent(Integer& Width, Integer& Height) override;
  void DisplayPopup() override;
  void AfterPopupClose(TObject* Sender) override;

  // New virtual operations, in the order descendants know them.
  virtual void PrepareContent();
  virtual void DestroyContent();
  // Editing is allowed exactly when the blob editor may be modified.
  virtual void ContentEditing(TObject* Sender, bool& CanEdit);

  // Closing keys of a content: sets the popup's modal result (1 accepts, 2 cancels).
  void CloseFromContent(TModalResult Result);
  // The picture class the popup image reads with: PictureGraphicClassRef, else TBitmap when
  // pasting; then OnGetGraphicClass.
  TGraphicClass GetGraphicClass(bool APastingFromClipboard);

  TkvCustomBlobEditProperties* BlobProperties() {
    return static_cast<TkvCustomBlobEditProperties*>(GetEffectiveProperties());
  }
  // Design time: the edit value; else a memo's text (the open memo's), nothing for other kinds.
  String GetBlobText();
  void SetBlobText(const String& Value);
  TkvCustomEdit* GetContent() const { return FContent.get(); }
  TkvButton* GetOKButton() const { return FOKButton.get(); }
  TkvButton* GetCancelButton() const { return FCancelButton.get(); }
  TGraphicClass GetLastGraphicClass() const { return FLastGraphicClass; }
  TkvImageEditGraphicClassEvent GetOnGetGraphicClass() const { return FOnGetGraphicClass; }
  void SetOnGetGraphicClass(TkvImageEditGraphicClassEvent Value) { FOnGetGraphicClass = Value; }

 protected:
  TkvCustomBlobEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass);

 private:
  void MakeButtons();
  void PlaceButtons();
  void ContentChanged(TObject* Sender);
  void ContentPopupClosed(TObject* Sender, TkvEditCloseUpReason Reason);
  void ContentGraphicClass(TObject* Sender, bool APastingFromClipboard, TGraphicClass& AGraphicClass);
  // Whether the content's value became the editor's.
  bool TakeValueOver();

  std::unique_ptr<TkvCustomEdit> FContent;
  std::unique_ptr<TkvButton> FCancelButton;
  std::unique_ptr<TkvButton> FOKButton;
  Integer FButtonWidth = 0;
  Integer FButtonHeight = 0;
  TGraphicClass FLastGraphicClass;
  TkvImageEditGraphicClassEvent FOnGetGraphicClass;
};

class TkvBlobEdit : public TkvCustomBlobEdit {
  TAVREN_CLASS(TkvBlobEdit, TkvCustomBlobEdit)
 public:
  explicit TkvBlobEdit(TComponent* AOwner) : TkvCustomBlobEdit(AOwner, false, TkvBlobEditProperties::ClassInfo()) {}
  TkvBlobEdit(TComponent* AOwner, bool AInplace)
      : TkvCustomBlobEdit(AOwner, AInplace, TkvBlobEditProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvBlobEditProperties::ClassInfo(); }
  TkvBlobEditProperties* GetBlobEditProperties() const { return static_cast<TkvBlobEditProperties*>(GetProperties()); }
  void SetBlobEditProperties(TkvBlobEditProperties* Value) { SetProperties(Value); }
};

// Builds the glyph list and registers the Properties. End: frees the glyphs.
void kvBlobEditStart();
void kvBlobEditEnd();
