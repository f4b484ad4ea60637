#include "platform/sim/port_wiring.h"

#include <string_view>

#include "base/bad_thing.h"
#include "base/trace.h"
#include "config/config_section.h"
#include "config/settings_files.h"
#include "pads/control_pad.h"
#include "pads/pad_kind.h"
#include "pads/pad_sections.h"
#include "pads/pin_lookup.h"

namespace zarvel {
namespace {

// The kinds in the order the execution discovers their pads, with the names the files use.
struct SimKindName {
  SimPadKind kind;
  const PadKind& padKind;
};
const SimKindName kKindsInDiscoveryOrder[] = {
    {SimPadKind::kSnes, kSnesPad},
    {SimPadKind::kNes, kNesPad},
};

// The pins of one line of the cable, as a person reads them from the circuit file.
bool ReadLine(std::FILE* circuitFile, std::string_view kindName, int32_t padNumber,
              std::string_view item, std::vector<int32_t>& pins) {
  const std::optional<std::string> text = FindPinText(circuitFile, kindName, padNumber, item);
  if (!text) {
    return false;
  }
  std::optional<std::vector<int32_t>> numbers = ParsePinNumbers(*text);
  if (!numbers) {
    return false;
  }
  pins = std::move(*numbers);
  return true;
}

std::optional<PadCable> ReadCable(std::FILE* circuitFile, std::string_view kindName,
                                  int32_t padNumber) {
  PadCable cable;
  if (ReadLine(circuitFile, kindName, padNumber, kClockItem, cable.clock) &&
      ReadLine(circuitFile, kindName, padNumber, kLatchItem, cable.latch) &&
      ReadLine(circuitFile, kindName, padNumber, kPowerItem, cable.power) &&
      ReadLine(circuitFile, kindName, padNumber, kDataItem, cable.data)) {
    return cable;
  }
  return std::nullopt;
}

void ReadWiring(SettingsFiles& files, const std::string& homeDir, PortWiring& wiring) {
  TraceState quiet;
  OpenSettingsFiles(files, quiet, homeDir);
  wiring.base = ReadPortBase(files);
  int32_t position = 0;
  for (const SimKindName& kind : kKindsInDiscoveryOrder) {
    const std::string_view name = kind.padKind.name;
    for (const PadSection& section : FindPadSections(files, name, kHighestPadNumber)) {
      if (++position > kMaxPads) {
        return;
      }
      if (std::optional<PadCable> cable =
              ReadCable(files.circuitFile.get(), name, section.number)) {
        wiring.pads.push_back({kind.kind, position, std::move(*cable)});
      }
    }
  }
}

}  // namespace

PortWiring ReadPortWiring(const std::string& documentPath, const std::string& homeDir) {
  PortWiring wiring;
  SettingsFiles files;
  ResetSettingsFiles(files);
  files.localName = documentPath;
  // The engine's lookups end what they cannot do with a "Bad Thing"; here that only means the
  // wiring stops where it got to, and the execution will meet the same fault and report it.
  try {
    ReadWiring(files, homeDir, wiring);
  } catch (const BadThing&) {
  }
  return wiring;
}

}  // namespace zarvel
