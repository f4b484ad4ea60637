#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "base/bad_thing.h"
#include "config/config_section.h"
#include "config/settings_files.h"
#include "engine/process_state.h"
#include "engine/run_block.h"
#include "inject/key_queue.h"
#include "mapping/button_configuration.h"
#include "mapping/button_processing.h"
#include "pads/pad_discovery.h"
#include "pads/pad_kind.h"
#include "support/bad_thing_message.h"
#include "support/fake_host.h"
#include "support/quiet_buttons.h"
#include "support/temp_dir.h"

namespace zarvel::testing {

// The keys the mapping tests name: the shipped codes of a, b, x, esc, lshift and printscreen,
// a key with a zero byte inside each list, a key whose name begins with "pulse", one with a
// name of the longest length, and none.
inline constexpr std::string_view kMappingKeys =
    "1e 9e a\n30 b0 b\n2d ad x\n1 81 esc\n2a aa lshift\n"
    "e0,2a,e0,37 e0,b7,e0,aa printscreen\n"
    "1e,0,30 9e,0,b0 zeroed\n14 94 pulsed\n15 95 longkeyname\n0 0 none\n";

// One SNES pad configured from a document of the test's own, as discovery would configure it,
// with the key queue and the staging area of an execution, so the tick's processing can run on
// it directly.
class ConfiguredPad {
 public:
  ConfiguredPad() {
    dir_.Write("home/zarvel.ini", "");
    dir_.Write("home/circuits.ini", "");
    dir_.Write("home/keys.cfg", kMappingKeys);
  }

  // Configures the pad from `section`, the items of [snes] (before the defaults, of which the
  // line of item `omitted` is left out), with `config` ahead of the pad's section. Returns the
  // message the configuration ended with, or "" when it succeeded.
  std::string Configure(std::string_view section,
                        std::string_view config = "[config]\nRepeatRate = 10\n",
                        std::string_view omitted = "") {
    std::string document = std::string(config) + "[snes]\n" + std::string(section);
    std::string_view defaults = kUnmappedSnesButtons;
    while (!defaults.empty()) {
      const std::string_view line = defaults.substr(0, defaults.find('\n') + 1);
      if (omitted.empty() || !line.starts_with(std::string(omitted) + " ")) {
        document += line;
      }
      defaults.remove_prefix(line.size());
    }
    state.files.localName = dir_.Write("document.ini", document);
    state.files.circuitName = std::string(kCircuitFileName);
    state.trace.sink = &host;
    try {
      OpenSettingsFiles(state.files, state.trace, dir_.Slash() + "home/");
      LoadKeyDefinitions(state.files, state.allocation, state.keyDefinitions);
      state.keyQueue.Init(kLargestKeyQueue, state.allocation, state.trace);
      AllocateKeySequence(state.stagingSequence, state.allocation, kStagingRoom);
      pad.buttonCount = kSnesPad.buttonCount;
      for (int16_t i = 0; i < pad.buttonCount; ++i) {
        pad.buttonNames[static_cast<size_t>(i)] = kSnesButtonOrder[static_cast<size_t>(i)];
      }
      ResetPadState(pad, 1, state.files);
      host.trace.clear();
      ConfigurePadButtons(pad, "[snes]", Setup());
    } catch (const BadThing& error) {
      return error.what();
    }
    return "";
  }

  // One tick of the pad with the named buttons pressed: the bytes it queued, in order.
  std::vector<uint8_t> Tick(std::initializer_list<std::string_view> pressed = {}) {
    pad.raw = {};
    for (const std::string_view name : pressed) {
      for (int16_t i = 0; i < pad.buttonCount; ++i) {
        if (name == kSnesButtonOrder[static_cast<size_t>(i)]) {
          pad.raw[static_cast<size_t>(i)] = 1;
        }
      }
    }
    UpdateButtonOutputs(pad);
    UpdateShiftState(pad);
    EmitKeyEvents(pad, state.keyQueue, state.stagingSequence);
    std::vector<uint8_t> queued;
    while (!state.keyQueue.Empty()) {
      queued.push_back(state.keyQueue.Pop());
    }
    return queued;
  }

  // The pieces of the state that the button configuration uses.
  ButtonSetup Setup() { return {state.files, state.trace, state.keyDefinitions, state.allocation}; }

  // The bytes of one key table entry.
  static std::vector<uint8_t> Entry(const KeyTable& table, int32_t row, int32_t button) {
    const std::span<const uint8_t> bytes = KeyBytes(KeyTableEntry(table, row, button));
    return {bytes.begin(), bytes.end()};
  }

  ProcessState state;
  ControlPad& pad = state.Pads[0];
  RunBlock runBlock;
  FakeHost host{runBlock};

 private:
  TempDir dir_;
};

// SNES button indices, in the order the pad sends them.
enum SnesButton : int32_t {
  kSnesB,
  kSnesY,
  kSnesSelect,
  kSnesStart,
  kSnesUp,
  kSnesDown,
  kSnesLeft,
  kSnesRight,
  kSnesA,
  kSnesX,
  kSnesL,
  kSnesR
};

}  // namespace zarvel::testing
