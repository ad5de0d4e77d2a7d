// Start-up checks on both back-ends (first start, second start, upgrade,
// newer stamp, unreadable registry, the ini file taking the registry's
// stamp), the system table, and the settings reset in both branches.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "persistence/settings_store.h"
#include "persistence/start_up.h"
#include "platform/settings_store.h"
#include "tests/payload/text_support.h"
#include "tests/persistence/settings_fixture_support.h"

namespace {

// "【 初回起動 】", ten ideographic spaces, "[".
const std::string kFirstStartHead = sjis("【 初回起動 】　　　　　　　　　　[");

struct Start {
    int32_t firstStart;
    int32_t upgrade;
    int32_t count;
    int32_t message;
};

class StartUpTest : public SettingsBackendTest {
protected:
    // One run of the program: start, then exit with a normal window.
    Start run() {
        reset_settings_tables();
        StartUpOutcome o;
        load_settings(&o);
        save_settings({false, false, 0, 0, 780, 580});
        return {o.firstStart, o.upgrade, o.count, o.firstMessage.show};
    }
    int32_t stored(const char* key, uint32_t max = 0x7FFFFFFF) { return read_int_setting(key, max, -1); }
};

TEST_P(StartUpTest, FirstThenSecondStart) {
    Start first = run();
    EXPECT_EQ(first.firstStart, 1);
    EXPECT_EQ(first.upgrade, 0);
    EXPECT_EQ(first.message, 1);
    EXPECT_EQ(stored("_count"), 1);
    EXPECT_EQ(stored("_version"), CurrentVersionStamp);
    Start second = run();
    EXPECT_EQ(second.firstStart, 0);
    EXPECT_EQ(second.message, 0);
    EXPECT_EQ(stored("_count"), 2);
    EXPECT_EQ(stored("_version"), CurrentVersionStamp);
    EXPECT_EQ(run().count, 3);
}

TEST_P(StartUpTest, StoredStampAndCountDecideTheStart) {
    const int32_t kMissing = -99;
    const struct {
        const char* what;
        int32_t version, count;            // stored before the start (kMissing: not stored)
        Start start;                       // firstStart, upgrade, count, message
        int32_t versionAfter;              // stored after the exit
    } rows[] = {
        {"upgrade", 2000000, 5, {1, 1, 1, 0}, CurrentVersionStamp},
        {"oldest stamp", 1, 1, {1, 1, 1, 0}, CurrentVersionStamp},
        {"newer stamp", CurrentVersionStamp + 1, 3, {0, 0, 4, 0}, CurrentVersionStamp + 1},
        {"current stamp, count 0", CurrentVersionStamp, 0, {1, 0, 1, 1}, CurrentVersionStamp},
        {"current stamp, no count", CurrentVersionStamp, kMissing, {1, 0, 1, 1}, CurrentVersionStamp},
        {"count without stamp", kMissing, 7, {1, 0, 1, 1}, CurrentVersionStamp},
        {"negative count", CurrentVersionStamp, -4, {1, 0, 1, 1}, CurrentVersionStamp},
    };
    for (const auto& r : rows) {
        clear_settings_store();
        write_file(folder_ + "Mivoka.ini", "");
        if (r.version != kMissing) write_int_setting("_version", r.version);
        if (r.count != kMissing) write_int_setting("_count", r.count);
        Start s = run();
        EXPECT_EQ(s.firstStart, r.start.firstStart) << r.what;
        EXPECT_EQ(s.upgrade, r.start.upgrade) << r.what;
        EXPECT_EQ(s.message, r.start.message) << r.what;
        EXPECT_EQ(stored("_count"), r.start.count) << r.what;
        EXPECT_EQ(stored("_version"), r.versionAfter) << r.what;
    }
}

TEST_P(StartUpTest, TheMakersToolsCounterMovesOnlyWithTheRegistry) {
    int32_t tools = 3;
    registry_value(RegistryWriteInt, "tools", &tools, true);
    run();
    run();
    registry_value(RegistryReadInt, "tools", &tools, true);
    EXPECT_EQ(tools, GetParam() == Registry ? 4 : 3);
}

TEST_P(StartUpTest, TheFirstMessageNamesTheSystemAndItsVerdict) {
    StartUpOutcome o;
    start_up_check(&o);
    const OsInfo& os = current_os_info();
    std::string expected = kFirstStartHead + os.name + "]:" + (os_verdict_ok(os.code) ? "OK\n\n" : "NG\n\n");
    EXPECT_EQ(std::string(o.firstMessage.text).substr(0, expected.size()), expected);
    EXPECT_STREQ(o.firstMessage.caption, "First Message");
}

INSTANTIATE_TEST_SUITE_P(Backends, StartUpTest, ::testing::Values(IniFile, Registry), backend_name);

using StartUpFilesTest = SettingsEnvTest;

TEST_F(StartUpFilesTest, AnUnreadableRegistryCountsAsAFirstStart) {
    int32_t count = 9, version = CurrentVersionStamp;
    registry_value(RegistryWriteInt, "_count", &count, false);
    registry_value(RegistryWriteInt, "_version", &version, false);
    set_store_denied(true);
    StartUpOutcome o;
    load_settings(&o);
    EXPECT_EQ(o.firstMessage.show, 1);
    EXPECT_EQ(o.version, -1);
    EXPECT_EQ(IntSettings[SettingSliderPos].value, 1);
    set_store_denied(false);
    registry_value(RegistryReadInt, "_count", &count, false);
    EXPECT_EQ(count, 9);
}

TEST_F(StartUpFilesTest, TheIniFileTakesTheRegistryStamp) {
    int32_t older = 2000000;
    registry_value(RegistryWriteInt, "_version", &older, false);
    write_file(folder_ + "use.ini", "");
    StartUpOutcome o;
    start_up_check(&o);
    EXPECT_EQ(o.version, older);
    EXPECT_EQ(o.upgrade, 1);
    EXPECT_EQ(o.firstMessage.show, 0);
    EXPECT_EQ(file_bytes(folder_ + "Mivoka.ini"), "[Base]\r\n_count=1\r\n");
    // Without a registry stamp the same start is a first start.
    clear_settings_store();
    write_file(folder_ + "Mivoka.ini", "");
    start_up_check(&o);
    EXPECT_EQ(o.version, -1);
    EXPECT_EQ(o.firstMessage.show, 1);
}

TEST_F(StartUpFilesTest, ResetOfTheIniFile) {
    write_file(folder_ + "use.ini", "");
    StartUpOutcome o;
    load_settings(&o);
    save_settings({false, false, 0, 0, 780, 580});
    UserMessage q;
    ASSERT_EQ(settings_reset_question(&q), ResetIni);
    EXPECT_STREQ(q.caption, "Initalize Config?");
    EXPECT_EQ(q.icon, IconInformation);
    EXPECT_EQ(q.buttons, ButtonsYesNo);
    EXPECT_EQ(q.owner, OwnerMainForm);
    EXPECT_EQ(reset_ini_settings(), 0);
    EXPECT_TRUE(no_save());
    save_settings({false, false, 0, 0, 780, 580});
    EXPECT_EQ(file_bytes(folder_ + "Mivoka.ini"), "[Base]\r\n");
}

TEST_F(StartUpFilesTest, ResetOfTheRegistryKeepsAParentUsedByOtherTools) {
    int32_t tools = 2;
    registry_value(RegistryWriteInt, "tools", &tools, true);
    StartUpOutcome o;
    load_settings(&o);   // tools becomes 3
    UserMessage q;
    ASSERT_EQ(settings_reset_question(&q), ResetRegistry);
    EXPECT_STREQ(q.caption, "Delete Reg & Close?");
    EXPECT_EQ(q.buttons, ButtonsOkCancel);
    EXPECT_EQ(std::string(q.text).substr(0, 7), "Mivoka ");
    UserMessage outcome;
    EXPECT_EQ(delete_registry_settings(true, &outcome), 0);
    EXPECT_STREQ(outcome.caption, "Registry Successfully Deleted");
    EXPECT_FALSE(store_key_exists(ProgramKey));
    registry_value(RegistryReadInt, "tools", &tools, true);
    EXPECT_EQ(tools, 2);
    EXPECT_TRUE(no_save());
    EXPECT_EQ(delete_registry_settings(false, nullptr), 4);
}

TEST_F(StartUpFilesTest, ResetOfTheRegistryDeletesTheParentOfTheLastTool) {
    StartUpOutcome o;
    load_settings(&o);
    EXPECT_EQ(delete_registry_settings(false, nullptr), 0);
    EXPECT_EQ(delete_registry_settings(true, nullptr), 0);
    EXPECT_FALSE(store_key_exists(ProgramKey));
    EXPECT_FALSE(store_key_exists(MakerKey));
}

TEST_F(StartUpFilesTest, AFailedDeletionIsReportedEvenWhenOtherToolsRemain) {
    int32_t tools = 3;
    registry_value(RegistryWriteInt, "tools", &tools, true);
    StartUpOutcome o;
    load_settings(&o);
    make_program_subkey();
    UserMessage outcome;
    EXPECT_EQ(delete_registry_settings(true, &outcome), 1);
    EXPECT_STREQ(outcome.caption, "[ERROR] Cannot Delete Registry");
    EXPECT_EQ(outcome.icon, IconWarning);
    EXPECT_NE(std::string(outcome.text).find("HKEY_CURRENT_USER\\Software\\Velmora Tools\\Mivoka\n"),
              std::string::npos);
    EXPECT_TRUE(store_key_exists(ProgramKey));
    registry_value(RegistryReadInt, "tools", &tools, true);
    EXPECT_EQ(tools, 4);
    EXPECT_TRUE(no_save());
}

TEST(OsTable, ReportedVersionsGiveTheirCodeNameAndVerdict) {
    const struct {
        OsVersion version;
        int32_t code;
        const char* name;
        bool ok;
    } rows[] = {
        {{Win9xPlatform, 4, 0, 0}, 19950, "Windows95", false},   {{Win9xPlatform, 4, 10, 0}, 19980, "Windows98", false},
        {{Win9xPlatform, 4, 90, 0}, 19990, "WindowsMe", false},  {{Win9xPlatform, 4, 3, 0}, 19970, "Windows9x", false},
        {{NtPlatform, 3, 51, 0}, 19965, "WindowsNT3", false},    {{NtPlatform, 4, 0, 0}, 19975, "WindowsNT4", false},
        {{NtPlatform, 5, 0, 0}, 20005, "Windows2000", true},     {{NtPlatform, 5, 1, 0}, 20025, "WindowsXP", true},
        {{NtPlatform, 5, 2, 3}, 20045, "WindowsXP x64", true},   {{NtPlatform, 5, 3, 0}, 19700, "Unknown Windows", false},
        {{NtPlatform, 6, 0, 1}, 20075, "Windows Vista", true},   {{NtPlatform, 6, 0, 3}, 20085, "Windows Svr 2008", true},
        {{NtPlatform, 6, 1, 1}, 20095, "Windows 7", true},       {{NtPlatform, 6, 1, 2}, 20085, "WinSvr 2008 R2", true},
        {{NtPlatform, 6, 2, 1}, 20125, "Windows 8", true},       {{NtPlatform, 6, 2, 3}, 20115, "Windows Svr 2012", true},
        {{NtPlatform, 6, 3, 1}, 20135, "Windows 8.1", true},     {{NtPlatform, 6, 3, 3}, 20115, "WinSvr 2012 R2", true},
        {{NtPlatform, 6, 4, 1}, 20995, "New Windows", false},    {{NtPlatform, 10, 0, 1}, 20155, "Windows 10", true},
        {{NtPlatform, 10, 0, 3}, 20165, "WinSvr 2016", true},    {{NtPlatform, 10, 1, 1}, 20995, "New Windows", false},
        {{NtPlatform, 7, 0, 1}, 20995, "New Windows", false},    {{NtPlatform, 11, 0, 1}, 20995, "New Windows", false},
        {{NtPlatform, 2, 0, 0}, 19700, "Unknown Windows", false},
    };
    for (const auto& r : rows) {
        OsInfo info = os_info_for(r.version);
        EXPECT_EQ(info.code, r.code) << r.name;
        EXPECT_STREQ(info.name, r.name);
        EXPECT_EQ(os_verdict_ok(info.code), r.ok) << r.name;
    }
    OsInfo probed = probe_os_version();
    EXPECT_EQ(current_os_info().code, probed.code);
    EXPECT_NE(probed.name[0], '\0');
}

}  // namespace
