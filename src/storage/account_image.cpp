#include "storage/account_image.h"

#include <cstring>

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

void TerminateTextFields(ACCOUNTDATA& header) {
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

void BuildAccountImage(Account& account, std::vector<unsigned char>& image) {
    image.resize(kBlockSize * (1 + account.RecordCount()));
    unsigned char* out = image.data();
    std::memcpy(out, &account.header, kBlockSize);
    out += kBlockSize;

    account.writeCursor = nullptr;
    std::size_t written = 0;
    for (RecordNode* node = account.AdvanceWriteCursor(); node != nullptr;
         node = account.AdvanceWriteCursor()) {
        if (written == account.RecordCount()) break;  // never past the buffer
        std::memcpy(out, node->record.get(), kBlockSize);
        out += kBlockSize;
        ++written;
    }
    image.resize(kBlockSize * (1 + written));
}
