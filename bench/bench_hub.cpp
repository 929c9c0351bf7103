// How many host frames a table decodes per second through the host's PostCommand: chat lines, users
// entering and leaving, score blocks, and a round's mix of them. Nothing is drawn (the chat panel is
// the base one) and sounds are switched off, so that the figures are the hub's decoding and dispatch.
#include "base/ByteWriter.h"
#include "gui/Application.h"
#include "gui/Form.h"
#include "platform/headless/HeadlessPlatform.h"
#include "plugin/CustomPluginChat.h"
#include "plugin/CustomPluginClient.h"
#include "plugin/CustomPluginUser.h"
#include "plugin/PluginCommandForm.h"
#include "plugin/PluginFormRegistry.h"
#include "plugin/PluginInterface50.h"
#include "plugin/PluginRecords.h"
#include "plugin/PluginShare50.h"

#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace morvane {
namespace {

using TFrame = std::vector<std::uint8_t>;

constexpr std::int64_t kMe = 1001;
constexpr std::int64_t kBanker = 20002;
constexpr std::int64_t kVisitor = 30003;

// A host that answers every call and keeps nothing, so that a long run does not grow its records.
class TBenchHost final : public IQXOpenInterfaceReq {
public:
    HRESULT __stdcall QueryInterface(REFIID, void** object) override {
        if (object) *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG __stdcall AddRef() override { return 1; }
    ULONG __stdcall Release() override { return 1; }
    HRESULT __stdcall GetHostTag(void*) override { return S_OK; }
    HRESULT __stdcall Reserved1() override { return S_OK; }
    HRESULT __stdcall Reserved2() override { return S_OK; }
    HRESULT __stdcall Reserved3() override { return S_OK; }
    HRESULT __stdcall Reserved4() override { return S_OK; }
    HRESULT __stdcall FilterText(std::int64_t, const char* src, std::int32_t srcLen, char** dst,
                                 std::int32_t* dstLen) override {
        const std::int32_t length = std::min(srcLen, *dstLen);
        std::memcpy(*dst, src, std::size_t(std::max(length, 0)));
        *dstLen = length;
        return S_OK;
    }
    HRESULT __stdcall Reserved6() override { return S_OK; }
    HRESULT __stdcall Reserved7() override { return S_OK; }
    HRESULT __stdcall Invite(std::int64_t, std::int32_t, std::int32_t) override { return S_OK; }
    HRESULT __stdcall Reserved9() override { return S_OK; }
    HRESULT __stdcall Reserved10() override { return S_OK; }
    HRESULT __stdcall PluginClosed(std::int64_t) override { return S_OK; }
    HRESULT __stdcall Reserved12() override { return S_OK; }
    HRESULT __stdcall GetHostDirectory(std::int64_t, char** buffer) override {
        std::strcpy(*buffer, "C:\\Hall");
        return S_OK;
    }
    HRESULT __stdcall GetFaceImageList(std::int64_t, TImageList** list) override {
        *list = nullptr;
        return S_OK;
    }
    HRESULT __stdcall Reserved15() override { return S_OK; }
    HRESULT __stdcall Reserved16() override { return S_OK; }
    HRESULT __stdcall Reserved17() override { return S_OK; }
    HRESULT __stdcall SendData(std::int64_t, std::int64_t, std::int32_t, const void*) override {
        return S_OK;
    }
};

class TBenchClient : public TCustomPluginClient {
public:
    using TCustomPluginClient::TCustomPluginClient;
    void GetFacePath(std::string& path) override { path.clear(); }
};

// Counts the lines it is given, so that a run can tell that its frames reached the chat.
class TBenchChat : public TCustomPluginChat {
public:
    using TCustomPluginChat::TCustomPluginChat;
    void AddLine(const std::string&, std::int64_t) override { ++lines; }
    std::int64_t lines{0};
};

class TBenchForm : public TPluginCommandForm {
public:
    TBenchForm() : TPluginCommandForm(nullptr) {
        auto* hub = Own(std::make_unique<TPluginShare50>(this));
        SetCommandHub(hub);
        auto* user = Own(std::make_unique<TCustomPluginUser>(this));
        chat = Own(std::make_unique<TBenchChat>(this));
        auto* client = Own(std::make_unique<TBenchClient>(this));
        for (TControl* control : std::initializer_list<TControl*>{user, chat, client})
            control->SetParent(this);
        hub->SetPluginUser(user);
        hub->SetPluginChat(chat);
        hub->SetPluginClient(client);
    }

    TBenchChat* chat{nullptr};
};

TFrame TableFrame(std::int64_t fromId, std::uint8_t cmd, const std::string& payload) {
    ByteWriter writer;
    writer.WriteU8(3);
    writer.WriteI64(fromId);
    writer.WriteU8(cmd);
    writer.WriteString(payload);
    return writer.Take();
}

std::array<std::uint8_t, kUserInfoSize> User(std::int64_t id, std::uint8_t seat, bool seated,
                                             const char* nick) {
    STRU_PLUGIN_USERINFO user{};
    user.Seat = seat;
    user.Seated = seated ? 1 : 0;
    user.UserID = id;
    std::strncpy(user.Account, nick, sizeof user.Account);
    std::strncpy(user.NickName, nick, sizeof user.NickName);
    return UserInfoBytes(user);
}

// Table settings with score and bean notes on and the two players in the seat table.
TFrame Settings() {
    ByteWriter record;
    record.WriteU8(255);
    record.WriteU8(0);
    for (std::int32_t value : {1, 0, 1, 0})
        record.WriteI32(value);
    record.WriteU8(0);
    TPluginTableSettings settings{};
    settings.ScoreNotes = 1;
    settings.BeanNotes = 1;
    settings.MinPlayerCount = 1;
    std::uint8_t bytes[sizeof settings];
    std::memcpy(bytes, &settings, sizeof settings);
    record.WriteBytes(bytes);
    record.WriteI32(2);
    for (std::int64_t id : {kMe, kBanker}) {
        record.WriteI64(id);
        record.WriteFixedString("player", 20);
        record.WriteI32(0);
        record.WriteU8(0);
        record.WriteI32(0);
        record.WriteU8(0);
        record.WriteU8(0);
        record.WriteI32(0);
        record.WriteI32(0);
        record.WriteI64(0);
        record.WriteI64(0);
    }
    const TFrame data = record.Take();
    return TableFrame(0, 17, std::string(data.begin(), data.end()));
}

TFrame UserList() {
    ByteWriter writer;
    writer.WriteU8(9);
    writer.WriteI32(2);
    writer.WriteBytes(User(kMe, 0, true, "me"));
    writer.WriteBytes(User(kBanker, 1, true, "banker"));
    writer.WriteZeros((kMaxTableUsers - 2) * kUserInfoSize);
    return writer.Take();
}

TFrame UserEnter() {
    ByteWriter writer;
    writer.WriteU8(10);
    writer.WriteBytes(User(kVisitor, 5, false, "visitor"));
    return writer.Take();
}

TFrame UserLeave() {
    ByteWriter writer;
    writer.WriteU8(12);
    writer.WriteI64(kVisitor);
    return writer.Take();
}

// A round's score block as the host sends it: two entries and the rest of the 200 slots zero.
TFrame ScoreBlock() {
    ByteWriter writer;
    writer.WriteU8(16);
    writer.WriteU8(1);
    writer.WriteI32(2);
    for (std::int64_t id : {kMe, kBanker}) {
        const std::int64_t sign = id == kMe ? 1 : -1;
        for (std::int64_t value : {id, 10 * sign, 100 + 10 * sign, 5 * sign, 500 + 5 * sign})
            writer.WriteI64(value);
    }
    writer.WriteZeros((kMaxTableUsers - 2) * kScoreEntrySize);
    return writer.Take();
}

// A table as the host opens it, with the settings and the user list already in.
class TBenchTable {
public:
    TBenchTable() {
        RegisterFormClass(TPluginInterface50::kFormClassName, [] { return std::make_unique<TBenchForm>(); });
        table_ = TPluginInterface50::Create();
        table_->SetRequestInterface(&host_);
        const std::int64_t me = kMe;
        table_->Initialize(880000900, "table", &me, "me", 0, 0, 0, 0);
        table_->Hub()->SetSoundOn(false);
        Post(Settings());
        Post(UserList());
    }
    ~TBenchTable() {
        table_->Release();
        UnregisterFormClass(TPluginInterface50::kFormClassName);
    }
    TBenchTable(const TBenchTable&) = delete;
    TBenchTable& operator=(const TBenchTable&) = delete;

    std::int64_t ChatLines() const { return static_cast<TBenchForm*>(table_->Form())->chat->lines; }
    TCustomPluginShare& Hub() const { return *table_->Hub(); }

    bool Post(const TFrame& frame) {
        return table_->PostCommand(std::int32_t(frame.size()), reinterpret_cast<const char*>(frame.data())) ==
               S_OK;
    }

private:
    THeadlessPlatform platform_;
    TApplication app_{platform_};
    TBenchHost host_;
    TPluginInterface50* table_{nullptr};
};

// Posts the frames over and over; a run whose frames did not show the lines they should (`lines` per
// pass) or did not update the records is reported as an error rather than as a fast figure.
void RunFrames(benchmark::State& state, const std::vector<TFrame>& frames, std::int64_t lines, bool scores) {
    TBenchTable table;
    const std::int64_t linesBefore = table.ChatLines();
    for (auto _ : state)
        for (const TFrame& frame : frames)
            if (!table.Post(frame)) state.SkipWithError("the table refused a frame");
    state.SetItemsProcessed(state.iterations() * std::int64_t(frames.size()));
    if (table.ChatLines() - linesBefore != lines * state.iterations())
        state.SkipWithError("the frames did not show the lines they should");
    if (scores) {
        const STRU_PLUGIN_USERINFO* banker = table.Hub().FindUser(kBanker);
        const std::int64_t score = banker ? banker->Score : 0;
        if (score != 90) state.SkipWithError("the score block did not update the banker's record");
    }
}

void BM_ChatLines(benchmark::State& state) {
    RunFrames(state,
              {TableFrame(kBanker, 67, "大家好，下注啦"), TableFrame(0, 65, "欢迎光临"),
               TableFrame(kBanker, 66, "[banker]:喊话")},
              3, false);
}
BENCHMARK(BM_ChatLines);

void BM_UserEnterAndLeave(benchmark::State& state) {
    RunFrames(state, {UserEnter(), UserLeave()}, 2, false); // a note for each
}
BENCHMARK(BM_UserEnterAndLeave);

void BM_ScoreBlocks(benchmark::State& state) {
    RunFrames(state, {ScoreBlock()}, 2, true); // the score and the bean notes
}
BENCHMARK(BM_ScoreBlocks);

// A round as a table sees it: mostly chat, a visitor coming and going, one score block.
void BM_RoundMix(benchmark::State& state) {
    std::vector<TFrame> frames;
    for (int i = 0; i < 6; ++i)
        frames.push_back(TableFrame(kBanker, 67, "大家好，下注啦"));
    frames.push_back(UserEnter());
    frames.push_back(TableFrame(0, 65, "欢迎光临"));
    frames.push_back(UserLeave());
    frames.push_back(ScoreBlock());
    RunFrames(state, frames, 6 + 1 + 1 + 1 + 2, true);
}
BENCHMARK(BM_RoundMix);

} // namespace
} // namespace morvane
