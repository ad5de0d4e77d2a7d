// The process entry of Mivoka.exe.
#include "platform/library.h"
#include "shell/shell.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    limit_dll_search();
    if (register_main_class(instance) != 0) return 0;
    if (create_main_window(instance, showCommand) == nullptr) return 0;
    return run_message_loop();
}
