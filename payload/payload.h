// Payload composition: builds each input mode's payload from the form
// fields, normalises structured fields, turns textual emoji codes into the
// carrier's bytes and converts the smartphone payload to UTF-8. All text is
// NUL-terminated Shift_JIS (code page 932) until convert_to_utf8; nothing is
// ever cut inside a character. Compositions never overlap (one pass at a
// time); format_text_view and the text helpers keep no shared state.
#pragma once

#include <cstdint>

#include "payload/form_fields.h"
#include "payload/generation_errors.h"

// --- Records ----------------------------------------------------------------

// Target encoding, setting "carrier".
enum Carrier : int32_t { Softbank = 1, Docomo = 2, Au = 3, Utf8 = 4 };

// Input mode, setting "mode".
enum class InputMode : int32_t { Text = 0, Mail = 1, Address = 2 };

constexpr int32_t kPayloadBytes = 20000;
constexpr int32_t kTextLimit = 19999;        // text field
constexpr int32_t kBodyLimit = 17900;        // mail body
constexpr int32_t kFieldLimit = 200;         // every short field
constexpr int32_t kFieldBufferBytes = 1010;  // composer scratch per short field
constexpr int32_t kUtf8PayloadLimit = 19992; // UTF-8 bytes kept by convert_to_utf8

// What of the user's text a composition or conversion had to leave out
// (bits of PayloadBuffer::dropped). The generation reports a non-zero value
// the same way as a payload longer than 20 codes.
enum DroppedText : int32_t {
    DroppedNothing = 0,
    DroppedFieldTail = 1,     // a field was longer than its limit
    DroppedEscapeTail = 2,    // escaping made a field longer than its room
    DroppedConversionTail = 4 // the UTF-8 payload outgrew the buffer
};

// The single payload buffer: the composed Shift_JIS text, then the carrier's
// emoji bytes, finally UTF-8 for the smartphone target. Never holds a NUL
// before its end.
struct PayloadBuffer {
    char text[kPayloadBytes];
    int32_t dropped;          // DroppedText bits, cleared by compose_payload
};
extern PayloadBuffer g_payload;

// Generation error set by the last composition (GenerationErrorCode):
// ErrorNone, ErrorNoText, ErrorNoNameOrPhone, ErrorBadBirthday,
// ErrorBadPhone (argument: the phone's number 1-3) or ErrorBadFurigana.
struct ComposeError {
    int32_t code;
    int32_t argument;
};
extern ComposeError g_composeError;


// Characters per line (first column) and font height of the text-data view,
// by the setting "previewno".
struct LineWidth {
    int32_t characters;
    int32_t fontHeight;
};
constexpr int32_t kLineWidthRows = 11;
extern const LineWidth LineWidths[kLineWidthRows];

// --- Composition ---------------------------------------------------------------

// Composes the payload of g_form's mode and carrier into g_payload. 0 done;
// 1 failed with g_composeError set and the payload empty. Mail and address
// modes give 0 and an empty payload for Utf8 (unless g_form.utf8forms).
int32_t compose_payload();
// The final payload of form, the bytes a generation cuts into codes: form
// becomes the composers' record g_form (the window's driver passes g_form
// itself), then compose_payload, the carrier's emoji codes as its bytes
// and, for Utf8, the whole text in UTF-8. 0 done; 1 the composition failed.
int32_t make_payload(const FormFields& form);
// The mail (MAILTO/MATMSG) and address-book (MEMORY/MECARD) composers that
// compose_payload calls; same results.
int32_t compose_mail();
int32_t compose_address();

// Input snapshot for automatic generation: 4 when g_form's input equals the
// previous snapshot, 0 when it differs (the new one is kept).
int32_t snapshot_inputs();
// A mode change: the next snapshot_inputs reports a change whatever the
// input, so automatic generation runs again for the new mode's fields (two
// modes with empty fields would otherwise look alike).
void spoil_input_snapshot();

// --- Shift_JIS text helpers ------------------------------------------------------

enum ByteType : int32_t { ByteSingle = 0, ByteLead = 1, ByteTrail = 2, ByteInvalid = 3 };

// Class of byte i of text, found by walking from its start (a trail byte
// may lie in the lead range). Positions at or after the NUL are invalid.
int32_t byte_type(const char* text, int32_t i);
// Bytes of the character at a character boundary: 2 for a lead byte with a
// valid trail, 0 at the NUL, else 1.
int32_t sjis_char_length(const char* at);

// Copies the control's text into buffer, cut at a character boundary to at
// most limit bytes (buffer room: limit + 1). 0 whole, 2 cut, 1 not a field.
int32_t read_field(const FormFields* form, int32_t control, char* buffer, int32_t limit);

// Replaces find by replacement in text, matching whole characters only.
// mode 0: first occurrence; 1: all; 101-199: all but the first mode-101.
// The result is cut to capacity - 1 bytes, only between whole characters
// and whole replacements. 0 done; 2 done but cut; 1 refused (capacity of
// 204,804 or more, or an empty find: text unchanged).
int32_t replace_text(char* text, int32_t capacity, const char* find, const char* replacement,
                     int32_t mode);

// part 0: dst = src up to the first byte c (all of it without c); part 1:
// what follows the first c (empty without c). For c = space, never a trail.
void cut_at_char(char* dst, const char* src, char c, int32_t part);

// --- Normalisation (texts rewritten in place) ---------------------------------------------

enum HalfWidthFlag : int32_t { HalfDigits = 1, HalfLatin = 2, HalfKana = 4 };

// Full-width digits, Latin letters, katakana (flags) to half-width, within
// the first 1,024 bytes.
void to_half_width(char* text, int32_t flags);
// Results: 0 ok, 1 non-empty input reduced to nothing, 4 empty input.
int32_t normalise_furigana(char* text, int32_t length);
int32_t normalise_phone(char* text, int32_t length);
void normalise_mail_address(char* text, int32_t length);
// 0 valid (text now YYYYMMDD), 1 invalid (text emptied), 4 empty.
int32_t parse_birthday(char* text);
// One wheel step of the birthday field (room: 11 bytes or more): direction
// > 0 later, < 0 earlier; byMonth when Shift is held. An empty field starts
// from 1990/01/01; an invalid one is left alone; else written YYYY/MM/DD.
void step_birthday(char* field, int32_t direction, bool byMonth);
// Cuts text at pos bytes; a character straddling pos is dropped whole
// (flag 1) or its first byte becomes a space (flag 0).
void truncate_at(char* text, int32_t pos, int32_t flag);
// Makes the count of trailing CR LF pairs k (k >= 0) or removes -k of them;
// appends only while the text stays below capacity bytes.
void set_trailing_line_breaks(char* text, int32_t capacity, int32_t k);

// --- Emoji codes ---------------------------------------------------------------------

// Palette identity: page * 100 + position (1-90).
typedef int32_t EmojiIndex;

enum Utf8CodeClass : int32_t {
    NotACode = 0, InvalidCode = 1, OneByteCode = 2, TwoBytesOrFewer = 3,
    ThreeBytesOrFewer = 4, ThreeBytesCode = 5, FourBytesCode = 6
};

// 700 entries "XYZ" (U+1FXYZ), "-NN" (BmpEmojiTable entry NN) or "   ".
extern const char (&UnicodeEmojiTable)[700][4];
extern const char BmpEmojiTable[55][8];
// 648 Shift_JIS codes by position + page * 90 (entry 0 is 0).
extern const uint32_t (&AuEmojiTable)[648];

// Textual code of an emoji for a carrier into out (room: 8). 0 written, 1
// the index has no emoji for that carrier.
int32_t emoji_code_for(int32_t carrier, EmojiIndex index, char* out);
// AuEmojiTable entry of position + page * 90, or -1 (not Au, out of range).
int32_t au_emoji_code(int32_t carrier, EmojiIndex index);
// Turns the carrier's textual codes in payload->text into its bytes, matching
// only at character boundaries and never producing a NUL. Utf8: nothing.
void convert_emoji_codes(PayloadBuffer* payload, int32_t carrier);
// Class of the UTF-8 emoji code at p (reads no further than a NUL).
int32_t classify_utf8_code(const char* p);

// --- Character set ---------------------------------------------------------------------

// Rewrites payload->text from Shift_JIS to UTF-8 (Windows' conversion),
// decoding "[+XXXX]" and "[1FXYZ]" codes; keeps at most 19,992 bytes, whole
// characters only, and sets DroppedConversionTail when anything is left out.
void convert_to_utf8(PayloadBuffer* payload);
// UTF-8 text (room: capacity bytes) to Shift_JIS in place; characters
// without a Shift_JIS form become "･" and then, with any "･", "○".
void to_display_sjis(char* text, int32_t capacity);

// Room a text needs for format_text_view.
constexpr int32_t kTextViewBytes = 2048;
// Rewrites a code's text (room: kTextViewBytes) as the text-data view shows
// it: UTF-8 decoded for Utf8, a break after "BODY:", lines of
// 2 * LineWidths[previewno] columns, carrier emoji bytes as a large circle.
void format_text_view(char* text, int32_t carrier, int32_t previewno);

// --- Smartphone contacts and mail (g_form.utf8forms) -------------------------------

// With utf8forms set, Utf8 mail and address modes compose the smartphone
// forms instead of nothing: the MECARD form exactly as for Docomo but with
// the reading in full-width katakana, and a mailto: URI.

// --- Wi-Fi networks (the command-line tool) ---------------------------------------

enum WifiSecurity : int32_t { WifiWpa = 0, WifiWep = 1, WifiOpen = 2 };
// A network as the tool is given it: UTF-8 texts, password null when none.
struct WifiNetwork {
    const char* ssid;
    const char* password;
    int32_t security;   // WifiSecurity
    bool hidden;
};
enum WifiResult : int32_t {
    WifiDone = 0,
    WifiNoSsid = 1,             // the network name is empty
    WifiPasswordUnused = 2,     // a password for an open network
    WifiPasswordMissing = 3,    // WPA or WEP without a password
    WifiTooLong = 4             // the text would not fit into room
};
// Writes the network as phones join it, "WIFI:T:WPA;S:name;P:secret;H:true;;"
// (T and P left out for an open network, H only when hidden), with
// "\", ";", ",", ":" and '"' escaped by a backslash: UTF-8 into out (room
// bytes, NUL included). A WifiResult.
int32_t wifi_text(const WifiNetwork& network, char* out, int32_t room);

// Half-width katakana (with their voiced and semi-voiced marks, and the
// long-vowel mark) made full-width in place, the inverse of to_half_width's
// katakana; everything else stays. The text grows at most to twice its
// length, cut between whole characters to capacity - 1 bytes.
void to_full_width_katakana(char* text, int32_t capacity);

// Composition error of a mailto: URI longer than the UTF-8 payload holds
// (kUtf8PayloadLimit); its argument is the URI's length in bytes. The
// window shows the table's message; the tool words it itself.
constexpr int32_t kComposeUriTooLong = ErrorMailUriTooLong;
// Writes the mailto: URI of an address, a subject and a body (Shift_JIS
// with textual emoji codes) into g_payload: each part converted to UTF-8 as
// the Utf8 target converts, then percent-encoded (every byte outside A-Z a-z
// 0-9 - . _ ~, and "@" in the address, as %XX with upper-case hex), the
// subject and body as "?subject=" / "&body=" parameters when not empty. 0
// done; 1 failed with kComposeUriTooLong and the payload empty.
int32_t compose_mailto_uri(const char* address, const char* subject, const char* body);
