/// @file
/// @brief The program: its start-up settings, the run of the game, the log
/// and the one way out.
#pragma once

/// @defgroup program Program and frames
/// @brief Starting the engine, ending the program, frames, time and the log.
/// @{

/// The settings a game states before the engine starts, handed to RunGame.
/// A plain struct: set the fields that differ from the defaults. A field out
/// of its range costs one log line and takes its default.
struct StartupSettings {
    /// Width of the game's screen in pixels, 1..4096 (default 320). The
    /// window shows it at a whole scale.
    int screenWidth = 320;
    /// Height of the game's screen in pixels, 1..4096 (default 240).
    int screenHeight = 240;
    /// Frames a second that ShowScreen paces to, 1..1000 (default 60).
    int frameRate = 60;
    /// 1: exclusive full screen at the screen's own size; 0: a window (the
    /// default). Any other value is 0.
    int fullScreen = 0;
    /// Samples of multisampling, 0..16: 0 (off, the default), or 2, 4, 8 or
    /// 16. A count the display cannot give is halved until it can (down to
    /// off). A multisampled window shows the screen at scale 1 only.
    int multisampleSamples = 0;
    /// 1: debug mode (the game keeps running while its window is in the
    /// background, and the log is kept at the end); 0: off (the default).
    int DebugMode = 0;
    /// 1: the mouse is kept inside the window; 0: not (the default).
    int captureMouse = 0;
    /// How big the window shows the screen: a whole scale 1..16, or 0 (the
    /// default) for the scale the player chose last time, else the largest
    /// that fits the display comfortably. `--scale N` sets it.
    int windowScale = 0;
    /// 1: start in desktop full screen (the display mode stays); 0: in a
    /// window; -1 (the default): as the player chose last time.
    /// `--fullscreen` and `--windowed` set it.
    int desktopFullscreen = -1;
    /// The window's caption and the game's name in `--help`: UTF-8, at most
    /// 255 bytes and no control bytes (default "Game"). The engine copies it.
    const char* caption = "Game";
    /// The game's version, printed by `--version` (default "1.0"); at most
    /// 255 bytes and no control bytes.
    const char* version = "1.0";
    /// The name of the per-user data folder (settings, hi-scores,
    /// screenshots), one folder name, at most 255 bytes and no control bytes
    /// (slashes and backslashes are dropped from it); null or empty (the
    /// default): the caption. The environment variable AEROX_USER_DIR, when
    /// set, names the folder itself instead.
    const char* userFolder = nullptr;
};

/// The main routine of a game: it draws frames with ShowScreen until it
/// returns or the program ends.
using GameMainRoutine = void (*)();

/// Runs a game: reads the command line every game shares (`--scale N`,
/// `--fullscreen`, `--windowed`, `--help`, `--version`), starts the engine
/// with @p settings (the command line overriding them), calls @p gameMain,
/// and ends the program through EndProgram when it returns.
/// @param argc, argv the program's arguments, as main received them.
/// @param settings the game's start-up settings; out-of-range fields take
///        their defaults, each with one log line.
/// @param gameMain the game's main routine; null runs no game and ends at
///        once with code 0.
/// @return 0 after `--help` or `--version`, 2 after a bad command line (the
///         reason and the usage are printed on standard error); once the
///         engine has started it does not return: the program ends with
///         code 0.
int RunGame(int argc, char** argv, const StartupSettings& settings, GameMainRoutine gameMain);

/// Records a runtime error code for the end of the program; the caller then
/// calls EndProgram. Codes: 0 end requested by the user, 3 file read
/// failure, 7 no storage for an array, 8 array without dimensions, 9 index
/// out of range.
/// @param code the code to record.
/// @return @p code.
double SetErrorCode(double code);

/// Releases every engine object that exists, in a fixed order, and ends the
/// process with exit code 0. Never returns. Safe to call at any time, also
/// before the engine started.
[[noreturn]] void EndProgram();

/// Appends a line to the engine log, `ErrorLog.txt` in the system's
/// temporary folder (the log that every failing command writes to).
/// @param text the line, without its line end; null writes an empty line.
/// Does nothing when the log cannot be opened.
void AppendLogLine(const char* text);

/// @}
