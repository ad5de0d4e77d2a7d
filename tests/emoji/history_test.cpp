// The emoji history: uses, moves, fixing, deleting, replacing, and its
// round trip through the settings tables and the settings file.
#include "emoji/emoji.h"

#include <gtest/gtest.h>

#include "settings/settings_tables.h"

namespace {

struct Case {
    const char* name;
    EmojiHistory before;
    EmojiIndex used;
    EmojiHistory after;
};

void expect_history(const EmojiHistory& actual, const EmojiHistory& expected, const char* name) {
    for (int32_t i = 0; i < kHistorySlots; ++i) EXPECT_EQ(actual.slots[i], expected.slots[i]) << name << " slot " << i;
    EXPECT_EQ(actual.fixed, expected.fixed) << name;
}

TEST(EmojiHistory, AddPutsUsesInTheFirstMovablePlace) {
    const Case kCases[] = {
        {"new after two fixed", {{1, 2, 3, 4, 5}, 2}, 9, {{1, 2, 9, 3, 4}, 2}},
        {"movable moves forward", {{1, 2, 3, 4, 5}, 2}, 4, {{1, 2, 4, 3, 5}, 2}},
        {"fixed stays", {{1, 2, 3, 4, 5}, 2}, 1, {{1, 2, 3, 4, 5}, 2}},
        {"all fixed", {{1, 2, 3, 4, 5}, 5}, 9, {{1, 2, 3, 4, 5}, 5}},
        {"into empty", {{0, 0, 0, 0, 0}, 0}, 7, {{7, 0, 0, 0, 0}, 0}},
        {"grows", {{7, 8, 0, 0, 0}, 0}, 6, {{6, 7, 8, 0, 0}, 0}},
        {"first movable again", {{1, 2, 3, 0, 0}, 1}, 2, {{1, 2, 3, 0, 0}, 1}},
        {"last moves to front", {{1, 2, 3, 4, 5}, 0}, 5, {{5, 1, 2, 3, 4}, 0}},
        {"four fixed, new", {{1, 2, 3, 4, 5}, 4}, 9, {{1, 2, 3, 4, 9}, 4}},
    };
    for (const Case& c : kCases) {
        EmojiHistory h = c.before;
        add_to_emoji_history(&h, c.used);
        expect_history(h, c.after, c.name);
    }
}

TEST(EmojiHistory, MenuEnablesMovesByKindAndFill) {
    EmojiHistory h = {{1, 2, 3, 4, 0}, 2};
    const bool kLeft[kHistorySlots] = {false, true, false, true, true};
    const bool kRight[kHistorySlots] = {true, false, true, false, false};
    for (int32_t i = 0; i < kHistorySlots; ++i) {
        EXPECT_EQ(can_move_left(h, i), kLeft[i]) << i;
        EXPECT_EQ(can_move_right(h, i), kRight[i]) << i;
    }
}

TEST(EmojiHistory, SwapRefusesFixedWithMovable) {
    EmojiHistory h = {{1, 2, 3, 4, 0}, 2};
    EXPECT_EQ(swap_history_slots(&h, 1, 2), FixedAndMovable);
    expect_history(h, {{1, 2, 3, 4, 0}, 2}, "refused");
    EXPECT_EQ(swap_history_slots(&h, 0, 1), Swapped);
    EXPECT_EQ(swap_history_slots(&h, 2, 3), Swapped);
    expect_history(h, {{2, 1, 4, 3, 0}, 2}, "swapped");
    EXPECT_EQ(swap_history_slots(&h, 3, 4), NothingToSwap);
    EXPECT_EQ(swap_history_slots(&h, 4, 5), NothingToSwap);
    expect_history(h, {{2, 1, 4, 3, 0}, 2}, "empty");
}

TEST(EmojiHistory, ToggleFixedKeepsOrMovesTheEntry) {
    EmojiHistory h = {{1, 2, 3, 4, 5}, 2};
    EXPECT_EQ(toggle_history_fixed(&h, 2), 0);   // first movable: last fixed, same place
    expect_history(h, {{1, 2, 3, 4, 5}, 3}, "fixed");
    EXPECT_EQ(toggle_history_fixed(&h, 0), 0);   // first of three fixed: third place, movable
    expect_history(h, {{3, 2, 1, 4, 5}, 2}, "unfixed");
    EXPECT_EQ(toggle_history_fixed(&h, 4), 0);
    expect_history(h, {{3, 2, 5, 4, 1}, 3}, "last fixed");
    EmojiHistory empty = {{1, 0, 0, 0, 0}, 0};
    EXPECT_EQ(toggle_history_fixed(&empty, 1), 1);
    expect_history(empty, {{1, 0, 0, 0, 0}, 0}, "empty slot");
}

TEST(EmojiHistory, DeleteClosesTheGap) {
    EmojiHistory h = {{1, 2, 3, 4, 5}, 2};
    EXPECT_EQ(delete_history_slot(&h, 1), 0);
    expect_history(h, {{1, 3, 4, 5, 0}, 1}, "fixed deleted");
    EXPECT_EQ(delete_history_slot(&h, 3), 0);
    expect_history(h, {{1, 3, 4, 0, 0}, 1}, "movable deleted");
    EXPECT_EQ(delete_history_slot(&h, 3), 1);
    EXPECT_EQ(delete_history_slot(&h, -1), 1);
    expect_history(h, {{1, 3, 4, 0, 0}, 1}, "empty");
}

TEST(EmojiHistory, ReplaceKeepsPlaceAndKind) {
    EmojiHistory h = {{1, 2, 3, 0, 0}, 1};
    EXPECT_EQ(replace_history_slot(&h, 0, 77), 0);
    EXPECT_EQ(replace_history_slot(&h, 2, 88), 0);
    expect_history(h, {{77, 2, 88, 0, 0}, 1}, "replaced");
    EXPECT_EQ(replace_history_slot(&h, 3, 5), 1);
    EXPECT_EQ(replace_history_slot(&h, 1, 0), 1);
    expect_history(h, {{77, 2, 88, 0, 0}, 1}, "refused");
}

TEST(EmojiHistory, SettingsGroupsFollowTheCarriers) {
    reset_settings_tables();
    const EmojiHistory written[kPaletteCount] = {
        {{101, 2, 0, 0, 0}, 1}, {{3, 4, 5, 6, 7}, 5}, {{717, 0, 0, 0, 0}, 0}, {{690, 1, 2, 0, 0}, 2}};
    for (int32_t carrier = Softbank; carrier <= Utf8; ++carrier) write_emoji_history(carrier, written[carrier - 1]);
    EXPECT_EQ(find_int_setting("histemojiv1")->value, 101);
    EXPECT_EQ(find_int_setting("histemojid5")->value, 7);
    EXPECT_EQ(find_int_setting("fixhistnumd")->value, 5);
    EXPECT_EQ(find_int_setting("histemojia1")->value, 717);
    EXPECT_EQ(find_int_setting("histemojim1")->value, 690);
    EXPECT_EQ(find_int_setting("fixhistnumm")->value, 2);
    for (int32_t carrier = Softbank; carrier <= Utf8; ++carrier) {
        EmojiHistory read = {};
        read_emoji_history(carrier, &read);
        expect_history(read, written[carrier - 1], "round trip");
    }
    EmojiHistory v = {};
    read_emoji_history(0, &v);   // carrier 0 uses group v
    expect_history(v, written[0], "carrier 0");
    reset_settings_tables();
}

TEST(EmojiHistory, DamagedFixedCountIsBounded) {
    reset_settings_tables();
    find_int_setting("fixhistnuma")->value = 9;
    EmojiHistory h = {};
    read_emoji_history(Au, &h);
    EXPECT_EQ(h.fixed, 5);
    find_int_setting("fixhistnuma")->value = -3;
    read_emoji_history(Au, &h);
    EXPECT_EQ(h.fixed, 0);
    reset_settings_tables();
}

}  // namespace
