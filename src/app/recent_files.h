#pragma once

#include <wx/filehistory.h>

namespace zarvel {

// The recent-file list, at most five files. The framework would append the list at the end of
// the File menu, after Exit; this one keeps it in its own place between the Stop command and
// Exit, shown as a greyed "Recent File" while the list is empty.
class RecentFiles : public wxFileHistory {
 public:
  RecentFiles();

  void UseMenu(wxMenu* menu) override;
  void RemoveMenu(wxMenu* menu) override;
  void AddFileToHistory(const wxString& file) override;
  void RemoveFileFromHistory(size_t index) override;
  void Load(const wxConfigBase& config) override;
  void AddFilesToMenu() override;
  void AddFilesToMenu(wxMenu* menu) override;

 private:
  // Replaces whatever stands in the list's place in the menu with the current list.
  void Rebuild();

  wxMenu* menu_ = nullptr;
};

}  // namespace zarvel
