// Shared by the fuzz targets: failing a property (abort, so libFuzzer keeps
// the input as a crash file), a private scratch folder per process, whole
// files, and taking fields one after another from the fuzzer's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Prints the broken property and aborts.
[[noreturn]] void fuzz_fail(const char* format, ...) __attribute__((format(printf, 1, 2)));

#define FUZZ_CHECK(condition, ...) \
    do {                           \
        if (!(condition)) fuzz_fail(__VA_ARGS__); \
    } while (0)

// A fresh folder of this process (with its trailing '/'), removed at exit.
const std::string& fuzz_folder();
void fuzz_write_file(const std::string& path, const void* bytes, size_t size);
// The bytes of a file, "" when missing.
std::string fuzz_file_bytes(const std::string& path);

// Bytes for a message: printable ASCII as it is, everything else as \xHH.
std::string printable(const std::string& bytes);

// The fuzzer's bytes taken front to back; past the end every byte is 0.
struct FuzzInput {
    const uint8_t* data;
    size_t size;
    size_t at;
};
uint8_t take_byte(FuzzInput* in);
// The bytes up to the next NUL (not included) or the end.
std::string take_until_nul(FuzzInput* in);
// Everything not taken yet.
std::string take_rest(FuzzInput* in);
