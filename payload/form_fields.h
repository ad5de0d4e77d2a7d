// The form as the composers see it: the text of each field control in
// Shift_JIS and the settings a generation pass reads. The window fills it
// from its controls before each pass; the tool and the tests fill it from
// their own input. One instance, g_form.
#pragma once

#include <cstdint>

#include "payload/typed_text.h"

#include "resources/resource.h"

// Field controls of the main form.
enum FormControl : int32_t {
    ControlText = IDC_TEXT, ControlTo = IDC_TO, ControlSubject = IDC_SUBJECT, ControlBody = IDC_BODY,
    ControlName = IDC_NAME, ControlFurigana = IDC_FURIGANA,
    ControlPhone1 = IDC_PHONE1, ControlPhone2 = IDC_PHONE2, ControlPhone3 = IDC_PHONE3,
    ControlMail1 = IDC_MAIL1, ControlMail2 = IDC_MAIL2, ControlMail3 = IDC_MAIL3,
    ControlNote = IDC_NOTE, ControlPostal = IDC_POSTAL, ControlBirthday = IDC_BIRTHDAY, ControlUrl = IDC_WEB
};

constexpr int32_t kLongFieldBytes = 20480;   // text and body
constexpr int32_t kShortFieldBytes = 1024;   // every other field
constexpr int32_t kLongFieldCount = 2;
constexpr int32_t kShortFieldCount = 14;

struct FormFields {
    char longTexts[kLongFieldCount][kLongFieldBytes];     // NUL-terminated
    char shortTexts[kShortFieldCount][kShortFieldBytes];
    // Settings a pass reads ("mode", "carrier", "redunrate", "qrver2",
    // "onecode", "autoencode", "quick", "previewno").
    int32_t mode;
    int32_t carrier;
    int32_t redunrate;
    int32_t qrver2;
    int32_t onecode;
    int32_t autoencode;
    int32_t quick;
    int32_t previewno;
    // "utf8forms": for Utf8, mail and address modes compose the smartphone
    // forms (a mailto: URI, the MECARD with a full-width reading) instead of
    // nothing. The window takes it from its option; the tool always sets it.
    int32_t utf8forms;
    // With utf8forms, the address mode writes a vCard 3.0 instead of the
    // MECARD (the tool's --contact vcard; the window never sets it).
    int32_t vcard;
    // Typed characters the fields could not carry (for a Shift_JIS target:
    // replaced by the default character; for UTF-8: kept as codes), as the
    // window or the tool read them.
    TypedTextNotes notes;
};

extern FormFields g_form;

// The text slot of a control, or null for a control that is not a field.
const char* form_field(const FormFields* form, int32_t control);
// Room of a control's slot in bytes (terminator included), 0 when unknown.
int32_t form_field_capacity(int32_t control);
// Stores length bytes of Shift_JIS text as the control's text, cut at a
// character boundary to its room. 0 stored whole, 2 cut, 1 unknown control.
int32_t set_form_field(FormFields* form, int32_t control, const char* sjis, int32_t length);
// Empties every field and takes the settings from the settings tables.
void clear_form(FormFields* form);
// Copies the settings a pass reads from the settings tables.
void load_pass_settings(FormFields* form);
