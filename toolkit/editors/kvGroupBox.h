#pragma once
// The captioned frame that hosts child controls, built as an editor so that it shares the
// editors' styles, looks, skins, shadow and in-place painting, and the button group built on it.
//  - TkvCaptionAlignment: the thirteen caption places, on five painter caption positions;
//  - TkvPanelStyle: the option object that turns the frame into a flat panel with the caption
//    inside;
//  - TkvCustomGroupBoxProperties, TkvGroupBoxViewData, TkvGroupBoxViewInfo, TkvCustomGroupBox:
//    border extent, client margins, caption placement (rotated on the left and right sides, in
//    the non-client area of a skinned box) and painting.
//
// Sources: kvGroupBoxControl.cpp (control, panel style), kvGroupBoxLayout.cpp (view data),
// kvGroupBoxPaint.cpp (view info).

#include <memory>

#include "toolkit/editors/kvTextEdit.h"

enum TkvCaptionAlignment {
  alTopLeft, alTopCenter, alTopRight, alBottomLeft, alBottomCenter, alBottomRight, alLeftTop, alLeftCenter,
  alLeftBottom, alRightTop, alRightCenter, alRightBottom, alCenterCenter
};
TAVREN_ENUM_INFO(TkvCaptionAlignment, alTopLeft, alTopCenter, alTopRight, alBottomLeft, alBottomCenter, alBottomRight,
                 alLeftTop, alLeftCenter, alLeftBottom, alRightTop, alRightCenter, alRightBottom, alCenterCenter);

enum TkvPanelOffice11BackgroundKind { pobkGradient, pobkOffice11Color, pobkStyleColor };
TAVREN_ENUM_INFO(TkvPanelOffice11BackgroundKind, pobkGradient, pobkOffice11Color, pobkStyleColor);

// The painters' caption positions.
constexpr Integer kvcpTop = 0;
constexpr Integer kvcpBottom = 1;
constexpr Integer kvcpLeft = 2;
constexpr Integer kvcpRight = 3;
constexpr Integer kvcpCenter = 4;

// Where an alignment puts the caption: on which side, and along it at the start (0), the middle
// (1) or the end (2), horizontally and vertically.
Integer CaptionPositionOf(TkvCaptionAlignment Alignment);
Integer CaptionHorzPlace(TkvCaptionAlignment Alignment);
Integer CaptionVertPlace(TkvCaptionAlignment Alignment);

class TkvCustomGroupBox;

class TkvPanelStyle : public TPersistent {
  TAVREN_CLASS(TkvPanelStyle, TPersistent)
 public:
  using TCreateArg = TkvCustomGroupBox*;
  explicit TkvPanelStyle(TkvCustomGroupBox* AOwner) : FOwner(AOwner) {}
  void Assign(TPersistent* Source) override;

  bool GetActive() const { return FActive; }
  void SetActive(bool Value);
  Integer GetCaptionIndent() const { return FCaptionIndent; }
  // At least 2.
  void SetCaptionIndent(Integer Value);
  TkvPanelOffice11BackgroundKind GetOfficeBackgroundKind() const { return FOfficeBackgroundKind; }
  void SetOfficeBackgroundKind(TkvPanelOffice11BackgroundKind Value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

 protected:
  TPersistent* GetOwner() override;

 private:
  TkvCustomGroupBox* FOwner;
  bool FActive = false;
  Integer FCaptionIndent = 2;
  TkvPanelOffice11BackgroundKind FOfficeBackgroundKind = pobkOffice11Color;
  bool FWordWrap = false;
};
using TkvPanelStyleClass = TClassOf<TkvPanelStyle>;

class TkvCustomGroupBoxProperties : public TkvCustomEditProperties {
  TAVREN_CLASS(TkvCustomGroupBoxProperties, TkvCustomEditProperties)
 public:
  using TkvCustomEditProperties::TkvCustomEditProperties;
  TClass GetEditorClass() override;
  TClassOf<TkvCustomEditViewData> GetViewDataClass() override;
  TClassOf<TkvCustomEditViewInfo> GetViewInfoClass() override;
};

// ---- View ------------------------------------------------------------------------------------

class TkvGroupBoxViewInfo : public TkvCustomTextEditViewInfo {
  TAVREN_CLASS(TkvGroupBoxViewInfo, TkvCustomTextEditViewInfo)
 public:
  TkvGroupBoxViewInfo() = default;
  void CopyFrom(TkvContainerViewInfo* Other) override;
  void MoveBy(Integer DX, Integer DY) override;
  void PaintContent(TkvCanvas* Canvas) override;

  // Virtual operations, in the order descendants know them.
  // The buttons a button group draws itself (when it paints a copy or in place); none here.
  virtual void PaintButtons(TkvCanvas*) {}

  // The box behind the view (none for a grid's cell).
  TkvCustomGroupBox* Box();
  // The caption's colour and font on Canvas: the theme's or the skin's text colour where they give one.
  void ApplyCaptionColor(TkvCanvas* Canvas);
  // The caption as step 2 of the painting draws it (also into a skinned box's non-client band).
  void PaintCaption(TkvCanvas* Canvas);

  // Client coordinates: the area the caption takes (with a skin's caption element) and where its
  // text goes.
  TRect CaptionRect;
  TRect CaptionTextRect;

 private:
  void PaintBackground(TkvCanvas* Canvas, bool PanelStyle);
  void PaintPanelBackground(TkvCanvas* Canvas, const TRect& R);
  void PaintFrame(TkvCanvas* Canvas, bool PanelStyle, const TRect& FrameRect);
  TRect WithoutShadow(const TRect& R);
};

class TkvGroupBoxViewData : public TkvCustomEditViewData {
  TAVREN_CLASS(TkvGroupBoxViewData, TkvCustomEditViewData)
 public:
  using TkvCustomEditViewData::TkvCustomEditViewData;
  Byte GetContainerState(const TRect& Bounds, const TPoint& P, Integer Button, TShiftState Shift,
                         bool IsMouseEvent) override;
  void ComputeViewInfo(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P, Integer Button, TShiftState Shift,
                       TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) override;
  TColor GetBorderColor() override;
  void GetBorderExtent(TRect& R) override;
  // The client margins: where children align.
  void GetClientExtent(TkvCanvas* Canvas, TkvCustomEditViewInfo* ViewInfo, TRect& R) override;
  bool HasShadow() override;
  void InitFromProperties() override;

  TkvCustomGroupBox* Box();
};

// ---- Control ---------------------------------------------------------------------------------

using TkvGroupBoxCustomDrawEvent = TEvent<void(TObject* Sender, bool& Done)>;

class TkvCustomGroupBox : public TkvCustomEdit {
  TAVREN_CLASS(TkvCustomGroupBox, TkvCustomEdit)
  TAVREN_MESSAGES()
 public:
  explicit TkvCustomGroupBox(TComponent* AOwner)
      : TkvCustomGroupBox(AOwner, false, TkvCustomGroupBoxProperties::ClassInfo()) {}
  ~TkvCustomGroupBox() override;
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomGroupBoxProperties::ClassInfo(); }

  void AdjustClientRect(TRect& Rect) override;
  bool WantsFocusOnClick() override { return false; }
  void LookAndFeelUpdated(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues) override;
  bool IsBorderCustomDrawn() override;
  void ApplyStyle(TObject* Style) override;
  bool DefaultParentColor() override { return true; }
  void GetOuterBounds(TRect& R) override;
  bool DrawsShadow() override;
  TkvContainerStyle* SelectStateStyle() override;
  TkvContainerStyleValues GetHiddenStyleValues() override;
  bool HostsChildControls() override { return true; }
  bool AutoSizeAllowed() override { return false; }
  bool NeedsParentBackground() override;

  // New operations, in the order descendants know them.
  virtual TkvPanelStyle* CreatePanelStyle();
  virtual bool HasNonClientCaption();
  virtual bool AllowsNonClientCaption() { return true; }

  // Layout and caption, used by the view data and the view info.
  // Whether the box paints through the editors' theme (its look asks for native style or Office
  // 11, the theme opens and no skin is in force).
  bool DrawsNatively();
  TkvCustomLookAndFeelPainterClass SkinPainter();
  bool IsCaptionRotated();
  Integer CaptionPosition() { return CaptionPositionOf(FAlignment); }
  // Height of "Qq" in CaptionTextFont.
  Integer CaptionLineHeight();
  // The control's text as drawn: a rotated caption loses its accelerator marks.
  String CaptionTextToDraw();
  // Rebuilds CaptionTextFont from the style's font, rotated for the side captions.
  void RebuildCaptionFont();
  // Stores a changed caption text (also a change of letter case) and redraws the non-client band.
  void CheckCaptionText();
  // Lays the caption out into ViewInfo (CaptionRect, CaptionTextRect).
  void LayoutCaption(TkvCanvas* Canvas, TkvGroupBoxViewInfo* ViewInfo, TkvGroupBoxViewData* ViewData);
  // The non-client band thicknesses of a skinned caption (only its caption side is set).
  TRect NonClientCaptionMargins();
  void RedrawNonClientFrame(bool SkinChanged = false);
  // Caption layout changed: font, text, view, non-client frame and children follow.
  void CaptionLayoutChanged();

  TkvCaptionAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TkvCaptionAlignment Value);
  TFont* GetCaptionTextFont() const { return FCaptionTextFont.get(); }
  const String& GetCaptionText() const { return FCaptionText; }
  TkvPanelStyle* GetPanelStyle() const { return FPanelStyle.get(); }
  void SetPanelStyle(TkvPanelStyle* Value) { FPanelStyle->Assign(Value); }
  bool IsFocusingByAccelerator() const { return FFocusingByAccelerator; }
  TkvGroupBoxCustomDrawEvent GetOnCustomDraw() const { return FOnCustomDraw; }
  void SetOnCustomDraw(TkvGroupBoxCustomDrawEvent Value) { FOnCustomDraw = Value; }
  TkvGroupBoxViewInfo* GroupViewInfo() { return static_cast<TkvGroupBoxViewInfo*>(GetEditViewInfo()); }

 protected:
  TkvCustomGroupBox(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass);
  void WndProc(TMessage& Message) override;
  void Paint() override;
  void CMFontChanged(TMessage& Message);
  void CMTextChanged(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMCtl3DChanged(TMessage& Message);

 private:
  void PaintNonClientCaption();
  void LayoutPanelCaption(TkvCanvas* Canvas, TkvGroupBoxViewInfo* ViewInfo);
  void LayoutSkinnedCaption(TkvCanvas* Canvas, TkvGroupBoxViewInfo* ViewInfo);
  void LayoutPlainCaption(TkvCanvas* Canvas, TkvGroupBoxViewInfo* ViewInfo, bool Shadow);

  TkvCaptionAlignment FAlignment = alTopLeft;
  std::unique_ptr<TFont> FCaptionTextFont;
  std::unique_ptr<TkvPanelStyle> FPanelStyle;
  String FCaptionText;
  bool FFocusingByAccelerator = false;
  TkvGroupBoxCustomDrawEvent FOnCustomDraw;
};

// ---- Button group -----------------------------------------------------------------------------
// A group box that shows a collection of captioned items as a grid of buttons, filled column by
// column, with one child control per item for focus, keys and the mouse. Descendants supply the
// child control, the glyph and the caption painting.
//
// Sources: kvGroupBoxButtons.cpp (items, Properties, control), kvGroupBoxButtonsView.cpp (view).

class TkvButtonGroupItem : public TCollectionItem {
  TAVREN_CLASS(TkvButtonGroupItem, TCollectionItem)
 public:
  explicit TkvButtonGroupItem(TCollection* Collection) : TCollectionItem(Collection) {}
  void Assign(TPersistent* Source) override;

  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  Integer GetTag() const { return FTag; }
  void SetTag(Integer Value) { FTag = Value; }
  bool IsTagStored() const { return FTag != 0; }

 protected:
  // Tells the collection that this item changed (kind 2).
  void ReportChange();

 private:
  String FCaption;
  bool FEnabled = true;
  Integer FTag = 0;
};

// The paint option a host sets for rows that grow to their content.
constexpr Byte kvepoAutoHeight = 2;

// What the last single change of the items was.
enum TkvButtonGroupChangeKind { bgcAdded, bgcDeleted, bgcChanged };

class TkvButtonGroupItems : public TOwnedCollection {
  TAVREN_CLASS(TkvButtonGroupItems, TOwnedCollection)
 public:
  TkvButtonGroupItems(TPersistent* AOwner, TCollectionItemClass ItemClass) : TOwnedCollection(AOwner, ItemClass) {}
  ~TkvButtonGroupItems() override;

  TkvButtonGroupItem* GetItem(Integer Index) const { return static_cast<TkvButtonGroupItem*>(GetItems(Index)); }
  // Reports one item's change to the owner Properties (ignored while they are locked or the items
  // go); Index -1 takes the item's own.
  void ReportItemChange(TkvButtonGroupItem* Item, Integer Index, TkvButtonGroupChangeKind Kind);
  bool HasPendingChange() const { return FChangePending; }
  Integer GetChangedIndex() const { return FChangedIndex; }
  TkvButtonGroupChangeKind GetChangeKind() const { return FChangeKind; }
  // The caption of the item at Index, and the count, for those who see the items as a list.
  String CaptionAt(Integer Index) const { return GetItem(Index)->GetCaption(); }

 protected:
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;
  void Update(TCollectionItem* Item) override;

 private:
  bool FDestroying = false;
  bool FChangePending = false;
  Integer FChangedIndex = -1;
  TkvButtonGroupChangeKind FChangeKind = bgcChanged;
  // An addition or removal the collection's next plain update reports as a single change.
  TCollectionItem* FAddedItem = nullptr;
  Integer FRemovedIndex = -1;
};

class TkvCustomButtonGroupProperties : public TkvCustomGroupBoxProperties {
  TAVREN_CLASS(TkvCustomButtonGroupProperties, TkvCustomGroupBoxProperties)
 public:
  using TkvCustomGroupBoxProperties::TkvCustomGroupBoxProperties;
  ~TkvCustomButtonGroupProperties() override;
  void Assign(TPersistent* Source) override;
  TClass GetEditorClass() override;
  TClassOf<TkvCustomEditViewData> GetViewDataClass() override;
  TClassOf<TkvCustomEditViewInfo> GetViewInfoClass() override;
  Integer GetKindTraits() override { return TkvCustomGroupBoxProperties::GetKindTraits() | 2; }
  Integer GetSupportedFeatures() override;
  TkvCustomEditProperties* NewOfSameClass() override;

  // New operations, in the order descendants know them.
  virtual TkvButtonGroupItems* CreateItems();
  // Columns actually used for the items: no more than there are, and evened out over the rows.
  virtual Integer EffectiveColumns();

  // Rows of the grid (asked for only with at least one item).
  Integer RowTotal();
  Integer GetColumns() const { return FColumns; }
  // Below 1 is 1.
  void SetColumns(Integer Value);
  // Made on first use, so that a descendant's class is the one asked.
  TkvButtonGroupItems* GetItems();
  void SetItems(TkvButtonGroupItems* Value) { GetItems()->Assign(Value); }
  Integer ItemCount() { return GetItems()->GetCount(); }
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { Store(FWordWrap, Value); }

 private:
  Integer FColumns = 1;
  std::unique_ptr<TkvButtonGroupItems> FItems;
  bool FWordWrap = false;
};

// One button of a group that the group draws itself: where its glyph goes.
class TkvGroupBoxButtonViewInfo : public TkvEditButtonViewInfo {
  TAVREN_CLASS(TkvGroupBoxButtonViewInfo, TkvEditButtonViewInfo)
 public:
  TkvGroupBoxButtonViewInfo() = default;
  void Assign(TPersistent* Source) override;
  // Places GlyphRect: centred vertically, against the left edge (Side 1) or the right one.
  virtual void PlaceGlyph(const TSize& Glyph, Integer Side, bool PaintsDataCopy);

  TRect GlyphRect;
  Integer Column = 0;
  Integer Row = 0;
};

class TkvButtonGroupViewInfo : public TkvGroupBoxViewInfo {
  TAVREN_CLASS(TkvButtonGroupViewInfo, TkvGroupBoxViewInfo)
 public:
  TkvButtonGroupViewInfo() = default;
  void CopyFrom(TkvContainerViewInfo* Other) override;
  TClassOf<TkvEditButtonViewInfo> GetButtonViewInfoClass() override { return TkvGroupBoxButtonViewInfo::ClassInfo(); }
  void PaintButtons(TkvCanvas* Canvas) override;

  // New operations, in the order descendants know them.
  virtual bool ButtonTransparent(TkvGroupBoxButtonViewInfo*) { return false; }
  virtual void PaintButtonGlyph(TkvCanvas*, TkvGroupBoxButtonViewInfo*) {}
  virtual void PaintButtonCaption(TkvCanvas*, TkvGroupBoxButtonViewInfo*) {}

  TkvGroupBoxButtonViewInfo* Button(Integer Index) {
    return static_cast<TkvGroupBoxButtonViewInfo*>(Buttons[static_cast<size_t>(Index)].get());
  }

  Integer CaptionFlags = 0;
  TSize GlyphSize{0, 0};
  // 1: the glyph is left of the caption, else right.
  Integer GlyphSide = 1;
  bool ReallyPressed = false;
};

// The nine button metrics a descendant gives (see TkvButtonGroupViewData::GetButtonMetrics).
struct TkvButtonMetrics {
  Integer Values[9] = {};
  Integer& operator[](Integer Index) { return Values[Index]; }
};

class TkvButtonGroupViewData : public TkvGroupBoxViewData {
  TAVREN_CLASS(TkvButtonGroupViewData, TkvGroupBoxViewData)
 public:
  using TkvGroupBoxViewData::TkvGroupBoxViewData;
  void ComputeViewInfo(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P, Integer Button, TShiftState Shift,
                       TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) override;
  void GetEditContentSize(TkvCanvas* Canvas, const Variant& Value, const TkvEditSizeRequest& Request,
                          TSize& Size) override;

  // New operations, in the order descendants know them.
  // 0 caption reserve and 1 width adjustment (measuring for a given width), 2 caption reserve and
  // 3 extra width (natural size), 4 column start offset, 5 layout width adjustment, 6 column gap,
  // 7 and 8 glyph width and height. Without a canvas only 4, 5 and 6 are filled.
  virtual void GetButtonMetrics(bool /*WidthGiven*/, TkvCanvas* /*Canvas*/, TkvButtonMetrics& /*Metrics*/) {}
  virtual void ButtonComputed(TkvGroupBoxButtonViewInfo*, TkvButtonGroupViewInfo*) {}

  TkvCustomButtonGroupProperties* GroupProperties() {
    return static_cast<TkvCustomButtonGroupProperties*>(Properties);
  }

 private:
  void LayOutButtons(TkvButtonGroupViewInfo* ViewInfo);
  void ComputeButtonStates(const TPoint& P, Integer Button, TShiftState Shift, TkvButtonGroupViewInfo* ViewInfo,
                           bool IsMouseEvent);
};

class TkvCustomButtonGroup : public TkvCustomGroupBox {
  TAVREN_CLASS(TkvCustomButtonGroup, TkvCustomGroupBox)
  TAVREN_MESSAGES()
 public:
  ~TkvCustomButtonGroup() override;
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomButtonGroupProperties::ClassInfo(); }

  void ApplyStyle(TObject* Style) override;
  bool HostsChildControls() override { return IsFocusingByAccelerator(); }
  bool CalculateViewInfoAt(const TPoint& P, Integer Button, TShiftState Shift, bool IsMouseEvent) override;
  bool AutoSizeAllowed() override { return !IsInplace() && GetAutoSize(); }
  void HandleKeyDown(Word& Key, TShiftState Shift) override;
  bool SkipsButtonPainting(HDC DC) override;
  void ApplyPropertiesChange(TObject* Properties) override;
  void BeginInplaceEditByMouse(TShiftState Shift, Integer X, Integer Y, TkvCustomEditData*& Data) override;
  bool AllowsNonClientCaption() override { return false; }
  bool Focused() override;
  void RememberCursor() override;
  void AfterEnabledChange() override;

  // New operations, in the order descendants know them.
  virtual void PlaceButtons();
  virtual HDC ButtonCanvasHandle(Integer Index) = 0;
  virtual TWinControl* CreateButtonControl() = 0;
  virtual void AttachButtonControl(TWinControl* Button);
  virtual void SetButtonCount(Integer Count);
  virtual void SyncButtonStyles();
  virtual void UpdateButtons();

  TkvCustomButtonGroupProperties* GroupProperties() {
    return static_cast<TkvCustomButtonGroupProperties*>(GetEffectiveProperties());
  }
  TkvButtonGroupViewInfo* ButtonGroupViewInfo() { return static_cast<TkvButtonGroupViewInfo*>(GetEditViewInfo()); }
  Integer ButtonControlCount() const { return static_cast<Integer>(FButtons.size()); }
  TWinControl* ButtonControl(Integer Index) const { return FButtons[static_cast<size_t>(Index)]; }
  // The child controls join and leave the list themselves.
  void AddButtonControl(TWinControl* Button) { FButtons.push_back(Button); }
  void RemoveButtonControl(TWinControl* Button);

 protected:
  TkvCustomButtonGroup(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass);
  void ReadState(TReader* Reader) override;
  void CreateHandle() override;
  void WMWindowPosChanged(TMessage& Message);

 private:
  void ButtonDragDrop(TObject* Sender, TObject* Source, Integer X, Integer Y);
  void ButtonDragOver(TObject* Sender, TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
  void ButtonKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  void ButtonKeyPress(TObject* Sender, Char& Key);
  void ButtonKeyUp(TObject* Sender, Word& Key, TShiftState Shift);
  void ButtonMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void ButtonMouseMove(TObject* Sender, TShiftState Shift, Integer X, Integer Y);
  void ButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void ButtonMouseWheel(TObject* Sender, TShiftState Shift, Integer WheelDelta, TPoint MousePos, bool& Handled);

  std::vector<TWinControl*> FButtons;
};
