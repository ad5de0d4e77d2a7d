// The text-data view: line breaking by width, double-byte characters kept
// whole, emoji bytes as circles, "BODY:" on its own line.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "payload/payload.h"
#include "tests/payload/text_support.h"

namespace {

std::string view(const std::string& text, int32_t carrier, int32_t previewno) {
    static char buffer[kTextViewBytes];
    std::memset(buffer, 0, sizeof buffer);
    std::memcpy(buffer, text.data(), text.size());
    format_text_view(buffer, carrier, previewno);
    return buffer;
}

struct ViewCase {
    const char* name;
    std::string text;
    int32_t carrier;
    int32_t previewno;
    std::string expected;
};

TEST(FormatTextView, BreaksLinesByWidth) {
    const std::string a = sjis("あ");
    const std::string circle = sjis("◯");
    const ViewCase cases[] = {
        // previewno 4: 10 characters, 20 columns.
        {"30 half-width", std::string(30, 'x'), Docomo, 4, std::string(20, 'x') + "\r\n" + std::string(10, 'x')},
        {"double-byte at the last column", std::string(19, 'x') + a, Docomo, 4, std::string(19, 'x') + "\r\n" + a},
        {"double-byte filling the line", std::string(18, 'x') + a + "y", Docomo, 4, std::string(18, 'x') + a + "\r\ny"},
        {"line feeds and tabs", "a\tb\r\nc\nd", Docomo, 4, "ab\r\nc\r\nd"},
        {"lone CR is a character", "a\rb", Docomo, 4, "a\rb"},
        {"body gets its own line", "MATMSG:TO:;BODY:hi;;", Docomo, 10, "MATMSG:TO:;BODY:\r\nhi;;"},
        {"docomo emoji", std::string("a\xF8\x9F" "b\xF8\x40"), Docomo, 4, "a" + circle + "b\xF8\x40"},
        {"au emoji", "\xF6\x59\xF4\x93", Au, 4, circle + circle},
        {"softbank emoji", "x\x1B$G!\x0Fy", Softbank, 4, "x" + circle + "y"},
        {"emoji at the last column", std::string(19, 'x') + "\xF9\x40", Docomo, 4, std::string(19, 'x') + "\r\n" + circle},
        {"trail byte is no emoji start", sjis("ソ") + "\xF8\x9F", Docomo, 4, sjis("ソ") + circle},
        {"utf8 with emoji", "A\xF0\x9F\x98\x80", Utf8, 0, sjis("A○")},
        {"narrowest rows", std::string(13, 'x'), Docomo, 0, std::string(12, 'x') + "\r\nx"},
    };
    for (const ViewCase& c : cases) EXPECT_EQ(view(c.text, c.carrier, c.previewno), c.expected) << c.name;
}

TEST(FormatTextView, StopsAtTwoThousandBytes) {
    std::string out = view(std::string(1000, '\n'), Docomo, 4);
    EXPECT_EQ(out.size(), 2000u);
    out = view(std::string(1005, '\n'), Docomo, 4);
    EXPECT_EQ(out.size(), 2000u);
    out = view(std::string(1010, 'x'), Docomo, 0);
    EXPECT_LE(out.size(), 2000u);
    EXPECT_EQ(out.substr(0, 14), std::string(12, 'x') + "\r\n");
}

TEST(LineWidths, HoldTheRows) {
    EXPECT_EQ(LineWidths[0].characters, 6);
    EXPECT_EQ(LineWidths[4].characters, 10);
    EXPECT_EQ(LineWidths[10].characters, 20);
    EXPECT_EQ(LineWidths[10].fontHeight, 12);
}

}  // namespace
