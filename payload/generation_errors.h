// The error codes of a generation, one list for the composers (which set
// g_composeError) and the pipeline (generation_error). Each code indexes
// ErrorTable, which holds its message; 3 is unused and has none.
#pragma once

#include <cstdint>

enum GenerationErrorCode : int32_t {
    ErrorNone = 0,
    ErrorNoText = 1,              // nothing to encode
    ErrorSplitFailed = 2,         // the splitter found no division
    ErrorNoNameOrPhone = 4,       // address mode: name and phones all empty
    ErrorNoUrl = 5,               // the web page field is empty
    ErrorNoExternalEncoder = 6,   // QR2DLL could not be loaded
    ErrorBadBirthday = 7,         // birthday not year/month/day
    ErrorBadPhone = 8,            // a phone number (argument: its number 1-3)
    ErrorBadFurigana = 9,         // furigana not readable as kana
    ErrorTooLongForOneCode = 10,  // one code asked for, more needed
    ErrorMailUriTooLong = 11      // the mailto: URI (argument: its bytes) outruns the payload
};
