// The image editor's graphic classes, stored picture values, menu images, and the unit's start
// and end.

#include <cstring>

#include "rtl/ClassRegistry.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvImage.h"
#include "vcl/Jpeg.h"

namespace {

std::unique_ptr<std::vector<TGraphicClass>> gGraphicClasses;
std::unique_ptr<TImageList> gMenuImages;
Integer gStartCount = 0;

const char* const kMenuImageNames[] = {"KVMENUIMAGE_CUT",    "KVMENUIMAGE_COPY", "KVMENUIMAGE_PASTE",
                                       "KVMENUIMAGE_DELETE", "KVMENUIMAGE_LOAD", "KVMENUIMAGE_SAVE"};

// The data of a stored value: without the 8-byte header when one announces exactly the rest.
std::pair<const char*, size_t> ValueData(const String& Text) {
  if (Text.size() >= 8) {
    uint16_t kind, version;
    uint32_t length;
    std::memcpy(&kind, Text.data(), 2);
    std::memcpy(&version, Text.data() + 2, 2);
    std::memcpy(&length, Text.data() + 4, 4);
    if (kind == 1 && version == 0x0100 && length == Text.size() - 8) return {Text.data() + 8, Text.size() - 8};
  }
  return {Text.data(), Text.size()};
}

}  // namespace

const std::vector<TGraphicClass>& GetGraphicClassList() {
  if (!gGraphicClasses) {
    gGraphicClasses = std::make_unique<std::vector<TGraphicClass>>();
    auto add = [](TClass Class) {
      if (!Class) return;
      for (TGraphicClass known : *gGraphicClasses)
        if (static_cast<TClass>(known) == Class) return;
      gGraphicClasses->push_back(TGraphicClass(Class));
    };
    add(TBitmap::ClassInfo());
    add(TIcon::ClassInfo());
    add(TMetafile::ClassInfo());
    add(static_cast<TClass>(GetClass("TqzPNGImage")));
    add(TJPEGImage::ClassInfo());
  }
  return *gGraphicClasses;
}

TGraphicClass FindGraphicClassByName(const String& Name) {
  for (TGraphicClass graphicClass : GetGraphicClassList())
    if (SameText(graphicClass->Name, Name)) return graphicClass;
  return nullptr;
}

TGraphicClass DefaultGraphicClass() {
  const auto& list = GetGraphicClassList();
  return list.empty() ? TGraphicClass() : list.front();
}

std::unique_ptr<TGraphic> ReadGraphicOrRaise(TGraphicClass GraphicClass, TStream* Data, const String& Source) {
  std::unique_ptr<TGraphic> graphic(GraphicClass ? GraphicClass.Create() : new TBitmap);
  String reason;
  try {
    graphic->LoadFromStream(Data);
  } catch (Exception& e) {
    reason = e.Message();
  }
  // Some classes read damaged data as an empty picture; an empty file is no picture either.
  if (reason.empty() && graphic->GetEmpty()) reason = graphic->ClassName() + ": no picture in the data";
  if (!reason.empty())
    throw EInvalidGraphic(Format(ResourceStringText(skvEditPictureUnreadable), Source, reason));
  return graphic;
}

bool LoadPictureFromValue(TPicture* Picture, TGraphicClass GraphicClass, const Variant& Value) {
  if (!VarIsStr(Value) || VarToStr(Value).empty()) {
    Picture->Assign(nullptr);
    return true;
  }
  const String text = VarToStr(Value);
  const auto [data, size] = ValueData(text);
  TMemoryStream stream;
  stream.WriteBuffer(data, static_cast<Integer>(size));
  stream.SetPosition(0);
  try {
    std::unique_ptr<TGraphic> graphic = ReadGraphicOrRaise(GraphicClass, &stream, "");
    Picture->SetGraphic(graphic.get());
    return true;
  } catch (Exception&) {
    Picture->Assign(nullptr);
    return false;
  }
}

String SavePictureToValue(TPicture* Picture) {
  TGraphic* graphic = Picture ? Picture->GetGraphic() : nullptr;
  if (!graphic || graphic->GetEmpty()) return {};
  TMemoryStream stream;
  graphic->SaveToStream(&stream);
  return String(static_cast<const char*>(stream.GetMemory()), static_cast<size_t>(stream.GetSize()));
}

TCustomImageList* ImageMenuImages() { return gMenuImages.get(); }

// ---- Context menu layout ---------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvPopupMenuLayout,
                            PROPERTY(MenuItems).Stored<&TkvPopupMenuLayout::IsMenuItemsStored>(),
                            PROPERTY(CustomMenuItemCaption),
                            PROPERTY(CustomMenuItemGlyph).Stored<&TkvPopupMenuLayout::IsCustomMenuItemGlyphStored>())

TkvPopupMenuLayout::~TkvPopupMenuLayout() = default;

void TkvPopupMenuLayout::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvPopupMenuLayout*>(Source);
  if (!source) return inherited::Assign(Source);
  FMenuItems = source->FMenuItems;
  FCustomMenuItemCaption = source->FCustomMenuItemCaption;
  SetCustomMenuItemGlyph(source->FCustomMenuItemGlyph.get());
}

TBitmap* TkvPopupMenuLayout::GetCustomMenuItemGlyph() {
  if (!FCustomMenuItemGlyph) FCustomMenuItemGlyph = std::make_unique<TBitmap>();
  return FCustomMenuItemGlyph.get();
}

void TkvPopupMenuLayout::SetCustomMenuItemGlyph(TBitmap* Value) {
  if (!Value) {
    FCustomMenuItemGlyph.reset();
    return;
  }
  GetCustomMenuItemGlyph()->Assign(Value);
}

// ---- Unit ------------------------------------------------------------------------------------

void kvImageStart() {
  if (gStartCount++ > 0) return;
  gMenuImages = std::make_unique<TImageList>(nullptr);
  for (const char* name : kMenuImageNames) {
    TBitmap bitmap;
    bitmap.LoadFromResourceName(HInstance, name);
    // Sized by the first picture; each is keyed on its own bottom-left colour.
    if (gMenuImages->GetCount() == 0) {
      gMenuImages->SetWidth(bitmap.GetWidth());
      gMenuImages->SetHeight(bitmap.GetHeight());
    }
    gMenuImages->AddMasked(&bitmap, bitmap.GetTransparentColor());
  }
  RegisterClasses({TkvImage::ClassInfo(), TkvImageProperties::ClassInfo()});
  EditPropertiesRegistry()->AddClass(TkvImageProperties::ClassInfo(), ResourceStringText(skvEditImageDescription));
}

void kvImageEnd() {
  if (gStartCount == 0 || --gStartCount > 0) return;
  UnRegisterClass(TkvImageProperties::ClassInfo());
  UnRegisterClass(TkvImage::ClassInfo());
  gMenuImages.reset();
  // The PNG class may come and go with its unit: the list is built again on next use.
  gGraphicClasses.reset();
}
