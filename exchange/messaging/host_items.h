// The queue of items for the host: files dropped on the window or chosen for
// an attachment, and messaging notices. Each item is one movable memory
// block holding its text, its position text and its kind; the blocks form a
// list in arrival order. Producers run on the main thread and on the
// messaging watcher, so every change happens under the queue's lock (the
// named mutex "MoxelBrowse" in the terminal).
#pragma once

#include <cstddef>
#include <string>

// How the terminal gets blocks and the lock; the default (heap blocks, no
// lock) serves one thread.
struct HostItemMemory {
  void* (*allocate)(size_t size);  // a movable block, or null
  void* (*lock)(void* block);      // its address while locked
  void (*unlock)(void* block);
  void (*release)(void* block);
  bool (*acquire)();   // the queue's lock, waited for a bounded time
  void (*relinquish)();
};

constexpr int kNoticeKind = 1;  // messaging notices; 0 for drops and attachments

void SetHostItemMemory(const HostItemMemory& memory);
void UseHeapHostItemMemory();

// False when the item cannot be framed for the host (253 or 254 in a text),
// when no block could be had or the lock not taken; nothing is queued then.
bool QueueHostItem(const std::string& text, const std::string& position, int kind);
bool HostItemsWaiting();
// The oldest item, taken out of the queue (its block is released).
bool PopHostItem(std::string* text, std::string* position, int* kind);
void ClearHostItems();

// The position text of a dropped file: the cell's 1-based column and row
// within the text window (left..right, top..bottom, cells of the screen), each
// 0 when outside it, as "%d,%d".
std::string DropPositionText(int col, int row, int left, int top, int right, int bottom);
