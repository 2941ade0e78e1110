#include "edit_clock.h"

#include <chrono>

namespace {
class SteadyClock final : public EditClock {
 public:
  long long NowMs() override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }
};
}  // namespace

EditClock& SystemEditClock() {
  static SteadyClock clock;
  return clock;
}
