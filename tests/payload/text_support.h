// Test helpers: Shift_JIS from readable UTF-8 literals and back, and a form
// filled the way the window fills it.
#pragma once

#include <string>

#include "payload/payload.h"

// The Shift_JIS bytes of a UTF-8 text, converted as Windows does.
std::string sjis(const std::string& utf8);
// The UTF-8 form of Shift_JIS bytes.
std::string utf8_of(const std::string& sjisText);
// Empties g_form and sets carrier and mode.
void reset_form(int32_t carrier, InputMode mode);
// Sets a field of g_form from UTF-8 text.
void set_field(int32_t control, const std::string& utf8);
// Sets a field of g_form from raw Shift_JIS bytes.
void set_field_bytes(int32_t control, const std::string& bytes);
// g_payload's text as a string.
std::string payload_text();
// sjisText put into g_payload and through convert_to_utf8; the result.
std::string converted_to_utf8(const std::string& sjisText);
