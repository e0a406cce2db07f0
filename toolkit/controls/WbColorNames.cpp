#include "toolkit/controls/WbColorNames.h"

#include "rtl/ColorIdents.h"
#include "rtl/Resources.h"

TColorData WbColorNameTable[WbColorNameCount];

namespace {

constexpr Integer kFirstNameId = 64720;

const TColor kColors[WbColorNameCount] = {
    // Named plain colours ($00BBGGRR).
    0x000000, 0x003399, 0x003333, 0x003300, 0x663300, 0x800000, 0x993333, 0x333333, 0x000080, 0x0066FF,
    0x008080, 0x008000, 0x808000, 0xFF0000, 0x996666, 0x808080, 0x0000FF, 0x0099FF, 0x00CC99, 0x669933,
    0x999933, 0xFF6633, 0x800080, 0x999999, 0xFF00FF, 0x00CCFF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFFCC00,
    0x663399, 0xC0C0C0, 0xCC99FF, 0x99CCFF, 0x99FFFF, 0xCCFFCC, 0xFFFFCC, 0xFFCC99, 0xFF99CC, 0xFFFFFF,
    // System colours 0 to 24, then 26 to 30.
    clScrollBar, clBackground, clActiveCaption, clInactiveCaption, clMenu, clWindow, clWindowFrame, clMenuText,
    clWindowText, clCaptionText, clActiveBorder, clInactiveBorder, clAppWorkSpace, clHighlight, clHighlightText,
    clBtnFace, clBtnShadow, clGrayText, clBtnText, clInactiveCaptionText, clBtnHighlight, cl3DDkShadow, cl3DLight,
    clInfoText, clInfoBk, clHotLight, clGradientActiveCaption, clGradientInactiveCaption, clMenuHighlight, clMenuBar};

}  // namespace

void WbColorNamesStart() {
  for (Integer i = 0; i < WbColorNameCount; ++i) WbColorNameTable[i] = {kColors[i], LoadStr(kFirstNameId + i)};
}

void WbColorNamesEnd() {
  for (TColorData& entry : WbColorNameTable) entry.Name = String();
}
