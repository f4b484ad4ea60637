#include "pads/pad_kind.h"

#include "config/pad_sections.h"

namespace zarvel {

const char SnesButtonNames[kMaxButtons][kButtonNameRoom] = {
    "b", "y", "select", "start", "up", "down", "left", "right", "a", "x", "l", "r",
};

const char NesButtonNames[kMaxButtons][kButtonNameRoom] = {
    "a", "b", "select", "start", "up", "down", "left", "right",
};

const PadKind kSnesPad = {
    kSnesSectionName,
    "SNES",
    12,
    SnesButtonNames,
    NotConnectedStop::kEndExecution,
    "The SNES controller does not seem to be connected.\n",
};

const PadKind kNesPad = {
    kNesSectionName,
    "NES",
    8,
    NesButtonNames,
    NotConnectedStop::kEndProcess,
    "Bad Thing: The NES controller does not seem to be connected.\n",
};

}  // namespace zarvel
