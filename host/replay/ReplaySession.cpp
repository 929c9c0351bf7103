#include "host/replay/ReplaySession.h"

#include "base/Gbk.h"
#include "base/Paths.h"
#include "gui/Form.h"
#include "gui/Messages.h"
#include "plugin/CustomPluginChat.h"
#include "plugin/CustomPluginClient.h"
#include "plugin/CustomPluginDialog.h"
#include "plugin/CustomPluginUser.h"
#include "plugin/PluginFormRegistry.h"
#include "plugin/PluginInterface50.h"
#include "plugin/PluginShare50.h"

#include <charconv>

namespace morvane::replay {
namespace {

// The hub with every sound that passes the switches written to the transcript.
class TReplayHub : public TPluginShare50 {
public:
    TReplayHub(TComponent* owner, TReplayTranscript& transcript)
        : TPluginShare50(owner), transcript_(transcript) {}
    void PlaySound(const std::string& fileName) override {
        if (HaveSound() && SoundOn()) transcript_.Add("sound " + EscapeText(gbk::ToUtf8(fileName)));
        TPluginShare50::PlaySound(fileName);
    }

private:
    TReplayTranscript& transcript_;
};

class TReplayChat : public TCustomPluginChat {
public:
    TReplayChat(TComponent* owner, TReplayTranscript& transcript)
        : TCustomPluginChat(owner), transcript_(transcript) {}
    void AddLine(const std::string& text, std::int64_t kind) override {
        transcript_.Add("line kind=" + std::to_string(kind) + " " + EscapeText(gbk::ToUtf8(text)));
    }

private:
    TReplayTranscript& transcript_;
};

// A client with the base behaviour only: it keeps the table settings and seats the hub asks about.
class TReplayClient : public TCustomPluginClient {
public:
    using TCustomPluginClient::TCustomPluginClient;
    void GetFacePath(std::string& path) override { path.clear(); }
};

// A dialog answered from the script instead of a modal loop; its start is written to the transcript.
class TReplayDialog : public TCustomPluginDialog {
public:
    TReplayDialog(TComponent* owner, TReplayTranscript& transcript, std::deque<int>& answers)
        : TCustomPluginDialog(owner), transcript_(transcript), answers_(answers) {}
    int Execute() override {
        std::string line = Caption() + " | " + Message() + " | " + OkCaption();
        if (Buttons() != 0) line += " / " + CancelCaption();
        transcript_.Add("dialog " + EscapeText(gbk::ToUtf8(line)));
        if (answers_.empty()) return mrAccepted;
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

private:
    TReplayTranscript& transcript_;
    std::deque<int>& answers_;
};

// The plain table form the replay registers until the table's main form exists: a hub with a user
// panel, a chat, a client and a dialog, and the hub's frames handed over in the form's thread.
class TReplayForm : public TForm {
public:
    TReplayForm(TReplayTranscript& transcript, std::deque<int>& answers) : TForm(nullptr) {
        SetBounds(0, 0, 400, 300);
        hub_ = Own(std::make_unique<TReplayHub>(this, transcript));
        auto* user = Own(std::make_unique<TCustomPluginUser>(this));
        auto* chat = Own(std::make_unique<TReplayChat>(this, transcript));
        auto* client = Own(std::make_unique<TReplayClient>(this));
        auto* dialog = Own(std::make_unique<TReplayDialog>(this, transcript, answers));
        for (TControl* control : std::initializer_list<TControl*>{user, chat, client, dialog})
            control->SetParent(this);
        hub_->SetPluginUser(user);
        hub_->SetPluginChat(chat);
        hub_->SetPluginClient(client);
        hub_->SetPluginDialog(dialog);
    }

protected:
    void WndProc(TMessage& message) override {
        if (message.Msg == WM_PLUGIN_COMMAND) {
            hub_->ProcessCommand();
            return;
        }
        TForm::WndProc(message);
    }

private:
    TReplayHub* hub_{nullptr};
};

std::int64_t FieldNumber(const TReplayCommand& command, const std::string& key) {
    std::int64_t value = 0;
    const std::string& text = command.fields.at(key);
    std::from_chars(text.data(), text.data() + text.size(), value); // checked when the script was read
    return value;
}

std::string FieldText(const TReplayCommand& command, const std::string& key) {
    const auto found = command.fields.find(key);
    return found == command.fields.end() ? std::string() : found->second;
}

} // namespace

int TReplayPlatform::MessageBox(const std::string& caption, const std::string& text, std::uint32_t buttons) {
    if (!answers_.empty()) {
        QueueMessageBoxAnswer(answers_.front());
        answers_.pop_front();
    }
    return THeadlessPlatform::MessageBox(caption, text, buttons);
}

void TReplaySession::TReleaseTable::operator()(TPluginInterface50* table) const {
    table->Release();
}

TReplaySession::TReplaySession(std::ostream& out, const std::string& libraryFolder)
    : transcript_(out, platform_) {
    platform_.SetLibraryFolder(paths::IncludeTrailingBackslash(paths::FromHost(libraryFolder)));
    host_.OnClosed = [this] { transcript_.Add("closed"); };
    host_.Inner().OnSendData = [this](const TTestHallHost::TSentFrame& frame) {
        transcript_.Add("send to=" + std::to_string(frame.toId) +
                        " len=" + std::to_string(frame.bytes.size()) + " " + LowerHex(frame.bytes));
    };
    RegisterFormClass(TPluginInterface50::kFormClassName, [this]() -> std::unique_ptr<TForm> {
        return std::make_unique<TReplayForm>(transcript_, answers_);
    });
}

TReplaySession::~TReplaySession() {
    // The table and its form go while the application they run on is still there.
    table_.reset();
    UnregisterFormClass(TPluginInterface50::kFormClassName);
}

void TReplaySession::Run(const std::vector<TReplayCommand>& commands) {
    for (const TReplayCommand& command : commands) {
        Execute(command);
        platform_.RunUntilIdle();
        transcript_.TakePlatformEffects();
    }
}

void TReplaySession::Execute(const TReplayCommand& command) {
    const std::string& name = command.name;
    if (name == "init") {
        Init(command);
    } else if (name == "frame") {
        Check(command, Table(command).PostCommand(std::int32_t(command.bytes.size()),
                                                  reinterpret_cast<const char*>(command.bytes.data())));
    } else if (name == "text") {
        Check(command, Table(command).ShowSystemText(std::int32_t(command.bytes.size()),
                                                     reinterpret_cast<const char*>(command.bytes.data())));
    } else if (name == "wait") {
        platform_.AdvanceBy(std::uint32_t(command.number));
    } else if (name == "click") {
        platform_.Click(FormPoint(command), command.right ? TMouseButton::mbRight : TMouseButton::mbLeft);
    } else if (name == "move") {
        platform_.MouseMove(FormPoint(command));
    } else if (name == "key") {
        // Alt+F4 is the window manager's close request, which reaches the form as a close.
        constexpr TKey kF4 = VK_F1 + 3;
        if (command.key == kF4 && command.shift == ssAlt) {
            if (TForm* form = Table(command).Form()) form->Close();
        } else {
            platform_.PressKey(command.key, command.shift);
        }
    } else if (name == "type") {
        platform_.Type(command.text);
    } else if (name == "answer") {
        answers_.push_back(int(command.number));
    } else if (name == "shot") {
        TForm* form = Table(command).Form();
        platform_.RunUntilIdle();
        if (!form || !platform_.WriteScreenshot(form->WindowId(), command.text))
            throw TReplayRunError(command.line, "cannot write the screenshot " + command.text);
    } else if (name == "finalize") {
        Check(command, Table(command).Finalize());
    }
}

void TReplaySession::Init(const TReplayCommand& command) {
    if (table_) throw TReplayScriptError(command.line, "the table is already initialised");
    table_.reset(TPluginInterface50::Create());
    Check(command, table_->SetRequestInterface(&host_));
    const std::int64_t userId = FieldNumber(command, "user");
    Check(command, table_->Initialize(FieldNumber(command, "cookie"), FieldText(command, "title").c_str(),
                                      &userId, FieldText(command, "nick").c_str(), 0, 0, 0, 0));
}

TPluginInterface50& TReplaySession::Table(const TReplayCommand& command) {
    if (!table_) throw TReplayScriptError(command.line, command.name + " before init");
    return *table_;
}

TPoint TReplaySession::FormPoint(const TReplayCommand& command) {
    TForm* form = Table(command).Form();
    if (!form) throw TReplayRunError(command.line, "the table has no form");
    return form->ClientToScreen(TPoint{command.x, command.y});
}

void TReplaySession::Check(const TReplayCommand& command, long result) {
    if (result < 0)
        refusals_.push_back("line " + std::to_string(command.line) + ": the table answered " + command.name +
                            " with a failure");
}

} // namespace morvane::replay
