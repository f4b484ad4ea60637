#include "check/configuration_check.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string_view>

#include "base/bad_thing.h"
#include "base/checked_alloc.h"
#include "base/format_text.h"
#include "check/check_texts.h"
#include "config/circuit_pins.h"
#include "config/config_section.h"
#include "config/pad_sections.h"
#include "config/section_cursor.h"
#include "config/section_role.h"
#include "config/settings_files.h"
#include "config/settings_lookup.h"
#include "config/value_text.h"
#include "engine/execution_host.h"
#include "engine/execution_thread.h"
#include "engine/process_state.h"
#include "engine/run_block.h"
#include "hardware/parallel_port_registers.h"
#include "hardware/pin_table.h"
#include "mapping/button_configuration.h"
#include "mapping/button_gestures.h"
#include "mapping/key_definitions.h"
#include "pads/button_encoding.h"
#include "pads/pad_kind.h"
#include "platform/execution_hardware.h"
#include "platform/home_directory.h"

namespace zarvel {
namespace {

// A host that runs the execution's configuration on the simulated PC, keeps the first stop
// instead of showing it, and takes the files the execution read, so that the check reads them
// no second time.
class CheckHost : public ExecutionHost {
 public:
  explicit CheckHost(ExecutionHardware& hardware) : hardware_(hardware) {}

  PortIo& Port() override { return hardware_.Port(); }
  void SleepMs(int32_t /*milliseconds*/) override {}
  void PadsExpected(int32_t portBase, std::span<const PadPlace> pads) override {
    hardware_.PlugExpectedPads(portBase, pads);
  }
  void ShowBadThing(const BadThing& stop) override { Keep(stop.what(), stop.Place()); }
  void EndProcess(const ProcessEndingStop& stop) override { Keep(stop.what(), stop.Place()); }
  void SettingsRead(SettingsFiles& files) override {
    document = std::move(files.localFile);
    global = std::move(files.globalFile);
    circuit = std::move(files.circuitFile);
  }

  struct Stop {
    std::string message;
    SettingsPlace place;
  };
  std::optional<Stop> stop;
  std::optional<SettingsText> document;
  std::optional<SettingsText> global;
  std::optional<SettingsText> circuit;

 private:
  void Keep(const std::string& message, const SettingsPlace& place) {
    if (!stop) {
      stop = Stop{StopMessageOf(message, place), place};
    }
  }

  ExecutionHardware& hardware_;
};

using FileKind = SettingsFileKind;

// The pad kind of a pad section's role.
const PadKind& KindOf(const SectionRole& role) {
  return *FindPadKind(role.kind);
}

bool IsButtonOf(const PadKind& kind, std::string_view name) {
  for (int16_t i = 0; i < kind.buttonCount; ++i) {
    if (SameName(name, kind.buttonNames[i])) {
      return true;
    }
  }
  return false;
}

bool IsGestureTime(std::string_view name) {
  return SameName(name, kHoldTimeItem) || SameName(name, kDoubleTimeItem) ||
         SameName(name, kChordTimeItem);
}

bool ReadsItem(const SectionRole& role, FileKind file, std::string_view name) {
  switch (role.reader) {
    case SectionRole::Reader::kConfig:
      for (const char* item : kConfigItems) {
        if (SameName(name, item)) {
          return true;
        }
      }
      // A pad without a repeat rate or gesture times of its own takes those of [config].
      return SameName(name, kRepeatRateItem) || IsGestureTime(name);
    case SectionRole::Reader::kPad:
      if (file == FileKind::kCircuit) {
        for (const std::string_view item : PadLineItemsOf(role.kind)) {
          if (SameName(name, item)) {
            return true;
          }
        }
        return false;
      }
      return SameName(name, kNumShiftsItem) || SameName(name, kShiftsItem) ||
             SameName(name, kRepeatRateItem) || IsButtonOf(KindOf(role), name) ||
             IsGestureTime(name) || IsGestureItem(name) ||
             (role.kind == kPsxSectionName && SameName(name, kAnalogThresholdItem));
    case SectionRole::Reader::kNone:
    case SectionRole::Reader::kUnusedPad:
    case SectionRole::Reader::kOther:
      break;
  }
  return false;
}

// One of the configuration's files, as the check reads it, and the name its problems carry.
struct CheckedFile {
  const SettingsText* text = nullptr;
  std::string name;
  FileKind kind = FileKind::kSettings;
};

// A problem found by reading the files, with what it names, so that the same fault as the
// execution's stop is not listed twice.
struct Finding {
  Problem problem;
  std::string subject;
};

// What the check has found so far. The document is named as the user gave it, whatever path
// the execution read it under.
class Findings {
 public:
  Findings(std::string documentRead, std::string documentShown)
      : documentRead_(std::move(documentRead)), documentShown_(std::move(documentShown)) {}

  void Add(const std::string& file, int32_t line, std::string message, std::string subject = {}) {
    const std::string& name = file == documentRead_ ? documentShown_ : file;
    findings_.push_back({{name, line, std::move(message), false, subject}, subject});
  }
  std::vector<Finding>& All() { return findings_; }

 private:
  std::string documentRead_;
  std::string documentShown_;
  std::vector<Finding> findings_;
};

// Whether an item line has the form "Name = value", with nothing but blanks before the "=":
// other lines that an "=" happens to follow are taken for remarks, as a reader would.
bool LooksLikeItem(const SettingsText& text, size_t piece) {
  const std::string_view key = text.Key(piece);
  if (!text.IsItem(piece) || key.front() == ';' || key.front() == '#') {
    return false;
  }
  const std::string_view line = text.Piece(piece);
  const size_t equals = line.find_first_not_of(" \t", key.size());
  return equals != std::string_view::npos && line[equals] == '=';
}

// The name an indented line would have had, when it looks like an item.
std::optional<std::string> IndentedName(std::string_view line) {
  const size_t start = line.find_first_not_of(" \t");
  if (start == 0 || start == std::string_view::npos) {
    return std::nullopt;
  }
  const std::string_view text = line.substr(start);
  const std::string_view key = LineKey(text);
  const size_t equals = text.find_first_not_of(" \t", key.size());
  if (key.empty() || equals == std::string_view::npos || text[equals] != '=') {
    return std::nullopt;
  }
  return std::string(key);
}

// A quoted piece of text, cut short when long, its zero bytes shown as \0.
std::string Excerpt(std::string_view text) {
  constexpr size_t kLongest = 24;
  std::string shown;
  for (const char c : text.substr(0, kLongest)) {
    shown += c == '\0' ? std::string("\\0") : std::string(1, c);
  }
  return text.size() > kLongest ? shown + "..." : shown;
}

// What the execution reads of the bytes of the file that no text holds: a byte-order mark at its
// start, zero bytes anywhere.
void CheckBytes(const CheckedFile& file, Findings& findings) {
  const SettingsText& text = *file.text;
  if (text.Text().starts_with(kByteOrderMark)) {
    findings.Add(file.name, 1, kByteOrderMarkFound);
  }
  int32_t lastLine = 0;
  for (size_t piece = 0; piece < text.PieceCount(); ++piece) {
    if (text.Line(piece) != lastLine && text.Piece(piece).find('\0') != std::string_view::npos) {
      lastLine = text.Line(piece);
      findings.Add(file.name, lastLine, kZeroByteFound);
    }
  }
}

// A line the execution reads in pieces: what it makes of every piece after the first.
void CheckLongLine(const SettingsText& text, size_t first, const std::string& name,
                   Findings& findings) {
  size_t count = 1;
  while (first + count < text.PieceCount() && !text.StartsLine(first + count)) {
    ++count;
  }
  if (count == 1) {
    return;
  }
  std::string what = FormatText(kLongLine, kSettingsPieceLength, count, kSettingsPieceLength);
  if (text.IsItem(first)) {
    what += FormatText(kLongLineValueCut, std::string(text.Key(first)).c_str(),
                       Excerpt(text.Value(first)).c_str());
  }
  for (size_t piece = first + 1; piece < first + count; ++piece) {
    if (text.IsItem(piece)) {
      what += FormatText(kLongLinePieceItem, Excerpt(text.Piece(piece)).c_str(),
                         std::string(text.Key(piece)).c_str());
    }
  }
  findings.Add(name, text.Line(first), what);
}

// The words of a button's value that an execution passes over, and the keys it names that
// keys.cfg lacks.
void CheckButtonValue(const SettingsText& text, size_t piece, const std::set<std::string>* keys,
                      const std::string& name, Findings& findings) {
  const std::string button(text.Key(piece));
  for (const ButtonToken& token : SplitButtonValue(text.Value(piece))) {
    const std::string_view keyword = KeywordOf(token.text);
    if (!keyword.empty() && !IsButtonKeyword(keyword)) {
      const std::string asRead = KeywordAsRead(token.text);
      const std::string key(KeyNameOf(token.text));
      if (asRead.empty()) {
        findings.Add(
            name, text.Line(piece),
            FormatText(kDroppedWord, std::string(keyword).c_str(), button.c_str(), key.c_str()));
      } else {
        findings.Add(name, text.Line(piece),
                     FormatText(kMisreadKeyword, std::string(keyword).c_str(), button.c_str(),
                                asRead.c_str()));
      }
    }
    const std::string key(KeyNameOf(token.text));
    if (keys != nullptr && keys->count(key) == 0) {
      findings.Add(name, text.Line(piece), FormatText(kUnknownKey, key.c_str()), key);
    }
  }
}

// A number that an execution reads only in part: text after its digits, or more than the
// setting holds.
void CheckNumber(const SettingsText& text, size_t piece, const std::string& name,
                 Findings& findings) {
  const std::string key(text.Key(piece));
  const std::string value = text.Value(piece);
  if (value.empty()) {
    return;
  }
  const bool hexadecimal = SameName(key, kPortItem) || SameName(key, kControllerAddressItem);
  const bool decimal = SameName(key, kKeyQueueSizeItem) || SameName(key, kTickFreqItem) ||
                       SameName(key, kPadDelayItem) || SameName(key, kPsxDelayItem) ||
                       SameName(key, kAnalogThresholdItem) || SameName(key, kNumShiftsItem) ||
                       SameName(key, kRepeatRateItem) || IsGestureTime(key);
  if (hexadecimal) {
    std::string_view digits = value;
    if (digits.starts_with("0x")) {
      digits.remove_prefix(2);
    }
    const size_t end = std::min(digits.find_first_not_of("0123456789abcdef"), digits.size());
    const std::string_view number = digits.substr(0, end);
    const size_t significant = number.find_first_not_of('0');
    const size_t width = significant == std::string_view::npos ? 0 : number.size() - significant;
    if (end > 0 && end < digits.size()) {
      findings.Add(
          name, text.Line(piece),
          FormatText(kTextAfterNumber, value.c_str(), key.c_str(), std::string(number).c_str()),
          key);
    }
    if (SameName(key, kPortItem) && width > kPortDigits) {
      findings.Add(name, text.Line(piece), FormatText(kPortTooWide, value.c_str()));
    }
    return;
  }
  if (decimal) {
    const size_t start = value.find_first_of("+-") == 0 ? 1 : 0;
    const size_t end = std::min(value.find_first_not_of("0123456789", start), value.size());
    if (end < value.size() && end > start) {
      findings.Add(
          name, text.Line(piece),
          FormatText(kTextAfterNumber, value.c_str(), key.c_str(), value.substr(0, end).c_str()),
          key);
    } else if (end == start && end < value.size()) {
      findings.Add(name, text.Line(piece), FormatText(kNoNumber, value.c_str(), key.c_str()));
    }
  }
}

// A section's items that the execution reads, each by its lowercase name, with its first piece.
using SeenItems = std::map<std::string, size_t>;

std::string Lowercase(std::string_view text) {
  std::string lower(text);
  NormalizeValue(lower);
  return lower;
}

void CheckFile(const CheckedFile& file, const std::set<std::string>* keys, Findings& findings) {
  const SettingsText& text = *file.text;
  CheckBytes(file, findings);
  SectionRole role;
  SeenItems seen;
  int32_t chords = 0;  // The section's chords so far.
  for (size_t piece = 0; piece < text.PieceCount(); ++piece) {
    if (text.StartsLine(piece)) {
      CheckLongLine(text, piece, file.name, findings);
    }
    const int32_t line = text.Line(piece);
    if (text.IsHeader(piece)) {
      role = RoleOfSection(text.Piece(piece), file.kind);
      seen.clear();
      chords = 0;
      const char* header = role.header.c_str();
      if (role.reader == SectionRole::Reader::kUnusedPad) {
        findings.Add(file.name, line, FormatText(kUnusedPadSection, header, kHighestPadNumber));
      } else if (role.reader == SectionRole::Reader::kOther) {
        findings.Add(file.name, line, FormatText(kUnknownSection, header));
      }
      continue;
    }
    if (role.reader == SectionRole::Reader::kUnusedPad ||
        role.reader == SectionRole::Reader::kOther) {
      continue;
    }
    if (const std::optional<std::string> name = IndentedName(text.Piece(piece));
        name && ReadsItem(role, file.kind, *name)) {
      findings.Add(file.name, line, FormatText(kIndentedItem, name->c_str()));
      continue;
    }
    if (!LooksLikeItem(text, piece)) {
      continue;
    }
    const std::string key(text.Key(piece));
    if (role.reader == SectionRole::Reader::kNone) {
      findings.Add(file.name, line, FormatText(kOutsideSections, key.c_str()), key);
      continue;
    }
    if (!ReadsItem(role, file.kind, key)) {
      const char* section = role.header.c_str();
      if (file.kind == FileKind::kCircuit) {
        findings.Add(file.name, line, FormatText(kUnknownCircuitItem, key.c_str(), section));
      } else if (role.reader == SectionRole::Reader::kConfig) {
        findings.Add(file.name, line, FormatText(kUnknownSetting, key.c_str(), section));
      } else {
        findings.Add(file.name, line,
                     FormatText(kUnknownPadItem, key.c_str(), section, KindOf(role).article,
                                KindOf(role).shownName));
      }
      continue;
    }
    const auto [first, fresh] = seen.emplace(Lowercase(key), piece);
    if (!fresh) {
      findings.Add(
          file.name, line,
          FormatText(kItemTwice, key.c_str(), role.header.c_str(), text.Line(first->second)));
    }
    CheckNumber(text, piece, file.name, findings);
    if (file.kind == FileKind::kSettings && role.reader == SectionRole::Reader::kPad &&
        IsGestureItem(key) && fresh) {
      // Each gesture item is refused here as the execution refuses the first, with its line.
      const PadKind& kind = KindOf(role);
      const GestureKey gesture = ReadGestureKey(
          key,
          std::span<const char* const>(kind.buttonNames, static_cast<size_t>(kind.buttonCount)),
          chords);
      if (!gesture.refusal.empty()) {
        findings.Add(file.name, line, StopMessageOf(gesture.refusal, {}), key);
        continue;
      }
      chords += gesture.kind == GestureKind::kChord ? 1 : 0;
    }
    if (file.kind == FileKind::kSettings && role.reader == SectionRole::Reader::kPad &&
        (IsButtonOf(KindOf(role), key) || IsGestureItem(key))) {
      CheckButtonValue(text, piece, keys, file.name, findings);
    }
  }
}

// The names of keys.cfg, read by the execution's own reader; nothing when it cannot be read.
// Its values beyond a byte are reported on the way.
std::optional<std::set<std::string>> KeyNames(const std::string& path, Findings& findings) {
  const SettingsFile file = OpenRegularFile(path);
  if (!file) {
    return std::nullopt;
  }
  KeyDefinitions definitions;
  std::vector<int32_t> wideValueLines;
  try {
    ReadKeyDefinitions(file.get(), AllocationGate{}, definitions, path, &wideValueLines);
  } catch (const BadThing&) {
    return std::nullopt;
  }
  for (const int32_t line : wideValueLines) {
    findings.Add(path, line, kWideKeyValue);
  }
  std::set<std::string> names;
  for (int32_t i = 0; i < definitions.count; ++i) {
    names.insert(definitions.table[i].name);
  }
  return names;
}

// The header of the section a piece lies in: the last header before it.
std::string SectionOfPiece(const SettingsText& text, size_t piece) {
  while (piece-- > 0) {
    if (text.IsHeader(piece)) {
      return RoleOfSection(text.Piece(piece), FileKind::kCircuit).header;
    }
  }
  return {};
}

std::string ListOfPins(const std::vector<int32_t>& pins) {
  std::string text;
  for (const int32_t pin : pins) {
    text += (text.empty() ? "" : ",") + std::to_string(pin);
  }
  return text;
}

// The circuit of every pad the execution sets up, as its pin lookups find it: lines on pins that
// cannot carry them, lists over two registers, items taken from another pad's section, and two
// pads on one data line.
void CheckCircuits(const SettingsFiles& files, const std::string& circuitName, Findings& findings) {
  const SettingsText& circuit = *files.circuitFile;
  std::vector<PadPlace> places = FindPadPlaces(files);
  if (places.size() > static_cast<size_t>(kMaxPads)) {
    places.resize(static_cast<size_t>(kMaxPads));
  }
  // The data pins already read, with the pad that reads each.
  std::map<std::pair<int8_t, uint8_t>, std::string> dataLines;
  for (const PadPlace& place : places) {
    const std::vector<std::string> ownHeaders = PinSectionHeaders(place.kind, place.section.number);
    for (const std::string_view item : PadLineItemsOf(place.kind)) {
      const std::optional<PinText> pin =
          FindPinText(circuit, place.kind, place.section.number, item);
      if (!pin) {
        continue;
      }
      const int32_t line = pin->place.line;
      const std::string itemName(item);
      const std::optional<size_t> piece = circuit.FindItem(pin->place.section, item);
      const std::string from = piece ? SectionOfPiece(circuit, *piece) : std::string();
      bool own = false;
      for (const std::string& header : ownHeaders) {
        own = own || SameName(from, header);
      }
      if (!own && !from.empty()) {
        findings.Add(circuitName, line,
                     FormatText(kItemOfAnotherPad, itemName.c_str(), place.section.header.c_str(),
                                from.c_str()));
      }
      const std::optional<std::vector<int32_t>> pins = ParsePinNumbers(pin->text);
      if (!pins) {
        continue;
      }
      std::set<int8_t> registers;
      uint8_t mask = 0;
      for (const int32_t number : *pins) {
        registers.insert(PinTable[static_cast<size_t>(number)].reg);
        mask |= PinTable[static_cast<size_t>(number)].mask;
      }
      const std::string pinList = ListOfPins(*pins);
      const int8_t reg = PinTable[static_cast<size_t>(pins->back())].reg;
      if (registers.size() > 1) {
        findings.Add(circuitName, line,
                     FormatText(kPinsOverRegisters, itemName.c_str(), pinList.c_str(),
                                place.section.header.c_str()));
      }
      if (item == kDataItem) {
        if (pins->size() > 1) {
          findings.Add(
              circuitName, line,
              FormatText(kDataOnSeveralPins, place.section.header.c_str(), pinList.c_str()));
        }
        if (reg != kStatusRegister) {
          findings.Add(circuitName, line,
                       FormatText(kDataOnOutput, place.section.header.c_str(), pinList.c_str()));
        } else if (const auto [other, fresh] =
                       dataLines.emplace(std::pair{reg, mask}, place.section.header);
                   !fresh) {
          findings.Add(circuitName, line,
                       FormatText(kSharedDataLine, place.section.header.c_str(),
                                  other->second.c_str(), pinList.c_str()));
        }
      } else if (reg == kStatusRegister && mask != 0) {
        findings.Add(circuitName, line,
                     FormatText(kOutputOnInput, itemName.c_str(), place.section.header.c_str(),
                                pinList.c_str()));
      }
    }
  }
}

// What the configured pads will queue: a repeating button whose steps queue more bytes than the
// keyboard controller delivers in the ticks between them.
void CheckRepeats(const ProcessState& state, const SettingsFiles& files, Findings& findings) {
  for (int16_t p = 0; p < state.PadCount; ++p) {
    const ControlPad& pad = state.Pads[static_cast<size_t>(p)];
    for (int16_t b = 0; b < pad.buttonCount; ++b) {
      const size_t i = static_cast<size_t>(b);
      if (pad.repeatCount[i] == kRepeatOff || pad.buttonNames[i] == nullptr) {
        continue;
      }
      // A repeating button goes down and up once in two steps, a step every period less one
      // ticks (at least one).
      const int32_t ticks = 2 * std::max<int32_t>(pad.repeatPeriod[i] - 1, 1);
      for (int32_t row = 0; row <= pad.numShifts; ++row) {
        const int32_t bytes =
            KeyTableEntry(pad.keyDown, row, b).length + KeyTableEntry(pad.keyUp, row, b).length;
        if (bytes > ticks) {
          std::string value;
          SettingsPlace place;
          LookupItem(files, pad.header, pad.buttonNames[i], value, false, &place);
          findings.Add(place.file, place.line,
                       FormatText(kRepeatOutrunsQueue, pad.buttonNames[i], pad.header.c_str(),
                                  bytes, ticks));
          break;
        }
      }
    }
  }
}

// Shifts naming more buttons than NumShifts has states for.
void CheckShifts(const ProcessState& state, const SettingsFiles& files, Findings& findings) {
  for (int16_t p = 0; p < state.PadCount; ++p) {
    const ControlPad& pad = state.Pads[static_cast<size_t>(p)];
    std::string value;
    SettingsPlace place;
    if (!LookupItem(files, pad.header, kShiftsItem, value, false, &place) || value.empty()) {
      continue;
    }
    const size_t tokens = SplitButtonValue(value).size();
    if (tokens > static_cast<size_t>(pad.numShifts)) {
      findings.Add(place.file, place.line,
                   FormatText(kTooManyShiftTokens, tokens, pad.header.c_str(),
                              static_cast<int>(pad.numShifts)));
    }
  }
}

// The [config] values the execution took that do what nobody means.
void CheckConfigValues(const ProcessState& state, const SettingsFiles& files, Findings& findings) {
  if (state.config.keyQueueSize == 1) {
    std::string value;
    SettingsPlace place;
    LookupItem(files, kConfigHeader, kKeyQueueSizeItem, value, false, &place);
    findings.Add(place.file, place.line, kQueueHoldsNothing);
  }
}

// The execution's own configuration steps, run on the simulated PC without a tick: its first
// stop, the files it read, and the pads it set up.
struct Configured {
  std::optional<CheckHost::Stop> stop;
  SettingsFiles files;
  std::unique_ptr<ProcessState> state;
};

Configured ConfigureOnSimulatedPc(const std::string& documentPath, const std::string& homeDir) {
  ExecutionHardware hardware(PortWiring{}, PadScript{});
  hardware.PlugPadsWhenExpected(homeDir);
  CheckHost host(hardware);
  Configured configured;
  configured.state = std::make_unique<ProcessState>();
  RunBlock runBlock;
  std::error_code ignored;
  runBlock.path = std::filesystem::absolute(documentPath, ignored).string();
  runBlock.homeDir = homeDir;
  // With `running` clear the execution configures and ends before its first tick.
  runBlock.running = 0;
  runBlock.finished = 0;
  ExecutionThread(runBlock, *configured.state, host);
  configured.stop = host.stop;
  configured.files.localFile = std::move(host.document);
  configured.files.globalFile = std::move(host.global);
  configured.files.circuitFile = std::move(host.circuit);
  // The document is named as the user gave it, not by the path the execution opened.
  if (configured.stop && configured.stop->place.file == runBlock.path) {
    configured.stop->place.file = documentPath;
  }
  return configured;
}

// Reads a file the execution never got to, so its problems are listed all the same.
void ReadIfMissing(std::optional<SettingsText>& file, const std::string& path) {
  if (!file) {
    file = ReadSettingsText(path, path);
  }
}

}  // namespace

std::string StopMessageOf(std::string_view message, const SettingsPlace& place) {
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
    message.remove_suffix(1);
  }
  // A process-ending stop begins with "Bad Thing: " and its file, as the runner prints it; a
  // list of problems names the file and says what kind of problem it is already.
  if (message.starts_with(kBadThingPrefix)) {
    message.remove_prefix(kBadThingPrefix.size());
  }
  if (place.InFile() && message.starts_with(place.file + ": ")) {
    message.remove_prefix(place.file.size() + 2);
  }
  return std::string(message);
}

std::vector<Problem> CheckConfiguration(const std::string& documentPath, const std::string& homeDir,
                                        const CheckNotice& notice) {
  if (homeDir.empty()) {
    return {{documentPath, 0, kNoHomeDirectory, true}};
  }
  const SeedResult seeded = SeedHomeDirectory(homeDir);
  if (seeded.error) {
    return {{homeDir, 0, kHomeNotCreated + *seeded.error, true}};
  }
  if (seeded.created && notice) {
    notice(HomeCreatedNotice(homeDir));
  }

  Configured configured = ConfigureOnSimulatedPc(documentPath, homeDir);
  const std::string globalName = homeDir + std::string(kGlobalFileName);
  const std::string circuitName = homeDir + std::string(kCircuitFileName);
  const std::string keysName = homeDir + kKeyDefinitionFileName;
  SettingsFiles& files = configured.files;
  // A document the execution could not read is not read here either: the stop says why.
  const bool documentRead = files.localFile.has_value();
  ReadIfMissing(files.globalFile, globalName);
  ReadIfMissing(files.circuitFile, circuitName);

  std::vector<Problem> problems;
  if (configured.stop) {
    const SettingsPlace& place = configured.stop->place;
    problems.push_back({place.InFile() ? place.file : documentPath, place.line,
                        configured.stop->message, true, place.item});
  }

  Findings findings(documentRead ? files.localFile->Name() : documentPath, documentPath);
  const std::optional<std::set<std::string>> keys = KeyNames(keysName, findings);
  const std::set<std::string>* keyNames = keys ? &*keys : nullptr;
  if (documentRead) {
    CheckFile({&*files.localFile, documentPath, FileKind::kSettings}, keyNames, findings);
  }
  if (files.globalFile) {
    CheckFile({&*files.globalFile, globalName, FileKind::kSettings}, keyNames, findings);
  }
  if (files.circuitFile) {
    CheckFile({&*files.circuitFile, circuitName, FileKind::kCircuit}, nullptr, findings);
  }
  if (documentRead && files.globalFile && files.circuitFile) {
    CheckCircuits(files, circuitName, findings);
  }
  if (documentRead && files.globalFile) {
    CheckShifts(*configured.state, files, findings);
    CheckRepeats(*configured.state, files, findings);
    CheckConfigValues(*configured.state, files, findings);
  }

  // File by file, in the order the execution reads them, each in line order.
  const auto rank = [&](const Problem& problem) {
    const std::string* order[] = {&documentPath, &globalName, &circuitName, &keysName};
    for (size_t i = 0; i < std::size(order); ++i) {
      if (problem.file == *order[i]) {
        return std::pair{static_cast<int>(i), problem.line};
      }
    }
    return std::pair{static_cast<int>(std::size(order)), problem.line};
  };
  std::vector<Finding>& all = findings.All();
  std::stable_sort(all.begin(), all.end(), [&](const Finding& a, const Finding& b) {
    return rank(a.problem) < rank(b.problem);
  });
  const std::optional<Problem> stop =
      problems.empty() ? std::nullopt : std::optional<Problem>(problems.front());
  for (Finding& finding : all) {
    // The stop already says what is wrong on its line when it names the same thing.
    const bool sameAsStop = stop && stop->file == finding.problem.file &&
                            stop->line == finding.problem.line && !finding.subject.empty() &&
                            stop->message.find('"' + finding.subject + '"') != std::string::npos;
    if (!sameAsStop) {
      problems.push_back(std::move(finding.problem));
    }
  }
  return problems;
}

}  // namespace zarvel
