#pragma once

namespace zarvel {

// Ends the program with the text of an assumption that turned out false. Only a fault in
// Zarvel itself gets here: nothing in a configuration or in the hardware can.
[[noreturn]] void InvariantBroken(const char* what);

// Checks something the code relies on where it relies on it. Unlike assert, the check stays in
// every build, the tests' included: a broken ring index would otherwise write past the ring
// instead of stopping where the fault is.
inline void CheckInvariant(bool holds, const char* what) {
  if (!holds) [[unlikely]] {
    InvariantBroken(what);
  }
}

}  // namespace zarvel
