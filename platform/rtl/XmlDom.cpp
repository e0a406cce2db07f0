#include "rtl/XmlDom.h"

#include <pugixml.hpp>

#include <sstream>
#include <unordered_map>
#include <vector>

#include "rtl/Streams.h"
#include "rtl/SysUtils.h"

struct TXMLNode::TImpl {
  pugi::xml_node Node;
};

// The parsed tree and the node objects handed out for it. A node object lives as long as the
// document: when its node leaves the tree the object is detached (it then reads as empty) and
// parked, so a caller's pointer never dangles.
struct TXMLDocument::TTree {
  pugi::xml_document Doc;
  std::unordered_map<pugi::xml_node_struct*, std::unique_ptr<TXMLNode>> Live;
  std::vector<std::unique_ptr<TXMLNode>> Detached;

  TXMLNode* Wrap(TXMLDocument* Owner, pugi::xml_node Node) {
    if (!Node) return nullptr;
    auto& slot = Live[Node.internal_object()];
    if (!slot) slot.reset(new TXMLNode(Owner, std::make_unique<TXMLNode::TImpl>(TXMLNode::TImpl{Node})));
    return slot.get();
  }

  void DetachOne(pugi::xml_node Node) {
    auto it = Live.find(Node.internal_object());
    if (it == Live.end()) return;
    it->second->FImpl->Node = pugi::xml_node();
    Detached.push_back(std::move(it->second));
    Live.erase(it);
  }

  // Detaches the objects of Node and everything below it, before pugixml frees them.
  void DetachSubtree(pugi::xml_node Node) {
    std::vector<pugi::xml_node> pending{Node};
    while (!pending.empty()) {
      pugi::xml_node current = pending.back();
      pending.pop_back();
      for (pugi::xml_node child : current.children()) pending.push_back(child);
      DetachOne(current);
    }
  }

  void DetachAll() {
    for (auto& [key, node] : Live) {
      node->FImpl->Node = pugi::xml_node();
      Detached.push_back(std::move(node));
    }
    Live.clear();
  }
};

namespace {

bool IsText(pugi::xml_node node) {
  return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

[[noreturn]] void RaiseIndexError(Integer Index) {
  throw EListError(Format("List index out of bounds (%d)", Index));
}

}  // namespace

// ---- TXMLNode -----------------------------------------------------------------------------------

TXMLNode::TXMLNode(TXMLDocument* Document, std::unique_ptr<TImpl> Impl)
    : FDocument(Document), FImpl(std::move(Impl)) {}

TXMLNode::~TXMLNode() = default;

TNodeType TXMLNode::GetNodeType() const {
  switch (FImpl->Node.type()) {
    case pugi::node_element: return ntElement;
    case pugi::node_pcdata: return ntText;
    case pugi::node_cdata: return ntCData;
    case pugi::node_comment: return ntComment;
    case pugi::node_pi:
    case pugi::node_declaration: return ntProcessingInstr;
    case pugi::node_doctype: return ntDocType;
    case pugi::node_document: return ntDocument;
    case pugi::node_null: break;
  }
  return ntReserved;
}

String TXMLNode::GetNodeName() const {
  switch (FImpl->Node.type()) {
    case pugi::node_pcdata: return "#text";
    case pugi::node_cdata: return "#cdata-section";
    case pugi::node_comment: return "#comment";
    case pugi::node_document: return "#document";
    default: return FImpl->Node.name();
  }
}

String TXMLNode::GetText() const {
  pugi::xml_node node = FImpl->Node;
  if (node.type() != pugi::node_element && node.type() != pugi::node_document) return node.value();
  String text;
  for (pugi::xml_node child : node.children())
    if (IsText(child)) text += child.value();
  return text;
}

void TXMLNode::SetText(const String& Value) {
  pugi::xml_node node = FImpl->Node;
  if (node.type() != pugi::node_element) {
    node.set_value(Value.c_str());
    return;
  }
  while (pugi::xml_node child = node.first_child()) {
    FDocument->FTree->DetachSubtree(child);
    node.remove_child(child);
  }
  if (!Value.empty()) node.append_child(pugi::node_pcdata).set_value(Value.c_str());
}

bool TXMLNode::GetIsTextElement() const {
  pugi::xml_node node = FImpl->Node;
  if (node.type() != pugi::node_element) return false;
  pugi::xml_node first = node.first_child();
  return !first || (IsText(first) && !first.next_sibling());
}

TXMLNodeList* TXMLNode::GetChildNodes() const {
  if (!FChildNodes) FChildNodes.reset(new TXMLNodeList(this));
  return FChildNodes.get();
}

bool TXMLNode::HasChildNodes() const { return bool(FImpl->Node.first_child()); }

TXMLNode* TXMLNode::GetParentNode() const { return FDocument->FTree->Wrap(FDocument, FImpl->Node.parent()); }

bool TXMLNode::HasAttribute(const String& Name) const { return bool(FImpl->Node.attribute(Name.c_str())); }

Variant TXMLNode::GetAttributes(const String& Name) const {
  pugi::xml_attribute attribute = FImpl->Node.attribute(Name.c_str());
  if (!attribute) return Null();
  return Variant(String(attribute.value()));
}

void TXMLNode::SetAttributes(const String& Name, const Variant& Value) {
  if (VarIsNull(Value))
    FImpl->Node.remove_attribute(Name.c_str());
  else
    SetAttributeText(Name, VarToStr(Value));
}

String TXMLNode::GetAttributeText(const String& Name) const {
  return FImpl->Node.attribute(Name.c_str()).value();
}

void TXMLNode::SetAttributeText(const String& Name, const String& Value) {
  pugi::xml_node node = FImpl->Node;
  if (node.type() != pugi::node_element) throw EXMLDocError("Only elements have attributes");
  pugi::xml_attribute attribute = node.attribute(Name.c_str());
  if (!attribute) attribute = node.append_attribute(Name.c_str());
  attribute.set_value(Value.c_str());
}

Integer TXMLNode::GetAttributeCount() const {
  Integer count = 0;
  for (auto it = FImpl->Node.attributes_begin(); it != FImpl->Node.attributes_end(); ++it) ++count;
  return count;
}

String TXMLNode::GetAttributeName(Integer Index) const {
  Integer i = 0;
  for (pugi::xml_attribute attribute : FImpl->Node.attributes())
    if (i++ == Index) return attribute.name();
  RaiseIndexError(Index);
}

Variant TXMLNode::GetChildValues(const String& Name) const {
  pugi::xml_node child = FImpl->Node.child(Name.c_str());
  if (!child) return Null();
  return Variant(FDocument->FTree->Wrap(FDocument, child)->GetText());
}

void TXMLNode::SetChildValues(const String& Name, const Variant& Value) {
  TXMLNode* child = GetChildNodes()->FindNode(Name);
  if (!child) child = AddChild(Name);
  child->SetText(VarIsNull(Value) ? String() : VarToStr(Value));
}

TXMLNode* TXMLNode::AddChild(const String& TagName) {
  pugi::xml_node node = FImpl->Node;
  if (node.type() != pugi::node_element && node.type() != pugi::node_document)
    throw EXMLDocError("Only elements have child elements");
  if (node.type() == pugi::node_document && node.find_child([](pugi::xml_node n) { return n.type() == pugi::node_element; }))
    throw EXMLDocError("The document already has a document element");
  pugi::xml_node child = node.append_child(TagName.c_str());
  if (!child) throw EXMLDocError("Cannot add element \"" + TagName + "\"");
  return FDocument->FTree->Wrap(FDocument, child);
}

String TXMLNode::GetXML() const {
  std::ostringstream out;
  FImpl->Node.print(out, "", pugi::format_raw);
  return out.str();
}

// ---- TXMLNodeList -------------------------------------------------------------------------------

Integer TXMLNodeList::GetCount() const {
  Integer count = 0;
  for (auto it = FOwner->FImpl->Node.begin(); it != FOwner->FImpl->Node.end(); ++it) ++count;
  return count;
}

TXMLNode* TXMLNodeList::GetNodes(Integer Index) const {
  if (Index >= 0) {
    Integer i = 0;
    for (pugi::xml_node child : FOwner->FImpl->Node.children())
      if (i++ == Index) return FOwner->FDocument->FTree->Wrap(FOwner->FDocument, child);
  }
  RaiseIndexError(Index);
}

TXMLNode* TXMLNodeList::GetNodes(const String& Name) const {
  TXMLNode* node = FindNode(Name);
  if (!node) throw EXMLDocError(Format("Node \"%s\" not found", Name));
  return node;
}

TXMLNode* TXMLNodeList::FindNode(const String& Name) const {
  return FOwner->FDocument->FTree->Wrap(FOwner->FDocument, FOwner->FImpl->Node.child(Name.c_str()));
}

TXMLNode* TXMLNodeList::First() const {
  return FOwner->FDocument->FTree->Wrap(FOwner->FDocument, FOwner->FImpl->Node.first_child());
}

TXMLNode* TXMLNodeList::Last() const {
  return FOwner->FDocument->FTree->Wrap(FOwner->FDocument, FOwner->FImpl->Node.last_child());
}

Integer TXMLNodeList::IndexOf(const TXMLNode* Node) const {
  if (!Node) return -1;
  Integer i = 0;
  for (pugi::xml_node child : FOwner->FImpl->Node.children()) {
    if (child == Node->FImpl->Node) return i;
    ++i;
  }
  return -1;
}

Integer TXMLNodeList::IndexOf(const String& Name) const {
  Integer i = 0;
  for (pugi::xml_node child : FOwner->FImpl->Node.children()) {
    if (child.type() == pugi::node_element && Name == child.name()) return i;
    ++i;
  }
  return -1;
}

Integer TXMLNodeList::Delete(Integer Index) {
  TXMLNode* node = GetNodes(Index);
  Remove(node);
  return Index;
}

Integer TXMLNodeList::Delete(const String& Name) {
  Integer index = IndexOf(Name);
  if (index >= 0) Delete(index);
  return index;
}

Integer TXMLNodeList::Remove(TXMLNode* Node) {
  Integer index = IndexOf(Node);
  if (index < 0) return -1;
  pugi::xml_node child = Node->FImpl->Node;
  FOwner->FDocument->FTree->DetachSubtree(child);
  FOwner->FImpl->Node.remove_child(child);
  return index;
}

void TXMLNodeList::Clear() {
  while (GetCount() > 0) Delete(0);
}

// ---- TXMLDocument -------------------------------------------------------------------------------

TXMLDocument::TXMLDocument() : FTree(std::make_unique<TTree>()) {}

TXMLDocument::~TXMLDocument() = default;

void TXMLDocument::Parse(const void* Data, size_t Size) {
  SetActive(false);
  pugi::xml_parse_result result =
      FTree->Doc.load_buffer(Data, Size, pugi::parse_default | pugi::parse_declaration, pugi::encoding_auto);
  if (!result) {
    FTree->Doc.reset();
    // Line and column help a person find the fault; the offset is the parser's own.
    const char* text = static_cast<const char*>(Data);
    ptrdiff_t offset = std::min<ptrdiff_t>(result.offset, static_cast<ptrdiff_t>(Size));
    Integer line = 1, column = 1;
    for (ptrdiff_t i = 0; i < offset; ++i) {
      if (text[i] == '\n') {
        ++line;
        column = 1;
      } else {
        ++column;
      }
    }
    throw EXMLDocError(Format("XML parse error: %s at line %d, column %d (offset %d)", result.description(),
                              line, column, static_cast<Int64>(result.offset)));
  }
  FActive = true;
}

void TXMLDocument::LoadFromXML(const String& XML) { Parse(XML.data(), XML.size()); }

void TXMLDocument::LoadFromStream(TStream* Stream) {
  Int64 remaining = Stream->GetSize() - Stream->GetPosition();
  String data(static_cast<size_t>(std::max<Int64>(remaining, 0)), '\0');
  if (!data.empty()) Stream->ReadBuffer(data.data(), static_cast<Integer>(data.size()));
  Parse(data.data(), data.size());
}

void TXMLDocument::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TXMLDocument::SaveToXML(String& XML) const { XML = GetXML(); }

namespace {

// Indentation grows with the square of the depth: past this depth a document is written unindented,
// so that the text stays in proportion to the document.
constexpr int kMaxIndentedDepth = 32;

bool NestedDeeperThan(const pugi::xml_document& doc, int limit) {
  struct TWalker : pugi::xml_tree_walker {
    int Limit;
    bool Deeper = false;
    explicit TWalker(int limit) : Limit(limit) {}
    bool for_each(pugi::xml_node&) override {
      Deeper = depth() > Limit;
      return !Deeper;
    }
  } walker(limit);
  pugi::xml_node root = doc;
  root.traverse(walker);
  return walker.Deeper;
}

}  // namespace

String TXMLDocument::GetXML() const {
  std::ostringstream out;
  const unsigned flags = NestedDeeperThan(FTree->Doc, kMaxIndentedDepth) ? pugi::format_raw : pugi::format_default;
  FTree->Doc.save(out, "\t", flags, pugi::encoding_utf8);
  return out.str();
}

void TXMLDocument::SaveToStream(TStream* Stream) const {
  String xml = GetXML();
  Stream->WriteBuffer(xml.data(), static_cast<Integer>(xml.size()));
}

void TXMLDocument::SaveToFile(const String& FileName) const {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

void TXMLDocument::SetActive(bool Value) {
  if (!Value) {
    FTree->DetachAll();
    FTree->Doc.reset();
  }
  FActive = Value;
}

TXMLNode* TXMLDocument::GetDocumentElement() const {
  return FTree->Wrap(const_cast<TXMLDocument*>(this), FTree->Doc.document_element());
}

TXMLNode* TXMLDocument::GetNode() const { return FTree->Wrap(const_cast<TXMLDocument*>(this), FTree->Doc); }

TXMLNode* TXMLDocument::AddChild(const String& TagName) {
  FActive = true;
  return GetNode()->AddChild(TagName);
}
