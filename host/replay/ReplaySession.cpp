#include "host/replay/ReplaySession.h"

#include "base/Gbk.h"
#include "base/Paths.h"
#include "gui/Form.h"
#include "host/replay/ReplayForm.h"
#include "plugin/PluginFormRegistry.h"
#include "plugin/PluginInterface50.h"

#include <charconv>

namespace morvane::replay {
namespace {

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
    RegisterFormClass(TPluginInterface50::kFormClassName,
                      [this]() -> std::unique_ptr<TForm> { return MakeReplayForm(transcript_, answers_); });
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
        platform_.Click(FormPoint(command), command.right ? TMouseButton::mbRight : TMouseButton::mbLeft,
                        command.shift);
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
