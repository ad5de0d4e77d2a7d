// Straightforward, module-by-module twins of the encoder's optimised mask
// evaluation, written from the rules as stated, for cross-checks.
#pragma once

#include <cstdint>

// Penalty of g_encoder.matrix in its current state (dark = byte & 0x11).
int32_t literal_penalty();
// The mask the rules choose: each mask applied with its format information,
// scored literally, the first lowest kept. Leaves the matrix masked.
int32_t literal_mask_choice();
