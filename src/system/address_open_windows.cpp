#include <windows.h>
#include <shellapi.h>

#include "runtime/utf16_windows.h"
#include "system/address_open.h"

bool OpenInBrowser(const std::string& url, std::string& why) {
    const std::wstring wide = WideFromUtf8(url);
    const auto code =
        reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // ShellExecute's old convention: values above 32 mean it worked.
    if (code <= 32) why = "the system could not open it (code " + std::to_string(code) + ")";
    return code > 32;
}
