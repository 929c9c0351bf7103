#pragma once

#include "graphics/CofferDialog.h"

namespace morvane {

// The deposit dialog: the player types how many points go from the account into the coffer; the amount
// must reach the server's minimum and leave the account its minimum remainder.
class TFormCofferSaveMoney : public TCofferDialog {
public:
    explicit TFormCofferSaveMoney(TComponent* owner);

    TEdit* EditSaveAmount{nullptr};
    TButton* ButtonSave{nullptr};

    void EditSaveAmountKeyPress(TControl* sender, std::string& gbkChar);
    void ButtonSaveClick(TControl* sender);

protected:
    void PrepareFields() override;
    TEdit* AmountEdit() const override { return EditSaveAmount; }
};

} // namespace morvane
