// The generation driver: indicator texts pass by pass for each "quick"
// speed, errors 1 and 6, the 20-code limit with its note, automatic
// generation on unchanged input, and the pump intervals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "payload/payload.h"
#include "pipeline/encoder_selection.h"
#include "pipeline/generation.h"
#include "tests/payload/text_support.h"
#include "tests/pipeline/pipeline_support.h"

namespace {

const std::string kCreating = sjis("作成中..");
const std::string kLeftOutNote = sjis("※入りきらない部分を省略しました");

struct Seen {
    std::string position;
    bool up, down;
    std::string level;
};

class Driver : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(load_test_library());
        reset_indicators();
        set_run_status(Idle);
    }
    // Runs a generation and records the indicators after every pass.
    std::vector<Seen> passes(const std::string& text, int32_t quick, int32_t maxVersion = 20) {
        fill_text_form(text, {Docomo, 1, maxVersion, 0, quick});
        std::vector<Seen> seen;
        int32_t cursor = generation_pass(true);
        seen.push_back(now());
        for (int guard = 0; cursor > 0 && guard < 30; ++guard) {
            cursor = generation_pass(false);
            seen.push_back(now());
        }
        return seen;
    }
    static Seen now() {
        static Indicators i;
        read_indicators(&i);
        return {i.position, i.upEnabled != 0, i.downEnabled != 0, i.levelLabel};
    }
    // Three codes: two marks.
    const std::string threeCodes = std::string("AAA") + "\r\n[split]\r\n" + "BBB" + "\r\n[split]\r\n" + "CCC";
};

TEST_F(Driver, OneCodeShowsOneOfOneAndNoSaveAll) {
    auto seen = passes("HELLO", 1);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].position, " 1/ 1");
    EXPECT_FALSE(seen[0].up);
    EXPECT_FALSE(seen[0].down);
    EXPECT_EQ(seen[0].level, "M (15%)");
    static Indicators i;
    read_indicators(&i);
    EXPECT_EQ(i.saveAllEnabled, 0);
    EXPECT_EQ(i.displayState, DisplayCodes);
    EXPECT_EQ(utf8_of(i.statusParts[1]), "1型　5バイト");
    EXPECT_EQ(std::string(i.statusParts[2]), "");
    EXPECT_EQ(run_status(), Idle);
}

TEST_F(Driver, ThreeCodesShowProgressAtNormalAndSlowSpeeds) {
    for (int32_t quick : {1, 2}) {
        auto seen = passes(threeCodes, quick);
        ASSERT_EQ(seen.size(), 3u);
        EXPECT_EQ(seen[0].position, " 1/ 1");
        EXPECT_FALSE(seen[0].down);
        EXPECT_EQ(seen[1].position, " 1/ 2");
        EXPECT_EQ(seen[2].position, " 1/ 3");
        EXPECT_FALSE(seen[2].up);
        EXPECT_TRUE(seen[2].down);
        static Indicators i;
        read_indicators(&i);
        EXPECT_EQ(i.saveAllEnabled, 1);
    }
}

TEST_F(Driver, ThreeCodesShowCreatingAtFastSpeed) {
    auto seen = passes(threeCodes, 0);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].position, kCreating);
    EXPECT_EQ(seen[1].position, kCreating);
    EXPECT_EQ(seen[2].position, " 1/ 3");
    EXPECT_TRUE(seen[2].down);
}

TEST_F(Driver, EmptyTextIsErrorOneWithAnEmptyList) {
    auto seen = passes("", 1);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].position, " 0");
    EXPECT_EQ(seen[0].level, "");
    EXPECT_EQ(generation_error(nullptr), ErrorNoText);
    char message[128];
    generation_error_message(message);
    EXPECT_EQ(utf8_of(message), "文字がありません。");
    EXPECT_TRUE(read_all_codes().empty());
}

TEST(ErrorMessages, ComposerErrorsCarryTheirArgument) {
    char message[128];
    format_error_message(8, 3, message);
    EXPECT_EQ(utf8_of(message), "電話番号3 が正しく解釈できません。");
    format_error_message(0, 0, message);
    EXPECT_STREQ(message, "");
    format_error_message(11, 20005, message);
    EXPECT_EQ(utf8_of(message), "メールが長すぎます（UTF-8で20005バイト）。本文を短くしてください。");
    format_error_message(12, 0, message);
    EXPECT_STREQ(message, "");
}

TEST_F(Driver, MissingLibraryIsErrorSixAndTheListEmpties) {
    passes("HELLO", 1);
    ASSERT_EQ(read_all_codes().size(), 1u);
    unload_external_encoder();
    auto seen = passes("HELLO", 1);
    load_test_library();
    EXPECT_EQ(generation_error(nullptr), ErrorNoExternalEncoder);
    EXPECT_TRUE(read_all_codes().empty());
    EXPECT_EQ(seen.back().position, " 0");
}

TEST_F(Driver, MoreThanTwentyCodesMakesTwentyAndSaysSo) {
    std::string text;
    for (int i = 0; i < 25; ++i) text += std::string("CODE") + "\r\n[split]\r\n";
    auto seen = passes(text, 1);
    EXPECT_EQ(read_all_codes().size(), 20u);
    EXPECT_EQ(seen.back().position, " 1/20");
    EXPECT_TRUE(generation_left_text_out() & LeftOutPastLastCode);
    static Indicators i;
    read_indicators(&i);
    EXPECT_EQ(std::string(i.statusParts[2]), kLeftOutNote);
    // Twenty exactly: nothing is left out.
    text.clear();
    for (int i = 0; i < 20; ++i) text += std::string("CODE") + "\r\n[split]\r\n";
    passes(text, 1);
    EXPECT_EQ(read_all_codes().size(), 20u);
    EXPECT_EQ(generation_left_text_out(), 0);
}

TEST_F(Driver, AutomaticGenerationSkipsUnchangedInput) {
    fill_text_form("AUTO1", {Docomo, 1, 20, 0, 1});
    g_form.autoencode = 1;
    EXPECT_EQ(generation_pass(false), -1);   // first look: changed
    EXPECT_EQ(read_all_codes().size(), 1u);
    set_run_status(Generating);
    EXPECT_EQ(generation_pass(false), -1);
    EXPECT_EQ(run_status(), Idle);
    set_run_status(Starting);
    EXPECT_EQ(generation_pass(false), -1);
    EXPECT_EQ(run_status(), Starting);
    set_form_field(&g_form, ControlText, "AUTO1!", 6);
    EXPECT_EQ(generation_pass(false), -1);
    EXPECT_EQ(read_all_codes()[0].text, "AUTO1!");
}

TEST_F(Driver, ManualModeWaitsForARestart) {
    fill_text_form("HELLO", {Docomo, 1, 20, 0, 1});
    clear_code_list();
    EXPECT_EQ(generation_pass(false), generation_cursor());
    EXPECT_TRUE(read_all_codes().empty());
}

// The create button sets Requested on the window's thread while a worker
// pass may be running; neither a pass with nothing to do nor the end of a
// generation may drop that request.
TEST_F(Driver, ACreateRequestOutlivesTheRunningPass) {
    fill_text_form("HELLO", {Docomo, 1, 20, 0, 1});
    clear_code_list();
    request_generation();
    EXPECT_EQ(generation_pass(false), generation_cursor());   // nothing to do
    EXPECT_EQ(run_status(), Requested);
    fill_text_form(threeCodes, {Docomo, 1, 20, 0, 1});
    EXPECT_EQ(generation_pass(true), 1);
    EXPECT_EQ(generation_pass(false), 2);
    request_generation();
    EXPECT_EQ(generation_pass(false), -1);   // the last code
    EXPECT_EQ(run_status(), Requested);
    EXPECT_EQ(read_all_codes().size(), 3u);
}

TEST_F(Driver, TextDataViewGetsTheFormattedCode) {
    set_view_kind(TextDataView);
    passes("HELLO", 1);
    static Indicators i;
    read_indicators(&i);
    EXPECT_EQ(std::string(i.viewText), "HELLO");
    set_view_kind(CodeView);
}

TEST_F(Driver, StatusModeTextFollowsAutoencode) {
    g_form.autoencode = 1;
    update_status_bar(StatusMode);
    static Indicators i;
    read_indicators(&i);
    EXPECT_EQ(std::string(i.statusParts[0]).substr(0, 7), "[auto] ");
    g_form.autoencode = 0;
    update_status_bar(StatusMode);
    read_indicators(&i);
    EXPECT_EQ(std::string(i.statusParts[0]).substr(0, 9), "[manual] ");
}

TEST(PumpIntervalsTable, BusyAndIdleBySpeed) {
    const int32_t expected[3][2] = {{20, 40}, {80, 160}, {250, 500}};
    for (int q = 0; q < 3; ++q) {
        EXPECT_EQ(PumpIntervals[q].busy, expected[q][0]);
        EXPECT_EQ(PumpIntervals[q].idle, expected[q][1]);
    }
}

TEST(ShowPosition, FormatsAndButtons) {
    show_position(5, 2, true);
    static Indicators i;
    read_indicators(&i);
    EXPECT_EQ(std::string(i.position), " 3/ 5");
    EXPECT_TRUE(i.upEnabled);
    EXPECT_TRUE(i.downEnabled);
    show_position(5, 4, true);
    read_indicators(&i);
    EXPECT_FALSE(i.downEnabled);
    show_position(12, 0, false);
    read_indicators(&i);
    EXPECT_EQ(std::string(i.position), " 1/12");
    EXPECT_FALSE(i.upEnabled);
    EXPECT_FALSE(i.downEnabled);
}

}  // namespace
