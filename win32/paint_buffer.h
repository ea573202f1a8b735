// Paints a window through an off-screen bitmap, so that a control that
// changes every tick (the sample questions, the answers) never shows a half
// drawn state. Use it for WM_PAINT in place of BeginPaint/EndPaint. The bitmap is a DIB
// section, so that nothing drawn on it goes through the display driver.
#pragma once

#include <windows.h>

namespace vorlen::win32 {

class PaintBuffer {
public:
    // The whole client area is painted each time, so the window's DC and
    // ValidateRect do what BeginPaint and EndPaint would, without hiding and
    // showing the caret, which these controls never have: two trips to the
    // wineserver under Wine at every paint.
    explicit PaintBuffer(HWND window) : window_(window)
    {
        screen_ = GetDC(window_);
        GetClientRect(window_, &client_);
        memory_ = shared().dcFor(client_.right, client_.bottom);
    }
    ~PaintBuffer()
    {
        BitBlt(screen_, 0, 0, client_.right, client_.bottom, memory_, 0, 0, SRCCOPY);
        ReleaseDC(window_, screen_);
        ValidateRect(window_, nullptr);
    }
    PaintBuffer(const PaintBuffer&) = delete;
    PaintBuffer& operator=(const PaintBuffer&) = delete;

    [[nodiscard]] HDC dc() const { return memory_; }
    [[nodiscard]] const RECT& client() const { return client_; }

    // Selects the font (null: the GUI font) into the bitmap's DC, where it
    // stays until another is asked for. Under Wine every font selected into
    // a DC made compatible with the screen rereads the X resources, and the
    // controls that repaint together mostly share their font.
    void useFont(HFONT font) const { shared().useFont(font); }

    // The same DC with the font selected, to measure text outside a paint.
    [[nodiscard]] static HDC measuring(HFONT font)
    {
        HDC dc = shared().dcFor(1, 1);
        shared().useFont(font);
        return dc;
    }

    // Before fonts are deleted: none of them stays selected.
    static void releaseFont() { shared().useFont(nullptr); }

private:
    // One bitmap for every control of the window's thread, painted one after the
    // other, kept from paint to paint and grown as needed: a bitmap made
    // compatible with a window DC at each paint costs the X11 driver two
    // trips to the wineserver, and the idle animation repaints six controls
    // eleven times a second.
    class Shared {
    public:
        Shared() = default;
        Shared(const Shared&) = delete;
        Shared& operator=(const Shared&) = delete;
        ~Shared()
        {
            if (dc_ != nullptr) {
                useFont(nullptr);
                SelectObject(dc_, old_);
                DeleteObject(bitmap_);
                DeleteDC(dc_);
            }
        }

        void useFont(HFONT font)
        {
            HGDIOBJ wanted = font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT);
            if (dc_ != nullptr && wanted != font_) {
                SelectObject(dc_, wanted);
                font_ = wanted;
            }
        }

        HDC dcFor(int width, int height)
        {
            if (dc_ == nullptr) {
                dc_ = CreateCompatibleDC(nullptr);
                font_ = GetCurrentObject(dc_, OBJ_FONT);
            }
            if (width > width_ || height > height_ || bitmap_ == nullptr) {
                width_ = width > width_ ? width : width_;
                height_ = height > height_ ? height : height_;
                BITMAPINFO info{};
                info.bmiHeader.biSize = sizeof(info.bmiHeader);
                info.bmiHeader.biWidth = width_ > 0 ? width_ : 1;
                info.bmiHeader.biHeight = -(height_ > 0 ? height_ : 1); // top-down
                info.bmiHeader.biPlanes = 1;
                info.bmiHeader.biBitCount = 32;
                info.bmiHeader.biCompression = BI_RGB;
                void* bits = nullptr;
                HBITMAP grown = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
                HGDIOBJ previous = SelectObject(dc_, grown);
                if (bitmap_ == nullptr) {
                    old_ = previous;
                } else {
                    DeleteObject(bitmap_);
                }
                bitmap_ = grown;
            }
            return dc_;
        }

    private:
        HDC dc_ = nullptr;
        HBITMAP bitmap_ = nullptr;
        HGDIOBJ old_ = nullptr;
        HGDIOBJ font_ = nullptr;
        int width_ = 0;
        int height_ = 0;
    };

    static Shared& shared()
    {
        static Shared buffer;
        return buffer;
    }

    HWND window_;
    HDC screen_ = nullptr;
    RECT client_{};
    HDC memory_ = nullptr;
};

} // namespace vorlen::win32
