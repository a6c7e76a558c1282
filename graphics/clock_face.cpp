#include "graphics/clock_face.h"

#include <cmath>

namespace {

constexpr uint32_t kLongestElapsedMs = 604800000;

// A hand `length` of the face long at `position` (0..59) of its dial. 7.5 turns of the
// stored value of pi point it straight up at 0.
void HandEnd(uint32_t position, int32_t w, int32_t h, double length, int32_t& dx, int32_t& dy) {
  double angle = ((position % 60) * 0.03333333333333333 + 7.5) * 3.1415927;
  dx = static_cast<int32_t>(std::cos(angle) * w * length);
  dy = static_cast<int32_t>(std::sin(angle) * h * length);
}

}  // namespace

ClockHands ClockHandsFor(uint32_t t, int32_t w, int32_t h) {
  uint32_t v = (t / 60) * 300 + t % 60;
  ClockHands hands{};
  HandEnd(v, w, h, 0.45, hands.longDx, hands.longDy);
  HandEnd(v / 60, w, h, 0.25, hands.shortDx, hands.shortDy);
  return hands;
}

uint32_t ClockSecondsFor(uint32_t elapsed) {
  return elapsed > kLongestElapsedMs ? 0 : elapsed / 1000;
}
