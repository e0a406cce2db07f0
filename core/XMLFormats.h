#pragma once
// Typed reading of the format catalogue document: one node type per element type, with its
// attributes and child elements, and lists of its repeated children in document order.
//
// A node type is a light view of one element of a TXMLDocument and lives no longer than it. A
// missing attribute or child reads as empty text, and an integer read of empty or other text
// raises EConvertError. An index beyond a list raises EListError.

#include "rtl/Types.h"
#include "rtl/XmlDom.h"

class TXMLNodeBinding {
 public:
  explicit TXMLNodeBinding(TXMLNode* Node = nullptr) : FNode(Node) {}
  TXMLNode* GetNode() const { return FNode; }

 protected:
  String AttributeText(const char* Name) const;
  Integer AttributeInteger(const char* Name) const;
  // The first child element of that name; nullptr when there is none.
  TXMLNode* ChildNode(const char* Name) const;
  String ChildText(const char* Name) const;

 private:
  TXMLNode* FNode;
};

// The repeated children named Tag of one element, each bound to T.
template <class T>
class TXMLElementList {
 public:
  TXMLElementList(TXMLNode* Parent, const char* Tag) : FParent(Parent), FTag(Tag) {}
  Integer GetCount() const;
  T GetItems(Integer Index) const;
  T operator[](Integer Index) const { return GetItems(Index); }

 protected:
  TXMLNode* ItemNode(Integer Index) const;
  TXMLNode* FParent;
  const char* FTag;
};

class TXMLCodecType : public TXMLNodeBinding {
 public:
  using TXMLNodeBinding::TXMLNodeBinding;
  Integer GetID() const { return AttributeInteger("ID"); }  // 0: the format has no video
  String GetName() const { return AttributeText("Name"); }
};

class TXMLSizeType : public TXMLNodeBinding {
 public:
  using TXMLNodeBinding::TXMLNodeBinding;
  String GetName() const { return AttributeText("Name"); }
  Integer GetWidth() const { return AttributeInteger("Width"); }
  Integer GetHeight() const { return AttributeInteger("Height"); }
};

// Den/Num frames per second: one frame lasts Num/Den seconds.
class TXMLFpsType : public TXMLNodeBinding {
 public:
  using TXMLNodeBinding::TXMLNodeBinding;
  String GetName() const { return AttributeText("Name"); }
  Integer GetDen() const { return AttributeInteger("Den"); }
  Integer GetNum() const { return AttributeInteger("Num"); }
};

// The aspect ratio Den:Num.
class TXMLAspectType : public TXMLNodeBinding {
 public:
  using TXMLNodeBinding::TXMLNodeBinding;
  String GetName() const { return AttributeText("Name"); }
  Integer GetDen() const { return AttributeInteger("Den"); }
  Integer GetNum() const { return AttributeInteger("Num"); }
};

class TXMLChannelsType : public TXMLNodeBinding {
 public:
  using TXMLNodeBinding::TXMLNodeBinding;
  String GetName() const { return AttributeText("Name"); }
  Integer GetValue() const { return AttributeInteger("Value"); }
};

using TXMLCodecTypeList = TXMLElementList<TXMLCodecType>;
using TXMLSizeTypeList = TXMLElementList<TXMLSizeType>;
using TXMLFpsTypeList = TXMLElementList<TXMLFpsType>;
using TXMLAspectTypeList = TXMLElementList<TXMLAspectType>;
using TXMLChannelsTypeList = TXMLElementList<TXMLChannelsType>;

// Repeated elements whose text is an integer (bit rates, sample rates).
class TXMLIntegerList : public TXMLElementList<TXMLNodeBinding> {
 public:
  using TXMLElementList::TXMLElementList;
  Integer GetItems(Integer Index) const;
  Integer operator[](Integer Index) const { return GetItems(Index); }
};

class TXMLGeneralType : public TXMLNodeBinding {
 public:
  using TXMLNodeBinding::TXMLNodeBinding;
  String GetOutFormat() const { return ChildText("OutFormat"); }  // the engine's container name
  String GetFileExt() const { return ChildText("FileExt"); }      // without the dot
};

// Default attributes are zero-based indexes into this element's lists.
class TXMLVideoType : public TXMLNodeBinding {
 public:
  using TXMLNodeBinding::TXMLNodeBinding;
  Integer GetDefSize() const { return AttributeInteger("DefSize"); }
  Integer GetDefBitRate() const { return AttributeInteger("DefBitRate"); }
  Integer GetDefFps() const { return AttributeInteger("DefFps"); }
  Integer GetDefAspect() const { return AttributeInteger("DefAspect"); }
  TXMLCodecTypeList GetCodec() const { return {GetNode(), "Codec"}; }
  TXMLSizeTypeList GetSize() const { return {GetNode(), "Size"}; }
  TXMLIntegerList GetBitRate() const { return {GetNode(), "BitRate"}; }  // kbit/s
  TXMLFpsTypeList GetFps() const { return {GetNode(), "Fps"}; }
  TXMLAspectTypeList GetAspect() const { return {GetNode(), "Aspect"}; }
};

class TXMLAudioType : public TXMLNodeBinding {
 public:
  using TXMLNodeBinding::TXMLNodeBinding;
  Integer GetDefBitRate() const { return AttributeInteger("DefBitRate"); }
  Integer GetDefSampleRate() const { return AttributeInteger("DefSampleRate"); }
  Integer GetDefChannels() const { return AttributeInteger("DefChannels"); }
  // Only the first Codec of an Audio element counts.
  TXMLCodecType GetCodec() const { return TXMLCodecType(ChildNode("Codec")); }
  TXMLIntegerList GetBitRate() const { return {GetNode(), "BitRate"}; }  // bit/s
  TXMLIntegerList GetSampleRate() const { return {GetNode(), "SampleRate"}; }
  TXMLChannelsTypeList GetChannels() const { return {GetNode(), "Channels"}; }
};

class TXMLFormatType : public TXMLNodeBinding {
 public:
  using TXMLNodeBinding::TXMLNodeBinding;
  Integer GetID() const { return AttributeInteger("ID"); }
  String GetName() const { return AttributeText("Name"); }
  String GetDescription() const { return ChildText("Description"); }
  TXMLGeneralType GetGeneral() const { return TXMLGeneralType(ChildNode("General")); }
  TXMLVideoType GetVideo() const { return TXMLVideoType(ChildNode("Video")); }
  TXMLAudioType GetAudio() const { return TXMLAudioType(ChildNode("Audio")); }
};

// The root: the list of formats, of which the catalogue deletes those it does not offer.
class TXMLFormatsType : public TXMLElementList<TXMLFormatType> {
 public:
  explicit TXMLFormatsType(TXMLNode* Root) : TXMLElementList(Root, "Format") {}
  String GetVersion() const;
  // Later formats move up by one.
  void Delete(Integer Index);
};

// The document element bound as the root; EXMLDocError when it is not "Formats".
TXMLFormatsType GetFormats(TXMLDocument* Document);

using IXMLFormatsType = TXMLFormatsType;
using IXMLFormatType = TXMLFormatType;
using IXMLGeneralType = TXMLGeneralType;
using IXMLVideoType = TXMLVideoType;
using IXMLAudioType = TXMLAudioType;
using IXMLCodecType = TXMLCodecType;
using IXMLSizeType = TXMLSizeType;
using IXMLFpsType = TXMLFpsType;
using IXMLAspectType = TXMLAspectType;
using IXMLChannelsType = TXMLChannelsType;
