// Reading a file opened in binary as Windows reads it in text mode: CR LF
// arrives as LF and a 0x1A byte ends the file. Documents and address-book
// exports are read this way on every platform, so both behave alike.
#pragma once

#include <cstdio>

struct TextModeReader {
    FILE* file;
    bool ended;     // end of file or 0x1A seen
};

void init_text_mode_reader(TextModeReader* reader, FILE* file);
// The next byte (0-255), or -1 at the end. A lone CR stays a CR.
int text_mode_getc(TextModeReader* reader);
