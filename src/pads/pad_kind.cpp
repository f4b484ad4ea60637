#include "pads/pad_kind.h"

#include "config/pad_sections.h"

namespace zarvel {

const PadKind kSnesPad = {
    kSnesSectionName,
    "SNES",
    kSnesButtonCount,
    kSnesButtonOrder.data(),
    NotConnectedStop::kEndExecution,
    "The SNES controller does not seem to be connected.\n",
};

const PadKind kNesPad = {
    kNesSectionName,
    "NES",
    kNesButtonCount,
    kNesButtonOrder.data(),
    NotConnectedStop::kEndProcess,
    "Bad Thing: The NES controller does not seem to be connected.\n",
};

const PadKind* FindPadKind(std::string_view name) {
  for (const PadKind* kind : {&kSnesPad, &kNesPad}) {
    if (name == kind->name) {
      return kind;
    }
  }
  return nullptr;
}

}  // namespace zarvel
