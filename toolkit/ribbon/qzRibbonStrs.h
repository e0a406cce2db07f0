#pragma once
// The ribbon's texts, read through ResourceStringText so that they can be translated.

#include "rtl/Types.h"

constexpr Integer sqzStatusBarTextPanelStyle = 64850;
constexpr Integer sqzStatusBarContainerPanelStyle = 64851;
constexpr Integer sqzStatusBarKeyboardStatePanelStyle = 64852;
constexpr Integer sqzStatusBarStateIndicatorPanelStyle = 64853;
constexpr Integer sqzRibbonGdiPlusRequired = 64854;
constexpr Integer sqzRibbonOwnerMustBeForm = 64855;
constexpr Integer sqzRibbonOnlyOneOnForm = 64856;
constexpr Integer sqzRibbonParentMustBeForm = 64857;
constexpr Integer sqzRibbonToolbarIsQuickAccess = 64858;
constexpr Integer sqzRibbonToolbarInTab = 64859;
constexpr Integer sqzRibbonMinimizeWindow = 64860;
constexpr Integer sqzRibbonRestoreWindow = 64861;
constexpr Integer sqzRibbonCloseWindow = 64862;
constexpr Integer sqzRibbonMoreCommands = 64864;
constexpr Integer sqzRibbonQuickAccessBelow = 64865;
constexpr Integer sqzRibbonQuickAccessAbove = 64866;
constexpr Integer sqzRibbonMinimize = 64867;
constexpr Integer sqzRibbonQuickAccessAddItem = 64868;
constexpr Integer sqzRibbonQuickAccessAdd = 64869;
constexpr Integer sqzRibbonQuickAccessRemove = 64870;
constexpr Integer sqzRibbonGroupButtonCaption = 64871;
constexpr Integer sqzRibbonGroupButtonOnlyOnQuickAccess = 64872;
constexpr Integer sqzRibbonGroupButtonToolbarNotInRibbon = 64873;
constexpr Integer sqzRibbonGroupButtonDuplicate = 64874;
constexpr Integer sqzRibbonCustomizeQuickAccess = 64875;
