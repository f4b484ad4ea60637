// Feeds arbitrary bytes to the readers of the pads' outside text: as a pad script, as the value
// of a pin item, and as a circuit file that every pin of every pad is looked up in. Every input
// must end in a result or a clean refusal, never a crash, a hang or an overrun.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "base/bad_thing.h"
#include "base/checked_alloc.h"
#include "config/circuit_pins.h"
#include "config/pad_sections.h"
#include "hardware/pin_table.h"
#include "pads/pin_lookup.h"
#include "platform/sim/pad_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  zarvel::ParsePadScript(text, "fuzz.txt");

  zarvel::CombinedPinDefs combined;
  const zarvel::AllocationGate gate;
  try {
    const zarvel::PinDef& pin = zarvel::ParsePinDef(text, "snes", combined, gate);
    if (pin.reg < 0 || pin.reg > zarvel::kControlRegister) {
      __builtin_trap();  // Every accepted pin must name one of the three registers.
    }
  } catch (const zarvel::BadThing&) {
  }

  const zarvel::SettingsText circuits("circuits.ini", std::string(text));
  for (const std::string_view kind : {"snes", "nes"}) {
    for (int32_t number = 1; number <= zarvel::kHighestPadNumber; ++number) {
      for (const std::string_view item :
           {zarvel::kClockItem, zarvel::kLatchItem, zarvel::kPowerItem, zarvel::kDataItem}) {
        if (auto pin = zarvel::FindPinText(circuits, kind, number, item)) {
          zarvel::ParsePinNumbers(pin->text);
        }
      }
    }
  }
  return 0;
}
