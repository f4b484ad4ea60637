#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "check/configuration_check.h"
#include "check/settings_outline.h"
#include "config/pad_sections.h"

namespace zarvel {

// The files of a configuration, as the execution reads them; a file that could not be read has
// no outline.
struct ConfigurationOutlines {
  const SettingsOutline* document = nullptr;
  const SettingsOutline* global = nullptr;   // zarvel.ini of the home directory.
  const SettingsOutline* circuit = nullptr;  // circuits.ini of the home directory.
};

// Which file a message points into.
enum class NamedFile : uint8_t {
  kDocument,
  kGlobal,
  kCircuit,
  kKeys,      // keys.cfg of the home directory.
  kInMessage  // The file the message names itself ("Could not locate initiate file").
};

// Where in the configuration's files a "Bad Thing" message points: the line (from 1) of the item,
// button, key or section it names, or 0 when it concerns a file as a whole.
struct NamedPlace {
  NamedFile file = NamedFile::kDocument;
  int32_t line = 0;
  std::string fileName;  // For kInMessage.
};

// The place the message of an execution that stopped while reading these files points at. A
// message about a pad's buttons or pins is looked up under `padAtFault`, the pad section the
// execution was setting up, when it is known; without it, under each pad section in the order an
// execution sets them up, the first that fits. Lookups go as the execution's do: the document
// first, then zarvel.ini for what it lacks or leaves empty. Nothing when the message names
// nothing that the files hold.
std::optional<NamedPlace> PlaceNamedBy(const ConfigurationOutlines& outlines,
                                       std::string_view message, const PadPlace* padAtFault);

// The line of the document (from 1) that a "Bad Thing" message of an execution of it names: the
// item, button, key or section, as PlaceNamedBy finds it in the document alone. Nothing when the
// message names nothing in the document.
std::optional<int> LineNamedBy(std::string_view documentText, std::string_view message);

// A "Bad Thing" message as a problem shows it: without the line ends it closes with.
std::string MessageWithoutLineEnd(std::string_view message);

// The problem an execution's "Bad Thing" makes of the document `documentPath` (whose text it
// read): its message, at the line of the document it names. Nothing when it names no line of
// the document.
std::optional<Problem> ProblemNamedBy(const std::string& documentPath,
                                      std::string_view documentText, std::string_view message);

}  // namespace zarvel
