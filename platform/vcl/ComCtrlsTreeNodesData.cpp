// The tree's nodes in a form: the binary property "Items.Data".
//
// Little-endian 32-bit numbers: the count of root nodes, then each node depth first as its image
// index, selected image index, state index, overlay index, text length, the text's bytes and the
// count of its children, followed by the children. Expansion and selection are the window's
// business and are not stored. A broken record is refused as a whole: the nodes stay as they were.

#include <cstdint>
#include <functional>
#include <vector>

#include "rtl/Filer.h"
#include "rtl/Streams.h"
#include "rtl/SysUtils.h"
#include "vcl/ComCtrls.h"

namespace {

// Deeper nesting than any tree a person builds: what goes beyond it is a damaged stream.
constexpr Integer kMaxDepth = 1000;
// The fewest bytes a node takes: seven numbers and no text.
constexpr Int64 kSmallestNode = 7 * 4;

struct TNodeRecord {
  String Text;
  Integer ImageIndex = -1;
  Integer SelectedIndex = -1;
  Integer StateIndex = -1;
  Integer OverlayIndex = -1;
  std::vector<TNodeRecord> Children;
};

Integer ReadInt(TStream* Stream) {
  std::uint8_t bytes[4];
  Stream->ReadBuffer(bytes, 4);
  return static_cast<Integer>(static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                              static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24);
}

void WriteInt(TStream* Stream, Integer Value) {
  const auto value = static_cast<std::uint32_t>(Value);
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                 static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  Stream->WriteBuffer(bytes, 4);
}

Int64 Remaining(TStream* Stream) { return Stream->GetSize() - Stream->GetPosition(); }

// A count of records that the rest of the stream could hold.
Integer ReadCount(TStream* Stream, Int64 ARecordSize) {
  Integer count = ReadInt(Stream);
  if (count < 0 || count > Remaining(Stream) / ARecordSize) throw EReadError("Tree node data is damaged");
  return count;
}

void ReadNodes(TStream* Stream, std::vector<TNodeRecord>& ANodes, Integer ADepth) {
  if (ADepth > kMaxDepth) throw EReadError("Tree nodes are nested too deeply");
  ANodes.resize(static_cast<size_t>(ReadCount(Stream, kSmallestNode)));
  for (TNodeRecord& node : ANodes) {
    node.ImageIndex = ReadInt(Stream);
    node.SelectedIndex = ReadInt(Stream);
    node.StateIndex = ReadInt(Stream);
    node.OverlayIndex = ReadInt(Stream);
    node.Text.resize(static_cast<size_t>(ReadCount(Stream, 1)));
    Stream->ReadBuffer(node.Text.data(), static_cast<Integer>(node.Text.size()));
    ReadNodes(Stream, node.Children, ADepth + 1);
  }
}

}  // namespace

void TTreeNodes::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      "Data", [this](TStream* Stream) { ReadData(Stream); }, [this](TStream* Stream) { WriteData(Stream); },
      FCount > 0);
}

void TTreeNodes::ReadData(TStream* Stream) {
  std::vector<TNodeRecord> roots;
  ReadNodes(Stream, roots, 0);
  BeginUpdate();
  try {
    Clear();
    std::function<void(const TNodeRecord&, TTreeNode*)> add = [&](const TNodeRecord& record, TTreeNode* parent) {
      TTreeNode* node = AddChild(parent, record.Text);
      node->SetImageIndex(record.ImageIndex);
      node->SetSelectedIndex(record.SelectedIndex);
      node->SetStateIndex(record.StateIndex);
      node->SetOverlayIndex(record.OverlayIndex);
      for (const TNodeRecord& child : record.Children) add(child, node);
    };
    for (const TNodeRecord& record : roots) add(record, nullptr);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TTreeNodes::WriteData(TStream* Stream) {
  std::function<void(const std::vector<TTreeNode*>&)> write = [&](const std::vector<TTreeNode*>& nodes) {
    WriteInt(Stream, static_cast<Integer>(nodes.size()));
    for (TTreeNode* node : nodes) {
      WriteInt(Stream, node->GetImageIndex());
      WriteInt(Stream, node->GetSelectedIndex());
      WriteInt(Stream, node->GetStateIndex());
      WriteInt(Stream, node->GetOverlayIndex());
      WriteInt(Stream, static_cast<Integer>(node->GetText().size()));
      Stream->WriteBuffer(node->GetText().data(), static_cast<Integer>(node->GetText().size()));
      write(node->FChildren);
    }
  };
  write(FRoots);
}
