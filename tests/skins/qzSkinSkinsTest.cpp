// The built-in skins: their streams, their registration by name, and how they look.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "SkinsTestSupport.h"
#include "gdi/ImageFiles.h"
#include "rtl/Resources.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "toolkit/skins/SkinsUnits.h"
#include "toolkit/skins/qzSkinInfo.h"
#include "toolkit/skins/qzSkinSkins.h"
#include "toolkit/skins/qzSkinsDefaultPainters.h"

namespace {

// The stream names of the 21 skins, the user skin last.
std::vector<String> StreamNames() {
  std::vector<String> names;
  for (Integer n = 1; n <= kqzBuiltInSkinCount; ++n) names.push_back(BuiltInSkinName(n));
  names.push_back("DefaultUserSkinData");
  return names;
}

std::vector<String> RegisteredNames() {
  std::vector<String> names;
  TkvExtendedStylePainters* registry = ExtendedStylePaintersInstance();
  for (Integer i = 0; i < registry->GetCount(); ++i) names.push_back(registry->PainterNameAt(i));
  return names;
}

TqzSkinLookAndFeelPainterInfo* InfoOf(const String& Name) {
  TkvCustomLookAndFeelPainterClass painter = nullptr;
  if (!ExtendedStylePaintersInstance()->LookupPainter(Name, painter)) return nullptr;
  return static_cast<TqzSkinLookAndFeelPainter*>(painter)->PainterInfo();
}

struct Lab {
  double l, a, b;
};

double Linear(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }

double Luminance(COLORREF c) {
  return 0.2126 * Linear(GetRValue(c) / 255.0) + 0.7152 * Linear(GetGValue(c) / 255.0) +
         0.0722 * Linear(GetBValue(c) / 255.0);
}

double ContrastOf(COLORREF A, COLORREF B) {
  double a = Luminance(A), b = Luminance(B);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

Lab ToLab(COLORREF c) {
  double r = Linear(GetRValue(c) / 255.0), g = Linear(GetGValue(c) / 255.0), b = Linear(GetBValue(c) / 255.0);
  double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047, y = 0.2126 * r + 0.7152 * g + 0.0722 * b,
         z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
  auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
  return Lab{116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

double DeltaE(const Lab& A, const Lab& B) { return std::hypot(A.l - B.l, A.a - B.a, A.b - B.b); }

// The mean colour of an element drawn at a size on its window's colour.
COLORREF MeanColor(TqzSkinInfo* Info, TqzSkinElementId Id, TqzSkinElementState State, Integer W, Integer H) {
  SkinSurface surface(W, H, Info->Element(seFormFormContent)->GetColor());
  Info->Element(Id)->Draw(surface.DC(), TRect{0, 0, W, H}, 0, State);
  double r = 0, g = 0, b = 0;
  for (Integer y = 0; y < H; ++y)
    for (Integer x = 0; x < W; ++x) {
      COLORREF c = surface.At(x, y);
      r += GetRValue(c);
      g += GetGValue(c);
      b += GetBValue(c);
    }
  const double n = double(W) * H;
  return RGB(std::lround(r / n), std::lround(g / n), std::lround(b / n));
}

}  // namespace

TEST(SkinSkins, EveryStreamIsCurrentAndReadToItsEnd) {
  for (const String& name : StreamNames()) {
    SCOPED_TRACE(name);
    TResourceStream stream(HInstance, name, "QZSKINS");
    TqzSkin skin("Other", false, nullptr);
    skin.LoadFromStream(&stream);
    EXPECT_EQ(stream.GetPosition(), stream.GetSize());
    EXPECT_DOUBLE_EQ(skin.GetVersion(), 1.02);
    EXPECT_EQ(skin.GetName(), name);
    EXPECT_EQ(skin.GroupCount(), 13);
    EXPECT_EQ(skin.ColorCount(), 12);
    ASSERT_NE(skin.GetGroupByName("Reports"), nullptr);
    EXPECT_EQ(skin.GetGroupByName("Reports")->ElementCount(), 0);
    Integer elements = 0, properties = skin.PropertyCount();
    for (Integer g = 0; g < skin.GroupCount(); ++g) {
      TqzSkinControlGroup* group = skin.Groups(g);
      properties += group->PropertyCount();
      elements += group->ElementCount();
      for (Integer e = 0; e < group->ElementCount(); ++e) properties += group->Elements(e)->PropertyCount();
    }
    EXPECT_EQ(elements, 204);
    EXPECT_EQ(properties, 48);
    EXPECT_NE(skin.GetGroupByName("Form")->GetElementByName("FormContent")->GetColor(), clDefault);

    // Binding adds nothing and the form rules change nothing.
    auto* bound = static_cast<TqzSkin*>(skin.Clone());
    TqzSkinInfo info(bound);
    ASSERT_EQ(bound->GroupCount(), skin.GroupCount());
    for (Integer g = 0; g < skin.GroupCount(); ++g) {
      TqzSkinControlGroup* group = skin.Groups(g);
      TqzSkinControlGroup* other = bound->GetGroupByName(group->GetName());
      ASSERT_EQ(other->ElementCount(), group->ElementCount()) << group->GetName();
      for (Integer e = 0; e < group->ElementCount(); ++e) {
        TqzSkinElement* mine = group->Elements(e);
        TqzSkinElement* theirs = other->GetElementByName(mine->GetName());
        // Lookups sort the property lists, which Compare walks side by side.
        mine->GetPropertyByName(String());
        theirs->GetPropertyByName(String());
        EXPECT_TRUE(theirs->Compare(mine)) << mine->Path() << mine->GetName();
      }
    }
  }
}

TEST(SkinSkins, TwentyOneNamesAreRegisteredWhileTheUnitsRun) {
  std::vector<String> expected;
  for (Integer n = 1; n <= kqzBuiltInSkinCount; ++n) expected.push_back(BuiltInSkinName(n));
  expected.push_back("UserSkin");
  EXPECT_EQ(RegisteredNames(), expected);
  for (const String& name : expected) {
    SCOPED_TRACE(name);
    TqzSkinLookAndFeelPainterInfo* info = InfoOf(name);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->GetSkin()->GetName(), name == "UserSkin" ? "DefaultUserSkinData" : name);
  }
  EXPECT_TRUE(dynamic_cast<TqzSkinUserLookAndFeelPainterInfo*>(InfoOf("UserSkin")));
  EXPECT_EQ(PainterClassOf<TqzSkin07Painter>()->PainterUnitName(), "qzSkinSkin07");
  EXPECT_EQ(PainterClassOf<TqzSkinsUserSkinPainter>()->PainterUnitName(), "qzSkinsDefaultPainters");
  EXPECT_EQ(PainterClassOf<TqzSkinLookAndFeelPainter>()->PainterInfo(), nullptr);

  // A name someone else holds stays theirs: the unit neither replaces it nor removes it.
  SkinsEnd();
  EXPECT_TRUE(RegisteredNames().empty());
  ExtendedStylePaintersInstance()->AddPainter("Skin05", PainterClassOf<TqzSkinLookAndFeelPainter>(), nullptr);
  SkinsStart();
  EXPECT_EQ(RegisteredNames().size(), 21u);
  EXPECT_EQ(PainterClassOf<TqzSkin05Painter>()->PainterInfo(), nullptr);
  SkinsEnd();
  EXPECT_EQ(RegisteredNames(), std::vector<String>{"Skin05"});
  ExtendedStylePaintersInstance()->RemovePainter("Skin05");
  SkinsStart();
  EXPECT_EQ(RegisteredNames(), expected);

  TqzSkin lower("skin13", true, HInstance);
  EXPECT_EQ(lower.GetName(), "Skin13") << "the resource is found whatever the letter case";
}

TEST(SkinSkins, SkinsAreDistinctAndTheirTextsReadable) {
  std::vector<Lab> captions, buttons;
  for (const String& name : RegisteredNames()) {
    SCOPED_TRACE(name);
    TqzSkinInfo* info = InfoOf(name);
    const COLORREF caption = MeanColor(info, seFormFormCaption, esActive, 120, 30);
    const COLORREF button = MeanColor(info, seCommonButton, esNormal, 75, 23);
    captions.push_back(ToLab(caption));
    buttons.push_back(ToLab(button));
    struct Pair {
      const char* what;
      TColor text, back;
    };
    const Pair pairs[] = {
        {"content", info->SkinColor(scContentTextColor)->GetValue(), info->SkinColor(scContentColor)->GetValue()},
        {"editor", info->ColorProperty(cpEditorsTextColor)->GetValue(),
         info->ColorProperty(cpEditorsBackgroundColor)->GetValue()},
        {"button", info->Element(seCommonButton)->GetTextColor(), static_cast<TColor>(button)},
        {"caption", info->Element(seFormFormCaption)->GetTextColor(), static_cast<TColor>(caption)},
    };
    for (const Pair& p : pairs)
      EXPECT_GE(ContrastOf(ColorToRGB(p.text), ColorToRGB(p.back)), 4.5) << p.what;
  }
  const std::vector<String> names = RegisteredNames();
  for (size_t i = 0; i < names.size(); ++i)
    for (size_t j = i + 1; j < names.size(); ++j) {
      SCOPED_TRACE(names[i] + " and " + names[j]);
      EXPECT_GE(DeltaE(captions[i], captions[j]), 10);
      EXPECT_GE(DeltaE(buttons[i], buttons[j]), 10);
    }
}

TEST(SkinSkins, EditButtonsDrawFromTheSkinWhenBound) {
  SkinSurface surface(17, 20, RGB(1, 2, 3));
  TkvCanvas canvas(surface.bitmap.GetCanvas());
  EXPECT_FALSE(PainterClassOf<TqzSkinLookAndFeelPainter>()->PaintEditButtonElement(&canvas, TRect{0, 0, 17, 20}, false,
                                                                                     esNormal))
      << "the base class has no skin of its own";
  EXPECT_EQ(surface.At(8, 10), RGB(1, 2, 3));
  for (bool close : {false, true}) {
    EXPECT_TRUE(
        PainterClassOf<TqzSkin13Painter>()->PaintEditButtonElement(&canvas, TRect{0, 0, 17, 20}, close, esHot));
    EXPECT_NE(surface.At(8, 10), RGB(1, 2, 3));
  }
}
