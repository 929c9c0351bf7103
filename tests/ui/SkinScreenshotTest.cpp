#include "gui/Canvas.h"
#include "gui/Form.h"
#include "gui/ListView.h"
#include "support/SkinnedDialog.h"
#include "support/headless/HeadlessApp.h"
#include "ui/LovelyPanel.h"
#include "ui/PluginPictureButton.h"
#include "ui/PluginScrollBar.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

using test::BuildSkinnedDialog;
using test::TSkinnedDialog;

class SkinScreenshotTest : public test::HeadlessTest {};

TEST_F(SkinScreenshotTest, DialogWithTitleCountdownAndSkinnedList) {
    TSkinnedDialog dialog = BuildSkinnedDialog(100, 100);
    TForm* form = dialog.form.get();
    TLovelyPanel* panel = dialog.panel;
    TPictureButton* accept = dialog.accept;
    TPluginScrollbarReplacer* scrollSkin = dialog.scrollSkin;
    TListView* list = dialog.list;
    std::string path;
    platform.StartTimer(2500, [&] {
        form->PaintPending();
        path = test::SaveScreenshot(platform, form->WindowId(), "skinned_panel.png");
        panel->SetModalResult(1);
    });
    EXPECT_EQ(panel->ShowModal(), 1);
    ASSERT_FALSE(path.empty());
    // The title shows the countdown after two ticks, and the skin bars cover the list's bars.
    EXPECT_EQ(accept->CommCaption(), "确定(8)");
    EXPECT_NE(scrollSkin->Find(*list), nullptr);
    EXPECT_TRUE(scrollSkin->Find(*list)->Bar(TScrollBarKind::sbVertical).Visible());
}

} // namespace
} // namespace morvane
