#include "panels/PluginAction50.h"

#include "base/Gbk.h"
#include "gui/Canvas.h"
#include "gui/ValueListEditor.h"
#include "plugin/CustomPluginShare.h"
#include "plugin/PluginPlatform.h"
#include "ui/LovelyTextBtn.h"

namespace morvane {
namespace {

constexpr int kPanelWidth = 317;
constexpr int kPanelHeight = 379;
constexpr TRect kGridBounds{5, 34, 5 + 260, 34 + 304};
constexpr TColor kCellColor = 0x999999;
constexpr TColor kCellTextColor = 0x594319;
constexpr TColor kCurrentCellColor = 0xB4B4B4;
constexpr TColor kGridLineColor = 0x7A7A7A;
constexpr int kTextButtonWidth = 70;
constexpr int kTextButtonHeight = 22;

// Keeps the grid's own look but draws the column split over its full height.
class TActionGrid : public TValueListEditor {
public:
    using TValueListEditor::TValueListEditor;

protected:
    void Paint(TCanvas& canvas) override {
        TValueListEditor::Paint(canvas);
        const int x = KeyColumnWidth();
        canvas.FillRect({x, 0, x + 1, Height()}, clBlack);
        canvas.FillRect({x + 1, 0, x + 2, Height()}, clWhite);
    }
};

} // namespace

TPluginAction50::TPluginAction50(TComponent* owner) : TCustomPluginAction(owner) {
    SetTitleShadowColor(0x83180A);
    SetTitleColor(0xFFFFFF);
    SetTitleLeft(50);
    SetTitleHeight(30);
    SetLockedPoint(false);
    SetVisible(false);
    SetBounds(Left(), Top(), kPanelWidth, kPanelHeight);
    SetCaption("编辑动作");

    grid_ = Add<TActionGrid>();
    grid_->SetBounds(kGridBounds.left, kGridBounds.top, kGridBounds.Width(), kGridBounds.Height());
    grid_->SetKeyColumnWidth(0);
    // Sixteen rows fill the grid's height exactly.
    grid_->SetDefaultRowHeight(kGridBounds.Height() / kActionCount);
    grid_->DefaultDrawing = false;
    grid_->SetEditorMaxLength(kTemplateLimit);
    grid_->SetEnabled(!Designing());
    grid_->OnDrawCell = [this](TValueListEditor*, TCanvas& canvas, int column, int row, const TRect& rect) {
        DrawCell(canvas, column, row, rect);
    };
    grid_->OnStringsChange = [this](TControl*) {
        if (!loading_) modified_ = true;
    };
    grid_->OnDblClick = [this](TControl*) { PickRow(grid_->Row()); };

    save_ = Own(std::make_unique<TLovelyTextBtn>(this));
    restore_ = Own(std::make_unique<TLovelyTextBtn>(this));
    more_ = Own(std::make_unique<TLovelyTextBtn>(this));
    close_ = Own(std::make_unique<TLovelyButton>(this));
    for (TLovelyButton* button : {static_cast<TLovelyButton*>(save_), static_cast<TLovelyButton*>(restore_),
                                  static_cast<TLovelyButton*>(more_), close_})
        button->SetParent(this);
    save_->SetCaption("保存");
    restore_->SetCaption("恢复默认");
    more_->SetCaption("更多动作");
    for (TLovelyTextBtn* button : {save_, restore_, more_})
        button->SetBounds(0, 0, kTextButtonWidth, kTextButtonHeight);
    close_->SetBounds(0, 0, 16, 16);
    save_->OnClick = [this](TControl*) { Save(); };
    restore_->OnClick = [this](TControl*) { RestoreDefaults(); };
    more_->OnClick = [this](TControl*) { MoreActions(); };
    close_->OnClick = [this](TControl*) { Close(); };
    defaults_ = FactoryDefaults();
    Relayout();
}

// [SECTION] Templates

std::string TPluginAction50::ActionKey(int n) {
    return "&" + std::to_string(n);
}

std::string TPluginAction50::CutTemplate(const std::string& text) {
    if (text.size() <= kTemplateLimit) return text;
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + gbk::CharLength(text, end);
        if (next > kTemplateLimit) break;
        end = next;
    }
    return text.substr(0, end);
}

std::vector<std::string> TPluginAction50::FactoryDefaults() {
    static const char* const templates[kActionCount] = {
        "%1愉快地向在场所有人打招呼！",
        "%1愉快地微笑着！",
        "%1高兴得想跳舞！",
        "%1开始认真思考这个问题！",
        "%1兴奋地对%2说道：\"哇噻，酷毙了！\"",
        "%1急得对%2说：\"快点快点，打牌不能慢到这种地步！\"",
        "%1热泪盈眶地对%2说：\"好，好，好同志！\"",
        "%1盯着%2，脸上露出疑惑的表情。",
        "%1放声大哭，引来无数的旁观者。",
        "%1看着%2非常吃惊：\"天呐，怎么会这样呢！\"",
        "%1疑惑的看着%2 心里想：\"这家伙会不会玩斗地主啊！\"",
        "%1难过地看着%2：\"口吐白沫，昏倒在地上！\"",
        "%1找了块湿毛巾给%2擦了擦额头上的汗水！",
        "%1得意地对%2说：\"我是地主我怕谁！\"",
        "%1失望地对%2[唉]的一声叹了口气！",
        "%1欣赏地看着%说道：\"果然是高手！佩服，佩服！\"",
    };
    std::vector<std::string> lines;
    for (int n = 1; n <= kActionCount; ++n)
        lines.push_back(ActionKey(n) + "=" + templates[n - 1]);
    return lines;
}

void TPluginAction50::SetDefaults(const std::vector<std::string>& lines) {
    defaults_ = lines;
    if (Designing()) DoOptionsLoaded();
}

std::string TPluginAction50::DefaultOf(int n) const {
    const std::string prefix = ActionKey(n) + "=";
    for (const std::string& line : defaults_)
        if (line.compare(0, prefix.size(), prefix) == 0) return line.substr(prefix.size());
    return {};
}

std::string TPluginAction50::DefaultTemplate(const std::string& key) const {
    for (int n = 1; n <= kActionCount; ++n)
        if (key == ActionKey(n)) return DefaultOf(n);
    return {};
}

void TPluginAction50::DoOptionsLoaded() {
    TCustomPluginShare* hub = Share();
    if (!hub || !hub->IniFile()) return;
    loading_ = true;
    grid_->Clear();
    for (int n = 1; n <= kActionCount; ++n)
        grid_->InsertRow(ActionKey(n), hub->IniFile()->ReadString(kSection, ActionKey(n), DefaultOf(n)));
    loading_ = false;
}

// [SECTION] Buttons

void TPluginAction50::ShowPanel() {
    focus_.Remember(*this);
    TCustomPluginAction::ShowPanel();
    // An edit that was never saved is dropped: the stored texts come back.
    if (modified_) DoOptionsLoaded();
    modified_ = false;
}

void TPluginAction50::Save() {
    TCustomPluginShare* hub = Share();
    if (!hub || !hub->IniFile()) return;
    if (grid_->Editing()) grid_->CommitEdit();
    for (int row = 0; row < grid_->RowCount(); ++row)
        hub->IniFile()->WriteString(kSection, grid_->Keys(row), CutTemplate(grid_->Values(row)));
    modified_ = false;
    Close();
}

void TPluginAction50::RestoreDefaults() {
    TCustomPluginShare* hub = Share();
    loading_ = true;
    grid_->Clear();
    for (int n = 1; n <= kActionCount; ++n) {
        grid_->InsertRow(ActionKey(n), DefaultOf(n));
        if (hub && hub->IniFile()) hub->IniFile()->WriteString(kSection, ActionKey(n), DefaultOf(n));
    }
    loading_ = false;
    modified_ = false;
}

void TPluginAction50::MoreActions() {
    TCustomPluginShare* hub = Share();
    // The address comes from the player's own option file, so it is opened as it stands.
    const std::string address = hub && hub->IniFile()
                                    ? hub->IniFile()->ReadString("URL", "ActionURL", kDefaultActionUrl)
                                    : kDefaultActionUrl;
    if (TPlatform* platform = PluginPlatform()) platform->ShellOpen(address);
}

void TPluginAction50::Close() {
    Hide();
    focus_.Restore();
}

void TPluginAction50::PickRow(int row) {
    if (row < 0 || row >= grid_->RowCount() || grid_->Values(row).empty()) return;
    if (grid_->Editing()) grid_->CancelEdit();
    Hide();
    AddChatText(grid_->Keys(row) + " ", 0);
}

void TPluginAction50::DoEnter() {
    TCustomPluginAction::DoEnter();
    if (grid_->CanFocus()) grid_->SetFocus();
}

// [SECTION] Look

void TPluginAction50::SetButtonImages(TImageList* images) {
    for (TLovelyTextBtn* button : {save_, restore_, more_})
        button->SetImages(images);
    Relayout();
}

void TPluginAction50::SetCloseImages(TImageList* images) {
    close_->SetImages(images);
    Relayout();
}

void TPluginAction50::SetButtonBottomSpace(int value) {
    buttonBottomSpace_ = value;
    Relayout();
}

void TPluginAction50::SetCloseTop(int value) {
    closeTop_ = value;
    Relayout();
}

void TPluginAction50::SetCloseRight(int value) {
    closeRight_ = value;
    Relayout();
}

void TPluginAction50::SetEditorColor(TColor color) {
    grid_->SetColor(color);
}

void TPluginAction50::Resized() {
    TCustomPluginAction::Resized();
    Relayout();
}

void TPluginAction50::Relayout() {
    if (!close_) return; // still constructing
    const int top = Height() - save_->Height() - buttonBottomSpace_;
    more_->SetBounds(5, top, more_->Width(), more_->Height());
    restore_->SetBounds(more_->Left() + more_->Width() + 14, top, restore_->Width(), restore_->Height());
    save_->SetBounds(Width() - save_->Width() - 8, top, save_->Width(), save_->Height());
    close_->SetBounds(Width() - close_->Width() - closeRight_, closeTop_, close_->Width(), close_->Height());
}

void TPluginAction50::DrawCell(TCanvas& canvas, int /*column*/, int row, const TRect& rect) {
    if (rect.IsEmpty()) return;
    canvas.FillRect(rect, row == grid_->Row() ? kCurrentCellColor : kCellColor);
    canvas.FillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, kGridLineColor);
    canvas.Font().SetColor(kCellTextColor);
    canvas.DrawText({rect.left + 2, rect.top + 2, rect.right, rect.bottom}, grid_->Values(row),
                    dtSingleLine | dtNoPrefix);
}

} // namespace morvane
