#pragma once

#include <wx/defs.h>

#include "app/command_ids.h"

namespace zarvel {

// The editor's own texts, kept in one place: box texts and captions, titles, menu labels and
// the prompts shown in the status bar and as tooltips.

inline constexpr char kAppTitle[] = "Zarvel";
// Before the document's name in the title while it has changes not saved.
inline constexpr char kUnsavedMark[] = "*";
inline constexpr char kVendorName[] = "Local AppWizard-Generated Applications";
// The name a new document gets. Execute refuses a document of exactly this title, because that
// is how a document that was never saved shows itself.
inline constexpr char kUntitled[] = "Untitled";
inline constexpr char kRecentFilesGroup[] = "/Recent File List";
// The group of the settings that keeps the main window's size and place.
inline constexpr char kMainWindowGroup[] = "/MainWindow";
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
// How a process-ending stop's message begins; its box leaves that to the caption.
inline constexpr char kBadThingPrefix[] = "Bad Thing: ";
inline constexpr char kNeverSaved[] =
    "The current file has never been saved. You must save it before execution.";
inline constexpr char kMustSaveFirst[] =
    "The current file has been modified and must be saved before execution.\n"
    "Do you wish to save and continue?";
inline constexpr char kNoFileLoaded[] = "No file is currently loaded.";
inline constexpr char kNoHomeDirectory[] =
    "No home directory could be found for the settings files. Set ZARVEL_HOME or HOME.";
inline constexpr char kHomeNotCreated[] = "Could not create the home directory %s: %s";
inline constexpr char kExecuting[] = "Executing %s.";
inline constexpr char kExecutionStoppedByUser[] = "The execution of %s was stopped.";
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

// Check, and the list of the problems it found.
inline constexpr char kProblemLineColumn[] = "Line";
inline constexpr char kProblemTextColumn[] = "Problem";
inline constexpr char kProblemFileColumn[] = "File";
// Put before the problem an execution would stop at.
inline constexpr char kProblemStopPrefix[] = "Stops the execution: ";
inline constexpr char kNoProblems[] = "Check found no problem in %s.";
inline constexpr char kProblemsFound[] =
    "Check found %zu problems in %s; choose one to go to its line.";
inline constexpr char kOneProblemFound[] =
    "Check found 1 problem in %s; choose it to go to its line.";
inline constexpr char kExecutionStopped[] = "The execution stopped at line %d: %s";
inline constexpr char kCannotCheckCopy[] = "The text could not be copied for the check: %s.";
inline constexpr char kCannotCheck[] =
    "The text holds characters that do not fit in one byte each; it cannot be checked.";

// Find.
inline constexpr char kFindCaption[] = "Find";
inline constexpr char kFindNothing[] = "Cannot find the string \"%s\".";

// The manual, where it lies below the folder above the program's (or the program's own).
inline constexpr char kManualPath[] = "share/zarvel/manual.html";
inline constexpr char kManualNotFound[] =
    "The manual was not found beside the program (%s); the README holds the same text.";
inline constexpr char kManualNotShown[] =
    "No browser could be started to show the manual; it is the file %s.";

// The About box.
inline constexpr char kAboutCaption[] = "About Zarvel";
inline constexpr char kAboutName[] = "Zarvel Beta 1";
inline constexpr char kAboutLine[] = "Game pads on the parallel port, typed as keys.";

// Menus.
inline constexpr char kFileMenu[] = "&File";
inline constexpr char kEditMenu[] = "&Edit";
inline constexpr char kViewMenu[] = "&View";
inline constexpr char kHardwareMenu[] = "H&ardware";
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
    {kCheckId, "Chec&k\tCtrl+K",
     "Read the configuration as an execution would and list its problems by line", "Check"},
    {wxID_EXIT, "E&xit", "Quit the application; prompts to save documents", "Exit"},
    {wxID_UNDO, "&Undo\tCtrl+Z", "Undo the last action", "Undo"},
    {wxID_REDO, "&Redo\tCtrl+Y", "Redo the previously undone action", "Redo"},
    {wxID_CUT, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard", "Cut"},
    {wxID_COPY, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard", "Copy"},
    {wxID_PASTE, "&Paste\tCtrl+V", "Insert Clipboard contents", "Paste"},
    {wxID_FIND, "&Find...\tCtrl+F", "Find the specified text", "Find"},
    {kFindNextId, "Find &Next\tF3", "Find the next occurrence of the specified text", "Find Next"},
    {kToggleToolBarId, "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar"},
    {kToggleStatusBarId, "&Status Bar", "Show or hide the status bar", "Toggle StatusBar"},
    {kTogglePadsId, "&Pads Panel", "Show or hide the pads of the execution and the keys they send",
     "Toggle Pads Panel"},
    {kToggleProblemsId, "&Check List", "Show or close the list of the problems Check found",
     "Toggle Check List"},
    {kAssignId, "&Assign by Pressing",
     "Choose a pad button, then press the key it should type: the line is written for you",
     "Assign"},
    // The Hardware menu's prompts fit the status bar of the window as it first opens; the box
    // of How to Use Real Pads says the rest.
    {kPadsSimulatedId, "Pads of the &Simulated PC", "Read the simulated PC's pads: needs nothing",
     "Simulated Pads"},
    {kPadsDirectId, "Pads by &Direct Port Access",
     "Read the pads with the port instructions: needs root", "Direct Pads"},
    {kKeysSimulatedId, "Keys to the Simulated &PC",
     "Type on the simulated PC, seen only by Zarvel: needs nothing", "Simulated Keys"},
    {kKeysDesktopId, "Keys to the &Desktop (Virtual Keyboard)",
     "Type in the focused program: needs /dev/uinput", "Desktop Keys"},
    {kKeysDirectId, "Keys to the &Keyboard Controller, Direct",
     "Type through the PC's keyboard controller: needs root", "Keyboard Controller Keys"},
    {kNoParportId, "No Parallel Port Found (no /dev/parport: see How to Use Real Pads)",
     "No /dev/parport: no port, or parport_pc and ppdev not loaded", "No Parallel Port"},
    {kHardwareHelpId, "&How to Use Real Pads...",
     "The cable, circuits.ini, the cable check, the devices", "Real Pads"},
    {kManualId, "Zarvel &Manual", "Open the manual in the desktop's browser", "Manual"},
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

// The hardware of the executions. The choice is kept in the settings in the words of --parport
// and --keyboard.
inline constexpr char kParportSetting[] = "/Hardware/Parport";
inline constexpr char kKeyboardSetting[] = "/Hardware/Keyboard";
// A parallel-port device's item in the Hardware menu, and its prompt.
inline constexpr char kPadsDeviceLabel[] = "Pads on %s";
inline constexpr char kPadsDevicePrompt[] = "Read the pads on %s: needs the group lp";
// Added to the label of a device chosen earlier that the machine no longer has.
inline constexpr char kDeviceNotFound[] = " (not found)";
// Added to the label of a direct item while the editor does not run with the right to it.
inline constexpr char kNeedsRoot[] = " (start Zarvel with sudo)";
inline constexpr char kHardwareHelpCaption[] = "Real Pads";
// UTF-8 text: the arrow is not ASCII.
// UTF-8 text: the arrow is not ASCII. Each command stands on a line of its own, short enough
// that the box never breaks it.
inline constexpr char kHardwareHelp[] =
    "Zarvel starts on the simulated PC: its pads and keys are Zarvel's own, and nothing outside "
    "the window sees them. Real pads take five steps; the manual (Help menu) gives each in full.\n"
    "\n"
    "1. The cable. Each pad's clock, latch and data wires go to pins of the parallel port, as "
    "the manual's wiring tables show. The pins are named in circuits.ini, in Zarvel's home "
    "directory, under the circuit's name; the configuration names its circuit.\n"
    "\n"
    "2. The port. Load its modules, join the group lp, then log in again:\n"
    "    sudo modprobe -a parport_pc ppdev\n"
    "    sudo adduser $USER lp\n"
    "The menu then offers Pads on /dev/parport0. Without a parallel port (most laptops, a USB "
    "printer cable) there is no such item.\n"
    "\n"
    "3. The cable check. Each button pressed prints its name, down, and up when let go:\n"
    "    zarvel-run --parport ppdev --monitor \\\n"
    "        cable_check.ini\n"
    "(cable_check.ini is among the examples shipped with Zarvel.)\n"
    "\n"
    "4. The keys. Keys to the Desktop needs /dev/uinput: load uinput and install Zarvel's udev "
    "rule (70-zarvel-uinput.rules):\n"
    "    sudo modprobe uinput\n"
    "\n"
    "5. Execute. The status bar's last pane says where the pads are read \u2192 where the keys "
    "go. The direct items, through the port instructions, are for root: start Zarvel with "
    "sudo.";
// The status bar's hardware pane: where the pads are read, an arrow, where the keys go.
inline constexpr char kSimulatedPc[] = "Simulated PC";
inline constexpr char kHardwarePaneFormat[] = "%s \u2192 %s";
inline constexpr char kSimulatedPads[] = "simulated pads";
inline constexpr char kDirectPads[] = "direct port";
inline constexpr char kSimulatedKeys[] = "simulated PC";
inline constexpr char kDesktopKeys[] = "desktop";
inline constexpr char kControllerKeys[] = "keyboard controller";
inline constexpr char kHardwarePaneTooltip[] =
    "Where the execution's pads are read \u2192 where its keys go. Choose real pads and keys in "
    "the Hardware menu; Hardware, How to Use Real Pads says what each needs.";
inline constexpr char kHardwareAtNextExecute[] =
    "The hardware chosen is used from the next Execute on.";
// Follows the back end's message when the hardware chosen cannot be had.
inline constexpr char kChooseOtherHardware[] =
    "Other pads or keys can be chosen in the Hardware menu.";

// The Pads panel.
inline constexpr char kPadsTitle[] = "Pads";
inline constexpr char kKeysTitle[] = "Keys sent";
inline constexpr char kAssignLabel[] = "Assign";
inline constexpr char kAssignTooltip[] =
    "Map a button by pressing it: choose a pad button (click it here, or press it on a pad), "
    "then press the key it should type.";
inline constexpr char kNoPadsYet[] = "This configuration asks for no pads.";
inline constexpr char kDocumentPadsHint[] =
    "Execute to press the buttons here; hold the mouse over one to see what it types.";
// The line above the pictures: the file the pads are of.
inline constexpr char kPadsOfDocument[] = "Pads of %s";
inline constexpr char kPadsOfExecution[] = "Executing %s";
inline constexpr char kCancelLabel[] = "Cancel";
inline constexpr char kCancelTooltip[] = "Let the chosen button go without assigning a key.";
inline constexpr char kAssignStateTooltip[] =
    "The shift state the key is assigned for: the one the pad is in, or one chosen here.";
inline constexpr char kStateAsRead[] = "state as read";
inline constexpr char kStateItem[] = "state %d";
inline constexpr char kClearLabel[] = "Clear";
inline constexpr char kClearTooltip[] = "Empty the list of keys sent.";
// The key log's lines: "a pressed by b of [snes 1]", "rshift \u00d712 by b of [nes 2]".
inline constexpr char kKeyPressed[] = " pressed";
inline constexpr char kKeyReleased[] = " released";
inline constexpr char kKeyBy[] = "%s by %s";
inline constexpr char kKeyRepeated[] = "%s \u00d7%d";
inline constexpr char kButtonOf[] = "%s of %s";
inline constexpr char kPadsHint[] = "Click a button to press it; Shift+click latches it.";
inline constexpr char kRealPadsHint[] = "The pads show what the port reads.";
inline constexpr char kChooseButtonHint[] =
    "Assign: click a button on a pad, or press it on a pad.";
inline constexpr char kPressKeyHint[] = "Assign: press the key for %s of %s (%s).";
inline constexpr char kAssigned[] = "%s of %s now types %s (%s).";
// A picture's word for a pad that seems unplugged, where its shift state would be.
inline constexpr char kUnpluggedLabel[] = "unplugged";
// The key log's line for bytes sent faster than it looked.
inline constexpr char kBytesLost[] = "(%llu bytes too fast to show)";
// The key log's line where an execution's keys begin.
inline constexpr char kPadsExecuted[] = "-- execution with %d pad%s --";
inline constexpr char kExecutionEndedHint[] = "The execution has ended.";
// Assign's refusals.
inline constexpr char kAssignNoDocument[] = "Open the configuration of these pads to assign keys.";
inline constexpr char kAssignNoKeys[] = "The key names could not be read from %s: %s";
inline constexpr char kAssignCaption[] = "Assign";
// Follows an assignment's message when a running execution was restarted with it.
inline constexpr char kRestartedWithAssignment[] =
    " The execution was restarted with the text as shown; Save puts it in the file.";
inline constexpr char kAssignmentUndone[] = "Undone: %s";
inline constexpr char kCannotRestartCopy[] =
    "The text could not be copied for the execution to restart with it: %s.";

}  // namespace zarvel
