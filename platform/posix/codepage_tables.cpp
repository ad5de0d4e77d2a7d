// Table-driven code-page conversion with Windows' rules: a lead byte takes
// any non-zero next byte as its trail, unmapped pairs give U+30FB, units
// convert one at a time, and bad UTF-8 gives U+FFFD per broken prefix.
#include "platform/posix/codepage_tables.h"

#include <algorithm>

static bool is_lead_byte(uint8_t b) { return (kCp932LeadBytes[b >> 3] >> (b & 7)) & 1; }

// The pair tables hold the key in the high half, the value in the low one.
static int32_t find_in(const uint32_t* table, int32_t count, uint32_t key) {
    const uint32_t* end = table + count;
    const uint32_t* it = std::lower_bound(table, end, key << 16);
    if (it == end || (*it >> 16) != key) return -1;
    return static_cast<int32_t>(*it & 0xFFFF);
}

int32_t table_cp932_to_utf16(const char* src, int32_t length, uint16_t* dst) {
    const uint8_t* s = reinterpret_cast<const uint8_t*>(src);
    int32_t out = 0;
    for (int32_t i = 0; i < length; ++i) {
        uint8_t b = s[i];
        if (is_lead_byte(b) && i + 1 < length && s[i + 1] != 0) {
            int32_t unit = find_in(kCp932PairDecode, kCp932PairDecodeCount, static_cast<uint32_t>(b << 8 | s[i + 1]));
            dst[out++] = unit < 0 ? kCp932DefaultUnit : static_cast<uint16_t>(unit);
            ++i;
        } else {
            dst[out++] = kCp932SingleDecode[b];
        }
    }
    return out;
}

int32_t table_utf16_to_cp932(const uint16_t* src, int32_t length, char* dst, const char* defaultChar,
                             bool* usedDefault) {
    char ownDefault[2] = {static_cast<char>(kCp932DefaultByte), 0};
    const char* fill = defaultChar ? defaultChar : ownDefault;
    int32_t fillLength = fill[0] == 0 ? 1 : (fill[1] == 0 ? 1 : 2);
    bool used = false;
    int32_t out = 0;
    for (int32_t i = 0; i < length; ++i) {
        int32_t code = find_in(kCp932Encode, kCp932EncodeCount, src[i]);
        if (code < 0) {
            for (int32_t k = 0; k < fillLength; ++k) dst[out++] = fill[k];
            used = true;
        } else if (code > 0xFF) {
            dst[out++] = static_cast<char>(code >> 8);
            dst[out++] = static_cast<char>(code & 0xFF);
        } else {
            dst[out++] = static_cast<char>(code);
        }
    }
    if (usedDefault) *usedDefault = used;
    return out;
}

// One sequence whose first byte (0x80 or more) was just taken; advances *i
// over the bytes it takes. Returns the code point, or -1 for a broken one:
// a sequence cut by the end takes all the rest; otherwise a continuation
// byte is taken only while the prefix can still become a valid character.
static int32_t decode_utf8_sequence(uint8_t first, const uint8_t* s, int32_t* i, int32_t length) {
    int32_t follow = first >= 0xF0 ? (first <= 0xF4 ? 3 : 0) : first >= 0xE0 ? 2 : first >= 0xC2 ? 1 : 0;
    static const uint8_t kMask[4] = {0x7F, 0x1F, 0x0F, 0x07};
    int32_t value = first & kMask[follow];
    if (*i + follow > length) {
        *i = length;
        return -1;
    }
    for (int32_t k = follow; k > 0; --k) {
        uint8_t c = static_cast<uint8_t>(s[*i] ^ 0x80);
        if (c >= 0x40) return -1;
        value = value << 6 | c;
        if (k == 2 && value >= (0x110000 >> 6)) return -1;
        ++*i;
        if (k == 3 && value < 0x10) return -1;  // overlong four-byte form
        if (k == 2 && (value < 0x20 || (value >= (0xD800 >> 6) && value <= (0xDFFF >> 6)))) return -1;
        if (k == 1 && value < 0x80) return -1;
    }
    return follow > 0 ? value : -1;
}

int32_t table_utf8_to_utf16(const char* src, int32_t length, uint16_t* dst) {
    const uint8_t* s = reinterpret_cast<const uint8_t*>(src);
    int32_t out = 0;
    int32_t i = 0;
    while (i < length) {
        uint8_t b = s[i++];
        int32_t cp = b < 0x80 ? b : decode_utf8_sequence(b, s, &i, length);
        if (cp < 0) {
            dst[out++] = 0xFFFD;
        } else if (cp > 0xFFFF) {
            dst[out++] = static_cast<uint16_t>(0xD800 + ((cp - 0x10000) >> 10));
            dst[out++] = static_cast<uint16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            dst[out++] = static_cast<uint16_t>(cp);
        }
    }
    return out;
}

static int32_t put_utf8(int32_t cp, char* dst) {
    if (cp < 0x80) {
        dst[0] = static_cast<char>(cp);
        return 1;
    }
    if (cp < 0x800) {
        dst[0] = static_cast<char>(0xC0 | cp >> 6);
        dst[1] = static_cast<char>(0x80 | (cp & 0x3F));
        return 2;
    }
    if (cp < 0x10000) {
        dst[0] = static_cast<char>(0xE0 | cp >> 12);
        dst[1] = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        dst[2] = static_cast<char>(0x80 | (cp & 0x3F));
        return 3;
    }
    dst[0] = static_cast<char>(0xF0 | cp >> 18);
    dst[1] = static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    dst[2] = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    dst[3] = static_cast<char>(0x80 | (cp & 0x3F));
    return 4;
}

int32_t table_utf16_to_utf8(const uint16_t* src, int32_t length, char* dst) {
    int32_t out = 0;
    for (int32_t i = 0; i < length; ++i) {
        int32_t cp = src[i];
        bool high = cp >= 0xD800 && cp <= 0xDBFF;
        if (high && i + 1 < length && src[i + 1] >= 0xDC00 && src[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (src[++i] - 0xDC00);
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        out += put_utf8(cp, dst + out);
    }
    return out;
}
