// Birthday parsing into YYYYMMDD and the wheel steps of the birthday field.
// Dates run from 1901-01-01 to 2099-12-31, where every year divisible by 4
// is a leap year.
#include <cstdio>
#include <cstring>

#include "payload/payload.h"

namespace {

const int32_t kBirthdayWalk = 199;

// Collects up to 8 digits; a "/" after exactly five digits makes YYYYM
// into YYYY0M. Returns the count.
int32_t collect_digits(const char* text, char* digits) {
    int32_t n = 0;
    for (int32_t p = 0; text[p] != '\0' && p < kBirthdayWalk && n < 8;) {
        char c = text[p];
        if (c >= '0' && c <= '9') {
            digits[n++] = c;
        } else if (c == '/' && n == 5) {
            digits[5] = digits[4];
            digits[4] = '0';
            n = 6;
        }
        p += sjis_char_length(text + p);
    }
    digits[n] = '\0';
    return n;
}

bool is_two_digit_month(char a, char b) { return (a == '0' && b != '0') || (a == '1' && b >= '0' && b <= '2'); }

// Completes the digits to eight; false when the count has no meaning.
bool complete_digits(char* d, int32_t n) {
    switch (n) {
        case 4:
            if (std::strncmp(d, "1901", 4) < 0 || std::strncmp(d, "2099", 4) > 0) return false;
            std::memcpy(d + 4, "0101", 5);
            return true;
        case 6:
            d[7] = d[5];
            d[6] = '0';
            d[5] = d[4];
            d[4] = '0';
            break;
        case 7:
            if (is_two_digit_month(d[4], d[5])) {
                d[7] = d[6];
                d[6] = '0';
            } else {
                d[7] = d[6];
                d[6] = d[5];
                d[5] = d[4];
                d[4] = '0';
            }
            break;
        case 8:
            break;
        default:
            return false;
    }
    d[8] = '\0';
    return true;
}

bool is_valid_date(const char* d) {
    if (std::strcmp(d, "19010101") < 0 || std::strcmp(d, "20991231") > 0) return false;
    char month[3] = {d[4], d[5], 0}, day[3] = {d[6], d[7], 0};
    if (std::strcmp(month, "01") < 0 || std::strcmp(month, "12") > 0 || std::strcmp(day, "01") < 0) return false;
    if (std::strcmp(day, "28") <= 0) return true;
    if (std::strcmp(month, "02") == 0) return std::strcmp(day, "29") == 0 && ((d[2] - '0') * 10 + (d[3] - '0')) % 4 == 0;
    if (std::strcmp(day, "31") > 0) return false;
    bool shortMonth = !std::strcmp(month, "04") || !std::strcmp(month, "06") || !std::strcmp(month, "09") || !std::strcmp(month, "11");
    return std::strcmp(day, "31") < 0 || !shortMonth;
}

int32_t days_in_month(int32_t year, int32_t month) {
    static const int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && year % 4 == 0 ? 29 : kDays[month - 1];
}

void step_month(int32_t* y, int32_t* m, int32_t* d, int32_t direction) {
    if (direction > 0) {
        if (*m == 12) ++*y;
        *m = *m == 12 ? 1 : *m + 1;
    } else {
        if (*m == 1) --*y;
        *m = *m == 1 ? 12 : *m - 1;
    }
    if (*d > days_in_month(*y, *m)) *d = days_in_month(*y, *m);
}

void step_day(int32_t* y, int32_t* m, int32_t* d, int32_t direction) {
    if (direction > 0) {
        if (++*d <= days_in_month(*y, *m)) return;
        *d = 1;
        if (++*m > 12) {
            *m = 1;
            ++*y;
        }
    } else {
        if (--*d >= 1) return;
        if (--*m < 1) {
            *m = 12;
            --*y;
        }
        *d = days_in_month(*y, *m);
    }
}

}  // namespace

int32_t parse_birthday(char* text) {
    if (text[0] == '\0') return 4;
    to_half_width(text, HalfDigits | HalfLatin);
    char digits[16];
    int32_t n = collect_digits(text, digits);
    if (!complete_digits(digits, n) || !is_valid_date(digits)) {
        text[0] = '\0';
        return 1;
    }
    std::memcpy(text, digits, 9);
    return 0;
}

void step_birthday(char* field, int32_t direction, bool byMonth) {
    char date[kFieldBufferBytes];
    std::snprintf(date, sizeof date, "%.199s", field[0] ? field : "19900101");
    if (parse_birthday(date) != 0 || direction == 0) return;
    int32_t y = 0, m = 0, d = 0;
    std::sscanf(date, "%4d%2d%2d", &y, &m, &d);
    const char* bound = direction > 0 ? (byMonth ? "20991130" : "20991230") : (byMonth ? "19010201" : "19010102");
    int32_t compared = std::strcmp(date, bound);
    bool allowed = direction > 0 ? compared <= 0 : compared >= 0;
    if (allowed && byMonth) step_month(&y, &m, &d, direction);
    if (allowed && !byMonth) step_day(&y, &m, &d, direction);
    std::snprintf(field, 11, "%04d/%02d/%02d", y, m, d);
}
