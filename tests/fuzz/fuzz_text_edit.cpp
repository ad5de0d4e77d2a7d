// replace_text and read_field on any Shift_JIS bytes. replace_text refuses
// an empty find and a room outside 1 .. 204,803 and then leaves the text
// alone; otherwise the result fits the room, is whole when nothing was cut,
// equals a plain replacement when text and find are ASCII (every position
// a character boundary), and is the text itself when find does not occur or
// is its own replacement. read_field gives the field whole, or cut at a
// character boundary to at most the limit and at most one byte short of it.
#include <cstring>
#include <string>
#include <vector>

#include "payload/payload.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

bool is_ascii(const std::string& s) {
    for (unsigned char c : s) {
        if (c >= 0x80) return false;
    }
    return true;
}

// Left to right without overlap: mode 0 the first match, 101-199 all but the
// first mode - 101, any other mode all.
std::string plain_replace(const std::string& text, const std::string& find, const std::string& repl, int32_t mode) {
    const int32_t keep = mode >= 101 && mode <= 199 ? mode - 101 : 0;
    std::string out;
    size_t p = 0;
    int32_t seen = 0;
    while (p < text.size()) {
        size_t at = text.find(find, p);
        if (at == std::string::npos || (mode == 0 && seen == 1)) break;
        out += text.substr(p, at - p);
        out += seen++ < keep ? find : repl;
        p = at + find.size();
    }
    return out + text.substr(p);
}

void check_replace(const std::string& text, const std::string& find, const std::string& repl, int32_t mode,
                   int32_t capacity) {
    std::vector<char> buffer(std::max<size_t>(static_cast<size_t>(capacity > 0 && capacity < 204804 ? capacity : 0),
                                              text.size() + 1));
    std::memcpy(buffer.data(), text.c_str(), text.size() + 1);
    int32_t result = replace_text(buffer.data(), capacity, find.c_str(), repl.c_str(), mode);
    std::string out = buffer.data();
    if (find.empty() || capacity < 1 || capacity >= 204804) {
        FUZZ_CHECK(result == 1 && out == text, "refused case (capacity %d) gave %d", capacity, result);
        return;
    }
    FUZZ_CHECK(result == 0 || result == 2, "replace_text gave %d", result);
    FUZZ_CHECK(out.size() <= static_cast<size_t>(capacity - 1), "%zu bytes in a room of %d", out.size(), capacity);
    if (text.find(find) == std::string::npos || find == repl) {
        FUZZ_CHECK(result == 0 && out == text, "without a change the text became %s", printable(out).c_str());
    }
    if (is_ascii(text) && is_ascii(find)) {
        std::string expected = plain_replace(text, find, repl, mode);
        if (result == 0) {
            FUZZ_CHECK(out == expected, "mode %d: %s, expected %s", mode, printable(out).c_str(),
                       printable(expected).c_str());
        } else {
            FUZZ_CHECK(expected.compare(0, out.size(), out) == 0 && expected.size() > out.size(),
                       "mode %d cut: %s is not a start of %s", mode, printable(out).c_str(),
                       printable(expected).c_str());
        }
    }
}

void check_read_field(const std::string& bytes, int32_t control, int32_t limit) {
    static FormFields form;
    static char buffer[kLongFieldBytes + 1];
    clear_form(&form);
    set_form_field(&form, control, bytes.data(), static_cast<int32_t>(bytes.size()));
    const std::string field = form_field(&form, control);
    int32_t result = read_field(&form, control, buffer, limit);
    std::string out = buffer;
    if (field.size() <= static_cast<size_t>(limit)) {
        FUZZ_CHECK(result == 0 && out == field, "a field of %zu bytes read with limit %d", field.size(), limit);
        return;
    }
    FUZZ_CHECK(result == 2, "a cut read gave %d", result);
    FUZZ_CHECK(field.compare(0, out.size(), out) == 0, "the cut field is not its start");
    FUZZ_CHECK(out.size() <= static_cast<size_t>(limit) && out.size() + 1 >= static_cast<size_t>(limit),
               "cut to %zu bytes with limit %d", out.size(), limit);
    FUZZ_CHECK(byte_type(field.c_str(), static_cast<int32_t>(out.size())) != ByteTrail,
               "cut inside a character at %zu", out.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const int32_t kModes[8] = {0, 1, 101, 102, 103, 150, 199, 7};
    FuzzInput in = {data, size, 0};
    const uint8_t choice = take_byte(&in);
    const int32_t extra = take_byte(&in) | take_byte(&in) << 8;
    if (choice & 1) {
        const int32_t control = (choice & 2) ? ControlText : (choice & 4) ? ControlName : 1000;
        const std::string field = take_rest(&in);
        if (control == 1000) {
            static char buffer[16];
            FUZZ_CHECK(read_field(&g_form, control, buffer, 8) == 1 && buffer[0] == '\0', "not a field was read");
            return 0;
        }
        const int32_t room = form_field_capacity(control) - 1;
        check_read_field(field, control, extra % (room + 1));
        return 0;
    }
    const std::string text = take_until_nul(&in);
    const std::string find = take_until_nul(&in);
    const std::string repl = take_until_nul(&in);
    const int32_t mode = kModes[(choice >> 1) % 8];
    // Mostly a room that holds the text, sometimes one of the refused ones.
    int32_t capacity = static_cast<int32_t>(text.size()) + 1 + extra % 512;
    if ((choice >> 4) == 15) capacity = 204804;
    if ((choice >> 4) == 14) capacity = 0;
    check_replace(text, find, repl, mode, capacity);
    return 0;
}
