// The hub's lines: text shown through the host's filter in the chat and the client; the server's lines,
// chat and broadcasts that arrive; and the chat and broadcasts the player sends.
#include "base/Gbk.h"
#include "gui/Application.h"
#include "gui/Form.h"
#include "plugin/CustomPluginAction.h"
#include "plugin/CustomPluginChat.h"
#include "plugin/CustomPluginShare.h"

#include <algorithm>
#include <vector>

namespace morvane {
namespace {

constexpr std::uint32_t kBroadcastInterval = 4000;
constexpr std::size_t kBroadcastMaxChars = 80;

std::vector<std::string> BlankSeparatedWords(const std::string& text) {
    std::vector<std::string> words;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && text[pos] == ' ')
            ++pos;
        std::size_t end = text.find(' ', pos);
        if (end == std::string::npos) end = text.size();
        if (end > pos) words.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return words;
}

// "%1" and "%2" replaced in one pass, so that a "%2" inside the first name stays as it is.
std::string FillTemplate(const std::string& pattern, const std::string& first, const std::string& second) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            out += pattern[i + 1] == '1' ? first : second;
            ++i;
        } else {
            out.push_back(pattern[i]);
        }
    }
    return out;
}

} // namespace

bool TCustomPluginShare::FilterThroughHost(std::string& text) {
    const std::int32_t capacity = std::int32_t(text.size() + 10);
    std::vector<char> buffer(std::size_t(capacity), '\0');
    char* out = buffer.data();
    std::int32_t outLen = capacity;
    CheckHost("FilterText",
              host_->FilterText(cookie_, text.data(), std::int32_t(text.size()), &out, &outLen));
    if (outLen <= 0 || !out) return false;
    // The host writes into our buffer; a length beyond it is held to it.
    if (out == buffer.data()) outLen = std::min(outLen, capacity);
    text.assign(out, std::size_t(outLen));
    return true;
}

void TCustomPluginShare::ShowText(const std::string& text, std::int64_t fromId) {
    if (!host_) return;
    std::string line = text;
    if (!FilterThroughHost(line)) return;
    if (std::size_t amp = line.find('&'); amp != std::string::npos) {
        if (iniFile_) {
            std::string sound = iniFile_->ReadString("ActionSound", line.substr(amp), "");
            if (!sound.empty()) PlaySound(sound);
        }
        line.erase(amp);
    }
    if (fromId > lines::kLastCategory && fromId != myId_) PlaySound("Public_Information.wav");
    if (client_) client_->DoSystemText(line, fromId);
    if (chat_) chat_->AddLine(line, fromId);
}

void TCustomPluginShare::ShowNote(bool flash, const std::string& text) {
    if (flash && ownerForm_ && ownerForm_->WindowCreated() && !ownerForm_->HasFocusWindow())
        Application().System().FlashWindow(ownerForm_->WindowId());
    if (!text.empty() && chat_) chat_->AddLine(text, lines::kNotice);
}

void TCustomPluginShare::DoTextLine(const std::string& text) {
    if (text.starts_with("@$")) {
        AddEvent(text);
        return;
    }
    if (client_) client_->DoChatLine(text);
    if (chat_) chat_->AddLine(text, lines::kPrompt);
}

void TCustomPluginShare::DoNumberedText(const std::string& text) {
    std::size_t at = text.find('@');
    if (at == std::string::npos) return;
    std::int64_t kind = 0;
    if (!TIniFile::ParseInt64(text.substr(0, at), kind) || kind == 0) return;
    std::string rest = text.substr(at + 1);
    if (client_) client_->DoChatLine(rest);
    if (chat_) chat_->AddLine(rest, kind);
}

void TCustomPluginShare::DoChatText(const std::string& text, std::int64_t fromId) {
    if (fromId == myId_ || IsIgnored(fromId)) return;
    ShowText(text, fromId);
}

void TCustomPluginShare::DoBroadcastText(const std::string& text, std::int64_t fromId) {
    if (!needShout_ && fromId != myId_) return;
    if (client_) client_->DoSystemText(text, lines::kBroadcast);
    if (chat_) chat_->AddLine(text, lines::kBroadcast);
}

std::string TCustomPluginShare::ExpandAction(const std::string& text, std::string* suffix) const {
    if (text.find('&') == std::string::npos) return text;
    const std::vector<std::string> words = BlankSeparatedWords(text);
    if (words.empty()) return text;
    // An option file without the key (none at all, or one written before the action existed) leaves
    // the action panel's own template in force: the line carries the text the panel shows.
    const std::string fallback = action_ ? action_->DefaultTemplate(words[0]) : std::string();
    const std::string pattern = iniFile_ ? iniFile_->ReadString("Action", words[0], fallback) : fallback;
    if (pattern.empty()) return text;
    std::string target = "大家";
    if (words.size() > 1) {
        std::string idText = words[1];
        if (std::size_t open = idText.find('<'); open != std::string::npos) {
            std::size_t close = idText.find('>', open + 1);
            idText =
                idText.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
        }
        std::int64_t id = 0;
        if (!TIniFile::ParseInt64(idText, id)) id = 0;
        target = DisplayName(id);
    }
    // A name that itself looks like a tag is not put into a template; the line then goes out as typed,
    // once (carrying the typed text behind it as well would send it twice).
    if (target.find('<') != std::string::npos) return text;
    if (suffix) *suffix = text;
    return "\x07" + FillTemplate(pattern, nickName_, target) + "(" + nickName_ + ")";
}

void TCustomPluginShare::SendChat(const std::string& text) {
    if (duplicate_) return;
    std::string suffix;
    std::string line = gbk::SafeCut(ExpandAction(text, &suffix), frames::kChatLimit);
    line += suffix;
    SendFrame(0, TableFrame(frames::cmdChat,
                            TBytes(reinterpret_cast<const std::uint8_t*>(line.data()), line.size())));
    if (OnChatText) OnChatText(this, myId_, line);
    ShowText(line, myId_);
}

int TCustomPluginShare::SendBroadcast(const std::string& text) {
    try {
        if (text.empty() || duplicate_) return 1;
        std::string line = ExpandAction(text, nullptr);
        if (line.find('\x07') != std::string::npos) line.erase(0, 1);
        line = gbk::SafeCut(line, frames::kChatLimit);
        if (line.find("http:") != std::string::npos || line.find("www.") != std::string::npos) {
            ShowText("无效广播信息,请重新输入!", lines::kPrompt);
            return 1;
        }
        if (line == lastBroadcast_) {
            ShowText("不可重复相同广播信息,请重新输入!", lines::kPrompt);
            return 1;
        }
        if (gbk::WideLength(line) > kBroadcastMaxChars) {
            ShowText("广播信息不能超过80个字符！", lines::kPrompt);
            return 1;
        }
        const std::uint32_t now = HasApplication() ? Application().System().TickCount() : 0;
        if (now - lastBroadcastTick_ <= kBroadcastInterval) {
            ShowText("不能频繁发送广播信息!", lines::kPrompt);
            return 1;
        }
        lastBroadcastTick_ = now;
        lastBroadcast_ = line;
        const std::string shout = "[" + nickName_ + "]:" + line;
        SendFrame(0, TableFrame(frames::cmdBroadcast,
                                TBytes(reinterpret_cast<const std::uint8_t*>(shout.data()), shout.size())));
        return 0;
    } catch (const std::exception&) {
        return 1;
    }
}

} // namespace morvane
