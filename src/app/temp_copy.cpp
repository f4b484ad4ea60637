#include "app/temp_copy.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include "app/whole_file_save.h"

namespace zarvel {

namespace {

// The copy keeps a configuration's extension, so that what reads it by its name takes it as one.
constexpr char kNamePattern[] = "zarvel-check-XXXXXX.ini";
constexpr int kExtensionLength = 4;

}  // namespace

TempCopy::TempCopy(std::string_view bytes) {
  std::error_code ignored;
  std::string name = (std::filesystem::temp_directory_path(ignored) / kNamePattern).string();
  // The name is taken first, so that no other program's file is ever replaced, then filled as
  // a save fills a file.
  const int fd = mkstemps(name.data(), kExtensionLength);
  if (fd < 0) {
    error_ = std::strerror(errno);
    return;
  }
  close(fd);
  if (std::optional<std::string> error = SaveFileWhole(name, bytes)) {
    error_ = *error;
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
