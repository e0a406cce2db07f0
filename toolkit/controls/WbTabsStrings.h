#pragma once
// String-table numbers of the tab and page controls' messages (resources/toolkit-controls). The
// table also holds 64709, 64711 and 64712 (a tab outline, DC state or region that cannot be made),
// which the controls do not raise: such a tab is left out of the paint and the hit test.

constexpr int SWbTabCacheCapacity = 64710;
constexpr int SWbTabPageIndex = 64713;
constexpr int SWbTabSheetVisible = 64714;
