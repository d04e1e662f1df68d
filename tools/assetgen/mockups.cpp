// Screens put together from the generated pictures at the places the game
// draws them, for looking at the art as a player sees it.
// SPDX-License-Identifier: MIT
#include "tools/assetgen/draw.h"
#include "tools/assetgen/font_book.h"
#include "tools/assetgen/generators.h"

#include <filesystem>
#include <string>

namespace AssetGen
{

namespace
{

class Screen
{
public:
    Screen(const AssetStore& store, int w, int h) : store(store), canvas(w, h) {}

    // Draws a picture centred at (x, y), optionally one cell of it, optionally stretched.
    void Centred(const std::string& path, double x, double y, double cellX = 0, double cellY = 0,
                 double cellW = 0, double cellH = 0, double drawW = 0, double drawH = 0)
    {
        const StoredPicture* pic = store.FindPicture(path);
        if (pic == nullptr)
        {
            return;
        }
        const double w = cellW > 0 ? cellW : pic->width;
        const double h = cellH > 0 ? cellH : pic->height;
        const double dw = drawW > 0 ? drawW : w;
        const double dh = drawH > 0 ? drawH : h;
        cairo_t* cr = canvas.Cr();
        cairo_save(cr);
        cairo_rectangle(cr, x - dw / 2, y - dh / 2, dw, dh);
        cairo_clip(cr);
        cairo_translate(cr, x - dw / 2, y - dh / 2);
        cairo_scale(cr, dw / w, dh / h);
        PaintStoredPicture(cr, *pic, -cellX, -cellY, 1.0);
        cairo_restore(cr);
    }

    // Text in place of the game's own: a sans face, just to judge the free places.
    void Text(const std::string& s, double x, double y, Rgb colour, double size = 20)
    {
        TextStyle ts;
        ts.face = Face::Display;
        ts.size = size;
        ts.outlineWidth = 1.2;
        DrawText(canvas.Cr(), s, x, y, ts, colour, Rgb{0.05, 0.08, 0.12});
    }

    [[nodiscard]] bool Write(const std::string& path, std::string& error) const
    {
        return WriteFileAtomically(path, canvas.EncodePng(), error);
    }

    const AssetStore& store;
    Canvas canvas;
};

} // namespace

bool WriteScreenMockups(const AssetStore& store, const std::string& folder, std::string& error)
{
    std::filesystem::create_directories(folder);
    for (int area = 1; area <= 4; ++area)
    {
        // A stage at 1024 × 768: backdrop, objects, basket, bonus line, strip.
        Screen s(store, 1024, 768);
        const std::string a = std::to_string(area);
        s.Centred("images/game_fon/ocean_" + a + ".png", 512, 384);
        const int lanes[] = {390, 480, 570, 660, 750, 840};
        const char* falling[] = {"images/objects/1/1.png", "images/obj_jew/3.png", "images/obj_bomb/2.png",
                                 "images/bonuses/time.png", "images/objects/1/4.png", "images/objects/1/6.png"};
        for (int i = 0; i < 6; ++i)
        {
            s.Centred(falling[(i + area) % 6], lanes[i], 150 + ((i * 97 + area * 53) % 380));
        }
        s.Centred("images/baskets/2.png", 570, 612);
        for (int i = 0; i < 5; ++i)
        {
            s.Centred("images/objects/1/" + std::to_string(i + 1) + ".png", 770 + i * 30, 700, 0, 0, 0, 0, 30, 30);
        }
        s.Centred("images/bubbles/3.png", 183, 600);
        s.Centred("images/bubbles/2.png", 183, 560);
        s.Centred("images/fishes.png", 300, 300);
        s.Centred("images/game_fon/layer_" + a + ".png", 512, 768 - 100);
        s.Centred("images/jewel_cp.png", 60, 384 + 15);
        s.Centred("images/zeve_cp.png", 60, 384 + 55);
        s.Centred("images/health_cp.png", 60, 384 + 95);
        s.Text("12", 100, 384 + 11, Rgb{0, 0, 0});
        s.Text("250", 100, 384 + 50, Rgb{0, 0, 0});
        s.Text("15", 100, 384 + 92, Rgb{0, 0, 0});
        s.Text("1:25", 75, 384 - 127, Rgb{0, 0, 0});
        s.Centred("images/btn_def.png", 28 + 47, 35 - 13, 0, 0, 108, 27, 94, 26);
        s.Text("Menu", 75, 20, Rgb{1, 1, 1}, 16);
        if (area == 2)
        {
            s.Centred("images/dialog/stage_finish/dlg.png", 512, 384);
            s.Text("23", 567 + 20, 384 - 55, Rgb{1, 1, 1}, 26);
            s.Text("140", 567 + 20, 384 - 23, Rgb{1, 1, 1}, 26);
            s.Text("92%", 567 + 25, 384 + 8, Rgb{1, 1, 1}, 26);
            s.Centred("images/great_job.png", 512, 384 + 75);
            s.Centred("images/dialog/stage_finish/replay.png", 512 - 80, 384 + 150, 0, 52, 97, 26);
            s.Centred("images/dialog/stage_finish/ok.png", 512 + 80, 384 + 150, 0, 26, 50, 26);
        }
        if (area == 3)
        {
            s.Centred("images/dialog/stage_start/dlg.png", 512, 384);
            s.Text("3 - 4", 514, 359, Rgb{1, 1, 1}, 26);
            s.Text("54", 602, 391, Rgb{1, 1, 1}, 26);
            s.Text("3", 602, 424, Rgb{1, 1, 1}, 26);
            s.Centred("images/dialog/btn_ok.png", 512, 484, 0, 0, 76, 38);
        }
        if (area == 4)
        {
            s.Centred("images/snow.png", 75, 384 - 127);
            s.Centred("images/effects/boom/3.png", 660, 560);
        }
        if (!s.Write(folder + "/stage_" + a + ".png", error))
        {
            return false;
        }
    }
    {
        Screen s(store, 1024, 768);
        s.Centred("images/fon_start.jpg", 512, 384);
        s.Text("Welcom,", 512, 384 - 70, Hex(0x921F86), 24);
        s.Text("Diver!", 512, 384 - 25, Hex(0x921F86), 24);
        s.Text("if you not Diver click here", 512, 384 + 40, Rgb{1, 1, 1}, 16);
        s.Centred("images/rules.png", 512 - 101 - 60, 384 - 104, 0, 0, 120, 120);
        s.Centred("images/options.png", 512 + 144, 384 - 103, 120, 0, 120, 120);
        s.Centred("images/play.png", 512 + 51 - 60, 384 + 184, 0, 0, 120, 120);
        if (!s.Write(folder + "/start.png", error))
        {
            return false;
        }
    }
    {
        Screen s(store, 1024, 768);
        s.Centred("images/dialog/achivements.jpg", 512, 384);
        const int pts[][2] = {{100, 25}, {118, 18}, {138, 30}, {160, 23}, {185, 35}, {200, 17}, {320, 15}, {340, 14}};
        for (int i = 0; i < 8; ++i)
        {
            const bool star = i == 0 || i == 6;
            const std::string state = i < 6 ? "1" : (i == 6 ? "3" : "2");
            s.Centred(std::string("images/waypt/") + (star ? "star_" : "") + state + ".png", pts[i][0], pts[i][1]);
        }
        s.Text("Lost ship", 507, 97, Hex(0x6E0205), 30);
        s.Text("2 - 1", 507, 214, Hex(0xFFFF0A), 28);
        s.Text("350", 227, 384, Hex(0xFFFF0A), 28);
        s.Text("120", 227, 454, Hex(0xFFFF0A), 28);
        for (int k = 0; k < 3; ++k)
        {
            s.Text(std::to_string(3 - k), 867, 349 + k * 45, Hex(0xFFFF0A), 26);
        }
        s.Centred("images/zeve_cp.png", 172, 394);
        s.Centred("images/jewel_cp.png", 172, 462);
        s.Centred("images/dialog/btn_achive_play.png", 512, 399, 0, 0, 140, 50);
        s.Centred("images/dialog/shop.png", 542, 638, 0, 0, 106, 39);
        s.Centred("images/dialog/workshop.png", 542, 710, 0, 117, 140, 39);
        s.Text("Profiles", 42, 750, Rgb{1, 1, 1}, 15);
        if (!s.Write(folder + "/map.png", error))
        {
            return false;
        }
    }
    {
        // The shop over the map.
        Screen s(store, 1024, 768);
        s.Centred("images/dialog/achivements.jpg", 512, 384);
        s.Centred("images/dialog/shop/dlg.png", 512, 384);
        s.Text("Shop", 512, 384 - 240, Hex(0xFFFF0A), 20);
        s.Text("Your cash : 350", 512, 384 - 190, Hex(0x6E0205), 18);
        s.Centred("images/baskets/2.png", 512, 384 - 120);
        s.Centred("images/btn_left.png", 512 - 90, 384 - 120, 0, 0, 26, 35);
        s.Centred("images/btn_right.png", 512 + 90, 384 - 120, 0, 0, 26, 35);
        s.Text("Volume : 40", 512, 384 - 50, Hex(0x6E0205), 18);
        s.Text("Health : 20", 512, 384 - 20, Hex(0x6E0205), 18);
        s.Text("Price : 200", 512, 384 + 10, Hex(0x6E0205), 18);
        s.Text("Time to play : 90", 512, 384 + 40, Hex(0x6E0205), 18);
        s.Centred("images/dialog/btn_use_jewels.png", 512, 384 + 90, 14, 135, 169, 42);
        s.Centred("images/dialog/btn_buy.png", 512 + 65, 384 + 160, 14, 9, 109, 38);
        s.Centred("images/dialog/btn_return.png", 512 - 70, 384 + 160, 14, 58, 108, 38);
        if (!s.Write(folder + "/shop.png", error))
        {
            return false;
        }
    }
    return true;
}

} // namespace AssetGen
