#include "storage/typed_stream.h"

#include <bit>
#include <limits>

#include "storage/exception_reporter.h"
#include "storage/exceptions.h"
#include "base/log.h"

namespace {

void StoreLittleEndian(std::uint64_t value, unsigned char* out, int count) {
    for (int i = 0; i < count; ++i) out[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint64_t LoadLittleEndian(const unsigned char* in, int count) {
    std::uint64_t value = 0;
    for (int i = 0; i < count; ++i) value |= static_cast<std::uint64_t>(in[i]) << (8 * i);
    return value;
}

void DescribeToLog(const ExceptionBase& e) {
    ExceptionReporter reporter;
    e.Describe(reporter);
}

}  // namespace

void TypedStreamWriter::Write(const void* bytes, std::uint32_t count) {
    switch (WriteBytes(bytes, count)) {
        case WriteResult::Written: return;
        case WriteResult::Failed: throw ExceptionsSerializer(ExceptionsSerializer::kWriteFailed);
        case WriteResult::Short: throw ExceptionsSerializer(ExceptionsSerializer::kShortWrite);
    }
}

void TypedStreamWriter::PutLong(std::uint32_t value) {
    unsigned char bytes[4];
    StoreLittleEndian(value, bytes, 4);
    Write(bytes, 4);
}

void TypedStreamWriter::PutDouble(double value) {
    unsigned char bytes[8];
    StoreLittleEndian(std::bit_cast<std::uint64_t>(value), bytes, 8);
    Write(bytes, 8);
}

void TypedStreamWriter::PutString(std::string_view text) {
    // A length that does not fit the prefix cannot be stored faithfully.
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw ExceptionsSerializer(ExceptionsSerializer::kShortWrite);
    auto length = static_cast<std::uint32_t>(text.size());
    try {
        PutLong(length);
    } catch (const ExceptionsSerializer& e) {
        WriteLog("Serializer::PutString Writing length caused Exception");
        DescribeToLog(e);
        throw;
    }
    if (length) Write(text.data(), length);
}

void TypedStreamWriter::PutBool(bool value) {
    try {
        PutLong(value ? kBoolTrueMark : kBoolFalseMark);
    } catch (const ExceptionsSerializer& e) {
        WriteLog("Serializer::PutBool Exception");
        DescribeToLog(e);
        throw;
    }
}

std::int32_t TypedStreamReader::GetLong() {
    unsigned char bytes[4];
    switch (ReadBytes(bytes, 4)) {
        case ReadResult::Read: break;
        case ReadResult::Failed:
            WriteLog("DeSerializer::GetLong: ReadFile failed.");
            throw ExceptionsDeSerializer(ExceptionsDeSerializer::kReadFailed);
        case ReadResult::Short:
            WriteLog("DeSerializer::GetLong: bytesRead not correct");
            throw ExceptionsDeSerializer(ExceptionsDeSerializer::kShortRead);
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(LoadLittleEndian(bytes, 4)));
}

double TypedStreamReader::GetDouble() {
    unsigned char bytes[8];
    switch (ReadBytes(bytes, 8)) {
        case ReadResult::Read: break;
        case ReadResult::Failed:
            WriteLog("DeSerializer::GetDouble: ReadFile failed.");
            throw ExceptionsDeSerializer(ExceptionsDeSerializer::kReadFailed);
        case ReadResult::Short:
            WriteLog("DeSerializer::GetDouble: bytesRead not correct");
            throw ExceptionsDeSerializer(ExceptionsDeSerializer::kShortRead);
    }
    return std::bit_cast<double>(LoadLittleEndian(bytes, 8));
}

std::string TypedStreamReader::GetString() {
    std::int32_t length;
    try {
        length = GetLong();
    } catch (const ExceptionBase& e) {
        WriteLog("DeSerializer::GetString: GetLong threw exception.");
        DescribeToLog(e);
        throw;
    }
    // A negative or oversized length would read past the end of the stream:
    // refuse it as a short read before anything is allocated.
    if (length < 0 || static_cast<std::uint64_t>(length) > BytesLeft()) {
        WriteLog("DeSerializer::GetString: bytesRead not correct");
        throw ExceptionsDeSerializer(ExceptionsDeSerializer::kShortRead);
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    if (length == 0) return text;
    switch (ReadBytes(text.data(), static_cast<std::uint32_t>(length))) {
        case ReadResult::Read: break;
        case ReadResult::Failed:
            WriteLog("DeSerializer::GetString: ReadFile failed.");
            throw ExceptionsDeSerializer(ExceptionsDeSerializer::kReadFailed);
        case ReadResult::Short:
            WriteLog("DeSerializer::GetString: bytesRead not correct");
            throw ExceptionsDeSerializer(ExceptionsDeSerializer::kShortRead);
    }
    return text;
}

bool TypedStreamReader::GetBool() {
    std::uint32_t mark;
    try {
        mark = static_cast<std::uint32_t>(GetLong());
    } catch (const ExceptionBase& e) {
        WriteLog("DeSerializer::GetBool: GetLong threw exception.");
        DescribeToLog(e);
        throw;
    }
    WriteLog("DeSerializer::GetBool boolean %x", mark);
    if (mark == kBoolTrueMark) return true;
    if (mark == kBoolFalseMark) return false;
    WriteLog("DeSerializer::GetBool: Bool data corrupted.");
    throw ExceptionsDeSerializer(ExceptionsDeSerializer::kBadBool);
}
