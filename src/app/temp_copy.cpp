#include "app/temp_copy.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace zarvel {

namespace {

// The copy keeps a configuration's extension, so that what reads it by its name takes it as one.
constexpr char kNamePattern[] = "zarvel-check-XXXXXX.ini";
constexpr int kExtensionLength = 4;

}  // namespace

TempCopy::TempCopy(std::string_view bytes) {
  std::error_code ignored;
  std::string name = (std::filesystem::temp_directory_path(ignored) / kNamePattern).string();
  const int fd = mkstemps(name.data(), kExtensionLength);
  if (fd < 0) {
    error_ = std::strerror(errno);
    return;
  }
  for (std::string_view rest = bytes; !rest.empty();) {
    const ssize_t written = write(fd, rest.data(), rest.size());
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written < 0) {
      error_ = std::strerror(errno);
      break;
    }
    rest.remove_prefix(static_cast<size_t>(written));
  }
  if (close(fd) != 0 && error_.empty()) {
    error_ = std::strerror(errno);
  }
  if (!error_.empty()) {
    unlink(name.c_str());
    return;
  }
  path_ = name;
}

TempCopy::~TempCopy() {
  if (!path_.empty()) {
    unlink(path_.c_str());
  }
}

}  // namespace zarvel
