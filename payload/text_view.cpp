// The text-data view of a code: its text broken into lines of the chosen
// width, a double-byte character never split across lines, and the
// carriers' emoji bytes shown as a large circle.
#include <cstring>

#include "payload/payload.h"
#include "resources/messages.h"

namespace {

const int32_t kViewOutputLimit = 2000;
const int32_t kBodyBreakCapacity = 1996;

struct ViewWriter {
    char bytes[kViewOutputLimit + 1];
    int32_t used;
    int32_t column;
    int32_t width;      // in half-width columns
    bool full;
};

bool emit(ViewWriter* w, const char* bytes, int32_t n) {
    if (w->used + n > kViewOutputLimit) {
        w->full = true;
        return false;
    }
    std::memcpy(w->bytes + w->used, bytes, static_cast<size_t>(n));
    w->used += n;
    return true;
}

void line_break(ViewWriter* w) {
    if (emit(w, "\r\n", 2)) w->column = 0;
}

// Writes the bytes of one character (or the circle), breaking before it
// when it would start in the last column and after any byte that fills it.
void emit_character(ViewWriter* w, const char* bytes, int32_t n) {
    if (n == 2 && w->column == w->width - 1) line_break(w);
    for (int32_t i = 0; i < n && !w->full; ++i) {
        if (!emit(w, bytes + i, 1)) return;
        if (w->column == w->width - 1) {
            line_break(w);
        } else {
            ++w->column;
        }
    }
}

// Length of a carrier emoji in byte form starting at p, or 0.
int32_t emoji_bytes_at(const char* p) {
    uint8_t b0 = static_cast<uint8_t>(p[0]), b1 = static_cast<uint8_t>(p[1]);
    if (b0 == 0x1B && b1 == '$' && p[2] && std::strchr("EFGOPQ", p[2]) && p[3] && p[4] == 0x0F) return 5;
    bool au = (b0 == 0xF3 || b0 == 0xF4 || b0 == 0xF6 || b0 == 0xF7) && b1 >= 0x40;
    bool docomo = (b0 == 0xF8 && b1 >= 0x9F) || (b0 == 0xF9 && b1 >= 0x40);
    return au || docomo ? 2 : 0;
}

}  // namespace

void format_text_view(char* text, int32_t carrier, int32_t previewno) {
    if (previewno < 0 || previewno >= kLineWidthRows) previewno = 4;
    if (carrier == Utf8) to_display_sjis(text, kTextViewBytes);
    replace_text(text, kBodyBreakCapacity, "BODY:", "BODY:\r\n", 0);
    ViewWriter w;
    w.used = 0;
    w.column = 0;
    w.width = 2 * LineWidths[previewno].characters;
    w.full = false;
    for (int32_t p = 0; text[p] != '\0' && !w.full;) {
        int32_t emoji = emoji_bytes_at(text + p);
        int32_t n = sjis_char_length(text + p);
        if (text[p] == '\t' || (text[p] == '\r' && text[p + 1] == '\n')) {
            p += 1;
        } else if (text[p] == '\n') {
            line_break(&w);
            p += 1;
        } else if (emoji > 0) {
            emit_character(&w, kTextViewEmojiMark, sizeof kTextViewEmojiMark - 1);
            p += emoji;
        } else {
            emit_character(&w, text + p, n);
            p += n;
        }
    }
    w.bytes[w.used] = '\0';
    std::memcpy(text, w.bytes, static_cast<size_t>(w.used) + 1);
}
