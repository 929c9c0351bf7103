#include "game/TableFixture.h"

#include "base/Gbk.h"
#include "base/Paths.h"

#include <atomic>
#include <unistd.h>

namespace morvane::test {

namespace {

std::int64_t FreshCookie() {
    static std::atomic<int> counter{0};
    return std::int64_t(::getpid()) * 100000 + 9000 + counter++;
}

} // namespace

TableTest::TableTest() {
    platform.SetLibraryFolder(paths::IncludeTrailingBackslash(paths::FromHost(dir.Path().string())));
    formOwner = std::make_unique<TPluginCommandForm>(nullptr);
    form = formOwner.get();
    form->SetBounds(0, 0, TTwoEightClient::kTableWidth, TTwoEightClient::kTableHeight);
    hub = form->Own(std::make_unique<TPluginShare50>(form));
    form->SetCommandHub(hub);
    chat = form->Own(std::make_unique<TLineChat>(form));
    client = form->Own(std::make_unique<TTwoEightClient>(form));
    client->SetParent(form);
    chat->SetParent(form);
    chat->SetBounds(800, 300, 10, 10);
    chat->SetVisible(false);
    hub->SetPluginChat(chat);
    hub->SetPluginClient(client);
    client->Random().SetSeed(12345);
}

TableTest::~TableTest() {
    driver_.reset();
    formOwner.reset();
}

void TableTest::Start(std::int64_t myBeans) {
    hub->SetHostInterface(&host);
    hub->Initialize("百家乐一号桌", "玩家甲", FreshCookie(), form->Handle(), kMe, 7);
    STRU_PLUGIN_USERINFO me = hostframes::MakeUser(kMe, kMySeat, true, "玩家甲");
    me.Beans = myBeans;
    me.Score = 100;
    STRU_PLUGIN_USERINFO banker = hostframes::MakeUser(kBanker, kBankerSeat, true, "庄家大老板");
    banker.Beans = 5000000;
    banker.Score = 5000;
    STRU_PLUGIN_USERINFO other = hostframes::MakeUser(kOther, kOtherSeat, true, "路人乙");
    other.Beans = 800000;
    SendFrame(hostframes::FullUserList({me, banker, other}));
    hostframes::TSettingsRecord settings;
    hostframes::SetShortString(settings.settings.BeanName, sizeof settings.settings.BeanName, "游戏豆");
    SendFrame(hostframes::TableData(0, hostframes::TableSettingsRecord(settings)));
    form->Show();
    platform.RunUntilIdle();
    host.TakeSent();
    chat->lines.clear();
    platform.TakeEffects();
}

TTableScene TableTest::RoomScene(TGamePhase phase) {
    TTableScene scene;
    scene.GameInProgress = phase != TGamePhase::Free;
    scene.BankerList[0] = {kBanker, kBankerSeat};
    scene.BankerBeans = 5000000;
    scene.BankerRounds = 2;
    scene.Phase = phase;
    scene.BettingTime = 20;
    scene.FreeTime = 5;
    scene.DealingTime = 15;
    scene.SettlementTime = 8;
    scene.ChipIndices = {0, 2, 3, 4, 5, 6};
    scene.BankerApplyBeans = 1000000;
    scene.BankerKeepBeans = 200000;
    scene.BankerPayoutCap = 3000000;
    scene.RegionPayoutCap = 2000000;
    scene.PersonalStakeCap = 100000;
    scene.StatusText = "游戏开始，请下注...";
    scene.NoBankerText = "无人上庄";
    return scene;
}

void TableTest::SendFrame(const std::vector<std::uint8_t>& frame) {
    hub->PostCommand(int(frame.size()), frame.data());
}

void TableTest::SendScene(const TTableScene& scene) {
    SendFrame(hostframes::GameData(0, WriteTableScene(scene)));
}

void TableTest::SendNotice(const std::vector<std::uint8_t>& record) {
    SendFrame(hostframes::TableData(0, record));
}

void TableTest::SendBet(std::int64_t userId, std::int64_t amount, std::uint8_t region, std::int64_t userStake,
                        std::int64_t regionTotal, std::int32_t elapsed) {
    TBetNotice notice;
    notice.UserId = userId;
    notice.Amount = amount;
    notice.Region = region;
    notice.UserStake = userStake;
    notice.RegionTotal = regionTotal;
    notice.PhaseElapsed = elapsed;
    SendNotice(notice.Write());
}

std::vector<std::vector<std::uint8_t>> TableTest::TakeFrames() {
    std::vector<std::vector<std::uint8_t>> frames;
    for (auto& sent : host.TakeSent())
        frames.push_back(std::move(sent.bytes));
    return frames;
}

std::vector<std::vector<std::uint8_t>> TableTest::TakeRequests() {
    std::vector<std::vector<std::uint8_t>> requests;
    for (auto& frame : TakeFrames())
        if (frame.size() >= 10 && frame[0] == 3 && frame[9] == 1)
            requests.emplace_back(frame.begin() + 10, frame.end());
    return requests;
}

std::vector<std::string> TableTest::TakeLines() {
    std::vector<std::string> lines;
    lines.swap(chat->lines);
    return lines;
}

void TableTest::TakeEffects() {
    for (const std::string& effect : platform.TakeEffects()) {
        if (effect.starts_with("msgbox ")) boxes_.push_back(gbk::FromUtf8(effect));
        if (!effect.starts_with("mci ")) continue;
        // The effect log is UTF-8; the table's own texts are GBK.
        const std::string command = gbk::FromUtf8(effect.substr(4));
        if (command.starts_with("open \"")) {
            const std::size_t end = command.rfind('"');
            const std::size_t start = command.rfind('\\', end);
            std::string sound = command.substr(start + 1, end - start - 1);
            // No sound files lie in the test's folder, so the hub falls back from .wav to .mp3.
            if (sound.ends_with(".mp3")) sound.replace(sound.size() - 4, 4, ".wav");
            sounds_.push_back(sound);
        } else if (command.find("ZyBaijiale") != std::string::npos) {
            music_.push_back(command);
        }
    }
}

std::vector<std::string> TableTest::TakeSounds() {
    TakeEffects();
    std::vector<std::string> sounds;
    sounds.swap(sounds_);
    return sounds;
}

void TableTest::DriveModal(const TForm& window, std::function<bool(int step)> step) {
    driver_ = std::make_unique<TTimer>(nullptr);
    driver_->SetInterval(10);
    driverStep_ = 0;
    driver_->SetOnTimer([this, &window, step](TTimer* timer) {
        if (!window.Showing()) return;
        if (!step(driverStep_++)) timer->SetEnabled(false);
    });
    driver_->SetEnabled(true);
}

std::vector<std::string> TableTest::TakeBoxes() {
    TakeEffects();
    std::vector<std::string> boxes;
    boxes.swap(boxes_);
    return boxes;
}

std::vector<std::string> TableTest::TakeMusic() {
    TakeEffects();
    std::vector<std::string> music;
    music.swap(music_);
    return music;
}

void TableTest::ClickTable(int x, int y, TMouseButton button, TShiftState keys) {
    platform.Click(client->ClientToScreen({x, y}), button, keys);
    platform.RunUntilIdle();
}

void TableTest::Run(std::uint32_t ms) {
    platform.AdvanceBy(ms);
}

void TableTest::WriteIni(const std::string& content) {
    WriteFile(dir / (hub->GameID() + ".ini"), content);
}

std::string HexOf(const std::vector<std::uint8_t>& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (std::uint8_t b : bytes) {
        text.push_back(digits[b >> 4]);
        text.push_back(digits[b & 15]);
    }
    return text;
}

std::vector<std::uint8_t> FromHex(const std::string& hex) {
    std::vector<std::uint8_t> bytes;
    auto nibble = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(std::uint8_t(nibble(hex[i]) * 16 + nibble(hex[i + 1])));
    return bytes;
}

} // namespace morvane::test
