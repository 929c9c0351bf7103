#include "host/replay/ReplaySession.h"

#include "base/Gbk.h"
#include "base/Paths.h"
#include "form/FormPluginClient.h"
#include "form/TableClasses.h"
#include "game/TwoEightClient.h"
#include "gui/Button.h"
#include "gui/Edit.h"
#include "gui/Form.h"
#include "gui/Label.h"
#include "host/replay/ReplayObservers.h"
#include "plugin/PluginInterface50.h"

#include <algorithm>
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

// The first form under `component` in its ownership tree that `wanted` accepts.
template <typename TWanted>
TForm* FindOwnedForm(const TComponent& component, const TWanted& wanted) {
    for (int i = 0; i < component.ComponentCount(); ++i) {
        TComponent* owned = component.Components(i);
        if (auto* form = dynamic_cast<TForm*>(owned); form && wanted(*form)) return form;
        if (TForm* form = FindOwnedForm(*owned, wanted)) return form;
    }
    return nullptr;
}

TForm* FindModalForm(const TComponent& component) {
    return FindOwnedForm(component, [](const TForm& form) { return form.Modal(); });
}

// The visible controls of a window in reading order: by rows (a caption and its field share one), then
// from left to right.
void CollectVisible(const TWinControl& parent, TPoint origin,
                    std::vector<std::pair<TPoint, TControl*>>& found) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* control = parent.Controls(i);
        if (!control->Visible()) continue;
        const TPoint at{origin.x + control->Left(), origin.y + control->Top()};
        found.push_back({{at.x, at.y + control->Height() / 2}, control});
        if (auto* inner = dynamic_cast<TWinControl*>(control)) CollectVisible(*inner, at, found);
    }
}

// Controls whose middles lie in the same band of this many pixels share a row.
constexpr int kRowTolerance = 6;

std::vector<TControl*> ReadingOrder(const TForm& form) {
    std::vector<std::pair<TPoint, TControl*>> found;
    CollectVisible(form, {0, 0}, found);
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        if (a.first.y / kRowTolerance != b.first.y / kRowTolerance) return a.first.y < b.first.y;
        return a.first.x < b.first.x;
    });
    std::vector<TControl*> controls;
    for (const auto& entry : found)
        controls.push_back(entry.second);
    return controls;
}

std::vector<TButton*> Buttons(const TForm& form) {
    std::vector<TButton*> buttons;
    for (TControl* control : ReadingOrder(form))
        if (auto* button = dynamic_cast<TButton*>(control)) buttons.push_back(button);
    return buttons;
}

// A modal window as the dialog line shows it: its caption, what its captions and fields read, and its
// buttons in the order `answer` counts them.
std::string DialogLine(const TForm& form) {
    std::string message;
    for (TControl* control : ReadingOrder(form)) {
        std::string text;
        if (auto* label = dynamic_cast<TLabel*>(control)) text = label->Caption();
        if (auto* edit = dynamic_cast<TEdit*>(control)) text = edit->Text();
        if (text.empty()) continue;
        if (!message.empty()) message += ' ';
        message += text;
    }
    std::string buttons;
    for (TButton* button : Buttons(form))
        buttons += (buttons.empty() ? "" : " / ") + button->Caption();
    return form.Caption() + " | " + message + " | " + buttons;
}

} // namespace

int TReplayPlatform::MessageBox(TWindowId owner, const std::string& caption, const std::string& text,
                                std::uint32_t buttons) {
    if (!answers_.empty()) {
        QueueMessageBoxAnswer(answers_.front());
        answers_.pop_front();
    }
    return THeadlessPlatform::MessageBox(owner, caption, text, buttons);
}

void TReplaySession::TReleaseTable::operator()(TPluginInterface50* table) const {
    table->Release();
}

TReplaySession::TReplaySession(std::ostream& out, const std::string& libraryFolder)
    : transcript_(out, platform_) {
    platform_.SetLibraryFolder(paths::IncludeTrailingBackslash(paths::FromHost(libraryFolder)));
    // The hall's own folder, where the table writes its screenshots, is the same folder: one that exists.
    host_.Inner().SetDirectory(paths::FromHost(libraryFolder));
    host_.OnClosed = [this] {
        transcript_.Add("closed");
        if (closeAnswer_ == TCloseAnswer::kRelease) ReleaseTable();
        if (closeAnswer_ == TCloseAnswer::kPostRelease) platform_.Post([this] { ReleaseTable(); });
    };
    host_.Inner().OnSendData = [this](const TTestHallHost::TSentFrame& frame) {
        transcript_.Add("send to=" + std::to_string(frame.toId) +
                        " len=" + std::to_string(frame.bytes.size()) + " " + LowerHex(frame.bytes));
    };
    app_.OnModalIdle = [this] { return ModalIdle(); };
    RegisterTableClasses();
}

TReplaySession::~TReplaySession() {
    // The table and its form go while the application they run on is still there.
    table_.reset();
    UnregisterTableClasses();
}

void TReplaySession::Run(const std::vector<TReplayCommand>& commands) {
    commands_ = &commands;
    next_ = 0;
    try {
        while (next_ < commands.size()) {
            Execute(commands[next_++]);
            platform_.RunUntilIdle();
            transcript_.TakePlatformEffects();
        }
    } catch (...) {
        commands_ = nullptr;
        throw;
    }
    commands_ = nullptr;
    // The host releases the table after the script, as it does when the table has closed; what the table
    // does on its way out (it stops its music) belongs to the transcript.
    table_.reset();
    platform_.RunUntilIdle();
    transcript_.TakePlatformEffects();
}

TForm* TReplaySession::ModalForm() const {
    for (const TComponent* root : TableRoots())
        if (TForm* modal = FindModalForm(*root)) return modal;
    return nullptr;
}

std::vector<const TComponent*> TReplaySession::TableRoots() const {
    std::vector<const TComponent*> roots;
    TForm* form = table_ ? table_->Form() : nullptr;
    if (!form) return roots;
    roots.push_back(form);
    // The table client has no owner: the form keeps it apart, and the windows it opens hang from it.
    if (auto* main = dynamic_cast<TFormPluginClient*>(form); main && main->GameClient())
        roots.push_back(main->GameClient());
    return roots;
}

bool TReplaySession::ModalIdle() {
    TForm* modal = ModalForm();
    if (modal && modal != announcedModal_) {
        announcedModal_ = modal;
        transcript_.TakePlatformEffects();
        transcript_.Add("dialog " + EscapeText(gbk::ToUtf8(DialogLine(*modal))));
        return true;
    }
    if (modal && !answers_.empty()) {
        const std::vector<TButton*> buttons = Buttons(*modal);
        const int answer = answers_.front();
        answers_.pop_front();
        if (answer < 1 || std::size_t(answer) > buttons.size())
            throw TReplayRunError(LastLine(), "answer " + std::to_string(answer) + " names no button of " +
                                                  gbk::ToUtf8(modal->Caption()));
        // The button is pressed as the keyboard presses it, so the focus stays where the player left it.
        buttons[std::size_t(answer) - 1]->Click();
    } else {
        if (!commands_ || next_ >= commands_->size())
            throw TReplayRunError(LastLine(),
                                  "the script ends while a window of the table waits for an answer");
        Execute((*commands_)[next_++]);
    }
    transcript_.TakePlatformEffects();
    // A window answered or closed by the command (Enter, Escape) is announced again when it opens again.
    if (modal && modal->ModalResult() != 0) announcedModal_ = nullptr;
    return true;
}

int TReplaySession::LastLine() const {
    return commands_ && next_ > 0 ? (*commands_)[next_ - 1].line : 0;
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
            // As the platform delivers it: a handler of the table, which the hall may release inside.
            if (TForm* form = Table(command).Form()) {
                TApplication::THandlerScope handler(app_);
                form->Close();
            }
        } else {
            platform_.PressKey(command.key, command.shift);
        }
    } else if (name == "type") {
        platform_.Type(command.text);
    } else if (name == "answer") {
        answers_.push_back(int(command.number));
    } else if (name == "shot") {
        Shot(command);
    } else if (name == "finalize") {
        Check(command, Table(command).Finalize());
    } else if (name == "release") {
        Table(command);
        ReleaseTable();
    } else if (name == "hall") {
        Hall(command);
    }
}

void TReplaySession::Hall(const TReplayCommand& command) {
    if (command.text == "release-on-close")
        closeAnswer_ = TCloseAnswer::kRelease;
    else if (command.text == "release-posted")
        closeAnswer_ = TCloseAnswer::kPostRelease;
    else
        host_.Inner().FailCall(command.words[1], int(command.number));
}

void TReplaySession::ReleaseTable() {
    if (!table_) return;
    released_ = true;
    announcedModal_ = nullptr;
    table_.reset();
}

void TReplaySession::Shot(const TReplayCommand& command) {
    // A window the table opened over itself (a modal dialog first, else one that shows, such as the
    // statistics window) is the one in front, and the one pictured.
    TForm* form = ModalForm();
    for (const TComponent* root : TableRoots())
        if (!form) form = FindOwnedForm(*root, [](const TForm& owned) { return owned.Showing(); });
    if (!form) form = Table(command).Form();
    platform_.RunUntilIdle();
    if (!form || !platform_.WriteScreenshot(form->WindowId(), command.text))
        throw TReplayRunError(command.line, "cannot write the screenshot " + command.text);
}

void TReplaySession::Init(const TReplayCommand& command) {
    if (table_ || released_) throw TReplayScriptError(command.line, "the table is already initialised");
    table_.reset(TPluginInterface50::Create());
    if (auto* form = dynamic_cast<TFormPluginClient*>(table_->Form()))
        ObserveTable(*form, transcript_, answers_);
    Check(command, table_->SetRequestInterface(&host_));
    const std::int64_t userId = FieldNumber(command, "user");
    Check(command, table_->Initialize(FieldNumber(command, "cookie"), FieldText(command, "title").c_str(),
                                      &userId, FieldText(command, "nick").c_str(), 0, 0, 0, 0));
}

TPluginInterface50& TReplaySession::Table(const TReplayCommand& command) {
    if (released_) throw TReplayScriptError(command.line, command.name + " after the table was released");
    if (!table_) throw TReplayScriptError(command.line, command.name + " before init");
    return *table_;
}

TPoint TReplaySession::FormPoint(const TReplayCommand& command) {
    TForm* form = Table(command).Form();
    if (!form) throw TReplayRunError(command.line, "the table has no form");
    // The screen pixel showing it, also when an option file beside the script asks for a larger window.
    return platform_.ScreenPixelOf(form->ClientToScreen(TPoint{command.x, command.y}));
}

void TReplaySession::Check(const TReplayCommand& command, long result) {
    if (result < 0)
        refusals_.push_back("line " + std::to_string(command.line) + ": the table answered " + command.name +
                            " with a failure");
}

} // namespace morvane::replay
