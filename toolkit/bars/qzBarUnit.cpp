// The bar unit's globals, its start and its end.

#include <span>

#include "rtl/ClassRegistry.h"
#include "rtl/Resources.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarDockControl.h"
#include "toolkit/bars/qzBarHooks.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarItemControlCombos.h"
#include "toolkit/bars/qzBarItemControlStatics.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "toolkit/bars/qzBarPopupMenu.h"
#include "toolkit/bars/qzBarQuickCust.h"

namespace {

bool gUnitFinalized = false;
Integer gScreenBitsPerPixel = 32;
HBRUSH gCheckerBrush = nullptr;
TqzBarSystemController* gSystemController = nullptr;
TqzBarCanvas* gBarCanvas = nullptr;
TqzBarManagerList* gManagers = nullptr;
TqzBarItemList* gItemClasses = nullptr;

struct CursorEntry {
  TCursor Id;
  const char* Resource;
};
const CursorEntry kBarCursors[] = {{crqzBarDrag, "QZBARDRAGCURSOR"},
                                   {crqzBarDragCopy, "QZBARDRAGCOPYCURSOR"},
                                   {crqzBarDragNoDrop, "QZBARDRAGNODROPCURSOR"},
                                   {crqzBarEditSizing, "QZBAREDITSIZINGCURSOR"}};

void LoadBarCursors() {
  if (!Screen()) return;
  for (const CursorEntry& entry : kBarCursors) {
    // A program linked without the bars' cursors keeps the screen's default for those ids.
    if (HCURSOR cursor = LoadCursor(HInstance, entry.Resource)) Screen()->SetCursors(entry.Id, cursor);
  }
}

// The item kinds in the order the designer lists them; their controls join the records when the
// bar windows are built.
struct ItemClassEntry {
  TPersistentClass ItemClass;
  bool Listed;
  // The control class that shows the item kind; the kinds without one yet show nothing.
  TClass ControlClass = nullptr;
};
const ItemClassEntry kItemClasses[] = {
    {TqzBarButton::ClassInfo(), true, TqzBarButtonControl::ClassInfo()},
    {TqzBarEdit::ClassInfo(), true, TqzBarEditControl::ClassInfo()},
    {TCustomqzBarCombo::ClassInfo(), true, TCustomqzBarComboControl::ClassInfo()},
    {TqzBarCombo::ClassInfo(), true, TqzBarComboControl::ClassInfo()},
    {TqzBarSubItem::ClassInfo(), true, TqzBarSubItemControl::ClassInfo()},
    {TqzBarListItem::ClassInfo(), true, TqzBarContainerItemControl::ClassInfo()},
    {TqzBarContainerItem::ClassInfo(), true, TqzBarContainerItemControl::ClassInfo()},
    {TqzBarExtraPaneListItem::ClassInfo(), false},
    {TqzBarLabel::ClassInfo(), false, TqzBarCustomStaticControl::ClassInfo()},
    {TqzBarSeparator::ClassInfo(), true, TqzBarSeparatorControl::ClassInfo()},
    {TqzBarApplicationMenuButtonItem::ClassInfo(), false, TqzBarApplicationMenuButtonControl::ClassInfo()},
    {TqzBarQuickAccessItem::ClassInfo(), false, TqzBarQuickAccessItemControl::ClassInfo()},
    {TqzBarQuickCustItem::ClassInfo(), false, TqzBarQuickCustItemControl::ClassInfo()},
    {TqzBarQuickCustExtButton::ClassInfo(), false, TqzBarQuickCustExtButtonControl::ClassInfo()},
};

// The streamable bar classes, and the components placed on forms.
std::span<const TPersistentClass> StreamedClasses() {
  static const TPersistentClass classes[] = {
      TqzBar::ClassInfo(),          TqzBarGroup::ClassInfo(),        TqzBarScreenTip::ClassInfo(),
      TqzBarScreenTipBand::ClassInfo(), TqzBarScreenTipCollection::ClassInfo(), TqzBarManager::ClassInfo(),
      TqzBarScreenTipRepository::ClassInfo(), TqzBarPopupMenu::ClassInfo(), TqzBarDockControl::ClassInfo()};
  return classes;
}

}  // namespace

bool IsBarUnitFinalized() { return gUnitFinalized; }

TqzBarManagerList* BarManagerList() { return gManagers; }

TqzBarItemList* ItemClassListInstance() {
  if (!gItemClasses && !gUnitFinalized) gItemClasses = new TqzBarItemList();
  return gItemClasses;
}

TqzBarCanvas* BarCanvasInstance() {
  if (!gBarCanvas && !gUnitFinalized) gBarCanvas = new TqzBarCanvas();
  return gBarCanvas;
}

void RefreshScreenBitsPerPixel() {
  HDC screen = GetDC(nullptr);
  gScreenBitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
}

Integer ScreenBitsPerPixel() { return gScreenBitsPerPixel; }

void RebuildCheckerBrush() {
  if (gUnitFinalized) return;
  TBitmap bitmap;
  bitmap.SetSize(8, 8);
  TCanvas* canvas = bitmap.GetCanvas();
  canvas->GetBrush()->SetColor(clBtnHighlight);
  canvas->FillRect(TRect(0, 0, 8, 8));
  for (Integer y = 0; y < 8; ++y)
    for (Integer x = 0; x < 8; ++x)
      if (x % 2 == y % 2) canvas->SetPixel(x, y, clBtnFace);
  HBRUSH brush = CreatePatternBrush(bitmap.GetHandle());
  FreeGDIHandle(gCheckerBrush);
  gCheckerBrush = brush;
}

HBRUSH CheckerboardBrush() { return gCheckerBrush; }

void qzBarStart() {
  gUnitFinalized = false;
  for (TPersistentClass streamed : StreamedClasses()) RegisterClass(streamed);
  gManagers = new TqzBarManagerList();
  CreateNavigationController();
  gSystemController = new TqzBarSystemController();
  RefreshScreenBitsPerPixel();
  RebuildCheckerBrush();
  for (const ItemClassEntry& entry : kItemClasses) RegisterBarItemClass(entry.ItemClass, entry.ControlClass, entry.Listed);
  LoadBarCursors();
  // Wakes the sound system before the first menu opens.
  StopBarSound();
}

void qzBarEnd() {
  gUnitFinalized = true;
  for (TPersistentClass streamed : StreamedClasses()) UnRegisterClass(streamed);
  delete gSystemController;
  gSystemController = nullptr;
  FreeDesignController();
  RemoveBarHooks();
  delete gManagers;
  gManagers = nullptr;
  FreeNavigationController();
  delete gItemClasses;
  gItemClasses = nullptr;
  delete gBarCanvas;
  gBarCanvas = nullptr;
  FreeGDIHandle(gCheckerBrush);
}
