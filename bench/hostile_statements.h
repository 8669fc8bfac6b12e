// Statement files shaped to cost a reader the most memory for their size:
// as many tiny rows as fit, or one row of as many fields as fit. Made in
// memory at run time, so that no large file is kept in the repository.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct HostileShape {
    const char* name;
    const char* what;  // as a benchmark table prints it
};

// The shapes, in the order they are reported.
const std::vector<HostileShape>& HostileShapes();

// The named shape at exactly size bytes; "" for an unknown name.
std::string MakeHostileStatement(std::string_view name, std::size_t size);
