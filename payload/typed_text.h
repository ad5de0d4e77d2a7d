// Typed text (UTF-16 from a control, or the tool's UTF-8 arguments) into
// the Shift_JIS of the form's fields, with no character changed silently.
//
// For the Shift_JIS targets Windows' conversion stands (its best fits, such
// as ¥ and 〜, are what the phones show); a character it can only replace by
// its default character is still replaced, and counted in LostChars so the
// user is told. For the UTF-8 target every character reaches the symbol
// exactly: one without an exact Shift_JIS form (none at all, or only a best
// fit) enters the field as a code that convert_to_utf8 turns back into it,
// "[+XXXX]" for the basic plane and a pair of such codes (its UTF-16
// surrogates) above it, "[+D842][+DFB7]" for U+20BB7.
#pragma once

#include <cstdint>

// The characters a conversion could not carry: how many, and the first few.
constexpr int32_t kLostCharsKept = 6;
struct LostChars {
    int32_t count;
    uint32_t first[kLostCharsKept];   // code points
};

// What a conversion could not keep as it was typed: lost, what the
// target does not carry as such (replaced by the default character for
// Shift_JIS, turned into codes for UTF-8); inexact, every character without
// an exact Shift_JIS form (best fits too), which a Shift_JIS document
// changes.
struct TypedTextNotes {
    LostChars lost;
    LostChars inexact;
};

// Converts count UTF-16 units into out (room bytes, terminator written);
// keepEvery selects the UTF-8 target's rule. Stops before a character that
// does not fit whole (*cut set, when given). Adds to notes (may be null).
// Returns the bytes written.
int32_t typed_text_to_sjis(const uint16_t* units, int32_t count, bool keepEvery, char* out, int32_t room,
                           TypedTextNotes* notes, bool* cut);

// "U+D55C U+5F20" for the kept code points ("…" after them when there were
// more), into out (room bytes; 64 is enough). ASCII, so Shift_JIS as well.
void lost_chars_text(const LostChars& lost, char* out, int32_t room);
