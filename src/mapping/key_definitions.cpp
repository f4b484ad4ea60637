#include "mapping/key_definitions.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/bad_thing.h"
#include "config/settings_files.h"
#include "config/value_text.h"
#include "mapping/key_file_reader.h"

namespace zarvel {
namespace {

// The messages of the key definition file, all in one place.
// The path and the system's reason follow the sentence, so the user knows which file to look at.
constexpr const char* kCouldNotOpenPath = "Could not open key definition file. %s: %s\n";
constexpr const char* kNotFound = "Could not find key definition for \"%s\".\n";
constexpr const char* kTooManyDefinitions =
    "Key definition file holds more than %d key definitions: record %d begins at line %d.\n";
constexpr const char* kTooManyValues =
    "Key list with more than %d values in record %d (line %d) of the key definition file.\n";
constexpr const char* kNameTooLong =
    "Key name \"%s...\" in record %d (line %d) of the key definition file is longer than %d "
    "characters.\n";
constexpr const char* kNotHexadecimal =
    "\"%s\" in record %d (line %d) of the key definition file is not a hexadecimal number.\n";

// How much of a wrong text a message quotes.
constexpr size_t kQuotedTextLength = 20;

constexpr uint8_t kLowByte = 0xFF;
constexpr uint32_t kHexRadix = 16;

int HexDigitValue(int c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

[[noreturn]] void RefuseValue(KeyFileReader& reader, std::string text) {
  const int32_t line = reader.Line();
  text += reader.ReadWord(kQuotedTextLength);
  ReportBadThingAt({reader.Name(), line}, kNotHexadecimal, text.c_str(), reader.Record(), line);
}

// Reads one value as the "%x" conversion does: white space skipped, an optional sign and 0x
// prefix, then hexadecimal digits into a 32-bit number (wrapping, which leaves the low byte
// as the last two digits give it). The one character after the value is consumed too and
// handed back in `next`. Returns false when the file ends before a value; text that is no
// hexadecimal number ends the execution.
bool ReadHexValue(KeyFileReader& reader, uint32_t& value, int& next) {
  reader.SkipWhiteSpace();
  int c = reader.Get();
  if (c == EOF) {
    return false;
  }
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    const int sign = c;
    c = reader.Get();
    if (HexDigitValue(c) < 0) {
      reader.Unget(c);
      RefuseValue(reader, std::string(1, static_cast<char>(sign)));
    }
  }
  if (HexDigitValue(c) < 0) {
    reader.Unget(c);
    RefuseValue(reader, "");
  }
  value = 0;
  if (c == '0' && (reader.Peek() == 'x' || reader.Peek() == 'X')) {
    // The prefix counts only when a digit follows it; "0x" alone is the number 0 followed by
    // the character x, which ends the list.
    next = reader.Get();
    c = reader.Get();
    if (HexDigitValue(c) < 0) {
      reader.Unget(c);
      return true;
    }
  }
  while (HexDigitValue(c) >= 0) {
    value = value * kHexRadix + static_cast<uint32_t>(HexDigitValue(c));
    c = reader.Get();
  }
  if (negative) {
    value = 0u - value;
  }
  next = c;
  return true;
}

// Reads a name as the "%s\n" conversion does: white space skipped, the run of other
// characters, then all white space after it. Returns false when the file ends before a name.
bool ReadKeyName(KeyFileReader& reader, std::string& name) {
  reader.SkipWhiteSpace();
  const int32_t line = reader.Line();
  name = reader.ReadWord(kMaxKeyNameLength);
  if (name.empty()) {
    return false;
  }
  const int next = reader.Peek();
  if (next != EOF && !IsKeyFileSpace(next)) {
    ReportBadThingAt({reader.Name(), line}, kNameTooLong, name.c_str(), reader.Record(), line,
                     kMaxKeyNameLength);
  }
  reader.SkipWhiteSpace();
  NormalizeValue(name);
  return true;
}

}  // namespace

bool ReadKeySequence(KeyFileReader& reader, const AllocationGate& allocation,
                     KeySequence& sequence) {
  AllocateKeySequence(sequence, allocation, kMaxKeyListValues);
  uint8_t* const bytes = sequence.bytes.get();
  int32_t count = 0;
  uint32_t value = 0;
  int separator = ',';
  while (separator == ',') {
    reader.SkipWhiteSpace();
    const int32_t line = reader.Line();
    if (!ReadHexValue(reader, value, separator)) {
      return false;
    }
    if (count == kMaxKeyListValues) {
      ReportBadThingAt({reader.Name(), line}, kTooManyValues, kMaxKeyListValues, reader.Record(),
                       line);
    }
    if (value > kLowByte) {
      reader.NoteWideValue(line);
    }
    bytes[count++] = static_cast<uint8_t>(value & kLowByte);
    // Exactly one character after each value was consumed with it: a comma means another
    // value comes, anything else (in practice a blank or a line break) ends the list.
  }
  sequence.length = value != 0 ? count : 0;
  return true;
}

void LoadKeyDefinitions(const SettingsFiles& files, const AllocationGate& allocation,
                        KeyDefinitions& definitions) {
  definitions.table = CheckedAllocArray<KeyDefinition>(allocation, kMaxKeyDefinitions);
  definitions.count = 0;

  const std::string path = files.homeDir + kKeyDefinitionFileName;
  const SettingsFile file = OpenRegularFile(path);
  if (!file) {
    const int error = errno;
    ReportBadThingAt({.file = path}, kCouldNotOpenPath, path.c_str(), std::strerror(error));
  }
  ReadKeyDefinitions(file.get(), allocation, definitions, path);
}

void ReadKeyDefinitions(std::FILE* file, const AllocationGate& allocation,
                        KeyDefinitions& definitions, const std::string& name,
                        std::vector<int32_t>* wideValueLines) {
  if (definitions.table == nullptr) {
    definitions.table = CheckedAllocArray<KeyDefinition>(allocation, kMaxKeyDefinitions);
  }
  definitions.count = 0;

  KeyFileReader reader(file, name);
  reader.TellWideValuesTo(wideValueLines);
  reader.SkipWhiteSpace();
  while (!reader.AtEnd()) {
    reader.StartRecord();
    const int32_t line = reader.Line();
    // The record is read aside and kept only once it is whole and there is room for it.
    KeyDefinition record;
    if (!ReadKeySequence(reader, allocation, record.down) ||
        !ReadKeySequence(reader, allocation, record.up) || !ReadKeyName(reader, record.name)) {
      break;
    }
    if (definitions.count == kMaxKeyDefinitions) {
      ReportBadThingAt({reader.Name(), line}, kTooManyDefinitions, kMaxKeyDefinitions,
                       reader.Record(), line);
    }
    definitions.table[definitions.count++] = std::move(record);
  }
}

int32_t FindKeyDefinition(const KeyDefinitions& definitions, std::string_view name,
                          const SettingsPlace& place) {
  for (int32_t i = 0; i < definitions.count; ++i) {
    if (definitions.table[i].name == name) {
      return i;
    }
  }
  const std::string text(name);
  ReportBadThingAt(place, kNotFound, text.c_str());
}

void FreeKeyDefinitions(KeyDefinitions& definitions) {
  for (int32_t i = 0; i < definitions.count; ++i) {
    definitions.table[i].down.bytes.reset();
    definitions.table[i].up.bytes.reset();
  }
  definitions.table.reset();
  definitions.count = 0;
}

}  // namespace zarvel
