#include "app/zarvel_app.h"

// The editor's entry point: the framework builds the application and runs its message loop.
wxIMPLEMENT_APP(zarvel::ZarvelApp);
