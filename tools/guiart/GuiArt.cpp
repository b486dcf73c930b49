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
#include "tools/common/ToolFiles.h"

using namespace Corvale;

namespace
{
struct Rgba
{
   float r, g, b, a;
};

// A symbol drawn over a piece's box, centred.
enum Glyph
{
   GLYPH_NONE,
   GLYPH_ARROW_LEFT,
   GLYPH_ARROW_RIGHT,
   GLYPH_STAR,
   GLYPH_BACK,
   GLYPH_PROFILE,
   GLYPH_SETTINGS,
   GLYPH_HELP,
   GLYPH_DOT,
   GLYPH_HEART,
   GLYPH_SPADE,
   GLYPH_DIAMOND,
   GLYPH_CLUB,
   GLYPH_HEART_BROKEN,
   GLYPH_SPADE_BROKEN,
   GLYPH_NO_TRUMP,
   GLYPH_NO_TRUMP_HIGH,
   GLYPH_NO_TRUMP_LOW
};

// One picture: a rounded box filling the image less its shadow margin, and an optional symbol.
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
   Glyph glyph = GLYPH_NONE;
   Rgba glyphColor = {1.0f, 1.0f, 1.0f, 1.0f};
};

// Message-box art: the panel and the four press-button states.
const Piece pieces[] = {
    {"Panel",
     540,
     300,
     18.0f,
     3.0f,
     {0.16f, 0.36f, 0.25f, 1.0f},
     {0.08f, 0.20f, 0.14f, 1.0f},
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
     {0.16f, 0.36f, 0.25f, 1.0f},
     {0.08f, 0.20f, 0.14f, 1.0f},
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

// Shared looks of the menus. Panels are opaque: they cover the table, whose cards must not show through.
constexpr Rgba PANEL_TOP{0.16f, 0.36f, 0.25f, 1.0f};
constexpr Rgba PANEL_BOTTOM{0.08f, 0.20f, 0.14f, 1.0f};
constexpr Rgba GOLD{0.86f, 0.74f, 0.42f, 1.0f};
constexpr Rgba BRIGHT_GOLD{1.0f, 0.86f, 0.40f, 1.0f};
constexpr Rgba BUTTON_TOP{0.32f, 0.46f, 0.66f, 1.0f};
constexpr Rgba BUTTON_BOTTOM{0.16f, 0.25f, 0.42f, 1.0f};
constexpr Rgba OVER_TOP{0.44f, 0.60f, 0.82f, 1.0f};
constexpr Rgba OVER_BOTTOM{0.22f, 0.34f, 0.56f, 1.0f};
constexpr Rgba DOWN_TOP{0.12f, 0.20f, 0.34f, 1.0f};
constexpr Rgba DOWN_BOTTOM{0.24f, 0.36f, 0.54f, 1.0f};
constexpr Rgba GREY_TOP{0.42f, 0.42f, 0.44f, 0.9f};
constexpr Rgba GREY_BOTTOM{0.30f, 0.30f, 0.32f, 0.9f};
constexpr Rgba GREY_BORDER{0.60f, 0.60f, 0.62f, 0.9f};
constexpr Rgba WHITE{0.98f, 0.97f, 0.93f, 1.0f};
constexpr Rgba EDGE{0.90f, 0.92f, 0.96f, 1.0f};
constexpr Rgba CLEAR{0.0f, 0.0f, 0.0f, 0.0f};
constexpr Rgba SHADE{0.02f, 0.08f, 0.05f, 0.55f};

// Main menu: its panel, the selector's items and arrows, the preview's frame, the large buttons.
const Piece mainMenuPieces[] = {
    {"Panel", 660, 510, 20.0f, 3.0f, PANEL_TOP, PANEL_BOTTOM, GOLD, 8},
    {"ItemOff", 170, 40, 10.0f, 1.5f, SHADE, SHADE, {0.55f, 0.62f, 0.56f, 0.8f}, 0},
    {"ItemOver", 170, 40, 10.0f, 1.5f, {0.10f, 0.24f, 0.16f, 0.8f}, {0.06f, 0.16f, 0.10f, 0.8f}, WHITE, 0},
    {"ItemOn",
     170,
     40,
     10.0f,
     2.0f,
     {0.70f, 0.55f, 0.22f, 1.0f},
     {0.48f, 0.34f, 0.10f, 1.0f},
     BRIGHT_GOLD,
     0},
    {"ArrowLeft", 44, 44, 22.0f, 2.0f, BUTTON_TOP, BUTTON_BOTTOM, EDGE, 2, GLYPH_ARROW_LEFT, WHITE},
    {"ArrowLeftOver", 44, 44, 22.0f, 2.0f, OVER_TOP, OVER_BOTTOM, WHITE, 2, GLYPH_ARROW_LEFT, WHITE},
    {"ArrowRight", 44, 44, 22.0f, 2.0f, BUTTON_TOP, BUTTON_BOTTOM, EDGE, 2, GLYPH_ARROW_RIGHT, WHITE},
    {"ArrowRightOver", 44, 44, 22.0f, 2.0f, OVER_TOP, OVER_BOTTOM, WHITE, 2, GLYPH_ARROW_RIGHT, WHITE},
    {"PreviewFrame", 336, 256, 10.0f, 4.0f, CLEAR, CLEAR, {0.55f, 0.47f, 0.26f, 1.0f}, 0},
    {"PreviewFrameOver", 336, 256, 10.0f, 5.0f, CLEAR, CLEAR, BRIGHT_GOLD, 0},
    {"ButtonLargeUp", 190, 54, 14.0f, 2.0f, BUTTON_TOP, BUTTON_BOTTOM, EDGE, 3},
    {"ButtonLargeOver", 190, 54, 14.0f, 2.0f, OVER_TOP, OVER_BOTTOM, WHITE, 3},
    {"ButtonLargeDown", 190, 54, 14.0f, 2.0f, DOWN_TOP, DOWN_BOTTOM, {0.80f, 0.84f, 0.90f, 1.0f}, 0},
    {"ButtonLargeDisabled", 190, 54, 14.0f, 2.0f, GREY_TOP, GREY_BOTTOM, GREY_BORDER, 3},
    {"UpdateIndicator",
     18,
     18,
     9.0f,
     1.5f,
     {0.95f, 0.30f, 0.20f, 1.0f},
     {0.75f, 0.15f, 0.10f, 1.0f},
     WHITE,
     0},
};

// Solitaire menu: its panel, the game buttons and the favourite star.
const Piece solitaireMenuPieces[] = {
    {"Panel", 920, 600, 20.0f, 3.0f, PANEL_TOP, PANEL_BOTTOM, GOLD, 8},
    {"GameButtonUp", 146, 42, 11.0f, 2.0f, BUTTON_TOP, BUTTON_BOTTOM, EDGE, 2},
    {"GameButtonOver", 146, 42, 11.0f, 2.0f, OVER_TOP, OVER_BOTTOM, WHITE, 2},
    {"GameButtonDown", 146, 42, 11.0f, 2.0f, DOWN_TOP, DOWN_BOTTOM, {0.80f, 0.84f, 0.90f, 1.0f}, 0},
    {"GameButtonDisabled", 146, 42, 11.0f, 2.0f, GREY_TOP, GREY_BOTTOM, GREY_BORDER, 2},
    {"StarOff", 30, 30, 15.0f, 0.0f, CLEAR, CLEAR, CLEAR, 0, GLYPH_STAR, {0.30f, 0.40f, 0.34f, 0.9f}},
    {"StarOffOver", 30, 30, 15.0f, 0.0f, CLEAR, CLEAR, CLEAR, 0, GLYPH_STAR, {0.62f, 0.70f, 0.62f, 1.0f}},
    {"StarOn", 30, 30, 15.0f, 0.0f, CLEAR, CLEAR, CLEAR, 0, GLYPH_STAR, BRIGHT_GOLD},
    {"StarOnOver", 30, 30, 15.0f, 0.0f, CLEAR, CLEAR, CLEAR, 0, GLYPH_STAR, {1.0f, 0.95f, 0.70f, 1.0f}},
};

// Menu bar: its strip and one round icon button per entry, plain and hovered.
const Piece menuBarPieces[] = {
    {"Panel", 260, 60, 16.0f, 2.0f, {0.10f, 0.22f, 0.16f, 1.0f}, {0.05f, 0.13f, 0.09f, 1.0f}, GOLD, 4},
    {"Back", 48, 48, 24.0f, 2.0f, BUTTON_TOP, BUTTON_BOTTOM, EDGE, 2, GLYPH_BACK, WHITE},
    {"BackOver", 48, 48, 24.0f, 2.0f, OVER_TOP, OVER_BOTTOM, WHITE, 2, GLYPH_BACK, WHITE},
    {"Profile", 48, 48, 24.0f, 2.0f, BUTTON_TOP, BUTTON_BOTTOM, EDGE, 2, GLYPH_PROFILE, WHITE},
    {"ProfileOver", 48, 48, 24.0f, 2.0f, OVER_TOP, OVER_BOTTOM, WHITE, 2, GLYPH_PROFILE, WHITE},
    {"Settings", 48, 48, 24.0f, 2.0f, BUTTON_TOP, BUTTON_BOTTOM, EDGE, 2, GLYPH_SETTINGS, WHITE},
    {"SettingsOver", 48, 48, 24.0f, 2.0f, OVER_TOP, OVER_BOTTOM, WHITE, 2, GLYPH_SETTINGS, WHITE},
    {"Help", 48, 48, 24.0f, 2.0f, BUTTON_TOP, BUTTON_BOTTOM, EDGE, 2, GLYPH_HELP, WHITE},
    {"HelpOver", 48, 48, 24.0f, 2.0f, OVER_TOP, OVER_BOTTOM, WHITE, 2, GLYPH_HELP, WHITE},
};

// Language menu: a tall panel for the column of language buttons.
const Piece languagePieces[] = {
    {"Panel", 400, 520, 20.0f, 3.0f, PANEL_TOP, PANEL_BOTTOM, GOLD, 8},
    {"ButtonUp", 240, 46, 12.0f, 2.0f, BUTTON_TOP, BUTTON_BOTTOM, EDGE, 3},
    {"ButtonOver", 240, 46, 12.0f, 2.0f, OVER_TOP, OVER_BOTTOM, WHITE, 3},
    {"ButtonDown", 240, 46, 12.0f, 2.0f, DOWN_TOP, DOWN_BOTTOM, {0.80f, 0.84f, 0.90f, 1.0f}, 0},
};

Rgba Mix(const Rgba& a, const Rgba& b, float t);

// Face-creator art: the panel, the portrait frame, tab and small buttons, option slots and their
// selection ring, arrow buttons (their glyph drawn from the name), swatches and toggles.
std::vector<Piece> FaceCreatorPiecesMake()
{
   const Rgba gold{0.86f, 0.74f, 0.42f, 1.0f};
   const Rgba white{0.90f, 0.92f, 0.96f, 1.0f};
   std::vector<Piece> made = {
       {"Panel", 920, 680, 18.0f, 3.0f, {0.16f, 0.36f, 0.25f, 1.0f}, {0.08f, 0.20f, 0.14f, 1.0f}, gold, 8},
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
        {0.16f, 0.36f, 0.25f, 1.0f},
        {0.08f, 0.20f, 0.14f, 1.0f},
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
     {0.99f, 0.97f, 0.90f, 1.0f},
     {0.93f, 0.89f, 0.78f, 1.0f},
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

// Settings-menu art: the sliders' track, thumb and step buttons, the row of a game option (its label
// inside, gold once chosen), and the frame behind a preview.
std::vector<Piece> SettingsMenuPiecesMake()
{
   const Rgba gold{0.86f, 0.74f, 0.42f, 1.0f};
   const Rgba pale{1.0f, 0.94f, 0.70f, 1.0f};
   const Rgba deepTop{0.05f, 0.14f, 0.09f, 1.0f};
   const Rgba deepBottom{0.10f, 0.24f, 0.16f, 1.0f};
   const Rgba brown{0.36f, 0.27f, 0.16f, 1.0f};
   std::vector<Piece> made = {
       {"SliderTrack", 304, 16, 8.0f, 2.0f, deepTop, deepBottom, gold, 0},
       {"PreviewFrame",
        300,
        180,
        12.0f,
        3.0f,
        {0.05f, 0.14f, 0.09f, 0.9f},
        {0.10f, 0.24f, 0.16f, 0.9f},
        gold,
        4},
   };
   struct Look
   {
      Rgba top, bottom, border;
   };
   // Each kind comes plain and under the pointer.
   const Look buttons[2] = {
       {{0.32f, 0.46f, 0.66f, 1.0f}, {0.16f, 0.25f, 0.42f, 1.0f}, {0.90f, 0.92f, 0.96f, 1.0f}},
       {{0.44f, 0.60f, 0.82f, 1.0f}, {0.22f, 0.34f, 0.56f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}}};
   const Look thumbs[2] = {{{0.96f, 0.86f, 0.56f, 1.0f}, {0.72f, 0.56f, 0.24f, 1.0f}, brown},
                           {pale, {0.84f, 0.68f, 0.32f, 1.0f}, brown}};
   const Look rowsOff[2] = {{deepTop, deepBottom, gold},
                            {{0.10f, 0.26f, 0.17f, 1.0f}, {0.16f, 0.34f, 0.24f, 1.0f}, pale}};
   const Look rowsOn[2] = {{{0.86f, 0.70f, 0.30f, 1.0f}, {0.62f, 0.46f, 0.16f, 1.0f}, pale},
                           {{0.94f, 0.80f, 0.40f, 1.0f}, {0.72f, 0.54f, 0.20f, 1.0f}, pale}};
   struct Kind
   {
      const char* names[2];
      int width, height;
      float radius;
      const Look* looks;
      Glyph glyph;
   };
   const Kind kinds[] = {
       {{"SliderThumb", "SliderThumbOver"}, 24, 34, 8.0f, thumbs, GLYPH_NONE},
       {{"SliderDecrease", "SliderDecreaseOver"}, 34, 34, 10.0f, buttons, GLYPH_ARROW_LEFT},
       {{"SliderIncrease", "SliderIncreaseOver"}, 34, 34, 10.0f, buttons, GLYPH_ARROW_RIGHT},
       {{"OptionRowOff", "OptionRowOffOver"}, 390, 32, 9.0f, rowsOff, GLYPH_NONE},
       {{"OptionRowOn", "OptionRowOnOver"}, 390, 32, 9.0f, rowsOn, GLYPH_NONE}};
   for (const Kind& kind : kinds)
   {
      for (int over = 0; over < 2; ++over)
      {
         const Look& look = kind.looks[over];
         made.push_back({kind.names[over], kind.width, kind.height, kind.radius, 2.0f, look.top, look.bottom,
                         look.border, 2, kind.glyph});
      }
   }
   return made;
}

const std::vector<Piece> settingsMenuPieces = SettingsMenuPiecesMake();
// Trick-taking table art: the player panel's plaque, its lit and unlit frame and four icons, the
// trick review's panel, buttons and leader and winner marks, and the trump indicator's states.
constexpr Rgba CARD_RED{0.78f, 0.10f, 0.12f, 1.0f};
constexpr Rgba CARD_BLACK{0.10f, 0.10f, 0.12f, 1.0f};
constexpr Rgba DISC_TOP{0.99f, 0.98f, 0.94f, 1.0f};
constexpr Rgba DISC_BOTTOM{0.88f, 0.86f, 0.80f, 1.0f};
constexpr Rgba DISC_EDGE{0.55f, 0.47f, 0.26f, 1.0f};
const Piece trickTakingPieces[] = {
    {"Plaque", 300, 140, 14.0f, 2.0f, PANEL_TOP, PANEL_BOTTOM, {0.36f, 0.44f, 0.38f, 1.0f}, 4},
    {"FrameOn", 300, 140, 14.0f, 4.0f, CLEAR, CLEAR, BRIGHT_GOLD, 0},
    {"FrameOff", 300, 140, 14.0f, 2.0f, CLEAR, CLEAR, {0.20f, 0.30f, 0.24f, 0.6f}, 0},
    {"IconDealer", 26, 26, 13.0f, 2.0f, BUTTON_TOP, BUTTON_BOTTOM, WHITE, 0, GLYPH_DOT, WHITE},
    {"IconWinner", 28, 28, 14.0f, 0.0f, CLEAR, CLEAR, CLEAR, 0, GLYPH_STAR, BRIGHT_GOLD},
    {"IconCribbagePegRed",
     18,
     18,
     9.0f,
     1.5f,
     {0.90f, 0.25f, 0.20f, 1.0f},
     {0.65f, 0.10f, 0.08f, 1.0f},
     WHITE,
     0},
    {"IconCribbagePegBlue",
     18,
     18,
     9.0f,
     1.5f,
     {0.30f, 0.50f, 0.90f, 1.0f},
     {0.12f, 0.25f, 0.65f, 1.0f},
     WHITE,
     0},
    {"TrickLeader", 30, 30, 15.0f, 2.0f, BUTTON_TOP, BUTTON_BOTTOM, EDGE, 0, GLYPH_ARROW_RIGHT, WHITE},
    {"TrickWinner", 30, 30, 15.0f, 0.0f, CLEAR, CLEAR, CLEAR, 0, GLYPH_STAR, BRIGHT_GOLD},
    {"ReviewPanel", 720, 520, 20.0f, 3.0f, PANEL_TOP, PANEL_BOTTOM, GOLD, 8},
    {"ReviewButtonUp", 150, 44, 12.0f, 2.0f, BUTTON_TOP, BUTTON_BOTTOM, EDGE, 3},
    {"ReviewButtonOver", 150, 44, 12.0f, 2.0f, OVER_TOP, OVER_BOTTOM, WHITE, 3},
    {"ReviewButtonDown", 150, 44, 12.0f, 2.0f, DOWN_TOP, DOWN_BOTTOM, {0.80f, 0.84f, 0.90f, 1.0f}, 0},
    {"ArrowLeftStep", 40, 40, 20.0f, 2.0f, BUTTON_TOP, BUTTON_BOTTOM, EDGE, 2, GLYPH_ARROW_LEFT, WHITE},
    {"ArrowRightStep", 40, 40, 20.0f, 2.0f, BUTTON_TOP, BUTTON_BOTTOM, EDGE, 2, GLYPH_ARROW_RIGHT, WHITE},
    {"TrumpHearts", 56, 56, 28.0f, 2.5f, DISC_TOP, DISC_BOTTOM, DISC_EDGE, 3, GLYPH_HEART, CARD_RED},
    {"TrumpSpades", 56, 56, 28.0f, 2.5f, DISC_TOP, DISC_BOTTOM, DISC_EDGE, 3, GLYPH_SPADE, CARD_BLACK},
    {"TrumpDiamonds", 56, 56, 28.0f, 2.5f, DISC_TOP, DISC_BOTTOM, DISC_EDGE, 3, GLYPH_DIAMOND, CARD_RED},
    {"TrumpClubs", 56, 56, 28.0f, 2.5f, DISC_TOP, DISC_BOTTOM, DISC_EDGE, 3, GLYPH_CLUB, CARD_BLACK},
    {"TrumpHeartsBroken", 56, 56, 28.0f, 2.5f, DISC_TOP, DISC_BOTTOM, DISC_EDGE, 3, GLYPH_HEART_BROKEN,
     CARD_RED},
    {"TrumpSpadesBroken", 56, 56, 28.0f, 2.5f, DISC_TOP, DISC_BOTTOM, DISC_EDGE, 3, GLYPH_SPADE_BROKEN,
     CARD_BLACK},
    {"TrumpNoTrump", 56, 56, 28.0f, 2.5f, DISC_TOP, DISC_BOTTOM, DISC_EDGE, 3, GLYPH_NO_TRUMP, CARD_BLACK},
    {"TrumpNoTrumpHigh", 56, 56, 28.0f, 2.5f, DISC_TOP, DISC_BOTTOM, DISC_EDGE, 3, GLYPH_NO_TRUMP_HIGH,
     CARD_BLACK},
    {"TrumpNoTrumpLow", 56, 56, 28.0f, 2.5f, DISC_TOP, DISC_BOTTOM, DISC_EDGE, 3, GLYPH_NO_TRUMP_LOW,
     CARD_BLACK},
};

// The solitaire tables: their buttons and the results panel.
const Piece solitairePieces[] = {
    {"Panel", 420, 200, 18.0f, 3.0f, PANEL_TOP, PANEL_BOTTOM, GOLD, 8},
    {"ButtonUp", 170, 40, 10.0f, 2.0f, BUTTON_TOP, BUTTON_BOTTOM, EDGE, 2},
    {"ButtonOver", 170, 40, 10.0f, 2.0f, OVER_TOP, OVER_BOTTOM, WHITE, 2},
    {"ButtonDown", 170, 40, 10.0f, 2.0f, DOWN_TOP, DOWN_BOTTOM, {0.80f, 0.84f, 0.90f, 1.0f}, 0},
    {"ButtonDisabled", 170, 40, 10.0f, 2.0f, GREY_TOP, GREY_BOTTOM, GREY_BORDER, 2},
    // Row buttons that slide a row of cards one place.
    {"ArrowLeftUp", 44, 44, 10.0f, 2.0f, BUTTON_TOP, BUTTON_BOTTOM, EDGE, 2, GLYPH_ARROW_LEFT, WHITE},
    {"ArrowLeftOver", 44, 44, 10.0f, 2.0f, OVER_TOP, OVER_BOTTOM, WHITE, 2, GLYPH_ARROW_LEFT, WHITE},
    {"ArrowLeftDown", 44, 44, 10.0f, 2.0f, DOWN_TOP, DOWN_BOTTOM, {0.80f, 0.84f, 0.90f, 1.0f}, 0, GLYPH_ARROW_LEFT,
     WHITE},
    {"ArrowRightUp", 44, 44, 10.0f, 2.0f, BUTTON_TOP, BUTTON_BOTTOM, EDGE, 2, GLYPH_ARROW_RIGHT, WHITE},
    {"ArrowRightOver", 44, 44, 10.0f, 2.0f, OVER_TOP, OVER_BOTTOM, WHITE, 2, GLYPH_ARROW_RIGHT, WHITE},
    {"ArrowRightDown", 44, 44, 10.0f, 2.0f, DOWN_TOP, DOWN_BOTTOM, {0.80f, 0.84f, 0.90f, 1.0f}, 0, GLYPH_ARROW_RIGHT,
     WHITE},
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
    {"MainMenu", mainMenuPieces, sizeof(mainMenuPieces) / sizeof(mainMenuPieces[0]), nullptr},
    {"SolitaireMenu", solitaireMenuPieces, sizeof(solitaireMenuPieces) / sizeof(solitaireMenuPieces[0]),
     nullptr},
    {"MenuBar", menuBarPieces, sizeof(menuBarPieces) / sizeof(menuBarPieces[0]), nullptr},
    {"Language", languagePieces, sizeof(languagePieces) / sizeof(languagePieces[0]), nullptr},
    {"FaceCreator", faceCreatorPieces.data(), faceCreatorPieces.size(), nullptr},
    {"Dialog", dialogPieces, sizeof(dialogPieces) / sizeof(dialogPieces[0]), nullptr},
    {"SettingsMenu", settingsMenuPieces.data(), settingsMenuPieces.size(), nullptr},
    {"TrickTaking", trickTakingPieces, sizeof(trickTakingPieces) / sizeof(trickTakingPieces[0]), nullptr},
    {"Solitaire", solitairePieces, sizeof(solitairePieces) / sizeof(solitairePieces[0]), nullptr},
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

// A straight-alpha colour stored as 8-bit RGBA.
void PixelPut(Bitmap* bitmap, int x, int y, const Rgba& color)
{
   u8 pixel[4] = {
       static_cast<u8>(std::lround(color.r * 255.0f)), static_cast<u8>(std::lround(color.g * 255.0f)),
       static_cast<u8>(std::lround(color.b * 255.0f)), static_cast<u8>(std::lround(color.a * 255.0f))};
   bitmap->PixelSet(pixel, x, y);
}

// Signed distance to the segment from a to b, less the half thickness.
float SegmentDistance(float x, float y, float ax, float ay, float bx, float by, float halfThickness)
{
   float dx = bx - ax;
   float dy = by - ay;
   float t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
   float ex = x - ax - dx * t;
   float ey = y - ay - dy * t;
   return std::sqrt(ex * ex + ey * ey) - halfThickness;
}

// Signed distance (roughly, for edge smoothing) to a convex polygon with points in clockwise order
// on screen (y down).
float ConvexDistance(float x, float y, const float* points, int count)
{
   float d = -1e9f;
   for (int i = 0; i < count; i++)
   {
      float ax = points[i * 2];
      float ay = points[i * 2 + 1];
      float bx = points[((i + 1) % count) * 2];
      float by = points[((i + 1) % count) * 2 + 1];
      float nx = by - ay;
      float ny = ax - bx;
      float length = std::sqrt(nx * nx + ny * ny);
      d = std::max(d, ((x - ax) * nx + (y - ay) * ny) / length);
   }
   return d;
}

constexpr float PI = 3.14159265f;

// Signed distance of (x, y), in units of the glyph's size around its centre, to the glyph's shape.
float GlyphDistance(Glyph glyph, float x, float y)
{
   float r = std::sqrt(x * x + y * y);
   float angle = std::atan2(y, x);
   switch (glyph)
   {
   case GLYPH_ARROW_LEFT:
   {
      const float points[] = {0.16f, -0.24f, 0.16f, 0.24f, -0.2f, 0.0f};
      return ConvexDistance(x, y, points, 3);
   }
   case GLYPH_ARROW_RIGHT:
   {
      const float points[] = {-0.16f, 0.24f, -0.16f, -0.24f, 0.2f, 0.0f};
      return ConvexDistance(x, y, points, 3);
   }
   case GLYPH_STAR:
   {
      // Five points, the first straight up: the radius runs between the tips and the notches.
      float turn = std::fmod(angle + PI * 0.5f + PI * 4.0f, 2.0f * PI / 5.0f) / (2.0f * PI / 5.0f);
      float tip = std::fabs(turn - 0.5f) * 2.0f;
      float edge = 0.19f + (0.46f - 0.19f) * tip * tip;
      return (r - edge) * 0.7f;
   }
   case GLYPH_BACK:
   {
      const float head[] = {-0.02f, -0.24f, -0.02f, 0.24f, -0.28f, 0.0f};
      float shaft = SegmentDistance(x, y, -0.08f, 0.0f, 0.24f, 0.0f, 0.075f);
      return std::min(ConvexDistance(x, y, head, 3), shaft);
   }
   case GLYPH_PROFILE:
   {
      float head = std::sqrt(x * x + (y + 0.12f) * (y + 0.12f)) - 0.13f;
      float body = RoundedBoxDistance(x, y, -0.24f, 0.06f, 0.24f, 0.32f, 0.12f);
      return std::min(head, body);
   }
   case GLYPH_SETTINGS:
   {
      float teeth = std::cos(angle * 8.0f) > 0.0f ? 0.30f : 0.23f;
      float gear = r - teeth;
      return std::max(gear, 0.09f - r);
   }
   case GLYPH_HELP:
   {
      // A hook from the left round the top to the right, then down to the middle; a dot below.
      float cy = -0.1f;
      float ring = std::fabs(std::sqrt(x * x + (y - cy) * (y - cy)) - 0.15f) - 0.055f;
      float ringAngle = std::atan2(y - cy, x);
      // The hook leaves out its lower left quarter.
      if (ringAngle > PI * 0.5f || (ringAngle > 0.25f && x < 0.05f))
      {
         ring = 1.0f;
      }
      float stem = SegmentDistance(x, y, 0.03f, 0.03f, 0.0f, 0.12f, 0.055f);
      float dot = std::sqrt(x * x + (y - 0.27f) * (y - 0.27f)) - 0.065f;
      return std::min(std::min(ring, stem), dot);
   }
   case GLYPH_DOT:
      return r - 0.2f;
   case GLYPH_HEART:
   case GLYPH_HEART_BROKEN:
   case GLYPH_SPADE:
   case GLYPH_SPADE_BROKEN:
   {
      // Two lobes over a point; the spade is the heart upside down on a stem.
      const bool spade = glyph == GLYPH_SPADE || glyph == GLYPH_SPADE_BROKEN;
      const float sy = spade ? -y + 0.04f : y;
      const float lobes = std::min(std::sqrt((x - 0.125f) * (x - 0.125f) + (sy + 0.07f) * (sy + 0.07f)),
                                   std::sqrt((x + 0.125f) * (x + 0.125f) + (sy + 0.07f) * (sy + 0.07f))) -
                          0.145f;
      const float point[] = {0.265f, -0.02f, 0.0f, 0.29f, -0.265f, -0.02f};
      float shape = std::min(lobes, ConvexDistance(x, sy, point, 3));
      if (spade)
      {
         const float stem[] = {0.0f, 0.02f, 0.11f, 0.32f, -0.11f, 0.32f};
         shape = std::min(shape, ConvexDistance(x, y, stem, 3));
      }
      if (glyph == GLYPH_HEART_BROKEN || glyph == GLYPH_SPADE_BROKEN)
      {
         // A zigzag crack from top to bottom.
         const float crack = std::min({SegmentDistance(x, y, 0.0f, -0.34f, -0.06f, -0.12f, 0.025f),
                                       SegmentDistance(x, y, -0.06f, -0.12f, 0.06f, 0.04f, 0.025f),
                                       SegmentDistance(x, y, 0.06f, 0.04f, -0.02f, 0.34f, 0.025f)});
         shape = std::max(shape, -crack);
      }
      return shape;
   }
   case GLYPH_DIAMOND:
   {
      const float points[] = {0.0f, -0.32f, 0.23f, 0.0f, 0.0f, 0.32f, -0.23f, 0.0f};
      return ConvexDistance(x, y, points, 4);
   }
   case GLYPH_CLUB:
   {
      const float leaves = std::min({std::sqrt(x * x + (y + 0.14f) * (y + 0.14f)),
                                     std::sqrt((x + 0.14f) * (x + 0.14f) + (y - 0.05f) * (y - 0.05f)),
                                     std::sqrt((x - 0.14f) * (x - 0.14f) + (y - 0.05f) * (y - 0.05f))}) -
                           0.12f;
      const float stem[] = {0.0f, 0.0f, 0.1f, 0.32f, -0.1f, 0.32f};
      return std::min(leaves, ConvexDistance(x, y, stem, 3));
   }
   case GLYPH_NO_TRUMP:
   case GLYPH_NO_TRUMP_HIGH:
   case GLYPH_NO_TRUMP_LOW:
   {
      // A struck-through ring; high and low add a pointer up or down beside it.
      const float shift = glyph == GLYPH_NO_TRUMP ? 0.0f : (glyph == GLYPH_NO_TRUMP_HIGH ? 0.07f : -0.07f);
      const float cy = y - shift;
      const float ring = std::fabs(std::sqrt(x * x + cy * cy) - 0.19f) - 0.045f;
      const float slash = SegmentDistance(x, cy, -0.15f, 0.15f, 0.15f, -0.15f, 0.045f);
      float shape = std::min(ring, slash);
      if (glyph == GLYPH_NO_TRUMP_HIGH)
      {
         const float up[] = {0.0f, -0.37f, 0.11f, -0.24f, -0.11f, -0.24f};
         shape = std::min(shape, ConvexDistance(x, y, up, 3));
      }
      else if (glyph == GLYPH_NO_TRUMP_LOW)
      {
         const float down[] = {0.11f, 0.24f, 0.0f, 0.37f, -0.11f, 0.24f};
         shape = std::min(shape, ConvexDistance(x, y, down, 3));
      }
      return shape;
   }
   case GLYPH_NONE:
      break;
   }
   return 1.0f;
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
         if (piece.glyph != GLYPH_NONE)
         {
            // The symbol fills the box less its shadow; distances come back in pixels.
            float size = std::min(right, bottom);
            float d =
                GlyphDistance(piece.glyph, (px - right * 0.5f) / size, (py - bottom * 0.5f) / size) * size;
            Rgba ink = piece.glyphColor;
            ink.a *= std::clamp(0.5f - d, 0.0f, 1.0f);
            color = Over(ink, color);
         }
         PixelPut(bitmap, x, y, color);
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

// Arrow pieces carry a light triangle pointing the way their name says, unless they name a
// symbol of their own.
void GlyphDraw(const Piece& piece, Bitmap* bitmap)
{
   if (piece.glyph != GLYPH_NONE)
   {
      return;
   }
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
         PixelPut(bitmap, x, y, Over({0.97f, 0.97f, 0.99f, coverage}, below));
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
         PixelPut(bitmap, x, y, color);
      }
   }
}

bool PNGWrite(const std::string& path, const Bitmap& bitmap)
{
   return ToolFiles::PNGWrite("guiart", path, bitmap);
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

// Game previews for the main menu: a miniature table in each game's opening layout, made from the
// card art tool's small card sheets scaled down.
constexpr int PREVIEW_WIDTH = 320;
constexpr int PREVIEW_HEIGHT = 240;
// The card sheets' cells: 13 to a row, a 2-pixel gutter round each 60 x 84 card.
constexpr int SHEET_COLUMNS = 13;
constexpr int SHEET_CELL_WIDTH = 64;
constexpr int SHEET_CELL_HEIGHT = 88;
constexpr int SHEET_GUTTER = 2;
constexpr float CARD_WIDTH = 60.0f;
constexpr float CARD_HEIGHT = 84.0f;
constexpr float PREVIEW_CARD_SCALE = 0.5f;

// What lies in the middle of the table at the start.
enum PreviewCentre
{
   CENTRE_NONE,
   CENTRE_STOCK,
   CENTRE_STOCK_DISCARD,
   CENTRE_FOUR_SLOTS,
   CENTRE_SKAT,
   CENTRE_WAR,
   CENTRE_SPITE,
   CENTRE_MEMORY,
   CENTRE_KLONDIKE
};

struct PreviewGame
{
   const char* key;
   // Players round the table: the player at the bottom, then the others.
   int players;
   int handSize;
   PreviewCentre centre;
};

const PreviewGame previewGames[] = {
    {"Solitaire", 0, 0, CENTRE_KLONDIKE},
    {"OldMaid", 4, 9, CENTRE_NONE},
    {"War", 0, 0, CENTRE_WAR},
    {"CrazyEights", 2, 7, CENTRE_STOCK_DISCARD},
    {"SpiteAndMalice", 2, 5, CENTRE_SPITE},
    {"GoFish", 4, 5, CENTRE_STOCK},
    {"FanTan", 4, 13, CENTRE_FOUR_SLOTS},
    {"Spades", 4, 13, CENTRE_NONE},
    {"MemoryMatch", 0, 0, CENTRE_MEMORY},
    {"OhHell", 4, 7, CENTRE_STOCK_DISCARD},
    {"Tuxedo", 2, 10, CENTRE_STOCK},
    {"Whist", 4, 13, CENTRE_STOCK_DISCARD},
    {"GinRummy", 2, 10, CENTRE_STOCK_DISCARD},
    {"Hearts", 4, 13, CENTRE_NONE},
    {"Cribbage", 2, 6, CENTRE_STOCK},
    {"Pitch", 4, 6, CENTRE_NONE},
    {"Canasta", 4, 11, CENTRE_STOCK_DISCARD},
    {"Euchre", 4, 5, CENTRE_STOCK_DISCARD},
    {"Rummy500", 2, 13, CENTRE_STOCK_DISCARD},
    {"Pinochle4Players", 4, 12, CENTRE_NONE},
    {"FiveCardDrawPoker", 4, 5, CENTRE_STOCK},
    {"Skat", 3, 10, CENTRE_SKAT},
    {"Bridge", 4, 13, CENTRE_NONE},
};

// A straight-alpha RGBA canvas.
struct Canvas
{
   explicit Canvas(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, Rgba{0, 0, 0, 0})
   {
   }
   Rgba& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }

   int width;
   int height;
   std::vector<Rgba> pixels;
};

// One cell of a card sheet, with its bitmap.
struct CardSheet
{
   Bitmap* bitmap = nullptr;

   bool Load(const std::string& path)
   {
      FileStdio file(std::fopen(path.c_str(), "rb"));
      if (file.stream)
      {
         bitmap = bitmapLoaderPNG.Load(&file, allocatorDefault, HEAP_DEFAULT, HEAP_TEMP);
         std::fclose(file.stream);
         file.stream = nullptr;
      }
      if (!bitmap || bitmap->format != BITMAP_FORMAT_RGBA8)
      {
         std::fprintf(stderr, "guiart: %s is not an RGBA card sheet\n", path.c_str());
         return false;
      }
      return true;
   }

   ~CardSheet()
   {
      if (bitmap)
      {
         bitmap->Free();
         MemoryDelete(bitmap);
      }
   }

   // The colour at a point of the cell's card, straight alpha; clear outside the card.
   Rgba Sample(int cell, float x, float y) const
   {
      int left = (cell % SHEET_COLUMNS) * SHEET_CELL_WIDTH + SHEET_GUTTER;
      int top = (cell / SHEET_COLUMNS) * SHEET_CELL_HEIGHT + SHEET_GUTTER;
      int px = static_cast<int>(x);
      int py = static_cast<int>(y);
      if (px < 0 || py < 0 || px >= static_cast<int>(CARD_WIDTH) || py >= static_cast<int>(CARD_HEIGHT) ||
          left + px >= bitmap->width || top + py >= bitmap->height)
      {
         return {0, 0, 0, 0};
      }
      const u8* p = bitmap->PixelAddressGet(left + px, top + py);
      return {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, p[3] / 255.0f};
   }
};

struct PreviewSheets
{
   CardSheet fronts;
   CardSheet back;
   CardSheet piles;
};

// A card cell drawn scaled down about its centre; each pixel averages 4 x 4 samples.
void CardDraw(Canvas& canvas, const CardSheet& sheet, int cell, float cx, float cy, float angle = 0.0f)
{
   const float w = CARD_WIDTH * PREVIEW_CARD_SCALE;
   const float h = CARD_HEIGHT * PREVIEW_CARD_SCALE;
   const float reach = std::sqrt(w * w + h * h) * 0.5f + 3.0f;
   const float cosA = std::cos(angle);
   const float sinA = std::sin(angle);
   int x0 = std::max(0, static_cast<int>(cx - reach));
   int x1 = std::min(canvas.width - 1, static_cast<int>(cx + reach));
   int y0 = std::max(0, static_cast<int>(cy - reach));
   int y1 = std::min(canvas.height - 1, static_cast<int>(cy + reach));
   for (int y = y0; y <= y1; y++)
   {
      for (int x = x0; x <= x1; x++)
      {
         // A soft shadow first, a little below and right.
         float sx = x + 0.5f - cx - 1.5f;
         float sy = y + 0.5f - cy - 2.0f;
         float rx = sx * cosA + sy * sinA;
         float ry = -sx * sinA + sy * cosA;
         float shadowD = RoundedBoxDistance(rx, ry, -w * 0.5f, -h * 0.5f, w * 0.5f, h * 0.5f, 3.0f);
         Rgba color = canvas.At(x, y);
         color = Over({0, 0, 0, 0.35f * std::clamp(0.5f - shadowD / 2.0f, 0.0f, 1.0f)}, color);
         Rgba sum{0, 0, 0, 0};
         for (int j = 0; j < 4; j++)
         {
            for (int i = 0; i < 4; i++)
            {
               float ox = x + (i + 0.5f) / 4.0f - cx;
               float oy = y + (j + 0.5f) / 4.0f - cy;
               float ux = (ox * cosA + oy * sinA) / PREVIEW_CARD_SCALE + CARD_WIDTH * 0.5f;
               float uy = (-ox * sinA + oy * cosA) / PREVIEW_CARD_SCALE + CARD_HEIGHT * 0.5f;
               Rgba s = sheet.Sample(cell, ux, uy);
               sum = {sum.r + s.r * s.a, sum.g + s.g * s.a, sum.b + s.b * s.a, sum.a + s.a};
            }
         }
         if (sum.a > 0.0f)
         {
            color = Over({sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / 16.0f}, color);
         }
         canvas.At(x, y) = color;
      }
   }
}

// A deterministic deal of card cells (0 to 51) per game, each card at most once.
struct Dealer
{
   explicit Dealer(u32 seed) : state(seed) {}
   int Next()
   {
      int cell = 0;
      do
      {
         state = state * 1664525u + 1013904223u;
         cell = static_cast<int>((state >> 16) % 52u);
      } while (dealt[cell] && dealtCount < 52);
      dealt[cell] = true;
      dealtCount++;
      return cell;
   }

   u32 state;
   bool dealt[52] = {};
   int dealtCount = 0;
};

constexpr float CARD_W = CARD_WIDTH * PREVIEW_CARD_SCALE;
constexpr float CARD_H = CARD_HEIGHT * PREVIEW_CARD_SCALE;

// A hand fanned along a line from its centre; face up shows the dealer's cards.
void HandDraw(Canvas& canvas, const PreviewSheets& sheets, Dealer& dealer, int count, float cx, float cy,
              float dx, float dy, bool faceUp)
{
   float startX = cx - dx * (count - 1) * 0.5f;
   float startY = cy - dy * (count - 1) * 0.5f;
   // A player sorts the hand by suit, then rank: the cells' own order.
   std::vector<int> cells;
   for (int i = 0; faceUp && i < count; i++)
   {
      cells.push_back(dealer.Next());
   }
   std::sort(cells.begin(), cells.end());
   for (int i = 0; i < count; i++)
   {
      if (faceUp)
      {
         CardDraw(canvas, sheets.fronts, cells[static_cast<size_t>(i)], startX + dx * i, startY + dy * i);
      }
      else
      {
         CardDraw(canvas, sheets.back, 0, startX + dx * i, startY + dy * i);
      }
   }
}

// A squared-up face-down pile: a few backs offset to show its depth.
void StockDraw(Canvas& canvas, const PreviewSheets& sheets, float cx, float cy)
{
   for (int i = 0; i < 3; i++)
   {
      CardDraw(canvas, sheets.back, 0, cx - i * 1.0f, cy - i * 1.0f);
   }
}

void TableDraw(Canvas& canvas)
{
   const Rgba felt{0.13f, 0.46f, 0.26f, 1.0f};
   const Rgba feltDark{0.06f, 0.28f, 0.15f, 1.0f};
   const Rgba rim{0.42f, 0.26f, 0.12f, 1.0f};
   const float w = static_cast<float>(canvas.width);
   const float h = static_cast<float>(canvas.height);
   for (int y = 0; y < canvas.height; y++)
   {
      for (int x = 0; x < canvas.width; x++)
      {
         float px = x + 0.5f;
         float py = y + 0.5f;
         float d = RoundedBoxDistance(px, py, 0.0f, 0.0f, w, h, 12.0f);
         // Lighter in the middle, like a lamp over the table.
         float dx = (px - w * 0.5f) / w;
         float dy = (py - h * 0.5f) / h;
         Rgba surface = Mix(felt, feltDark, std::clamp(std::sqrt(dx * dx + dy * dy) * 1.6f, 0.0f, 1.0f));
         surface = Mix(surface, rim, std::clamp(d + 5.0f, 0.0f, 1.0f));
         surface.a = std::clamp(0.5f - d, 0.0f, 1.0f);
         canvas.At(x, y) = surface;
      }
   }
}

void PreviewDraw(Canvas& canvas, const PreviewSheets& sheets, const PreviewGame& game, u32 seed)
{
   TableDraw(canvas);
   Dealer dealer(seed * 2654435761u + 12345u);
   const float midX = PREVIEW_WIDTH * 0.5f;
   const float midY = PREVIEW_HEIGHT * 0.5f;
   // The other players' hands, face down: across the table, then left and right.
   const float spread = game.handSize > 10 ? 7.0f : 10.0f;
   if (game.players == 2 || game.players == 4)
   {
      HandDraw(canvas, sheets, dealer, game.handSize, midX, 30.0f, spread * 0.8f, 0.0f, false);
   }
   if (game.players >= 3)
   {
      HandDraw(canvas, sheets, dealer, game.handSize, 26.0f, midY - 8.0f, 0.0f, spread * 0.6f, false);
      HandDraw(canvas, sheets, dealer, game.handSize, PREVIEW_WIDTH - 26.0f, midY - 8.0f, 0.0f, spread * 0.6f,
               false);
   }
   switch (game.centre)
   {
   case CENTRE_STOCK:
      StockDraw(canvas, sheets, midX, midY - 8.0f);
      break;
   case CENTRE_STOCK_DISCARD:
      StockDraw(canvas, sheets, midX - 20.0f, midY - 8.0f);
      CardDraw(canvas, sheets.fronts, dealer.Next(), midX + 20.0f, midY - 8.0f);
      break;
   case CENTRE_FOUR_SLOTS:
      for (int i = 0; i < 4; i++)
      {
         CardDraw(canvas, sheets.piles, 0, midX - 54.0f + i * 36.0f, midY - 8.0f);
      }
      break;
   case CENTRE_SKAT:
      CardDraw(canvas, sheets.back, 0, midX - 10.0f, midY - 8.0f, -0.2f);
      CardDraw(canvas, sheets.back, 0, midX + 10.0f, midY - 8.0f, 0.2f);
      break;
   case CENTRE_WAR:
      StockDraw(canvas, sheets, midX, 40.0f);
      StockDraw(canvas, sheets, midX, PREVIEW_HEIGHT - 40.0f);
      CardDraw(canvas, sheets.fronts, dealer.Next(), midX - 18.0f, midY, -0.12f);
      CardDraw(canvas, sheets.fronts, dealer.Next(), midX + 18.0f, midY, 0.12f);
      break;
   case CENTRE_SPITE:
      // Each player's pay-off pile with its top card up, the stock and three empty building piles.
      CardDraw(canvas, sheets.fronts, dealer.Next(), 40.0f, PREVIEW_HEIGHT - 40.0f);
      CardDraw(canvas, sheets.fronts, dealer.Next(), PREVIEW_WIDTH - 40.0f, 30.0f);
      StockDraw(canvas, sheets, midX - 72.0f, midY);
      for (int i = 0; i < 3; i++)
      {
         CardDraw(canvas, sheets.piles, 0, midX - 24.0f + i * 40.0f, midY);
      }
      break;
   case CENTRE_MEMORY:
      for (int row = 0; row < 4; row++)
      {
         for (int column = 0; column < 7; column++)
         {
            CardDraw(canvas, sheets.back, 0, 40.0f + column * 40.0f, 36.0f + row * 56.0f);
         }
      }
      break;
   case CENTRE_KLONDIKE:
      StockDraw(canvas, sheets, 30.0f, 34.0f);
      CardDraw(canvas, sheets.piles, 0, 70.0f, 34.0f);
      for (int i = 0; i < 4; i++)
      {
         CardDraw(canvas, sheets.piles, 0, 170.0f + i * 40.0f, 34.0f);
      }
      for (int column = 0; column < 7; column++)
      {
         for (int i = 0; i < column; i++)
         {
            CardDraw(canvas, sheets.back, 0, 30.0f + column * 43.0f, 90.0f + i * 7.0f);
         }
         CardDraw(canvas, sheets.fronts, dealer.Next(), 30.0f + column * 43.0f, 90.0f + column * 7.0f);
      }
      break;
   case CENTRE_NONE:
      break;
   }
   // The player's own hand at the bottom, face up.
   if (game.players > 0)
   {
      HandDraw(canvas, sheets, dealer, game.handSize, midX, PREVIEW_HEIGHT - 32.0f, spread * 1.6f, 0.0f,
               true);
   }
}

bool CanvasWrite(const std::string& path, const Canvas& canvas)
{
   Bitmap bitmap;
   if (!bitmap.Init(canvas.width, canvas.height, BITMAP_FORMAT_RGBA8, allocatorDefault))
   {
      std::fprintf(stderr, "guiart: unable to make a %dx%d bitmap\n", canvas.width, canvas.height);
      return false;
   }
   for (int y = 0; y < canvas.height; y++)
   {
      for (int x = 0; x < canvas.width; x++)
      {
         PixelPut(&bitmap, x, y, canvas.pixels[static_cast<size_t>(y) * canvas.width + x]);
      }
   }
   bool written = PNGWrite(path, bitmap);
   bitmap.Free();
   return written;
}

// Every preview from the card sheets under the graphics folder; the number of failures.
int PreviewsDraw(const std::string& folder, const std::string& graphics)
{
   PreviewSheets sheets;
   if (!sheets.fronts.Load(graphics + "/Sprites/Cards/Fronts/Classic/SmallSheet.png") ||
       !sheets.back.Load(graphics + "/Sprites/Cards/Backs/Blue/SmallSheet.png") ||
       !sheets.piles.Load(graphics + "/Sprites/CardPiles/SmallSheet.png"))
   {
      return 1;
   }
   int failures = 0;
   u32 seed = 1;
   for (const PreviewGame& game : previewGames)
   {
      Canvas canvas(PREVIEW_WIDTH, PREVIEW_HEIGHT);
      PreviewDraw(canvas, sheets, game, seed++);
      failures += CanvasWrite(folder + "/" + game.key + ".png", canvas) ? 0 : 1;
   }
   return failures;
}
} // namespace

int main(int argc, char** argv)
{
   // The message-box art unless another set is named; the icon only when asked for.
   const PieceSet* set = &pieceSets[0];
   const char* iconPath = nullptr;
   // With --cards, the game previews from the card sheets under that graphics folder instead.
   const char* cardsGraphics = nullptr;
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
      else if (std::strcmp(argv[i], "--cards") == 0)
      {
         cardsGraphics = argv[i + 1];
      }
      else
      {
         usable = false;
      }
   }
   if (!usable)
   {
      std::fprintf(stderr, "usage: corvale-guiart --output <folder> [--set "
                           "MessageBox|LoadingScreen|MainMenu|SolitaireMenu|MenuBar|Language|FaceCreator|"
                           "Dialog|SettingsMenu|TrickTaking|Solitaire] "
                           "[--icon <file>] [--cards <graphics folder>]\n");
      return 2;
   }
   Memory::Init();
   std::string folder = argv[2];
   if (cardsGraphics)
   {
      int previewFailures = PreviewsDraw(folder, cardsGraphics);
      Memory::Deinit();
      return previewFailures == 0 ? 0 : 1;
   }
   int failures = 0;
   for (size_t i = 0; i < set->count; i++)
   {
      const Piece& piece = set->pieces[i];
      failures += PictureWrite(folder + "/" + piece.name + ".png", piece.width, piece.height,
                               [&](Bitmap* bitmap)
                               {
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
