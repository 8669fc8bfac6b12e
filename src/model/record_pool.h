// Where an account's records and list nodes live: in a few large blocks
// instead of one allocation each. An account read from its file keeps its
// records in the very block the file was read into; records added later
// come from growing blocks, and freed ones are used again first. Nothing
// is given back to the system before the whole account is cleared.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct AcctRecord;
struct RecordNode;

class RecordPool {
public:
    RecordPool() = default;
    RecordPool(const RecordPool&) = delete;
    RecordPool& operator=(const RecordPool&) = delete;

    // An unlinked node (next and prev none) holding a zero-filled record.
    RecordNode* NewNode();
    // Allocates now whatever the next count NewNode calls would need, so
    // that they cannot fail; on std::bad_alloc nothing has changed.
    void Reserve(std::size_t count);
    // count unlinked nodes, one after another in memory, holding the count
    // consecutive 128-byte records at first. Those records lie in block,
    // which the pool keeps until Release.
    RecordNode* AdoptRecords(std::unique_ptr<unsigned char[]> block, unsigned char* first,
                             std::size_t count);
    // The node and its record go back for reuse. A node of an earlier
    // generation (the pool was released since) is ignored.
    void Free(RecordNode* node, std::uint64_t generation);
    // Every block goes back to the system; nodes handed out before become
    // invalid, and the generation changes.
    void Release();

    // Whether node is a node of this pool that is not free (in the list or
    // unlinked but not yet freed). Never reads through a pointer that is
    // not one of the pool's.
    bool Holds(const RecordNode* node) const;
    std::uint64_t Generation() const { return m_Generation; }

private:
    struct NodeBlock {
        std::unique_ptr<RecordNode[]> nodes;
        std::size_t count = 0;
    };
    RecordNode* TakeNodes(std::size_t count);
    AcctRecord* TakeRecord();

    std::vector<NodeBlock> m_NodeBlocks;
    std::vector<std::unique_ptr<unsigned char[]>> m_RecordBlocks;
    // What is left of the last blocks, handed out front to back.
    std::size_t m_NodesUsed = 0;
    unsigned char* m_NextRecord = nullptr;
    std::size_t m_RecordsLeft = 0;
    std::size_t m_Capacity = 0;  // records of every block, for the growth
    RecordNode* m_FreeNodes = nullptr;  // chained through next
    std::vector<AcctRecord*> m_FreeRecords;
    std::uint64_t m_Generation = 0;
};
