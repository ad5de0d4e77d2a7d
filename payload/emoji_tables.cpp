// The emoji tables: Unicode emoji by palette index, the BMP emoji they
// refer to, and the au codes by palette position. Both indexed tables are
// built at compile time from short run lists, so each entry is written once.
#include "payload/payload.h"

namespace {

// Consecutive indices mapped to consecutive code points U+1Fxyz ('U') or
// to consecutive BmpEmojiTable entries ('B').
struct EmojiRun {
    int16_t first;
    int16_t last;
    char kind;
    int16_t start;
};

constexpr EmojiRun kUnicodeRuns[] = {
    {1, 69, 'U', 0x600}, {70, 75, 'U', 0x910}, {76, 76, 'U', 0x917}, {77, 84, 'U', 0x466}, {85, 85, 'U', 0x476},
    {86, 87, 'U', 0x474}, {88, 88, 'U', 0x47C}, {89, 89, 'U', 0x46E}, {90, 90, 'U', 0x477}, {101, 101, 'B', 0},
    {102, 113, 'U', 0x493}, {114, 114, 'U', 0x4A8}, {115, 116, 'U', 0x4A6}, {117, 117, 'U', 0x4A2}, {118, 118, 'U', 0x4A4},
    {119, 119, 'U', 0x4AB}, {120, 126, 'B', 1}, {127, 128, 'U', 0x3B5}, {129, 129, 'U', 0x4A5}, {130, 130, 'U', 0x4A3},
    {131, 131, 'U', 0x4A1}, {132, 133, 'B', 8}, {134, 134, 'U', 0x6AB}, {135, 138, 'U', 0x648}, {139, 140, 'U', 0x64D},
    {141, 141, 'U', 0x481}, {142, 143, 'U', 0x645}, {144, 145, 'U', 0x486}, {146, 148, 'U', 0x31E}, {149, 152, 'B', 10},
    {153, 153, 'U', 0x324}, {154, 157, 'U', 0x326}, {158, 158, 'U', 0x302}, {159, 159, 'U', 0x300}, {160, 161, 'B', 14},
    {162, 162, 'U', 0x4A9}, {163, 163, 'U', 0x647}, {164, 164, 'U', 0x64F}, {165, 165, 'U', 0x4AA}, {166, 166, 'B', 16},
    {167, 167, 'U', 0x64C}, {168, 178, 'U', 0x446}, {179, 187, 'B', 17}, {188, 190, 'U', 0x4AC}, {201, 257, 'U', 0x345},
    {258, 258, 'U', 0x33D}, {259, 261, 'U', 0x32D}, {262, 262, 'U', 0x9C0}, {263, 263, 'U', 0x336}, {264, 265, 'U', 0x3E6},
    {266, 275, 'U', 0x4B0}, {276, 280, 'U', 0x46F}, {281, 285, 'U', 0x477}, {286, 289, 'U', 0x47D}, {290, 290, 'U', 0x482},
    {301, 335, 'U', 0x680}, {336, 336, 'U', 0x6B2}, {337, 337, 'U', 0x6B4}, {338, 339, 'U', 0x6A5}, {340, 340, 'U', 0x6B6},
    {341, 341, 'U', 0x3C3}, {342, 358, 'U', 0x30D}, {359, 364, 'U', 0x330}, {365, 370, 'U', 0x337}, {371, 377, 'U', 0x33E},
    {378, 378, 'U', 0x202}, {379, 379, 'U', 0x21A}, {380, 380, 'U', 0x22F}, {381, 389, 'U', 0x232}, {390, 390, 'U', 0x250},
    {401, 401, 'U', 0x301}, {402, 410, 'U', 0x303}, {411, 420, 'U', 0x3DC}, {421, 426, 'U', 0x3E8}, {427, 490, 'U', 0x400},
    {501, 568, 'U', 0x4BA}, {569, 573, 'U', 0x38D}, {574, 575, 'U', 0x6A7}, {576, 582, 'U', 0x488}, {583, 583, 'U', 0x4AF},
    {584, 589, 'U', 0x526}, {590, 590, 'U', 0x530}, {601, 606, 'U', 0x3B7}, {607, 608, 'B', 26}, {609, 613, 'U', 0x3BD},
    {614, 615, 'U', 0x3CD}, {616, 616, 'U', 0x3D0}, {617, 618, 'U', 0x94A}, {619, 622, 'U', 0x510}, {623, 625, 'B', 28},
    {626, 637, 'U', 0x550}, {638, 639, 'U', 0x53C}, {640, 659, 'B', 31}, {660, 665, 'U', 0x440}, {666, 679, 'U', 0x455},
    {680, 681, 'U', 0x5FB}, {682, 685, 'B', 51}, {686, 689, 'U', 0x507}, {690, 690, 'U', 0x50D},
};

struct UnicodeEntries {
    char entry[700][4];
};

constexpr char kHexDigits[] = "0123456789ABCDEF";

constexpr UnicodeEntries build_unicode_table() {
    UnicodeEntries t{};
    for (int i = 0; i < 700; ++i) {
        t.entry[i][0] = t.entry[i][1] = t.entry[i][2] = ' ';
    }
    for (const EmojiRun& r : kUnicodeRuns) {
        for (int i = r.first; i <= r.last; ++i) {
            int v = r.start + (i - r.first);
            char* e = t.entry[i];
            if (r.kind == 'U') {
                e[0] = kHexDigits[v >> 8 & 15];
                e[1] = kHexDigits[v >> 4 & 15];
                e[2] = kHexDigits[v & 15];
            } else {
                e[0] = '-';
                e[1] = static_cast<char>('0' + v / 10);
                e[2] = static_cast<char>('0' + v % 10);
            }
        }
    }
    return t;
}

constexpr UnicodeEntries kUnicodeEntries = build_unicode_table();

// The au palette order. The first and last rows are fixed by the palette;
// au's own numbering of the remaining codes is not something we have, so
// they follow in ascending Shift_JIS order (0xF340 up to 0xF7FC, skipping
// the fixed codes and the unused second byte 0x7F). That keeps the order
// reproducible from the code ranges alone, groups each lead byte's codes
// together, and the au palette pictures are drawn in this same order.
constexpr uint32_t kAuFirstRows[] = {0xF659, 0xF65A, 0xF65B, 0xF748, 0xF749, 0xF74A,
                                     0xF74B, 0xF74C, 0xF74D, 0xF74E, 0xF74F};
constexpr uint32_t kAuLastRowsFirst = 0xF48C;   // indices 640-647: 0xF48C-0xF493
constexpr int kAuLastRowsStart = 640;
constexpr int kAuCodes = 647;

struct AuEntries {
    uint32_t entry[648];
    int firstOfLastRows;   // where the ascending codes ended
};

constexpr bool is_au_code(uint32_t code) {
    uint32_t lead = code >> 8, trail = code & 0xFF;
    if (trail < 0x40 || trail == 0x7F) return false;
    if (lead == 0xF3 || lead == 0xF6 || lead == 0xF7) return trail <= 0xFC;
    return lead == 0xF4 && trail <= 0x93;
}

constexpr bool is_fixed_au_code(uint32_t code) {
    for (uint32_t c : kAuFirstRows) {
        if (c == code) return true;
    }
    return code >= kAuLastRowsFirst && code < kAuLastRowsFirst + (kAuCodes - kAuLastRowsStart + 1);
}

constexpr AuEntries build_au_table() {
    AuEntries t{};
    int next = 1;
    for (uint32_t c : kAuFirstRows) t.entry[next++] = c;
    for (uint32_t code = 0xF340; code <= 0xF7FC; ++code) {
        if (is_au_code(code) && !is_fixed_au_code(code)) t.entry[next++] = code;
    }
    t.firstOfLastRows = next;
    for (int i = kAuLastRowsStart; i <= kAuCodes; ++i) t.entry[i] = kAuLastRowsFirst + static_cast<uint32_t>(i - kAuLastRowsStart);
    return t;
}

constexpr AuEntries kAuEntries = build_au_table();
static_assert(kAuEntries.firstOfLastRows == kAuLastRowsStart, "the ascending codes fill exactly 12-639");

}  // namespace

const char (&UnicodeEmojiTable)[700][4] = kUnicodeEntries.entry;
const uint32_t (&AuEmojiTable)[648] = kAuEntries.entry;

const char BmpEmojiTable[55][8] = {
    "2764", "2753", "2754", "2757", "2755", "203C", "2049", "2B50", "26A0", "26D4", "2600",
    "2601", "2602", "2603", "26A1", "2744", "261D", "270A", "270B", "270C", "2714", "2715",
    "2660", "2663", "2661", "2662", "26BD", "26BE", "231A", "231B", "23F0", "23CF", "23E9",
    "23EA", "23EB", "23EC", "23ED", "23EE", "23EF", "2648", "2649", "264A", "264B", "264C",
    "264D", "264E", "264F", "2650", "2651", "2652", "2653", "3297", "3299", "00A9", "00AE",
};
