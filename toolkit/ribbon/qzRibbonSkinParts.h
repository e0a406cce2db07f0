#pragma once
// Where every picture of the ribbon skins lies in its atlas: one table, read by the skins when
// they cut their parts and by tools/ribbon-pictures when it draws the atlases, so that the two
// can never disagree. Plain data only: the tool includes it without linking the ribbon.

#include <array>
#include <cstdint>
#include <initializer_list>

// The three atlases and their sizes.
enum TqzRibbonAtlas : uint8_t { raCommon, raScheme, raForm };
inline constexpr int kRibbonAtlasWidth[3] = {121, 93, 50};
inline constexpr int kRibbonAtlasHeight[3] = {379, 438, 292};

// The skin elements: each holds, per state (or per state and side), the part that draws it.
enum TqzRibbonSkinElement : uint8_t {
  // form atlas
  rseFormCaption, rseFormCaptionNarrow, rseFormBorderLeft, rseFormBorderRight, rseFormBorderLeftLower,
  rseFormBorderRightLower, rseFormBottomLine, rseFormBorderBottom, rseFormBorderBottomAlt, rseCaptionGlyphMinimize,
  rseCaptionGlyphMaximize, rseCaptionGlyphRestore, rseCaptionGlyphClose, rseCaptionGlyphHelp,
  rseCaptionButtonBackground, rseQuickAccessLeftBesideButton, rseQuickAccessLeft, rseQuickAccessBody,
  rseQuickAccessAboveBackground, rseApplicationButton,
  // common atlas
  rseQuickAccessGlassBesideButton, rseQuickAccessGlassLeft, rseQuickAccessGlassBody, rseSmallButton,
  rseSplitButtonMain, rseSplitButtonArrow, rseLargeButton, rseLargeSplitButtonTop, rseLargeSplitButtonBottom,
  rseGroupCaptionButton, rseDetachCaption, rseMenuGlyphFrame, rseMenuGlyphFrameLarge, rseInPlaceSubItemFace,
  rseMenuTextArea, rseMenuSeparatorLine, rseMenuGlyphStrip, rseMenuBorder, rseMenuScrollButton, rseBarPart100,
  rseProgressFill, rseProgressChunk, rseHelpGlyph,
  // scheme atlas
  rseTab, rseTabSeparator, rseTabScrollButton, rseGroupScrollButton, rseTabGroupsPopup, rseGroupBackground,
  rseGroupCaptionBand, rseQuickAccessMark, rseQuickAccessMarkMore, rseCollapsedGroupButton,
  rseCollapsedGroupGlyphFrame, rseSmallDropArrow, rseEditButton, rseDownArrowGlyph, rseRightArrowGlyph,
  rseApplicationMenuButton, rseGroupSeparator, rseSplitSeparatorStart, rseSplitSeparatorEnd,
  rseSplitSeparatorMiddle, rseSplitSeparatorHot, rseGroupCaptionGlyph, rseApplicationMenuBorder,
  rseApplicationMenuTopBand, rseApplicationMenuBottomBand, rseExpandChevrons, rseProgressBackground, rseArrowGlyph,
  rseScreenTipBackground, rseQuickAccessBelow, rseQuickAccessPopupBackground, rseFormBorderButton,
  rseFormBorderButtonAlt, rseStatusBarBackground, rseStatusBarPanel, rseStatusBarSeparator, rseStatusBarSeparator2,
  rseStatusBarGrip, rseStatusBarPart, rseStatusBarPartAlt, rseBarPart53, rseBarPart54, rseBarPart55, rseBarPart65,
  rseBarPart63, rseBarPart57, rseBarPart58, rseBarPart59, rseBarPart60, rseBarPart61,
  rseCount
};

// How a row's source rectangle yields parts:
//   rcOne     one part, ID as given, in handle entry `offset`;
//   rcStates  a state family: for each state i of `states` (all nine when 0) the n-th taken gets
//             copy index n (count -1), copyList[n] (n <= count) or 0; ID base + i, entry offset + i;
//   rcThree   three copies for states 0..2, IDs base..base + 2;
//   rcPair    two copies, active and inactive (form parts), drawn nearest-neighbour.
// Copies lie one rectangle apart, downwards or (not vertical) to the right.
enum TqzRibbonCopies : uint8_t { rcOne, rcStates, rcThree, rcPair };

struct TqzRibbonPiece {
  int id = 0;
  int x = 0, y = 0;
  int margins[4] = {0, 0, 0, 0};  // left, top, right, bottom; all 0: one stretched cell
  TqzRibbonSkinElement element = rseCount;
  int offset = 0;  // first handle entry of the element this piece fills
};

struct TqzRibbonCutRow {
  TqzRibbonAtlas atlas = raCommon;
  int width = 0, height = 0;
  TqzRibbonCopies copies = rcOne;
  bool vertical = true;
  uint16_t states = 0;  // bit i: state i; 0: all nine
  int count = -1;
  int8_t copyList[9] = {};
  int interpolation = 0;  // the graphics library's interpolation mode
  int pieceCount = 0;
  TqzRibbonPiece pieces[5] = {};
};

// The copy index of the n-th state a family takes.
constexpr int RibbonCopyIndex(const TqzRibbonCutRow& Row, int N) {
  if (Row.count == -1) return N;
  return N <= Row.count ? Row.copyList[N] : 0;
}

constexpr bool RibbonTakesState(const TqzRibbonCutRow& Row, int State) {
  return Row.states == 0 || (Row.states >> State & 1) != 0;
}

namespace ribbon_parts {

constexpr TqzRibbonPiece P(int Id, int X, int Y, std::initializer_list<int> Margins, TqzRibbonSkinElement Element,
                           int Offset = 0) {
  TqzRibbonPiece p;
  p.id = Id;
  p.x = X;
  p.y = Y;
  int i = 0;
  for (int m : Margins) p.margins[i++] = m;
  p.element = Element;
  p.offset = Offset;
  return p;
}

constexpr uint16_t States(std::initializer_list<int> List) {
  uint16_t set = 0;
  for (int s : List) set = static_cast<uint16_t>(set | 1u << s);
  return set;
}

constexpr uint16_t StateRange(int First, int Last) {
  uint16_t set = 0;
  for (int s = First; s <= Last; ++s) set = static_cast<uint16_t>(set | 1u << s);
  return set;
}

// Copies: an empty list takes copy n for the n-th state.
constexpr TqzRibbonCutRow Row(TqzRibbonAtlas Atlas, int W, int H, TqzRibbonCopies Copies, bool Vertical,
                              uint16_t StateSet, std::initializer_list<int> CopyList, int Interpolation,
                              std::initializer_list<TqzRibbonPiece> Pieces) {
  TqzRibbonCutRow r;
  r.atlas = Atlas;
  r.width = W;
  r.height = H;
  r.copies = Copies;
  r.vertical = Vertical;
  r.states = StateSet;
  r.count = static_cast<int>(CopyList.size()) - 1;
  int i = 0;
  for (int c : CopyList) r.copyList[i++] = static_cast<int8_t>(c);
  // Form pairs are drawn pixel for pixel.
  r.interpolation = Copies == rcPair ? 5 : Interpolation;
  for (const TqzRibbonPiece& p : Pieces) r.pieces[r.pieceCount++] = p;
  return r;
}

constexpr TqzRibbonCutRow One(TqzRibbonAtlas Atlas, int W, int H, int Interpolation, TqzRibbonPiece Piece) {
  return Row(Atlas, W, H, rcOne, true, 0, {}, Interpolation, {Piece});
}

constexpr bool kDown = true, kRight = false;

// Rows in cutting order: form atlas, common atlas, scheme atlas.
inline constexpr TqzRibbonCutRow kRows[] = {
    // ---- form atlas (13) ----
    Row(raForm, 14, 31, rcPair, kDown, 0, {}, 0, {P(10000, 0, 37, {6, 10, 6, 5}, rseFormCaption)}),
    Row(raForm, 2, 31, rcPair, kDown, 0, {}, 0, {P(10002, 6, 37, {0, 10, 0, 5}, rseFormCaptionNarrow)}),
    Row(raForm, 4, 31, rcPair, kDown, 0, {}, 0,
        {P(10004, 0, 37, {0, 9, 0, 2}, rseFormBorderLeft), P(10006, 10, 37, {0, 9, 0, 2}, rseFormBorderRight)}),
    Row(raForm, 4, 6, rcPair, kDown, 0, {}, 0,
        {P(10008, 15, 37, {0, 0, 0, 5}, rseFormBorderLeftLower), P(10010, 20, 37, {0, 0, 0, 5}, rseFormBorderRightLower)}),
    Row(raForm, 2, 2, rcPair, kDown, 0, {}, 0, {P(10012, 15, 50, {}, rseFormBottomLine)}),
    Row(raForm, 10, 4, rcPair, kDown, 0, {}, 0,
        {P(10014, 40, 113, {4, 0, 4, 0}, rseFormBorderBottom), P(10016, 40, 121, {4, 0, 4, 0}, rseFormBorderBottomAlt)}),
    Row(raForm, 9, 9, rcStates, kDown, StateRange(0, 3), {}, 5,
        {P(10023, 0, 0, {2, 2, 2, 2}, rseCaptionGlyphMinimize), P(10027, 10, 0, {2, 2, 2, 2}, rseCaptionGlyphMaximize),
         P(10031, 20, 0, {2, 2, 2, 2}, rseCaptionGlyphRestore), P(10035, 30, 0, {2, 2, 2, 2}, rseCaptionGlyphClose),
         P(10039, 40, 0, {2, 2, 2, 2}, rseCaptionGlyphHelp)}),
    Row(raForm, 25, 25, rcStates, kDown, StateRange(0, 2), {0, 1, 2}, 5,
        {P(10020, 25, 37, {2, 2, 2, 2}, rseCaptionButtonBackground)}),
    Row(raForm, 15, 26, rcPair, kDown, 0, {}, 0, {P(10059, 0, 113, {13, 5, 0, 5}, rseQuickAccessLeftBesideButton)}),
    Row(raForm, 7, 26, rcPair, kDown, 0, {}, 0, {P(10061, 32, 113, {2, 5, 0, 5}, rseQuickAccessLeft)}),
    Row(raForm, 18, 26, rcPair, kDown, 0, {}, 0, {P(10063, 13, 113, {0, 5, 13, 5}, rseQuickAccessBody)}),
    One(raForm, 2, 30, 0, P(10054, 6, 38, {0, 9, 0, 5}, rseQuickAccessAboveBackground)),
    Row(raForm, 42, 42, rcThree, kDown, 0, {}, 7, {P(10067, 0, 166, {}, rseApplicationButton)}),

    // ---- common atlas (23) ----
    One(raCommon, 16, 26, 7, P(10055, 0, 353, {0, 2, 2, 2}, rseQuickAccessGlassBesideButton)),
    One(raCommon, 4, 26, 7, P(10056, 34, 353, {2, 2, 0, 2}, rseQuickAccessGlassLeft)),
    One(raCommon, 18, 26, 7, P(10057, 16, 353, {0, 7, 15, 7}, rseQuickAccessGlassBody)),
    Row(raCommon, 22, 22, rcStates, kDown, StateRange(2, 8), {0, 0, 1, 2, 2, 3, 4}, 0,
        {P(10290, 99, 155, {2, 2, 2, 2}, rseSmallButton)}),
    Row(raCommon, 29, 22, rcStates, kDown, StateRange(2, 8), {}, 0, {P(10299, 86, 0, {2, 2, 2, 2}, rseSplitButtonMain)}),
    Row(raCommon, 12, 22, rcStates, kDown, StateRange(2, 8), {}, 0,
        {P(10308, 86, 155, {2, 2, 2, 2}, rseSplitButtonArrow)}),
    Row(raCommon, 42, 66, rcStates, kDown, StateRange(2, 8), {0, 0, 1, 2, 2, 3, 4}, 0,
        {P(10317, 0, 0, {2, 2, 2, 2}, rseLargeButton)}),
    Row(raCommon, 42, 39, rcStates, kDown, StateRange(2, 8), {0, 1, 2, 1, 3, 4}, 0,
        {P(10326, 43, 0, {2, 2, 2, 2}, rseLargeSplitButtonTop)}),
    Row(raCommon, 42, 27, rcStates, kDown, StateRange(2, 8), {0, 1, 1, 2, 2, 0, 3}, 0,
        {P(10335, 43, 235, {2, 2, 2, 2}, rseLargeSplitButtonBottom)}),
    Row(raCommon, 15, 14, rcStates, kDown, StateRange(2, 4), {0, 0, 1}, 0,
        {P(10407, 101, 350, {2, 2, 2, 2}, rseGroupCaptionButton)}),
    Row(raCommon, 5, 5, rcStates, kDown, States({0, 2}), {}, 0, {P(10227, 1, 331, {2, 2, 2, 2}, rseDetachCaption)}),
    Row(raCommon, 6, 6, rcStates, kDown, States({0, 1}), {}, 0, {P(10236, 99, 310, {2, 2, 2, 2}, rseMenuGlyphFrame)}),
    Row(raCommon, 20, 20, rcStates, kDown, States({0, 1}), {}, 0,
        {P(10245, 99, 266, {2, 2, 2, 2}, rseMenuGlyphFrameLarge)}),
    One(raCommon, 3, 4, 0, P(10075, 14, 331, {1, 1, 0, 1}, rseInPlaceSubItemFace)),
    One(raCommon, 3, 4, 0, P(10074, 18, 331, {0, 1, 1, 1}, rseMenuTextArea)),
    One(raCommon, 2, 2, 0, P(10077, 17, 337, {}, rseMenuSeparatorLine)),
    One(raCommon, 2, 2, 0, P(10078, 14, 336, {}, rseMenuGlyphStrip)),
    One(raCommon, 8, 8, 0, P(10073, 28, 331, {3, 3, 3, 3}, rseMenuBorder)),
    Row(raCommon, 6, 12, rcStates, kDown, States({2, 4}), {}, 0, {P(10254, 86, 310, {2, 2, 2, 2}, rseMenuScrollButton)}),
    One(raCommon, 16, 16, 0, P(10052, 100, 330, {}, rseBarPart100)),
    One(raCommon, 86, 8, 0, P(10081, 6, 344, {2, 2, 2, 2}, rseProgressFill)),
    One(raCommon, 5, 8, 0, P(10082, 0, 344, {2, 2, 2, 2}, rseProgressChunk)),
    One(raCommon, 16, 16, 7, P(10088, 42, 353, {}, rseHelpGlyph)),

    // ---- scheme atlas (48) ----
    Row(raScheme, 24, 23, rcStates, kDown, StateRange(0, 4), {}, 0, {P(10043, 0, 0, {4, 4, 4, 4}, rseTab)}),
    One(raScheme, 1, 22, 0, P(10049, 42, 86, {}, rseTabSeparator)),
    Row(raScheme, 9, 24, rcThree, kDown, 0, {}, 0,
        {P(10434, 56, 350, {3, 4, 3, 5}, rseTabScrollButton, 0), P(10425, 46, 350, {3, 4, 3, 5}, rseTabScrollButton, 3)}),
    Row(raScheme, 8, 92, rcThree, kDown, 0, {}, 0,
        {P(10452, 57, 0, {2, 4, 4, 4}, rseGroupScrollButton, 0), P(10443, 48, 0, {4, 4, 2, 4}, rseGroupScrollButton, 3)}),
    One(raScheme, 11, 92, 0, P(10048, 13, 116, {5, 17, 5, 7}, rseTabGroupsPopup)),
    Row(raScheme, 8, 68, rcStates, kRight, States({0, 2}), {}, 0, {P(10371, 66, 350, {3, 14, 3, 0}, rseGroupBackground)}),
    Row(raScheme, 8, 17, rcStates, kRight, States({0, 2}), {}, 0, {P(10380, 66, 418, {3, 0, 3, 3}, rseGroupCaptionBand)}),
    Row(raScheme, 7, 7, rcStates, kDown, States({0, 2, 4}), {0, 0, 1}, 0, {P(10389, 36, 220, {}, rseQuickAccessMark)}),
    Row(raScheme, 7, 7, rcStates, kDown, States({0, 2, 4}), {0, 0, 1}, 0, {P(10398, 37, 234, {}, rseQuickAccessMarkMore)}),
    Row(raScheme, 7, 85, rcStates, kDown, States({0, 2, 3, 4}), {0, 1, 3, 2}, 0,
        {P(10263, 25, 0, {3, 15, 3, 3}, rseCollapsedGroupButton)}),
    Row(raScheme, 10, 31, rcStates, kDown, States({0, 2, 3, 4}), {0, 1, 3, 2}, 0,
        {P(10272, 66, 199, {4, 9, 4, 8}, rseCollapsedGroupGlyphFrame)}),
    Row(raScheme, 5, 4, rcStates, kDown, 0, {0, 1, 2, 2, 2, 2, 0, 0, 1}, 0, {P(10218, 0, 237, {}, rseSmallDropArrow)}),
    Row(raScheme, 12, 20, rcStates, kDown, States({0, 1, 2, 3, 4, 5, 8}), {0, 1, 2, 3, 4, 5, 1}, 0,
        {P(10281, 0, 116, {2, 2, 2, 2}, rseEditButton)}),
    One(raScheme, 7, 4, 0, P(10079, 6, 245, {}, rseDownArrowGlyph)),
    One(raScheme, 4, 7, 0, P(10080, 6, 237, {}, rseRightArrowGlyph)),
    One(raScheme, 6, 22, 0, P(10089, 0, 250, {2, 2, 2, 2}, rseApplicationMenuButton)),
    Row(raScheme, 3, 22, rcStates, kDown, 0, {}, 0, {P(10344, 73, 0, {1, 2, 1, 2}, rseGroupSeparator)}),
    One(raScheme, 2, 22, 0, P(10084, 37, 197, {0, 2, 0, 2}, rseSplitSeparatorStart)),
    One(raScheme, 2, 22, 0, P(10085, 38, 197, {0, 2, 0, 2}, rseSplitSeparatorEnd)),
    Row(raScheme, 1, 22, rcStates, kDown, 0, {0, 1, 2, 2, 2, 2, 2, 2, 3}, 0,
        {P(10353, 40, 86, {0, 2, 0, 2}, rseSplitSeparatorMiddle)}),
    Row(raScheme, 2, 22, rcStates, kDown, 0, {0, 1, 2, 2, 3, 2, 2, 2, 4}, 0,
        {P(10362, 37, 86, {0, 2, 0, 2}, rseSplitSeparatorHot)}),
    Row(raScheme, 12, 12, rcStates, kDown, StateRange(0, 4), {0, 1, 0, 0, 0}, 5,
        {P(10416, 34, 249, {}, rseGroupCaptionGlyph)}),
    One(raScheme, 8, 8, 0, P(10070, 48, 321, {3, 3, 3, 3}, rseApplicationMenuBorder)),
    One(raScheme, 2, 14, 0, P(10071, 57, 325, {}, rseApplicationMenuTopBand)),
    One(raScheme, 2, 25, 0, P(10072, 62, 323, {}, rseApplicationMenuBottomBand)),
    One(raScheme, 16, 16, 0, P(10076, 49, 277, {}, rseExpandChevrons)),
    One(raScheme, 4, 12, 0, P(10254, 20, 237, {1, 1, 1, 1}, rseMenuScrollButton)),
    One(raScheme, 7, 7, 0, P(10083, 11, 237, {2, 2, 2, 2}, rseProgressBackground)),
    One(raScheme, 5, 3, 0, P(10086, 14, 245, {}, rseArrowGlyph)),
    One(raScheme, 6, 165, 0, P(10087, 66, 0, {2, 2, 2, 2}, rseScreenTipBackground)),
    One(raScheme, 10, 26, 0, P(10053, 13, 209, {3, 3, 3, 3}, rseQuickAccessBelow)),
    One(raScheme, 6, 28, 0, P(10058, 33, 0, {2, 2, 2, 2}, rseQuickAccessPopupBackground)),
    Row(raScheme, 22, 22, rcStates, kDown, States({0, 1, 2, 3, 4, 5, 8}), {0, 3, 1, 1, 2, 2, 1}, 0,
        {P(10200, 0, 350, {2, 2, 2, 2}, rseFormBorderButton)}),
    Row(raScheme, 22, 22, rcStates, kDown, States({0, 1, 2, 3, 4, 5, 8}), {0, 3, 1, 1, 2, 2, 1}, 0,
        {P(10209, 23, 350, {2, 2, 2, 2}, rseFormBorderButtonAlt)}),
    One(raScheme, 2, 22, 0, P(10090, 42, 138, {0, 2, 0, 3}, rseStatusBarBackground)),
    One(raScheme, 2, 22, 0, P(10093, 42, 160, {0, 2, 0, 3}, rseStatusBarPanel)),
    One(raScheme, 3, 22, 0, P(10094, 42, 183, {0, 2, 0, 3}, rseStatusBarSeparator)),
    One(raScheme, 2, 22, 0, P(10096, 45, 138, {0, 2, 0, 3}, rseStatusBarSeparator2)),
    One(raScheme, 5, 22, 0, P(10095, 42, 183, {3, 2, 0, 3}, rseStatusBarGrip)),
    Row(raScheme, 4, 22, rcStates, kDown, StateRange(0, 3), {}, 0,
        {P(10100, 77, 241, {0, 2, 0, 3}, rseStatusBarPart, 0), P(10108, 85, 241, {0, 2, 0, 3}, rseStatusBarPart, 4),
         P(10104, 81, 241, {0, 2, 0, 3}, rseStatusBarPartAlt, 0),
         P(10112, 89, 241, {0, 2, 0, 3}, rseStatusBarPartAlt, 4)}),
    Row(raScheme, 15, 20, rcStates, kDown, States({0, 1, 2, 4}), {0, 3, 1, 2}, 0,
        {P(10461, 78, 0, {2, 2, 2, 2}, rseBarPart53), P(10470, 78, 80, {2, 2, 2, 2}, rseBarPart54),
         P(10479, 78, 160, {2, 2, 2, 2}, rseBarPart55)}),
    One(raScheme, 4, 13, 0, P(10125, 7, 250, {1, 1, 2, 1}, rseBarPart65)),
    One(raScheme, 4, 4, 0, P(10126, 0, 273, {0, 0, 0, 2}, rseBarPart63)),
    One(raScheme, 4, 11, 0, P(10120, 38, 29, {1, 1, 2, 2}, rseBarPart57)),
    One(raScheme, 4, 11, 0, P(10121, 33, 29, {1, 1, 2, 2}, rseBarPart58)),
    One(raScheme, 7, 7, 5, P(10122, 54, 423, {}, rseBarPart59)),
    One(raScheme, 7, 7, 5, P(10123, 46, 423, {}, rseBarPart60)),
    One(raScheme, 18, 7, 0, P(10124, 46, 431, {}, rseBarPart61)),
};

}  // namespace ribbon_parts

inline constexpr const auto& kRibbonCutRows = ribbon_parts::kRows;
constexpr int kRibbonCutRowCount = static_cast<int>(std::size(ribbon_parts::kRows));
static_assert(kRibbonCutRowCount == 84);

// Calls Visit(row, piece, state, entry, id, x, y) for every part a row yields, in cutting order:
// `state` is the state (or copy) the part stands for, `entry` its handle entry, (x, y) its top-left
// corner in the atlas.
template <class F>
constexpr void ForEachRibbonPart(const TqzRibbonCutRow& Row, F&& Visit) {
  for (int p = 0; p < Row.pieceCount; ++p) {
    const TqzRibbonPiece& piece = Row.pieces[p];
    auto at = [&](int copy, int state, int id) {
      const int dx = Row.vertical ? 0 : copy * Row.width, dy = Row.vertical ? copy * Row.height : 0;
      Visit(Row, piece, state, piece.offset + state, id, piece.x + dx, piece.y + dy);
    };
    switch (Row.copies) {
      case rcOne: at(0, 0, piece.id); break;
      case rcPair:
        for (int s = 0; s < 2; ++s) at(s, s, piece.id + s);
        break;
      case rcThree:
        for (int s = 0; s < 3; ++s) at(s, s, piece.id + s);
        break;
      case rcStates: {
        int n = 0;
        for (int s = 0; s < 9; ++s)
          if (RibbonTakesState(Row, s)) at(RibbonCopyIndex(Row, n++), s, piece.id + s);
        break;
      }
    }
  }
}
