/// @file
/// @brief Input: the keyboard, gamepads read as keys, the mouse, joysticks
/// and text entry.
#pragma once
#include "aerox/text.h"

/// @defgroup input Input
/// @brief Keys by scan code (gamepads hold keys too), the mouse on the
/// game's screen, joysticks by number, and text typed.
///
/// Keys are named by their PC scan codes (set 1): Escape 0x01, Return 0x1C,
/// Space 0x39, Left Ctrl 0x1D, A 0x1E, F1 0x3B. Extended keys are 0x80 plus
/// their code: the arrows Up 0xC8, Left 0xCB, Right 0xCD, Down 0xD0. A
/// scan code is cut to a whole number and taken modulo 256; beyond
/// -32768..32767 (or NaN) it is 0, which no key has. A gamepad's D-pad and
/// left stick hold the arrow keys, its south button (A) Left Ctrl and
/// Return, and Start holds Return. Keys read released while the window is
/// in the background, and the keys that switch the full screen (Alt+Return,
/// F11) never reach the game. Before RunGame has started the engine (or
/// once the program end has released it) the commands read 0 and write one
/// log line naming them, once per command; otherwise they write none.
/// @{

// --- keyboard
/// Whether a key is held. A key pressed and released again since the key
/// was last read (within the last frame) reads 1 once, so a tap shorter
/// than a frame is not lost.
/// @param scanCode the key's scan code, 0x01..0xFF.
/// @return 1 while the key is held (or after such a tap), else 0.
double KeyDown(double scanCode);
/// How many times a key went down since the last call for that key; a key
/// held meanwhile counts once. Screens that read keys now and then use it
/// so that no tap falls between two readings.
/// @param scanCode the key's scan code, 0x01..0xFF.
/// @return the count, 0..255.
double KeyPressed(double scanCode);

// --- mouse
/// @brief The pointer's column on the game's screen.
///
/// In screen pixels (0 .. screen width - 1), whatever the window's size,
/// its scale and its black bars; a pointer on the bars or outside the
/// window reads as the nearest edge pixel. The pointer's last place over
/// the window, as of the last frame shown.
/// @return the column, or 0 before the engine runs.
double MouseX();
/// @brief The pointer's row on the game's screen (0 at the top), by the
/// same rules as MouseX.
/// @return the row, or 0 before the engine runs.
double MouseY();
/// @brief Whether the player moved the mouse since the last call.
///
/// A window moved or resized under a resting pointer changes MouseX and
/// MouseY without the mouse moving: screens that follow the mouse only when
/// it moves ask this rather than compare positions. The first call only
/// learns where the pointer is.
/// @return 1 when the pointer moved, else 0.
double MouseMoved();
/// @brief Whether a mouse button is held.
///
/// A click pressed and released again since the button was last read
/// (within the last frame) reads 1 once, so a click quicker than a frame is
/// not lost.
/// @param button 1 left, 2 middle, 3 right, 4 and 5 the side buttons.
/// @return 1 while held (or after such a click), else 0; 0 and one log line
/// for any other button number.
double MouseButton(double button);
/// @brief The wheel's turn since the last call.
/// @return steps, positive away from the player (scrolling up), negative
/// toward; 0 when it did not turn.
double MouseWheel();
/// @brief Shows or hides the mouse pointer over the window (shown at
/// start).
/// @param on 1 shows it, 0 hides it.
void ShowMouse(double on);

// --- joysticks
/// @brief How many joysticks are plugged in.
///
/// Joysticks are opened the first time a joystick command asks, and
/// whenever one is plugged in or out; they are numbered 0 .. count - 1 in
/// the order they were opened (one pulled out makes room for the next).
/// Gamepads count as joysticks here too, with their axes and buttons as
/// the system numbers them.
/// @return the count, 0 when there are none or the system offers none
/// (one log line).
double JoystickCount();
/// @brief A joystick's name, as its maker gives it.
/// @param index the joystick, 0 .. JoystickCount() - 1.
/// @return the name; "" and one log line when there is no such joystick.
RtString JoystickName(double index);
/// @brief Where a joystick's axis stands.
/// @param index the joystick, 0 .. JoystickCount() - 1.
/// @param axis the axis, from 0 (commonly 0 across and 1 down the first
/// stick).
/// @return -1 .. 1, 0 at rest; 0 and one log line when there is no such
/// joystick or axis.
double JoystickAxis(double index, double axis);
/// @brief Whether a joystick's button is held.
/// @param index the joystick, 0 .. JoystickCount() - 1.
/// @param button the button, from 0.
/// @return 1 while held, else 0; 0 and one log line when there is no such
/// joystick or button.
double JoystickButton(double index, double button);

// --- text entry
/// @brief Starts taking typed text: from now on TextInput gathers what is
/// typed, as the player's keyboard layout and input method make it.
///
/// Keys still read as keys meanwhile. The rectangle tells an input method
/// (for languages composed over several keys) where the text goes, so that
/// its candidate list opens beside it.
/// @param x, y the rectangle's top-left corner in screen pixels.
/// @param width, height its size in screen pixels.
void StartTextInput(double x, double y, double width, double height);
/// @brief Stops taking typed text; what was typed and not read yet stays
/// for TextInput.
void StopTextInput();
/// @brief The text typed since the last call, while text input is on.
///
/// Up to 4096 bytes are kept between two calls; beyond that the typing is
/// dropped, with one log line.
/// @return UTF-8 text, "" when nothing was typed.
RtString TextInput();
/// @brief The text an input method is composing (not yet typed), for the
/// game to show where the player types.
/// @return UTF-8 text, "" when nothing is being composed.
RtString TextComposition();

/// @}
