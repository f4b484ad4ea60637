#pragma once

#include <wx/defs.h>

namespace zarvel {

// The editor's own commands. Everything else uses the framework's stock ids (wxID_NEW,
// wxID_OPEN, wxID_SAVE, wxID_SAVEAS, wxID_EXIT, wxID_UNDO, wxID_CUT, wxID_COPY, wxID_PASTE,
// wxID_ABOUT, and wxID_FILE1 onwards for the recent files).
inline constexpr int kExecuteId = wxID_HIGHEST + 1;
inline constexpr int kStopId = wxID_HIGHEST + 2;
inline constexpr int kToggleToolBarId = wxID_HIGHEST + 3;
inline constexpr int kToggleStatusBarId = wxID_HIGHEST + 4;
// The greyed stand-in that holds the recent files' place in the File menu while there are none.
inline constexpr int kRecentFilePlaceholderId = wxID_HIGHEST + 5;

// Status bar panes.
inline constexpr int kMessagePane = 0;
inline constexpr int kExecutionPane = 1;
inline constexpr int kCapsPane = 2;
inline constexpr int kNumPane = 3;
inline constexpr int kScrollPane = 4;
inline constexpr int kPaneCount = 5;

}  // namespace zarvel
