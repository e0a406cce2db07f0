#pragma once
// The binding of one skin to the names painters use: every group, element, colour and property
// that the skin painter, the skinned forms and the skinned controls read is looked up once and
// kept as a typed reference, and bound again after every change of the skin. A missing group is
// added to the skin and a missing element that painters need gets a red-crossed placeholder, so
// that an incomplete skin still draws; what is optional reads as nil or its default.

#include <memory>

#include "toolkit/foundation/kvClasses.h"
#include "toolkit/skins/qzSkinsCore.h"

// The groups painters use, in binding order (the Reports group is never bound).
enum TqzSkinGroupId : Byte {
  sgBars, sgCommon, sgDocking, sgEditors, sgRibbon, sgForm, sgGrid, sgPageControl, sgScheduler, sgVerticalGrid,
  sgNavBar, sgNavPane
};
constexpr Integer kqzSkinGroupCount = 12;

// The elements painters use: group, then element name.
enum TqzSkinElementId : Integer {
  seBarsBar,
  seBarsBarCustomize,
  seBarsBarCustomizeVertical,
  seBarsBarDragGrip,
  seBarsBarDragGripVertical,
  seBarsBarSeparator,
  seBarsBarVertical,
  seBarsBarSeparatorVertical,
  seBarsDock,
  seBarsFloatBar,
  seBarsLinkStatic,
  seBarsLinkSelected,
  seBarsMainMenu,
  seBarsMainMenuCustomize,
  seBarsMainMenuDrag,
  seBarsMainMenuLinkSelected,
  seBarsMainMenuVertical,
  seBarsPopupMenu,
  seBarsPopupMenuCheck,
  seBarsPopupMenuExpandButton,
  seBarsPopupMenuLinkSelected,
  seBarsPopupMenuSeparator,
  seBarsPopupMenuSideStrip,
  seBarsPopupMenuSideStripNonRecent,
  seBarsPopupMenuDropDownButtonLabel,
  seBarsPopupMenuDropDownButtonArrow,
  seBarsStatusBar,
  seFormFormContent,
  seFormFormButtonClose,
  seFormFormButtonMinimize,
  seFormFormButtonMaximize,
  seFormFormButtonRestore,
  seFormFormButtonHelp,
  seFormSmallFormButtonClose,
  seFormFormFrameLeft,
  seFormFormFrameRight,
  seFormFormFrameBottom,
  seFormFormCaption,
  seFormSmallFormCaption,
  seDockingTabHeaderBackground,
  seDockingTabHeaderLine,
  seDockingTabHeaderAutoHideBar,
  seDockingDockWindowButton,
  seDockingDockWindowButtonGlyphs,
  seDockingTabHeader,
  seDockingAutoHideBar,
  seDockingAutoHideBarLeft,
  seDockingAutoHideBarRight,
  seDockingAutoHideBarBottom,
  seDockingDockWindowCaption,
  seDockingDockWindowBorder,
  seCommonButton,
  seGridPlusMinus,
  seGridFooterCell,
  seGridFooterPanel,
  seEditorsCheckbox,
  seEditorsClockFace,
  seEditorsClockGlass,
  seEditorsCloseButton,
  seEditorsComboButtonGlyph,
  seEditorsEditorButton,
  seEditorsSpinUpGlyph,
  seEditorsSpinDownGlyph,
  seEditorsSpinLeftGlyph,
  seEditorsSpinRightGlyph,
  seCommonGroupPanelNoBorder,
  seCommonGroupPanelTop,
  seCommonGroupPanelBottom,
  seCommonGroupPanelLeft,
  seCommonGroupPanelRight,
  seCommonGroupPanel,
  seCommonGroupPanelCaptionTop,
  seCommonGroupPanelCaptionBottom,
  seCommonGroupPanelCaptionLeft,
  seCommonGroupPanelCaptionRight,
  seGridGridFixedLine,
  seGridCardSeparator,
  seGridGridGroupPanel,
  seGridGroupRow,
  seGridGridLine,
  seVerticalGridCategory,
  seVerticalGridGridLine,
  seVerticalGridBandBorder,
  seGridIndicatorImages,
  seNavBarBackground,
  seNavBarGroupClient,
  seNavBarItem,
  seNavBarGroupHeader,
  seNavBarGroupCloseButton,
  seNavBarGroupOpenButton,
  seNavPaneCollapseButton,
  seNavPaneCollapsedGroupClient,
  seNavPaneExpandButton,
  seNavPanePopupBorder,
  seNavPanePopupSizeGrip,
  seNavPaneGroupButton,
  seNavPaneGroupButtonSelected,
  seNavPaneCaption,
  seNavPaneSplitter,
  seNavPaneScrollUpButton,
  seNavPaneScrollDownButton,
  seNavPaneOverflowPanel,
  seNavPaneOverflowPanelItem,
  seNavPaneOverflowPanelExpandItem,
  seNavPaneGroupClient,
  seNavPaneItem,
  seNavPaneItemSelected,
  seEditorsNavigator,
  seEditorsNavigatorVert,
  seSchedulerTimeGridHeader,
  seSchedulerTimeGridHeaderSelected,
  seSchedulerDefaultTimeLine,
  seSchedulerRuler,
  seSchedulerMoreButton,
  seSchedulerAppointmentRightBorder,
  seSchedulerAppointment,
  seSchedulerAllDayArea,
  seSchedulerAllDayAreaSelected,
  seSchedulerCurrentTimeIndicator,
  seSchedulerAppointmentBottomShadow,
  seSchedulerAppointmentRightShadow,
  seSchedulerAppointmentMask,
  seSchedulerNavButtonPrev,
  seSchedulerNavButtonNext,
  seSchedulerNavButtonPrevArrow,
  seSchedulerNavButtonNextArrow,
  seSchedulerTimeGridCurrentTimeIndicator,
  seCommonHeader,
  seCommonHeaderSpecial,
  seGridFilterButton,
  seGridFilterButtonActive,
  seGridGridFilterPanel,
  sePageControlTabHeader,
  sePageControlTabButtonHorz,
  sePageControlTabButtonVert,
  sePageControlTabPane,
  seEditorsProgressBorder,
  seEditorsProgressBorderVert,
  seEditorsProgressChunk,
  seEditorsProgressChunkVert,
  seEditorsRadioButton,
  seCommonScrollButton,
  seCommonScrollThumbVert,
  seCommonScrollThumbHorz,
  seCommonScrollContentVert,
  seCommonScrollContentHorz,
  seRibbonFormAppButton,
  seRibbonAppMenuBackground,
  seRibbonAppMenuBackgroundBottom,
  seRibbonTabGroupCollapsed,
  seRibbonTabGroupCollapsedBox,
  seRibbonFormCaption,
  seRibbonFormFrameBottom,
  seRibbonDialogFrameBottom,
  seRibbonFormFrameLeft,
  seRibbonDialogFrameLeft,
  seRibbonFormFrameRight,
  seRibbonDialogFrameRight,
  seRibbonTab,
  seRibbonTabPanel,
  seRibbonTabGroupButton,
  seRibbonTabGroup,
  seRibbonTabGroupCaption,
  seRibbonDropDownGalleryBackground,
  seRibbonInRibbonGalleryButtonDown,
  seRibbonInRibbonGalleryButtonDropDown,
  seRibbonInRibbonGalleryButtonUp,
  seRibbonDropDownGalleryGroupHeader,
  seRibbonInRibbonGalleryPane,
  seRibbonDropDownGallerySizePanel,
  seRibbonDropDownGallerySizeGrip,
  seRibbonTabBackground,
  seRibbonButton,
  seRibbonSplitButtonLeft,
  seRibbonSplitButtonRight,
  seRibbonLargeButton,
  seRibbonLargeSplitButtonTop,
  seRibbonLargeSplitButtonBottom,
  seRibbonButtonArrow,
  seRibbonButtonGroup,
  seRibbonStatusBarBackground,
  seRibbonStatusBarButton,
  seRibbonStatusBarSeparator,
  seRibbonQATInRibbonBackground,
  seRibbonQATAboveBackground,
  seRibbonQATBelowBackground,
  seRibbonQATButtonGlyph,
  seRibbonQATOverflow,
  seRibbonQATCustomizeButton,
  seRibbonButtonGroupButton,
  seRibbonButtonGroupSeparator,
  seCommonSizeGrip,
  seCommonSplitter,
  seCommonSplitterHorz,
  seEditorsTrackBarTrack,
  seEditorsTrackBarTrackVert,
  seEditorsTrackBarThumb,
  seEditorsTrackBarThumbUp,
  seEditorsTrackBarThumbBoth,
  seEditorsTrackBarThumbVert,
  seEditorsTrackBarThumbVertUp,
  seEditorsTrackBarThumbVertBoth,
  seBarsScreenTipWindow,
  seBarsScreenTipSeparator,
};
constexpr Integer kqzSkinElementCount = seBarsScreenTipSeparator + 1;

// Colours of the skin itself.
enum TqzSkinColorId : Byte {
  scContainerBorderColor, scContainerHighlightBorderColor, scContentColor, scContentEvenColor, scContentOddColor,
  scContentTextColor, scDockControlHiddenBarTextColor, scHeaderBackgroundColor, scHeaderBackgroundTextColor,
  scLayoutControlColor, scSelectionColor, scSelectionTextColor
};
constexpr Integer kqzSkinColorCount = scSelectionTextColor + 1;

// Colour properties of groups and elements (nil when absent).
enum TqzSkinColorPropertyId : Byte {
  cpBarsDisabledTextColor, cpCommonButtonDisabledText, cpDockingTabHeaderTextColor,
  cpDockingTabHeaderTextColorActive, cpEditorsBackgroundColor, cpEditorsBackgroundDisabledColor, cpEditorsTextColor,
  cpEditorsTextDisabledColor, cpFormTextColorInactive, cpFormTextShadowColor, cpPageControlTabHeaderTextColor,
  cpPageControlTabHeaderTextColorSelected, cpPageControlTabHeaderTextColorDisabled,
  cpPageControlTabHeaderTextColorHot, cpSchedulerNavigatorColor, cpSchedulerAppointmentSeparatorColor,
  cpBarsScreenTipWindowScreenTipItem, cpBarsScreenTipWindowScreenTipTitleItem, cpRibbonAppMenuExtraPaneColor
};
constexpr Integer kqzSkinColorPropertyCount = cpRibbonAppMenuExtraPaneColor + 1;

// Colours read once per binding: property values (clDefault when absent) and the text colours of
// elements (clDefault when the element is missing).
enum TqzSkinColorValueId : Byte {
  cvDockingDockWindowCaptionInactiveCaptionTextColor, cvRibbonButtonDisabled, cvRibbonCaptionTextColorInactive,
  cvRibbonDocumentNameTextColorInactive, cvRibbonDocumentNameTextColor, cvRibbonCaptionTextColor,
  cvRibbonTabTextColorSelected, cvRibbonTabTextColor, cvRibbonStatusBarButtonTextColor,
  cvRibbonStatusBarButtonTextColorHot, cvRibbonStatusBarButtonTextColorDisabled, cvRibbonButtonTextColor
};
constexpr Integer kqzSkinColorValueCount = cvRibbonButtonTextColor + 1;

// Integer values read once per binding (0 when absent).
enum TqzSkinIntegerValueId : Byte {
  ivDockingActiveTabHeaderDownGrow, ivDockingActiveTabHeaderHGrow, ivDockingActiveTabHeaderUpGrow,
  ivPageControlRowIndentFar, ivPageControlRowIndentNear, ivPageControlSelectedHeaderDownGrow,
  ivPageControlSelectedHeaderHGrow, ivPageControlSelectedHeaderUpGrow, ivPageControlHeaderDownGrow,
  ivRibbonTabHeaderDownGrow, ivRibbonFormAppButtonRightIndent, ivRibbonQATInRibbonBackgroundOffset
};
constexpr Integer kqzSkinIntegerValueCount = ivRibbonQATInRibbonBackgroundOffset + 1;

// Integer properties (nil when absent).
enum TqzSkinIntegerPropertyId : Byte {
  ipNavPaneCaptionHeight, ipNavPaneCaptionFontSize, ipSchedulerAppointmentBorderSize, ipRibbonFormCaptionFontDelta,
  ipRibbonQATAboveIndentBeforeCustomizeButton, ipRibbonQATInRibbonIndentBeforeCustomizeButton
};
constexpr Integer kqzSkinIntegerPropertyCount = ipRibbonQATInRibbonIndentBeforeCustomizeButton + 1;

// Boolean properties (nil when absent).
enum TqzSkinBooleanPropertyId : Byte {
  bpRibbonQATAboveDisplayCustomizeButtonOutsideQAT, bpRibbonQATInRibbonDisplayCustomizeButtonOutsideQAT
};
constexpr Integer kqzSkinBooleanPropertyCount = bpRibbonQATInRibbonDisplayCustomizeButtonOutsideQAT + 1;

class IqzSkinInfo : public virtual IInterface {
  TAVREN_INTERFACE(IqzSkinInfo)
 public:
  virtual TqzSkin* GetSkin() = 0;
};

// One scroll-bar part: the element and the image index it draws with.
class TqzSkinScrollInfo : public TObject {
  TAVREN_CLASS(TqzSkinScrollInfo, TObject)
 public:
  TqzSkinScrollInfo(TqzSkinElement* AElement, Integer AImageIndex) : Element(AElement), ImageIndex(AImageIndex) {}
  TqzSkinElement* Element;
  Integer ImageIndex;
};

class TqzSkinInfo : public TkvIUnknownObject, public IqzSkinInfo, public IqzSkinChangeListener {
  TAVREN_CLASS(TqzSkinInfo, TkvIUnknownObject)
 public:
  // Owns ASkin.
  explicit TqzSkinInfo(TqzSkin* ASkin);
  ~TqzSkinInfo() override;

  void SetSkin(TqzSkin* ASkin);
  TqzSkin* GetSkin() override { return FSkin; }
  void SkinChanged(TqzSkin* ASkin) override;

  TqzSkinControlGroup* Group(TqzSkinGroupId Id) const { return FGroups[Id]; }
  TqzSkinElement* Element(TqzSkinElementId Id) const { return FElements[Id]; }
  TqzSkinColor* SkinColor(TqzSkinColorId Id) const { return FSkinColors[Id]; }
  TqzSkinColor* ColorProperty(TqzSkinColorPropertyId Id) const { return FColorProperties[Id]; }
  TColor ColorValue(TqzSkinColorValueId Id) const { return FColorValues[Id]; }
  Integer IntegerValue(TqzSkinIntegerValueId Id) const { return FIntegerValues[Id]; }
  TqzSkinIntegerProperty* IntegerProperty(TqzSkinIntegerPropertyId Id) const { return FIntegerProperties[Id]; }
  TqzSkinBooleanProperty* BooleanProperty(TqzSkinBooleanPropertyId Id) const { return FBooleanProperties[Id]; }

  // Index 0 the small caption of tool windows, 1 the normal caption. Frames: left, caption, right,
  // bottom; buttons: 1 help, 2 minimize, 3 maximize, 4 restore, 5 close (0 and, for tool windows,
  // 1 to 4 are nil).
  TqzSkinElement* FormFrame(Integer Index, Integer Side) const { return FFormFrames[Index][Side]; }
  TqzSkinElement* FormButton(Integer Index, Integer Button) const { return FFormButtons[Index][Button]; }
  const TRect& FormFrameSize(Integer Index) const { return FFormFrameSizes[Index]; }
  Integer FormCaptionFontDelta() const noexcept { return FFormCaptionFontDelta; }
  // Row 0 vertical, 1 horizontal; Part as TkvScrollBarPart (1 to 5); nil for part 0.
  TqzSkinScrollInfo* ScrollInfo(Integer Row, Integer Part) const { return FScrollInfos[Row][Part].get(); }

 protected:
  virtual void InitializeSkinInfo();
  virtual void FinalizeSkinInfo();

 private:
  void BindGroups(bool& Added);
  void BindElements(bool& Added);
  void BindProperties();
  void AdjustElements();
  void BindForm();
  void BindScrollInfos();
  void ClearBindings();

  TqzSkin* FSkin = nullptr;
  TqzSkinControlGroup* FGroups[kqzSkinGroupCount] = {};
  TqzSkinElement* FElements[kqzSkinElementCount] = {};
  TqzSkinColor* FSkinColors[kqzSkinColorCount] = {};
  TqzSkinColor* FColorProperties[kqzSkinColorPropertyCount] = {};
  TColor FColorValues[kqzSkinColorValueCount] = {};
  Integer FIntegerValues[kqzSkinIntegerValueCount] = {};
  TqzSkinIntegerProperty* FIntegerProperties[kqzSkinIntegerPropertyCount] = {};
  TqzSkinBooleanProperty* FBooleanProperties[kqzSkinBooleanPropertyCount] = {};
  TqzSkinElement* FFormFrames[2][4] = {};
  TqzSkinElement* FFormButtons[2][6] = {};
  TRect FFormFrameSizes[2] = {};
  Integer FFormCaptionFontDelta = 1;
  std::unique_ptr<TqzSkinScrollInfo> FScrollInfos[2][6];
};

// The information object of a built-in skin's painter.
class TqzSkinLookAndFeelPainterInfo : public TqzSkinInfo {
  TAVREN_CLASS(TqzSkinLookAndFeelPainterInfo, TqzSkinInfo)
 public:
  using TqzSkinInfo::TqzSkinInfo;
};

// The user skin's: every change of the skin is also a change of the root look-and-feel.
class TqzSkinUserLookAndFeelPainterInfo : public TqzSkinLookAndFeelPainterInfo {
  TAVREN_CLASS(TqzSkinUserLookAndFeelPainterInfo, TqzSkinLookAndFeelPainterInfo)
 public:
  using TqzSkinLookAndFeelPainterInfo::TqzSkinLookAndFeelPainterInfo;
  void SkinChanged(TqzSkin* ASkin) override;
};

// Unit end: frees the placeholders' shared picture (before the graphics library stops).
void qzSkinInfoEnd();
