#pragma once

#include <wx/defs.h>

#include "app/command_ids.h"

namespace zarvel {

// The editor's own texts, kept in one place: box texts and captions, titles, menu labels and
// the prompts shown in the status bar and as tooltips.

inline constexpr char kAppTitle[] = "Zarvel";
inline constexpr char kVendorName[] = "Local AppWizard-Generated Applications";
// The name a new document gets. Execute refuses a document of exactly this title, because that
// is how a document that was never saved shows itself.
inline constexpr char kUntitled[] = "Untitled";
inline constexpr char kRecentFilesGroup[] = "/Recent File List";
// The name the main window's size and position are kept under in the settings.
inline constexpr char kMainWindowName[] = "MainWindow";
inline constexpr int kRecentFileCount = 5;
// The longest path a recent-file entry shows, in characters; a longer one is cut in the middle.
inline constexpr size_t kRecentFileLabelLength = 60;

// The document template.
inline constexpr char kDocumentDescription[] = "Zarvel Ini Files";
inline constexpr char kDocumentFilter[] = "*.ini";
inline constexpr char kDocumentExtension[] = "ini";
inline constexpr char kDocumentTypeName[] = "ZarvelDoc";
inline constexpr char kViewTypeName[] = "ZarvelView";

// Status bar.
inline constexpr char kIdleStatus[] = "Ready";
inline constexpr char kInactive[] = "Inactive";
inline constexpr char kActive[] = "  Active";
inline constexpr char kCapsIndicator[] = "CAP";
inline constexpr char kNumIndicator[] = "NUM";
inline constexpr char kScrollIndicator[] = "SCRL";

// Execute and Stop.
inline constexpr char kBadThingCaption[] = "Bad Thing";
inline constexpr char kNeverSaved[] =
    "The current file has never been saved. You must save it before execution.";
inline constexpr char kMustSaveFirst[] =
    "The current file has been modified and must be saved before execution.\n"
    "Do you wish to save and continue?";
inline constexpr char kNoFileLoaded[] = "No file is currently loaded.";
inline constexpr char kNoHomeDirectory[] =
    "No home directory could be found for the settings files. Set ZARVEL_HOME or HOME.";
inline constexpr char kHomeNotCreated[] = "Could not create the home directory %s: %s";
inline constexpr char kThreadNotStarted[] =
    "The execution could not be started: the system refused a new thread.";

// The document.
inline constexpr char kOpenCaption[] = "Open";
inline constexpr char kSaveAsCaption[] = "Save As";
inline constexpr char kDocumentWildcard[] = "Zarvel Ini Files (*.ini)|*.ini|All files (*)|*";
inline constexpr char kReplacePrompt[] = "%s already exists.\nDo you want to replace it?";
inline constexpr char kSaveChangesPrompt[] = "Do you want to save changes to %s?";
inline constexpr char kCannotRead[] = "File \"%s\" could not be opened for reading.";
inline constexpr char kSaveFailed[] =
    "Failed to save document to the file \"%s\": %s. The file on disk is as it was before.";
inline constexpr char kZeroByteRefused[] =
    "File \"%s\" holds a zero byte, which the editor cannot show; it was not opened.";
inline constexpr char kWideCharacterRefused[] =
    "The text holds characters that do not fit in one byte each; \"%s\" was not saved.";

// The About box.
inline constexpr char kAboutCaption[] = "About Zarvel";
inline constexpr char kAboutName[] = "Zarvel Beta 1";
inline constexpr char kAboutLine[] = "Game pads on the parallel port, typed as keys.";

// Menus.
inline constexpr char kFileMenu[] = "&File";
inline constexpr char kEditMenu[] = "&Edit";
inline constexpr char kViewMenu[] = "&View";
inline constexpr char kHelpMenu[] = "&Help";
inline constexpr char kRecentFilePlaceholder[] = "Recent File";

// One command's texts: its menu label, the prompt shown in the status bar while it is
// highlighted, and its tooltip.
struct CommandTexts {
  int id;
  const char* label;
  const char* prompt;
  const char* tooltip;
};

inline constexpr CommandTexts kCommandTexts[] = {
    {wxID_NEW, "&New\tCtrl+N", "Create a new document", "New"},
    {wxID_OPEN, "&Open...\tCtrl+O", "Open an existing document", "Open"},
    {wxID_SAVE, "&Save\tCtrl+S", "Save the active document", "Save"},
    {wxID_SAVEAS, "Save &As...", "Save the active document with a new name", "Save As"},
    {kExecuteId, "&Execute Ini File\tCtrl+E", "Execute the active document", "Execute"},
    {kStopId, "S&top Current Execution\tCtrl+T", "Stop execution of the current configuration.",
     "Stop Execution"},
    {wxID_EXIT, "E&xit", "Quit the application; prompts to save documents", "Exit"},
    {wxID_UNDO, "&Undo\tCtrl+Z", "Undo the last action", "Undo"},
    {wxID_CUT, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard", "Cut"},
    {wxID_COPY, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard", "Copy"},
    {wxID_PASTE, "&Paste\tCtrl+V", "Insert Clipboard contents", "Paste"},
    {kToggleToolBarId, "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar"},
    {kToggleStatusBarId, "&Status Bar", "Show or hide the status bar", "Toggle StatusBar"},
    {wxID_ABOUT, "&About Zarvel...", "Display program information, version number and copyright",
     "About"},
};

// The texts of a command of the menus or the tool bar; every such command has an entry.
constexpr const CommandTexts& TextsOf(int id) {
  for (const CommandTexts& texts : kCommandTexts) {
    if (texts.id == id) {
      return texts;
    }
  }
  return kCommandTexts[0];
}

inline constexpr char kOpenThisDocument[] = "Open this document";

}  // namespace zarvel
