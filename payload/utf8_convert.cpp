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
uint16_t g_utf16[kPayloadBytes * kUtf16PerCp932Byte];
char g_utf8[kPayloadBytes * kUtf16PerCp932Byte * kUtf8BytesPerUtf16];

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

}  // namespace

void convert_to_utf8(PayloadBuffer* payload) {
    int32_t units = cp932_to_utf16(payload->text, static_cast<int32_t>(std::strlen(payload->text)), g_utf16);
    int32_t total = utf16_to_utf8(g_utf16, units, g_utf8);
    int32_t in = 0, out = 0;
    while (in < total) {
        char piece[4];
        int32_t n = 0, take = 0;
        int32_t cls = g_utf8[in] == '[' && total - in >= 7 ? classify_utf8_code(g_utf8 + in) : NotACode;
        if (cls == NotACode) {
            take = n = utf8_length_of(static_cast<uint8_t>(g_utf8[in]));
            std::memcpy(piece, g_utf8 + in, static_cast<size_t>(n));
        } else {
            take = 7;
            n = cls == InvalidCode ? 0 : code_bytes(g_utf8 + in, cls, piece);
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
