#include "app/problem_list.h"

#include "app/editor_texts.h"
#include "app/latin1_text.h"

namespace zarvel {

namespace {

enum Column : int { kLineColumn, kProblemColumn, kFileColumn };

// Room for the line column, in pixels at the usual density; the problem takes the rest.
constexpr int kLineColumnWidth = 60;
constexpr int kProblemColumnWidth = 520;
constexpr int kFileColumnWidth = 240;

}  // namespace

ProblemList::ProblemList(wxWindow* parent, GoToLine goToLine)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_SINGLE_SEL),
      goToLine_(std::move(goToLine)) {
  AppendColumn(kProblemLineColumn, wxLIST_FORMAT_RIGHT, FromDIP(kLineColumnWidth));
  AppendColumn(kProblemTextColumn, wxLIST_FORMAT_LEFT, FromDIP(kProblemColumnWidth));
  AppendColumn(kProblemFileColumn, wxLIST_FORMAT_LEFT, FromDIP(kFileColumnWidth));
  Bind(wxEVT_LIST_ITEM_ACTIVATED, &ProblemList::OnChosen, this);
  Bind(wxEVT_LIST_ITEM_SELECTED, &ProblemList::OnChosen, this);
  // The rows are drawn by a window inside the list, which is the one the mouse clicks on.
  for (wxWindow* part : GetChildren()) {
    part->Bind(wxEVT_LEFT_UP, &ProblemList::OnClick, this);
  }
}

void ProblemList::ShowProblems(const std::vector<Problem>& problems,
                               const std::string& documentPath, const wxString& documentName) {
  DeleteAllItems();
  rowLines_.clear();
  rowSubjects_.clear();
  for (const Problem& problem : problems) {
    const bool inDocument = problem.file == documentPath;
    const long row = InsertItem(
        GetItemCount(), problem.line > 0 ? wxString::Format("%d", problem.line) : wxString());
    // An execution's stop is told apart from what it would pass over.
    const wxString text = TextFromBytes(problem.message);
    SetItem(row, kProblemColumn, problem.error ? kProblemStopPrefix + text : text);
    SetItem(row, kFileColumn, inDocument ? documentName : TextFromBytes(problem.file));
    rowLines_.push_back(inDocument ? problem.line : 0);
    rowSubjects_.push_back(problem.subject);
  }
}

std::vector<int> ProblemList::DocumentLines() const {
  std::vector<int> lines;
  for (const int line : rowLines_) {
    if (line > 0) {
      lines.push_back(line);
    }
  }
  return lines;
}

void ProblemList::FollowDocumentLines(const std::vector<int>& lines) {
  size_t next = 0;
  for (size_t row = 0; row < rowLines_.size() && next < lines.size(); ++row) {
    if (rowLines_[row] <= 0) {
      continue;
    }
    const int line = lines[next++];
    if (line > 0 && line != rowLines_[row]) {
      rowLines_[row] = line;
      SetItem(static_cast<long>(row), kLineColumn, wxString::Format("%d", line));
    }
  }
}

void ProblemList::OnChosen(wxListEvent& event) {
  GoToRow(event.GetIndex());
}

void ProblemList::OnClick(wxMouseEvent& event) {
  event.Skip();
  // A click on the row chosen already chooses nothing new, yet it takes the keyboard from the
  // text: once the list has handled the click, the text gets it back, at the problem's word.
  CallAfter([this] { GoToRow(GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)); });
}

void ProblemList::GoToRow(long row) {
  if (row >= 0 && static_cast<size_t>(row) < rowLines_.size() && rowLines_[row] > 0 && goToLine_) {
    goToLine_(rowLines_[row], rowSubjects_[row]);
  }
}

}  // namespace zarvel
