#pragma once

#include <cstdint>

#include "config/config_section.h"

namespace zarvel {

class PortIo;

// One of the three ways of making a scan-code byte appear in the keyboard controller's output
// buffer. `controllerAddress` is the controller RAM byte that "old" and "new" use as a mailbox.
using KeySimFunc = void (*)(PortIo& port, uint8_t controllerAddress, uint8_t byte);

// The function that sends a byte the way the [config] KeySimMethod chose.
KeySimFunc KeySimFunctionOf(KeySimMethod method);

// Reads the status port until the input-buffer bit clears, at most kStatusWaitLimit times,
// and carries on either way.
void WaitInputBufferEmpty(PortIo& port);

// With interrupts disabled: the byte into controller RAM, then read back into the output buffer.
void SendKeyOld(PortIo& port, uint8_t controllerAddress, uint8_t byte);

// As "old", but first lets the system take a byte already waiting, keeps the interrupt mask
// as it found it, and enables the keyboard interface again afterwards.
void SendKeyNew(PortIo& port, uint8_t controllerAddress, uint8_t byte);

// The controller's own "write keyboard output buffer" command, with fixed delays of status reads.
void SendKeyNewest(PortIo& port, uint8_t controllerAddress, uint8_t byte);

// Every status wait gives up after this many reads, so a controller that never clears a bit
// cannot hold the execution (with interrupts disabled) for ever.
inline constexpr int kStatusWaitLimit = 65536;

// The fixed delays of "newest", counted in status-port reads.
inline constexpr int kNewestDelayBeforeData = 13;
inline constexpr int kNewestDelayAfterData = 50;

}  // namespace zarvel
