#include "panels/PluginUser50.h"

#include "base/ClampedMath.h"
#include "gui/Canvas.h"
#include "panels/CardKVTListView.h"
#include "panels/PanelText.h"
#include "plugin/CustomPluginShare.h"

#include <algorithm>

namespace morvane {
namespace {

constexpr int kPanelWidth = 242;
constexpr int kPanelHeight = 160;
constexpr int kDefaultColumnWidth = 50;

} // namespace

TPluginUser50::TSortState& TPluginUser50::SortState() {
    static TSortState state;
    return state;
}

TPluginUser50::TPluginUser50(TComponent* owner) : TCustomPluginUser(owner) {
    SetBounds(Left(), Top(), kPanelWidth, kPanelHeight);
    SetTitleHeight(0);
    list_ = Add<TCardKVTListView>();
    list_->SetAlign(TAlign::alClient);
    list_->SetBorderVisible(false);
    list_->SetHeaderBgColor(0xFF0000);
    list_->SetHeaderFontColor(0xFFFFFF);
    list_->SetHeaderSplitColor(0x0000FF);
    SortState() = TSortState{};
    for (int tag = 0; tag < kColumnCount; ++tag)
        list_->AddColumn({"", kDefaultColumnWidth, tag});
    list_->OnCustomDrawItem = [this](TListView* sender, TCanvas& canvas, TListItem* item, bool selected,
                                     bool& defaultDraw) {
        DrawRow(sender, canvas, item, selected, defaultDraw);
    };
    list_->OnColumnClick = [this](TListView*, const TListColumn& column) { ColumnClicked(int(column.tag)); };
    list_->OnDblClick = [this](TControl*) { PostMessage(WM_LIST_DBLCLICK, 0, 0); };
    list_->OnMouseDown = [this](TControl*, TMouseButton button, TShiftState, int x, int y) {
        if (button != TMouseButton::mbRight) return;
        // The row under the mouse is the one the menu is about, even before the list selects it.
        if (TListItem* item = list_->ItemAt({x, y})) list_->SetSelected(item);
        const TListItem* selected = list_->Selected();
        if (!selected || !selected->Data()) return;
        const std::int64_t id = static_cast<const TUserInfo*>(selected->Data())->UserID;
        if (id > 0) ShowUserMenu(id);
    };
    list_->OnSelectItem = [this](TListView*, TListItem* item, bool selected) {
        if (selected && OnSelectChange) OnSelectChange(this, item);
    };
    list_->SetEnabled(!Designing());
}

TPluginUser50::~TPluginUser50() {
    // The items point at the records; they go first.
    if (list_) list_->Clear();
}

// [SECTION] Records

std::string TPluginUser50::LevelText(std::int64_t score, std::int64_t bean) const {
    TCustomPluginShare* hub = Share();
    return hub ? hub->LevelName(score, bean) : std::string();
}

void TPluginUser50::FillRecord(TUserInfo& info, const STRU_PLUGIN_USERINFO& user) const {
    info.UserID = user.UserID;
    info.Seat = user.Seat;
    info.Seated = user.Seated;
    info.ExtValue = user.ExtValue;
    info.Face = user.Face;
    info.NickName = FixedFieldText(user.NickName, sizeof user.NickName);
    info.Score = user.Score;
    info.Bean = user.Beans;
    info.Gold = user.Money;
    info.LevelText = LevelText(user.Score, user.Beans);
}

int TPluginUser50::RecordIndex(std::int64_t userId) const {
    const auto found = rowOfUser_.find(userId);
    return found == rowOfUser_.end() ? -1 : found->second;
}

void TPluginUser50::RenumberRows(std::size_t first) {
    for (std::size_t i = first; i < records_.size(); ++i)
        rowOfUser_[records_[i]->UserID] = int(i);
}

void TPluginUser50::DoUserList(int count, const TPluginUserSlots& users) {
    const int n = std::clamp(count, 0, kMaxTableUsers);
    for (int i = 0; i < n; ++i)
        DoUserEnter(users[std::size_t(i)]);
    SelectUser(ownId_);
}

void TPluginUser50::DoUserEnter(const STRU_PLUGIN_USERINFO& user) {
    TCustomPluginUser::DoUserEnter(user);
    TCustomPluginShare* hub = Share();
    STRU_PLUGIN_USERINFO* hubRecord = hub ? hub->FindUser(user.UserID) : nullptr;
    if (!hubRecord) return;
    int index = RecordIndex(user.UserID);
    if (index < 0) {
        auto info = std::make_unique<TUserInfo>();
        info->UserID = user.UserID;
        const bool own = user.UserID == ownId_;
        index = own ? 0 : int(records_.size());
        records_.insert(records_.begin() + index, std::move(info));
        RenumberRows(std::size_t(index));
        TListItem* item = own ? list_->InsertItem(0) : list_->AddItem();
        item->SetCaption("");
        item->SetSubItems(std::vector<std::string>(std::size_t(std::max(0, list_->ColumnCount() - 1))));
    }
    TUserInfo& info = *records_[std::size_t(index)];
    FillRecord(info, user);
    info.HubRecord = hubRecord;
    list_->Item(index)->SetData(&info);
    RefreshRow(index);
    if (list_->ItemCount() == 1) list_->SetItemIndex(0);
}

void TPluginUser50::DoUserLeave(std::int64_t userId) {
    const int index = RecordIndex(userId);
    if (index < 0) return;
    const bool wasSelected = list_->ItemIndex() == index;
    list_->DeleteItem(index);
    records_.erase(records_.begin() + index);
    rowOfUser_.erase(userId);
    RenumberRows(std::size_t(index));
    if (wasSelected && list_->ItemCount() > 0) list_->SetItemIndex(0);
}

void TPluginUser50::DoUserSeat(std::uint8_t seat, bool seated, std::uint8_t changed, std::int64_t userId) {
    TCustomPluginUser::DoUserSeat(seat, seated, changed, userId);
    if (changed == 0 || !Share()) return;
    if (const int index = RecordIndex(userId); index >= 0) {
        TUserInfo& info = *records_[std::size_t(index)];
        info.Seat = seat;
        info.Seated = seated ? 1 : 0;
    }
}

void TPluginUser50::DoScoreBlock(std::uint8_t /*flag*/, int count, const TPluginScoreBlock& block) {
    const int n = std::clamp(count, 0, kMaxTableUsers);
    for (int i = 0; i < n; ++i) {
        const TScoreEntry entry = ScoreEntryAt(block, i);
        const int index = RecordIndex(entry.UserID);
        if (index < 0) continue;
        TUserInfo& info = *records_[std::size_t(index)];
        info.Score = entry.Score;
        info.Bean = entry.Beans;
        info.LastChange = paneltext::SignedText(entry.ScoreDelta);
        info.LevelText = LevelText(info.Score, info.Bean);
        RefreshRow(index);
    }
}

void TPluginUser50::AddScoreDeltas(const TPluginScoreBlock& block) {
    TCustomPluginShare* hub = Share();
    if (!hub) return;
    for (int i = 0; i < kMaxTableUsers; ++i) {
        const TScoreEntry entry = ScoreEntryAt(block, i);
        const int index = RecordIndex(entry.UserID);
        STRU_PLUGIN_USERINFO* hubRecord = index >= 0 ? hub->FindUser(entry.UserID) : nullptr;
        if (!hubRecord) continue;
        TUserInfo& info = *records_[std::size_t(index)];
        info.Score = ClampedAdd(info.Score, entry.ScoreDelta);
        info.Bean = ClampedAdd(info.Bean, entry.BeanDelta);
        info.LastChange = paneltext::SignedText(entry.ScoreDelta);
        info.LevelText = LevelText(info.Score, info.Bean);
        hubRecord->Score = info.Score;
        hubRecord->Beans = info.Bean;
    }
}

void TPluginUser50::SelectUser(std::int64_t userId) {
    const int index = RecordIndex(userId);
    if (index >= 0) list_->SetItemIndex(index);
}

std::int64_t TPluginUser50::GetSelectedID() {
    const TListItem* item = list_->Selected();
    return item && item->Data() ? static_cast<const TUserInfo*>(item->Data())->UserID : 0;
}

void TPluginUser50::SetUserFlag(std::uint8_t value) {
    TCustomPluginUser::SetUserFlag(value);
    RebindAll();
}

void TPluginUser50::DoOptionsLoaded() {
    TCustomPluginShare* hub = Share();
    if (!hub || !hub->IniFile()) return;
    SetAutoAttribute(hub->IniFile()->ReadBool("Option", "CanLook", true) ? 1 : 0);
}

void TPluginUser50::DoInitialize() {
    if (TCustomPluginShare* hub = Share()) ownId_ = hub->MyID();
}

void TPluginUser50::DoTableSettings(std::uint8_t /*value*/) {
    if (OnSelectChange) OnSelectChange(this, nullptr);
}

// [SECTION] Row texts

bool TPluginUser50::HideFor(const TUserInfo& info) const {
    return info.UserID != ownId_ && UserFlag() != 0;
}

std::string TPluginUser50::CellText(const TUserInfo& info, int tag) const {
    const bool hide = HideFor(info);
    switch (tag) {
    case ctUserId:
        return hide ? kMasked : std::to_string(info.UserID);
    case ctNickName:
        return hide ? kMasked : info.NickName;
    case ctLevel:
        return hide ? kMasked : info.LevelText;
    case ctBean:
        return hide ? kMasked : std::to_string(info.Bean);
    case ctScore:
        return hide ? kMasked : std::to_string(info.Score);
    case ctGold:
        return info.UserID == ownId_ ? std::to_string(info.Gold) : kMasked;
    default:
        return {};
    }
}

void TPluginUser50::RefreshRow(int index) {
    TListItem* item = list_->Item(index);
    if (!item || std::size_t(index) >= records_.size()) return;
    const TUserInfo& info = *records_[std::size_t(index)];
    std::string caption;
    std::vector<std::string> subItems;
    bool first = true;
    for (int tag = 0; tag < kColumnCount; ++tag) {
        if (!visible_[std::size_t(tag)]) continue;
        if (first)
            caption = CellText(info, tag);
        else
            subItems.push_back(CellText(info, tag));
        first = false;
    }
    // Unchanged texts are left alone, so that an unchanged row is not drawn again.
    item->SetCaption(caption);
    if (item->SubItems() != subItems) item->SetSubItems(std::move(subItems));
}

void TPluginUser50::RebindAll() {
    const int count = std::min(int(records_.size()), list_->ItemCount());
    for (int i = 0; i < count; ++i) {
        list_->Item(i)->SetData(records_[std::size_t(i)].get());
        RefreshRow(i);
    }
}

// [SECTION] Columns

int TPluginUser50::ColumnIndexOfTag(int tag) const {
    for (int c = 0; c < list_->ColumnCount(); ++c)
        if (list_->Column(c).tag == tag) return c;
    return -1;
}

void TPluginUser50::SetColumnCaption(int tag, const std::string& caption) {
    if (!ColumnVisible(tag)) return;
    captions_[std::size_t(tag)] = caption;
    const int index = ColumnIndexOfTag(tag);
    if (index < 0) return;
    TListColumn column = list_->Column(index);
    column.caption = caption;
    list_->SetColumn(index, column);
}

void TPluginUser50::HideColumn(int tag) {
    if (!ColumnVisible(tag)) return;
    visible_[std::size_t(tag)] = false;
    const int index = ColumnIndexOfTag(tag);
    if (index >= 0) list_->DeleteColumn(index);
    RebindAll();
}

void TPluginUser50::SetColumnWidth(int tag, int width) {
    const int index = ValidTag(tag) ? ColumnIndexOfTag(tag) : -1;
    if (width == 0 || index < 0) return;
    widths_[std::size_t(tag)] = width;
    TListColumn column = list_->Column(index);
    column.width = width;
    list_->SetColumn(index, column);
}

// [SECTION] Sorting

void TPluginUser50::ColumnClicked(int tag) {
    TSortState& state = SortState();
    state.tag = tag;
    if (UserFlag() != 0 || !ValidTag(tag)) return;
    int& direction = state.direction[std::size_t(tag)];
    direction = direction == 1 ? 0 : 1;
    const bool descending = direction == 1;
    auto compare = [tag](const TUserInfo& a, const TUserInfo& b) -> int {
        auto order = [](auto x, auto y) { return x < y ? -1 : x > y ? 1 : 0; };
        switch (tag) {
        case ctUserId:
            return order(a.UserID, b.UserID);
        case ctNickName:
            return paneltext::CompareNoCase(a.NickName, b.NickName);
        case ctLevel:
            return paneltext::CompareNoCase(a.LevelText, b.LevelText);
        case ctBean:
            return order(a.Bean, b.Bean);
        case ctScore:
            return order(a.Score, b.Score);
        default:
            return 0;
        }
    };
    // The own row first, then the column's order; records and rows are sorted alike (both stably, from
    // the same order), so each row keeps its texts and the selection stays with its user.
    auto before = [&](const TUserInfo& a, const TUserInfo& b) {
        const bool ownA = a.UserID == ownId_;
        const bool ownB = b.UserID == ownId_;
        if (ownA != ownB) return ownA;
        const int c = compare(a, b);
        return descending ? c > 0 : c < 0;
    };
    std::stable_sort(records_.begin(), records_.end(),
                     [&](const auto& a, const auto& b) { return before(*a, *b); });
    RenumberRows(0);
    list_->SortItems([&](const TListItem& a, const TListItem& b) {
        if (!a.Data() || !b.Data()) return a.Data() != nullptr && b.Data() == nullptr;
        return before(*static_cast<const TUserInfo*>(a.Data()), *static_cast<const TUserInfo*>(b.Data()));
    });
    RebindAll();
}

// [SECTION] Events and painting

void TPluginUser50::WndProc(TMessage& message) {
    if (message.Msg == WM_LIST_DBLCLICK) {
        DoubleClicked();
        return;
    }
    TCustomPluginUser::WndProc(message);
}

void TPluginUser50::DoubleClicked() {
    const TListItem* item = list_->Selected();
    if (!item || !item->Data()) return;
    const auto* info = static_cast<const TUserInfo*>(item->Data());
    AddChatText(UserFlag() != 0 ? std::string(kMasked) : info->NickName, 1);
}

void TPluginUser50::SetRowColor(TColor& field, TColor value) {
    if (field == value) return;
    field = value;
    list_->Invalidate();
}

void TPluginUser50::SetHeaderBgColor(TColor value) {
    list_->SetHeaderBgColor(value);
}

void TPluginUser50::SetHeaderFontColor(TColor value) {
    list_->SetHeaderFontColor(value);
}

void TPluginUser50::SetHeaderSplitColor(TColor value) {
    list_->SetHeaderSplitColor(value);
}

void TPluginUser50::SetHeaderBgPic(const TPngImage* picture) {
    list_->SetHeaderBgPicture(picture);
}

void TPluginUser50::SetHeaderSplitterPic(const TPngImage* picture) {
    list_->SetHeaderSplitPicture(picture);
}

void TPluginUser50::SetUserListColor(TColor value) {
    list_->SetColor(value);
}

void TPluginUser50::DrawRow(TListView* sender, TCanvas& canvas, TListItem* item, bool selected,
                            bool& defaultDraw) {
    const auto* info = static_cast<const TUserInfo*>(item->Data());
    if (!info) return;
    const bool own = info->UserID == ownId_;
    if (!selected) {
        canvas.Brush().style = TBrushStyle::bsSolid;
        canvas.Brush().color = ColorToRGB(own ? selfBack_ : itemBack_);
        canvas.Font().SetColor(ColorToRGB(own ? selfFont_ : itemFont_));
        return;
    }
    defaultDraw = false;
    const int index = item->Index();
    TRect bounds = sender->ItemRect(index);
    bounds.left += 2;
    const bool lowered = sender->TopIndex() == index + 1;
    if (lowered) bounds.bottom -= 2;
    canvas.FillRect(bounds, ColorToRGB(own ? selfSelectBack_ : selectBack_));
    canvas.Font().SetColor(ColorToRGB(own ? selfSelectFont_ : selectFont_));
    canvas.Brush().style = TBrushStyle::bsClear;
    for (int c = 0; c < sender->ColumnCount(); ++c) {
        TRect cell = sender->SubItemRect(index, c);
        cell.top = bounds.top;
        cell.bottom = bounds.bottom;
        const std::string* text = nullptr;
        if (c == 0) {
            cell.left += 2;
            text = &item->Caption();
        } else {
            cell.left += 6;
            cell.right -= 6;
            if (std::size_t(c - 1) < item->SubItems().size()) text = &item->SubItems()[std::size_t(c - 1)];
        }
        if (!text) continue;
        std::uint32_t flags = dtSingleLine | dtVCenter | dtEndEllipsis | dtNoPrefix;
        const TAlignment alignment = sender->Column(c).alignment;
        if (alignment == TAlignment::taRightJustify) flags |= dtRight;
        if (alignment == TAlignment::taCenter) flags |= dtCenter;
        canvas.DrawText(cell, *text, flags);
    }
    if (lowered) {
        const TColor line = ColorToRGB(sender->Color());
        canvas.FillRect({bounds.left, bounds.bottom, bounds.right, bounds.bottom + 2}, line);
    }
}

} // namespace morvane
