// The parameter template interpreter. A template is a list of (kind, argument)
// steps; the collected bytes land in ParamBuffer and the completion runs once
// the template ends, with ParseState already back at ground.
#pragma once

#include <cstdint>

enum ParamKind : uint8_t {
  kFixed = 0,         // the next `argument` bytes as they come
  kFixedAlt = 1,      // same as kFixed
  kEnd = 2,           // ParseState to ground, then the completion
  kText = 3,          // bytes up to LF; CR dropped; LF ends with a NUL
  kOptionalText = 4,  // CR or LF starts a text field, anything else ends the template
  kSeparator = 5,     // store a comma and go on
};

struct ParamStep {
  uint8_t kind;
  uint8_t argument;
};

constexpr int kParamBufferSize = 200;

struct ParamCollector {
  const ParamStep* step;  // current template position
  void (*ParamCompletion)();
  uint8_t ParamBuffer[kParamBufferSize];
  int writePos;
  int freeCount;
  int fieldRemaining;  // bytes still expected in the current fixed field
};

// Owned by param_collector.cpp.
extern ParamCollector Params;

void StartParams(const ParamStep* templ, void (*completion)());
void ResetParamCollector();

// Completions read their parameters here.
inline const uint8_t* ParamBytes() { return Params.ParamBuffer; }
inline const char* ParamText(int offset) {
  return reinterpret_cast<const char*>(Params.ParamBuffer + offset);
}
