// Palette tables, button-to-index mapping, index validity and paging.
#include "emoji/emoji.h"

#include <gtest/gtest.h>

#include <cstring>

#include "resources/resource.h"
#include "tests/payload/text_support.h"

namespace {

TEST(EmojiPalettes, TablesMatchTheirCarriersAndStrips) {
    const int32_t kStripWidths[kPaletteCount][kMaxPalettePages] = {
        {1620, 1620, 1620, 1386, 1368, 1116}, {1152, 1152, 1152, 1152},
        {1440, 1440, 1440, 1440, 1440, 1440, 1440, 1440}, {1440, 1440, 1440, 1440, 1440, 1440, 1440}};
    for (int32_t p = 0; p < kPaletteCount; ++p) {
        const EmojiPalette& palette = EmojiPalettes[p];
        EXPECT_EQ(palette_for_carrier(palette.carrier), p);
        EXPECT_EQ(palette.firstBitmap, 301 + 10 * p);
        for (int32_t page = 0; page < palette.pages; ++page) {
            EXPECT_EQ(palette.stripImages[page] * palette.imageWidth, kStripWidths[p][page]) << p << "/" << page;
            EXPECT_LE(palette.perPage[page], palette.stripImages[page]);
        }
    }
    EXPECT_EQ(palette_for_carrier(0), 0);
    EXPECT_EQ(palette_for_carrier(9), 0);
    EXPECT_EQ(utf8_of(EmojiPalettes[1].title), "***　docomo 絵文字　***");
}

// Every offered button must give an index that is valid and has a code
// for its carrier, so no picture in the palette is a dead button.
TEST(EmojiPalettes, EveryOfferedButtonHasACode) {
    for (const EmojiPalette& palette : EmojiPalettes) {
        int32_t offered = 0;
        for (int32_t page = 0; page < palette.pages; ++page) {
            for (int32_t button = 0; button < kPaletteButtons; ++button) {
                EmojiIndex index = palette_button_index(palette, page, button);
                if (index == 0) continue;
                ++offered;
                char code[8];
                EXPECT_TRUE(emoji_index_valid(palette, index)) << index;
                EXPECT_EQ(emoji_code_for(palette.carrier, index, code), 0) << palette.carrier << " " << index;
                EXPECT_EQ(emoji_index_image(index), palette_button_image(palette, page, button));
            }
        }
        int32_t total = 0;
        for (int32_t page = 0; page < palette.pages; ++page) total += palette.perPage[page];
        EXPECT_EQ(offered, total);
    }
}

TEST(EmojiPalettes, DocomoRowsStartWithTwoBlankButtons) {
    const EmojiPalette& docomo = EmojiPalettes[1];
    EXPECT_EQ(palette_button_index(docomo, 0, 10), 0);   // row 1, column 0
    EXPECT_EQ(palette_button_index(docomo, 0, 0), 0);
    EXPECT_EQ(palette_button_index(docomo, 0, 2), 1);    // third button of the first row
    EXPECT_EQ(palette_button_index(docomo, 0, 12), 9);
    EXPECT_EQ(palette_button_index(docomo, 0, 89), 72);
    EXPECT_EQ(palette_button_index(docomo, 3, 42), 333);  // row 4, column 2
}

TEST(EmojiPalettes, LastPagesOfferOnlyTheirCount) {
    struct Row { int32_t palette, page, button; EmojiIndex index; };
    const Row kRows[] = {
        {0, 5, 54, 555}, {0, 5, 55, 0},      // softbank page 6: 55 offered of 62 in the strip
        {0, 3, 76, 377}, {0, 3, 77, 0},
        {1, 3, 45, 336}, {1, 3, 46, 0},      // docomo page 4: 36
        {2, 7, 16, 717}, {2, 7, 17, 0},      // au page 8: 17
        {3, 6, 89, 690}, {3, 0, 0, 1},
        {2, 8, 0, 0}, {0, 0, 90, 0}, {0, -1, 0, 0}};
    for (const Row& row : kRows) {
        EXPECT_EQ(palette_button_index(EmojiPalettes[row.palette], row.page, row.button), row.index)
            << row.palette << "/" << row.page << "/" << row.button;
    }
}

TEST(EmojiPalettes, IndexValidity) {
    struct Row { int32_t palette; EmojiIndex index; bool valid; };
    const Row kRows[] = {{0, 1, true}, {0, 90, true}, {0, 91, false}, {0, 0, false}, {0, 100, false},
                         {0, 555, true}, {0, 556, false}, {0, 601, false}, {1, 72, true}, {1, 73, false},
                         {1, 336, true}, {1, 337, false}, {2, 717, true}, {2, 718, false}, {2, 801, false},
                         {3, 690, true}, {3, 701, false}, {3, -5, false}, {0, 1000, false}};
    for (const Row& row : kRows) {
        EXPECT_EQ(emoji_index_valid(EmojiPalettes[row.palette], row.index), row.valid) << row.index;
    }
}

TEST(EmojiPalettes, PagingWrapsBothWays) {
    const EmojiPalette& au = EmojiPalettes[2];
    EXPECT_EQ(step_palette_page(au, 0, -1), 7);
    EXPECT_EQ(au.perPage[step_palette_page(au, 0, -1)], 17);
    EXPECT_EQ(step_palette_page(au, 7, 1), 0);
    EXPECT_EQ(step_palette_page(EmojiPalettes[1], 2, 1), 3);
}

TEST(EmojiTargets, FieldsAndMainFields) {
    const int32_t kTargets[] = {IDC_TEXT, IDC_TO, IDC_SUBJECT, IDC_BODY, IDC_NAME, IDC_NOTE, IDC_POSTAL, IDC_WEB};
    for (int32_t id : kTargets) EXPECT_TRUE(is_emoji_target(id)) << id;
    const int32_t kOthers[] = {IDC_FURIGANA, IDC_PHONE1, IDC_MAIL1, IDC_BIRTHDAY, 0, IDC_EMOJI};
    for (int32_t id : kOthers) EXPECT_FALSE(is_emoji_target(id)) << id;
    EXPECT_EQ(main_emoji_target(0), IDC_TEXT);
    EXPECT_EQ(main_emoji_target(1), IDC_BODY);
    EXPECT_EQ(main_emoji_target(2), IDC_NAME);
    EXPECT_TRUE(emoji_appends_at_end(IDC_TO));
    EXPECT_FALSE(emoji_appends_at_end(IDC_TEXT));
}

}  // namespace
