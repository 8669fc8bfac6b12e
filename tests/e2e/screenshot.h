// Pictures of the screen, kept as test artifacts (PNG files).
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // top row first, 3 bytes a pixel

    uint32_t Pixel(int x, int y) const;  // 0xRRGGBB
    // How many different colours the image holds (a blank capture has one).
    size_t ColourCount() const;
};

// A picture to look for on the screen: its pixels and which are opaque.
struct Picture {
    Image image;
    std::vector<bool> opaque;
    size_t OpaqueCount() const;
};

// The icon resource `name` of the program under test, `size` pixels square,
// drawn by the system as it draws it in a caption.
std::optional<Picture> ProgramIcon(const char* name, int size);

// The top left corner of the first place inside `area` of `image` where
// every opaque pixel of `picture` matches within `tolerance` per channel.
std::optional<POINT> FindPicture(const Image& image, const Picture& picture, const RECT& area, int tolerance = 8);

// What the screen shows now (Wine's virtual desktop under test).
std::optional<Image> CaptureScreen();
// The part of `image` inside `area` (screen coordinates), clipped to it.
Image Crop(const Image& image, const RECT& area);

// Saves the screen, or only `window`'s rectangle on it, as <name>.png in the
// screenshot folder. Returns the file's path, or empty on failure.
std::string SaveScreenshot(const std::string& name, HWND window = nullptr);

}  // namespace e2e
