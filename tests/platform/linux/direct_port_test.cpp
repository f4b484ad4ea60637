#include "platform/linux/direct_port.h"
#include "platform/linux/sudo_user.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "support/fake_system_calls.h"

namespace zarvel {
namespace {

using testing::FakeSystemCalls;
using Lines = std::vector<std::string>;

const PortRange kPadAndKeyboardPorts[] = {{0x378, 3}, {0x60, 1}, {0x64, 1}, {0x21, 1}};

TEST(DirectPortAccess, AsksForExactlyThePortsUsedAndOnlyOnce) {
  FakeSystemCalls calls;
  DirectPortAccess access(calls);
  EXPECT_EQ(access.Grant(kPadAndKeyboardPorts, false), std::nullopt);
  EXPECT_EQ(access.Grant(kPadAndKeyboardPorts, false), std::nullopt);
  EXPECT_EQ(calls.log,
            (Lines{"ioperm 0x378 3", "ioperm 0x60 1", "ioperm 0x64 1", "ioperm 0x21 1"}));
  EXPECT_TRUE(access.Granted(0x37A));
  EXPECT_FALSE(access.Granted(0x37B));
  EXPECT_FALSE(access.Granted(0x61));
}

TEST(DirectPortAccess, WithoutPrivilegeItRefusesWithAdvice) {
  FakeSystemCalls calls;
  calls.iopermError = EPERM;
  DirectPortAccess access(calls);
  const std::optional<std::string> refused = access.Grant(kPadAndKeyboardPorts, false);
  ASSERT_TRUE(refused);
  EXPECT_NE(refused->find("direct port access needs root"), std::string::npos) << *refused;
  EXPECT_NE(refused->find("sudo"), std::string::npos);
  EXPECT_FALSE(access.Granted(0x378));

  // Once root was given up, a port not asked for at the start can never be had.
  const std::optional<std::string> late = access.Grant(kPadAndKeyboardPorts, true);
  ASSERT_TRUE(late);
  EXPECT_NE(late->find("port 0x378-0x37A was not asked for when Zarvel started"), std::string::npos)
      << *late;

  calls.portInstructions = false;
  EXPECT_NE(access.Grant(kPadAndKeyboardPorts, false)->find("needs an x86 PC"), std::string::npos);
}

TEST(DirectPort, ReachesGrantedPortsAndNeverTouchesOthers) {
  FakeSystemCalls calls;
  calls.answerIn = [](uint16_t port) { return static_cast<uint8_t>(port & 0xFF); };
  DirectPortAccess access(calls);
  ASSERT_EQ(access.Grant(kPadAndKeyboardPorts, false), std::nullopt);
  calls.log.clear();
  DirectPort port(access, {});
  port.Out(0x64, 0xD2);
  EXPECT_EQ(port.In(0x379), 0x79);
  EXPECT_EQ(port.In(0x80), 0xFF);  // Not granted: the processor would end the program.
  port.Out(0x80, 0x01);
  EXPECT_EQ(calls.log, (Lines{"out 0x64 D2", "in 0x379"}));
}

TEST(DirectPort, OnKernelsSince55InterruptsStayEnabledAndTheUserIsToldOnce) {
  FakeSystemCalls calls;
  calls.kernelRelease = "5.10.0-30-amd64";
  DirectPortAccess access(calls);
  EXPECT_EQ(access.GrantInterruptFlag(), std::nullopt);
  std::vector<std::string> notices;
  for (int execution = 0; execution < 2; ++execution) {
    DirectPort port(access, [&](const std::string& text) { notices.push_back(text); });
    port.DisableInterrupts();
    port.EnableInterrupts();
    port.DisableInterrupts();
  }
  EXPECT_EQ(calls.log, Lines{});  // No iopl asked for, no cli or sti executed.
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find("does not let a program disable interrupts"), std::string::npos);
}

TEST(DirectPort, OnOlderKernelsIoplLetsTheMethodsDisableInterrupts) {
  FakeSystemCalls calls;
  calls.kernelRelease = "4.19.0-27-amd64";
  DirectPortAccess access(calls);
  EXPECT_EQ(access.GrantInterruptFlag(), std::nullopt);
  DirectPort port(access, {});
  port.DisableInterrupts();
  port.EnableInterrupts();
  EXPECT_EQ(calls.log, (Lines{"iopl 3", "cli", "sti"}));

  FakeSystemCalls unprivileged;
  unprivileged.kernelRelease = "5.4.0-42-generic";
  unprivileged.ioplError = EPERM;
  DirectPortAccess refused(unprivileged);
  const std::optional<std::string> error = refused.GrantInterruptFlag();
  ASSERT_TRUE(error);
  EXPECT_NE(error->find("needs root"), std::string::npos) << *error;
}

TEST(DirectPort, KernelReleasesAreComparedAsNumbers) {
  EXPECT_TRUE(KernelLetsProgramsDisableInterrupts("5.4.0-42-generic"));
  EXPECT_TRUE(KernelLetsProgramsDisableInterrupts("4.19.0"));
  EXPECT_TRUE(KernelLetsProgramsDisableInterrupts("2.6.32"));
  EXPECT_FALSE(KernelLetsProgramsDisableInterrupts("5.5.0"));
  EXPECT_FALSE(KernelLetsProgramsDisableInterrupts("5.10.0-30-amd64"));  // Not "5.1".
  EXPECT_FALSE(KernelLetsProgramsDisableInterrupts("6.1.0-28-amd64"));
  EXPECT_FALSE(KernelLetsProgramsDisableInterrupts(""));
  EXPECT_FALSE(KernelLetsProgramsDisableInterrupts("linux"));
}

TEST(GiveUpRoot, BecomesTheSudoUserGroupsFirstAndOnlyWhenStartedThroughSudo) {
  FakeSystemCalls sudo;
  sudo.effectiveUser = 0;
  sudo.environment = {{"SUDO_UID", "1000"}, {"SUDO_GID", "1001"}};
  bool givenUp = false;
  EXPECT_EQ(GiveUpRootIfStartedThroughSudo(sudo, givenUp), std::nullopt);
  EXPECT_TRUE(givenUp);
  EXPECT_EQ(sudo.log, (Lines{"setgroups", "setgid 1001", "setuid 1000"}));
  EXPECT_EQ(GiveUpRootIfStartedThroughSudo(sudo, givenUp), std::nullopt);
  EXPECT_EQ(sudo.log.size(), 3u);  // Once only.

  FakeSystemCalls user;  // Not root: nothing to give up.
  user.environment = {{"SUDO_UID", "1000"}, {"SUDO_GID", "1000"}};
  FakeSystemCalls rootLogin;  // Root without sudo, or root through sudo: stays root.
  rootLogin.effectiveUser = 0;
  FakeSystemCalls rootThroughSudo;
  rootThroughSudo.effectiveUser = 0;
  rootThroughSudo.environment = {{"SUDO_UID", "0"}, {"SUDO_GID", "0"}};
  for (FakeSystemCalls* calls : {&user, &rootLogin, &rootThroughSudo}) {
    bool unchanged = false;
    EXPECT_EQ(GiveUpRootIfStartedThroughSudo(*calls, unchanged), std::nullopt);
    EXPECT_FALSE(unchanged);
    EXPECT_EQ(calls->log, Lines{});
  }
}

TEST(GiveUpRoot, AFailureIsReportedSoTheHostDoesNotGoOnAsRoot) {
  FakeSystemCalls calls;
  calls.effectiveUser = 0;
  calls.environment = {{"SUDO_UID", "1000"}, {"SUDO_GID", "1000"}};
  calls.setErrors["setuid"] = EAGAIN;
  bool givenUp = false;
  const std::optional<std::string> error = GiveUpRootIfStartedThroughSudo(calls, givenUp);
  ASSERT_TRUE(error);
  EXPECT_NE(error->find("could not give up root"), std::string::npos);
  EXPECT_FALSE(givenUp);

  FakeSystemCalls garbled;
  garbled.effectiveUser = 0;
  garbled.environment = {{"SUDO_UID", "1000x"}, {"SUDO_GID", "1000"}};
  EXPECT_TRUE(GiveUpRootIfStartedThroughSudo(garbled, givenUp));
  EXPECT_EQ(garbled.Count("set"), 0);
}

}  // namespace
}  // namespace zarvel
