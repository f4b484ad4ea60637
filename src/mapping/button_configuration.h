#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "pads/control_pad.h"

namespace zarvel {

struct AllocationGate;
struct KeyDefinitions;
struct SettingsFiles;
struct TraceState;

// What the button configuration reads and uses besides the pad: the execution's settings
// files, its trace, the key definitions read from "keys.cfg" and the allocation gate.
struct ButtonSetup {
  const SettingsFiles& files;
  TraceState& trace;
  const KeyDefinitions& keyDefinitions;
  const AllocationGate& allocation;
};

// The settings of a pad's section that the button configuration reads. Keys compare without
// regard to case, so these spellings are the ones messages show.
inline constexpr std::string_view kNumShiftsItem = "NumShifts";
inline constexpr std::string_view kRepeatRateItem = "RepeatRate";
inline constexpr std::string_view kShiftsItem = "Shifts";

// The key a token of a button definition names: the text after its first space ("pulse esc"
// names "esc"), or the whole token. The name is taken whole, however long, so a long name is
// never cut down to another key's name.
std::string_view KeyNameOf(std::string_view token);

// Reads the pad's section (`header`, such as "[snes 2]") into the pad's mapping fields: the
// number of shift states, the repeat rate, every button's key sequences in every shift state and
// the shift buttons. Builds the pad's two key tables from the key definitions. Runs right after
// the pad's initialisation; every refusal ends the execution.
void ConfigurePadButtons(ControlPad& pad, const std::string& header, const ButtonSetup& setup);

// Builds one of the pad's key tables, numShifts + 1 rows of buttonCount empty entries; `name`
// ("key down" or "key up") is for the trace.
void CreateKeyTable(KeyTable& table, const ControlPad& pad, const char* name,
                    const ButtonSetup& setup);

// Reads every button's item, in button order, then the shift buttons.
void ReadButtonDefinitions(const std::string& header, ControlPad& pad, const ButtonSetup& setup);

// Splits a button definition into its tokens and hands each to ProcessKeyName with its shift
// state: a comma separates tokens of one shift state, a semicolon moves on to the next. The
// text is consumed.
void SplitButtonDefinition(int32_t button, std::string& text, ControlPad& pad,
                           const ButtonSetup& setup);

// Processes the token at the front of `text`, which ends at `end` (a separator, or the end of
// the text when `last`): finds its key and appends the key's bytes to the button's entries of
// shift state `row` as its mode says (plain, "pulse" or "repeat"). Then removes the token and
// its separator from the text.
void ProcessKeyName(int32_t button, int32_t row, std::string& text, size_t end, bool last,
                    ControlPad& pad, const ButtonSetup& setup);

// Reads Shifts, when the pad has shift states, and sets the shift buttons from it.
void ReadShiftButtons(ControlPad& pad, const std::string& header, const ButtonSetup& setup);

// Sets the pad's shift buttons from a shift definition: token k names the button of shift
// state k, "toggle " before the name makes that button latch. Tokens past numShifts are
// ignored; a token that names no button of the pad ends the execution.
void AssignShiftButtons(ControlPad& pad, std::string text);

}  // namespace zarvel
