#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zarvel {

struct SettingsFiles;

// The names of the pad kinds' sections, in the document and in the circuit file alike:
// "[snes 2]" describes SNES pad 2. An execution finds every SNES pad before any NES pad, and
// every NES pad before any PlayStation pad.
inline constexpr const char* kSnesSectionName = "snes";
inline constexpr const char* kNesSectionName = "nes";
inline constexpr const char* kPsxSectionName = "psx";
inline constexpr const char* kGenesisSectionName = "genesis";
inline constexpr const char* kAtariSectionName = "atari";

// The kinds' section names in the order an execution sets their pads up.
inline constexpr std::array<std::string_view, 5> kPadKindsInOrder = {
    kSnesSectionName, kNesSectionName, kPsxSectionName, kGenesisSectionName, kAtariSectionName};

// Pad sections are numbered from 1 up to this.
inline constexpr int32_t kHighestPadNumber = 5;

// At most this many pads take part in one execution, whatever their sections' numbers.
inline constexpr int16_t kMaxPads = 9;

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

// A pad the configuration asks for: its kind's section name and its section.
struct PadPlace {
  std::string_view kind;  // One of kPadKindsInOrder.
  PadSection section;
};

// Every pad the configuration asks for, in the order an execution sets them up: the sections of
// each kind of kPadKindsInOrder in turn, numbered 1 up to kHighestPadNumber. There may be more
// than kMaxPads of them.
std::vector<PadPlace> FindPadPlaces(const SettingsFiles& files);

}  // namespace zarvel
