#pragma once

#include <array>
#include <cstdint>

#include "hardware/parallel_port_registers.h"
#include "pads/control_pad.h"

namespace zarvel {

// The select phases in which a Genesis pad's lines are read, in the order they come. The pad
// counts its select pulses: the second high phase shows what the first did, and with a
// six-button pad the third high phase shows z, y, x and mode on the direction lines, and the
// third low phase grounds all four direction lines to say so.
enum GenesisPhase : uint8_t {
  kGenesisFirstHigh,
  kGenesisFirstLow,
  kGenesisThirdHigh,
  kGenesisThirdLow,
  kGenesisPhaseCount,
};

// Each register that carries one of the pad's lines, as read in each phase.
using GenesisReads = std::array<std::array<uint8_t, kRegisterCount>, kGenesisPhaseCount>;

// What a read found, kept in the pad's `identity`.
inline constexpr uint8_t kGenesisPresent = 0x01;    // Left and right were low with select low.
inline constexpr uint8_t kGenesisSixButton = 0x02;  // The direction lines were low in phase 3.

// Drives the select line through three high and three low phases (six writes, each followed by
// the pad's settling time) and reads the lines' registers in the four phases above: with all six
// lines on the data register, ten port accesses. Select stays low afterwards, where the pad
// rests until the next read; the pad starts counting again after a millisecond or two.
void ShiftGenesisLines(const ControlPad& pad, ParallelPort& port, PortIo& io, GenesisReads& reads);

// Turns the reads into button states and `identity`: a low line is a pressed button. The last
// four buttons are read only from a pad that said it has six.
void DecodeGenesisLines(const GenesisReads& reads, ControlPad& pad);

void ReadGenesisPad(ControlPad& pad, ParallelPort& port, PortIo& io);

// Turns the port's data lines to input (the control register's direction bit) with select low,
// in one write: for a pad with lines on the data register, before its first read.
void PrepareGenesisPad(const ControlPad& pad, ParallelPort& port, PortIo& io);

// Whether a pad's lines include one on the data register, so the data port must read.
bool GenesisReadsDataPort(const ControlPad& pad);

}  // namespace zarvel
