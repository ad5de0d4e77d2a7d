// parse_birthday on every accepted form, and the wheel steps at month ends
// and at the ends of the range.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "payload/payload.h"
#include "tests/payload/text_support.h"

namespace {

struct BirthdayCase {
    const char* input;     // UTF-8
    int32_t result;
    const char* expected;
};

TEST(ParseBirthday, AcceptsEveryForm) {
    const BirthdayCase cases[] = {
        {"1990/1/5", 0, "19900105"},   {"1990/01/05", 0, "19900105"}, {"19900105", 0, "19900105"},
        {"1990015", 0, "19900105"},    {"199015", 0, "19900105"},     {"１９９０／１／５", 0, "19900105"},
        {"1990年1月5日", 0, "19900105"}, {"1990.1.5", 0, "19900105"}, {"1990", 0, "19900101"},
        {"1990115", 0, "19901105"},    {"1990/12/5", 0, "19901205"},  {"19901", 1, ""},
        {"2000/2/29", 0, "20000229"},  {"2001/2/29", 1, ""},          {"1900/2/29", 1, ""},
        {"2100/1/1", 1, ""},           {"1901", 0, "19010101"},       {"1900", 1, ""},
        {"2099/12/31", 0, "20991231"}, {"1990/4/31", 1, ""},          {"1990/5/31", 0, "19900531"},
        {"1990/13/01", 1, ""},          {"1990/1/0", 1, ""},           {"1990/13/1", 0, "19900131"},           {"abc", 1, ""},
        {"", 4, ""},                   {"1990/02/30", 1, ""},         {"1904/2/29", 0, "19040229"},
    };
    for (const BirthdayCase& c : cases) {
        char buffer[kFieldBufferBytes] = {};
        std::string s = sjis(c.input);
        std::memcpy(buffer, s.data(), s.size());
        EXPECT_EQ(parse_birthday(buffer), c.result) << c.input;
        if (c.result != 4) {
            EXPECT_STREQ(buffer, c.expected) << c.input;
        }
    }
}

struct StepCase {
    const char* field;
    int32_t direction;
    bool byMonth;
    const char* expected;
};

TEST(StepBirthday, StepsDaysAndMonths) {
    const StepCase cases[] = {
        {"", 1, false, "1990/01/02"},          {"", -1, false, "1989/12/31"},
        {"2000/01/31", 1, true, "2000/02/29"}, {"2001/01/31", 1, true, "2001/02/28"},
        {"2000/03/31", 1, true, "2000/04/30"}, {"2000/12/15", 1, true, "2001/01/15"},
        {"2000/01/15", -1, true, "1999/12/15"},
        {"2000/02/28", 1, false, "2000/02/29"}, {"2001/02/28", 1, false, "2001/03/01"},
        {"1999/12/31", 1, false, "2000/01/01"}, {"2000/03/01", -1, false, "2000/02/29"},
        {"2099/12/31", 1, false, "2099/12/31"}, {"2099/12/30", 1, false, "2099/12/31"},
        {"1901/01/01", -1, false, "1901/01/01"}, {"1901/01/02", -1, false, "1901/01/01"},
        {"2099/12/01", 1, true, "2099/12/01"}, {"2099/11/30", 1, true, "2099/12/30"},
        {"1901/01/31", -1, true, "1901/01/31"}, {"1901/02/01", -1, true, "1901/01/01"},
        {"19900105", 1, false, "1990/01/06"},   {"bad", 1, false, "bad"},
    };
    for (const StepCase& c : cases) {
        char field[kFieldBufferBytes] = {};
        std::strcpy(field, c.field);
        step_birthday(field, c.direction, c.byMonth);
        EXPECT_STREQ(field, c.expected) << c.field << " " << c.direction << " " << c.byMonth;
    }
}

}  // namespace
