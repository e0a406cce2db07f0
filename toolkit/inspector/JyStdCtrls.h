#pragma once
// How a list of "name=value" lines shows each line: whole, by name, by value, or by value indented
// by the name read as a level.

#include "rtl/TypInfo.h"

enum TItemsDisplayMode { dmDefault, dmNameList, dmValueList, dmIndentList };
TAVREN_ENUM_INFO(TItemsDisplayMode, dmDefault, dmNameList, dmValueList, dmIndentList);
