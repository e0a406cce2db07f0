#pragma once
// The ribbon's texts, read through ResourceStringText so that they can be translated.

#include "rtl/Types.h"

constexpr Integer sqzStatusBarTextPanelStyle = 64850;
constexpr Integer sqzStatusBarContainerPanelStyle = 64851;
constexpr Integer sqzStatusBarKeyboardStatePanelStyle = 64852;
constexpr Integer sqzStatusBarStateIndicatorPanelStyle = 64853;
