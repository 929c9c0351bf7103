#include "base/ByteReader.h"
#include "base/Gbk.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace morvane {
namespace {

// The sounds are files written beside the build's pictures (tests run in the build folder or one below).
std::filesystem::path SoundFolder() {
    const std::filesystem::path game = "Sound/{0001035D-3551-4ACD-8F99-65E0404FFF8D}";
    for (const char* root : {"assets/out", "../assets/out"}) {
        if (std::filesystem::is_directory(root / game)) return root / game;
    }
    return {};
}

struct Wave {
    std::uint16_t format{0};
    std::uint16_t channels{0};
    std::uint32_t rate{0};
    std::uint16_t bits{0};
    std::uint32_t dataBytes{0};
};

// Reads the RIFF header, the format chunk and the data chunk's length of a canonical PCM file.
bool ReadWave(const std::vector<std::uint8_t>& file, Wave& wave) {
    ByteReader reader(file);
    std::string riff, waveTag, fmt, data;
    std::uint32_t riffLength = 0, fmtLength = 0, byteRate = 0;
    std::uint16_t blockAlign = 0;
    return reader.ReadString(4, riff) && riff == "RIFF" && reader.ReadU32(riffLength) &&
           riffLength + 8 == file.size() && reader.ReadString(4, waveTag) && waveTag == "WAVE" &&
           reader.ReadString(4, fmt) && fmt == "fmt " && reader.ReadU32(fmtLength) && fmtLength == 16 &&
           reader.ReadU16(wave.format) && reader.ReadU16(wave.channels) && reader.ReadU32(wave.rate) &&
           reader.ReadU32(byteRate) && reader.ReadU16(blockAlign) && reader.ReadU16(wave.bits) &&
           reader.ReadString(4, data) && data == "data" && reader.ReadU32(wave.dataBytes) &&
           wave.dataBytes == reader.Remaining();
}

TEST(PictureResourcesSounds, EverySoundTheTablePlaysIsAPcmWaveUnderItsGbkName) {
    const std::filesystem::path folder = SoundFolder();
    ASSERT_FALSE(folder.empty()) << "no generated sound folder below the build folder";
    // These literals are GBK at run time, exactly the bytes the table builds its paths from.
    const std::vector<std::string> names = {"下注100.wav",      "下注500.wav",
                                            "下注1000.wav",     "下注5000.wav",
                                            "下注1w.wav",       "下注5W.wav",
                                            "下注10w.wav",      "下注50w.wav",
                                            "下注100w.wav",     "下注500w.wav",
                                            "下注背景.wav",     "发牌.wav",
                                            "开始.wav",         "结束.wav",
                                            "赢了.wav",         "输了.wav",
                                            "平局.wav",         "clock.wav",
                                            "Start.wav",        "GameOver.wav",
                                            "Ready.wav",        "Public_BeOn.wav",
                                            "Public_BeOff.wav", "Public_Error.wav",
                                            "Public_Exit.wav",  "Public_Information.wav"};
    for (const std::string& name : names) {
        SCOPED_TRACE(gbk::ToUtf8(name));
        std::ifstream in(folder / name, std::ios::binary);
        ASSERT_TRUE(in.good());
        const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), {}};
        Wave wave;
        ASSERT_TRUE(ReadWave(file, wave));
        EXPECT_EQ(wave.format, 1);
        EXPECT_EQ(wave.channels, 1);
        EXPECT_EQ(wave.bits, 16);
        EXPECT_GT(wave.rate, 8000u);
        // Short effects last a tenth of a second or more; the betting music is a loop of several seconds.
        const double seconds = wave.dataBytes / 2.0 / wave.rate;
        EXPECT_GE(seconds, 0.1);
        if (name == "下注背景.wav") {
            EXPECT_GT(seconds, 10.0);
        }
    }
}

} // namespace
} // namespace morvane
