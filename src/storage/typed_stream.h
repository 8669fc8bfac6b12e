// The typed binary stream: a plain sequence of longs, doubles, strings and
// bools with no header, tags or alignment; the reader must know the order.
//   long   4 bytes, little-endian two's complement
//   double 8 bytes, IEEE 754 little-endian
//   string a long N, then exactly N bytes (no NUL)
//   bool   a long: 0xFAB1FAB2 true, 0xBAD1BAD2 false
// Failures throw ExceptionsSerializer / ExceptionsDeSerializer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::uint32_t kBoolTrueMark = 0xFAB1FAB2u;
inline constexpr std::uint32_t kBoolFalseMark = 0xBAD1BAD2u;

class SerializerBase {
public:
    virtual ~SerializerBase() = default;
    virtual void PutLong(std::uint32_t value) = 0;
    virtual void PutDouble(double value) = 0;
    virtual void PutString(std::string_view text) = 0;
    virtual void PutBool(bool value) = 0;
};

class DeSerializerBase {
public:
    virtual ~DeSerializerBase() = default;
    virtual std::int32_t GetLong() = 0;
    virtual double GetDouble() = 0;
    virtual std::string GetString() = 0;
    virtual bool GetBool() = 0;
};

// The encodings, over a byte sink that a file or memory writer provides.
// PutString and PutBool write their length and mark through PutLong.
class TypedStreamWriter : public SerializerBase {
public:
    void PutLong(std::uint32_t value) override;
    void PutDouble(double value) override;
    void PutString(std::string_view text) override;
    void PutBool(bool value) override;

protected:
    enum class WriteResult { Written, Failed, Short };
    virtual WriteResult WriteBytes(const void* bytes, std::uint32_t count) = 0;

private:
    void Write(const void* bytes, std::uint32_t count);
};

// The decodings, over a byte source. GetString checks the length prefix
// against the bytes left before it allocates or reads anything, so a
// crafted length ends in code 3, never in a huge allocation.
class TypedStreamReader : public DeSerializerBase {
public:
    std::int32_t GetLong() override;
    double GetDouble() override;
    std::string GetString() override;
    bool GetBool() override;

protected:
    enum class ReadResult { Read, Failed, Short };
    virtual ReadResult ReadBytes(void* bytes, std::uint32_t count) = 0;
    virtual std::uint64_t BytesLeft() const = 0;
};
