#include "rtl/FormSyntax.h"

TFormValue TFormValue::OfInteger(Int64 v) {
  TFormValue value;
  value.Kind = TFormValueKind::Integer;
  value.IntValue = v;
  return value;
}

TFormValue TFormValue::OfFloat(Double v) {
  TFormValue value;
  value.Kind = TFormValueKind::Float;
  value.FloatValue = v;
  return value;
}

TFormValue TFormValue::OfString(String s) {
  TFormValue value;
  value.Kind = TFormValueKind::String;
  value.Text = std::move(s);
  return value;
}

TFormValue TFormValue::OfIdent(String s) {
  TFormValue value;
  value.Kind = TFormValueKind::Ident;
  value.Text = std::move(s);
  return value;
}

TFormValue TFormValue::OfSet(std::vector<String> elements) {
  TFormValue value;
  value.Kind = TFormValueKind::Set;
  value.SetElements = std::move(elements);
  return value;
}

TFormValue TFormValue::OfBinary(String bytes) {
  TFormValue value;
  value.Kind = TFormValueKind::Binary;
  value.Bytes = std::move(bytes);
  return value;
}

TFormValue TFormValue::OfList(std::vector<TFormValue> items) {
  TFormValue value;
  value.Kind = TFormValueKind::List;
  value.Items = std::move(items);
  return value;
}

TFormValue TFormValue::OfCollection() {
  TFormValue value;
  value.Kind = TFormValueKind::Collection;
  return value;
}
