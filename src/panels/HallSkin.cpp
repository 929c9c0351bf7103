#include "panels/HallSkin.h"

#include "graphics/PictureResources.h"
#include "gui/ImageList.h"
#include "panels/FaceNames.h"
#include "ui/LovelyPanel.h"

#include <cstdio>

namespace morvane {
namespace {

constexpr const char* kPanelPicture = "HALLPANEL";
// The rows above and columns left of these are kept; these are repeated to fill the panel.
constexpr int kPanelCenterX = 60;
constexpr int kPanelCenterY = 50;

} // namespace

bool AddButtonFamily(TImageList& images, std::string_view base) {
    const TButtonPictures family = LoadButtonPictures(base);
    if (!family.Comm) return false;
    if (images.Count() == 0) images.SetSize(family.Comm->Width(), family.Comm->Height());
    for (const auto* picture : {&family.Comm, &family.Move, &family.Down, &family.Gray})
        images.Add(*picture ? **picture : *family.Comm);
    return true;
}

TImageList* MakeButtonList(TComponent& owner, std::string_view base) {
    auto* images = owner.Own(std::make_unique<TImageList>(&owner));
    AddButtonFamily(*images, base);
    return images;
}

TImageList* MakeFaceList(TComponent& owner) {
    constexpr int kFaceSize = 24;
    auto* faces = owner.Own(std::make_unique<TImageList>(&owner, kFaceSize, kFaceSize));
    for (int n = 0; n < kFaceCount; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "FACE%03d", n);
        const std::unique_ptr<TPngImage> picture = LoadPictureByName(name);
        if (!picture) break; // the faces after a missing one would take the wrong numbers
        faces->Add(*picture);
    }
    return faces;
}

void DressFloatingPanel(TLovelyPanel& panel) {
    const std::unique_ptr<TPngImage> picture = LoadPictureByName(kPanelPicture);
    if (!picture) return;
    panel.SetCenterX(kPanelCenterX);
    panel.SetCenterY(kPanelCenterY);
    panel.SetPicture(picture.get());
}

} // namespace morvane
