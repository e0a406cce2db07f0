// What the controls publish for the form reader and writer.

#include <iterator>

#include "rtl/ColorIdents.h"
#include "vcl/Controls.h"
#include "vcl/Menus.h"

namespace {
const TIdentMapEntry kCursors[] = {
    {crDefault, "crDefault"},     {crNone, "crNone"},           {crArrow, "crArrow"},       {crCross, "crCross"},
    {crIBeam, "crIBeam"},         {crSizeNESW, "crSizeNESW"},   {crSizeNS, "crSizeNS"},     {crSizeNWSE, "crSizeNWSE"},
    {crSizeWE, "crSizeWE"},       {crUpArrow, "crUpArrow"},     {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},       {crHSplit, "crHSplit"},       {crVSplit, "crVSplit"},     {crMultiDrag, "crMultiDrag"},
    {crSQLWait, "crSQLWait"},     {crNo, "crNo"},               {crAppStart, "crAppStart"}, {crHelp, "crHelp"},
    {crHandPoint, "crHandPoint"}, {crSizeAll, "crSizeAll"},     {crSize, "crSize"},
};
}  // namespace

const TIdentMap CursorIdentMap = {kCursors, std::size(kCursors)};

TAVREN_CLASS_IMPL_PUBLISHED(TControl,
    PROPERTY(Action),
    PROPERTY(Left),
    PROPERTY(Top),
    PROPERTY(Width),
    PROPERTY(Height),
    PROPERTY(Align).Default(alNone),
    PROPERTY(Anchors).Stored<&TControl::IsAnchorsStored>().Default(TAnchors{akLeft, akTop}),
    PROPERTY(Constraints),
    PROPERTY(Cursor).Idents(CursorIdentMap).Default(crDefault),
    PROPERTY(DragCursor).Idents(CursorIdentMap).Default(crDrag),
    PROPERTY(DragKind).Default(dkDrag),
    PROPERTY(DragMode).Default(dmManual),
    PROPERTY(Enabled).Stored<&TControl::IsEnabledStored>().Default(true),
    PROPERTY(Color).Idents(ColorIdentMap).Stored<&TControl::IsColorStored>().Default(clWindow),
    PROPERTY(ParentColor).Default(true),
    PROPERTY(Font).Stored<&TControl::IsFontStored>(),
    PROPERTY(ParentFont).Default(true),
    PROPERTY(Hint).Stored<&TControl::IsHintStored>(),
    PROPERTY(PopupMenu),
    PROPERTY(ShowHint).Stored<&TControl::IsShowHintStored>(),
    PROPERTY(ParentShowHint).Default(true),
    PROPERTY(Visible).Stored<&TControl::IsVisibleStored>().Default(true),
    PROPERTY(OnClick).Stored<&TControl::IsOnClickStored>(),
    PROPERTY(OnDblClick),
    PROPERTY(OnMouseDown),
    PROPERTY(OnMouseMove),
    PROPERTY(OnMouseUp),
    PROPERTY(OnMouseWheel),
    PROPERTY(OnMouseWheelDown),
    PROPERTY(OnMouseWheelUp),
    PROPERTY(OnMouseEnter),
    PROPERTY(OnMouseLeave),
    PROPERTY(OnResize),
    PROPERTY(OnCanResize),
    PROPERTY(OnContextPopup),
    PROPERTY(OnDragOver),
    PROPERTY(OnDragDrop),
    PROPERTY(OnStartDrag),
    PROPERTY(OnEndDrag),
    PROPERTY(OnStartDock),
    PROPERTY(OnEndDock))

TAVREN_CLASS_IMPL_PUBLISHED(TWinControl,
    PROPERTY(TabOrder).Default(-1).Stored(false),
    PROPERTY(TabStop).Default(false),
    PROPERTY(Ctl3D).Default(true),
    PROPERTY(ParentCtl3D).Default(true),
    PROPERTY(ParentBackground).Default(false),
    PROPERTY(DoubleBuffered).Default(false),
    PROPERTY(BorderWidth).Default(0),
    PROPERTY(DockSite).Default(false),
    PROPERTY(UseDockManager).Default(false),
    PROPERTY(ImeMode).Default(imDontCare),
    PROPERTY(ImeName),
    PROPERTY(OnDockDrop),
    PROPERTY(OnDockOver),
    PROPERTY(OnGetSiteInfo),
    PROPERTY(OnUnDock),
    PROPERTY(OnEnter),
    PROPERTY(OnExit),
    PROPERTY(OnKeyDown),
    PROPERTY(OnKeyPress),
    PROPERTY(OnKeyUp))

TAVREN_CLASS_IMPL(TCustomControl)
TAVREN_CLASS_IMPL(TGraphicControl)
