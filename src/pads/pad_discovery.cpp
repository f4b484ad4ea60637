#include "pads/pad_discovery.h"

#include <cstddef>
#include <iterator>
#include <string>

#include "base/bad_thing.h"
#include "base/invariant.h"
#include "base/trace.h"
#include "config/circuit_pins.h"
#include "config/config_section.h"
#include "config/pad_sections.h"
#include "config/settings_lookup.h"
#include "pads/button_encoding.h"
#include "pads/genesis_read.h"
#include "pads/pad_kind.h"
#include "pads/pad_read.h"
#include "pads/parallel_port.h"

namespace zarvel {
namespace {

constexpr char kTooManyPads[] = "Maximum number of controllers exceded.\n";
constexpr char kNoPads[] = "Could not find any control pad info in ini file.\n";
constexpr char kDataPinsRead[] =
    "A Genesis pad reads pins 2 to 9, so no pad can drive its lines there.\n";

// Whether the pad drives a line of its own on the data register (pins 2 to 9).
bool DrivesDataPins(const ControlPad& pad) {
  const auto onData = [](const PinDef* pin) { return pin != nullptr && pin->reg == kDataRegister; };
  if (pad.read == ReadGenesisPad) {
    return onData(pad.latchPin) || onData(pad.powerPin);
  }
  bool drives = onData(pad.clockPin) || onData(pad.latchPin) || onData(pad.powerPin) ||
                onData(pad.commandPin);
  for (const PinDef* pin : pad.switchPins) {
    drives = drives || onData(pin);
  }
  return drives;
}

// A Genesis pad that reads the data register cannot share it with pads that drive lines there,
// found before it or after.
bool DataPinsClash(const ControlPad& pad, const PadDiscovery& discovery) {
  const bool dataPortReads =
      (discovery.port.shadow[static_cast<size_t>(kControlRegister)] & kParControlDataInput) != 0;
  if (dataPortReads) {
    return DrivesDataPins(pad);
  }
  if (pad.read != ReadGenesisPad || !GenesisReadsDataPort(pad)) {
    return false;
  }
  for (int16_t i = 0; i <= discovery.padCount; ++i) {
    if (DrivesDataPins(discovery.pads[static_cast<size_t>(i)])) {
      return true;
    }
  }
  return false;
}

// The circuit items of a pad, in the order they are looked up, and the pin each one sets.
struct PadLine {
  std::string_view item;
  const PinDef* ControlPad::*pin;
};
constexpr PadLine kPadLines[] = {
    {kClockItem, &ControlPad::clockPin},  {kLatchItem, &ControlPad::latchPin},
    {kPowerItem, &ControlPad::powerPin},  {kDataItem, &ControlPad::dataPin},
    {kSelectItem, &ControlPad::latchPin}, {kCommandItem, &ControlPad::commandPin},
};

// The line of its own (an Atari-style stick's switch, a Genesis pad's line) that a circuit item
// of the kind names, or -1: those lines are named after the kind's first buttons.
int SwitchOfItem(std::string_view kindName, std::string_view item) {
  std::span<const char* const> names;
  if (kindName == kAtariSectionName) {
    names = kAtariButtonOrder;
  } else if (kindName == kGenesisSectionName) {
    names = std::span(kGenesisButtonOrder).first(kGenesisLineCount);
  }
  for (size_t i = 0; i < names.size(); ++i) {
    if (item == names[i]) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

// The pin a circuit item sets.
const PinDef* ControlPad::*PinOfItem(std::string_view item) {
  for (const PadLine& line : kPadLines) {
    if (line.item == item) {
      return line.pin;
    }
  }
  InvariantBroken("every circuit item sets a pin");
}

// The steps both kinds share; they differ only in the facts of their PadKind.
void InitPad(const PadKind& kind, ControlPad& pad, int32_t padNumber, PadDiscovery& discovery,
             PortIo& io) {
  pad.read = kind.read;
  pad.buttonCount = kind.buttonCount;
  pad.kindName = kind.name;
  pad.connectedTest = kind.connectedTest;
  pad.commandPin = nullptr;
  pad.identity = 0;
  // The pin lookup needs the number and the files that the reset gives the pad.
  ResetPadState(pad, padNumber, discovery.files);
  pad.clockPin = nullptr;
  pad.latchPin = nullptr;
  pad.dataPin = nullptr;
  pad.powerPin = nullptr;
  pad.switchPins = {};
  for (const std::string_view item : PadLineItemsOf(kind.name)) {
    const int line = SwitchOfItem(kind.name, item);
    const PinDef*& pin =
        line >= 0 ? pad.switchPins[static_cast<size_t>(line)] : pad.*PinOfItem(item);
    LookupPinDef(kind.name, item, pad, pin, discovery.combinedPins, discovery.allocation);
  }
  if (DataPinsClash(pad, discovery)) {
    ReportBadThingAt(SectionPlace(discovery.files, pad.header), kDataPinsRead);
  }
  if (kind.connectedTest == ConnectedTest::kIdentity) {
    pad.analogThreshold = static_cast<int8_t>(ReadAnalogThreshold(discovery.files, pad.header));
  }

  if (discovery.internalPower && pad.powerPin != nullptr) {
    TracePrint(discovery.trace, "\263      Powering up %s pad %d...", kind.shownName, padNumber);
    AssertPin(discovery.port, io, *pad.powerPin);
    TracePrint(discovery.trace, "Done\n");
  }

  if (kind.read == ReadGenesisPad) {
    PrepareGenesisPad(pad, discovery.port, io);
  }
  pad.read(pad, discovery.port, io);
  if (!PadSeemsConnected(pad)) {
    switch (kind.notConnectedStop) {
      case NotConnectedStop::kEndExecution:
        ReportBadThingAt(SectionPlace(discovery.files, pad.header), "%s", kind.notConnectedText);
      case NotConnectedStop::kEndProcess:
        StopProcessAt(SectionPlace(discovery.files, pad.header), "%s", kind.notConnectedText);
    }
  }

  for (int16_t i = 0; i < kind.buttonCount; ++i) {
    pad.buttonNames[static_cast<size_t>(i)] = kind.buttonNames[i];
  }
}

// Each kind with its initialisation routine.
struct KindDiscovery {
  const PadKind& kind;
  PadInitFunc init;
};
const KindDiscovery kKinds[] = {
    {kSnesPad, InitSnesPad},       {kNesPad, InitNesPad},     {kPsxPad, InitPsxPad},
    {kGenesisPad, InitGenesisPad}, {kAtariPad, InitAtariPad},
};

const KindDiscovery& KindNamed(std::string_view name) {
  for (const KindDiscovery& entry : kKinds) {
    if (entry.kind.name == name) {
      return entry;
    }
  }
  // The places come from the section names of these very kinds.
  InvariantBroken("every pad kind has an initialisation routine");
}

}  // namespace

void ResetPadState(ControlPad& pad, int32_t padNumber, const SettingsFiles& files) {
  for (int16_t bit = 0; bit < pad.buttonCount; ++bit) {
    const size_t i = static_cast<size_t>(bit);
    pad.repeatCount[i] = kRepeatOff;
    pad.prevOut[i] = 0;
    pad.out[i] = 0;
    pad.prevShiftIn[i] = 0;
    pad.shiftIn[i] = 0;
    pad.toggle[i] = kToggleOff;
  }
  pad.prevShift = 0;
  pad.shift = 0;
  pad.unplugged = false;
  pad.connectedReads = 0;
  pad.padNumber = padNumber;
  pad.files = &files;
}

void InitSnesPad(ControlPad& pad, int32_t padNumber, PadDiscovery& discovery, PortIo& io) {
  InitPad(kSnesPad, pad, padNumber, discovery, io);
}

void InitNesPad(ControlPad& pad, int32_t padNumber, PadDiscovery& discovery, PortIo& io) {
  InitPad(kNesPad, pad, padNumber, discovery, io);
}

void InitPsxPad(ControlPad& pad, int32_t padNumber, PadDiscovery& discovery, PortIo& io) {
  InitPad(kPsxPad, pad, padNumber, discovery, io);
}

void InitGenesisPad(ControlPad& pad, int32_t padNumber, PadDiscovery& discovery, PortIo& io) {
  InitPad(kGenesisPad, pad, padNumber, discovery, io);
}

void InitAtariPad(ControlPad& pad, int32_t padNumber, PadDiscovery& discovery, PortIo& io) {
  InitPad(kAtariPad, pad, padNumber, discovery, io);
}

void DiscoverPads(PadDiscovery& discovery, PortIo& io) {
  TracePrint(discovery.trace, "\332 Initializing and Configuring Control Pads...\n");
  const std::vector<PadPlace> places = FindPadPlaces(discovery.files);
  // A Genesis pad of an earlier execution may have left the data lines reading; the pads found
  // now drive them again until a Genesis pad of their own turns them round.
  if ((discovery.port.shadow[static_cast<size_t>(kControlRegister)] & kParControlDataInput) != 0) {
    WriteRegisterBits(discovery.port, io, kControlRegister,
                      {.set = 0, .clear = kParControlDataInput});
  }
  if (discovery.padsFound) {
    discovery.padsFound(places);
  }
  for (const PadPlace& place : places) {
    const KindDiscovery& entry = KindNamed(place.kind);
    TracePrint(discovery.trace, "\263   Found %s pad %d...\n", entry.kind.name,
               place.section.number);
    if (discovery.padCount >= kMaxPads) {
      ReportBadThingAt(SectionPlace(discovery.files, place.section.header), kTooManyPads);
    }
    ControlPad& pad = discovery.pads[static_cast<size_t>(discovery.padCount)];
    // The section is known before the pad is set up, so a stop there can name it.
    pad.header = place.section.header;
    entry.init(pad, place.section.number, discovery, io);
    if (discovery.configureButtons) {
      discovery.configureButtons(pad, place.section.header);
    }
    ++discovery.padCount;
  }
  if (discovery.padCount == 0) {
    ReportBadThingAt({.file = discovery.files.localFile ? discovery.files.localFile->Name() : ""},
                     kNoPads);
  }
  TracePrint(discovery.trace, "\300 Done\n");
}

}  // namespace zarvel
