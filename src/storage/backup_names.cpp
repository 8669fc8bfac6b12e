#include "storage/backup_names.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr char kExtension[] = ".LPD";
constexpr std::size_t kStampLength = 19;  // "YYYY-MM-DD HH.MM.SS"

std::string Stem(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

bool Digits(const std::string& text, std::size_t at, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

}  // namespace

std::string BackupFileName(const std::string& fileName, const BackupTime& t) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, " %04d-%02d-%02d %02d.%02d.%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return Stem(fileName) + stamp + kExtension;
}

std::optional<BackupTime> BackupTimeOf(const std::string& fileName, const std::string& name) {
    const std::string stem = Stem(fileName);
    const std::size_t extension = sizeof kExtension - 1;
    if (name.size() != stem.size() + 1 + kStampLength + extension) return std::nullopt;
    if (!EqualsIgnoringCase(name.substr(0, stem.size()), stem) || name[stem.size()] != ' ') return std::nullopt;
    if (!EqualsIgnoringCase(name.substr(name.size() - extension), kExtension)) return std::nullopt;
    const std::string s = name.substr(stem.size() + 1, kStampLength);
    if (s[4] != '-' || s[7] != '-' || s[10] != ' ' || s[13] != '.' || s[16] != '.') return std::nullopt;
    BackupTime t;
    if (!Digits(s, 0, 4, t.year) || !Digits(s, 5, 2, t.month) || !Digits(s, 8, 2, t.day) ||
        !Digits(s, 11, 2, t.hour) || !Digits(s, 14, 2, t.minute) || !Digits(s, 17, 2, t.second))
        return std::nullopt;
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 || t.second > 59)
        return std::nullopt;
    return t;
}

std::vector<std::string> BackupsOf(const std::string& fileName, const std::vector<std::string>& names) {
    std::vector<std::pair<BackupTime, std::string>> found;
    for (const std::string& name : names)
        if (const std::optional<BackupTime> t = BackupTimeOf(fileName, name)) found.emplace_back(*t, name);
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::string> newestFirst;
    for (auto& [time, name] : found) newestFirst.push_back(std::move(name));
    return newestFirst;
}

std::vector<std::string> BackupsBeyond(const std::string& fileName, const std::vector<std::string>& names,
                                       std::size_t kept) {
    std::vector<std::string> all = BackupsOf(fileName, names);
    if (all.size() <= kept) return {};
    return {all.begin() + static_cast<std::ptrdiff_t>(kept), all.end()};
}

bool FirstChangeOfTheDay(const std::string& fileName, const std::vector<std::string>& names, const BackupTime& now) {
    for (const std::string& name : names) {
        const std::optional<BackupTime> t = BackupTimeOf(fileName, name);
        if (t && t->year == now.year && t->month == now.month && t->day == now.day) return false;
    }
    return true;
}
