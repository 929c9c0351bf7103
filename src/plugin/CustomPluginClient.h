#pragma once

#include "base/Bytes.h"
#include "gui/CustomPanel.h"
#include "platform/Platform.h"
#include "plugin/PluginRecords.h"
#include "plugin/PluginShareLink.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace morvane {

inline constexpr std::size_t kCofferRequestSize = 61;
using TCofferRequest = std::array<std::uint8_t, kCofferRequestSize>;

// The game client's base: the hub reaches the table only through these virtual operations (their order
// is fixed), and the client reaches the hub through the request operations. It also keeps the table
// settings and the seat table, which the hub's quit and score policies read.
class TCustomPluginClient : public TCustomPanel, public TPluginShareLink {
public:
    // First byte of the table-data records this base handles itself.
    static constexpr std::uint8_t kNoticeRecord = 254;
    static constexpr std::uint8_t kTableSettingsRecord = 255;
    static constexpr std::size_t kNoticeTextSize = 500;

    explicit TCustomPluginClient(TComponent* owner);
    ~TCustomPluginClient() override;

    virtual void GetClientText1(std::string& text) { text.clear(); }
    virtual void GetClientText2(std::string& text) { text.clear(); }
    virtual bool ShowScoreNotes() { return true; }
    virtual bool CanQuitFreely() { return false; }
    virtual bool QueryQuit(std::string& message) {
        message.clear();
        return true;
    }
    virtual bool CanAskToLeave() { return true; }
    virtual void GetFacePath(std::string& path) = 0;
    virtual void DoSeatSignal0(int /*seat*/, std::int64_t /*userId*/) {}
    virtual void DoSeatSignal1(int /*seat*/, std::int64_t /*userId*/) {}
    virtual void DoSeatData(int /*seat*/, TBytes /*data*/, std::int64_t /*userId*/) {}
    virtual void DoTableData(TBytes data, std::int64_t fromId);
    virtual void DoUserReady(int /*seat*/) {}
    virtual void DoOwnAttribute(std::uint8_t /*value*/) {}
    virtual void DoGameStart() {}
    virtual void DoGameOver() {}
    virtual void DoSystemText(const std::string& /*text*/, std::int64_t /*fromId*/) {}
    virtual void DoCofferReply(TBytes /*reply*/, const std::string& /*text*/) {}
    virtual void DoChatLine(const std::string& /*text*/) {}
    virtual void DoNoticeText(const std::string& /*text*/) {}
    virtual void DoRawNotice(TBytes /*frame*/) {}
    virtual void DoUserState(std::uint8_t /*state*/, std::int64_t /*userId*/) {}
    virtual void DoUserList(int /*count*/, const TPluginUserSlots& /*users*/) {}
    virtual void DoUserEnter(const STRU_PLUGIN_USERINFO& /*user*/) {}
    virtual void DoUserLeave(std::int64_t /*userId*/) {}
    virtual void DoUserSeat(std::uint8_t /*seat*/, bool /*seated*/, std::uint8_t /*changed*/,
                            std::int64_t /*userId*/) {}
    virtual void DoScoreBlock(std::uint8_t /*flag*/, int /*count*/, const TPluginScoreBlock& /*block*/) {}
    // A slot the hub never calls; kept so that the operations after it keep their places.
    virtual void DoUnusedSignal(std::int32_t /*value*/, std::int64_t /*userId*/) {}
    virtual void DoUserValue(int /*value*/, std::int64_t /*userId*/) {}
    virtual void DoGameData(TBytes /*data*/) {}
    virtual void DoPlayerSeated(const std::string& /*nickName*/, int /*extValue*/, std::uint8_t /*seat*/,
                                std::int64_t /*userId*/) {}
    virtual void DoPlayerUnseated(std::uint8_t /*seat*/, std::int64_t /*userId*/) {}
    virtual void SendReady();
    virtual void RequestSeat(std::uint8_t seat, bool sit);
    virtual void SendStart();
    virtual void SendTableData(TBytes data, std::int64_t toId);
    virtual void SendSeatData(TBytes data);
    virtual void SendChat(const std::string& text);
    virtual void SendCofferRequest(const TCofferRequest& request);
    virtual void SetUserAttribute(std::uint8_t value, std::int64_t userId);
    virtual void ShowActionPanel();
    virtual void ShowOptionPanel();
    virtual void DoActivate() {}
    virtual void AddChatText(const std::string& text, int kind);
    virtual void ShowNote(bool flash, const std::string& text);
    virtual void PlaySound(const std::string& fileName);
    virtual void ShowUserMenu(std::int64_t userId);
    virtual void DoInitialize();
    virtual void DoFinalize() {}
    virtual void DoOptionsLoaded() {}
    virtual void DoOptionsSaved() {}

    // What the table's form asks of the game it shows (after the operations above, which keep their
    // places): the size of the table, the strip the game lays over the form's title, the chip cursors,
    // the skins of the user list and the chat beside the table, and the betting music setting.
    static constexpr TSize kDefaultTableSize{1024, 734};
    virtual TSize TableSize() const { return kDefaultTableSize; }
    // Hands the strip over to the form, which parents it on itself and owns it from then on; nullptr when
    // the game has none (or has handed it over already).
    virtual std::unique_ptr<TControl> ReleaseTitleStrip() { return nullptr; }
    // Picture names of the cursors 1, 2, ... the table selects its chips with.
    virtual std::vector<std::string> ChipCursorNames() const { return {}; }
    // Picture names of the skins of the user list and the chat; empty leaves a panel unskinned.
    virtual std::string UserListPictureName() const { return {}; }
    virtual std::string ChatPictureName() const { return {}; }
    virtual bool BackMusic() const { return false; }
    virtual void SetBackMusic(bool /*on*/) {}

    bool IsPlaying() const;
    void SetPlaying(bool playing);
    std::int64_t GetMyID() const;
    std::uint8_t GetMySeat() const;
    int MinPlayerCount() const { return settings_.MinPlayerCount; }
    int RequiredRounds() const { return settings_.RequiredRounds; }
    int RoundsPlayed(std::int64_t userId) const;
    int ActivePlayerCount() const;
    // True when leaving costs the player nothing.
    bool CanLeaveSeat(std::int64_t userId) const;
    std::string SeatName(std::int64_t userId) const;
    // nullptr when the identity has no entry; the index of an entry is its seat.
    const TPluginSeatEntry* FindSeat(std::int64_t userId, int* seat = nullptr) const;
    std::string ScoreName() const { return ShortString(settings_.ScoreName); }
    std::string BeanName() const { return ShortString(settings_.BeanName); }
    std::string MoneyName() const { return ShortString(settings_.MoneyName); }

    const TPluginTableSettings& Settings() const { return settings_; }
    const std::vector<TPluginSeatEntry>& Seats() const { return seats_; }
    std::int32_t TableValue(int index) const { return tableValues_.at(std::size_t(index)); }
    std::uint8_t TableFlag() const { return tableFlag_; }
    const TDisplayMode& DesktopMode() const { return desktopMode_; }

protected:
    // The record after its first byte 255: the table values, the settings block and the seat table.
    void ApplyTableSettings(TBytes data);

private:
    void ShowNoticeRecord(TBytes data);

    TDisplayMode desktopMode_{1024, 768, 32};
    std::array<std::int32_t, 4> tableValues_{1, 0, 1, 0};
    std::uint8_t tableFlag_{0};
    TPluginTableSettings settings_{};
    std::vector<TPluginSeatEntry> seats_;
};

} // namespace morvane
