#pragma once

#include "graphics/CofferDialog.h"

namespace morvane {

class TGroupBox;

// The withdrawal dialog: the player types how many points come out of the coffer and answers the
// security question; the amount must reach the server's minimum and not exceed what the coffer holds.
class TFormCofferDrawMoney : public TCofferDialog {
public:
    explicit TFormCofferDrawMoney(TComponent* owner);

    TEdit* EditDrawAmount{nullptr};
    TGroupBox* GroupBox1{nullptr};
    TLabel* LabelQuestion{nullptr};
    TEdit* EditAnswer{nullptr};
    TButton* ButtonDraw{nullptr};

    void EditDrawAmountKeyPress(TControl* sender, std::string& gbkChar);
    void ButtonDrawClick(TControl* sender);

protected:
    void PrepareFields() override;
    TEdit* AmountEdit() const override { return EditDrawAmount; }
};

} // namespace morvane
