#pragma once

// A window system for control tests: virtual time, a queue of posted tasks, and a text engine with
// fixed cells (6 pixels per single-byte character, 12 per double-byte one, lines 12 high) that draws
// each character as a filled box, so layouts can be checked to the pixel.
#include "base/Gbk.h"
#include "gui/Application.h"
#include "gui/Bitmap.h"
#include "gui/Font.h"
#include "gui/TextEngine.h"
#include "gui/WindowSystem.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace morvane::test {

class TBoxTextEngine : public TTextEngine {
public:
    static constexpr int kNarrow = 6;
    static constexpr int kLine = 12;

    TSize TextExtent(const TFont&, std::string_view text) override {
        int width = 0;
        for (std::size_t pos = 0; pos < text.size();) {
            std::size_t length = gbk::CharLength(text, pos);
            width += int(length) * kNarrow;
            pos += length;
        }
        return {width, kLine};
    }
    void DrawText(TBitmap& target, const TRect& clip, int x, int y, const TFont&, std::string_view text,
                  TColor color) override {
        drawn.emplace_back(text);
        for (std::size_t pos = 0; pos < text.size();) {
            const int length = int(gbk::CharLength(text, pos));
            if (text[pos] != ' ') {
                const TRect box =
                    TRect{x + 1, y + 2, x + length * kNarrow - 1, y + kLine - 2}.Intersect(clip);
                for (int py = box.top; py < box.bottom; ++py)
                    for (int px = box.left; px < box.right; ++px)
                        target.SetPixel(px, py, color);
            }
            x += length * kNarrow;
            pos += std::size_t(length);
        }
    }
    std::vector<std::string> drawn;
};

class TFakeWindowSystem : public TWindowSystem {
public:
    std::uint32_t TickCount() override { return now; }
    TWindowId CreateTopWindow(IWindowClient& client, const TRect&, bool) override {
        windows[nextWindow] = &client;
        return nextWindow++;
    }
    void DestroyTopWindow(TWindowId window) override { windows.erase(window); }
    void ShowTopWindow(TWindowId, bool, bool) override {}
    void SetWindowBounds(TWindowId, const TRect&) override {}
    TRect WindowBounds(TWindowId) override { return {}; }
    void SetWindowCaption(TWindowId, const std::string&) override {}
    TWindowId ActiveWindow() override { return 0; }
    TPoint CursorPos() override { return {}; }
    void InvalidateWindow(TWindowId, const TRect&) override {}
    void PresentWindow(TWindowId, const TBitmap&, const TRect&) override {}
    void SetCapture(TWindowId) override {}
    void ReleaseCapture() override {}
    TTimerId StartTimer(std::uint32_t, std::function<void()>) override { return ++lastTimer; }
    void StopTimer(TTimerId) override {}
    void Post(std::function<void()> task) override { posted.push_back(std::move(task)); }
    void SendSync(const std::function<void()>& task) override { task(); }
    bool ProcessOneMessage(bool) override {
        if (posted.empty()) return false;
        auto task = std::move(posted.front());
        posted.pop_front();
        task();
        return true;
    }
    TTextEngine& TextEngine() override { return text; }
    std::string ClipboardText() override { return clipboard; }
    int MessageBox(TWindowId owner, const std::string& caption, const std::string& body,
                   std::uint32_t buttons) override {
        messageBoxes.push_back(caption + "|" + body + "|" + std::to_string(buttons));
        messageBoxOwners.push_back(owner);
        return messageBoxAnswer;
    }
    void EndMessageBoxes(TWindowId owner) override { endedMessageBoxes.push_back(owner); }

    std::uint32_t now{1000};
    TBoxTextEngine text;
    std::string clipboard;
    std::vector<std::string> messageBoxes;
    std::vector<TWindowId> messageBoxOwners;
    std::vector<TWindowId> endedMessageBoxes;
    int messageBoxAnswer{1};
    std::deque<std::function<void()>> posted;
    std::map<TWindowId, IWindowClient*> windows;
    TWindowId nextWindow{1};
    TTimerId lastTimer{0};
};

// The fake system with a running application, for a test fixture to hold.
struct TFakeApplication {
    TFakeWindowSystem system;
    TApplication application{system};
};

} // namespace morvane::test
