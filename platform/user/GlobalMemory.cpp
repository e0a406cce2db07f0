#include "user/GlobalMemory.h"

#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {

struct Block {
  std::vector<Byte> bytes;
  int locks = 0;
};

// Blocks by handle; any thread may use them.
std::mutex gMutex;
std::unordered_map<HGLOBAL, std::unique_ptr<Block>> gBlocks;

Block* Find(HGLOBAL memory) {
  auto it = gBlocks.find(memory);
  return it == gBlocks.end() ? nullptr : it->second.get();
}

}  // namespace

HGLOBAL GlobalAlloc(UINT, size_t bytes) {
  auto block = std::make_unique<Block>();
  // Always zeroed: a caller that forgot GMEM_ZEROINIT reads nothing stale.
  block->bytes.assign(bytes, 0);
  auto handle = static_cast<HGLOBAL>(block.get());
  std::lock_guard<std::mutex> lock(gMutex);
  gBlocks.emplace(handle, std::move(block));
  return handle;
}

LPVOID GlobalLock(HGLOBAL memory) {
  std::lock_guard<std::mutex> lock(gMutex);
  Block* block = Find(memory);
  if (!block) return nullptr;
  ++block->locks;
  return block->bytes.empty() ? nullptr : block->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL memory) {
  std::lock_guard<std::mutex> lock(gMutex);
  Block* block = Find(memory);
  if (!block || block->locks == 0) return FALSE;
  return --block->locks > 0;
}

HGLOBAL GlobalFree(HGLOBAL memory) {
  std::lock_guard<std::mutex> lock(gMutex);
  return gBlocks.erase(memory) ? nullptr : memory;
}

size_t GlobalSize(HGLOBAL memory) {
  std::lock_guard<std::mutex> lock(gMutex);
  Block* block = Find(memory);
  return block ? block->bytes.size() : 0;
}
