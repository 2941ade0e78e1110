// What the field editors share with the field itself.
#pragma once

#include <cstdint>

#include "input_field.h"

constexpr int kNoKind = -1;

// End the field with its reply.
void EndField(int code, int item = 0, int kind = kNoKind);
// Redraw the field's cells from the buffer (class 3, "*" under hidden input).
void ShowField();
// The cursor to the field's column + offset.
void PlaceFieldCursor();
// Blank the buffer, keeping template separators when asked.
void BlankField(bool keepSeparators);

void PlainEditorKey(int32_t code);

void StartNumericEditor();
void NumericEditorKey(int32_t code);
// Before an ending: a number typed after an operator is worked in first.
void FinishNumericEntry();

void StartSeparatorEditor();
void SeparatorEditorKey(int32_t code);
