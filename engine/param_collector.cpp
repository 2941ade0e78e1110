#include "param_collector.h"

#include "parser.h"

ParamCollector Params;

namespace {

void RunTemplate();

void StoreParamByte(uint8_t byte) {
  if (Params.freeCount > 0) {
    Params.ParamBuffer[Params.writePos++] = byte;
    --Params.freeCount;
  }
}

// Text bytes keep one place free for the NUL, so a field always ends inside
// the buffer; what does not fit is consumed and dropped.
void StoreTextByte(uint8_t byte) {
  if (Params.freeCount > 1) StoreParamByte(byte);
}

void EndTextField() {
  if (Params.freeCount > 0) {
    StoreParamByte(0);
  } else {
    Params.ParamBuffer[kParamBufferSize - 1] = 0;
  }
  ++Params.step;
  RunTemplate();
}

void FixedFieldState(uint8_t byte) {
  StoreParamByte(byte);
  if (--Params.fieldRemaining == 0) {
    ++Params.step;
    RunTemplate();
  }
}

void TextFieldState(uint8_t byte) {
  if (byte == '\n') {
    EndTextField();
  } else if (byte != '\r') {
    StoreTextByte(byte);
  }
}

void OptionalTextState(uint8_t byte) {
  if (byte == '\r' || byte == '\n') {
    SetParseState(TextFieldState);
    TextFieldState(byte);
    return;
  }
  // Anything else ends the template; the byte goes to whatever handler is
  // current once the completion has run.
  ResetParser();
  Params.ParamBuffer[Params.writePos < kParamBufferSize ? Params.writePos : kParamBufferSize - 1] = 0;
  Params.ParamCompletion();
  ParseByte(byte);
}

void RunTemplate() {
  for (;;) {
    const ParamStep step = *Params.step;
    switch (step.kind) {
      case kFixed:
      case kFixedAlt:
        if (step.argument == 0) {
          ++Params.step;
          continue;
        }
        Params.fieldRemaining = step.argument;
        SetParseState(FixedFieldState);
        return;
      case kEnd:
        ResetParser();
        Params.ParamCompletion();
        return;
      case kText:
        SetParseState(TextFieldState);
        return;
      case kOptionalText:
        SetParseState(OptionalTextState);
        return;
      case kSeparator:
        StoreTextByte(',');
        ++Params.step;
        continue;
      default:
        return;  // an unknown step ends interpretation where it stands
    }
  }
}

}  // namespace

void StartParams(const ParamStep* templ, void (*completion)()) {
  Params.ParamCompletion = completion;
  Params.writePos = 0;
  Params.freeCount = kParamBufferSize;
  Params.step = templ;
  RunTemplate();
}

void ResetParamCollector() { Params = ParamCollector{}; }
