// The table of dialog descriptions: one header and one list of controls per
// dialog number. Dialogs are built from these in memory (ui/dialog_template.h)
// rather than from resources. Platform-free: styles are the Windows values as
// numbers, so the table and its checks also build without <windows.h>.
#pragma once

#include <cstdint>
#include <span>

// Window, button, static, edit and list box styles used by the descriptions.
namespace dlgstyle {
inline constexpr std::uint32_t kPopup = 0x80000000;
inline constexpr std::uint32_t kChild = 0x40000000;
inline constexpr std::uint32_t kVisible = 0x10000000;
inline constexpr std::uint32_t kCaption = 0x00C00000;
inline constexpr std::uint32_t kBorder = 0x00800000;
inline constexpr std::uint32_t kVScroll = 0x00200000;
inline constexpr std::uint32_t kSysMenu = 0x00080000;
inline constexpr std::uint32_t kTabStop = 0x00010000;
inline constexpr std::uint32_t kSetFont = 0x00000040;  // DS_SETFONT

inline constexpr std::uint32_t kPushButton = 0;
inline constexpr std::uint32_t kDefPushButton = 1;
inline constexpr std::uint32_t kAutoCheckBox = 3;
inline constexpr std::uint32_t kRadioButton = 4;
inline constexpr std::uint32_t kGroupBox = 7;

inline constexpr std::uint32_t kStaticLeft = 0;
inline constexpr std::uint32_t kStaticCenter = 1;
inline constexpr std::uint32_t kStaticRight = 2;
inline constexpr std::uint32_t kStaticIcon = 3;
inline constexpr std::uint32_t kStaticWhiteRect = 6;
inline constexpr std::uint32_t kStaticBlackFrame = 7;

inline constexpr std::uint32_t kEditLeft = 0;
inline constexpr std::uint32_t kEditMultiline = 4;
inline constexpr std::uint32_t kEditPassword = 0x20;
inline constexpr std::uint32_t kEditWantReturn = 0x1000;

inline constexpr std::uint32_t kListNotify = 1;
}  // namespace dlgstyle

// One control of a dialog. The list order is the creation and tab order.
// Positions and sizes are in layout units (two screen pixels each once the
// template is built). The style holds WS_VISIBLE; WS_CHILD is added when the
// template is built.
struct ControlDescription {
    std::uint16_t x;
    std::uint16_t y;
    std::uint16_t width;
    std::uint16_t height;
    std::uint16_t id;
    std::uint32_t style;
    const char* windowClass;  // a class name, never an atom
    const char* text;         // "" for none
};

// One dialog. Texts are plain ASCII; the template builder widens them.
struct DialogDescription {
    std::uint32_t style;
    std::uint16_t x;  // copied unscaled; PlaceDialog moves the dialog anyway
    std::uint16_t y;
    std::uint16_t width;   // layout units
    std::uint16_t height;  // layout units
    const char* menu;         // "" for none
    const char* windowClass;  // "" for the standard dialog class
    const char* caption;      // "" for none
    std::uint16_t pointSize;  // used only with dlgstyle::kSetFont
    const char* faceName;     // used only with dlgstyle::kSetFont
    std::span<const ControlDescription> controls;
};

// The description of dialog 0 to kDialogCount - 1, or nullptr for any other
// number.
const DialogDescription* FindDialogDescription(int dialogNumber);
