#pragma once
// The skin source of the skinned bar painter: it draws numbered parts in numbered states and
// answers their colours and metrics. The ribbon is the system's skin source; the painter asks for
// the interface on every operation and keeps nothing.

#include "rtl/Interfaces.h"
#include "rtl/Types.h"
#include "toolkit/foundation/kvGraphics.h"

class IqzSkin : public virtual IInterface {
  TAVREN_INTERFACE(IqzSkin)
 public:
  // Draws the part in the state into R.
  virtual void DrawBackground(HDC DC, const TRect& R, Integer APart, Integer AState) = 0;
  // Draws a caption belonging to the part.
  virtual void DrawCaption(HDC DC, const String& AText, const TRect& R, Integer APart, Integer AState) = 0;
  // The caption band of the part when the part fills R.
  virtual TRect GetCaptionRect(const TRect& R, Integer APart) = 0;
  // The widths of the part's frame on the left, top, right and bottom.
  virtual TRect GetContentOffsets(Integer APart) = 0;
  // The skin's name (empty for the ribbon); not GetName, which a component skin source has already.
  virtual String GetSkinName() = 0;
  virtual TColor GetPartColor(Integer APart, Integer AState) = 0;
  virtual Integer GetPartOffset(Integer APart) = 0;
};

// States a skin part is drawn in.
constexpr Integer qzSkinStateNormal = 0;
constexpr Integer qzSkinStateDisabled = 1;
constexpr Integer qzSkinStateHot = 2;
// The control is selected, or another of its parts is hot.
constexpr Integer qzSkinStateHighlighted = 3;
constexpr Integer qzSkinStatePressed = 4;
constexpr Integer qzSkinStateOpened = 5;
// Latched down.
constexpr Integer qzSkinStateDown = 6;
constexpr Integer qzSkinStateDownHot = 7;
constexpr Integer qzSkinStateDisabledHighlighted = 8;

// The parts the skinned painter draws or takes colours of.
constexpr Integer qzSkinPartToolbar = 1;            // a toolbar window: background, frame, caption band
constexpr Integer qzSkinPartSmallButton = 3;        // small button face, menu selection band
constexpr Integer qzSkinPartSmallSplitArrow = 4;    // arrow part of a small split button or menu item
constexpr Integer qzSkinPartSmallSplitMain = 5;     // main part of a small split button or menu item
constexpr Integer qzSkinPartLargeButton = 6;
constexpr Integer qzSkinPartLargeSplitArrow = 7;    // lower part of a large split button
constexpr Integer qzSkinPartLargeSplitMain = 8;     // upper part of a large split button
constexpr Integer qzSkinPartEditBackground = 9;     // colour
constexpr Integer qzSkinPartEditBorder = 10;        // colour
constexpr Integer qzSkinPartEditButton = 11;
constexpr Integer qzSkinPartEditButtonBorder = 12;  // colour
constexpr Integer qzSkinPartDateHeader = 19;        // colour
constexpr Integer qzSkinPartSeparatorBackground = 20;  // colour
constexpr Integer qzSkinPartProgressSolid = 30;
constexpr Integer qzSkinPartProgressChunk = 31;
constexpr Integer qzSkinPartProgressBackground = 32;
constexpr Integer qzSkinPartScreenTip = 40;
constexpr Integer qzSkinPartScreenTipFooterLine = 41;  // colour
constexpr Integer qzSkinPartToolbarText = 335;         // colour
constexpr Integer qzSkinPartMark = 336;
constexpr Integer qzSkinPartMarkTruncated = 337;
constexpr Integer qzSkinPartDropDownArrow = 340;
constexpr Integer qzSkinPartArrow = 360;
constexpr Integer qzSkinPartMenuText = 362;      // colour
constexpr Integer qzSkinPartArrowDown = 365;     // 7 x 4, scaled
constexpr Integer qzSkinPartArrowRight = 366;    // 4 x 7, scaled
constexpr Integer qzSkinPartMenuDetachCaption = 370;
constexpr Integer qzSkinPartMenuDetachCaptionBand = 375;  // colour
constexpr Integer qzSkinPartMenuGlyphColumn = 380;
constexpr Integer qzSkinPartMenuContent = 390;
constexpr Integer qzSkinPartAppMenuRightPane = 395;  // colour
constexpr Integer qzSkinPartMenuSeparator = 400;
constexpr Integer qzSkinPartMenuGlyphColumnStrip = 410;
constexpr Integer qzSkinPartMenuSplitLine = 420;      // colour
constexpr Integer qzSkinPartEditSelectedLine = 425;   // colour
constexpr Integer qzSkinPartMenuCheckFrame = 430;
constexpr Integer qzSkinPartMenuCheckMark = 440;
constexpr Integer qzSkinPartMenuExpandChevrons = 442;
constexpr Integer qzSkinPartMenuScrollButton = 446;
constexpr Integer qzSkinPartMenuBorder = 450;
constexpr Integer qzSkinPartAppMenuBorder = 452;
constexpr Integer qzSkinPartAppMenuHeader = 453;
constexpr Integer qzSkinPartAppMenuFooter = 454;
constexpr Integer qzSkinPartAppMenuSideStrip = 455;   // colour
constexpr Integer qzSkinPartAppMenuOuterFrame = 456;  // colour
constexpr Integer qzSkinPartAppMenuInnerFrame = 457;  // colour
constexpr Integer qzSkinPartAppMenuButton = 458;
constexpr Integer qzSkinPartGroupedButton = 460;
constexpr Integer qzSkinPartButtonGroupStart = 470;
constexpr Integer qzSkinPartButtonGroupSeparator = 480;
constexpr Integer qzSkinPartButtonGroupEnd = 490;
constexpr Integer qzSkinPartButtonGroupSplitJoint = 500;
