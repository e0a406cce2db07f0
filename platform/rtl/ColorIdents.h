#pragma once
// The colour constants of the framework and their names in form text. System colours carry 0x80 in
// the high byte and the COLOR_* index of the system colour table in the low byte; gdi/ resolves them.

#include "rtl/IdentMap.h"
#include "rtl/Types.h"

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);

constexpr TColor clScrollBar = static_cast<TColor>(0x80000000u);
constexpr TColor clBackground = static_cast<TColor>(0x80000001u);
constexpr TColor clActiveCaption = static_cast<TColor>(0x80000002u);
constexpr TColor clInactiveCaption = static_cast<TColor>(0x80000003u);
constexpr TColor clMenu = static_cast<TColor>(0x80000004u);
constexpr TColor clWindow = static_cast<TColor>(0x80000005u);
constexpr TColor clWindowFrame = static_cast<TColor>(0x80000006u);
constexpr TColor clMenuText = static_cast<TColor>(0x80000007u);
constexpr TColor clWindowText = static_cast<TColor>(0x80000008u);
constexpr TColor clCaptionText = static_cast<TColor>(0x80000009u);
constexpr TColor clActiveBorder = static_cast<TColor>(0x8000000Au);
constexpr TColor clInactiveBorder = static_cast<TColor>(0x8000000Bu);
constexpr TColor clAppWorkSpace = static_cast<TColor>(0x8000000Cu);
constexpr TColor clHighlight = static_cast<TColor>(0x8000000Du);
constexpr TColor clHighlightText = static_cast<TColor>(0x8000000Eu);
constexpr TColor clBtnFace = static_cast<TColor>(0x8000000Fu);
constexpr TColor clBtnShadow = static_cast<TColor>(0x80000010u);
constexpr TColor clGrayText = static_cast<TColor>(0x80000011u);
constexpr TColor clBtnText = static_cast<TColor>(0x80000012u);
constexpr TColor clInactiveCaptionText = static_cast<TColor>(0x80000013u);
constexpr TColor clBtnHighlight = static_cast<TColor>(0x80000014u);
constexpr TColor cl3DDkShadow = static_cast<TColor>(0x80000015u);
constexpr TColor cl3DLight = static_cast<TColor>(0x80000016u);
constexpr TColor clInfoText = static_cast<TColor>(0x80000017u);
constexpr TColor clInfoBk = static_cast<TColor>(0x80000018u);
constexpr TColor clHotLight = static_cast<TColor>(0x8000001Au);
constexpr TColor clGradientActiveCaption = static_cast<TColor>(0x8000001Bu);
constexpr TColor clGradientInactiveCaption = static_cast<TColor>(0x8000001Cu);
constexpr TColor clMenuHighlight = static_cast<TColor>(0x8000001Du);
constexpr TColor clMenuBar = static_cast<TColor>(0x8000001Eu);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The names form text uses for colours (clLtGray and clDkGray are spelled clSilver and clGray).
extern const TIdentMap ColorIdentMap;

bool ColorToIdent(TColor color, String& ident);
bool IdentToColor(const String& ident, TColor& color);
// A colour's name, or its value as "$00BBGGRR".
String ColorToString(TColor color);
// Accepts a colour name or an integer (decimal or $hex); raises EConvertError otherwise.
TColor StringToColor(const String& s);
