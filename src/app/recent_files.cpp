#include "app/recent_files.h"

#include <wx/menu.h>
#include <wx/utils.h>

#include "app/command_ids.h"
#include "app/editor_texts.h"

namespace zarvel {

namespace {

// A recent file's path as the menu shows it: the user's home as "~", and a path longer than
// the menu should be wide cut in the middle, so that both where it is and its name show.
wxString ShortPath(const wxString& path) {
  wxString shown = path;
  const wxString home = wxGetHomeDir();
  if (!home.empty() && home != "/" && (path == home || path.StartsWith(home + "/"))) {
    shown = "~" + path.Mid(home.length());
  }
  if (shown.length() > kRecentFileLabelLength) {
    const size_t tail = kRecentFileLabelLength / 2;
    const size_t head = kRecentFileLabelLength - tail - 1;
    shown = shown.Left(head) + wxString::FromUTF8("\xE2\x80\xA6") + shown.Right(tail);
  }
  return shown;
}

// "&1 ~/pads/pad.ini": the number is the item's mnemonic; an "&" of the path is doubled so
// that it shows as itself.
wxString EntryLabel(size_t index, const wxString& file) {
  wxString path = ShortPath(file);
  path.Replace("&", "&&");
  return wxString::Format("&%zu %s", index + 1, path);
}

// Where the list starts: after the separator that follows the Stop command.
size_t ListPosition(wxMenu& menu) {
  size_t position = 0;
  for (const wxMenuItem* item : menu.GetMenuItems()) {
    ++position;
    if (item->GetId() == kStopId) {
      return position + 1;
    }
  }
  return menu.GetMenuItemCount();
}

}  // namespace

RecentFiles::RecentFiles() : wxFileHistory(kRecentFileCount, wxID_FILE1) {}

void RecentFiles::UseMenu(wxMenu* menu) {
  // The framework's own menu handling is left unused: it would add the items at the end.
  menu_ = menu;
  Rebuild();
}

void RecentFiles::RemoveMenu(wxMenu* menu) {
  if (menu == menu_) {
    menu_ = nullptr;
  }
}

void RecentFiles::AddFileToHistory(const wxString& file) {
  wxFileHistory::AddFileToHistory(file);
  Rebuild();
}

void RecentFiles::RemoveFileFromHistory(size_t index) {
  wxFileHistory::RemoveFileFromHistory(index);
  Rebuild();
}

void RecentFiles::Load(const wxConfigBase& config) {
  wxFileHistory::Load(config);
  Rebuild();
}

void RecentFiles::AddFilesToMenu() {
  Rebuild();
}

void RecentFiles::AddFilesToMenu(wxMenu* /*menu*/) {
  Rebuild();
}

void RecentFiles::Rebuild() {
  if (menu_ == nullptr) {
    return;
  }
  for (int id = wxID_FILE1; id <= wxID_FILE9; ++id) {
    if (menu_->FindChildItem(id) != nullptr) {
      menu_->Delete(id);
    }
  }
  if (menu_->FindChildItem(kRecentFilePlaceholderId) != nullptr) {
    menu_->Delete(kRecentFilePlaceholderId);
  }

  const size_t position = ListPosition(*menu_);
  if (GetCount() == 0) {
    menu_->Insert(position, kRecentFilePlaceholderId, kRecentFilePlaceholder)->Enable(false);
    return;
  }
  for (size_t index = 0; index < GetCount(); ++index) {
    menu_->Insert(position + index, GetBaseId() + static_cast<int>(index),
                  EntryLabel(index, GetHistoryFile(index)), kOpenThisDocument);
  }
}

}  // namespace zarvel
