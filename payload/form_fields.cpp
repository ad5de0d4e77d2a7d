// The form's field record: one slot per field control, long slots for the
// text and the body, plus the settings a pass reads.
#include "payload/form_fields.h"

#include <cstring>

#include "payload/payload.h"
#include "settings/settings_tables.h"

FormFields g_form;

namespace {

// Short-field slots, in slot order.
const int32_t kShortControls[kShortFieldCount] = {
    ControlTo, ControlSubject, ControlName, ControlFurigana, ControlPhone1, ControlPhone2,
    ControlPhone3, ControlMail1, ControlMail2, ControlMail3, ControlNote, ControlPostal,
    ControlBirthday, ControlUrl};

char* slot_of(FormFields* form, int32_t control) {
    if (control == ControlText) return form->longTexts[0];
    if (control == ControlBody) return form->longTexts[1];
    for (int32_t i = 0; i < kShortFieldCount; ++i) {
        if (kShortControls[i] == control) return form->shortTexts[i];
    }
    return nullptr;
}

}  // namespace

const char* form_field(const FormFields* form, int32_t control) {
    return slot_of(const_cast<FormFields*>(form), control);
}

int32_t form_field_capacity(int32_t control) {
    if (control == ControlText || control == ControlBody) return kLongFieldBytes;
    for (int32_t c : kShortControls) {
        if (c == control) return kShortFieldBytes;
    }
    return 0;
}

int32_t set_form_field(FormFields* form, int32_t control, const char* sjis, int32_t length) {
    char* slot = slot_of(form, control);
    if (slot == nullptr) return 1;
    int32_t room = form_field_capacity(control) - 1;
    int32_t p = 0;
    while (p < length && sjis[p] != '\0') {
        int32_t n = sjis_char_length(sjis + p);
        if (p + n > room || p + n > length) break;
        p += n;
    }
    std::memcpy(slot, sjis, static_cast<size_t>(p));
    slot[p] = '\0';
    return p < length ? 2 : 0;
}

void load_pass_settings(FormFields* form) {
    form->mode = int_setting(SettingMode);
    form->carrier = int_setting(SettingCarrier);
    form->redunrate = int_setting(SettingRedunRate);
    form->qrver2 = int_setting(SettingQrVer2);
    form->onecode = int_setting(SettingOneCode);
    form->autoencode = int_setting(SettingAutoEncode);
    form->quick = int_setting(SettingQuick);
    form->previewno = int_setting(SettingPreviewNo);
    form->utf8forms = int_setting(SettingUtf8Forms);
}

void clear_form(FormFields* form) {
    std::memset(form->longTexts, 0, sizeof form->longTexts);
    std::memset(form->shortTexts, 0, sizeof form->shortTexts);
    form->notes = {};
    form->vcard = 0;
    load_pass_settings(form);
}
