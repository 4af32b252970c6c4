// Whether the sound device plays now. A page's sound is held back until
// the player first presses a key or clicks (the browsers' rule): a video
// started before then would wait for a clock that does not move, so it
// plays silently on the engine's clock instead.
#pragma once

bool SoundOutputRunning();
