#pragma once
// The bars' texts, read through ResourceStringText so that they can be translated.

#include "rtl/Types.h"

// The bar windows' own texts, below the range of the model and customizing texts.
constexpr Integer sqzBarAddOrRemoveButtons = 64597;
constexpr Integer sqzBarResetToolbarEntry = 64598;
constexpr Integer sqzBarMoreButtons = 64599;
constexpr Integer sqzBarManagerBadOwner = 64600;
constexpr Integer sqzBarManagerMoreThanOne = 64601;
constexpr Integer sqzBarDefaultCategoryName = 64602;
constexpr Integer sqzBarCustomToolbarName = 64603;
constexpr Integer sqzBarResetToolbarQuery = 64604;
constexpr Integer sqzBarResetUsageDataQuery = 64605;
constexpr Integer sqzBarCantMergeBar = 64606;
constexpr Integer sqzBarCantMergeWithMergedBar = 64607;
constexpr Integer sqzBarBarHasMergedBars = 64608;
constexpr Integer sqzBarBarAlreadyMerged = 64609;
constexpr Integer sqzBarCantUnmergeBar = 64610;
constexpr Integer sqzBarBarNotMerged = 64611;
constexpr Integer sqzBarRecursiveMenus = 64612;
constexpr Integer sqzBarCantPlaceSeparator = 64613;
constexpr Integer sqzBarRecursiveGroups = 64614;
constexpr Integer sqzBarNewItemCaption = 64615;
constexpr Integer sqzBarNewSeparatorCaption = 64616;
constexpr Integer sqzBarNewButtonCaption = 64617;
constexpr Integer sqzBarNewSubItemCaption = 64618;
constexpr Integer sqzBarAddNamedToQuickAccess = 64619;
constexpr Integer sqzBarAddToQuickAccess = 64620;
constexpr Integer sqzBarScreenTipDisplayName = 64621;
constexpr Integer sqzBarContainerControlTaken = 64622;
// The extra items: the colour combo's entries (in list order), its automatic and custom
// captions, and the captions of the items' dialogs.
constexpr Integer sqzBarColorBlack = 64623;
constexpr Integer sqzBarColorMaroon = 64624;
constexpr Integer sqzBarColorGreen = 64625;
constexpr Integer sqzBarColorOlive = 64626;
constexpr Integer sqzBarColorNavy = 64627;
constexpr Integer sqzBarColorPurple = 64628;
constexpr Integer sqzBarColorTeal = 64629;
constexpr Integer sqzBarColorGray = 64630;
constexpr Integer sqzBarColorSilver = 64631;
constexpr Integer sqzBarColorRed = 64632;
constexpr Integer sqzBarColorLime = 64633;
constexpr Integer sqzBarColorYellow = 64634;
constexpr Integer sqzBarColorBlue = 64635;
constexpr Integer sqzBarColorFuchsia = 64636;
constexpr Integer sqzBarColorAqua = 64637;
constexpr Integer sqzBarColorWhite = 64638;
constexpr Integer sqzBarAutoColorText = 64639;
constexpr Integer sqzBarCustomColorText = 64640;
constexpr Integer sqzBarSelectItem = 64641;
constexpr Integer sqzBarSelectDate = 64642;
constexpr Integer sqzBarToday = 64643;
constexpr Integer sqzBarClear = 64644;
constexpr Integer sqzBarOK = 64645;
constexpr Integer sqzBarCancel = 64646;
// Customizing: the design controller's menus, the customizing form and the name dialog.
constexpr Integer sqzBarCustomizeCommand = 64650;
constexpr Integer sqzBarResetLinkCommand = 64651;
constexpr Integer sqzBarDeleteCommand = 64652;
constexpr Integer sqzBarNameEditCaption = 64653;
constexpr Integer sqzBarDefaultStyleCommand = 64654;
constexpr Integer sqzBarTextOnlyAlwaysCommand = 64655;
constexpr Integer sqzBarTextOnlyInMenusCommand = 64656;
constexpr Integer sqzBarImageAndTextCommand = 64657;
constexpr Integer sqzBarBeginGroupCommand = 64658;
constexpr Integer sqzBarBlankCommandName = 64659;
constexpr Integer sqzBarCustomizingFormCaption = 64660;
constexpr Integer sqzBarToolbarsPage = 64661;
constexpr Integer sqzBarCommandsPage = 64662;
constexpr Integer sqzBarOptionsPage = 64663;
constexpr Integer sqzBarToolbarsLabel = 64664;
constexpr Integer sqzBarCategoriesLabel = 64665;
constexpr Integer sqzBarCommandsLabel = 64666;
constexpr Integer sqzBarDescriptionLabel = 64667;
constexpr Integer sqzBarPersonalizedLabel = 64668;
constexpr Integer sqzBarOtherLabel = 64669;
constexpr Integer sqzBarMenuAnimationsLabel = 64670;
constexpr Integer sqzBarNewToolbarCommand = 64671;
constexpr Integer sqzBarRenameToolbarCommand = 64672;
constexpr Integer sqzBarResetToolbarCommand = 64673;
constexpr Integer sqzBarCloseButton = 64674;
constexpr Integer sqzBarDeleteToolbarQuery = 64675;
constexpr Integer sqzBarDeleteToolbarsQuery = 64676;
constexpr Integer sqzBarRecentItemsFirstOption = 64677;
constexpr Integer sqzBarFullMenusAfterDelayOption = 64678;
constexpr Integer sqzBarResetUsageDataButton = 64679;
constexpr Integer sqzBarLargeIconsOption = 64680;
constexpr Integer sqzBarShowHintOption = 64681;
constexpr Integer sqzBarShortCutInHintOption = 64682;
constexpr Integer sqzBarAnimationNone = 64683;
constexpr Integer sqzBarAnimationRandom = 64684;
constexpr Integer sqzBarAnimationUnfold = 64685;
constexpr Integer sqzBarAnimationSlide = 64686;
constexpr Integer sqzBarAnimationFade = 64687;
constexpr Integer sqzBarAddToolbarCaption = 64688;
// Layout storage: the top of the range, clear of the item texts below.
constexpr Integer sqzBarNoBarManagers = 64689;
constexpr Integer sqzBarLayoutDamaged = 64690;
constexpr Integer sqzBarRegistryPathTooShort = 64691;
// Customizing, continued above the layout texts.
constexpr Integer sqzBarRenameToolbarCaption = 64692;
constexpr Integer sqzBarToolbarNameLabel = 64693;
constexpr Integer sqzBarOKButton = 64694;
constexpr Integer sqzBarCancelButton = 64695;
constexpr Integer sqzBarDuplicateToolbarName = 64696;
constexpr Integer sqzBarHelpButton = 64697;
// Menus.
constexpr Integer sqzBarExpandMenuHint = 64698;
constexpr Integer sqzBarDetachMenuHint = 64699;
