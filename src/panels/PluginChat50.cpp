#include "panels/PluginChat50.h"

#include "base/Gbk.h"
#include "gui/Edit.h"
#include "gui/Image.h"
#include "gui/ImageList.h"
#include "gui/RichView.h"
#include "gui/SystemColors.h"
#include "panels/FaceNames.h"
#include "panels/PanelText.h"
#include "panels/PictureView.h"
#include "panels/PluginComboBox.h"
#include "panels/PopupBox.h"
#include "plugin/ChatLineKinds.h"
#include "plugin/CustomPluginShare.h"
#include "plugin/PluginPlatform.h"
#include "ui/LovelyButton.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace morvane {
namespace {

constexpr int kPanelWidth = 300;
constexpr int kPanelHeight = 350;
constexpr int kLineFontSize = 9;
constexpr int kPreviewSize = 32;

constexpr char kActionMark = 7;

// The colour and the shown text of a line.
struct TLineLook {
    TColor color;
    std::string text;
};

// Where an address starts at `pos`, the length of its scheme mark; 0 when none does.
std::size_t AddressMark(const std::string& upper, std::size_t pos) {
    static const char* const marks[] = {"HTTP://", "HTTPS://", "FTP://", "FILE:", "MAILTO:", "WWW."};
    for (const char* mark : marks) {
        const std::size_t length = std::char_traits<char>::length(mark);
        if (upper.compare(pos, length, mark) == 0) return length;
    }
    return 0;
}

bool AddressChar(char c) {
    const auto byte = std::uint8_t(c);
    return byte > 0x20 && byte < 0x7F && c != '"' && c != '<' && c != '>';
}

} // namespace

TPluginChat50::TPluginChat50(TComponent* owner) : TCustomPluginChat(owner) {
    SetBounds(Left(), Top(), kPanelWidth, kPanelHeight);

    view_ = Add<TRichView>();
    view_->Font().SetSize(kLineFontSize);
    view_->OnLinkClick = [this](TRichView*, const std::string& link, TMouseButton button) {
        if (button == TMouseButton::mbLeft) OpenLink(link);
    };

    input_ = Add<TPluginComboBox>();
    input_->SetDropDownCount(6);
    input_->SetMaxLength(kInputLimit);
    input_->SetTabStop(true);
    input_->OnKeyDown = [this](TControl*, TKey& key, TShiftState) {
        if (key != VK_RETURN) return;
        key = 0;
        Send(spEnterKey);
    };
    // The Enter character itself is swallowed, so that nothing beeps.
    input_->OnKeyPress = [](TControl*, std::string& ch) {
        if (ch == "\r") ch.clear();
    };

    historyPanel_ = Add<TCustomPanel>();
    historyPanel_->SetBounds(0, 0, kHistoryButtonWidth, kHistoryButtonHeight);
    historyImage_ = AddTo<TImage>(*historyPanel_);
    historyImage_->SetBounds(0, 0, kHistoryButtonWidth, kHistoryButtonHeight);
    historyImage_->OnClick = [this](TControl*) {
        if (input_->CanFocus()) input_->SetFocus();
        input_->SetDroppedDown(true);
    };

    const char* hints[] = {"表情", "特定动作", "大厅广播", ""};
    for (int i = 0; i < 4; ++i) {
        auto* button = Add<TLovelyButton>();
        button->SetHint(hints[i]);
        button->SetBounds(0, 0, 18, 19);
        button->SetEnabled(!Designing());
        buttons_[std::size_t(i)].button = button;
    }
    buttons_[cbEmotion].button->OnClick = [this](TControl*) { ShowFaces(); };
    buttons_[cbAction].button->OnClick = [this](TControl*) { ShowActionPanel(); };
    buttons_[cbShout].button->OnClick = [this](TControl*) { Broadcast(); };
    buttons_[cbSay].button->OnClick = [this](TControl*) { Send(spSayButton); };
    Relayout();
}

TPluginChat50::~TPluginChat50() {
    // Lines point at the face pictures, which go with this object's members.
    if (view_) view_->Clear();
    if (emotionImages_) emotionImages_->RemoveFreeNotification(this);
}

// [SECTION] Lines

std::vector<TRichRun> TPluginChat50::LineRuns(const std::string& text, TColor color) const {
    std::vector<TRichRun> runs;
    const std::string upper = paneltext::UpperCase(text);
    const int usable = UsableFaces();
    std::string plain;
    auto flush = [&] {
        if (!plain.empty()) runs.push_back(TRichRun::Text(plain, color));
        plain.clear();
    };
    for (std::size_t pos = 0; pos < text.size();) {
        if (text[pos] == '/' && pos + 4 <= text.size() && std::isdigit(std::uint8_t(text[pos + 1])) &&
            std::isdigit(std::uint8_t(text[pos + 2])) && std::isdigit(std::uint8_t(text[pos + 3]))) {
            const int face = std::atoi(text.substr(pos + 1, 3).c_str());
            if (face < usable && faces_[std::size_t(face)]) {
                flush();
                runs.push_back(TRichRun::Picture(faces_[std::size_t(face)].get()));
                pos += 4;
                continue;
            }
        }
        const bool wordStart = pos == 0 || !AddressChar(text[pos - 1]);
        if (const std::size_t mark = wordStart ? AddressMark(upper, pos) : 0) {
            std::size_t end = pos + mark;
            while (end < text.size() && AddressChar(text[end]))
                ++end;
            if (end > pos + mark) {
                flush();
                const std::string address = text.substr(pos, end - pos);
                runs.push_back(TRichRun::Link(address, address, 0xFF0000));
                pos = end;
                continue;
            }
        }
        const std::size_t length = gbk::CharLength(text, pos);
        plain += text.substr(pos, length);
        pos += length;
    }
    flush();
    return runs;
}

void TPluginChat50::AddLine(const std::string& text, std::int64_t kind) {
    const bool light = fontColorType_ == 1;
    TCustomPluginShare* hub = Share();
    const TColor defaultColor = ColorToRGB(clWindowText);
    TLineLook look{defaultColor, text};
    switch (std::int32_t(std::uint32_t(std::uint64_t(kind)))) {
    case lines::kSystem:
        look = {0xFF0000, "[系统消息]: " + text};
        break;
    case lines::kScoreNote:
        look = {light ? TColor(0x4080FF) : TColor(0xFF0000), text};
        break;
    case lines::kPrompt:
        look = {0x000080, "[提示]：" + text};
        break;
    case lines::kNotice:
        look = {light ? TColor(0xA8A8A8) : TColor(0x808080), text};
        break;
    case lines::kBroadcast:
        look = {0xF000F0, text};
        break;
    default:
        if (const std::size_t mark = text.find(kActionMark); mark != std::string::npos) {
            // An action line: the mark goes, and so does the sender's name, which the template holds.
            look = {hub ? TColor(0x000080) : defaultColor, text.substr(0, mark) + text.substr(mark + 1)};
        } else {
            const std::string sender = hub ? hub->DisplayName(kind) : std::to_string(kind);
            look = {hub && light ? TColor(0xE8E8E8) : defaultColor, sender + "：" + text};
        }
    }

    // A line break inside the text starts a new line of the view, as it would in any text box.
    std::size_t start = 0;
    while (true) {
        const std::size_t end = look.text.find_first_of("\r\n", start);
        view_->AddLine(LineRuns(look.text.substr(start, end - start), look.color));
        if (end == std::string::npos) break;
        start = end + 1;
        if (look.text[end] == '\r' && start < look.text.size() && look.text[start] == '\n') ++start;
    }
    if (view_->LineCount() >= kMaxViewLines) view_->DeleteFirstLines(kDroppedLines);
    view_->ScrollToEnd();
    if (OnLineAdded) OnLineAdded(text, kind);
}

void TPluginChat50::OpenLink(const std::string& link) {
    // Lines come from other players and the server: only web addresses are opened, never a file, a
    // program or another scheme.
    if (!paneltext::IsWebAddress(link)) return;
    if (TPlatform* platform = PluginPlatform()) platform->ShellOpen(link);
}

// [SECTION] Input and sending

void TPluginChat50::AddChatText(const std::string& text, int kind) {
    TEdit& edit = input_->Edit();
    if (kind == 0) edit.SelectAll();
    edit.SetSelText(text);
    if (input_->CanFocus()) input_->SetFocus();
}

void TPluginChat50::DoInitialize() {
    input_->ClearItems();
}

void TPluginChat50::SetChatMode(std::uint8_t value) {
    if (value == ChatMode()) return;
    TCustomPluginChat::SetChatMode(value);
    for (const TButtonSlot& slot : buttons_)
        slot.button->SetEnabled(value == 0);
}

void TPluginChat50::Send(TSendPath path) {
    if (path == spEnterKey && ChatMode() != 0) return;
    const std::string text = paneltext::Trim(input_->Text());
    if (text.empty()) return;
    const std::uint32_t now = HasApplication() ? Application().System().TickCount() : 0;
    std::optional<std::uint32_t>& last = lastSend_[std::size_t(path)];
    // Nothing sent yet on this path: no interval to keep, even right after the clock started.
    if (last) {
        const std::uint32_t forward = now - *last;
        const std::uint32_t elapsed = std::min(forward, std::uint32_t(0u - forward));
        if (elapsed <= kSendInterval) return;
        const std::vector<std::string>& history = input_->Items();
        if (elapsed <= kRepeatInterval && !history.empty() && history.front() == text) {
            if (TCustomPluginShare* hub = Share()) hub->ShowNote(false, "3秒内不能发重复消息!");
            return;
        }
    }
    SendChat(text);
    RememberSent(text);
    input_->SetText("");
    last = now;
}

void TPluginChat50::RememberSent(const std::string& text) {
    const std::vector<std::string>& history = input_->Items();
    std::string entry = text;
    for (std::size_t i = 0; i < history.size(); ++i)
        if (paneltext::SameNoCase(history[i], text)) {
            entry = history[i];
            input_->DeleteItem(int(i));
            break;
        }
    input_->InsertItem(0, entry);
    if (input_->Items().size() > kHistorySize) input_->DeleteItem(int(input_->Items().size()) - 1);
}

void TPluginChat50::Broadcast() {
    TCustomPluginShare* hub = Share();
    if (hub && hub->SendBroadcast(input_->Text()) == 0) input_->SetText("");
}

// [SECTION] Faces

int TPluginChat50::UsableFaces() const {
    return std::min<int>(kFaceCount, int(faces_.size()));
}

void TPluginChat50::SetEmotionImages(TImageList* images) {
    if (emotionImages_ == images) return;
    if (emotionImages_) emotionImages_->RemoveFreeNotification(this);
    emotionImages_ = images;
    for (auto& face : faces_)
        retiredFaces_.push_back(std::move(face));
    faces_.clear();
    if (images) {
        images->FreeNotification(this);
        for (int i = 0; i < std::min(images->Count(), kFaceCount); ++i) {
            const TPngImage* picture = images->Picture(i);
            faces_.push_back(picture ? std::make_unique<TPngImage>(*picture) : nullptr);
        }
    }
    if (pictureView_) {
        pictureView_->SetImages(images);
        pictureView_->SetUsable(UsableFaces());
    }
}

void TPluginChat50::Notification(TComponent* component, bool removing) {
    TCustomPluginChat::Notification(component, removing);
    if (removing && component == emotionImages_) {
        // The copies stay for the lines already shown; no new face is recognised.
        emotionImages_ = nullptr;
        for (auto& face : faces_)
            retiredFaces_.push_back(std::move(face));
        faces_.clear();
        if (popup_) popup_->Close();
    }
}

void TPluginChat50::ShowFaces() {
    if (input_->CanFocus()) input_->SetFocus();
    if (!pictureView_) {
        popup_ = Add<TPopupBox>();
        pictureView_ = AddTo<TPictureView>(*popup_);
        pictureView_->SetPictureSize(kPreviewSize, kPreviewSize);
        pictureView_->OnChange = [this](TControl*) {
            const int face = pictureView_->Selected();
            if (face >= 0 && face < UsableFaces())
                pictureView_->SetPreviewName(FaceNames()[std::size_t(face)]);
        };
        pictureView_->OnPick = [this](TPictureView*, int face) {
            if (face < 0 || face >= UsableFaces()) return;
            input_->Edit().SetSelText(FaceCode(face));
            popup_->Close();
            if (input_->CanFocus()) input_->SetFocus();
        };
    }
    pictureView_->SetImages(emotionImages_);
    pictureView_->SetUsable(UsableFaces());
    pictureView_->SetSpace(pictureSpace_);
    const int w = emotionImages_ ? emotionImages_->Width() : 24;
    const int h = emotionImages_ ? emotionImages_->Height() : 24;
    pictureView_->SetBounds(0, 0, w * (pictureSpace_ + pictureCols_), h * (pictureSpace_ + pictureRows_));
    popup_->FitToContent();
    const TPoint inputTopRight = input_->ClientToScreen({input_->Width(), 0});
    const TPoint at{inputTopRight.x - popup_->Width() + (view_->Width() - input_->Width()),
                    inputTopRight.y - popup_->Height()};
    popup_->Popup(at);
}

// [SECTION] Layout and focus

void TPluginChat50::SetButtonImages(TChatButton which, TImageList* images) {
    buttons_[which].button->SetImages(images);
    Relayout();
}

void TPluginChat50::SetButtonStartIndex(TChatButton which, int index) {
    buttons_[which].button->SetStartIndex(index);
}

void TPluginChat50::SetButtonRightSpace(TChatButton which, int value) {
    buttons_[which].rightSpace = value;
    Relayout();
}

void TPluginChat50::SetButtonBottomSpace(TChatButton which, int value) {
    buttons_[which].bottomSpace = value;
    Relayout();
}

void TPluginChat50::SetViewSpaces(int left, int top, int right, int bottom) {
    viewLeft_ = left;
    viewTop_ = top;
    viewRight_ = right;
    viewBottom_ = bottom;
    Relayout();
}

void TPluginChat50::SetInputSpaces(int left, int right, int bottom) {
    inputLeft_ = left;
    inputRight_ = right;
    inputBottom_ = bottom;
    Relayout();
}

void TPluginChat50::SetInputHeight(int value) {
    inputHeight_ = value;
    Relayout();
}

void TPluginChat50::SetViewColor(TColor color) {
    view_->SetColor(color);
}

void TPluginChat50::SetInputColor(TColor color) {
    input_->SetColor(color);
}

void TPluginChat50::SetComboxImage(const TPngImage* picture) {
    if (picture && !picture->Empty()) historyImage_->SetPicture(*picture);
}

void TPluginChat50::SetPictureViewGrid(int cols, int rows, int space) {
    pictureCols_ = cols;
    pictureRows_ = rows;
    pictureSpace_ = space;
}

void TPluginChat50::Resized() {
    TCustomPluginChat::Resized();
    Relayout();
}

void TPluginChat50::Relayout() {
    if (!input_) return; // still constructing
    const int w = Width();
    const int h = Height();
    view_->SetBounds(viewLeft_, viewTop_, w - viewLeft_ - viewRight_, h - viewTop_ - viewBottom_);
    input_->SetBounds(inputLeft_, h - inputHeight_ - inputBottom_, w - inputLeft_ - inputRight_,
                      inputHeight_);
    historyPanel_->SetBounds(input_->Left() + input_->Width() - kHistoryButtonWidth, input_->Top(),
                             kHistoryButtonWidth, kHistoryButtonHeight);
    for (const TButtonSlot& slot : buttons_) {
        TLovelyButton& b = *slot.button;
        b.SetBounds(w - b.Width() - slot.rightSpace, h - b.Height() - slot.bottomSpace, b.Width(),
                    b.Height());
    }
}

void TPluginChat50::DoEnter() {
    TCustomPluginChat::DoEnter();
    if (input_->CanFocus()) input_->SetFocus();
}

void TPluginChat50::SetParent(TWinControl* parent) {
    TCustomPluginChat::SetParent(parent);
    if (parent) PostMessage(WM_CHAT_SCROLL);
}

void TPluginChat50::WndProc(TMessage& message) {
    if (message.Msg == WM_CHAT_SCROLL) {
        if (Parent()) view_->ScrollToEnd();
        return;
    }
    TCustomPluginChat::WndProc(message);
}

} // namespace morvane
