// The address-book payload: the MEMORY form (softbank, au) with renumbered
// phone and mail lines, the MECARD form (docomo) with escaped elements, and
// for smartphones the MECARD with a full-width reading or a vCard.
#include <cstdio>
#include <cstring>

#include "payload/composer.h"

namespace {

const int32_t kSlotControls[12] = {ControlName, ControlFurigana, ControlPhone1, ControlPhone2,
                                   ControlPhone3, ControlMail1, ControlMail2, ControlMail3,
                                   ControlNote, ControlPostal, ControlBirthday, ControlUrl};

char* slot(int32_t s) { return g_scratch.fields[s]; }
int32_t length_of(int32_t s) { return static_cast<int32_t>(std::strlen(slot(s))); }

// Which fields a carrier reads: postal for au and docomo, birthday and URL
// for docomo only.
bool carrier_reads(int32_t carrier, int32_t s) {
    if (s == SlotPostal) return carrier == Au || carrier == Docomo;
    if (s == SlotBirthday || s == SlotUrl) return carrier == Docomo;
    return true;
}

// Normalises the fields and runs the checks in their order; the error
// code of the first that fails, with its argument, or 0.
int32_t check_fields(int32_t* argument) {
    int32_t furigana = normalise_furigana(slot(SlotFurigana), length_of(SlotFurigana));
    int32_t phone[3];
    for (int32_t i = 0; i < 3; ++i) phone[i] = normalise_phone(slot(SlotPhone1 + i), length_of(SlotPhone1 + i));
    for (int32_t i = 0; i < 3; ++i) normalise_mail_address(slot(SlotMail1 + i), length_of(SlotMail1 + i));
    int32_t birthday = parse_birthday(slot(SlotBirthday));
    bool nameOrPhone = slot(SlotName)[0] || slot(SlotPhone1)[0] || slot(SlotPhone2)[0] || slot(SlotPhone3)[0];
    if (!nameOrPhone) return ErrorNoNameOrPhone;
    if (birthday == 1) return ErrorBadBirthday;
    for (int32_t i = 2; i >= 0; --i) {
        if (phone[i] == 1) {
            *argument = i + 1;
            return ErrorBadPhone;
        }
    }
    return furigana == 1 ? ErrorBadFurigana : ErrorNone;
}

// Appends the non-empty fields first..first+2 as KEY1, KEY2... by rank.
void append_numbered(const char* key, int32_t first) {
    int32_t rank = 0;
    for (int32_t s = first; s < first + 3; ++s) {
        if (!slot(s)[0]) continue;
        char numbered[16];
        std::snprintf(numbered, sizeof numbered, "%s%d:", key, ++rank);
        append_element(numbered, slot(s), "\r\n", false);
    }
}

void write_memory() {
    append_element("MEMORY:", slot(SlotNote), "\r\n", true);
    append_element("NAME1:", slot(SlotName), "\r\n", false);
    append_element("NAME2:", slot(SlotFurigana), "\r\n", false);
    append_numbered("TEL", SlotPhone1);
    append_numbered("MAIL", SlotMail1);
    append_element("ADD:", slot(SlotPostal), "\r\n", false);
}

void write_mecard() {
    // Name and reading keep their first comma (family, given name).
    for (int32_t s = SlotName; s <= SlotNote; ++s) escape_field(slot(s), kFieldBufferBytes, s <= SlotFurigana ? 102 : 1);
    // The address and the web page escape only what would end the element;
    // readers take their ":" and "," literally (a URL keeps "http://").
    escape_element_ends(slot(SlotPostal), kFieldBufferBytes);
    escape_element_ends(slot(SlotUrl), kFieldBufferBytes);
    static const char* const kKeys[12] = {"N:", "SOUND:", "TEL:", "TEL:", "TEL:", "EMAIL:",
                                          "EMAIL:", "EMAIL:", "NOTE:", "ADR:", "BDAY:", "URL:"};
    append_element("MECARD:", "", "", true);
    for (int32_t s = SlotName; s <= SlotUrl; ++s) append_element(kKeys[s], slot(s), ";", false);
    append_element(";", "", "", true);
}

}  // namespace

int32_t compose_address() {
    // The smartphone contact is the docomo MECARD with a full-width reading.
    bool smartphone = g_form.carrier == Utf8 && g_form.utf8forms != 0;
    int32_t carrier = smartphone ? Docomo : g_form.carrier;
    if (carrier != Softbank && carrier != Docomo && carrier != Au) return 0;
    for (int32_t s = SlotName; s <= SlotUrl; ++s) {
        if (carrier_reads(carrier, s)) read_form_field(kSlotControls[s], slot(s), kFieldLimit);
    }
    int32_t argument = 0;
    int32_t error = check_fields(&argument);
    if (error != ErrorNone) return fail_composition(error, argument);
    if (smartphone) to_full_width_katakana(slot(SlotFurigana), kFieldBufferBytes);
    if (smartphone && g_form.vcard != 0) {
        write_vcard();
    } else if (carrier == Docomo) {
        write_mecard();
    } else {
        write_memory();
    }
    return 0;
}
