#pragma once
// Skins: a named tree of drawing resources. A skin holds named colours, properties and control
// groups; a group holds elements and properties; an element holds an image and a glyph (PNG
// pictures cut into state frames and nine parts), four borders, a fill colour with alpha, a
// content offset, a minimum size, a text colour and its own properties.
//
// The unit also holds the skin stream format (reader and writer) and the drawing of elements on a
// skin canvas, with the element cache that keeps one element ready-drawn at one size.

#include <memory>
#include <utility>
#include <vector>

#include "gdi/GdiPlus.h"
#include "rtl/ColorIdents.h"
#include "rtl/Events.h"
#include "rtl/Interfaces.h"
#include "rtl/Persistent.h"
#include "rtl/Sets.h"
#include "rtl/Streams.h"
#include "rtl/Types.h"
#include "rtl/WinTypes.h"
#include "toolkit/foundation/kvClasses.h"
#include "toolkit/foundation/kvGeometry.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/qzGDIPlusClasses.h"

class TqzSkin;
class TqzSkinCanvas;
class TqzSkinControlGroup;
class TqzSkinElement;

// An owned sub-object held inside its owner, used like a unique_ptr that always holds one: every
// element has these, so they cost no allocation of their own.
template <class T>
class TqzInPlace {
 public:
  template <class... A>
  explicit TqzInPlace(A&&... Args) : FValue(std::forward<A>(Args)...) {}
  T* operator->() const noexcept { return get(); }
  T* get() const noexcept { return const_cast<T*>(&FValue); }

 private:
  T FValue;
};

// ---- Enumerations -------------------------------------------------------------------------

enum TqzSkinGradientMode : Byte { gmHorizontal, gmVertical, gmForwardDiagonal, gmBackwardDiagonal };
enum TqzSkinElementState : Byte {
  esNormal,
  esHot,
  esPressed,
  esDisabled,
  esActive,
  esFocused,
  esDroppedDown,
  esChecked,
  esHotCheck,
  esActiveDisabled,
  esCheckPressed
};
constexpr Integer kqzSkinElementStateCount = 11;
using TqzSkinElementStates = TSet<TqzSkinElementState, 16>;
enum TqzSkinImageLayout : Byte { ilHorizontal, ilVertical };
enum TqzSkinStretchMode : Byte { smStretch, smTile, smNoResize };

// Streams store a set of states as 16 bits, bit n for state n.
Word SkinStatesToWord(const TqzSkinElementStates& States);
TqzSkinElementStates SkinStatesFromWord(Word Bits);

TAVREN_DECLARE_EXCEPTION(EqzSkin, Exception);

// The stream version this unit writes.
constexpr Double kqzSkinStreamVersion = 1.02;
// Pictures a skin may carry: no side above this, no more pixels than kqzSkinMaxPictureArea.
constexpr Integer kqzSkinMaxPictureSide = 4096;
constexpr Integer kqzSkinMaxPictureArea = 4 * 1024 * 1024;

// ---- Base objects -------------------------------------------------------------------------

class TqzSkinCustomPersistentObject : public TPersistent {
  TAVREN_CLASS(TqzSkinCustomPersistentObject, TPersistent)
 public:
  // Creation by class reference passes the owner; the name follows (see NewSkinObject).
  using TCreateArg = TPersistent*;
  explicit TqzSkinCustomPersistentObject(TPersistent* AOwner, const String& AName = String());

  // A new object of the same class, without owner, with this name and this content.
  virtual TqzSkinCustomPersistentObject* Clone();

  TPersistent* GetOwner() override { return FOwner; }
  void SetOwner(TPersistent* AOwner) { FOwner = AOwner; }
  const String& GetName() const noexcept { return FName; }
  void SetName(const String& AName) { FName = AName; }
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

 protected:
  virtual void DoChange();

 private:
  String FName;
  TPersistent* FOwner;
  TNotifyEvent FOnChange;
};

// Creates an object of AClass (a skin object class) with its owner and name.
TqzSkinCustomPersistentObject* NewSkinObject(TClass AClass, TPersistent* AOwner, const String& AName);

class TqzSkinProperty;
using TqzSkinPropertyClass = TClassOf<TqzSkinProperty>;

class TqzSkinPersistent : public TqzSkinCustomPersistentObject {
  TAVREN_CLASS(TqzSkinPersistent, TqzSkinCustomPersistentObject)
 public:
  explicit TqzSkinPersistent(TPersistent* AOwner, const String& AName = String());
  ~TqzSkinPersistent() override;

  void Assign(TPersistent* Source) override;

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  void CancelUpdate() { --FUpdateCount; }
  Integer UpdateCount() const noexcept { return FUpdateCount; }

  TqzSkinProperty* AddProperty(const String& AName, TqzSkinPropertyClass AClass);
  TqzSkinProperty* GetPropertyByName(const String& AName);
  Integer PropertyCount() const { return FProperties ? FProperties->GetCount() : 0; }
  TqzSkinProperty* Properties(Integer Index) const;

  // Removes and frees AItem when it is one of this object's items.
  virtual void Delete(TObject* AItem);
  virtual void Changed();

  void ReadProperties(TStream* AStream);
  void WriteProperties(TStream* AStream);

 protected:
  virtual void Sort();
  virtual void SubItemChanged(TObject* Sender);
  // Sorts first when something changed since the last sort.
  void CheckSorted();
  // The item becomes this object's: owner, change handler, appended, then Changed.
  void Adopt(TkvObjectList* AList, TqzSkinCustomPersistentObject* AItem);
  // Hands every item of AList to this object (after a list was taken over from another).
  void Reown(TkvObjectList* AList);
  // The property list, made when the first property comes.
  TkvObjectList* PropertyList();

  std::unique_ptr<TkvObjectList> FProperties;
  bool FSorted = false;

 private:
  Integer FUpdateCount = 0;
};

// ---- Skin ---------------------------------------------------------------------------------

class IqzSkinChangeListener : public virtual IInterface {
  TAVREN_INTERFACE(IqzSkinChangeListener)
 public:
  virtual void SkinChanged(TqzSkin* ASkin) = 0;
};

class TqzSkinColor;

class TqzSkin : public TqzSkinPersistent {
  TAVREN_CLASS(TqzSkin, TqzSkinPersistent)
 public:
  // Loads the resource named AName of type "QZSKINS" from AInstance when ALoadOnCreate.
  TqzSkin(const String& AName, bool ALoadOnCreate, HINSTANCE AInstance);
  ~TqzSkin() override;

  void Assign(TPersistent* Source) override;
  TqzSkinCustomPersistentObject* Clone() override;
  void Delete(TObject* AItem) override;

  TqzSkinColor* AddColor(const String& AName, TColor AValue);
  TqzSkinControlGroup* AddGroup(const String& AName);
  TqzSkinColor* GetColorByName(const String& AName);
  TqzSkinControlGroup* GetGroupByName(const String& AName);
  Integer ColorCount() const { return FColors->GetCount(); }
  TqzSkinColor* Colors(Integer Index) const;
  Integer GroupCount() const { return FGroups->GetCount(); }
  TqzSkinControlGroup* Groups(Integer Index) const;
  // Empties groups, colours and properties without notification.
  void Clear();

  void AddListener(IqzSkinChangeListener* AListener);
  void RemoveListener(IqzSkinChangeListener* AListener);
  Integer ListenerCount() const { return static_cast<Integer>(FListeners.size()); }

  virtual void LoadFromResource(HINSTANCE AInstance);
  // Reads a whole skin; on any failure the skin keeps its name, version and content.
  virtual void LoadFromStream(TStream* AStream);
  virtual void SaveToStream(TStream* AStream);

  Double GetVersion() const noexcept { return FVersion; }

 protected:
  void DoChange() override;
  void Sort() override;

 private:
  void ReadContent(TStream* AStream);
  void TakeOver(TqzSkin* Source);

  std::unique_ptr<TkvObjectList> FColors;
  std::unique_ptr<TkvObjectList> FGroups;
  std::vector<IqzSkinChangeListener*> FListeners;
  Double FVersion = kqzSkinStreamVersion;
};

class TqzSkinControlGroup : public TqzSkinPersistent {
  TAVREN_CLASS(TqzSkinControlGroup, TqzSkinPersistent)
 public:
  explicit TqzSkinControlGroup(TPersistent* AOwner, const String& AName = String());
  ~TqzSkinControlGroup() override;

  void Assign(TPersistent* Source) override;
  void Delete(TObject* AItem) override;

  TqzSkinElement* AddElement(const String& AName);
  TqzSkinElement* AddElementOfClass(const String& AName, TClassOf<TqzSkinElement> AClass);
  TqzSkinElement* GetElementByName(const String& AName);
  Integer ElementCount() const { return FElements->GetCount(); }
  TqzSkinElement* Elements(Integer Index) const;
  TqzSkin* Skin() { return static_cast<TqzSkin*>(GetOwner()); }

  virtual void ReadData(TStream* AStream, Double AVersion);
  virtual void WriteData(TStream* AStream);

 protected:
  void Sort() override;

 private:
  std::unique_ptr<TkvObjectList> FElements;
};

// ---- Typed properties ---------------------------------------------------------------------

class TqzSkinProperty : public TqzSkinCustomPersistentObject {
  TAVREN_CLASS(TqzSkinProperty, TqzSkinCustomPersistentObject)
 public:
  explicit TqzSkinProperty(TPersistent* AOwner, const String& AName = String());

  virtual void ReadData(TStream* AStream);
  virtual void WriteData(TStream* AStream);
  void ReadFromStream(TStream* AStream);
  void WriteToStream(TStream* AStream);
  // The class name without "TqzSkin" and "Property": "Integer", "Color", "Borders".
  virtual String GetDescription();
  virtual bool Compare(TqzSkinProperty* AProperty);
};

class TqzSkinIntegerProperty : public TqzSkinProperty {
  TAVREN_CLASS(TqzSkinIntegerProperty, TqzSkinProperty)
 public:
  using TqzSkinProperty::TqzSkinProperty;
  void Assign(TPersistent* Source) override;
  void ReadData(TStream* AStream) override;
  void WriteData(TStream* AStream) override;
  bool Compare(TqzSkinProperty* AProperty) override;
  Integer GetValue() const noexcept { return FValue; }
  void SetValue(Integer AValue);

 private:
  Integer FValue = 0;
};

class TqzSkinBooleanProperty : public TqzSkinProperty {
  TAVREN_CLASS(TqzSkinBooleanProperty, TqzSkinProperty)
 public:
  using TqzSkinProperty::TqzSkinProperty;
  void Assign(TPersistent* Source) override;
  void ReadData(TStream* AStream) override;
  void WriteData(TStream* AStream) override;
  bool Compare(TqzSkinProperty* AProperty) override;
  bool GetValue() const noexcept { return FValue; }
  void SetValue(bool AValue);

 private:
  bool FValue = false;
};

class TqzSkinColor : public TqzSkinProperty {
  TAVREN_CLASS(TqzSkinColor, TqzSkinProperty)
 public:
  using TqzSkinProperty::TqzSkinProperty;
  void Assign(TPersistent* Source) override;
  void ReadData(TStream* AStream) override;
  void WriteData(TStream* AStream) override;
  bool Compare(TqzSkinProperty* AProperty) override;
  TColor GetValue() const noexcept { return FValue; }
  void SetValue(TColor AValue);

 private:
  TColor FValue = clDefault;
};

class TqzSkinRectProperty : public TqzSkinProperty {
  TAVREN_CLASS(TqzSkinRectProperty, TqzSkinProperty)
 public:
  explicit TqzSkinRectProperty(TPersistent* AOwner, const String& AName = String());
  void Assign(TPersistent* Source) override;
  void ReadData(TStream* AStream) override;
  void WriteData(TStream* AStream) override;
  bool Compare(TqzSkinProperty* AProperty) override;
  // 0 Left, 1 Top, 2 Right, 3 Bottom.
  Integer GetValueByIndex(Integer Index) const { return FValue->GetSide(Index); }
  void SetValueByIndex(Integer Index, Integer AValue) { FValue->SetSide(Index, AValue); }
  TkvRect* GetValue() const noexcept { return FValue.get(); }

 private:
  void RectChanged(TObject* Sender);
  std::unique_ptr<TkvRect> FValue;
};

class TqzSkinSizeProperty : public TqzSkinProperty {
  TAVREN_CLASS(TqzSkinSizeProperty, TqzSkinProperty)
 public:
  using TqzSkinProperty::TqzSkinProperty;
  void Assign(TPersistent* Source) override;
  void ReadData(TStream* AStream) override;
  void WriteData(TStream* AStream) override;
  bool Compare(TqzSkinProperty* AProperty) override;
  // 0 the width (cx), 1 the height (cy).
  Integer GetValueByIndex(Integer Index) const { return Index == 0 ? FValue.cx : FValue.cy; }
  void SetValueByIndex(Integer Index, Integer AValue);
  const TSize& GetValue() const noexcept { return FValue; }
  void SetValue(const TSize& AValue);

 private:
  TSize FValue;
};

class TqzSkinStringProperty : public TqzSkinProperty {
  TAVREN_CLASS(TqzSkinStringProperty, TqzSkinProperty)
 public:
  using TqzSkinProperty::TqzSkinProperty;
  void Assign(TPersistent* Source) override;
  void ReadData(TStream* AStream) override;
  void WriteData(TStream* AStream) override;
  bool Compare(TqzSkinProperty* AProperty) override;
  const String& GetValue() const noexcept { return FValue; }
  void SetValue(const String& AValue);

 private:
  String FValue;
};

class TqzSkinBorder : public TqzSkinProperty {
  TAVREN_CLASS(TqzSkinBorder, TqzSkinProperty)
 public:
  using TqzSkinProperty::TqzSkinProperty;
  void Assign(TPersistent* Source) override;
  void ReadData(TStream* AStream) override;
  void WriteData(TStream* AStream) override;
  bool Compare(TqzSkinProperty* AProperty) override;

  // The strip of width Thin along its side of R, in Color; nothing for clNone.
  void Draw(HDC DC, const TRect& R);
  virtual void DrawEx(TqzSkinCanvas* ACanvas, const TRect& R);

  TColor GetColor() const noexcept { return FColor; }
  void SetColor(TColor AValue);
  Integer GetThin() const noexcept { return FThin; }
  void SetThin(Integer AValue);
  // 0 left, 1 top, 2 right, 3 bottom.
  Integer GetSide() const noexcept { return FSide; }
  void SetSide(Integer AValue) { FSide = AValue; }

 private:
  TColor FColor = clNone;
  Integer FThin = 1;
  Integer FSide = 0;
};

class TqzSkinBorders : public TqzSkinProperty {
  TAVREN_CLASS(TqzSkinBorders, TqzSkinProperty)
 public:
  explicit TqzSkinBorders(TPersistent* AOwner, const String& AName = String());
  ~TqzSkinBorders() override;
  void Assign(TPersistent* Source) override;
  bool Compare(TqzSkinProperty* AProperty) override;
  // 0 left, 1 top, 2 right, 3 bottom.
  TqzSkinBorder* Items(Integer Side) const { return const_cast<TqzSkinBorder*>(&FBorders[Side]); }
  TqzSkinBorder* GetLeft() const { return Items(0); }
  TqzSkinBorder* GetTop() const { return Items(1); }
  TqzSkinBorder* GetRight() const { return Items(2); }
  TqzSkinBorder* GetBottom() const { return Items(3); }

 protected:
  virtual void BorderChanged(TObject* Sender);

 private:
  // Held in place: every element has four, so they cost no allocation of their own.
  TqzSkinBorder FBorders[4];
};

// ---- Images -------------------------------------------------------------------------------

// One PNG picture of an element, cut into ImageCount blocks along its layout axis, each block one
// frame per held state in state order; each frame is drawn in nine parts by its margins.
class TqzSkinImage : public TPersistent {
  TAVREN_CLASS(TqzSkinImage, TPersistent)
 public:
  using TCreateArg = TqzSkinElement*;
  explicit TqzSkinImage(TqzSkinElement* AOwner);
  ~TqzSkinImage() override;

  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;
  bool Compare(TqzSkinImage* AImage);

  void Clear();
  bool Empty() const;
  // The stored name, else the element's path and image name ("Common\Button_Image.png").
  String SourceName() const;
  void SetSourceName(const String& AName) { FSourceName = AName; }
  // The picture, decoded on first use; a picture that fails to decode stays empty.
  TqzPNGImage* Picture();
  void SetPicture(TqzPNGImage* APicture);

  // Frame geometry.
  void CheckInfo();
  TSize Size();
  Integer StateCount();
  TRect GetStateRect(Integer AImageIndex, TqzSkinElementState AState);
  void CheckState(TqzSkinElementState& AState);
  void CalculateParts(const TRect& R, TRect (&AParts)[9], bool (&AVisible)[9], bool AIsDestination);

  void Draw(HDC DC, const TRect& R, Integer AImageIndex, TqzSkinElementState AState);
  void DrawEx(TqzSkinCanvas* ACanvas, const TRect& R, Integer AImageIndex, TqzSkinElementState AState);

  void ReadData(TStream* AStream);
  void WriteData(TStream* AStream);

  TqzSkinGradientMode GetGradient() const noexcept { return FGradient; }
  void SetGradient(TqzSkinGradientMode AValue);
  TColor GetGradientBeginColor() const noexcept { return FGradientBeginColor; }
  void SetGradientBeginColor(TColor AValue);
  TColor GetGradientEndColor() const noexcept { return FGradientEndColor; }
  void SetGradientEndColor(TColor AValue);
  TqzSkinImageLayout GetImageLayout() const noexcept { return FImageLayout; }
  void SetImageLayout(TqzSkinImageLayout AValue);
  TkvRect* GetMargins() const noexcept { return FMargins.get(); }
  void SetMargins(TkvRect* AValue) { FMargins->Assign(AValue); }
  const TqzSkinElementStates& GetStates() const noexcept { return FStates; }
  void SetStates(const TqzSkinElementStates& AValue);
  TqzSkinStretchMode GetStretch() const noexcept { return FStretch; }
  void SetStretch(TqzSkinStretchMode AValue);
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
  TqzSkinElement* Element() const noexcept { return FOwner; }
  // Marks the frame geometry for recomputation (the element's image count changed).
  void Invalidate() { FDirty = true; }

 protected:
  virtual void Changed();
  virtual void CalculateInfo();
  virtual void DrawPart(TqzSkinCanvas* ACanvas, const TRect& ADest, const TRect& ASource, bool AStretched,
                        bool AIsCentre);

 private:
  void MarginsChanged(TObject* Sender);
  void DecodePicture();
  TSize PictureSize();

  TqzSkinElement* FOwner;
  // Made when the image first holds a picture: most elements of a skin never need one.
  std::unique_ptr<TqzPNGImage> FPicture;
  // The PNG file read from a stream (checked, decoded at first use) until the picture is replaced:
  // writing it back gives the same bytes.
  std::vector<Byte> FEncoded;
  TSize FEncodedSize;
  bool FDecoded = false;
  String FSourceName;
  TqzSkinGradientMode FGradient = gmHorizontal;
  TColor FGradientBeginColor = clNone;
  TColor FGradientEndColor = clNone;
  TqzSkinImageLayout FImageLayout = ilHorizontal;
  TqzInPlace<TkvRect> FMargins;
  TqzSkinElementStates FStates;
  TqzSkinStretchMode FStretch = smStretch;
  TNotifyEvent FOnChange;

  // Frame geometry, valid while FDirty is clear.
  bool FDirty = true;
  Byte FFrameIndex[kqzSkinElementStateCount] = {};
  Integer FStateCount = 0;
  TSize FFrameSize;
  TRect FFrameRects[kqzSkinElementStateCount] = {};
  bool FPartStretched[9] = {};
};

// ---- Elements -----------------------------------------------------------------------------

class TqzSkinElement : public TqzSkinPersistent {
  TAVREN_CLASS(TqzSkinElement, TqzSkinPersistent)
 public:
  explicit TqzSkinElement(TPersistent* AOwner, const String& AName = String());
  ~TqzSkinElement() override;

  void Assign(TPersistent* Source) override;
  virtual bool CompareProperties(TqzSkinElement* AElement);
  virtual String GetImageName(TqzSkinImage* AImage);
  virtual void ReadData(TStream* AStream, Double AVersion);
  virtual void WriteData(TStream* AStream, Double AVersion);
  virtual bool Compare(TqzSkinElement* AElement);
  virtual void Draw(HDC DC, const TRect& R, Integer AImageIndex, TqzSkinElementState AState);
  void DrawEx(TqzSkinCanvas* ACanvas, const TRect& R, Integer AImageIndex, TqzSkinElementState AState);
  void FillBackground(TqzSkinCanvas* ACanvas, const TRect& R);

  TqzSkinControlGroup* Group() { return static_cast<TqzSkinControlGroup*>(GetOwner()); }
  TqzSkin* Skin();
  // The group's name and a backslash.
  String Path();
  // The frame size of the image.
  TSize Size() { return FImage->Size(); }
  bool HasAlpha();

  Byte GetAlpha() const noexcept { return FAlpha; }
  void SetAlpha(Byte AValue);
  TqzSkinBorders* GetBorders() const noexcept { return FBorders.get(); }
  void SetBorders(TqzSkinBorders* AValue) { FBorders->Assign(AValue); }
  TColor GetColor() const noexcept { return FColor; }
  void SetColor(TColor AValue);
  TkvRect* GetContentOffset() const noexcept { return FContentOffset.get(); }
  void SetContentOffset(TkvRect* AValue) { FContentOffset->Assign(AValue); }
  TqzSkinImage* GetGlyph() const noexcept { return FGlyph.get(); }
  void SetGlyph(TqzSkinImage* AValue) { FGlyph->Assign(AValue); }
  TqzSkinImage* GetImage() const noexcept { return FImage.get(); }
  void SetImage(TqzSkinImage* AValue) { FImage->Assign(AValue); }
  Integer GetImageCount() const noexcept { return FImageCount; }
  void SetImageCount(Integer AValue);
  TkvSize* GetMinSize() const noexcept { return FMinSize.get(); }
  void SetMinSize(TkvSize* AValue) { FMinSize->Assign(AValue); }
  TColor GetTextColor() const noexcept { return FTextColor; }
  void SetTextColor(TColor AValue);
  // Whether Color is a real colour (neither clDefault nor clNone).
  bool IsColorAssigned() const noexcept { return FIsColorAssigned; }

 private:
  void SubObjectChanged(TObject* Sender) { SubItemChanged(Sender); }
  // The translucent fill's brush in the current colour, made at first use.
  GpBrush* FillBrush();

  Byte FAlpha = 255;
  TqzInPlace<TqzSkinBorders> FBorders;
  TColor FColor = clDefault;
  TqzInPlace<TkvRect> FContentOffset;
  TqzInPlace<TqzSkinImage> FGlyph;
  TqzInPlace<TqzSkinImage> FImage;
  Integer FImageCount = 1;
  TqzInPlace<TkvSize> FMinSize;
  TColor FTextColor = clDefault;
  std::unique_ptr<TqzSkinCanvas> FCanvas;  // made at the first Draw
  GpBrush* FBrush = nullptr;
  bool FIsColorAssigned = false;
};

// Drawn in place of a missing element: white, framed in red.
class TqzSkinEmptyElement : public TqzSkinElement {
  TAVREN_CLASS(TqzSkinEmptyElement, TqzSkinElement)
 public:
  using TqzSkinElement::TqzSkinElement;
  void Draw(HDC DC, const TRect& R, Integer AImageIndex, TqzSkinElementState AState) override;
};

// AElement, or the shared empty element when AElement is nil (nil outside the unit's life).
TqzSkinElement* SkinElementOrEmpty(TqzSkinElement* AElement);

// ---- Part stream --------------------------------------------------------------------------

// A window [PosStart, PosEnd) onto a source stream: seeks are clamped to it and reads stop at its
// end, so that a picture's reader never takes the next record.
class TqzSkinPartStream : public TStream {
  TAVREN_CLASS(TqzSkinPartStream, TStream)
 public:
  explicit TqzSkinPartStream(TStream* ASource) : FSource(ASource) {}
  using TStream::Seek;
  void Initialize(TStream* ASource, Int64 AStart, Int64 AEnd);
  void SetBounds(Int64 AStart, Int64 AEnd);
  Integer Read(void* Buffer, Integer Count) override;
  Integer Write(const void* Buffer, Integer Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  Int64 GetSize() override { return FPosEnd - FPosStart; }

 private:
  TStream* FSource;
  Int64 FPosStart = 0;
  Int64 FPosEnd = 0;
};

// The part stream the reader hands pictures through; nil outside the unit's life.
TqzSkinPartStream* SharedSkinPartStream();

// ---- Stream routines ----------------------------------------------------------------------

// Strings and counts are bounded by the bytes left in the stream: a value that cannot fit raises
// EqzSkin "Invalid stream format" before anything is allocated.
String ReadSkinString(TStream* AStream);
void WriteSkinString(TStream* AStream, const String& AValue);
Integer ReadSkinInteger(TStream* AStream);
void WriteSkinInteger(TStream* AStream, Integer AValue);
// A count of records, each at least AMinRecordSize bytes long.
Integer ReadSkinCount(TStream* AStream, Integer AMinRecordSize);
// False when the signature is not "qzSkin"; the version is read only after a good signature.
bool ReadSkinSignature(TStream* AStream, Double& AVersion);
void WriteSkinSignature(TStream* AStream);
// EqzSkin with the version message below 1.0; "Invalid stream format" when not a number.
void CheckSkinVersion(Double AVersion);
[[noreturn]] void RaiseInvalidSkinStream();

// Checks the PNG file in Data: signature, header (sides 1..4096, at most 4 M pixels, a known
// colour type and depth), every chunk inside the data with its CRC, ending with IEND. Answers
// false for anything else; Size is the picture's size.
bool CheckSkinPicture(const Byte* Data, size_t Count, TSize& Size);

// (AAlpha shl 24) or the colour's red, green, blue.
Cardinal SkinColorToARGB(TColor AColor, Byte AAlpha);

// ---- Property classes ---------------------------------------------------------------------

// Only these classes may be named by a property record of a stream.
void RegisterSkinPropertyClass(TqzSkinPropertyClass AClass);
// nullptr when AName is no registered skin property class.
TqzSkinPropertyClass FindSkinPropertyClass(const String& AName);

// ---- Canvas and element cache -------------------------------------------------------------

// The graphics surface of one paint: a DC (through a 32-bit buffer on low-colour devices) or a
// graphics object given by the caller.
class TqzSkinCanvas : public TObject {
  TAVREN_CLASS(TqzSkinCanvas, TObject)
 public:
  ~TqzSkinCanvas() override;

  void BeginPaint(HDC DC, const TRect& R);
  void BeginPaintOnGraphics(GpGraphics* AGraphics, const TRect& R);
  void EndPaint();
  static bool IsLowColorDevice(HDC DC);
  static bool CanDraw(HDC DC, const TRect& R);

  void FillRect(const TRect& R, TColor AColor);
  void FillGradientRect(const TRect& R, TColor AColor1, TColor AColor2, TqzSkinGradientMode AMode);
  void FillDiagonalGradient(const TRect& R, TColor AColor1, TColor AColor2, bool AForward);
  void DrawImage(TqzPNGImage* APicture, const TRect& ADest, const TRect& ASource);
  void DrawImageUnscaled(TqzPNGImage* APicture, const TRect& ADest, const TRect& ASource);
  void TileImage(TqzPNGImage* APicture, const TRect& ADest, const TRect& ASource);
  InterpolationMode GetInterpolationMode();
  void SetInterpolationMode(InterpolationMode AMode);

  GpGraphics* Graphics() const noexcept { return FGraphics; }

 private:
  TRect FRect;
  HDC FSourceDC = nullptr;
  GpGraphics* FGraphics = nullptr;
  bool FOwnsGraphics = false;
  std::unique_ptr<TkvBitmap> FBuffer;
};

// One element drawn once at one size, state and image index; later paints copy it.
class TqzSkinElementCache : public TObject {
  TAVREN_CLASS(TqzSkinElementCache, TObject)
 public:
  ~TqzSkinElementCache() override;
  void CheckCacheState(TqzSkinElement* AElement, const TRect& R, TqzSkinElementState AState, Integer AImageIndex);
  void Draw(HDC DC, const TRect& R);
  void FreeCache();
  // How often the element was drawn into the cache.
  Integer RenderCount() const noexcept { return FRenderCount; }

 private:
  void Render();

  TqzSkinElement* FElement = nullptr;
  Integer FImageIndex = 0;
  TRect FRect;
  TqzSkinElementState FState = esNormal;
  bool FHasAlpha = false;
  GpBitmap* FBitmap = nullptr;  // pictures with alpha
  HBITMAP FOpaque = nullptr;     // opaque pictures
  Integer FRenderCount = 0;
};

// Unit start: registers the unit's set-up and clean-up with the graphics library's unit loader.
void qzSkinsCoreStart();
void qzSkinsCoreEnd();
