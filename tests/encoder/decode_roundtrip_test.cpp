// Round trips: symbols of every version and level, read back by zbar and by
// zxing-cpp, must give exactly the encoded bytes.
#include <gtest/gtest.h>

#include "encoder/encoder.h"
#include "tests/encoder/decoder_support.h"

#include <cstdint>
#include <string>

namespace {

enum InputKind : int32_t { KindNumeric, KindAlphanumeric, KindByte, KindKanji, KindMixed, kKindCount };
const char* const kKindNames[kKindCount] = {"numeric", "alphanumeric", "byte", "kanji", "mixed"};
const char* const kLevelNames[4] = {"L", "M", "Q", "H"};

// Alphanumeric characters other than digits.
const char kAlnumLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
constexpr int32_t kAlnumLetterCount = sizeof(kAlnumLetters) - 1;

// Bytes below 0x40 that are neither digits nor alphanumeric: placed between
// arbitrary bytes, they keep a lead byte from pairing and digits or capitals
// from forming runs, so a byte input stays one byte-mode segment.
const char kSeparators[] = "\x01\x02\x03\x07\x09\x0A\x0D\x1B\x1F!\"#&'(),;<=>?";
constexpr int32_t kSeparatorCount = sizeof(kSeparators) - 1;

// Shift_JIS rows of assigned kana and kanji: lead byte, first trail, trails
// in the row (0x7F is never a trail and is stepped over).
struct KanjiRow {
    uint8_t lead;
    uint8_t firstTrail;
    int32_t count;
};
const KanjiRow kKanjiRows[] = {
    {0x82, 0x9F, 83},  {0x83, 0x40, 86},  {0x89, 0x40, 188}, {0x8E, 0x40, 188},
    {0x93, 0x40, 188}, {0x97, 0x40, 188}, {0x99, 0x40, 188}, {0x9F, 0x40, 188},
    {0xE0, 0x40, 188}, {0xE4, 0x40, 188}, {0xE9, 0x40, 188}, {0xEA, 0x40, 100},
};
constexpr int32_t kKanjiRowCount = sizeof(kKanjiRows) / sizeof(kKanjiRows[0]);

// Count-indicator widths by mode (numeric, alphanumeric, byte, kanji) and
// version group, kept apart from the encoder's own table on purpose.
const int32_t kCountWidth[4][3] = {{10, 12, 14}, {9, 11, 13}, {8, 16, 16}, {8, 10, 12}};

int32_t group_of(int32_t version) { return version < 10 ? 0 : version < 27 ? 1 : 2; }

// Bits of one segment of `units` characters of a pure kind.
int32_t run_bits(int32_t kind, int32_t units, int32_t group) {
    const int32_t header = 4 + kCountWidth[kind][group];
    if (kind == KindNumeric) return header + 10 * (units / 3) + (units % 3 == 2 ? 7 : units % 3 == 1 ? 4 : 0);
    if (kind == KindAlphanumeric) return header + 11 * (units / 2) + 6 * (units % 2);
    if (kind == KindByte) return header + 8 * units;
    return header + 13 * units;
}

// Most characters of a pure kind whose segment fits `budget` bits.
int32_t units_fitting(int32_t kind, int32_t budget, int32_t group) {
    int32_t units = 0;
    while (run_bits(kind, units + 1, group) <= budget) ++units;
    return units;
}

void append_kanji(std::string* text, int32_t index) {
    const KanjiRow& row = kKanjiRows[(index * 5) % kKanjiRowCount];
    int32_t trail = row.firstTrail + (index * 37) % row.count;
    if (row.firstTrail < 0x7F && trail >= 0x7F) ++trail;
    text->push_back(static_cast<char>(row.lead));
    text->push_back(static_cast<char>(trail));
}

// Character `index` of a pure input of the kind (a kanji is two bytes).
void append_unit(std::string* text, int32_t kind, int32_t index) {
    if (kind == KindNumeric) {
        text->push_back(static_cast<char>('0' + (index * 7 + index / 10) % 10));
    } else if (kind == KindAlphanumeric) {
        // Single digits between letters: the encoder folds them into one segment.
        text->push_back(index % 2 != 0 ? static_cast<char>('0' + (index / 2) % 10)
                                       : kAlnumLetters[(index / 2) % kAlnumLetterCount]);
    } else if (kind == KindByte) {
        text->push_back(index % 2 != 0 ? kSeparators[(index / 2) % kSeparatorCount]
                                       : static_cast<char>(1 + (index / 2) % 255));
    } else {
        append_kanji(text, index);
    }
}

// Character `index` of a run inside a mixed input: alphanumeric runs hold no
// digits and byte runs no digits, capitals or lead bytes, so the runs keep
// their modes and lengths whatever surrounds them.
void append_mixed_unit(std::string* text, int32_t kind, int32_t index) {
    if (kind == KindAlphanumeric) {
        text->push_back(kAlnumLetters[index % kAlnumLetterCount]);
    } else if (kind == KindByte) {
        const int32_t k = index % (26 + 63);
        text->push_back(static_cast<char>(k < 26 ? 'a' + k : 0xA1 + (k - 26)));
    } else {
        append_unit(text, kind, index);
    }
}

// Runs of the four modes in turn, long enough that no merge pays, until the
// symbol is full; the last run is cut to fill what remains.
std::string make_mixed_input(int32_t budget, int32_t group) {
    const int32_t kRunUnits[4] = {20, 15, 10, 8};
    std::string text;
    int32_t used = 0;
    for (int32_t run = 0;; ++run) {
        const int32_t kind = run % 4;
        int32_t units = units_fitting(kind, budget - used, group);
        if (units > kRunUnits[kind]) units = kRunUnits[kind];
        for (int32_t i = 0; i < units; ++i) append_mixed_unit(&text, kind, run * 11 + i);
        if (units < kRunUnits[kind]) return text;
        used += run_bits(kind, units, group);
    }
}

// An input of the kind that fills version at level to within a character.
std::string make_input(int32_t kind, int32_t version, int32_t level) {
    const int32_t budget = VersionTable[version].dataCodewords[level] * 8;
    const int32_t group = group_of(version);
    if (kind == KindMixed) return make_mixed_input(budget, group);
    std::string text;
    const int32_t units = units_fitting(kind, budget, group);
    for (int32_t i = 0; i < units; ++i) append_unit(&text, kind, i);
    return text;
}

std::string describe_difference(const std::string& expected, const std::string& got) {
    size_t at = 0;
    while (at < expected.size() && at < got.size() && expected[at] == got[at]) ++at;
    return "expected " + std::to_string(expected.size()) + " bytes, got " + std::to_string(got.size()) +
           ", first difference at byte " + std::to_string(at);
}

GreyImage g_image;

// Renders the encoder's last symbol and checks both decoders read `text`,
// and zxing the level.
void expect_decodes_to(const std::string& text, int32_t level, const std::string& label) {
    render_symbol(g_encoder.matrix, g_encoder.size, &g_image);
    std::string bytes;
    if (decode_with_zbar(g_image, &bytes) != 0) {
        ADD_FAILURE() << label << ": zbar finds no symbol";
    } else if (bytes != text) {
        ADD_FAILURE() << label << ": zbar reads other bytes: " << describe_difference(text, bytes);
    }
    int32_t readLevel = -1;
    if (decode_with_zxing(g_image, &bytes, &readLevel) != 0) {
        ADD_FAILURE() << label << ": zxing finds no symbol";
    } else if (bytes != text) {
        ADD_FAILURE() << label << ": zxing reads other bytes: " << describe_difference(text, bytes);
    } else if (readLevel != level) {
        ADD_FAILURE() << label << ": zxing reads level " << kLevelNames[readLevel];
    }
}

std::string case_label(int32_t version, int32_t level, int32_t kind) {
    return "version " + std::to_string(version) + "-" + kLevelNames[level] + ", " + kKindNames[kind];
}

TEST(DecodeRoundTrip, EveryVersionAndLevelFilledNearCapacity) {
    for (int32_t version = 1; version <= kMaxVersion; ++version) {
        for (int32_t level = LevelL; level <= LevelH; ++level) {
            const int32_t kind = (version * 4 + level) % kKindCount;
            const std::string label = case_label(version, level, kind);
            const std::string text = make_input(kind, version, level);
            if (!encode_symbol(level, 0, false, -1, text.c_str(), 0)) {
                ADD_FAILURE() << label << ": encode_symbol fails on " << text.size() << " bytes";
                continue;
            }
            EXPECT_EQ(g_encoder.version, version) << label;
            EXPECT_EQ(g_encoder.size, 4 * version + 17) << label;
            if (kind != KindMixed) {
                // A pure input is one segment of its own mode.
                EXPECT_EQ(g_encoder.segmentCount, 1) << label;
                EXPECT_EQ(g_encoder.segmentMode[0], kind) << label;
            }
            expect_decodes_to(text, level, label);
        }
    }
}

// Each of those inputs asked for one version lower, without allowLarger, is
// refused: a requested version is never silently overfilled.
TEST(DecodeRoundTrip, TooSmallRequestedVersionIsRefused) {
    for (int32_t version = 2; version <= kMaxVersion; ++version) {
        for (int32_t level = LevelL; level <= LevelH; ++level) {
            const int32_t kind = (version * 4 + level) % kKindCount;
            const std::string text = make_input(kind, version, level);
            EXPECT_FALSE(encode_symbol(level, version - 1, false, -1, text.c_str(), 0))
                << case_label(version, level, kind);
        }
    }
}

struct ForcedCase {
    const char* text;
    int32_t level;
    int32_t version;
    bool allowLarger;
    int32_t kanjiOff;
    int32_t expectedVersion;
};

std::string repeated(const char* unit, int32_t times) {
    std::string text;
    for (int32_t i = 0; i < times; ++i) text += unit;
    return text;
}

TEST(DecodeRoundTrip, RequestedVersionsAndKanjiOff) {
    const std::string needsSeven = repeated("mivoka ", 16);          // 112 bytes: 7-M
    const std::string needsTen = repeated("qr-code/", 30);           // 240 bytes: 10-L
    const ForcedCase cases[] = {
        {"HELLO WORLD", LevelM, 5, false, 0, 5},
        {"0123456789", LevelH, 10, false, 0, 10},
        {"Mivoka", LevelQ, 27, false, 0, 27},
        {"x", LevelL, 40, false, 0, 40},
        {needsSeven.c_str(), LevelM, 5, true, 0, 7},
        {needsTen.c_str(), LevelL, 0, false, 0, 10},
        // Kanji pairs, a lone lead byte at the end, the extreme pairs.
        {"\x82\xa0\x8a\xbf\x8e\x9a\x82", LevelQ, 0, false, 0, 1},
        {"\x81\xff\xeb\xbf\x81\x40", LevelH, 0, false, 0, 1},
        // The same bytes as byte mode, and UTF-8 text, with kanji off.
        {"\x82\xa0\x8a\xbf\x8e\x9a\x82\xcc\x83\x65\x83\x58\x83\x67", LevelM, 0, false, 1, 1},
        {"\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e ABC 123", LevelL, 3, false, 1, 3},
    };
    for (const ForcedCase& c : cases) {
        const std::string label = std::string("forced case \"") + c.text + "\"";
        ASSERT_TRUE(encode_symbol(c.level, c.version, c.allowLarger, -1, c.text, c.kanjiOff)) << label;
        EXPECT_EQ(g_encoder.version, c.expectedVersion) << label;
        expect_decodes_to(c.text, c.level, label);
    }
}

TEST(DecodeRoundTrip, EveryForcedMask) {
    const std::string text = "MASKS 0-7: " + make_input(KindMixed, 7, LevelQ).substr(0, 40);
    for (int32_t mask = 0; mask < 8; ++mask) {
        ASSERT_TRUE(encode_symbol(LevelQ, 7, false, mask, text.c_str(), 0)) << "mask " << mask;
        EXPECT_EQ(g_encoder.mask, mask);
        expect_decodes_to(text, LevelQ, "version 7-Q, mask " + std::to_string(mask));
    }
}

}  // namespace
