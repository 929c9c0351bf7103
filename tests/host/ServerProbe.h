#pragma once

#include "game/GameNotices.h"
#include "game/TableScene.h"
#include "host/server/BaccaratServer.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace morvane::server::test {

// A table that only listens: it keeps every frame the server sends it and reads them back as records.
struct TServerProbe {
    std::vector<std::vector<std::uint8_t>> frames;

    TBaccaratServer::TSink Sink() {
        return [this](const std::vector<std::uint8_t>& frame) { frames.push_back(frame); };
    }
    void Clear() { frames.clear(); }

    // The payloads of the table frames with command `cmd`, in order.
    std::vector<std::vector<std::uint8_t>> Payloads(std::uint8_t cmd) const {
        std::vector<std::vector<std::uint8_t>> out;
        for (const auto& frame : frames)
            if (frame.size() >= 10 && frame[0] == 3 && frame[9] == cmd)
                out.emplace_back(frame.begin() + 10, frame.end());
        return out;
    }
    // Game notices (command 17) whose first byte is `id`.
    std::vector<std::vector<std::uint8_t>> Notices(std::uint8_t id) const {
        std::vector<std::vector<std::uint8_t>> out;
        for (auto& record : Payloads(17))
            if (!record.empty() && record[0] == id) out.push_back(record);
        return out;
    }
    std::vector<TTableScene> Scenes() const {
        std::vector<TTableScene> scenes;
        for (const auto& bytes : Payloads(18)) {
            TTableScene scene;
            ReadTableScene(bytes, scene);
            scenes.push_back(scene);
        }
        return scenes;
    }
    std::optional<TTableScene> LastScene() const {
        auto scenes = Scenes();
        if (scenes.empty()) return std::nullopt;
        return scenes.back();
    }
    std::vector<TBetNotice> Bets() const {
        std::vector<TBetNotice> bets;
        for (const auto& record : Notices(GameRecord::Bet))
            if (auto notice = TBetNotice::Read(record)) bets.push_back(*notice);
        return bets;
    }
    // Index in `frames` of the first frame of `kind` (and table command `cmd` for kind 3), or -1.
    int IndexOf(std::uint8_t kind, int cmd = -1, int recordId = -1) const {
        for (std::size_t i = 0; i < frames.size(); ++i) {
            const auto& frame = frames[i];
            if (frame.empty() || frame[0] != kind) continue;
            if (cmd >= 0 && (frame.size() < 10 || frame[9] != cmd)) continue;
            if (recordId >= 0 && (frame.size() < 11 || frame[10] != recordId)) continue;
            return int(i);
        }
        return -1;
    }
};

} // namespace morvane::server::test
