// Arbitrary bytes as a run of host frames into the real table, opened as a hall opens it: the object
// created through the registered form class, with its client, its hall panels and its sound on. The
// first two bytes of each chunk give its length (little-endian, cut to what is left), so a chunk can be
// any frame up to the largest layouts (a whole scene, a full user list). Frames go through the hall's
// hand-off, PostCommand. Whatever the bytes, decoding stays inside them, every frame the table sends is
// whole, and the seat table never outgrows the table.
//
// Opening the table (its pictures, its windows) costs seconds under the sanitizers, so one table takes a
// run of inputs, as a table in a hall takes frames for hours: between inputs the hall's own frames bring
// it back towards a quiet table (everyone else leaves, the round ends, the table's settings are a new
// table's). Every state an input meets is thus one real frames lead to. A table that closed, and every
// table after MORVANE_FUZZ_TABLE_INPUTS inputs (256 unless set; 1 gives every input a new table, for
// reproducing a fault that needs an earlier input), is replaced by a new one.
#include "base/FileVersionInfomation.h"
#include "base/Paths.h"
#include "form/FormPluginClient.h"
#include "form/TableClasses.h"
#include "game/TwoEightClient.h"
#include "gui/Application.h"
#include "gui/Form.h"
#include "host/HostFrames.h"
#include "host/TestHallHost.h"
#include "panels/PluginDialog50.h"
#include "platform/headless/HeadlessPlatform.h"
#include "plugin/PluginInterface50.h"
#include "plugin/PluginShare50.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using namespace morvane;

constexpr std::int64_t kMe = 1001;
constexpr std::uint8_t kTypedChat = 0xF0;
constexpr std::uint8_t kTypedBroadcast = 0xF1;
constexpr int kCancel = 2; // the modal result of a window closed without an answer

// The host's filter: most lines pass, some are changed, some dropped, as a hall's word filter does.
std::optional<std::string> FilterLine(const std::string& line) {
    if (line.find("drop") != std::string::npos) return std::nullopt;
    if (line.size() > 3 && line[1] == '*') return line.substr(0, line.size() / 2);
    return line;
}

// The option file is named after the game identity the library carries.
std::string GameIniName() {
    std::string id = LibraryVersion().Comments;
    if (id.size() == 38 && id.front() == '{' && id.back() == '}') id = id.substr(1, 36);
    for (char& c : id)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return "{" + id + "}.ini";
}

// Sound and shouting on, actions with their sounds (chat lines with '&' expand and look theirs up),
// levels with announcements: every option a frame can lead the table to.
void WriteOptions(const std::filesystem::path& file) {
    std::ofstream ini(file, std::ios::binary | std::ios::trunc);
    ini << "[Option]\r\nHaveSound=1\r\nNeedShout=1\r\nCanLook=1\r\n"
           "[Action]\r\n&hug=%1 hugs %2\r\n&wave=%2 waves at %1 %2\r\n"
           "[ActionSound]\r\n&x=x.wav\r\n&hug=hug.wav\r\n"
           "[Level]\r\nLevelCount=3\r\nLevel1Score=0\r\nLevel1Name=a\r\nLevel2Score=100\r\nLevel2Name=b\r\n"
           "Level2Speak=up\r\nLevel3Score=100000\r\nLevel3Name=c\r\n";
}

// Time moves only where the hall says: a modal window with nothing to do does not run the clock on (its
// timers would keep it busy for ever) but asks the player, who closes it.
class TFuzzPlatform : public THeadlessPlatform {
public:
    bool ProcessOneMessage(bool) override { return THeadlessPlatform::ProcessOneMessage(false); }
};

TForm* FindModalForm(const TComponent& component) {
    for (int i = 0; i < component.ComponentCount(); ++i) {
        TComponent* owned = component.Components(i);
        if (auto* form = dynamic_cast<TForm*>(owned); form && form->Modal() && form->ModalResult() == 0)
            return form;
        if (TForm* form = FindModalForm(*owned)) return form;
    }
    return nullptr;
}

class TFuzzHall {
public:
    TFuzzHall() {
        std::string pattern = (std::filesystem::temp_directory_path() / "fuzz-host-frames-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        folder_ = pattern;
        platform_.SetLibraryFolder(paths::IncludeTrailingBackslash(paths::FromHost(folder_.string())));
        host_.SetDirectory(paths::FromHost(folder_.string()));
        host_.SetTextFilter(FilterLine);
        app_.OnModalIdle = [this] { return CloseModal(); };
        RegisterTableClasses();
    }
    ~TFuzzHall() {
        Close();
        UnregisterTableClasses();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    void Run(std::span<const std::uint8_t> input) {
        if (!table_ || inputsOnTable_ >= inputsPerTable_) {
            Close();
            Open();
        }
        ++inputsOnTable_;
        while (input.size() >= 2 && table_) {
            const std::size_t length =
                std::min<std::size_t>(input[0] | std::size_t(input[1]) << 8, input.size() - 2);
            Chunk(input.subspan(2, length));
            input = input.subspan(2 + length);
        }
        platform_.RunUntilIdle();
        Check();
        Quieten();
    }

private:
    // The player closes the window that waits for an answer: a dialog of the table or its client, else
    // the skinned message dialog.
    bool CloseModal() {
        if (!form_) return false;
        TForm* modal = FindModalForm(*form_);
        if (!modal && form_->GameClient()) modal = FindModalForm(*form_->GameClient());
        if (modal) {
            modal->SetModalResult(kCancel);
            return true;
        }
        if (TPluginDialog50* dialog = form_->PluginDialog501(); dialog && dialog->ModalResult() == 0) {
            dialog->SetModalResult(kCancel);
            return true;
        }
        return false;
    }

    static int InputsPerTable() {
        const char* text = std::getenv("MORVANE_FUZZ_TABLE_INPUTS");
        const int inputs = text ? std::atoi(text) : 0;
        return inputs > 0 ? inputs : 256;
    }

    // What the hall sends when the others leave and the round ends, and a new table's settings.
    void Quieten() {
        if (!table_) return;
        std::vector<std::int64_t> others;
        for (const auto& user : form_->PluginShare501()->Users())
            if (const std::int64_t id = user->UserID; id != kMe) others.push_back(id); // a packed record
        for (std::int64_t id : others)
            Post(hostframes::UserLeave(id));
        if (table_) Post(hostframes::GameOver());
        if (table_) Post(hostframes::TableData(0, hostframes::TableSettingsRecord({})));
        platform_.RunUntilIdle();
        host_.ClearRecords();
        platform_.TakeEffects();
    }

    void Post(const std::vector<std::uint8_t>& frame) {
        if (table_)
            table_->PostCommand(std::int32_t(frame.size()), reinterpret_cast<const char*>(frame.data()));
    }

    void Open() {
        inputsOnTable_ = 0;
        WriteOptions(folder_ / GameIniName());
        table_ = TPluginInterface50::Create();
        form_ = dynamic_cast<TFormPluginClient*>(table_->Form());
        if (!form_) std::abort();
        // A table closed by a frame (my own leave) is released by the hall inside its close report.
        host_.OnPluginClosed = [this](std::int64_t) { Release(); };
        const std::int64_t me = kMe;
        if (table_->SetRequestInterface(&host_) != S_OK) std::abort();
        // A cookie of this process's own, so that the table's marker is no other process's.
        if (table_->Initialize(0x5EED0000 + ::getpid(), "百家乐", &me, "甲", 0, 0, 0, 0) != S_OK)
            std::abort();
        platform_.RunUntilIdle();
    }

    void Release() {
        form_ = nullptr;
        if (table_) std::exchange(table_, nullptr)->Release();
    }

public:
    void Close() {
        Release();
        platform_.RunUntilIdle();
    }

private:
    // A chunk is a host frame, or, behind one of two bytes no frame starts with, a line the player types
    // into the chat or broadcast box (the broadcast after the interval that lets it through).
    void Chunk(std::span<const std::uint8_t> chunk) {
        if (!chunk.empty() && (chunk[0] == kTypedChat || chunk[0] == kTypedBroadcast)) {
            const std::string line(reinterpret_cast<const char*>(chunk.data()) + 1, chunk.size() - 1);
            TPluginShare50* hub = form_->PluginShare501();
            if (chunk[0] == kTypedChat) {
                hub->SendChat(line);
            } else {
                platform_.AdvanceBy(5000);
                hub->SendBroadcast(line);
            }
            return;
        }
        table_->PostCommand(std::int32_t(chunk.size()), reinterpret_cast<const char*>(chunk.data()));
    }

    void Check() {
        if (form_ && form_->GameClient() && form_->GameClient()->Seats().size() > std::size_t(kMaxTableUsers))
            std::abort();
        for (const TTestHallHost::TSentFrame& sent : host_.Sent())
            if (sent.bytes.empty() || sent.bytes.size() > frames::kSeatFrameSize) std::abort();
        host_.ClearRecords();
        platform_.TakeEffects();
    }

    TFuzzPlatform platform_;
    TApplication app_{platform_};
    TTestHallHost host_;
    std::filesystem::path folder_;
    TPluginInterface50* table_{nullptr};
    TFormPluginClient* form_{nullptr};
    const int inputsPerTable_{InputsPerTable()};
    int inputsOnTable_{0};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TFuzzHall hall;
    hall.Run(std::span<const std::uint8_t>(data, size));
    // The table goes at exit before the toolkit's own singletons it created on its first run, which go in
    // the reverse order of their creation.
    static const bool closedAtExit = std::atexit([] { hall.Close(); }) == 0;
    (void)closedAtExit;
    return 0;
}
