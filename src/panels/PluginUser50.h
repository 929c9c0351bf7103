#pragma once

#include "gui/SystemColors.h"
#include "plugin/CustomPluginUser.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace morvane {

class TCardKVTListView;
class TListItem;
class TListView;

// One listed user, as the panel shows it.
struct TUserInfo {
    std::int64_t UserID{0};
    std::uint8_t Seat{0};
    std::uint8_t Seated{0};
    std::int32_t ExtValue{0};
    std::int32_t Face{0};
    std::string NickName;
    std::string LevelText;
    // The signed text of the last score change ("+" before a gain), empty until one arrives.
    std::string LastChange;
    std::int64_t Score{0};
    std::int64_t Bean{0};
    std::int64_t Gold{0};
    STRU_PLUGIN_USERINFO* HubRecord{nullptr};
};

// The list of the users at the table: one row per user in up to six tagged columns (0 id, 1 nickname,
// 2 level, 3 bean, 4 score, 5 gold), the own row always first and drawn in its own colours. Header
// clicks sort; the sort column and directions are shared by every panel of the program.
class TPluginUser50 : public TCustomPluginUser {
public:
    static constexpr int kColumnCount = 6;
    enum TColumnTag { ctUserId = 0, ctNickName, ctLevel, ctBean, ctScore, ctGold };
    // The masked text of hidden names and of other users' gold.
    static constexpr const char* kMasked = "****";

    // The sort state of the unit, shared by all panels.
    struct TSortState {
        int tag{-1};
        std::array<int, kColumnCount> direction{1, 1, 1, 1, 1, 1};
    };
    static TSortState& SortState();

    explicit TPluginUser50(TComponent* owner);
    ~TPluginUser50() override;

    // [Hub calls]
    void DoUserList(int count, const TPluginUserSlots& users) override;
    void DoUserEnter(const STRU_PLUGIN_USERINFO& user) override;
    void DoUserLeave(std::int64_t userId) override;
    void DoUserSeat(std::uint8_t seat, bool seated, std::uint8_t changed, std::int64_t userId) override;
    void DoScoreBlock(std::uint8_t flag, int count, const TPluginScoreBlock& block) override;
    void AddScoreDeltas(const TPluginScoreBlock& block) override;
    void SelectUser(std::int64_t userId) override;
    std::int64_t GetSelectedID() override;
    void SetUserFlag(std::uint8_t value) override;
    void DoOptionsLoaded() override;
    void DoInitialize() override;
    void DoTableSettings(std::uint8_t value) override;

    // [Columns]
    void SetColumnCaption(int tag, const std::string& caption);
    void HideColumn(int tag);
    void SetColumnWidth(int tag, int width);
    bool ColumnVisible(int tag) const { return ValidTag(tag) && visible_[std::size_t(tag)]; }
    // Sorts as a click on the header of the column with that tag does.
    void ColumnClicked(int tag);

    // [Colours] Row colours repaint the list when they change; header colours go to the list view.
    TColor SelfInfoBackColor() const { return selfBack_; }
    void SetSelfInfoBackColor(TColor value) { SetRowColor(selfBack_, value); }
    TColor SelfInfoFontColor() const { return selfFont_; }
    void SetSelfInfoFontColor(TColor value) { SetRowColor(selfFont_, value); }
    TColor ListItemBackColor() const { return itemBack_; }
    void SetListItemBackColor(TColor value) { SetRowColor(itemBack_, value); }
    TColor ListItemFontColor() const { return itemFont_; }
    void SetListItemFontColor(TColor value) { SetRowColor(itemFont_, value); }
    TColor SelfSelectBackColor() const { return selfSelectBack_; }
    void SetSelfSelectBackColor(TColor value) { SetRowColor(selfSelectBack_, value); }
    TColor SelfSelectFontColor() const { return selfSelectFont_; }
    void SetSelfSelectFontColor(TColor value) { SetRowColor(selfSelectFont_, value); }
    TColor SelectBackColor() const { return selectBack_; }
    void SetSelectBackColor(TColor value) { SetRowColor(selectBack_, value); }
    TColor SelectFontColor() const { return selectFont_; }
    void SetSelectFontColor(TColor value) { SetRowColor(selectFont_, value); }
    void SetHeaderBgColor(TColor value);
    void SetHeaderFontColor(TColor value);
    void SetHeaderSplitColor(TColor value);
    void SetHeaderBgPic(const TPngImage* picture);
    void SetHeaderSplitterPic(const TPngImage* picture);
    void SetUserListColor(TColor value);

    TCardKVTListView& UserListView() const { return *list_; }
    const std::vector<std::unique_ptr<TUserInfo>>& Records() const { return records_; }
    std::int64_t OwnID() const { return ownId_; }

    // Sender is the panel; the item is nullptr when the hub raises it.
    std::function<void(TPluginUser50* sender, TListItem* item)> OnSelectChange;

protected:
    void WndProc(TMessage& message) override;

private:
    static bool ValidTag(int tag) { return tag >= 0 && tag < kColumnCount; }
    void SetRowColor(TColor& field, TColor value);
    void FillRecord(TUserInfo& info, const STRU_PLUGIN_USERINFO& user) const;
    std::string LevelText(std::int64_t score, std::int64_t bean) const;
    int RecordIndex(std::int64_t userId) const;
    // Numbers the rows from `first` on again, after a row was added, removed or moved.
    void RenumberRows(std::size_t first);
    void RefreshRow(int index);
    void RebindAll();
    bool HideFor(const TUserInfo& info) const;
    std::string CellText(const TUserInfo& info, int tag) const;
    int ColumnIndexOfTag(int tag) const;
    void DrawRow(TListView* sender, TCanvas& canvas, TListItem* item, bool selected, bool& defaultDraw);
    void DoubleClicked();

    TCardKVTListView* list_{nullptr};
    std::vector<std::unique_ptr<TUserInfo>> records_;
    // The row of each listed user, so that a crowd is searched in one step.
    std::unordered_map<std::int64_t, int> rowOfUser_;
    std::int64_t ownId_{0};
    std::array<bool, kColumnCount> visible_{true, true, true, true, true, true};
    std::array<int, kColumnCount> widths_{50, 50, 50, 50, 50, 50};
    std::array<std::string, kColumnCount> captions_{};
    TColor selfBack_{0xFF0000};
    TColor selfFont_{0x0000FF};
    TColor itemBack_{clGrayText};
    TColor itemFont_{0x000000};
    TColor selfSelectBack_{0xFF0000};
    TColor selfSelectFont_{0xFFFFFF};
    TColor selectBack_{0xFF0000};
    TColor selectFont_{0xFFFFFF};
};

} // namespace morvane
