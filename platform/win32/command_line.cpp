// The UTF-16 command line of the process, converted once to UTF-8.
#include "platform/command_line.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>

void utf8_arguments(int* argc, char*** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return;
    // Allocated once for the whole run, like the arguments themselves.
    char** utf8 = static_cast<char**>(std::calloc(static_cast<size_t>(count) + 1, sizeof(char*)));
    for (int i = 0; utf8 != nullptr && i < count; ++i) {
        int bytes = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        utf8[i] = static_cast<char*>(std::malloc(static_cast<size_t>(bytes > 0 ? bytes : 1)));
        if (utf8[i] == nullptr) return;
        utf8[i][0] = '\0';
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, utf8[i], bytes, nullptr, nullptr);
    }
    LocalFree(wide);
    if (utf8 == nullptr) return;
    *argc = count;
    *argv = utf8;
}
