#include "host/tablesim/HallGameIni.h"

#include <fstream>
#include <system_error>

namespace morvane::tablesim {
namespace {

// GBK at run time, as every text of the system; the table reads the file byte for byte.
constexpr const char* kHallGameIni = "; The game's options, as the hall installs them beside the library.\r\n"
                                     "[Level]\r\n"
                                     "LevelRelateScore=0\r\n"
                                     "LevelCount=6\r\n"
                                     "Level1Score=0\r\n"
                                     "Level1Name=平民\r\n"
                                     "Level1Speak=\r\n"
                                     "Level2Score=1000000\r\n"
                                     "Level2Name=小康\r\n"
                                     "Level2Speak=\r\n"
                                     "Level3Score=5000000\r\n"
                                     "Level3Name=富户\r\n"
                                     "Level3Speak=大家快来下注!\r\n"
                                     "Level4Score=7000000\r\n"
                                     "Level4Name=富商\r\n"
                                     "Level4Speak=大家快来下注!\r\n"
                                     "Level5Score=10000000\r\n"
                                     "Level5Name=财主\r\n"
                                     "Level5Speak=财源滚滚!\r\n"
                                     "Level6Score=50000000\r\n"
                                     "Level6Name=富豪\r\n"
                                     "Level6Speak=财源滚滚，庄家坐镇!\r\n"
                                     "[Action]\r\n"
                                     "&laugh=%1对着%2哈哈大笑\r\n"
                                     "&hello=%1向%2挥手问好\r\n"
                                     "&thanks=%1对%2说：多谢捧场!\r\n"
                                     "[UserList]\r\n"
                                     "HaveScore=0\r\n"
                                     "NickNameWidth=60\r\n"
                                     "LevelWidth=40\r\n"
                                     "BeanWidth=74\r\n"
                                     "[URL]\r\n"
                                     "最左上角链接地址=http://www.morvane.cn/\r\n"
                                     "主页面链接地址=http://www.morvane.cn/\r\n"
                                     "充值链接地址=http://www.morvane.cn/pay/\r\n"
                                     "游戏反馈链接地址=http://www.morvane.cn/advice/\r\n";

} // namespace

std::string HallGameIniName() {
    return std::string(MORVANE_GAME_ID) + ".ini";
}

bool InstallHallGameIni(const std::filesystem::path& libraryFolder, std::string& error) {
    const std::filesystem::path file = libraryFolder / HallGameIniName();
    std::error_code ignored;
    if (std::filesystem::exists(file, ignored)) return true;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << kHallGameIni;
    out.close();
    if (!out) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}

} // namespace morvane::tablesim
