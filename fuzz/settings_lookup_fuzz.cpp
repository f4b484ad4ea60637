// Feeds arbitrary bytes to the settings lookups as a document over a fixed global file, and
// reads [config] and a pad section from them; then edits them as Assign does. Every input must
// end in a result or a clean error stop, never a crash, a hang or an overrun, and every piece
// of the model must lie inside the text.
#include <cstdint>
#include <cstdio>
#include <string>

#include "base/bad_thing.h"
#include "base/trace.h"
#include "check/button_assignment.h"
#include "config/config_section.h"
#include "config/section_cursor.h"
#include "config/settings_files.h"
#include "config/settings_lookup.h"

namespace {

constexpr char kGlobal[] =
    "[config]\nInternalPower = true\nPort = 378\nKeyQueueSize = 16\n8042Addr = 1f\n"
    "TickFreq = 100\nKeySimMethod = newest\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  zarvel::SettingsFiles files;
  files.localFile = zarvel::SettingsText("fuzz.ini", text);
  files.globalFile = zarvel::SettingsText("zarvel.ini", kGlobal);
  const zarvel::SettingsText& model = *files.localFile;
  for (size_t piece = 0; piece < model.PieceCount(); ++piece) {
    if (model.Offset(piece) + model.Piece(piece).size() > size ||
        model.Piece(piece).size() > zarvel::kSettingsPieceLength || model.Line(piece) < 1) {
      __builtin_trap();
    }
    model.Value(piece);
  }
  const zarvel::ButtonAssignment assignment =
      zarvel::AssignButtonKey(text, "[snes 1]", "a", 2, "space");
  if (assignment.edit && assignment.edit->start > size) {
    __builtin_trap();
  }
  zarvel::TraceState trace;
  zarvel::ConfigSettings config;
  int32_t portBase = 0;
  try {
    zarvel::ReadConfig(files, trace, config, portBase);
  } catch (const zarvel::BadThing&) {
  }
  zarvel::SectionCursor cursor;
  std::string header;
  std::string value;
  for (int32_t number =
           zarvel::NextSectionName("snes", zarvel::kSectionRunFromStart, cursor, header);
       number <= 5;
       number = zarvel::NextSectionName("snes", zarvel::kSectionRunContinue, cursor, header)) {
    if (zarvel::SectionExists(files, header)) {
      zarvel::LookupItem(files, header, "NumShifts", value, false);
      zarvel::LookupItem(files, header, "a", value, false);
    }
  }
  return 0;
}
