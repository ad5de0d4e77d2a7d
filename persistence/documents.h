// Text documents: the form's fields written to and read from plain Shift_JIS
// files with "< Text >", "< Mail >" and "< Address >" sections, the accepted
// extensions of dropped and command-line files, the start-up document and the
// resume file. Fields go through g_form (payload/form_fields.h); the window
// copies its controls into g_form before writing and back after reading.
// Main (window) thread only; no heap use.
#pragma once

#include <cstdint>
#include <cstdio>

#include "payload/form_fields.h"
#include "persistence/start_up.h"

// Setting "savetexttype": what write_document puts in the file.
enum DocumentKind : int32_t { AllModes = 0, CurrentMode = 1, CodeText = 2 };
constexpr int32_t kDocumentKindCount = 3;
// Labels of the save dialog's list, in DocumentKind order (Shift_JIS).
extern const char* const kDocumentKindLabels[kDocumentKindCount];

enum WriteMode : int32_t { WriteReplace = 0, WriteAppend = 1 };

// Bytes of a document buffer; a file is read up to two bytes short of it.
constexpr int32_t kDocumentBytes = 102400;
// The text field and the mail body hold this many bytes in a document, every
// other field kDocumentFieldBytes.
constexpr int32_t kDocumentLongBytes = 20480;
constexpr int32_t kDocumentFieldBytes = 200;
// Longest line kept whole when reading; longer lines are cut to it.
constexpr int32_t kDocumentLineBytes = 2046;

// Writes bytes to path. WriteReplace writes a file beside path and puts it
// in path's place only when it is complete (write_bytes_staged, which keeps
// the old file's permission bits on POSIX), so a failed write leaves the
// old document whole and a read-only one is not replaced; WriteAppend
// appends. 0 done, 1 the file cannot be opened or written.
int32_t write_file_bytes(const char* path, const char* bytes, int32_t length, int32_t mode);

// Assembles the document of a DocumentKind from g_form (its fields and
// mode; CodeText: the last composed payload, g_payload) and writes it with
// WriteReplace. 0 done, 1 the file cannot be written (nobody reports it).
int32_t write_document(const char* path, int32_t kind);

// Reads an open file (opened "rb"; Windows' text-mode rules are applied
// here) to its end into form (the window's g_form unless given): each
// section sets the fields it holds; a file without sections goes whole into
// the text (mode 0) or the body (mode 1), and changes nothing in mode 2.
// Fields it does not mention and the mode stay as they were. The caller
// closes the file. 0 read; 1 the file could not be read to its end (a read
// error), the form unchanged.
int32_t read_document(FILE* file, FormFields* form = &g_form);

// --- Accepted extensions ---------------------------------------------------------------

constexpr int32_t kExtensionCount = 20;
constexpr int32_t kExtensionBytes = 18;
// Extensions with their dot, built from "extfilter"; an empty entry matches
// nothing, and ".csv" never stands here (CSV files go to the import).
extern char AcceptedExtensions[kExtensionCount][kExtensionBytes];

// Rebuilds AcceptedExtensions from the text of "extfilter": tokens between
// blanks or ideographic spaces; a token of 16 bytes or more leaves a lone
// "."; a missing dot is put in front.
void parse_extension_filter(const char* filter);

// Index of the first accepted extension that a file name ends with (case
// ignored, the name longer than the extension), or -1.
int32_t match_document_extension(const char* name);

// --- Start-up document and dropped files ------------------------------------------------

// Timer IDT_START_UP's document: with an argument (argc >= 2), argv[1] when it is an
// existing file with an accepted extension; without one, and with "resume"
// on, the resume file. 0 a document was read, 4 nothing was read.
int32_t open_start_document(int32_t argc, const char* const* argv);

// At exit, when "resume" is on: the resume file, kind AllModes. 0 written
// or not wanted, 1 it could not be written.
int32_t write_resume_file();

struct DropOutcome {
    int32_t documentsRead;   // documents read into g_form, in drop order
    int32_t importResult;    // -1 no CSV file dropped, else import_outlook_csv's result
    UserMessage message;     // "Import Error" when a CSV left no import in effect
};

// The drop handler's work on the dropped names (Shift_JIS, in the order the
// system reports them): a name longer than five bytes ending in ".csv" is
// imported (row limit 100) and ends the work; any other is read as a
// document when its extension is accepted and it opens. The window brings
// itself to the front first, shows out->message and, after a successful
// import, switches to address mode and shows the import controls.
void load_dropped_files(const char* const* names, int32_t count, DropOutcome* out);

// --- Names ---------------------------------------------------------------------------------

// ASCII letters compared without case; other bytes exactly.
bool same_ignoring_case(const char* a, const char* b);
// True when name is longer than ending and ends with it, case ignored.
bool name_ends_with(const char* name, const char* ending);
// True when name is longer than five bytes and ends in ".csv", case ignored:
// the import's files.
bool is_csv_name(const char* name);
// The save command's name: ".txt" appended unless the name ends with it
// (case ignored). 0 done, 1 no room (path room: room bytes).
int32_t ensure_txt_extension(char* path, int32_t room);
