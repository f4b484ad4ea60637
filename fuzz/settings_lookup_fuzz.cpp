// Feeds arbitrary bytes to the settings lookups as a document over a fixed global file, and
// reads [config] and a pad section from them. Every input must end in a result or a clean
// error stop, never a crash, a hang or an overrun.
#include <cstdint>
#include <cstdio>
#include <string>

#include "base/bad_thing.h"
#include "base/trace.h"
#include "config/config_section.h"
#include "config/section_cursor.h"
#include "config/settings_files.h"
#include "config/settings_lookup.h"

namespace {

constexpr char kGlobal[] =
    "[config]\nInternalPower = true\nPort = 378\nKeyQueueSize = 16\n8042Addr = 1f\n"
    "TickFreq = 100\nKeySimMethod = newest\n";

zarvel::SettingsFile OpenBytes(const void* data, size_t size) {
  // fmemopen needs a writable buffer of at least one byte even for empty input.
  static thread_local std::string buffer;
  buffer.assign(static_cast<const char*>(data), size);
  buffer.push_back('\0');
  return zarvel::SettingsFile(fmemopen(buffer.data(), size == 0 ? 1 : size, "r"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zarvel::SettingsFiles files;
  files.localFile = OpenBytes(data, size);
  std::string global(kGlobal);
  files.globalFile.reset(fmemopen(global.data(), global.size(), "r"));
  if (!files.localFile || !files.globalFile) {
    return 0;
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
