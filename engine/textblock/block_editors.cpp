// What the block editors share.
#include "block_editors.h"

#include <initializer_list>

#include "engine_context.h"
#include "key_codes.h"
#include "local_edit.h"
#include "local_mode.h"

void AbandonFullScreenEditor(bool release);
void AbandonBrowse(bool release);

void DeliverBlockStartInput(int (*handler)(int32_t), bool (*still)()) {
  for (int32_t code : {keycode::kMessageArrived, keycode::kItemQueued})
    if (still() && Engine.keyboard->EventPending(code)) handler(code);
  ReplayTypeAhead(handler, still);
}

void AbandonBlockEditors(bool release) {
  AbandonLocalEdit(release);
  AbandonFullScreenEditor(release);
  AbandonBrowse(release);
}
