#include "check/bad_thing_place.h"

#include <cstdlib>
#include <vector>

#include "check/section_readers.h"
#include "config/circuit_pins.h"
#include "config/config_section.h"
#include "config/section_cursor.h"
#include "config/value_text.h"
#include "mapping/button_configuration.h"
#include "pads/button_encoding.h"
#include "pads/control_pad.h"
#include "pads/pad_kind.h"

namespace zarvel {
namespace {

// What the readers' messages say, as far as telling them apart and finding what they name
// needs. Each message quotes what it names between double quotes.
constexpr std::string_view kMissingFile = "Could not locate initiate file";
constexpr std::string_view kKeyFile = "key definition file";
constexpr std::string_view kUnknownKey = "Could not find key definition for";
constexpr std::string_view kMissingItem = "Could not find item";
constexpr std::string_view kNotHexadecimal = "is not a hexadecimal number";
constexpr std::string_view kNotAnOption = "is not a valid option for ";
constexpr std::string_view kOutOfRange = "is out of range";
constexpr std::string_view kTooManyShiftStates = "shift states to";
constexpr std::string_view kShiftStateCountAfter = "more than ";
constexpr std::string_view kTooManyKeyCodes = "Too many key codes for";
constexpr std::string_view kUnknownShiftButton = "Unrecognized button name in shift definition";
constexpr std::string_view kInvalidPin = "is not a valid pin definition for ";
constexpr std::string_view kMissingPin = "Could not find pin definition";
constexpr std::string_view kControllerAfter = " controller";
constexpr std::string_view kNotConnected = "does not seem to be connected";
constexpr std::string_view kTooManyPads = "Maximum number of controllers";
constexpr std::string_view kNoPads = "Could not find any control pad info";
constexpr std::string_view kLineBefore = "line ";
constexpr const char* kRepeatNumberName = "repeat(n)";
constexpr std::string_view kRepeatOpening = "repeat(";

bool Has(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// The `index`th text between double quotes.
std::string Quoted(std::string_view message, int index) {
  size_t open = std::string_view::npos;
  size_t from = 0;
  for (int i = 0; i <= index; ++i) {
    open = message.find('"', from);
    const size_t close = open == std::string_view::npos ? open : message.find('"', open + 1);
    if (close == std::string_view::npos) {
      return {};
    }
    if (i == index) {
      return std::string(message.substr(open + 1, close - open - 1));
    }
    from = close + 1;
  }
  return {};
}

// The text after `before` up to `until` (or the end of the line).
std::string_view TextAfter(std::string_view message, std::string_view before,
                           std::string_view until) {
  const size_t start = message.find(before);
  if (start == std::string_view::npos) {
    return {};
  }
  const std::string_view rest = message.substr(start + before.size());
  return rest.substr(0, std::min(rest.find(until), rest.find('\n')));
}

int32_t NumberAfter(std::string_view message, std::string_view before) {
  const size_t start = message.find(before);
  return start == std::string_view::npos ? 0 : ReadDecimal(message.substr(start + before.size()));
}

// An item line and the file it is in.
struct Found {
  NamedFile file;
  const OutlinePiece* piece;
};

NamedPlace PlaceOf(const Found& found) {
  return {found.file, found.piece->line, {}};
}

class PlaceFinder {
 public:
  PlaceFinder(const ConfigurationOutlines& outlines, const PadPlace* padAtFault)
      : outlines_(outlines), atFault_(padAtFault != nullptr) {
    if (padAtFault != nullptr) {
      places_.push_back(*padAtFault);
    } else {
      places_ = AllPadPlaces();
    }
  }

  // The line LookupItem takes the item from: the document's, unless it lacks the item or
  // leaves it empty.
  std::optional<Found> Item(std::string_view header, std::string_view item) const {
    const OutlinePiece* local =
        outlines_.document != nullptr ? outlines_.document->Item(header, item) : nullptr;
    if (local != nullptr && !local->value.empty()) {
      return Found{NamedFile::kDocument, local};
    }
    if (const OutlinePiece* global =
            outlines_.global != nullptr ? outlines_.global->Item(header, item) : nullptr) {
      return Found{NamedFile::kGlobal, global};
    }
    if (local != nullptr) {
      return Found{NamedFile::kDocument, local};
    }
    return std::nullopt;
  }

  // The section's header line, in the document when it has one.
  std::optional<Found> Section(std::string_view header) const {
    for (const auto& [file, outline] : {std::pair{NamedFile::kDocument, outlines_.document},
                                        std::pair{NamedFile::kGlobal, outlines_.global}}) {
      if (const OutlinePiece* piece = outline != nullptr ? outline->Section(header) : nullptr) {
        return Found{file, piece};
      }
    }
    return std::nullopt;
  }

  // The first button line of the pads to look under that `fits`.
  template <typename Fits>
  std::optional<Found> ButtonLine(Fits fits) const {
    for (const PadPlace& place : places_) {
      const PadKind* kind = FindPadKind(place.kind);
      for (int16_t i = 0; kind != nullptr && i < kind->buttonCount; ++i) {
        const std::optional<Found> found = Item(place.section.header, kind->buttonNames[i]);
        if (found && fits(*found->piece)) {
          return found;
        }
      }
    }
    return std::nullopt;
  }

  // The first line of an item of the pads to look under that `fits`.
  template <typename Fits>
  std::optional<Found> PadItem(std::string_view item, Fits fits) const {
    for (const PadPlace& place : places_) {
      const std::optional<Found> found = Item(place.section.header, item);
      if (found && fits(*found)) {
        return found;
      }
    }
    return std::nullopt;
  }

  // The first pad to look under of the kind.
  const PadPlace* PadOfKind(std::string_view kind) const {
    for (const PadPlace& place : places_) {
      if (place.kind == kind) {
        return &place;
      }
    }
    return nullptr;
  }

  // The pad one too many: the one the execution was at, or else the tenth of all.
  std::optional<Found> PadBeyondTheLast() const {
    if (atFault_) {
      return Section(places_.front().section.header);
    }
    if (places_.size() > static_cast<size_t>(kMaxPads)) {
      return Section(places_[static_cast<size_t>(kMaxPads)].section.header);
    }
    return std::nullopt;
  }

  const ConfigurationOutlines& Outlines() const { return outlines_; }

 private:
  // Every pad section, in the order an execution sets them up, as FindPadPlaces finds them.
  std::vector<PadPlace> AllPadPlaces() const {
    std::vector<PadPlace> places;
    for (const std::string_view kind : kPadKindsInOrder) {
      SectionCursor cursor;
      std::string header;
      for (int32_t number = NextSectionName(kind, kSectionRunFromStart, cursor, header);
           number <= kHighestPadNumber;
           number = NextSectionName(kind, kSectionRunContinue, cursor, header)) {
        if (Section(header)) {
          places.push_back({kind, {header, number}});
        }
      }
    }
    return places;
  }

  const ConfigurationOutlines& outlines_;
  bool atFault_;
  // The pads a message about a pad may concern, in the order they are looked under.
  std::vector<PadPlace> places_;
};

bool NamesKey(const OutlinePiece& piece, std::string_view key) {
  for (const ButtonToken& token : SplitButtonValue(piece.value)) {
    if (KeyNameOf(token.text) == key) {
      return true;
    }
  }
  return false;
}

bool OutOfRange(std::string_view value, int32_t lowest, int32_t highest) {
  const int32_t number = ReadDecimal(value);
  return number < lowest || number > highest;
}

std::optional<Found> RangeFault(const PlaceFinder& finder, const std::string& name) {
  if (name == kRepeatNumberName) {
    return finder.ButtonLine([](const OutlinePiece& piece) {
      for (const ButtonToken& token : SplitButtonValue(piece.value)) {
        if (std::string_view(token.text).starts_with(kRepeatOpening) &&
            OutOfRange(std::string_view(token.text).substr(kRepeatOpening.size()),
                       kLowestRepeatRate, kHighestRepeatRate)) {
          return true;
        }
      }
      return false;
    });
  }
  if (name == kNumShiftsItem) {
    return finder.PadItem(kNumShiftsItem, [](const Found& found) {
      return OutOfRange(found.piece->value, 0, kMaxShiftButtons);
    });
  }
  if (name == kRepeatRateItem) {
    // A pad without a rate of its own takes the one of [config].
    const std::optional<Found> own = finder.PadItem(kRepeatRateItem, [](const Found& found) {
      return OutOfRange(found.piece->value, kLowestRepeatRate, kHighestRepeatRate);
    });
    return own ? own : finder.Item(kConfigHeader, kRepeatRateItem);
  }
  return finder.Item(kConfigHeader, name);
}

std::optional<NamedPlace> CircuitPlace(const PlaceFinder& finder, std::string_view message) {
  const SettingsOutline* circuit = finder.Outlines().circuit;
  if (circuit == nullptr) {
    return std::nullopt;
  }
  if (Has(message, kInvalidPin)) {
    const std::string text = Quoted(message, 0);
    for (const OutlinePiece& piece : circuit->Pieces()) {
      if (piece.item && piece.value == text) {
        return NamedPlace{NamedFile::kCircuit, piece.line, {}};
      }
    }
    return std::nullopt;
  }
  // A missing pin points at the pad's first section in the circuit file, where it belongs.
  const std::string_view kind = TextAfter(message, "for ", kControllerAfter);
  if (const PadPlace* place = finder.PadOfKind(kind)) {
    SectionCursor cursor;
    std::string header;
    NextSectionName(kind, place->section.number, cursor, header);
    for (int i = 0; i < 3; ++i) {
      if (const OutlinePiece* piece = circuit->Section(header)) {
        return NamedPlace{NamedFile::kCircuit, piece->line, {}};
      }
      NextSectionName(kind, kSectionRunContinue, cursor, header);
    }
  }
  return NamedPlace{NamedFile::kCircuit, 0, {}};
}

std::optional<Found> NotConnectedPad(const PlaceFinder& finder, std::string_view message) {
  for (const std::string_view kindName : kPadKindsInOrder) {
    const PadKind* kind = FindPadKind(kindName);
    if (kind != nullptr && Has(message, std::string("The ") + kind->shownName + " controller")) {
      if (const PadPlace* place = finder.PadOfKind(kindName)) {
        return finder.Section(place->section.header);
      }
    }
  }
  return std::nullopt;
}

std::optional<Found> FoundFor(const PlaceFinder& finder, std::string_view message) {
  if (Has(message, kUnknownKey)) {
    const std::string key = Quoted(message, 0);
    return finder.ButtonLine([&key](const OutlinePiece& piece) { return NamesKey(piece, key); });
  }
  if (Has(message, kMissingItem)) {
    return finder.Section(Quoted(message, 1));
  }
  if (Has(message, kNotHexadecimal)) {
    return finder.Item(kConfigHeader, Quoted(message, 0));
  }
  if (Has(message, kNotAnOption)) {
    return finder.Item(kConfigHeader, TextAfter(message, kNotAnOption, "."));
  }
  if (Has(message, kOutOfRange)) {
    return RangeFault(finder, Quoted(message, 0));
  }
  if (Has(message, kTooManyShiftStates)) {
    const int32_t numShifts = NumberAfter(message, kShiftStateCountAfter);
    const std::string button = Quoted(message, 0);
    return finder.ButtonLine([&](const OutlinePiece& piece) {
      if (!BeginsWithIgnoringCase(piece.key, button) || piece.key.size() != button.size()) {
        return false;
      }
      const std::vector<ButtonToken> tokens = SplitButtonValue(piece.value);
      return !tokens.empty() && tokens.back().row > numShifts;
    });
  }
  if (Has(message, kTooManyKeyCodes)) {
    const std::string button = Quoted(message, 0);
    return finder.ButtonLine([&](const OutlinePiece& piece) {
      return piece.key.size() == button.size() && BeginsWithIgnoringCase(piece.key, button);
    });
  }
  if (Has(message, kUnknownShiftButton)) {
    return finder.PadItem(kShiftsItem, [](const Found&) { return true; });
  }
  if (Has(message, kNotConnected)) {
    return NotConnectedPad(finder, message);
  }
  if (Has(message, kTooManyPads)) {
    return finder.PadBeyondTheLast();
  }
  return std::nullopt;
}

}  // namespace

std::optional<NamedPlace> PlaceNamedBy(const ConfigurationOutlines& outlines,
                                       std::string_view message, const PadPlace* padAtFault) {
  if (Has(message, kMissingFile)) {
    return NamedPlace{NamedFile::kInMessage, 0, Quoted(message, 0)};
  }
  if (Has(message, kKeyFile)) {
    return NamedPlace{NamedFile::kKeys, NumberAfter(message, kLineBefore), {}};
  }
  if (Has(message, kNoPads)) {
    return NamedPlace{NamedFile::kDocument, 0, {}};
  }
  const PlaceFinder finder(outlines, padAtFault);
  if (Has(message, kInvalidPin) || Has(message, kMissingPin)) {
    return CircuitPlace(finder, message);
  }
  if (const std::optional<Found> found = FoundFor(finder, message)) {
    return PlaceOf(*found);
  }
  return std::nullopt;
}

std::optional<int> LineNamedBy(std::string_view documentText, std::string_view message) {
  const SettingsOutline document = OutlineSettings(documentText);
  const std::optional<NamedPlace> place = PlaceNamedBy({.document = &document}, message, nullptr);
  if (!place || place->file != NamedFile::kDocument || place->line == 0) {
    return std::nullopt;
  }
  return place->line;
}

std::string MessageWithoutLineEnd(std::string_view message) {
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
    message.remove_suffix(1);
  }
  return std::string(message);
}

std::optional<Problem> ProblemNamedBy(const std::string& documentPath,
                                      std::string_view documentText, std::string_view message) {
  const std::optional<int> line = LineNamedBy(documentText, message);
  if (!line) {
    return std::nullopt;
  }
  return Problem{documentPath, *line, MessageWithoutLineEnd(message), true};
}

}  // namespace zarvel
