// Field normalisers: half-width conversion, furigana, phone numbers and mail
// addresses, plus the cutting helpers. All rewrite Shift_JIS text in place
// and walk it character by character, so a trail byte is never taken for
// a character of its own.
#include <cstring>

#include "payload/payload.h"

namespace {

const int32_t kHalfWidthWalk = 1024;
const int32_t kNormaliseWalk = 199;
const int32_t kPhoneLimit = 36;
const int32_t kMailLimit = 64;

bool is_single(uint8_t b) { return (b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF); }

// Half-width forms of the full-width katakana 0x8340-0x8396: the letter and
// its voiced (0xDE) or semi-voiced (0xDF) mark; {0, 0} stays full-width.
const uint8_t kHalfKatakana[0x57][2] = {
    {0xA7, 0x00}, {0xB1, 0x00}, {0xA8, 0x00}, {0xB2, 0x00}, {0xA9, 0x00}, {0xB3, 0x00}, {0xAA, 0x00}, {0xB4, 0x00},  // 0x8340
    {0xAB, 0x00}, {0xB5, 0x00}, {0xB6, 0x00}, {0xB6, 0xDE}, {0xB7, 0x00}, {0xB7, 0xDE}, {0xB8, 0x00}, {0xB8, 0xDE},  // 0x8348
    {0xB9, 0x00}, {0xB9, 0xDE}, {0xBA, 0x00}, {0xBA, 0xDE}, {0xBB, 0x00}, {0xBB, 0xDE}, {0xBC, 0x00}, {0xBC, 0xDE},  // 0x8350
    {0xBD, 0x00}, {0xBD, 0xDE}, {0xBE, 0x00}, {0xBE, 0xDE}, {0xBF, 0x00}, {0xBF, 0xDE}, {0xC0, 0x00}, {0xC0, 0xDE},  // 0x8358
    {0xC1, 0x00}, {0xC1, 0xDE}, {0xAF, 0x00}, {0xC2, 0x00}, {0xC2, 0xDE}, {0xC3, 0x00}, {0xC3, 0xDE}, {0xC4, 0x00},  // 0x8360
    {0xC4, 0xDE}, {0xC5, 0x00}, {0xC6, 0x00}, {0xC7, 0x00}, {0xC8, 0x00}, {0xC9, 0x00}, {0xCA, 0x00}, {0xCA, 0xDE},  // 0x8368
    {0xCA, 0xDF}, {0xCB, 0x00}, {0xCB, 0xDE}, {0xCB, 0xDF}, {0xCC, 0x00}, {0xCC, 0xDE}, {0xCC, 0xDF}, {0xCD, 0x00},  // 0x8370
    {0xCD, 0xDE}, {0xCD, 0xDF}, {0xCE, 0x00}, {0xCE, 0xDE}, {0xCE, 0xDF}, {0xCF, 0x00}, {0xD0, 0x00}, {0, 0},        // 0x8378
    {0xD1, 0x00}, {0xD2, 0x00}, {0xD3, 0x00}, {0xAC, 0x00}, {0xD4, 0x00}, {0xAD, 0x00}, {0xD5, 0x00}, {0xAE, 0x00},  // 0x8380
    {0xD6, 0x00}, {0xD7, 0x00}, {0xD8, 0x00}, {0xD9, 0x00}, {0xDA, 0x00}, {0xDB, 0x00}, {0, 0}, {0xDC, 0x00},        // 0x8388
    {0, 0}, {0, 0}, {0xA6, 0x00}, {0xDD, 0x00}, {0xB3, 0xDE}, {0, 0}, {0, 0},                                      // 0x8390
};

// Half-width bytes of one full-width character (code lead << 8 | trail)
// into out; their count, or 0 when the flags keep it full-width.
int32_t half_width_of(int32_t code, int32_t flags, char* out) {
    if ((flags & HalfDigits) && code >= 0x824F && code <= 0x8258) {
        out[0] = static_cast<char>('0' + code - 0x824F);
        return 1;
    }
    if ((flags & HalfLatin) && code >= 0x8260 && code <= 0x8279) {
        out[0] = static_cast<char>('A' + code - 0x8260);
        return 1;
    }
    if ((flags & HalfLatin) && code >= 0x8281 && code <= 0x829A) {
        out[0] = static_cast<char>('a' + code - 0x8281);
        return 1;
    }
    if ((flags & HalfKana) && code == 0x815B) {
        out[0] = static_cast<char>(0xB0);
        return 1;
    }
    if ((flags & HalfKana) && code >= 0x8340 && code <= 0x8396 && kHalfKatakana[code - 0x8340][0] != 0) {
        const uint8_t* h = kHalfKatakana[code - 0x8340];
        out[0] = static_cast<char>(h[0]);
        out[1] = static_cast<char>(h[1]);
        return h[1] ? 2 : 1;
    }
    return 0;
}

int32_t code_at(const char* p) { return static_cast<uint8_t>(p[0]) << 8 | static_cast<uint8_t>(p[1]); }

// Result of a normaliser from the input length and the output.
int32_t result_of(int32_t length, const char* text) { return length == 0 ? 4 : text[0] == '\0' ? 1 : 0; }

// Appends one byte; callers write no more than they read, so it stays in place.
void put(char* text, int32_t* out, char c) { text[(*out)++] = c; }

// Rewrites the whole characters within the first limit bytes with what
// emit puts for each (emit reads the character before it writes).
template <typename Emit>
void rewrite_characters(char* text, int32_t limit, Emit emit) {
    int32_t in = 0, out = 0;
    while (text[in] != '\0' && in + sjis_char_length(text + in) <= limit) {
        int32_t n = sjis_char_length(text + in);
        emit(text + in, n, text, &out);
        in += n;
    }
    text[out] = '\0';
}

}  // namespace

void to_half_width(char* text, int32_t flags) {
    int32_t in = 0, out = 0;
    while (text[in] != '\0' && in < kHalfWidthWalk) {
        int32_t n = sjis_char_length(text + in);
        char half[2];
        int32_t h = n == 2 ? half_width_of(code_at(text + in), flags, half) : 0;
        if (h > 0) {
            std::memcpy(text + out, half, static_cast<size_t>(h));
        } else {
            std::memmove(text + out, text + in, static_cast<size_t>(n));
        }
        out += h > 0 ? h : n;
        in += n;
    }
    std::memmove(text + out, text + in, std::strlen(text + in) + 1);
}

// Double-byte furigana character kept (or turned into katakana): its
// replacement written at out, or false to drop it.
static bool furigana_double(int32_t code, char* text, int32_t* out) {
    if ((code >= 0x824F && code <= 0x829A) || (code >= 0x8340 && code <= 0x8394) || code == 0x815B) {
        put(text, out, static_cast<char>(code >> 8));
        put(text, out, static_cast<char>(code & 0xFF));
    } else if (code >= 0x829F && code <= 0x82F1) {
        int32_t trail = code & 0xFF;
        put(text, out, static_cast<char>(0x83));
        put(text, out, static_cast<char>(trail <= 0xDD ? trail - 0x5F : trail - 0x5E));
    } else if (code == 0x8140) {
        put(text, out, ' ');
    } else {
        return false;
    }
    return true;
}

int32_t normalise_furigana(char* text, int32_t length) {
    rewrite_characters(text, length < kNormaliseWalk ? length : kNormaliseWalk,
                       [](const char* at, int32_t n, char* t, int32_t* out) {
        uint8_t b = static_cast<uint8_t>(at[0]);
        if (n == 2) {
            furigana_double(code_at(at), t, out);
        } else if (is_single(b) && (std::strchr("0123456789 ,", b) || (b >= 'A' && b <= 'Z') ||
                                    (b >= 'a' && b <= 'z') || (b >= 0xA6 && b <= 0xDF))) {
            put(t, out, static_cast<char>(b));
        }
    });
    to_half_width(text, HalfDigits | HalfLatin | HalfKana);
    return result_of(length, text);
}

// The dial character of a double-byte character, or 0 to drop it.
static char phone_double(int32_t code) {
    if (code >= 0x824F && code <= 0x8258) return static_cast<char>('0' + code - 0x824F);
    switch (code) {
        case 0x8196: return '*';
        case 0x8194: return '#';
        case 0x815B: case 0x817C: return '-';
        case 0x8140: case 0x8141: case 0x8143: return ',';
        case 0x826F: case 0x8290: return 'P';
        default: return 0;
    }
}

int32_t normalise_phone(char* text, int32_t length) {
    rewrite_characters(text, length < kNormaliseWalk ? length : kNormaliseWalk,
                       [](const char* at, int32_t n, char* t, int32_t* out) {
        uint8_t b = static_cast<uint8_t>(at[0]);
        char c = 0;
        if (n == 2) {
            c = phone_double(code_at(at));
        } else if (b == ' ') {
            c = ',';
        } else if (is_single(b) && std::strchr("0123456789-*#Pp,", b)) {
            c = static_cast<char>(b);
        }
        if (c != 0) put(t, out, c);
    });
    truncate_at(text, kPhoneLimit, 1);
    return result_of(length, text);
}

void normalise_mail_address(char* text, int32_t /*length*/) {
    to_half_width(text, HalfDigits | HalfLatin);
    rewrite_characters(text, kNormaliseWalk, [](const char* at, int32_t n, char* t, int32_t* out) {
        uint8_t b = static_cast<uint8_t>(at[0]);
        if (n == 2) {
            int32_t code = code_at(at);
            if (code == 0x8197) put(t, out, '@');
            if (code == 0x8142 || code == 0x8144) put(t, out, '.');
        } else if (is_single(b) && !std::strchr(" \\[]\"'|`{}<>#:;", b) && !(b >= 0xA6 && b <= 0xDD)) {
            put(t, out, static_cast<char>(b));
        }
    });
    truncate_at(text, kMailLimit, 1);
}

void truncate_at(char* text, int32_t pos, int32_t flag) {
    if (pos < 0 || static_cast<int32_t>(std::strlen(text)) <= pos) return;
    if (byte_type(text, pos) == ByteTrail) {
        if (flag == 1) {
            text[pos - 1] = '\0';
            return;
        }
        text[pos - 1] = ' ';
    }
    text[pos] = '\0';
}

void set_trailing_line_breaks(char* text, int32_t capacity, int32_t k) {
    int32_t length = static_cast<int32_t>(std::strlen(text));
    int32_t count = 0;
    while (length - 2 * (count + 1) >= 0 && text[length - 2 * count - 2] == '\r' && text[length - 2 * count - 1] == '\n') ++count;
    int32_t want = k >= 0 ? k : (count + k > 0 ? count + k : 0);
    int32_t end = length - 2 * count;
    for (int32_t i = 0; i < want && end + 2 < capacity; ++i) {
        text[end++] = '\r';
        text[end++] = '\n';
    }
    text[end] = '\0';
}
