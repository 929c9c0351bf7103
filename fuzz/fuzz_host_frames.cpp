// Arbitrary bytes as a run of host frames into a started table: the first byte of each chunk gives its
// length. The table sits on the test hall host with a text filter, so chat, broadcast, system lines, action
// templates and action sounds all run. Whatever the bytes, decoding stays inside them, every frame the
// table sends is whole, and the seat table never outgrows the table.
//
// The table is built once and reused: between inputs it is brought back to the state right after its
// start-up, which costs a handful of frames instead of a new form.
#include "base/Paths.h"
#include "gui/Application.h"
#include "gui/Form.h"
#include "host/HostFrames.h"
#include "host/TestHallHost.h"
#include "platform/headless/HeadlessPlatform.h"
#include "plugin/CustomPluginChat.h"
#include "plugin/CustomPluginClient.h"
#include "plugin/CustomPluginShare.h"
#include "plugin/CustomPluginUser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <span>
#include <unistd.h>

namespace {

using namespace morvane;

constexpr std::int64_t kMe = 1001;
constexpr std::int64_t kCookie = 0x5EED;
constexpr std::size_t kDepartedKept = 16;
constexpr std::uint8_t kTypedChat = 0xF0;
constexpr std::uint8_t kTypedBroadcast = 0xF1;

class TFuzzClient : public TCustomPluginClient {
public:
    using TCustomPluginClient::TCustomPluginClient;
    void GetFacePath(std::string& path) override { path.clear(); }
};

// Counts the lines instead of keeping them, so a long run does not grow.
class TFuzzChat : public TCustomPluginChat {
public:
    using TCustomPluginChat::TCustomPluginChat;
    void AddLine(const std::string& text, std::int64_t kind) override {
        shown += text.size() + std::size_t(kind & 1);
    }
    std::size_t shown{0};
};

// The host's filter: most lines pass, some are changed, some dropped, as a hall's word filter does.
std::optional<std::string> FilterLine(const std::string& line) {
    if (line.find("drop") != std::string::npos) return std::nullopt;
    if (line.size() > 3 && line[1] == '*') return line.substr(0, line.size() / 2);
    return line;
}

// The hub and its components on a form, started on the host: what one table of the hall is.
struct TStartedTable {
    TStartedTable(TTestHallHost& host, const std::filesystem::path& folder) {
        form = std::make_unique<TForm>(nullptr);
        hub = form->Own(std::make_unique<TCustomPluginShare>(form.get()));
        client = form->Own(std::make_unique<TFuzzClient>(form.get()));
        chat = form->Own(std::make_unique<TFuzzChat>(form.get()));
        user = form->Own(std::make_unique<TCustomPluginUser>(form.get()));
        user->SetUserFlag(0); // names shown, so the name paths run
        hub->SetPluginClient(client);
        hub->SetPluginChat(chat);
        hub->SetPluginUser(user);
        WriteOptions(folder / (hub->GameID() + ".ini"));
        hub->SetHostInterface(&host);
        hub->Initialize("百家乐", "甲", kCookie, 0, kMe, 0);
    }

    // Actions and their sounds, so chat lines with '&' expand and look their sound up. The sound player
    // itself is off: it only ever gets names from this file, never bytes of a frame, and its MCI log
    // would cost a third of each run.
    static void WriteOptions(const std::filesystem::path& file) {
        if (std::filesystem::exists(file)) return;
        std::ofstream ini(file, std::ios::binary);
        ini << "[Option]\r\nHaveSound=0\r\nNeedShout=1\r\n"
               "[Action]\r\n&hug=%1 hugs %2\r\n&wave=%2 waves at %1 %2\r\n"
               "[ActionSound]\r\n&x=x.wav\r\n&hug=hug.wav\r\n"
               "[Level]\r\nLevelCount=2\r\nLevel1Name=a\r\nLevel2Score=100\r\nLevel2Name=b\r\n";
    }

    std::unique_ptr<TForm> form;
    TCustomPluginShare* hub{nullptr};
    TFuzzClient* client{nullptr};
    TFuzzChat* chat{nullptr};
    TCustomPluginUser* user{nullptr};
};

class TFuzzHall {
public:
    TFuzzHall() {
        folder_ = std::filesystem::temp_directory_path() / ("fuzz-host-frames-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        platform_.SetLibraryFolder(paths::IncludeTrailingBackslash(paths::FromHost(folder_.string())));
        host_.SetTextFilter(FilterLine);
        Rebuild();
    }
    ~TFuzzHall() {
        table_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    void Run(std::span<const std::uint8_t> input) {
        while (!input.empty()) {
            const std::size_t length = std::min<std::size_t>(input[0], input.size() - 1);
            Chunk(input.subspan(1, length));
            input = input.subspan(1 + length);
        }
        Check();
        Reset();
    }

private:
    // A chunk is a host frame, or, behind one of two bytes no frame starts with, a line the player types
    // into the chat or broadcast box (the broadcast after the interval that lets it through).
    void Chunk(std::span<const std::uint8_t> chunk) {
        if (!chunk.empty() && (chunk[0] == kTypedChat || chunk[0] == kTypedBroadcast)) {
            const std::string line(reinterpret_cast<const char*>(chunk.data()) + 1, chunk.size() - 1);
            if (chunk[0] == kTypedChat) {
                table_->hub->SendChat(line);
            } else {
                platform_.AdvanceBy(5000);
                table_->hub->SendBroadcast(line);
            }
            return;
        }
        table_->hub->ProcessFrame(chunk);
    }

    void Check() {
        if (table_->client->Seats().size() > std::size_t(kMaxTableUsers)) std::abort();
        for (const TTestHallHost::TSentFrame& sent : host_.Sent())
            if (sent.bytes.empty() || sent.bytes.size() > frames::kSeatFrameSize) std::abort();
    }

    // Back to the state after start-up: everyone but me leaves, the round ends, the table settings are
    // those of a new table again, and the records of the host and the platform are emptied. What frames
    // cannot undo (I left and the table closed, my seat, state or attribute changed) gets a new table, as
    // does a long list of departed users (a few are kept from input to input, as a table keeps them).
    void Reset() {
        TCustomPluginShare* hub = table_->hub;
        std::vector<std::int64_t> present;
        for (const auto& user : hub->Users())
            if (const std::int64_t id = user->UserID; id != kMe) present.push_back(id);
        for (std::int64_t id : present)
            hub->DoUserLeave(id);
        hub->SetPlaying(false);
        if (SettingsChanged() || !table_->client->Seats().empty()) {
            table_->client->DoTableData(defaultSettings_, 0);
            hub->SetUserMenuOn(true);
        }
        const bool changed = hub->Finalized() || hub->Seated() || hub->MySeat() != 0 || hub->MyState() != 0 ||
                             hub->MyAttribute() != 0 || !hub->Users().empty() ||
                             hub->DepartedUsers().size() > kDepartedKept || SettingsChanged();
        if (changed) Rebuild();
        host_.ClearRecords();
        platform_.TakeEffects();
        table_->chat->shown = 0;
    }

    bool SettingsChanged() const {
        return std::memcmp(&table_->client->Settings(), &startSettings_, sizeof startSettings_) != 0;
    }

    void Rebuild() {
        table_.reset();
        table_ = std::make_unique<TStartedTable>(host_, folder_);
        startSettings_ = table_->client->Settings();
    }

    THeadlessPlatform platform_;
    TApplication app_{platform_};
    TTestHallHost host_;
    std::filesystem::path folder_;
    std::unique_ptr<TStartedTable> table_;
    TPluginTableSettings startSettings_{};
    const std::vector<std::uint8_t> defaultSettings_{hostframes::TableSettingsRecord({})};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TFuzzHall hall;
    hall.Run(std::span<const std::uint8_t>(data, size));
    return 0;
}
