#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "storage/exception_reporter.h"
#include "storage/exceptions.h"
#include "log_capture.h"

namespace {

class RecordingReporter : public ReporterBase {
public:
    void Report(const char* text, int severity) override { reports.emplace_back(text, severity); }
    std::vector<std::pair<std::string, int>> reports;
};

std::vector<std::pair<std::string, int>> Described(const ExceptionBase& e) {
    RecordingReporter reporter;
    e.Describe(reporter);
    return reporter.reports;
}

}  // namespace

TEST(Exceptions, DescribeHeaderThenMessageWithoutSeverity) {
    struct Case {
        const ExceptionBase& exception;
        const char* header;
        const char* message;
    };
    const ExceptionsAccountInfo info0(0), info1(1), info2(2);
    const ExceptionsSerializer ser0(0), ser1(1), ser2(2), ser3(3), serNegative(-1);
    const ExceptionsDeSerializer de0(0), de1(1), de2(2), de3(3), de4(4), de5(5);
    const Case cases[] = {
        {info0, "ExceptionsInitialization Error: ", "Initialization: Version type is incorrect."},
        {info1, "ExceptionsInitialization Error: ", "Initialization: Version number is incorrect."},
        {info2, "ExceptionsInitialization Error: ", "Initialization class unknown problem,"},
        {ser0, "ExceptionsSerializer Error: ", "Serializer: File not found."},
        {ser1, "ExceptionsSerializer Error: ", "Serializer: WriteFile was not successful."},
        {ser2, "ExceptionsSerializer Error: ", "Serializer: Number of bytes written not correct."},
        {ser3, "ExceptionsSerializer Error: ", "Serializer unknown problem,"},
        {serNegative, "ExceptionsSerializer Error: ", "Serializer unknown problem,"},
        {de0, "DeSerializerExceptions Error: ", "DeSerializer: File not found."},
        {de1, "DeSerializerExceptions Error: ", "DeSerializer: Invalid file size."},
        {de2, "DeSerializerExceptions Error: ", "DeSerializer: ReadFile not successful."},
        {de3, "DeSerializerExceptions Error: ", "DeSerializer: Number of bytes read is not correct."},
        {de4, "DeSerializerExceptions Error: ", "DeSerializer: Boolean value read is corrupted."},
        {de5, "DeSerializerExceptions Error: ", "Serializer unknown problem,"},
    };
    for (const Case& c : cases) {
        auto reports = Described(c.exception);
        ASSERT_EQ(reports.size(), 2u) << c.message;
        EXPECT_EQ(reports[0], std::make_pair(std::string(c.header), 0)) << c.message;
        EXPECT_EQ(reports[1], std::make_pair(std::string(c.message), 0)) << c.message;
    }
}

TEST(Exceptions, CaughtAsBaseKeepTheirClassAndCode) {
    try {
        throw ExceptionsDeSerializer(ExceptionsDeSerializer::kBadBool);
    } catch (const ExceptionBase& e) {
        auto* concrete = dynamic_cast<const ExceptionsDeSerializer*>(&e);
        ASSERT_NE(concrete, nullptr);
        EXPECT_EQ(concrete->Code(), 4);
    }
}

TEST(ExceptionReporter, SeverityAddsItsOwnLineBeforeTheText) {
    LogCapture log;
    ASSERT_TRUE(log.Started());
    ExceptionReporter reporter;
    reporter.Report("x", 2);
    reporter.Report("x", 7);
    reporter.Report("w", 1);
    reporter.Report("f", 3);
    reporter.Report("plain", 0);
    reporter.Report("%s %i %n", 0);  // never a format
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{"ERROR: ", "x", "x", "Warning: ", "w",
                                                        "FATAL ERROR: ", "f", "plain", "%s %i %n"}));
}
