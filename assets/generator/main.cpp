// morvane-artgen: draws every named picture of the table, the chip cursors and the sounds.
//
//   morvane-artgen <output folder>
//
// writes <output>/pictures/<NAME>.png, <output>/cursors/<NAME>.cur, <output>/Sound/<GameID>/*.wav,
// <output>/Image/<GameID>/Morvane.bmp (the library's icon) and <output>/contact-sheet.png. Files whose
// content did not change are left untouched.

#include "Art.h"
#include "Pictures.h"
#include "Sounds.h"
#include "Writers.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>

namespace artgen {
namespace {

constexpr const char* kGameId = "{0001035D-3551-4ACD-8F99-65E0404FFF8D}";

void CheckNames(const PictureSet& set) {
    std::set<std::string> seen;
    for (const Picture& picture : set.All()) {
        const bool upper = std::none_of(picture.name.begin(), picture.name.end(),
                                        [](unsigned char c) { return std::islower(c) != 0; });
        if (!upper || !seen.insert(picture.name).second) {
            throw std::runtime_error("picture name not upper case or not unique: " + picture.name);
        }
    }
}

// Removes files of earlier runs that no longer belong to the set, so that nothing stale is embedded.
void RemoveStale(const std::filesystem::path& folder, const PictureSet& set, const std::string& extension) {
    std::set<std::string> wanted;
    for (const Picture& picture : set.All())
        wanted.insert(picture.name + extension);
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!wanted.contains(entry.path().filename().string())) std::filesystem::remove(entry.path());
    }
}

// Every picture on one sheet with its name under it, on a checkerboard that shows transparency.
PictureSet ContactSheet(const PictureSet& pictures, const PictureSet& cursors) {
    constexpr int kSheetWidth = 1700;
    constexpr int kGap = 12;
    constexpr int kLabel = 16;
    struct Placement {
        const Picture* picture;
        int x, y;
    };
    std::vector<Placement> placements;
    int x = kGap;
    int y = kGap;
    int rowHeight = 0;
    auto place = [&](const Picture& picture) {
        const int cellWidth = std::max(picture.Width(), 64);
        if (x + cellWidth + kGap > kSheetWidth) {
            x = kGap;
            y += rowHeight + kLabel + kGap;
            rowHeight = 0;
        }
        placements.push_back({&picture, x, y});
        x += cellWidth + kGap;
        rowHeight = std::max(rowHeight, picture.Height());
    };
    for (const Picture& picture : pictures.All())
        place(picture);
    for (const Picture& picture : cursors.All())
        place(picture);
    const int height = y + rowHeight + kLabel + kGap;

    PictureSet sheet;
    sheet.Add("CONTACT-SHEET", kSheetWidth, height, [&](cairo_t* cr) {
        cairo_set_source_rgb(cr, 0.16, 0.17, 0.18);
        cairo_paint(cr);
        for (const Placement& p : placements) {
            const int w = p.picture->Width();
            const int h = p.picture->Height();
            for (int cy = 0; cy < h; cy += 8) {
                for (int cx = 0; cx < w; cx += 8) {
                    const bool dark = ((cx + cy) / 8) % 2 == 0;
                    cairo_rectangle(cr, p.x + cx, p.y + cy, std::min(8, w - cx), std::min(8, h - cy));
                    cairo_set_source_rgb(cr, dark ? 0.32 : 0.42, dark ? 0.32 : 0.42, dark ? 0.34 : 0.44);
                    cairo_fill(cr);
                }
            }
            PaintPicture(cr, *p.picture, p.x, p.y);
            TextStyle label;
            label.family = fonts::kLatin;
            label.size = 10;
            label.fill = {0.92, 0.92, 0.9};
            DrawText(cr, p.picture->name, p.x, p.y + h + 8, Align::Left, label);
        }
    });
    return sheet;
}

int Run(const std::filesystem::path& output) {
    PictureSet pictures;
    AddTablePictures(pictures);
    AddBarPictures(pictures);
    AddRegionPictures(pictures);
    AddChipPictures(pictures);
    AddCardPictures(pictures);
    AddMarkPictures(pictures);
    AddButtonPictures(pictures);
    AddHallPictures(pictures);
    AddFormPictures(pictures);
    AddFacePictures(pictures);
    CheckNames(pictures);

    PictureSet cursors;
    AddCursorPictures(cursors);
    CheckNames(cursors);

    const std::filesystem::path pictureFolder = output / "pictures";
    const std::filesystem::path cursorFolder = output / "cursors";
    std::filesystem::create_directories(pictureFolder);
    std::filesystem::create_directories(cursorFolder);
    RemoveStale(pictureFolder, pictures, ".png");
    RemoveStale(cursorFolder, cursors, ".cur");
    for (const Picture& picture : pictures.All())
        WritePng(pictureFolder / (picture.name + ".png"), picture);
    for (const Picture& cursor : cursors.All())
        WriteCursor(cursorFolder / (cursor.name + ".cur"), cursor);
    WriteSounds(output / "Sound" / kGameId);
    // The icon is a file beside the library rather than an embedded picture, so it is not in `pictures`.
    PictureSet icon;
    AddTableIcon(icon);
    const std::filesystem::path iconFolder = output / "Image" / kGameId;
    std::filesystem::create_directories(iconFolder);
    WriteKeyedBmp(iconFolder / "Morvane.bmp", icon.All().front());
    WritePng(output / "contact-sheet.png", ContactSheet(pictures, cursors).All().front());
    std::cout << "morvane-artgen: " << pictures.All().size() << " pictures, " << cursors.All().size()
              << " cursors\n";
    return 0;
}

} // namespace
} // namespace artgen

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: morvane-artgen <output folder>\n";
        return 2;
    }
    try {
        return artgen::Run(argv[1]);
    } catch (const std::exception& error) {
        std::cerr << "morvane-artgen: " << error.what() << '\n';
        return 1;
    }
}
