// Loading the settings tables at start and saving them at exit.
#include "persistence/settings_store.h"

#include "persistence/start_up.h"

namespace {

bool g_noSave = false;

bool is_loaded(int32_t kind) { return kind == LoadOnly || kind == LoadAndSave; }
bool is_saved(int32_t kind) { return kind == SaveOnly || kind == LoadAndSave; }

}  // namespace

void set_no_save(bool noSave) { g_noSave = noSave; }
bool no_save() { return g_noSave; }

void load_settings(StartUpOutcome* startUp) {
    start_up_check(startUp);
    for (IntSetting& s : IntSettings) {
        if (is_loaded(s.kind)) s.value = read_int_setting(s.key, s.max, s.value);
    }
    if (int_setting(SettingCarrier) == 0) set_int_setting(SettingCarrier, 1);
    for (TextSetting& t : TextSettings) {
        if (is_loaded(t.kind)) set_text_setting(&t, read_text_setting(t.key, t.value));
    }
}

void save_settings(const WindowPlacement& window) {
    if (g_noSave) return;
    bool normal = !window.maximised && !window.minimised;
    if (normal) {
        set_int_setting(SettingWindowX, window.left);
        set_int_setting(SettingWindowY, window.top);
    }
    for (const IntSetting& s : IntSettings) {
        if (is_saved(s.kind)) write_int_setting(s.key, s.value);
    }
    for (const TextSetting& t : TextSettings) {
        if (is_saved(t.kind)) write_text_setting(t.key, t.value);
    }
    // A maximised or minimised window leaves the last normal geometry stored.
    if (!normal) return;
    // Written as they are (a left of -8 too, which the next load reads as -1).
    const int32_t order[] = {SettingWidth, SettingHeight, SettingTop, SettingLeft};
    const int32_t values[] = {window.right - window.left, window.bottom - window.top, window.top, window.left};
    for (int32_t i = 0; i < 4; ++i) {
        set_int_setting(order[i], values[i]);
        write_int_setting(IntSettings[order[i]].key, values[i]);
    }
}
