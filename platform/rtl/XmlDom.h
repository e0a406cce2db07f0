#pragma once
// An XML document object model in the shape of the framework's XML document interface, over
// pugixml. The document owns every node object it hands out: a node stays a valid object while
// its document lives, even after it was deleted from the tree (it then reads as an empty,
// detached node). Whitespace-only text between elements is not kept, and comments are not read.
//
//   TXMLDocument doc;
//   doc.LoadFromStream(stream);
//   TXMLNode* formats = doc.GetDocumentElement();
//   for (Integer i = 0; i < formats->GetChildNodes()->GetCount(); ++i) ...

#include <memory>

#include "rtl/Exceptions.h"
#include "rtl/Types.h"
#include "rtl/Variants.h"

class TStream;
class TXMLDocument;
class TXMLNodeList;

TAVREN_DECLARE_EXCEPTION(EXMLDocError, Exception);

enum TNodeType {
  ntReserved,
  ntElement,
  ntAttribute,
  ntText,
  ntCData,
  ntEntityRef,
  ntEntity,
  ntProcessingInstr,
  ntComment,
  ntDocument,
  ntDocType,
  ntDocFragment,
  ntNotation
};

class TXMLNode {
 public:
  ~TXMLNode();

  TNodeType GetNodeType() const;
  // The element's tag; "#text", "#cdata-section", "#comment", "#document" for the other kinds.
  String GetNodeName() const;
  // An element's text is that of its text children; a text node's is its value.
  String GetText() const;
  // On an element: replaces its children with the text.
  void SetText(const String& Value);
  // An element whose only child is text (or that has no child).
  bool GetIsTextElement() const;

  TXMLNodeList* GetChildNodes() const;
  bool HasChildNodes() const;
  TXMLNode* GetParentNode() const;
  TXMLDocument* GetOwnerDocument() const { return FDocument; }

  bool HasAttribute(const String& Name) const;
  // The attribute's text as a string Variant; Null when the element has no such attribute.
  Variant GetAttributes(const String& Name) const;
  // Null removes the attribute; any other value is stored as its text. A new attribute goes
  // after the existing ones, a changed one keeps its place.
  void SetAttributes(const String& Name, const Variant& Value);
  // The attribute's text; empty when missing.
  String GetAttributeText(const String& Name) const;
  void SetAttributeText(const String& Name, const String& Value);
  Integer GetAttributeCount() const;
  String GetAttributeName(Integer Index) const;

  // The text of the first child element of that name; Null when there is none.
  Variant GetChildValues(const String& Name) const;
  void SetChildValues(const String& Name, const Variant& Value);

  // Appends a new element child and answers it.
  TXMLNode* AddChild(const String& TagName);
  // This node and its subtree as XML text.
  String GetXML() const;

 private:
  friend class TXMLDocument;
  friend class TXMLNodeList;
  struct TImpl;
  TXMLNode(TXMLDocument* Document, std::unique_ptr<TImpl> Impl);

  TXMLDocument* FDocument;
  std::unique_ptr<TImpl> FImpl;
  mutable std::unique_ptr<TXMLNodeList> FChildNodes;
};

// The children of one node, in document order.
class TXMLNodeList {
 public:
  Integer GetCount() const;
  // Raises EListError when Index is outside 0..Count-1.
  TXMLNode* GetNodes(Integer Index) const;
  // Raises EXMLDocError when there is no child element of that name.
  TXMLNode* GetNodes(const String& Name) const;
  TXMLNode* operator[](Integer Index) const { return GetNodes(Index); }
  TXMLNode* operator[](const String& Name) const { return GetNodes(Name); }
  // The first child element of that name, or nullptr.
  TXMLNode* FindNode(const String& Name) const;
  TXMLNode* First() const;
  TXMLNode* Last() const;
  Integer IndexOf(const TXMLNode* Node) const;
  Integer IndexOf(const String& Name) const;

  // Removes the child at Index (EListError when outside the list) and answers Index; the later
  // children move up by one.
  Integer Delete(Integer Index);
  // Removes the first child element of that name; answers its index, -1 when there is none.
  Integer Delete(const String& Name);
  Integer Remove(TXMLNode* Node);
  void Clear();

 private:
  friend class TXMLNode;
  explicit TXMLNodeList(const TXMLNode* Owner) : FOwner(Owner) {}
  const TXMLNode* FOwner;
};

class TXMLDocument {
 public:
  TXMLDocument();
  ~TXMLDocument();
  TXMLDocument(const TXMLDocument&) = delete;
  TXMLDocument& operator=(const TXMLDocument&) = delete;

  // Parse errors raise EXMLDocError with the parser's reason and where it stopped; the document
  // is then left empty and inactive.
  void LoadFromXML(const String& XML);
  void LoadFromStream(TStream* Stream);
  void LoadFromFile(const String& FileName);

  void SaveToXML(String& XML) const;
  String GetXML() const;
  void SaveToStream(TStream* Stream) const;
  void SaveToFile(const String& FileName) const;

  // An active document holds a tree (perhaps an empty one); deactivating drops it.
  bool GetActive() const { return FActive; }
  void SetActive(bool Value);

  TXMLNode* GetDocumentElement() const;
  // The document node itself: its children are the declaration and the document element.
  TXMLNode* GetNode() const;
  TXMLNodeList* GetChildNodes() const { return GetNode()->GetChildNodes(); }
  // Creates the document element (activating the document first).
  TXMLNode* AddChild(const String& TagName);

 private:
  friend class TXMLNode;
  friend class TXMLNodeList;
  struct TTree;
  void Parse(const void* Data, size_t Size);

  std::unique_ptr<TTree> FTree;
  bool FActive = false;
};

using IXMLNode = TXMLNode;
using IXMLNodeList = TXMLNodeList;
using IXMLDocument = TXMLDocument;
