// The POSIX per-user settings store from corrupted "values" files of both
// keys: every value loads within its bound or as its default, and a text and
// a number written into the corrupted store read back as written.
#include <cstdio>

#include "persistence/settings_store.h"
#include "tests/fuzz/settings_check_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in = {data, size, 0};
    prepare_settings_scratch();
    std::string text = take_until_nul(&in);
    int32_t number = static_cast<int32_t>(take_byte(&in) | take_byte(&in) << 8 | take_byte(&in) << 16 |
                                          static_cast<uint32_t>(take_byte(&in)) << 24);
    // The maker's key's file up to a NUL, the program's key's file after it.
    std::string maker = take_until_nul(&in);
    std::string program = take_rest(&in);
    std::remove((settings_app_folder() + "use.ini").c_str());
    fuzz_write_file(settings_store_folder(0) + "/values", maker.data(), maker.size());
    fuzz_write_file(settings_store_folder(1) + "/values", program.data(), program.size());

    load_and_check_settings();
    FUZZ_CHECK(settings_backend() == Registry, "without use.ini the store was not chosen");
    // The store keeps 256 bytes of a text.
    check_value_round_trip(text, number, kStoredTextBytes);
    return 0;
}
