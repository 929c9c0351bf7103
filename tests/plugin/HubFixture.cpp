#include "plugin/HubFixture.h"

#include "base/ByteWriter.h"
#include "base/Gbk.h"
#include "base/Paths.h"

#include <atomic>
#include <unistd.h>

namespace morvane::test {

void TRecordingClient::DoSeatData(int seat, TBytes data, std::int64_t id) {
    Log("client.DoSeatData seat=" + std::to_string(seat) + " len=" + std::to_string(data.size()) +
        " id=" + std::to_string(id));
}

void TRecordingClient::DoTableData(TBytes data, std::int64_t fromId) {
    Log("client.DoTableData len=" + std::to_string(data.size()) + " from=" + std::to_string(fromId));
    if (passTableData) TCustomPluginClient::DoTableData(data, fromId);
}

void TRecordingClient::DoSystemText(const std::string& text, std::int64_t fromId) {
    Log("client.DoSystemText " + std::to_string(fromId) + " " + text);
}

void TRecordingClient::DoCofferReply(TBytes reply, const std::string& text) {
    Log("client.DoCofferReply " + std::to_string(reply.size()) + " " + text);
}

void TRecordingClient::DoUserList(int count, const TPluginUserSlots& users) {
    lastUsers = users;
    lastUserCount = count;
    Log("client.DoUserList " + std::to_string(count));
}

void TRecordingClient::DoUserEnter(const STRU_PLUGIN_USERINFO& user) {
    Log("client.DoUserEnter " + std::to_string(user.UserID));
}

void TRecordingClient::DoUserSeat(std::uint8_t seat, bool seated, std::uint8_t changed, std::int64_t id) {
    Log("client.DoUserSeat " + std::to_string(seat) + " " + std::to_string(seated) + " " +
        std::to_string(changed) + " " + std::to_string(id));
}

void TRecordingClient::DoScoreBlock(std::uint8_t flag, int count, const TPluginScoreBlock&) {
    Log("client.DoScoreBlock " + std::to_string(flag) + " " + std::to_string(count));
}

void TRecordingClient::DoUserValue(int value, std::int64_t id) {
    Log("client.DoUserValue " + std::to_string(value) + " " + std::to_string(id));
}

void TRecordingClient::DoPlayerSeated(const std::string& nick, int ext, std::uint8_t seat, std::int64_t id) {
    Log("client.DoPlayerSeated " + FixedFieldText(nick.data(), nick.size()) + " ext=" + std::to_string(ext) +
        " seat=" + std::to_string(seat) + " id=" + std::to_string(id));
}

void TRecordingClient::DoPlayerUnseated(std::uint8_t seat, std::int64_t id) {
    Log("client.DoPlayerUnseated seat=" + std::to_string(seat) + " id=" + std::to_string(id));
}

void TRecordingClient::DoInitialize() {
    Log("client.DoInitialize");
    TCustomPluginClient::DoInitialize();
}

HubTest::HubTest() {
    platform.SetLibraryFolder(paths::IncludeTrailingBackslash(paths::FromHost(dir.Path().string())));
    formOwner = std::make_unique<THubTestForm>(nullptr);
    form = formOwner.get();
    hub = form->Own(std::make_unique<TPluginShare50>(form));
    form->SetCommandHub(hub);
    user = form->Own(std::make_unique<TRecordingUser>(form, log));
    chat = form->Own(std::make_unique<TRecordingChat>(form, log));
    client = form->Own(std::make_unique<TRecordingClient>(form, log));
    score = form->Own(std::make_unique<TRecordingScore>(form, log));
    dialog = form->Own(std::make_unique<TScriptedDialog>(form, log));
    for (TControl* control : std::initializer_list<TControl*>{user, chat, client, score, dialog})
        control->SetParent(form);
    hub->SetPluginUser(user);
    hub->SetPluginChat(chat);
    hub->SetPluginClient(client);
    hub->SetPluginScore(score);
    hub->SetPluginDialog(dialog);
}

HubTest::~HubTest() {
    formOwner.reset();
}

std::int64_t UniqueCookie() {
    static std::atomic<int> counter{0};
    return std::int64_t(::getpid()) * 100000 + 7000 + counter++;
}

void HubTest::Start(bool keepRecords) {
    hub->SetHostInterface(&host);
    hub->Initialize("百家乐一号桌", "玩家甲", cookie, form->Handle(), kMe, 7);
    if (!keepRecords) {
        log.clear();
        host.TakeSent();
        chat->lines.clear();
        platform.TakeEffects();
    }
}

void HubTest::Post(const std::vector<std::uint8_t>& frame) {
    hub->PostCommand(int(frame.size()), frame.data());
}

std::vector<std::vector<std::uint8_t>> HubTest::SentBytes() const {
    std::vector<std::vector<std::uint8_t>> frames;
    for (const auto& sent : host.Sent())
        frames.push_back(sent.bytes);
    return frames;
}

std::vector<std::string> HubTest::TakeSounds() {
    std::vector<std::string> sounds;
    for (const std::string& effect : platform.TakeEffects()) {
        if (!effect.starts_with("mci open \"")) continue;
        std::size_t end = effect.rfind('"');
        std::size_t start = effect.rfind('\\', end);
        sounds.push_back(effect.substr(start + 1, end - start - 1));
    }
    return sounds;
}

void HubTest::WriteIni(const std::string& content) {
    WriteFile(dir / (hub->GameID() + ".ini"), content);
}

void HubTest::ApplySettings(const hostframes::TSettingsRecord& record) {
    Post(hostframes::TableData(0, hostframes::TableSettingsRecord(record)));
}

std::vector<std::uint8_t> TableOut(std::int64_t id, std::uint8_t cmd, std::vector<std::uint8_t> payload) {
    ByteWriter writer;
    writer.WriteU8(3);
    writer.WriteI64(id);
    writer.WriteU8(cmd);
    writer.WriteBytes(payload);
    return writer.Take();
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (std::uint8_t b : bytes) {
        text.push_back(digits[b >> 4]);
        text.push_back(digits[b & 15]);
    }
    return text;
}

} // namespace morvane::test
