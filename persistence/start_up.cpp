// The start-up checks and the settings reset. Messages are composed here in
// Shift_JIS; the window shows them.
#include "persistence/start_up.h"

#include <cstdio>
#include <cstring>

#include "persistence/settings_store.h"
#include "platform/files.h"
#include "platform/settings_store.h"
#include "resources/messages.h"

namespace {

const char kProgramName[] = "Mivoka";
const char kProgramKeyPath[] = "Software\\Velmora Tools\\Mivoka";
const uint32_t kVersionMax = 16777215;
const uint32_t kCountMax = 268435455;

void set_message(UserMessage* m, int32_t owner, int32_t icon, int32_t buttons, const char* caption) {
    m->show = 1;
    m->owner = owner;
    m->icon = icon;
    m->buttons = buttons;
    std::snprintf(m->caption, sizeof m->caption, "%s", caption);
    m->text[0] = '\0';
}

// The maker's counter goes up by one; a missing or broken one starts at 1.
void advance_tools_counter() {
    int32_t tools = -1;
    registry_value(RegistryReadInt, "tools", &tools, true);
    tools = tools > 0 ? tools + 1 : 1;
    registry_value(RegistryWriteInt, "tools", &tools, true);
}

void compose_first_message(UserMessage* m) {
    const OsInfo& os = current_os_info();
    set_message(m, OwnerMainWindow, 0, ButtonsOk, kStartUpFirstStartCaption);
    int n = std::snprintf(m->text, sizeof m->text, kStartUpFirstStartFormat, os.name);
    std::snprintf(m->text + n, sizeof m->text - static_cast<size_t>(n), "%s",
                  os_verdict_ok(os.code) ? kStartUpVerdictOk : kStartUpVerdictNg);
}

}  // namespace

void start_up_check(StartUpOutcome* out) {
    std::memset(out, 0, sizeof *out);
    choose_settings_backend();
    int32_t version = read_int_setting("_version", kVersionMax, -1);
    // A program moved from the registry to the ini file keeps its stamp.
    if (settings_backend() == IniFile && version == -1) registry_value(RegistryReadInt, "_version", &version, false);
    probe_os_version();
    int32_t count = read_int_setting("_count", kCountMax, 0);
    out->version = version;
    if (version < CurrentVersionStamp || count <= 0) {
        out->firstStart = 1;
        out->upgrade = version > 0 && version < CurrentVersionStamp;
        set_int_setting(SettingVersion, CurrentVersionStamp);
        count = 1;
        if (settings_backend() == Registry) advance_tools_counter();
        if (!out->upgrade) compose_first_message(&out->firstMessage);
    } else {
        // An ordinary start keeps the stamp it found, a newer one included.
        set_int_setting(SettingVersion, version);
        count += 1;
    }
    out->count = count;
    write_int_setting("_count", count);
}

int32_t settings_reset_question(UserMessage* question) {
    if (delete_registry_settings(false, nullptr) == 0) {
        set_message(question, OwnerMainWindow, IconQuestion, ButtonsOkCancel, kStartUpRegistryCaption);
        std::snprintf(question->text, sizeof question->text, kStartUpRegistryQuestion, kProgramName);
        return ResetRegistry;
    }
    set_message(question, OwnerMainForm, IconInformation, ButtonsYesNo, kStartUpIniCaption);
    std::snprintf(question->text, sizeof question->text, "%s", kStartUpIniQuestion);
    return ResetIni;
}

int32_t reset_ini_settings() {
    set_no_save(true);
    char path[kAppPathBytes];
    if (app_file_path(SettingsFile, path) != 0) return 1;
    FILE* f = open_file(path, "wb");
    if (f == nullptr) return 1;
    bool written = std::fwrite("[Base]\r\n", 1, 8, f) == 8;
    return std::fclose(f) == 0 && written ? 0 : 1;
}

int32_t delete_registry_settings(bool really, UserMessage* outcome) {
    int32_t count = -1;
    registry_value(RegistryReadInt, "_count", &count, false);
    if (count == -1) return 4;
    if (!really) return 0;
    set_no_save(true);
    // Success means the program's key is gone; the maker's key and its
    // shared counter are touched only then.
    store_delete_key(ProgramKey);
    bool deleted = !store_key_exists(ProgramKey);
    if (deleted) {
        int32_t tools = -1;
        registry_value(RegistryReadInt, "tools", &tools, true);
        if (tools < 2) {
            store_delete_key(MakerKey);
        } else {
            tools -= 1;
            registry_value(RegistryWriteInt, "tools", &tools, true);
        }
    }
    if (outcome == nullptr) return deleted ? 0 : 1;
    if (deleted) {
        set_message(outcome, OwnerMainWindow, IconInformation, ButtonsOk, kStartUpDeleteDoneCaption);
        std::snprintf(outcome->text, sizeof outcome->text, kStartUpDeleteDone, kProgramName);
    } else {
        set_message(outcome, OwnerMainWindow, IconWarning, ButtonsOk, kStartUpDeleteFailedCaption);
        std::snprintf(outcome->text, sizeof outcome->text, kStartUpDeleteFailed, kProgramName, kProgramKeyPath);
    }
    return deleted ? 0 : 1;
}
