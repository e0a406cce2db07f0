// The hyperlink edit: its Properties, link style and look, starting the link, the hand cursor of
// single-click mode, and the unit's registrations.

#include "toolkit/editors/kvHyperLinkEdit.h"

#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "toolkit/editors/kvEditUtils.h"
#include "user/Cursors.h"
#include "user/Shell.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL(TkvHyperLinkEditViewInfo)
TAVREN_CLASS_IMPL(TkvHyperLinkEditViewData)
TAVREN_CLASS_IMPL(TkvCustomHyperLinkEditProperties)
TAVREN_CLASS_IMPL_PUBLISHED(
    TkvHyperLinkEditProperties,
    PROPERTY_AS(Alignment, GetAlignment, SetAlignmentProp).Stored<&TkvCustomEditProperties::IsAlignmentStored>(),
    PROPERTY(AssignedValues), PROPERTY(AutoComplete).Stored(false), PROPERTY(AutoSelect).Default(false),
    PROPERTY(ClearKey).Default(0), PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
    PROPERTY(IncrementalSearch).Default(true), PROPERTY(LinkColor).Default(clBlue), PROPERTY(LookupItems),
    PROPERTY(LookupItemsSorted).Default(false), PROPERTY(ReadOnly).Stored<&TkvCustomEditProperties::IsReadOnlyStored>(),
    PROPERTY(StartKey).Default(16397), PROPERTY(SingleClick).Default(false),
    PROPERTY(UseLeftAlignmentOnEditing).Stored<&TkvCustomEditProperties::IsUseLeftAlignmentOnEditingStored>(),
    PROPERTY(UsePrefix).Default(upAlways), PROPERTY(ValidateOnEnter).Default(false), PROPERTY(OnChange),
    PROPERTY(OnEditValueChanged), PROPERTY(OnStartClick), PROPERTY(OnValidate))
TAVREN_CLASS_IMPL(TkvHyperLinkStyle)
TAVREN_CLASS_IMPL(TkvCustomHyperLinkEdit)
TAVREN_CLASS_IMPL_PUBLISHED(TkvHyperLinkEdit, PROPERTY(AutoSize).Default(true), PROPERTY(BeepOnEnter).Default(true),
                            PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
                            PROPERTY_AS(Properties, GetHyperLinkEditProperties, SetHyperLinkEditProperties),
                            PROPERTY_AS(Style, GetEditStyle, SetEditStyle),
                            PROPERTY_AS(StyleDisabled, GetEditStyleDisabled, SetEditStyleDisabled),
                            PROPERTY_AS(StyleFocused, GetEditStyleFocused, SetEditStyleFocused),
                            PROPERTY_AS(StyleHot, GetEditStyleHot, SetEditStyleHot),
                            PROPERTY_AS(Text, GetText, SetText), PROPERTY(OnEditing))
TAVREN_CLASS_IMPL(TkvFilterHyperLinkEditHelper)

// ---- Look --------------------------------------------------------------------------------------

void TkvHyperLinkEditViewInfo::CopyFrom(TkvContainerViewInfo* Other) {
  TkvCustomTextEditViewInfo::CopyFrom(Other);
  if (auto* other = dynamic_cast<TkvHyperLinkEditViewInfo*>(Other)) {
    LinkLook = other->LinkLook;
    LinkColor = other->LinkColor;
  }
}

void TkvHyperLinkEditViewInfo::PrepareCanvasFont(TkvCanvas* Canvas) {
  TkvCustomTextEditViewInfo::PrepareCanvasFont(Canvas);
  if (!LinkLook) return;
  TFont* font = Canvas->GetCanvas()->GetFont();
  TFontStyles style = font->GetStyle();
  style.Include(fsUnderline);
  font->SetStyle(style);
  font->SetColor(SelectionBarShown ? TextColor : LinkColor);
}

void TkvHyperLinkEditViewData::ComputeViewInfo(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P, Integer Button,
                                               TShiftState Shift, TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) {
  TkvCustomTextEditViewData::ComputeViewInfo(Canvas, Bounds, P, Button, Shift, ViewInfo, IsMouseEvent);
  auto* info = dynamic_cast<TkvHyperLinkEditViewInfo*>(ViewInfo);
  auto* properties = dynamic_cast<TkvCustomHyperLinkEditProperties*>(Properties);
  if (!info || !properties) return;
  info->LinkLook = Inplace;
  info->LinkColor = properties->GetLinkColor();
}

TColor TkvHyperLinkStyle::ResolveTextColor() {
  if (GetDirectAccess()) return TkvEditStyle::ResolveTextColor();
  auto* editor = dynamic_cast<TkvCustomEdit*>(OwningContainer());
  auto* properties = editor ? dynamic_cast<TkvCustomHyperLinkEditProperties*>(editor->GetEffectiveProperties()) : nullptr;
  return properties ? properties->GetLinkColor() : clBlue;
}

TFontStyles TkvHyperLinkStyle::ResolveTextStyle() {
  TFontStyles style = TkvEditStyle::ResolveTextStyle();
  style.Include(fsUnderline);
  return style;
}

// ---- Properties ----------------------------------------------------------------------------

TkvCustomHyperLinkEditProperties::TkvCustomHyperLinkEditProperties(TPersistent* AOwner)
    : TkvCustomTextEditProperties(AOwner), FPrefix(ResourceStringText(skvEditLinkPrefix)) {
  SetAutoSelect(false);
}

void TkvCustomHyperLinkEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomHyperLinkEditProperties*>(Source);
  LockChanges();
  try {
    TkvCustomTextEditProperties::Assign(Source);
    if (source) {
      SetLinkColor(source->FLinkColor);
      FPrefix = source->FPrefix;
      SetSingleClick(source->FSingleClick);
      FStartKey = source->FStartKey;
      FUsePrefix = source->FUsePrefix;
      FOnStartClick = source->FOnStartClick;
    }
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

void TkvCustomHyperLinkEditProperties::DefineProperties(TFiler* Filer) {
  TkvCustomTextEditProperties::DefineProperties(Filer);
  Filer->DefineProperty(
      "Prefix", [this](TReader* Reader) { FPrefix = Reader->ReadString(); },
      [this](TWriter* Writer) { Writer->WriteString(FPrefix); }, FPrefix != ResourceStringText(skvEditLinkPrefix));
}

TClass TkvCustomHyperLinkEditProperties::GetEditorClass() { return TkvHyperLinkEdit::ClassInfo(); }

TkvCustomEditStyleClass TkvCustomHyperLinkEditProperties::GetStyleClass() { return TkvHyperLinkStyle::ClassInfo(); }

TClassOf<TkvCustomEditViewInfo> TkvCustomHyperLinkEditProperties::GetViewInfoClass() {
  return TkvHyperLinkEditViewInfo::ClassInfo();
}

TClassOf<TkvCustomEditViewData> TkvCustomHyperLinkEditProperties::GetViewDataClass() {
  return TkvHyperLinkEditViewData::ClassInfo();
}

Integer TkvCustomHyperLinkEditProperties::GetSupportedFeatures() {
  Integer features = TkvCustomTextEditProperties::GetSupportedFeatures();
  return FSingleClick ? features | 1 : features;
}

void TkvCustomHyperLinkEditProperties::CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error,
                                                          TkvCustomEdit* Editor) {
  if (FUsePrefix == upAlways) DisplayValue = Variant(AddPrefix(VarToStr(DisplayValue)));
  TkvCustomTextEditProperties::CheckDisplayValue(DisplayValue, ErrorText, Error, Editor);
}

String TkvCustomHyperLinkEditProperties::AddPrefix(const String& AText) {
  String text = Trim(AText);
  if (FPrefix.empty() || text.empty() || text.compare(0, FPrefix.size(), FPrefix) == 0) return text;
  return Trim(FPrefix + text);
}

void TkvCustomHyperLinkEditProperties::SetLinkColor(TColor Value) {
  if (FLinkColor == Value) return;
  FLinkColor = Value;
  NotifyChanged();
}

void TkvCustomHyperLinkEditProperties::SetSingleClick(bool Value) {
  if (FSingleClick == Value) return;
  FSingleClick = Value;
  NotifyChanged();
}

// ---- Editor --------------------------------------------------------------------------------

void TkvCustomHyperLinkEdit::StartLink() {
  auto* own = dynamic_cast<TkvCustomHyperLinkEditProperties*>(GetProperties());
  TkvCustomHyperLinkEditProperties* effective = LinkProperties();
  bool handled = false;
  for (TkvCustomHyperLinkEditProperties* properties : {own, effective == own ? nullptr : effective}) {
    if (!properties || !properties->GetOnStartClick()) continue;
    handled = true;
    properties->GetOnStartClick()(this);
  }
  if (handled) return;
  String link = Trim(GetText());
  if (effective->GetUsePrefix() != upNever) link = effective->AddPrefix(link);
  // A shell failure is not reported: the link simply does not open.
  if (!link.empty()) ShellExecute(nullptr, "OPEN", link.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

void TkvCustomHyperLinkEdit::HandleKeyDown(Word& Key, TShiftState Shift) {
  if (Key != 0 && ShortCut(Key, Shift) == LinkProperties()->GetStartKey()) {
    Key = 0;
    StartLink();
    return;
  }
  TkvCustomTextEdit::HandleKeyDown(Key, Shift);
}

bool TkvCustomHyperLinkEdit::InClientArea(Integer X, Integer Y) {
  TRect client = GetClientRect();
  return X >= client.Left && X < client.Right && Y >= client.Top && Y < client.Bottom;
}

void TkvCustomHyperLinkEdit::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TkvCustomTextEdit::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && Shift.Contains(ssDouble) && InClientArea(X, Y) && !LinkProperties()->GetSingleClick())
    StartLink();
}

void TkvCustomHyperLinkEdit::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TkvCustomTextEdit::MouseUp(Button, Shift, X, Y);
  // A click that ended a selection is a selection, not a start.
  if (Button == mbLeft && InClientArea(X, Y) && LinkProperties()->GetSingleClick() && CurrentSelLength() == 0)
    StartLink();
}

void TkvCustomHyperLinkEdit::SetCursors(TCursor ACursor) {
  SetCursor(ACursor);
  if (auto* inner = dynamic_cast<TControl*>(GetInnerEdit())) inner->SetCursor(ACursor);
  ::SetCursor(Screen()->GetCursors(ACursor));
}

void TkvCustomHyperLinkEdit::FireMouseEnter(TControl* AControl) {
  TkvCustomTextEdit::FireMouseEnter(AControl);
  if (!LinkProperties()->GetSingleClick() || FHandShown || GetCursor() != crDefault) return;
  FSavedCursor = GetCursor();
  FHandShown = true;
  SetCursors(crkvHandPoint);
}

void TkvCustomHyperLinkEdit::FireMouseLeave(TControl* AControl) {
  TkvCustomTextEdit::FireMouseLeave(AControl);
  if (!FHandShown) return;
  FHandShown = false;
  SetCursors(FSavedCursor);
}

// ---- Unit ----------------------------------------------------------------------------------

namespace {

Integer GStartCount = 0;

}  // namespace

void kvHyperLinkEditStart() {
  if (GStartCount++ > 0) return;
  RegisterClasses({TkvHyperLinkEdit::ClassInfo(), TkvHyperLinkEditProperties::ClassInfo()});
  EditPropertiesRegistry()->AddClass(TkvHyperLinkEditProperties::ClassInfo(),
                                     ResourceStringText(skvEditHyperLinkDescription));
  TheFilterEditsController()->AddHelper(TkvHyperLinkEditProperties::ClassInfo(),
                                        FilterEditHelperOf<TkvFilterHyperLinkEditHelper>());
}

void kvHyperLinkEditEnd() {
  if (GStartCount == 0 || --GStartCount > 0) return;
  UnRegisterClass(TkvHyperLinkEditProperties::ClassInfo());
  UnRegisterClass(TkvHyperLinkEdit::ClassInfo());
  // The Properties registry goes with the edit framework's end.
  TheFilterEditsController()->RemoveHelper(TkvHyperLinkEditProperties::ClassInfo(),
                                           FilterEditHelperOf<TkvFilterHyperLinkEditHelper>());
}
