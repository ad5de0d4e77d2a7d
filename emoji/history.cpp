// The emoji history of each carrier: five slots and a fixed count, kept in
// the settings tables between uses. Every operation is bounded by the five
// slots and allocates nothing.
#include "emoji/emoji.h"

#include "settings/settings_tables.h"

namespace {

bool filled(const EmojiHistory& history, int32_t slot) {
    return slot >= 0 && slot < kHistorySlots && history.slots[slot] != 0;
}

// Moves slots from .. to - 1 one place right and puts index at from.
void push_at(EmojiHistory* history, int32_t from, int32_t to, EmojiIndex index) {
    for (int32_t i = to; i > from; --i) history->slots[i] = history->slots[i - 1];
    history->slots[from] = index;
}

void exchange(EmojiHistory* history, int32_t a, int32_t b) {
    EmojiIndex kept = history->slots[a];
    history->slots[a] = history->slots[b];
    history->slots[b] = kept;
}

}  // namespace

void read_emoji_history(int32_t carrier, EmojiHistory* history) {
    int32_t group = palette_for_carrier(carrier);
    for (int32_t i = 0; i < kHistorySlots; ++i) history->slots[i] = emoji_history_setting(group, i)->value;
    int32_t fixed = fixed_history_setting(group)->value;
    history->fixed = fixed < 0 ? 0 : fixed > kHistorySlots ? kHistorySlots : fixed;
}

void write_emoji_history(int32_t carrier, const EmojiHistory& history) {
    int32_t group = palette_for_carrier(carrier);
    for (int32_t i = 0; i < kHistorySlots; ++i) emoji_history_setting(group, i)->value = history.slots[i];
    fixed_history_setting(group)->value = history.fixed;
}

void add_to_emoji_history(EmojiHistory* history, EmojiIndex index) {
    int32_t fixed = history->fixed;
    int32_t found = 0;
    while (found < kHistorySlots && history->slots[found] != index) ++found;
    if (found < fixed) return;
    if (found == kHistorySlots) {
        if (fixed >= kHistorySlots) return;
        push_at(history, fixed, kHistorySlots - 1, index);
        return;
    }
    push_at(history, fixed, found, index);
}

bool can_move_left(const EmojiHistory& history, int32_t slot) {
    return slot > 0 && slot < kHistorySlots && slot != history.fixed;
}

bool can_move_right(const EmojiHistory& history, int32_t slot) {
    return slot >= 0 && slot < kHistorySlots - 1 && slot != history.fixed - 1 && filled(history, slot + 1);
}

int32_t swap_history_slots(EmojiHistory* history, int32_t a, int32_t b) {
    if (a < 0 || b < 0 || a >= kHistorySlots || b >= kHistorySlots) return NothingToSwap;
    if ((a < history->fixed) != (b < history->fixed)) return FixedAndMovable;
    if (!filled(*history, a) || !filled(*history, b)) return NothingToSwap;
    exchange(history, a, b);
    return Swapped;
}

int32_t toggle_history_fixed(EmojiHistory* history, int32_t slot) {
    if (!filled(*history, slot)) return 1;
    if (slot < history->fixed) {
        exchange(history, slot, history->fixed - 1);
        --history->fixed;
    } else {
        exchange(history, slot, history->fixed);
        ++history->fixed;
    }
    return 0;
}

int32_t delete_history_slot(EmojiHistory* history, int32_t slot) {
    if (!filled(*history, slot)) return 1;
    for (int32_t i = slot; i < kHistorySlots - 1; ++i) history->slots[i] = history->slots[i + 1];
    history->slots[kHistorySlots - 1] = 0;
    if (slot < history->fixed) --history->fixed;
    return 0;
}

int32_t replace_history_slot(EmojiHistory* history, int32_t slot, EmojiIndex index) {
    if (!filled(*history, slot) || index == 0) return 1;
    history->slots[slot] = index;
    return 0;
}
