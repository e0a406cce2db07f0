#include "toolkit/skins/qzSkinInfo.h"

#include <algorithm>
#include <vector>

#include "gdi/Gdi.h"
#include "toolkit/foundation/kvLookAndFeels.h"
#include "toolkit/skins/qzSkinsStrs.h"
#include "vcl/Graphics.h"

TAVREN_CLASS_IMPL(TqzSkinScrollInfo)
TAVREN_CLASS_IMPL(TqzSkinInfo)
TAVREN_CLASS_IMPL(TqzSkinLookAndFeelPainterInfo)
TAVREN_CLASS_IMPL(TqzSkinUserLookAndFeelPainterInfo)

namespace {

const Integer kGroupNames[kqzSkinGroupCount] = {
    sqzSkinNameBars,        sqzSkinNameCommon,        sqzSkinNameDocking,      sqzSkinNameEditors,
    sqzSkinNameRibbon,      sqzSkinNameForm,          sqzSkinNameGrid,         sqzSkinNamePageControl,
    sqzSkinNameScheduler,   sqzSkinNameVerticalGrid,  sqzSkinNameNavBar,       sqzSkinNameNavPane};

struct TElementRow {
  TqzSkinGroupId group;
  Integer name;
  bool optional;
};

// In the order the painters' needs were listed; the adjustments below rely on Form coming first.
const TElementRow kElements[kqzSkinElementCount] = {
    {sgBars, sqzSkinNameBar, false},
    {sgBars, sqzSkinNameBarCustomize, false},
    {sgBars, sqzSkinNameBarCustomizeVertical, false},
    {sgBars, sqzSkinNameBarDragGrip, false},
    {sgBars, sqzSkinNameBarDragGripVertical, false},
    {sgBars, sqzSkinNameBarSeparator, false},
    {sgBars, sqzSkinNameBarVertical, false},
    {sgBars, sqzSkinNameBarSeparatorVertical, false},
    {sgBars, sqzSkinNameDock, false},
    {sgBars, sqzSkinNameFloatBar, false},
    {sgBars, sqzSkinNameLinkStatic, false},
    {sgBars, sqzSkinNameLinkSelected, false},
    {sgBars, sqzSkinNameMainMenu, false},
    {sgBars, sqzSkinNameMainMenuCustomize, true},
    {sgBars, sqzSkinNameMainMenuDrag, true},
    {sgBars, sqzSkinNameMainMenuLinkSelected, false},
    {sgBars, sqzSkinNameMainMenuVertical, false},
    {sgBars, sqzSkinNamePopupMenu, false},
    {sgBars, sqzSkinNamePopupMenuCheck, false},
    {sgBars, sqzSkinNamePopupMenuExpandButton, false},
    {sgBars, sqzSkinNamePopupMenuLinkSelected, false},
    {sgBars, sqzSkinNamePopupMenuSeparator, false},
    {sgBars, sqzSkinNamePopupMenuSideStrip, false},
    {sgBars, sqzSkinNamePopupMenuSideStripNonRecent, false},
    {sgBars, sqzSkinNamePopupMenuDropDownButtonLabel, false},
    {sgBars, sqzSkinNamePopupMenuDropDownButtonArrow, false},
    {sgBars, sqzSkinNameStatusBar, false},
    {sgForm, sqzSkinNameFormContent, false},
    {sgForm, sqzSkinNameFormButtonClose, false},
    {sgForm, sqzSkinNameFormButtonMinimize, false},
    {sgForm, sqzSkinNameFormButtonMaximize, false},
    {sgForm, sqzSkinNameFormButtonRestore, false},
    {sgForm, sqzSkinNameFormButtonHelp, false},
    {sgForm, sqzSkinNameSmallFormButtonClose, false},
    {sgForm, sqzSkinNameFormFrameLeft, false},
    {sgForm, sqzSkinNameFormFrameRight, false},
    {sgForm, sqzSkinNameFormFrameBottom, false},
    {sgForm, sqzSkinNameFormCaption, false},
    {sgForm, sqzSkinNameSmallFormCaption, false},
    {sgDocking, sqzSkinNameTabHeaderBackground, false},
    {sgDocking, sqzSkinNameTabHeaderLine, false},
    {sgDocking, sqzSkinNameTabHeaderAutoHideBar, false},
    {sgDocking, sqzSkinNameDockWindowButton, false},
    {sgDocking, sqzSkinNameDockWindowButtonGlyphs, false},
    {sgDocking, sqzSkinNameTabHeader, false},
    {sgDocking, sqzSkinNameAutoHideBar, false},
    {sgDocking, sqzSkinNameAutoHideBarLeft, false},
    {sgDocking, sqzSkinNameAutoHideBarRight, false},
    {sgDocking, sqzSkinNameAutoHideBarBottom, false},
    {sgDocking, sqzSkinNameDockWindowCaption, false},
    {sgDocking, sqzSkinNameDockWindowBorder, false},
    {sgCommon, sqzSkinNameButton, false},
    {sgGrid, sqzSkinNamePlusMinus, false},
    {sgGrid, sqzSkinNameFooterCell, false},
    {sgGrid, sqzSkinNameFooterPanel, false},
    {sgEditors, sqzSkinNameCheckbox, false},
    {sgEditors, sqzSkinNameClockFace, false},
    {sgEditors, sqzSkinNameClockGlass, false},
    {sgEditors, sqzSkinNameCloseButton, false},
    {sgEditors, sqzSkinNameComboButtonGlyph, false},
    {sgEditors, sqzSkinNameEditorButton, false},
    {sgEditors, sqzSkinNameSpinUpGlyph, false},
    {sgEditors, sqzSkinNameSpinDownGlyph, false},
    {sgEditors, sqzSkinNameSpinLeftGlyph, false},
    {sgEditors, sqzSkinNameSpinRightGlyph, false},
    {sgCommon, sqzSkinNameGroupPanelNoBorder, false},
    {sgCommon, sqzSkinNameGroupPanelTop, false},
    {sgCommon, sqzSkinNameGroupPanelBottom, false},
    {sgCommon, sqzSkinNameGroupPanelLeft, false},
    {sgCommon, sqzSkinNameGroupPanelRight, false},
    {sgCommon, sqzSkinNameGroupPanel, false},
    {sgCommon, sqzSkinNameGroupPanelCaptionTop, false},
    {sgCommon, sqzSkinNameGroupPanelCaptionBottom, false},
    {sgCommon, sqzSkinNameGroupPanelCaptionLeft, false},
    {sgCommon, sqzSkinNameGroupPanelCaptionRight, false},
    {sgGrid, sqzSkinNameGridFixedLine, false},
    {sgGrid, sqzSkinNameCardSeparator, false},
    {sgGrid, sqzSkinNameGridGroupPanel, false},
    {sgGrid, sqzSkinNameGroupRow, false},
    {sgGrid, sqzSkinNameGridLine, false},
    {sgVerticalGrid, sqzSkinNameCategory, false},
    {sgVerticalGrid, sqzSkinNameGridLine, false},
    {sgVerticalGrid, sqzSkinNameBandBorder, false},
    {sgGrid, sqzSkinNameIndicatorImages, false},
    {sgNavBar, sqzSkinNameBackground, false},
    {sgNavBar, sqzSkinNameGroupClient, false},
    {sgNavBar, sqzSkinNameItem, false},
    {sgNavBar, sqzSkinNameGroupHeader, false},
    {sgNavBar, sqzSkinNameGroupCloseButton, false},
    {sgNavBar, sqzSkinNameGroupOpenButton, false},
    {sgNavPane, sqzSkinNameCollapseButton, false},
    {sgNavPane, sqzSkinNameCollapsedGroupClient, false},
    {sgNavPane, sqzSkinNameExpandButton, false},
    {sgNavPane, sqzSkinNamePopupBorder, false},
    {sgNavPane, sqzSkinNamePopupSizeGrip, false},
    {sgNavPane, sqzSkinNameGroupButton, false},
    {sgNavPane, sqzSkinNameGroupButtonSelected, false},
    {sgNavPane, sqzSkinNameCaption, false},
    {sgNavPane, sqzSkinNameSplitter, false},
    {sgNavPane, sqzSkinNameScrollUpButton, false},
    {sgNavPane, sqzSkinNameScrollDownButton, false},
    {sgNavPane, sqzSkinNameOverflowPanel, false},
    {sgNavPane, sqzSkinNameOverflowPanelItem, false},
    {sgNavPane, sqzSkinNameOverflowPanelExpandItem, false},
    {sgNavPane, sqzSkinNameGroupClient, false},
    {sgNavPane, sqzSkinNameItem, false},
    {sgNavPane, sqzSkinNameItemSelected, false},
    {sgEditors, sqzSkinNameNavigator, false},
    {sgEditors, sqzSkinNameNavigatorVert, false},
    {sgScheduler, sqzSkinNameTimeGridHeader, false},
    {sgScheduler, sqzSkinNameTimeGridHeaderSelected, false},
    {sgScheduler, sqzSkinNameDefaultTimeLine, false},
    {sgScheduler, sqzSkinNameRuler, false},
    {sgScheduler, sqzSkinNameMoreButton, false},
    {sgScheduler, sqzSkinNameAppointmentRightBorder, false},
    {sgScheduler, sqzSkinNameAppointment, false},
    {sgScheduler, sqzSkinNameAllDayArea, false},
    {sgScheduler, sqzSkinNameAllDayAreaSelected, false},
    {sgScheduler, sqzSkinNameCurrentTimeIndicator, false},
    {sgScheduler, sqzSkinNameAppointmentBottomShadow, false},
    {sgScheduler, sqzSkinNameAppointmentRightShadow, false},
    {sgScheduler, sqzSkinNameAppointmentMask, false},
    {sgScheduler, sqzSkinNameNavButtonPrev, false},
    {sgScheduler, sqzSkinNameNavButtonNext, false},
    {sgScheduler, sqzSkinNameNavButtonPrevArrow, false},
    {sgScheduler, sqzSkinNameNavButtonNextArrow, false},
    {sgScheduler, sqzSkinNameTimeGridCurrentTimeIndicator, true},
    {sgCommon, sqzSkinNameHeader, false},
    {sgCommon, sqzSkinNameHeaderSpecial, false},
    {sgGrid, sqzSkinNameFilterButton, false},
    {sgGrid, sqzSkinNameFilterButtonActive, false},
    {sgGrid, sqzSkinNameGridFilterPanel, false},
    {sgPageControl, sqzSkinNameTabHeader, false},
    {sgPageControl, sqzSkinNameTabButtonHorz, false},
    {sgPageControl, sqzSkinNameTabButtonVert, false},
    {sgPageControl, sqzSkinNameTabPane, false},
    {sgEditors, sqzSkinNameProgressBorder, false},
    {sgEditors, sqzSkinNameProgressBorderVert, false},
    {sgEditors, sqzSkinNameProgressChunk, false},
    {sgEditors, sqzSkinNameProgressChunkVert, false},
    {sgEditors, sqzSkinNameRadioButton, false},
    {sgCommon, sqzSkinNameScrollButton, false},
    {sgCommon, sqzSkinNameScrollThumbVert, false},
    {sgCommon, sqzSkinNameScrollThumbHorz, false},
    {sgCommon, sqzSkinNameScrollContentVert, false},
    {sgCommon, sqzSkinNameScrollContentHorz, false},
    {sgRibbon, sqzSkinNameFormAppButton, false},
    {sgRibbon, sqzSkinNameAppMenuBackground, false},
    {sgRibbon, sqzSkinNameAppMenuBackgroundBottom, false},
    {sgRibbon, sqzSkinNameTabGroupCollapsed, false},
    {sgRibbon, sqzSkinNameTabGroupCollapsedBox, false},
    {sgRibbon, sqzSkinNameFormCaption, false},
    {sgRibbon, sqzSkinNameFormFrameBottom, false},
    {sgRibbon, sqzSkinNameDialogFrameBottom, false},
    {sgRibbon, sqzSkinNameFormFrameLeft, false},
    {sgRibbon, sqzSkinNameDialogFrameLeft, false},
    {sgRibbon, sqzSkinNameFormFrameRight, false},
    {sgRibbon, sqzSkinNameDialogFrameRight, false},
    {sgRibbon, sqzSkinNameTab, false},
    {sgRibbon, sqzSkinNameTabPanel, false},
    {sgRibbon, sqzSkinNameTabGroupButton, false},
    {sgRibbon, sqzSkinNameTabGroup, false},
    {sgRibbon, sqzSkinNameTabGroupCaption, false},
    {sgRibbon, sqzSkinNameDropDownGalleryBackground, false},
    {sgRibbon, sqzSkinNameInRibbonGalleryButtonDown, false},
    {sgRibbon, sqzSkinNameInRibbonGalleryButtonDropDown, false},
    {sgRibbon, sqzSkinNameInRibbonGalleryButtonUp, false},
    {sgRibbon, sqzSkinNameDropDownGalleryGroupHeader, false},
    {sgRibbon, sqzSkinNameInRibbonGalleryPane, false},
    {sgRibbon, sqzSkinNameDropDownGallerySizePanel, false},
    {sgRibbon, sqzSkinNameDropDownGallerySizeGrip, false},
    {sgRibbon, sqzSkinNameTabBackground, false},
    {sgRibbon, sqzSkinNameButton, false},
    {sgRibbon, sqzSkinNameSplitButtonLeft, false},
    {sgRibbon, sqzSkinNameSplitButtonRight, false},
    {sgRibbon, sqzSkinNameLargeButton, false},
    {sgRibbon, sqzSkinNameLargeSplitButtonTop, false},
    {sgRibbon, sqzSkinNameLargeSplitButtonBottom, false},
    {sgRibbon, sqzSkinNameButtonArrow, false},
    {sgRibbon, sqzSkinNameButtonGroup, false},
    {sgRibbon, sqzSkinNameStatusBarBackground, false},
    {sgRibbon, sqzSkinNameStatusBarButton, false},
    {sgRibbon, sqzSkinNameStatusBarSeparator, false},
    {sgRibbon, sqzSkinNameQATInRibbonBackground, false},
    {sgRibbon, sqzSkinNameQATAboveBackground, false},
    {sgRibbon, sqzSkinNameQATBelowBackground, false},
    {sgRibbon, sqzSkinNameQATButtonGlyph, false},
    {sgRibbon, sqzSkinNameQATOverflow, false},
    {sgRibbon, sqzSkinNameQATCustomizeButton, false},
    {sgRibbon, sqzSkinNameButtonGroupButton, false},
    {sgRibbon, sqzSkinNameButtonGroupSeparator, false},
    {sgCommon, sqzSkinNameSizeGrip, false},
    {sgCommon, sqzSkinNameSplitter, false},
    {sgCommon, sqzSkinNameSplitterHorz, false},
    {sgEditors, sqzSkinNameTrackBarTrack, false},
    {sgEditors, sqzSkinNameTrackBarTrackVert, false},
    {sgEditors, sqzSkinNameTrackBarThumb, false},
    {sgEditors, sqzSkinNameTrackBarThumbUp, false},
    {sgEditors, sqzSkinNameTrackBarThumbBoth, false},
    {sgEditors, sqzSkinNameTrackBarThumbVert, false},
    {sgEditors, sqzSkinNameTrackBarThumbVertUp, false},
    {sgEditors, sqzSkinNameTrackBarThumbVertBoth, false},
    {sgBars, sqzSkinNameScreenTipWindow, false},
    {sgBars, sqzSkinNameScreenTipSeparator, false},
};

const Integer kSkinColorNames[kqzSkinColorCount] = {
    sqzSkinNameContainerBorderColor,  sqzSkinNameContainerHighlightBorderColor, sqzSkinNameContentColor,
    sqzSkinNameContentEvenColor,      sqzSkinNameContentOddColor,               sqzSkinNameContentTextColor,
    sqzSkinNameDockControlHiddenBarTextColor, sqzSkinNameHeaderBackgroundColor, sqzSkinNameHeaderBackgroundTextColor,
    sqzSkinNameLayoutControlColor,    sqzSkinNameSelectionColor,                sqzSkinNameSelectionTextColor};

// A property of a group (element -1) or of an element.
struct TPropertyRow {
  TqzSkinGroupId group;
  Integer element;
  Integer name;
};

constexpr Integer kNoElement = -1;

const TPropertyRow kColorProperties[kqzSkinColorPropertyCount] = {
    {sgBars, kNoElement, sqzSkinNameDisabledTextColor},
    {sgCommon, seCommonButton, sqzSkinNameDisabledText},
    {sgDocking, kNoElement, sqzSkinNameTabHeaderTextColor},
    {sgDocking, kNoElement, sqzSkinNameTabHeaderTextColorActive},
    {sgEditors, kNoElement, sqzSkinNameBackgroundColor},
    {sgEditors, kNoElement, sqzSkinNameBackgroundDisabledColor},
    {sgEditors, kNoElement, sqzSkinNameTextColor},
    {sgEditors, kNoElement, sqzSkinNameTextDisabledColor},
    {sgForm, kNoElement, sqzSkinNameTextColorInactive},
    {sgForm, kNoElement, sqzSkinNameTextShadowColor},
    {sgPageControl, sePageControlTabHeader, sqzSkinNameTextColor},
    {sgPageControl, sePageControlTabHeader, sqzSkinNameTextColorSelected},
    {sgPageControl, sePageControlTabHeader, sqzSkinNameTextColorDisabled},
    {sgPageControl, sePageControlTabHeader, sqzSkinNameTextColorHot},
    {sgScheduler, kNoElement, sqzSkinNameNavigatorColor},
    {sgScheduler, seSchedulerAppointment, sqzSkinNameSeparatorColor},
    {sgBars, seBarsScreenTipWindow, sqzSkinNameScreenTipItem},
    {sgBars, seBarsScreenTipWindow, sqzSkinNameScreenTipTitleItem},
    {sgRibbon, kNoElement, sqzSkinNameAppMenuExtraPaneColor}};

// A colour value: a colour property's value, or (name 0) the element's text colour.
const TPropertyRow kColorValues[kqzSkinColorValueCount] = {
    {sgDocking, seDockingDockWindowCaption, sqzSkinNameInactiveCaptionTextColor},
    {sgRibbon, kNoElement, sqzSkinNameButtonDisabled},
    {sgRibbon, seRibbonFormCaption, sqzSkinNameTextColorInactive},
    {sgRibbon, seRibbonFormCaption, sqzSkinNameTextColorInactive},
    {sgRibbon, seRibbonFormCaption, sqzSkinNameDocumentNameTextColor},
    {sgRibbon, seRibbonFormCaption, 0},
    {sgRibbon, seRibbonTab, sqzSkinNameTextColorSelected},
    {sgRibbon, seRibbonTab, 0},
    {sgRibbon, seRibbonStatusBarButton, sqzSkinNameTextColor},
    {sgRibbon, seRibbonStatusBarButton, sqzSkinNameTextColorHot},
    {sgRibbon, seRibbonStatusBarButton, sqzSkinNameTextColorDisabled},
    {sgRibbon, seRibbonButton, 0}};

const TPropertyRow kIntegerValues[kqzSkinIntegerValueCount] = {
    {sgDocking, kNoElement, sqzSkinNameActiveTabHeaderDownGrow},
    {sgDocking, kNoElement, sqzSkinNameActiveTabHeaderHGrow},
    {sgDocking, kNoElement, sqzSkinNameActiveTabHeaderUpGrow},
    {sgPageControl, kNoElement, sqzSkinNameRowIndentFar},
    {sgPageControl, kNoElement, sqzSkinNameRowIndentNear},
    {sgPageControl, kNoElement, sqzSkinNameSelectedHeaderDownGrow},
    {sgPageControl, kNoElement, sqzSkinNameSelectedHeaderHGrow},
    {sgPageControl, kNoElement, sqzSkinNameSelectedHeaderUpGrow},
    {sgPageControl, kNoElement, sqzSkinNameHeaderDownGrow},
    {sgRibbon, kNoElement, sqzSkinNameTabHeaderDownGrow},
    {sgRibbon, seRibbonFormAppButton, sqzSkinNameRightIndent},
    {sgRibbon, seRibbonQATInRibbonBackground, sqzSkinNameOffset}};

const TPropertyRow kIntegerProperties[kqzSkinIntegerPropertyCount] = {
    {sgNavPane, seNavPaneCaption, sqzSkinNameHeight},
    {sgNavPane, seNavPaneCaption, sqzSkinNameFontSize},
    {sgScheduler, seSchedulerAppointment, sqzSkinNameBorderSize},
    {sgRibbon, seRibbonFormCaption, sqzSkinNameFontDelta},
    {sgRibbon, seRibbonQATAboveBackground, sqzSkinNameIndentBeforeCustomizeButton},
    {sgRibbon, seRibbonQATInRibbonBackground, sqzSkinNameIndentBeforeCustomizeButton}};

const TPropertyRow kBooleanProperties[kqzSkinBooleanPropertyCount] = {
    {sgRibbon, seRibbonQATAboveBackground, sqzSkinNameDisplayCustomizeButtonOutsideQAT},
    {sgRibbon, seRibbonQATInRibbonBackground, sqzSkinNameDisplayCustomizeButtonOutsideQAT}};

// The largest caption font growth a skin may ask for.
constexpr Integer kMaxCaptionFontDelta = 10;

// A red-crossed picture that shows where a skin lacks an element; drawn once, shared by copies.
TqzPNGImage* placeholderPicture = nullptr;

TqzPNGImage* PlaceholderPicture() {
  if (placeholderPicture) return placeholderPicture;
  TkvBitmap bitmap(32, 32);
  HDC dc = bitmap.GetCanvas()->GetHandle();
  RECT all{0, 0, 32, 32};
  ::FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HPEN pen = CreatePen(PS_SOLID, 2, RGB(255, 0, 0));
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, 0, 0, nullptr);
  LineTo(dc, 32, 32);
  MoveToEx(dc, 0, 32, nullptr);
  LineTo(dc, 32, 0);
  SelectObject(dc, old);
  DeleteObject(pen);
  bitmap.MakeOpaque();
  auto picture = std::make_unique<TqzPNGImage>();
  picture->SetBitmap(&bitmap);
  placeholderPicture = picture.release();
  return placeholderPicture;
}

void MakePlaceholder(TqzSkinElement* AElement) {
  TqzSkinImage* image = AElement->GetImage();
  image->SetStates({esNormal});
  image->SetStretch(smStretch);
  image->SetPicture(PlaceholderPicture());
}

}  // namespace

TqzSkinInfo::TqzSkinInfo(TqzSkin* ASkin) { SetSkin(ASkin); }

TqzSkinInfo::~TqzSkinInfo() {
  TqzSkin* skin = FSkin;
  SetSkin(nullptr);
  delete skin;
}

void TqzSkinInfo::SetSkin(TqzSkin* ASkin) {
  if (ASkin == FSkin) return;
  if (FSkin) {
    FinalizeSkinInfo();
    FSkin->RemoveListener(this);
  }
  FSkin = ASkin;
  if (FSkin) FSkin->AddListener(this);
  InitializeSkinInfo();
}

void TqzSkinInfo::SkinChanged(TqzSkin*) {
  FinalizeSkinInfo();
  InitializeSkinInfo();
}

void TqzSkinInfo::FinalizeSkinInfo() {
  for (auto& row : FScrollInfos)
    for (auto& info : row) info.reset();
}

void TqzSkinInfo::ClearBindings() {
  std::fill(std::begin(FGroups), std::end(FGroups), nullptr);
  std::fill(std::begin(FElements), std::end(FElements), nullptr);
  std::fill(std::begin(FColorProperties), std::end(FColorProperties), nullptr);
  std::fill(std::begin(FIntegerProperties), std::end(FIntegerProperties), nullptr);
  std::fill(std::begin(FBooleanProperties), std::end(FBooleanProperties), nullptr);
  std::fill(std::begin(FIntegerValues), std::end(FIntegerValues), 0);
  for (auto& row : FFormFrames) std::fill(std::begin(row), std::end(row), nullptr);
  for (auto& row : FFormButtons) std::fill(std::begin(row), std::end(row), nullptr);
}

void TqzSkinInfo::InitializeSkinInfo() {
  FinalizeSkinInfo();  // a nested binding may have made them already
  if (!FSkin) {
    ClearBindings();
    return;
  }
  // Groups and placeholders added here are one change of the skin, told once at the end; a
  // binding that adds nothing changes nothing, so rebinding from the listener ends there.
  bool added = false;
  FSkin->BeginUpdate();
  try {
    BindGroups(added);
    BindElements(added);
    BindProperties();
    AdjustElements();
    BindForm();
    BindScrollInfos();
  } catch (...) {
    FSkin->CancelUpdate();
    throw;
  }
  if (added)
    FSkin->EndUpdate();
  else
    FSkin->CancelUpdate();
}

void TqzSkinInfo::BindGroups(bool& Added) {
  for (Integer g = 0; g < kqzSkinGroupCount; ++g) {
    String name = SkinStr(kGroupNames[g]);
    FGroups[g] = FSkin->GetGroupByName(name);
    if (!FGroups[g]) {
      FGroups[g] = FSkin->AddGroup(name);
      Added = true;
    }
  }
}

// The element names, looked up in the string table once.
const String& ElementName(Integer Element) {
  static const std::vector<String> names = [] {
    std::vector<String> all;
    for (const TElementRow& row : kElements) all.push_back(SkinStr(row.name));
    return all;
  }();
  return names[Element];
}

void TqzSkinInfo::BindElements(bool& Added) {
  // Every lookup first, then the placeholders: adding unsorts the group for the next lookup.
  for (Integer e = 0; e < kqzSkinElementCount; ++e) {
    TqzSkinControlGroup* group = FGroups[kElements[e].group];
    FElements[e] = group ? group->GetElementByName(ElementName(e)) : nullptr;
  }
  for (Integer e = 0; e < kqzSkinElementCount; ++e) {
    TqzSkinControlGroup* group = FGroups[kElements[e].group];
    if (FElements[e] || !group || kElements[e].optional) continue;
    FElements[e] = group->AddElement(ElementName(e));
    MakePlaceholder(FElements[e]);
    Added = true;
  }
}

namespace {

// The property of that name and class of the row's owner; a property of another class reads as absent.
template <class T>
T* BoundProperty(TqzSkinControlGroup* const (&Groups)[kqzSkinGroupCount], TqzSkinElement* const (&Elements)[kqzSkinElementCount],
                 const TPropertyRow& Row) {
  TqzSkinPersistent* owner = Row.element == kNoElement ? static_cast<TqzSkinPersistent*>(Groups[Row.group])
                                                       : static_cast<TqzSkinPersistent*>(Elements[Row.element]);
  return owner ? dynamic_cast<T*>(owner->GetPropertyByName(SkinStr(Row.name))) : nullptr;
}

}  // namespace

void TqzSkinInfo::BindProperties() {
  for (Integer i = 0; i < kqzSkinColorCount; ++i) FSkinColors[i] = FSkin->GetColorByName(SkinStr(kSkinColorNames[i]));
  for (Integer i = 0; i < kqzSkinColorPropertyCount; ++i)
    FColorProperties[i] = BoundProperty<TqzSkinColor>(FGroups, FElements, kColorProperties[i]);
  for (Integer i = 0; i < kqzSkinColorValueCount; ++i) {
    const TPropertyRow& row = kColorValues[i];
    if (row.name == 0) {
      TqzSkinElement* element = FElements[row.element];
      FColorValues[i] = element ? element->GetTextColor() : clDefault;
    } else {
      TqzSkinColor* color = BoundProperty<TqzSkinColor>(FGroups, FElements, row);
      FColorValues[i] = color ? color->GetValue() : clDefault;
    }
  }
  for (Integer i = 0; i < kqzSkinIntegerValueCount; ++i) {
    TqzSkinIntegerProperty* value = BoundProperty<TqzSkinIntegerProperty>(FGroups, FElements, kIntegerValues[i]);
    FIntegerValues[i] = value ? value->GetValue() : 0;
  }
  for (Integer i = 0; i < kqzSkinIntegerPropertyCount; ++i)
    FIntegerProperties[i] = BoundProperty<TqzSkinIntegerProperty>(FGroups, FElements, kIntegerProperties[i]);
  for (Integer i = 0; i < kqzSkinBooleanPropertyCount; ++i)
    FBooleanProperties[i] = BoundProperty<TqzSkinBooleanProperty>(FGroups, FElements, kBooleanProperties[i]);
  TqzSkinIntegerProperty* fontDelta =
      BoundProperty<TqzSkinIntegerProperty>(FGroups, FElements, {sgForm, seFormFormCaption, sqzSkinNameFontDelta});
  FFormCaptionFontDelta = std::clamp(fontDelta ? fontDelta->GetValue() : 0, 1, kMaxCaptionFontDelta);
}

void TqzSkinInfo::AdjustElements() {
  TqzSkinElement* panel = FElements[seGridGridGroupPanel];
  if (panel && !panel->GetImage()->Empty()) panel->SetColor(clNone);
  if (TqzSkinElement* content = FElements[seFormFormContent]) {
    for (TqzSkinElementId id : {sePageControlTabButtonHorz, sePageControlTabButtonVert, seCommonScrollButton})
      if (FElements[id]) FElements[id]->SetColor(content->GetColor());
  }
}

void TqzSkinInfo::BindForm() {
  const TqzSkinElementId frames[2][4] = {
      {seFormFormFrameLeft, seFormSmallFormCaption, seFormFormFrameRight, seFormFormFrameBottom},
      {seFormFormFrameLeft, seFormFormCaption, seFormFormFrameRight, seFormFormFrameBottom}};
  for (Integer i = 0; i < 2; ++i) {
    for (Integer side = 0; side < 4; ++side) FFormFrames[i][side] = FElements[frames[i][side]];
    std::fill(std::begin(FFormButtons[i]), std::end(FFormButtons[i]), nullptr);
  }
  FFormButtons[0][5] = FElements[seFormSmallFormButtonClose];
  FFormButtons[1][1] = FElements[seFormFormButtonHelp];
  FFormButtons[1][2] = FElements[seFormFormButtonMinimize];
  FFormButtons[1][3] = FElements[seFormFormButtonMaximize];
  FFormButtons[1][4] = FElements[seFormFormButtonRestore];
  FFormButtons[1][5] = FElements[seFormFormButtonClose];
  // Forms draw buttons and frames by these rules whatever the skin holds.
  for (Integer i = 0; i < 2; ++i) {
    for (TqzSkinElement* button : FFormButtons[i]) {
      if (!button) continue;
      TqzSkinImage* image = button->GetImage();
      TqzSkinElementStates states = image->GetStates();
      image->SetStates(states.Include(esActiveDisabled).Exclude(esActive));
      image->SetStretch(smStretch);
    }
    for (Integer side = 0; side < 4; ++side) {
      TqzSkinElement* frame = FFormFrames[i][side];
      if (!frame) continue;
      TqzSkinImage* image = frame->GetImage();
      TqzSkinElementStates states = image->GetStates();
      image->SetStates(states.Include(esActive).Include(esActiveDisabled).Exclude(esNormal));
      TkvRect* margins = image->GetMargins();
      if (side == 0) {
        margins->SetSide(0, 1);
        margins->SetSide(2, 0);
      } else if (side == 2) {
        margins->SetSide(2, 1);
        margins->SetSide(0, 0);
      } else if (side == 3) {
        margins->SetSide(1, 0);
        margins->SetSide(3, 1);
      }
    }
    auto width = [](TqzSkinElement* e) { return e ? e->Size().cx : 0; };
    auto height = [](TqzSkinElement* e) { return e ? e->Size().cy : 0; };
    FFormFrameSizes[i] = TRect{width(FFormFrames[i][0]), 0, width(FFormFrames[i][2]), height(FFormFrames[i][3])};
  }
}

void TqzSkinInfo::BindScrollInfos() {
  struct Part {
    TqzSkinElementId element;
    Integer imageIndex;
  };
  const Part parts[2][5] = {
      {{seCommonScrollButton, 0}, {seCommonScrollButton, 1}, {seCommonScrollThumbVert, 0},
       {seCommonScrollContentVert, 0}, {seCommonScrollContentVert, 0}},
      {{seCommonScrollButton, 2}, {seCommonScrollButton, 3}, {seCommonScrollThumbHorz, 0},
       {seCommonScrollContentHorz, 0}, {seCommonScrollContentHorz, 0}}};
  for (Integer row = 0; row < 2; ++row)
    for (Integer part = 1; part <= 5; ++part)
      FScrollInfos[row][part] =
          std::make_unique<TqzSkinScrollInfo>(FElements[parts[row][part - 1].element], parts[row][part - 1].imageIndex);
}

void TqzSkinUserLookAndFeelPainterInfo::SkinChanged(TqzSkin* ASkin) {
  inherited::SkinChanged(ASkin);
  if (TkvLookAndFeel* root = TopLookAndFeel()) root->NotifyAllValuesChanged();
}

void qzSkinInfoEnd() {
  delete placeholderPicture;
  placeholderPicture = nullptr;
}
