// Reads an in-memory dialog template back into its fields, the way the
// dialog manager walks it, so tests can check what was written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ui_test {

struct TemplateItem {
    std::size_t offset = 0;  // from the start of the block
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    int id = 0;
    std::string windowClass;
    std::string text;
    int creationDataSize = 0;
};

struct TemplateContents {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int itemCount = 0;
    int x = 0, y = 0, width = 0, height = 0;
    std::string menu, windowClass, caption;
    int pointSize = 0;
    std::string faceName;
    std::vector<TemplateItem> items;
    bool complete = false;  // false when the bytes ran out
};

class TemplateReader {
public:
    TemplateReader(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    TemplateContents Read(bool hasFont) {
        TemplateContents t;
        t.style = DoubleWord();
        t.exStyle = DoubleWord();
        t.itemCount = Word();
        t.x = Short();
        t.y = Short();
        t.width = Short();
        t.height = Short();
        t.menu = String();
        t.windowClass = String();
        t.caption = String();
        if (hasFont) {
            t.pointSize = Word();
            t.faceName = String();
        }
        for (int i = 0; i < t.itemCount && ok_; ++i) t.items.push_back(Item());
        t.complete = ok_;
        return t;
    }

private:
    TemplateItem Item() {
        while (pos_ % 4) ++pos_;
        TemplateItem item;
        item.offset = pos_;
        item.style = DoubleWord();
        item.exStyle = DoubleWord();
        item.x = Short();
        item.y = Short();
        item.width = Short();
        item.height = Short();
        item.id = Word();
        item.windowClass = String();
        item.text = String();
        item.creationDataSize = Word();
        pos_ += static_cast<std::size_t>(item.creationDataSize);
        return item;
    }
    std::uint16_t Word() {
        if (pos_ + 2 > size_) {
            ok_ = false;
            pos_ = size_;
            return 0;
        }
        std::uint16_t value = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
        pos_ += 2;
        return value;
    }
    int Short() { return static_cast<std::int16_t>(Word()); }
    std::uint32_t DoubleWord() {
        std::uint32_t low = Word();
        return low | (static_cast<std::uint32_t>(Word()) << 16);
    }
    // A zero-terminated UTF-16 string, or an ordinal (0xFFFF, value) shown
    // as "#value". Characters above 0xFF come back as '?'.
    std::string String() {
        std::uint16_t first = Word();
        if (first == 0xFFFF) return "#" + std::to_string(Word());
        std::string text;
        for (std::uint16_t c = first; c != 0 && ok_; c = Word()) text.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
        return text;
    }

    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace ui_test
