// The editor's tests run inside one framework session: the application object is the
// editor's own, started once for the whole program on the display the test runner provides.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/init.h>

#include "app/zarvel_app.h"

wxIMPLEMENT_APP_NO_MAIN(zarvel::ZarvelApp);

// The desktop libraries under the framework are not built for the sanitizers. The leak checker
// is told about the memory they keep on purpose until the process ends (the font cache, the
// D-Bus connection, GLib's one-time tables); the race checker leaves out what they do inside
// themselves (GLib's worker pool, the font loader thread that Pango starts), which it cannot
// see the locking of. The editor's own code is still checked in full.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n"
         "leak:libglib-2.0.so\n"
         "leak:libdbus-1.so\n";
}

extern "C" const char* __tsan_default_suppressions() {
  return "called_from_lib:libglib-2.0.so.0\n"
         "called_from_lib:libgio-2.0.so.0\n"
         "called_from_lib:libfontconfig.so.1\n"
         "race:libfontconfig.so\n";
}

namespace {

class FrameworkSession : public ::testing::Environment {
 public:
  explicit FrameworkSession(char* program) : arguments_{program, nullptr} {}

  void SetUp() override {
    // A failed check of the framework fails the test instead of waiting in a dialog.
    wxSetAssertHandler([](const wxString& file, int line, const wxString& function,
                          const wxString& condition, const wxString& message) {
      ADD_FAILURE_AT(file.utf8_str(), line)
          << "framework check failed in " << function << ": " << condition << " " << message;
    });
    ASSERT_TRUE(wxEntryStart(count_, arguments_));
  }
  void TearDown() override {
    // Text selected in a text control is offered to the desktop as its primary selection,
    // which the framework keeps until it is replaced and never frees at exit; it is let go of
    // here, so that the leak checker sees only the editor's own memory.
    if (wxTheClipboard->Open()) {
      wxTheClipboard->UsePrimarySelection(true);
      wxTheClipboard->Clear();
      wxTheClipboard->UsePrimarySelection(false);
      wxTheClipboard->Close();
    }
    wxEntryCleanup();
  }

 private:
  int count_ = 1;
  char* arguments_[2];
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new FrameworkSession(argv[0]));
  return RUN_ALL_TESTS();
}
