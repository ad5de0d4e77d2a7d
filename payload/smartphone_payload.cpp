// Smartphone forms of the UTF-8 target's mail and address modes: full-width katakana for the MECARD reading (smartphone address books sort
// by it), and the mailto: URI with its percent-encoding.
#include <cstring>

#include "payload/composer.h"

namespace {

// Full-width code of a half-width katakana byte 0xA6-0xDF with no mark, the
// voiced mark and the semi-voiced mark; 0 where none exists. Built from
// to_half_width itself, so the two stay exact inverses.
uint16_t g_fullWidth[0xE0 - 0xA6][3];
bool g_built = false;

void record_half_width_of(uint16_t code) {
    char text[8] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF), 0};
    to_half_width(text, HalfKana);
    uint8_t base = static_cast<uint8_t>(text[0]), mark = static_cast<uint8_t>(text[1]);
    if (base < 0xA6 || base > 0xDF) return;   // stays full-width
    int32_t kind = mark == 0xDE ? 1 : mark == 0xDF ? 2 : 0;
    if (g_fullWidth[base - 0xA6][kind] == 0) g_fullWidth[base - 0xA6][kind] = code;
}

void build_table() {
    if (g_built) return;
    for (uint16_t code = 0x8340; code <= 0x8396; ++code) record_half_width_of(code);
    record_half_width_of(0x815B);
    // Marks standing alone: the full-width voiced and semi-voiced marks.
    g_fullWidth[0xDE - 0xA6][0] = 0x814A;
    g_fullWidth[0xDF - 0xA6][0] = 0x814B;
    g_built = true;
}

// The URI's text: "mailto:" and the encoded parts, built in g_payload.
struct UriText {
    int32_t length;
    bool tooLong;
};

void put_byte(UriText* uri, char c) {
    if (uri->length >= kUtf8PayloadLimit) {
        uri->tooLong = true;
        ++uri->length;
        return;
    }
    g_payload.text[uri->length++] = c;
}

bool unreserved(uint8_t b, bool address) {
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' || b == '.' ||
           b == '_' || b == '~' || (address && b == '@');
}

// Appends key and the part, converted to UTF-8 and percent-encoded.
void put_part(UriText* uri, const char* key, const char* sjis, bool address) {
    static PayloadBuffer part;
    std::strncpy(part.text, sjis, sizeof part.text - 1);
    part.text[sizeof part.text - 1] = '\0';
    part.dropped = DroppedNothing;
    convert_to_utf8(&part);
    // A part cut by the conversion cannot fit the URI either.
    if (part.dropped != DroppedNothing) uri->tooLong = true;
    for (const char* k = key; *k; ++k) put_byte(uri, *k);
    static const char kHex[] = "0123456789ABCDEF";
    for (const char* p = part.text; *p; ++p) {
        uint8_t b = static_cast<uint8_t>(*p);
        if (unreserved(b, address)) {
            put_byte(uri, *p);
            continue;
        }
        put_byte(uri, '%');
        put_byte(uri, kHex[b >> 4]);
        put_byte(uri, kHex[b & 15]);
    }
}

}  // namespace

void to_full_width_katakana(char* text, int32_t capacity) {
    build_table();
    static char out[kPayloadBytes];
    int32_t room = capacity - 1 < kPayloadBytes - 1 ? capacity - 1 : kPayloadBytes - 1;
    int32_t length = 0;
    for (int32_t i = 0; text[i] != '\0';) {
        uint8_t b = static_cast<uint8_t>(text[i]);
        int32_t take = sjis_char_length(text + i);
        uint16_t code = 0;
        if (take == 1 && b >= 0xA6 && b <= 0xDF) {
            uint8_t next = static_cast<uint8_t>(text[i + 1]);
            int32_t kind = next == 0xDE ? 1 : next == 0xDF ? 2 : 0;
            code = kind != 0 ? g_fullWidth[b - 0xA6][kind] : 0;
            if (code != 0) {
                take = 2;
            } else {
                code = g_fullWidth[b - 0xA6][0];
            }
        }
        int32_t n = code != 0 ? 2 : take;
        if (length + n > room) break;
        if (code != 0) {
            out[length] = static_cast<char>(code >> 8), out[length + 1] = static_cast<char>(code & 0xFF);
        } else {
            std::memcpy(out + length, text + i, static_cast<size_t>(take));
        }
        length += n;
        i += take;
    }
    std::memcpy(text, out, static_cast<size_t>(length));
    text[length] = '\0';
}

int32_t compose_mailto_uri(const char* address, const char* subject, const char* body) {
    UriText uri = {0, false};
    put_part(&uri, "mailto:", address, true);
    if (subject[0]) put_part(&uri, "?subject=", subject, false);
    if (body[0]) put_part(&uri, subject[0] ? "&body=" : "?body=", body, false);
    if (uri.tooLong) return fail_composition(kComposeUriTooLong, uri.length);
    g_payload.text[uri.length] = '\0';
    return 0;
}
