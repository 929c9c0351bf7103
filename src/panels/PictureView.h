#pragma once

#include "gui/CustomPanel.h"

#include <functional>
#include <string>

namespace morvane {

class TImageList;
class TPngImage;

// The enlarged picture and name of the hovered face, shown beside it inside the grid.
class TPicturePreview : public TCustomPanel {
public:
    static constexpr int kLabelHeight = 16;

    explicit TPicturePreview(TComponent* owner);
    void SetPreview(const TPngImage* picture, const std::string& name, int pictureWidth, int pictureHeight);
    const std::string& Name() const { return name_; }
    const TPngImage* Shown() const { return picture_; }

protected:
    void Paint(TCanvas& canvas) override;

private:
    const TPngImage* picture_{nullptr};
    std::string name_;
    int pictureWidth_{64};
    int pictureHeight_{64};
};

// A grid of pictures from an image list (the faces): the hovered cell is framed in the highlight colour
// and previewed enlarged with its name; a click reports the cell.
class TPictureView : public TCustomPanel {
public:
    explicit TPictureView(TComponent* owner);
    ~TPictureView() override;

    TImageList* Images() const { return images_; }
    // Not owned; forgotten when the list goes.
    void SetImages(TImageList* images);
    int Space() const { return space_; }
    void SetSpace(int value);
    int StartIndex() const { return startIndex_; }
    void SetStartIndex(int value);
    int Selected() const { return selected_; }
    void SetSelected(int value);
    int PictureWidth() const { return pictureWidth_; }
    int PictureHeight() const { return pictureHeight_; }
    void SetPictureSize(int width, int height);
    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    // How many cells hold a picture that may be picked (the caller limits it to its table of names).
    int Usable() const { return usable_; }
    void SetUsable(int count);
    TPicturePreview& Preview() const { return *preview_; }
    // The cell's rectangle in client coordinates.
    TRect CellRect(int col, int row) const;
    // The preview's name for the hovered picture; set by OnChange handlers.
    void SetPreviewName(const std::string& name);

    TNotifyEvent OnChange;
    // Raised with the index of the clicked picture.
    std::function<void(TPictureView* sender, int index)> OnPick;

    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

protected:
    void Paint(TCanvas& canvas) override;
    void Resized() override;
    void Notification(TComponent* component, bool removing) override;

private:
    void Recount();
    bool ValidIndex(int index) const;
    void PlacePreview();

    TImageList* images_{nullptr};
    int space_{2};
    int startIndex_{0};
    int selected_{-1};
    int pictureWidth_{64};
    int pictureHeight_{64};
    int colCount_{0};
    int rowCount_{0};
    int usable_{1 << 30};
    TPicturePreview* preview_{nullptr};
};

} // namespace morvane
