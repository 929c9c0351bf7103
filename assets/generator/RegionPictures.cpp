#include "Pictures.h"

namespace artgen {

namespace {

// A glowing yellow outline, transparent inside, so that the field below shows through.
void DrawHighlight(cairo_t* cr, double w, double h) {
    constexpr double inset = 3.5;
    const double radius = 10;
    RoundedRect(cr, inset, inset, w - 2 * inset, h - 2 * inset, radius);
    cairo_set_source_rgba(cr, 1, 0.86, 0.2, 0.28);
    cairo_set_line_width(cr, 7);
    cairo_stroke(cr);
    RoundedRect(cr, inset, inset, w - 2 * inset, h - 2 * inset, radius);
    cairo_set_source_rgb(cr, 1, 0.88, 0.16);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    RoundedRect(cr, inset, inset, w - 2 * inset, h - 2 * inset, radius);
    cairo_set_source_rgba(cr, 1, 1, 0.85, 0.85);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

} // namespace

void AddRegionPictures(PictureSet& set) {
    const struct {
        const char* name;
        int w, h;
    } regions[] = {
        {"BLL_IDLEREGION", 243, 177},   {"BLL_LANDREGION", 236, 177},    {"BLL_PINGREGION", 288, 112},
        {"BLL_IDLKINGREGION", 243, 80}, {"BLL_LANDKINGREGION", 236, 80}, {"BLL_PINGKINGREGION", 288, 80},
        {"BLL_IDLPAIR", 236, 81},       {"BLL_LANDPAIR", 243, 81},       {"BLL_IDLALL", 243, 254},
        {"BLL_LANDALL", 236, 254},      {"BLL_PINGALL", 288, 189},
    };
    for (const auto& region : regions) {
        const double w = region.w;
        const double h = region.h;
        set.Add(region.name, region.w, region.h, [w, h](cairo_t* cr) { DrawHighlight(cr, w, h); });
    }
}

} // namespace artgen
