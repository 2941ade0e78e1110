// Movable memory blocks, referred to by 32-bit ids (0 = none). Saved windows,
// named screens, viewports and the other blocks handed between parts of the
// terminal live here.
#pragma once

#include <cstddef>
#include <cstdint>

#include "screen_model.h"

// A new zero-filled block, or 0 when it cannot be had.
BlockId AllocBlock(size_t size);
// The block's bytes, or null for an unknown id.
uint8_t* BlockData(BlockId id);
size_t BlockSize(BlockId id);
void FreeBlock(BlockId id);
// Number of live blocks (leak checks in tests).
size_t LiveBlockCount();
// Free everything.
void ResetBlockStore();
// Refuse allocations above this many bytes in all (0 = no limit); lets tests
// exercise the failure paths.
void SetBlockStoreLimit(size_t bytes);
