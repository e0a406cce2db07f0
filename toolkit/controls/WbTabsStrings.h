#pragma once
// String-table numbers of the tab and page controls' messages (resources/toolkit-controls).

constexpr int SWbTabPointCount = 64709;
constexpr int SWbTabCacheCapacity = 64710;
constexpr int SWbTabSaveDC = 64711;
constexpr int SWbTabCreateRegion = 64712;
constexpr int SWbTabPageIndex = 64713;
constexpr int SWbTabSheetVisible = 64714;
