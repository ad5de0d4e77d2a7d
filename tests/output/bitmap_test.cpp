// Bitmap files: header fields, stride and size, exact colours bottom row
// first; the ".bmp" rule; numbered names; saving the shown code and every
// code with the overwrite question asked at most once; draw_symbol's guards.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "output/output.h"
#include "settings/settings_tables.h"
#include "tests/output/output_support.h"
#include "tests/payload/text_support.h"
#include "tests/platform/file_size_limit_support.h"

namespace {

uint8_t g_pixels[kRasterBytes];
CodeSlot g_code;

class BitmapTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fresh_output_folder();
        reset_settings_tables();
        set_run_status(Idle);
    }
    std::string folder_;
};

TEST_F(BitmapTest, HeaderStrideAndSizeFollowTheImage) {
    const struct {
        int32_t step;
        int32_t side, stride, fileSize;
    } rows[] = {{0, 25, 76, 1954}, {1, 50, 152, 7654}, {2, 75, 228, 17154}, {7, 325, 976, 317254}};
    ASSERT_TRUE(make_code("HEADER", 1, &g_code));
    ASSERT_EQ(g_code.version, 1);
    for (const auto& r : rows) {
        Raster raster = {0, 0, g_pixels, kRasterBytes};
        ASSERT_EQ(render_symbol(g_code.matrix, 1, 2, r.step, 1, 0x336699, &raster), 0);
        std::string path = folder_ + "h.bmp";
        ASSERT_EQ(save_bitmap(path.c_str(), raster), 0);
        BitmapFile f;
        ASSERT_TRUE(read_bitmap(path, &f));
        EXPECT_EQ(f.bytes.size(), static_cast<size_t>(r.fileSize));
        EXPECT_EQ(f.bytes.substr(0, 2), "BM");
        const uint32_t fields[][3] = {{2, 4, static_cast<uint32_t>(r.fileSize)}, {6, 4, 0}, {10, 4, 54}, {14, 4, 40},
                                      {18, 4, static_cast<uint32_t>(r.side)}, {22, 4, static_cast<uint32_t>(r.side)},
                                      {26, 2, 1}, {28, 2, 24}, {30, 4, 0},
                                      {34, 4, static_cast<uint32_t>(r.stride * r.side)}, {38, 4, 0}, {42, 4, 0},
                                      {46, 4, 0}, {50, 4, 0}};
        for (const auto& field : fields) {
            EXPECT_EQ(f.field(static_cast<int32_t>(field[0]), static_cast<int32_t>(field[1])), field[2])
                << "offset " << field[0] << " step " << r.step;
        }
        // Rows bottom first, exact colours, zero padding.
        int32_t wrong = 0;
        for (int32_t y = 0; y < r.side; ++y) {
            for (int32_t x = 0; x < r.side; ++x) {
                const uint8_t* p = g_pixels + y * raster.stride + x * 3;
                wrong += f.pixel(x, y) != (static_cast<uint32_t>(p[0]) << 16 | p[1] << 8 | p[2]);
            }
            for (int32_t b = r.side * 3; b < r.stride; ++b) wrong += f.bytes[54 + y * r.stride + b] != 0;
        }
        EXPECT_EQ(wrong, 0);
        // The finder's corner module starts at cell 2 of 25 (margin 2).
        int32_t corner = 2 * r.side / 25;
        EXPECT_EQ(f.pixel(0, 0), 0xFFFFFFu);
        EXPECT_EQ(f.pixel(corner - 1, corner), 0xFFFFFFu);
        EXPECT_EQ(f.pixel(corner, corner), 0x336699u);
    }
}

TEST(BmpExtension, AppendedUnlessTheNameEndsInIt) {
    const char* rows[][2] = {{"qr.BMP", "qr.BMP"}, {"qr", "qr.bmp"}, {"qr.png", "qr.png.bmp"},
                             {"memo.txt", "memo.txt.bmp"}, {"a.bMp", "a.bMp"}, {"bmp", "bmp.bmp"}};
    for (const auto& r : rows) {
        char path[kBitmapPathBytes];
        std::strcpy(path, r[0]);
        EXPECT_EQ(ensure_bmp_extension(path, sizeof path), 0);
        EXPECT_STREQ(path, r[1]);
    }
    char full[8] = "abcdefg";
    EXPECT_EQ(ensure_bmp_extension(full, sizeof full), 1);
}

TEST(NumberedName, LabelsCountUpInTheirPlace) {
    const struct {
        const char* path;
        int32_t style, k;
        const char* expected;
    } rows[] = {
        {"D:\\data\\qr.bmp", 0, 0, "D:\\data\\01-qr.bmp"},  {"D:\\data\\qr.bmp", 0, 1, "D:\\data\\02-qr.bmp"},
        {"D:\\data\\qr.bmp", 3, 0, "D:\\data\\qr-01.bmp"},  {"D:\\data\\qr.bmp", 3, 11, "D:\\data\\qr-12.bmp"},
        {"D:\\data\\qr.bmp", 3, 19, "D:\\data\\qr-20.bmp"}, {"qr.bmp", 5, 0, "qr(01).bmp"},
        {"qr.bmp", 2, 0, "(01)qr.bmp"},                     {"qr.bmp", 1, 8, "09_qr.bmp"},                     {"qr.bmp", 1, 9, "10_qr.bmp"},
        {"qr.bmp", 4, 99, "qr_100.bmp"},                    {"qr.bmp", 9, 0, "qr-01.bmp"},
        {"/tmp/a.b/qr.x.bmp", 4, 2, "/tmp/a.b/qr.x_03.bmp"}, {"/tmp/a.b/qr", 0, 0, "/tmp/a.b/01-qr"},
        {"C:qr.bmp", 0, 0, "C:01-qr.bmp"},
        // Paths are UTF-8: "あ" is E3 81 82, whose last bytes look like
        // Shift_JIS lead bytes and must not hide the dot after them.
        {"D:\\データ\\あ.bmp", 3, 0, "D:\\データ\\あ-01.bmp"}, {"あ.bmp", 0, 1, "02-あ.bmp"},
        {"C:\\Users\\김민수\\😀.x.bmp", 4, 0, "C:\\Users\\김민수\\😀.x_01.bmp"},
    };
    for (const auto& r : rows) {
        char out[kBitmapPathBytes + 48];
        ASSERT_EQ(numbered_name(r.path, r.style, r.k, out, sizeof out), 0) << r.path;
        EXPECT_STREQ(out, r.expected) << r.path << " style " << r.style << " k " << r.k;
    }
    char tiny[8];
    EXPECT_EQ(numbered_name("qr.bmp", 3, 0, tiny, sizeof tiny), 1);
}

TEST(NumberedName, ComboTextsOfTheStyles) {
    char text[64];
    numbering_style_text(0, text);
    EXPECT_EQ(utf8_of(text), "先頭に 01- 02- を付ける");
    numbering_style_text(5, text);
    EXPECT_EQ(utf8_of(text), "後ろに (01) (02) を付ける");
}

void write_text(const std::string& path, const char* text) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(text, f);
    std::fclose(f);
}

struct Asked {
    int32_t times;
    bool answer;
};
bool ask(void* context) {
    Asked* a = static_cast<Asked*>(context);
    ++a->times;
    return a->answer;
}

TEST_F(BitmapTest, SavingAllAsksAtMostOnceAndNoWritesNothing) {
    const struct {
        const char* name;
        int32_t style;
        std::vector<std::string> existing;
        bool answer;
        int32_t result, asked;
        std::vector<std::string> written;   // files that must hold a bitmap afterwards
    } rows[] = {
        {"qr", 3, {"qr-01.bmp", "qr-02.bmp"}, false, SaveDeclined, 1, {}},
        {"qr", 3, {"qr-01.bmp", "qr-02.bmp"}, true, SaveWritten, 1, {"qr-01.bmp", "qr-02.bmp", "qr-03.bmp"}},
        {"qr.bmp", 5, {"qr(03).bmp"}, true, SaveWritten, 1, {"qr(01).bmp", "qr(02).bmp", "qr(03).bmp"}},
        {"all.BMP", 0, {}, false, SaveWritten, 0, {"01-all.BMP", "02-all.BMP", "03-all.BMP"}},
    };
    ASSERT_TRUE(publish_codes({"ONE", "TWO", "THREE"}, 1));
    for (const auto& r : rows) {
        folder_ = fresh_output_folder();
        for (const std::string& name : r.existing) write_text(folder_ + name, "old");
        char path[kBitmapPathBytes];
        std::snprintf(path, sizeof path, "%s%s", folder_.c_str(), r.name);
        Asked asked = {0, r.answer};
        EXPECT_EQ(save_all_bitmaps(path, r.style, 1, shown_style(), ask, &asked), r.result) << r.name;
        EXPECT_EQ(asked.times, r.asked) << r.name;
        BitmapFile f;
        for (const std::string& name : r.written) {
            ASSERT_TRUE(read_bitmap(folder_ + name, &f)) << name;
            EXPECT_EQ(f.side, 50) << name;
        }
        // Declined: the old files stay as they were and nothing new appears.
        for (const std::string& name : r.existing) {
            read_bitmap(folder_ + name, &f);
            EXPECT_EQ(f.bytes == "old", r.result == SaveDeclined) << name;
        }
        if (r.result == SaveDeclined) {
            EXPECT_FALSE(read_bitmap(folder_ + "qr-03.bmp", &f));
        }
    }
}

TEST_F(BitmapTest, SavingTheShownCodeTakesTheSettingsAndTheSizeStep) {
    ASSERT_TRUE(publish_codes({"FIRST", "SECOND CODE TEXT"}, 1));
    ASSERT_EQ(set_current_code(1), 0);
    IntSettings[SettingDrawMargin].value = 4;
    IntSettings[SettingColors].value = kCustomColour;
    IntSettings[SettingCustomCol].value = 0x102030;
    char path[kBitmapPathBytes];
    std::snprintf(path, sizeof path, "%sshown", folder_.c_str());
    EXPECT_EQ(save_shown_bitmap(path, 2, shown_style()), SaveWritten);
    BitmapFile f;
    ASSERT_TRUE(read_bitmap(folder_ + "shown.bmp", &f));
    ASSERT_TRUE(make_code("SECOND CODE TEXT", 1, &g_code));
    EXPECT_EQ(f.side, image_side(g_code.version, 4, 2, 1));
    // The finder's top-left module sits after four modules of quiet zone.
    EXPECT_EQ(f.pixel(3 * 4, 3 * 4), 0x102030u);
    EXPECT_EQ(f.pixel(3 * 4 - 1, 3 * 4), 0xFFFFFFu);
    clear_code_list();
    EXPECT_EQ(save_shown_bitmap(path, 2, shown_style()), SaveNoData);
    EXPECT_EQ(save_all_bitmaps(path, 3, 2, shown_style(), ask, nullptr), SaveNoData);
    EXPECT_STREQ(kNoDataCaption, "No Data");
}

TEST_F(BitmapTest, SavingAllWritesTheOthersAndTellsWhichFailed) {
    ASSERT_TRUE(publish_codes({"ONE", "TWO", "THREE"}, 1));
    // A folder stands where code 2 would go.
    std::filesystem::create_directories(folder_ + "q-02.bmp");
    char path[kBitmapPathBytes];
    std::snprintf(path, sizeof path, "%sq", folder_.c_str());
    uint32_t failed = 0xFFFF;
    EXPECT_EQ(save_all_bitmaps(path, 3, 1, shown_style(), [](void*) { return true; }, nullptr, &failed), SaveFailed);
    EXPECT_EQ(failed, 2u);
    BitmapFile f;
    EXPECT_TRUE(read_bitmap(folder_ + "q-01.bmp", &f));
    EXPECT_TRUE(read_bitmap(folder_ + "q-03.bmp", &f));
    EXPECT_TRUE(std::filesystem::is_directory(folder_ + "q-02.bmp"));
    std::filesystem::remove(folder_ + "q-02.bmp");
    std::snprintf(path, sizeof path, "%sq", folder_.c_str());
    EXPECT_EQ(save_all_bitmaps(path, 3, 1, shown_style(), [](void*) { return true; }, nullptr, &failed), SaveWritten);
    EXPECT_EQ(failed, 0u);
}

#ifndef _WIN32
// The file system refuses bytes past a size limit in the middle of the
// write (SIGXFSZ ignored, so the write sees the error instead of a kill):
// the bitmap there before stays whole, byte for byte, for the shown code
// and for every numbered file, and no staged file is left.
TEST_F(BitmapTest, AWriteThatFailsMidwayLeavesTheOldBitmapWhole) {
    ASSERT_TRUE(publish_codes({"OLD ONE", "OLD TWO"}, 1));
    char path[kBitmapPathBytes];
    std::snprintf(path, sizeof path, "%sout.bmp", folder_.c_str());
    ASSERT_EQ(save_shown_bitmap(path, 7, shown_style()), SaveWritten);
    ASSERT_EQ(save_all_bitmaps(path, 3, 7, shown_style(), [](void*) { return true; }, nullptr), SaveWritten);
    const std::string names[] = {"out.bmp", "out-01.bmp", "out-02.bmp"};
    BitmapFile old[3];
    for (int32_t i = 0; i < 3; ++i) ASSERT_TRUE(read_bitmap(folder_ + names[i], &old[i]));
    ASSERT_EQ(old[0].bytes.size(), 317254u);
    ASSERT_TRUE(publish_codes({"new symbol", "new symbol two"}, 1));
    int32_t one = -1, all = -1;
    uint32_t failed = 0;
    ASSERT_EQ(with_file_size_limit(8192, [&] {
        one = save_shown_bitmap(path, 7, shown_style());
        all = save_all_bitmaps(path, 3, 7, shown_style(), [](void*) { return true; }, nullptr, &failed);
        return 0;
    }), 0);
    EXPECT_EQ(one, SaveFailed);
    EXPECT_EQ(all, SaveFailed);
    EXPECT_EQ(failed, 3u);
    for (int32_t i = 0; i < 3; ++i) {
        BitmapFile now;
        ASSERT_TRUE(read_bitmap(folder_ + names[i], &now)) << names[i];
        EXPECT_TRUE(now.bytes == old[i].bytes) << names[i];
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), std::filesystem::directory_iterator()), 3);
}
#endif

int32_t g_nested = -1;
int32_t g_delivered = 0;
void nested_sink(int32_t target, void*, const Raster& raster, int32_t, int32_t) {
    ++g_delivered;
    EXPECT_EQ(target, Screen);
    EXPECT_EQ(raster.side, 25);
    g_nested = draw_symbol(Screen, nullptr, nullptr, 0, 0, 1, 0, 0);
}

TEST_F(BitmapTest, DrawSymbolWaitsForTheFirstGenerationAndTurnsNestedCallsAway) {
    ASSERT_TRUE(publish_codes({"NEST"}, 1));
    set_raster_sink(nested_sink);
    set_run_status(Starting);
    EXPECT_EQ(draw_symbol(Screen, nullptr, nullptr, 0, 0, 1, 0, 0), 1);
    EXPECT_EQ(g_delivered, 0);
    set_run_status(Idle);
    EXPECT_EQ(draw_symbol(Screen, nullptr, nullptr, 0, 0, 1, 0, 0), 0);
    EXPECT_EQ(g_delivered, 1);
    EXPECT_EQ(g_nested, 1);
    EXPECT_EQ(draw_symbol(Screen, nullptr, nullptr, 0, 5, 1, 0, 0), 1);
    // Without a sink only files are delivered; printing at a large scale
    // needs storage of its own.
    set_raster_sink(nullptr);
    EXPECT_EQ(draw_symbol(Printer, nullptr, nullptr, 1, 0, 1, 0, 0), 1);
    std::string path = folder_ + "big.bmp";
    EXPECT_EQ(draw_symbol(File, nullptr, path.c_str(), 1, 0, 12, 0, 0), 1);
    static uint8_t big[raster_stride(50 * 12) * 50 * 12];
    set_raster_storage(big, sizeof big);
    EXPECT_EQ(draw_symbol(File, nullptr, path.c_str(), 1, 0, 12, 0, 0), 0);
    set_raster_storage(nullptr, 0);
    BitmapFile f;
    ASSERT_TRUE(read_bitmap(path, &f));
    EXPECT_EQ(f.side, 600);
}

}  // namespace
