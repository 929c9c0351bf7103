#pragma once

#include "gui/Bitmap.h"
#include "gui/Font.h"
#include "gui/PngImage.h"
#include "gui/PopupMenu.h"

#include <map>
#include <memory>

namespace morvane {

// The skin of a pop-up menu: every item is measured and drawn by the skin, each menu window gets a
// background stretched from the skin picture, and, without a border, the window is shaped to it.
class TLovelyMenu : public TComponent {
public:
    // Room on the left of a caption for the check mark.
    static constexpr int kCheckRoom = 18;
    static constexpr int kItemHeight = 20;
    static constexpr int kExtraWidth = 12;

    explicit TLovelyMenu(TComponent* owner);
    ~TLovelyMenu() override;

    TPopupMenu* PopupMenu() const { return popupMenu_; }
    // Takes over the menu's drawing; nullptr (or another menu) gives the old one its own drawing back.
    void SetPopupMenu(TPopupMenu* menu);
    // Hands the skin's handlers to items added to the menu since it was set.
    void AttachItems();

    const TPngImage* Picture() const { return picture_.get(); }
    void SetPicture(const TPngImage* picture);
    int CenterX{0};
    int CenterY{0};
    int SpaceLeft{0};
    int SpaceRight{0};
    int SpaceTop{0};
    int SpaceBottom{0};
    TFont& SelectFont() { return selectFont_; }
    void SetSelectFont(const TFont& font) { selectFont_.Assign(font); }
    TFont& CommonFont() { return commonFont_; }
    void SetCommonFont(const TFont& font) { commonFont_.Assign(font); }
    TColor SelectColor{0xFF00000D};
    TColor LineColor{0xFF00000F};
    TColor BackColor{0xFF000005};
    bool ShowBorder{false};
    TColor TransparentColor{clNone};
    int TransparentSpace{0};

    // What the skin keeps per sub-menu (the item whose children it shows).
    struct TSubMenuState {
        int widest{0};
        int totalHeight{0};
        TBitmap background;
    };
    const TSubMenuState* SubMenu(const TMenuItem* parent) const;

protected:
    void Notification(TComponent* component, bool removing) override;

private:
    void Attach(TMenuItem& item, bool on);
    void Detach();
    void MeasureItem(TMenuItem* item, TCanvas& canvas, int& width, int& height);
    void DrawItem(TMenuItem* item, TCanvas& canvas, const TRect& rect, bool selected);
    void PaintItemFace(TMenuItem* item, TCanvas& canvas, const TRect& rect, bool selected);
    void RenderBackground(TSubMenuState& state);
    void ShapeWindow(TPopupMenu* menu, TForm* form);
    TMenuItem* FirstVisible(const TMenuItem& parent) const;
    TMenuItem* LastVisible(const TMenuItem& parent) const;

    TPopupMenu* popupMenu_{nullptr};
    std::function<void(TPopupMenu*, TForm*)> previousFormShow_;
    std::unique_ptr<TPngImage> picture_;
    TFont selectFont_;
    TFont commonFont_;
    std::map<const TMenuItem*, TSubMenuState> subMenus_;
    const TMenuItem* lastMeasured_{nullptr};
};

} // namespace morvane
