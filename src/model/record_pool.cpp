#include "model/record_pool.h"

#include <algorithm>
#include <cstring>

#include "model/account.h"

namespace {

// Blocks grow with the account (by half of what it has, within bounds), so
// typing or importing many records one by one makes few blocks.
constexpr std::size_t kSmallestBlock = 256;
constexpr std::size_t kLargestGrowth = 1u << 16;

std::size_t GrowthFor(std::size_t capacity, std::size_t wanted) {
    return std::max(wanted, std::clamp(capacity / 2, kSmallestBlock, kLargestGrowth));
}

}  // namespace

RecordNode* RecordPool::TakeNodes(std::size_t count) {
    if (m_NodeBlocks.empty() || m_NodeBlocks.back().count - m_NodesUsed < count) {
        const std::size_t size = GrowthFor(m_Capacity, count);
        m_NodeBlocks.push_back({std::make_unique<RecordNode[]>(size), size});
        m_NodesUsed = 0;
    }
    RecordNode* nodes = m_NodeBlocks.back().nodes.get() + m_NodesUsed;
    m_NodesUsed += count;
    return nodes;
}

AcctRecord* RecordPool::TakeRecord() {
    if (!m_FreeRecords.empty()) {
        AcctRecord* record = m_FreeRecords.back();
        m_FreeRecords.pop_back();
        return record;
    }
    if (m_RecordsLeft == 0) {
        const std::size_t size = GrowthFor(m_Capacity, 1);
        m_RecordBlocks.push_back(std::make_unique_for_overwrite<unsigned char[]>(size * kBlockSize));
        m_NextRecord = m_RecordBlocks.back().get();
        m_RecordsLeft = size;
        m_Capacity += size;
    }
    auto* record = reinterpret_cast<AcctRecord*>(m_NextRecord);
    m_NextRecord += kBlockSize;
    --m_RecordsLeft;
    return record;
}

void RecordPool::Reserve(std::size_t count) {
    std::size_t freeNodes = 0;
    for (RecordNode* n = m_FreeNodes; n != nullptr && freeNodes < count; n = n->next) ++freeNodes;
    const std::size_t nodesLeft = m_NodeBlocks.empty() ? 0 : m_NodeBlocks.back().count - m_NodesUsed;
    const std::size_t recordsAvailable = m_FreeRecords.size() + m_RecordsLeft;

    // Everything that can fail comes before the first change. A block
    // started early leaves the rest of the one before unused.
    NodeBlock nodes;
    if (freeNodes + nodesLeft < count) {
        nodes.count = GrowthFor(m_Capacity, count - freeNodes);
        nodes.nodes = std::make_unique<RecordNode[]>(nodes.count);
    }
    std::unique_ptr<unsigned char[]> records;
    std::size_t recordCount = 0;
    if (recordsAvailable < count) {
        recordCount = GrowthFor(m_Capacity, count - m_FreeRecords.size());
        records = std::make_unique_for_overwrite<unsigned char[]>(recordCount * kBlockSize);
    }
    m_NodeBlocks.reserve(m_NodeBlocks.size() + 1);
    m_RecordBlocks.reserve(m_RecordBlocks.size() + 1);

    if (nodes.nodes) {
        m_NodeBlocks.push_back(std::move(nodes));
        m_NodesUsed = 0;
    }
    if (records) {
        m_RecordBlocks.push_back(std::move(records));
        m_NextRecord = m_RecordBlocks.back().get();
        m_RecordsLeft = recordCount;
        m_Capacity += recordCount;
    }
}

RecordNode* RecordPool::NewNode() {
    RecordNode* node = m_FreeNodes;
    if (node != nullptr)
        m_FreeNodes = node->next;
    else
        node = TakeNodes(1);
    AcctRecord* record = TakeRecord();
    *record = AcctRecord{};
    *node = RecordNode{};
    node->record = RecordRef(record);
    return node;
}

RecordNode* RecordPool::AdoptRecords(std::unique_ptr<unsigned char[]> block, unsigned char* first,
                                     std::size_t count) {
    m_RecordBlocks.push_back(std::move(block));
    m_Capacity += count;
    RecordNode* nodes = TakeNodes(count);
    for (std::size_t i = 0; i < count; ++i) {
        nodes[i] = RecordNode{};
        nodes[i].record = RecordRef(reinterpret_cast<AcctRecord*>(first + i * kBlockSize));
    }
    return nodes;
}

void RecordPool::Free(RecordNode* node, std::uint64_t generation) {
    if (generation != m_Generation || !Holds(node)) return;
    m_FreeRecords.push_back(node->record.get());
    *node = RecordNode{};
    node->next = m_FreeNodes;
    m_FreeNodes = node;
}

void RecordPool::Release() {
    m_NodeBlocks.clear();
    m_RecordBlocks.clear();
    m_NodesUsed = 0;
    m_NextRecord = nullptr;
    m_RecordsLeft = 0;
    m_Capacity = 0;
    m_FreeNodes = nullptr;
    m_FreeRecords.clear();
    m_FreeRecords.shrink_to_fit();
    ++m_Generation;
}

bool RecordPool::Holds(const RecordNode* node) const {
    // Compared as addresses: a pointer left from an earlier account may lie
    // anywhere in a block allocated since, even in the middle of a node,
    // and is only read once it is known to start one.
    const auto address = reinterpret_cast<std::uintptr_t>(node);
    for (const NodeBlock& block : m_NodeBlocks) {
        const auto begin = reinterpret_cast<std::uintptr_t>(block.nodes.get());
        if (address < begin || address - begin >= block.count * sizeof(RecordNode)) continue;
        return (address - begin) % sizeof(RecordNode) == 0 && node->record != nullptr;
    }
    return false;
}
