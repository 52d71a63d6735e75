// A sheet of all generated pictures, scaled up with their key colour replaced by a backdrop,
// for looking at the art in one picture.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Toolkit.h"

namespace art {

int WriteContactSheet(const std::string& folder, const std::string& outPng, const std::string& filter, double scale) {
    namespace fs = std::filesystem;
    std::vector<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        if (!e.is_regular_file() || e.path().extension() != ".png") continue;
        std::string rel = fs::relative(e.path(), folder).string();
        if (!filter.empty() && rel.find(filter) == std::string::npos) continue;
        files.push_back(rel);
    }
    std::sort(files.begin(), files.end());
    const int sheetW = 1800, pad = 8, label = 14;
    struct Item {
        std::string name;
        Picture pic;
        int x, y, w, h;
    };
    std::vector<Item> items;
    int x = pad, y = pad, rowH = 0;
    for (const auto& f : files) {
        Item it;
        it.name = f;
        if (!DecodePng(folder + "/" + f, it.pic)) continue;
        double s = it.pic.width == 800 && it.pic.height == 600 ? std::min(scale, 0.5) : scale;
        it.w = int(it.pic.width * s), it.h = int(it.pic.height * s);
        if (x + it.w > sheetW - pad && x > pad) {
            x = pad;
            y += rowH + label + pad;
            rowH = 0;
        }
        it.x = x, it.y = y + label;
        x += std::max(it.w, 120) + pad;
        rowH = std::max(rowH, it.h);
        items.push_back(std::move(it));
    }
    const int sheetH = y + rowH + label + pad;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, sheetW, sheetH);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 0.25, 0.25, 0.28);
    cairo_paint(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 11);
    for (auto& it : items) {
        bool opaque = it.pic.width == 800 && it.pic.height == 600;
        uint32_t key = it.pic.At(0, 0);
        cairo_surface_t* img = cairo_image_surface_create(CAIRO_FORMAT_RGB24, it.pic.width, it.pic.height);
        cairo_surface_flush(img);
        auto* data = cairo_image_surface_get_data(img);
        int stride = cairo_image_surface_get_stride(img);
        for (int py = 0; py < it.pic.height; ++py) {
            auto* row = reinterpret_cast<uint32_t*>(data + size_t(py) * stride);
            for (int px = 0; px < it.pic.width; ++px) {
                uint32_t v = it.pic.At(px, py);
                if (!opaque && v == key) v = ((px / 8 + py / 8) % 2) ? 0x9CC3DC : 0x8FB8D2;
                row[px] = v;
            }
        }
        cairo_surface_mark_dirty(img);
        cairo_save(cr);
        cairo_translate(cr, it.x, it.y);
        cairo_scale(cr, double(it.w) / it.pic.width, double(it.h) / it.pic.height);
        cairo_set_source_surface(cr, img, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(img);
        cairo_set_source_rgb(cr, 1, 1, 0.85);
        cairo_move_to(cr, it.x, it.y - 3);
        cairo_show_text(cr, it.name.c_str());
    }
    cairo_destroy(cr);
    cairo_status_t st = cairo_surface_write_to_png(s, outPng.c_str());
    cairo_surface_destroy(s);
    std::printf("contact sheet: %zu pictures, %dx%d -> %s\n", items.size(), sheetW, sheetH, outPng.c_str());
    return st == CAIRO_STATUS_SUCCESS ? 0 : 1;
}

}  // namespace art
