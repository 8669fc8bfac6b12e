#include "storage/account_image.h"

#include <cmath>
#include <cstddef>
#include <cstring>
#include <new>
#include <utility>

namespace {

template <std::size_t N> void CutAtWidth(char (&field)[N]) {
    if (std::memchr(field, '\0', N) == nullptr) field[N - 1] = '\0';
}

}  // namespace

std::uint64_t CountRecordBlocks(std::uint64_t fileSize) {
    return fileSize <= kBlockSize ? 0 : (fileSize - kBlockSize) / kBlockSize;
}

bool IsAccountFileImage(const unsigned char* bytes, std::size_t size) {
    return bytes != nullptr && size >= kBlockSize &&
           static_cast<std::int8_t>(bytes[0]) == kAccountFileMarker;
}

void TerminateTextFields(AccountHeader& header) {
    CutAtWidth(header.name);
    CutAtWidth(header.statementDate);
}

void TerminateTextFields(AcctRecord& record) {
    CutAtWidth(record.reconcile);
    CutAtWidth(record.date);
    CutAtWidth(record.checkText);
    CutAtWidth(record.description);
}

AmountDamage FindDamagedAmount(const unsigned char* bytes, std::size_t size) {
    AmountDamage damage;
    // Read by copying: the blocks of an image need not be aligned.
    const auto finiteAt = [&](std::size_t offset) {
        double value;
        std::memcpy(&value, bytes + offset, sizeof value);
        return std::isfinite(value);
    };
    if (!finiteAt(offsetof(AccountHeader, statementBalance))) {
        damage.header = true;
        return damage;
    }
    const std::uint64_t count = CountRecordBlocks(size);
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::size_t block = static_cast<std::size_t>(kBlockSize * (i + 1));
        if (!finiteAt(block + offsetof(AcctRecord, payment)) || !finiteAt(block + offsetof(AcctRecord, deposit))) {
            damage.record = i + 1;
            break;
        }
    }
    return damage;
}

std::string AmountDamageReason(const AmountDamage& damage) {
    if (damage.header) return "Its statement balance is not a number: the file is damaged.";
    return "Transaction " + std::to_string(damage.record) +
           " of the file holds an amount that is not a number: the file is damaged.";
}

bool LoadAccountImage(std::unique_ptr<unsigned char[]> bytes, std::size_t size, Account& account) {
    if (!IsAccountFileImage(bytes.get(), size)) return false;

    account.ClearAccount();
    std::memcpy(&account.header, bytes.get(), kBlockSize);
    TerminateTextFields(account.header);

    const std::uint64_t count = CountRecordBlocks(size);
    unsigned char* first = bytes.get() + kBlockSize;
    for (std::uint64_t i = 0; i < count; ++i)
        TerminateTextFields(*reinterpret_cast<AcctRecord*>(first + i * kBlockSize));
    account.TakeRecords(std::move(bytes), first, static_cast<std::size_t>(count));
    // An open account always holds at least one record.
    if (count == 0) account.AppendRecord();
    return true;
}

bool LoadAccountImage(const unsigned char* bytes, std::size_t size, Account& account) {
    if (!IsAccountFileImage(bytes, size)) return false;
    // The records in one block of their own, the header's place before them
    // unused: then the image can be taken as it is.
    const std::size_t used = static_cast<std::size_t>(kBlockSize * (1 + CountRecordBlocks(size)));
    auto copy = std::make_unique_for_overwrite<unsigned char[]>(used);
    std::memcpy(copy.get(), bytes, used);
    return LoadAccountImage(std::move(copy), used, account);
}

bool ReserveImage(AccountImage& image, std::size_t size) {
    image.size = 0;
    if (image.capacity >= size && image.bytes) return true;
    image.bytes.reset();  // the old buffer goes before the new one comes
    image.capacity = 0;
    image.bytes.reset(new (std::nothrow) unsigned char[size ? size : 1]);
    if (!image.bytes) return false;
    image.capacity = size;
    return true;
}

namespace {

// Pieces at least this long go out as they lie; shorter ones are gathered.
constexpr std::size_t kGatherBytes = 256 * 1024;

// Gathers short pieces of the image and hands on long ones.
class PieceGatherer {
public:
    PieceGatherer(std::vector<unsigned char>& staging, const ImagePieceWriter& write)
        : m_Staging(staging), m_Write(write) {
        m_Staging.clear();
        m_Staging.reserve(kGatherBytes);
    }
    bool Add(const unsigned char* bytes, std::size_t size) {
        if (size >= kGatherBytes) return Flush() && m_Write(bytes, size);
        if (m_Staging.size() + size > kGatherBytes && !Flush()) return false;
        m_Staging.insert(m_Staging.end(), bytes, bytes + size);
        return true;
    }
    bool Flush() {
        const bool ok = m_Staging.empty() || m_Write(m_Staging.data(), m_Staging.size());
        m_Staging.clear();
        return ok;
    }

private:
    std::vector<unsigned char>& m_Staging;
    const ImagePieceWriter& m_Write;
};

}  // namespace

bool WriteAccountImage(Account& account, std::vector<unsigned char>& staging, const ImagePieceWriter& write) {
    PieceGatherer out(staging, write);
    if (!out.Add(reinterpret_cast<const unsigned char*>(&account.header), kBlockSize)) return false;

    // Blank records at the end (the register's row for typing) are no
    // transactions. An account saved with no record opens with that row.
    const RecordNode* end = account.Tail();
    while (end != nullptr && IsBlankRecord(*end->record)) end = end->prev;
    const RecordNode* past = end != nullptr ? end->next : account.Head();

    // Runs of records that follow one another in memory.
    const unsigned char* run = nullptr;
    std::size_t runSize = 0;
    account.writeCursor = nullptr;
    for (RecordNode* node = account.AdvanceWriteCursor(); node != past;
         node = account.AdvanceWriteCursor()) {
        const auto* record = reinterpret_cast<const unsigned char*>(node->record.get());
        if (run != nullptr && record == run + runSize) {
            runSize += kBlockSize;
            continue;
        }
        if (run != nullptr && !out.Add(run, runSize)) return false;
        run = record;
        runSize = kBlockSize;
    }
    if (run != nullptr && !out.Add(run, runSize)) return false;
    return out.Flush();
}

bool BuildAccountImage(Account& account, AccountImage& image) {
    const std::size_t capacity = kBlockSize * (1 + account.RecordCount());
    if (!ReserveImage(image, capacity)) return false;
    std::vector<unsigned char> staging;
    return WriteAccountImage(account, staging, [&](const unsigned char* bytes, std::size_t size) {
        if (size > capacity - image.size) return false;  // never past the buffer
        std::memcpy(image.bytes.get() + image.size, bytes, size);
        image.size += size;
        return true;
    });
}

void BuildAccountImage(Account& account, std::vector<unsigned char>& image) {
    AccountImage built;
    if (!BuildAccountImage(account, built)) throw std::bad_alloc();
    image.assign(built.bytes.get(), built.bytes.get() + built.size);
}
