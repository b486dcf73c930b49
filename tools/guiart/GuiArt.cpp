// corvale-guiart: draws the panels and buttons of our GUI layers procedurally (rounded boxes with
// a vertical gradient, a border and a soft top highlight), and the window icon, as PNG files.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/Allocator.h"
#include "core/FileStdio.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"

using namespace Corvale;

namespace
{
struct Rgba
{
   float r, g, b, a;
};

// One picture: a rounded box filling the image less its shadow margin.
struct Piece
{
   const char* name;
   int width;
   int height;
   float radius;
   float border;
   Rgba top;
   Rgba bottom;
   Rgba borderColor;
   // Shadow below and to the right, in pixels; 0 for none.
   int shadow;
};

// Message-box art: the panel and the four press-button states.
const Piece pieces[] = {
    {"Panel",
     540,
     300,
     18.0f,
     3.0f,
     {0.16f, 0.36f, 0.25f, 0.97f},
     {0.08f, 0.20f, 0.14f, 0.97f},
     {0.86f, 0.74f, 0.42f, 1.0f},
     8},
    {"ButtonUp",
     150,
     46,
     12.0f,
     2.0f,
     {0.32f, 0.46f, 0.66f, 1.0f},
     {0.16f, 0.25f, 0.42f, 1.0f},
     {0.90f, 0.92f, 0.96f, 1.0f},
     3},
    {"ButtonOver",
     150,
     46,
     12.0f,
     2.0f,
     {0.44f, 0.60f, 0.82f, 1.0f},
     {0.22f, 0.34f, 0.56f, 1.0f},
     {1.0f, 1.0f, 1.0f, 1.0f},
     3},
    {"ButtonDown",
     150,
     46,
     12.0f,
     2.0f,
     {0.12f, 0.20f, 0.34f, 1.0f},
     {0.24f, 0.36f, 0.54f, 1.0f},
     {0.80f, 0.84f, 0.90f, 1.0f},
     0},
    {"ButtonDisabled",
     150,
     46,
     12.0f,
     2.0f,
     {0.42f, 0.42f, 0.44f, 0.9f},
     {0.30f, 0.30f, 0.32f, 0.9f},
     {0.60f, 0.60f, 0.62f, 0.9f},
     3},
};

// Loading-screen art: its panel, the progress bar's trough and its fill.
const Piece loadingScreenPieces[] = {
    {"Panel",
     440,
     150,
     18.0f,
     3.0f,
     {0.16f, 0.36f, 0.25f, 0.97f},
     {0.08f, 0.20f, 0.14f, 0.97f},
     {0.86f, 0.74f, 0.42f, 1.0f},
     8},
    {"BarBackground",
     364,
     30,
     9.0f,
     2.0f,
     {0.03f, 0.08f, 0.05f, 1.0f},
     {0.08f, 0.15f, 0.10f, 1.0f},
     {0.70f, 0.60f, 0.34f, 1.0f},
     0},
    {"BarFill",
     356,
     22,
     6.0f,
     1.0f,
     {0.98f, 0.86f, 0.48f, 1.0f},
     {0.78f, 0.56f, 0.18f, 1.0f},
     {0.99f, 0.92f, 0.66f, 1.0f},
     0},
};

// A full-screen picture: table felt lit from the middle, darkening towards the edges, under a
// faint diamond lattice. It is stretched to the screen, so it stays smooth rather than detailed.
struct Backdrop
{
   const char* name;
   int width;
   int height;
   Rgba centre;
   Rgba edge;
   // Distance between lattice lines, in pixels.
   float lattice;
   // How much lighter a lattice line is than the felt under it.
   float latticeStrength;
};

const Backdrop loadingScreenBackdrop = {
    "Background", 640, 480, {0.12f, 0.38f, 0.23f, 1.0f}, {0.02f, 0.10f, 0.06f, 1.0f}, 48.0f, 0.07f};

Rgba Mix(const Rgba& a, const Rgba& b, float t);

// Face-creator art: the panel, the portrait frame, tab and small buttons, option slots and their
// selection ring, arrow buttons (their glyph drawn from the name), swatches and toggles.
std::vector<Piece> FaceCreatorPiecesMake()
{
   const Rgba gold{0.86f, 0.74f, 0.42f, 1.0f};
   const Rgba white{0.90f, 0.92f, 0.96f, 1.0f};
   std::vector<Piece> made = {
       {"Panel", 920, 680, 18.0f, 3.0f, {0.16f, 0.36f, 0.25f, 0.97f}, {0.08f, 0.20f, 0.14f, 0.97f}, gold, 8},
       {"PortraitFrame",
        276,
        276,
        14.0f,
        3.0f,
        {0.80f, 0.86f, 0.90f, 1.0f},
        {0.56f, 0.66f, 0.74f, 1.0f},
        gold,
        0},
       {"SmallPanel",
        540,
        380,
        18.0f,
        3.0f,
        {0.16f, 0.36f, 0.25f, 0.97f},
        {0.08f, 0.20f, 0.14f, 0.97f},
        gold,
        8},
       {"Selection",
        72,
        72,
        10.0f,
        3.0f,
        {1.0f, 0.9f, 0.5f, 0.0f},
        {1.0f, 0.9f, 0.5f, 0.0f},
        {1.0f, 0.84f, 0.30f, 1.0f},
        0},
   };
   struct Look
   {
      const char* state;
      Rgba top, bottom, border;
   };
   const Look looks[] = {
       {"Up", {0.32f, 0.46f, 0.66f, 1.0f}, {0.16f, 0.25f, 0.42f, 1.0f}, white},
       {"Over", {0.44f, 0.60f, 0.82f, 1.0f}, {0.22f, 0.34f, 0.56f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}},
       {"Down", {0.12f, 0.20f, 0.34f, 1.0f}, {0.24f, 0.36f, 0.54f, 1.0f}, {0.80f, 0.84f, 0.90f, 1.0f}},
       {"Disabled", {0.42f, 0.42f, 0.44f, 0.9f}, {0.30f, 0.30f, 0.32f, 0.9f}, {0.60f, 0.60f, 0.62f, 0.9f}},
       {"On", {0.86f, 0.70f, 0.30f, 1.0f}, {0.62f, 0.46f, 0.16f, 1.0f}, {1.0f, 0.95f, 0.80f, 1.0f}},
   };
   static std::vector<std::string> names;
   names.clear();
   names.reserve(128);
   struct Kind
   {
      const char* prefix;
      int width, height;
      float radius;
   };
   const Kind kinds[] = {{"Tab", 96, 40, 9.0f},        {"Small", 124, 40, 10.0f},
                         {"Option", 64, 64, 8.0f},     {"ArrowUp", 40, 40, 9.0f},
                         {"ArrowDown", 40, 40, 9.0f},  {"ArrowLeft", 40, 40, 9.0f},
                         {"ArrowRight", 40, 40, 9.0f}, {"Toggle", 96, 36, 9.0f}};
   for (const Kind& kind : kinds)
   {
      for (const Look& look : looks)
      {
         const bool option = std::strcmp(kind.prefix, "Option") == 0;
         names.push_back(std::string(kind.prefix) + look.state);
         Rgba top = option ? Mix(look.top, {0.92f, 0.94f, 0.96f, 1.0f}, 0.65f) : look.top;
         Rgba bottom = option ? Mix(look.bottom, {0.80f, 0.84f, 0.88f, 1.0f}, 0.65f) : look.bottom;
         made.push_back({nullptr, kind.width, kind.height, kind.radius, 2.0f, top, bottom, look.border, 2});
      }
   }
   // Skin swatches, off and on.
   const Rgba skins[10] = {{0.99f, 0.90f, 0.85f, 1.0f}, {0.96f, 0.84f, 0.74f, 1.0f},
                           {0.93f, 0.75f, 0.61f, 1.0f}, {0.83f, 0.65f, 0.45f, 1.0f},
                           {0.75f, 0.55f, 0.37f, 1.0f}, {0.55f, 0.36f, 0.23f, 1.0f},
                           {0.37f, 0.24f, 0.15f, 1.0f}, {0.91f, 0.56f, 0.47f, 1.0f},
                           {0.55f, 0.78f, 0.43f, 1.0f}, {0.59f, 0.66f, 0.47f, 1.0f}};
   for (int i = 0; i < 10; ++i)
   {
      for (int on = 0; on < 2; ++on)
      {
         names.push_back("Skin" + std::to_string(i) + (on ? "On" : "Off"));
         made.push_back({nullptr, 36, 36, 18.0f, on ? 4.0f : 2.0f, skins[i],
                         Mix(skins[i], {0, 0, 0, 1}, 0.2f),
                         on ? Rgba{1.0f, 0.84f, 0.30f, 1.0f} : Rgba{0.20f, 0.20f, 0.22f, 1.0f}, 0});
      }
   }
   for (size_t i = 4, n = 0; i < made.size(); ++i, ++n)
   {
      made[i].name = names[n].c_str();
   }
   return made;
}

const std::vector<Piece> faceCreatorPieces = FaceCreatorPiecesMake();

// Dialog art: the speech balloon, its continue indicator and the frame of the speaker's portrait.
const Piece dialogPieces[] = {
    {"Balloon",
     440,
     130,
     20.0f,
     3.0f,
     {0.99f, 0.97f, 0.90f, 0.97f},
     {0.93f, 0.89f, 0.78f, 0.97f},
     {0.36f, 0.27f, 0.16f, 1.0f},
     6},
    {"ArrowDownIndicator",
     28,
     28,
     14.0f,
     2.0f,
     {0.86f, 0.66f, 0.24f, 1.0f},
     {0.64f, 0.44f, 0.12f, 1.0f},
     {0.36f, 0.27f, 0.16f, 1.0f},
     2},
    {"PortraitFrame",
     140,
     140,
     14.0f,
     3.0f,
     {0.80f, 0.86f, 0.90f, 1.0f},
     {0.56f, 0.66f, 0.74f, 1.0f},
     {0.86f, 0.74f, 0.42f, 1.0f},
     4},
};

// The art sets by the name given to --set.
struct PieceSet
{
   const char* name;
   const Piece* pieces;
   size_t count;
   // Null when the set has none.
   const Backdrop* backdrop;
};

const PieceSet pieceSets[] = {
    {"MessageBox", pieces, sizeof(pieces) / sizeof(pieces[0]), nullptr},
    {"LoadingScreen", loadingScreenPieces, sizeof(loadingScreenPieces) / sizeof(loadingScreenPieces[0]),
     &loadingScreenBackdrop},
    {"FaceCreator", faceCreatorPieces.data(), faceCreatorPieces.size(), nullptr},
    {"Dialog", dialogPieces, sizeof(dialogPieces) / sizeof(dialogPieces[0]), nullptr},
};

// Signed distance from (x, y) to a rounded box; negative inside.
float RoundedBoxDistance(float x, float y, float left, float top, float right, float bottom, float radius)
{
   float cx = std::clamp(x, left + radius, right - radius);
   float cy = std::clamp(y, top + radius, bottom - radius);
   float dx = x - cx;
   float dy = y - cy;
   return std::sqrt(dx * dx + dy * dy) - radius;
}

Rgba Mix(const Rgba& a, const Rgba& b, float t)
{
   return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

// Straight-alpha "over".
Rgba Over(const Rgba& top, const Rgba& below)
{
   float alpha = top.a + below.a * (1.0f - top.a);
   if (alpha <= 0.0f)
   {
      return {0.0f, 0.0f, 0.0f, 0.0f};
   }
   auto channel = [&](float t, float b) { return (t * top.a + b * below.a * (1.0f - top.a)) / alpha; };
   return {channel(top.r, below.r), channel(top.g, below.g), channel(top.b, below.b), alpha};
}

void PieceDraw(const Piece& piece, Bitmap* bitmap)
{
   float right = static_cast<float>(piece.width - piece.shadow);
   float bottom = static_cast<float>(piece.height - piece.shadow);
   for (int y = 0; y < piece.height; y++)
   {
      for (int x = 0; x < piece.width; x++)
      {
         float px = static_cast<float>(x) + 0.5f;
         float py = static_cast<float>(y) + 0.5f;
         Rgba color{0.0f, 0.0f, 0.0f, 0.0f};
         if (piece.shadow > 0)
         {
            float s = static_cast<float>(piece.shadow);
            float d = RoundedBoxDistance(px, py, s, s, right + s, bottom + s, piece.radius);
            float coverage = std::clamp(0.5f - d / s, 0.0f, 1.0f);
            color = Over({0.0f, 0.0f, 0.0f, 0.45f * coverage}, color);
         }
         float d = RoundedBoxDistance(px, py, 0.0f, 0.0f, right, bottom, piece.radius);
         float coverage = std::clamp(0.5f - d, 0.0f, 1.0f);
         if (coverage > 0.0f)
         {
            Rgba fill = Mix(piece.top, piece.bottom, py / bottom);
            // A faint sheen over the upper third.
            float sheen = std::clamp(1.0f - py / (bottom * 0.35f), 0.0f, 1.0f) * 0.12f;
            fill = Mix(fill, {1.0f, 1.0f, 1.0f, fill.a}, sheen);
            float borderBlend = std::clamp(d + piece.border + 0.5f, 0.0f, 1.0f);
            Rgba surface = Mix(fill, piece.borderColor, borderBlend);
            surface.a *= coverage;
            color = Over(surface, color);
         }
         u8 pixel[4] = {
             static_cast<u8>(std::lround(color.r * 255.0f)), static_cast<u8>(std::lround(color.g * 255.0f)),
             static_cast<u8>(std::lround(color.b * 255.0f)), static_cast<u8>(std::lround(color.a * 255.0f))};
         bitmap->PixelSet(pixel, x, y);
      }
   }
}

void BackdropDraw(const Backdrop& backdrop, Bitmap* bitmap)
{
   const float halfWidth = static_cast<float>(backdrop.width) * 0.5f;
   const float halfHeight = static_cast<float>(backdrop.height) * 0.5f;
   for (int y = 0; y < backdrop.height; y++)
   {
      for (int x = 0; x < backdrop.width; x++)
      {
         float px = static_cast<float>(x) + 0.5f;
         float py = static_cast<float>(y) + 0.5f;
         // 0 in the middle, 1 in the corners; squared for a soft falloff.
         float dx = (px - halfWidth) / halfWidth;
         float dy = (py - halfHeight) / halfHeight;
         float fall = std::clamp((dx * dx + dy * dy) * 0.5f, 0.0f, 1.0f);
         Rgba color = Mix(backdrop.centre, backdrop.edge, fall);
         // Distance to the nearest line of each diagonal family, anti-aliased over one pixel.
         float u = std::fabs(std::remainder(px + py, backdrop.lattice)) / std::sqrt(2.0f);
         float v = std::fabs(std::remainder(px - py, backdrop.lattice)) / std::sqrt(2.0f);
         float line = std::clamp(1.0f - std::min(u, v), 0.0f, 1.0f);
         color = Mix(color, {1.0f, 1.0f, 1.0f, 1.0f}, line * backdrop.latticeStrength * (1.0f - fall));
         u8 pixel[4] = {static_cast<u8>(std::lround(color.r * 255.0f)),
                        static_cast<u8>(std::lround(color.g * 255.0f)),
                        static_cast<u8>(std::lround(color.b * 255.0f)), 255};
         bitmap->PixelSet(pixel, x, y);
      }
   }
}

// Arrow pieces carry a light triangle pointing the way their name says.
void GlyphDraw(const Piece& piece, Bitmap* bitmap)
{
   struct Direction
   {
      const char* prefix;
      float dx, dy;
   };
   const Direction directions[] = {{"ArrowUp", 0.0f, -1.0f},
                                   {"ArrowDown", 0.0f, 1.0f},
                                   {"ArrowLeft", -1.0f, 0.0f},
                                   {"ArrowRight", 1.0f, 0.0f}};
   const Direction* found = nullptr;
   for (const Direction& direction : directions)
   {
      if (std::strncmp(piece.name, direction.prefix, std::strlen(direction.prefix)) == 0)
      {
         found = &direction;
      }
   }
   if (!found)
   {
      return;
   }
   const float cx = (piece.width - piece.shadow) * 0.5f, cy = (piece.height - piece.shadow) * 0.5f;
   for (int y = 0; y < piece.height; y++)
   {
      for (int x = 0; x < piece.width; x++)
      {
         // Along the arrow (a) and across it (b).
         float px = x + 0.5f - cx, py = y + 0.5f - cy;
         float a = px * found->dx + py * found->dy;
         float b = std::fabs(px * found->dy - py * found->dx);
         float d = std::max({-a - 7.0f, a - 8.0f, b - (8.0f - a) * 0.55f});
         float coverage = std::clamp(0.5f - d, 0.0f, 1.0f);
         if (coverage <= 0.0f)
         {
            continue;
         }
         u8* pixel = bitmap->PixelAddressGet(x, y);
         Rgba below{pixel[0] / 255.0f, pixel[1] / 255.0f, pixel[2] / 255.0f, pixel[3] / 255.0f};
         Rgba color = Over({0.97f, 0.97f, 0.99f, coverage}, below);
         u8 out[4] = {
             static_cast<u8>(std::lround(color.r * 255.0f)), static_cast<u8>(std::lround(color.g * 255.0f)),
             static_cast<u8>(std::lround(color.b * 255.0f)), static_cast<u8>(std::lround(color.a * 255.0f))};
         bitmap->PixelSet(out, x, y);
      }
   }
}

// The window icon: a fan of three cards on a rounded square of table green.
constexpr int iconSize = 64;

void IconDraw(Bitmap* bitmap)
{
   const Rgba felt{0.10f, 0.42f, 0.22f, 1.0f};
   const Rgba feltDark{0.05f, 0.26f, 0.13f, 1.0f};
   const Rgba card{0.98f, 0.97f, 0.93f, 1.0f};
   const Rgba edge{0.25f, 0.25f, 0.28f, 1.0f};
   const Rgba pip{0.80f, 0.10f, 0.12f, 1.0f};
   const float size = static_cast<float>(iconSize);
   // Cards 22 x 32 turned about a point below the fan, back to front.
   const float angles[] = {-0.42f, 0.0f, 0.42f};
   const float pivotX = size * 0.5f;
   const float pivotY = size * 0.86f;
   for (int y = 0; y < iconSize; y++)
   {
      for (int x = 0; x < iconSize; x++)
      {
         float px = static_cast<float>(x) + 0.5f;
         float py = static_cast<float>(y) + 0.5f;
         float d = RoundedBoxDistance(px, py, 1.0f, 1.0f, size - 1.0f, size - 1.0f, 12.0f);
         Rgba color = Mix(felt, feltDark, py / size);
         color.a = std::clamp(0.5f - d, 0.0f, 1.0f);
         for (float angle : angles)
         {
            // Into the card's own frame: its bottom centre at the pivot less a little.
            float dx = px - pivotX;
            float dy = py - pivotY;
            float cx = dx * std::cos(angle) + dy * std::sin(angle);
            float cy = -dx * std::sin(angle) + dy * std::cos(angle);
            float cardD = RoundedBoxDistance(cx, cy, -11.0f, -44.0f, 11.0f, -12.0f, 3.0f);
            float coverage = std::clamp(0.5f - cardD, 0.0f, 1.0f);
            if (coverage <= 0.0f)
            {
               continue;
            }
            Rgba surface = Mix(card, edge, std::clamp(cardD + 1.5f, 0.0f, 1.0f));
            // A diamond pip in the middle of each card.
            if (std::fabs(cx) / 6.0f + std::fabs(cy + 28.0f) / 8.0f < 1.0f)
            {
               surface = pip;
            }
            surface.a = coverage;
            color = Over(surface, color);
         }
         u8 pixel[4] = {
             static_cast<u8>(std::lround(color.r * 255.0f)), static_cast<u8>(std::lround(color.g * 255.0f)),
             static_cast<u8>(std::lround(color.b * 255.0f)), static_cast<u8>(std::lround(color.a * 255.0f))};
         bitmap->PixelSet(pixel, x, y);
      }
   }
}

bool PNGWrite(const std::string& path, const Bitmap& bitmap)
{
   FileStdio file(std::fopen(path.c_str(), "wb"));
   if (!file.stream)
   {
      std::fprintf(stderr, "guiart: unable to create %s\n", path.c_str());
      return false;
   }
   bool saved = bitmapLoaderPNG.Save(&bitmap, &file, HEAP_TEMP);
   bool closed = std::fclose(file.stream) == 0;
   file.stream = nullptr;
   if (!saved || !closed)
   {
      std::fprintf(stderr, "guiart: unable to write %s\n", path.c_str());
   }
   return saved && closed;
}

// Draws a picture of the size and saves it; the number of failures (0 or 1).
template <class Draw> int PictureWrite(const std::string& path, int width, int height, Draw draw)
{
   Bitmap bitmap;
   if (!bitmap.Init(width, height, BITMAP_FORMAT_RGBA8, allocatorDefault))
   {
      std::fprintf(stderr, "guiart: unable to make a %dx%d bitmap\n", width, height);
      return 1;
   }
   draw(&bitmap);
   bool written = PNGWrite(path, bitmap);
   bitmap.Free();
   return written ? 0 : 1;
}
} // namespace

int main(int argc, char** argv)
{
   // The message-box art unless another set is named; the icon only when asked for.
   const PieceSet* set = &pieceSets[0];
   const char* iconPath = nullptr;
   bool usable = argc >= 3 && argc % 2 == 1 && std::strcmp(argv[1], "--output") == 0;
   for (int i = 3; usable && i + 1 < argc; i += 2)
   {
      if (std::strcmp(argv[i], "--set") == 0)
      {
         set = nullptr;
         for (const PieceSet& candidate : pieceSets)
         {
            set = std::strcmp(candidate.name, argv[i + 1]) == 0 ? &candidate : set;
         }
         usable = set != nullptr;
      }
      else if (std::strcmp(argv[i], "--icon") == 0)
      {
         iconPath = argv[i + 1];
      }
      else
      {
         usable = false;
      }
   }
   if (!usable)
   {
      std::fprintf(stderr, "usage: corvale-guiart --output <folder> [--set "
                           "MessageBox|LoadingScreen|FaceCreator|Dialog] [--icon <file>]\n");
      return 2;
   }
   Memory::Init();
   std::string folder = argv[2];
   int failures = 0;
   for (size_t i = 0; i < set->count; i++)
   {
      const Piece& piece = set->pieces[i];
      failures += PictureWrite(folder + "/" + piece.name + ".png", piece.width, piece.height, [&](Bitmap* bitmap) {
         PieceDraw(piece, bitmap);
         GlyphDraw(piece, bitmap);
      });
   }
   if (set->backdrop)
   {
      const Backdrop& backdrop = *set->backdrop;
      failures += PictureWrite(folder + "/" + backdrop.name + ".png", backdrop.width, backdrop.height,
                               [&](Bitmap* bitmap) { BackdropDraw(backdrop, bitmap); });
   }
   if (iconPath)
   {
      Bitmap icon;
      if (!icon.Init(iconSize, iconSize, BITMAP_FORMAT_RGBA8, allocatorDefault))
      {
         std::fprintf(stderr, "guiart: unable to make the icon bitmap\n");
         failures++;
      }
      else
      {
         IconDraw(&icon);
         failures += PNGWrite(iconPath, icon) ? 0 : 1;
         icon.Free();
      }
   }
   Memory::Deinit();
   return failures == 0 ? 0 : 1;
}
