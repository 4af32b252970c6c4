// The system's own file dialogs on Windows (under Wine, Wine's): a file
// whose name is not ASCII chosen by typing it into the dialog's name field,
// and a save dialog cancelled. The test finds the dialog's window by its
// title and works its controls through window messages, as a player's keys
// would. The desktops' dialog is driven in tests/e2e.
#ifdef _WIN32
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "aerox/aerox.h"
#include "runtime/utf16_windows.h"
#include "testkit/dialog_wait.h"
#include "testkit/testkit.h"

namespace {

using namespace std::chrono_literals;

HWND WaitForWindow(const std::wstring& title, std::chrono::seconds bound) {
    const auto end = std::chrono::steady_clock::now() + bound;
    HWND window = nullptr;
    while ((window = FindWindowW(nullptr, title.c_str())) == nullptr && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(50ms);
    return window;
}

// The dialog's file name field: its first edit control that can be seen
// (waited for: the window comes before its controls).
HWND NameField(HWND dialog, std::chrono::seconds bound) {
    const auto end = std::chrono::steady_clock::now() + bound;
    HWND found = nullptr;
    while (found == nullptr && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(50ms);
        EnumChildWindows(
            dialog,
            [](HWND child, LPARAM out) -> BOOL {
                wchar_t kind[16] = {};
                GetClassNameW(child, kind, 16);
                if (lstrcmpiW(kind, L"Edit") != 0 || IsWindowVisible(child) == 0) return TRUE;
                *reinterpret_cast<HWND*>(out) = child;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
    }
    return found;
}

std::string ChildClasses(HWND dialog) {
    std::string names;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM out) -> BOOL {
            wchar_t kind[64] = {};
            GetClassNameW(child, kind, 64);
            *reinterpret_cast<std::string*>(out) += Utf8FromWide(kind) + (IsWindowVisible(child) != 0 ? "+" : "-") +
                                                    std::to_string(GetDlgCtrlID(child)) + " ";
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&names));
    return names;
}

std::string Slashed(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

TEST(WindowsFileDialog, ANameTypedIntoTheFieldIsChosenAndACancelIsMinusOne) {
    testkit::TempFolder folder;
    const std::string file = folder.File("niveau \xC3\xA9t\xC3\xA9.lvl");
    // By its wide name: the narrow calls would take the bytes as the ANSI code page.
    FILE* made = _wfopen(WideFromUtf8(file).c_str(), L"wb");
    ASSERT_NE(made, nullptr);
    std::fclose(made);

    ASSERT_EQ(OpenFileDialog("Pick a level", "Levels|*.lvl", folder.path().c_str()), 1);
    EXPECT_EQ(DialogState(), 0);
    const HWND open = WaitForWindow(L"Pick a level", 20s);
    ASSERT_NE(open, nullptr) << "no window titled 'Pick a level'";
    const HWND field = NameField(open, 20s);
    ASSERT_NE(field, nullptr) << "the dialog has no name field: " << ChildClasses(open);
    // Typed as a player would, with the system's separators (the field
    // refuses '/').
    std::string typed = file;
    std::replace(typed.begin(), typed.end(), '/', '\\');
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(WideFromUtf8(typed).c_str()));
    PostMessageW(open, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_EQ(testkit::WaitForDialog(20s), 1);
    EXPECT_EQ(Slashed(DialogPath().Text()), Slashed(file));

    ASSERT_EQ(SaveFileDialog("Save the level", "Levels|*.lvl", folder.path().c_str(), "new.lvl"), 1);
    const HWND save = WaitForWindow(L"Save the level", 20s);
    ASSERT_NE(save, nullptr) << "no window titled 'Save the level'";
    PostMessageW(save, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(testkit::WaitForDialog(20s), -1);
    EXPECT_EQ(std::string(DialogPath().Text()), "");
}

}  // namespace
#endif
