#include "core/XMLFormats.h"

#include "rtl/SysUtils.h"

String TXMLNodeBinding::AttributeText(const char* Name) const {
  return FNode ? FNode->GetAttributeText(Name) : String();
}

Integer TXMLNodeBinding::AttributeInteger(const char* Name) const { return StrToInt(AttributeText(Name)); }

TXMLNode* TXMLNodeBinding::ChildNode(const char* Name) const {
  return FNode ? FNode->GetChildNodes()->FindNode(Name) : nullptr;
}

String TXMLNodeBinding::ChildText(const char* Name) const {
  TXMLNode* child = ChildNode(Name);
  return child ? child->GetText() : String();
}

namespace {
bool IsItem(TXMLNode* Node, const char* Tag) {
  return Node->GetNodeType() == ntElement && Node->GetNodeName() == Tag;
}
}  // namespace

template <class T>
Integer TXMLElementList<T>::GetCount() const {
  if (!FParent) return 0;
  TXMLNodeList* children = FParent->GetChildNodes();
  Integer count = 0;
  for (Integer i = 0; i < children->GetCount(); ++i)
    if (IsItem(children->GetNodes(i), FTag)) ++count;
  return count;
}

template <class T>
TXMLNode* TXMLElementList<T>::ItemNode(Integer Index) const {
  if (FParent && Index >= 0) {
    TXMLNodeList* children = FParent->GetChildNodes();
    Integer seen = 0;
    for (Integer i = 0; i < children->GetCount(); ++i) {
      TXMLNode* node = children->GetNodes(i);
      if (IsItem(node, FTag) && seen++ == Index) return node;
    }
  }
  throw EListError(Format("List index out of bounds (%d)", Index));
}

template <class T>
T TXMLElementList<T>::GetItems(Integer Index) const {
  return T(ItemNode(Index));
}

template class TXMLElementList<TXMLNodeBinding>;
template class TXMLElementList<TXMLCodecType>;
template class TXMLElementList<TXMLSizeType>;
template class TXMLElementList<TXMLFpsType>;
template class TXMLElementList<TXMLAspectType>;
template class TXMLElementList<TXMLChannelsType>;
template class TXMLElementList<TXMLFormatType>;

Integer TXMLIntegerList::GetItems(Integer Index) const { return StrToInt(Trim(ItemNode(Index)->GetText())); }

String TXMLFormatsType::GetVersion() const { return FParent ? FParent->GetAttributeText("version") : String(); }

void TXMLFormatsType::Delete(Integer Index) { FParent->GetChildNodes()->Remove(ItemNode(Index)); }

TXMLFormatsType GetFormats(TXMLDocument* Document) {
  TXMLNode* root = Document->GetDocumentElement();
  if (!root || root->GetNodeName() != "Formats") throw EXMLDocError("The document element is not Formats");
  return TXMLFormatsType(root);
}
