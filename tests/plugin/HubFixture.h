#pragma once

#include "gui/Form.h"
#include "host/HostFrames.h"
#include "host/TestHallHost.h"
#include "plugin/CustomPluginChat.h"
#include "plugin/CustomPluginClient.h"
#include "plugin/CustomPluginDialog.h"
#include "plugin/CustomPluginScore.h"
#include "plugin/CustomPluginUser.h"
#include "plugin/PluginCommandForm.h"
#include "plugin/PluginShare50.h"
#include "support/TempDir.h"
#include "support/headless/HeadlessApp.h"

#include <deque>
#include <string>
#include <vector>

namespace morvane::test {

// Until the table's main form exists, this plain form carries the hub and hands it the frames.
class THubTestForm : public TPluginCommandForm {
public:
    explicit THubTestForm(TComponent* owner) : TPluginCommandForm(owner) { SetBounds(0, 0, 400, 300); }
};

using TCallLog = std::vector<std::string>;

// A unique cookie per test and process, so that the table markers of parallel runs never meet.
std::int64_t UniqueCookie();

class TRecordingClient : public TCustomPluginClient {
public:
    TRecordingClient(TComponent* owner, TCallLog& log) : TCustomPluginClient(owner), log_(log) {}
    void GetFacePath(std::string& path) override { path.clear(); }
    void DoSeatData(int seat, TBytes data, std::int64_t id) override;
    void DoTableData(TBytes data, std::int64_t fromId) override;
    void DoUserReady(int seat) override { Log("client.DoUserReady " + std::to_string(seat)); }
    void DoGameStart() override { Log("client.DoGameStart"); }
    void DoGameOver() override { Log("client.DoGameOver"); }
    void DoSystemText(const std::string& text, std::int64_t fromId) override;
    void DoCofferReply(TBytes reply, const std::string& text) override;
    void DoChatLine(const std::string& text) override { Log("client.DoChatLine " + text); }
    void DoNoticeText(const std::string& text) override { Log("client.DoNoticeText " + text); }
    void DoRawNotice(TBytes frame) override { Log("client.DoRawNotice " + std::to_string(frame.size())); }
    void DoUserList(int count, const TPluginUserSlots& users) override;
    void DoUserEnter(const STRU_PLUGIN_USERINFO& user) override;
    void DoUserLeave(std::int64_t id) override { Log("client.DoUserLeave " + std::to_string(id)); }
    void DoUserSeat(std::uint8_t seat, bool seated, std::uint8_t changed, std::int64_t id) override;
    void DoScoreBlock(std::uint8_t flag, int count, const TPluginScoreBlock& block) override;
    void DoUserValue(int value, std::int64_t id) override;
    void DoGameData(TBytes data) override { Log("client.DoGameData " + std::to_string(data.size())); }
    void DoPlayerSeated(const std::string& nick, int ext, std::uint8_t seat, std::int64_t id) override;
    void DoPlayerUnseated(std::uint8_t seat, std::int64_t id) override;
    void DoInitialize() override;
    void DoFinalize() override { Log("client.DoFinalize"); }
    void DoOptionsLoaded() override { Log("client.DoOptionsLoaded"); }
    void DoOptionsSaved() override { Log("client.DoOptionsSaved"); }
    bool ShowScoreNotes() override { return showScoreNotes; }

    bool showScoreNotes{true};
    bool passTableData{true}; // false: the base's own handling of records 254/255 is skipped
    TPluginUserSlots lastUsers{};
    int lastUserCount{-1};

private:
    void Log(const std::string& line) { log_.push_back(line); }
    TCallLog& log_;
};

class TRecordingUser : public TCustomPluginUser {
public:
    TRecordingUser(TComponent* owner, TCallLog& log) : TCustomPluginUser(owner), log_(log) {}
    void DoUserList(int count, const TPluginUserSlots&) override {
        log_.push_back("user.DoUserList " + std::to_string(count));
    }
    void DoUserLeave(std::int64_t id) override { log_.push_back("user.DoUserLeave " + std::to_string(id)); }
    void DoTableSettings(std::uint8_t value) override {
        log_.push_back("user.DoTableSettings " + std::to_string(value));
    }
    void DoInitialize() override { log_.push_back("user.DoInitialize"); }
    void DoFinalize() override { log_.push_back("user.DoFinalize"); }
    void DoOptionsLoaded() override { log_.push_back("user.DoOptionsLoaded"); }
    void DoOptionsSaved() override { log_.push_back("user.DoOptionsSaved"); }

private:
    TCallLog& log_;
};

class TRecordingChat : public TCustomPluginChat {
public:
    TRecordingChat(TComponent* owner, TCallLog& log) : TCustomPluginChat(owner), log_(log) {}
    void AddLine(const std::string& text, std::int64_t kind) override {
        lines.push_back("kind=" + std::to_string(kind) + " " + text);
    }
    void DoInitialize() override { log_.push_back("chat.DoInitialize"); }
    void DoFinalize() override { log_.push_back("chat.DoFinalize"); }
    void DoOptionsLoaded() override { log_.push_back("chat.DoOptionsLoaded"); }
    void DoOptionsSaved() override { log_.push_back("chat.DoOptionsSaved"); }
    std::vector<std::string> lines;

private:
    TCallLog& log_;
};

class TRecordingScore : public TCustomPluginScore {
public:
    TRecordingScore(TComponent* owner, TCallLog& log) : TCustomPluginScore(owner), log_(log) {}
    void DoScoreBlock(std::uint8_t flag, int count, const TPluginScoreBlock&) override {
        log_.push_back("score.DoScoreBlock " + std::to_string(flag) + " " + std::to_string(count));
    }
    void DoInitialize() override { log_.push_back("score.DoInitialize"); }
    void DoFinalize() override { log_.push_back("score.DoFinalize"); }

private:
    TCallLog& log_;
};

// A dialog whose answers are scripted; it records every run as "caption | message | ok / cancel".
class TScriptedDialog : public TCustomPluginDialog {
public:
    TScriptedDialog(TComponent* owner, TCallLog& log) : TCustomPluginDialog(owner), log_(log) {}
    int Execute() override {
        std::string line = "dialog " + Caption() + " | " + Message() + " | " + OkCaption();
        if (Buttons() != 0) line += " / " + CancelCaption();
        line += " life=" + std::to_string(LifeCount());
        log_.push_back(line);
        if (answers.empty()) return mrAccepted;
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void DoInitialize() override { log_.push_back("dialog.DoInitialize"); }
    void DoFinalize() override { log_.push_back("dialog.DoFinalize"); }
    std::deque<int> answers;

private:
    TCallLog& log_;
};

// A hub on a form with recording components, the test hall host and a library folder of its own.
class HubTest : public HeadlessTest {
protected:
    static constexpr std::int64_t kMe = 1001;

    HubTest();
    ~HubTest() override;

    // SetHostInterface + Initialize, as the host does; the call log and the sent frames are cleared
    // unless `keepRecords`.
    void Start(bool keepRecords = false);
    void Post(const std::vector<std::uint8_t>& frame);
    std::vector<std::vector<std::uint8_t>> SentBytes() const;
    // Sound files played so far (from the MCI log), in order; the log is consumed.
    std::vector<std::string> TakeSounds();
    static std::int64_t FreshCookie() { return UniqueCookie(); }
    void WriteIni(const std::string& content);
    // The table settings with the given names and switches, applied through a table-data frame.
    void ApplySettings(const hostframes::TSettingsRecord& record);

    TempDir dir;
    TTestHallHost host;
    TCallLog log;
    THubTestForm* form{nullptr};
    TPluginShare50* hub{nullptr};
    TRecordingClient* client{nullptr};
    TRecordingUser* user{nullptr};
    TRecordingChat* chat{nullptr};
    TRecordingScore* score{nullptr};
    TScriptedDialog* dialog{nullptr};
    std::int64_t cookie{FreshCookie()};
    std::unique_ptr<THubTestForm> formOwner;
};

std::vector<std::uint8_t> TableOut(std::int64_t id, std::uint8_t cmd, std::vector<std::uint8_t> payload = {});
std::string Hex(const std::vector<std::uint8_t>& bytes);

} // namespace morvane::test
