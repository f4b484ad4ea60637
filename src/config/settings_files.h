#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace zarvel {

struct TraceState;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using SettingsFile = std::unique_ptr<std::FILE, FileCloser>;

// The files one execution reads its configuration from: the document being executed (the
// local settings file), "zarvel.ini" (the global settings file) and "circuits.ini" (the
// circuit file), the last two in the home directory. Names have whatever room they need.
struct SettingsFiles {
  std::string homeDir;  // Ends with "/".
  std::string localName;
  SettingsFile localFile;
  std::string circuitName;
  SettingsFile circuitFile;
  std::string globalName;
  SettingsFile globalFile;
};

inline constexpr char kPathSeparator = '/';
inline constexpr std::string_view kGlobalFileName = "zarvel.ini";
inline constexpr std::string_view kCircuitFileName = "circuits.ini";
// A document that cannot be opened under its own path is looked for under this folder of the
// current directory, which is the document's own directory.
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

// Opens a settings file for reading (a regular file only, see OpenRegularFile). Returns
// whether it is open; when it is not and `must` is set, the execution ends with the "Could not
// locate initiate file" message.
bool OpenSettingsFile(const std::string& name, SettingsFile& handle, bool must);

// Opens the document (under its own path, else under the fallback name), the global settings
// file and the circuit file of the home directory. All three are required.
void OpenSettingsFiles(SettingsFiles& files, TraceState& trace, std::string_view homeText);

// Opens the same three files as OpenSettingsFiles, the same way, but without a trace and
// without ending anything: returns whether all three are open. For readers that look at a
// configuration ahead of its execution, which reports any fault itself.
bool TryOpenSettingsFiles(SettingsFiles& files, std::string_view homeText);

// Closes the local and the global settings file. The circuit file stays open until the next
// execution resets the set, since nothing reads it after the configuration.
void CloseSettingsFiles(SettingsFiles& files, TraceState& trace);

// Closes the same two files without a word to the trace, for an execution that ends the
// process: once the host has ended it, nothing more may be written.
void CloseSettingsFilesQuietly(SettingsFiles& files);

}  // namespace zarvel
