// parse_birthday and to_half_width on any bytes. parse_birthday says 4 for
// an empty text, else either empties it (1) or leaves eight digits of a real
// date (0) that read again the same, also written as YYYY/MM/DD.
// to_half_width never lengthens a text, changes nothing with no flags,
// leaves the bytes past its walk alone, is done after one run on a short
// text, and leaves no full-width digit or Latin letter of the kinds asked for.
#include <cstdio>
#include <cstring>
#include <string>

#include "payload/payload.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

bool real_date(const char* digits) {
    for (int32_t i = 0; i < 8; ++i) {
        if (digits[i] < '0' || digits[i] > '9') return false;
    }
    int32_t y = 0, m = 0, d = 0;
    std::sscanf(digits, "%4d%2d%2d", &y, &m, &d);
    static const int32_t kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m >= 1 && m <= 12 && d >= 1 && d <= (m == 2 && !leap ? 28 : kDays[m - 1]);
}

void check_birthday(std::string text) {
    text.resize(std::min<size_t>(text.size(), 200));
    char buffer[256];
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    int32_t result = parse_birthday(buffer);
    const size_t n = std::strlen(buffer);
    if (text.empty()) {
        FUZZ_CHECK(result == 4 && n == 0, "an empty birthday gave %d", result);
        return;
    }
    FUZZ_CHECK(result == 0 || result == 1, "parse_birthday(%s) gave %d", printable(text).c_str(), result);
    if (result == 1) {
        FUZZ_CHECK(n == 0, "an invalid birthday left %s", printable(buffer).c_str());
        return;
    }
    FUZZ_CHECK(n == 8 && real_date(buffer), "%s read as %s", printable(text).c_str(), printable(buffer).c_str());
    const std::string digits = buffer;
    int32_t again = parse_birthday(buffer);
    FUZZ_CHECK(again == 0 && digits == buffer, "%s read again as %s", digits.c_str(), printable(buffer).c_str());
    std::snprintf(buffer, sizeof buffer, "%.4s/%.2s/%.2s", digits.c_str(), digits.c_str() + 4, digits.c_str() + 6);
    again = parse_birthday(buffer);
    FUZZ_CHECK(again == 0 && digits == buffer, "%s/../.. read as %s", digits.c_str(), printable(buffer).c_str());
}

// Full-width digits 0x824F-0x8258 or Latin letters 0x8260-0x8279 and
// 0x8281-0x829A among the characters of the first bytes of text.
bool full_width_left(const std::string& text, int32_t flags, size_t within) {
    for (size_t i = 0; i < text.size() && i < within;) {
        int32_t n = sjis_char_length(text.c_str() + i);
        if (n == 2 && i + 2 <= within) {
            int32_t code = static_cast<uint8_t>(text[i]) << 8 | static_cast<uint8_t>(text[i + 1]);
            if ((flags & HalfDigits) && code >= 0x824F && code <= 0x8258) return true;
            if ((flags & HalfLatin) && ((code >= 0x8260 && code <= 0x8279) || (code >= 0x8281 && code <= 0x829A))) {
                return true;
            }
        }
        i += n > 0 ? static_cast<size_t>(n) : 1;
    }
    return false;
}

void check_half_width(const std::string& text, int32_t flags) {
    static char buffer[8192];
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    to_half_width(buffer, flags);
    const std::string once = buffer;
    FUZZ_CHECK(once.size() <= text.size(), "to_half_width lengthened %zu to %zu bytes", text.size(), once.size());
    if (flags == 0) FUZZ_CHECK(once == text, "no flags changed the text");
    // The walk ends at byte 1,024 or, after a character across it, 1,025.
    if (text.size() > 1025) {
        FUZZ_CHECK(once.compare(once.size() - (text.size() - 1025), std::string::npos, text, 1025) == 0,
                   "bytes past the walk changed");
    }
    if (text.size() <= 1024) {
        FUZZ_CHECK(!full_width_left(once, flags, once.size()), "full-width characters left in %s",
                   printable(once).c_str());
        to_half_width(buffer, flags);
        FUZZ_CHECK(once == buffer, "a second run changed %s", printable(once).c_str());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in = {data, size, 0};
    const uint8_t choice = take_byte(&in);
    std::string text = take_until_nul(&in);
    if (text.size() > 8000) text.resize(8000);
    if (choice & 1) {
        check_birthday(text);
    } else {
        check_half_width(text, (choice >> 1) & 7);
    }
    return 0;
}
