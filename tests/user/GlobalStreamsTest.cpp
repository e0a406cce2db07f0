#include <gtest/gtest.h>

#include <cstring>

#include "rtl/Interfaces.h"
#include "user/GlobalMemory.h"
#include "user/GlobalStreams.h"

namespace {

HGLOBAL BlockWith(const char* Text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::strlen(Text));
  std::memcpy(GlobalLock(block), Text, std::strlen(Text));
  GlobalUnlock(block);
  return block;
}

TEST(GlobalStreams, ReadsSeeksAndWritesInsideTheBlockAndLeavesItToTheCaller) {
  HGLOBAL block = BlockWith("abcdef");
  IStream* raw = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(block, FALSE, &raw), S_OK);
  {
    auto stream = TInterfacePtr<IStream>::Attach(raw);
    STATSTG stat;
    ASSERT_EQ(stream->Stat(&stat, 0), S_OK);
    EXPECT_EQ(stat.cbSize, 6u);
    char buffer[8] = {};
    ULONG read = 0;
    EXPECT_EQ(stream->Read(buffer, 4, &read), S_OK);
    EXPECT_EQ(std::string(buffer, read), "abcd");
    EXPECT_EQ(stream->Read(buffer, 4, &read), S_FALSE);  // short read at the end
    EXPECT_EQ(std::string(buffer, read), "ef");
    ULONGLONG at = 0;
    EXPECT_EQ(stream->Seek(-2, STREAM_SEEK_END, &at), S_OK);
    EXPECT_EQ(at, 4u);
    EXPECT_NE(stream->Seek(-1, STREAM_SEEK_SET, nullptr), S_OK);
    ULONG written = 0;
    EXPECT_EQ(stream->Write("XYZ", 3, &written), STG_E_MEDIUMFULL);  // the block does not grow
    EXPECT_EQ(written, 2u);
  }
  // Released: the block is still the caller's, with the write in it.
  ASSERT_EQ(GlobalSize(block), 6u);
  EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(block)), 6), "abcdXY");
  GlobalUnlock(block);
  EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(GlobalStreams, DeleteOnReleaseFreesTheBlockAndANilStreamIsRefused) {
  HGLOBAL block = BlockWith("xy");
  IStream* raw = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(block, TRUE, &raw), S_OK);
  raw->_Release();
  EXPECT_EQ(GlobalFree(block), block);  // already gone
  EXPECT_EQ(CreateStreamOnHGlobal(nullptr, FALSE, nullptr), E_INVALIDARG);
}

}  // namespace
