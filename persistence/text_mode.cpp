// Windows' text-mode reading rules over a binary stream.
#include "persistence/text_mode.h"

namespace {
const int kEndOfFileMark = 0x1A;

// One byte of the file, counted.
int take(TextModeReader* reader) {
    int c = std::fgetc(reader->file);
    if (c != EOF) ++reader->offset;
    return c;
}
}  // namespace

void init_text_mode_reader(TextModeReader* reader, FILE* file) {
    reader->file = file;
    reader->ended = false;
    long at = std::ftell(file);
    reader->offset = at > 0 ? at : 0;
}

int text_mode_getc(TextModeReader* reader) {
    if (reader->ended) return -1;
    int c = take(reader);
    if (c == '\r') {
        int next = take(reader);
        if (next == '\n') return '\n';
        if (next != EOF) {
            std::ungetc(next, reader->file);
            --reader->offset;
        }
    }
    if (c == EOF || c == kEndOfFileMark) {
        reader->ended = true;
        return -1;
    }
    return c;
}

long text_mode_offset(const TextModeReader* reader) { return reader->offset; }

bool text_mode_seek(TextModeReader* reader, long offset) {
    std::clearerr(reader->file);
    if (std::fseek(reader->file, offset, SEEK_SET) != 0) return false;
    reader->offset = offset;
    reader->ended = false;
    return true;
}
