// A record that writes itself to the typed stream and reads itself back, in
// one fixed order of values.
#pragma once

class SerializerBase;
class DeSerializerBase;

class SerializableBase {
public:
    virtual ~SerializableBase() = default;
    virtual void Serialize(SerializerBase& writer) = 0;
    virtual void DeSerialize(DeSerializerBase& reader) = 0;
};
