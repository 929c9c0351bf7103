#include "graphics/PictureResources.h"
#include "support/headless/HeadlessApp.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

using SharedPictures = test::HeadlessTest;

TEST_F(SharedPictures, EveryAskerOfOneNameGetsTheSamePixelsWhateverTheCase) {
    std::unique_ptr<TPngImage> first = LoadPictureByName("bll_TuoPan");
    std::unique_ptr<TPngImage> second = LoadPictureByName("BLL_TUOPAN");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(first->SharesPixelsWith(*second));
    EXPECT_EQ(second->Width(), 280);
    EXPECT_EQ(second->Height(), 174);
    EXPECT_FALSE(first->SharesPixelsWith(*LoadPictureByName("MASK")));
}

TEST_F(SharedPictures, ACopyHandedToAControlKeepsThePixelsAliveForTheNextAsker) {
    std::unique_ptr<TPngImage> loaded = LoadPictureByName("Quest1");
    ASSERT_NE(loaded, nullptr);
    auto heldByAControl = std::make_unique<TPngImage>(*loaded);
    loaded.reset();
    EXPECT_EQ(app.Pictures().LiveCount(), 1u);
    EXPECT_TRUE(LoadPictureByName("QUEST1")->SharesPixelsWith(*heldByAControl));
    heldByAControl.reset();
    EXPECT_EQ(app.Pictures().LiveCount(), 0u);
}

TEST_F(SharedPictures, NothingStaysAliveOnceEveryHolderIsGone) {
    {
        std::unique_ptr<TPngImage> felt = LoadPictureByName("MainBigImage");
        TButtonPictures save = LoadButtonPictures("Save");
        ASSERT_NE(felt, nullptr);
        ASSERT_NE(save.Comm, nullptr);
        EXPECT_EQ(app.Pictures().LiveCount(), 5u);
    }
    EXPECT_EQ(app.Pictures().LiveCount(), 0u);
    std::unique_ptr<TPngImage> again = LoadPictureByName("MainBigImage");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Width(), 1024);
}

TEST_F(SharedPictures, ACopyThatIsDrawnOnLeavesThePictureOtherTablesGet) {
    std::unique_ptr<TPngImage> mine = LoadPictureByName("Mask");
    ASSERT_NE(mine, nullptr);
    const TPngImage pristine = *LoadPictureByName("Mask");
    std::uint8_t* row = mine->Scanline(0);
    row[0] = std::uint8_t(row[0] ^ 0xFF);
    EXPECT_FALSE(mine->SharesPixelsWith(pristine));
    std::unique_ptr<TPngImage> theirs = LoadPictureByName("MASK");
    EXPECT_TRUE(theirs->SharesPixelsWith(pristine));
    EXPECT_EQ(*theirs, pristine);
}

TEST(PictureSizeByName, TheHeaderGivesTheDecodedSizeOfEveryPictureAndNothingForOtherResources) {
    for (const char* name : {"MainBigImage", "bll_Caluture", "RightDown", "Time3", "SaveGray", "H100"}) {
        const std::optional<TPictureSize> size = PictureSizeByName(name);
        const std::unique_ptr<TPngImage> picture = LoadPictureByName(name);
        ASSERT_TRUE(size.has_value()) << name;
        ASSERT_NE(picture, nullptr) << name;
        EXPECT_EQ(size->Width, picture->Width()) << name;
        EXPECT_EQ(size->Height, picture->Height()) << name;
    }
    EXPECT_FALSE(PictureSizeByName("NoSuchPicture").has_value());
    EXPECT_FALSE(PictureSizeByName("5WCUR").has_value()) << "a cursor is not a PNG picture";
}

} // namespace
} // namespace morvane
