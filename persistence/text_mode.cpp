// Windows' text-mode reading rules over a binary stream.
#include "persistence/text_mode.h"

namespace {
const int kEndOfFileMark = 0x1A;
}

void init_text_mode_reader(TextModeReader* reader, FILE* file) {
    reader->file = file;
    reader->ended = false;
}

int text_mode_getc(TextModeReader* reader) {
    if (reader->ended) return -1;
    int c = std::fgetc(reader->file);
    if (c == '\r') {
        int next = std::fgetc(reader->file);
        if (next == '\n') return '\n';
        if (next != EOF) std::ungetc(next, reader->file);
    }
    if (c == EOF || c == kEndOfFileMark) {
        reader->ended = true;
        return -1;
    }
    return c;
}
