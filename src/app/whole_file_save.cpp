#include "app/whole_file_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>

namespace zarvel {

namespace {

// A new file is made with these permissions, less the user's umask, as any editor makes one.
constexpr mode_t kNewFileMode = 0666;
// How many names the new file may try before the save gives up: a name is taken only by
// another save under way at the same moment, or by a file left from a crash.
constexpr int kNameAttempts = 100;

std::string ErrorText(int error) {
  return std::strerror(error);
}

// The file a save replaces: the one a link names, so that the link itself stays; the path as
// given when it names nothing yet.
std::string FileToReplace(const std::string& path) {
  char resolved[PATH_MAX];
  if (realpath(path.c_str(), resolved) != nullptr) {
    return resolved;
  }
  return path;
}

// Where a path's file name begins: after its last slash, or at the start.
size_t NameStart(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

// Makes the new file beside `target`, as a hidden name of its own in the same directory, so
// that the rename stays on one file system and is atomic.
int CreateBeside(const std::string& target, std::string& name) {
  const size_t nameStart = NameStart(target);
  const std::string directory = target.substr(0, nameStart);
  const std::string base = target.substr(nameStart);
  std::random_device seed;
  std::mt19937 pick(seed());
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    name = directory + "." + base + ".saving-" + std::to_string(pick() % 1000000);
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  errno = EEXIST;
  return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// Gives the new file the old one's owner and permissions and fills it. Returns 0 or an errno.
int FillNewFile(int fd, std::string_view bytes, const struct stat* old) {
  if (old != nullptr) {
    // Only root may give a file away, and a user may only pick a group of their own: where
    // that is refused, the group alone is tried, and failing that the new file stays the
    // user's, as a file they wrote anew would. The owner goes first, since a change of owner
    // clears the set-user and set-group bits that the permissions then put back.
    if ((old->st_uid != geteuid() || old->st_gid != getegid()) &&
        fchown(fd, old->st_uid, old->st_gid) != 0) {
      const int groupKept = fchown(fd, static_cast<uid_t>(-1), old->st_gid);
      static_cast<void>(groupKept);
    }
    if (fchmod(fd, old->st_mode & 07777) != 0) {
      return errno;
    }
  }
  if (!WriteAll(fd, bytes) || fsync(fd) != 0) {
    return errno;
  }
  return 0;
}

// Flushes the directory's entry for the renamed file, so that the new text is what a crash
// leaves. A directory that cannot be flushed does not fail a save that has already happened.
void FlushDirectoryOf(const std::string& target) {
  const size_t nameStart = NameStart(target);
  const std::string directory = nameStart == 0 ? "." : target.substr(0, nameStart);
  const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
}

}  // namespace

std::optional<std::string> SaveFileWhole(const std::string& path, std::string_view bytes) {
  const std::string target = FileToReplace(path);
  struct stat old {};
  const bool exists = stat(target.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) {
    return "it is not a regular file";
  }

  std::string newName;
  const int fd = CreateBeside(target, newName);
  if (fd < 0) {
    return ErrorText(errno);
  }
  int error = FillNewFile(fd, bytes, exists ? &old : nullptr);
  if (close(fd) != 0 && error == 0) {
    error = errno;
  }
  if (error == 0 && rename(newName.c_str(), target.c_str()) != 0) {
    error = errno;
  }
  if (error != 0) {
    unlink(newName.c_str());
    return ErrorText(error);
  }
  FlushDirectoryOf(target);
  return std::nullopt;
}

}  // namespace zarvel
