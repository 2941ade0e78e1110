// Local input fields: the host names a piece of the screen, the terminal
// edits it locally with the editor of the field's type, and one reply
// carries the finished text and the key that ended it.
#pragma once

#include <cstdint>

#include "decimal.h"
#include "service_seams.h"

constexpr int kFieldBufferSize = 80;
constexpr int kMaxExitKeys = 40;

enum class FieldEditor { kPlain, kNumeric, kSeparator, kNoEditing };

enum class CalculatorOperation { kNone, kAdd, kSubtract, kMultiply, kDivide };

// The numeric field's calculator.
struct Calculator {
  Decimal value;    // A: what the field holds
  Decimal operand;  // B: the stored operand
  Decimal start;    // the starting value, for Ctrl+R
  CalculatorOperation pending;
  bool fresh;       // the next digit starts a new number
  int decimals;     // places shown
  int integerLimit; // integer digits the field can show
  bool negativeAllowed;
};

// The field in progress and the flags the host sets for fields. One per
// process, owned by input_field.cpp.
struct InputFieldState {
  bool active;
  bool waitingMessage;  // a PC message is being delivered; ends with 154
  int col, row;         // screen cell of offset 0
  int width;            // 0..80
  int offset;           // cursor offset, 0..width
  int hostOffset;       // the offset the host asked for
  int type;
  FieldEditor editor;
  int form;             // 0 from ESC I, 1 from ESC i
  bool autoExit, modified, firstKey;
  bool blankEnds;       // type 21
  bool localEditing;    // type 26 set the local-editing flag
  uint8_t text[kFieldBufferSize];
  uint8_t start[kFieldBufferSize];
  uint8_t classes[kFieldBufferSize];
  bool separator[kFieldBufferSize];  // template positions of the separator editors
  uint8_t separatorChar;
  uint8_t exitKeys[kMaxExitKeys];
  int exitKeyCount;
  Calculator calc;
  // Flags that outlive one field.
  bool insert;       // insert state, toggled by Insert
  bool hiddenInput;  // ESC ^ E: the next field shows "*"
  bool eventBlock;   // ESC ^ m / ESC ^ M: events do not end the field
};
extern InputFieldState Field;

void ResetInputField();

// The InputMode handler of a field (keyboard modes 3 .. 9).
int InputFieldKey(int32_t code);

// Whether typed characters are to be hidden (the receive trace records "*").
bool InputFieldHidesInput();

// The engine's input-field service.
class InputFields final : public InputFieldSeam {
 public:
  void StartField(const uint8_t p[5], const char* text, bool lowerForm) override;
  void SetEditorFlag(char which) override;
  void Abandon() override;
};
