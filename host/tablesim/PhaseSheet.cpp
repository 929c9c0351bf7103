#include "host/tablesim/PhaseSheet.h"

#include "gui/Bitmap.h"
#include "gui/BitmapPicture.h"
#include "gui/Canvas.h"

namespace morvane::tablesim {
namespace {

constexpr int kShotWidth = 512;
constexpr int kShotHeight = 367;
constexpr int kMargin = 12;
constexpr int kTitleHeight = 34;
constexpr int kCaptionHeight = 26;
constexpr TColor kBackground = 0x302418;
constexpr TColor kEmptyShot = 0x808080;
constexpr TColor kTitleColour = 0x66D9FF;
constexpr TColor kCaptionColour = 0xF0F0F0;

constexpr std::array<const char*, kSheetPhases> kPhaseCaptions{"空闲", "下注", "发牌", "结算"};

} // namespace

TPngImage ComposeRoundSheet(const std::array<TPngImage, kSheetPhases>& shots, const std::string& gbkTitle) {
    const int width = kMargin + kSheetPhases * (kShotWidth + kMargin);
    const int height = kTitleHeight + kCaptionHeight + kShotHeight + kMargin;
    TBitmap sheet(width, height);
    TCanvas canvas(sheet);
    canvas.FillRect({0, 0, width, height}, kBackground);
    canvas.Brush().style = TBrushStyle::bsClear;
    canvas.Font().SetName("宋体");
    canvas.Font().SetSize(14);
    canvas.Font().SetStyle(fsBold);
    canvas.Font().SetColor(kTitleColour);
    canvas.TextOut(kMargin, 8, gbkTitle);
    canvas.Font().SetSize(11);
    canvas.Font().SetColor(kCaptionColour);
    for (int phase = 0; phase < kSheetPhases; ++phase) {
        const int left = kMargin + phase * (kShotWidth + kMargin);
        const int top = kTitleHeight + kCaptionHeight;
        canvas.TextOut(left, kTitleHeight + 4, kPhaseCaptions[std::size_t(phase)]);
        const TRect place{left, top, left + kShotWidth, top + kShotHeight};
        const TPngImage& shot = shots[std::size_t(phase)];
        if (shot.Empty())
            canvas.FillRect(place, kEmptyShot);
        else
            canvas.StretchDraw(place, shot);
    }
    return PictureOfBitmap(sheet);
}

} // namespace morvane::tablesim
