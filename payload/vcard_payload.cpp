// The smartphone contact as a vCard 3.0: the fields of the MECARD form with
// the name and its reading split into family and given name, every text
// value escaped, CR LF line ends, and empty fields left out (N and FN, which
// the format requires, always stand).
#include <cstdio>
#include <cstring>

#include "payload/composer.h"

namespace {

// Halves of a name or reading and the vCard lines built from them.
char g_family[kFieldBufferBytes];
char g_given[kFieldBufferBytes];
char g_line[3 * kFieldBufferBytes];

// Splits text at its first space, half-width or full-width ("　"), into
// g_family and g_given; without a space the whole text is the family name.
void split_at_first_space(const char* text) {
    int32_t n = static_cast<int32_t>(std::strlen(text));
    int32_t at = n, skip = 0;
    for (int32_t i = 0; i < n; ++i) {
        if (byte_type(text, i) == ByteTrail) continue;
        if (text[i] == ' ') skip = 1;
        if (static_cast<uint8_t>(text[i]) == 0x81 && static_cast<uint8_t>(text[i + 1]) == 0x40) skip = 2;
        if (skip != 0) {
            at = i;
            break;
        }
    }
    std::snprintf(g_family, sizeof g_family, "%.*s", at, text);
    std::snprintf(g_given, sizeof g_given, "%s", text + at + skip);
    escape_vcard_text(g_family, kFieldBufferBytes);
    escape_vcard_text(g_given, kFieldBufferBytes);
}

void write_names(char* name, char* reading) {
    split_at_first_space(name);
    std::snprintf(g_line, sizeof g_line, "%s;%s;;;", g_family, g_given);
    append_element("N:", g_line, "\r\n", true);
    escape_vcard_text(name, kFieldBufferBytes);
    append_element("FN:", name, "\r\n", true);
    split_at_first_space(reading);
    append_element("X-PHONETIC-LAST-NAME:", g_family, "\r\n", false);
    append_element("X-PHONETIC-FIRST-NAME:", g_given, "\r\n", false);
}

void write_postal(char* postal) {
    if (postal[0] == '\0') return;
    escape_vcard_text(postal, kFieldBufferBytes);
    // The whole address in the street part: the form keeps it as one text.
    std::snprintf(g_line, sizeof g_line, ";;%s;;;;", postal);
    append_element("ADR:", g_line, "\r\n", false);
}

// The birthday slot holds YYYYMMDD when given.
void write_birthday(const char* birthday) {
    if (std::strlen(birthday) != 8) return;
    std::snprintf(g_line, sizeof g_line, "%.4s-%.2s-%.2s", birthday, birthday + 4, birthday + 6);
    append_element("BDAY:", g_line, "\r\n", false);
}

}  // namespace

void write_vcard() {
    char(&f)[12][kFieldBufferBytes] = g_scratch.fields;
    append_element("BEGIN:VCARD\r\nVERSION:3.0\r\n", "", "", true);
    write_names(f[SlotName], f[SlotFurigana]);
    for (int32_t s = SlotPhone1; s <= SlotMail3; ++s) {
        escape_vcard_text(f[s], kFieldBufferBytes);
        append_element(s <= SlotPhone3 ? "TEL;TYPE=CELL:" : "EMAIL:", f[s], "\r\n", false);
    }
    write_postal(f[SlotPostal]);
    write_birthday(f[SlotBirthday]);
    // A web address is a URI value, taken as it stands.
    append_element("URL:", f[SlotUrl], "\r\n", false);
    escape_vcard_text(f[SlotNote], kFieldBufferBytes);
    append_element("NOTE:", f[SlotNote], "\r\n", false);
    append_element("END:VCARD\r\n", "", "", true);
}
