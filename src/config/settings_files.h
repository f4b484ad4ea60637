#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "config/settings_text.h"

namespace zarvel {

struct TraceState;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using SettingsFile = std::unique_ptr<std::FILE, FileCloser>;

// The files one execution reads its configuration from: the document being executed (the
// local settings file), "zarvel.ini" (the global settings file) and "circuits.ini" (the
// circuit file), the last two in the home directory. Each is read whole when it is opened, so
// every lookup answers from what was read and every value knows its file and line. Names have
// whatever room they need.
struct SettingsFiles {
  std::string homeDir;  // Ends with "/".
  std::string localName;
  std::optional<SettingsText> localFile;
  std::string circuitName;
  std::optional<SettingsText> circuitFile;
  std::string globalName;
  std::optional<SettingsText> globalFile;
};

inline constexpr char kPathSeparator = '/';
inline constexpr std::string_view kGlobalFileName = "zarvel.ini";
inline constexpr std::string_view kCircuitFileName = "circuits.ini";
// A document that cannot be opened under its relative path is looked for under this folder of
// the current directory; a full path has no such fallback.
inline constexpr std::string_view kFallbackFolder = "./zarvel/";

// Puts the files back to the start of an execution: nothing open, default names.
void ResetSettingsFiles(SettingsFiles& files);

// The path up to and including its last separator; empty when it has none.
std::string DirectoryPart(std::string_view path);

// Opens a file for reading only when it is a regular file. A directory, a FIFO or a device
// comes back as nothing, as a file that does not exist does (errno is EISDIR for a directory,
// EINVAL for the others): none of them holds settings, and a FIFO or a device could keep a
// reader waiting for ever. The open itself never waits.
SettingsFile OpenRegularFile(const std::string& path);

// Reads a settings file (a regular file only, see OpenRegularFile) into `file`, named `shownName`
// (the name the user knows it by). Returns whether it was read; when it was not and `must` is
// set, the execution ends with the "Could not locate initiate file" message naming `shownName`,
// followed by the system's reason.
bool OpenSettingsFile(const std::string& name, std::optional<SettingsText>& file, bool must,
                      const std::string& shownName);

// Opens the document (under its own path, else under the fallback name), the global settings
// file and the circuit file of the home directory. All three are required.
void OpenSettingsFiles(SettingsFiles& files, TraceState& trace, std::string_view homeText);

// Opens the same three files as OpenSettingsFiles, the same way, but without a trace and
// without ending anything: returns whether all three are open. For readers that look at a
// configuration ahead of its execution, which reports any fault itself.
bool TryOpenSettingsFiles(SettingsFiles& files, std::string_view homeText);

// Lets go of the local and the global settings file. The circuit file is kept until the next
// execution resets the set, since nothing reads it after the configuration.
void CloseSettingsFiles(SettingsFiles& files, TraceState& trace);

// Closes the same two files without a word to the trace, for an execution that ends the
// process: once the host has ended it, nothing more may be written.
void CloseSettingsFilesQuietly(SettingsFiles& files);

}  // namespace zarvel
