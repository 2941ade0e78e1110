// The fixed lists of the dialing profiles: dialing methods, calling-card
// steps and waits, and the calling-card carriers with their presets.
#pragma once

struct DialChoice {
  const char* text;
  int code;
};

// "7 Digit" 0, "Never 1" 1, "10 Digit" 3, in the dialog's order.
extern const DialChoice kDialMethods[3];
constexpr int kMethodSevenDigit = 0;
constexpr int kMethodNeverOne = 1;
constexpr int kMethodTenDigit = 3;

// The "Dial:" choices of a calling-card step.
extern const DialChoice kCardSteps[7];
constexpr int kStepDone = 0;
constexpr int kStepCardPhone = 1;
constexpr int kStepLastSeven = 2;
constexpr int kStepAllTen = 3;
constexpr int kStepPin = 4;
constexpr int kStepDigits = 5;
constexpr int kStepTone = 6;

// The "then wait for:" choices.
extern const DialChoice kCardWaits[13];
// What a wait adds to the dial string: "$" for a dial tone, a comma per two
// seconds; nothing for "Nothing", -1 and unknown codes.
const char* WaitText(int code);

constexpr int kCardStepCount = 6;
constexpr int kCardWaitCount = 5;

struct CardCarrier {
  int code;
  const char* name;
  const char* number;        // the card's access number ("" for none)
  int steps[kCardStepCount]; // -1 where the sequence has ended
  int waits[kCardWaitCount]; // after steps 1-5, -1 for none
  const char* digits[kCardStepCount];
  bool pin;                  // the PIN field is enabled
};

extern const CardCarrier kCardCarriers[13];
// The carrier of a code, or null.
const CardCarrier* FindCarrier(int code);
