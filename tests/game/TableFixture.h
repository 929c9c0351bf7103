#pragma once

#include "game/GameNotices.h"
#include "game/TableScene.h"
#include "game/TwoEightClient.h"
#include "graphics/BarLabel.h"
#include "graphics/BjlBottomBar.h"
#include "graphics/BjlTopBar.h"
#include "graphics/ClockNumber.h"
#include "graphics/PngAction.h"
#include "graphics/PngCardGroupGraphic.h"
#include "graphics/PngNumber.h"
#include "graphics/ResultTable.h"
#include "gui/Form.h"
#include "gui/Image.h"
#include "gui/Label.h"
#include "gui/Timer.h"
#include "host/HostFrames.h"
#include "host/TestHallHost.h"
#include "plugin/CustomPluginChat.h"
#include "plugin/PluginCommandForm.h"
#include "plugin/PluginShare50.h"
#include "support/TempDir.h"
#include "support/TwoEightClientTestApi.h"
#include "support/headless/HeadlessApp.h"
#include "ui/PluginPictureButton.h"

#include <string>
#include <vector>

namespace morvane::test {

// The chat slot: it keeps every line the table shows as "kind=N text".
class TLineChat : public TCustomPluginChat {
public:
    using TCustomPluginChat::TCustomPluginChat;
    void AddLine(const std::string& text, std::int64_t kind) override {
        lines.push_back("kind=" + std::to_string(kind) + " " + text);
    }
    std::vector<std::string> lines;
};

// A table as the hall opens it: a 1024 x 734 form with the client at its origin, the hub, a chat, the test
// hall host, and three users (the player, the banker and one more player).
class TableTest : public HeadlessTest {
protected:
    static constexpr std::int64_t kMe = 1001;
    static constexpr std::int64_t kBanker = 2002;
    static constexpr std::int64_t kOther = 3003;
    static constexpr std::uint8_t kMySeat = 3;
    static constexpr std::uint8_t kBankerSeat = 5;
    static constexpr std::uint8_t kOtherSeat = 7;
    static constexpr std::int64_t kMyBeans = 500000;

    TableTest();
    ~TableTest() override;

    // Initialize as the host does, then the user list; sent frames, lines and effects are cleared.
    void Start(std::int64_t myBeans = kMyBeans);
    // A betting scene of this room: banker kBanker, chips 100, 1000, 5000, 1w, 5w, 10w, personal maximum
    // 100 000, a game in progress.
    static TTableScene RoomScene(TGamePhase phase);
    void SendScene(const TTableScene& scene);
    void SendNotice(const std::vector<std::uint8_t>& record);
    void SendBet(std::int64_t userId, std::int64_t amount, std::uint8_t region, std::int64_t userStake,
                 std::int64_t regionTotal, std::int32_t elapsed = 1);
    void SendFrame(const std::vector<std::uint8_t>& frame);
    // The payloads of the game requests (table command 1) sent since the last call.
    std::vector<std::vector<std::uint8_t>> TakeRequests();
    // Every frame sent since the last call, whole.
    std::vector<std::vector<std::uint8_t>> TakeFrames();
    std::vector<std::string> TakeLines();
    // The sound files played since the last call, and the MCI commands that are not sounds.
    std::vector<std::string> TakeSounds();
    std::vector<std::string> TakeMusic();
    // Plays the player at a modal window: every 10 ms while `window` shows, `step` gets the next step number
    // and does one thing; the table's own timers keep running meanwhile, as they do on the hall's machine.
    void DriveModal(const TForm& window, std::function<bool(int step)> step);
    // Message boxes shown since the last call, as "msgbox <caption> | <text>".
    std::vector<std::string> TakeBoxes();
    // A press and release of the left (or right) button at client coordinates.
    void ClickTable(int x, int y, TMouseButton button = TMouseButton::mbLeft, TShiftState keys = 0);
    void Run(std::uint32_t ms);
    void WriteIni(const std::string& content);
    // The effects not yet taken, split by kind.
    void TakeEffects();
    // The table's inner state, its other controls and their handlers.
    TTwoEightClientTestApi Table() const { return TTwoEightClientTestApi(*client); }

    TempDir dir;
    TTestHallHost host;
    TPluginCommandForm* form{nullptr};
    TPluginShare50* hub{nullptr};
    TLineChat* chat{nullptr};
    TTwoEightClient* client{nullptr};
    std::unique_ptr<TPluginCommandForm> formOwner;

private:
    std::vector<std::string> sounds_;
    std::vector<std::string> music_;
    std::vector<std::string> boxes_;
    std::unique_ptr<TTimer> driver_;
    int driverStep_{0};
};

std::string HexOf(const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> FromHex(const std::string& hex);

} // namespace morvane::test
