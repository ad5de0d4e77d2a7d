// Printing: registering and deleting codes, the page layout, the text
// panel, the printer name, and print jobs through a recording driver and
// raster sink (what is drawn, where, how large, with which pixels).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "output/output.h"
#include "payload/payload.h"
#include "settings/settings_tables.h"
#include "tests/output/output_support.h"

namespace {

// What a job did: the driver's calls and each raster delivered.
struct Drawn {
    int32_t target;
    int32_t x;
    int32_t y;
    int32_t side;
    std::vector<uint8_t> pixels;
};
struct Job {
    bool printer = true;
    int32_t surface = 7;
    std::vector<std::string> calls;
    std::vector<Drawn> drawn;
};
Job* g_job = nullptr;

void* open_default(void* context) {
    auto* job = static_cast<Job*>(context);
    job->calls.push_back("open");
    return job->printer ? &job->surface : nullptr;
}
int32_t start_page(void* surface, const char* name, void* context) {
    auto* job = static_cast<Job*>(context);
    job->calls.push_back(std::string("start ") + name + (surface == &job->surface ? "" : " (other surface)"));
    return 0;
}
void end_page(void*, void* context) { static_cast<Job*>(context)->calls.push_back("end"); }
void release(void*, void* context) { static_cast<Job*>(context)->calls.push_back("release"); }

void recording_sink(int32_t target, void* surface, const Raster& raster, int32_t x, int32_t y) {
    if (g_job == nullptr || surface != &g_job->surface) return;
    uint8_t* end = raster.pixels + static_cast<size_t>(raster.stride) * raster.side;
    g_job->drawn.push_back({target, x, y, raster.side, std::vector<uint8_t>(raster.pixels, end)});
}

class Printing : public ::testing::Test {
protected:
    void SetUp() override {
        clear_registered_codes();
        clear_code_list();
        set_run_status(Idle);
        IntSettings[SettingDrawMargin].value = 2;
        IntSettings[SettingColors].value = 0;
        IntSettings[SettingPrintType].value = PrintShown;
        set_raster_sink(recording_sink);
        g_job = &job_;
    }
    void TearDown() override {
        set_raster_sink(nullptr);
        g_job = nullptr;
    }
    int32_t print(int32_t type, int32_t printSize) {
        IntSettings[SettingPrintType].value = type;   // the dialog stores it before printing
        PrinterDriver driver = {open_default, start_page, end_page, release, &job_};
        return print_codes(driver, type, printSize);
    }
    Job job_;
};

// The pixels draw_symbol gives a code at a scale, drawn here directly.
std::vector<uint8_t> expected_pixels(const CodeSlot& code, int32_t scale) {
    static uint8_t pixels[4 * kRasterBytes];
    Raster raster = {0, 0, pixels, sizeof pixels};
    EXPECT_EQ(render_symbol(code.matrix, code.version, 2, 1, scale, 0, &raster), 0);
    return std::vector<uint8_t>(pixels, pixels + static_cast<size_t>(raster.stride) * raster.side);
}

CodeSlot g_code;

const CodeSlot& code_of(const char* text, int32_t minVersion = 1) {
    EXPECT_TRUE(make_code(text, minVersion, &g_code));
    return g_code;
}

TEST(PrintLayout, PlacesCodesByTypeAndSize) {
    const struct {
        int32_t type, size, k, x, y;
    } rows[] = {
        {PrintShown, 0, 0, 100, 100},     {PrintShown, 9, 0, 100, 100},
        {PrintAll, 4, 0, 100, 100},       {PrintAll, 4, 1, 1600, 100},     {PrintAll, 4, 2, 3100, 100},
        {PrintAll, 4, 3, 100, 1300},      {PrintAll, 0, 5, 3100, 500},     {PrintAll, 5, 1, 2300, 100},
        {PrintAll, 5, 2, 100, 1500},      {PrintAll, 9, 19, 2300, 100 + 9 * 11 * 200},
        {PrintRegistered, 0, 1, 600, 100}, {PrintRegistered, 4, 4, 1600, 1300},
        {PrintRegistered, 5, 3, 1850, 1500}, {PrintRegistered, 9, 19, 2850, 19900},
    };
    for (const auto& r : rows) {
        PrintPlace at = print_place(r.type, r.size, r.k);
        EXPECT_EQ(at.x, r.x) << r.type << " " << r.size << " " << r.k;
        EXPECT_EQ(at.y, r.y) << r.type << " " << r.size << " " << r.k;
    }
}

TEST(PrintLayout, ScaleMakesTwoPixelsPerModuleTimesTheFactor) {
    EXPECT_EQ(print_scale(0), 2);
    EXPECT_EQ(print_scale(9), 11);
    EXPECT_EQ(image_side(1, 2, 1, print_scale(0)), 100);
    EXPECT_EQ(image_side(1, 2, 1, print_scale(9)), 550);
    EXPECT_EQ(image_side(40, 6, 1, print_scale(9)), 2 * 189 * 11);
}

TEST(PrinterName, IsThePartBeforeTheFirstCommaOrBreak) {
    const char* rows[][2] = {{"Office Laser,winspool,LPT1:", "Office Laser"}, {"Plain", "Plain"},
                             {"A\r\nB,c", "A"}, {",winspool", ""}, {"???", "???"}};
    char name[32];
    for (const auto& r : rows) {
        ASSERT_EQ(printer_name_of(r[0], name, sizeof name), 0) << r[0];
        EXPECT_STREQ(name, r[1]);
    }
    EXPECT_EQ(printer_name_of("Twelve chars,x", name, 12), 1);
    EXPECT_EQ(printer_name_of("Eleven char,x", name, 12), 0);
}

TEST_F(Printing, RegistersTheShownCodeUpToTwenty) {
    EXPECT_EQ(register_shown_code(Docomo), RegisterNothing);
    ASSERT_TRUE(publish_codes({"alpha", "beta", "gamma"}, 1));
    ASSERT_EQ(set_current_code(2), 0);
    EXPECT_EQ(register_shown_code(Utf8), RegisterDone);
    const RegisteredCode& first = RegisteredCodes.entries[0];
    EXPECT_STREQ(first.text, "gamma");
    EXPECT_EQ(first.utf8, 1);
    const CodeSlot& gamma = code_of("gamma");
    EXPECT_EQ(first.version, gamma.version);
    EXPECT_EQ(std::memcmp(first.matrix, gamma.matrix, sizeof first.matrix), 0);
    for (int32_t k = 1; k < kRegisteredCodeCount; ++k) EXPECT_EQ(register_shown_code(Docomo), RegisterDone);
    EXPECT_EQ(RegisteredCodes.count, 20);
    EXPECT_EQ(RegisteredCodes.entries[19].utf8, 0);
    EXPECT_EQ(register_shown_code(Docomo), RegisterFull);
    EXPECT_EQ(delete_registered_code(0), 0);
    EXPECT_EQ(register_shown_code(Docomo), RegisterDone);
    EXPECT_EQ(RegisteredCodes.count, 20);
}

TEST_F(Printing, RefusesAnEmptyShownText) {
    CodeSlot empty = code_of("x");
    empty.text[0] = '\0';
    clear_code_list();
    publish_code(0, &empty);
    EXPECT_EQ(register_shown_code(Docomo), RegisterNothing);
    EXPECT_EQ(RegisteredCodes.count, 0);
}

TEST_F(Printing, DeletingMovesLaterEntriesDownAndClearsTheLast) {
    ASSERT_TRUE(publish_codes({"one", "two", "three"}, 1));
    for (int32_t k = 0; k < 3; ++k) {
        set_current_code(k);
        register_shown_code(k == 2 ? Utf8 : Au);
    }
    EXPECT_EQ(delete_registered_code(3), 1);
    EXPECT_EQ(delete_registered_code(-1), 1);
    ASSERT_EQ(delete_registered_code(1), 0);
    EXPECT_EQ(RegisteredCodes.count, 2);
    EXPECT_STREQ(RegisteredCodes.entries[0].text, "one");
    EXPECT_STREQ(RegisteredCodes.entries[1].text, "three");
    EXPECT_EQ(RegisteredCodes.entries[1].utf8, 1);
    const CodeSlot& three = code_of("three");
    EXPECT_EQ(std::memcmp(RegisteredCodes.entries[1].matrix, three.matrix, sizeof three.matrix), 0);
    const RegisteredCode& last = RegisteredCodes.entries[2];
    EXPECT_EQ(last.text[0], '\0');
    EXPECT_EQ(last.utf8, 0);
    EXPECT_EQ(last.version, 0);
    for (int32_t cell : last.matrix) ASSERT_EQ(cell, 0);
}

TEST_F(Printing, PanelShowsWhatWillBePrinted) {
    ASSERT_TRUE(publish_codes({"first", "second"}, 1));
    set_current_code(1);
    register_shown_code(Docomo);
    register_shown_code(Utf8);
    std::strcpy(g_payload.text, "first\r\n[split]\r\nsecond");
    char out[kPayloadBytes];
    const struct {
        int32_t type, entry, carrier;
        const char* text;
    } rows[] = {
        {PrintShown, -1, Docomo, "second"},      {PrintShown, 0, Utf8, "[Unicode Text]"},
        {PrintAll, -1, Au, "first\r\n[split]\r\nsecond"}, {PrintAll, -1, Utf8, "[Unicode Text]"},
        {PrintRegistered, 0, Utf8, "second"},   {PrintRegistered, 1, Docomo, "[Unicode Text]"},
        {PrintRegistered, 2, Docomo, ""},       {PrintRegistered, -1, Docomo, ""},
    };
    for (const auto& r : rows) {
        print_panel_text(r.type, r.entry, r.carrier, out, sizeof out);
        EXPECT_STREQ(out, r.text) << r.type << " " << r.entry;
    }
    print_panel_text(PrintAll, -1, Au, out, 6);
    EXPECT_STREQ(out, "first");
}

TEST_F(Printing, NoPrinterOpensNothingElse) {
    ASSERT_TRUE(publish_codes({"data"}, 1));
    job_.printer = false;
    EXPECT_EQ(print(PrintShown, 0), PrintNoPrinter);
    EXPECT_EQ(job_.calls, std::vector<std::string>({"open"}));
    EXPECT_TRUE(job_.drawn.empty());
}

TEST_F(Printing, NothingToPrintReleasesThePrinter) {
    EXPECT_EQ(print(PrintShown, 0), PrintNoData);
    EXPECT_EQ(print(PrintAll, 0), PrintNoData);
    EXPECT_EQ(print(PrintRegistered, 0), PrintNoData);
    EXPECT_EQ(job_.calls, std::vector<std::string>({"open", "release", "open", "release", "open", "release"}));
    EXPECT_TRUE(job_.drawn.empty());
    EXPECT_FALSE(has_print_data(PrintShown));
}

TEST_F(Printing, ShownCodeGoesAt100With2EFPixels) {
    ASSERT_TRUE(publish_codes({"one", "two", "three"}, 1));
    set_current_code(1);
    ASSERT_EQ(print(PrintShown, 3), PrintDone);
    EXPECT_EQ(job_.calls, std::vector<std::string>({"open", "start YourPrinter", "end", "release"}));
    ASSERT_EQ(job_.drawn.size(), 1u);
    const Drawn& d = job_.drawn[0];
    EXPECT_EQ(d.target, Printer);
    EXPECT_EQ(d.x, 100);
    EXPECT_EQ(d.y, 100);
    EXPECT_EQ(d.side, 2 * 25 * 5);
    EXPECT_EQ(d.pixels, expected_pixels(code_of("two"), 5));
}

TEST_F(Printing, AllCodesGoInRowsOfThreeOrTwo) {
    ASSERT_TRUE(publish_codes({"a", "b", "c", "d", "e"}, 1));
    const char* texts[] = {"a", "b", "c", "d", "e"};
    for (int32_t size : {4, 5}) {
        job_.drawn.clear();
        ASSERT_EQ(print(PrintAll, size), PrintDone);
        ASSERT_EQ(job_.drawn.size(), 5u);
        for (int32_t k = 0; k < 5; ++k) {
            PrintPlace at = print_place(PrintAll, size, k);
            EXPECT_EQ(job_.drawn[k].x, at.x);
            EXPECT_EQ(job_.drawn[k].y, at.y);
            EXPECT_EQ(job_.drawn[k].pixels, expected_pixels(code_of(texts[k]), size + 2)) << k;
        }
    }
    EXPECT_EQ(job_.drawn[3].x, 2300);
    EXPECT_EQ(job_.drawn[3].y, 1500);
}

TEST_F(Printing, RegisteredCodesPrintAllTwentyPlacesWithAnEmptyList) {
    ASSERT_TRUE(publish_codes({"kept"}, 3));
    register_shown_code(Docomo);
    const CodeSlot& kept = code_of("kept", 3);
    ASSERT_TRUE(publish_codes({"other"}, 1));   // the entry keeps its matrix
    clear_code_list();
    EXPECT_TRUE(has_print_data(PrintRegistered));
    IntSettings[SettingColors].value = 6;   // the current colour applies to entries too
    ASSERT_EQ(print(PrintRegistered, 0), PrintDone);
    ASSERT_EQ(job_.drawn.size(), 20u);
    static uint8_t red[4 * kRasterBytes];
    Raster raster = {0, 0, red, sizeof red};
    render_symbol(kept.matrix, kept.version, 2, 1, 2, ModuleColours[6], &raster);
    EXPECT_EQ(job_.drawn[0].pixels, std::vector<uint8_t>(red, red + raster.stride * raster.side));
    EXPECT_EQ(job_.drawn[0].side, 2 * 33 * 2);
    for (int32_t k = 1; k < 20; ++k) {
        PrintPlace at = print_place(PrintRegistered, 0, k);
        EXPECT_EQ(job_.drawn[k].x, at.x);
        EXPECT_EQ(job_.drawn[k].y, at.y);
        EXPECT_EQ(job_.drawn[k].side, 100);   // a blank version-1 square
        for (size_t i = 0; i < 300; ++i) ASSERT_EQ(job_.drawn[k].pixels[i], 255) << k;
    }
}

TEST_F(Printing, LargeImagesGetStorageForTheJob) {
    ASSERT_TRUE(publish_codes({"large"}, 40));
    IntSettings[SettingDrawMargin].value = 6;
    ASSERT_EQ(print(PrintShown, 9), PrintDone);
    ASSERT_EQ(job_.drawn.size(), 1u);
    EXPECT_EQ(job_.drawn[0].side, 2 * 189 * 11);
    // Afterwards drawings use the static area again.
    job_.drawn.clear();
    ASSERT_EQ(draw_symbol(Printer, &job_.surface, nullptr, 1, 0, 1, 0, 0), 0);
    EXPECT_EQ(job_.drawn[0].side, 2 * 189);
    EXPECT_NE(draw_symbol(Printer, &job_.surface, nullptr, 1, 0, 3, 0, 0), 0);
}

}  // namespace
