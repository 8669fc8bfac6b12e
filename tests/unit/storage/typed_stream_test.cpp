#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "storage/exceptions.h"
#include "storage/memory_stream.h"
#include "log_capture.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Written(void (*put)(SerializerBase&)) {
    MemorySerializer writer;
    put(writer);
    return writer.Bytes();
}

template <typename Read>
int DeSerializerCode(const Bytes& bytes, Read read) {
    MemoryDeSerializer reader(bytes);
    try {
        read(reader);
    } catch (const ExceptionsDeSerializer& e) {
        return e.Code();
    }
    return -1;
}

template <typename Write>
int SerializerCode(MemorySerializer& writer, Write write) {
    try {
        write(writer);
    } catch (const ExceptionsSerializer& e) {
        return e.Code();
    }
    return -1;
}

}  // namespace

TEST(TypedStreamEncoding, ValuesHaveTheirFileBytes) {
    EXPECT_EQ(Written([](SerializerBase& s) { s.PutString("abc"); }),
              (Bytes{0x03, 0, 0, 0, 'a', 'b', 'c'}));
    EXPECT_EQ(Written([](SerializerBase& s) { s.PutString(""); }), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(Written([](SerializerBase& s) { s.PutLong(0xEF11ABCDu); }), (Bytes{0xCD, 0xAB, 0x11, 0xEF}));
    EXPECT_EQ(Written([](SerializerBase& s) { s.PutBool(true); }), (Bytes{0xB2, 0xFA, 0xB1, 0xFA}));
    EXPECT_EQ(Written([](SerializerBase& s) { s.PutBool(false); }), (Bytes{0xD2, 0xBA, 0xD1, 0xBA}));
    EXPECT_EQ(Written([](SerializerBase& s) { s.PutDouble(1.0); }),
              (Bytes{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
}

TEST(TypedStreamEncoding, LongComesBackSigned) {
    Bytes bytes{0xCD, 0xAB, 0x11, 0xEF};
    MemoryDeSerializer reader(bytes);
    EXPECT_EQ(reader.GetLong(), -284054579);
}

TEST(TypedStreamEncoding, MixedSequenceRoundTrips) {
    const std::string withNul("a\0b\xff", 4);  // scrambled texts may hold NULs
    MemorySerializer writer;
    writer.PutString("LDGRINFO");
    writer.PutLong(0xEF11ABCDu);
    writer.PutDouble(-1234567.89);
    writer.PutBool(true);
    writer.PutString(withNul);
    writer.PutBool(false);
    writer.PutString("");
    writer.PutLong(7);

    MemoryDeSerializer reader(writer.Bytes());
    EXPECT_EQ(reader.GetString(), "LDGRINFO");
    EXPECT_EQ(static_cast<std::uint32_t>(reader.GetLong()), 0xEF11ABCDu);
    EXPECT_EQ(reader.GetDouble(), -1234567.89);
    EXPECT_TRUE(reader.GetBool());
    EXPECT_EQ(reader.GetString(), withNul);
    EXPECT_FALSE(reader.GetBool());
    EXPECT_EQ(reader.GetString(), "");
    EXPECT_EQ(reader.GetLong(), 7);
    EXPECT_EQ(reader.Position(), writer.Bytes().size());
}

TEST(TypedStreamReading, DamagedStreamsThrowTheirCodes) {
    struct Case {
        const char* name;
        Bytes bytes;
        int (*read)(const Bytes&);
        int code;
    };
    auto getLong = [](const Bytes& b) { return DeSerializerCode(b, [](DeSerializerBase& r) { r.GetLong(); }); };
    auto getDouble = [](const Bytes& b) { return DeSerializerCode(b, [](DeSerializerBase& r) { r.GetDouble(); }); };
    auto getString = [](const Bytes& b) { return DeSerializerCode(b, [](DeSerializerBase& r) { r.GetString(); }); };
    auto getBool = [](const Bytes& b) { return DeSerializerCode(b, [](DeSerializerBase& r) { r.GetBool(); }); };
    const Case cases[] = {
        {"long from 3 bytes", {1, 2, 3}, getLong, 3},
        {"long from nothing", {}, getLong, 3},
        {"double from 7 bytes", {1, 2, 3, 4, 5, 6, 7}, getDouble, 3},
        {"string cut in its text", {5, 0, 0, 0, 'a', 'b'}, getString, 3},
        {"string cut in its length", {5, 0}, getString, 3},
        {"string length beyond the end", {0xFF, 0xFF, 0xFF, 0x7F, 'x'}, getString, 3},
        {"negative string length", {0xFF, 0xFF, 0xFF, 0xFF, 'x', 'y', 'z', 'w'}, getString, 3},
        {"bool mark 1", {1, 0, 0, 0}, getBool, 4},
        {"bool mark 0", {0, 0, 0, 0}, getBool, 4},
        {"bool mark byte-swapped", {0xFA, 0xB1, 0xFA, 0xB2}, getBool, 4},
        {"bool cut", {0xB2, 0xFA}, getBool, 3},
    };
    for (const Case& c : cases) EXPECT_EQ(c.read(c.bytes), c.code) << c.name;
}

TEST(TypedStreamReading, OversizedLengthIsRefusedBeforeAnyTextIsRead) {
    // Were the text read (or allocated) first, the failing second read
    // would surface as code 2.
    const Bytes cases[] = {{0xFF, 0xFF, 0xFF, 0x7F, 'a'}, {0xFF, 0xFF, 0xFF, 0xFF, 'a'}, {2, 0, 0, 0, 'a'}};
    for (const Bytes& bytes : cases) {
        MemoryDeSerializer reader(bytes);
        reader.FailRead(2);
        int code = -1;
        try {
            reader.GetString();
        } catch (const ExceptionsDeSerializer& e) {
            code = e.Code();
        }
        EXPECT_EQ(code, 3) << static_cast<int>(bytes[0]);
        EXPECT_EQ(reader.Position(), 4u);
    }
}

TEST(TypedStreamReading, LengthExactlyToTheEndIsRead) {
    Bytes bytes{3, 0, 0, 0, 'x', 'y', 'z'};
    MemoryDeSerializer reader(bytes);
    EXPECT_EQ(reader.GetString(), "xyz");
}

TEST(TypedStreamReading, FailingReadsThrowCode2) {
    struct Case {
        const char* name;
        int failingRead;
        void (*read)(DeSerializerBase&);
    };
    const Case cases[] = {
        {"GetLong", 1, [](DeSerializerBase& r) { r.GetLong(); }},
        {"GetDouble", 1, [](DeSerializerBase& r) { r.GetDouble(); }},
        {"GetString length", 1, [](DeSerializerBase& r) { r.GetString(); }},
        {"GetString text", 2, [](DeSerializerBase& r) { r.GetString(); }},
        {"GetBool", 1, [](DeSerializerBase& r) { r.GetBool(); }},
    };
    Bytes bytes{1, 0, 0, 0, 'a', 0, 0, 0, 0, 0};
    for (const Case& c : cases) {
        MemoryDeSerializer reader(bytes);
        reader.FailRead(c.failingRead);
        int code = -1;
        try {
            c.read(reader);
        } catch (const ExceptionsDeSerializer& e) {
            code = e.Code();
        }
        EXPECT_EQ(code, 2) << c.name;
    }
}

TEST(TypedStreamWriting, FailingWritesThrowCode1AndShortOnes2) {
    struct Case {
        const char* name;
        int failingWrite;
        bool shortWrite;
        void (*write)(SerializerBase&);
        int code;
    };
    const Case cases[] = {
        {"PutLong fails", 1, false, [](SerializerBase& s) { s.PutLong(1); }, 1},
        {"PutLong short", 1, true, [](SerializerBase& s) { s.PutLong(1); }, 2},
        {"PutDouble fails", 1, false, [](SerializerBase& s) { s.PutDouble(1); }, 1},
        {"PutDouble short", 1, true, [](SerializerBase& s) { s.PutDouble(1); }, 2},
        {"PutString length fails", 1, false, [](SerializerBase& s) { s.PutString("abc"); }, 1},
        {"PutString text fails", 2, false, [](SerializerBase& s) { s.PutString("abc"); }, 1},
        {"PutString text short", 2, true, [](SerializerBase& s) { s.PutString("abc"); }, 2},
        {"PutBool fails", 1, false, [](SerializerBase& s) { s.PutBool(true); }, 1},
        {"PutBool short", 1, true, [](SerializerBase& s) { s.PutBool(false); }, 2},
    };
    for (const Case& c : cases) {
        MemorySerializer writer;
        writer.FailWrite(c.failingWrite, c.shortWrite);
        EXPECT_EQ(SerializerCode(writer, c.write), c.code) << c.name;
    }
}

TEST(TypedStreamLog, StringCutShortLeavesItsLine) {
    LogCapture log;
    ASSERT_TRUE(log.Started());
    Bytes bytes{9, 0, 0, 0, 'a'};
    EXPECT_EQ(DeSerializerCode(bytes, [](DeSerializerBase& r) { r.GetString(); }), 3);
    EXPECT_EQ(log.Messages(), std::vector<std::string>{"DeSerializer::GetString: bytesRead not correct"});
}

TEST(TypedStreamLog, InnerGetLongFailureIsLoggedAndDescribed) {
    LogCapture log;
    ASSERT_TRUE(log.Started());
    Bytes bytes{9, 0};
    EXPECT_EQ(DeSerializerCode(bytes, [](DeSerializerBase& r) { r.GetString(); }), 3);
    EXPECT_EQ(DeSerializerCode(bytes, [](DeSerializerBase& r) { r.GetBool(); }), 3);
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{
                                  "DeSerializer::GetLong: bytesRead not correct",
                                  "DeSerializer::GetString: GetLong threw exception.",
                                  "DeSerializerExceptions Error: ",
                                  "DeSerializer: Number of bytes read is not correct.",
                                  "DeSerializer::GetLong: bytesRead not correct",
                                  "DeSerializer::GetBool: GetLong threw exception.",
                                  "DeSerializerExceptions Error: ",
                                  "DeSerializer: Number of bytes read is not correct.",
                              }));
}

TEST(TypedStreamLog, BoolMarksAreLogged) {
    LogCapture log;
    ASSERT_TRUE(log.Started());
    Bytes bytes{0xB2, 0xFA, 0xB1, 0xFA, 1, 0, 0, 0};
    MemoryDeSerializer reader(bytes);
    EXPECT_TRUE(reader.GetBool());
    EXPECT_THROW(reader.GetBool(), ExceptionsDeSerializer);
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{
                                  "DeSerializer::GetBool boolean fab1fab2",
                                  "DeSerializer::GetBool boolean 1",
                                  "DeSerializer::GetBool: Bool data corrupted.",
                              }));
}

TEST(TypedStreamLog, WriterFailuresInsidePutStringAndPutBoolAreDescribed) {
    LogCapture log;
    ASSERT_TRUE(log.Started());
    MemorySerializer lengthFails;
    lengthFails.FailWrite(1);
    EXPECT_EQ(SerializerCode(lengthFails, [](SerializerBase& s) { s.PutString("abc"); }), 1);
    MemorySerializer textFails;
    textFails.FailWrite(2);  // thrown directly: not described on the way
    EXPECT_EQ(SerializerCode(textFails, [](SerializerBase& s) { s.PutString("abc"); }), 1);
    MemorySerializer markShort;
    markShort.FailWrite(1, true);
    EXPECT_EQ(SerializerCode(markShort, [](SerializerBase& s) { s.PutBool(true); }), 2);
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{
                                  "Serializer::PutString Writing length caused Exception",
                                  "ExceptionsSerializer Error: ",
                                  "Serializer: WriteFile was not successful.",
                                  "Serializer::PutBool Exception",
                                  "ExceptionsSerializer Error: ",
                                  "Serializer: Number of bytes written not correct.",
                              }));
}
