// Every registered skin drawn as the same mock window, saved under
// $TAVREN_TEST_OUTPUT/skins/skins-elements.png for a person to look at.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "SkinsTestSupport.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "toolkit/skins/qzSkinInfo.h"
#include "toolkit/skins/qzSkinsLookAndFeelPainter.h"

namespace {

constexpr Integer kTileWidth = 300, kTileHeight = 262;

class MockWindow {
 public:
  MockWindow(HDC DC, TqzSkinInfo* Info) : FDC(DC), FInfo(Info) {}

  void Draw(const TRect& Tile, const String& Name) {
    // A second window behind, inactive, and the active one in front.
    Window(TRect{Tile.Left + 6, Tile.Top + 6, Tile.Right - 40, Tile.Top + 70}, "Inactive", false);
    Window(TRect{Tile.Left + 22, Tile.Top + 26, Tile.Right - 6, Tile.Bottom - 6}, Name, true);
  }

 private:
  TqzSkinElement* E(TqzSkinElementId Id) { return FInfo->Element(Id); }
  void Put(TqzSkinElementId Id, const TRect& R, Integer Index = 0, TqzSkinElementState State = esNormal) {
    E(Id)->Draw(FDC, R, Index, State);
  }
  void Text(const String& S, TRect R, TColor Color, UINT Flags = DT_SINGLELINE | DT_VCENTER | DT_CENTER) {
    SetBkMode(FDC, TRANSPARENT);
    SetTextColor(FDC, ColorToRGB(Color));
    DrawText(FDC, S.c_str(), -1, &R, Flags);
  }

  void Window(const TRect& R, const String& Title, bool Active) {
    const TqzSkinElementState state = Active ? esActive : esActiveDisabled;
    const TRect& frames = FInfo->FormFrameSize(1);
    const Integer captionHeight = E(seFormFormCaption)->Size().cy;
    const TRect caption{R.Left, R.Top, R.Right, R.Top + captionHeight};
    Put(seFormFormCaption, caption, 0, state);
    Put(seFormFormFrameLeft, TRect{R.Left, caption.Bottom, R.Left + frames.Left, R.Bottom - frames.Bottom}, 0, state);
    Put(seFormFormFrameRight, TRect{R.Right - frames.Right, caption.Bottom, R.Right, R.Bottom - frames.Bottom}, 0, state);
    Put(seFormFormFrameBottom, TRect{R.Left, R.Bottom - frames.Bottom, R.Right, R.Bottom}, 0, state);
    const TRect client{R.Left + frames.Left, caption.Bottom, R.Right - frames.Right, R.Bottom - frames.Bottom};
    Put(seFormFormContent, client);
    // Caption buttons, sized by the caption's content offset.
    const TRect offset = E(seFormFormCaption)->GetContentOffset()->RectRef();
    const Integer size = captionHeight - offset.Top - offset.Bottom;
    Integer right = R.Right - offset.Right;
    for (TqzSkinElementId id : {seFormFormButtonClose, seFormFormButtonMaximize, seFormFormButtonMinimize}) {
      TqzSkinElementState s = Active ? (id == seFormFormButtonClose ? esHot : esNormal) : esActiveDisabled;
      Put(id, TRect{right - size, R.Top + offset.Top, right, R.Top + offset.Top + size}, 0, s);
      right -= size + 1;
    }
    TColor titleColor = Active ? E(seFormFormCaption)->GetTextColor() : FInfo->ColorProperty(cpFormTextColorInactive)->GetValue();
    Text(Title, TRect{R.Left + 10, R.Top + 1, right - 4, caption.Bottom}, titleColor, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (Active) Content(client);
  }

  void Content(const TRect& C) {
    const Integer x = C.Left + 8;
    Integer y = C.Top + 8;
    // Buttons in four states.
    const TqzSkinElementState states[4] = {esNormal, esHot, esPressed, esDisabled};
    const TColor buttonText = E(seCommonButton)->GetTextColor();
    for (Integer i = 0; i < 4; ++i) {
      TRect b{x + i * 54, y, x + i * 54 + 50, y + 23};
      Put(seCommonButton, b, 0, states[i]);
      Text(i == 3 ? "Off" : "Button", b,
           i == 3 ? FInfo->ColorProperty(cpCommonButtonDisabledText)->GetValue() : buttonText);
    }
    y += 31;
    // Check boxes and radio buttons.
    const Integer checks[4][2] = {{0, esNormal}, {1, esNormal}, {2, esHot}, {1, esDisabled}};
    for (Integer i = 0; i < 4; ++i)
      Put(seEditorsCheckbox, TRect{x + i * 18, y, x + i * 18 + 13, y + 13}, checks[i][0],
          static_cast<TqzSkinElementState>(checks[i][1]));
    for (Integer i = 0; i < 2; ++i)
      Put(seEditorsRadioButton, TRect{x + 78 + i * 18, y, x + 78 + i * 18 + 13, y + 13}, i, i ? esNormal : esHot);
    // An edit with its buttons.
    TRect edit{x + 118, y - 4, x + 208, y + 16};
    Put(seFormFormContent, edit);
    HBRUSH border = CreateSolidBrush(ColorToRGB(FInfo->SkinColor(scContainerBorderColor)->GetValue()));
    FrameRect(FDC, &edit, border);
    DeleteObject(border);
    TRect inside{edit.Left + 1, edit.Top + 1, edit.Right - 1, edit.Bottom - 1};
    HBRUSH content = CreateSolidBrush(ColorToRGB(FInfo->ColorProperty(cpEditorsBackgroundColor)->GetValue()));
    ::FillRect(FDC, &inside, content);
    DeleteObject(content);
    Text("Edit", TRect{inside.Left + 4, inside.Top, inside.Right - 40, inside.Bottom},
         FInfo->ColorProperty(cpEditorsTextColor)->GetValue(), DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    TRect combo{inside.Right - 17, inside.Top, inside.Right, inside.Bottom};
    Put(seEditorsEditorButton, combo, 0, esHot);
    Put(seEditorsComboButtonGlyph, RectInsideMargins(combo, E(seEditorsEditorButton)->GetContentOffset()->RectRef()));
    TRect close{combo.Left - 17, combo.Top, combo.Left, combo.Bottom};
    Put(seEditorsCloseButton, close);
    y += 24;
    // Header sections over a group panel.
    const Integer panelRight = C.Right - 26;
    Put(seCommonHeader, TRect{x, y, x + 90, y + 20}, 0, esNormal);
    Put(seCommonHeader, TRect{x + 90, y, panelRight, y + 20}, 0, esHot);
    Text("Name", TRect{x + 4, y, x + 90, y + 20}, E(seCommonHeader)->GetTextColor());
    Text("Size", TRect{x + 90, y, panelRight, y + 20}, E(seCommonHeader)->GetTextColor());
    y += 26;
    TRect caption{x, y, panelRight, y + 20};
    Put(seCommonGroupPanelCaptionTop, caption);
    Text("Group", caption, E(seCommonGroupPanelCaptionTop)->GetTextColor());
    TRect panel{x, caption.Bottom, panelRight, caption.Bottom + 52};
    Put(seCommonGroupPanelTop, panel);
    // A progress bar and a track bar inside the panel.
    TRect progress{panel.Left + 8, panel.Top + 8, panel.Right - 8, panel.Top + 22};
    Put(seEditorsProgressBorder, progress);
    TRect chunks = RectInsideMargins(progress, E(seEditorsProgressBorder)->GetContentOffset()->RectRef());
    chunks.Right = chunks.Left + chunks.Width() * 3 / 5;
    Put(seEditorsProgressChunk, chunks);
    const Integer trackY = panel.Top + 34;
    const Integer trackHeight = E(seEditorsTrackBarTrack)->Size().cy;
    const Integer thumbX = panel.Left + 70;
    Put(seEditorsTrackBarTrack, TRect{panel.Left + 10, trackY, thumbX, trackY + trackHeight}, 0);
    Put(seEditorsTrackBarTrack, TRect{thumbX, trackY, panel.Right - 10, trackY + trackHeight}, 1);
    const TSize thumb = E(seEditorsTrackBarThumb)->Size();
    Put(seEditorsTrackBarThumb, RectCentered(TRect{thumbX - 10, trackY - 8, thumbX + 10, trackY + trackHeight + 8}, thumb.cx, thumb.cy));
    // Scroll bars along the right and the bottom.
    ScrollBar(TRect{C.Right - 17, C.Top, C.Right, C.Bottom - 17}, false);
    ScrollBar(TRect{C.Left, C.Bottom - 17, C.Right - 17, C.Bottom}, true);
    Put(seCommonSizeGrip, TRect{C.Right - 17, C.Bottom - 17, C.Right, C.Bottom});
  }

  void ScrollBar(const TRect& R, bool Horizontal) {
    const Integer row = Horizontal ? 1 : 0;
    auto part = [&](Integer Part, const TRect& Rect, TqzSkinElementState State) {
      TqzSkinScrollInfo* info = FInfo->ScrollInfo(row, Part);
      info->Element->Draw(FDC, Rect, info->ImageIndex, State);
    };
    const Integer length = Horizontal ? R.Width() : R.Height();
    auto slice = [&](Integer From, Integer To) {
      return Horizontal ? TRect{R.Left + From, R.Top, R.Left + To, R.Bottom} : TRect{R.Left, R.Top + From, R.Right, R.Top + To};
    };
    part(4, slice(17, length - 17), esNormal);
    part(1, slice(0, 17), esNormal);
    part(2, slice(length - 17, length), esHot);
    part(3, slice(30, 30 + length / 3), Horizontal ? esNormal : esHot);
  }

  HDC FDC;
  TqzSkinInfo* FInfo;
};

}  // namespace

TEST(SkinSheet, EverySkinAsAWindow) {
  const char* root = std::getenv("TAVREN_TEST_OUTPUT");
  if (!root || !*root) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  TkvExtendedStylePainters* registry = ExtendedStylePaintersInstance();
  ASSERT_EQ(registry->GetCount(), 21);
  constexpr Integer columns = 7;
  const Integer rows = (registry->GetCount() + columns - 1) / columns;
  SkinSurface sheet(columns * kTileWidth, rows * kTileHeight, RGB(0x9A, 0xA0, 0xA6));
  for (Integer i = 0; i < registry->GetCount(); ++i) {
    auto* painter = static_cast<TqzSkinLookAndFeelPainter*>(registry->PainterAt(i));
    const TRect tile = MakeBoundsRect(i % columns * kTileWidth, i / columns * kTileHeight, kTileWidth, kTileHeight);
    MockWindow(sheet.DC(), painter->PainterInfo()).Draw(tile, registry->PainterNameAt(i));
  }

  const std::filesystem::path folder = std::filesystem::path(root) / "skins";
  std::filesystem::create_directories(folder);
  sheet.bitmap.MakeOpaque();
  TqzPNGImage picture;
  picture.SetBitmap(&sheet.bitmap);
  TFileStream out((folder / "skins-elements.png").string(), fmCreate);
  picture.SaveToStream(&out);
}
