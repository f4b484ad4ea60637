#include "platform/sim/port_wiring.h"

#include <string_view>

#include "config/circuit_pins.h"
#include "config/config_section.h"
#include "config/pad_sections.h"
#include "config/settings_files.h"

namespace zarvel {
namespace {

// The pins of one line of the cable, as a person reads them from the circuit file.
bool ReadLine(const SettingsText& circuitFile, std::string_view kindName, int32_t padNumber,
              std::string_view item, std::vector<int32_t>& pins) {
  const std::optional<PinText> pin = FindPinText(circuitFile, kindName, padNumber, item);
  if (!pin) {
    return false;
  }
  std::optional<std::vector<int32_t>> numbers = ParsePinNumbers(pin->text);
  if (!numbers) {
    return false;
  }
  pins = std::move(*numbers);
  return true;
}

std::optional<PadCable> ReadCable(const SettingsText& circuitFile, std::string_view kindName,
                                  int32_t padNumber) {
  PadCable cable;
  // Each circuit item of the kind, and the line of the cable it gives.
  const struct {
    std::string_view item;
    std::vector<int32_t>& pins;
  } lines[] = {
      {kClockItem, cable.clock},    {kLatchItem, cable.latch},   {kSelectItem, cable.latch},
      {kPowerItem, cable.power},    {kDataItem, cable.data},     {kCommandItem, cable.command},
      {"up", cable.switches[0]},    {"down", cable.switches[1]}, {"left", cable.switches[2]},
      {"right", cable.switches[3]}, {"fire", cable.switches[4]}, {"fire2", cable.switches[5]},
      {"b", cable.switches[4]},     {"c", cable.switches[5]}};
  for (const std::string_view item : PadLineItemsOf(kindName)) {
    for (const auto& line : lines) {
      if (line.item == item && !ReadLine(circuitFile, kindName, padNumber, item, line.pins)) {
        return std::nullopt;
      }
    }
  }
  return cable;
}

// The kind of simulated pad a section name makes.
SimPadKind SimKindOf(std::string_view sectionName) {
  if (sectionName == kAtariSectionName) {
    return SimPadKind::kAtari;
  }
  if (sectionName == kPsxSectionName) {
    return SimPadKind::kPsx;
  }
  if (sectionName == kGenesisSectionName) {
    return SimPadKind::kGenesis;
  }
  return sectionName == kNesSectionName ? SimPadKind::kNes : SimPadKind::kSnes;
}

void PlugPads(std::span<const PadPlace> places, const SettingsText& circuitFile,
              PortWiring& wiring) {
  int32_t position = 0;
  for (const PadPlace& place : places) {
    if (++position > kMaxPads) {
      return;
    }
    if (std::optional<PadCable> cable = ReadCable(circuitFile, place.kind, place.section.number)) {
      wiring.pads.push_back({SimKindOf(place.kind), position, std::move(*cable)});
    }
  }
}

}  // namespace

PortWiring ReadPortWiring(const std::string& documentPath, const std::string& homeDir) {
  PortWiring wiring;
  SettingsFiles files;
  ResetSettingsFiles(files);
  files.localName = documentPath;
  // Every reader here answers what it could not find rather than end anything: the wiring
  // stops where it got to, and the execution will meet the same fault and report it.
  if (!TryOpenSettingsFiles(files, homeDir)) {
    return wiring;
  }
  wiring.base = FindPortBase(files);
  wiring.keySimMethod = FindKeySimMethod(files);
  if (wiring.base) {
    PlugPads(FindPadPlaces(files), *files.circuitFile, wiring);
  }
  return wiring;
}

PortWiring WirePads(int32_t base, std::span<const PadPlace> places, const std::string& homeDir) {
  PortWiring wiring;
  wiring.base = base;
  const std::string circuitName = homeDir + std::string(kCircuitFileName);
  if (const std::optional<SettingsText> circuitFile = ReadSettingsText(circuitName, circuitName)) {
    PlugPads(places, *circuitFile, wiring);
  }
  return wiring;
}

}  // namespace zarvel
