#pragma once

#include <wx/defs.h>

namespace zarvel {

// The editor's own commands. Everything else uses the framework's stock ids (wxID_NEW,
// wxID_OPEN, wxID_SAVE, wxID_SAVEAS, wxID_EXIT, wxID_UNDO, wxID_REDO, wxID_CUT, wxID_COPY,
// wxID_PASTE, wxID_FIND, wxID_ABOUT, and wxID_FILE1 onwards for the recent files).
inline constexpr int kExecuteId = wxID_HIGHEST + 1;
inline constexpr int kStopId = wxID_HIGHEST + 2;
inline constexpr int kToggleToolBarId = wxID_HIGHEST + 3;
inline constexpr int kToggleStatusBarId = wxID_HIGHEST + 4;
// The greyed stand-in that holds the recent files' place in the File menu while there are none.
inline constexpr int kRecentFilePlaceholderId = wxID_HIGHEST + 5;
// Check: the document's problems, listed by line.
inline constexpr int kCheckId = wxID_HIGHEST + 6;
// The Pads panel: shown or hidden, and Assign on or off.
inline constexpr int kTogglePadsId = wxID_HIGHEST + 7;
inline constexpr int kAssignId = wxID_HIGHEST + 8;
// The list of problems below the text: shown or closed.
inline constexpr int kToggleProblemsId = wxID_HIGHEST + 9;
// The text's own commands besides the stock ones.
inline constexpr int kFindNextId = wxID_HIGHEST + 10;

// The Hardware menu: where the pads are read and where the keys go. The parallel-port devices
// the machine has take the ids from kPadsDeviceFirstId on, one each, in the order of their
// numbers.
inline constexpr int kPadsSimulatedId = wxID_HIGHEST + 30;
inline constexpr int kPadsDirectId = wxID_HIGHEST + 31;
inline constexpr int kKeysSimulatedId = wxID_HIGHEST + 32;
inline constexpr int kKeysDesktopId = wxID_HIGHEST + 33;
inline constexpr int kKeysDirectId = wxID_HIGHEST + 34;
inline constexpr int kHardwareHelpId = wxID_HIGHEST + 35;
// Stands, greyed, where the parallel-port devices would be listed when there is none.
inline constexpr int kNoParportId = wxID_HIGHEST + 36;
// Help: the manual, opened in the desktop's browser.
inline constexpr int kManualId = wxID_HIGHEST + 37;
inline constexpr int kPadsDeviceFirstId = wxID_HIGHEST + 40;
inline constexpr int kPadsDeviceLastId = wxID_HIGHEST + 69;

// Status bar panes.
inline constexpr int kMessagePane = 0;
inline constexpr int kExecutionPane = 1;
inline constexpr int kCapsPane = 2;
inline constexpr int kNumPane = 3;
inline constexpr int kScrollPane = 4;
// Where the execution's pads are read and where its keys go.
inline constexpr int kHardwarePane = 5;
inline constexpr int kPaneCount = 6;

}  // namespace zarvel
