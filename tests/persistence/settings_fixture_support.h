// Test fixtures of the settings store: a fresh program folder and an empty
// store for each test, on one back-end or on each of the two.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "persistence/settings_store.h"
#include "tests/persistence/settings_env_support.h"

class SettingsEnvTest : public ::testing::Test {
protected:
    void SetUp() override { folder_ = fresh_settings_env(); }
    void TearDown() override { clear_settings_store(); }
    std::string folder_;
};

// The back-end of the parameter: a "use.ini" marker beside the program
// selects the ini file.
class SettingsBackendTest : public ::testing::TestWithParam<SettingsBackend> {
protected:
    void SetUp() override {
        folder_ = fresh_settings_env();
        if (GetParam() == IniFile) write_file(folder_ + "use.ini", "");
        choose_settings_backend();
    }
    void TearDown() override { clear_settings_store(); }
    std::string ini() { return file_bytes(folder_ + "Mivoka.ini"); }
    std::string folder_;
};

inline std::string backend_name(const ::testing::TestParamInfo<SettingsBackend>& info) {
    return info.param == IniFile ? "Ini" : "Registry";
}
