#pragma once

#include "graphics/RoadLayout.h"
#include "graphics/RoadsPage.h"
#include "gui/Label.h"
#include "gui/PngImage.h"
#include "gui/Timer.h"
#include "ui/LovelyPanel.h"
#include "ui/PluginPictureButton.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace morvane {

// The result-history window (the "road"): the last games drawn twice, as a bead plate filled column by
// column and as a column road that starts a new column whenever the winning side changes, with win
// counts, percentages, pair and King counts. The title band drags it; its close button hides it. Its
// title leads to a second page with the big road, the three derived roads and the ask buttons; the
// window always opens on the first page.
class TBJLResultTable : public TLovelyPanel {
public:
    enum class TPage { Beads, Roads };

    static constexpr int kRoadColumns = 29;
    static constexpr int kRoadRows = 6;
    static constexpr int kBeadRows = 6;
    static constexpr TPoint kRoadOrigin{16, 82};
    static constexpr int kRoadStep = 16;
    static constexpr TPoint kBeadOrigin{15, 185};
    static constexpr int kBeadStep = 31;
    // Pressing the mouse here drags the panel.
    static constexpr TRect kCaptionBand{0, 0, 480, 35};
    static constexpr TPoint kCloseButtonAt{475, 10};
    // The window system's hit-test question and its "caption" answer.
    static constexpr std::uint32_t kHitTestMessage = 0x0084;
    static constexpr std::intptr_t kHitCaption = 2;
    // The first page's title is the button to the roads page; the roads page's button leads back.
    static constexpr TPoint kRoadsPageButtonAt{186, 4};
    static constexpr TPoint kBeadsPageButtonAt{10, 6};
    static constexpr TPoint kAskBankerButtonAt{62, 318};
    static constexpr TPoint kAskPlayerButtonAt{62, 350};
    // An ask blinks its marks for three seconds: lit, dark, lit, ... six phases of half a second.
    static constexpr std::uint32_t kAskBlinkInterval = 500;
    static constexpr int kAskBlinkPhases = 6;

    enum TLabelSlot {
        PlayerCountLabel,
        TieCountLabel,
        BankerCountLabel,
        PlayerPercentLabel,
        TiePercentLabel,
        BankerPercentLabel,
        PlayerPairsLabel,
        BankerPairsLabel,
        PlayerKingLabel,
        BankerKingLabel,
        LabelCount
    };

    explicit TBJLResultTable(TComponent* owner);

    // Replaces the history with the first `count` of `entries` (oldest first). More than 64, or a
    // negative count, empties the table; a count beyond what `entries` holds takes what is there; entries
    // whose result code is no result (above 5) are left out.
    void SetResults(std::span<const TResultTableEntry> entries, int count);
    void ResetHistory();

    int Count() const { return count_; }
    const TResultTableEntry& Entry(int index) const { return history_.at(std::size_t(index)); }
    const TResultCounts& Counts() const { return counts_; }
    const TLabel& Label(TLabelSlot slot) const { return *labels_[slot]; }
    TPictureButton& CloseButton() const { return *closeButton_; }
    TPictureButton& RoadsPageButton() const { return *roadsPageButton_; }
    TPictureButton& BeadsPageButton() const { return *beadsPageButton_; }
    TPictureButton& AskButton(TResultKind side) const;

    TPage Page() const { return page_; }
    void ShowPage(TPage page);
    // Blinks the marks a Banker or a Player result would add on the roads page; a new ask restarts it.
    void Ask(TResultKind side);
    const TRoadsPage& RoadsPage() const { return roadsPage_; }
    // Where each entry's marks lie, in entry order. The column road is laid out from the oldest game on;
    // when it needs more columns than the window has, only its newest columns are drawn.
    const TRoadGrid& ColumnRoad() const { return columnRoad_; }
    const TRoadGrid& BeadPlate() const { return beadPlate_; }
    // How many of the oldest column-road columns have left the window on the left.
    int HiddenRoadColumns() const { return hiddenRoadColumns_; }

    static TPoint RoadCellOrigin(TRoadCell cell);
    static TPoint BeadCellOrigin(TRoadCell cell);

protected:
    void Paint(TCanvas& canvas) override;
    void WndProc(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void VisibleChanged() override;

private:
    // The pictures of both pages, decoded when the window is first drawn: it opens hidden, and many players
    // never open it.
    void LoadPictures();
    void CreateLabels();
    void CreateCloseButton();
    TPictureButton* CreatePictureButton(const std::string& baseName, TPoint at);
    void CreatePageButtons();
    void ShowPageControls();
    void StepAskBlink();
    void EndAsk();
    // Within the dragging band and on none of the buttons that lie in it.
    bool DragsAt(TPoint client) const;
    // The games shown, oldest first.
    std::span<const TResultTableEntry> History() const;
    void LayOutRoads();
    void UpdateLabels();
    const TPngImage* BeadPicture(const TResultTableEntry& entry) const;
    const TPngImage* SmallPicture(const TResultTableEntry& entry) const;

    TResultRoad history_{};
    int count_{0};
    TResultCounts counts_;
    TRoadGrid columnRoad_;
    TRoadGrid beadPlate_;
    int hiddenRoadColumns_{0};

    bool picturesLoaded_{false};
    std::unique_ptr<TPngImage> backPicture_;
    // Indexed by TResultKind, then by pair variant (0 none, 1 Banker pair, 2 Player pair, 3 both).
    std::array<std::array<std::unique_ptr<TPngImage>, 4>, kResultKindCount> beadMarks_;
    std::array<std::unique_ptr<TPngImage>, kResultKindCount> smallMarks_;
    std::array<TLabel*, LabelCount> labels_{};
    TPictureButton* closeButton_{nullptr};

    TPage page_{TPage::Beads};
    TRoadsPage roadsPage_;
    TPictureButton* roadsPageButton_{nullptr};
    TPictureButton* beadsPageButton_{nullptr};
    TPictureButton* askBankerButton_{nullptr};
    TPictureButton* askPlayerButton_{nullptr};
    TTimer* askTimer_{nullptr};
    int askPhase_{0};
};

} // namespace morvane
