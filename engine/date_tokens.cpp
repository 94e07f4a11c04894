// Stage 7 of the expander: date arithmetic ("%dd++2") and the date and time tokens.
#include <cstdio>
#include <cstring>

#include "core/text_rules.h"
#include "engine/expand_internal.h"

namespace zorbel {
namespace expansion {
namespace {

constexpr const char* kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                         "July",    "August",   "September", "October", "November", "December"};
constexpr const char* kDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// The units of date arithmetic: the first token present in the text chooses.
struct DateUnit {
    const char* token;  // followed by "--" or "++"
    int64_t seconds;
};
constexpr DateUnit kDateUnits[] = {
    {"%ss", 1},          {"%ii", 60},         {"%hh", 3600},       {"%uu", 3600},
    {"%dd", 86400},      {"%mm", 31 * 86400}, {"%yyyy", 365 * 86400}, {"%yy", 365 * 86400},
};

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
int64_t days_from_civil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civil_from_days(int64_t z, int64_t* y, int* m, int* d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    *d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    *m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    *y = yoe + era * 400 + (*m <= 2);
}

int64_t floor_div(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

std::string format_int(const char* format, long long n) {
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), format, n);
    return buffer;
}

// Applies the date arithmetic marker of `text` to `now` and removes the marker.
LocalTime apply_date_arithmetic(std::string* text, LocalTime now) {
    size_t marker = text->find("++");
    bool minus = false;
    if (marker == std::string::npos) {
        marker = text->find("--");
        minus = true;
    }
    if (marker == std::string::npos) return now;
    int64_t n = text_to_number(std::string_view(*text).substr(marker + 2, 5));
    if (minus) n = -n;
    for (const DateUnit& unit : kDateUnits) {
        std::string token = unit.token;
        if (contains_token(*text, token + "--") || contains_token(*text, token + "++")) {
            now = add_seconds(now, n * unit.seconds);
            break;
        }
    }
    // The marker and its number go: "++N" for N of 1 or more, "-" and N's decimal
    // text otherwise ("--15" for -15), and "++0" or "--0" for 0.
    std::string written;
    if (n >= 1) {
        written = "++" + std::to_string(n);
    } else if (n == 0) {
        written = (minus ? "--" : "++") + std::string("0");
    } else {
        written = "-" + std::to_string(n);
    }
    size_t at = text->find(written);
    if (at != std::string::npos) text->erase(at, written.size());
    return now;
}

}  // namespace

LocalTime add_seconds(const LocalTime& time, int64_t seconds) {
    int64_t days = days_from_civil(time.year, time.month, time.day);
    int64_t total = days * 86400 + time.hour * 3600 + time.minute * 60 + time.second + seconds;
    int64_t new_days = floor_div(total, 86400);
    int64_t rest = total - new_days * 86400;
    LocalTime out;
    int64_t year = 0;
    civil_from_days(new_days, &year, &out.month, &out.day);
    out.year = static_cast<int>(year);
    out.hour = static_cast<int>(rest / 3600);
    out.minute = static_cast<int>(rest / 60 % 60);
    out.second = static_cast<int>(rest % 60);
    // 1970-01-01 was a Thursday.
    out.weekday = static_cast<int>(((new_days % 7) + 7 + 4) % 7);
    return out;
}

void expand_date_tokens(std::string* text, const LocalTime& local) {
    LocalTime now = apply_date_arithmetic(text, local);
    int month = now.month >= 1 && now.month <= 12 ? now.month - 1 : 0;
    int weekday = now.weekday >= 0 && now.weekday <= 6 ? now.weekday : 0;
    int hour12 = now.hour % 12 == 0 ? 12 : now.hour % 12;
    replace_token_with(text, "%yyyy", [&] { return format_int("%04lld", now.year); });
    replace_token_with(text, "%yy", [&] { return format_int("%02lld", now.year - 2000LL); });
    replace_token(text, "%mmmm", kMonthNames[month]);
    replace_token(text, "%mmm", std::string(kMonthNames[month], 3));
    replace_token(text, "%dddd", kDayNames[weekday]);
    replace_token(text, "%ddd", std::string(kDayNames[weekday], 3));
    replace_token_with(text, "%mm", [&] { return format_int("%02lld", now.month); });
    replace_token_with(text, "%dd", [&] { return format_int("%02lld", now.day); });
    replace_token_with(text, "%uu", [&] { return format_int("%02lld", now.hour); });
    replace_token(text, "%a", now.hour < 12 ? "AM" : "PM");
    replace_token_with(text, "%hh", [&] { return format_int("%02lld", hour12); });
    replace_token_with(text, "%ii", [&] { return format_int("%02lld", now.minute); });
    replace_token_with(text, "%ss", [&] { return format_int("%02lld", now.second); });
}

}  // namespace expansion
}  // namespace zorbel
