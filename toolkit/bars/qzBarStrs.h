#pragma once
// The bars' texts, read through ResourceStringText so that they can be translated.

#include "rtl/Types.h"

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
// Layout storage: the top of the range, clear of the item texts below.
constexpr Integer sqzBarNoBarManagers = 64689;
constexpr Integer sqzBarLayoutDamaged = 64690;
constexpr Integer sqzBarRegistryPathTooShort = 64691;
