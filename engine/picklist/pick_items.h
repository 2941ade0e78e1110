// The pick-list items of the current window: their cells, their count and
// the highlight. Shared by the pick-list selection and by the menu selection
// of an input field.
#pragma once

#include <cstdint>

// Mark item i (1-based): its cells take the item number and the item classes.
void MarkItem(int item);
// Give item i's cells back to normal text.
void UnmarkItem(int item);
// Repaint item i's cells.
void RepaintItem(int item);

// ESC M L with its four parameter bytes and the key text.
void DefineChoiceItem(const uint8_t p[4], const char* key);
// ESC M C: trim or restore the active items to the count byte's value.
void SetChoiceCount(uint8_t countByte);

// An item counts while it lies within choiceCount and has a width.
bool ItemActive(int item);

// Directions of the highlight.
enum class ItemDirection { kDown, kUp, kLeft, kRight };
// The nearest active item from the current one in a direction, 0 = none.
int NearestItem(int current, ItemDirection direction);
// The first active item, 0 = none.
int FirstActiveItem();
// The active item whose key code equals key, 0 = none.
int ItemForKey(int32_t key);
// The active item holding the cell, 0 = none.
int ItemAtCell(int col, int row);

// Make item the highlighted one (0 = none): old and new are repainted and
// the cursor moves to the new item's first cell.
void HighlightItem(int item);
// Cursor to the item's first cell.
void CursorToItem(int item);
