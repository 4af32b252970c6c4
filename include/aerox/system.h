/// @file
/// @brief The system around the game: other programs, web addresses, file
/// dialogs and calls into C libraries.
#pragma once
#include "aerox/text.h"

/// @defgroup system The system
/// @brief Starting other programs, opening a web address in the player's
/// browser, the system's file dialogs, and calling C functions of a
/// library.
///
/// These commands work at any time, also before RunGame has started the
/// engine. A failure returns the value said on each command and writes one
/// log line naming the command. In the browser a page can do none of
/// RunProcess, OpenLibrary or the calls: they return their failure value
/// with a log line saying so.
/// @{

// --- other programs
/// Starts a program with an argument list; no shell reads it, so nothing in
/// the arguments is ever run as a command.
/// @param program the program: a name found on the system's search path, or
///        a path. On Windows .bat and .cmd programs are refused (the system
///        would hand them to its command interpreter).
/// @param arguments the arguments in one text, split at spaces. Double
///        quotes keep spaces inside an argument ("" is an empty argument);
///        \" is a double quote and \\ a backslash; any other backslash
///        stands for itself, so Windows paths need no doubling.
/// @param wait 1 to wait until the program ends, 0 to return once it has
///        started (it then runs on beside the game).
/// @return with wait 1 the program's exit code (128 + the signal's number
///         for a program a signal ended), with wait 0 the value 1; -1 when
///         the program cannot be started.
double RunProcess(const RtString& program, const RtString& arguments, double wait);
/// Opens a web address in the system's browser (a new tab in the browser
/// build).
/// @param url an address starting http:// or https://, at most 2,048
///        bytes, without spaces or control characters.
/// @return 1 once the browser was asked, or 0 for any other scheme or a
///         browser that cannot be started.
double OpenAddress(const RtString& url);

// --- file dialogs
/// Shows the system's dialog for choosing a file to open. The dialog runs
/// beside the game, which goes on presenting frames; DialogState tells when
/// the player has chosen. The chosen file may then be read and written by
/// the file commands as given, although it lies outside the game's folders.
/// On Linux the dialog is zenity's, else kdialog's; in the browser a file
/// picker, whose file is copied into the page's memory and its path there
/// given.
/// @param title the dialog's title.
/// @param filter the kinds of file offered, e.g. "Levels|*.lvl;*.txt": a
///        name, a bar, the patterns split by semicolons; more pairs may
///        follow, each after a bar. "" offers every file.
/// @param folder the folder the dialog starts in; "" for the system's
///        choice.
/// @return 1 when the dialog is showing, or 0 when none can be shown (no
///         dialog program installed, or a dialog already open).
double OpenFileDialog(const RtString& title, const RtString& filter, const RtString& folder);
/// Shows the system's dialog for choosing where to save a file, as
/// OpenFileDialog does. In the browser there is no such dialog: the name is
/// chosen at once, and a file written under that path is offered to the
/// player as a download when it is closed.
/// @param title the dialog's title.
/// @param filter the kinds of file offered, as for OpenFileDialog.
/// @param folder the folder the dialog starts in; "" for the system's
///        choice.
/// @param name the file name the dialog offers first.
/// @return 1 when the dialog is showing, or 0 when none can be shown.
double SaveFileDialog(const RtString& title, const RtString& filter, const RtString& folder, const RtString& name);
/// Where the last file dialog stands.
/// @return 0 while it is open, 1 when the player chose a file (DialogPath
///         gives it), -1 when it was cancelled or failed, or before any
///         dialog was shown.
double DialogState();
/// The file the player chose in the last dialog.
/// @return its full path (UTF-8), or "" until a file was chosen.
RtString DialogPath();

// --- calls into C libraries
/// Opens a shared library (.so, .dll) for CallFunction.
/// @param slot the slot, 0..63; a library it held is closed first.
/// @param path the library: a name the system's loader finds (as
///        "libm.so.6" or "msvcrt.dll") or a path.
/// @return 1, or 0 for a bad slot or a library that cannot be opened.
double OpenLibrary(double slot, const RtString& path);
/// Closes the library of a slot. Functions called through it must not be
/// running any more.
/// @param slot the slot, 0..63; an empty slot stays empty.
void CloseLibrary(double slot);
/// Calls a C function of an opened library with numbers.
/// @param slot the library's slot, 0..63.
/// @param name the function's name.
/// @param signature the return type, a colon and up to four argument
///        types: d a double, i a 32-bit int, v (return only) nothing. For
///        example "d:d" is double f(double) and "v:" is void f(void).
/// @param a the first argument; an int argument has its fraction cut off.
/// @param b the second argument; unused arguments are ignored.
/// @param c the third argument.
/// @param d the fourth argument.
/// @return the function's result as a number (0 for v), or 0 with a log
///         line when the slot is empty, the name is not found or the
///         signature is malformed or names texts (s).
double CallFunction(double slot, const RtString& name, const RtString& signature, double a, double b, double c,
                    double d);
/// Calls a C function of an opened library with texts.
/// @param slot the library's slot, 0..63.
/// @param name the function's name.
/// @param signature the return type (d, i or v), a colon and up to four s
///        (a NUL-terminated UTF-8 text); for example "i:ss" is
///        int f(const char*, const char*).
/// @param t1 the first text; unused texts are ignored.
/// @param t2 the second text.
/// @param t3 the third text.
/// @param t4 the fourth text.
/// @return the function's result as a number (0 for v), or 0 with a log
///         line when the slot is empty, the name is not found or the
///         signature is malformed or names numbers.
double CallFunctionText(double slot, const RtString& name, const RtString& signature, const RtString& t1,
                        const RtString& t2, const RtString& t3, const RtString& t4);

/// @}
