// Emoji palettes and emoji history: the palette of each carrier (pages of
// picture buttons), which palette buttons and indices hold an emoji, and the
// history of five emoji per carrier kept in the settings tables (fixed
// entries at the left in the user's order, movable ones most recent first).
// Portable; the palette window and the history bar live in emoji/win32 and
// shell/. Main (window) thread only.
#pragma once

#include <cstdint>

#include "payload/payload.h"

// --- Palettes ------------------------------------------------------------------------------

constexpr int32_t kPaletteCount = 4;
constexpr int32_t kMaxPalettePages = 8;
constexpr int32_t kPaletteColumns = 10;
constexpr int32_t kPaletteRows = 9;
constexpr int32_t kPaletteButtons = kPaletteColumns * kPaletteRows;   // 90 per page

constexpr int32_t kLargeStripOffset = 40;

struct EmojiPalette {
    int32_t carrier;                       // Carrier served
    char keyLetter;                        // of the history settings keys
    int32_t pages;
    int32_t perPage[kMaxPalettePages];     // emoji the palette offers on each page
    int32_t stripImages[kMaxPalettePages]; // images in each page's bitmap strip
    int32_t firstBitmap;                   // resource of page 0; page p is firstBitmap + p,
                                           // its pictures at twice the size kLargeStripOffset on
    int32_t imageWidth, imageHeight;
    int32_t imageX;                        // left of the image on a button (top is 2)
    int32_t blankColumns;                  // leading columns of each row left blank
    const char* title;                     // window title, Shift_JIS
};

// Palettes 0-3: softbank, docomo, au, UTF-8.
extern const EmojiPalette EmojiPalettes[kPaletteCount];

// The palette (and history group) of a carrier: carrier - 1, and 0 for any
// carrier outside 1-4.
int32_t palette_for_carrier(int32_t carrier);

// True when the page is below the palette's page count and the position is
// 1 to the number of emoji the palette offers on that page.
bool emoji_index_valid(const EmojiPalette& palette, EmojiIndex index);

// The strip image palette button j (0-89, row j / 10, column j % 10) shows
// on a page, or -1 for a blank button.
int32_t palette_button_image(const EmojiPalette& palette, int32_t page, int32_t button);
// The EmojiIndex of palette button j on a page, or 0 for a blank button.
EmojiIndex palette_button_index(const EmojiPalette& palette, int32_t page, int32_t button);
// Strip image of a valid index (position - 1), for the history's pictures.
int32_t emoji_index_image(EmojiIndex index);

// The page after stepping by +1 or -1, wrapping around.
int32_t step_palette_page(const EmojiPalette& palette, int32_t page, int32_t step);

// --- History -------------------------------------------------------------------------------

constexpr int32_t kHistorySlots = 5;

// Slots 0 .. fixed - 1 are fixed, fixed .. 4 movable (most recent first);
// 0 marks an empty slot and filled slots run unbroken from slot 0.
struct EmojiHistory {
    EmojiIndex slots[kHistorySlots];
    int32_t fixed;
};

// Copies a carrier's history out of the settings tables and back into them
// (the tables are loaded at start and saved at exit).
void read_emoji_history(int32_t carrier, EmojiHistory* history);
void write_emoji_history(int32_t carrier, const EmojiHistory& history);

// Records a use: a new index enters as the first movable entry (the last
// one drops out; nothing when all five are fixed); a movable index moves to
// the first movable place; a fixed one stays.
void add_to_emoji_history(EmojiHistory* history, EmojiIndex index);

// Whether the history menu offers "move left" / "move right" for slot i.
bool can_move_left(const EmojiHistory& history, int32_t slot);
bool can_move_right(const EmojiHistory& history, int32_t slot);

enum SwapResult : int32_t { Swapped = 0, NothingToSwap = 1, FixedAndMovable = 2 };
// Exchanges slots a and b when both are filled and of one kind. Returns a
// SwapResult; FixedAndMovable changes nothing (the window says why).
int32_t swap_history_slots(EmojiHistory* history, int32_t a, int32_t b);

// A fixed slot becomes the first movable entry, a movable one the last
// fixed entry. 1 when the slot is empty (nothing changes), else 0.
int32_t toggle_history_fixed(EmojiHistory* history, int32_t slot);

// Removes slot i, closing the gap; a fixed slot lowers the fixed count.
// 1 when the slot is empty (nothing changes), else 0.
int32_t delete_history_slot(EmojiHistory* history, int32_t slot);

// Puts index into a filled slot, keeping its place and kind. 1 when the
// slot is empty or the index is 0, else 0.
int32_t replace_history_slot(EmojiHistory* history, int32_t slot, EmojiIndex index);

// --- Insertion target -------------------------------------------------------------------------

// True for the fields an emoji can be inserted into: text, To, subject,
// body, name, personal data, address and web page.
bool is_emoji_target(int32_t control);
// The field a mode switch makes the target: text, body or name.
int32_t main_emoji_target(int32_t mode);
// True when an insertion goes to the end of the field's text instead of
// replacing its selection (the To field, a combo box).
bool emoji_appends_at_end(int32_t control);

