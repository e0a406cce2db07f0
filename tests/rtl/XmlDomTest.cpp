#include "rtl/XmlDom.h"

#include <gtest/gtest.h>

#include "ScratchDir.h"
#include "rtl/Resources.h"
#include "rtl/Streams.h"

namespace {

const char* const kCatalogue =
    "<?xml version=\"1.0\"?>\r\n"
    "<Formats version=\"1.0\">\r\n"
    "\t<Format ID=\"0\" Name=\"AVI\"><General><OutFormat>avi</OutFormat></General></Format>\r\n"
    "\t<Format ID=\"14\" Name=\"WMV\">\r\n"
    "\t\t<General><OutFormat>asf</OutFormat><FileExt>wmv</FileExt></General>\r\n"
    "\t\t<Video DefSize=\"0\"><BitRate>300</BitRate><BitRate>400</BitRate></Video>\r\n"
    "\t</Format>\r\n"
    "\t<Format ID=\"15\" Name=\"Zune\"/>\r\n"
    "</Formats>\r\n";

TEST(XmlDom, ReadsElementsAttributesAndText) {
  TXMLDocument doc;
  doc.LoadFromXML(kCatalogue);
  EXPECT_TRUE(doc.GetActive());
  TXMLNode* root = doc.GetDocumentElement();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->GetNodeName(), "Formats");
  EXPECT_EQ(root->GetNodeType(), ntElement);
  TXMLNodeList* formats = root->GetChildNodes();
  ASSERT_EQ(formats->GetCount(), 3);  // the blanks between elements are not nodes

  TXMLNode* wmv = formats->GetNodes(1);
  EXPECT_EQ(VarToStr(wmv->GetAttributes("Name")), "WMV");
  EXPECT_EQ(wmv->GetAttributes("ID").AsInteger(), 14);
  EXPECT_TRUE(VarIsNull(wmv->GetAttributes("Missing")));
  EXPECT_EQ(wmv->GetAttributeText("Missing"), "");
  EXPECT_TRUE(wmv->HasAttribute("ID"));
  EXPECT_FALSE(wmv->HasAttribute("id"));  // XML names keep their case

  TXMLNode* general = wmv->GetChildNodes()->FindNode("General");
  ASSERT_NE(general, nullptr);
  EXPECT_EQ(general->GetChildNodes()->GetNodes("FileExt")->GetText(), "wmv");
  EXPECT_EQ(VarToStr(general->GetChildValues("OutFormat")), "asf");
  EXPECT_TRUE(VarIsNull(general->GetChildValues("Nothing")));
  EXPECT_TRUE(general->GetChildNodes()->GetNodes("OutFormat")->GetIsTextElement());
  EXPECT_FALSE(general->GetIsTextElement());

  TXMLNodeList* video = wmv->GetChildNodes()->GetNodes("Video")->GetChildNodes();
  EXPECT_EQ(video->GetNodes(1)->GetText(), "400");
  EXPECT_EQ(video->IndexOf("BitRate"), 0);
  EXPECT_EQ(video->IndexOf(video->Last()), 1);
  EXPECT_EQ(formats->FindNode("Nothing"), nullptr);
  // The same node answers with the same object.
  EXPECT_EQ(formats->GetNodes(1), wmv);
  EXPECT_EQ(wmv->GetParentNode(), root);
}

TEST(XmlDom, IndexAndNameErrors) {
  TXMLDocument doc;
  doc.LoadFromXML(kCatalogue);
  TXMLNodeList* formats = doc.GetDocumentElement()->GetChildNodes();
  try {
    formats->GetNodes(3);
    FAIL() << "no error";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (3)");
  }
  EXPECT_THROW(formats->GetNodes(-1), EListError);
  EXPECT_THROW(formats->Delete(7), EListError);
  try {
    formats->GetNodes("Nothing");
    FAIL() << "no error";
  } catch (const EXMLDocError& e) {
    EXPECT_EQ(e.Message(), "Node \"Nothing\" not found");
  }
}

TEST(XmlDom, DeletingMovesLaterNodesUpAndKeepsObjectsValid) {
  TXMLDocument doc;
  doc.LoadFromXML(kCatalogue);
  TXMLNodeList* formats = doc.GetDocumentElement()->GetChildNodes();
  TXMLNode* avi = formats->GetNodes(0);
  TXMLNode* aviGeneral = avi->GetChildNodes()->First();
  TXMLNode* zune = formats->GetNodes(2);

  EXPECT_EQ(formats->Delete(0), 0);
  ASSERT_EQ(formats->GetCount(), 2);
  EXPECT_EQ(VarToStr(formats->GetNodes(0)->GetAttributes("Name")), "WMV");
  // Deleted nodes stay objects that read as empty.
  EXPECT_EQ(avi->GetNodeName(), "");
  EXPECT_EQ(aviGeneral->GetChildNodes()->GetCount(), 0);
  EXPECT_TRUE(VarIsNull(avi->GetAttributes("Name")));

  EXPECT_EQ(formats->Delete("Format"), 0);
  EXPECT_EQ(formats->Delete("Nothing"), -1);
  EXPECT_EQ(formats->GetCount(), 1);
  EXPECT_EQ(formats->GetNodes(0), zune);
  formats->Clear();
  EXPECT_EQ(formats->GetCount(), 0);
}

TEST(XmlDom, ParseErrorsNameReasonAndPlace) {
  TXMLDocument doc;
  const std::pair<const char*, const char*> kCases[] = {
      {"<a>\n  <b></a>", "Start-end tags mismatch at line 2, column 8 (offset 11)"},
      {"", "No document element found"},
      {"<a x=\"1></a>", "offset"},
      {"\x01\xff\xfe junk", "XML parse error"},
  };
  for (const auto& [xml, expected] : kCases) {
    SCOPED_TRACE(xml);
    try {
      doc.LoadFromXML(xml);
      FAIL() << "parsed";
    } catch (const EXMLDocError& e) {
      EXPECT_NE(e.Message().find(expected), String::npos) << e.Message();
    }
    EXPECT_FALSE(doc.GetActive());
    EXPECT_EQ(doc.GetDocumentElement(), nullptr);
  }
}

TEST(XmlDom, EditAndSaveKeepsAttributeOrder) {
  TXMLDocument doc;
  TXMLNode* root = doc.AddChild("Formats");
  root->SetAttributes("version", Variant("1.0"));
  TXMLNode* format = root->AddChild("Format");
  format->SetAttributes("Name", Variant("WMV"));
  format->SetAttributes("ID", Variant(14));
  format->SetAttributes("Aspect", Variant("4:3"));
  format->SetAttributes("Name", Variant("Zune"));  // a changed attribute keeps its place
  format->SetChildValues("FileExt", Variant("wmv"));
  format->AddChild("Note")->SetText("a < b & c");
  format->SetAttributes("Aspect", Null());
  EXPECT_EQ(format->GetAttributeCount(), 2);
  EXPECT_EQ(format->GetAttributeName(1), "ID");

  String xml;
  doc.SaveToXML(xml);
  EXPECT_NE(xml.find("<Format Name=\"Zune\" ID=\"14\">"), String::npos) << xml;
  EXPECT_NE(xml.find("<FileExt>wmv</FileExt>"), String::npos) << xml;
  EXPECT_NE(xml.find("a &lt; b &amp; c"), String::npos) << xml;

  TXMLDocument again;
  again.LoadFromXML(xml);
  EXPECT_EQ(again.GetDocumentElement()->GetChildNodes()->First()->GetChildNodes()->GetNodes("Note")->GetText(),
            "a < b & c");
  EXPECT_THROW(doc.AddChild("Second"), EXMLDocError);
}

// Indentation would make the text grow with the square of the depth; saved text stays in proportion.
TEST(XmlDom, DeepDocumentSavesInProportionToItsSize) {
  String deep;
  for (int i = 0; i < 5000; ++i) deep += "<a>";
  for (int i = 0; i < 5000; ++i) deep += "</a>";
  TXMLDocument doc;
  doc.LoadFromXML(deep);
  const String xml = doc.GetXML();
  EXPECT_LT(xml.size(), 4 * deep.size());
  TXMLDocument again;
  again.LoadFromXML(xml);
  EXPECT_EQ(again.GetXML(), xml);
}

TEST(XmlDom, StreamsFilesAndResources) {
  TResourceStream resource(HInstance, 101, "XML");
  TXMLDocument doc;
  doc.LoadFromStream(&resource);
  EXPECT_EQ(VarToStr(doc.GetDocumentElement()->GetChildNodes()->GetNodes(0)->GetAttributes("Name")), "WMV");

  ScratchDir dir;
  doc.SaveToFile(dir.File("out.xml"));
  TXMLDocument fromFile;
  fromFile.LoadFromFile(dir.File("out.xml"));
  EXPECT_EQ(fromFile.GetXML(), doc.GetXML());
  TStringStream stream;
  doc.SaveToStream(&stream);
  EXPECT_EQ(stream.GetDataString(), doc.GetXML());
  EXPECT_THROW(fromFile.LoadFromFile(dir.File("missing.xml")), EFOpenError);
}

}  // namespace
