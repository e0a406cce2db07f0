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
  // The position becomes the window's current place.
  void UpdatePosFromBar();

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
  Integer GetColCount() const { return static_cast<Integer>(FCols.size()); }
  TqzDockCol* GetCol(Integer Index) const { return FCols[Index].get(); }
  // -1 when the window has no column here.
  Integer IndexOfBarControl(TqzBarControl* AControl) const;
  TqzDockCol* InsertCol(Integer AIndex, TqzBarControl* AControl);
  TqzDockCol* AddBar(TqzBarControl* AControl) { return InsertCol(GetColCount(), AControl); }
  void RemoveBarWindow(TqzBarControl* AControl);
  void RemoveCol(Integer AIndex);
  // A bar of the row has a window docked (not floating).
  bool HasDockedBar() const;
  // Every bar of the row is one on its row exactly when the row has one column.
  void UpdateOneOnRow();
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
  // A placed site joins the manager's list of published sites (a manager's own site is held by
  // its bars); the colour and frames follow the new manager.
  void SetBarManager(TqzBarManager* Value);
  // The side the layout uses: the stored one of a manager's own site, else from Align.
  TqzBarDockingStyle GetDockingStyle() const;
  bool HasDockingStyle() const noexcept { return FDockingStyle != dsNone; }
  bool IsVertical() const;
  // The site's keyboard-navigation node, made on first request from GetAccessibilityHelperClass.
  TqzBarAccessibilityHelper* GetAccessibilityHelper();
  bool GetAllowDocking() const noexcept { return FAllowDocking; }
  void SetAllowDocking(bool Value) { FAllowDocking = Value; }
  bool IsDestroyingBarControls() const noexcept { return FDestroyingBarControls; }
  void SetDestroyingBarControls(bool Value) { FDestroyingBarControls = Value; }
  // The form that holds the site (the outermost one, the nearest MDI child or outermost one, the
  // nearest one), else the manager's.
  TCustomForm* MainForm() { return FormOfKind(0); }
  TCustomForm* MainOrMDIChildForm() { return FormOfKind(1); }
  TCustomForm* AnyForm() { return FormOfKind(2); }

  // Rows.
  Integer GetRowCount() const { return static_cast<Integer>(FRows.size()); }
  TqzDockRow* GetRow(Integer Index) const { return FRows[Index].get(); }
  Integer IndexOfRow(TqzDockRow* ARow) const;
  TqzDockRow* InsertRow(Integer AIndex);
  TqzDockRow* AppendRow() { return InsertRow(GetRowCount()); }
  // The row leaves the site and is freed.
  void DeleteRow(TqzDockRow* ARow);
  // The row and column of a docked window; false when it has none here.
  bool FindColumn(TqzBarControl* AControl, Integer& ARow, Integer& ACol) const;
  // Whether the row holds no window but this one.
  bool RowHoldsOnly(Integer ARow, TqzBarControl* AControl) const;

  // Inserting and removing windows. The point is the cursor in screen coordinates; with AApply
  // the window takes its new place at once and the rows are laid out.
  void InsertBarControl(TqzBarControl* AControl, const TPoint& AScreenPoint, bool AApply = true);
  // The window's column leaves its row (the row stays with its bars: a hidden bar comes back
  // into it); with ARebuild the rows are laid out anew.
  void RemoveBarControl(TqzBarControl* AControl, bool ARebuild = true);
  // The window moves within the site to the place under the cursor.
  void MoveBarControl(TqzBarControl* AControl, const TPoint& AScreenPoint);
  // Where a window dropped at the point would go: its row, and whether it gets a row of its own.
  void BarPlaceAtPoint(TqzBarControl* AControl, const TPoint& AScreenPoint, Integer& ARow, bool& AOneOnRow);
  Integer RowAtPoint(const TPoint& AScreenPoint, bool& ANewRow);
  Integer ColumnAtPoint(Integer ARow, const TPoint& AScreenPoint);
  // The band of row boundary I (-1 before the first row .. GetRowCount after the last) across the
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
  // Lays every row out and sizes the site.
  void RebuildRows();
  // Lays every row out with the site kept in front of its siblings and its children's alignment
  // held meanwhile.
  void RealignRows();
  // The frames of the site and of its bar windows are measured anew, then the rows.
  void RecreateFrames();
  // The column positions are read back from the windows (after a layout).
  void UpdatePositions();

  // Operations in slot order.
  virtual void ManagerChanged();
  virtual void ArrangeRows();
  virtual void ArrangeRow(Integer ARow, Integer ALength);
  virtual bool CanDockBar(TqzBar* ABar);
  // The manager's dock colour, or the parent's colour while the manager picks it itself.
  virtual void UpdateColor();
  virtual Integer RowsExtent();
  virtual bool ReadSunkenBorder();
  // A site that restores bars puts them into their stored rows.
  virtual bool KeepsBarRows() { return true; }
  virtual void UpdateSize();
  // A right click on the site outside customizing: the list of the manager's toolbars.
  virtual void ShowToolbarsPopup();
  // The kind of window the site's bars get: toolbar windows.
  virtual TqzBarControlFactory BarControlClass();
  virtual TClassOf<TqzBarAccessibilityHelper> GetAccessibilityHelperClass();
  virtual TqzBarPainter* GetPainter();
  // Fills R (DC coordinates); ASiteRect is the same area in the site's client coordinates, so a
  // bar window can ask for the part behind it. ABrush may be null.
  virtual void FillBackground(HDC DC, const TRect& R, TColor AColor, HBRUSH ABrush, const TRect& ASiteRect);
  virtual bool HasBackgroundBitmap();
  virtual bool HasCustomBackground();
  virtual void RepaintBars();
  // The background cache is a picture of the whole background that a painter may keep between
  // paints; emptied whenever the site's size, its manager or the system colours change.
  virtual void ClearBackgroundCache();
  virtual void UpdateDoubleBuffered();

  TBitmap* GetBackgroundBitmap() const noexcept { return FBackgroundBitmap.get(); }
  TBitmap* GetBackgroundCache() const noexcept { return FBackgroundCache.get(); }
  void SetBackgroundBitmap(TBitmap* Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Paint() override;
  // The length along the site that its rows fill.
  Integer RowLength();
  Integer ClientAcross();

 private:
  TPoint SiteOrigin();
  TCustomForm* FormOfKind(Integer AKind);
  // A site that changed its size under an open menu of its manager's toolbars closes menu mode.
  void CloseMenusAfterResize();
  void BackgroundBitmapChanged(TObject* Sender);
  void ArrangeRowsAligned();

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

// The side a placed dock site takes on its form.
enum TqzBarDockAlign { dalNone, dalTop, dalBottom, dalLeft, dalRight };
TAVREN_ENUM_INFO(TqzBarDockAlign, dalNone, dalTop, dalBottom, dalLeft, dalRight);

// The dock site a form designer places: its side, manager, colour and border are its own
// properties, kept in the form.
class TqzBarDockControl : public TqzDockControl {
  TAVREN_CLASS(TqzBarDockControl, TqzDockControl)
 public:
  explicit TqzBarDockControl(TComponent* AOwner);

  TqzBarDockAlign GetAlign() const noexcept { return FAlign; }
  // The site's bars take the new side's docking style and are laid out anew.
  void SetAlign(TqzBarDockAlign Value);
  bool GetAllowZeroSizeInDesignTime() const noexcept { return FAllowZeroSizeInDesignTime; }
  void SetAllowZeroSizeInDesignTime(bool Value);
  // Setting the colour (or following the parent's) makes it the site's own colour.
  void SetColor(TColor Value);
  void SetParentColor(bool Value);
  bool GetUseOwnColor() const noexcept { return FUseOwnColor; }
  // Clearing it takes the manager's colour again.
  void SetUseOwnColor(bool Value);
  bool GetSunkenBorder() { return ReadSunkenBorder(); }
  void SetSunkenBorder(bool Value);
  bool GetUseOwnSunkenBorder() const noexcept { return FUseOwnSunkenBorder; }
  void SetUseOwnSunkenBorder(bool Value);

  void ManagerChanged() override;
  // A bar whose window contains the site cannot dock into it.
  bool CanDockBar(TqzBar* ABar) override;
  void UpdateColor() override;
  Integer RowsExtent() override;
  bool ReadSunkenBorder() override;

 protected:
  void WndProc(TMessage& Message) override;

 private:
  bool IsColorStored() const;
  bool IsSunkenBorderStored() const { return FUseOwnSunkenBorder; }
  // The colour the reader sets is not a choice of the running program.
  bool TakesColorAsOwn();

  TqzBarDockAlign FAlign = dalNone;
  bool FAllowZeroSizeInDesignTime = false;
  bool FUseOwnColor = false;
  bool FUseOwnSunkenBorder = false;
  bool FSunkenBorder = false;
};
