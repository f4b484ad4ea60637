#pragma once

#include <cstdint>

namespace zarvel {

// What the bytes a pad keeps for each button stand for. The button configuration writes them,
// the pad's reset clears them, and the tick's processing reads and updates them; all three
// take their meaning from here.

// `toggle`: kToggleOff for a button that does not latch. A latching button holds
// kToggleLatches, with kToggleWasPressed added while the latch saw it pressed at the tick
// before, so that only a new press flips it.
inline constexpr uint8_t kToggleOff = 0x00;
inline constexpr uint8_t kToggleLatches = 0x01;
inline constexpr uint8_t kToggleWasPressed = 0x02;

// `repeatCount`: kRepeatOff for a button that does not repeat. A repeating button's counter
// starts at kRepeatCountStart, goes up at every tick, and starts again when it reaches the
// button's `repeatPeriod`.
inline constexpr int8_t kRepeatOff = 0;
inline constexpr int8_t kRepeatCountStart = 1;

// `repeatPeriod`: a repeat rate r, from kLowestRepeatRate to kHighestRepeatRate (the fastest),
// makes the counter step when it reaches kRepeatPeriodBase - r.
inline constexpr int32_t kLowestRepeatRate = 1;
inline constexpr int32_t kHighestRepeatRate = 20;
inline constexpr int32_t kRepeatPeriodBase = 21;

constexpr int8_t RepeatPeriodOfRate(int32_t rate) {
  return static_cast<int8_t>(kRepeatPeriodBase - rate);
}

}  // namespace zarvel
