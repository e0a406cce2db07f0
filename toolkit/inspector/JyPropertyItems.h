#pragma once
// The rows of the property inspector: TJyPropertyItem (caption, value, suffix and flags of one
// row) and TJyPropertyItems, the inspector's collection that keeps every item in tree order and
// the rows below the categories in name order, tracks parents, levels and collapse state, and
// reports each change to the inspector as one notification with a numeric kind.
//
// Items are components of the form that holds the inspector. They stream nested in the
// inspector, each inside its parent item, and attach themselves as the form is read.

#include <memory>
#include <vector>

#include "rtl/Component.h"
#include "rtl/StringList.h"
#include "toolkit/inspector/JyStdCtrls.h"
#include "vcl/Graphics.h"

class TJyComboBox;
class TJyCustomEdit;
class TJyCustomInspector;
class TJyItemDisplay;
class TJyPropertyItems;

enum TItemOption { itoAutoApply, itoBoldNonDefault };
TAVREN_ENUM_INFO(TItemOption, itoAutoApply, itoBoldNonDefault);
using TItemOptions = TSet<TItemOption, 2>;
enum TSuffixStyle { ssDropDown, ssDropDownList };
TAVREN_ENUM_INFO(TSuffixStyle, ssDropDown, ssDropDownList);
enum TItemsArrange { taCatagory, taName };
TAVREN_ENUM_INFO(TItemsArrange, taCatagory, taName);

// The kinds of change an item reports (the Kind of OnItemChange).
enum : Integer {
  ickAdded = 0,
  ickRepaint = 1,
  ickRemoved = 2,
  ickCollapsed = 3,
  ickDeleted = 4,
  ickEnabled = 5,
  ickExpanded = 6,
  ickOptions = 7,
  ickRepaintValue = 8,
  ickValue = 9,
  ickSuffixValue = 11,
  ickToolbarText = 12,
  ickToolbarClick = 13,
  ickToolbarButton = 14,
  ickVisibility = 16,
};

class TJyPropertyItem : public TComponent {
  TAVREN_CLASS(TJyPropertyItem, TComponent)
 public:
  explicit TJyPropertyItem(TComponent* AOwner);
  ~TJyPropertyItem() override;
  // Makes the display and the editor of the item's kind (the kind's classes, not the base's).
  void AfterConstruction() override { EnsureParts(); }
  void BeforeDestruction() override;
  void Assign(TPersistent* Source) override;

  // Value conversions; kinds override them.
  virtual bool GetAsBoolean() { return false; }
  virtual double GetAsDateTime() { return 0; }
  virtual double GetAsFloat() { return 0; }
  virtual Integer GetAsInteger() { return 0; }
  virtual String GetAsString() { return String(); }
  virtual TClassOf<TJyItemDisplay> DisplayClass();
  virtual TClassOf<TJyCustomEdit> EditorClass() { return nullptr; }
  virtual String GetValue() { return GetAsString(); }
  virtual bool SupportsPreview() { return false; }
  virtual void SetAsBoolean(bool) { Changed(); }
  virtual void SetAsDateTime(double) { Changed(); }
  virtual void SetAsFloat(double) { Changed(); }
  virtual void SetAsInteger(Integer) { Changed(); }
  virtual void SetAsString(const String&) { Changed(); }
  virtual void SetValue(const String& Value) { SetAsString(Value); }
  virtual bool HasEditor() { return false; }
  // Puts the editor into the in-place look with the value.
  virtual void PrepareEditor();
  virtual void ShowSuffixEditor();
  virtual void HideEditor();
  virtual void HideSuffixEditor();

  // Kind 9, then the value goes to the associated component's property.
  void Changed();
  void ItemChanged(Integer Kind, Integer Index = -1);
  Integer Indent() const { return FLevel > 1 ? (FLevel - 1) * 14 : 0; }
  Integer RowTop();
  bool AllAncestorsExpanded() const;
  bool IsTopLevel() const { return FLevel == 0; }
  bool Hidden() const { return FHidden; }
  Integer GetAbsoluteIndex() const;
  Integer GetSortedIndex() const;
  Integer GetNodeIndex() const;
  TJyPropertyItem* GetParentItem() const { return FParent; }
  Integer ChildCount() const { return FChildCount; }
  bool HasChildren() const { return FChildCount > 0; }
  TJyPropertyItems* Collection() const { return FCollection; }
  TJyItemDisplay* Display() {
    EnsureParts();
    return FDisplay.get();
  }
  TJyCustomEdit* Editor() {
    EnsureParts();
    return FEditor;
  }
  TJyComboBox* SuffixEditor() const { return FSuffixEditor; }
  TJyCustomInspector* Inspector() const;
  Integer GetParentIndex() const { return FParentIndex; }
  void ReadFromAssociate();
  void WriteToAssociate();

  // Streaming: items nest in the stream as they nest in the tree.
  bool HasParent() override { return true; }
  TComponent* GetParentComponent() override;

  // Published.
  String GetCaption() const { return FCaption; }
  void SetCaption(const String& Value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  String GetDefaultValue() const { return FDefaultValue; }
  void SetDefaultValue(const String& Value);
  String GetEmptyValue() const { return FEmptyValue; }
  void SetEmptyValue(const String& Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool GetExpanded() const { return FExpanded; }
  void SetExpanded(bool Value);
  bool GetExpandLock() const { return FExpandLock; }
  void SetExpandLock(bool Value) { FExpandLock = Value; }
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value);
  String GetFullText() { return GetValue() + FSuffixValue; }
  Integer GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(Integer Value) { FHelpContext = Value; }
  String GetHint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  Integer GetLevel() const { return FLevel; }
  String GetMapProperty() const { return FMapProperty; }
  void SetMapProperty(const String& Value);
  String GetMapXML() const { return FMapXML; }
  void SetMapXML(const String& Value) { FMapXML = Value; }
  TItemOptions GetOptions() const { return FOptions; }
  void SetOptions(TItemOptions Value);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value) { FShowHint = Value; }
  bool GetShowPreview() const { return FShowPreview; }
  void SetShowPreview(bool Value);
  bool GetShowSuffix() const { return FShowSuffix; }
  void SetShowSuffix(bool Value);
  TStrings* GetSuffixes() const { return FSuffixes.get(); }
  void SetSuffixes(TStrings* Value) { FSuffixes->Assign(Value); }
  TSuffixStyle GetSuffixStyle() const { return FSuffixStyle; }
  void SetSuffixStyle(TSuffixStyle Value) { FSuffixStyle = Value; }
  String GetSuffixValue() const { return FSuffixValue; }
  void SetSuffixValue(const String& Value);
  String GetTagString() const { return FTagString; }
  void SetTagString(const String& Value) { FTagString = Value; }
  TFont* GetValueFont() const { return FValueFont.get(); }
  void SetValueFont(TFont* Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);

 protected:
  void SetParentComponent(TComponent* Value) override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void DefineProperties(TFiler* Filer) override;
  // Being read from a stream: no notifications.
  bool Reading() const { return GetComponentState().Contains(csReading); }
  // Called once the kind's editor exists, for kinds that listen to it.
  virtual void EditorMade() {}
  bool IsFontStored() const;
  bool IsValueFontStored() const;

 private:
  friend class TJyPropertyItems;
  void EnsureParts();
  void FontChanged(TObject* Sender);
  void ValueFontChanged(TObject* Sender);
  void SortByCaption();
  // The object and the property MapProperty names from the inspector's Associate.
  bool ResolveMap(TObject*& Instance, const struct TPropInfo*& Info, String& Name);

  String FCaption;
  TColor FColor = clWindow;
  Integer FChildCount = 0;
  String FDefaultValue;
  std::unique_ptr<TJyItemDisplay> FDisplay;
  TJyCustomEdit* FEditor = nullptr;
  String FEmptyValue;
  bool FEnabled = true;
  bool FExpanded = true;
  bool FExpandLock = false;
  std::unique_ptr<TFont> FFont;
  Integer FHelpContext = 0;
  bool FHidden = false;
  String FHint;
  Integer FImageIndex = -1;
  TJyPropertyItems* FCollection = nullptr;
  bool FReadingAssociate = false;
  bool FAttached = false;
  Integer FLevel = 0;
  String FMapProperty;
  String FMapXML;
  TItemOptions FOptions;
  Integer FParentIndex = -1;
  TJyPropertyItem* FParent = nullptr;
  bool FReadOnly = false;
  bool FShowHint = false;
  bool FShowPreview = false;
  bool FShowSuffix = false;
  TJyComboBox* FSuffixEditor = nullptr;
  std::unique_ptr<TJyStrings> FSuffixes;
  TSuffixStyle FSuffixStyle = ssDropDown;
  String FSuffixValue;
  String FTagString;
  std::unique_ptr<TFont> FValueFont;
  bool FVisible = true;
  bool FPartsMade = false;
};

using TJyItemChangeEvent =
    TEvent<void(TObject* Sender, TJyPropertyItem* Item, Integer Index, Integer Kind)>;

class TJyPropertyItems : public TComponent {
  TAVREN_CLASS(TJyPropertyItems, TComponent)
 public:
  explicit TJyPropertyItems(TComponent* AOwner);
  ~TJyPropertyItems() override;

  void AddItem(TJyPropertyItem* Parent, TJyPropertyItem* Item, bool AddAsLast);
  void Remove(TJyPropertyItem* Item);
  // Frees the item's descendants, each reported deleted (kind 4) while still attached.
  void DeleteChildren(TJyPropertyItem* Item);
  void Clear();
  void SetArrange(TItemsArrange Arrange);

  Integer GetCount() const { return static_cast<Integer>(FTree.size()); }
  TJyPropertyItem* GetItem(Integer I) const { return FTree[I]; }
  Integer GetNodeCount() const { return static_cast<Integer>(Active().size()); }
  TJyPropertyItem* GetNode(Integer I) const { return Active()[I]; }
  Integer GetSortedCount() const { return static_cast<Integer>(FSorted.size()); }
  TJyPropertyItem* GetSorted(Integer I) const { return FSorted[I]; }
  const std::vector<TJyPropertyItem*>& TreeList() const { return FTree; }
  const std::vector<TJyPropertyItem*>& SortedList() const { return FSorted; }
  const std::vector<TJyPropertyItem*>& Active() const { return FArrange == taName ? FSorted : FTree; }
  TItemsArrange GetArrange() const { return FArrange; }
  static Integer DescendantCount(const std::vector<TJyPropertyItem*>& List, const TJyPropertyItem* Item);
  TJyCustomInspector* Inspector() const { return FOwnerControl; }

  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
  TJyItemChangeEvent GetOnItemChange() const { return FOnItemChange; }
  void SetOnItemChange(TJyItemChangeEvent Value) { FOnItemChange = Value; }

 private:
  friend class TJyPropertyItem;
  static Integer IndexIn(const std::vector<TJyPropertyItem*>& List, const TJyPropertyItem* Item);
  TJyCustomInspector* FOwnerControl;
  std::vector<TJyPropertyItem*> FTree;
  std::vector<TJyPropertyItem*> FSorted;
  TItemsArrange FArrange = taCatagory;
  TNotifyEvent FOnChange;
  TJyItemChangeEvent FOnItemChange;
};
