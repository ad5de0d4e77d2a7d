// compose_payload in all three modes for every carrier: the mail and
// address forms with their escaping, renumbering and element order, the
// order of the address checks, and what is reported when text is dropped.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "payload/payload.h"
#include "tests/payload/text_support.h"

namespace {

typedef std::vector<std::pair<int32_t, std::string>> Fields;   // control, UTF-8 text

struct ComposeCase {
    const char* name;
    int32_t carrier;
    InputMode mode;
    Fields fields;
    const char* expected;   // UTF-8 payload
    int32_t error;
    int32_t argument;
};

void compose_case(const ComposeCase& c) {
    reset_form(c.carrier, c.mode);
    for (const auto& f : c.fields) set_field(f.first, f.second);
    int32_t result = compose_payload();
    EXPECT_EQ(result, c.error == 0 ? 0 : 1) << c.name;
    EXPECT_EQ(g_composeError.code, c.error) << c.name;
    EXPECT_EQ(g_composeError.argument, c.argument) << c.name;
    EXPECT_EQ(utf8_of(payload_text()), c.expected) << c.name;
    EXPECT_EQ(g_payload.dropped, DroppedNothing) << c.name;
}

TEST(ComposeText, TakesTheTextUnchanged) {
    const ComposeCase cases[] = {
        {"text", Docomo, InputMode::Text, {{ControlText, "a;b\r\n[i9F]\\"}}, "a;b\r\n[i9F]\\", 0, 0},
        {"empty", Docomo, InputMode::Text, {}, "", 1, 0},
        {"mail mode for utf8", Utf8, InputMode::Mail, {{ControlTo, "a@b"}}, "", 0, 0},
        {"address mode for utf8", Utf8, InputMode::Address, {{ControlName, "a"}}, "", 0, 0},
    };
    for (const ComposeCase& c : cases) compose_case(c);
}

TEST(ComposeMail, BuildsEachCarriersForm) {
    const ComposeCase cases[] = {
        {"softbank address and body", Softbank, InputMode::Mail,
         {{ControlTo, "taro@example.jp 会社"}, {ControlBody, "line1\r\nline2"}},
         "MAILTO:taro@example.jp\r\nBODY:line1line2\r\n", 0, 0},
        {"au all fields", Au, InputMode::Mail,
         {{ControlTo, "a@b.jp"}, {ControlSubject, "件名;:"}, {ControlBody, "本文\rx"}},
         "MAILTO:a@b.jp\r\nSUBJECT:件名;:\r\nBODY:本文\rx\r\n", 0, 0},
        {"au body of line breaks only", Au, InputMode::Mail, {{ControlTo, "a@b"}, {ControlBody, "\r\n\r\n"}},
         "MAILTO:a@b\r\n", 0, 0},
        {"docomo escapes", Docomo, InputMode::Mail,
         {{ControlTo, "a@b.jp"}, {ControlSubject, "x:y;z\\w,"}, {ControlBody, "l1\r\nl2"}},
         "MATMSG:TO:a@b.jp;SUB:x\\:y\\;z\\\\w\\,;BODY:l1\r\nl2;;", 0, 0},
        {"docomo body only", Docomo, InputMode::Mail, {{ControlBody, "hi"}}, "MATMSG:TO:;BODY:hi;;", 0, 0},
        {"docomo katakana so is no backslash", Docomo, InputMode::Mail, {{ControlSubject, "ソ\\"}},
         "MATMSG:TO:;SUB:ソ\\\\;;", 0, 0},
        {"full-width address", Softbank, InputMode::Mail, {{ControlTo, "ｔａｒｏ＠ｅｘ．ｊｐ"}},
         "MAILTO:taro@ex.jp\r\n", 0, 0},
        {"all empty", Docomo, InputMode::Mail, {{ControlTo, "  "}}, "", 1, 0},
        {"softbank body of line breaks", Softbank, InputMode::Mail, {{ControlBody, "\r\n"}}, "", 1, 0},
    };
    for (const ComposeCase& c : cases) compose_case(c);
}

TEST(ComposeAddress, BuildsEachCarriersForm) {
    const Fields full = {{ControlName, "山田,太郎,様"}, {ControlFurigana, "やまだ,たろう,さま"},
                         {ControlPhone1, "090 1234"},    {ControlPhone3, "03-1111"},
                         {ControlMail2, "a@b.jp"},       {ControlNote, "メモ;"},
                         {ControlPostal, "東京都"},       {ControlBirthday, "1990/1/5"},
                         {ControlUrl, "http://x.jp/"}};
    const ComposeCase cases[] = {
        {"softbank", Softbank, InputMode::Address, full,
         "MEMORY:メモ;\r\nNAME1:山田,太郎,様\r\nNAME2:ﾔﾏﾀﾞ,ﾀﾛｳ,ｻﾏ\r\nTEL1:090,1234\r\nTEL2:03-1111\r\nMAIL1:a@b.jp\r\n", 0, 0},
        {"au adds the postal address", Au, InputMode::Address, full,
         "MEMORY:メモ;\r\nNAME1:山田,太郎,様\r\nNAME2:ﾔﾏﾀﾞ,ﾀﾛｳ,ｻﾏ\r\nTEL1:090,1234\r\nTEL2:03-1111\r\nMAIL1:a@b.jp\r\nADD:東京都\r\n", 0, 0},
        {"docomo", Docomo, InputMode::Address, full,
         "MECARD:N:山田,太郎\\,様;SOUND:ﾔﾏﾀﾞ,ﾀﾛｳ\\,ｻﾏ;TEL:090\\,1234;TEL:03-1111;EMAIL:a@b.jp;"
         "NOTE:メモ\\;;ADR:東京都;BDAY:19900105;URL:http://x.jp/;;", 0, 0},
        {"only a name, memory", Softbank, InputMode::Address, {{ControlName, "名"}}, "MEMORY:\r\nNAME1:名\r\n", 0, 0},
        {"only a name, mecard", Docomo, InputMode::Address, {{ControlName, "名"}}, "MECARD:N:名;;", 0, 0},
        {"phones 2 and 3 renumbered", Au, InputMode::Address, {{ControlPhone2, "2"}, {ControlPhone3, "3"}},
         "MEMORY:\r\nTEL1:2\r\nTEL2:3\r\n", 0, 0},
        {"softbank birthday not read", Softbank, InputMode::Address, {{ControlName, "a"}, {ControlBirthday, "bad"}},
         "MEMORY:\r\nNAME1:a\r\n", 0, 0},
    };
    for (const ComposeCase& c : cases) compose_case(c);
}

// The elements of a MECARD payload as a phone reads them: KEY:value up to
// an unescaped ";", a backslash taking the next character literally, whole
// Shift_JIS characters (a trail byte 0x5C is no backslash).
std::vector<std::pair<std::string, std::string>> read_mecard(const std::string& payload) {
    std::vector<std::pair<std::string, std::string>> elements;
    const std::string head = "MECARD:";
    if (payload.compare(0, head.size(), head) != 0) return elements;
    size_t i = head.size();
    auto char_length = [&](size_t at) {
        uint8_t b = static_cast<uint8_t>(payload[at]);
        bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        return lead && at + 1 < payload.size() ? 2u : 1u;
    };
    while (i < payload.size() && payload[i] != ';') {
        size_t colon = payload.find(':', i);
        if (colon == std::string::npos) break;
        std::string key = payload.substr(i, colon - i), value;
        for (i = colon + 1; i < payload.size() && payload[i] != ';';) {
            if (payload[i] == '\\' && i + 1 < payload.size()) ++i;
            size_t n = char_length(i);
            value += payload.substr(i, n);
            i += n;
        }
        elements.push_back({key, value});
        ++i;   // the element's ";"
    }
    return elements;
}

TEST(ComposeAddress, MecardAddressAndWebPageReadBackWhole) {
    const struct {
        const char* postal;   // UTF-8
        const char* url;
        const char* adr;      // the element as written
        const char* urlElement;
    } rows[] = {
        {"東京都;港区", "http://x;y", "ADR:東京都\\;港区;", "URL:http://x\\;y;"},
        {"a\\b:c,d", "http://u:p@h/p?q=1,2", "ADR:a\\\\b:c,d;", "URL:http://u:p@h/p?q=1,2;"},
        {"ソ;\\;", "https://ex.jp/ソ\\;", "ADR:ソ\\;\\\\\\;;", "URL:https://ex.jp/ソ\\\\\\;;"},
        {";", "\\", "ADR:\\;;", "URL:\\\\;"},
    };
    for (const auto& r : rows) {
        reset_form(Docomo, InputMode::Address);
        set_field(ControlName, "名;前");
        set_field(ControlPostal, r.postal);
        set_field(ControlBirthday, "2001/2/3");
        set_field(ControlUrl, r.url);
        ASSERT_EQ(compose_payload(), 0) << r.postal;
        std::string p = utf8_of(payload_text());
        EXPECT_NE(p.find(std::string(r.adr) + "BDAY:20010203;" + r.urlElement + ";"), std::string::npos) << p;
        auto elements = read_mecard(payload_text());
        ASSERT_EQ(elements.size(), 4u) << p;
        const std::pair<std::string, std::string> expected[] = {
            {"N", sjis("名;前")}, {"ADR", sjis(r.postal)}, {"BDAY", "20010203"}, {"URL", sjis(r.url)}};
        for (size_t k = 0; k < 4; ++k) {
            EXPECT_EQ(elements[k].first, expected[k].first) << p;
            EXPECT_EQ(utf8_of(elements[k].second), utf8_of(expected[k].second)) << p;
        }
        EXPECT_EQ(g_payload.dropped, DroppedNothing);
    }
}

TEST(ComposeAddress, MecardElementEndsFillingTheRoomStayPaired) {
    // 200 semicolons become 400 bytes: all kept, each escaped.
    reset_form(Docomo, InputMode::Address);
    set_field(ControlName, "a");
    set_field_bytes(ControlPostal, std::string(200, ';'));
    set_field_bytes(ControlUrl, std::string(200, '\\'));
    ASSERT_EQ(compose_payload(), 0);
    auto elements = read_mecard(payload_text());
    ASSERT_EQ(elements.size(), 3u);
    EXPECT_EQ(elements[1].second, std::string(200, ';'));
    EXPECT_EQ(elements[2].second, std::string(200, '\\'));
}

TEST(ComposeAddress, TheMemoryFormKeepsItsAddressAsTyped) {
    // au writes the postal address unescaped on its own line; softbank reads
    // no address; neither reads the birthday or the web page.
    const Fields fields = {{ControlName, "n"}, {ControlPostal, "a;b\\c:d,e"}, {ControlBirthday, "bad"},
                           {ControlUrl, "http://x;y"}};
    const ComposeCase cases[] = {
        {"au", Au, InputMode::Address, fields, "MEMORY:\r\nNAME1:n\r\nADD:a;b\\c:d,e\r\n", 0, 0},
        {"softbank", Softbank, InputMode::Address, fields, "MEMORY:\r\nNAME1:n\r\n", 0, 0},
    };
    for (const ComposeCase& c : cases) compose_case(c);
}

TEST(ComposeAddress, ChecksInOrder) {
    const ComposeCase cases[] = {
        {"letters-only phone counts as empty", Docomo, InputMode::Address, {{ControlPhone1, "abc"}}, "",
         ErrorNoNameOrPhone, 0},
        {"bad phones 1 and 2 name phone 2", Docomo, InputMode::Address,
         {{ControlName, "a"}, {ControlPhone1, "x"}, {ControlPhone2, "y"}}, "", ErrorBadPhone, 2},
        {"birthday wins over furigana", Docomo, InputMode::Address,
         {{ControlName, "a"}, {ControlBirthday, "1990/2/30"}, {ControlFurigana, "山"}}, "", ErrorBadBirthday, 0},
        {"birthday wins over phone", Docomo, InputMode::Address,
         {{ControlName, "a"}, {ControlBirthday, "x"}, {ControlPhone3, "y"}}, "", ErrorBadBirthday, 0},
        {"phone wins over furigana", Au, InputMode::Address,
         {{ControlName, "a"}, {ControlPhone3, "y"}, {ControlFurigana, "山"}}, "", ErrorBadPhone, 3},
        {"furigana", Au, InputMode::Address, {{ControlName, "a"}, {ControlFurigana, "山"}}, "", ErrorBadFurigana, 0},
    };
    for (const ComposeCase& c : cases) compose_case(c);
}

TEST(ComposeMail, DocomoEscapingCutsWholeAndReportsIt) {
    // 17,900 commas: each escaped comma is kept whole (no lone backslash).
    reset_form(Docomo, InputMode::Mail);
    set_field_bytes(ControlBody, std::string(17900, ','));
    ASSERT_EQ(compose_payload(), 0);
    std::string p = payload_text();
    std::string body = p.substr(std::string("MATMSG:TO:;BODY:").size());
    EXPECT_EQ(body.size(), 17898u + 2);
    EXPECT_EQ(body.substr(body.size() - 4), "\\,;;");
    EXPECT_NE(g_payload.dropped & DroppedEscapeTail, 0);

    // 5,966 x "漢," + "漢": the cut never leaves a lone lead byte.
    std::string kanComma;
    for (int i = 0; i < 5966; ++i) kanComma += sjis("漢,");
    reset_form(Docomo, InputMode::Mail);
    set_field_bytes(ControlBody, kanComma + sjis("漢"));
    ASSERT_EQ(compose_payload(), 0);
    p = payload_text();
    EXPECT_EQ(p.substr(p.size() - 2), ";;");
    std::string escaped = p.substr(16, p.size() - 18);
    EXPECT_EQ(escaped.size(), 17898u);   // 4,474 x "漢\," then a whole 漢
    EXPECT_EQ(escaped.substr(escaped.size() - 2), sjis("漢"));
    EXPECT_EQ(byte_type(escaped.c_str(), 17897), ByteTrail);
    EXPECT_NE(g_payload.dropped & DroppedEscapeTail, 0);
}

TEST(ComposeMail, BackslashesCutAfterEscapingStayPaired) {
    // Doubling the backslashes fills the room; escaping the colon at the
    // start then pushes the last pair over the edge: it goes whole.
    reset_form(Docomo, InputMode::Mail);
    set_field_bytes(ControlBody, ":" + std::string(8949, '\\'));
    ASSERT_EQ(compose_payload(), 0);
    std::string p = payload_text();
    std::string body = p.substr(16, p.size() - 18);
    size_t run = body.size() - body.find_last_not_of('\\') - 1;
    EXPECT_EQ(run % 2, 0u);
    EXPECT_NE(g_payload.dropped & DroppedEscapeTail, 0);
}

TEST(ComposeText, ReportsAFieldCutAtItsLimit) {
    reset_form(Docomo, InputMode::Text);
    set_field_bytes(ControlText, std::string(19999, 'a'));
    ASSERT_EQ(compose_payload(), 0);
    EXPECT_EQ(g_payload.dropped, DroppedNothing);
    set_field_bytes(ControlText, std::string(20000, 'a'));
    ASSERT_EQ(compose_payload(), 0);
    EXPECT_EQ(payload_text().size(), 19999u);
    EXPECT_EQ(g_payload.dropped, DroppedFieldTail);
}

TEST(SnapshotInputs, ReportsOnlyChanges) {
    reset_form(Docomo, InputMode::Text);
    snapshot_inputs();
    EXPECT_EQ(snapshot_inputs(), 4);
    set_field(ControlText, "abc");
    EXPECT_EQ(snapshot_inputs(), 0);
    EXPECT_EQ(snapshot_inputs(), 4);
    reset_form(Docomo, InputMode::Address);
    set_field(ControlName, "ab");
    EXPECT_EQ(snapshot_inputs(), 0);
    set_field(ControlName, "a");
    set_field(ControlFurigana, "b");   // same bytes, other field: a change
    EXPECT_EQ(snapshot_inputs(), 0);
    set_field(ControlUrl, "");
    EXPECT_EQ(snapshot_inputs(), 4);
}

// An edit anywhere in what a composer reads regenerates: deep in a long
// body, at the body's last byte read, at the text's 19,999th byte.
TEST(SnapshotInputs, SeesEditsOverTheWholeLengthTheComposersRead) {
    const struct {
        const char* what;
        InputMode mode;
        int32_t control;
        size_t length;
        size_t edited;
    } rows[] = {
        {"a 1,500-byte body at byte 1,200", InputMode::Mail, ControlBody, 1500, 1200},
        {"the body's 17,900th byte", InputMode::Mail, ControlBody, kBodyLimit, kBodyLimit - 1},
        {"the text's 19,999th byte", InputMode::Text, ControlText, kTextLimit, kTextLimit - 1},
        {"a short field's 999th byte", InputMode::Address, ControlNote, 999, 998},
    };
    for (const auto& r : rows) {
        reset_form(Docomo, r.mode);
        // The other fields full too, so the snapshot is at its largest.
        if (r.mode == InputMode::Mail) {
            set_field_bytes(ControlTo, std::string(999, 't'));
            set_field_bytes(ControlSubject, std::string(999, 's'));
        }
        std::string field(r.length, 'a');
        set_field_bytes(r.control, field);
        snapshot_inputs();
        EXPECT_EQ(snapshot_inputs(), 4) << r.what;
        field[r.edited] = 'b';
        set_field_bytes(r.control, field);
        EXPECT_EQ(snapshot_inputs(), 0) << r.what;
        EXPECT_EQ(snapshot_inputs(), 4) << r.what;
        field[r.edited] = 'a';
        set_field_bytes(r.control, field);
        EXPECT_EQ(snapshot_inputs(), 0) << r.what << ", edited back";
    }
}

TEST(SnapshotInputs, SpoiledSnapshotReportsOneChange) {
    reset_form(Docomo, InputMode::Text);
    snapshot_inputs();
    reset_form(Docomo, InputMode::Mail);   // empty text, then empty mail fields: alike
    EXPECT_EQ(snapshot_inputs(), 4);
    spoil_input_snapshot();
    EXPECT_EQ(snapshot_inputs(), 0);
    EXPECT_EQ(snapshot_inputs(), 4);
}

}  // namespace
