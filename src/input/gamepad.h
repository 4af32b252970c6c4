// Game controllers as a second keyboard: the D-pad and the left stick hold
// the arrow keys, the south button (A) holds Left Ctrl and Return, so that it
// fires in play and chooses on the menu and the screens, and Start holds
// Return. Pads plugged in at start or later are all read at once.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The stick holds an arrow from this far out of its full travel (32767) and
// lets go only once it is back under kStickRelease, so a stick resting near
// the line does not flicker.
constexpr int kStickPress = 13107;   // 40%
constexpr int kStickRelease = 9830;  // 30%

// A mapping file larger than this was not written for us: it is not read.
constexpr size_t kGamepadMappingFileMaxBytes = size_t{4} * 1024 * 1024;

// gamecontrollerdb.txt in the program's folder; "" when the program's path
// is not known.
std::string GamepadMappingFile();

// Starts SDL's game-controller layer (with its own mapping database), adds
// the mappings of mappingFile when that is a readable plain file (else, or
// when it holds nothing SDL can use, one log line), and opens every pad
// already plugged in. A second call does nothing. False, with a log line,
// when SDL has no game controllers to offer.
bool InitGamepads(const std::string& mappingFile);

// Reads the pads, opening the ones plugged in since the last call and
// closing the ones pulled out, and sets bit 7 of padKeys for each key a pad
// holds (everything else 0). With keysAllowed false every key reads released
// (the stick's hysteresis starts over).
void PollGamepads(uint8_t padKeys[256], bool keysAllowed);

// The number of pads open now.
int GamepadCount();

// Closes every pad and stops the game-controller layer.
void ShutdownGamepads();
