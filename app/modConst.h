#pragma once

#include <memory>

namespace app {

class frmMap;

// Registers the common-control window classes. True when the registration raised no error.
bool InitCommonControlsVB();

// Start-up: registers the control classes and shows the main window, not modal. The
// returned window lives as long as the program runs.
std::unique_ptr<frmMap> Main();

} // namespace app
