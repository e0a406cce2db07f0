#include "Looks.h"

#include <cmath>

namespace {

// ---- Button faces shared by every scheme -----------------------------------------------------

// Hot: light yellow with an orange-brown frame; pressed: deeper orange; checked: paler.
const FaceLook kHot{0xC9A45C, 0xFFFBE8, 0xFFFDEB, 0xFFF0BE, 0xFFDC70, 0xFFEDA8};
const FaceLook kPressed{0x8F6E3B, 0xE8A55A, 0xF8C68E, 0xF9AE62, 0xF58E22, 0xFBC064, 0.45};
const FaceLook kChecked{0xC29B5E, 0xFFF5DC, 0xFFEDCC, 0xFFDEA8, 0xFFCD78, 0xFFE3A8};
const FaceLook kCheckedHot{0xB8894A, 0xFFEAC2, 0xFFDFAA, 0xFDCB84, 0xFBAC40, 0xFDCC7C};
const FaceLook kDisabledFace{0xC8C8C8, 0xFFFFFF, 0xF8F8F8, 0xF0F0F0, 0xE6E6E6, 0xEFEFEF};

// The face of a button state: 2 and 3 hot, 4 pressed, 5 checked, 6 checked and hot, 7 checked and
// pressed, 8 disabled and checked.
const FaceLook& StateFace(int State) {
  switch (State) {
    case 4: case 7: return kPressed;
    case 5: return kChecked;
    case 6: return kCheckedHot;
    case 8: case 1: return kDisabledFace;
    default: return kHot;
  }
}

// A scheme's resting face: the group colours with the group frame.
FaceLook SchemeFace(const SchemeLook& S) {
  return FaceLook{S.groupsBorder, 0xFFFFFF, MixRgb(S.groupTop, 0xFFFFFF, 0.4), S.groupTop, S.groupBottom,
                  MixRgb(S.groupBottom, S.groupTop, 0.5), 0.6};
}

// A scheme button in a generic state: 0 resting, 1 disabled, otherwise the shared faces.
FaceLook SchemeStateFace(const SchemeLook& S, int State) {
  if (State == 0) return SchemeFace(S);
  if (State == 1) {
    FaceLook f = SchemeFace(S);
    f.frame = MixRgb(S.groupsBorder, 0xFFFFFF, 0.5);
    f.top0 = f.top1 = f.bottom0 = f.bottom1 = MixRgb(S.groupTop, 0xFFFFFF, 0.5);
    return f;
  }
  return StateFace(State);
}

// ---- Pixel glyphs ---------------------------------------------------------------------------

// Rows of '#' (full) and '+' (half-tone) pixels.
void Stamp(cairo_t* cr, double X, double Y, std::initializer_list<const char*> Rows, uint32_t Rgb) {
  int y = 0;
  for (const char* row : Rows) {
    for (int x = 0; row[x]; ++x)
      if (row[x] == '#' || row[x] == '+') PixelRect(cr, X + x, Y + y, 1, 1, Rgb, row[x] == '#' ? 1.0 : 0.45);
    ++y;
  }
}

void CaptionGlyph(cairo_t* cr, TqzRibbonSkinElement Element, const Box& B, uint32_t Rgb) {
  switch (Element) {
    case rseCaptionGlyphMinimize:
      Stamp(cr, B.x, B.y, {"", "", "", "", "", "", " ####### ", " ####### "}, Rgb);
      break;
    case rseCaptionGlyphMaximize:
      Stamp(cr, B.x, B.y, {"", " ####### ", " ####### ", " #     # ", " #     # ", " #     # ", " #     # ", " ####### "},
            Rgb);
      break;
    case rseCaptionGlyphRestore:
      Stamp(cr, B.x, B.y,
            {"   ######", "   ######", "   #    #", " ###### #", " ###### #", " #    ###", " #    #  ", " ######  "}, Rgb);
      break;
    case rseCaptionGlyphClose:
      Stamp(cr, B.x, B.y,
            {"", " ##   ## ", " +## ##+ ", "  +###+  ", "   ###   ", "  +###+  ", " +## ##+ ", " ##   ## "}, Rgb);
      break;
    default:  // help
      Stamp(cr, B.x, B.y, {"  +###+  ", " ##   ## ", "      ## ", "    ##+  ", "   ##    ", "   ##    ", "         ", "   ##    "},
            Rgb);
      break;
  }
}

// A 1-pixel column that fades out at both ends.
void FadingColumn(cairo_t* cr, double X, double Y, double H, uint32_t Rgb, double Fade = 0.2) {
  const double r = ((Rgb >> 16) & 255) / 255.0, g = ((Rgb >> 8) & 255) / 255.0, b = (Rgb & 255) / 255.0;
  cairo_pattern_t* p = cairo_pattern_create_linear(0, Y, 0, Y + H);
  cairo_pattern_add_color_stop_rgba(p, 0, r, g, b, 0);
  cairo_pattern_add_color_stop_rgba(p, Fade, r, g, b, 1);
  cairo_pattern_add_color_stop_rgba(p, 1 - Fade, r, g, b, 1);
  cairo_pattern_add_color_stop_rgba(p, 1, r, g, b, 0);
  cairo_rectangle(cr, X, Y, 1, H);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

// ---- Form pieces ----------------------------------------------------------------------------

void Caption(cairo_t* cr, const SchemeLook& S, bool Inactive, const Box& B) {
  const uint32_t top = Inactive ? S.captionInactiveTop : S.captionTop;
  const uint32_t bottom = Inactive ? S.captionInactiveBottom : S.captionBottom;
  RoundedPath(cr, B, 5, kTopLeft | kTopRight);
  FillGradient(cr, B, {{0, MixRgb(top, 0xFFFFFF, 0.35)}, {0.35, top}, {0.8, bottom}, {1, bottom}});
  // Outer edge, a soft inner highlight and the line under the caption.
  Outline(cr, B, 5, S.captionEdge, Inactive ? 0.6 : 1.0, kTopLeft | kTopRight);
  Outline(cr, Box{B.x + 1, B.y + 1, B.w - 2, B.h + 4}, 4, 0xFFFFFF, 0.35, kTopLeft | kTopRight);
  PixelRect(cr, B.x, B.y + B.h - 1, B.w, 1, S.captionEdge, Inactive ? 0.6 : 0.9);
}

void SideBorder(cairo_t* cr, const SchemeLook& S, bool Inactive, bool Left, const Box& B) {
  const uint32_t body = Inactive ? S.captionInactiveBottom : S.captionBottom;
  FillBox(cr, B, body);
  PixelRect(cr, Left ? B.x : B.x + B.w - 1, B.y, 1, B.h, S.captionEdge, Inactive ? 0.6 : 1.0);
  PixelRect(cr, Left ? B.x + 1 : B.x + B.w - 2, B.y, 1, B.h, 0xFFFFFF, 0.3);
  PixelRect(cr, Left ? B.x + B.w - 1 : B.x, B.y, 1, B.h, S.frame, 0.8);
}

void BottomBorder(cairo_t* cr, const SchemeLook& S, bool Inactive, bool Alternate, const Box& B) {
  const uint32_t body = Alternate ? S.statusBottom : (Inactive ? S.captionInactiveBottom : S.captionBottom);
  FillBox(cr, B, body);
  PixelRect(cr, B.x, B.y + B.h - 1, B.w, 1, S.captionEdge, Inactive ? 0.6 : 1.0);
  PixelRect(cr, B.x, B.y, B.w, 1, Alternate ? S.statusLine : S.frame, 0.8);
  PixelRect(cr, B.x, B.y, 1, B.h, S.captionEdge, Inactive ? 0.6 : 1.0);
  PixelRect(cr, B.x + B.w - 1, B.y, 1, B.h, S.captionEdge, Inactive ? 0.6 : 1.0);
}

// The quick access toolbar in the caption: a soft translucent band with a rounded right end;
// beside the application button it runs on under the orb, which is drawn over it.
void QuickAccessPiece(cairo_t* cr, const SchemeLook& S, TqzRibbonSkinElement Element, bool Inactive, const Box& B) {
  const Box band{B.x, B.y + 3, B.w, B.h - 6};
  cairo_save(cr);
  cairo_rectangle(cr, B.x, B.y, B.w, B.h);
  cairo_clip(cr);
  // Every piece is a window onto one long band, so that the pieces meet without a seam.
  const Box whole{Element == rseQuickAccessBody ? band.x - 40 : band.x, band.y,
                  Element == rseQuickAccessBody ? band.w + 40 : band.w + 40, band.h};
  if (Element == rseQuickAccessBody)
    RoundedPath(cr, whole, band.h / 2, kTopRight | kBottomRight);
  else if (Element == rseQuickAccessLeft)
    RoundedPath(cr, whole, 4, kTopLeft | kBottomLeft);
  else
    cairo_rectangle(cr, whole.x - 1, whole.y, whole.w + 1, whole.h);
  cairo_path_t* path = cairo_copy_path(cr);
  FillGradient(cr, band, {{0, 0xFFFFFF}, {0.45, MixRgb(0xFFFFFF, S.captionTop, 0.5)}, {1, S.captionBottom}},
               Inactive ? 0.3 : 0.55);
  cairo_new_path(cr);
  cairo_append_path(cr, path);
  cairo_path_destroy(path);
  SetColor(cr, S.captionEdge, Inactive ? 0.35 : 0.65);
  cairo_set_line_width(cr, 1);
  cairo_translate(cr, 0.5, 0.5);
  cairo_stroke(cr);
  cairo_restore(cr);
}

// The round application button: a glossy orb with a play mark.
void Orb(cairo_t* cr, int State, const Box& B) {
  const double cx = B.x + B.w / 2, cy = B.y + B.h / 2, r = B.w / 2 - 1;
  const uint32_t rim = State == 2 ? 0x7A4A12 : 0x8A5A1E;
  const uint32_t light = State == 0 ? 0xFFD98A : State == 1 ? 0xFFE7A8 : 0xF8B860;
  const uint32_t deep = State == 0 ? 0xE07A10 : State == 1 ? 0xF08C1E : 0xC8600A;
  // Shadow ring, body, rim.
  cairo_arc(cr, cx, cy + 0.5, r + 0.5, 0, 2 * M_PI);
  SetColor(cr, 0x000000, 0.18);
  cairo_fill(cr);
  cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy + r * 0.55, r * 0.1, cx, cy, r);
  cairo_pattern_add_color_stop_rgb(g, 0, ((light >> 16) & 255) / 255.0, ((light >> 8) & 255) / 255.0, (light & 255) / 255.0);
  cairo_pattern_add_color_stop_rgb(g, 1, ((deep >> 16) & 255) / 255.0, ((deep >> 8) & 255) / 255.0, (deep & 255) / 255.0);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  SetColor(cr, rim);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  // Gloss over the upper half.
  cairo_save(cr);
  cairo_arc(cr, cx, cy, r - 1.5, 0, 2 * M_PI);
  cairo_clip(cr);
  cairo_scale(cr, 1, 1);
  cairo_arc(cr, cx, cy - r * 0.55, r * 0.85, 0, 2 * M_PI);
  FillGradient(cr, Box{cx - r, cy - r, 2 * r, r}, {{0, 0xFFFFFF}, {1, 0xFFFFFF}}, State == 2 ? 0.25 : 0.45);
  cairo_restore(cr);
  // The mark: a white play triangle with a soft shadow.
  for (int pass = 0; pass < 2; ++pass) {
    const double o = pass == 0 ? 1 : 0;
    cairo_move_to(cr, cx - 5 + o, cy - 8 + o);
    cairo_line_to(cr, cx + 8 + o, cy + o);
    cairo_line_to(cr, cx - 5 + o, cy + 8 + o);
    cairo_close_path(cr);
    SetColor(cr, pass == 0 ? 0x6A3A08 : 0xFFFFFF, pass == 0 ? 0.45 : 0.95);
    cairo_fill(cr);
  }
}

// ---- Common pieces --------------------------------------------------------------------------

void GlassPiece(cairo_t* cr, TqzRibbonSkinElement Element, const Box& B) {
  const Box band{B.x, B.y + 2, B.w, B.h - 4};
  cairo_save(cr);
  cairo_rectangle(cr, B.x, B.y, B.w, B.h);
  cairo_clip(cr);
  if (Element == rseQuickAccessGlassBody)
    RoundedPath(cr, Box{band.x - 20, band.y, band.w + 20, band.h}, band.h / 2, kTopRight | kBottomRight);
  else if (Element == rseQuickAccessGlassLeft)
    RoundedPath(cr, Box{band.x, band.y, band.w + 20, band.h}, 3, kTopLeft | kBottomLeft);
  else
    cairo_rectangle(cr, band.x, band.y, band.w + 20, band.h);
  cairo_path_t* path = cairo_copy_path(cr);
  FillGradient(cr, band, {{0, 0xFFFFFF}, {1, 0xDDE6F0}}, 0.35);
  cairo_append_path(cr, path);
  cairo_path_destroy(path);
  SetColor(cr, 0xFFFFFF, 0.55);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void GreenBar(cairo_t* cr, const Box& B, double Radius) {
  RoundedPath(cr, B, Radius);
  FillGradient(cr, B, {{0, 0xC9F2B0}, {0.45, 0x7CD14E}, {0.5, 0x4FB52A}, {1, 0x7AD356}});
  Outline(cr, B, Radius, 0x3C8A1E, 0.9);
  PixelRect(cr, B.x + 1, B.y + 1, B.w - 2, 1, 0xFFFFFF, 0.45);
}

void HelpGlyph(cairo_t* cr, const Box& B) {
  const double cx = B.x + 8, cy = B.y + 8;
  cairo_arc(cr, cx, cy, 7, 0, 2 * M_PI);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, B.y, 0, B.y + 16);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.45, 0.68, 0.95);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.10, 0.36, 0.75);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  SetColor(cr, 0x1B4F96);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // The question mark as strokes: a hook and a dot.
  cairo_set_line_width(cr, 1.8);
  cairo_arc(cr, cx, cy - 2, 2.6, M_PI * 1.05, M_PI * 2.35);
  cairo_line_to(cr, cx, cy + 1.5);
  SetColor(cr, 0xFFFFFF);
  cairo_stroke(cr);
  cairo_arc(cr, cx, cy + 4.3, 1.1, 0, 2 * M_PI);
  cairo_fill(cr);
}

void DrawCommon(cairo_t* cr, TqzRibbonSkinElement Element, int State, const Box& B) {
  switch (Element) {
    case rseQuickAccessGlassBesideButton:
    case rseQuickAccessGlassLeft:
    case rseQuickAccessGlassBody: GlassPiece(cr, Element, B); break;
    case rseSmallButton:
    case rseLargeButton:
    case rseMenuScrollButton: GlossyFace(cr, B, StateFace(State), B.w < 10 ? 1.5 : 3); break;
    case rseGroupCaptionButton: GlossyFace(cr, B, StateFace(State), 2); break;
    case rseSplitButtonMain: GlossyFace(cr, B, StateFace(State), 3, kTopLeft | kBottomLeft); break;
    case rseSplitButtonArrow: GlossyFace(cr, B, StateFace(State), 3, kTopRight | kBottomRight); break;
    case rseLargeSplitButtonTop: GlossyFace(cr, B, StateFace(State), 3, kTopLeft | kTopRight); break;
    case rseLargeSplitButtonBottom: GlossyFace(cr, B, StateFace(State), 3, kBottomLeft | kBottomRight); break;
    case rseDetachCaption:
      if (State == 0) {
        FillBox(cr, B, 0xE9ECEE);
        Outline(cr, B, 0, 0xC5C8CC);
      } else {
        GlossyFace(cr, B, kHot, 1);
      }
      break;
    case rseMenuGlyphFrame:
    case rseMenuGlyphFrameLarge:
      RoundedPath(cr, B, 2);
      FillGradient(cr, B, State == 0 ? std::initializer_list<std::pair<double, uint32_t>>{{0, 0xFFEFC6}, {1, 0xFDD992}}
                                     : std::initializer_list<std::pair<double, uint32_t>>{{0, 0xF2F2F2}, {1, 0xE3E3E3}});
      Outline(cr, B, 2, State == 0 ? 0xE0A040 : 0xBDBDBD);
      // The large frame stands alone for a checked entry without a picture: it carries the tick.
      if (Element == rseMenuGlyphFrameLarge) {
        cairo_move_to(cr, B.x + B.w * 0.28, B.y + B.h * 0.52);
        cairo_line_to(cr, B.x + B.w * 0.43, B.y + B.h * 0.68);
        cairo_line_to(cr, B.x + B.w * 0.73, B.y + B.h * 0.32);
        SetColor(cr, State == 0 ? 0x1E3A66 : 0x8D8D8D);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
      }
      break;
    case rseInPlaceSubItemFace:
      FillBox(cr, B, 0xEEF1F5);
      PixelRect(cr, B.x, B.y, 1, B.h, 0xC5CDD8);
      PixelRect(cr, B.x, B.y, B.w, 1, 0xF9FAFB);
      PixelRect(cr, B.x, B.y + B.h - 1, B.w, 1, 0xDDE2E8);
      break;
    case rseMenuTextArea:
      FillBox(cr, B, 0xFAFAFA);
      PixelRect(cr, B.x + B.w - 1, B.y, 1, B.h, 0xE3E5E8);
      PixelRect(cr, B.x, B.y, B.w, 1, 0xFFFFFF);
      PixelRect(cr, B.x, B.y + B.h - 1, B.w, 1, 0xEDEEF0);
      break;
    case rseMenuSeparatorLine:
      PixelRect(cr, B.x, B.y, B.w, 1, 0xC5C5C5);
      PixelRect(cr, B.x, B.y + 1, B.w, 1, 0xFFFFFF);
      break;
    case rseMenuGlyphStrip:
      PixelRect(cr, B.x, B.y, 1, B.h, 0xE2E3E3);
      PixelRect(cr, B.x + 1, B.y, 1, B.h, 0xFFFFFF);
      break;
    case rseMenuBorder:
      RoundedPath(cr, B, 2);
      SetColor(cr, 0xFAFAFA);
      cairo_fill(cr);
      Outline(cr, B, 2, 0x868686);
      break;
    case rseBarPart100:
      RoundedPath(cr, B, 2);
      FillGradient(cr, B, {{0, 0xFFFFFF}, {1, 0xE9ECF0}});
      Outline(cr, B, 2, 0xB9BEC6);
      break;
    case rseProgressFill: GreenBar(cr, B, 2); break;
    case rseProgressChunk: GreenBar(cr, Box{B.x, B.y, B.w, B.h}, 1); break;
    case rseHelpGlyph: HelpGlyph(cr, B); break;
    default: break;
  }
}

// ---- Scheme pieces --------------------------------------------------------------------------

void Tab(cairo_t* cr, const SchemeLook& S, int State, const Box& B) {
  if (State == 0) return;  // a resting tab is the tab row itself
  const Box shape{B.x, B.y, B.w, B.h + 4};  // open at the bottom
  cairo_save(cr);
  cairo_rectangle(cr, B.x, B.y, B.w, B.h);
  cairo_clip(cr);
  if (State == 1) {
    RoundedPath(cr, shape, 3, kTopLeft | kTopRight);
    FillGradient(cr, B, {{0, 0xFFFFFF}, {1, S.tabTop}}, 0.35);
    Outline(cr, shape, 3, S.tabBorder, 0.55, kTopLeft | kTopRight);
  } else {
    RoundedPath(cr, shape, 3, kTopLeft | kTopRight);
    FillGradient(cr, B, {{0, S.tabTop}, {1, S.tabBottom}});
    if (State == 3 || State == 4) {
      // Hot or focused while selected: a warm glow along the top.
      RoundedPath(cr, shape, 3, kTopLeft | kTopRight);
      FillGradient(cr, Box{B.x, B.y, B.w, 8}, {{0, S.hotGlow}, {1, S.tabTop}}, State == 3 ? 0.9 : 0.6);
    }
    Outline(cr, shape, 3, State == 4 ? MixRgb(S.tabBorder, 0xC9A45C, 0.6) : S.tabBorder, 1.0, kTopLeft | kTopRight);
    Outline(cr, Box{B.x + 1, B.y + 1, B.w - 2, B.h + 4}, 2, 0xFFFFFF, 0.7, kTopLeft | kTopRight);
  }
  cairo_restore(cr);
}

void GroupBody(cairo_t* cr, const SchemeLook& S, bool Hot, const Box& B) {
  const Box shape{B.x, B.y, B.w, B.h + 4};
  cairo_save(cr);
  cairo_rectangle(cr, B.x, B.y, B.w, B.h);
  cairo_clip(cr);
  RoundedPath(cr, shape, 3, kTopLeft | kTopRight);
  const uint32_t top = Hot ? MixRgb(S.groupTop, 0xFFFFFF, 0.6) : S.groupTop;
  const uint32_t bottom = Hot ? MixRgb(S.groupBottom, 0xFFFFFF, 0.45) : S.groupBottom;
  FillGradient(cr, B, {{0, top}, {1, bottom}});
  Outline(cr, shape, 3, S.groupFrame, 1.0, kTopLeft | kTopRight);
  Outline(cr, Box{B.x + 1, B.y + 1, B.w - 2, B.h + 4}, 2, 0xFFFFFF, 0.6, kTopLeft | kTopRight);
  cairo_restore(cr);
}

void CaptionBand(cairo_t* cr, const SchemeLook& S, bool Hot, const Box& B) {
  const Box shape{B.x, B.y - 4, B.w, B.h + 4};
  cairo_save(cr);
  cairo_rectangle(cr, B.x, B.y, B.w, B.h);
  cairo_clip(cr);
  RoundedPath(cr, shape, 3, kBottomLeft | kBottomRight);
  FillGradient(cr, B, {{0, Hot ? MixRgb(S.bandTop, 0xFFFFFF, 0.35) : S.bandTop},
                       {1, Hot ? MixRgb(S.bandBottom, 0xFFFFFF, 0.3) : S.bandBottom}});
  Outline(cr, shape, 3, S.groupFrame, 1.0, kBottomLeft | kBottomRight);
  Outline(cr, Box{B.x + 1, B.y - 4, B.w - 2, B.h + 3}, 2, 0xFFFFFF, 0.35, kBottomLeft | kBottomRight);
  cairo_restore(cr);
}

void GroupsArea(cairo_t* cr, const SchemeLook& S, const Box& B) {
  RoundedPath(cr, B, 3);
  FillGradient(cr, B, {{0, MixRgb(S.groupsTop, 0xFFFFFF, 0.4)}, {0.2, S.groupsTop}, {0.85, S.groupsBottom},
                       {1, MixRgb(S.groupsBottom, S.groupsBorder, 0.25)}});
  Outline(cr, B, 3, S.groupsBorder);
  Outline(cr, Box{B.x + 1, B.y + 1, B.w - 2, B.h - 2}, 2, 0xFFFFFF, 0.5);
}

void Panel(cairo_t* cr, const Box& B, uint32_t Top, uint32_t Bottom, uint32_t Border, double Radius) {
  RoundedPath(cr, B, Radius);
  FillGradient(cr, B, {{0, Top}, {1, Bottom}});
  Outline(cr, B, Radius, Border);
}

uint32_t ArrowColor(const SchemeLook& S, int Copy) {
  return Copy == 1 ? 0xA0A0A0 : Copy == 2 ? MixRgb(S.arrow, 0x000000, 0.4) : S.arrow;
}

void StatusPart(cairo_t* cr, const SchemeLook& S, int State, const Box& B) {
  if (State == 0) {
    FillGradient(cr, B, {{0, S.statusLight}, {0.1, S.statusTop}, {1, S.statusBottom}});
    PixelRect(cr, B.x, B.y, B.w, 1, S.statusLine);
    return;
  }
  const FaceLook& f = State == 1 ? kHot : State == 2 ? kPressed : kChecked;
  FillGradient(cr, Box{B.x, B.y, B.w, B.h}, {{0, f.top0}, {0.45, f.top1}, {0.5, f.bottom0}, {1, f.bottom1}});
  PixelRect(cr, B.x, B.y, B.w, 1, f.frame);
  PixelRect(cr, B.x, B.y + B.h - 1, B.w, 1, f.frame);
}

void StatusBackground(cairo_t* cr, const SchemeLook& S, const Box& B, bool Panel) {
  const uint32_t top = Panel ? MixRgb(S.statusTop, 0xFFFFFF, 0.35) : S.statusTop;
  const uint32_t bottom = Panel ? MixRgb(S.statusBottom, 0xFFFFFF, 0.3) : S.statusBottom;
  FillGradient(cr, B, {{0, top}, {1, bottom}});
  PixelRect(cr, B.x, B.y, B.w, 1, S.statusLine);
  PixelRect(cr, B.x, B.y + 1, B.w, 1, S.statusLight, 0.7);
}

void GalleryButton(cairo_t* cr, const SchemeLook& S, int Kind, int State, const Box& B) {
  GlossyFace(cr, B, SchemeStateFace(S, State), 2);
  const uint32_t c = State == 1 ? 0xA0A0A0 : S.arrow;
  const Box inner{B.x, B.y + 1, B.w, B.h - 2};
  if (Kind == 0) UpTriangle(cr, inner, 7, c);
  if (Kind == 1) DownTriangle(cr, inner, 7, c);
  if (Kind == 2) {
    PixelRect(cr, B.x + 4, B.y + 6, 7, 1, c);
    DownTriangle(cr, Box{inner.x, inner.y + 3, inner.w, inner.h}, 7, c);
  }
}

void DrawScheme(cairo_t* cr, const SchemeLook& S, TqzRibbonSkinElement Element, int State, const Box& B) {
  switch (Element) {
    case rseTab: Tab(cr, S, State, B); break;
    case rseTabSeparator: FadingColumn(cr, B.x, B.y, B.h, S.groupsBorder, 0.35); break;
    case rseTabScrollButton:
    case rseGroupScrollButton: {
      const int look = State % 3;
      GlossyFace(cr, B, look == 0 ? SchemeFace(S) : look == 1 ? kHot : kPressed, 3);
      break;
    }
    case rseTabGroupsPopup: GroupsArea(cr, S, B); break;
    case rseGroupBackground: GroupBody(cr, S, State == 2, B); break;
    case rseGroupCaptionBand: CaptionBand(cr, S, State == 2, B); break;
    case rseQuickAccessMark: {
      const uint32_t c = State == 4 ? MixRgb(S.glyph, 0x000000, 0.3) : S.glyph;
      Stamp(cr, B.x, B.y, {"", " ##### ", "", " ##### ", "  ###  ", "   #   "}, c);
      break;
    }
    case rseQuickAccessMarkMore: {
      const uint32_t c = State == 4 ? MixRgb(S.glyph, 0x000000, 0.3) : S.glyph;
      Stamp(cr, B.x, B.y, {"", "#  #   ", " #  #  ", "  #  # ", " #  #  ", "#  #   "}, c);
      break;
    }
    case rseCollapsedGroupButton:
      if (State == 0) {
        GroupBody(cr, S, false, Box{B.x, B.y, B.w, B.h - 17});
        CaptionBand(cr, S, false, Box{B.x, B.y + B.h - 17, B.w, 17});
      } else {
        GlossyFace(cr, B, StateFace(State == 3 ? 5 : State), 3);
      }
      break;
    case rseCollapsedGroupGlyphFrame: {
      const FaceLook f = State == 0 ? SchemeFace(S) : StateFace(State == 3 ? 5 : State);
      RoundedPath(cr, B, 3);
      FillGradient(cr, B, {{0, 0xFFFFFF}, {1, f.bottom1}}, 0.85);
      Outline(cr, B, 3, f.frame);
      break;
    }
    case rseSmallDropArrow: {
      const int copy = State == 1 ? 1 : (State >= 2 && State <= 5) ? 2 : State == 8 ? 1 : 0;
      Stamp(cr, B.x, B.y, {"#####", " ### ", "  #  "}, ArrowColor(S, copy));
      break;
    }
    case rseEditButton:
      if (State == 0) {
        FillGradient(cr, B, {{0, 0xFFFFFF}, {1, MixRgb(S.groupTop, 0xFFFFFF, 0.3)}});
        PixelRect(cr, B.x, B.y, 1, B.h, S.groupsBorder, 0.7);
      } else {
        GlossyFace(cr, B, SchemeStateFace(S, State), 2);
      }
      DownTriangle(cr, B, 5, State == 1 ? 0xA0A0A0 : S.arrow);
      break;
    case rseDownArrowGlyph: Stamp(cr, B.x, B.y, {"#######", " ##### ", "  ###  ", "   #   "}, S.arrow); break;
    case rseRightArrowGlyph: Stamp(cr, B.x, B.y, {"#   ", "##  ", "### ", "####", "### ", "##  ", "#   "}, S.arrow); break;
    case rseArrowGlyph: Stamp(cr, B.x, B.y, {"#####", " ### ", "  #  "}, S.arrow); break;
    case rseApplicationMenuButton: GlossyFace(cr, B, SchemeFace(S), 2); break;
    case rseGroupSeparator:
      FadingColumn(cr, B.x + 1, B.y, B.h, S.groupFrame, 0.25);
      FadingColumn(cr, B.x + 2, B.y, B.h, 0xFFFFFF, 0.25);
      break;
    case rseSplitSeparatorStart:
      FadingColumn(cr, B.x, B.y, B.h, 0xFFF6D8, 0.12);
      FadingColumn(cr, B.x + 1, B.y, B.h, 0xC9A45C, 0.12);
      break;
    case rseSplitSeparatorEnd:
      FadingColumn(cr, B.x, B.y, B.h, 0xC9A45C, 0.12);
      FadingColumn(cr, B.x + 1, B.y, B.h, 0xFFF6D8, 0.12);
      break;
    case rseSplitSeparatorMiddle:
      FadingColumn(cr, B.x, B.y, B.h, State == 1 ? 0xC8C8C8 : State == 8 ? 0x8F6E3B : 0xC9A45C, 0.12);
      break;
    case rseSplitSeparatorHot:
      FadingColumn(cr, B.x, B.y, B.h, State == 4 || State == 8 ? 0x8F6E3B : State == 1 ? 0xC8C8C8 : 0xC9A45C, 0.12);
      FadingColumn(cr, B.x + 1, B.y, B.h, 0xFFFFFF, 0.12);
      break;
    case rseGroupCaptionGlyph: {
      const uint32_t c = State == 1 ? 0xA8A8A8 : S.groupCaptionText;
      Stamp(cr, B.x, B.y,
            {"", "", " ######    ", " #         ", " #         ", " #   #  #  ", " #    # #  ", " #     ##  ",
             " #   ####  ", "           ", "           "},
            c);
      break;
    }
    case rseApplicationMenuBorder:
      RoundedPath(cr, B, 3);
      SetColor(cr, S.menuBand);
      cairo_fill(cr);
      Outline(cr, B, 3, S.menuBorder);
      Outline(cr, Box{B.x + 1, B.y + 1, B.w - 2, B.h - 2}, 2, 0xFFFFFF, 0.5);
      break;
    case rseApplicationMenuTopBand:
      FillGradient(cr, B, {{0, MixRgb(S.menuBand, 0xFFFFFF, 0.5)}, {1, S.menuBand}});
      break;
    case rseApplicationMenuBottomBand:
      FillGradient(cr, B, {{0, S.menuBand}, {1, MixRgb(S.menuBand, S.menuBorder, 0.35)}});
      PixelRect(cr, B.x, B.y, B.w, 1, S.menuBorder, 0.6);
      break;
    case rseExpandChevrons:
      Stamp(cr, B.x, B.y,
            {"", "", "", "    #     #     ", "     #   #      ", "      # #       ", "       #        ", "",
             "    #     #     ", "     #   #      ", "      # #       ", "       #        "},
            S.arrow);
      break;
    case rseMenuScrollButton: Panel(cr, B, 0xFFFFFF, MixRgb(S.groupTop, 0xFFFFFF, 0.2), S.groupsBorder, 1.5); break;
    case rseProgressBackground:
      Panel(cr, B, MixRgb(S.groupBottom, 0xFFFFFF, 0.2), 0xFFFFFF, S.groupsBorder, 2);
      break;
    case rseScreenTipBackground: Panel(cr, B, S.tipTop, S.tipBottom, S.tipBorder, 2); break;
    case rseQuickAccessBelow: Panel(cr, B, S.groupsTop, S.groupsBottom, S.groupsBorder, 3); break;
    case rseQuickAccessPopupBackground: Panel(cr, B, S.groupsTop, S.groupsBottom, S.groupsBorder, 2); break;
    case rseFormBorderButton:
    case rseFormBorderButtonAlt: {
      if (State == 0 || State == 1) {
        // Resting: a faint glass button; disabled: fainter still.
        const double strength = State == 0 ? 1.0 : 0.45;
        RoundedPath(cr, B, 3);
        FillGradient(cr, B, {{0, 0xFFFFFF}, {1, 0xFFFFFF}}, (Element == rseFormBorderButton ? 0.12 : 0.2) * strength);
        Outline(cr, B, 3, S.captionEdge, 0.3 * strength);
      } else {
        GlossyFace(cr, B, SchemeStateFace(S, State), 3);
      }
      break;
    }
    case rseStatusBarBackground: StatusBackground(cr, S, B, false); break;
    case rseStatusBarPanel: StatusBackground(cr, S, B, true); break;
    case rseStatusBarSeparator:
    case rseStatusBarGrip:
      StatusBackground(cr, S, B, false);
      FadingColumn(cr, B.x, B.y + 2, B.h - 4, S.statusLine, 0.15);
      FadingColumn(cr, B.x + 1, B.y + 2, B.h - 4, S.statusLight, 0.15);
      break;
    case rseStatusBarSeparator2:
      StatusBackground(cr, S, B, true);
      FadingColumn(cr, B.x, B.y + 2, B.h - 4, S.statusLine, 0.15);
      FadingColumn(cr, B.x + 1, B.y + 2, B.h - 4, S.statusLight, 0.15);
      break;
    case rseStatusBarPart:
    case rseStatusBarPartAlt: StatusPart(cr, S, State, B); break;
    case rseBarPart53: GalleryButton(cr, S, 0, State, B); break;
    case rseBarPart54: GalleryButton(cr, S, 1, State, B); break;
    case rseBarPart55: GalleryButton(cr, S, 2, State, B); break;
    case rseBarPart65: Panel(cr, B, 0xFFFFFF, MixRgb(S.groupTop, 0xFFFFFF, 0.5), S.groupsBorder, 1); break;
    case rseBarPart63: FillGradient(cr, B, {{0, S.groupTop}, {1, S.groupBottom}}); break;
    case rseBarPart57:
    case rseBarPart58: Panel(cr, B, 0xFFFFFF, S.groupTop, S.groupsBorder, 1); break;
    case rseBarPart59: Stamp(cr, B.x, B.y, {"", "", "#######", " ##### ", "  ###  ", "   #   "}, S.arrow); break;
    case rseBarPart60: Stamp(cr, B.x, B.y, {"", "#######", "", "#######", " ##### ", "  ###  ", "   #   "}, S.arrow); break;
    case rseBarPart61:
      for (int x = 1; x < 18; x += 4) {
        PixelRect(cr, B.x + x + 1, B.y + 3, 2, 2, 0xFFFFFF);
        PixelRect(cr, B.x + x, B.y + 2, 2, 2, S.groupsBorder);
      }
      break;
    default: break;
  }
}

void DrawForm(cairo_t* cr, const SchemeLook& S, TqzRibbonSkinElement Element, int State, const Box& B) {
  const bool inactive = State == 1;
  switch (Element) {
    case rseFormCaption: Caption(cr, S, inactive, B); break;
    case rseFormBorderLeftLower: SideBorder(cr, S, inactive, true, B); break;
    case rseFormBorderRightLower: SideBorder(cr, S, inactive, false, B); break;
    case rseFormBottomLine: FillBox(cr, B, S.captionEdge, inactive ? 0.6 : 1.0); break;
    case rseFormBorderBottom: BottomBorder(cr, S, inactive, false, B); break;
    case rseFormBorderBottomAlt: BottomBorder(cr, S, inactive, true, B); break;
    case rseCaptionGlyphMinimize:
    case rseCaptionGlyphMaximize:
    case rseCaptionGlyphRestore:
    case rseCaptionGlyphClose:
    case rseCaptionGlyphHelp: {
      // Normal, hot, pressed, inactive.
      const uint32_t c = State == 3 ? S.glyphInactive : State == 2 ? MixRgb(S.glyph, 0x000000, 0.25) : S.glyph;
      if (State == 1 || State == 2) CaptionGlyph(cr, Element, Box{B.x + 1, B.y + 1, B.w, B.h}, 0xFFFFFF);
      CaptionGlyph(cr, Element, B, State == 1 || State == 2 ? MixRgb(c, 0x000000, 0.35) : c);
      break;
    }
    case rseCaptionButtonBackground: GlossyFace(cr, B, State == 0 ? kHot : State == 1 ? kPressed : kCheckedHot, 3); break;
    case rseQuickAccessLeftBesideButton:
    case rseQuickAccessLeft:
    case rseQuickAccessBody: QuickAccessPiece(cr, S, Element, inactive, B); break;
    case rseApplicationButton: Orb(cr, State, B); break;
    // These lie inside the caption picture and share its pixels.
    case rseFormCaptionNarrow:
    case rseFormBorderLeft:
    case rseFormBorderRight:
    case rseQuickAccessAboveBackground:
    default: break;
  }
}

}  // namespace

void DrawElement(cairo_t* cr, const SchemeLook* Scheme, TqzRibbonSkinElement Element, int State, const Box& B) {
  cairo_save(cr);
  cairo_rectangle(cr, B.x, B.y, B.w, B.h);
  cairo_clip(cr);
  // Pieces that overlap an earlier one replace its pixels rather than blend over them, so the two
  // agree where they meet; those that are only a window onto the caption keep its pixels.
  const bool window = Element == rseFormCaptionNarrow || Element == rseFormBorderLeft ||
                      Element == rseFormBorderRight || Element == rseQuickAccessAboveBackground;
  if (!window) {
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  }
  cairo_new_path(cr);
  if (!Scheme)
    DrawCommon(cr, Element, State, B);
  else if (Element <= rseApplicationButton)
    DrawForm(cr, *Scheme, Element, State, B);
  else
    DrawScheme(cr, *Scheme, Element, State, B);
  cairo_restore(cr);
}
