// The image editor: stored picture values of every class, damaged pictures, loading and saving
// through the dialogs, the clipboard keys and menu, placement and scrolling, streaming and the
// unit's registrations.

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "EditTestFixture.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvImage.h"
#include "toolkit/foundation/qzGDIPlusClasses.h"
#include "user/ModalResponder.h"
#include "user/VirtualKeys.h"
#include "vcl/Clipbrd.h"
#include "vcl/Jpeg.h"
#include "vcl/StdCtrls.h"

namespace {

String BytesOf(TGraphic* Graphic) {
  TMemoryStream stream;
  Graphic->SaveToStream(&stream);
  return String(static_cast<const char*>(stream.GetMemory()), static_cast<size_t>(stream.GetSize()));
}

// A 32-bit bitmap: the left half red, the right half blue; with Alpha the right half is half
// transparent.
std::unique_ptr<TBitmap> Sample(Integer W, Integer H, bool Alpha = false) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf32bit);
  bitmap->SetSize(W, H);
  for (Integer y = 0; y < H; ++y) {
    auto* row = static_cast<uint32_t*>(bitmap->GetScanLine(y));
    for (Integer x = 0; x < W; ++x) row[x] = x < W / 2 ? 0xFFFF0000 : (Alpha ? 0x80000080 : 0xFF0000FF);
  }
  return bitmap;
}

// The four kinds a test makes with the platform's encoders, by class name.
String Encoded(const String& ClassName, Integer W = 8, Integer H = 6) {
  auto bitmap = Sample(W, H, ClassName == "TqzPNGImage");
  if (ClassName == "TBitmap") return BytesOf(bitmap.get());
  if (ClassName == "TJPEGImage") {
    TJPEGImage jpeg;
    jpeg.Assign(bitmap.get());
    return BytesOf(&jpeg);
  }
  if (ClassName == "TqzPNGImage") {
    TqzPNGImage png;
    png.Assign(bitmap.get());
    return BytesOf(&png);
  }
  TImageList list(nullptr, W, H);
  list.AddMasked(bitmap.get(), clFuchsia);
  TIcon icon;
  list.GetIcon(0, &icon);
  return BytesOf(&icon);
}

// A BMP file that claims 30000 x 30000 pixels and holds none.
String HugeBmpHeader() {
  String bmp(54, '\0');
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&bmp[at], &v, 4); };
  bmp[0] = 'B', bmp[1] = 'M';
  put32(2, 54), put32(10, 54), put32(14, 40), put32(18, 30000), put32(22, 30000);
  bmp[26] = 1, bmp[28] = 24;
  return bmp;
}

struct Damaged {
  const char* what;
  const char* className;
  String data;
};

std::vector<Damaged> DamagedSamples() {
  const String png = Encoded("TqzPNGImage", 40, 30), jpeg = Encoded("TJPEGImage", 40, 30);
  return {
      {"truncated PNG", "TqzPNGImage", png.substr(0, png.size() / 2)},
      {"cut JPEG", "TJPEGImage", jpeg.substr(0, jpeg.size() * 2 / 3)},
      {"BMP claiming 30000 x 30000", "TBitmap", HugeBmpHeader()},
      {"ICO without images", "TIcon", String("\0\0\1\0\0\0", 6)},
      {"JPEG bytes as PNG", "TqzPNGImage", jpeg},
  };
}

struct Events : TObject {
  Integer changes = 0, editValueChanges = 0, customClicks = 0;
  std::vector<Integer> closeReasons;
  std::vector<String> errors;
  void Changed(TObject*) { ++changes; }
  void EditValueChanged(TObject*) { ++editValueChanges; }
  void Custom(TObject*) { ++customClicks; }
  void Closed(TObject*, TkvEditCloseUpReason Reason) { closeReasons.push_back(Reason); }
  void Caught(TObject*, Exception* E) { errors.push_back(E->Message()); }
};

class ImageEdit : public EditEventsTest {
 protected:
  void SetUp() override {
    EditEventsTest::SetUp();
    Application()->SetOnException(MakeEvent<&Events::Caught>(&events));
    image = new TkvImage(form);
    image->SetParent(form);
    image->SetBounds(10, 10, 140, 100);
    Props()->SetOnChange(MakeEvent<&Events::Changed>(&events));
    Props()->SetOnEditValueChanged(MakeEvent<&Events::EditValueChanged>(&events));
    Props()->SetOnCustomClick(MakeEvent<&Events::Custom>(&events));
    Props()->SetOnPopupClosed(MakeEvent<&Events::Closed>(&events));
    Pump();
  }
  void TearDown() override {
    SetModalResponder(nullptr);
    Clipboard()->Clear();
    for (const auto& file : files) std::filesystem::remove(file);
    EditEventsTest::TearDown();
  }
  TkvImageProperties* Props() { return image->GetImageEditProperties(); }
  String Value() {
    Variant v;
    image->GetEditValue(v);
    return VarIsNull(v) ? String("null") : VarToStr(v);
  }
  String File(const String& Name, const String& Data) {
    const String path = (std::filesystem::temp_directory_path() /
                         ("tavren-image-" + std::to_string(getpid()) + "-" + Name)).string();
    std::ofstream(path, std::ios::binary) << Data;
    files.push_back(path);
    return path;
  }
  // The open dialog takes Path as typed; an empty path cancels it.
  void ChooseFile(const String& Path) {
    SetModalResponder([Path](const ModalRequest& request) {
      if (Path.empty()) return IDCANCEL;
      auto* dialog = FindControl(request.window);
      auto* name = dialog ? dynamic_cast<TEdit*>(dialog->FindComponent("FileNameEdit")) : nullptr;
      if (!name) return IDCANCEL;
      name->SetText(Path);
      return IDOK;
    });
  }
  void OpenMenuByKeyboard() {
    ScriptKeyPress(VK_ESCAPE);  // closes the menu its loop opens
    image->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(image->GetHandle()), MAKELPARAM(-1, -1));
    Pump();
  }
  TkvImage* image = nullptr;
  Events events;
  std::vector<String> files;
};

}  // namespace

TEST(ImageGraphics, TheClassListAndTheStoredValueHeader) {
  std::vector<String> names;
  for (TGraphicClass graphicClass : GetGraphicClassList()) names.push_back(graphicClass->Name);
  EXPECT_EQ(names, (std::vector<String>{"TBitmap", "TIcon", "TMetafile", "TqzPNGImage", "TJPEGImage"}));
  EXPECT_EQ(static_cast<TClass>(FindGraphicClassByName("tjpegimage")), TJPEGImage::ClassInfo());
  EXPECT_FALSE(FindGraphicClassByName("TGif"));

  const String bmp = Encoded("TBitmap");
  String header(8, '\0');
  const uint16_t kind = 1, version = 0x0100;
  uint32_t length = static_cast<uint32_t>(bmp.size());
  std::memcpy(&header[0], &kind, 2);
  std::memcpy(&header[2], &version, 2);
  std::memcpy(&header[4], &length, 4);
  TPicture picture;
  EXPECT_TRUE(LoadPictureFromValue(&picture, TBitmap::ClassInfo(), Variant(header + bmp)));
  EXPECT_EQ(SavePictureToValue(&picture), bmp);
  // A wrong length: the header is data, and the data is no bitmap.
  length += 1;
  std::memcpy(&header[4], &length, 4);
  EXPECT_FALSE(LoadPictureFromValue(&picture, TBitmap::ClassInfo(), Variant(header + bmp)));
  EXPECT_EQ(picture.GetGraphic(), nullptr);
  // Without a class the picture's bitmap reads the data; no string clears it.
  EXPECT_TRUE(LoadPictureFromValue(&picture, nullptr, Variant(bmp)));
  EXPECT_EQ(picture.GetGraphic()->ClassName(), "TBitmap");
  EXPECT_TRUE(LoadPictureFromValue(&picture, nullptr, Variant(Integer(5))));
  EXPECT_EQ(picture.GetGraphic(), nullptr);
}

TEST_F(ImageEdit, EachClassRoundTripsItsBytesAndAPngKeepsItsAlpha) {
  for (const char* className : {"TBitmap", "TqzPNGImage", "TJPEGImage", "TIcon"}) {
    SCOPED_TRACE(className);
    Props()->SetGraphicClassName(className);
    const String data = Encoded(className);
    image->SetEditValue(Variant(data));
    ASSERT_NE(image->GetPicture()->GetGraphic(), nullptr);
    EXPECT_EQ(image->GetPicture()->GetGraphic()->ClassName(), className);
    EXPECT_EQ(Value(), data);
    EXPECT_FALSE(image->GetValueModified());
  }
  Props()->SetGraphicClassName("TqzPNGImage");
  image->SetEditValue(Variant(Encoded("TqzPNGImage")));
  EXPECT_TRUE(static_cast<TqzPNGImage*>(image->GetPicture()->GetGraphic())->HasAlphaChannel());
  // Values set by code raise no change; Null empties the picture.
  EXPECT_EQ(events.changes, 0);
  image->SetEditValue(Null());
  EXPECT_EQ(image->GetPicture()->GetGraphic(), nullptr);
  EXPECT_EQ(Value(), "null");
}

TEST_F(ImageEdit, AValueThatDoesNotDecodeShowsNothingButKeepsItsBytesUntilTheUserChangesThePicture) {
  for (const Damaged& sample : DamagedSamples()) {
    SCOPED_TRACE(sample.what);
    Props()->SetGraphicClassName(sample.className);
    image->SetEditValue(Variant(sample.data));
    EXPECT_EQ(image->GetPicture()->GetGraphic(), nullptr);
    EXPECT_EQ(Value(), sample.data);
    image->Repaint();
    // Painted in place from the value: nothing shows, nothing is raised.
    TkvCustomEditViewDataArgs dataArgs(Props(), true, image->GetEditStyle());
    TkvImageViewData data(&dataArgs);
    TkvImageViewInfo info;
    data.LoadDisplayValue(image->GetKvCanvas(), Variant(sample.data), &info);
    EXPECT_EQ(info.Picture->GetGraphic(), nullptr);
  }
  EXPECT_TRUE(events.errors.empty());
  // The user's delete is a change of the picture: now the value is empty.
  image->SetFocus();
  image->RunMenuCommand(3);
  EXPECT_EQ(Value(), "null");
  EXPECT_TRUE(image->GetUserEdited());
}

TEST_F(ImageEdit, ADamagedFileOrPasteShowsItsErrorAndKeepsPictureValueAndModifiedState) {
  image->SetEditValue(Variant(Encoded("TBitmap")));
  const String before = Value();
  image->SetFocus();
  Pump();
  auto samples = DamagedSamples();
  samples.push_back({"empty file", "TBitmap", ""});
  for (const Damaged& sample : samples) {
    SCOPED_TRACE(sample.what);
    ASSERT_FALSE(image->GetUserEdited());
    static const std::map<String, String> kExtension = {
        {"TqzPNGImage", ".png"}, {"TJPEGImage", ".jpg"}, {"TBitmap", ".bmp"}, {"TIcon", ".ico"}};
    ChooseFile(File(String("damaged") + kExtension.at(sample.className), sample.data));
    events.errors.clear();
    events.changes = 0;
    try {
      image->RunMenuCommand(4);
      ADD_FAILURE() << "loaded";
    } catch (EInvalidGraphic& e) {
      EXPECT_NE(e.Message().find("cannot be read"), String::npos) << e.Message();
    }
    EXPECT_EQ(Value(), before);
    EXPECT_FALSE(image->GetUserEdited());
    EXPECT_EQ(events.changes, 0);
  }
  // Damaged bytes under the picture format, pasted by key: the error shows, nothing changes.
  Props()->SetGraphicClassName("TqzPNGImage");
  image->SetEditValue(Variant(Encoded("TqzPNGImage")));
  const String png = Value();
  HGLOBAL block = GlobalAlloc(GHND, 16);
  std::memcpy(GlobalLock(block), "\x89PNG\r\n\x1a\nbroken!!", 16);
  GlobalUnlock(block);
  Clipboard()->SetAsHandle(CF_PICTURE, block);
  events.errors.clear();
  Key('V', kCtrl);
  ASSERT_EQ(events.errors.size(), 1u);
  EXPECT_NE(events.errors[0].find("on the clipboard cannot be read"), String::npos) << events.errors[0];
  EXPECT_EQ(Value(), png);
  EXPECT_FALSE(image->GetUserEdited());
}

TEST_F(ImageEdit, LoadingAndSavingGoThroughThePictureDialogs) {
  image->SetFocus();
  Pump();
  const String jpeg = Encoded("TJPEGImage", 30, 20);
  ChooseFile(File("photo.jpg", jpeg));
  image->RunMenuCommand(4);
  EXPECT_EQ(image->GetPicture()->GetGraphic()->ClassName(), "TJPEGImage");
  EXPECT_EQ(Value(), jpeg);
  EXPECT_TRUE(image->GetUserEdited());
  EXPECT_EQ(events.changes, 1);
  ChooseFile("");
  image->RunMenuCommand(4);
  EXPECT_EQ(events.closeReasons, (std::vector<Integer>{crEnter, crCancel}));

  // Saved in the picture's own format.
  const String target = File("saved.jpg", "");
  SetModalResponder([&](const ModalRequest& request) {
    EXPECT_EQ(request.kind, "SaveDialog");
    auto* name = dynamic_cast<TEdit*>(FindControl(request.window)->FindComponent("FileNameEdit"));
    name->SetText(target);
    return IDOK;
  });
  image->RunMenuCommand(5);
  std::ifstream saved(target, std::ios::binary);
  EXPECT_EQ(String(std::istreambuf_iterator<char>(saved), {}), jpeg);

  // A read-only editor loads nothing.
  Props()->SetReadOnly(true);
  ChooseFile(File("other.bmp", Encoded("TBitmap")));
  image->RunMenuCommand(4);
  EXPECT_EQ(Value(), jpeg);
}

TEST_F(ImageEdit, ClipboardKeysCopyCutAndPasteAndNeverTakeAnIcon) {
  image->SetEditValue(Variant(Encoded("TBitmap")));
  const String bmp = Value();
  image->SetFocus();
  Pump();
  Key('C', kCtrl);
  EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
  Key(VK_DELETE, kShift);
  EXPECT_EQ(Value(), "null");
  EXPECT_TRUE(image->GetUserEdited());
  Key(VK_INSERT, kShift);
  EXPECT_EQ(Value(), bmp);
  Clipboard()->Clear();
  Key(VK_INSERT, kCtrl);
  EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
  Key('X', kCtrl);
  EXPECT_EQ(Value(), "null");
  Key('V', kCtrl);
  EXPECT_EQ(Value(), bmp);

  // An icon writes nothing to the clipboard, so it is neither copied nor cut.
  Props()->SetGraphicClassName("TIcon");
  image->SetEditValue(Variant(Encoded("TIcon")));
  const String icon = Value();
  Clipboard()->SetAsText("kept");
  Key('C', kCtrl);
  Key('X', kCtrl);
  EXPECT_EQ(Value(), icon);
  EXPECT_EQ(Clipboard()->GetAsText(), "kept");
}

TEST_F(ImageEdit, WhatCanBePastedDependsOnTheGraphicClass) {
  auto png = std::make_unique<TqzPNGImage>();
  png->Assign(Sample(8, 6, true).get());
  struct Case {
    const char* className;  // "" for no class
    bool fromBitmap, fromPng;
  };
  const Case kCases[] = {{"TBitmap", true, true},     {"TJPEGImage", true, true}, {"TIcon", false, false},
                         {"TMetafile", false, false}, {"TqzPNGImage", false, true}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.className);
    Props()->SetGraphicClassName(c.className);
    EXPECT_EQ(String(c.className), Props()->GetGraphicClassName());
    Clipboard()->Assign(Sample(8, 6).get());
    EXPECT_EQ(image->CanPasteFromClipboard(), c.fromBitmap);
    Clipboard()->Assign(png.get());
    EXPECT_EQ(image->CanPasteFromClipboard(), c.fromPng);
  }
  // A PNG pasted into a PNG editor is the same image, alpha and all; into a JPEG editor a JPEG.
  image->SetFocus();
  Props()->SetGraphicClassName("TqzPNGImage");
  Key('V', kCtrl);
  auto* pasted = dynamic_cast<TqzPNGImage*>(image->GetPicture()->GetGraphic());
  ASSERT_NE(pasted, nullptr);
  EXPECT_TRUE(pasted->IsEqualImage(png.get()));
  Props()->SetGraphicClassName("TJPEGImage");
  Key('V', kCtrl);
  EXPECT_EQ(image->GetPicture()->GetGraphic()->ClassName(), "TJPEGImage");
}

TEST_F(ImageEdit, TheMenuShowsItsItemsByLayoutAndStateAndOpensAtTenTenFromTheKeyboard) {
  image->SetFocus();
  Pump();
  OpenMenuByKeyboard();
  TPopupMenu* menu = image->GetContextMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->GetPopupPoint(), image->ClientToScreen(TPoint(10, 10)));
  EXPECT_EQ(menu->GetImages(), ImageMenuImages());
  EXPECT_EQ(ImageMenuImages()->GetCount(), 6);
  auto states = [&] {
    String s;
    for (Integer i = 0; i < menu->GetItems()->GetCount(); ++i) {
      TMenuItem* item = menu->GetItems()->GetItem(i);
      s += !item->GetVisible() ? '-' : item->GetEnabled() ? 'E' : 'd';
    }
    return s;
  };
  // Cut, Copy, Paste, Delete, |, Load, Save, |, custom.
  EXPECT_EQ(states(), "ddddEEd--");
  EXPECT_EQ(menu->GetItems()->GetItem(0)->GetCaption(), "Cu&t");
  image->SetEditValue(Variant(Encoded("TBitmap")));
  Clipboard()->Assign(Sample(4, 4).get());
  OpenMenuByKeyboard();
  EXPECT_EQ(states(), "EEEEEEE--");
  Props()->SetGraphicClassName("TIcon");
  image->SetEditValue(Variant(Encoded("TIcon")));
  OpenMenuByKeyboard();
  EXPECT_EQ(states(), "dddEEEE--");
  Props()->SetReadOnly(true);
  OpenMenuByKeyboard();
  EXPECT_EQ(states(), "ddddEdE--");

  // Only the custom item, with its caption; choosing it clicks.
  Props()->SetReadOnly(false);
  Props()->GetPopupMenuLayout()->SetMenuItems(TkvPopupMenuItems{pmiCustom});
  Props()->GetPopupMenuLayout()->SetCustomMenuItemCaption("&Rotate");
  ScriptKeyPress(VK_DOWN);
  ScriptKeyPress(VK_RETURN);
  image->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(image->GetHandle()), MAKELPARAM(-1, -1));
  Pump();
  EXPECT_EQ(states(), "-------EE");
  EXPECT_EQ(menu->GetItems()->GetItem(8)->GetCaption(), "&Rotate");
  EXPECT_EQ(events.customClicks, 1);

  // No items: the editor's own menu, or nothing.
  Props()->GetPopupMenuLayout()->SetMenuItems(TkvPopupMenuItems{});
  struct TRecordingMenu : TPopupMenu {
    using TPopupMenu::TPopupMenu;
    std::vector<TPoint> popups;
    void Popup(Integer X, Integer Y) override { popups.push_back(TPoint(X, Y)); }
  };
  auto* own = new TRecordingMenu(form);
  image->SetKvPopupMenu(own);
  image->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(image->GetHandle()), MAKELPARAM(-1, -1));
  EXPECT_EQ(own->popups.size(), 1u);
}

TEST_F(ImageEdit, PlacementStretchesCentresOrScrollsAtNaturalSize) {
  EXPECT_EQ(FitProportionally(TRect(0, 0, 100, 100), 200, 100), TRect(0, 0, 100, 50));
  EXPECT_EQ(FitProportionally(TRect(0, 0, 100, 100), 50, 200), TRect(0, 0, 25, 100));
  EXPECT_EQ(FitProportionally(TRect(5, 5, 5, 5), 50, 200), TRect(5, 5, 5, 5));
  // A client area of 100 x 100.
  const TRect first = image->ImageViewInfo()->ClientRect;
  image->SetBounds(10, 10, 100 + image->GetWidth() - first.Width(), 100 + image->GetHeight() - first.Height());
  image->SetEditValue(Variant(Encoded("TBitmap", 200, 100)));
  Props()->SetStretch(true);
  Pump();
  const TRect client = image->ImageViewInfo()->ClientRect;
  ASSERT_EQ(client.Width(), 100);
  auto at = [&](Integer L, Integer T, Integer R, Integer B) {
    return TRect(client.Left + L, client.Top + T, client.Left + R, client.Top + B);
  };
  EXPECT_EQ(image->ImageViewInfo()->TargetRect(), at(0, 25, 100, 75));
  Props()->SetCenter(false);
  EXPECT_EQ(image->ImageViewInfo()->TargetRect(), at(0, 0, 100, 50));
  Props()->SetProportional(false);
  EXPECT_EQ(image->ImageViewInfo()->TargetRect(), at(0, 0, 100, 100));
  // At natural size, not centred: a scroll bar over the picture's width, steps of 8, clamped.
  image->SetEditValue(Variant(Encoded("TBitmap", 200, 60)));
  Props()->SetStretch(false);
  Pump();
  TkvControlScrollBar* h = image->GetHScrollBar();
  TkvControlScrollBar* v = image->GetVScrollBar();
  ASSERT_TRUE(h->IsShown());
  EXPECT_FALSE(v->IsShown());
  EXPECT_EQ(image->ImageViewInfo()->ClientRect.Height(), 100 - h->GetHeight());
  EXPECT_EQ(h->Data.Max, 199);
  EXPECT_EQ(h->Data.PageSize, 100);
  EXPECT_EQ(h->Data.SmallChange, 8);
  Integer position = 0;
  image->ScrollContent(sbHorizontal, scLineDown, position);
  EXPECT_EQ(position, 8);
  EXPECT_EQ(image->ImageViewInfo()->TargetRect().Left, client.Left - 8);
  position = 5000;
  image->ScrollContent(sbHorizontal, scPosition, position);
  EXPECT_EQ(position, 100);
  position = -3;
  image->ScrollContent(sbHorizontal, scPosition, position);
  EXPECT_EQ(position, 0);
  // Centred: no bars.
  Props()->SetCenter(true);
  Pump();
  EXPECT_FALSE(h->IsShown());
  EXPECT_EQ(image->ImageViewInfo()->ClientRect, client);
}

TEST_F(ImageEdit, ASeeThroughPictureIsBufferedOnlyWhereItShows) {
  Props()->SetGraphicClassName("TqzPNGImage");
  image->SetEditValue(Variant(Encoded("TqzPNGImage", 1200, 900)));
  Props()->SetCenter(false);
  Pump();
  image->Repaint();
  const TSize buffer = image->ImageViewInfo()->BufferSize();
  const TRect client = image->ImageViewInfo()->ClientRect;
  EXPECT_GT(buffer.cx, 0);
  EXPECT_LE(buffer.cx, client.Width());
  EXPECT_LE(buffer.cy, client.Height());
}

TEST_F(ImageEdit, ProportionalChangesNothingVisibleWhileNotStretched) {
  struct Counter : TObject {
    Integer count = 0;
    void Changed(TObject*) { ++count; }
  } counter;
  TkvCustomImageProperties properties(nullptr);
  properties.SetOnPropertiesChanged(MakeEvent<&Counter::Changed>(&counter));
  properties.SetProportional(false);
  EXPECT_EQ(counter.count, 0);
  properties.SetStretch(true);
  properties.SetProportional(true);
  EXPECT_EQ(counter.count, 2);
}

TEST_F(ImageEdit, ANilClassStreamsAsIsGraphicClassNameEmptyAndUnknownNamesChangeNothing) {
  Props()->SetGraphicClassName("TGif");
  EXPECT_EQ(Props()->GetGraphicClassName(), "TBitmap");
  image->SetName("Photo");
  String text = WriteComponentToText(image);
  EXPECT_EQ(text.find("GraphicClassName"), String::npos);
  Props()->SetGraphicClassName("");
  Props()->SetCaption("No photo");
  text = WriteComponentToText(image);
  EXPECT_NE(text.find("Properties.IsGraphicClassNameEmpty = True"), String::npos) << text;
  auto* copy = new TkvImage(form);
  ReadComponentFromText(text, copy);
  EXPECT_EQ(copy->GetImageEditProperties()->GetGraphicClassName(), "");
  EXPECT_EQ(copy->GetImageEditProperties()->GetCaption(), "No photo");
  Props()->SetGraphicClassName("TJPEGImage");
  EXPECT_NE(WriteComponentToText(image).find("Properties.GraphicClassName = 'TJPEGImage'"), String::npos);
}

TEST(ImageUnit, StartEndAndStartAgainLeaveOneRegistration) {
  auto count = [] {
    Integer n = 0;
    for (Integer i = 0; i < EditPropertiesRegistry()->Count(); ++i)
      if (EditPropertiesRegistry()->ClassAt(i) == TkvImageProperties::ClassInfo()) ++n;
    return n;
  };
  ASSERT_EQ(count(), 1);
  kvImageEnd();
  EXPECT_EQ(ImageMenuImages(), nullptr);
  EXPECT_EQ(GetClass("TkvImage"), nullptr);
  kvImageStart();
  EXPECT_EQ(count(), 1);
  EXPECT_EQ(ImageMenuImages()->GetCount(), 6);
  EXPECT_EQ(static_cast<TClass>(GetClass("TkvImage")), TkvImage::ClassInfo());
}

TEST_F(ImageEdit, ThePictureIsPaintedWhereItIsPlaced) {
  image->SetEditValue(Variant(Encoded("TBitmap", 40, 20)));
  Props()->SetCenter(false);
  Pump();
  const TRect client = image->ImageViewInfo()->ClientRect;
  auto pixel = [&](Integer X, Integer Y) {
    const TPoint p = form->ScreenToClient(image->ClientToScreen(TPoint(client.Left + X, client.Top + Y)));
    return FormPixel(p.X, p.Y);
  };
  // The sample's left half is red, its right half blue; beside it the background.
  EXPECT_EQ(pixel(5, 5), clRed);
  EXPECT_EQ(pixel(30, 5), clBlue);
  EXPECT_EQ(pixel(60, 30), ColorToRGB(clWindow));
}
