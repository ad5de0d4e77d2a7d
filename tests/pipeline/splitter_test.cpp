// The splitter: split marks, versions, the longest prefix, "onecode", and
// every cut that must not fall inside a character, an emoji sequence or a
// split mark, including the inputs that once gave empty, one-byte or
// unencodable codes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "encoder/tables.h"
#include "payload/payload.h"
#include "pipeline/encoder_selection.h"
#include "pipeline/splitter.h"
#include "tests/payload/text_support.h"
#include "tests/pipeline/pipeline_support.h"

namespace {

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

const std::string kHiragana = "\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8\x82\xA9\x82\xAB\x82\xAD\x82\xAF\x82\xB1"
                              "\x82\xB3\x82\xB5\x82\xB7\x82\xB9\x82\xBB\x82\xBD\x82\xBF\x82\xC2\x82\xC4\x82\xC6";

class Splitter : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(load_test_library()); }
    // A whole generation of sjis; the codes, the payload and the error.
    std::vector<CodeCopy> generate(const std::string& sjis, int32_t carrier, int32_t level, int32_t maxVersion,
                                   int32_t oneCode = 0) {
        fill_text_form(sjis, {carrier, level, maxVersion, oneCode, 1});
        std::vector<CodeCopy> codes = run_generation();
        payload = last_payload();
        error = generation_error(nullptr);
        return codes;
    }
    // Every code fits its version by trial, and the codes cover the payload
    // without cutting inside a unit of it.
    void expect_sound(const std::vector<CodeCopy>& codes, int32_t carrier, int32_t level) {
        std::vector<int32_t> boundaries{0};
        for (size_t at = 0; at < payload.size();) {
            at += static_cast<size_t>(unit_length(payload.c_str() + at, carrier));
            boundaries.push_back(static_cast<int32_t>(at));
        }
        EXPECT_EQ(check_codes_cover_payload(codes, payload, boundaries), "");
        for (const CodeCopy& c : codes) EXPECT_EQ(trial_encode(c.text.c_str(), c.version, level + 1, carrier), 0);
    }
    std::string payload;
    int32_t error = 0;
};

TEST_F(Splitter, TextMarkTextGivesTwoCodesWithoutTheMark) {
    auto codes = generate(std::string("ABC") + SplitMark + "DEF", Docomo, LevelM, 20);
    ASSERT_EQ(codes.size(), 2u);
    EXPECT_EQ(codes[0].text, "ABC");
    EXPECT_EQ(codes[1].text, "DEF");
    codes = generate(std::string("ABC") + SplitMark, Docomo, LevelM, 20);
    ASSERT_EQ(codes.size(), 1u);
    EXPECT_EQ(codes[0].text, "ABC");
}

TEST_F(Splitter, MarkAtTheStartOrTwoInARowIsErrorOne) {
    EXPECT_TRUE(generate(std::string(SplitMark) + "ABC", Docomo, LevelM, 20).empty());
    EXPECT_EQ(error, ErrorNoText);
    EXPECT_TRUE(generate(std::string("A") + SplitMark + SplitMark + "B", Docomo, LevelM, 20).empty());
    EXPECT_EQ(error, ErrorNoText);
}

TEST_F(Splitter, VersionSearchStartsOneBelowTheEstimate) {
    // Find a text the estimate puts at version 4 that fits version 3.
    std::string found;
    for (const char* unit : {"a1", "1A", "A1", "12A", "1a2b", "\x82\xA0", "\x82\xA0" "1"}) {
        for (int n = 1; n < 200 && found.empty(); ++n) {
            std::string t = repeat(unit, n);
            if (estimate_version(t.c_str(), LevelM) == 4 && trial_encode(t.c_str(), 3, LevelM + 1, Docomo) == 0) {
                found = t;
            }
        }
    }
    ASSERT_FALSE(found.empty());
    auto codes = generate(found, Docomo, LevelM, 20);
    ASSERT_EQ(codes.size(), 1u);
    EXPECT_EQ(codes[0].version, 3);
    EXPECT_EQ(codes[0].text, found);
}

TEST_F(Splitter, TwiceWhatVersionTwentyHoldsStartsWithTheLongestPrefixAtTwenty) {
    std::string text = repeat("a", 2 * 858);   // 858 bytes fill 20-L
    auto codes = generate(text, Docomo, LevelL, 20);
    ASSERT_GE(codes.size(), 3u);
    EXPECT_EQ(codes[0].version, 20);
    // The length search may stop a few bytes short of the longest prefix.
    EXPECT_LE(codes[0].text.size(), 858u);
    EXPECT_GE(codes[0].text.size(), 858u - 858u * 6 / 100);
    expect_sound(codes, Docomo, LevelL);
}

TEST_F(Splitter, OneCodeRefusesAnAutomaticCutButNotMarks) {
    EXPECT_TRUE(generate(repeat("a", 2000), Docomo, LevelM, 20, 1).empty());
    EXPECT_EQ(error, ErrorTooLongForOneCode);
    char message[128];
    generation_error_message(message);
    EXPECT_EQ(utf8_of(message), "1つのQRコードに入りません。");
    auto codes = generate(std::string("AAA") + SplitMark + "BBB", Docomo, LevelM, 20, 1);
    EXPECT_EQ(codes.size(), 2u);
    EXPECT_EQ(error, 0);
}

TEST_F(Splitter, RefusesIndexOutOfRangeAndBadSettings) {
    static CodeSlot code;
    const char* next = nullptr;
    EXPECT_EQ(split_next("ABC", 20, {LevelM, 20, 0, Docomo}, &code, &next), SplitRefused);
    EXPECT_EQ(split_next("ABC", -1, {LevelM, 20, 0, Docomo}, &code, &next), SplitRefused);
    EXPECT_EQ(split_next("ABC", 0, {LevelM, 21, 0, Docomo}, &code, &next), SplitRefused);
    EXPECT_EQ(split_next("ABC", 0, {4, 20, 0, Docomo}, &code, &next), SplitRefused);
    EXPECT_EQ(split_next("", 0, {LevelM, 20, 0, Docomo}, &code, &next), SplitEmpty);
    // The driver turns the refusal into error 2.
    generate("ABC", Docomo, LevelM, 25);
    EXPECT_EQ(error, ErrorSplitFailed);
}

TEST_F(Splitter, SoftbankEmojiAcrossTheCutMovesWhole) {
    auto codes = generate(std::string(997, '1') + "[$G!]", Softbank, LevelM, 20);
    ASSERT_EQ(codes.size(), 2u);
    EXPECT_EQ(codes[0].text, std::string(997, '1'));
    EXPECT_EQ(codes[1].text, "\x1B$G!\x0F");
    // Automatic cuts among emoji sequences.
    codes = generate(repeat("[$G!]", 40), Softbank, LevelM, 3);
    EXPECT_GE(codes.size(), 2u);
    for (const CodeCopy& c : codes) EXPECT_EQ(c.text.size() % 5, 0u) << hex(c.text);
    expect_sound(codes, Softbank, LevelM);
}

TEST_F(Splitter, SiByteWithoutEscapeDoesNotMoveTheCut) {
    // A lone SI near the cut must not pull it into a double-byte character.
    for (int offset = 0; offset < 12; ++offset) {
        std::string text = repeat("\x82\xA0", 200);
        text.insert(static_cast<size_t>(2 * (60 + offset)), "\x0F");
        auto codes = generate(text, Docomo, LevelM, 5);
        ASSERT_GE(codes.size(), 2u);
        expect_sound(codes, Docomo, LevelM);
    }
}

TEST_F(Splitter, Utf8CharacterAcrossTheCutMovesWhole) {
    auto codes = generate(std::string(998, '1') + "\x82\xA0", Utf8, LevelM, 20);
    ASSERT_EQ(codes.size(), 2u);
    EXPECT_EQ(codes[0].text, std::string(998, '1'));
    EXPECT_EQ(codes[1].text, "\xE3\x81\x82");
}

TEST_F(Splitter, MarkAcrossByteOneThousandIsAMark) {
    for (int32_t before : {995, 1000}) {
        auto codes = generate(std::string(static_cast<size_t>(before), '1') + SplitMark + "B", Docomo, LevelM, 20);
        ASSERT_EQ(codes.size(), 2u);
        EXPECT_EQ(codes[0].text, std::string(static_cast<size_t>(before), '1'));
        EXPECT_EQ(codes[1].text, "B");
    }
}

TEST_F(Splitter, FirstThousandBytesFitButNoHalfCharacter) {
    auto codes = generate(std::string(999, '1') + "\x88\x9F" + "123", Docomo, LevelL, 20);
    ASSERT_EQ(codes.size(), 2u);
    EXPECT_EQ(codes[0].text, std::string(999, '1'));
    EXPECT_EQ(codes[1].text, "\x88\x9F" "123");
}

TEST_F(Splitter, ShortLengthSearchNeverGivesEmptyOrOneByteCodes) {
    struct Case { std::string text; int32_t carrier; };
    const Case cases[] = {
        {kHiragana, Utf8},                 // あ to と
        {repeat("[i9F]", 20), Docomo},
        {repeat("[@659]", 20), Au},
    };
    for (const Case& c : cases) {
        auto codes = generate(c.text, c.carrier, LevelM, 2);
        EXPECT_EQ(error, 0);
        ASSERT_FALSE(codes.empty());
        EXPECT_LE(codes.size(), 3u) << hex(c.text);
        for (const CodeCopy& code : codes) EXPECT_GE(code.text.size(), 12u) << hex(code.text);
        expect_sound(codes, c.carrier, LevelM);
    }
}

TEST_F(Splitter, WithoutTheLibraryJapaneseUtf8StillFillsItsCodes) {
    unload_external_encoder();
    auto codes = generate(repeat(kHiragana, 3), Utf8, LevelM, 2);
    EXPECT_EQ(error, 0);
    ASSERT_FALSE(codes.empty());
    for (const CodeCopy& code : codes) EXPECT_GE(code.text.size(), 12u) << hex(code.text);
    expect_sound(codes, Utf8, LevelM);
    // Texts the library would encode keep failing with error 6.
    EXPECT_TRUE(generate("HELLO", Docomo, LevelM, 20).empty());
    EXPECT_EQ(error, ErrorNoExternalEncoder);
    ASSERT_TRUE(load_test_library());
}

TEST_F(Splitter, TabsAndLettersFitTheVersionTheSearchReturns) {
    auto codes = generate(std::string(210, '\t') + std::string(40, 'A'), Docomo, LevelL, 20);
    ASSERT_EQ(codes.size(), 1u);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(codes[0].text, std::string(210, '\t') + std::string(40, 'A'));
    expect_sound(codes, Docomo, LevelL);
}

TEST_F(Splitter, PieceOfTabsOnlyIsEncodedAtLargestVersionOne) {
    for (int32_t maxVersion : {1, 2, 20}) {
        auto codes = generate(std::string(60, '\t'), Docomo, LevelL, maxVersion);
        EXPECT_EQ(error, 0);
        ASSERT_FALSE(codes.empty());
        expect_sound(codes, Docomo, LevelL);
    }
}

TEST_F(Splitter, VersionSearchReturnsOnlyVersionsSeenToFit) {
    static Piece piece;
    for (const std::string& t : {std::string("1"), std::string(300, 'a'), std::string(600, '7')}) {
        std::memset(&piece, 0, sizeof piece);
        std::memcpy(piece.text, t.data(), t.size());
        piece.length = static_cast<int32_t>(t.size());
        piece.carrier = Docomo;
        for (int32_t start = 1; start <= 20; ++start) {
            int32_t v = search_version(piece, start, 20, LevelM + 1);
            if (v > 0) {
                EXPECT_EQ(trial_encode(piece.text, v, LevelM + 1, Docomo), 0) << t.size() << " " << start;
            }
        }
    }
}

TEST_F(Splitter, LengthSearchAtVersionOneStaysInsideThePiece) {
    static Piece piece;
    std::string t = repeat("\x82\xA0", 100);
    std::memset(&piece, 0, sizeof piece);
    std::memcpy(piece.text, t.data(), t.size());
    piece.length = static_cast<int32_t>(t.size());
    piece.carrier = Docomo;
    for (size_t i = 0; i <= t.size(); i += 2) piece.boundary[i] = 1;
    for (int32_t estimate : {-50, -1, 0, 1, 3, 40, 500}) {
        int32_t cut = search_length(piece, estimate, 1, LevelH + 1);
        ASSERT_GT(cut, 0) << estimate;
        EXPECT_EQ(cut % 2, 0);
        t.assign(piece.text, static_cast<size_t>(cut));
        EXPECT_EQ(trial_encode(t.c_str(), 1, LevelH + 1, Docomo), 0);
        // One more character no longer fits at 1-H (4 kanji).
        EXPECT_EQ(cut, 8);
    }
}

TEST(SplitterUnits, UnitsOfEachTarget) {
    struct Case { const char* text; int32_t carrier; int32_t expected; };
    const Case cases[] = {
        {"\x1B$G!\x0F", Softbank, 5}, {"\x1B$G!X", Softbank, 1}, {"\x1B$Z!\x0F", Softbank, 1},
        {"\x82\xA0", Docomo, 2}, {"\x82\x0F", Docomo, 1}, {"\xF8\x9F", Docomo, 2}, {"A", Au, 1},
        {"\xE3\x81\x82", Utf8, 3}, {"\xF0\x9F\x98\x80", Utf8, 4}, {"\xC3\xA9", Utf8, 2},
        {"\xE3\x81", Utf8, 1}, {"", Utf8, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(unit_length(c.text, c.carrier), c.expected) << hex(c.text);
}

}  // namespace
