// Composition entry: the text payload, the shared composer helpers, the
// composition errors and the input snapshot of automatic generation.
#include <cstdio>
#include <cstring>

#include "payload/composer.h"

PayloadBuffer g_payload;
ComposeError g_composeError;
ComposerScratch g_scratch;

const LineWidth LineWidths[kLineWidthRows] = {
    {6, 22}, {7, 22}, {8, 22}, {9, 22}, {10, 22}, {11, 20}, {12, 18}, {14, 16}, {16, 14}, {18, 14}, {20, 12}};

namespace {

const int32_t kSnapshotBytes = 20000;
const int32_t kSnapshotTextBytes = 19998;
const int32_t kSnapshotFieldBytes = 999;

const int32_t kMailSnapshotFields[] = {ControlTo, ControlSubject, ControlBody};
const int32_t kAddressSnapshotFields[] = {ControlName, ControlFurigana, ControlPhone1, ControlPhone2,
                                          ControlPhone3, ControlMail1, ControlMail2, ControlMail3,
                                          ControlNote, ControlPostal, ControlBirthday, ControlUrl};

struct Snapshot {
    char bytes[kSnapshotBytes];
    int32_t length;
};
Snapshot g_previousSnapshot;
Snapshot g_newSnapshot;
bool g_snapshotSpoiled = false;

// Adds up to limit bytes of a field and a NUL, so that text moved from one
// field into the next still counts as a change.
void add_to_snapshot(Snapshot* s, const char* field, int32_t limit) {
    int32_t n = static_cast<int32_t>(strnlen(field, static_cast<size_t>(limit)));
    if (s->length + n + 1 > kSnapshotBytes) n = kSnapshotBytes - 1 - s->length;
    std::memcpy(s->bytes + s->length, field, static_cast<size_t>(n));
    s->length += n;
    s->bytes[s->length++] = '\0';
}

}  // namespace

int32_t fail_composition(int32_t code, int32_t argument) {
    g_composeError.code = code;
    g_composeError.argument = argument;
    std::memset(g_payload.text, 0, sizeof g_payload.text);
    return 1;
}

void read_form_field(int32_t control, char* buffer, int32_t limit) {
    if (read_field(&g_form, control, buffer, limit) == 2) g_payload.dropped |= DroppedFieldTail;
}

void append_element(const char* key, const char* value, const char* end, bool force) {
    if (value[0] == '\0' && !force) return;
    size_t used = std::strlen(g_payload.text);
    size_t need = std::strlen(key) + std::strlen(value) + std::strlen(end);
    if (used + need >= sizeof g_payload.text) {
        g_payload.dropped |= DroppedFieldTail;
        return;
    }
    std::snprintf(g_payload.text + used, sizeof g_payload.text - used, "%s%s%s", key, value, end);
}

void escape_field(char* text, int32_t capacity, int32_t commaMode) {
    int32_t cut = replace_text(text, capacity, "\\", "\\\\", 1);
    cut |= replace_text(text, capacity, ";", "\\;", 1);
    cut |= replace_text(text, capacity, ":", "\\:", 1);
    cut |= replace_text(text, capacity, ",", "\\,", commaMode);
    if (!(cut & 2)) return;
    // Every backslash is now half of a pair, so an odd run at the end means
    // the cut fell after an escaping backslash: drop it too.
    int32_t n = static_cast<int32_t>(std::strlen(text));
    int32_t run = 0;
    while (run < n && text[n - 1 - run] == '\\' && byte_type(text, n - 1 - run) != ByteTrail) ++run;
    if (run % 2 == 1) text[n - 1] = '\0';
    g_payload.dropped |= DroppedEscapeTail;
}

int32_t compose_payload() {
    std::memset(&g_scratch, 0, sizeof g_scratch);
    std::memset(g_payload.text, 0, sizeof g_payload.text);
    g_payload.dropped = DroppedNothing;
    g_composeError.code = 0;
    g_composeError.argument = 0;
    if (g_form.mode == static_cast<int32_t>(InputMode::Mail)) return compose_mail();
    if (g_form.mode == static_cast<int32_t>(InputMode::Address)) return compose_address();
    read_form_field(ControlText, g_payload.text, kTextLimit);
    if (g_payload.text[0] == '\0') return fail_composition(1, 0);
    return 0;
}

int32_t snapshot_inputs() {
    Snapshot& s = g_newSnapshot;
    s.length = 0;
    if (g_form.mode == static_cast<int32_t>(InputMode::Mail)) {
        for (int32_t c : kMailSnapshotFields) add_to_snapshot(&s, form_field(&g_form, c), kSnapshotFieldBytes);
    } else if (g_form.mode == static_cast<int32_t>(InputMode::Address)) {
        for (int32_t c : kAddressSnapshotFields) add_to_snapshot(&s, form_field(&g_form, c), kSnapshotFieldBytes);
    } else {
        add_to_snapshot(&s, form_field(&g_form, ControlText), kSnapshotTextBytes);
    }
    // Empty fields at the end add nothing, so an empty form matches the
    // empty snapshot the run starts with.
    while (s.length > 0 && s.bytes[s.length - 1] == '\0') --s.length;
    if (!g_snapshotSpoiled && s.length == g_previousSnapshot.length && std::memcmp(s.bytes, g_previousSnapshot.bytes, static_cast<size_t>(s.length)) == 0) {
        return 4;
    }
    std::memcpy(g_previousSnapshot.bytes, s.bytes, static_cast<size_t>(s.length));
    g_previousSnapshot.length = s.length;
    g_snapshotSpoiled = false;
    return 0;
}

void spoil_input_snapshot() { g_snapshotSpoiled = true; }
