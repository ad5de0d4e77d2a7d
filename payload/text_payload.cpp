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

// Every field counts over at least the bytes its composer reads, so no edit
// the payload could show goes unseen: the text its 19,999 bytes, the body
// its 17,900; the short fields (composers read 200) keep their 999.
const int32_t kSnapshotBytes = 20000;
const int32_t kSnapshotFieldBytes = 999;

struct SnapshotField {
    int32_t control;
    int32_t limit;
};
constexpr SnapshotField kTextSnapshotFields[] = {{ControlText, kTextLimit}};
constexpr SnapshotField kMailSnapshotFields[] = {
    {ControlTo, kSnapshotFieldBytes}, {ControlSubject, kSnapshotFieldBytes}, {ControlBody, kBodyLimit}};
constexpr SnapshotField kAddressSnapshotFields[] = {
    {ControlName, kSnapshotFieldBytes},   {ControlFurigana, kSnapshotFieldBytes}, {ControlPhone1, kSnapshotFieldBytes},
    {ControlPhone2, kSnapshotFieldBytes}, {ControlPhone3, kSnapshotFieldBytes},   {ControlMail1, kSnapshotFieldBytes},
    {ControlMail2, kSnapshotFieldBytes},  {ControlMail3, kSnapshotFieldBytes},    {ControlNote, kSnapshotFieldBytes},
    {ControlPostal, kSnapshotFieldBytes}, {ControlBirthday, kSnapshotFieldBytes}, {ControlUrl, kSnapshotFieldBytes}};

// Each field and its NUL fit whole, so nothing is ever cut off the end.
template <size_t N>
constexpr int32_t snapshot_room(const SnapshotField (&fields)[N]) {
    int32_t room = 0;
    for (const SnapshotField& f : fields) room += f.limit + 1;
    return room;
}
static_assert(snapshot_room(kTextSnapshotFields) <= kSnapshotBytes, "the text fits the snapshot");
static_assert(snapshot_room(kMailSnapshotFields) <= kSnapshotBytes, "the mail fits the snapshot");
static_assert(snapshot_room(kAddressSnapshotFields) <= kSnapshotBytes, "the address fits the snapshot");

struct Snapshot {
    char bytes[kSnapshotBytes];
    int32_t length;
};
Snapshot g_previousSnapshot;
Snapshot g_newSnapshot;
bool g_snapshotSpoiled = false;

// Adds up to limit bytes of each field and a NUL, so that text moved from
// one field into the next still counts as a change.
template <size_t N>
void add_to_snapshot(Snapshot* s, const SnapshotField (&fields)[N]) {
    for (const SnapshotField& f : fields) {
        const char* field = form_field(&g_form, f.control);
        int32_t n = static_cast<int32_t>(strnlen(field, static_cast<size_t>(f.limit)));
        std::memcpy(s->bytes + s->length, field, static_cast<size_t>(n));
        s->length += n;
        s->bytes[s->length++] = '\0';
    }
}

// The first two escaping passes: results of replace_text or'ed together.
int32_t escape_backslash_and_semicolon(char* text, int32_t capacity) {
    int32_t cut = replace_text(text, capacity, "\\", "\\\\", 1);
    return cut | replace_text(text, capacity, ";", "\\;", 1);
}

// After a cut (bit 2 of cut): every backslash is now half of a pair, so an
// odd run at the end means the cut fell after an escaping backslash; drop
// it too.
void end_escaping(char* text, int32_t cut) {
    if (!(cut & 2)) return;
    int32_t n = static_cast<int32_t>(std::strlen(text));
    int32_t run = 0;
    while (run < n && text[n - 1 - run] == '\\' && byte_type(text, n - 1 - run) != ByteTrail) ++run;
    if (run % 2 == 1) text[n - 1] = '\0';
    g_payload.dropped |= DroppedEscapeTail;
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
    int32_t cut = escape_backslash_and_semicolon(text, capacity);
    cut |= replace_text(text, capacity, ":", "\\:", 1);
    cut |= replace_text(text, capacity, ",", "\\,", commaMode);
    end_escaping(text, cut);
}

void escape_element_ends(char* text, int32_t capacity) {
    end_escaping(text, escape_backslash_and_semicolon(text, capacity));
}

void escape_vcard_text(char* text, int32_t capacity) {
    int32_t cut = escape_backslash_and_semicolon(text, capacity);
    cut |= replace_text(text, capacity, ",", "\\,", 1);
    cut |= replace_text(text, capacity, "\r\n", "\\n", 1);
    cut |= replace_text(text, capacity, "\n", "\\n", 1);
    end_escaping(text, cut);
}

int32_t compose_payload() {
    std::memset(&g_scratch, 0, sizeof g_scratch);
    std::memset(g_payload.text, 0, sizeof g_payload.text);
    g_payload.dropped = DroppedNothing;
    g_composeError.code = ErrorNone;
    g_composeError.argument = 0;
    if (g_form.mode == static_cast<int32_t>(InputMode::Mail)) return compose_mail();
    if (g_form.mode == static_cast<int32_t>(InputMode::Address)) return compose_address();
    read_form_field(ControlText, g_payload.text, kTextLimit);
    if (g_payload.text[0] == '\0') return fail_composition(ErrorNoText, 0);
    return 0;
}

int32_t make_payload(const FormFields& form) {
    if (&form != &g_form) g_form = form;
    if (compose_payload() != 0) return 1;
    convert_emoji_codes(&g_payload, g_form.carrier);
    if (g_form.carrier == Utf8) convert_to_utf8(&g_payload);
    return 0;
}

int32_t snapshot_inputs() {
    Snapshot& s = g_newSnapshot;
    s.length = 0;
    if (g_form.mode == static_cast<int32_t>(InputMode::Mail)) {
        add_to_snapshot(&s, kMailSnapshotFields);
    } else if (g_form.mode == static_cast<int32_t>(InputMode::Address)) {
        add_to_snapshot(&s, kAddressSnapshotFields);
    } else {
        add_to_snapshot(&s, kTextSnapshotFields);
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
