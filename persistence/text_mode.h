// Reading a file opened in binary as Windows reads it in text mode: CR LF
// arrives as LF and a 0x1A byte ends the file. Documents and address-book
// exports are read this way on every platform, so both behave alike.
#pragma once

#include <cstdio>

struct TextModeReader {
    FILE* file;
    bool ended;     // end of file or 0x1A seen
    long offset;    // bytes of the file taken so far
};

void init_text_mode_reader(TextModeReader* reader, FILE* file);
// The next byte (0-255), or -1 at the end. A lone CR stays a CR.
int text_mode_getc(TextModeReader* reader);
// Where the next byte comes from, for going back to it.
long text_mode_offset(const TextModeReader* reader);
// Goes back (or on) to an offset text_mode_offset gave: reading goes on
// from there as if it had never gone further. false when the file cannot
// seek.
bool text_mode_seek(TextModeReader* reader, long offset);
