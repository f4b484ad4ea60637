#include "pads/pad_kind.h"

#include "config/pad_sections.h"
#include "pads/genesis_read.h"
#include "pads/pad_read.h"
#include "pads/psx_read.h"
#include "pads/switch_read.h"

namespace zarvel {

const PadKind kSnesPad = {
    kSnesSectionName,
    "SNES",
    kSnesButtonCount,
    kSnesButtonOrder.data(),
    NotConnectedStop::kEndExecution,
    "The SNES controller does not seem to be connected.\n",
    ReadPad,
    ConnectedTest::kDirections,
    "an",
};

const PadKind kNesPad = {
    kNesSectionName,
    "NES",
    kNesButtonCount,
    kNesButtonOrder.data(),
    NotConnectedStop::kEndProcess,
    "Bad Thing: The NES controller does not seem to be connected.\n",
    ReadPad,
    ConnectedTest::kDirections,
    "an",
};

const PadKind kPsxPad = {
    kPsxSectionName,
    "PSX",
    kPsxButtonCount,
    kPsxButtonOrder.data(),
    NotConnectedStop::kEndExecution,
    "The PSX controller does not seem to be connected.\n",
    ReadPsxPad,
    ConnectedTest::kIdentity,
    "a",
};

const PadKind kGenesisPad = {
    kGenesisSectionName,
    "Genesis",
    kGenesisButtonCount,
    kGenesisButtonOrder.data(),
    NotConnectedStop::kEndExecution,
    "The Genesis controller does not seem to be connected.\n",
    ReadGenesisPad,
    ConnectedTest::kGrounded,
    "a",
};

const PadKind kAtariPad = {
    kAtariSectionName,
    "Atari",
    kAtariButtonCount,
    kAtariButtonOrder.data(),
    NotConnectedStop::kEndExecution,
    "",
    ReadAtariPad,
    ConnectedTest::kNone,
    "an",
};

const PadKind* FindPadKind(std::string_view name) {
  for (const PadKind* kind : {&kSnesPad, &kNesPad, &kPsxPad, &kGenesisPad, &kAtariPad}) {
    if (name == kind->name) {
      return kind;
    }
  }
  return nullptr;
}

}  // namespace zarvel
