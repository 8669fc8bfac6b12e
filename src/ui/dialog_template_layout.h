// The bytes of an in-memory dialog template (DLGTEMPLATE followed by its
// DLGITEMTEMPLATE items) for one dialog description. Platform-free, so the
// layout can be checked natively; ui/dialog_template.h puts the bytes into
// the global memory block that the dialog functions take.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/dialog_table.h"

// GetDialogBaseUnits: the system font's average width and height in pixels.
struct DialogBaseUnits {
    int horizontal;
    int vertical;
};

// Fixed parts of the two template records (both are packed on 2 bytes).
inline constexpr std::size_t kTemplateHeaderSize = 18;
inline constexpr std::size_t kTemplateItemHeaderSize = 18;
// Offset of the item count in the header.
inline constexpr std::size_t kTemplateItemCountOffset = 8;
// Every item starts on this boundary, counted from the start of the block.
inline constexpr std::size_t kTemplateItemAlignment = 4;
// The block the dialog functions get is at least this big.
inline constexpr std::size_t kTemplateBlockSize = 4096;

// A stored layout unit in dialog units: 8 / bx across and 16 / by down, so
// that every stored unit is two screen pixels whatever the system font.
int ScaleLayoutX(int stored, DialogBaseUnits units);
int ScaleLayoutY(int stored, DialogBaseUnits units);

// The complete template. Texts are widened byte by byte (they are ASCII).
std::vector<std::uint8_t> LayoutDialogTemplate(const DialogDescription& dialog, DialogBaseUnits units);
