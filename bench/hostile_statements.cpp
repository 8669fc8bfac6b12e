#include "hostile_statements.h"

namespace {

// A head, then the unit repeated until the file has its size (the last
// unit cut short when it must be).
std::string Repeated(std::string head, std::string_view unit, std::size_t size) {
    std::string bytes = std::move(head);
    bytes.reserve(size);
    while (bytes.size() < size)
        bytes.append(unit.substr(0, size - bytes.size()));
    bytes.resize(size);
    return bytes;
}

} // namespace

const std::vector<HostileShape>& HostileShapes() {
    static const std::vector<HostileShape> shapes = {
        {"csv-ones", "CSV, a line \"1\" repeated"},
        {"qif-t1", "QIF, \"T1\" and \"^\" repeated"},
        {"ofx-stmttrn", "OFX, \"<STMTTRN>\" repeated"},
        {"csv-commas", "CSV, one line of commas"},
    };
    return shapes;
}

std::string MakeHostileStatement(std::string_view name, std::size_t size) {
    if (name == "csv-ones")
        return Repeated("Date,Description,Amount\n", "1\n", size);
    if (name == "qif-t1")
        return Repeated("!Type:Bank\n", "T1\n^\n", size);
    if (name == "ofx-stmttrn")
        return Repeated("OFXHEADER:100\n\n<OFX><BANKMSGSRSV1><STMTTRNRS><STMTRS><BANKTRANLIST>\n", "<STMTTRN>", size);
    if (name == "csv-commas")
        return Repeated("Date,Description,Amount\n", ",", size);
    return {};
}
