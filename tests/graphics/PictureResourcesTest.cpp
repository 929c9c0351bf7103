#include "graphics/PictureResources.h"

#include "base/ByteReader.h"
#include "graphics/EmbeddedResources.h"
#include "gui/Bitmap.h"
#include "gui/Canvas.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace morvane {
namespace {

// The picture catalogue: every name the table asks for, its size, and whether it is stored with alpha.
// Written from the catalogue itself; the generator must match it, not the other way round.
struct CatalogueEntry {
    std::string name;
    int width;
    int height;
    bool alpha;
};

std::vector<CatalogueEntry> Catalogue() {
    std::vector<CatalogueEntry> c = {
        {"MAINBIGIMAGE", 1024, 734, true},
        {"MAINBETREGPNG", 759, 363, true},
        {"MAINBEAM", 793, 40, true},
        {"TBALEBACK", 501, 390, true},
        {"BLL_TUOPAN", 280, 174, true},
        {"BLL_CALUTURE", 269, 103, true},
        {"BLL_NOLAND", 185, 43, true},
        {"BETPNGCAPTION", 52, 19, true},
        {"QUEST1", 173, 37, true},
        {"QUEST2", 190, 53, true},
        {"BLL_TOPINFO0", 784, 133, true},
        // Windows bitmaps, stored as RGB pictures.
        {"BLL_BOTTOMINFO", 791, 105, false},
        {"BLL_CHECKINFO", 34, 26, false},
        {"BLL_SELCHECKINFO", 34, 26, false},
        {"STOOLGRAPHIC_BITMAPSTOOL", 32, 32, false},
        {"STOOLGRAPHIC_BITMAPSMALLSTOOL", 16, 16, false},
        // Bet-region highlights.
        {"BLL_IDLEREGION", 243, 177, true},
        {"BLL_LANDREGION", 236, 177, true},
        {"BLL_PINGREGION", 288, 112, true},
        {"BLL_IDLKINGREGION", 243, 80, true},
        {"BLL_LANDKINGREGION", 236, 80, true},
        {"BLL_PINGKINGREGION", 288, 80, true},
        {"BLL_IDLPAIR", 236, 81, true},
        {"BLL_LANDPAIR", 243, 81, true},
        {"BLL_IDLALL", 243, 254, true},
        {"BLL_LANDALL", 236, 254, true},
        {"BLL_PINGALL", 288, 189, true},
        // Cards besides the faces.
        {"B00", 73, 98, true},
        {"GH0", 73, 98, true},
        {"GL0", 73, 98, true},
        {"MASK", 73, 98, true},
        // Clock.
        {"CLOCKNUM_BACKGROUND", 51, 57, true},
        {"CLOCKHEADER", 54, 29, true},
        {"CLOCKHEADER0", 51, 29, true},
        {"CLOCKHEADER1", 51, 29, true},
        {"XADD", 14, 18, true},
        {"DADD", 16, 21, true},
        // Hall panels.
        {"TWOEIGHT_BTIMAPUSERLIST", 200, 138, true},
        {"TWOEIGHT_BTIMAPBUSERCHAT", 191, 292, true},
        // The close button has one face for three states and no disabled face.
        {"CLOSECOMM", 12, 13, true},
        {"CLOSEMOVE", 12, 13, true},
        {"CLOSEDOWN", 12, 13, true},
    };
    for (const char* chip : {"100", "500", "1000", "5000", "1W", "5W", "10W", "50W", "100W", "500W"}) {
        for (const char* state : {"COMM", "MOVE", "GRAY"})
            c.push_back({std::string(chip) + state, 55, 57, true});
    }
    for (const char* money : {"01", "02", "03", "04", "05", "06", "07", "08", "09", "10"}) {
        c.push_back({std::string("MONEY") + money, 49, 47, true});
    }
    for (const char* suit : {"C", "D", "H", "S"}) {
        for (const char* rank :
             {"20", "30", "40", "50", "60", "70", "80", "90", "100", "A0", "J0", "Q0", "K0"}) {
            c.push_back({std::string(suit) + rank, 73, 98, true});
        }
    }
    for (int i = 0; i < 4; ++i)
        c.push_back({"TIME" + std::to_string(i), 91, 28, true});
    for (const char* kind : {"IDLE", "LAND", "PING"}) {
        for (int i = 0; i < 4; ++i)
            c.push_back({kind + std::to_string(i), 32, 32, true});
        c.push_back({std::string("S") + kind, 17, 17, true});
    }
    for (int i = 0; i < 10; ++i) {
        c.push_back({"CLOCKNUM_" + std::to_string(i), 14, 18, true});
        c.push_back({"X" + std::to_string(i), 14, 18, true});
        c.push_back({"D" + std::to_string(i), 16, 21, true});
    }
    for (int i = 0; i < 5; ++i)
        c.push_back({"FIRE" + std::to_string(i), 170, 70, true});
    const struct {
        const char* base;
        int width, height;
    } buttons[] = {{"SAVE", 57, 26}, {"DRAW", 57, 26}, {"CLEAR", 53, 26},  {"UP", 85, 24},
                   {"HOG", 85, 24},  {"DOWN", 85, 24}, {"CANCEL", 85, 24}, {"TABLEBTN", 97, 31},
                   {"LEFT", 35, 91}, {"RIGHT", 35, 91}};
    for (const auto& button : buttons) {
        for (const char* state : {"COMM", "MOVE", "DOWN", "GRAY"}) {
            const std::string name = std::string(button.base) + state;
            // The one picture of the catalogue stored without an alpha channel.
            c.push_back({name, button.width, button.height, name != "RIGHTDOWN"});
        }
    }
    // The hall panels: the chat's ninety faces, the panels' buttons, panel skin and history button.
    for (int i = 0; i < 90; ++i) {
        char face[16];
        std::snprintf(face, sizeof face, "FACE%03d", i);
        c.push_back({face, 24, 24, true});
    }
    const struct {
        const char* base;
        int width, height;
    } hallButtons[] = {{"HALLBTN", 70, 22},
                       {"CHATFACE", 18, 19},
                       {"CHATACTION", 18, 19},
                       {"CHATSHOUT", 18, 19},
                       {"CHATSAY", 62, 22}};
    for (const auto& button : hallButtons)
        for (const char* state : {"COMM", "MOVE", "DOWN", "GRAY"})
            c.push_back({std::string(button.base) + state, button.width, button.height, true});
    c.push_back({"HALLPANEL", 120, 90, true});
    c.push_back({"CHATHISTORY", 18, 20, true});
    // The table window: its frame (keyed on magenta, so without alpha), the right-hand box and the title
    // strip's buttons.
    c.push_back({"FORMMAINFRAME", 1024, 734, false});
    c.push_back({"FORMRIGHTBOX", 209, 643, true});
    c.push_back({"USERLISTHEADER", 64, 16, true});
    c.push_back({"USERLISTSPLIT", 2, 16, true});
    const struct {
        const char* base;
        int width, height;
    } titleButtons[] = {{"TITLESETUP", 40, 18}, {"TITLESCREEN", 40, 18}, {"TITLEADVICE", 40, 18},
                        {"TITLEMIN", 30, 22},   {"TITLEMAX", 30, 22},    {"TITLERESTORE", 30, 22},
                        {"TITLECLOSE", 30, 22}};
    for (const auto& button : titleButtons)
        for (const char* state : {"COMM", "MOVE", "DOWN", "GRAY"})
            c.push_back({std::string(button.base) + state, button.width, button.height, true});
    // The road window's roads page: its background, marks, ask buttons and the two page buttons (the
    // one in the first page's title is never disabled).
    c.push_back({"TBALEROADS", 501, 390, true});
    for (const char* state : {"COMM", "MOVE", "DOWN"})
        c.push_back({std::string("ROADPAGE") + state, 108, 27, true});
    for (const char* ring : {"RBIGLAND", "RBIGIDLE", "RBIGTIE"})
        c.push_back({ring, 17, 17, true});
    for (const char* road : {"RBIGEYE", "RSMALL", "RROACH"})
        for (const char* colour : {"RED", "BLUE"})
            c.push_back({std::string(road) + colour, 9, 9, true});
    const struct {
        const char* base;
        int width, height;
    } roadButtons[] = {{"ASKLAND", 85, 26}, {"ASKIDLE", 85, 26}, {"BEADPAGE", 64, 24}};
    for (const auto& button : roadButtons)
        for (const char* state : {"COMM", "MOVE", "DOWN", "GRAY"})
            c.push_back({std::string(button.base) + state, button.width, button.height, true});
    return c;
}

const char* const kCursorNames[] = {"100CUR", "500CUR", "1000CUR", "5000CUR", "1WCUR",
                                    "5WCUR",  "10WCUR", "50WCUR",  "100WCUR", "500WCUR"};

std::vector<std::uint8_t> Bytes(std::string_view name) {
    const std::span<const std::uint8_t> bytes = FindEmbeddedResource(name);
    return {bytes.begin(), bytes.end()};
}

TEST(PictureResources, EveryCataloguePictureDecodesAtItsSizeAndForm) {
    const std::vector<CatalogueEntry> catalogue = Catalogue();
    EXPECT_EQ(catalogue.size(), 397u);
    for (const CatalogueEntry& entry : catalogue) {
        SCOPED_TRACE(entry.name);
        std::string error;
        const std::unique_ptr<TPngImage> picture = LoadPictureByName(entry.name, &error);
        ASSERT_NE(picture, nullptr) << error;
        EXPECT_TRUE(error.empty());
        EXPECT_EQ(picture->Width(), entry.width);
        EXPECT_EQ(picture->Height(), entry.height);
        EXPECT_EQ(picture->HasAlpha(), entry.alpha);
    }
}

TEST(PictureResources, TableHoldsExactlyTheCatalogueAndTheCursorsSortedForSearch) {
    std::set<std::string> expected;
    for (const CatalogueEntry& entry : Catalogue())
        expected.insert(entry.name);
    for (const char* cursor : kCursorNames)
        expected.insert(cursor);

    const std::span<const TEmbeddedResource> table = EmbeddedResourceTable();
    std::set<std::string> stored;
    for (std::size_t i = 0; i < table.size(); ++i) {
        stored.insert(std::string(table[i].Name));
        EXPECT_GT(table[i].Size, 0u) << table[i].Name;
        // The search halves the table, so the names must rise strictly in byte order.
        if (i > 0) {
            EXPECT_LT(table[i - 1].Name, table[i].Name);
        }
    }
    EXPECT_EQ(stored, expected);
}

TEST(PictureResources, NamesAreFoundWithoutRegardToCase) {
    const std::span<const std::uint8_t> tray = FindEmbeddedResource("BLL_TUOPAN");
    ASSERT_FALSE(tray.empty());
    EXPECT_EQ(FindEmbeddedResource("bll_TuoPan").data(), tray.data());
    EXPECT_EQ(FindEmbeddedResource("bll_tuopan").size(), tray.size());
    EXPECT_EQ(FindEmbeddedResource("MainBigImage").data(), FindEmbeddedResource("MAINBIGIMAGE").data());
    EXPECT_EQ(FindEmbeddedResource("ClockNum_7").data(), FindEmbeddedResource("CLOCKNUM_7").data());
    EXPECT_EQ(FindEmbeddedResource("1wComm").data(), FindEmbeddedResource("1WCOMM").data());
    EXPECT_EQ(FindEmbeddedResource("5wcur").data(), FindEmbeddedResource("5WCUR").data());

    // A name that is a prefix of another, or extends one, is a different resource or none.
    EXPECT_NE(FindEmbeddedResource("ClockHeader").data(), FindEmbeddedResource("ClockHeader0").data());
    EXPECT_TRUE(FindEmbeddedResource("ClockHeade").empty());
    EXPECT_TRUE(FindEmbeddedResource("MainBigImage2").empty());
    EXPECT_TRUE(FindEmbeddedResource("").empty());
    EXPECT_TRUE(FindEmbeddedResource(std::string_view("MASK\0", 5)).empty());
}

TEST(PictureResources, MissingPictureGivesNoPictureAndSaysWhich) {
    std::string error = "stale";
    EXPECT_EQ(LoadPictureByName("NoSuchPicture", &error), nullptr);
    EXPECT_NE(error.find("NoSuchPicture"), std::string::npos) << error;
    // A cursor is a resource but not a picture.
    EXPECT_EQ(LoadPictureByName("5WCUR", &error), nullptr);
    EXPECT_NE(error.find("5WCUR"), std::string::npos) << error;
    EXPECT_NE(LoadPictureByName("Time3", &error), nullptr);
    EXPECT_TRUE(error.empty());
}

TEST(PictureResources, CancelButtonIsTheForceLeaveButtonByteForByte) {
    for (const char* state : {"COMM", "MOVE", "DOWN", "GRAY"}) {
        SCOPED_TRACE(state);
        const std::vector<std::uint8_t> cancel = Bytes(std::string("CANCEL") + state);
        ASSERT_FALSE(cancel.empty());
        EXPECT_EQ(cancel, Bytes(std::string("DOWN") + state));
    }
}

TEST(PictureResources, ClockDigitsAreTheSmallYellowDigits) {
    for (int i = 0; i < 10; ++i) {
        const std::vector<std::uint8_t> clock = Bytes("CLOCKNUM_" + std::to_string(i));
        ASSERT_FALSE(clock.empty());
        EXPECT_EQ(clock, Bytes("X" + std::to_string(i))) << i;
    }
}

TEST(PictureResources, ButtonFamiliesLoadTheirStatesAndCloseHasNoGray) {
    std::string error;
    const TButtonPictures save = LoadButtonPictures("Save", &error);
    EXPECT_TRUE(error.empty()) << error;
    ASSERT_TRUE(save.Comm && save.Move && save.Down && save.Gray);
    EXPECT_EQ(save.Comm->Width(), 57);
    EXPECT_FALSE(*save.Comm == *save.Move);
    EXPECT_FALSE(*save.Comm == *save.Gray);

    const TButtonPictures close = LoadButtonPictures("Close", &error);
    EXPECT_TRUE(error.empty()) << error;
    ASSERT_TRUE(close.Comm && close.Move && close.Down);
    EXPECT_EQ(close.Gray, nullptr);
    EXPECT_TRUE(FindEmbeddedResource("CLOSEGRAY").empty());
    EXPECT_EQ(Bytes("CLOSECOMM"), Bytes("CLOSEMOVE"));
    EXPECT_EQ(Bytes("CLOSECOMM"), Bytes("CLOSEDOWN"));

    const TButtonPictures none = LoadButtonPictures("Nothing", &error);
    EXPECT_EQ(none.Comm, nullptr);
    EXPECT_NE(error.find("NothingComm"), std::string::npos) << error;
    EXPECT_NE(error.find("NothingDown"), std::string::npos) << error;
}

TEST(PictureResources, OpaqueRightDownDrawsOverWhateverIsBelow) {
    const std::unique_ptr<TPngImage> arrow = LoadPictureByName("RightDown");
    ASSERT_NE(arrow, nullptr);
    ASSERT_FALSE(arrow->HasAlpha());
    constexpr TColor kBackground = 0xFF00FF;
    TBitmap frame(60, 120);
    TCanvas canvas(frame);
    canvas.FillRect({0, 0, 60, 120}, kBackground);
    canvas.Draw(10, 20, *arrow);
    for (int y = 0; y < arrow->Height(); ++y) {
        const std::uint8_t* row = arrow->Scanline(y);
        for (int x = 0; x < arrow->Width(); ++x) {
            const TColor expected = row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16;
            ASSERT_EQ(canvas.Pixel(10 + x, 20 + y), expected) << x << "," << y;
        }
    }
    EXPECT_EQ(canvas.Pixel(9, 20), kBackground);
    EXPECT_EQ(canvas.Pixel(45, 111), kBackground);
}

TEST(PictureResources, HighlightsAreOutlinesWithClearInsides) {
    for (const char* name : {"BLL_IDLEREGION", "BLL_PINGKINGREGION", "BLL_LANDPAIR", "BLL_PINGALL"}) {
        SCOPED_TRACE(name);
        const std::unique_ptr<TPngImage> region = LoadPictureByName(name);
        ASSERT_NE(region, nullptr);
        const std::uint8_t* centre = region->Scanline(region->Height() / 2) + 4 * (region->Width() / 2);
        EXPECT_EQ(centre[3], 0);
        // Across the outline, half-way down the left edge: opaque yellow (strong red and green, little blue).
        bool yellow = false;
        for (int x = 0; x < 8; ++x) {
            const std::uint8_t* p = region->Scanline(region->Height() / 2) + 4 * x;
            yellow = yellow || (p[3] > 200 && p[0] > 200 && p[1] > 180 && p[2] < 120);
        }
        EXPECT_TRUE(yellow);
    }
}

TEST(PictureResources, EveryChipCursorIsAColourCursorWithItsHotSpotInTheCorner) {
    for (const char* name : kCursorNames) {
        SCOPED_TRACE(name);
        std::string error;
        const std::optional<TCursorResource> cursor = LoadCursorByName(name, &error);
        ASSERT_TRUE(cursor.has_value()) << error;
        EXPECT_EQ(cursor->Width, 49);
        EXPECT_EQ(cursor->Height, 47);
        EXPECT_EQ(cursor->HotSpotX, 0);
        EXPECT_EQ(cursor->HotSpotY, 0);
        // The image: a 40-byte bitmap header (height doubled for the mask), 32-bit colour rows and the mask.
        ByteReader header(cursor->Image);
        std::uint32_t size = 0, planesAndBits = 0;
        std::int32_t width = 0, height = 0;
        ASSERT_TRUE(header.ReadU32(size) && header.ReadI32(width) && header.ReadI32(height) &&
                    header.ReadU32(planesAndBits));
        EXPECT_EQ(size, 40u);
        EXPECT_EQ(width, 49);
        EXPECT_EQ(height, 94);
        EXPECT_EQ(planesAndBits, 1u | 32u << 16);
        EXPECT_EQ(cursor->Image.size(), 40u + 49 * 47 * 4 + 8 * 47);
    }
    std::string error;
    EXPECT_FALSE(LoadCursorByName("MainBigImage", &error).has_value());
    EXPECT_NE(error.find("MainBigImage"), std::string::npos) << error;
    EXPECT_FALSE(LoadCursorByName("7WCUR", &error).has_value());
}

TEST(PictureResources, DamagedCursorFilesAreRefused) {
    const std::span<const std::uint8_t> good = FindEmbeddedResource("100CUR");
    ASSERT_GT(good.size(), 22u);
    std::string error;
    EXPECT_TRUE(ParseCursor(good, &error).has_value()) << error;

    EXPECT_FALSE(ParseCursor({}, &error).has_value());
    EXPECT_FALSE(ParseCursor(good.first(21), &error).has_value()); // entry cut short
    EXPECT_FALSE(error.empty());

    std::vector<std::uint8_t> icon(good.begin(), good.end());
    icon[2] = 1; // an icon file, not a cursor
    EXPECT_FALSE(ParseCursor(icon, &error).has_value());

    std::vector<std::uint8_t> beyond(good.begin(), good.end());
    beyond[18] = 0xFF; // image offset far past the end
    beyond[19] = 0xFF;
    EXPECT_FALSE(ParseCursor(beyond, &error).has_value());
    EXPECT_NE(error.find("outside"), std::string::npos) << error;

    std::vector<std::uint8_t> tooLong(good.begin(), good.end());
    tooLong[14] = 0xFF; // image length runs past the end
    tooLong[15] = 0xFF;
    tooLong[16] = 0xFF;
    tooLong[17] = 0xFF;
    EXPECT_FALSE(ParseCursor(tooLong, &error).has_value());
}

} // namespace
} // namespace morvane
