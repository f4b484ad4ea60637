#include "platform/linux/sudo_user.h"

#include <charconv>
#include <string_view>

namespace zarvel {
namespace {

constexpr const char* kSudoUid = "SUDO_UID";
constexpr const char* kSudoGid = "SUDO_GID";

bool ReadNumber(std::string_view text, unsigned long& number) {
  const char* end = text.data() + text.size();
  const auto [next, error] = std::from_chars(text.data(), end, number);
  return error == std::errc() && next == end;
}

}  // namespace

std::optional<SudoUser> SudoUser::Find(SystemCalls& calls, bool* garbled) {
  if (calls.EffectiveUserId() != 0) {
    return std::nullopt;
  }
  const std::optional<std::string> uidText = calls.Environment(kSudoUid);
  const std::optional<std::string> gidText = calls.Environment(kSudoGid);
  if (!uidText || !gidText) {
    return std::nullopt;  // Root by its own login: nobody to become.
  }
  unsigned long uid = 0;
  unsigned long gid = 0;
  if (!ReadNumber(*uidText, uid) || !ReadNumber(*gidText, gid)) {
    if (garbled != nullptr) {
      *garbled = true;
    }
    return std::nullopt;
  }
  if (uid == 0) {
    return std::nullopt;  // Root started it through sudo: it stays root.
  }
  return SudoUser{static_cast<uid_t>(uid), static_cast<gid_t>(gid)};
}

bool StartedAsRootWithoutSudo(SystemCalls& calls) {
  return calls.EffectiveUserId() == 0 &&
         (!calls.Environment(kSudoUid) || !calls.Environment(kSudoGid));
}

std::optional<std::string> GiveUpRootIfStartedThroughSudo(SystemCalls& calls, bool& givenUp) {
  if (givenUp) {
    return std::nullopt;
  }
  bool garbled = false;
  const std::optional<SudoUser> user = SudoUser::Find(calls, &garbled);
  if (garbled) {
    return "could not give up root: SUDO_UID and SUDO_GID are not numbers";
  }
  if (!user) {
    return std::nullopt;
  }
  // The groups go first and the user last, since after that nothing else may be changed.
  int result = calls.ClearSupplementaryGroups();
  if (result >= 0) {
    result = calls.SetGroupId(user->gid);
  }
  if (result >= 0) {
    result = calls.SetUserId(user->uid);
  }
  if (result < 0) {
    return "could not give up root once the hardware was open: " + ErrorText(-result);
  }
  givenUp = true;
  return std::nullopt;
}

}  // namespace zarvel
