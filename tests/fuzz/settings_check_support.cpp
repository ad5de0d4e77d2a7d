// Settings checks shared by fuzz_settings_ini and fuzz_settings_store.
#include "tests/fuzz/settings_check_support.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "persistence/settings_store.h"
#include "persistence/start_up.h"
#include "platform/app_folder.h"

namespace {

IntSetting g_defaults[kIntSettingCount];

}  // namespace

std::string settings_app_folder() { return fuzz_folder() + "app/"; }

std::string settings_store_folder(int32_t key) {
    return fuzz_folder() + (key == 0 ? "config/Velmora Tools" : "config/Velmora Tools/Mivoka");
}

void prepare_settings_scratch() {
    static std::string app;
    if (app.empty()) {
        app = settings_app_folder();
        std::filesystem::create_directories(app);
        std::filesystem::create_directories(settings_store_folder(1));
        setenv("MIVOKA_CONFIG_HOME", (fuzz_folder() + "config").c_str(), 1);
        set_app_folder(app.c_str());
    }
    reset_settings_tables();
    std::memcpy(g_defaults, IntSettings, sizeof g_defaults);
}

void load_and_check_settings() {
    static StartUpOutcome outcome;
    load_settings(&outcome);
    for (int32_t row = 0; row < kIntSettingCount; ++row) {
        const IntSetting& s = IntSettings[row];
        const IntSetting& d = g_defaults[row];
        if (s.kind != LoadOnly && s.kind != LoadAndSave) continue;
        bool inBounds = static_cast<uint32_t>(s.value) <= s.max;
        FUZZ_CHECK(s.value == d.value || inBounds, "\"%s\" loaded as %d (default %d, bound %u)", s.key, s.value,
                   d.value, s.max);
    }
    FUZZ_CHECK(IntSettings[SettingCarrier].value >= 1, "carrier loaded as %d", IntSettings[SettingCarrier].value);
    for (const TextSetting& t : TextSettings) {
        size_t n = strnlen(t.value, kSettingTextBytes);
        FUZZ_CHECK(n < static_cast<size_t>(kSettingTextBytes), "\"%s\" is not terminated", t.key);
        if (t.kind == LoadOnly || t.kind == LoadAndSave) {
            FUZZ_CHECK(n <= static_cast<size_t>(kStoredTextBytes), "\"%s\" loaded %zu bytes", t.key, n);
        }
    }
}

void check_value_round_trip(const std::string& text, int32_t number, int32_t keep) {
    const char* textKey = "extfilter";
    const char* intKey = "customcol";
    write_text_setting(textKey, text.c_str());
    write_int_setting(intKey, number);
    std::string expected = text.substr(0, static_cast<size_t>(char_boundary_length(text.c_str(), keep)));
    std::string read = read_text_setting(textKey, "(missing)");
    FUZZ_CHECK(read == expected, "text %s read back as %s", printable(expected).c_str(), printable(read).c_str());
    int32_t readNumber = read_int_setting(intKey, 0xFFFFFFFFu, -12345);
    FUZZ_CHECK(readNumber == number, "number %d read back as %d", number, readNumber);
}
