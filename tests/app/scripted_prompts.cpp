#include "app/scripted_prompts.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/thread.h>

#include "app/main_frame.h"
#include "app/zarvel_app.h"

namespace zarvel::testing {

namespace {

bool EditorEnabled() {
  MainFrame* frame = wxGetApp().Frame();
  return frame != nullptr && frame->IsEnabled();
}

}  // namespace

int ScriptedPrompts::ShowMessage(wxWindow* owner, const wxString& text, const wxString& caption,
                                 long style) {
  shown.push_back({text, caption, style, owner != nullptr, wxIsMainThread(), EditorEnabled()});
  if ((style & (wxYES_NO | wxCANCEL)) == 0) {
    return wxOK;
  }
  if (answers.empty()) {
    ADD_FAILURE() << "unexpected question: " << text;
    return wxCANCEL;
  }
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

void ScriptedPrompts::ShowOwnerlessMessage(const wxString& text, const wxString& caption,
                                           std::function<void()> dismissed) {
  shown.push_back({text, caption, wxOK | wxICON_ERROR, false, wxIsMainThread(), EditorEnabled()});
  open_.push_back(std::move(dismissed));
  if (dismissSoon) {
    wxTheApp->CallAfter([this] { DismissOpenBoxes(); });
  }
}

void ScriptedPrompts::DismissOpenBoxes() {
  std::vector<std::function<void()>> closing;
  closing.swap(open_);
  for (std::function<void()>& dismissed : closing) {
    dismissed();
  }
}

wxString ScriptedPrompts::AskFilePath(wxWindow* /*owner*/, const wxString& /*caption*/,
                                      const wxString& wildcard, const wxString& /*defaultPath*/,
                                      long /*style*/) {
  fileWildcards.push_back(wildcard);
  if (filePaths.empty()) {
    ADD_FAILURE() << "unexpected file dialog";
    return wxString();
  }
  const wxString path = filePaths.front();
  filePaths.pop_front();
  return path;
}

bool ScriptedPrompts::ShowPage(const wxString& path) {
  pages.push_back(path);
  return true;
}

}  // namespace zarvel::testing
