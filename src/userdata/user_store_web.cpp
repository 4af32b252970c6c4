// The browser keeps files across page loads only in its IndexedDB: the
// folder SDL gives for per-user data in a browser (/libsdl/<name>/) is
// mounted from there at start and copied back after every save.
#include <emscripten.h>

#include "runtime/errors.h"
#include "userdata/user_store.h"

namespace {

// state: 0 while the copy from the page's storage runs, 1 once done, -1
// failed, 2 when there is no such storage because the files are the
// machine's own (a program run by node, as the tests are). A save while a
// copy back is under way asks for one more afterwards, so the last save
// always reaches the storage and copies never overlap.
// NOLINTBEGIN
// clang-format off
EM_JS(void, StartLoadingStore, (), {
    if (Module.aeroxStore) return;  // mounted by an earlier start in this page
    var store = {state : 0, busy : false, again : false};
    store.save = function() {
        if (store.state != 1) return;
        if (store.busy) {
            store.again = true;
            return;
        }
        store.busy = true;
        FS.syncfs(false, function(error) {
            store.busy = false;
            if (error) console.warn('Aerox: the saved files could not be stored: ' + error);
            if (store.again) {
                store.again = false;
                store.save();
            }
        });
    };
    Module.aeroxStore = store;
    if (typeof IDBFS == 'undefined') {
        store.state = 2;
        return;
    }
    try {
        FS.mkdir('/libsdl');
        FS.mount(IDBFS, {}, '/libsdl');
    } catch (e) {
        store.state = -1;
        return;
    }
    FS.syncfs(true, function(error) { store.state = error ? -1 : 1; });
});

EM_JS(int, StoreState, (), { return Module.aeroxStore ? Module.aeroxStore.state : -1; });

EM_JS(void, SaveStore, (), {
    if (Module.aeroxStore) Module.aeroxStore.save();
});
// clang-format on
// NOLINTEND

constexpr int kWaitStepMs = 10;
constexpr int kWaitSteps = 1000;  // ten seconds: the storage may be slow, never endless

}  // namespace

void OpenUserStore() {
    StartLoadingStore();
    for (int step = 0; step < kWaitSteps && StoreState() == 0; ++step) emscripten_sleep(kWaitStepMs);
    if (StoreState() != 1 && StoreState() != 2)
        AppendLogLine("The browser's storage could not be read: settings and hi-scores last this visit only");
}

void UserStoreChanged() { SaveStore(); }
