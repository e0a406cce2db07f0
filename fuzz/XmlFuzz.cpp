// The XML reader: any text parses or raises the document error; what parses walks whole, and
// saves as text that reads back.

#include <vector>

#include "FuzzTarget.h"
#include "rtl/XmlDom.h"

namespace {

// Iterative, as a document may nest deeper than the stack would hold.
void Walk(TXMLNode* root) {
  std::vector<TXMLNode*> pending{root};
  while (!pending.empty()) {
    TXMLNode* node = pending.back();
    pending.pop_back();
    node->GetNodeName();
    if (node->GetNodeType() == ntElement) {
      node->GetIsTextElement();
      for (Integer i = 0; i < node->GetAttributeCount(); ++i) node->GetAttributes(node->GetAttributeName(i));
    }
    TXMLNodeList* children = node->GetChildNodes();
    for (Integer i = 0; i < children->GetCount(); ++i) pending.push_back(children->GetNodes(i));
  }
}

}  // namespace

TAVREN_FUZZ_TARGET(Xml) {
  TXMLDocument document;
  try {
    document.LoadFromXML(String(FuzzText(data, size)));
  } catch (const EXMLDocError&) {
    return;
  }
  Walk(document.GetNode());
  TXMLDocument again;
  again.LoadFromXML(document.GetXML());
}
