// Exceptions of the typed stream and the account-information record. Each
// carries only a code; its class turns it into a header and a message that
// it reports, line by line, to a ReporterBase. They never reach the user.
#pragma once

#include <cstdint>

class ReporterBase;

class ExceptionBase {
public:
    virtual ~ExceptionBase() = default;
    virtual void Describe(ReporterBase& reporter) const = 0;
};

// The account-information file does not carry our version text or number.
class ExceptionsAccountInfo : public ExceptionBase {
public:
    static constexpr std::int32_t kVersionText = 0;
    static constexpr std::int32_t kVersionNumber = 1;

    explicit ExceptionsAccountInfo(std::int32_t code) : m_Code(code) {}
    std::int32_t Code() const { return m_Code; }
    static const char* Header();
    const char* Message() const;
    void Describe(ReporterBase& reporter) const override;

private:
    std::int32_t m_Code;
};

class ExceptionsSerializer : public ExceptionBase {
public:
    static constexpr std::int32_t kCannotCreate = 0;
    static constexpr std::int32_t kWriteFailed = 1;
    static constexpr std::int32_t kShortWrite = 2;

    explicit ExceptionsSerializer(std::int32_t code) : m_Code(code) {}
    std::int32_t Code() const { return m_Code; }
    static const char* Header();
    const char* Message() const;
    void Describe(ReporterBase& reporter) const override;

private:
    std::int32_t m_Code;
};

class ExceptionsDeSerializer : public ExceptionBase {
public:
    static constexpr std::int32_t kCannotOpen = 0;
    static constexpr std::int32_t kNoFileSize = 1;
    static constexpr std::int32_t kReadFailed = 2;
    static constexpr std::int32_t kShortRead = 3;
    static constexpr std::int32_t kBadBool = 4;

    explicit ExceptionsDeSerializer(std::int32_t code) : m_Code(code) {}
    std::int32_t Code() const { return m_Code; }
    static const char* Header();
    const char* Message() const;
    void Describe(ReporterBase& reporter) const override;

private:
    std::int32_t m_Code;
};
