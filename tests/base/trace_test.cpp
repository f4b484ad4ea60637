#include "base/trace.h"

#include <gtest/gtest.h>

#include "base/bad_thing.h"
#include "base/checked_alloc.h"

namespace zarvel {
namespace {

TEST(TracePrint, CountsNothingWhileTheTraceIsOff) {
  TraceState trace;
  TracePrint(trace, "\371 Reading config data...");
  TracePrint(trace, "Done\n");
  EXPECT_EQ(trace.traceLineCount, 12);
}

TEST(TracePrint, CountsOnlyTextsEndingWithANewline) {
  TraceState trace;
  trace.traceEnabled = true;
  TracePrint(trace, "step...");
  TracePrint(trace, "Done\n");
  EXPECT_EQ(trace.traceLineCount, 13);
}

TEST(TracePrint, PagerFirstPausesAfterThirteenCountedLines) {
  TraceState trace;
  trace.traceEnabled = true;
  trace.tracePaging = true;
  for (int i = 0; i < 13; ++i) {
    TracePrint(trace, "line\n");
  }
  EXPECT_EQ(trace.traceLineCount, 25);
  // The next call pauses before its own text and lowers the count by a page.
  TracePrint(trace, "line\n");
  EXPECT_EQ(trace.traceLineCount, 1);
}

TEST(CheckedAlloc, ReportsTheSizeItCouldNotHave) {
  AllocationGate gate;
  gate.refuse = [](int32_t size) { return size == 1024; };
  EXPECT_NE(CheckedAlloc(gate, 16), nullptr);
  try {
    CheckedAlloc(gate, 1024);
    FAIL() << "no error";
  } catch (const BadThing& error) {
    EXPECT_STREQ(error.what(), "Could not allocate 1024 bytes.\n");
  }
  EXPECT_THROW(CheckedAlloc(AllocationGate{}, -1), BadThing);
}

TEST(ReportBadThing, KeepsLongMessagesWhole) {
  const std::string path(300, 'p');
  try {
    ReportBadThing("Could not locate initiate file \"%s\"\n", path.c_str());
    FAIL() << "no error";
  } catch (const BadThing& error) {
    EXPECT_EQ(std::string(error.what()), "Could not locate initiate file \"" + path + "\"\n");
  }
}

}  // namespace
}  // namespace zarvel
