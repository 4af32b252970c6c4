// Waiting for a file dialog a test is working to leave its open state.
#pragma once
#include <chrono>

namespace testkit {

// DialogState() once it is no longer 0 (open), or 0 after the bound.
double WaitForDialog(std::chrono::seconds bound);

}  // namespace testkit
