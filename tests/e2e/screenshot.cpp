#include "screenshot.h"

#include <algorithm>
#include <cstdio>
#include <unordered_set>

#include "data_folders.h"
#include "png_writer.h"
#include "settings.h"

namespace e2e {
namespace {

// The screen's device context, released on every path.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// A memory DC with a 32-bit top-down DIB selected into it.
class DibCanvas {
public:
    DibCanvas(HDC screen, int width, int height) : dc_(CreateCompatibleDC(screen)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        if (dc_) bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (bitmap_) old_ = SelectObject(dc_, bitmap_);
    }
    ~DibCanvas() {
        if (old_) SelectObject(dc_, old_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;
    bool ok() const { return old_ != nullptr && bits_ != nullptr; }
    HDC dc() const { return dc_; }
    const uint8_t* bits() const { return static_cast<const uint8_t*>(bits_); }

private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

Image ToImage(const uint8_t* bgra, int width, int height) {
    Image image;
    image.width = width;
    image.height = height;
    const size_t pixels = static_cast<size_t>(width) * height;
    image.rgb.resize(pixels * 3);
    for (size_t i = 0; i < pixels; ++i) {
        image.rgb[i * 3 + 0] = bgra[i * 4 + 2];
        image.rgb[i * 3 + 1] = bgra[i * 4 + 1];
        image.rgb[i * 3 + 2] = bgra[i * 4 + 0];
    }
    return image;
}

// Loads resources from the program's file without running it.
class ResourceModule {
public:
    explicit ResourceModule(const std::string& path)
        : module_(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ResourceModule() {
        if (module_) FreeLibrary(module_);
    }
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;
    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

// The icon drawn on a background of one colour.
std::optional<Image> DrawIconOn(HICON icon, int size, COLORREF background) {
    ScreenDc screen;
    DibCanvas canvas(screen.get(), size, size);
    if (!canvas.ok()) return std::nullopt;
    RECT all = {0, 0, size, size};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(canvas.dc(), &all, brush);
    DeleteObject(brush);
    if (!DrawIconEx(canvas.dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL)) return std::nullopt;
    GdiFlush();
    return ToImage(canvas.bits(), size, size);
}

std::string SafeFileName(const std::string& name) {
    std::string safe = name;
    for (char& c : safe) {
        bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                    c == '_' || c == '.';
        if (!keep) c = '_';
    }
    return safe;
}

}  // namespace

uint32_t Image::Pixel(int x, int y) const {
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
}

size_t Image::ColourCount() const {
    std::unordered_set<uint32_t> colours;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) colours.insert(Pixel(x, y));
    return colours.size();
}

std::optional<Image> CaptureScreen() {
    ScreenDc screen;
    if (!screen.get()) return std::nullopt;
    Image image;
    image.width = GetSystemMetrics(SM_CXSCREEN);
    image.height = GetSystemMetrics(SM_CYSCREEN);
    DibCanvas canvas(screen.get(), image.width, image.height);
    if (!canvas.ok() ||
        !BitBlt(canvas.dc(), 0, 0, image.width, image.height, screen.get(), 0, 0, SRCCOPY | CAPTUREBLT))
        return std::nullopt;
    GdiFlush();
    return ToImage(canvas.bits(), image.width, image.height);
}

size_t Picture::OpaqueCount() const { return static_cast<size_t>(std::count(opaque.begin(), opaque.end(), true)); }

std::optional<Picture> ProgramIcon(const char* name, int size) {
    ResourceModule module(ToWindowsPath(GetSettings().program));
    if (!module.get()) return std::nullopt;
    HICON icon = static_cast<HICON>(LoadImageA(module.get(), name, IMAGE_ICON, size, size, 0));
    if (!icon) return std::nullopt;
    std::optional<Image> onBlack = DrawIconOn(icon, size, RGB(0, 0, 0));
    std::optional<Image> onWhite = DrawIconOn(icon, size, RGB(255, 255, 255));
    DestroyIcon(icon);
    if (!onBlack || !onWhite) return std::nullopt;
    // A pixel that looks the same on both backgrounds hides what is behind it.
    Picture picture{*onBlack, std::vector<bool>(static_cast<size_t>(size) * size)};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) picture.opaque[y * size + x] = onBlack->Pixel(x, y) == onWhite->Pixel(x, y);
    return picture;
}

std::optional<POINT> FindPicture(const Image& image, const Picture& picture, const RECT& area, int tolerance) {
    auto close = [tolerance](uint32_t a, uint32_t b) {
        for (int shift : {0, 8, 16}) {
            int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
            if (d > tolerance || d < -tolerance) return false;
        }
        return true;
    };
    auto matchesAt = [&](int left, int top) {
        for (int y = 0; y < picture.image.height; ++y)
            for (int x = 0; x < picture.image.width; ++x)
                if (picture.opaque[y * picture.image.width + x] &&
                    !close(image.Pixel(left + x, top + y), picture.image.Pixel(x, y)))
                    return false;
        return true;
    };
    const int right = std::min<int>(area.right, image.width) - picture.image.width;
    const int bottom = std::min<int>(area.bottom, image.height) - picture.image.height;
    for (int top = std::max<int>(area.top, 0); top <= bottom; ++top)
        for (int left = std::max<int>(area.left, 0); left <= right; ++left)
            if (matchesAt(left, top)) return POINT{left, top};
    return std::nullopt;
}

Image Crop(const Image& image, const RECT& area) {
    const int left = std::clamp<int>(area.left, 0, image.width);
    const int right = std::clamp<int>(area.right, left, image.width);
    const int top = std::clamp<int>(area.top, 0, image.height);
    const int bottom = std::clamp<int>(area.bottom, top, image.height);
    Image part;
    part.width = right - left;
    part.height = bottom - top;
    part.rgb.reserve(static_cast<size_t>(part.width) * part.height * 3);
    for (int y = top; y < bottom; ++y) {
        auto row = image.rgb.begin() + (static_cast<size_t>(y) * image.width + left) * 3;
        part.rgb.insert(part.rgb.end(), row, row + static_cast<size_t>(part.width) * 3);
    }
    return part;
}

std::string SaveScreenshot(const std::string& name, HWND window) {
    std::optional<Image> screen = CaptureScreen();
    if (!screen) return {};
    Image image = *screen;
    RECT area;
    if (window && GetWindowRect(window, &area)) image = Crop(*screen, area);
    std::vector<uint8_t> png = EncodePng(image.width, image.height, image.rgb);
    std::string folder = ToWindowsPath(GetSettings().shots);
    if (png.empty() || folder.empty()) return {};
    if (folder.back() != '\\') folder += '\\';
    std::string path = folder + SafeFileName(name) + ".png";
    if (!WriteFileBytes(path, png)) return {};
    std::printf("screenshot: %s\n", path.c_str());
    return path;
}

}  // namespace e2e
