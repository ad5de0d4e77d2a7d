// Test helpers for readable Shift_JIS test data.
#include "tests/payload/text_support.h"

#include <cstring>
#include <vector>

#include "platform/codepage.h"

std::string sjis(const std::string& utf8) {
    std::vector<uint16_t> units(utf8.size() + 1);
    int32_t n = utf8_to_utf16(utf8.data(), static_cast<int32_t>(utf8.size()), units.data());
    std::string out(static_cast<size_t>(n) * 2 + 1, '\0');
    out.resize(static_cast<size_t>(utf16_to_cp932(units.data(), n, &out[0], nullptr, nullptr)));
    return out;
}

std::string utf8_of(const std::string& sjisText) {
    std::vector<uint16_t> units(sjisText.size() + 1);
    int32_t n = cp932_to_utf16(sjisText.data(), static_cast<int32_t>(sjisText.size()), units.data());
    std::string out(static_cast<size_t>(n) * 3 + 1, '\0');
    out.resize(static_cast<size_t>(utf16_to_utf8(units.data(), n, &out[0])));
    return out;
}

void reset_form(int32_t carrier, InputMode mode) {
    clear_form(&g_form);
    g_form.carrier = carrier;
    g_form.mode = static_cast<int32_t>(mode);
}

void set_field(int32_t control, const std::string& utf8) { set_field_bytes(control, sjis(utf8)); }

void set_field_bytes(int32_t control, const std::string& bytes) {
    set_form_field(&g_form, control, bytes.data(), static_cast<int32_t>(bytes.size()));
}

std::string payload_text() { return g_payload.text; }

std::string converted_to_utf8(const std::string& sjisText) {
    std::memset(g_payload.text, 0, sizeof g_payload.text);
    std::memcpy(g_payload.text, sjisText.data(), sjisText.size());
    g_payload.dropped = DroppedNothing;
    convert_to_utf8(&g_payload);
    return payload_text();
}
