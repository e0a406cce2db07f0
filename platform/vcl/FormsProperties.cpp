// What the forms unit publishes for the form reader and writer.

#include "rtl/ColorIdents.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL_PUBLISHED(TControlScrollBar,
    PROPERTY(Increment).Default(8),
    PROPERTY(Range).Default(0),
    PROPERTY(Position).Default(0),
    PROPERTY(Tracking).Default(false),
    PROPERTY(Visible).Default(true))

TAVREN_CLASS_IMPL_PUBLISHED(TScrollingWinControl,
    PROPERTY(AutoScroll).Default(true),
    PROPERTY(HorzScrollBar),
    PROPERTY(VertScrollBar))

TAVREN_CLASS_IMPL(TCustomFrame)
TAVREN_CLASS_IMPL(TFrame)

TAVREN_CLASS_IMPL_PUBLISHED(TCustomForm,
    PROPERTY(ActiveControl),
    PROPERTY(AlphaBlend).Default(false),
    PROPERTY(AlphaBlendValue).Default(Byte{255}),
    PROPERTY(BorderIcons).Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize}),
    PROPERTY(BorderStyle).Default(bsSizeable),
    PROPERTY(Caption),
    PROPERTY_AS(ClientHeight, GetFormClientHeight, SetFormClientHeight).Stored(false),
    PROPERTY_AS(ClientWidth, GetFormClientWidth, SetFormClientWidth).Stored(false),
    PROPERTY(Color).Idents(ColorIdentMap).Default(clBtnFace),
    PROPERTY(DefaultMonitor).Default(dmActiveForm),
    PROPERTY(FormStyle).Default(fsNormal),
    PROPERTY(KeyPreview).Default(false),
    PROPERTY(OldCreateOrder).Default(false),
    PROPERTY(PixelsPerInch),
    PROPERTY(Position).Default(poDesigned),
    PROPERTY(Scaled).Default(true),
    PROPERTY(TransparentColor).Default(false),
    PROPERTY(TransparentColorValue).Idents(ColorIdentMap).Default(clBlack),
    PROPERTY(Visible).Default(false),
    PROPERTY(WindowState).Default(wsNormal),
    PROPERTY(OnActivate),
    PROPERTY(OnDeactivate),
    PROPERTY(OnClose),
    PROPERTY(OnCloseQuery),
    PROPERTY(OnCreate),
    PROPERTY(OnDestroy),
    PROPERTY(OnShow),
    PROPERTY(OnHide),
    PROPERTY(OnPaint),
    PROPERTY(OnShortCut))

TAVREN_CLASS_IMPL(TForm)
TAVREN_CLASS_IMPL_PUBLISHED(THintWindow, PROPERTY(Caption))
TAVREN_CLASS_IMPL(TApplication)
TAVREN_CLASS_IMPL(TScreen)
TAVREN_CLASS_IMPL(TMonitor)
