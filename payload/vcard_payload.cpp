// The smartphone contact as a vCard 3.0: the fields of the MECARD form with
// the name and its reading split into family and given name, every text
// value escaped, CR LF line ends, and empty fields left out (N and FN, which
// the format requires, always stand).
#include <cstdio>
#include <cstring>

#include "payload/composer.h"

namespace {

// Halves of a name or reading and the vCard lines built from them.
char familyScratch[kFieldBufferBytes];
char givenScratch[kFieldBufferBytes];
char lineScratch[3 * kFieldBufferBytes];

// Splits text at its first space, half-width or full-width ("　"), into
// familyScratch and givenScratch; without a space the whole text is the family name.
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
    std::snprintf(familyScratch, sizeof familyScratch, "%.*s", at, text);
    std::snprintf(givenScratch, sizeof givenScratch, "%s", text + at + skip);
    escape_vcard_text(familyScratch, kFieldBufferBytes);
    escape_vcard_text(givenScratch, kFieldBufferBytes);
}

void write_names(char* name, char* reading) {
    split_at_first_space(name);
    std::snprintf(lineScratch, sizeof lineScratch, "%s;%s;;;", familyScratch, givenScratch);
    append_element("N:", lineScratch, "\r\n", true);
    escape_vcard_text(name, kFieldBufferBytes);
    append_element("FN:", name, "\r\n", true);
    split_at_first_space(reading);
    append_element("X-PHONETIC-LAST-NAME:", familyScratch, "\r\n", false);
    append_element("X-PHONETIC-FIRST-NAME:", givenScratch, "\r\n", false);
}

void write_postal(char* postal) {
    if (postal[0] == '\0') return;
    escape_vcard_text(postal, kFieldBufferBytes);
    // The whole address in the street part: the form keeps it as one text.
    std::snprintf(lineScratch, sizeof lineScratch, ";;%s;;;;", postal);
    append_element("ADR:", lineScratch, "\r\n", false);
}

// The birthday slot holds YYYYMMDD when given.
void write_birthday(const char* birthday) {
    if (std::strlen(birthday) != 8) return;
    std::snprintf(lineScratch, sizeof lineScratch, "%.4s-%.2s-%.2s", birthday, birthday + 4, birthday + 6);
    append_element("BDAY:", lineScratch, "\r\n", false);
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
