#include "storage/account_info.h"

#include "storage/exception_reporter.h"
#include "storage/exceptions.h"
#include "base/log.h"
#include "storage/memory_stream.h"
#include "storage/typed_stream.h"

std::string AccountInfo::ms_Fields[kInfoFieldCount];

namespace {

// Fixed for good: information files saved with it must stay readable.
constexpr unsigned char kScrambleKey[9] = {0x4C, 0x9E, 0x27, 0xD3, 0x61, 0x0B, 0xB8, 0x75, 0xE4};

std::string Shift(std::string_view text, int direction) {
    std::string out(text);
    for (std::size_t p = 0; p < out.size(); ++p) {
        const unsigned key = kScrambleKey[p % sizeof kScrambleKey];
        const unsigned byte = static_cast<unsigned char>(out[p]);
        out[p] = static_cast<char>((byte + (direction > 0 ? key : 256u - key)) & 0xFFu);
    }
    return out;
}

bool IsFieldIndex(int index) { return index >= 0 && index < kInfoFieldCount; }

}  // namespace

std::string AccountInfo::Scramble(std::string_view plain) { return Shift(plain, -1); }
std::string AccountInfo::Unscramble(std::string_view stored) { return Shift(stored, +1); }

void AccountInfo::Serialize(SerializerBase& writer) {
    writer.PutString(ms_VersionText);
    writer.PutLong(ms_VersionNumber);
    for (const std::string& field : ms_Fields) writer.PutString(Scramble(field));
}

void AccountInfo::DeSerialize(DeSerializerBase& reader) {
    if (reader.GetString() != ms_VersionText) {
        WriteLog("AcctInfoCreditCard::DeSerialize: VersionText is wrong");
        throw ExceptionsAccountInfo(ExceptionsAccountInfo::kVersionText);
    }
    const auto version = static_cast<std::uint32_t>(reader.GetLong());
    WriteLog("versionNumber %X  ms_VersionNumber %X", version, ms_VersionNumber);
    if (version != ms_VersionNumber)
        throw ExceptionsAccountInfo(ExceptionsAccountInfo::kVersionNumber);
    for (std::string& field : ms_Fields) field = Unscramble(reader.GetString());
}

bool AccountInfo::TakeImage(const std::vector<unsigned char>& bytes) {
    ClearFields();
    try {
        MemoryDeSerializer reader(bytes);
        DeSerialize(reader);
        return true;
    } catch (const ExceptionBase& e) {
        WriteLog("Initialization::LoadSaved ExceptionBase Exception caught");
        ExceptionReporter reporter;
        e.Describe(reporter);
    } catch (...) {
    }
    return false;
}

const std::string& AccountInfo::InfoFileName(const char* accountFile) {
    std::string name = accountFile != nullptr ? accountFile : "";
    // A name shorter than an extension gets the letter in front.
    const std::size_t at = name.size() >= 4 ? name.size() - 4 : 0;
    name.insert(at, 1, 'I');
    m_FileName = std::move(name);
    return m_FileName;
}

const std::string& AccountInfo::GetField(int index) {
    static const std::string kNone;
    return IsFieldIndex(index) ? ms_Fields[index] : kNone;
}

std::size_t AccountInfo::GetFieldLength(int index) { return GetField(index).size(); }

void AccountInfo::SetField(int index, std::string_view text) {
    if (IsFieldIndex(index)) ms_Fields[index] = text;
}

void AccountInfo::ClearFields() {
    for (std::string& field : ms_Fields) field.clear();
}
