#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zarvel {

// The state of one run of generated section headers, owned by whoever walks the run.
struct SectionCursor {
  int32_t number = 0;        // The section number of the header last generated.
  bool noSpaceNext = false;  // The next numbered header is written without a blank.
  bool advance = false;      // `number` goes up by 1 before the next header.
};

// Start values for NextSectionName besides a section number of 1 or more.
inline constexpr int32_t kSectionRunFromStart = -1;  // [base], [base1], [base 1], [base2], ...
inline constexpr int32_t kSectionRunContinue = 0;    // The next header of the current run.

// Writes the next header of a run into `header` and returns its section number. Start -1
// begins the whole run at [base] numbered 1; a start N of 1 or more begins [base], [baseN],
// [base N] numbered N; start 0 continues the run the cursor holds.
int32_t NextSectionName(std::string_view base, int32_t start, SectionCursor& cursor,
                        std::string& header);

}  // namespace zarvel
