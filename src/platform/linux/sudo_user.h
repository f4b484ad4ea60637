#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

#include "platform/linux/system_calls.h"

namespace zarvel {

// The user who ran sudo to start this process as root, as sudo's variables SUDO_UID and
// SUDO_GID name them: the user Zarvel becomes once the hardware is open, and the owner of the
// files it makes for them.
struct SudoUser {
  uid_t uid = 0;
  gid_t gid = 0;

  // Root started by another user through sudo: that user. Nothing when the process is not
  // root, or root started it (by its own login, or through sudo), or sudo's variables are not
  // numbers (`garbled` is then set, when given).
  static std::optional<SudoUser> Find(SystemCalls& calls, bool* garbled = nullptr);
};

// Root with none of sudo's variables: nobody to become, so Zarvel keeps running as root.
bool StartedAsRootWithoutSudo(SystemCalls& calls);

// A host started through sudo gives up root here, once the hardware is open: it becomes the
// user in SUDO_UID and SUDO_GID, without supplementary groups. Nothing happens when the
// process is not root or was not started through sudo. Returns why it failed; a host must not
// go on as root it was meant to give up.
std::optional<std::string> GiveUpRootIfStartedThroughSudo(SystemCalls& calls, bool& givenUp);

}  // namespace zarvel
