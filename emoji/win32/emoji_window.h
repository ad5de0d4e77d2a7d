// The emoji palette window (dialog IDD_EMOJI_PALETTE) and the palette image lists: what
// the shell calls to open, close and draw with them. Window thread only.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "emoji/emoji.h"

enum PaletteMode : int32_t { PaletteInsert = 0, PaletteReplace = 1 };

// What a pick in the palette does: insert mode inserts and records the
// emoji, replace mode puts it into the history slot. Called after the window
// has closed when the pick closes it.
typedef void (*EmojiPick)(EmojiIndex index, int32_t mode, int32_t slot);

// Loads every page strip of every palette into an image list and puts every
// palette on its first page (start-up); frees the lists (exit).
void create_emoji_image_lists(HINSTANCE instance);
void destroy_emoji_image_lists();

// Draws the image of index from palette's strips at (x, y), at factor 1 or
// 2 times its size; nothing when the index is not valid for the palette.
void draw_emoji_image(HDC dc, int32_t palette, EmojiIndex index, int32_t x, int32_t y, int32_t factor);
// The image in its place on a palette or history button at a display's
// DPI, shift pixels down and right while the button is pressed.
void draw_emoji_on_button(HDC dc, int32_t palette, EmojiIndex index, int32_t dpi, int32_t shift);

// Opens the palette of carrier. Insert mode: modeless, and nothing when a
// palette window is already open. Replace mode: modal for history slot
// (closing an open palette first), returning when it closes. The window sits 460, 120 pixels (at
// 96 dpi; scaled to the owner's dpi) from the owner's top-left corner.
void open_emoji_palette(HWND owner, int32_t carrier, int32_t mode, int32_t slot, EmojiPick pick, int32_t dpi);
// Closes an open palette window (an encoding change).
void close_emoji_palette();
// A click activating the main form: closes an open palette whose pin is off.
void close_unpinned_emoji_palette();
// Names an owner-drawn emoji button for screen readers and its tooltip: its
// window text becomes the code index inserts for carrier (empty for none).
void name_emoji_button(HWND button, int32_t carrier, EmojiIndex index);
// A tooltip over parent's buttons firstId to lastId that shows each one's
// window text; parent answers its requests with supply_name_tooltip.
HWND add_name_tooltips(HWND parent, int32_t firstId, int32_t lastId);
// A tooltip's text request (WM_NOTIFY): the tool's window text. false for
// other notifications.
bool supply_name_tooltip(NMHDR* header);
// The open palette window, or null.
HWND emoji_palette_window();
