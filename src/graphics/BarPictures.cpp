#include "graphics/BarPictures.h"

#include "graphics/PictureResources.h"

namespace morvane {

TPngImage BarPicture(std::string_view name) {
    std::unique_ptr<TPngImage> picture = LoadPictureByName(name);
    return picture ? std::move(*picture) : TPngImage();
}

void LoadBarButton(TPictureButton& button, std::string_view base) {
    TButtonPictures faces = LoadButtonPictures(base);
    if (faces.Comm) button.SetCommPicture(*faces.Comm);
    if (faces.Move) button.SetMovePicture(*faces.Move);
    if (faces.Down) button.SetDownPicture(*faces.Down);
    if (faces.Gray) button.SetGrayPicture(*faces.Gray);
}

} // namespace morvane
