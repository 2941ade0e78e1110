// The numeric editors of types 1 .. 20: a small calculator whose value the
// field shows right-aligned.
#include <cstring>

#include "decimal.h"
#include "field_editors.h"
#include "local_mode.h"

namespace {

Calculator& Calc() { return Field.calc; }

bool NegativeType() { return Field.type >= 1 && Field.type <= 10; }

// What the typed text holds; digits typed are counted from it, so the
// counters always agree with what the field shows.
DecimalText Typed() { return ReadDecimal(Field.text, Field.width); }

void LastPosition() {
  Field.offset = Field.width > 0 ? Field.width - 1 : 0;
  PlaceFieldCursor();
}

void ShowValue() {
  ShowField();
  LastPosition();
}

// The field's text moves left by one and ch takes the last position.
void AppendToText(uint8_t ch) {
  const int w = Field.width;
  if (w < 1) return;
  std::memmove(Field.text, Field.text + 1, w - 1);
  Field.text[w - 1] = ch;
  Calc().value = Typed().value;
  Field.modified = true;
  ShowValue();
}

void StartFresh() {
  if (!Calc().fresh) return;
  BlankField(false);
  Calc().value = ZeroDecimal();
  Calc().fresh = false;
}

// Round to the places shown and write the value right-aligned. A value with
// more integer digits than the field can show is refused with the bell and
// becomes zero: cutting its leading digits would show (and send) a wrong
// number.
void Display() {
  Calculator& c = Calc();
  if (!RoundDecimal(&c.value, c.decimals) || IntegerDigits(c.value) > c.integerLimit) {
    LocalBell();
    c.value = ZeroDecimal();
  }
  if (IsZero(c.value)) c.value.negative = false;
  char shown[kFieldBufferSize];
  int n = FormatDecimal(c.value, c.decimals, c.integerLimit > 0, shown, Field.width);
  BlankField(false);
  std::memcpy(Field.text + Field.width - n, shown, n);
  ShowValue();
}

void ApplyPending() {
  Calculator& c = Calc();
  Decimal result = ZeroDecimal();
  bool ok = true;
  switch (c.pending) {
    case CalculatorOperation::kNone: result = c.value; break;
    case CalculatorOperation::kAdd: ok = AddDecimal(c.operand, c.value, &result); break;
    case CalculatorOperation::kSubtract: ok = SubtractDecimal(c.operand, c.value, &result); break;
    case CalculatorOperation::kMultiply: ok = MultiplyDecimal(c.operand, c.value, &result); break;
    case CalculatorOperation::kDivide: ok = DivideDecimal(c.operand, c.value, c.decimals + 1, &result); break;
  }
  c.pending = CalculatorOperation::kNone;
  if (!ok) {
    LocalBell();
    result = ZeroDecimal();
  }
  if (result.negative && !IsZero(result) && !c.negativeAllowed) {
    LocalBell();
    result = ZeroDecimal();
  }
  c.value = result;
}

void Operator(CalculatorOperation operation) {
  ApplyPending();
  Display();
  Calc().operand = Calc().value;
  Calc().pending = operation;
  Calc().fresh = true;
  Field.modified = true;
}

void Digit(uint8_t ch) {
  DecimalText t = Typed();
  const bool fresh = Calc().fresh;
  const bool point = !fresh && t.point;
  const int integers = fresh ? 0 : t.integerDigits;
  const int decimals = fresh ? 0 : t.decimalDigits;
  if (point ? decimals >= Calc().decimals : integers >= Calc().integerLimit) {
    LocalBell();
    return;
  }
  StartFresh();
  AppendToText(ch);
}

void Point() {
  DecimalText t = Typed();
  if (Calc().decimals == 0 || (!Calc().fresh && t.point)) {
    LocalBell();
    return;
  }
  StartFresh();
  AppendToText('.');
}

void Sign() {
  DecimalText t = Typed();
  const bool fresh = Calc().fresh;
  if (!fresh && (t.minus || t.integerDigits + t.decimalDigits > 0)) {
    LocalBell();
    return;
  }
  StartFresh();
  AppendToText('-');
}

void Backspace() {
  const int w = Field.width;
  if (w < 1 || Field.text[w - 1] == ' ') return;
  std::memmove(Field.text + 1, Field.text, w - 1);
  Field.text[0] = ' ';
  Calc().value = Typed().value;
  Field.modified = true;
  ShowValue();
}

}  // namespace

void StartNumericEditor() {
  Calculator& c = Calc();
  const int w = Field.width;
  const bool negatives = NegativeType();
  int decimals = negatives ? Field.type - 1 : Field.type - 11;
  // A width that cannot hold the decimals with the sign (or the point) keeps
  // as many decimals as fit, so the shown value never runs out of the field.
  int room = negatives ? w - 2 : w - 1;
  if (decimals > room) decimals = room < 0 ? 0 : room;
  c.decimals = decimals;
  if (negatives)
    c.integerLimit = decimals > 0 ? w - decimals - 2 : w - 1;
  else
    c.integerLimit = decimals > 0 ? w - decimals - 1 : w;
  if (c.integerLimit < 0) c.integerLimit = 0;
  c.negativeAllowed = negatives;
  c.value = Typed().value;
  c.start = c.value;
  c.operand = ZeroDecimal();
  c.pending = CalculatorOperation::kNone;
  c.fresh = Field.hostOffset == 0;
  Field.offset = w > 0 ? w - 1 : 0;
}

void FinishNumericEntry() {
  // A number typed after an operator is worked in, as "=" would.
  if (Calc().pending != CalculatorOperation::kNone && !Calc().fresh) {
    ApplyPending();
    Display();
  }
}

void NumericEditorKey(int32_t code) {
  if (code >= '0' && code <= '9') {
    Digit(static_cast<uint8_t>(code));
    return;
  }
  switch (code) {
    case '.': Point(); return;
    case '-':
      if (NegativeType())
        Sign();
      else
        Operator(CalculatorOperation::kSubtract);
      return;
    case '+': Operator(CalculatorOperation::kAdd); return;
    case '*': Operator(CalculatorOperation::kMultiply); return;
    case '/': Operator(CalculatorOperation::kDivide); return;
    case '=':
      ApplyPending();
      Display();
      Calc().fresh = true;
      Field.modified = true;
      return;
    case 'C':
    case 'c':
      Calc().fresh = true;
      BlankField(false);
      Calc().value = ZeroDecimal();
      Field.modified = true;
      ShowValue();
      return;
    case key::kBackspace: Backspace(); return;
    case key::kCtrlR:
      std::memcpy(Field.text, Field.start, Field.width);
      Calc().value = Calc().start;
      Calc().fresh = true;
      Field.modified = false;
      ShowValue();
      return;
    case key::kLeft: EndField(11); return;
    case key::kRight: EndField(9); return;
    default: break;
  }
  if ((code >= 32 && code <= 255) || code == key::kInsert || code == key::kDelete || code == key::kShiftInsert)
    LocalBell();
}
