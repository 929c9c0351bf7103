#include "tests/wine/WineHall.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace morvane::wine {

std::string Hex(const Bytes& bytes) {
    std::string text;
    char pair[3];
    for (std::uint8_t b : bytes) {
        std::snprintf(pair, sizeof pair, "%02x", b);
        text += pair;
    }
    return text;
}

void PutI64(Bytes& out, std::int64_t value) {
    for (int i = 0; i < 8; ++i)
        out.push_back(std::uint8_t(std::uint64_t(value) >> (8 * i)));
}

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

// A Linux path handed in by CTest, as Wine sees it.
std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::wstring WideOfUtf8(const std::string& utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(std::size_t(std::max(length, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), length);
    return wide;
}

std::string GbkOfUtf8(const std::string& utf8) {
    const std::wstring wide = WideOfUtf8(utf8);
    const int length =
        WideCharToMultiByte(936, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string gbk(std::size_t(std::max(length, 0)), '\0');
    WideCharToMultiByte(936, 0, wide.data(), int(wide.size()), gbk.data(), length, nullptr, nullptr);
    return gbk;
}

std::wstring Wide936(const std::string& gbk) {
    const int length = MultiByteToWideChar(936, 0, gbk.data(), int(gbk.size()), nullptr, 0);
    std::wstring wide(std::size_t(std::max(length, 0)), L'\0');
    MultiByteToWideChar(936, 0, gbk.data(), int(gbk.size()), wide.data(), length);
    return wide;
}

bool ReadScript(const std::string& path, TScript& script) {
    std::ifstream input(path);
    std::string line;
    while (std::getline(input, line)) {
        std::istringstream words(line.substr(0, line.find('#')));
        std::string command;
        words >> command;
        if (command.empty()) continue;
        std::string argument;
        std::getline(words >> std::ws, argument);
        script.steps.push_back({command, argument});
        words.clear();
        words.str(argument);
        if (command == "init") {
            for (std::string field; words >> field;)
                if (const std::size_t equals = field.find('='); equals != std::string::npos)
                    script.init[field.substr(0, equals)] = GbkOfUtf8(field.substr(equals + 1));
        } else if (command == "frame") {
            std::string hex, part;
            while (words >> part)
                hex += part;
            if (hex.size() % 2 != 0) return false;
            Bytes frame;
            for (std::size_t i = 0; i < hex.size(); i += 2)
                frame.push_back(std::uint8_t(std::stoul(hex.substr(i, 2), nullptr, 16)));
            script.frames.push_back(std::move(frame));
        } else if (command == "wait") {
            DWORD ms = 0;
            words >> ms;
            script.waitMs += ms;
        }
    }
    return input.eof() && !script.frames.empty() && script.init.count("user") && script.init.count("cookie");
}

std::vector<std::string> TranscriptSends(const std::string& path) {
    std::vector<std::string> sends;
    std::ifstream input(path);
    std::string line;
    while (std::getline(input, line))
        if (line.rfind("send ", 0) == 0) sends.push_back(line.substr(line.rfind(' ') + 1));
    return sends;
}

morvane::IQXOpenInterface* NewTable(TGetClassObject getClassObject) {
    ::CLSID classId{};
    CLSIDFromString(Wide(MORVANE_CLASS_ID).c_str(), &classId);
    IClassFactory* factory = nullptr;
    morvane::IQXOpenInterface* table = nullptr;
    if (getClassObject(classId, IID_IClassFactory, reinterpret_cast<void**>(&factory)) == S_OK && factory) {
        factory->CreateInstance(nullptr, reinterpret_cast<const ::IID&>(morvane::IID_IQXOpenInterface),
                                reinterpret_cast<void**>(&table));
        factory->Release();
    }
    return table;
}

} // namespace morvane::wine
