#include "storage/exceptions.h"

#include <cstddef>

#include "storage/exception_reporter.h"

namespace {

// Texts as the log has always shown them, trailing blanks and commas kept.
const char* const kAcctInfoMessages[] = {
    "Initialization: Version type is incorrect.",
    "Initialization: Version number is incorrect.",
};
const char kAcctInfoUnknown[] = "Initialization class unknown problem,";

const char* const kSerializerMessages[] = {
    "Serializer: File not found.",
    "Serializer: WriteFile was not successful.",
    "Serializer: Number of bytes written not correct.",
};
const char kSerializerUnknown[] = "Serializer unknown problem,";

const char* const kDeSerializerMessages[] = {
    "DeSerializer: File not found.",
    "DeSerializer: Invalid file size.",
    "DeSerializer: ReadFile not successful.",
    "DeSerializer: Number of bytes read is not correct.",
    "DeSerializer: Boolean value read is corrupted.",
};
// The reader's unknown code shares the writer's text.
const char kDeSerializerUnknown[] = "Serializer unknown problem,";

template <std::size_t N>
const char* MessageFor(const char* const (&messages)[N], std::int32_t code, const char* unknown) {
    return code >= 0 && static_cast<std::size_t>(code) < N ? messages[code] : unknown;
}

void DescribeLines(ReporterBase& reporter, const char* header, const char* message) {
    reporter.Report(header, kSeverityNone);
    reporter.Report(message, kSeverityNone);
}

}  // namespace

const char* ExceptionsAccountInfo::Header() {
    return "ExceptionsInitialization Error: ";
}
const char* ExceptionsAccountInfo::Message() const {
    return MessageFor(kAcctInfoMessages, m_Code, kAcctInfoUnknown);
}
void ExceptionsAccountInfo::Describe(ReporterBase& reporter) const {
    DescribeLines(reporter, Header(), Message());
}

const char* ExceptionsSerializer::Header() {
    return "ExceptionsSerializer Error: ";
}
const char* ExceptionsSerializer::Message() const {
    return MessageFor(kSerializerMessages, m_Code, kSerializerUnknown);
}
void ExceptionsSerializer::Describe(ReporterBase& reporter) const {
    DescribeLines(reporter, Header(), Message());
}

const char* ExceptionsDeSerializer::Header() {
    return "DeSerializerExceptions Error: ";
}
const char* ExceptionsDeSerializer::Message() const {
    return MessageFor(kDeSerializerMessages, m_Code, kDeSerializerUnknown);
}
void ExceptionsDeSerializer::Describe(ReporterBase& reporter) const {
    DescribeLines(reporter, Header(), Message());
}
