#pragma once

#include "base/Types.h"

#include <functional>
#include <string>

namespace morvane {

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A font as controls carry it: face name (GBK), size in points or height in pixels, style and colour.
// Size and height are two views of one value at 96 pixels per inch: a negative height is the character
// height in pixels, as the system takes it.
class TFont {
public:
    static constexpr int kPixelsPerInch = 96;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { Change(name_, name); }
    int Size() const { return size_; }
    void SetSize(int size) { Change(size_, size); }
    // Height in pixels, negative for the character height (the usual form).
    int Height() const { return -(size_ * kPixelsPerInch + 36) / 72; }
    void SetHeight(int height);
    // The pixel size glyphs are rendered at.
    int PixelSize() const { return Height() < 0 ? -Height() : Height(); }
    std::uint8_t Style() const { return style_; }
    void SetStyle(std::uint8_t style) { Change(style_, style); }
    bool Bold() const { return (style_ & fsBold) != 0; }
    TColor Color() const { return color_; }
    void SetColor(TColor color) { Change(color_, color); }

    void Assign(const TFont& other);
    bool SameAs(const TFont& other) const {
        return name_ == other.name_ && size_ == other.size_ && style_ == other.style_ &&
               color_ == other.color_;
    }

    std::function<void()> OnChange;

private:
    template <typename T>
    void Change(T& field, const T& value) {
        if (field == value) return;
        field = value;
        if (OnChange) OnChange();
    }

    std::string name_{"宋体"};
    int size_{9};
    std::uint8_t style_{0};
    TColor color_{clBlack};
};

} // namespace morvane
