#include "Catalogue.h"

#include <cmath>
#include <vector>

#include "Recipes.h"

const char* const kSkinGroups[13] = {"Bars",    "Common",    "Docking",   "Editors", "Form",
                                     "Grid",    "NavBar",    "NavPane",   "PageControl",
                                     "Reports", "Ribbon",    "Scheduler", "VerticalGrid"};

namespace {

enum class Kind {
  Plain, Face, EditorButton, CloseButton, EditGlyph, Caption, FrameSide, FormButton, ScrollButton, Thumb, Track,
  Header, Check, Radio, PlusMinus, Splitter, SizeGrip, Panel, PanelCaption, ProgressBorder, ProgressChunk,
  TrackBarTrack, TrackBarThumb, Indicator, Navigator, ClockFace, ClockGlass
};

// What a plain element (Color and borders, no picture) is filled with.
enum class Fill { Window, Face, Header, Content, Line, Caption, Accent, Selection, Track, Panel };

struct Spec {
  const char* group;
  const char* name;
  Kind kind;
  int variant = 0;
  Fill fill = Fill::Window;
  bool bordered = false;
};

Spec P(const char* g, const char* n, Fill f, bool bordered = false) { return {g, n, Kind::Plain, 0, f, bordered}; }
Spec K(const char* g, const char* n, Kind k, int variant = 0) { return {g, n, k, variant, Fill::Window, false}; }

const std::vector<Spec>& Catalogue() {
  static const std::vector<Spec> specs = {
      // Bars
      P("Bars", "Bar", Fill::Face, true), K("Bars", "BarCustomize", Kind::Face),
      K("Bars", "BarCustomizeVertical", Kind::Face), P("Bars", "BarDragGrip", Fill::Header),
      P("Bars", "BarDragGripVertical", Fill::Header), P("Bars", "BarSeparator", Fill::Line),
      P("Bars", "BarVertical", Fill::Face, true), P("Bars", "BarSeparatorVertical", Fill::Line),
      P("Bars", "Dock", Fill::Window), P("Bars", "FloatBar", Fill::Face, true), P("Bars", "LinkStatic", Fill::Face),
      K("Bars", "LinkSelected", Kind::Face), P("Bars", "MainMenu", Fill::Face), K("Bars", "MainMenuCustomize", Kind::Face),
      P("Bars", "MainMenuDrag", Fill::Header), K("Bars", "MainMenuLinkSelected", Kind::Face),
      P("Bars", "MainMenuVertical", Fill::Face), P("Bars", "PopupMenu", Fill::Content, true),
      K("Bars", "PopupMenuCheck", Kind::Face), K("Bars", "PopupMenuExpandButton", Kind::Face),
      K("Bars", "PopupMenuLinkSelected", Kind::Face), P("Bars", "PopupMenuSeparator", Fill::Line),
      P("Bars", "PopupMenuSideStrip", Fill::Header), P("Bars", "PopupMenuSideStripNonRecent", Fill::Track),
      K("Bars", "PopupMenuDropDownButtonLabel", Kind::Face), K("Bars", "PopupMenuDropDownButtonArrow", Kind::Face),
      P("Bars", "StatusBar", Fill::Header, true), P("Bars", "ScreenTipWindow", Fill::Content, true),
      P("Bars", "ScreenTipSeparator", Fill::Line),
      // Common
      K("Common", "Button", Kind::Face, 1), P("Common", "GroupPanelNoBorder", Fill::Panel),
      K("Common", "GroupPanelTop", Kind::Panel, 1), K("Common", "GroupPanelBottom", Kind::Panel, 2),
      K("Common", "GroupPanelLeft", Kind::Panel, 3), K("Common", "GroupPanelRight", Kind::Panel, 4),
      K("Common", "GroupPanel", Kind::Panel, 0), K("Common", "GroupPanelCaptionTop", Kind::PanelCaption, 1),
      K("Common", "GroupPanelCaptionBottom", Kind::PanelCaption, 2),
      K("Common", "GroupPanelCaptionLeft", Kind::PanelCaption, 3),
      K("Common", "GroupPanelCaptionRight", Kind::PanelCaption, 4), K("Common", "Header", Kind::Header),
      K("Common", "HeaderSpecial", Kind::Header, 1), K("Common", "ScrollButton", Kind::ScrollButton),
      K("Common", "ScrollThumbVert", Kind::Thumb, 0), K("Common", "ScrollThumbHorz", Kind::Thumb, 1),
      K("Common", "ScrollContentVert", Kind::Track, 0), K("Common", "ScrollContentHorz", Kind::Track, 1),
      K("Common", "SizeGrip", Kind::SizeGrip), K("Common", "Splitter", Kind::Splitter, 0),
      K("Common", "SplitterHorz", Kind::Splitter, 1),
      // Docking
      P("Docking", "TabHeaderBackground", Fill::Header), P("Docking", "TabHeaderLine", Fill::Line),
      P("Docking", "TabHeaderAutoHideBar", Fill::Header), K("Docking", "DockWindowButton", Kind::Face),
      K("Docking", "DockWindowButtonGlyphs", Kind::EditGlyph, 2), K("Docking", "TabHeader", Kind::Face),
      P("Docking", "AutoHideBar", Fill::Header), P("Docking", "AutoHideBarLeft", Fill::Header),
      P("Docking", "AutoHideBarRight", Fill::Header), P("Docking", "AutoHideBarBottom", Fill::Header),
      P("Docking", "DockWindowCaption", Fill::Caption), P("Docking", "DockWindowBorder", Fill::Window, true),
      // Editors
      K("Editors", "Checkbox", Kind::Check), K("Editors", "ClockFace", Kind::ClockFace),
      K("Editors", "ClockGlass", Kind::ClockGlass), K("Editors", "CloseButton", Kind::CloseButton),
      K("Editors", "ComboButtonGlyph", Kind::EditGlyph, 0), K("Editors", "EditorButton", Kind::EditorButton),
      K("Editors", "SpinUpGlyph", Kind::EditGlyph, 1), K("Editors", "SpinDownGlyph", Kind::EditGlyph, 2),
      K("Editors", "SpinLeftGlyph", Kind::EditGlyph, 3), K("Editors", "SpinRightGlyph", Kind::EditGlyph, 4),
      K("Editors", "Navigator", Kind::Navigator, 0), K("Editors", "NavigatorVert", Kind::Navigator, 1),
      K("Editors", "ProgressBorder", Kind::ProgressBorder, 0), K("Editors", "ProgressBorderVert", Kind::ProgressBorder, 1),
      K("Editors", "ProgressChunk", Kind::ProgressChunk, 0), K("Editors", "ProgressChunkVert", Kind::ProgressChunk, 1),
      K("Editors", "RadioButton", Kind::Radio), K("Editors", "TrackBarTrack", Kind::TrackBarTrack, 0),
      K("Editors", "TrackBarTrackVert", Kind::TrackBarTrack, 1), K("Editors", "TrackBarThumb", Kind::TrackBarThumb, 0),
      K("Editors", "TrackBarThumbUp", Kind::TrackBarThumb, 1), K("Editors", "TrackBarThumbBoth", Kind::TrackBarThumb, 2),
      K("Editors", "TrackBarThumbVert", Kind::TrackBarThumb, 3),
      K("Editors", "TrackBarThumbVertUp", Kind::TrackBarThumb, 4),
      K("Editors", "TrackBarThumbVertBoth", Kind::TrackBarThumb, 5),
      // Form
      P("Form", "FormContent", Fill::Window), K("Form", "FormButtonClose", Kind::FormButton, 0),
      K("Form", "FormButtonMinimize", Kind::FormButton, 1), K("Form", "FormButtonMaximize", Kind::FormButton, 2),
      K("Form", "FormButtonRestore", Kind::FormButton, 3), K("Form", "FormButtonHelp", Kind::FormButton, 4),
      K("Form", "SmallFormButtonClose", Kind::FormButton, 5), K("Form", "FormFrameLeft", Kind::FrameSide, 0),
      K("Form", "FormFrameRight", Kind::FrameSide, 1), K("Form", "FormFrameBottom", Kind::FrameSide, 2),
      K("Form", "FormCaption", Kind::Caption, 0), K("Form", "SmallFormCaption", Kind::Caption, 1),
      // Grid
      K("Grid", "PlusMinus", Kind::PlusMinus), P("Grid", "FooterCell", Fill::Header, true),
      P("Grid", "FooterPanel", Fill::Header, true), P("Grid", "GridFixedLine", Fill::Line),
      P("Grid", "CardSeparator", Fill::Line), P("Grid", "GridGroupPanel", Fill::Panel), P("Grid", "GroupRow", Fill::Face),
      P("Grid", "GridLine", Fill::Line), K("Grid", "IndicatorImages", Kind::Indicator), K("Grid", "FilterButton", Kind::Face),
      K("Grid", "FilterButtonActive", Kind::Face), P("Grid", "GridFilterPanel", Fill::Header, true),
      // NavBar
      P("NavBar", "Background", Fill::Window), P("NavBar", "GroupClient", Fill::Content), K("NavBar", "Item", Kind::Face),
      K("NavBar", "GroupHeader", Kind::Header), K("NavBar", "GroupCloseButton", Kind::Face),
      K("NavBar", "GroupOpenButton", Kind::Face),
      // NavPane
      K("NavPane", "CollapseButton", Kind::Face), P("NavPane", "CollapsedGroupClient", Fill::Content),
      K("NavPane", "ExpandButton", Kind::Face), P("NavPane", "PopupBorder", Fill::Window, true),
      K("NavPane", "PopupSizeGrip", Kind::SizeGrip), K("NavPane", "GroupButton", Kind::Face),
      K("NavPane", "GroupButtonSelected", Kind::Face), P("NavPane", "Caption", Fill::Caption),
      P("NavPane", "Splitter", Fill::Header), K("NavPane", "ScrollUpButton", Kind::Face),
      K("NavPane", "ScrollDownButton", Kind::Face), P("NavPane", "OverflowPanel", Fill::Header),
      K("NavPane", "OverflowPanelItem", Kind::Face), K("NavPane", "OverflowPanelExpandItem", Kind::Face),
      P("NavPane", "GroupClient", Fill::Content), K("NavPane", "Item", Kind::Face), K("NavPane", "ItemSelected", Kind::Face),
      // PageControl
      P("PageControl", "TabHeader", Fill::Header), K("PageControl", "TabButtonHorz", Kind::Face),
      K("PageControl", "TabButtonVert", Kind::Face), P("PageControl", "TabPane", Fill::Window, true),
      // Ribbon
      K("Ribbon", "FormAppButton", Kind::Face), P("Ribbon", "AppMenuBackground", Fill::Window, true),
      P("Ribbon", "AppMenuBackgroundBottom", Fill::Header), K("Ribbon", "TabGroupCollapsed", Kind::Face),
      P("Ribbon", "TabGroupCollapsedBox", Fill::Panel, true), K("Ribbon", "FormCaption", Kind::Caption, 0),
      K("Ribbon", "FormFrameBottom", Kind::FrameSide, 2), K("Ribbon", "DialogFrameBottom", Kind::FrameSide, 2),
      K("Ribbon", "FormFrameLeft", Kind::FrameSide, 0), K("Ribbon", "DialogFrameLeft", Kind::FrameSide, 0),
      K("Ribbon", "FormFrameRight", Kind::FrameSide, 1), K("Ribbon", "DialogFrameRight", Kind::FrameSide, 1),
      K("Ribbon", "Tab", Kind::Face), P("Ribbon", "TabPanel", Fill::Panel, true), K("Ribbon", "TabGroupButton", Kind::Face),
      P("Ribbon", "TabGroup", Fill::Panel, true), P("Ribbon", "TabGroupCaption", Fill::Header),
      P("Ribbon", "DropDownGalleryBackground", Fill::Content, true), K("Ribbon", "InRibbonGalleryButtonDown", Kind::Face),
      K("Ribbon", "InRibbonGalleryButtonDropDown", Kind::Face), K("Ribbon", "InRibbonGalleryButtonUp", Kind::Face),
      P("Ribbon", "DropDownGalleryGroupHeader", Fill::Header), P("Ribbon", "InRibbonGalleryPane", Fill::Content, true),
      P("Ribbon", "DropDownGallerySizePanel", Fill::Header), K("Ribbon", "DropDownGallerySizeGrip", Kind::SizeGrip),
      P("Ribbon", "TabBackground", Fill::Header), K("Ribbon", "Button", Kind::Face),
      K("Ribbon", "SplitButtonLeft", Kind::Face), K("Ribbon", "SplitButtonRight", Kind::Face),
      K("Ribbon", "LargeButton", Kind::Face), K("Ribbon", "LargeSplitButtonTop", Kind::Face),
      K("Ribbon", "LargeSplitButtonBottom", Kind::Face), K("Ribbon", "ButtonArrow", Kind::EditGlyph, 0),
      P("Ribbon", "ButtonGroup", Fill::Face, true), P("Ribbon", "StatusBarBackground", Fill::Header, true),
      K("Ribbon", "StatusBarButton", Kind::Face), P("Ribbon", "StatusBarSeparator", Fill::Line),
      P("Ribbon", "QATInRibbonBackground", Fill::Header), P("Ribbon", "QATAboveBackground", Fill::Header),
      P("Ribbon", "QATBelowBackground", Fill::Header), K("Ribbon", "QATButtonGlyph", Kind::EditGlyph, 0),
      K("Ribbon", "QATOverflow", Kind::Face), K("Ribbon", "QATCustomizeButton", Kind::Face),
      K("Ribbon", "ButtonGroupButton", Kind::Face), P("Ribbon", "ButtonGroupSeparator", Fill::Line),
      // Scheduler
      K("Scheduler", "TimeGridHeader", Kind::Header), K("Scheduler", "TimeGridHeaderSelected", Kind::Header, 1),
      P("Scheduler", "DefaultTimeLine", Fill::Accent), P("Scheduler", "Ruler", Fill::Header),
      K("Scheduler", "MoreButton", Kind::Face), P("Scheduler", "AppointmentRightBorder", Fill::Line),
      P("Scheduler", "Appointment", Fill::Content, true), P("Scheduler", "AllDayArea", Fill::Panel),
      P("Scheduler", "AllDayAreaSelected", Fill::Selection), P("Scheduler", "CurrentTimeIndicator", Fill::Accent),
      P("Scheduler", "AppointmentBottomShadow", Fill::Line), P("Scheduler", "AppointmentRightShadow", Fill::Line),
      P("Scheduler", "AppointmentMask", Fill::Window), K("Scheduler", "NavButtonPrev", Kind::Face),
      K("Scheduler", "NavButtonNext", Kind::Face), K("Scheduler", "NavButtonPrevArrow", Kind::EditGlyph, 3),
      K("Scheduler", "NavButtonNextArrow", Kind::EditGlyph, 4),
      P("Scheduler", "TimeGridCurrentTimeIndicator", Fill::Accent),
      // VerticalGrid
      P("VerticalGrid", "Category", Fill::Header), P("VerticalGrid", "GridLine", Fill::Line),
      P("VerticalGrid", "BandBorder", Fill::Line),
  };
  return specs;
}

const std::vector<TqzSkinElementState> kFace = {esNormal, esHot, esPressed, esDisabled};
const std::vector<TqzSkinElementState> kNormal = {esNormal};
const std::vector<TqzSkinElementState> kWindow = {esActive, esActiveDisabled};
const std::vector<TqzSkinElementState> kFormButton = {esNormal, esHot, esPressed, esDisabled, esActiveDisabled};

TqzSkinElementStates StateSet(const std::vector<TqzSkinElementState>& States) {
  TqzSkinElementStates set;
  for (TqzSkinElementState s : States) set.Include(s);
  return set;
}

// An element's picture (Image or Glyph) with its layout.
void SetPicture(TqzSkinImage* Image, int W, int H, int Blocks, const std::vector<TqzSkinElementState>& States,
                TqzSkinStretchMode Stretch, const TRect& Margins, const FramePainter& Paint, bool Vertical = false) {
  std::unique_ptr<TqzPNGImage> picture = DrawPicture(W, H, Blocks, States, Vertical, Paint);
  Image->SetPicture(picture.get());
  Image->SetStates(StateSet(States));
  Image->SetStretch(Stretch);
  Image->SetImageLayout(Vertical ? ilVertical : ilHorizontal);
  Image->GetMargins()->AssignRect(Margins);
}

TRect Even(int M) { return TRect{M, M, M, M}; }

Rgb FillColor(const Palette& p, Fill f) {
  switch (f) {
    case Fill::Face: return p.face;
    case Fill::Header: return p.header;
    case Fill::Content: return p.content;
    case Fill::Line: return p.line;
    case Fill::Caption: return p.caption;
    case Fill::Accent: return p.accent;
    case Fill::Selection: return p.selection;
    case Fill::Track: return p.track;
    case Fill::Panel: return Mix(p.face, p.window, 0.5);
    default: return p.window;
  }
}

Rgb TextOnFill(const Palette& p, Fill f) {
  switch (f) {
    case Fill::Content: return p.contentText;
    case Fill::Caption: return p.captionText;
    case Fill::Accent: return p.accentText;
    case Fill::Selection: return p.selectionText;
    default: return p.text;
  }
}

double FaceRadius(const Palette& p, int Limit) { return std::min(p.radius, Limit); }

// ---- Recipes per kind ---------------------------------------------------------------------

void MakeFace(TqzSkinElement* E, const Palette& p, int W, int H, int Limit) {
  const double r = FaceRadius(p, Limit);
  const int m = static_cast<int>(std::ceil(r)) + 2;
  SetPicture(E->GetImage(), W, H, 1, kFace, smStretch, Even(m), [&](cairo_t* cr, const Frame& f, int, TqzSkinElementState s) {
    FaceColors c = FaceFor(p, s);
    PaintFace(cr, f, p, c.face, c.border, r);
  });
}

void MakeCaption(TqzSkinElement* E, const Palette& p, bool Small) {
  const int h = Small ? 22 : 30;
  SetPicture(E->GetImage(), 24, h, 1, kWindow, smStretch, TRect{4, 4, 4, 3},
             [&](cairo_t* cr, const Frame& f, int, TqzSkinElementState s) {
               const bool active = s == esActive;
               Rgb base = active ? p.caption : p.captionInactive;
               Rgb edge = Darker(active ? p.frame : p.frameInactive, 0.25);
               SetColor(cr, edge);
               cairo_rectangle(cr, f.x, f.y, f.w, f.h);
               cairo_fill(cr);
               Frame inner{f.x + 1, f.y + 1, f.w - 2, f.h - 2};
               cairo_pattern_t* g = cairo_pattern_create_linear(0, inner.y, 0, inner.y + inner.h);
               auto stop = [&](double at, const Rgb& c) { cairo_pattern_add_color_stop_rgb(g, at, c.r, c.g, c.b); };
               if (p.surface == Surface::Glossy) {
                 stop(0, Lighter(base, 0.28));
                 stop(0.5, Lighter(base, 0.08));
                 stop(0.52, base);
                 stop(1, Darker(base, 0.06));
               } else if (p.surface == Surface::Soft) {
                 stop(0, Lighter(base, 0.14));
                 stop(1, Darker(base, 0.04));
               } else {
                 stop(0, base);
                 stop(1, base);
               }
               cairo_set_source(cr, g);
               cairo_rectangle(cr, inner.x, inner.y, inner.w, inner.h);
               cairo_fill(cr);
               cairo_pattern_destroy(g);
               // A light line under the outer edge, the frame's colour along the bottom.
               SetColor(cr, Rgb{1, 1, 1}, p.surface == Surface::Flat ? 0.10 : 0.25);
               cairo_rectangle(cr, inner.x, inner.y, inner.w, 1);
               cairo_fill(cr);
               SetColor(cr, active ? p.frame : p.frameInactive);
               cairo_rectangle(cr, inner.x, f.y + f.h - 2, inner.w, 1);
               cairo_fill(cr);
             });
  E->GetContentOffset()->AssignRect(Small ? TRect{4, 4, 4, 3} : TRect{6, 5, 6, 4});
  E->SetTextColor(ToColor(p.captionText));
  E->SetColor(ToColor(p.caption));
}

void MakeFrameSide(TqzSkinElement* E, const Palette& p, int Side) {
  const bool vertical = Side < 2;
  const int w = vertical ? 4 : 12, h = vertical ? 12 : 4;
  const TRect margins = Side == 0 ? TRect{1, 0, 0, 0} : Side == 1 ? TRect{0, 0, 1, 0} : TRect{0, 0, 0, 1};
  SetPicture(E->GetImage(), w, h, 1, kWindow, smStretch, margins, [&](cairo_t* cr, const Frame& f, int, TqzSkinElementState s) {
    const Rgb frame = s == esActive ? p.frame : p.frameInactive;
    SetColor(cr, frame);
    cairo_rectangle(cr, f.x, f.y, f.w, f.h);
    cairo_fill(cr);
    // The outer edge dark, the inner edge a shade towards the window.
    SetColor(cr, Darker(frame, 0.25));
    if (Side == 0) cairo_rectangle(cr, f.x, f.y, 1, f.h);
    if (Side == 1) cairo_rectangle(cr, f.x + f.w - 1, f.y, 1, f.h);
    if (Side == 2) cairo_rectangle(cr, f.x, f.y + f.h - 1, f.w, 1);
    cairo_fill(cr);
    SetColor(cr, Mix(frame, p.window, 0.35));
    if (Side == 0) cairo_rectangle(cr, f.x + f.w - 1, f.y, 1, f.h);
    if (Side == 1) cairo_rectangle(cr, f.x, f.y, 1, f.h);
    if (Side == 2) cairo_rectangle(cr, f.x, f.y, f.w, 1);
    cairo_fill(cr);
  });
  E->SetColor(ToColor(p.frame));
}

void MakeFormButton(TqzSkinElement* E, const Palette& p, int Variant) {
  const bool small = Variant == 5;
  const int size = small ? 15 : 21;
  const FormGlyph glyph = Variant == 0 || Variant == 5 ? FormGlyph::Close
                          : Variant == 1             ? FormGlyph::Minimize
                          : Variant == 2             ? FormGlyph::Maximize
                          : Variant == 3             ? FormGlyph::Restore
                                                     : FormGlyph::Help;
  const bool close = glyph == FormGlyph::Close;
  SetPicture(E->GetImage(), size, size, 1, kFormButton, smStretch, Even(small ? 3 : 4),
             [&](cairo_t* cr, const Frame& f, int, TqzSkinElementState s) {
               const double r = std::max(2.0, FaceRadius(p, 4));
               Rgb glyphColor = p.captionText;
               if (s == esHot || s == esPressed) {
                 RoundedRect(cr, f.x + 0.5, f.y + 0.5, f.w - 1, f.h - 1, r);
                 if (close) {
                   SetColor(cr, s == esHot ? p.closeHot : Darker(p.closeHot, 0.2));
                   glyphColor = Rgb{1, 1, 1};
                 } else {
                   SetColor(cr, p.captionText, s == esHot ? 0.22 : 0.38);
                 }
                 cairo_fill(cr);
               }
               double alpha = s == esDisabled ? 0.4 : 1;
               if (s == esActiveDisabled) glyphColor = p.captionTextInactive;
               cairo_push_group(cr);
               PaintFormGlyph(cr, f, glyph, glyphColor, small ? 0.75 : 1);
               cairo_pop_group_to_source(cr);
               cairo_paint_with_alpha(cr, alpha);
             });
  E->SetTextColor(ToColor(p.captionText));
}

void MakeGlyphOnly(TqzSkinElement* E, const Palette& p, int Variant) {
  const Direction d = Variant == 1 ? Direction::Up : Variant == 3 ? Direction::Left : Variant == 4 ? Direction::Right : Direction::Down;
  const double size = Variant == 0 ? 3.5 : 2.5;
  SetPicture(E->GetGlyph(), 9, 9, 1, kNormal, smNoResize, TRect{}, [&](cairo_t* cr, const Frame& f, int, TqzSkinElementState) {
    PaintArrow(cr, f.x + 4.5, f.y + 4.5, size, d, p.glyph);
  });
  E->SetTextColor(ToColor(p.text));
}

void MakeScrollButton(TqzSkinElement* E, const Palette& p) {
  E->SetImageCount(4);
  const double r = FaceRadius(p, 3);
  SetPicture(E->GetImage(), 17, 17, 4, kFace, smStretch, Even(static_cast<int>(r) + 2),
             [&](cairo_t* cr, const Frame& f, int, TqzSkinElementState s) {
               if (s == esNormal || s == esDisabled) return;  // the track shows through until the pointer comes
               FaceColors c = FaceFor(p, s);
               PaintFace(cr, Frame{f.x + 1, f.y + 1, f.w - 2, f.h - 2}, p, c.face, c.border, r);
             });
  const Direction arrows[4] = {Direction::Up, Direction::Down, Direction::Left, Direction::Right};
  SetPicture(E->GetGlyph(), 9, 9, 4, kFace, smNoResize, TRect{}, [&](cairo_t* cr, const Frame& f, int block, TqzSkinElementState s) {
    PaintArrow(cr, f.x + 4.5, f.y + 4.5, 3, arrows[block], s == esDisabled ? p.glyphDisabled : p.glyph);
  });
}

void MakeThumb(TqzSkinElement* E, const Palette& p, bool Horizontal) {
  const double r = FaceRadius(p, 4);
  SetPicture(E->GetImage(), 17, 17, 1, kFace, smStretch, Even(static_cast<int>(r) + 3),
             [&](cairo_t* cr, const Frame& f, int, TqzSkinElementState s) {
               FaceColors c = FaceFor(p, s);
               Frame inset = Horizontal ? Frame{f.x + 1, f.y + 3, f.w - 2, f.h - 6} : Frame{f.x + 3, f.y + 1, f.w - 6, f.h - 2};
               PaintFace(cr, inset, p, s == esNormal ? Mix(c.face, p.border, 0.25) : c.face, c.border, r);
             });
}

void MakeTrack(TqzSkinElement* E, const Palette& p, bool Horizontal) {
  SetPicture(E->GetImage(), 17, 17, 1, kFace, smStretch, Even(1), [&](cairo_t* cr, const Frame& f, int, TqzSkinElementState s) {
    SetColor(cr, s == esPressed ? p.trackPressed : p.track);
    cairo_rectangle(cr, f.x, f.y, f.w, f.h);
    cairo_fill(cr);
    SetColor(cr, Mix(p.track, p.border, 0.35));
    if (Horizontal)
      cairo_rectangle(cr, f.x, f.y, f.w, 1);
    else
      cairo_rectangle(cr, f.x, f.y, 1, f.h);
    cairo_fill(cr);
  });
  E->SetColor(ToColor(p.track));
}

void MakeHeader(TqzSkinElement* E, const Palette& p, bool Special) {
  SetPicture(E->GetImage(), 20, 20, 1, kFace, smStretch, Even(2), [&](cairo_t* cr, const Frame& f, int, TqzSkinElementState s) {
    Rgb base = s == esHot ? Mix(p.header, p.accent, 0.12) : s == esPressed ? Darker(p.header, 0.08) : p.header;
    if (Special) base = Mix(base, p.accent, 0.08);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, f.y, 0, f.y + f.h);
    Rgb top = p.surface == Surface::Flat ? base : Lighter(base, p.surface == Surface::Glossy ? 0.3 : 0.12);
    cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(g, 1, base.r, base.g, base.b);
    cairo_set_source(cr, g);
    cairo_rectangle(cr, f.x, f.y, f.w, f.h);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    SetColor(cr, p.border);
    cairo_rectangle(cr, f.x, f.y + f.h - 1, f.w, 1);
    cairo_fill(cr);
    SetColor(cr, Mix(p.border, base, 0.45));
    cairo_rectangle(cr, f.x + f.w - 1, f.y + 3, 1, f.h - 6);
    cairo_fill(cr);
  });
  E->GetContentOffset()->AssignRect(TRect{4, 2, 4, 2});
  E->SetColor(ToColor(p.header));
}

void MakeCheck(TqzSkinElement* E, const Palette& p, bool Radio) {
  E->SetImageCount(Radio ? 2 : 3);
  SetPicture(E->GetImage(), 13, 13, Radio ? 2 : 3, kFace, smNoResize, TRect{},
             [&](cairo_t* cr, const Frame& f, int block, TqzSkinElementState s) {
               const Rgb border = s == esHot ? p.borderHot : s == esPressed ? p.borderPressed : s == esDisabled ? p.borderDisabled : p.border;
               const Rgb fill = s == esPressed ? Mix(p.content, p.accent, 0.25) : s == esHot ? Mix(p.content, p.accent, 0.1)
                              : s == esDisabled ? p.faceDisabled : p.content;
               const Rgb mark = s == esDisabled ? p.textDisabled : p.accent;
               if (Radio)
                 cairo_arc(cr, f.x + 6.5, f.y + 6.5, 6, 0, 2 * M_PI);
               else
                 RoundedRect(cr, f.x + 0.5, f.y + 0.5, 12, 12, std::min(2.0, double(p.radius)));
               SetColor(cr, fill);
               cairo_fill_preserve(cr);
               SetColor(cr, border);
               cairo_set_line_width(cr, 1);
               cairo_stroke(cr);
               if (Radio && block == 1) {
                 cairo_arc(cr, f.x + 6.5, f.y + 6.5, 3, 0, 2 * M_PI);
                 SetColor(cr, mark);
                 cairo_fill(cr);
               } else if (!Radio && block == 1) {
                 cairo_move_to(cr, f.x + 3, f.y + 6.5);
                 cairo_line_to(cr, f.x + 5.5, f.y + 9);
                 cairo_line_to(cr, f.x + 10, f.y + 4);
                 cairo_set_line_width(cr, 1.8);
                 cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
                 cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
                 SetColor(cr, mark);
                 cairo_stroke(cr);
               } else if (!Radio && block == 2) {
                 SetColor(cr, mark, 0.7);
                 cairo_rectangle(cr, f.x + 3, f.y + 3, 7, 7);
                 cairo_fill(cr);
               }
             });
}

void MakePlusMinus(TqzSkinElement* E, const Palette& p) {
  E->SetImageCount(2);
  SetPicture(E->GetImage(), 11, 11, 2, kNormal, smNoResize, TRect{}, [&](cairo_t* cr, const Frame& f, int block, TqzSkinElementState) {
    RoundedRect(cr, f.x + 1.5, f.y + 1.5, 8, 8, std::min(2, p.radius));
    SetColor(cr, p.content);
    cairo_fill_preserve(cr);
    SetColor(cr, p.border);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    SetColor(cr, p.glyph);
    cairo_rectangle(cr, f.x + 3, f.y + 5, 5, 1);
    if (block == 0) cairo_rectangle(cr, f.x + 5, f.y + 3, 1, 5);
    cairo_fill(cr);
  });
}

void MakeSplitter(TqzSkinElement* E, const Palette& p, bool Horizontal) {
  E->SetImageCount(2);
  const int w = Horizontal ? 30 : 6, h = Horizontal ? 6 : 30;
  SetPicture(E->GetImage(), w, h, 2, kNormal, smStretch, TRect{}, [&](cairo_t* cr, const Frame& f, int block, TqzSkinElementState) {
    SetColor(cr, block == 1 ? p.faceHot : p.face);
    cairo_rectangle(cr, f.x, f.y, f.w, f.h);
    cairo_fill(cr);
  });
  SetPicture(E->GetGlyph(), Horizontal ? 14 : 4, Horizontal ? 4 : 14, 2, kNormal, smNoResize, TRect{},
             [&](cairo_t* cr, const Frame& f, int block, TqzSkinElementState) {
               SetColor(cr, block == 1 ? p.accent : p.border);
               for (int i = 0; i < 4; ++i) {
                 double x = Horizontal ? f.x + 1 + 4 * i : f.x + 1, y = Horizontal ? f.y + 1 : f.y + 1 + 4 * i;
                 cairo_rectangle(cr, x, y, 2, 2);
               }
               cairo_fill(cr);
             });
  E->SetColor(ToColor(p.face));
}

void MakeSizeGrip(TqzSkinElement* E, const Palette& p) {
  SetPicture(E->GetImage(), 12, 12, 1, kNormal, smNoResize, TRect{}, [&](cairo_t* cr, const Frame& f, int, TqzSkinElementState) {
    for (int row = 0; row < 3; ++row)
      for (int col = 2 - row; col < 3; ++col) {
        SetColor(cr, Rgb{1, 1, 1}, p.dark ? 0.15 : 0.8);
        cairo_rectangle(cr, f.x + 3 + 3 * col, f.y + 3 + 3 * row, 2, 2);
        cairo_fill(cr);
        SetColor(cr, p.border);
        cairo_rectangle(cr, f.x + 2 + 3 * col, f.y + 2 + 3 * row, 2, 2);
        cairo_fill(cr);
      }
  });
}

void MakePanel(TqzSkinElement* E, const Palette& p, int Variant) {
  const double r = FaceRadius(p, 5) + 1;
  SetPicture(E->GetImage(), 16, 16, 1, kNormal, smStretch, Even(6), [&](cairo_t* cr, const Frame& f, int, TqzSkinElementState) {
    // The caption side, when there is one, meets the caption square.
    Frame box = f;
    if (Variant == 1) box = Frame{f.x, f.y - 8, f.w, f.h + 8};
    if (Variant == 2) box = Frame{f.x, f.y, f.w, f.h + 8};
    if (Variant == 3) box = Frame{f.x - 8, f.y, f.w + 8, f.h};
    if (Variant == 4) box = Frame{f.x, f.y, f.w + 8, f.h};
    RoundedRect(cr, box.x + 0.5, box.y + 0.5, box.w - 1, box.h - 1, r);
    SetColor(cr, Mix(p.face, p.window, 0.5));
    cairo_fill_preserve(cr);
    SetColor(cr, Mix(p.border, p.window, 0.3));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  });
  E->GetContentOffset()->AssignRect(Even(3));
  E->SetColor(ToColor(p.window));
  E->SetTextColor(ToColor(p.text));
}

void MakePanelCaption(TqzSkinElement* E, const Palette& p, int Variant) {
  const bool vertical = Variant >= 3;
  const int w = vertical ? 22 : 16, h = vertical ? 16 : 22;
  const double r = FaceRadius(p, 5) + 1;
  SetPicture(E->GetImage(), w, h, 1, kNormal, smStretch, Even(6), [&](cairo_t* cr, const Frame& f, int, TqzSkinElementState) {
    Frame box = Variant == 1 ? Frame{f.x, f.y, f.w, f.h + 8} : Variant == 2 ? Frame{f.x, f.y - 8, f.w, f.h + 8}
              : Variant == 3 ? Frame{f.x, f.y, f.w + 8, f.h} : Frame{f.x - 8, f.y, f.w + 8, f.h};
    RoundedRect(cr, box.x + 0.5, box.y + 0.5, box.w - 1, box.h - 1, r);
    SetColor(cr, p.header);
    cairo_fill_preserve(cr);
    SetColor(cr, Mix(p.border, p.window, 0.3));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  });
  E->GetContentOffset()->AssignRect(vertical ? TRect{3, 6, 3, 6} : TRect{6, 3, 6, 3});
  E->SetColor(ToColor(p.header));
  E->SetTextColor(ToColor(p.text));
}

void MakeProgress(TqzSkinElement* E, const Palette& p, bool Chunk, bool Vertical) {
  const double r = FaceRadius(p, 3);
  const int size = Chunk ? 10 : 14;
  SetPicture(E->GetImage(), size, size, 1, kNormal, smStretch, Even(static_cast<int>(r) + (Chunk ? 0 : 2)),
             [&](cairo_t* cr, const Frame& f, int, TqzSkinElementState) {
               if (!Chunk) {
                 RoundedRect(cr, f.x + 0.5, f.y + 0.5, f.w - 1, f.h - 1, r);
                 SetColor(cr, p.content);
                 cairo_fill_preserve(cr);
                 SetColor(cr, p.border);
                 cairo_set_line_width(cr, 1);
                 cairo_stroke(cr);
                 return;
               }
               cairo_pattern_t* g = Vertical ? cairo_pattern_create_linear(f.x, 0, f.x + f.w, 0)
                                             : cairo_pattern_create_linear(0, f.y, 0, f.y + f.h);
               Rgb a = p.surface == Surface::Flat ? p.accent : Lighter(p.accent, 0.3), b = p.accent;
               cairo_pattern_add_color_stop_rgb(g, 0, a.r, a.g, a.b);
               cairo_pattern_add_color_stop_rgb(g, 1, b.r, b.g, b.b);
               RoundedRect(cr, f.x, f.y, f.w, f.h, std::max(0.0, r - 1));
               cairo_set_source(cr, g);
               cairo_fill(cr);
               cairo_pattern_destroy(g);
             });
  if (!Chunk) E->GetContentOffset()->AssignRect(Even(2));
}

void MakeTrackBarTrack(TqzSkinElement* E, const Palette& p, bool Vertical) {
  E->SetImageCount(4);
  const int w = Vertical ? 5 : 12, h = Vertical ? 12 : 5;
  SetPicture(E->GetImage(), w, h, 4, kNormal, smStretch, Vertical ? TRect{0, 3, 0, 3} : TRect{3, 0, 3, 0},
             [&](cairo_t* cr, const Frame& f, int block, TqzSkinElementState) {
               RoundedRect(cr, f.x + 0.5, f.y + 0.5, f.w - 1, f.h - 1, 2);
               SetColor(cr, block % 2 == 0 ? p.accent : p.track);
               cairo_fill_preserve(cr);
               SetColor(cr, block % 2 == 0 ? Darker(p.accent, 0.15) : p.border);
               cairo_set_line_width(cr, 1);
               cairo_stroke(cr);
             });
}

void MakeTrackBarThumb(TqzSkinElement* E, const Palette& p, int Variant) {
  const bool vertical = Variant >= 3;
  const int kind = Variant % 3;  // 0 points to the ticks below (right), 1 above (left), 2 both
  const int w = vertical ? 19 : 11, h = vertical ? 11 : 19;
  SetPicture(E->GetImage(), w, h, 1, kFace, smNoResize, TRect{}, [&](cairo_t* cr, const Frame& f, int, TqzSkinElementState s) {
    FaceColors c = FaceFor(p, s);
    const double x0 = f.x + 0.5, y0 = f.y + 0.5, x1 = f.x + f.w - 0.5, y1 = f.y + f.h - 0.5;
    if (kind == 2) {
      RoundedRect(cr, x0, y0, x1 - x0, y1 - y0, 2);
    } else if (!vertical) {
      const double tip = kind == 0 ? y1 : y0, base = kind == 0 ? y1 - 5 : y0 + 5, far = kind == 0 ? y0 : y1;
      cairo_move_to(cr, x0, far);
      cairo_line_to(cr, x1, far);
      cairo_line_to(cr, x1, base);
      cairo_line_to(cr, (x0 + x1) / 2, tip);
      cairo_line_to(cr, x0, base);
      cairo_close_path(cr);
    } else {
      const double tip = kind == 0 ? x1 : x0, base = kind == 0 ? x1 - 5 : x0 + 5, far = kind == 0 ? x0 : x1;
      cairo_move_to(cr, far, y0);
      cairo_line_to(cr, base, y0);
      cairo_line_to(cr, tip, (y0 + y1) / 2);
      cairo_line_to(cr, base, y1);
      cairo_line_to(cr, far, y1);
      cairo_close_path(cr);
    }
    cairo_pattern_t* g = cairo_pattern_create_linear(0, f.y, 0, f.y + f.h);
    Rgb top = p.surface == Surface::Flat ? c.face : Lighter(c.face, 0.3);
    cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(g, 1, c.face.r, c.face.g, c.face.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetColor(cr, c.border);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  });
}

void MakeIndicator(TqzSkinElement* E, const Palette& p) {
  E->SetImageCount(9);
  SetPicture(E->GetImage(), 11, 11, 9, kNormal, smNoResize, TRect{}, [&](cairo_t* cr, const Frame& f, int block, TqzSkinElementState) {
    PaintIndicatorGlyph(cr, f, block, p.glyph);
  });
}

void MakeNavigator(TqzSkinElement* E, const Palette& p, bool Second) {
  const int first = Second ? 11 : 0, count = Second ? 4 : 11;
  E->SetImageCount(count);
  SetPicture(E->GetImage(), 16, 16, count, kNormal, smNoResize, TRect{}, [&](cairo_t* cr, const Frame& f, int block, TqzSkinElementState) {
    PaintNavigatorGlyph(cr, f, first + block, p);
  });
}

void MakeClock(TqzSkinElement* E, const Palette& p, bool Glass) {
  SetPicture(E->GetImage(), 64, 64, 1, kNormal, smNoResize, TRect{}, [&](cairo_t* cr, const Frame& f, int, TqzSkinElementState) {
    const double cx = f.x + 32, cy = f.y + 32;
    if (Glass) {
      cairo_save(cr);
      cairo_translate(cr, cx, cy - 10);
      cairo_scale(cr, 1.0, 0.6);
      cairo_arc(cr, 0, 0, 24, 0, 2 * M_PI);
      cairo_restore(cr);
      SetColor(cr, Rgb{1, 1, 1}, 0.22);
      cairo_fill(cr);
      return;
    }
    cairo_arc(cr, cx, cy, 30.5, 0, 2 * M_PI);
    SetColor(cr, p.content);
    cairo_fill_preserve(cr);
    SetColor(cr, p.border);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    for (int i = 0; i < 12; ++i) {
      double a = i * M_PI / 6, inner = i % 3 == 0 ? 22 : 25;
      cairo_move_to(cr, cx + inner * std::cos(a), cy + inner * std::sin(a));
      cairo_line_to(cr, cx + 28 * std::cos(a), cy + 28 * std::sin(a));
    }
    SetColor(cr, p.glyph);
    cairo_stroke(cr);
  });
  E->SetTextColor(ToColor(p.contentText));
}

// ---- Properties ---------------------------------------------------------------------------

void AddColorProperty(TqzSkinPersistent* Owner, const char* Name, const Rgb& C) {
  static_cast<TqzSkinColor*>(Owner->AddProperty(Name, TqzSkinColor::ClassInfo()))->SetValue(ToColor(C));
}

void AddIntegerProperty(TqzSkinPersistent* Owner, const char* Name, Integer Value) {
  static_cast<TqzSkinIntegerProperty*>(Owner->AddProperty(Name, TqzSkinIntegerProperty::ClassInfo()))->SetValue(Value);
}

void AddBooleanProperty(TqzSkinPersistent* Owner, const char* Name, bool Value) {
  static_cast<TqzSkinBooleanProperty*>(Owner->AddProperty(Name, TqzSkinBooleanProperty::ClassInfo()))->SetValue(Value);
}

void AddProperties(TqzSkin* Skin, const Palette& p) {
  auto group = [&](const char* name) { return Skin->GetGroupByName(name); };
  auto element = [&](const char* g, const char* name) { return group(g)->GetElementByName(name); };
  AddColorProperty(group("Bars"), "DisabledTextColor", p.textDisabled);
  AddColorProperty(element("Common", "Button"), "DisabledText", p.textDisabled);
  AddColorProperty(group("Docking"), "TabHeaderTextColor", p.text);
  AddColorProperty(group("Docking"), "TabHeaderTextColorActive", p.text);
  AddIntegerProperty(group("Docking"), "ActiveTabHeaderDownGrow", 1);
  AddIntegerProperty(group("Docking"), "ActiveTabHeaderHGrow", 2);
  AddIntegerProperty(group("Docking"), "ActiveTabHeaderUpGrow", 2);
  AddColorProperty(element("Docking", "DockWindowCaption"), "InactiveCaptionTextColor", p.captionTextInactive);
  AddColorProperty(group("Editors"), "BackgroundColor", p.content);
  AddColorProperty(group("Editors"), "BackgroundDisabledColor", Mix(p.content, p.face, 0.6));
  AddColorProperty(group("Editors"), "TextColor", p.contentText);
  AddColorProperty(group("Editors"), "TextDisabledColor", Mix(p.contentText, p.content, 0.55));
  AddColorProperty(group("Form"), "TextColorInactive", p.captionTextInactive);
  AddColorProperty(group("Form"), "TextShadowColor", Darker(p.caption, 0.3));
  AddIntegerProperty(element("Form", "FormCaption"), "FontDelta", 1);
  AddIntegerProperty(element("NavPane", "Caption"), "Height", 28);
  AddIntegerProperty(element("NavPane", "Caption"), "FontSize", 10);
  for (const char* name : {"RowIndentFar", "RowIndentNear"}) AddIntegerProperty(group("PageControl"), name, 2);
  AddIntegerProperty(group("PageControl"), "SelectedHeaderDownGrow", 1);
  AddIntegerProperty(group("PageControl"), "SelectedHeaderHGrow", 2);
  AddIntegerProperty(group("PageControl"), "SelectedHeaderUpGrow", 2);
  AddIntegerProperty(group("PageControl"), "HeaderDownGrow", 0);
  TqzSkinElement* tab = element("PageControl", "TabHeader");
  AddColorProperty(tab, "TextColor", p.text);
  AddColorProperty(tab, "TextColorSelected", p.text);
  AddColorProperty(tab, "TextColorDisabled", p.textDisabled);
  AddColorProperty(tab, "TextColorHot", p.text);
  AddColorProperty(group("Scheduler"), "NavigatorColor", p.header);
  AddIntegerProperty(element("Scheduler", "Appointment"), "BorderSize", 1);
  AddColorProperty(element("Scheduler", "Appointment"), "SeparatorColor", p.line);
  AddColorProperty(element("Bars", "ScreenTipWindow"), "ScreenTipItem", p.contentText);
  AddColorProperty(element("Bars", "ScreenTipWindow"), "ScreenTipTitleItem", p.contentText);
  AddColorProperty(group("Ribbon"), "AppMenuExtraPaneColor", p.header);
  AddColorProperty(group("Ribbon"), "ButtonDisabled", p.textDisabled);
  AddIntegerProperty(group("Ribbon"), "TabHeaderDownGrow", 2);
  TqzSkinElement* ribbonCaption = element("Ribbon", "FormCaption");
  AddColorProperty(ribbonCaption, "TextColorInactive", p.captionTextInactive);
  AddColorProperty(ribbonCaption, "DocumentNameTextColor", Mix(p.captionText, p.caption, 0.25));
  AddIntegerProperty(ribbonCaption, "FontDelta", 1);
  AddColorProperty(element("Ribbon", "Tab"), "TextColorSelected", p.text);
  TqzSkinElement* status = element("Ribbon", "StatusBarButton");
  AddColorProperty(status, "TextColor", p.text);
  AddColorProperty(status, "TextColorHot", p.text);
  AddColorProperty(status, "TextColorDisabled", p.textDisabled);
  AddIntegerProperty(element("Ribbon", "FormAppButton"), "RightIndent", 4);
  TqzSkinElement* inRibbon = element("Ribbon", "QATInRibbonBackground");
  AddIntegerProperty(inRibbon, "Offset", 2);
  AddBooleanProperty(inRibbon, "DisplayCustomizeButtonOutsideQAT", false);
  AddIntegerProperty(inRibbon, "IndentBeforeCustomizeButton", 2);
  TqzSkinElement* above = element("Ribbon", "QATAboveBackground");
  AddBooleanProperty(above, "DisplayCustomizeButtonOutsideQAT", true);
  AddIntegerProperty(above, "IndentBeforeCustomizeButton", 2);
}

void AddSkinColors(TqzSkin* Skin, const Palette& p) {
  const std::pair<const char*, Rgb> colors[] = {
      {"ContainerBorderColor", p.border},          {"ContainerHighlightBorderColor", p.borderHot},
      {"ContentColor", p.content},                 {"ContentEvenColor", p.content},
      {"ContentOddColor", Mix(p.content, p.face, 0.25)}, {"ContentTextColor", p.contentText},
      {"DockControlHiddenBarTextColor", p.text},   {"HeaderBackgroundColor", p.header},
      {"HeaderBackgroundTextColor", p.text},       {"LayoutControlColor", p.window},
      {"SelectionColor", p.selection},             {"SelectionTextColor", p.selectionText}};
  for (const auto& [name, color] : colors) Skin->AddColor(name, ToColor(color));
}

void MakeElement(TqzSkinElement* E, const Spec& s, const Palette& p) {
  // Pictured elements fill nothing under their pictures; their text reads on their face.
  E->SetColor(clNone);
  E->SetTextColor(ToColor(p.text));
  switch (s.kind) {
    case Kind::Plain:
      E->SetColor(ToColor(FillColor(p, s.fill)));
      E->SetTextColor(ToColor(TextOnFill(p, s.fill)));
      if (s.bordered)
        for (Integer side = 0; side < 4; ++side) E->GetBorders()->Items(side)->SetColor(ToColor(Mix(p.border, p.window, 0.2)));
      break;
    case Kind::Face:
      MakeFace(E, p, s.variant == 1 ? 24 : 22, 22, 6);
      E->GetContentOffset()->AssignRect(TRect{4, 3, 4, 3});
      break;
    case Kind::EditorButton:
    case Kind::CloseButton:
      MakeFace(E, p, 17, 20, 2);
      E->GetContentOffset()->AssignRect(Even(3));
      if (s.kind == Kind::CloseButton)
        SetPicture(E->GetGlyph(), 9, 9, 1, kNormal, smNoResize, TRect{}, [&](cairo_t* cr, const Frame& f, int, TqzSkinElementState) {
          PaintCross(cr, f, 6, p.glyph);
        });
      break;
    case Kind::EditGlyph: MakeGlyphOnly(E, p, s.variant); break;
    case Kind::Caption: MakeCaption(E, p, s.variant == 1); break;
    case Kind::FrameSide: MakeFrameSide(E, p, s.variant); break;
    case Kind::FormButton: MakeFormButton(E, p, s.variant); break;
    case Kind::ScrollButton: MakeScrollButton(E, p); break;
    case Kind::Thumb: MakeThumb(E, p, s.variant == 1); break;
    case Kind::Track: MakeTrack(E, p, s.variant == 1); break;
    case Kind::Header: MakeHeader(E, p, s.variant == 1); break;
    case Kind::Check: MakeCheck(E, p, false); break;
    case Kind::Radio: MakeCheck(E, p, true); break;
    case Kind::PlusMinus: MakePlusMinus(E, p); break;
    case Kind::Splitter: MakeSplitter(E, p, s.variant == 1); break;
    case Kind::SizeGrip: MakeSizeGrip(E, p); break;
    case Kind::Panel: MakePanel(E, p, s.variant); break;
    case Kind::PanelCaption: MakePanelCaption(E, p, s.variant); break;
    case Kind::ProgressBorder: MakeProgress(E, p, false, s.variant == 1); break;
    case Kind::ProgressChunk: MakeProgress(E, p, true, s.variant == 1); break;
    case Kind::TrackBarTrack: MakeTrackBarTrack(E, p, s.variant == 1); break;
    case Kind::TrackBarThumb: MakeTrackBarThumb(E, p, s.variant); break;
    case Kind::Indicator: MakeIndicator(E, p); break;
    case Kind::Navigator: MakeNavigator(E, p, s.variant == 1); break;
    case Kind::ClockFace: MakeClock(E, p, false); break;
    case Kind::ClockGlass: MakeClock(E, p, true); break;
  }
}

}  // namespace

std::unique_ptr<TqzSkin> AssembleSkin(const Description& D) {
  const Palette p = DerivePalette(D);
  auto skin = std::make_unique<TqzSkin>(D.name, false, nullptr);
  for (const char* group : kSkinGroups) skin->AddGroup(group);
  AddSkinColors(skin.get(), p);
  for (const Spec& s : Catalogue()) MakeElement(skin->GetGroupByName(s.group)->AddElement(s.name), s, p);
  // These take the window's colour when bound; holding it already, binding changes nothing.
  for (const auto& [group, name] : {std::pair{"Common", "ScrollButton"}, std::pair{"PageControl", "TabButtonHorz"},
                                    std::pair{"PageControl", "TabButtonVert"}})
    skin->GetGroupByName(group)->GetElementByName(name)->SetColor(ToColor(p.window));
  AddProperties(skin.get(), p);
  return skin;
}
