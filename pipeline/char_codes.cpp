// Character classes and character codes of a code's text, as the encoder
// selection and QRmodel2 see them. Both walk from the start of the text.
#include "pipeline/encoder_selection.h"

#include <cstring>

namespace {

bool is_lead(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Double-byte ranges of the classes 6 to 10; every other pair is class 11.
struct PairRange {
    uint8_t leadFirst, leadLast, secondFirst, secondLast;
    int32_t charClass;
};
const PairRange kPairRanges[] = {
    {0x82, 0x82, 0x4F, 0x58, 6}, {0x82, 0x82, 0x60, 0x79, 6}, {0x82, 0x82, 0x81, 0x9A, 6},
    {0x82, 0x82, 0x9F, 0xF1, 7}, {0x83, 0x83, 0x40, 0x96, 7},
    {0x81, 0x81, 0x40, 0xAC, 8}, {0x81, 0x81, 0xB8, 0xBF, 8}, {0x81, 0x81, 0xC8, 0xCE, 8},
    {0x81, 0x81, 0xDA, 0xE8, 8}, {0x81, 0x81, 0xF0, 0xF7, 8}, {0x81, 0x81, 0xFC, 0xFC, 8},
    {0x83, 0x83, 0x9F, 0xB6, 8}, {0x83, 0x83, 0xBF, 0xD6, 8},
    {0x84, 0x84, 0x40, 0x60, 8}, {0x84, 0x84, 0x70, 0x91, 8}, {0x84, 0x84, 0x9F, 0xBE, 8},
    {0x87, 0x87, 0x40, 0x75, 8}, {0x87, 0x87, 0x7E, 0x9C, 8},
    {0x88, 0x88, 0x9F, 0xFC, 9}, {0x89, 0x97, 0x40, 0xFC, 9}, {0x99, 0x9F, 0x40, 0xFC, 9},
    {0x98, 0x98, 0x40, 0x72, 9}, {0x98, 0x98, 0x9F, 0xFC, 9},
    {0xE0, 0xEA, 0x40, 0xFC, 10}, {0xED, 0xEE, 0x40, 0xFC, 10},
};

int32_t single_class_of(uint8_t b) {
    if (b >= '0' && b <= '9') return 1;
    if ((b >= 'A' && b <= 'Z') || (b != 0 && std::strchr(" $%*+-./:", b) != nullptr)) return 2;
    if (b >= 0x20 && b <= 0x7E) return 3;
    return 4;
}

int32_t pair_class_of(uint8_t first, uint8_t second) {
    if (first >= 0xA1 && first <= 0xDF) return 5;
    for (const PairRange& r : kPairRanges) {
        if (first >= r.leadFirst && first <= r.leadLast && second >= r.secondFirst && second <= r.secondLast) {
            return r.charClass;
        }
    }
    return 11;
}

// The classes of single bytes (0x00-0x7F) and of pairs (first byte from
// 0x80), looked up: every trial of the splitter classifies its text.
struct ClassTable {
    uint8_t single[0x80];
    uint8_t pair[0x80][256];
    ClassTable() {
        for (int b = 0; b < 0x80; ++b) single[b] = static_cast<uint8_t>(single_class_of(static_cast<uint8_t>(b)));
        for (int f = 0; f < 0x80; ++f)
            for (int t = 0; t < 256; ++t) {
                pair[f][t] = static_cast<uint8_t>(pair_class_of(static_cast<uint8_t>(0x80 + f), static_cast<uint8_t>(t)));
            }
    }
};

const ClassTable& class_table() {
    static const ClassTable table;
    return table;
}

}  // namespace

int32_t classify_charset(const char* text, int32_t cap) {
    const uint8_t* p = reinterpret_cast<const uint8_t*>(text);
    const ClassTable& table = class_table();
    int32_t highest = 0;
    while (*p != 0) {
        int32_t c = 0;
        if (*p >= 0x80) {
            c = table.pair[p[0] - 0x80][p[1]];
            // The second byte may be the terminator: the scan ends with it.
            p += p[1] != 0 ? 2 : 1;
        } else {
            c = table.single[*p];
            ++p;
        }
        if (c == 11) return 11;
        if (c > highest) highest = c;
        if (cap >= 0 && highest >= cap) return cap;
    }
    return highest;
}

namespace {

// Walks the characters that become codes: from the start, at most 1,000
// bytes, a lead byte with the byte after it (a lead at the very end with the
// terminator), tabs left out. emit(at, pair) sees each one.
template <typename Emit>
void walk_char_codes(const char* text, Emit emit) {
    const uint8_t* p = reinterpret_cast<const uint8_t*>(text);
    int32_t i = 0, count = 0;
    while (i < kCharCodeLimit && p[i] != 0 && count < kCharCodeLimit) {
        if (is_lead(p[i])) {
            emit(p + i, true);
            ++count;
            i += p[i + 1] != 0 ? 2 : 1;
        } else {
            if (p[i] != '\t') {
                emit(p + i, false);
                ++count;
            }
            ++i;
        }
    }
}

}  // namespace

void build_char_codes(const char* text, CharCodeArray* array) {
    std::memset(array, 0, sizeof *array);
    walk_char_codes(text, [array](const uint8_t* at, bool pair) {
        array->codes[array->count++] = pair ? static_cast<int16_t>(static_cast<uint16_t>(at[0] << 8 | at[1])) : at[0];
    });
}

int32_t char_code_text(const char* text, char* out) {
    int32_t n = 0;
    walk_char_codes(text, [out, &n](const uint8_t* at, bool pair) {
        out[n++] = static_cast<char>(at[0]);
        if (pair && at[1] != 0) out[n++] = static_cast<char>(at[1]);
    });
    out[n] = '\0';
    return n;
}
