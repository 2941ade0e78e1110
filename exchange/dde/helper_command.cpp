#include "helper_command.h"

#include <cstring>

#include "dde_port.h"

namespace {

// Copies [begin, end) into a field; false when it does not fit.
bool CopyField(char* field, const char* begin, const char* end) {
  const size_t n = static_cast<size_t>(end - begin);
  if (n >= kHelperFieldSize) return false;
  std::memcpy(field, begin, n);
  field[n] = 0;
  return true;
}

bool OpFitsDirection(char op, int direction) {
  switch (op) {
    case 'A':
    case 'R':
      return direction == kHelperToHost;
    case 'C':
    case 'S':
    case 'E':
    case 'P':
    case 'H':
      return direction == kHelperFromHost;
    default:
      return false;
  }
}

}  // namespace

void CopyDdeName(char* name, const char* text) {
  size_t n = std::strlen(text);
  if (n > kDdeNameSize - 1) n = kDdeNameSize - 1;
  std::memcpy(name, text, n);
  name[n] = 0;
}

bool ParseHelperCommand(const char* name, int direction, HelperCommand* out) {
  *out = HelperCommand{};
  if (!name || !name[0]) return false;
  out->op = name[0];
  // The op letter, then the four separators; E is the rest and may hold "/".
  const char* p = name + 1;
  const char* cuts[4];
  for (int i = 0; i < 4; ++i) {
    const char* slash = std::strchr(p, '/');
    if (!slash) return false;
    cuts[i] = slash;
    p = slash + 1;
  }
  const char* aBegin = name + 1;
  if (!CopyField(out->a, aBegin, cuts[0]) || !CopyField(out->b, cuts[0] + 1, cuts[1]) ||
      !CopyField(out->service, cuts[1] + 1, cuts[2]) || !CopyField(out->topic, cuts[2] + 1, cuts[3]) ||
      !CopyField(out->item, cuts[3] + 1, cuts[3] + 1 + std::strlen(cuts[3] + 1)))
    return false;
  if (!OpFitsDirection(out->op, direction)) return false;
  // Service and topic are names of 15 characters at most; an empty one is B.
  char* names[] = {out->service, out->topic};
  for (char* field : names) {
    field[kDdeNameSize - 1] = 0;
    if (!field[0]) CopyDdeName(field, out->b);
  }
  return true;
}

uint32_t HelperTransaction(char op) {
  switch (op) {
    case 'A': return kDdeAdviseStart;
    case 'R': return kDdeRequest;
    case 'E': return kDdeExecute;
    case 'P': return kDdePoke;
    case 'S': return kDdeAdviseStop;
    default: return 0;
  }
}
