#include "ui/dialog_template_layout.h"

#include <utility>

namespace {

// Unknown units would divide by zero; treat them as the ones that keep the
// stored numbers unchanged.
int Scale(int stored, int numerator, int unit) {
    if (unit <= 0) return stored;
    return stored * numerator / unit;
}

class TemplateWriter {
public:
    void Word(std::uint16_t value) {
        bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF));
        bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    void Short(int value) { Word(static_cast<std::uint16_t>(static_cast<std::int16_t>(value))); }
    void DoubleWord(std::uint32_t value) {
        Word(static_cast<std::uint16_t>(value & 0xFFFF));
        Word(static_cast<std::uint16_t>(value >> 16));
    }
    // A zero-terminated UTF-16 string; an empty text is the single zero that
    // means "none" for the menu, class and caption.
    void WideString(const char* text) {
        for (const char* p = text ? text : ""; *p; ++p) Word(static_cast<unsigned char>(*p));
        Word(0);
    }
    void AlignTo(std::size_t boundary) {
        while (bytes_.size() % boundary) bytes_.push_back(0);
    }
    void PutWordAt(std::size_t offset, std::uint16_t value) {
        bytes_[offset] = static_cast<std::uint8_t>(value & 0xFF);
        bytes_[offset + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

void WriteHeader(TemplateWriter& out, const DialogDescription& dialog, DialogBaseUnits units) {
    out.DoubleWord(dialog.style);
    out.DoubleWord(0);  // extended style
    out.Word(0);        // item count, set once the items are written
    out.Short(dialog.x);
    out.Short(dialog.y);
    out.Short(ScaleLayoutX(dialog.width, units));
    out.Short(ScaleLayoutY(dialog.height, units));
    out.WideString(dialog.menu);
    out.WideString(dialog.windowClass);
    out.WideString(dialog.caption);
    if (dialog.style & dlgstyle::kSetFont) {
        out.Word(dialog.pointSize);
        out.WideString(dialog.faceName);
    }
}

void WriteItem(TemplateWriter& out, const ControlDescription& control, DialogBaseUnits units) {
    out.AlignTo(kTemplateItemAlignment);
    out.DoubleWord(control.style | dlgstyle::kChild);
    out.DoubleWord(0);  // extended style
    out.Short(ScaleLayoutX(control.x, units));
    out.Short(ScaleLayoutY(control.y, units));
    out.Short(ScaleLayoutX(control.width, units));
    out.Short(ScaleLayoutY(control.height, units));
    out.Word(control.id);
    out.WideString(control.windowClass);
    out.WideString(control.text);
    out.Word(0);  // no creation data
}

}  // namespace

int ScaleLayoutX(int stored, DialogBaseUnits units) { return Scale(stored, 8, units.horizontal); }

int ScaleLayoutY(int stored, DialogBaseUnits units) { return Scale(stored, 16, units.vertical); }

std::vector<std::uint8_t> LayoutDialogTemplate(const DialogDescription& dialog, DialogBaseUnits units) {
    TemplateWriter out;
    WriteHeader(out, dialog, units);
    std::uint16_t count = 0;
    for (const ControlDescription& control : dialog.controls) {
        WriteItem(out, control, units);
        ++count;
    }
    out.PutWordAt(kTemplateItemCountOffset, count);
    return out.Take();
}
