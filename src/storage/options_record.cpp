#include "storage/options_record.h"

#include <cstring>

#include "base/bounded_text.h"
#include "values/date.h"

namespace {

constexpr std::size_t kMostRecentKeyLength = 8;  // the path uses K[0..7] only

void StoreInt32(std::int32_t value, unsigned char* out) {
    auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) out[i] = static_cast<unsigned char>(bits >> (8 * i));
}

std::int32_t LoadInt32(const unsigned char* in) {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    return static_cast<std::int32_t>(bits);
}

// The fill after the path's NUL: a linear congruential generator seeded
// with the path's length, each value reduced to 0..253.
class FillGenerator {
public:
    explicit FillGenerator(std::uint32_t seed) : m_State(seed) {}
    unsigned char Next() {
        m_State = m_State * 214013u + 2531011u;
        return static_cast<unsigned char>(((m_State >> 16) & 0x7FFFu) % 254u);
    }

private:
    std::uint32_t m_State;
};

bool IsShowState(std::int32_t value) {
    return value == kShowNormal || value == kShowMaximized;
}

bool IsComponentEnd(char c) {
    return c == '\\' || c == '/' || c == ':';
}

// Offsets of the fields in the file.
constexpr std::size_t kIntFields = 8;
constexpr std::size_t kMostRecentOffset = 4 * kIntFields;
constexpr std::size_t kPasswordOffset = kMostRecentOffset + kPathSize;

}  // namespace

OptionsRecord DefaultOptionsRecord() {
    OptionsRecord record{};
    record.signature = kOptionsSignature;
    record.dateFormat = 0;
    record.showState = kShowNormal;
    record.savedShowState = kShowNormal;
    record.width = kDefaultWindowWidth;
    record.height = kDefaultWindowHeight;
    return record;
}

void ScramblePassword(char (&password)[kPasswordSize]) {
    for (std::size_t i = 0; i < kPasswordSize; ++i)
        password[i] = static_cast<char>(static_cast<unsigned char>(password[i]) - kOptionsKey[i]);
}

void UnscramblePassword(char (&password)[kPasswordSize]) {
    for (std::size_t i = 0; i < kPasswordSize; ++i)
        password[i] = static_cast<char>(static_cast<unsigned char>(password[i]) + kOptionsKey[i]);
    std::size_t length = strnlen(password, kMaxPasswordLength);
    std::memset(password + length, 0, kPasswordSize - length);
}

void ScrambleMostRecent(char (&path)[kPathSize]) {
    std::size_t length = strnlen(path, kMaxPathLength);
    path[length] = '\0';
    for (std::size_t i = 0; i <= length; ++i) {
        auto plain = static_cast<unsigned char>(path[i]);
        path[i] = static_cast<char>(plain - kOptionsKey[i % kMostRecentKeyLength]);
    }
    FillGenerator fill(static_cast<std::uint32_t>(length));
    for (std::size_t i = length + 1; i < kPathSize; ++i) path[i] = static_cast<char>(fill.Next());
}

void UnscrambleMostRecent(char (&path)[kPathSize]) {
    std::size_t end = kMaxPathLength;
    for (std::size_t i = 0; i < kPathSize; ++i) {
        auto stored = static_cast<unsigned char>(path[i]);
        auto plain = static_cast<unsigned char>(stored + kOptionsKey[i % kMostRecentKeyLength]);
        if (plain == 0) {
            end = i;
            break;
        }
        path[i] = static_cast<char>(plain);
    }
    std::memset(path + end, 0, kPathSize - end);
}

void EncodeOptionsRecord(const OptionsRecord& plain, unsigned char (&image)[kOptionsRecordSize]) {
    const std::int32_t numbers[kIntFields] = {plain.signature, plain.dateFormat, plain.showState,
                                              plain.savedShowState, plain.left, plain.top,
                                              plain.width, plain.height};
    for (std::size_t i = 0; i < kIntFields; ++i) StoreInt32(numbers[i], image + 4 * i);

    char mostRecent[kPathSize];
    std::memcpy(mostRecent, plain.mostRecent, kPathSize);
    ScrambleMostRecent(mostRecent);
    std::memcpy(image + kMostRecentOffset, mostRecent, kPathSize);

    char password[kPasswordSize];
    std::memcpy(password, plain.password, kPasswordSize);
    ScramblePassword(password);
    std::memcpy(image + kPasswordOffset, password, kPasswordSize);
}

bool DecodeOptionsRecord(const unsigned char* bytes, std::size_t size, OptionsRecord& plain) {
    if (!bytes || size != kOptionsRecordSize) return false;
    OptionsRecord record{};
    std::int32_t* numbers[kIntFields] = {&record.signature, &record.dateFormat, &record.showState,
                                         &record.savedShowState, &record.left, &record.top,
                                         &record.width, &record.height};
    for (std::size_t i = 0; i < kIntFields; ++i) *numbers[i] = LoadInt32(bytes + 4 * i);
    if (record.signature != kOptionsSignature) return false;
    if (record.dateFormat < 0 || record.dateFormat >= kDateFormatCount) return false;
    if (!IsShowState(record.showState) || !IsShowState(record.savedShowState)) return false;

    std::memcpy(record.mostRecent, bytes + kMostRecentOffset, kPathSize);
    UnscrambleMostRecent(record.mostRecent);
    std::memcpy(record.password, bytes + kPasswordOffset, kPasswordSize);
    UnscramblePassword(record.password);
    plain = record;
    return true;
}

void RebuildMostRecentPath(char (&path)[kPathSize], const char* accountsFolder) {
    path[kMaxPathLength] = '\0';
    if (path[0] == '\0') return;
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (IsComponentEnd(*p)) name = p + 1;
    char rebuilt[kPathSize] = {};
    if (std::strcmp(name, "") != 0 && std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0) {
        CopyBounded(rebuilt, accountsFolder ? accountsFolder : "");
        AppendBounded(rebuilt, name);
    }
    std::memcpy(path, rebuilt, kPathSize);
}
