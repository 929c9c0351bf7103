#pragma once

#include "gui/Component.h"
#include "gui/MenuItem.h"

#include <functional>
#include <memory>
#include <vector>

namespace morvane {

class TForm;
class TMenuForm;

// A menu that opens as a small top-level window at a screen point and closes on a pick, on Escape or when
// the window loses activation (a click elsewhere). Popup returns at once; the picked item's OnClick runs
// after the window has closed. Sub-menus open beside their item when it is hovered.
class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    TMenuItem& Items() const { return *items_; }
    void Popup(int screenX, int screenY);
    void CloseMenu();
    bool IsOpen() const;
    // The window of the open menu (the top one is the root, further ones sub-menus), for a skin that
    // shapes it; empty while closed.
    std::vector<TForm*> PopupForms() const;

    // Before the menu opens (items may still change).
    TNotifyEvent OnPopup;
    // After a menu window is laid out, before it shows: a skin sets its region here.
    std::function<void(TPopupMenu* menu, TForm* form)> OnFormShow;

private:
    friend class TMenuForm;
    void OpenLevel(TMenuItem& parent, int screenX, int screenY, std::size_t level);
    void CloseFrom(std::size_t level);
    void Pick(TMenuItem* item);

    TMenuItem* items_;
    std::vector<std::unique_ptr<TMenuForm>> forms_;
    // Forms closed from inside their own handlers are freed on the next opening.
    std::vector<std::unique_ptr<TMenuForm>> closed_;
};

} // namespace morvane
