// Emoji codes: the textual code of a palette position for each carrier, the
// conversion of textual codes into the carriers' bytes, and the rule for
// the UTF-8 codes. Codes match only where a character starts, so a "[" that
// is the trail byte of a double-byte character never opens one.
#include <cstdio>
#include <cstring>

#include "payload/payload.h"

namespace {

const char kSoftbankPages[] = "GEFOPQ";
const char kHex[] = "0123456789ABCDEF";

// Docomo palette rows: positions first..last of a page give letter and
// position + offset.
struct DocomoRow {
    int8_t page, first, last;
    char letter;
    int16_t offset;
};
const DocomoRow kDocomoRows[] = {
    {0, 1, 90, 'i', 158}, {1, 1, 22, 'i', 230}, {1, 23, 32, 'I', 41}, {1, 33, 35, 'I', 47},
    {1, 36, 38, 'I', 49}, {1, 39, 42, 'I', 52}, {1, 43, 55, 'I', 71}, {1, 56, 90, 'I', 72},
    {2, 1, 90, 'I', 144}, {3, 1, 36, 'I', 216},
};

int32_t hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool valid_position(int32_t position) { return position >= 1 && position <= 90; }

int32_t softbank_code(int32_t page, int32_t position, int32_t index, char* out) {
    bool blank = (index >= 378 && index <= 399) || (index >= 477 && index <= 499) || (index >= 563 && index <= 599);
    if (page > 5 || blank) return 1;
    std::snprintf(out, 8, "[$%c%c]", kSoftbankPages[page], static_cast<char>(position + 32));
    return 0;
}

int32_t docomo_code(int32_t page, int32_t position, char* out) {
    for (const DocomoRow& r : kDocomoRows) {
        if (r.page == page && position >= r.first && position <= r.last) {
            std::snprintf(out, 8, "[%c%02X]", r.letter, position + r.offset);
            return 0;
        }
    }
    return 1;
}

int32_t utf8_code(int32_t index, char* out) {
    if (index < 0 || index >= 700) return 1;
    const char* e = UnicodeEmojiTable[index];
    if (e[0] == ' ') return 1;
    if (e[0] == '-') {
        std::snprintf(out, 8, "[+%s]", BmpEmojiTable[(e[1] - '0') * 10 + (e[2] - '0')]);
    } else {
        std::snprintf(out, 8, "[1F%.3s]", e);
    }
    return 0;
}

// Byte value of the two hex digits at p, or -1 (lower case is no digit).
int32_t hex_pair(const char* p) {
    int32_t hi = hex_value(p[0]);
    int32_t lo = hi < 0 ? -1 : hex_value(p[1]);
    return lo < 0 ? -1 : hi * 16 + lo;
}

// The two bytes of a docomo or au code at p (a "["), or false. A value
// byte of 00 would end the payload, so such a code stays text.
bool two_byte_code(const char* p, int32_t carrier, char* out, int32_t* length) {
    int32_t lead = 0, value = -1;
    if (carrier == Docomo && (p[1] == 'i' || p[1] == 'I')) {
        value = hex_pair(p + 2);
        lead = p[1] == 'i' ? 0xF8 : 0xF9;
        *length = 5;
    } else if (carrier == Au && p[1] == '@' && p[2] && std::strchr("3467", p[2])) {
        value = hex_pair(p + 3);
        lead = 0xF0 + (p[2] - '0');
        *length = 6;
    }
    if (value <= 0 || p[*length - 1] != ']') return false;
    out[0] = static_cast<char>(lead);
    out[1] = static_cast<char>(value);
    return true;
}

bool softbank_code_at(const char* p) {
    return p[1] == '$' && p[2] && std::strchr("EFGOPQ", p[2]) && sjis_char_length(p + 3) == 1 &&
           p[4] == ']';
}

}  // namespace

int32_t au_emoji_code(int32_t carrier, EmojiIndex index) {
    if (carrier != Au || index < 0 || !valid_position(index % 100)) return -1;
    int32_t entry = index % 100 + index / 100 * 90;
    if (entry < 1 || entry > 647) return -1;
    return static_cast<int32_t>(AuEmojiTable[entry]);
}

int32_t emoji_code_for(int32_t carrier, EmojiIndex index, char* out) {
    int32_t page = index / 100, position = index % 100;
    if (carrier == Utf8) return utf8_code(index, out);
    if (index < 0 || !valid_position(position)) return 1;
    if (carrier == Softbank) return softbank_code(page, position, index, out);
    if (carrier == Docomo) return index >= 337 && index <= 399 ? 1 : docomo_code(page, position, out);
    int32_t c = au_emoji_code(carrier, index);
    if (c < 0) return 1;
    std::snprintf(out, 8, "[@%c%c%c]", kHex[c >> 8 & 15], kHex[c >> 4 & 15], kHex[c & 15]);
    return 0;
}

void convert_emoji_codes(PayloadBuffer* payload, int32_t carrier) {
    char* text = payload->text;
    int32_t in = 0, out = 0;
    while (text[in] != '\0') {
        int32_t length = 0;
        char bytes[2];
        if (text[in] == '[' && carrier == Softbank && softbank_code_at(text + in)) {
            text[in] = '\x1B';
            text[in + 4] = '\x0F';
            std::memmove(text + out, text + in, 5);
            in += 5;
            out += 5;
        } else if (text[in] == '[' && two_byte_code(text + in, carrier, bytes, &length)) {
            text[out++] = bytes[0];
            text[out++] = bytes[1];
            in += length;
        } else {
            int32_t n = sjis_char_length(text + in);
            std::memmove(text + out, text + in, static_cast<size_t>(n));
            in += n;
            out += n;
        }
    }
    text[out] = '\0';
}

int32_t classify_utf8_code(const char* p) {
    auto hex = [](char c) { return hex_value(c) >= 0; };
    if (p[0] != '[') return NotACode;
    if (p[1] == '1' && p[2] == 'F') {
        if (!(hex(p[3]) && hex(p[4]) && hex(p[5]) && p[6] == ']')) return NotACode;
        return p[3] == 'F' && hex_value(p[4]) >= 8 ? InvalidCode : FourBytesCode;
    }
    if (p[1] != '+' || p[2] == '\0' || !(hex(p[3]) && hex(p[4]) && hex(p[5]) && p[6] == ']')) return NotACode;
    char b2 = p[2], b3 = p[3], b4 = p[4], b5 = p[5];
    if (b2 == '0') {
        if (b3 != '0') return ThreeBytesOrFewer;
        if (b4 != '0') return TwoBytesOrFewer;
        return b5 == '0' ? InvalidCode : OneByteCode;
    }
    if (!hex(b2)) return NotACode;
    bool surrogate = b2 == 'D' && hex_value(b3) >= 8;
    bool nonCharacter = (b2 == 'F' && b3 == 'F' && b4 == 'F' && (b5 == 'E' || b5 == 'F')) ||
                        (b2 == 'F' && b3 == 'D' && (b4 == 'D' || b4 == 'E'));
    return surrogate || nonCharacter ? InvalidCode : ThreeBytesCode;
}
