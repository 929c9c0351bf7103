#include "form/FormPluginClient.h"

#include "base/IniFile.h"
#include "base/Paths.h"
#include "form/TableClasses.h"
#include "game/TwoEightClient.h"
#include "gui/BitmapPicture.h"
#include "gui/CheckBox.h"
#include "gui/CustomPanel.h"
#include "gui/Image.h"
#include "gui/ImageList.h"
#include "gui/Label.h"
#include "gui/PngImage.h"
#include "gui/RichView.h"
#include "host/HostFrames.h"
#include "host/TestHallHost.h"
#include "host/tablesim/SimOptions.h"
#include "host/tablesim/TableSimulator.h"
#include "panels/CardKVTListView.h"
#include "panels/PluginAction50.h"
#include "panels/PluginChat50.h"
#include "panels/PluginComboBox.h"
#include "panels/PluginDialog50.h"
#include "panels/PluginOption50.h"
#include "panels/PluginUser50.h"
#include "panels/TranForm.h"
#include "plugin/PluginInterface50.h"
#include "plugin/PluginShare50.h"
#include "support/TempDir.h"
#include "support/TwoEightClientTestApi.h"
#include "support/headless/GoldenPicture.h"
#include "support/headless/HeadlessApp.h"
#include "ui/PluginPictureButton.h"

#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <jpeglib.h>
#include <sstream>
#include <unistd.h>
#include <utility>

namespace morvane::test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::int64_t kMe = 1001;
constexpr std::int64_t kOther = 20002;

// Table markers are shared by every table of the process: each takes a cookie of its own.
std::int64_t NextCookie() {
    static int counter = 0;
    return 770000000 + std::int64_t(::getpid()) * 64 + ++counter;
}

// The host frames of a checked replay story, in order.
std::vector<std::vector<std::uint8_t>> FramesOfStory(const std::string& script) {
    const std::filesystem::path path =
        std::filesystem::path(__FILE__).parent_path().parent_path() / "replay" / script;
    std::ifstream in(path);
    std::vector<std::vector<std::uint8_t>> frames;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.starts_with("frame ")) continue;
        std::string hex;
        for (char c : line.substr(6))
            if (c != ' ') hex += c;
        std::vector<std::uint8_t> frame;
        for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
            frame.push_back(std::uint8_t(std::stoi(hex.substr(i, 2), nullptr, 16)));
        frames.push_back(std::move(frame));
    }
    return frames;
}

TPngImage SolidFace(TColor colour) {
    TPngImage face(16, 16, true);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            std::uint8_t* p = face.Scanline(y) + x * 4;
            p[0] = std::uint8_t(colour & 0xFF);
            p[1] = std::uint8_t((colour >> 8) & 0xFF);
            p[2] = std::uint8_t((colour >> 16) & 0xFF);
            p[3] = 255;
        }
    return face;
}

// The table object as the hall creates it, with the real form, on the headless platform; the library
// folder (where the option file lies) and the host folder (where screenshots go) are temporary.
class FormTest : public HeadlessTest {
protected:
    FormTest() {
        platform.SetLibraryFolder(paths::IncludeTrailingBackslash(paths::FromHost(library.Path().string())));
        host.SetDirectory(paths::FromHost(hostFolder.Path().string()));
        faces.Add(SolidFace(0x0000FF));
        faces.Add(SolidFace(0x00FF00));
        faces.Add(SolidFace(0xFF0000));
        host.SetFaceImages(&faces);
        RegisterTableClasses();
        table = TPluginInterface50::Create();
        form = dynamic_cast<TFormPluginClient*>(table->Form());
    }
    ~FormTest() override {
        if (table) table->Release();
        platform.RunUntilIdle();
    }

    void Open() {
        ASSERT_TRUE(form);
        form->PluginChat501()->OnLineAdded = [this](const std::string& text, std::int64_t kind) {
            lines.push_back(std::to_string(kind) + " " + text);
        };
        ASSERT_EQ(table->SetRequestInterface(&host), S_OK);
        const std::int64_t me = kMe;
        ASSERT_EQ(table->Initialize(NextCookie(), "百家乐", &me, "玩家甲", 0, 0, 0, 0), S_OK);
        platform.RunUntilIdle();
    }
    void Post(const std::vector<std::uint8_t>& frame) {
        table->PostCommand(std::int32_t(frame.size()), reinterpret_cast<const char*>(frame.data()));
        platform.RunUntilIdle();
    }
    std::filesystem::path OptionFile() const { return library / (form->PluginShare501()->GameID() + ".ini"); }

    TempDir library;
    TempDir hostFolder;
    TImageList faces{nullptr, 16, 16};
    TTestHallHost host;
    TPluginInterface50* table{nullptr};
    TFormPluginClient* form{nullptr};
    std::vector<std::string> lines;
};

TEST_F(FormTest, TheWindowIsCentredAndShapedByTheFrameWithoutItsMagentaCorners) {
    Open();
    EXPECT_TRUE(form->Showing());
    // The window was made before the host named the table: it takes the new caption all the same.
    EXPECT_EQ(platform.WindowCaption(form->WindowId()), "百家乐[玩家甲]");
    EXPECT_EQ(form->LabelTitleName()->Caption(), "百家乐[玩家甲]");
    // Centred on the 1280 x 984 work area.
    EXPECT_EQ(form->BoundsRect(), (TRect{128, 125, 128 + 1024, 125 + 734}));
    const TRegion* region = platform.WindowRegion(form->WindowId());
    ASSERT_TRUE(region);
    // The frame bitmap is magenta outside its rounded corners; those pixels and the five-pixel edge
    // are not part of the window.
    const TPngImage& frame = form->ImageMainFrame()->Picture();
    ASSERT_EQ(frame.Width(), 1024);
    const std::uint8_t* corner = frame.Scanline(5) + 5 * frame.BytesPerPixel();
    EXPECT_EQ((std::array<int, 3>{corner[0], corner[1], corner[2]}), (std::array<int, 3>{255, 0, 255}));
    for (const TPoint outside :
         {TPoint{5, 5}, TPoint{1018, 5}, TPoint{5, 728}, TPoint{1018, 728}, TPoint{4, 367}, TPoint{512, 730}})
        EXPECT_FALSE(region->Contains(outside)) << outside.x << "," << outside.y;
    // Inside the curve: the table's statistics corner (7, 7) is still part of the window.
    for (const TPoint inside :
         {TPoint{7, 7}, TPoint{6, 6}, TPoint{512, 367}, TPoint{5, 367}, TPoint{1018, 100}})
        EXPECT_TRUE(region->Contains(inside)) << inside.x << "," << inside.y;
}

// Tables of one process draw with one decoded copy of each picture, look the same for it, and leave nothing
// behind: the pictures go with the last table (the ASan build finds any that leak).
TEST_F(FormTest, TenTablesShareTheirPicturesAndTheLastToGoTakesThemAlong) {
    Open();
    const TPngImage& frame = form->ImageMainFrame()->Picture();
    struct TReleaseTable {
        void operator()(TPluginInterface50* other) const { other->Release(); }
    };
    std::vector<std::unique_ptr<TPluginInterface50, TReleaseTable>> others;
    for (int i = 0; i < 10; ++i) {
        others.emplace_back(TPluginInterface50::Create());
        ASSERT_EQ(others.back()->SetRequestInterface(&host), S_OK);
        const std::int64_t me = kMe;
        ASSERT_EQ(others.back()->Initialize(NextCookie(), "百家乐", &me, "玩家甲", 0, 0, 0, 0), S_OK);
        platform.RunUntilIdle();
    }
    auto* last = dynamic_cast<TFormPluginClient*>(others.back()->Form());
    ASSERT_TRUE(last);
    EXPECT_TRUE(last->ImageMainFrame()->Picture().SharesPixelsWith(frame));
    EXPECT_TRUE(last->SkinFrame()->Picture()->SharesPixelsWith(frame)) << "the window's frame is held once";
    const TBitmap* mine = platform.Screenshot(form->WindowId());
    const TBitmap* theirs = platform.Screenshot(last->WindowId());
    ASSERT_TRUE(mine && theirs);
    EXPECT_EQ(PictureOfBitmap(*mine), PictureOfBitmap(*theirs));

    const std::size_t shared = app.Pictures().LiveCount();
    EXPECT_GT(shared, 50u);
    others.clear();
    platform.RunUntilIdle();
    EXPECT_LE(app.Pictures().LiveCount(), shared);
    EXPECT_GT(app.Pictures().LiveCount(), 0u) << "the first table still draws with them";
    std::exchange(table, nullptr)->Release();
    platform.RunUntilIdle();
    EXPECT_EQ(app.Pictures().LiveCount(), 0u);
}

// What tables make of the pictures and never change is made once: a second table draws the very felt, panel
// backgrounds and window shape of the first. What a table draws on (a chip heap) is its own from the first
// chip on, and the other table's stays as it was.
TEST_F(FormTest, TwoTablesShareFeltPanelsAndShapeButAChipLaidOnOneStaysOffTheOther) {
    Open();
    struct TReleaseTable {
        void operator()(TPluginInterface50* other) const { other->Release(); }
    };
    std::unique_ptr<TPluginInterface50, TReleaseTable> second(TPluginInterface50::Create());
    ASSERT_EQ(second->SetRequestInterface(&host), S_OK);
    const std::int64_t me = kMe;
    ASSERT_EQ(second->Initialize(NextCookie(), "百家乐", &me, "玩家甲", 0, 0, 0, 0), S_OK);
    platform.RunUntilIdle();
    auto* other = dynamic_cast<TFormPluginClient*>(second->Form());
    ASSERT_TRUE(other);
    auto* mineClient = dynamic_cast<TTwoEightClient*>(form->GameClient());
    auto* theirClient = dynamic_cast<TTwoEightClient*>(other->GameClient());
    ASSERT_TRUE(mineClient && theirClient);
    TTwoEightClientTestApi mine(*mineClient);
    TTwoEightClientTestApi theirs(*theirClient);

    EXPECT_EQ(mine.Felt().Composed().Row32(0), theirs.Felt().Composed().Row32(0)) << "one felt for both";
    EXPECT_EQ(form->PluginChat501()->Background().Row32(0), other->PluginChat501()->Background().Row32(0));
    EXPECT_EQ(form->FrameRegion().Rects(), other->FrameRegion().Rects());

    TTemplateOverlapPng& myPile = mine.ChipPile(0);
    TTemplateOverlapPng& theirPile = theirs.ChipPile(0);
    EXPECT_TRUE(myPile.Canvas().SharesPixelsWith(theirPile.Canvas())) << "blank heaps share their zeros";
    const TChipPictures chips = LoadChipPictures();
    TRandom random(7);
    ASSERT_TRUE(PlaceChip(myPile, chips, 0, random));
    EXPECT_FALSE(myPile.Canvas().SharesPixelsWith(theirPile.Canvas()));
    const auto inked = [](const TPngImage& picture) {
        int count = 0;
        for (int y = 0; y < picture.Height(); ++y)
            for (std::size_t x = 0; x < picture.Stride(); ++x)
                count += picture.Scanline(y)[x] != 0;
        return count;
    };
    EXPECT_GT(inked(myPile.Canvas()), 0);
    EXPECT_EQ(inked(theirPile.Canvas()), 0) << "the chip shows on the other table's heap";

    EXPECT_GT(app.Pictures().LiveMadeCount(), 0u);
    second.reset();
    std::exchange(table, nullptr)->Release();
    platform.RunUntilIdle();
    EXPECT_EQ(app.Pictures().LiveMadeCount(), 0u) << "what the tables made went with the last of them";
}

TEST_F(FormTest, TheHallPanelsSitInTheRightHandBoxClearOfTheTable) {
    Open();
    const TRect box = form->PanelPluginUserBox()->BoundsRect();
    EXPECT_EQ(box, (TRect{802, 30, 802 + 209, 30 + 688}));
    EXPECT_GE(box.left, TTwoEightClientTestApi::kTableAreaWidth);
    // The panels lie inside the box, one above the other.
    const TRect user = form->PluginUser501()->BoundsRect();
    const TRect chat = form->PluginChat501()->BoundsRect();
    EXPECT_LE(user.bottom, chat.top);
    EXPECT_LE(chat.bottom, box.Height());
    EXPECT_LE(user.right, box.Width());
    EXPECT_LE(chat.right, box.Width());
    // The title buttons stand on the strip above the box, left to right.
    EXPECT_LT(form->PicButtonSetup()->Left(), form->PicButtonScreen()->Left());
    EXPECT_LT(form->PicButtonScreen()->Left(), form->PicButtonadvice()->Left());
    EXPECT_LT(form->PicButtonMin()->Left(), form->PicButtonClose()->Left());
    EXPECT_LE(form->PicButtonClose()->BoundsRect().right, 1019);
    EXPECT_LE(form->PicButtonSetup()->BoundsRect().bottom, box.top);
    EXPECT_FALSE(form->PicButtonMax()->Visible());
    EXPECT_FALSE(form->PicButtonRestore()->Visible());
    // The start and over banners are the table's own business on this form.
    EXPECT_FALSE(form->PluginShare501()->ShowStartStop());
}

TEST_F(FormTest, ClosingWhilePlayingShowsTheHubsWarningAndTheFormStays) {
    Open();
    for (const auto& frame : FramesOfStory("close-query-playing.script"))
        Post(frame);
    ASSERT_TRUE(form->PluginShare501()->Playing());
    std::vector<std::string> dialogs;
    form->PluginDialog501()->OnExecuteStart = [&dialogs](TPluginDialog50& dialog) {
        dialogs.push_back(dialog.Caption() + " | " + dialog.OkCaption() + " / " + dialog.CancelCaption());
        dialog.SetModalResult(TCustomPluginDialog::mrCancelled);
    };
    form->PicButtonCloseClick();
    platform.RunUntilIdle();
    EXPECT_THAT(dialogs, ElementsAre("警告 | 退出 / 不退出"));
    EXPECT_TRUE(form->Showing());
    EXPECT_FALSE(form->PluginShare501()->Finalized());
    EXPECT_THAT(host.Closed(), IsEmpty());
}

TEST_F(FormTest, TheBossKeyHidesTableAndHallAndTheSecondPressBringsBothBack) {
    const TForeignWindow owner = platform.AddForeignWindow("大厅");
    platform.AddForeignWindow("游戏大厅[1001]", owner);
    Open();
    platform.TakeEffects();
    ASSERT_TRUE(platform.PressHotKey(MOD_ALT, 'Q'));
    EXPECT_FALSE(form->Showing());
    EXPECT_FALSE(platform.ForeignWindowShown(owner));
    EXPECT_TRUE(platform.ForeignWindowMinimized(owner));
    EXPECT_TRUE(platform.TrayIconShown());
    EXPECT_EQ(platform.TrayTip(), "墨岚游戏");
    EXPECT_FALSE(form->PluginShare501()->SoundOn());
    // A sound while hidden is not played.
    platform.TakeEffects();
    form->PluginShare501()->PlaySound("Ready.wav");
    EXPECT_THAT(platform.TakeEffects(), IsEmpty());

    ASSERT_TRUE(platform.PressHotKey(MOD_ALT, 'Q'));
    EXPECT_TRUE(form->Showing());
    EXPECT_TRUE(platform.ForeignWindowShown(owner));
    EXPECT_FALSE(platform.TrayIconShown());
    EXPECT_TRUE(form->PluginShare501()->SoundOn());
}

// While the boss key hides the table its betting time runs out: the clock counts and its ornament
// animates through the last five seconds, and none of it is painted until the table is shown again.
TEST_F(FormTest, ATableHiddenByTheBossKeyPaintsNothingWhileItsClockRunsOut) {
    Open();
    const auto frames = FramesOfStory("round.script");
    // The room's settings, who is here, the game's start and the scene that opens 20 seconds of betting.
    for (std::size_t i = 0; i < 4; ++i)
        Post(frames.at(i));
    ASSERT_TRUE(platform.PressHotKey(MOD_ALT, 'Q'));
    platform.RunUntilIdle();
    const int paints = form->PaintCount();
    platform.AdvanceBy(20000);
    EXPECT_EQ(form->PaintCount(), paints);

    // Shown again, it is painted whole, once.
    const long long pixels = form->PaintedPixels();
    ASSERT_TRUE(platform.PressHotKey(MOD_ALT, 'Q'));
    platform.RunUntilIdle();
    EXPECT_EQ(form->PaintCount(), paints + 1);
    EXPECT_EQ(form->PaintedPixels() - pixels, (long long)form->Width() * form->Height());
}

TEST_F(FormTest, APressOnTheIconRestoresAndWithoutAHallOnlyTheTableHides) {
    Open();
    ASSERT_TRUE(platform.PressHotKey(MOD_ALT, 'Q'));
    EXPECT_EQ(form->HallWindow(), 0u);
    EXPECT_FALSE(form->Showing());
    ASSERT_TRUE(platform.ClickTrayIcon());
    EXPECT_TRUE(form->Showing());
    EXPECT_FALSE(platform.TrayIconShown());
    EXPECT_TRUE(form->PluginShare501()->SoundOn());
}

TEST_F(FormTest, ATableReleasedWhileHiddenGivesTheHallAndTheIconBack) {
    const TForeignWindow owner = platform.AddForeignWindow("大厅");
    platform.AddForeignWindow("游戏大厅[1001]", owner);
    Open();
    ASSERT_TRUE(platform.PressHotKey(MOD_ALT, 'Q'));
    ASSERT_FALSE(platform.ForeignWindowShown(owner));
    table->Finalize();
    table->Release();
    table = TPluginInterface50::Create(); // the fixture releases one
    EXPECT_TRUE(platform.ForeignWindowShown(owner));
    EXPECT_FALSE(platform.TrayIconShown());
    // Its hot keys went with it.
    EXPECT_THAT(platform.Effects(), Contains("hotkey unregister 123"));
}

// The chat frame the table sent last, as its text; empty when it sent none.
std::string LastChatSent(const TTestHallHost& host) {
    for (auto it = host.Sent().rbegin(); it != host.Sent().rend(); ++it)
        if (it->bytes.size() >= 10 && it->bytes[0] == 3 && it->bytes[9] == 67)
            return std::string(it->bytes.begin() + 10, it->bytes.end());
    return {};
}

// Ctrl + numpad "+" is a key of the table's window: it sends the chat input while the player works at
// the table, and the system and every other program keep it (browsers zoom with it).
TEST_F(FormTest, CtrlPlusSendsTheChatInputOnlyWhileTheTableIsTheActiveWindow) {
    Open();
    EXPECT_FALSE(platform.PressHotKey(MOD_CONTROL, VK_ADD)) << "the key is not taken from other programs";
    platform.Click(form->ClientToScreen({900, 672})); // into the chat input
    ASSERT_EQ(platform.ActiveWindow(), form->WindowId());
    platform.Type("大家好");
    host.ClearRecords();
    platform.PressKey(VK_ADD, ssCtrl);
    EXPECT_EQ(LastChatSent(host), "大家好");

    // The player moves on to another window: the key is that window's.
    host.ClearRecords();
    TForm other(nullptr);
    other.SetBounds(0, 0, 120, 80);
    other.Show();
    ASSERT_EQ(platform.ActiveWindow(), other.WindowId());
    platform.PressKey(VK_ADD, ssCtrl);
    EXPECT_THAT(host.Sent(), IsEmpty());
    // The plain key and other modifiers send nothing either.
    platform.Click(form->ClientToScreen({900, 672}));
    platform.PressKey(VK_ADD);
    platform.PressKey(VK_ADD, TShiftState(ssCtrl | ssShift));
    EXPECT_THAT(host.Sent(), IsEmpty());
}

// Every table of the hall's process asks for the boss key; one holds it at a time, and when a table goes
// the next one takes it over, so that the key keeps working as long as a table is open.
TEST_F(FormTest, WithTwoTablesOpenClosingEitherLeavesTheBossKeyToTheOther) {
    struct TReleaseTable {
        void operator()(TPluginInterface50* other) const { other->Release(); }
    };
    using TTable = std::unique_ptr<TPluginInterface50, TReleaseTable>;
    const auto openAnother = [this] {
        TTable other(TPluginInterface50::Create());
        other->SetRequestInterface(&host);
        const std::int64_t me = kMe;
        other->Initialize(NextCookie(), "百家乐", &me, "玩家甲", 0, 0, 0, 0);
        platform.RunUntilIdle();
        return other;
    };
    const auto formOf = [](const TTable& other) { return dynamic_cast<TFormPluginClient*>(other->Form()); };
    const auto pressBossKey = [this] { return platform.PressHotKey(MOD_ALT, 'Q'); };

    Open();
    TTable second = openAnother();
    // The table opened first holds the key: it hides, the second stays.
    ASSERT_TRUE(pressBossKey());
    EXPECT_TRUE(form->HiddenByBossKey());
    EXPECT_TRUE(formOf(second)->Showing());
    ASSERT_TRUE(pressBossKey());
    EXPECT_TRUE(form->Showing());

    // The second table goes: the first keeps the key.
    second->Finalize();
    second.reset();
    platform.RunUntilIdle();
    ASSERT_TRUE(pressBossKey());
    EXPECT_TRUE(form->HiddenByBossKey());
    ASSERT_TRUE(pressBossKey());
    EXPECT_TRUE(form->Showing());

    // A third table comes, and the holder goes: the third takes the key over.
    TTable third = openAnother();
    table->Finalize();
    std::exchange(table, nullptr)->Release();
    platform.RunUntilIdle();
    ASSERT_TRUE(pressBossKey());
    EXPECT_TRUE(formOf(third)->HiddenByBossKey());
    EXPECT_FALSE(formOf(third)->Showing());
    ASSERT_TRUE(pressBossKey());
    EXPECT_TRUE(formOf(third)->Showing());
    third->Finalize();
    third.reset();
    platform.RunUntilIdle();
    EXPECT_FALSE(pressBossKey()) << "the last table took the key with it";
}

// Width and height of a JPEG file, or {0, 0} when it does not decode.
std::pair<int, int> JpegSize(const std::filesystem::path& path) {
    const std::string bytes = ReadFile(path);
    if (bytes.size() < 4) return {0, 0};
    jpeg_decompress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    const bool ok = jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK;
    const std::pair<int, int> size =
        ok ? std::pair(int(info.image_width), int(info.image_height)) : std::pair(0, 0);
    jpeg_destroy_decompress(&info);
    return size;
}

TEST_F(FormTest, TwoScreenshotsInOneSecondKeepTheFirstJpegAndLeaveNoBitmap) {
    Open();
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 11;
    when.tm_mday = 9;
    when.tm_hour = 4;
    when.tm_min = 5;
    when.tm_sec = 6;
    when.tm_isdst = -1;
    const std::time_t fixed = std::mktime(&when);
    form->WallClock = [fixed] { return fixed; };
    lines.clear();
    form->ActionScreenExecute();
    const std::filesystem::path jpeg = hostFolder / "20261209-040506.Jpg";
    const std::filesystem::path bitmap = hostFolder / "20261209-040506.bmp";
    ASSERT_TRUE(std::filesystem::exists(jpeg));
    EXPECT_FALSE(std::filesystem::exists(bitmap));
    EXPECT_EQ(JpegSize(jpeg), std::pair(1024, 734));
    const std::string shown = form->ShotDir() + "20261209-040506.Jpg";
    EXPECT_THAT(lines, ElementsAre("10 截图路径为：\r\n" + shown));
    const std::string first = ReadFile(jpeg);

    // The table changes, the second shot in the same second finds the JPEG there: the first stays, the
    // second bitmap goes, and no line claims a new picture.
    form->PluginChat501()->AddLine("一行", lines::kPrompt);
    platform.RunUntilIdle();
    lines.clear();
    form->ActionScreenExecute();
    EXPECT_EQ(ReadFile(jpeg), first);
    EXPECT_FALSE(std::filesystem::exists(bitmap));
    EXPECT_THAT(lines, IsEmpty());
}

TEST_F(FormTest, AScreenshotThatCannotBeWrittenShowsNoPath) {
    host.SetDirectory(paths::FromHost((hostFolder / "missing").string()));
    Open();
    lines.clear();
    form->ActionScreenExecute();
    EXPECT_THAT(lines, IsEmpty());
}

TEST_F(FormTest, TheSelectedUsersCardShowsMyFiguresAndMasksOthers) {
    ASSERT_TRUE(form);
    WriteFile(OptionFile(),
              "[Level]\nLevelCount=2\nLevel1Score=0\nLevel1Name=平民\nLevel2Score=100\nLevel2Name=富商\n");
    Open();
    STRU_PLUGIN_USERINFO me = hostframes::MakeUser(kMe, 0, true, "玩家甲");
    me.Face = 2;
    me.Score = 120;
    me.Beans = 5000;
    me.Money = 77;
    STRU_PLUGIN_USERINFO other = hostframes::MakeUser(kOther, 1, true, "庄家乙");
    other.Face = 1;
    other.Score = 300000;
    other.Beans = 9000;
    other.Money = 55;
    Post(hostframes::FullUserList({me, other}));

    // Nobody picked yet: my own card.
    form->PluginUser501SelectChange();
    EXPECT_EQ(form->LblNickName()->Caption(), "昵称：玩家甲");
    form->PluginUser501()->SelectUser(kMe);
    form->PluginUser501SelectChange();
    EXPECT_EQ(form->LblNickName()->Caption(), "昵称：玩家甲");
    EXPECT_EQ(form->LblSuccess()->Caption(), "积分：120");
    EXPECT_EQ(form->LblMoney()->Caption(), "星币：77");
    EXPECT_EQ(form->LblGamePoint()->Caption(), "游戏豆：5000");
    EXPECT_EQ(form->LblGamePoint()->Hint(), "游戏豆：5000");
    EXPECT_EQ(form->LblLevel()->Caption(), "等级：富商");
    // My own face, on a transparent ground of the face list's size.
    const TPngImage& photo = form->ImagePhoto()->Picture();
    ASSERT_EQ(photo.Width(), 16);
    EXPECT_EQ(photo.Scanline(8)[8 * 4 + 2], 0xFF);
    EXPECT_EQ(photo.Scanline(8)[8 * 4 + 3], 255);

    // Another player's card, names hidden: only a mask and the first face.
    form->PluginUser501()->SetUserFlag(1);
    form->PluginUser501()->SelectUser(kOther);
    form->PluginUser501SelectChange();
    EXPECT_EQ(form->LblNickName()->Caption(), "昵称：****");
    EXPECT_EQ(form->LblSuccess()->Caption(), "积分：****");
    EXPECT_EQ(form->LblLevel()->Caption(), "等级：****");
    EXPECT_EQ(form->LblMoney()->Caption(), "星币：****");
    EXPECT_EQ(form->LblGamePoint()->Caption(), "游戏豆：****");
    EXPECT_EQ(form->ImagePhoto()->Picture().Scanline(8)[8 * 4 + 0], 0xFF); // face 0 is red

    // Names shown: another player's nickname and figures, but never his money.
    form->PluginUser501()->SetUserFlag(0);
    form->PluginUser501SelectChange();
    EXPECT_EQ(form->LblNickName()->Caption(), "昵称：庄家乙");
    EXPECT_EQ(form->LblGamePoint()->Caption(), "游戏豆：9000");
    EXPECT_EQ(form->LblMoney()->Caption(), "星币：****");
}

TEST_F(FormTest, AHallWithoutFacePicturesStillGetsTheCardsFigures) {
    ASSERT_TRUE(form);
    host.SetFaceImages(nullptr);
    Open();
    STRU_PLUGIN_USERINFO me = hostframes::MakeUser(kMe, 0, true, "玩家甲");
    me.Beans = 5000;
    Post(hostframes::FullUserList({me}));
    form->PluginUser501SelectChange();
    EXPECT_EQ(form->LblNickName()->Caption(), "昵称：玩家甲");
    EXPECT_EQ(form->LblGamePoint()->Caption(), "游戏豆：5000");
    EXPECT_EQ(form->ImagePhoto()->Picture().Width(), 0);
}

// The user list and the chat as the form dresses them; the golden picture of the form shows them.
TEST_F(FormTest, TheUserListAndTheChatWearTheFormsColours) {
    Open();
    const TPluginUser50& users = *form->PluginUser501();
    for (TColor back : {users.ListItemBackColor(), users.SelfInfoBackColor(), users.UserListView().Color()})
        EXPECT_EQ(back, 866683);
    EXPECT_EQ(users.SelectBackColor(), 5138617);
    EXPECT_EQ(users.SelfSelectBackColor(), 5138617);
    for (TColor text : {users.ListItemFontColor(), users.SelfInfoFontColor(), users.SelectFontColor(),
                        users.SelfSelectFontColor()})
        EXPECT_EQ(text, clWhite);
    const TCardKVTListView& list = users.UserListView();
    EXPECT_EQ(list.HeaderBgColor(), 0xFF0000);
    EXPECT_EQ(list.HeaderFontColor(), 0xFFFFFF);
    EXPECT_EQ(list.HeaderSplitColor(), 0x0000FF);
    ASSERT_NE(list.HeaderBgPicture(), nullptr);
    ASSERT_NE(list.HeaderSplitPicture(), nullptr);
    // Without an option file: nickname, level, beans and score at 48, 40, 48 and 48 pixels.
    for (int tag :
         {TPluginUser50::ctNickName, TPluginUser50::ctLevel, TPluginUser50::ctBean, TPluginUser50::ctScore})
        EXPECT_EQ(form->ColumnWidth(tag), tag == TPluginUser50::ctLevel ? 40 : 48) << "tag " << tag;
    EXPECT_EQ(form->PluginChat501()->View().Color(), 0x105DBA);
}

TEST_F(FormTest, OptionsComeFromTheOptionFileAndGoBackToIt) {
    ASSERT_TRUE(form);
    WriteFile(OptionFile(), "[Option]\nHaveSound=0\nHasBackMusic=0\nCanLook=0\n"
                            "[UserList]\nHaveUserId=1\nUserIDWidth=60\nHaveScore=0\nBeanWidth=70\n");
    Open();
    EXPECT_FALSE(form->PluginShare501()->HaveSound());
    EXPECT_FALSE(form->GameClient()->BackMusic());
    EXPECT_EQ(form->PluginUser501()->AutoAttribute(), 0);
    TPluginUser50& users = *form->PluginUser501();
    EXPECT_TRUE(users.ColumnVisible(TPluginUser50::ctUserId));
    EXPECT_FALSE(users.ColumnVisible(TPluginUser50::ctScore));
    EXPECT_FALSE(users.ColumnVisible(TPluginUser50::ctGold));
    EXPECT_EQ(form->ColumnWidth(TPluginUser50::ctUserId), 60);
    EXPECT_EQ(users.UserListView().Column(0).width, 60);
    EXPECT_EQ(form->ColumnWidth(TPluginUser50::ctBean), 70);

    // The settings panel shows what the file holds; accepting stores the new choice in the hub, the
    // table and the file.
    form->PluginOption501ConfigOption();
    EXPECT_FALSE(form->CheckBoxHaveSound()->Checked());
    EXPECT_FALSE(form->CheckBoxHasBackMusic()->Checked());
    form->CheckBoxHaveSound()->SetChecked(true);
    form->CheckBoxHasBackMusic()->SetChecked(true);
    form->PluginOption501AcceptOption();
    EXPECT_TRUE(form->PluginShare501()->HaveSound());
    EXPECT_TRUE(form->GameClient()->BackMusic());
    TIniFile saved(paths::FromHost(OptionFile().string()));
    EXPECT_TRUE(saved.ReadBool("Option", "HaveSound", false));
    EXPECT_TRUE(saved.ReadBool("Option", "HasBackMusic", false));
    form->PluginOption501ConfigOption();
    EXPECT_TRUE(form->CheckBoxHaveSound()->Checked());
}

TEST_F(FormTest, WithoutAnOptionFileTheSettingsShowSoundAndMusicOnAndAcceptingKeepsThem) {
    Open();
    ASSERT_TRUE(form->GameClient()->BackMusic());
    form->ActionConfigExecute();
    EXPECT_TRUE(form->PluginOption501()->Visible());
    EXPECT_TRUE(form->CheckBoxHaveSound()->Checked());
    EXPECT_TRUE(form->CheckBoxHasBackMusic()->Checked());
    form->PluginOption501()->AcceptOptions();
    EXPECT_TRUE(form->GameClient()->BackMusic());
    EXPECT_TRUE(form->PluginShare501()->HaveSound());
}

// Two tables of the game share its option file: what one saves, the other's save leaves in place.
TEST_F(FormTest, TwoTablesOfTheGameKeepEachOthersSavedValues) {
    ASSERT_TRUE(form);
    Open();
    TPluginInterface50* second = TPluginInterface50::Create();
    auto* secondForm = dynamic_cast<TFormPluginClient*>(second->Form());
    ASSERT_TRUE(secondForm);
    ASSERT_EQ(second->SetRequestInterface(&host), S_OK);
    const std::int64_t me = kMe;
    ASSERT_EQ(second->Initialize(NextCookie(), "百家乐二号桌", &me, "玩家甲", 0, 0, 0, 0), S_OK);
    platform.RunUntilIdle();

    form->ActionConfigExecute();
    form->CheckBoxHasBackMusic()->SetChecked(false);
    form->PluginOption501()->AcceptOptions();
    secondForm->PluginAction501()->RestoreDefaults();
    second->Release();

    const TIniFile saved(paths::FromHost(OptionFile().string()));
    EXPECT_FALSE(saved.ReadBool("Option", "HasBackMusic", true));
    EXPECT_TRUE(saved.ReadBool("Option", "HaveSound", false));
    EXPECT_FALSE(saved.ReadSection("Action").empty());
}

TEST_F(FormTest, LinksOpenTheOptionFilesAddressesOrTheWebSite) {
    ASSERT_TRUE(form);
    WriteFile(OptionFile(), "[URL]\n游戏反馈链接地址=http://example.org/feedback\n"
                            "充值链接地址=http://example.org/pay now\" -silent\n");
    Open();
    platform.TakeEffects();
    form->ActionAdviceExecute();
    form->ActionMainExecute();
    EXPECT_THAT(platform.TakeEffects(),
                ElementsAre("shell http://example.org/feedback", "shell http://www.morvane.cn/"));
    // An address with blanks and quotes reaches the shell as one address.
    form->ActionHelpExecute();
    EXPECT_THAT(platform.TakeEffects(), ElementsAre("shell http://example.org/pay%20now%22%20-silent"));
    form->ActionInviteExecute();
    EXPECT_EQ(host.InviteCount(), 1);
}

// One round of the simulator with a fixed seed, so that its settlement is the same picture every time.
tablesim::TSimOptions OneSettlementRound(const TempDir& out) {
    tablesim::TSimOptions options;
    options.Rounds = 1;
    options.Seed = 2026;
    options.Bots = 8;
    options.OutDir = out.Path().string();
    return options;
}

TEST(FormGolden, GoldenFormAtTheEndOfASettlement) {
    TempDir out;
    tablesim::TSimOptions options = OneSettlementRound(out);
    options.Record = false;
    std::ostringstream progress;
    tablesim::TTableSimulator simulator(options, progress);
    std::string error;
    ASSERT_TRUE(simulator.Run(error)) << error;
    TTwoEightClient* client = simulator.Client();
    ASSERT_TRUE(client);
    ASSERT_TRUE(client->SettlementShown());
    ExpectGolden(simulator.Platform(), client->ParentForm()->WindowId(), "form-settlement.png");
}

// The same settlement on a screen that asks for twice the size: the simulator's screenshots are twice as
// large, and each pixel of the table's own picture is a square of four on them, so the table drew exactly
// what it draws at its own size (the golden picture above) and only presenting changed.
TEST(FormGolden, GoldenFormAtTwiceTheSizeAtTheEndOfASettlement) {
    TempDir out;
    tablesim::TSimOptions options = OneSettlementRound(out);
    options.EveryPhase = true;
    options.Scale = 2;
    std::ostringstream progress;
    tablesim::TTableSimulator simulator(options, progress);
    std::string error;
    ASSERT_TRUE(simulator.Run(error)) << error;
    TTwoEightClient* client = simulator.Client();
    ASSERT_TRUE(client);
    ASSERT_TRUE(client->SettlementShown());
    const TWindowId window = client->ParentForm()->WindowId();
    ExpectGolden(simulator.Platform(), window, "form-settlement-2x.png");

    std::size_t shots = 0;
    for (const auto& entry : std::filesystem::directory_iterator(out.Path() / "shots")) {
        TPngImage shot;
        ASSERT_TRUE(shot.LoadFromFile(entry.path().string())) << entry.path();
        EXPECT_EQ(shot.Width(), 2048) << entry.path();
        EXPECT_EQ(shot.Height(), 1468) << entry.path();
        ++shots;
    }
    EXPECT_EQ(shots, 4u);

    TPngImage atOwnSize;
    ASSERT_TRUE(atOwnSize.LoadFromFile(
        (std::filesystem::path(MORVANE_TEST_DATA).parent_path() / "golden" / "form-settlement.png")
            .string()));
    const TBitmap* screen = simulator.Platform().Screenshot(window);
    ASSERT_TRUE(screen);
    long long differing = 0;
    for (int y = 0; y < atOwnSize.Height(); ++y)
        for (int x = 0; x < atOwnSize.Width(); ++x) {
            const std::uint8_t* p =
                atOwnSize.Scanline(y) + std::size_t(atOwnSize.BytesPerPixel()) * std::size_t(x);
            const TColor own = TColor(p[0]) | TColor(p[1]) << 8 | TColor(p[2]) << 16;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    differing += screen->Pixel(2 * x + dx, 2 * y + dy) != own;
        }
    EXPECT_EQ(differing, 0);
}

} // namespace
} // namespace morvane::test
