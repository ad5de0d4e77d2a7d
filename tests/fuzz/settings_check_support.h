// Shared by the two settings targets: the fuzzer's bytes as a corrupted
// store, the loaded tables checked against their bounds, and one value
// written into the corrupted store and read back.
#pragma once

#include <string>

#include "tests/fuzz/fuzz_support.h"

// Points the program's folder at the scratch folder and the POSIX store
// below it; reset tables.
void prepare_settings_scratch();
// The folder of the program's files and of the POSIX store's program key.
std::string settings_app_folder();
std::string settings_store_folder(int32_t key);

// Loads the tables (the start-up checks included) and checks that every
// loaded integer is its default or within its bound and every text fits.
void load_and_check_settings();

// Writes text (no NUL) and number through the settings layer into the
// current back-end and reads them back: the text cut at a character boundary
// to what the back-end keeps, the number exact.
void check_value_round_trip(const std::string& text, int32_t number, int32_t keep);
