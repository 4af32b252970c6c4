// Opening the sound device beside the window: finding out that a machine
// has no sound card (or opening the one it has) takes the audio drivers
// milliseconds to a tenth of a second, which start-up spends making the
// window meanwhile.
#pragma once

struct SoundDevice;

// Starts InitSound(device) on a thread of its own; where threads cannot be
// made it opens the device at once.
void StartOpeningSound(SoundDevice* device);
// Waits until the device opened (or failed to): the sound commands may run
// after it. Does nothing when no opening was started.
void FinishOpeningSound();
