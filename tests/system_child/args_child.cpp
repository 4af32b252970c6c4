// A child for RunProcess's tests: writes each argument it was given, in
// hexadecimal bytes of UTF-8, one per line, into the file $AEROX_ARGS_OUT,
// and exits with the number of arguments. On Windows it reads its command
// line back as programs there do (CommandLineToArgvW), so what it writes
// is what a Windows program receives.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

std::vector<std::string> Arguments(int, char**) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
        if (size > 1) WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, text.data(), size, nullptr, nullptr);
        arguments.push_back(text);
    }
    LocalFree(wide);
    return arguments;
}
#else
std::vector<std::string> Arguments(int argc, char** argv) { return std::vector<std::string>(argv + 1, argv + argc); }
#endif

int main(int argc, char** argv) {
    const std::vector<std::string> arguments = Arguments(argc, argv);
    const char* out = std::getenv("AEROX_ARGS_OUT");
    if (out == nullptr) return 100;
    std::FILE* file = std::fopen(out, "wb");
    if (file == nullptr) return 101;
    for (const std::string& a : arguments) {
        for (const unsigned char c : a) std::fprintf(file, "%02x", c);
        std::fputc('\n', file);
    }
    std::fclose(file);
    return static_cast<int>(arguments.size());
}
