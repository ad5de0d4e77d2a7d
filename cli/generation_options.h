// Generation options of the command-line tool (--level, --max-version,
// --one-code, --no-external) and a whole generation run pass after pass as
// the program runs it, for every subcommand that makes codes.
#pragma once

#include <cstdint>

struct GenerationOptions {
    int32_t level;        // EcLevel, default M
    int32_t maxVersion;   // 1-20, default 20
    bool oneCode;
    bool noExternal;
};

// Help lines describing the generation options.
extern const char kGenerationOptionsHelp[];

void init_generation_options(GenerationOptions* options);

// Takes the option at argv[*i] (and its value, advancing *i). 1 taken, 0 not
// a generation option, -1 a generation option with a missing or bad value.
int parse_generation_option(int argc, char** argv, int* i, GenerationOptions* options);

struct PayloadOptions;

// Fills a form record of its own from the payload options and runs a whole
// generation on it (which composes the payload once) with QR2DLL loaded
// from beside the tool unless noExternal. Returns an exit code; a composition or generation
// error's message (prefixed with command) goes to standard error with
// ExitGenerationError. The CodeList then holds the codes.
int generate_codes(const PayloadOptions& payload, const GenerationOptions& options, const char* command);
