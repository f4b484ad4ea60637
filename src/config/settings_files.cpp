#include "config/settings_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/bad_thing.h"
#include "base/trace.h"
#include "config/value_text.h"

namespace zarvel {
namespace {

// The home directory's part of the files' names: its directory, and the global settings file
// and the circuit file in it. Only blanks are taken off the home directory: its letter case is
// part of the name on a file system that tells cases apart.
void NameHomeFiles(SettingsFiles& files, std::string_view homeText) {
  files.homeDir = DirectoryPart(homeText);
  TrimValue(files.homeDir);
  files.globalName = files.homeDir + std::string(kGlobalFileName);
  files.circuitName = files.homeDir + std::string(kCircuitFileName);
}

// A document that cannot be opened under its own path is looked for in the fallback folder of
// the current directory. A full path has no place there ("./zarvel//home/..." names nothing), so
// it has no fallback: false.
bool UseFallbackName(SettingsFiles& files) {
  if (!files.localName.empty() && files.localName.front() == kPathSeparator) {
    return false;
  }
  files.localName = std::string(kFallbackFolder) + files.localName;
  return true;
}

// Ends the execution for a settings file that could not be read, with the system's reason.
[[noreturn]] void ReportUnopened(const std::string& shownName, int error) {
  ReportBadThingAt({.file = shownName}, "Could not locate initiate file \"%s\": %s\n",
                   shownName.c_str(), std::strerror(error));
}

}  // namespace

void ResetSettingsFiles(SettingsFiles& files) {
  files.localName = kGlobalFileName;
  files.circuitName = kCircuitFileName;
  files.homeDir.clear();
  files.globalName.clear();
  files.localFile.reset();
  files.circuitFile.reset();
  files.globalFile.reset();
}

std::string DirectoryPart(std::string_view path) {
  const size_t last = path.rfind(kPathSeparator);
  return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last + 1));
}

SettingsFile OpenRegularFile(const std::string& path) {
  // Without O_NONBLOCK, opening a FIFO would wait for a writer that may never come, and the
  // execution thread waiting in it could not be stopped.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    return nullptr;
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    const int error = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
    ::close(fd);
    errno = error;
    return nullptr;
  }
  // Reads then behave as those of any file opened by fopen.
  const int flags = ::fcntl(fd, F_GETFL);
  std::FILE* file = nullptr;
  if (flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0) {
    file = ::fdopen(fd, "r");
  }
  if (file == nullptr) {
    const int error = errno;
    ::close(fd);
    errno = error;
  }
  return SettingsFile(file);
}

bool OpenSettingsFile(const std::string& name, std::optional<SettingsText>& file, bool must,
                      const std::string& shownName) {
  file = ReadSettingsText(name, shownName);
  if (!file && must) {
    ReportUnopened(shownName, errno);
  }
  return file.has_value();
}

void OpenSettingsFiles(SettingsFiles& files, TraceState& trace, std::string_view homeText) {
  TracePrint(trace, "\332 Opening ini files...\n");
  TracePrint(trace, "\263   Finding path to Zarvel\n");
  NameHomeFiles(files, homeText);

  // The document is named by the path the user gave, whichever name it was read under.
  const std::string documentName = files.localName;
  TracePrint(trace, "\263   Attempting to open local ini file in current directory...");
  if (OpenSettingsFile(files.localName, files.localFile, false, documentName)) {
    TracePrint(trace, "Succeeded\n");
  } else {
    // The reason the document's own path failed is the one worth telling.
    const int error = errno;
    TracePrint(trace, "Failed\n");
    TracePrint(trace, "\263   Opening local ini file in \"%s\"\n",
               std::string(kFallbackFolder).c_str());
    if (!UseFallbackName(files) ||
        !OpenSettingsFile(files.localName, files.localFile, false, documentName)) {
      ReportUnopened(documentName, error);
    }
  }

  TracePrint(trace, "\263   Opening global ini file in \"%s\"\n", files.homeDir.c_str());
  OpenSettingsFile(files.globalName, files.globalFile, true, files.globalName);
  OpenSettingsFile(files.circuitName, files.circuitFile, true, files.circuitName);
  TracePrint(trace, "\300 Done\n");
}

void CloseSettingsFiles(SettingsFiles& files, TraceState& trace) {
  TracePrint(trace, "\371 Closing ini files...");
  CloseSettingsFilesQuietly(files);
  TracePrint(trace, "Done\n");
}

void CloseSettingsFilesQuietly(SettingsFiles& files) {
  files.localFile.reset();
  files.globalFile.reset();
}

bool TryOpenSettingsFiles(SettingsFiles& files, std::string_view homeText) {
  NameHomeFiles(files, homeText);
  const std::string documentName = files.localName;
  if (!OpenSettingsFile(files.localName, files.localFile, false, documentName)) {
    if (!UseFallbackName(files) ||
        !OpenSettingsFile(files.localName, files.localFile, false, documentName)) {
      return false;
    }
  }
  return OpenSettingsFile(files.globalName, files.globalFile, false, files.globalName) &&
         OpenSettingsFile(files.circuitName, files.circuitFile, false, files.circuitName);
}

}  // namespace zarvel
