// Shift_JIS text helpers: byte classes, field reading, character-wise
// replacement and cutting. Every cut falls between whole characters.
#include <cstdlib>
#include <cstring>

#include "payload/payload.h"

static bool in_lead_range(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
static bool in_trail_range(uint8_t b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }
static bool is_single(uint8_t b) { return (b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF); }

int32_t sjis_char_length(const char* at) {
    uint8_t b = static_cast<uint8_t>(at[0]);
    if (b == 0) return 0;
    return in_lead_range(b) && in_trail_range(static_cast<uint8_t>(at[1])) ? 2 : 1;
}

int32_t byte_type(const char* text, int32_t i) {
    if (i < 0) return ByteInvalid;
    int32_t p = 0;
    while (p <= i) {
        uint8_t b = static_cast<uint8_t>(text[p]);
        if (b == 0) return ByteInvalid;
        if (in_lead_range(b)) {
            if (p == i) return ByteLead;
            uint8_t t = static_cast<uint8_t>(text[p + 1]);
            if (p + 1 == i) return t != 0 && in_trail_range(t) ? ByteTrail : ByteInvalid;
            if (t == 0) return ByteInvalid;
            p += 2;
        } else {
            if (p == i) return is_single(b) ? ByteSingle : ByteInvalid;
            ++p;
        }
    }
    return ByteInvalid;
}

// Length of the longest prefix of at most limit bytes that ends between
// characters: a character straddling the limit stays out whole.
static int32_t boundary_before(const char* text, int32_t limit) {
    int32_t p = 0;
    while (text[p] != '\0') {
        int32_t n = sjis_char_length(text + p);
        if (p + n > limit) break;
        p += n;
    }
    return p;
}

int32_t read_field(const FormFields* form, int32_t control, char* buffer, int32_t limit) {
    const char* src = form_field(form, control);
    if (src == nullptr) {
        buffer[0] = '\0';
        return 1;
    }
    int32_t n = boundary_before(src, limit);
    std::memcpy(buffer, src, static_cast<size_t>(n));
    buffer[n] = '\0';
    return src[n] == '\0' ? 0 : 2;
}

void cut_at_char(char* dst, const char* src, char c, int32_t part) {
    const char* at = std::strchr(src, c);
    if (c == '\0') at = nullptr;
    if (part == 0) {
        size_t n = at ? static_cast<size_t>(at - src) : std::strlen(src);
        std::memmove(dst, src, n);
        dst[n] = '\0';
    } else if (at) {
        std::memmove(dst, at + 1, std::strlen(at + 1) + 1);
    } else {
        dst[0] = '\0';
    }
}

// --- replace_text --------------------------------------------------------------------------

namespace {

const int32_t kRefusedCapacity = 204804;
const int32_t kStackCapacity = 5120;

// Appends n bytes to out (room - 1 usable) when they fit whole.
bool append_unit(char* out, int32_t* used, int32_t room, const char* bytes, int32_t n) {
    if (*used + n > room - 1) return false;
    std::memcpy(out + *used, bytes, static_cast<size_t>(n));
    *used += n;
    return true;
}

// Builds the result into out (room bytes); 2 when it had to stop early.
int32_t build_replaced(const char* text, char* out, int32_t room, const char* find,
                       const char* replacement, int32_t mode) {
    int32_t findLength = static_cast<int32_t>(std::strlen(find));
    int32_t replacementLength = static_cast<int32_t>(std::strlen(replacement));
    int32_t keep = mode >= 101 && mode <= 199 ? mode - 101 : 0;
    bool all = mode != 0;
    int32_t seen = 0, used = 0, p = 0;
    bool replacing = true;
    while (text[p] != '\0') {
        bool match = replacing && std::strncmp(text + p, find, static_cast<size_t>(findLength)) == 0;
        if (match) {
            bool kept = seen++ < keep;
            if (!append_unit(out, &used, room, kept ? find : replacement, kept ? findLength : replacementLength)) break;
            p += findLength;
            if (!all) replacing = false;
            continue;
        }
        int32_t n = sjis_char_length(text + p);
        if (!append_unit(out, &used, room, text + p, n)) break;
        p += n;
    }
    out[used] = '\0';
    return text[p] == '\0' ? 0 : 2;
}

}  // namespace

int32_t replace_text(char* text, int32_t capacity, const char* find, const char* replacement,
                     int32_t mode) {
    if (capacity >= kRefusedCapacity || capacity < 1 || find[0] == '\0') return 1;
    char small[kStackCapacity];
    char* out = capacity < kStackCapacity ? small : static_cast<char*>(std::malloc(static_cast<size_t>(capacity)));
    if (out == nullptr) return 1;
    int32_t result = build_replaced(text, out, capacity, find, replacement, mode);
    std::memcpy(text, out, std::strlen(out) + 1);
    if (out != small) std::free(out);
    return result;
}
