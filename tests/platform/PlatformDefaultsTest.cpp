#include "gui/FakeWindowSystem.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>
#include <type_traits>

namespace morvane {
namespace {

// A backend as it starts: windows, timers, the loop, text, the library's own files and message boxes, and
// nothing else. It must be a complete platform.
class TStartingPlatform : public TPlatform {
public:
    std::uint32_t TickCount() override { return 0; }
    TWindowId CreateTopWindow(IWindowClient&, const TRect&, bool) override { return 1; }
    void DestroyTopWindow(TWindowId) override {}
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
    TTimerId StartTimer(std::uint32_t, std::function<void()>) override { return 1; }
    void StopTimer(TTimerId) override {}
    void Post(std::function<void()>) override {}
    void SendSync(const std::function<void()>& task) override { task(); }
    bool ProcessOneMessage(bool) override { return false; }
    TTextEngine& TextEngine() override { return text_; }
    TRect ScreenWorkArea() override { return {0, 0, 1280, 984}; }
    std::string LibraryFolder() override { return "C:\\Morvane\\"; }
    std::string ModuleFileName() override { return "C:\\Morvane\\Morvane.dll"; }
    const TFileVersionInfomation& VersionRecord() override { return version_; }
    std::span<const std::uint8_t> Resource(const std::string&) override { return {}; }
    bool FileExists(const std::string&) override { return false; }
    int MessageBox(TWindowId, const std::string&, const std::string&, std::uint32_t) override { return IDOK; }

private:
    test::TBoxTextEngine text_;
    TFileVersionInfomation version_{};
};

static_assert(!std::is_abstract_v<TStartingPlatform>);

TEST(PlatformDefaultsTest, AStartingBackendAnswersTheServicesItLacksAsAbsentAndNeverAsDone) {
    TStartingPlatform platform;
    // The table on it is the only one it knows of: the duplicate guard lets it open and stay.
    EXPECT_TRUE(platform.ClaimMarker("百家乐一号桌"));
    EXPECT_TRUE(platform.MarkerIntact("百家乐一号桌"));
    // Nothing that did not happen is reported as done.
    EXPECT_EQ(platform.MciSendString("PLAY music"), TPlatform::kMciNoDevice);
    EXPECT_FALSE(platform.RegisterHotKey(0, 1, MOD_ALT, 'Q', [] {}));
    EXPECT_FALSE(platform.ChangeDisplayMode({1024, 768, 32}));
    std::array<std::uint8_t, 6> address{1, 2, 3, 4, 5, 6};
    EXPECT_FALSE(platform.AdapterAddress(address));
    EXPECT_EQ(address, (std::array<std::uint8_t, 6>{1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(platform.CopyScreen({0, 0, 1024, 734}).Empty());
    EXPECT_EQ(platform.FindWindowByCaption("游戏大厅"), TForeignWindow{0});
    EXPECT_EQ(platform.ClipboardText(), "");
    EXPECT_EQ(platform.DoubleClickTime(), TWindowSystem::kDefaultDoubleClickTime);
}

} // namespace
} // namespace morvane
