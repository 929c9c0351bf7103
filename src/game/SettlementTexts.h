#pragma once

#include "gui/WinControl.h"

#include <cstdint>
#include <string>

namespace morvane {

// The texts over the settlement picture: the captions of the two rows and what the player and the
// banker won or lost in the round, in bold yellow on a transparent ground.
class TSettlementTexts : public TGraphicControl {
public:
    explicit TSettlementTexts(TComponent* owner);

    // The unit name follows "赢取" in the header; amounts are grouped by four digits.
    void ShowRound(const std::string& unitName, std::int64_t ownResult, std::int64_t bankerResult);

    const std::string& WinCaption() const { return winCaption_; }
    const std::string& OwnText() const { return ownText_; }
    const std::string& BankerText() const { return bankerText_; }

protected:
    void Paint(TCanvas& canvas) override;

private:
    std::string winCaption_{"赢取"};
    std::string ownText_;
    std::string bankerText_;
};

} // namespace morvane
