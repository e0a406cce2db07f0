#pragma once
// Style objects: a named set of visual values (background colour, text colour, font, background
// bitmap) defined once on a form and referred to by controls.
//  - TkvStyle holds the values and which of them are set; a user reads a value only when its flag
//    is set;
//  - TkvStyleRepository is the non-visual component that owns styles and style sheets;
//  - TkvCustomStyleSheet is a named set of styles for a whole control, shared by the per-control
//    style lists (TkvCustomStyles), which follow the sheet chain and are told of style changes.

#include <vector>

#include "rtl/Component.h"
#include "rtl/Sets.h"
#include "rtl/TypInfo.h"
#include "toolkit/foundation/kvClasses.h"
#include "vcl/Graphics.h"

// The style values share their literal names with the container's style values, so they live in
// a namespace of their own.
namespace kvStyles {
enum TkvStyleValue { svBitmap, svColor, svFont, svTextColor };
}  // namespace kvStyles
using kvStyles::TkvStyleValue;
// Streamed as a byte: bit 0 svBitmap, 1 svColor, 2 svFont, 3 svTextColor.
using TkvStyleValues = TSet<TkvStyleValue, 4>;

template <>
struct TTypeInfoOf<TkvStyleValue> {
  static constexpr TTypeInfo Info{tkEnumeration, "TkvStyleValue", 0, 3, "svBitmap, svColor, svFont, svTextColor"};
};

class TkvCustomStyle;
class TkvCustomStyles;
class TkvCustomStyleSheet;
class TkvStyleRepository;

class IkvStyleObserver : public virtual IInterface {
  TAVREN_INTERFACE(IkvStyleObserver)
 public:
  virtual void NotifyStyleChanged(TkvCustomStyle* AStyle) = 0;
  virtual void NotifyStyleRemoved(TkvCustomStyle* AStyle) = 0;
};

// ---- Styles --------------------------------------------------------------------------------

class TkvCustomStyle : public TComponent {
  TAVREN_CLASS(TkvCustomStyle, TComponent)
 public:
  explicit TkvCustomStyle(TComponent* AOwner) : TComponent(AOwner) {}
  ~TkvCustomStyle() override;

  // A listener is kept once; Changed tells them from the last to the first.
  void AttachObserver(IkvStyleObserver* AObserver);
  void DetachObserver(IkvStyleObserver* AObserver);
  const std::vector<IkvStyleObserver*>& Listeners() const noexcept { return FListeners; }
  virtual void ResetValues() {}

  TkvStyleRepository* GetStyleRepository() const noexcept { return FStyleRepository; }
  void SetStyleRepository(TkvStyleRepository* Value);

  bool HasParent() override { return true; }
  TComponent* GetParentComponent() override;
  void SetParentComponent(TComponent* Value) override;

 protected:
  void Changed();
  void ReadState(TReader* Reader) override;

 private:
  TkvStyleRepository* FStyleRepository = nullptr;
  std::vector<IkvStyleObserver*> FListeners;
};

class TkvStyle : public TkvCustomStyle {
  TAVREN_CLASS(TkvStyle, TkvCustomStyle)
 public:
  explicit TkvStyle(TComponent* AOwner);
  ~TkvStyle() override;

  void Assign(TPersistent* Source) override;
  void ResetValues() override;

  TkvStyleValues GetAssignedValues() const noexcept { return FAssignedValues; }
  void SetAssignedValues(TkvStyleValues Value);
  TBitmap* GetBitmap() const noexcept { return FBitmap.get(); }
  void SetBitmap(TBitmap* Value);
  TColor GetColor() const noexcept { return FColor; }
  void SetColor(TColor Value);
  TFont* GetFont() const noexcept { return FFont.get(); }
  void SetFont(TFont* Value);
  TColor GetTextColor() const noexcept { return FTextColor; }
  void SetTextColor(TColor Value);

  bool IsBitmapStored() const { return FAssignedValues.Contains(kvStyles::svBitmap); }
  bool IsColorStored() const { return FAssignedValues.Contains(kvStyles::svColor); }
  bool IsFontStored() const { return FAssignedValues.Contains(kvStyles::svFont); }
  bool IsTextColorStored() const { return FAssignedValues.Contains(kvStyles::svTextColor); }

 protected:
  void ReadState(TReader* Reader) override;

 private:
  void BitmapChanged(TObject* Sender);
  void FontChanged(TObject* Sender);
  void SetValueFlag(TkvStyleValue AValue, bool AAssigned);

  TkvStyleValues FAssignedValues;
  std::unique_ptr<TBitmap> FBitmap;
  TColor FColor = clDefault;
  std::unique_ptr<TFont> FFont;
  TColor FTextColor = clDefault;
};

using TkvCustomStyleClass = TClassOf<TkvCustomStyle>;

// ---- Style lists ---------------------------------------------------------------------------

class TkvStyleEntry : public TObject {
  TAVREN_CLASS(TkvStyleEntry, TObject)
 public:
  TkvStyleEntry(Integer AIndex, TkvCustomStyle* AStyle) : Index(AIndex), Style(AStyle) {}
  Integer Index;
  TkvCustomStyle* Style;
};

class TkvCustomStyles : public TkvInterfacedPersistent, public virtual IkvStyleObserver {
  TAVREN_CLASS(TkvCustomStyles, TkvInterfacedPersistent)
 public:
  using TCreateArg = TPersistent*;
  explicit TkvCustomStyles(TPersistent* AOwner);
  ~TkvCustomStyles() override;
  void Assign(TPersistent* Source) override;
  Integer Count() const { return static_cast<Integer>(FItems.size()); }
  TkvStyleEntry* Items(Integer Index) const { return FItems[Index].get(); }
  void Clear();
  void Delete(Integer Index);

  TkvCustomStyleSheet* GetStyleSheet() const noexcept { return FStyleSheet; }
  void SetStyleSheet(TkvCustomStyleSheet* Value) { AttachStyleSheet(Value); }
  TkvCustomStyleSheet* GetOwningSheet() const noexcept { return FOwningSheet; }

  void NotifyStyleChanged(TkvCustomStyle* AStyle) override;
  void NotifyStyleRemoved(TkvCustomStyle* AStyle) override;

 protected:
  // Descendant lists fill their entries through AddEntry; the entry's style is observed.
  void AddEntry(Integer AIndex, TkvCustomStyle* AStyle);
  virtual void Changed(Integer) {}
  virtual void DoChanged(Integer Index);
  void AttachStyleSheet(TkvCustomStyleSheet* Value);

 private:
  friend class TkvCustomStyleSheet;
  bool IsStyleSheetAcceptable(TkvCustomStyleSheet* Value) const;
  // The style indexes used along the sheet chain that starts at ASheet.
  static void CollectChainIndexes(TkvCustomStyleSheet* ASheet, std::vector<Integer>& Indexes);

  std::vector<std::unique_ptr<TkvStyleEntry>> FItems;
  TkvCustomStyleSheet* FStyleSheet = nullptr;
  TkvCustomStyleSheet* FOwningSheet = nullptr;
  bool FDestroying = false;
};

using TkvCustomStylesClass = TClassOf<TkvCustomStyles>;

// ---- Style sheets --------------------------------------------------------------------------

class TkvCustomStyleSheet : public TkvComponent {
  TAVREN_CLASS(TkvCustomStyleSheet, TkvComponent)
 public:
  explicit TkvCustomStyleSheet(TComponent* AOwner);
  ~TkvCustomStyleSheet() override;
  void AfterConstruction() override;

  void Assign(TPersistent* Source) override;
  virtual TkvCustomStylesClass GetStylesClass() const { return TkvCustomStyles::ClassInfo(); }

  String GetCaption() const;
  void SetCaption(const String& Value);
  bool IsCaptionStored() const { return !FCaption.empty(); }
  bool GetBuiltIn() const noexcept { return FBuiltIn; }
  TkvCustomStyles* GetStyles() const noexcept { return FStyles.get(); }
  void SetStyles(TkvCustomStyles* Value) { FStyles->Assign(Value); }
  TkvStyleRepository* GetStyleRepository() const noexcept { return FStyleRepository; }
  void SetStyleRepository(TkvStyleRepository* Value);
  const std::vector<TkvCustomStyles*>& Users() const noexcept { return FUsers; }

  void NotifyUsers(Integer Index);

  bool HasParent() override { return true; }
  TComponent* GetParentComponent() override;
  void SetParentComponent(TComponent* Value) override;

 protected:
  void DefineProperties(TFiler* Filer) override;
  void GetFakeComponentLinks(TList* List) override;
  void ReadState(TReader* Reader) override;

 private:
  friend class TkvCustomStyles;
  void AddUser(TkvCustomStyles* AUser);
  void RemoveUser(TkvCustomStyles* AUser);

  String FCaption;
  bool FBuiltIn = false;
  TkvStyleRepository* FStyleRepository = nullptr;
  std::unique_ptr<TkvCustomStyles> FStyles;
  std::vector<TkvCustomStyles*> FUsers;
};

using TkvCustomStyleSheetClass = TClassOf<TkvCustomStyleSheet>;

// ---- Repository ----------------------------------------------------------------------------

class TkvStyleRepository : public TComponent {
  TAVREN_CLASS(TkvStyleRepository, TComponent)
 public:
  explicit TkvStyleRepository(TComponent* AOwner) : TComponent(AOwner) {}
  ~TkvStyleRepository() override;

  virtual TkvCustomStyle* CreateStyle(TkvCustomStyleClass AStyleClass);
  virtual TkvCustomStyleSheet* CreateStyleSheet(TkvCustomStyleSheetClass ASheetClass);

  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  TkvCustomStyle* GetItems(Integer Index) const { return FItems[Index]; }
  Integer GetStyleSheetCount() const { return static_cast<Integer>(FStyleSheets.size()); }
  TkvCustomStyleSheet* GetStyleSheets(Integer Index) const { return FStyleSheets[Index]; }

  bool GetScalable() const noexcept { return FScalable; }
  void SetScalable(bool Value) { FScalable = Value; }
  Integer GetStoredPixelsPerInch() const noexcept { return FStoredPixelsPerInch; }
  // The number for the screen's pixels per inch when the form was stored at another density.
  Integer ScaleValue(Integer Value) const;

  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

 protected:
  void DefineProperties(TFiler* Filer) override;

 private:
  friend class TkvCustomStyle;
  friend class TkvCustomStyleSheet;
  void AddItem(TkvCustomStyle* AStyle);
  void RemoveItem(TkvCustomStyle* AStyle);
  void AddStyleSheet(TkvCustomStyleSheet* ASheet);
  void RemoveStyleSheet(TkvCustomStyleSheet* ASheet);

  bool FScalable = false;
  Integer FStoredPixelsPerInch = 0;
  std::vector<TkvCustomStyle*> FItems;
  std::vector<TkvCustomStyleSheet*> FStyleSheets;
};

void kvStylesStart();
void kvStylesEnd();
