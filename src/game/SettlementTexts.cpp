#include "game/SettlementTexts.h"

#include "graphics/AmountText.h"
#include "gui/Canvas.h"

namespace morvane {

namespace {

constexpr TColor kYellow = 0x0000FFFF;
constexpr int kFontSize = 11;
constexpr TPoint kTitleAt{55, 10};
constexpr TPoint kWinCaptionAt{163, 10};
constexpr TPoint kOwnCaptionAt{55, 44};
constexpr TPoint kBankerCaptionAt{55, 77};
constexpr TPoint kOwnAmountAt{163, 44};
constexpr TPoint kBankerAmountAt{163, 77};

} // namespace

TSettlementTexts::TSettlementTexts(TComponent* owner) : TGraphicControl(owner) {
    Font().SetName("宋体");
    Font().SetSize(kFontSize);
    Font().SetStyle(fsBold);
    Font().SetColor(kYellow);
}

void TSettlementTexts::ShowRound(const std::string& unitName, std::int64_t ownResult,
                                 std::int64_t bankerResult) {
    winCaption_ = "赢取" + unitName;
    ownText_ = GroupedAmount(ownResult);
    bankerText_ = GroupedAmount(bankerResult);
    Invalidate();
}

void TSettlementTexts::Paint(TCanvas& canvas) {
    canvas.Font().Assign(Font());
    canvas.Brush().style = TBrushStyle::bsClear;
    canvas.TextOut(kTitleAt.x, kTitleAt.y, "结算");
    canvas.TextOut(kWinCaptionAt.x, kWinCaptionAt.y, winCaption_);
    canvas.TextOut(kOwnCaptionAt.x, kOwnCaptionAt.y, "本方");
    canvas.TextOut(kBankerCaptionAt.x, kBankerCaptionAt.y, "庄家");
    canvas.TextOut(kOwnAmountAt.x, kOwnAmountAt.y, ownText_);
    canvas.TextOut(kBankerAmountAt.x, kBankerAmountAt.y, bankerText_);
}

} // namespace morvane
