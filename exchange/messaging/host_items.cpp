#include "host_items.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framing.h"

namespace {

// The head of each block; the two texts follow it, each with its zero.
struct ItemHeader {
  void* next;
  int32_t kind;
  uint32_t textLength;
  uint32_t positionLength;
};

void* HeapAllocate(size_t size) { return std::malloc(size); }
void* HeapLock(void* block) { return block; }
void HeapUnlock(void*) {}
void HeapRelease(void* block) { std::free(block); }
bool NoLock() { return true; }
void NoUnlock() {}

constexpr HostItemMemory kHeap = {HeapAllocate, HeapLock, HeapUnlock, HeapRelease, NoLock, NoUnlock};

struct HostItemRecord {
  HostItemMemory memory = kHeap;
  void* first = nullptr;
  void* last = nullptr;
};
HostItemRecord Items;

void SetNext(void* block, void* next) {
  auto* h = static_cast<ItemHeader*>(Items.memory.lock(block));
  if (!h) return;
  h->next = next;
  Items.memory.unlock(block);
}

}  // namespace

void SetHostItemMemory(const HostItemMemory& memory) {
  ClearHostItems();
  Items.memory = memory;
}

void UseHeapHostItemMemory() { SetHostItemMemory(kHeap); }

bool QueueHostItem(const std::string& text, const std::string& position, int kind) {
  if (!FramingSafe(text) || !FramingSafe(position)) return false;
  const size_t size = sizeof(ItemHeader) + text.size() + 1 + position.size() + 1;
  void* block = Items.memory.allocate(size);
  if (!block) return false;
  auto* h = static_cast<ItemHeader*>(Items.memory.lock(block));
  if (!h) {
    Items.memory.release(block);
    return false;
  }
  h->next = nullptr;
  h->kind = kind;
  h->textLength = static_cast<uint32_t>(text.size());
  h->positionLength = static_cast<uint32_t>(position.size());
  char* data = reinterpret_cast<char*>(h + 1);
  std::memcpy(data, text.c_str(), text.size() + 1);
  std::memcpy(data + text.size() + 1, position.c_str(), position.size() + 1);
  Items.memory.unlock(block);
  if (!Items.memory.acquire()) {
    Items.memory.release(block);
    return false;
  }
  if (Items.last) {
    SetNext(Items.last, block);
  } else {
    Items.first = block;
  }
  Items.last = block;
  Items.memory.relinquish();
  return true;
}

bool HostItemsWaiting() {
  if (!Items.memory.acquire()) return false;
  const bool waiting = Items.first != nullptr;
  Items.memory.relinquish();
  return waiting;
}

bool PopHostItem(std::string* text, std::string* position, int* kind) {
  if (!Items.memory.acquire()) return false;
  void* block = Items.first;
  if (!block) {
    Items.memory.relinquish();
    return false;
  }
  auto* h = static_cast<ItemHeader*>(Items.memory.lock(block));
  void* next = h ? h->next : nullptr;
  if (h) {
    const char* data = reinterpret_cast<const char*>(h + 1);
    text->assign(data, h->textLength);
    position->assign(data + h->textLength + 1, h->positionLength);
    *kind = h->kind;
    Items.memory.unlock(block);
  }
  Items.first = next;
  if (!next) Items.last = nullptr;
  Items.memory.relinquish();
  Items.memory.release(block);
  return h != nullptr;
}

void ClearHostItems() {
  std::string text, position;
  int kind = 0;
  while (Items.first && PopHostItem(&text, &position, &kind)) {
  }
  Items.first = Items.last = nullptr;
}

std::string DropPositionText(int col, int row, int left, int top, int right, int bottom) {
  const int c = col >= left && col <= right ? col - left + 1 : 0;
  const int r = row >= top && row <= bottom ? row - top + 1 : 0;
  char text[32];
  std::snprintf(text, sizeof text, "%d,%d", c, r);
  return text;
}
