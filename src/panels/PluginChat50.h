#pragma once

#include "plugin/CustomPluginChat.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace morvane {

class TImage;
class TImageList;
class TLovelyButton;
class TPictureView;
class TPluginComboBox;
class TPopupBox;
class TRichView;
struct TRichRun;

// The chat: a read-only view of the room's lines (coloured by kind, faces shown as pictures, addresses
// as links) over an input line with its history, and the faces, action, broadcast and say buttons.
class TPluginChat50 : public TCustomPluginChat {
public:
    // Once a shown line brings the view to kMaxViewLines lines, the oldest kDroppedLines of them go.
    static constexpr int kMaxViewLines = 120;
    static constexpr int kDroppedLines = 81;
    static constexpr std::size_t kHistorySize = 50;
    static constexpr std::size_t kInputLimit = 200;
    // A send within this time of the last one on the same path is dropped.
    static constexpr std::uint32_t kSendInterval = 2000;
    // The same text again within this time is refused with a notice.
    static constexpr std::uint32_t kRepeatInterval = 3000;
    static constexpr int kHistoryButtonWidth = 18;
    static constexpr int kHistoryButtonHeight = 20;

    enum TChatButton { cbEmotion = 0, cbAction, cbShout, cbSay };
    enum TSendPath { spSayButton = 0, spEnterKey };

    explicit TPluginChat50(TComponent* owner);
    ~TPluginChat50() override;

    // [Hub calls]
    void AddLine(const std::string& text, std::int64_t kind) override;
    void AddChatText(const std::string& text, int kind) override;
    void DoInitialize() override;
    void SetChatMode(std::uint8_t value) override;

    // [Sending] What the say button and the Enter key do, each path with its own clock.
    void Send(TSendPath path);
    void Broadcast();
    void ShowFaces();

    // [Faces]
    TImageList* EmotionImages() const { return emotionImages_; }
    // Not owned; the pictures are copied so that shown lines keep them.
    void SetEmotionImages(TImageList* images);
    // How many faces can be used: the named ones that have a picture.
    int UsableFaces() const;

    // [Buttons and layout]
    TLovelyButton& Button(TChatButton which) const { return *buttons_[which].button; }
    void SetButtonImages(TChatButton which, TImageList* images);
    void SetButtonStartIndex(TChatButton which, int index);
    void SetButtonRightSpace(TChatButton which, int value);
    void SetButtonBottomSpace(TChatButton which, int value);
    void SetViewSpaces(int left, int top, int right, int bottom);
    void SetInputSpaces(int left, int right, int bottom);
    void SetInputHeight(int value);
    void SetViewColor(TColor color);
    void SetInputColor(TColor color);
    void SetComboxImage(const TPngImage* picture);
    void SetPictureViewGrid(int cols, int rows, int space);
    // 1 selects the light colour scheme, anything else the normal one.
    int FontColorType() const { return fontColorType_; }
    void SetFontColorType(int value) { fontColorType_ = value; }

    TRichView& View() const { return *view_; }
    TPluginComboBox& Input() const { return *input_; }
    TImage& HistoryButton() const { return *historyImage_; }
    // Created by the first ShowFaces.
    TPictureView* PictureView() const { return pictureView_; }
    TPopupBox* PopupBox() const { return popup_; }

    // Told of every line shown, with the text and kind as the hub passed them.
    std::function<void(const std::string& text, std::int64_t kind)> OnLineAdded;

    void DoEnter() override;
    void SetParent(TWinControl* parent) override;

protected:
    void Resized() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, bool removing) override;

private:
    struct TButtonSlot {
        TLovelyButton* button{nullptr};
        int rightSpace{0};
        int bottomSpace{0};
    };
    void Relayout();
    void RememberSent(const std::string& text);
    std::vector<TRichRun> LineRuns(const std::string& text, TColor color) const;
    void OpenLink(const std::string& link);

    TRichView* view_{nullptr};
    TPluginComboBox* input_{nullptr};
    TCustomPanel* historyPanel_{nullptr};
    TImage* historyImage_{nullptr};
    std::array<TButtonSlot, 4> buttons_{};
    TPictureView* pictureView_{nullptr};
    TPopupBox* popup_{nullptr};
    TImageList* emotionImages_{nullptr};
    // The faces as shown in lines; pictures of an earlier image list stay while lines may show them.
    std::vector<std::unique_ptr<TPngImage>> faces_;
    std::vector<std::unique_ptr<TPngImage>> retiredFaces_;
    std::array<std::optional<std::uint32_t>, 2> lastSend_{};
    int viewLeft_{0}, viewTop_{0}, viewRight_{0}, viewBottom_{0};
    int inputLeft_{0}, inputRight_{0}, inputBottom_{0};
    int inputHeight_{20};
    int pictureCols_{15}, pictureRows_{6}, pictureSpace_{0};
    int fontColorType_{0};
};

} // namespace morvane
