#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zarvel {

struct SettingsFiles;

// Pad sections are numbered from 1 up to this.
inline constexpr int32_t kHighestPadNumber = 5;

// A pad section that the configuration has: its header as found and its number.
struct PadSection {
  std::string header;
  int32_t number = 0;
};

// The pad sections of one kind that the document or the global settings file has, in the
// order they are tried: [K], [K1], [K 1], [K2], [K 2], ... up to [K N] for the highest number
// N. Every header found is a pad of its own, even when several share a number.
std::vector<PadSection> FindPadSections(const SettingsFiles& files, std::string_view kindName,
                                        int32_t highestNumber);

}  // namespace zarvel
