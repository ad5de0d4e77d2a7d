// Shared parts of the mail and address composers (internal to payload/):
// the scratch buffers, field reading with drop tracking, the semicolon-form
// escaping, and appending elements to the payload.
#pragma once

#include <cstdint>

#include "payload/payload.h"

// The address fields in the scratch, in the order of the form.
enum AddressSlot : int32_t {
    SlotName, SlotFurigana, SlotPhone1, SlotPhone2, SlotPhone3, SlotMail1, SlotMail2, SlotMail3,
    SlotNote, SlotPostal, SlotBirthday, SlotUrl
};

// Scratch of one composition, zeroed at its start.
struct ComposerScratch {
    char fields[12][kFieldBufferBytes];
    char body[kPayloadBytes];
};
extern ComposerScratch g_scratch;

// read_field from g_form; a cut field marks DroppedFieldTail.
void read_form_field(int32_t control, char* buffer, int32_t limit);

// Escapes a field of the semicolon forms in four whole-character passes:
// "\" doubled, then "\" before ";", ":" and ",". commaMode 1 escapes every
// comma, 102 all but the first. When the room runs out the text is cut
// between whole characters and never after a lone escaping backslash, and
// DroppedEscapeTail is marked.
void escape_field(char* text, int32_t capacity, int32_t commaMode);
// Escapes only what ends an element: "\" doubled, then "\" before ";", with
// the same cut. For values whose ":" and "," readers take literally (the
// MECARD address and web page).
void escape_element_ends(char* text, int32_t capacity);

// Escapes a vCard text value (RFC 2426): "\" doubled, then "\" before ";"
// and ",", and every line break written "\n"; the same cut as above.
void escape_vcard_text(char* text, int32_t capacity);

// Writes the vCard 3.0 contact of the checked, normalised address slots
// (the reading already full-width, the birthday YYYYMMDD) into g_payload.
void write_vcard();

// Appends key, value and end to g_payload when the value is not empty (or
// always with force). What does not fit whole is left out and marked.
void append_element(const char* key, const char* value, const char* end, bool force);

// Sets the composition error and empties the payload; returns 1.
int32_t fail_composition(int32_t code, int32_t argument);
