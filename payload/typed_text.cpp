// Typed text into the fields' Shift_JIS, character by character (ASCII
// without a conversion call). No heap, no globals.
#include "payload/typed_text.h"

#include <cstdio>
#include <cstring>

#include "platform/codepage.h"

namespace {

bool is_high(uint16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool is_low(uint16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

void note_lost(LostChars* lost, uint32_t codePoint) {
    if (lost == nullptr) return;
    if (lost->count < kLostCharsKept) lost->first[lost->count] = codePoint;
    ++lost->count;
}

// The Shift_JIS bytes of one character (n units) into piece; false when
// it has none that reads back as the same character.
bool exact_form(const uint16_t* units, int32_t n, char* piece, int32_t* bytes, bool* usedDefault) {
    *usedDefault = false;
    *bytes = utf16_to_cp932(units, n, piece, nullptr, usedDefault);
    if (*usedDefault) return false;
    uint16_t back[4];
    int32_t m = cp932_to_utf16(piece, *bytes, back);
    return m == n && std::memcmp(back, units, static_cast<size_t>(n) * sizeof(uint16_t)) == 0;
}

// The code(s) that stand for the character in the UTF-8 target.
int32_t code_form(const uint16_t* units, int32_t n, char* piece) {
    int32_t bytes = 0;
    for (int32_t i = 0; i < n; ++i) {
        std::snprintf(piece + bytes, 8, "[+%04X]", static_cast<unsigned>(units[i]));
        bytes += 7;
    }
    return bytes;
}

// The form of the character of n units at units for the target; its bytes.
int32_t character_form(const uint16_t* units, int32_t n, bool keepEvery, char* piece, TypedTextNotes* notes) {
    LostChars* lost = notes != nullptr ? &notes->lost : nullptr;
    uint32_t codePoint = n == 2 ? 0x10000 + ((units[0] - 0xD800u) << 10) + (units[1] - 0xDC00u) : units[0];
    bool lone = n == 1 && (is_high(units[0]) || is_low(units[0]));
    int32_t bytes = 0;
    bool usedDefault = false;
    if (!lone && exact_form(units, n, piece, &bytes, &usedDefault)) return bytes;
    if (notes != nullptr) note_lost(&notes->inexact, codePoint);
    if (keepEvery && !lone) {
        note_lost(lost, codePoint);
        return code_form(units, n, piece);
    }
    if (usedDefault || lone) {
        note_lost(lost, codePoint);
        if (lone) bytes = utf16_to_cp932(units, 1, piece, nullptr, nullptr);
    }
    return bytes;   // Windows' best fit, or its default character
}

}  // namespace

int32_t typed_text_to_sjis(const uint16_t* units, int32_t count, bool keepEvery, char* out, int32_t room,
                           TypedTextNotes* notes, bool* cut) {
    if (cut != nullptr) *cut = false;
    if (room <= 0) return 0;
    int32_t written = 0;
    for (int32_t i = 0; i < count;) {
        // ASCII is its own Shift_JIS form: no conversion call for it.
        if (units[i] < 0x80) {
            if (written + 1 > room - 1) {
                if (cut != nullptr) *cut = true;
                break;
            }
            out[written++] = static_cast<char>(units[i++]);
            continue;
        }
        int32_t n = is_high(units[i]) && i + 1 < count && is_low(units[i + 1]) ? 2 : 1;
        char piece[16];
        int32_t bytes = character_form(units + i, n, keepEvery, piece, notes);
        if (written + bytes > room - 1) {
            if (cut != nullptr) *cut = true;
            break;
        }
        std::memcpy(out + written, piece, static_cast<size_t>(bytes));
        written += bytes;
        i += n;
    }
    out[written] = '\0';
    return written;
}

void lost_chars_text(const LostChars& lost, char* out, int32_t room) {
    if (room <= 0) return;
    out[0] = '\0';
    int32_t used = 0;
    int32_t shown = lost.count < kLostCharsKept ? lost.count : kLostCharsKept;
    for (int32_t i = 0; i < shown && used < room; ++i) {
        int n = std::snprintf(out + used, static_cast<size_t>(room - used), "%sU+%04X", i > 0 ? " " : "",
                              static_cast<unsigned>(lost.first[i]));
        if (n < 0) break;
        used += n;
    }
    if (lost.count > shown && used + 4 < room) std::snprintf(out + used, static_cast<size_t>(room - used), " ...");
}
