#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/bad_thing.h"

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

// A token of a button definition ("pulse esc") and the shift state it is for.
struct ButtonToken {
  int32_t row = 0;
  std::string text;
};

// Splits a button definition (a normalised value) into its tokens: a comma or a semicolon ends a
// token, a semicolon moves on to the next shift state, and the text after a separator is cleaned
// as a value is. This is the one reading of a button's value: the execution, Check, completion
// and the Pads panel all split it here.
std::vector<ButtonToken> SplitButtonValue(std::string_view value);

// The keyword of a token: the text before its first space ("pulse" of "pulse esc"), empty when
// the token is a key name alone. An execution reads "pulse" and "repeat" at the token's start
// and passes over whatever else the keyword holds.
std::string_view KeywordOf(std::string_view token);

// The keyword as an execution reads the token: "pulse", "repeat" or "repeat(n)" with the number it
// takes, or empty for a plain key ("pulsed x" reads as "pulse", "repeat(18 x" as "repeat(18)").
std::string KeywordAsRead(std::string_view token);

// Whether a keyword is one an execution reads whole: "pulse", "repeat" or "repeat(n)".
bool IsButtonKeyword(std::string_view keyword);

// Hands each token of a button definition to ProcessKeyName with its shift state. The text is
// consumed; `place` is the button item's, for the stops.
void SplitButtonDefinition(int32_t button, std::string& text, ControlPad& pad,
                           const ButtonSetup& setup, const SettingsPlace& place = {});

// Processes one token: finds its key and appends the key's bytes to the button's entries of shift
// state `row` as its mode says (plain, "pulse" or "repeat").
void ProcessKeyName(int32_t button, int32_t row, std::string_view token, ControlPad& pad,
                    const ButtonSetup& setup, const SettingsPlace& place);

// What a token's keyword asks of the entry's repeat: nothing, or to repeat every `period` ticks
// of counting (0: at the pad's RepeatRate).
struct TokenRepeat {
  bool repeats = false;
  int8_t period = 0;
};

// Appends one token's bytes to column `column` of shift state `row` of the two tables, as its
// keyword says (plain, "pulse" or "repeat"); `name` is what the refusals name. A state above
// `numShifts` or an unknown key ends the execution at `place`.
TokenRepeat AppendTokenBytes(KeyTable& down, KeyTable& up, int32_t column, int32_t row,
                             std::string_view token, int32_t numShifts, const char* name,
                             const ButtonSetup& setup, const SettingsPlace& place);

// Reads Shifts, when the pad has shift states, and sets the shift buttons from it.
void ReadShiftButtons(ControlPad& pad, const std::string& header, const ButtonSetup& setup);

// A token of a shift definition: "toggle select" latches select.
struct ShiftToken {
  bool toggles = false;
  std::string_view name;
};
ShiftToken ReadShiftToken(std::string_view token);

// Sets the pad's shift buttons from a shift definition: token k names the button of shift
// state k, "toggle " before the name makes that button latch. Tokens past numShifts are
// ignored; a token that names no button of the pad ends the execution, naming the token.
void AssignShiftButtons(ControlPad& pad, std::string text, const SettingsPlace& place = {});

}  // namespace zarvel
