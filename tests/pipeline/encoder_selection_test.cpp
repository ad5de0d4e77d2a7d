// Encoder selection: which encoder each text goes to, loaded and missing
// library, QRmodel2's contract (exact version, matrix layout, codes back to
// bytes) checked against the internal encoder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoder/encoder.h"
#include "payload/payload.h"
#include "pipeline/encoder_selection.h"
#include "pipeline/generation.h"
#include "platform/library.h"
#include "tests/pipeline/pipeline_support.h"

namespace {

// The internal encoder's symbol of text at exactly version, in the code
// layout; empty when it does not fit.
std::vector<int32_t> internal_symbol(const std::string& text, int32_t version, int32_t level, int32_t kanjiOff) {
    if (!encode_symbol(level, version, false, -1, text.c_str(), kanjiOff)) return {};
    int32_t n = g_encoder.size;
    std::vector<int32_t> m(static_cast<size_t>(n * n));
    for (int32_t x = 0; x < n; ++x) {
        for (int32_t y = 0; y < n; ++y) m[x * n + y] = g_encoder.matrix[x * kMaxModules + y];
    }
    return m;
}

std::vector<int32_t> code_symbol(const int32_t* matrix, int32_t version) {
    int32_t n = 4 * version + 17;
    return std::vector<int32_t>(matrix, matrix + n * n);
}

int32_t g_matrix[kCodeMatrixCells];

class WithLibrary : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(load_test_library()); set_generation_error(0, 0); }
};

class WithoutLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        EXPECT_EQ(load_external_encoder("no-such-folder/"), 1);
        EXPECT_FALSE(external_encoder_loaded());
        set_generation_error(0, 0);
    }
    void TearDown() override { load_test_library(); }
};

TEST_F(WithLibrary, ChoiceFollowsClassTargetAndTabs) {
    struct Case { const char* text; int32_t carrier; int32_t expected; };
    const Case cases[] = {
        {"0123456789", Docomo, UseExternal},
        {"0123456789", Utf8, UseInternalNoKanji},
        {"\x82\xA0\x88\x9F", Au, UseExternal},
        {"\xE0\x40", Softbank, UseInternal},          // class 10
        {"\xFA\x40", Docomo, UseInternal},            // class 11
        {"\xB1\xFD", Docomo, UseExternal},            // the 0xFD is never looked at
        {"A\tB", Docomo, UseInternal},                // QRmodel2 would lose the tab
        {"\xE3\x81\x82", Utf8, UseInternalNoKanji},
    };
    for (const Case& c : cases) EXPECT_EQ(choose_encoder(c.text, c.carrier), c.expected) << c.text;
}

TEST_F(WithoutLibrary, TextsBelowClassTenNeedTheLibraryOthersDoNot) {
    EXPECT_EQ(choose_encoder("ABC", Docomo), UseNone);
    EXPECT_EQ(choose_encoder("ABC", Utf8), UseNone);
    EXPECT_EQ(choose_encoder("A\tB", Docomo), UseNone);
    EXPECT_EQ(choose_encoder("\xE0\x40", Docomo), UseInternal);
    EXPECT_EQ(choose_encoder("\xE3\x81\x82", Utf8), UseInternalNoKanji);
}

TEST_F(WithoutLibrary, PlainTextFailsWithErrorSixEvenForUtf8) {
    EXPECT_EQ(encode_code("HELLO", g_matrix, 1, LevelM, Utf8), 1);
    EXPECT_EQ(generation_error(nullptr), ErrorNoExternalEncoder);
    EXPECT_EQ(trial_encode("HELLO", 1, LevelM + 1, Docomo), 1);
}

TEST_F(WithoutLibrary, ClassTenAndElevenTrialsUseTheInternalEncoder) {
    EXPECT_EQ(trial_encode("\xE3\x81\x82\xE3\x81\x84", 1, LevelM + 1, Utf8), 0);
    EXPECT_EQ(trial_encode("\xFA\x40", 1, LevelH + 1, Docomo), 0);
    EXPECT_EQ(encode_code("\xE3\x81\x82", g_matrix, 1, LevelM, Utf8), 0);
    EXPECT_EQ(code_symbol(g_matrix, 1), internal_symbol("\xE3\x81\x82", 1, LevelM, 1));
    EXPECT_EQ(generation_error(nullptr), 0);
}

TEST_F(WithLibrary, ExternalSymbolEqualsTheInternalOneAtTheSameVersion) {
    const std::string texts[] = {"0123456789", "HELLO WORLD", "\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD",
                                 "\xB1\xB2\xB3 mixed 123 \x88\x9F\x88\xA0\r\n", "\x81\x40\x87\x40"};
    for (const std::string& t : texts) {
        for (int32_t version : {3, 7}) {
            ASSERT_EQ(choose_encoder(t.c_str(), Docomo), UseExternal) << t;
            ASSERT_EQ(encode_code(t.c_str(), g_matrix, version, LevelQ, Docomo), 0) << t;
            EXPECT_EQ(code_symbol(g_matrix, version), internal_symbol(t, version, LevelQ, 0)) << t;
        }
    }
}

TEST_F(WithLibrary, TabsReachTheSymbol) {
    const std::string text = "A\tB\t\x82\xA0";
    ASSERT_EQ(encode_code(text.c_str(), g_matrix, 2, LevelM, Docomo), 0);
    EXPECT_EQ(code_symbol(g_matrix, 2), internal_symbol(text, 2, LevelM, 0));
    EXPECT_EQ(trial_encode(std::string(20, '\t').c_str(), 1, LevelL + 1, Docomo), 1);
    EXPECT_EQ(trial_encode(std::string(17, '\t').c_str(), 1, LevelL + 1, Docomo), 0);
}

TEST_F(WithLibrary, Utf8TextGoesInternalWithKanjiOff) {
    const std::string text = "\x88\x9F\x88\xA0";   // kanji bytes, read as bytes for UTF-8
    ASSERT_EQ(encode_code(text.c_str(), g_matrix, 2, LevelL, Utf8), 0);
    EXPECT_EQ(code_symbol(g_matrix, 2), internal_symbol(text, 2, LevelL, 1));
    EXPECT_NE(code_symbol(g_matrix, 2), internal_symbol(text, 2, LevelL, 0));
}

TEST_F(WithLibrary, TrialsAreExactAboutTheVersion) {
    // 17 bytes fill 1-L; 18 need version 2.
    const std::string fits(17, 'a'), over(18, 'a');
    EXPECT_EQ(trial_encode(fits.c_str(), 1, LevelL + 1, Docomo), 0);
    EXPECT_EQ(trial_encode(over.c_str(), 1, LevelL + 1, Docomo), 1);
    EXPECT_EQ(trial_encode(over.c_str(), 2, LevelL + 1, Docomo), 0);
    EXPECT_EQ(trial_encode(over.c_str(), 1, LevelL + 1, Utf8), 1);
    EXPECT_EQ(trial_encode("", 1, LevelL + 1, Docomo), 4);
    EXPECT_EQ(encode_code("", g_matrix, 1, LevelL, Docomo), 4);
    EXPECT_EQ(encode_code(over.c_str(), g_matrix, 1, LevelL, Docomo), 1);
    EXPECT_EQ(generation_error(nullptr), 0);
}

TEST(QrModel2, ExportsOneEntryAndKeepsItsContract) {
    LibraryHandle library = load_library(nullptr, kExternalEncoderName);
    ASSERT_NE(library, nullptr);
    QrModel2Entry entry = reinterpret_cast<QrModel2Entry>(find_entry(library, kExternalEntryName));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(find_entry(library, "g_encoder"), nullptr);   // its encoder stays its own
    const int32_t codes[3] = {'A', static_cast<int32_t>(0xFFFF82A0u), '1'};
    EXPECT_NE(entry(codes, 0, 1, 1, g_matrix), 0);
    EXPECT_NE(entry(codes, 3, 0, 1, g_matrix), 0);
    EXPECT_NE(entry(codes, 3, 41, 1, g_matrix), 0);
    EXPECT_NE(entry(codes, 3, 1, 0, g_matrix), 0);
    EXPECT_NE(entry(codes, 3, 1, 5, g_matrix), 0);
    ASSERT_EQ(entry(codes, 3, 1, LevelH + 1, g_matrix), 0);
    EXPECT_EQ(code_symbol(g_matrix, 1), internal_symbol("A\x82\xA0" "1", 1, LevelH, 0));
    // Exactly the version asked for, also when a smaller one would do.
    ASSERT_EQ(entry(codes, 3, 5, LevelH + 1, g_matrix), 0);
    EXPECT_EQ(code_symbol(g_matrix, 5), internal_symbol("A\x82\xA0" "1", 5, LevelH, 0));
    const int32_t many[18] = {'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a'};
    EXPECT_NE(entry(many, 18, 1, LevelL + 1, g_matrix), 0);
    free_library(library);
}

}  // namespace
