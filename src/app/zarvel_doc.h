#pragma once

#include <string>

#include <wx/docview.h>

class wxStyledTextCtrl;

namespace zarvel {

class ZarvelView;

// The bytes of a file the editor would open as a document, or why it would not: only a
// regular file it can read whole, without a zero byte in it, is opened. `refusal` is the
// message for the user, empty when the file can be opened.
struct DocumentFile {
  std::string bytes;
  wxString refusal;
};
DocumentFile ReadDocumentFile(const wxString& path);

// The configuration document. It keeps no data of its own: the text lives in the text
// control of its one view, and the file is that text byte for byte.
class ZarvelDoc : public wxDocument {
 public:
  ZarvelDoc() = default;

  bool OnNewDocument() override;
  // Asks whether to save a modified document through the editor's prompts.
  bool OnSaveModified() override;
  // Save writes the file whether or not the text changed, so that Ctrl+S always puts the text
  // on the disk as it stands (after the file was changed or deleted behind the editor's back).
  bool Save() override;
  // Save As asks through the editor's prompts, adds ".ini" to a name without an extension
  // (asking before it replaces a file of that name), and lists the file among the recent
  // files whatever its extension.
  bool SaveAs() override;
  // Typing in the view counts as a change, as well as the framework's own flag.
  bool IsModified() const override;
  void Modify(bool modified) override;

 protected:
  bool DoOpenDocument(const wxString& file) override;
  bool DoSaveDocument(const wxString& file) override;

 private:
  ZarvelView* View() const;
  wxStyledTextCtrl* Text() const;

  wxDECLARE_DYNAMIC_CLASS(ZarvelDoc);
};

}  // namespace zarvel
