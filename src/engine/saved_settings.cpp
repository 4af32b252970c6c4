#include "engine/saved_settings.h"

#include <cmath>

#include "aerox/saved_data.h"
#include "gfx/window.h"
#include "runtime/command_trace.h"
#include "sound/sound.h"

namespace {
UserSettings g_session;

bool Same(const UserSettings& a, const UserSettings& b) {
    return a.scale == b.scale && a.fullscreen == b.fullscreen && a.volume == b.volume;
}
}  // namespace

const UserSettings& LoadSessionSettings() {
    g_session = LoadUserSettings();
    return g_session;
}

const UserSettings& SessionSettings() { return g_session; }

void UpdateSessionSettings(const UserSettings& settings) {
    if (Same(settings, g_session)) return;
    g_session = settings;
    // A folder that cannot be written costs a log line (written by the
    // save); the session keeps its settings in memory.
    SaveUserSettings(g_session);
}

void SetMasterVolume(double volume) {
    SetMixVolume(volume);
    TraceCommand("SetMasterVolume", {MixVolume()});
    UserSettings changed = g_session;
    changed.volume = static_cast<int>(std::lround(MixVolume() * 10)) * 10;
    UpdateSessionSettings(changed);
}

double GetMasterVolume() { return MixVolume(); }

void KeepWindowChoices() {
    SetWindowChoiceObserver([](int scale, bool fullscreen) {
        UserSettings changed = g_session;
        changed.scale = scale;
        changed.fullscreen = fullscreen;
        UpdateSessionSettings(changed);
    });
}
