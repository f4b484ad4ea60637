#pragma once

#include <array>
#include <cstdint>

namespace zarvel {

// What the two kinds of game pad send. After a latch pulse the data line shows the first button
// of its kind's order below, and each clock pulse moves the next one onto it. An SNES pad's
// shift register is longer than its buttons: its last four positions are wired to nothing.
inline constexpr int16_t kSnesButtonCount = 12;
inline constexpr int32_t kSnesRegisterLength = 16;
inline constexpr std::array<const char*, kSnesButtonCount> kSnesButtonOrder = {
    "b", "y", "select", "start", "up", "down", "left", "right", "a", "x", "l", "r",
};

inline constexpr int16_t kNesButtonCount = 8;
inline constexpr int32_t kNesRegisterLength = 8;
inline constexpr std::array<const char*, kNesButtonCount> kNesButtonOrder = {
    "a", "b", "select", "start", "up", "down", "left", "right",
};

// A PlayStation pad answers with two bytes of buttons, least significant bit first, in this
// order; an analog pad adds its sticks, which Zarvel reads as the eight directions after them
// (each pressed while the stick is pushed past the pad's AnalogThreshold that way).
inline constexpr int16_t kPsxButtonCount = 24;
inline constexpr int16_t kPsxDigitalButtonCount = 16;
inline constexpr std::array<const char*, kPsxButtonCount> kPsxButtonOrder = {
    "select", "l3",    "r3",    "start",  "up",       "right",  "down",  "left",
    "l2",     "r2",    "l1",    "r1",     "triangle", "circle", "cross", "square",
    "lup",    "ldown", "lleft", "lright", "rup",      "rdown",  "rleft", "rright",
};
// Where each stick direction sits in the order above.
inline constexpr int kPsxLeftUp = 16;
inline constexpr int kPsxRightUp = 20;

// An Atari-style stick is six switches, each closing one line of the port (through a diode) onto
// the stick's common line: its buttons in the order its lines are tried.
inline constexpr int16_t kAtariButtonCount = 6;
inline constexpr std::array<const char*, kAtariButtonCount> kAtariButtonOrder = {
    "up", "down", "left", "right", "fire", "fire2",
};

// A Sega Genesis pad puts six of its buttons on six lines at a time, chosen by its select line.
// Its buttons, in the order Zarvel reads them: what the lines show with select high, then with
// select low, then (six-button pads only) with select high for the third time.
inline constexpr int16_t kGenesisButtonCount = 12;
inline constexpr std::array<const char*, kGenesisButtonCount> kGenesisButtonOrder = {
    "up", "down", "left", "right", "b", "c", "a", "start", "z", "y", "x", "mode",
};
// The six lines are named after what they show with select high: the first six buttons above.
inline constexpr int16_t kGenesisLineCount = 6;
// Microseconds a six-button pad needs after its select line changes before its lines show the
// new phase: the Linux kernel's joystick driver waits this long after every change.
inline constexpr int32_t kGenesisSelectDelayUs = 14;

// SNES and NES pads shift the direction pad out at positions 4 to 7.
inline constexpr int kButtonUp = 4;
inline constexpr int kButtonDown = 5;
inline constexpr int kButtonLeft = 6;
inline constexpr int kButtonRight = 7;

}  // namespace zarvel
