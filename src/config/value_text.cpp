#include "config/value_text.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "base/bad_thing.h"

namespace zarvel {
namespace {

// White space as the C library classifies it in the "C" locale.
bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

void TrimValue(std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  text.erase(0, first == std::string::npos ? text.size() : first);
  size_t end = text.size();
  while (end > 0 && IsWhiteSpace(text[end - 1])) {
    --end;
  }
  text.resize(end);
}

void NormalizeValue(std::string& text) {
  TrimValue(text);
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
}

bool ReadFlag(std::string_view value) {
  return !value.empty() && value.front() == 't';
}

int32_t ReadDecimal(std::string_view value) {
  const std::string text(value);
  const long long number = std::strtoll(text.c_str(), nullptr, 10);
  if (number > std::numeric_limits<int32_t>::max()) {
    return std::numeric_limits<int32_t>::max();
  }
  if (number < std::numeric_limits<int32_t>::min()) {
    return std::numeric_limits<int32_t>::min();
  }
  return static_cast<int32_t>(number);
}

std::optional<uint32_t> ReadHexadecimal(std::string_view value) {
  const std::string text(value);
  unsigned int number = 0;
  if (std::sscanf(text.c_str(), "%x", &number) != 1) {
    return std::nullopt;
  }
  return static_cast<uint32_t>(number);
}

void CheckRange(int32_t value, const char* name, int32_t lowest, int32_t highest, bool hexadecimal,
                const SettingsPlace& place) {
  if (lowest <= value && value <= highest) {
    return;
  }
  if (hexadecimal) {
    ReportBadThingAt(place, "\"%s\" is out of range. Values should range from 0x%02X to 0x%02X.\n",
                     name, static_cast<unsigned>(lowest), static_cast<unsigned>(highest));
  }
  ReportBadThingAt(place, "\"%s\" is out of range. Values should range from %d to %d.\n", name,
                   lowest, highest);
}

}  // namespace zarvel
