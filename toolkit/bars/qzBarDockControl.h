#pragma once
// Dock sites: the windows along the sides of a form in which docked toolbar windows sit in rows.
// A site keeps its rows in order across it, each row the places (columns) of its toolbar windows
// in order along it; it lays the rows out, sizes itself to them and answers where a dragged
// toolbar would go. "Along" runs along a row (x in a horizontal site), "across" from row to row.

#include <memory>
#include <vector>

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarNavigation.h"
#include "vcl/Controls.h"

class TqzBarControl;
class TqzDockControl;
class TqzDockRow;

// The place of one toolbar window in a row: the position it wants, in site client coordinates.
class TqzDockCol : public TObject {
  TAVREN_CLASS(TqzDockCol, TObject)
 public:
  TqzDockCol(TqzDockRow* ARow, TqzBarControl* ABarControl) : FRow(ARow), FBarControl(ABarControl) {}
  TqzDockRow* GetRow() const noexcept { return FRow; }
  TqzBarControl* GetBarControl() const noexcept { return FBarControl; }
  const TPoint& GetPos() const noexcept { return FPos; }
  void SetPos(const TPoint& P) { FPos = P; }

 private:
  TqzDockRow* FRow;
  TqzBarControl* FBarControl;
  TPoint FPos;
};

// One row of a site: its columns (owned, in order along the row) and the bars whose Row it is.
class TqzDockRow : public TObject {
  TAVREN_CLASS(TqzDockRow, TObject)
 public:
  explicit TqzDockRow(TqzDockControl* ADockControl) : FDockControl(ADockControl) {}
  ~TqzDockRow() override;
  TqzDockControl* GetDockControl() const noexcept { return FDockControl; }
  Integer ColCount() const { return static_cast<Integer>(FCols.size()); }
  TqzDockCol* GetCol(Integer Index) const { return FCols[Index].get(); }
  // -1 when the window has no column here.
  Integer IndexOfBarControl(TqzBarControl* AControl) const;
  TqzDockCol* InsertCol(Integer AIndex, TqzBarControl* AControl);
  void RemoveCol(TqzBarControl* AControl);
  Integer BarCount() const { return static_cast<Integer>(FBars.size()); }
  TqzBar* GetBar(Integer Index) const { return FBars[Index]; }
  // The bar joins the row; its window, when docked in this site without a column, gets one at
  // the bar's stored position.
  void AttachBar(TqzBar* ABar);
  // The bar and its window's column leave; an emptied row leaves its site and is freed when
  // AFreeWhenEmpty (the row is gone then).
  void RemoveBar(TqzBar* ABar, bool AFreeWhenEmpty);

 private:
  TqzDockControl* FDockControl;
  std::vector<std::unique_ptr<TqzDockCol>> FCols;
  std::vector<TqzBar*> FBars;
};

// Makes the window of a bar docked in a site (a site decides the kind of its bar windows).
using TqzBarControlFactory = TqzBarControl* (*)(TComponent* AOwner, TqzBar* ABar);

class TqzDockControl : public TCustomControl {
  TAVREN_CLASS(TqzDockControl, TCustomControl)
 public:
  using TCreateArg = TComponent*;
  explicit TqzDockControl(TComponent* AOwner);
  // One of a manager's own sites: fixed to a side, parented to the manager's owner window.
  TqzDockControl(TqzBarManager* AManager, TqzBarDockingStyle AStyle);
  ~TqzDockControl() override;

  TqzBarManager* GetBarManager() const noexcept { return FBarManager; }
  void SetBarManager(TqzBarManager* Value);
  // The side the layout uses: the stored one of a manager's own site, else from Align.
  TqzBarDockingStyle GetDockingStyle() const;
  bool HasDockingStyle() const noexcept { return FDockingStyle != dsNone; }
  bool IsVertical() const;
  // The site's keyboard-navigation node, made on first request from GetAccessibilityHelperClass.
  TqzBarAccessibilityHelper* GetAccessibilityHelper();
  virtual TClassOf<TqzBarAccessibilityHelper> GetAccessibilityHelperClass();
  bool GetAllowDocking() const noexcept { return FAllowDocking; }
  void SetAllowDocking(bool Value) { FAllowDocking = Value; }
  bool IsDestroyingBarControls() const noexcept { return FDestroyingBarControls; }
  void SetDestroyingBarControls(bool Value) { FDestroyingBarControls = Value; }

  // Rows.
  Integer RowCount() const { return static_cast<Integer>(FRows.size()); }
  TqzDockRow* GetRow(Integer Index) const { return FRows[Index].get(); }
  Integer IndexOfRow(TqzDockRow* ARow) const;
  TqzDockRow* InsertRow(Integer AIndex);
  TqzDockRow* AppendRow() { return InsertRow(RowCount()); }
  // The row leaves the site and is freed.
  void DeleteRow(TqzDockRow* ARow);
  // The row and column of a docked window; false when it has none here.
  bool FindColumn(TqzBarControl* AControl, Integer& ARow, Integer& ACol) const;
  // Whether the row holds no window but this one.
  bool RowHoldsOnly(Integer ARow, TqzBarControl* AControl) const;

  // Inserting and removing windows. The point is the cursor in screen coordinates; with AApply
  // the window takes its new place at once and the rows are laid out.
  void InsertBarControl(TqzBarControl* AControl, const TPoint& AScreenPoint, bool AApply = true);
  void RemoveBarControl(TqzBarControl* AControl);
  // The column goes without a layout (a window moved within the site is inserted again).
  void RemoveBarControlQuietly(TqzBarControl* AControl);
  // Where a window dropped at the point would go: its row, and whether it gets a row of its own.
  void BarPlaceAtPoint(TqzBarControl* AControl, const TPoint& AScreenPoint, Integer& ARow, bool& AOneOnRow);
  Integer RowAtPoint(const TPoint& AScreenPoint, bool& ANewRow);
  Integer ColumnAtPoint(Integer ARow, const TPoint& AScreenPoint);
  // The band of row boundary I (-1 before the first row .. RowCount after the last) across the
  // site, and its part 0 (before the split line), 1 (the split line) or 2 (after it).
  void RowZone(Integer I, Integer APart, Integer& ALow, Integer& AHigh);
  // The point's coordinate across the site, in client coordinates.
  Integer AcrossOf(const TPoint& AScreenPoint);
  void RowAnchorPoint(Integer ARow, bool AOneOnRow, TPoint& AScreenPoint);
  // Screen and site client coordinates.
  TPoint ScreenToSite(const TPoint& P);
  TPoint SiteToScreen(const TPoint& P);
  // Whether the point (screen) lies in the site widened by the docking zone on every side.
  bool InDockingZone(const TPoint& AScreenPoint);

  // Geometry and layout.
  Integer RowThickness(Integer ARow) const;
  TRect RowRect(Integer ARow);
  Integer RowsExtent() const;
  void ArrangeRow(Integer ARow, Integer ALength);
  virtual void ArrangeRows();
  // Lays every row out (the windows' controls are remade) and sizes the site.
  void RebuildRows();
  virtual void UpdateSize();
  // The column positions are read back from the windows (after a layout).
  void UpdatePositions();

  // A right click on the site outside customizing: the list of the manager's toolbars.
  virtual void ShowToolbarsPopup();

  // The kind of window the site's bars get: toolbar windows.
  virtual TqzBarControlFactory BarControlClass();

  // Painting.
  // Fills R (DC coordinates); ASiteRect is the same area in the site's client coordinates, so a
  // bar window can ask for the part behind it. ABrush may be null.
  virtual void FillBackground(HDC DC, const TRect& R, TColor AColor, HBRUSH ABrush, const TRect& ASiteRect);
  TBitmap* GetBackgroundBitmap() const noexcept { return FBackgroundBitmap.get(); }
  // A picture of the whole background that a painter may keep between paints; emptied whenever
  // the site's size or the system colours change.
  TBitmap* GetBackgroundCache() const noexcept { return FBackgroundCache.get(); }
  void ClearBackgroundCache();
  void SetBackgroundBitmap(TBitmap* Value);
  void RepaintBars();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  void Paint() override;

 private:
  // The length along the site that its rows fill.
  Integer RowLength();
  Integer ClientAcross();
  TPoint SiteOrigin();

  TqzBarManager* FBarManager = nullptr;
  TqzBarDockingStyle FDockingStyle = dsNone;
  bool FAllowDocking = true;
  bool FDestroyingBarControls = false;
  TqzBarHelperRef FAccessibilityHelper;
  bool FArranging = false;
  std::vector<std::unique_ptr<TqzDockRow>> FRows;
  std::unique_ptr<TBitmap> FBackgroundBitmap;
  std::unique_ptr<TBitmap> FBackgroundCache;
};
