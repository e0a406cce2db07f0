// Part colours of the ribbon skins, the three colour schemes and their registration.
#include "rtl/Exceptions.h"
#include "rtl/SysUtils.h"
#include "toolkit/foundation/qzGDIPlusAPI.h"
#include "toolkit/ribbon/qzRibbonSkins.h"
#include "vcl/Graphics.h"

TAVREN_CLASS_IMPL(TqzBlueRibbonSkin)
TAVREN_CLASS_IMPL(TqzBlackRibbonSkin)
TAVREN_CLASS_IMPL(TqzSilverRibbonSkin)

namespace {

constexpr TColor C(uint32_t Value) { return static_cast<TColor>(Value); }
constexpr TColor kWhite = C(0xFFFFFF), kBlack = C(0x000000);

TColor Rgb(TColor Color) { return static_cast<TColor>(ColorToRGB(Color)); }

// clWindowText / clGrayText / clHighlightText by state 0 / 1 / other.
TColor TextByState(Integer State, TColor Normal) {
  return Rgb(State == 0 ? Normal : State == 1 ? clGrayText : clHighlightText);
}

bool IsOneOf(Integer State, std::initializer_list<Integer> States) {
  for (Integer s : States)
    if (s == State) return true;
  return false;
}

// Part 9 and 10: state 0, state 1, states 2 to 5 and 8; other states have no colour here.
TColor ByFaceState(Integer State, TColor Normal, TColor Disabled, TColor Other, TColor Rest) {
  if (State == 0) return Normal;
  if (State == 1) return Disabled;
  if ((State >= 2 && State <= 5) || State == 8) return Other;
  return Rest;
}

// Part 12: states 0 to 5 from the list, state 8 its own colour.
TColor ByState12(Integer State, const TColor (&List)[6], TColor State8, TColor Rest) {
  if (State >= 0 && State <= 5) return List[State];
  return State == 8 ? State8 : Rest;
}

}  // namespace

// ---- Base skin -------------------------------------------------------------------------------

TColor TqzCustomRibbonSkin::GetLowColorPartColor(Integer Part, Integer State) {
  switch (Part) {
    case 10:
    case 12: return Rgb(State > 1 ? clWhite : clBtnShadow);
    case 10018: return Rgb(clBtnShadow);
    case 19: return C(0xDAD5D2);
    case 20: return C(0xEFE7DE);
    case 41: return C(0xDDBB9E);
    case 64:
    case 362: return TextByState(State, clMenuText);
    case 67:
    case 68: return Rgb(clHighlight);
    case 335:
    case 10133:
    case 10138: return TextByState(State, clWindowText);
    case 10134: return Rgb(clWindowText);
    case 425: return State == 3 ? C(0x85B6CA) : State == 8 ? C(0xCDCDCD) : clDefault;
    case 455: return C(0xEDD3BE);
    case 456: return kWhite;
    case 457: return C(0xCAAF9B);
    case 10066: return C(0xF3E2D5);
    case 10130:
    case 10131: return Rgb(State == 0 ? clCaptionText : clInactiveCaptionText);
    case 10132: return Rgb(State == 0 ? clWindowText : clHighlightText);
    default: return Rgb(clBtnFace);
  }
}

TColor TqzCustomRibbonSkin::GetPartColor(Integer Part, Integer State) {
  if (GetLowColors()) return GetLowColorPartColor(Part, State);
  switch (Part) {
    case 56: return C(0xFAFAFA);
    case 64: return GetPartColor(362, 0);
    case 67: return State == 2 ? C(0x3694F2) : State == 6 ? C(0x1048EF) : State == 7 ? C(0x3695F2) : clDefault;
    case 68: return (State == 2 || State == 6) ? C(0x94E2FF) : State == 7 ? C(0x95E3FF) : clDefault;
    case 335: return IsOneOf(State, {1, 8}) ? C(0x8D8D8D) : GetPartColor(10133, 0);
    case 362: return IsOneOf(State, {1, 8}) ? C(0xA7A7A7) : clDefault;
    case 375: return C(0xF7F7F7);
    case 395: return C(0xEEEAE9);
    case 420: return C(0xBDB6A5);
    case 451: return C(0xF5F5F5);
    default: return clDefault;
  }
}

// ---- Blue ------------------------------------------------------------------------------------

String TqzBlueRibbonSkin::SchemeName() { return "Blue"; }
GpBitmap* TqzBlueRibbonSkin::LoadSchemeImage() { return LoadRibbonAtlas("RIBBONBLUE"); }
GpBitmap* TqzBlueRibbonSkin::LoadFormImage() { return LoadRibbonAtlas("FORMBLUE"); }

void TqzBlueRibbonSkin::DrawTabRowEdge(HDC DC, const TRect& R) {
  FillColor(DC, TRect{R.Left, R.Top, R.Right, R.Bottom - 1}, C(0xEBC3A4));
  FillColor(DC, TRect{R.Left, R.Bottom - 1, R.Right, R.Bottom}, C(0xF3E2D5));
}

TColor TqzBlueRibbonSkin::GetPartColor(Integer Part, Integer State) {
  const TColor base = inherited::GetPartColor(Part, State);
  if (GetLowColors()) return base;
  static constexpr TColor k12[6] = {C(0xDEC1AB), C(0xC6BBB1), C(0x99CEDB), C(0xDEC7AD), C(0x45667B), C(0x6B99A5)};
  switch (Part) {
    case 9: return ByFaceState(State, C(0xFBF2EA), C(0xEFEFEF), kWhite, base);
    case 10: return ByFaceState(State, C(0xDEC1AB), C(0xC6BBB1), C(0xE1C7B3), base);
    case 12: return ByState12(State, k12, C(0xC6BBB1), base);
    case 19: return C(0xDAD5D2);
    case 20: return C(0xEFE7DE);
    case 41: return C(0xDDBB9E);
    case 51: return IsOneOf(State, {2, 3}) ? C(0xFBF3EC) : C(0xF8E6D4);
    case 52: return C(0xEDD0B9);
    case 66: return State == 0 ? C(0x6E1500) : State == 2 ? C(0xFF6600) : clDefault;
    case 362: return IsOneOf(State, {1, 8}) ? base : C(0x6E1500);
    case 425: return State == 3 ? C(0x85B6CA) : State == 8 ? C(0xCDCDCD) : base;
    case 455: return C(0xEDD3BE);
    case 456: return kWhite;
    case 457: return C(0xCAAF9B);
    case 10018: return C(0xEBC3A4);
    case 10065: return C(0xFFDBBF);
    case 10066: return C(0xF3E2D5);
    case 10098: return C(0x805D45);
    case 10099: return C(0xE8C9B1);
    case 10130: return State == 0 ? C(0xAA6A3E) : C(0xA0A0A0);
    case 10131: return State == 0 ? C(0x797069) : C(0xA0A0A0);
    case 10132:
    case 10133: return C(0x8B4215);
    case 10134: return C(0xAA6A3E);
    case 10138: return (State != 0 && State != 2) ? C(0x8D8D8D) : C(0x8B4215);
    default: return base;
  }
}

// ---- Black -----------------------------------------------------------------------------------

String TqzBlackRibbonSkin::SchemeName() { return "Black"; }
GpBitmap* TqzBlackRibbonSkin::LoadSchemeImage() { return LoadRibbonAtlas("RIBBONBLACK"); }
GpBitmap* TqzBlackRibbonSkin::LoadFormImage() { return LoadRibbonAtlas("FORMBLACK"); }

void TqzBlackRibbonSkin::DrawTabRowEdge(HDC DC, const TRect& R) {
  FillColor(DC, TRect{R.Left, R.Top, R.Right, R.Bottom - 1}, C(0x4F4F4F));
  FillColor(DC, TRect{R.Left, R.Bottom - 1, R.Right, R.Bottom}, C(0x626262));
}

TColor TqzBlackRibbonSkin::GetPartColor(Integer Part, Integer State) {
  const TColor base = inherited::GetPartColor(Part, State);
  if (GetLowColors()) return base;
  static constexpr TColor k12[6] = {C(0x898989), C(0xCCCCCC), C(0x99CEDB), C(0xB7B7B7), C(0x45667B), C(0x6B99A5)};
  switch (Part) {
    case 9: return ByFaceState(State, C(0xE8E8E8), C(0xEFEFEF), kWhite, base);
    case 10: return ByFaceState(State, C(0x898989), C(0xCCCCCC), C(0x898989), base);
    case 12: return ByState12(State, k12, C(0xCCCCCC), base);
    case 19: return C(0xDAD5D2);
    case 20: return C(0xEFEBEF);
    case 41: return C(0xA49991);
    case 51: return IsOneOf(State, {2, 3}) ? C(0xF7F7F7) : C(0xE2E2DA);
    case 52: return C(0xACACAC);
    case 66: return State == 0 ? kWhite : State == 2 ? C(0x32D2FF) : clDefault;
    case 362: return IsOneOf(State, {1, 8}) ? base : C(0x464646);
    case 425: return State == 3 ? C(0x85B6CA) : State == 8 ? C(0xCDCDCD) : base;
    case 455: return C(0x504F4F);
    case 456: return C(0x716C6B);
    case 457: return C(0x414243);
    case 10018: return C(0x696969);
    case 10065: return C(0x535353);
    case 10066: return C(0x626262);
    case 10098: return C(0x252525);
    case 10099: return C(0xCCCCCC);
    case 10130: return State == 0 ? C(0xFFD1AE) : C(0xE1E1E1);
    case 10131: return State == 0 ? kWhite : C(0xE1E1E1);
    case 10132: return State == 3 ? kBlack : kWhite;
    case 10133: return C(0x464646);
    case 10134: return kWhite;
    case 10138: return State == 0 ? kWhite : State == 2 ? kBlack : C(0xC2C2C2);
    default: return base;
  }
}

// ---- Silver ----------------------------------------------------------------------------------

String TqzSilverRibbonSkin::SchemeName() { return "Silver"; }
GpBitmap* TqzSilverRibbonSkin::LoadSchemeImage() { return LoadRibbonAtlas("RIBBONSILVER"); }
GpBitmap* TqzSilverRibbonSkin::LoadFormImage() { return LoadRibbonAtlas("FORMSILVER"); }

void TqzSilverRibbonSkin::DrawTabRowEdge(HDC DC, const TRect& R) {
  FillColor(DC, TRect{R.Left, R.Top, R.Right, R.Bottom - 1}, C(0x808080));
  FillColor(DC, TRect{R.Left, R.Bottom - 1, R.Right, R.Bottom}, C(0xDCE1EB));
}

TColor TqzSilverRibbonSkin::GetPartColor(Integer Part, Integer State) {
  const TColor black = inherited::GetPartColor(Part, State);
  if (GetLowColors()) return black;
  switch (Part) {
    case 51: return IsOneOf(State, {2, 3}) ? C(0xF2F1F0) : C(0xECEAE8);
    case 52: return IsOneOf(State, {2, 3}) ? C(0xA4A4A4) : C(0xB8B1A9);
    case 362: return IsOneOf(State, {1, 8}) ? black : C(0x5C534C);
    case 455: return C(0xD8D2CD);
    case 456: return C(0xFAFAFA);
    case 457: return C(0xB4AEA9);
    case 10018: return C(0xB5AEAA);
    case 10065: return C(0xDDD4D0);
    case 10066: return C(0x808080);
    // The size grip's dark dots: a cool dark grey that sits on the silver status bar.
    case 10098: return C(0x6E6A66);
    case 10099: return C(0xD9D0CD);
    case 10130: return State == 0 ? C(0xAA6E35) : C(0x8A8A8A);
    case 10131: return State == 0 ? C(0x6A625C) : C(0x8A8A8A);
    case 10132: return C(0x595453);
    case 10133:
    case 10134: return C(0x5C534C);
    case 10138: return (State != 0 && State != 2) ? C(0x8D8D8D) : C(0x595453);
    default: return black;
  }
}

// ---- Registration ----------------------------------------------------------------------------

namespace {

template <class TSkin>
void RegisterScheme() {
  // A scheme whose atlas cannot be read is left out rather than stopping the start-up; one the
  // manager refuses is freed here.
  std::unique_ptr<TSkin> skin;
  try {
    skin = NewRibbonSkin<TSkin>();
  } catch (const std::exception&) {
    return;
  }
  TqzBarSkinManager* manager = BarSkinManagerInstance();
  if (manager && manager->AddSkin(skin.get()) >= 0) skin.release();
}

void RegisterSchemes() {
  if (!GdiPlusReady()) return;
  RegisterScheme<TqzBlueRibbonSkin>();
  RegisterScheme<TqzBlackRibbonSkin>();
  RegisterScheme<TqzSilverRibbonSkin>();
}

void UnregisterSchemes() {
  TqzBarSkinManager* manager = BarSkinManagerInstance();
  if (!manager) return;
  for (Integer i = manager->GetSkinCount() - 1; i >= 0; --i) {
    TqzCustomBarSkin* skin = manager->GetSkin(i);
    if (dynamic_cast<TqzCustomRibbonSkin*>(skin)) manager->RemoveSkin(skin);
  }
}

}  // namespace

void qzRibbonSkinsStart() { UnitsLoaderInstance()->RegisterUnitProcs(&RegisterSchemes, &UnregisterSchemes); }

void qzRibbonSkinsEnd() { UnitsLoaderInstance()->UnregisterUnitProcs(&UnregisterSchemes); }
