#pragma once

#include <cstddef>
#include <string_view>

namespace zarvel {

// Check's own messages, all in one place. Each says what an execution does with the line, so
// the user can tell why it matters.
inline constexpr std::string_view kBadThingPrefix = "Bad Thing: ";
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
inline constexpr size_t kPortDigits = 4;  // An I/O port address is at most FFFF.

inline constexpr const char* kNoHomeDirectory =
    "no home directory: neither --home, ZARVEL_HOME, XDG_CONFIG_HOME nor HOME names one";
inline constexpr const char* kHomeNotCreated = "could not create the home directory: ";
inline constexpr const char* kUnknownSetting =
    "nothing reads \"%s\" in %s: it is no setting of [config]";
inline constexpr const char* kUnknownPadItem =
    "nothing reads \"%s\" in %s: %s %s pad has no button or setting of that name";
inline constexpr const char* kUnknownCircuitItem =
    "nothing reads \"%s\" in %s: a pad's circuit has no line of that name";
inline constexpr const char* kOutsideSections =
    "nothing reads \"%s\": it comes before every section";
inline constexpr const char* kIndentedItem =
    "nothing reads \"%s\" here: a line that begins with a blank is passed over";
inline constexpr const char* kUnusedPadSection =
    "nothing reads %s: a pad section has no number or one from 1 to %d";
inline constexpr const char* kUnknownSection = "nothing reads the section %s";
inline constexpr const char* kUnknownKey = "keys.cfg has no key \"%s\"";

inline constexpr const char* kByteOrderMarkFound =
    "the file begins with a byte-order mark: an execution reads it as part of the first line, "
    "so a section header there is not found";
inline constexpr const char* kZeroByteFound =
    "a zero byte on this line: an execution reads it as a character of the line, and a value "
    "that holds one is cut short where it is used";
inline constexpr const char* kLongLine =
    "this line is longer than %zu characters: an execution reads it as %zu lines, each of at "
    "most %zu characters";
inline constexpr const char* kLongLineValueCut = "; the value of \"%s\" is cut to \"%s\"";
inline constexpr const char* kLongLinePieceItem =
    "; the piece \"%s\" is read as a line of its own, an item \"%s\"";
inline constexpr const char* kDroppedWord =
    "\"%s\" in the value of \"%s\" is passed over: only pulse, repeat and repeat(n) may come "
    "before a key, so this types \"%s\" alone";
inline constexpr const char* kMisreadKeyword =
    "\"%s\" in the value of \"%s\" is read as \"%s\": only pulse, repeat and repeat(n) are read "
    "whole, the rest of the word is passed over";
inline constexpr const char* kTextAfterNumber =
    "\"%s\" of \"%s\" is read as %s: an execution passes over what follows the number";
inline constexpr const char* kNoNumber = "\"%s\" of \"%s\" holds no number: an execution reads 0";
inline constexpr const char* kPortTooWide =
    "\"%s\" of \"Port\" has more digits than an I/O port address (at most FFFF): an execution "
    "keeps only its last eight";
inline constexpr const char* kItemTwice =
    "\"%s\" is given twice in %s: an execution reads the first, at line %d";
inline constexpr const char* kTooManyShiftTokens =
    "Shifts names %zu buttons in %s, but NumShifts gives %d shift states: an execution passes "
    "over the rest";
inline constexpr const char* kItemOfAnotherPad =
    "\"%s\" of the pad %s is taken from %s: the pad's own sections lack it, and a lookup goes "
    "on past them";
inline constexpr const char* kPinsOverRegisters =
    "\"%s\" = %s of %s lists pins of more than one register: an execution drives them all as "
    "pins of the last one's";
inline constexpr const char* kDataOnSeveralPins =
    "the data line of %s is on more than one pin (%s): a pad answers on one pin, and an "
    "execution that reads a list of pins types nothing from it";
inline constexpr const char* kDataOnOutput =
    "the data line of %s is on pin %s, which the PC does not read: a data line belongs on a "
    "status pin (10, 11, 12, 13 or 15)";
inline constexpr const char* kOutputOnInput =
    "the %s line of %s is on pin %s, a status pin the PC cannot drive: clock, latch and power "
    "belong on data or control pins";
inline constexpr const char* kSharedDataLine =
    "the pad %s reads its data on the same pin as %s (%s): each types the other's presses";
inline constexpr const char* kWideKeyValue =
    "a value of this record is beyond a byte (over FF): an execution keeps only its last two "
    "hexadecimal digits";
inline constexpr const char* kQueueHoldsNothing =
    "a KeyQueueSize of 1 holds no byte: the first key queued ends the execution";
inline constexpr const char* kRepeatOutrunsQueue =
    "the repeating button \"%s\" of %s queues %d bytes every %d ticks, more than a keyboard "
    "controller carries (one byte a tick): the key queue fills";

}  // namespace zarvel
