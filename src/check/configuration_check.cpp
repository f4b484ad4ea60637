#include "check/configuration_check.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string_view>

#include "base/bad_thing.h"
#include "base/checked_alloc.h"
#include "base/format_text.h"
#include "check/bad_thing_place.h"
#include "check/section_readers.h"
#include "check/settings_outline.h"
#include "config/pad_sections.h"
#include "config/settings_files.h"
#include "config/settings_line.h"
#include "config/value_text.h"
#include "engine/execution_host.h"
#include "engine/execution_thread.h"
#include "engine/process_state.h"
#include "engine/run_block.h"
#include "mapping/button_configuration.h"
#include "mapping/key_definitions.h"
#include "pads/pad_kind.h"
#include "platform/execution_hardware.h"
#include "platform/home_directory.h"

namespace zarvel {
namespace {

// The check's own messages, all in one place.
constexpr const char* kNoHomeDirectory =
    "no home directory: neither --home, ZARVEL_HOME, XDG_CONFIG_HOME nor HOME names one";
constexpr const char* kHomeNotCreated = "could not create the home directory: ";
constexpr const char* kUnknownSetting = "nothing reads \"%s\" in %s: it is no setting of [config]";
constexpr const char* kUnknownPadItem =
    "nothing reads \"%s\" in %s: an %s pad has no button or setting of that name";
constexpr const char* kUnknownCircuitItem =
    "nothing reads \"%s\" in %s: a pad's circuit has no line of that name";
constexpr const char* kOutsideSections = "nothing reads \"%s\": it comes before every section";
constexpr const char* kIndentedItem =
    "nothing reads \"%s\" here: a line that begins with a blank is passed over";
constexpr const char* kUnusedPadSection =
    "nothing reads %s: a pad section has no number or one from 1 to %d";
constexpr const char* kUnknownSection = "nothing reads the section %s";
constexpr const char* kUnknownKey = "keys.cfg has no key \"%s\"";

// A host that runs the execution's configuration on the simulated PC and keeps the first stop
// instead of showing it.
class CheckHost : public ExecutionHost {
 public:
  explicit CheckHost(ExecutionHardware& hardware) : hardware_(hardware) {}

  PortIo& Port() override { return hardware_.Port(); }
  void SleepMs(int32_t /*milliseconds*/) override {}
  void PadsExpected(int32_t portBase, std::span<const PadPlace> pads) override {
    hardware_.PlugExpectedPads(portBase, pads);
    places.assign(pads.begin(), pads.end());
  }
  void ShowBadThing(const std::string& message) override { Keep(message); }
  void EndProcess(const std::string& message) override { Keep(message); }

  std::optional<std::string> stop;
  std::vector<PadPlace> places;

 private:
  void Keep(const std::string& message) {
    if (!stop) {
      stop = MessageWithoutLineEnd(message);
    }
  }

  ExecutionHardware& hardware_;
};

// A problem found by reading a file, with what it names, so that the same fault as the
// execution's stop is not listed twice.
struct Finding {
  Problem problem;
  std::string subject;
};

// One of the configuration's files, as the check reads it.
struct CheckedFile {
  std::string name;
  SettingsFileKind kind;
  std::optional<SettingsOutline> outline;
};

// Whether an item line has the form "Name = value", with nothing but blanks before the "=":
// other lines that an "=" happens to follow are taken for remarks, as a reader would.
bool LooksLikeItem(const OutlinePiece& piece) {
  if (!piece.item || piece.key.front() == ';' || piece.key.front() == '#') {
    return false;
  }
  const size_t equals = piece.text.find_first_not_of(" \t", piece.key.size());
  return equals != std::string::npos && piece.text[equals] == '=';
}

// The name an indented line would have had, when it looks like an item.
std::optional<std::string> IndentedName(const OutlinePiece& piece) {
  const size_t start = piece.text.find_first_not_of(" \t");
  if (start == 0 || start == std::string::npos) {
    return std::nullopt;
  }
  const std::string_view text = std::string_view(piece.text).substr(start);
  const std::string_view key = LineKey(text);
  const size_t equals = text.find_first_not_of(" \t", key.size());
  if (key.empty() || equals == std::string_view::npos || text[equals] != '=') {
    return std::nullopt;
  }
  return std::string(key);
}

void CheckKeys(const OutlinePiece& piece, const std::set<std::string>& keys,
               const std::string& file, std::vector<Finding>& findings) {
  for (const ButtonToken& token : SplitButtonValue(piece.value)) {
    const std::string key(KeyNameOf(token.text));
    if (keys.count(key) == 0) {
      findings.push_back({{file, piece.line, FormatText(kUnknownKey, key.c_str()), false}, key});
    }
  }
}

void CheckFile(const CheckedFile& file, const std::set<std::string>* keys,
               std::vector<Finding>& findings) {
  const auto add = [&](int32_t line, std::string message, std::string subject) {
    findings.push_back({{file.name, line, std::move(message), false}, std::move(subject)});
  };
  SectionReaders readers;
  std::string section;
  for (const OutlinePiece& piece : file.outline->Pieces()) {
    if (!piece.text.empty() && piece.text.front() == '[') {
      readers = ReadersOfSection(piece.text, file.kind);
      section = std::string(HeaderOf(piece.text));
      if (readers.role == SectionReaders::Role::kUnusedPad) {
        add(piece.line, FormatText(kUnusedPadSection, section.c_str(), kHighestPadNumber), section);
      } else if (readers.role == SectionReaders::Role::kOther) {
        add(piece.line, FormatText(kUnknownSection, section.c_str()), section);
      }
      continue;
    }
    if (readers.role == SectionReaders::Role::kUnusedPad ||
        readers.role == SectionReaders::Role::kOther) {
      continue;
    }
    if (const std::optional<std::string> name = IndentedName(piece);
        name && ReadsItem(readers, file.kind, *name)) {
      add(piece.line, FormatText(kIndentedItem, name->c_str()), *name);
      continue;
    }
    if (!LooksLikeItem(piece)) {
      continue;
    }
    const char* key = piece.key.c_str();
    if (readers.role == SectionReaders::Role::kNone) {
      add(piece.line, FormatText(kOutsideSections, key), piece.key);
    } else if (!ReadsItem(readers, file.kind, piece.key)) {
      if (file.kind == SettingsFileKind::kCircuit) {
        add(piece.line, FormatText(kUnknownCircuitItem, key, section.c_str()), piece.key);
      } else if (readers.role == SectionReaders::Role::kConfig) {
        add(piece.line, FormatText(kUnknownSetting, key, section.c_str()), piece.key);
      } else {
        add(piece.line, FormatText(kUnknownPadItem, key, section.c_str(), readers.kind->shownName),
            piece.key);
      }
    } else if (keys != nullptr && readers.role == SectionReaders::Role::kPad &&
               file.kind == SettingsFileKind::kSettings && IsButtonOf(*readers.kind, piece.key)) {
      CheckKeys(piece, *keys, file.name, findings);
    }
  }
}

// The names of keys.cfg, read by the execution's own reader; nothing when it cannot be read.
std::optional<std::set<std::string>> KeyNames(const std::string& path) {
  const SettingsFile file = OpenRegularFile(path);
  if (!file) {
    return std::nullopt;
  }
  KeyDefinitions definitions;
  try {
    ReadKeyDefinitions(file.get(), AllocationGate{}, definitions);
  } catch (const BadThing&) {
    return std::nullopt;
  }
  std::set<std::string> names;
  for (int32_t i = 0; i < definitions.count; ++i) {
    names.insert(definitions.table[i].name);
  }
  return names;
}

// The execution's own configuration steps, run on the simulated PC without a tick: its first
// stop, and the pad it was setting up then.
struct ExecutionStop {
  std::string message;
  std::optional<PadPlace> padAtFault;
};

std::optional<ExecutionStop> ConfigureOnSimulatedPc(const std::string& documentPath,
                                                    const std::string& homeDir) {
  ExecutionHardware hardware(PortWiring{}, PadScript{});
  hardware.PlugPadsWhenExpected(homeDir);
  CheckHost host(hardware);
  const auto state = std::make_unique<ProcessState>();
  RunBlock runBlock;
  std::error_code ignored;
  runBlock.path = std::filesystem::absolute(documentPath, ignored).string();
  runBlock.homeDir = homeDir;
  // With `running` clear the execution configures and ends before its first tick.
  runBlock.running = 0;
  runBlock.finished = 0;
  ExecutionThread(runBlock, *state, host);
  if (!host.stop) {
    return std::nullopt;
  }
  ExecutionStop stop{*host.stop, std::nullopt};
  // The pads are counted once set up, so the count is the place of the one being set up.
  if (static_cast<size_t>(state->PadCount) < host.places.size()) {
    stop.padAtFault = host.places[static_cast<size_t>(state->PadCount)];
  }
  return stop;
}

}  // namespace

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

  std::vector<CheckedFile> files = {
      {documentPath, SettingsFileKind::kSettings, OutlineSettingsFile(documentPath)},
      {homeDir + std::string(kGlobalFileName), SettingsFileKind::kSettings, std::nullopt},
      {homeDir + std::string(kCircuitFileName), SettingsFileKind::kCircuit, std::nullopt},
  };
  for (CheckedFile& file : files) {
    if (!file.outline) {
      file.outline = OutlineSettingsFile(file.name);
    }
  }
  const std::string keysName = homeDir + kKeyDefinitionFileName;

  std::vector<Problem> problems;
  std::optional<Problem> stopProblem;
  if (const std::optional<ExecutionStop> stop = ConfigureOnSimulatedPc(documentPath, homeDir)) {
    const auto outlineOf = [&](size_t i) {
      return files[i].outline ? &*files[i].outline : nullptr;
    };
    const std::optional<NamedPlace> place =
        PlaceNamedBy({outlineOf(0), outlineOf(1), outlineOf(2)}, stop->message,
                     stop->padAtFault ? &*stop->padAtFault : nullptr);
    Problem problem{documentPath, 0, stop->message, true};
    if (place) {
      problem.line = place->line;
      switch (place->file) {
        case NamedFile::kDocument:
          break;
        case NamedFile::kGlobal:
          problem.file = files[1].name;
          break;
        case NamedFile::kCircuit:
          problem.file = files[2].name;
          break;
        case NamedFile::kKeys:
          problem.file = keysName;
          break;
        case NamedFile::kInMessage:
          // The document is named as it was given, not by the fallback name the execution
          // tried last.
          for (const CheckedFile& file : files) {
            if (file.name == place->fileName) {
              problem.file = file.name;
            }
          }
          break;
      }
    }
    stopProblem = problem;
    problems.push_back(std::move(problem));
  }

  const std::optional<std::set<std::string>> keys = KeyNames(keysName);
  std::vector<Finding> findings;
  for (const CheckedFile& file : files) {
    if (file.outline) {
      CheckFile(file, keys ? &*keys : nullptr, findings);
    }
  }
  for (Finding& finding : findings) {
    // The stop already says what is wrong on its line when it names the same thing.
    const bool sameAsStop =
        stopProblem && stopProblem->file == finding.problem.file &&
        stopProblem->line == finding.problem.line &&
        stopProblem->message.find('"' + finding.subject + '"') != std::string::npos;
    if (!sameAsStop) {
      problems.push_back(std::move(finding.problem));
    }
  }
  return problems;
}

}  // namespace zarvel
