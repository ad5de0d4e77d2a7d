// Encoder selection: which encoder each text goes to, loaded and missing
// library, QRmodel2's contract (exact version, matrix layout, codes back to
// bytes) checked against the internal encoder.
#include <gtest/gtest.h>

#include <random>
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

// Pieces of every character class, tabs and line breaks; a text may end
// on a lone lead byte.
const char* const kTrialPieces[] = {
    "0123456789", "417", "HELLO WORLD", "A", "abc def", "\t", "\r\n", "\x7F\x01",
    "\xB1\xB2\xB3",             // class 5
    "\x82\x60\x82\x61",         // class 6
    "\x82\xA0\x83\x41",         // class 7
    "\x81\x41\x84\x40",         // class 8
    "\x88\x9F\x93\xFA",         // class 9
    "\xE0\x40",                 // class 10
    "\xFA\x40",                 // class 11
    "\x82",                     // a lead byte with whatever follows
};

std::string random_trial_text(std::mt19937& random) {
    std::string text;
    const size_t pieces = sizeof kTrialPieces / sizeof kTrialPieces[0];
    // Some pass the 1,000 bytes that become character codes.
    const size_t target = 1 + random() % (random() % 4 == 0 ? 1400 : 400);
    // Three kinds of piece per text, so that long texts free of tabs and
    // of the classes 10 and 11 come up too.
    const size_t palette[3] = {random() % pieces, random() % pieces, random() % pieces};
    while (text.size() < target) text += kTrialPieces[palette[random() % 3]];
    // A prefix of any length, so the last character may be cut.
    text.resize(1 + random() % text.size());
    return text;
}

// What the encoder that encode_code would use says of text at version:
// QRmodel2 building a whole symbol, or the internal encoder.
int32_t symbol_answer(const std::string& text, int32_t version, int32_t level, int32_t carrier) {
    static CharCodeArray codes;
    static int32_t matrix[kCodeMatrixCells];
    int32_t choice = choose_encoder(text.c_str(), carrier);
    if (choice == UseExternal) {
        build_char_codes(text.c_str(), &codes);
        LibraryHandle library = load_library(nullptr, kExternalEncoderName);
        QrModel2Entry entry = reinterpret_cast<QrModel2Entry>(find_entry(library, kExternalEntryName));
        int32_t r = entry(codes.codes, codes.count, version, level + 1, matrix);
        free_library(library);
        return r == 0 ? 0 : 1;
    }
    return encode_symbol(level, version, false, -1, text.c_str(), choice == UseInternalNoKanji) ? 0 : 1;
}

TEST_F(WithLibrary, TrialsAnswerAsTheEncodersSymbolsDo) {
    std::mt19937 random(24);
    int32_t answers[2][3] = {};   // [fits][external, tab, internal]
    for (int32_t trial = 0; trial < 3000; ++trial) {
        const std::string text = random_trial_text(random);
        const int32_t level = static_cast<int32_t>(random() % 4);
        const int32_t carrier = trial % 5 == 0 ? Utf8 : Docomo;
        // Versions around the smallest that holds the text, where the answer turns.
        const std::string head = text.substr(0, kCharCodeLimit);
        int32_t smallest = encode_symbol(level, 0, false, -1, head.c_str(), 0) ? g_encoder.version : 40;
        int32_t version = smallest - 2 + static_cast<int32_t>(random() % 4);
        version = version < 1 ? 1 : version > 40 ? 40 : version;
        const int32_t expected = symbol_answer(text, version, level, carrier);
        ASSERT_EQ(trial_encode(text.c_str(), version, level + 1, carrier), expected)
            << "trial " << trial << " version " << version << " level " << level << " length " << text.size();
        int32_t choice = choose_encoder(text.c_str(), carrier);
        int32_t kind = choice == UseExternal ? 0 : text.find('\t') != std::string::npos && carrier != Utf8 &&
                                                           classify_charset(text.c_str(), 10) < 10
                                                       ? 1
                                                       : 2;
        ++answers[expected == 0][kind];
    }
    // Every path was tried both ways.
    for (int32_t fits = 0; fits < 2; ++fits) {
        for (int32_t kind = 0; kind < 3; ++kind) EXPECT_GT(answers[fits][kind], 20) << fits << " " << kind;
    }
}

}  // namespace
