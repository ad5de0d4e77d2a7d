// The smartphone payload: Shift_JIS to UTF-8 through Windows' conversion,
// with the "[+XXXX]" and "[1FXYZ]" codes decoded. Output stops between
// whole characters, and a dropped tail is recorded.
#include <cstdio>
#include <cstring>

#include "payload/payload.h"
#include "platform/codepage.h"
#include "resources/messages.h"

namespace {

// Scratch of the conversion; one generation pass at a time uses it.
uint16_t utf16Scratch[kPayloadBytes * kUtf16PerCp932Byte];
char utf8Scratch[kPayloadBytes * kUtf16PerCp932Byte * kUtf8BytesPerUtf16];

int32_t utf8_length_of(uint8_t first) {
    if (first < 0xC0) return 1;
    if (first < 0xE0) return 2;
    return first < 0xF0 ? 3 : 4;
}

// UTF-8 bytes of a valid code (class from classify_utf8_code) into out.
int32_t code_bytes(const char* code, int32_t cls, char* out) {
    unsigned value = 0;
    if (cls == FourBytesCode) {
        char digits[4] = {code[3], code[4], code[5], 0};
        std::sscanf(digits, "%03x", &value);
        out[0] = static_cast<char>(0xF0);
        out[1] = static_cast<char>(0x9F);
        out[2] = static_cast<char>(0x80 + value / 64);
        out[3] = static_cast<char>(0x80 + value % 64);
        return 4;
    }
    char digits[5] = {code[2], code[3], code[4], code[5], 0};
    std::sscanf(digits, "%04x", &value);
    uint16_t unit = static_cast<uint16_t>(value);
    return utf16_to_utf8(&unit, 1, out);
}

// A character above the basic plane written as its two surrogates,
// "[+D8xx][+DCxx]" (typed text that Shift_JIS cannot carry): its 4 UTF-8
// bytes into out, or 0 when at is no such pair.
int32_t surrogate_pair_bytes(const char* at, int32_t available, char* out) {
    if (available < 14) return 0;
    unsigned high = 0, low = 0;
    char first[5] = {at[2], at[3], at[4], at[5], 0}, second[5] = {at[9], at[10], at[11], at[12], 0};
    bool shaped = at[0] == '[' && at[1] == '+' && at[6] == ']' && at[7] == '[' && at[8] == '+' && at[13] == ']';
    if (!shaped || std::sscanf(first, "%4x", &high) != 1 || std::sscanf(second, "%4x", &low) != 1) return 0;
    if (high < 0xD800 || high > 0xDBFF || low < 0xDC00 || low > 0xDFFF) return 0;
    uint16_t units[2] = {static_cast<uint16_t>(high), static_cast<uint16_t>(low)};
    return utf16_to_utf8(units, 2, out);
}

}  // namespace

void convert_to_utf8(PayloadBuffer* payload) {
    int32_t units = cp932_to_utf16(payload->text, static_cast<int32_t>(std::strlen(payload->text)), utf16Scratch);
    int32_t total = utf16_to_utf8(utf16Scratch, units, utf8Scratch);
    int32_t in = 0, out = 0;
    while (in < total) {
        char piece[4];
        int32_t n = 0, take = 0;
        int32_t cls = utf8Scratch[in] == '[' && total - in >= 7 ? classify_utf8_code(utf8Scratch + in) : NotACode;
        int32_t pair = cls == InvalidCode ? surrogate_pair_bytes(utf8Scratch + in, total - in, piece) : 0;
        if (pair > 0) {
            take = 14;
            n = pair;
        } else if (cls == NotACode) {
            take = n = utf8_length_of(static_cast<uint8_t>(utf8Scratch[in]));
            std::memcpy(piece, utf8Scratch + in, static_cast<size_t>(n));
        } else {
            take = 7;
            n = cls == InvalidCode ? 0 : code_bytes(utf8Scratch + in, cls, piece);
        }
        if (out + n > kUtf8PayloadLimit) {
            payload->dropped |= DroppedConversionTail;
            break;
        }
        std::memcpy(payload->text + out, piece, static_cast<size_t>(n));
        out += n;
        in += take;
    }
    payload->text[out] = '\0';
}

void to_display_sjis(char* text, int32_t capacity) {
    uint16_t units[kTextViewBytes];
    char sjis[kTextViewBytes * kCp932BytesPerUtf16 + 1];
    int32_t length = static_cast<int32_t>(strnlen(text, kTextViewBytes));
    int32_t n = utf8_to_utf16(text, length, units);
    int32_t bytes = utf16_to_cp932(units, n, sjis, "\xA5", nullptr);
    sjis[bytes] = '\0';
    // Cut between whole characters to the room.
    int32_t keep = 0;
    while (sjis[keep] != '\0' && keep + sjis_char_length(sjis + keep) <= capacity - 1) keep += sjis_char_length(sjis + keep);
    std::memcpy(text, sjis, static_cast<size_t>(keep));
    text[keep] = '\0';
    // An emoji beyond 16 bits became two dots; it shows as one circle.
    replace_text(text, capacity, "\xA5\xA5", kDisplayEmojiMark, 1);
    replace_text(text, capacity, "\xA5", kDisplayEmojiMark, 1);
}
