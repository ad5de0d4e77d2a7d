// The four emoji palettes and the mapping of palette buttons to indices:
// fixed tables, no state.
#include "emoji/emoji.h"
#include "resources/messages.h"

#include "resources/resource.h"

const EmojiPalette EmojiPalettes[kPaletteCount] = {
    // ***　softbank 絵文字　***
    {Softbank, 'v', 6, {90, 90, 90, 77, 76, 55}, {90, 90, 90, 77, 76, 62}, IDB_EMOJI_SOFTBANK_FIRST, 18, 17, 2, 0,
     kPaletteTitleSoftbank},
    // ***　docomo 絵文字　***
    {Docomo, 'd', 4, {72, 72, 72, 36}, {72, 72, 72, 72}, IDB_EMOJI_DOCOMO_FIRST, 16, 16, 3, 2,
     kPaletteTitleDocomo},
    // ***　au 絵文字　***
    {Au, 'a', 8, {90, 90, 90, 90, 90, 90, 90, 17}, {90, 90, 90, 90, 90, 90, 90, 90}, IDB_EMOJI_AU_FIRST, 16, 16, 2, 0,
     kPaletteTitleAu},
    // ***　Unicode絵文字　***
    {Utf8, 'm', 7, {90, 90, 90, 90, 90, 90, 90}, {90, 90, 90, 90, 90, 90, 90}, IDB_EMOJI_UNICODE_FIRST, 16, 16, 2, 0,
     kPaletteTitleUnicode},
};

int32_t palette_for_carrier(int32_t carrier) {
    return carrier >= Softbank && carrier <= Utf8 ? carrier - 1 : 0;
}

bool emoji_index_valid(const EmojiPalette& palette, EmojiIndex index) {
    if (index <= 0) return false;
    int32_t page = index / 100, position = index % 100;
    return page < palette.pages && position >= 1 && position <= palette.perPage[page];
}

int32_t palette_button_image(const EmojiPalette& palette, int32_t page, int32_t button) {
    if (page < 0 || page >= palette.pages || button < 0 || button >= kPaletteButtons) return -1;
    // Docomo rows hold eight images after two blank columns.
    int32_t row = button / kPaletteColumns, column = button % kPaletteColumns;
    if (column < palette.blankColumns) return -1;
    int32_t image = row * (kPaletteColumns - palette.blankColumns) + column - palette.blankColumns;
    return image < palette.perPage[page] ? image : -1;
}

EmojiIndex palette_button_index(const EmojiPalette& palette, int32_t page, int32_t button) {
    int32_t image = palette_button_image(palette, page, button);
    return image < 0 ? 0 : page * 100 + image + 1;
}

int32_t emoji_index_image(EmojiIndex index) { return index % 100 - 1; }

int32_t step_palette_page(const EmojiPalette& palette, int32_t page, int32_t step) {
    return ((page + step) % palette.pages + palette.pages) % palette.pages;
}

bool is_emoji_target(int32_t control) {
    static const int32_t kTargets[] = {ControlText, ControlTo, ControlSubject, ControlBody,
                                       ControlName, ControlNote, ControlPostal, ControlUrl};
    for (int32_t target : kTargets) {
        if (target == control) return true;
    }
    return false;
}

int32_t main_emoji_target(int32_t mode) {
    static const int32_t kMainFields[3] = {ControlText, ControlBody, ControlName};
    return mode >= 0 && mode <= 2 ? kMainFields[mode] : ControlText;
}

bool emoji_appends_at_end(int32_t control) { return control == ControlTo; }
