#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/execution_thread.h"
#include "engine/process_state.h"
#include "engine/run_block.h"
#include "support/fake_host.h"
#include "support/home_fixture.h"

namespace zarvel::testing {

// A home directory, the run block and the process-wide state, as a host keeps them, for tests
// that run whole executions on their own thread.
class ExecutionFixture : public ::testing::Test {
 protected:
  // Starts an execution of the document as the Execute command does and runs it to its end.
  void ExecuteDocument(FakeHost& host, const std::string& document) {
    runBlock_.path = document;
    runBlock_.homeDir = fixture_.home;
    runBlock_.running = 1;
    runBlock_.finished = 0;
    ExecutionThread(runBlock_, state_, host);
  }

  HomeFixture fixture_;
  RunBlock runBlock_;
  ProcessState state_;
};

}  // namespace zarvel::testing
