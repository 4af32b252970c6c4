#include "testkit/dialog_wait.h"

#include <thread>

#include "aerox/aerox.h"

namespace testkit {

double WaitForDialog(std::chrono::seconds bound) {
    const auto end = std::chrono::steady_clock::now() + bound;
    double state = DialogState();
    while (state == 0 && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        state = DialogState();
    }
    return state;
}

}  // namespace testkit
