// Feeds arbitrary bytes to the key definition reader as "keys.cfg", then looks up a name and
// queues every definition read. Every input must end in definitions or a clean error stop,
// never a crash, a hang or an overrun.
#include <cstdint>
#include <cstdio>
#include <string>

#include "base/bad_thing.h"
#include "base/trace.h"
#include "config/config_section.h"
#include "config/settings_files.h"
#include "inject/key_queue.h"
#include "mapping/key_definitions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // fmemopen needs a buffer of at least one byte even for empty input.
  std::string text(reinterpret_cast<const char*>(data), size);
  text.push_back('\0');
  zarvel::SettingsFile file(fmemopen(text.data(), size == 0 ? 1 : size, "r"));
  if (!file) {
    return 0;
  }
  zarvel::AllocationGate allocation;
  zarvel::KeyDefinitions definitions;
  try {
    zarvel::ReadKeyDefinitions(file.get(), allocation, definitions);
    zarvel::TraceState trace;
    zarvel::KeyQueue queue;
    queue.Init(zarvel::kLargestKeyQueue, allocation, trace);
    for (int32_t i = 0; i < definitions.count; ++i) {
      queue.PushSequence(definitions.table[i].down);
      queue.PushSequence(definitions.table[i].up);
      while (!queue.Empty()) {
        queue.Pop();
      }
    }
    zarvel::FindKeyDefinition(definitions, "a");
  } catch (const zarvel::BadThing&) {
  }
  zarvel::FreeKeyDefinitions(definitions);
  return 0;
}
