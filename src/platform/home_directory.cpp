#include "platform/home_directory.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <deque>
#include <filesystem>

#include "platform/default_home_files.h"
#include "platform/linux/sudo_user.h"

namespace zarvel {
namespace {

std::string WithSeparator(std::string directory) {
  if (!directory.empty() && directory.back() != '/') {
    directory.push_back('/');
  }
  return directory;
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

// Both programs change into the document's directory to execute it, so a relative home is
// fixed here against the directory they were started in, as every other path they are given
// is. When the current directory cannot be had, the name is kept as it was given.
std::string Absolute(const std::string& directory) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(directory, error);
  return error ? directory : WithSeparator(absolute.string());
}

std::string FindRelativeHome(const std::string& commandLineHome) {
  if (!commandLineHome.empty()) {
    return WithSeparator(commandLineHome);
  }
  if (std::string home = Environment("ZARVEL_HOME"); !home.empty()) {
    return WithSeparator(home);
  }
  if (std::string config = Environment("XDG_CONFIG_HOME"); !config.empty()) {
    return WithSeparator(config) + "zarvel/";
  }
  if (std::string user = Environment("HOME"); !user.empty()) {
    return WithSeparator(user) + ".config/zarvel/";
  }
  return {};
}

// Folders are made as `mkdir -p` makes them and files as an editor saves them, less the umask.
constexpr mode_t kFolderMode = 0777;
constexpr mode_t kFileMode = 0666;
// As many symbolic links as the kernel follows in one path before it gives up.
constexpr int kMaxLinks = 40;
// How many temporary names a new home tries beside it before it gives up.
constexpr int kMaxAsideNames = 100;

// A folder found on the way is only looked at and walked through, which needs no right to read
// it; a folder or file that is made is opened for what is done to it. None is opened through a
// symbolic link.
constexpr int kWalkFlags = O_PATH | O_NOFOLLOW | O_CLOEXEC;
constexpr int kMadeFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
constexpr int kNewFileFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;

std::string Why(int result) {
  return ErrorText(-result);
}

// A descriptor that is closed when it goes.
class Descriptor {
 public:
  Descriptor(SystemCalls& calls, int fd) : calls_(&calls), fd_(fd) {}
  Descriptor(Descriptor&& other) noexcept : calls_(other.calls_), fd_(other.fd_) { other.fd_ = -1; }
  Descriptor& operator=(Descriptor&& other) noexcept {
    std::swap(calls_, other.calls_);
    std::swap(fd_, other.fd_);
    return *this;
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Close(); }

  int Get() const { return fd_; }
  // Closes it now: 0, or -errno when the close failed (a write not yet on the disk).
  int Close() {
    const int result = fd_ >= 0 ? calls_->Close(fd_) : 0;
    fd_ = -1;
    return result;
  }

 private:
  SystemCalls* calls_;
  int fd_;
};

// A folder open on the way to the home directory, with its name as the messages show it and
// the user it belongs to.
struct OpenFolder {
  Descriptor fd;
  std::string shown;  // Ends with "/".
  uid_t owner = 0;
};

// Makes and fills one home directory.
class HomeSeeder {
 public:
  HomeSeeder(SystemCalls& calls, const std::string& homeDir)
      : calls_(calls),
        home_(homeDir),
        asRoot_(calls.EffectiveUserId() == 0),
        user_(SudoUser::Find(calls)),
        suffix_(".new-" + std::to_string(::getpid())) {}

  SeedResult Seed();

 private:
  std::optional<std::string> OpenExisting(std::deque<std::string>& rest);
  std::optional<std::string> MakeFolder(const std::string& name);
  std::optional<std::string> MakeHomeAside(const std::string& name);
  std::optional<std::string> AddMissingFiles(const OpenFolder& home);
  std::optional<std::string> WriteFile(const OpenFolder& folder, const std::string& shownFolder,
                                       std::string_view name, std::string_view contents,
                                       bool& added);
  std::optional<std::string> Allowed(const std::string& shown, uid_t owner) const;
  std::optional<SudoUser> HandTo(const OpenFolder& folder) const;
  void RemoveMadeFolders();

  SystemCalls& calls_;
  std::string home_;
  bool asRoot_;
  std::optional<SudoUser> user_;
  std::string suffix_;
  // The deepest folder open so far, and those above it that this call made (each with the name
  // it has in the one before it), to be removed again when the home cannot be made.
  std::vector<OpenFolder> folders_;
  std::vector<std::string> madeNames_;
  size_t firstMade_ = 0;
  SeedResult result_;
};

// Run as root, Zarvel only goes through folders that root or the user who ran sudo own: anyone
// else could change what is inside while root works there.
std::optional<std::string> HomeSeeder::Allowed(const std::string& shown, uid_t owner) const {
  if (!asRoot_ || owner == 0 || (user_ && owner == user_->uid)) {
    return std::nullopt;
  }
  return shown + " belongs to user " + std::to_string(owner) +
         ", neither root nor the user who ran sudo; Zarvel makes nothing in it as root";
}

// Everything made through sudo (the home and any folder made above it) is the user's who ran
// sudo, as if they had made it themselves; it is handed over by descriptor, so no link swapped
// in meanwhile can pass the ownership on to something else.
std::optional<SudoUser> HomeSeeder::HandTo(const OpenFolder& /*folder*/) const {
  return user_;
}

// Walks the home's path from its start through every folder that exists, each opened from the
// one before it. A symbolic link on the way (such as a /home that points elsewhere) is read and
// its target walked in its place, so that every folder reached is checked. Leaves in `rest` the
// names that do not exist yet.
std::optional<std::string> HomeSeeder::OpenExisting(std::deque<std::string>& rest) {
  const bool absolute = !home_.empty() && home_.front() == '/';
  const auto start = [&](bool fromRoot) -> std::optional<std::string> {
    const int fd = calls_.OpenAt(AT_FDCWD, fromRoot ? "/" : ".", kWalkFlags | O_DIRECTORY, 0);
    if (fd < 0) {
      return "could not open " + std::string(fromRoot ? "/" : ".") + ": " + Why(fd);
    }
    folders_.clear();
    folders_.push_back({Descriptor(calls_, fd), fromRoot ? "/" : "", 0});
    struct stat status {};
    if (const int result = calls_.Status(fd, status); result < 0) {
      return "could not look at " + folders_.back().shown + ": " + Why(result);
    }
    folders_.back().owner = status.st_uid;
    return Allowed(fromRoot ? "/" : ".", status.st_uid);
  };
  const auto push = [&rest](const std::string& path) {
    std::vector<std::string> names;
    for (const auto& part : std::filesystem::path(path).relative_path()) {
      if (!part.empty() && part != ".") {
        names.push_back(part.string());
      }
    }
    rest.insert(rest.begin(), names.begin(), names.end());
  };
  push(home_);
  if (std::optional<std::string> error = start(absolute)) {
    return error;
  }
  int links = 0;
  while (!rest.empty()) {
    const std::string name = rest.front();
    const OpenFolder& folder = folders_.back();
    const std::string shown = folder.shown + name;
    const int fd = calls_.OpenAt(folder.fd.Get(), name, kWalkFlags, 0);
    if (fd == -ENOENT) {
      return std::nullopt;
    }
    if (fd < 0) {
      return "could not open " + shown + ": " + Why(fd);
    }
    Descriptor next(calls_, fd);
    struct stat status {};
    if (const int result = calls_.Status(fd, status); result < 0) {
      return "could not look at " + shown + ": " + Why(result);
    }
    if (std::optional<std::string> refused = Allowed(shown, status.st_uid)) {
      return refused;
    }
    rest.pop_front();
    if (S_ISLNK(status.st_mode)) {
      const std::optional<std::string> target = calls_.ReadLinkAt(folder.fd.Get(), name);
      if (!target || ++links > kMaxLinks) {
        return "could not follow the symbolic link " + shown;
      }
      push(*target);
      if (!target->empty() && target->front() == '/') {
        if (std::optional<std::string> error = start(true)) {
          return error;
        }
      }
      continue;
    }
    if (!S_ISDIR(status.st_mode)) {
      return shown + " is not a folder";
    }
    folders_.push_back({std::move(next), shown + "/", status.st_uid});
  }
  return std::nullopt;
}

// Makes one folder on the way to the home, or opens it when another program has just made it.
std::optional<std::string> HomeSeeder::MakeFolder(const std::string& name) {
  const OpenFolder& parent = folders_.back();
  const std::string shown = parent.shown + name;
  const int result = calls_.MakeFolderAt(parent.fd.Get(), name, kFolderMode);
  if (result < 0 && result != -EEXIST) {
    return "could not make " + shown + ": " + Why(result);
  }
  const bool made = result == 0;
  const int fd =
      calls_.OpenAt(parent.fd.Get(), name, made ? kMadeFolderFlags : kWalkFlags | O_DIRECTORY, 0);
  if (fd < 0) {
    if (made) {
      calls_.RemoveAt(parent.fd.Get(), name, true);
    }
    return fd == -ELOOP || fd == -ENOTDIR
               ? shown + " was replaced by something that is not a folder while it was made"
               : "could not open " + shown + ": " + Why(fd);
  }
  OpenFolder folder{Descriptor(calls_, fd), shown + "/", 0};
  struct stat status {};
  if (const int looked = calls_.Status(fd, status); looked < 0) {
    return "could not look at " + shown + ": " + Why(looked);
  }
  folder.owner = status.st_uid;
  if (made) {
    if (const std::optional<SudoUser> user = HandTo(parent)) {
      if (const int given = calls_.ChangeOwner(fd, user->uid, user->gid); given < 0) {
        calls_.RemoveAt(parent.fd.Get(), name, true);
        return "could not give " + shown + " to the user who ran sudo: " + Why(given);
      }
      folder.owner = user->uid;
    }
  } else if (std::optional<std::string> refused = Allowed(shown, status.st_uid)) {
    return refused;
  }
  if (made) {
    madeNames_.push_back(name);
  } else {
    // Only an unbroken run of made folders at the end can be removed again.
    madeNames_.clear();
    firstMade_ = folders_.size();
  }
  folders_.push_back(std::move(folder));
  return std::nullopt;
}

void HomeSeeder::RemoveMadeFolders() {
  while (!madeNames_.empty() && folders_.size() > firstMade_ + 1) {
    folders_.pop_back();
    calls_.RemoveAt(folders_.back().fd.Get(), madeNames_.back(), true);
    madeNames_.pop_back();
  }
}

// Writes one file under a temporary name in the folder, and renames it to its own name only
// once all of it is on the disk; a file of that name that exists by then is kept.
std::optional<std::string> HomeSeeder::WriteFile(const OpenFolder& folder,
                                                 const std::string& shownFolder,
                                                 std::string_view name, std::string_view contents,
                                                 bool& added) {
  added = false;
  const std::string finalName(name);
  const std::string temporary = "." + finalName + suffix_;
  const std::string shown = shownFolder + finalName;
  int fd = calls_.OpenAt(folder.fd.Get(), temporary, kNewFileFlags, kFileMode);
  if (fd == -EEXIST) {
    // Left by an earlier program of the same process number that did not finish.
    calls_.RemoveAt(folder.fd.Get(), temporary, false);
    fd = calls_.OpenAt(folder.fd.Get(), temporary, kNewFileFlags, kFileMode);
  }
  if (fd < 0) {
    return "could not write " + shown + ": " + Why(fd);
  }
  Descriptor out(calls_, fd);
  int result = 0;
  for (std::string_view left = contents; result >= 0 && !left.empty();) {
    const long written = calls_.Write(fd, left);
    // A write that takes nothing would never end; the disk has no room.
    result = written < 0 ? static_cast<int>(written) : written == 0 ? -ENOSPC : 0;
    left.remove_prefix(written > 0 ? static_cast<size_t>(written) : 0);
  }
  if (result >= 0) {
    result = calls_.Sync(fd);
  }
  if (const std::optional<SudoUser> user = HandTo(folder); result >= 0 && user) {
    result = calls_.ChangeOwner(fd, user->uid, user->gid);
  }
  if (const int closed = out.Close(); result >= 0) {
    result = closed;
  }
  if (result >= 0) {
    result = calls_.RenameAt(folder.fd.Get(), temporary, finalName);
    if (result == -EEXIST) {
      calls_.RemoveAt(folder.fd.Get(), temporary, false);
      return std::nullopt;  // Another program put it there first.
    }
  }
  if (result < 0) {
    calls_.RemoveAt(folder.fd.Get(), temporary, false);
    return "could not write " + shown + ": " + Why(result);
  }
  added = true;
  return std::nullopt;
}

std::optional<std::string> HomeSeeder::AddMissingFiles(const OpenFolder& home) {
  for (const DefaultHomeFile& file : DefaultHomeFiles()) {
    // A name that is there, whatever it is, is kept; the execution says what is wrong with it.
    const int existing = calls_.OpenAt(home.fd.Get(), std::string(file.name), kWalkFlags, 0);
    if (existing >= 0) {
      calls_.Close(existing);
      continue;
    }
    bool added = false;
    if (std::optional<std::string> error =
            WriteFile(home, home.shown, file.name, file.contents, added)) {
      return error;
    }
    if (added) {
      result_.added.emplace_back(file.name);
    }
  }
  return std::nullopt;
}

// Makes the home under a temporary name beside it, fills it, and renames it into place whole.
// When another program has put a home there first, that one is kept and only completed.
std::optional<std::string> HomeSeeder::MakeHomeAside(const std::string& name) {
  const OpenFolder& parent = folders_.back();
  const std::string shownHome = parent.shown + name + "/";
  const std::optional<SudoUser> user = HandTo(parent);
  std::string aside;
  int result = -EEXIST;
  for (int attempt = 0; result == -EEXIST && attempt < kMaxAsideNames; ++attempt) {
    aside = "." + name + suffix_ + "-" + std::to_string(attempt);
    result = calls_.MakeFolderAt(parent.fd.Get(), aside, kFolderMode);
  }
  if (result < 0) {
    return "could not make " + shownHome + ": " + Why(result);
  }
  const int fd = calls_.OpenAt(parent.fd.Get(), aside, kMadeFolderFlags, 0);
  if (fd < 0) {
    calls_.RemoveAt(parent.fd.Get(), aside, true);
    return "could not open " + parent.shown + aside + ": " + Why(fd);
  }
  OpenFolder home{Descriptor(calls_, fd), shownHome, user ? user->uid : parent.owner};
  std::vector<std::string> written;
  const auto removeAside = [&] {
    for (const std::string& file : written) {
      calls_.RemoveAt(home.fd.Get(), file, false);
    }
    calls_.RemoveAt(parent.fd.Get(), aside, true);
  };
  std::optional<std::string> error;
  for (const DefaultHomeFile& file : DefaultHomeFiles()) {
    bool added = false;
    error = WriteFile(home, shownHome, file.name, file.contents, added);
    if (error) {
      break;
    }
    written.emplace_back(file.name);
  }
  if (!error && user) {
    if (const int given = calls_.ChangeOwner(home.fd.Get(), user->uid, user->gid); given < 0) {
      error = "could not give " + shownHome + " to the user who ran sudo: " + Why(given);
    }
  }
  if (error) {
    removeAside();
    return error;
  }
  result = calls_.RenameAt(parent.fd.Get(), aside, name);
  if (result == 0) {
    result_.created = true;
    return std::nullopt;
  }
  removeAside();
  if (result != -EEXIST && result != -ENOTEMPTY) {
    return "could not make " + shownHome + ": " + Why(result);
  }
  // Another program made the home meanwhile: it is walked to as any home that exists, and the
  // folders above it are that home's now.
  madeNames_.clear();
  std::deque<std::string> rest;
  if (std::optional<std::string> walkError = OpenExisting(rest)) {
    return walkError;
  }
  if (!rest.empty()) {
    return "could not open " + shownHome + ": it went again while it was made";
  }
  return AddMissingFiles(folders_.back());
}

SeedResult HomeSeeder::Seed() {
  std::deque<std::string> rest;
  std::optional<std::string> error = OpenExisting(rest);
  firstMade_ = folders_.size() - 1;
  while (!error && rest.size() > 1) {
    error = MakeFolder(rest.front());
    rest.pop_front();
  }
  if (!error) {
    error = rest.empty() ? AddMissingFiles(folders_.back()) : MakeHomeAside(rest.front());
  }
  if (error) {
    RemoveMadeFolders();
    return {false, {}, error};
  }
  return result_;
}

}  // namespace

std::string FindHomeDirectory(const std::string& commandLineHome) {
  const std::string home = FindRelativeHome(commandLineHome);
  return home.empty() ? home : Absolute(home);
}

SeedResult SeedHomeDirectory(SystemCalls& calls, const std::string& homeDir) {
  std::string home = homeDir;
  while (home.size() > 1 && home.back() == '/') {
    home.pop_back();
  }
  return HomeSeeder(calls, std::filesystem::path(home).lexically_normal().string()).Seed();
}

SeedResult SeedHomeDirectory(const std::string& homeDir) {
  LinuxSystemCalls calls;
  return SeedHomeDirectory(calls, homeDir);
}
std::string HomeCreatedNotice(const std::string& homeDir) {
  return "created the home directory " + homeDir +
         " with the default zarvel.ini, circuits.ini and keys.cfg";
}

std::string HomeFilesAddedNotice(const std::string& homeDir,
                                 const std::vector<std::string>& added) {
  std::string names;
  for (size_t i = 0; i < added.size(); ++i) {
    names += (i == 0 ? "" : i + 1 == added.size() ? " and " : ", ") + added[i];
  }
  return "added the default " + names + " to the home directory " + homeDir + ", which lacked " +
         (added.size() == 1 ? "it" : "them");
}

}  // namespace zarvel
