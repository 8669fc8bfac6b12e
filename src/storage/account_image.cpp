#include "storage/account_image.h"

#include <cstring>
#include <new>

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

bool LoadAccountImage(const unsigned char* bytes, std::size_t size, Account& account) {
    if (!IsAccountFileImage(bytes, size)) return false;

    account.ClearAccount();
    std::memcpy(&account.header, bytes, kBlockSize);
    TerminateTextFields(account.header);

    const std::uint64_t count = CountRecordBlocks(size);
    const unsigned char* block = bytes + kBlockSize;
    for (std::uint64_t i = 0; i < count; ++i, block += kBlockSize) {
        AcctRecord& record = *account.AppendRecord()->record;
        std::memcpy(&record, block, kBlockSize);
        TerminateTextFields(record);
    }
    // An open account always holds at least one record.
    if (count == 0) account.AppendRecord();
    return true;
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

bool BuildAccountImage(Account& account, AccountImage& image) {
    const std::size_t capacity = kBlockSize * (1 + account.RecordCount());
    if (!ReserveImage(image, capacity)) return false;
    unsigned char* out = image.bytes.get();
    std::memcpy(out, &account.header, kBlockSize);
    out += kBlockSize;

    // Blank records at the end (the register's row for typing) are no
    // transactions. An account saved with no record opens with that row.
    const RecordNode* end = account.Tail();
    while (end != nullptr && IsBlankRecord(*end->record)) end = end->prev;
    const RecordNode* past = end != nullptr ? end->next : account.Head();

    account.writeCursor = nullptr;
    for (RecordNode* node = account.AdvanceWriteCursor(); node != past;
         node = account.AdvanceWriteCursor()) {
        if (out == image.bytes.get() + capacity) break;  // never past the buffer
        std::memcpy(out, node->record.get(), kBlockSize);
        out += kBlockSize;
    }
    image.size = static_cast<std::size_t>(out - image.bytes.get());
    return true;
}

void BuildAccountImage(Account& account, std::vector<unsigned char>& image) {
    AccountImage built;
    if (!BuildAccountImage(account, built)) throw std::bad_alloc();
    image.assign(built.bytes.get(), built.bytes.get() + built.size);
}
