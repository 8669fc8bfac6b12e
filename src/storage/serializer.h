// Serializer: the typed stream written to a file, crash-safely. Values go to
// a temporary file beside the target; Commit() flushes it and moves it over
// the target. Without a successful Commit the target keeps its old bytes.
// Win32 (serializer_win.cpp).
#pragma once

#include "storage/atomic_file.h"
#include "storage/typed_stream.h"

class Serializer : public TypedStreamWriter {
public:
    // Throws ExceptionsSerializer code 0 when the file cannot be created.
    // When error is given, it receives the system's error code of a step
    // that fails, before the exception is thrown.
    explicit Serializer(const char* fileName, unsigned long* error = nullptr);
    ~Serializer() override = default;
    Serializer(const Serializer&) = delete;
    Serializer& operator=(const Serializer&) = delete;

    // Replaces the target with everything written. Throws ExceptionsSerializer
    // code 1 when that fails (the old file stays as it was).
    void Commit();

protected:
    WriteResult WriteBytes(const void* bytes, std::uint32_t count) override;

private:
    void KeepError();

    AtomicFileWriter m_File;
    unsigned long* m_Error;
};
