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
// Layout storage: the top of the range, clear of the item texts below.
constexpr Integer sqzBarNoBarManagers = 64689;
constexpr Integer sqzBarLayoutDamaged = 64690;
constexpr Integer sqzBarRegistryPathTooShort = 64691;
// Menus.
constexpr Integer sqzBarExpandMenuHint = 64692;
constexpr Integer sqzBarDetachMenuHint = 64693;
