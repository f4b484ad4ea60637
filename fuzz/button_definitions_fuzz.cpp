// Feeds arbitrary bytes to the readers of button and shift definitions: the first byte picks
// the pad's kind and number of shift states, the first line is every button's definition and
// the second the pad's shift definition. A pad that is accepted is then ticked with button
// states taken from the rest of the input. Every input must end in a configured pad or a clean
// error stop, never a crash, a hang or an overrun, and the tick must keep within the room of
// the tables, the staging area and the shift states.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "base/bad_thing.h"
#include "config/config_section.h"
#include "config/value_text.h"
#include "engine/process_state.h"
#include "inject/key_queue.h"
#include "mapping/button_configuration.h"
#include "mapping/button_processing.h"
#include "mapping/key_definitions.h"
#include "pads/pad_discovery.h"
#include "pads/pad_kind.h"

namespace {

// A few keys: of one, two, four and six bytes, with a zero inside, and none.
constexpr char kKeys[] =
    "1e 9e a\n30 b0 b\n2a aa lshift\ne0,48 e0,c8 up\ne0,2a,e0,37 e0,b7,e0,aa printscreen\n"
    "e1,1d,45,e1,9d,c5 0 pause\n1e,0,30 9e,0,b0 zeroed\n14 94 pulsed\n0 0 none\n";

constexpr int kTicks = 64;

void LoadKeys(zarvel::ProcessState& state) {
  std::string text(kKeys);
  zarvel::SettingsFile file(fmemopen(text.data(), text.size(), "r"));
  if (file) {
    zarvel::ReadKeyDefinitions(file.get(), state.allocation, state.keyDefinitions);
  }
}

// Takes the next line of the input, without its line end.
std::string NextLine(std::string_view& rest) {
  const size_t end = rest.find('\n');
  std::string line(rest.substr(0, end));
  rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  return line;
}

bool EntriesKeepTheirRoom(const zarvel::KeyTable& table) {
  for (int32_t row = 0; row < table.rowCount; ++row) {
    for (int32_t button = 0; button < table.buttonCount; ++button) {
      const zarvel::KeySequence& entry = zarvel::KeyTableEntry(table, row, button);
      if (entry.length < 0 || entry.length > entry.room ||
          entry.room > zarvel::kKeyTableEntryRoom) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) {
    return 0;
  }
  std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const uint8_t choice = data[0];
  std::string buttons = NextLine(rest);
  std::string shifts = NextLine(rest);
  zarvel::NormalizeValue(buttons);
  zarvel::NormalizeValue(shifts);

  zarvel::ProcessState state;
  zarvel::ControlPad& pad = state.Pads[0];
  const zarvel::PadKind& kind = (choice & 0x80) != 0 ? zarvel::kNesPad : zarvel::kSnesPad;
  pad.buttonCount = kind.buttonCount;
  for (int16_t i = 0; i < kind.buttonCount; ++i) {
    pad.buttonNames[static_cast<size_t>(i)] = kind.buttonNames[i];
  }
  zarvel::ResetPadState(pad, 1, state.files);
  pad.numShifts = static_cast<int8_t>((choice & 0x7F) % (zarvel::kMaxShiftButtons + 1));

  try {
    LoadKeys(state);
    state.keyQueue.Init(zarvel::kLargestKeyQueue, state.allocation, state.trace);
    zarvel::AllocateKeySequence(state.stagingSequence, state.allocation, zarvel::kStagingRoom);
    const zarvel::ButtonSetup setup{state.files, state.trace, state.keyDefinitions,
                                    state.allocation};
    zarvel::CreateKeyTable(pad.keyDown, pad, "key down", setup);
    zarvel::CreateKeyTable(pad.keyUp, pad, "key up", setup);
    for (int16_t i = 0; i < pad.buttonCount; ++i) {
      std::string value = buttons;
      zarvel::SplitButtonDefinition(i, value, pad, setup);
    }
    if (pad.numShifts > 0) {
      zarvel::AssignShiftButtons(pad, shifts);
    }
  } catch (const zarvel::BadThing&) {
    return 0;
  }
  if (!EntriesKeepTheirRoom(pad.keyDown) || !EntriesKeepTheirRoom(pad.keyUp)) {
    __builtin_trap();
  }

  // Each tick presses the buttons whose bits are set in the next two bytes of the input.
  for (int tick = 0; tick < kTicks; ++tick) {
    const size_t at = static_cast<size_t>(tick) * 2 % (rest.empty() ? 1 : rest.size());
    const unsigned bits =
        rest.empty()
            ? 0u
            : static_cast<unsigned>(static_cast<uint8_t>(rest[at])) |
                  static_cast<unsigned>(static_cast<uint8_t>(rest[(at + 1) % rest.size()])) << 8;
    for (int16_t i = 0; i < pad.buttonCount; ++i) {
      pad.raw[static_cast<size_t>(i)] = static_cast<uint8_t>(bits >> i & 1);
    }
    zarvel::UpdateButtonOutputs(pad);
    zarvel::UpdateShiftState(pad);
    zarvel::EmitKeyEvents(pad, state.keyQueue, state.stagingSequence);
    if (pad.shift > pad.numShifts || state.stagingSequence.length > zarvel::kStagingRoom) {
      __builtin_trap();
    }
    while (!state.keyQueue.Empty()) {
      state.keyQueue.Pop();
    }
  }
  return 0;
}
