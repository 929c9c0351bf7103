// The main form's fixed layout: where the title strip, the table, the hall panels and the user box sit,
// and the window's shape cut from the frame picture.
#include "form/FormPluginClient.h"
#include "gui/Application.h"
#include "gui/BitmapPicture.h"
#include "gui/Canvas.h"
#include "gui/CheckBox.h"
#include "gui/CustomPanel.h"
#include "gui/Image.h"
#include "gui/Label.h"
#include "panels/PluginChat50.h"
#include "panels/PluginOption50.h"
#include "panels/PluginUser50.h"
#include "panels/TranForm.h"
#include "plugin/CustomPluginClient.h"
#include "plugin/PluginPlatform.h"
#include "ui/BitmapRegion.h"
#include "ui/LovelyPanel.h"
#include "ui/PluginPictureButton.h"

namespace morvane {
namespace {

constexpr TColor kFrameKey = 0xFF00FF;
constexpr int kFrameTolerance = 20;
// The part of the frame bitmap the window may cover at most: five pixels of its edge are cut off.
constexpr TRect kFrameInner{5, 5, 1019, 729};

// The strip above the table's top bar: dragging it moves the window. It stays clear of the board, whose
// pair fields would otherwise take a drag instead of a bet.
constexpr int kTitleStripHeight = 28;
constexpr TPoint kTitleNameAt{61, 10};
constexpr TColor kTitleNameColour = 0xFAFEFF;
constexpr TColor kTitleName1Colour = 0x3A2206;
constexpr int kTitleName1Height = 12;

constexpr TPoint kSetupAt{805, 10};
constexpr TPoint kAdviceAt{888, 10};
constexpr TPoint kScreenAt{848, 10};
constexpr TPoint kMinAt{950, 7};
constexpr TPoint kCloseAt{986, 7};
constexpr TPoint kLogoAt{7, 4};

constexpr TRect kUserBox{802, 30, 802 + 209, 30 + 688};
constexpr TColor kUserBoxColour = 0x184901;
constexpr int kUserBackCut = 45;
constexpr TRect kUserPanel{9, 187, 9 + 191, 187 + 128};
constexpr TRect kChatPanel{10, 324, 10 + 192, 324 + 356};
constexpr TColor kChatViewColour = 0x105DBA;
constexpr TRect kPhoto{14, 101, 14 + 64, 101 + 68};
constexpr TPoint kSoundCheckAt{40, 50};
// The settings panel's cream where the check boxes stand.
constexpr TColor kCheckBoxColour = 0xDFF3FC;
constexpr TPoint kMusicCheckAt{40, 78};

void Place(TControl& control, TPoint at) {
    control.SetBounds(at.x, at.y, control.Width(), control.Height());
}

void Place(TControl& control, const TRect& rect) {
    control.SetBounds(rect.left, rect.top, rect.Width(), rect.Height());
}

} // namespace

void TFormPluginClient::ApplyFixedLayout() {
    labelTitleName_->Font().SetColor(kTitleNameColour);
    Place(*labelTitleName_, kTitleNameAt);
    labelTitleName1_->Font().SetColor(kTitleName1Colour);
    const TSize table = gameClient_ ? gameClient_->TableSize() : TCustomPluginClient::kDefaultTableSize;
    labelTitleName1_->SetBounds(0, 0, table.cx, kTitleName1Height);
    labelTitle_->SetBounds(0, 0, table.cx, kTitleStripHeight);
    panelClient_->SetBounds(0, 0, table.cx, table.cy);
    Place(*picButtonSetup_, kSetupAt);
    Place(*picButtonadvice_, kAdviceAt);
    Place(*picButtonScreen_, kScreenAt);
    Place(*picButtonMin_, kMinAt);
    Place(*picButtonClose_, kCloseAt);
    Place(*pluginUser501_, kUserPanel);
    Place(*pluginChat501_, kChatPanel);
    pluginChat501_->SetViewSpaces(1, 1, 1, 47);
    pluginChat501_->SetViewColor(kChatViewColour);
    pluginChat501_->SetInputSpaces(1, 1, 24);
    pluginChat501_->SetInputColor(clWhite);
    Place(*panelPluginUserBox_, kUserBox);
    panelPluginUserBox_->SetColor(kUserBoxColour);
    Place(*imageLogo_, kLogoAt);
    imageUserBack_->SetBounds(0, 0, kUserBox.Width(), kUserBox.Height() - kUserBackCut);
    imageUserBack_->SendToBack();
    Place(*imagePhoto_, kPhoto);
    Place(*checkBoxHaveSound_, kSoundCheckAt);
    Place(*checkBoxHasBackMusic_, kMusicCheckAt);
    checkBoxHaveSound_->SetColor(kCheckBoxColour);
    checkBoxHasBackMusic_->SetColor(kCheckBoxColour);
    if (TPlatform* platform = PluginPlatform(); platform && WindowCreated())
        platform->SetWindowTopMost(WindowId(), false);
    if (!skinFrame_) return;
    // The window's shape and the strip's are both cut from the frame as it shows: when the first is cut
    // here, the converted frame is held until the second has been cut too.
    std::shared_ptr<const TBitmap> shownFrame;
    frameShape_ = SharedFrameRegion(&shownFrame);
    skinFrame_->SetPicture(&imageMainFrame_->Picture());
    // The frame lies under everything else on the window.
    skinFrame_->SendToBack();
    SetFormRegion(frameShape_.get());
    SetBounds(Left(), Top(), skinFrame_->Width(), skinFrame_->Height());
}

TRegion TFormPluginClient::FrameRegion() const {
    return *SharedFrameRegion();
}

std::shared_ptr<const TRegion>
TFormPluginClient::SharedFrameRegion(std::shared_ptr<const TBitmap>* hold) const {
    const TPngImage& frame = imageMainFrame_->Picture();
    const auto cut = [&frame, hold] {
        // The bitmap is made for the cut only: the frame's picture is held once already, by its image.
        std::shared_ptr<const TBitmap> shown = SharedBitmapOfPicture(frame);
        const TRegion keyed = RegionFromBitmap(*shown, kFrameKey, kFrameTolerance);
        if (hold != nullptr) *hold = std::move(shown);
        TRegion region;
        for (const TRect& run : keyed.Rects())
            if (const TRect inner = run.Intersect(kFrameInner); !inner.IsEmpty()) region.Add(inner);
        return region;
    };
    // Every table's window is cut from the same frame picture: the first one cuts, the others share it.
    const std::string pictureKey = HasApplication() ? Application().Pictures().KeyOf(frame) : std::string();
    if (pictureKey.empty()) return std::make_shared<const TRegion>(cut());
    return Application().Pictures().Shared<TRegion>("window shape of " + pictureKey, cut);
}

void TFormPluginClient::FormShow() {
    TPlatform* platform = PluginPlatform();
    if (!platform) return;
    const TRect work = platform->ScreenWorkArea();
    // Halves rounded toward minus infinity, also when the window is larger than the work area.
    const auto half = [](int value) { return value >= 0 ? value / 2 : -((-value + 1) / 2); };
    SetBounds(half(work.Width() - Width()), half(work.Height() - Height()), Width(), Height());
}

void TFormPluginClient::FormResize() {
    if (Minimized()) return;
    for (int i = 0; i < ControlCount(); ++i) {
        auto* panel = dynamic_cast<TLovelyPanel*>(Controls(i));
        if (!panel) continue;
        const TWinControl* parent = panel->Parent();
        panel->SetBounds((parent->Width() - panel->Width()) / 2, (parent->Height() - panel->Height()) / 2,
                         panel->Width(), panel->Height());
    }
    picButtonMax_->SetVisible(false);
    picButtonRestore_->SetVisible(false);
    Invalidate();
}

} // namespace morvane
