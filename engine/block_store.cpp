#include "block_store.h"

#include <memory>
#include <new>
#include <vector>

namespace {

struct Block {
  std::unique_ptr<uint8_t[]> bytes;
  size_t size;
};

struct BlockStore {
  std::vector<Block> blocks;      // id = index + 1
  std::vector<BlockId> freeIds;
  size_t bytesInUse = 0;
  size_t limit = 0;
  size_t live = 0;
};

BlockStore store;

Block* Find(BlockId id) {
  if (id == 0 || id > store.blocks.size()) return nullptr;
  Block& b = store.blocks[id - 1];
  return b.bytes ? &b : nullptr;
}

}  // namespace

BlockId AllocBlock(size_t size) {
  if (store.limit && store.bytesInUse + size > store.limit) return 0;
  std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[size ? size : 1]());
  if (!bytes) return 0;
  BlockId id;
  if (!store.freeIds.empty()) {
    id = store.freeIds.back();
    store.freeIds.pop_back();
  } else {
    store.blocks.push_back(Block{});
    id = static_cast<BlockId>(store.blocks.size());
  }
  store.blocks[id - 1] = Block{std::move(bytes), size};
  store.bytesInUse += size;
  ++store.live;
  return id;
}

uint8_t* BlockData(BlockId id) {
  Block* b = Find(id);
  return b ? b->bytes.get() : nullptr;
}

size_t BlockSize(BlockId id) {
  Block* b = Find(id);
  return b ? b->size : 0;
}

void FreeBlock(BlockId id) {
  Block* b = Find(id);
  if (!b) return;
  store.bytesInUse -= b->size;
  b->bytes.reset();
  b->size = 0;
  store.freeIds.push_back(id);
  --store.live;
}

size_t LiveBlockCount() { return store.live; }

void ResetBlockStore() { store = BlockStore{}; }

void SetBlockStoreLimit(size_t bytes) { store.limit = bytes; }
