#pragma once

#include <functional>
#include <string>
#include <vector>

#include <wx/listctrl.h>

#include "check/configuration_check.h"

namespace zarvel {

// The problems Check found, or the one an execution stopped at: one row each, with its line,
// what is wrong and the file it is in. Choosing a row of the document's own problems (a click
// or Enter) goes to its line.
class ProblemList : public wxListCtrl {
 public:
  // `goToLine` is given the line (from 1) of a chosen problem of the document, and the word
  // there the problem is about (empty when it names none).
  using GoToLine = std::function<void(int line, const std::string& subject)>;
  ProblemList(wxWindow* parent, GoToLine goToLine);

  // Shows `problems`; those in the file `documentPath` are the document's own, listed under
  // `documentName`.
  void ShowProblems(const std::vector<Problem>& problems, const std::string& documentPath,
                    const wxString& documentName);

  // The lines of the document that the list names.
  std::vector<int> DocumentLines() const;
  // Moves the document's problems to `lines`, one for each of DocumentLines() in its order,
  // as the text was edited around them; a line of 0 leaves its problem where it was.
  void FollowDocumentLines(const std::vector<int>& lines);

 private:
  void OnChosen(wxListEvent& event);

  // Chooses the row under the mouse even when it is chosen already.
  void OnClick(wxMouseEvent& event);
  void GoToRow(long row);

  GoToLine goToLine_;
  // Per row: the line in the document, or 0 for a problem of another file or of no line.
  std::vector<int> rowLines_;
  std::vector<std::string> rowSubjects_;
};

}  // namespace zarvel
