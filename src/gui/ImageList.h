#pragma once

#include "gui/Component.h"
#include "gui/PngImage.h"

#include <functional>
#include <vector>

namespace morvane {

class TCanvas;

// Pictures of one size, drawn by index (faces, button states). Add refuses a picture of another size.
class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner, int width = 16, int height = 16);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Changes the size of the pictures; the list is emptied.
    void SetSize(int width, int height);
    int Count() const { return int(pictures_.size()); }
    // Returns the new index, or -1 when the picture's size differs from the list's.
    int Add(const TPngImage& picture);
    void Delete(int index);
    void Clear();
    // nullptr for an index outside the list.
    const TPngImage* Picture(int index) const;
    // Draws picture `index` with its top-left corner at (x, y); an index outside the list draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index) const;

    std::function<void(TImageList* sender)> OnChange;

private:
    void Changed();

    int width_;
    int height_;
    std::vector<TPngImage> pictures_;
};

} // namespace morvane
