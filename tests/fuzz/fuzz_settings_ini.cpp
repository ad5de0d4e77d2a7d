// The settings file Mivoka.ini ("use.ini" beside the program) from any
// bytes: every value loads within its bound or as its default, and a text
// and a number written into that file read back as written.
#include "persistence/settings_store.h"
#include "tests/fuzz/settings_check_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in = {data, size, 0};
    prepare_settings_scratch();
    // A value to write (no line break: a settings text is one line), then the file.
    std::string text = take_until_nul(&in);
    for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    int32_t number = static_cast<int32_t>(take_byte(&in) | take_byte(&in) << 8 | take_byte(&in) << 16 |
                                          static_cast<uint32_t>(take_byte(&in)) << 24);
    std::string file = take_rest(&in);
    const std::string app = settings_app_folder();
    fuzz_write_file(app + "use.ini", "", 0);
    fuzz_write_file(app + "Mivoka.ini", file.data(), file.size());

    load_and_check_settings();
    FUZZ_CHECK(settings_backend() == IniFile, "use.ini did not choose the ini file");
    // The ini file keeps 255 bytes of a text.
    check_value_round_trip(text, number, kStoredTextBytes - 1);
    return 0;
}
