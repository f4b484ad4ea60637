#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/log.h>

#include "app/scripted_prompts.h"
#include "support/temp_dir.h"

class wxDocManager;
class wxStyledTextCtrl;

namespace zarvel {
class MainFrame;
class ZarvelDoc;
class ZarvelView;
}  // namespace zarvel

namespace zarvel::testing {

// A configuration the execution accepts (one SNES pad, its buttons typing nothing), and one it
// reports an error for.
inline constexpr char kGoodDocument[] =
    "[config]\nTickFreq = 100\nKeySimMethod = newest\nRepeatRate = 10\n\n"
    "[snes]\nNumShifts = 0\n"
    "b = none\ny = none\nselect = none\nstart = none\nup = none\ndown = none\nleft = none\n"
    "right = none\na = none\nx = none\nl = none\nr = none\n";
inline constexpr char kBadDocument[] = "[config]\nTickFreq = 0\n\n[snes]\na = a\n";
inline constexpr char kBadDocumentMessage[] =
    "\"TickFreq\" is out of range. Values should range from 1 to 1000.\n";

// Keeps the messages the framework logs instead of showing them in boxes.
class RecordingLog : public wxLog {
 public:
  std::vector<wxString> messages;

 protected:
  void DoLogRecord(wxLogLevel level, const wxString& message, const wxLogRecordInfo&) override {
    if (level <= wxLOG_Warning) {
      messages.push_back(message);
    }
  }
};

// Each test gets an editor of its own: a fresh user home, settings directory and Zarvel home
// directory in a temporary directory, prompts it answers itself, and the framework's log
// kept. Start-up is the application's own; the test drives the editor through its commands.
class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  bool StartEditor(const wxString& file = wxString());
  // Closes the main window as the framework would at exit, and takes the editor down.
  void CloseEditor();

  MainFrame& Frame();
  wxDocManager& Documents();
  ZarvelDoc& Document();
  ZarvelView& View();
  wxStyledTextCtrl& Text();
  // Types the text at the caret key by key, as the keyboard would: each character goes through
  // the control's own handling of a typed character (undo grouping, completion), and "\n" is
  // the Enter key.
  void Type(const wxString& text);

  // Gives a menu or tool bar command, as the user would.
  bool Command(int id);
  // Handles events until `done` holds or the time is up; returns whether it held.
  bool PumpUntil(const std::function<bool()>& done,
                 std::chrono::milliseconds limit = std::chrono::seconds(10));
  // Handles events for a while, however things stand.
  void PumpFor(std::chrono::milliseconds time);
  // One idle pass, as the framework makes when it has nothing else to do.
  void Idle();
  wxString Pane(int pane);

  std::string Write(const std::string& name, const std::string& contents);
  std::string Read(const std::string& path);
  bool Open(const std::string& path);
  std::string HomeDir() const;
  std::string ConfigDir() const;

  // Sets an environment variable for this test only.
  void SetEnvironment(const char* name, const std::optional<std::string>& value);

  TempDir dir_;
  ScriptedPrompts* prompts_ = nullptr;
  RecordingLog log_;

 private:
  wxLog* previousLog_ = nullptr;
  std::map<std::string, std::optional<std::string>> savedEnvironment_;
  std::string savedDirectory_;
};

}  // namespace zarvel::testing
