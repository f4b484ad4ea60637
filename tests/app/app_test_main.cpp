// The editor's tests run inside one framework session: the application object is the
// editor's own, started once for the whole program on the display the test runner provides.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>

#include "app/zarvel_app.h"

wxIMPLEMENT_APP_NO_MAIN(zarvel::ZarvelApp);

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
  void TearDown() override { wxEntryCleanup(); }

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
