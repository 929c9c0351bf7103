#include "gui/Form.h"
#include "support/SolidPicture.h"
#include "support/headless/HeadlessApp.h"
#include "ui/LovelyButton.h"
#include "ui/LovelyTextBtn.h"
#include "ui/PluginPictureButton.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

using test::SolidPicture;

class SkinButtonTest : public test::HeadlessTest {
protected:
    SkinButtonTest() {
        form->SetBounds(0, 0, 120, 80);
        form->SetColor(clWhite);
        form->Show();
    }
    template <typename T>
    T* Place(int left, int top) {
        T* control = form->Own(std::make_unique<T>(form.get()));
        control->SetParent(form.get());
        control->SetLeft(left);
        control->SetTop(top);
        return control;
    }
    TColor At(int x, int y) {
        platform.RunUntilIdle();
        return form->Framebuffer().Pixel(x, y);
    }

    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
};

TEST_F(SkinButtonTest, PictureButtonWithoutDownPictureMovesByTheOffsetOnlyForTheLeftButton) {
    auto* button = Place<TPictureButton>(10, 10);
    button->SetCommPicture(SolidPicture(8, 6, clRed));
    EXPECT_EQ(button->Width(), 8);
    EXPECT_EQ(button->Height(), 6);
    EXPECT_EQ(At(10, 10), clRed);

    platform.MouseDown({12, 12}, TMouseButton::mbRight);
    EXPECT_EQ(At(10, 10), clRed);
    platform.MouseUp({12, 12}, TMouseButton::mbRight);

    platform.MouseDown({12, 12});
    EXPECT_EQ(At(10, 10), clWhite);
    EXPECT_EQ(At(11, 11), clRed);
    EXPECT_EQ(At(17, 15), clRed);
    platform.MouseUp({12, 12});
    EXPECT_EQ(At(10, 10), clRed);
}

TEST_F(SkinButtonTest, PictureButtonPicksThePictureOfItsState) {
    auto* button = Place<TPictureButton>(10, 10);
    button->SetCommPicture(SolidPicture(8, 6, clRed));
    button->SetMovePicture(SolidPicture(8, 6, clLime));
    button->SetDownPicture(SolidPicture(8, 6, clBlue));
    button->SetOffsetX(0);
    button->SetOffsetY(0);
    platform.MouseMove({12, 12});
    EXPECT_EQ(At(10, 10), clLime);
    platform.MouseDown({12, 12});
    EXPECT_EQ(At(10, 10), clBlue);
    platform.MouseUp({12, 12});
    // Disabled without a grey picture: the normal one.
    button->SetEnabled(false);
    EXPECT_EQ(At(10, 10), clRed);
}

TEST_F(SkinButtonTest, HoverEndsWhenTheMouseLeavesOrTheButtonIsDisabled) {
    auto* button = Place<TPictureButton>(10, 10);
    button->SetCommPicture(SolidPicture(8, 6, clRed));
    button->SetMovePicture(SolidPicture(8, 6, clLime));
    platform.MouseMove({12, 12});
    EXPECT_TRUE(button->Hovered());
    platform.MouseMove({60, 60});
    EXPECT_FALSE(button->Hovered());
    EXPECT_EQ(At(10, 10), clRed);

    platform.MouseMove({12, 12});
    EXPECT_TRUE(button->Hovered());
    button->SetEnabled(false);
    platform.AdvanceBy(THoverButton::kHoverInterval);
    EXPECT_FALSE(button->Hovered());
}

TEST_F(SkinButtonTest, CaptionIsWrittenOnlyWhenItHasWidth) {
    auto* button = Place<TPictureButton>(10, 10);
    button->SetCommPicture(SolidPicture(60, 20, clWhite));
    button->SetCommCaption("确定");
    button->SetCommX(4);
    button->SetCommY(2);
    platform.RunUntilIdle();
    int dark = 0;
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 70; ++x)
            dark += GetRValue(form->Framebuffer().Pixel(x, y)) < 128;
    EXPECT_GT(dark, 10);
}

TEST_F(SkinButtonTest, PicturesLoadByResourceNameAndMissingOnesStayEmpty) {
    const std::vector<std::uint8_t> png = SolidPicture(5, 4, clRed).SaveToBytes();
    const std::vector<std::uint8_t> broken{0x89, 'P', 'N', 'G', 1, 2, 3};
    TResourceLookup lookup = [&](const std::string& name) -> std::span<const std::uint8_t> {
        if (name == "CloseComm" || name == "CloseDown") return png;
        if (name == "CloseMove") return broken;
        return {};
    };
    auto* button = Place<TPictureButton>(0, 0);
    button->LoadPictures("Close", lookup);
    EXPECT_EQ(button->Width(), 5);
    EXPECT_FALSE(button->DownPicture().Empty());
    EXPECT_TRUE(button->MovePicture().Empty());
    EXPECT_TRUE(button->GrayPicture().Empty());

    TPngImage picture = SolidPicture(2, 2, clBlue);
    EXPECT_FALSE(LoadPictureFromResource(picture, "Nothing", lookup));
    EXPECT_TRUE(picture.Empty());
    EXPECT_FALSE(LoadPictureFromResource(picture, "CloseMove", lookup));
    EXPECT_FALSE(picture.Error().empty());
}

TEST_F(SkinButtonTest, LovelyButtonShowsTheFourImagesFromItsStartIndex) {
    TImageList* images = form->Own(std::make_unique<TImageList>(form.get(), 6, 6));
    const TColor colours[8] = {0x000001, 0x000002, 0x000003, 0x000004, clRed, clLime, clBlue, clYellow};
    for (TColor colour : colours)
        images->Add(SolidPicture(6, 6, colour));
    auto* button = Place<TLovelyButton>(10, 10);
    button->SetImages(images);
    button->SetStartIndex(4);
    EXPECT_EQ(button->Width(), 6);
    EXPECT_EQ(At(12, 12), clRed);
    platform.MouseMove({12, 12});
    EXPECT_EQ(At(12, 12), clLime);
    platform.MouseDown({12, 12}, TMouseButton::mbRight);
    EXPECT_EQ(At(12, 12), clBlue);
    platform.MouseUp({12, 12}, TMouseButton::mbRight);
    EXPECT_EQ(At(12, 12), clLime);
    button->SetEnabled(false);
    EXPECT_EQ(At(12, 12), clYellow);
}

TEST_F(SkinButtonTest, LovelyButtonForgetsAFreedImageList) {
    auto images = std::make_unique<TImageList>(nullptr, 6, 6);
    images->Add(SolidPicture(6, 6, clRed));
    auto* button = Place<TLovelyButton>(10, 10);
    button->SetImages(images.get());
    images.reset();
    EXPECT_EQ(button->Images(), nullptr);
    platform.RunUntilIdle(); // paints the fallback without the list
}

TEST_F(SkinButtonTest, TextButtonStretchesTheMiddleColumnAndKeysOutMagenta) {
    // A 6 × 4 state picture: left half red, right half blue, magenta top-left pixel.
    TPngImage picture = SolidPicture(6, 4, clRed);
    for (int y = 0; y < 4; ++y)
        for (int x = 3; x < 6; ++x) {
            std::uint8_t* p = picture.Scanline(y) + x * 3;
            p[0] = 0;
            p[2] = 255;
        }
    picture.Scanline(0)[1] = 0;
    picture.Scanline(0)[2] = 255; // (0, 0) becomes magenta
    TImageList* images = form->Own(std::make_unique<TImageList>(form.get(), 6, 4));
    for (int i = 0; i < 4; ++i)
        images->Add(picture);
    auto* button = Place<TLovelyTextBtn>(10, 10);
    button->SetImages(images);
    EXPECT_EQ(button->Width(), 75);
    EXPECT_EQ(button->Height(), 4);
    EXPECT_EQ(At(10, 10), clWhite);
    EXPECT_EQ(At(12, 11), clRed);
    EXPECT_EQ(At(40, 11), clBlue); // the middle column (x = 3) stretched
    EXPECT_EQ(At(84, 11), clBlue); // right half at the right edge
    EXPECT_EQ(At(10 + 75, 11), clWhite);
}

} // namespace
} // namespace morvane
