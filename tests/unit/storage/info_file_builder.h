// Information files built by hand for the tests: the version text, the
// number and the stored (scrambled) texts, in the file's own layout, and the
// seven texts the class holds now.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "storage/account_info.h"

namespace info_file_test {

inline void AppendLong(std::vector<unsigned char>& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

inline void AppendString(std::vector<unsigned char>& b, const std::string& s) {
    AppendLong(b, static_cast<std::uint32_t>(s.size()));
    b.insert(b.end(), s.begin(), s.end());
}

inline std::vector<unsigned char> InfoFile(const std::string& version, std::uint32_t number,
                                           const std::vector<std::string>& fields) {
    std::vector<unsigned char> b;
    AppendString(b, version);
    AppendLong(b, number);
    for (const std::string& f : fields) AppendString(b, AccountInfo::Scramble(f));
    return b;
}

inline std::vector<std::string> Fields() {
    std::vector<std::string> out;
    for (int i = 0; i < kInfoFieldCount; ++i) out.push_back(AccountInfo::GetField(i));
    return out;
}

}  // namespace info_file_test
