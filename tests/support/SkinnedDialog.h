#pragma once

#include "gui/Form.h"
#include "gui/ListView.h"
#include "ui/LovelyPanel.h"
#include "ui/PluginPictureButton.h"
#include "ui/PluginScrollBar.h"

#include <memory>

namespace morvane::test {

// A skinned dialog as the hall panels look: a skinned panel with a title band, a list view of users with
// XP-skinned scroll bars, and two picture buttons, the first counting the panel's remaining seconds.
// The same dialog is drawn on the headless platform and on the Windows platform under Wine.
struct TSkinnedDialog {
    std::unique_ptr<TForm> form;
    TLovelyPanel* panel{nullptr};
    TListView* list{nullptr};
    TPictureButton* accept{nullptr};
    TPictureButton* cancel{nullptr};
    TPluginScrollbarReplacer* scrollSkin{nullptr};
};

// Builds the dialog at (left, top), not yet shown; the skin pictures live as long as the process.
TSkinnedDialog BuildSkinnedDialog(int left, int top);

} // namespace morvane::test
