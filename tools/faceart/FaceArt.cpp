// corvale-faceart: draws every portrait part procedurally, in a 128 x 128 part box, and writes one
// sprite resource file per part: "NNN_Rest" for every sprite, "NNN_Talk" for mouths, "NNN_Blink"
// for eyes. Each sprite's frames are trimmed to their content, with an offset, and share two sheets
// with every other part, so that a face draws from few textures. Nothing
// is random: the same build draws the same faces. With --tables it prints the portrait constants
// that match what it draws.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
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
constexpr int BOX = 128;
constexpr int SKINS = 10;
constexpr int HEADS = 6;
constexpr int MOUTHS = 8;
constexpr int EYES = 8;
constexpr int NOSES = 6;
constexpr int HAIR_STYLES = 12;
constexpr int HAIR_COLOURS = 4;
constexpr int OUTFITS = 10;
constexpr int BROW_SHAPES = 6;
constexpr int BEARDS = 6;
constexpr int ACCESSORIES = 8;
// Hair styles 10-12 (long, ponytail, bun) are offered to female faces only.
constexpr int HAIR_FEMALE_FIRST = 10;

struct Rgb
{
   float r, g, b;
};

Rgb Shade(const Rgb& c, float f)
{
   return Rgb{std::clamp(c.r * f, 0.0f, 1.0f), std::clamp(c.g * f, 0.0f, 1.0f),
              std::clamp(c.b * f, 0.0f, 1.0f)};
}

Rgb Mix(const Rgb& a, const Rgb& b, float t)
{
   return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Hex(unsigned v)
{
   return Rgb{((v >> 16) & 255) / 255.0f, ((v >> 8) & 255) / 255.0f, (v & 255) / 255.0f};
}

const Rgb skinColours[SKINS] = {Hex(0xFCE6DA), Hex(0xF6D5BC), Hex(0xEDBF9C), Hex(0xD4A574), Hex(0xBF8D5F),
                                Hex(0x8C5B3B), Hex(0x5E3C27), Hex(0xE98F78), Hex(0x8CC86E), Hex(0x97A878)};
const Rgb hairColours[HAIR_COLOURS] = {Hex(0x2B2424), Hex(0x6B4226), Hex(0xDDB96A), Hex(0xA9441F)};
const Rgb irisColours[EYES] = {Hex(0x6B3E1E), Hex(0x3C78C8), Hex(0x3F8F4A), Hex(0x8A6A2E),
                               Hex(0x7A8794), Hex(0x3A2616), Hex(0x2F9FB0), Hex(0x5B8A3A)};

// Premultiplied colour, painted with "over".
struct Canvas
{
   std::vector<float> p = std::vector<float>(BOX * BOX * 4, 0.0f);

   void Blend(int x, int y, const Rgb& c, float a)
   {
      if (a <= 0.0f || x < 0 || y < 0 || x >= BOX || y >= BOX)
      {
         return;
      }
      a = std::min(a, 1.0f);
      float* d = &p[(static_cast<size_t>(y) * BOX + x) * 4];
      d[0] = c.r * a + d[0] * (1.0f - a);
      d[1] = c.g * a + d[1] * (1.0f - a);
      d[2] = c.b * a + d[2] * (1.0f - a);
      d[3] = a + d[3] * (1.0f - a);
   }
   float Alpha(int x, int y) const { return p[(static_cast<size_t>(y) * BOX + x) * 4 + 3]; }
};

// Shapes are signed distances in pixels: below 0 inside.
typedef std::function<float(float, float)> Shape;

Shape Circle(float cx, float cy, float r)
{
   return [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; };
}

Shape Ellipse(float cx, float cy, float rx, float ry)
{
   return [=](float x, float y)
   {
      float k = std::hypot((x - cx) / rx, (y - cy) / ry);
      return (k - 1.0f) * std::min(rx, ry);
   };
}

Shape Box(float x0, float y0, float x1, float y1, float radius)
{
   return [=](float x, float y)
   {
      float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
      float hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
      float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
      float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
      return outside + std::min(std::max(qx, qy), 0.0f) - radius;
   };
}

// A segment with round ends.
Shape Capsule(float ax, float ay, float bx, float by, float r)
{
   return [=](float x, float y)
   {
      float px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
      float len = dx * dx + dy * dy;
      float t = len > 0 ? std::clamp((px * dx + py * dy) / len, 0.0f, 1.0f) : 0.0f;
      return std::hypot(px - dx * t, py - dy * t) - r;
   };
}

// A quadratic curve drawn as a thick stroke, its thickness tapering from r0 to r1.
Shape Curve(float ax, float ay, float cx, float cy, float bx, float by, float r0, float r1)
{
   return [=](float x, float y)
   {
      float best = 1e9f;
      for (int i = 0; i <= 24; ++i)
      {
         float t = i / 24.0f, u = 1 - t;
         float px = u * u * ax + 2 * u * t * cx + t * t * bx;
         float py = u * u * ay + 2 * u * t * cy + t * t * by;
         best = std::min(best, std::hypot(x - px, y - py) - (r0 + (r1 - r0) * t));
      }
      return best;
   };
}

// A convex or concave polygon (even-odd), distance approximated by the nearest edge.
Shape Polygon(std::vector<float> pts)
{
   return [=](float x, float y)
   {
      size_t n = pts.size() / 2;
      bool inside = false;
      float best = 1e9f;
      for (size_t i = 0, j = n - 1; i < n; j = i++)
      {
         float xi = pts[2 * i], yi = pts[2 * i + 1], xj = pts[2 * j], yj = pts[2 * j + 1];
         if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
         {
            inside = !inside;
         }
         float dx = xj - xi, dy = yj - yi, len = dx * dx + dy * dy;
         float t = len > 0 ? std::clamp(((x - xi) * dx + (y - yi) * dy) / len, 0.0f, 1.0f) : 0.0f;
         best = std::min(best, std::hypot(x - xi - dx * t, y - yi - dy * t));
      }
      return inside ? -best : best;
   };
}

Shape Union(Shape a, Shape b)
{
   return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

Shape Cut(Shape a, Shape b)
{
   return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}

Shape Clip(Shape a, Shape b)
{
   return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}

Shape Mirror(Shape a)
{
   return [=](float x, float y) { return a(BOX - x, y); };
}

// Fills a shape with an outline of the given width (0: none) and a light from the top left.
void Paint(Canvas& c, const Shape& s, const Rgb& fill, const Rgb& line, float width, float alpha = 1.0f,
           float light = 0.12f)
{
   for (int y = 0; y < BOX; ++y)
   {
      for (int x = 0; x < BOX; ++x)
      {
         float d = s(x + 0.5f, y + 0.5f);
         if (d > width + 1.0f)
         {
            continue;
         }
         if (width > 0)
         {
            c.Blend(x, y, line, std::clamp(0.5f - (d - width), 0.0f, 1.0f) * alpha);
         }
         float shade = 1.0f + light * std::clamp(-d / 10.0f, 0.0f, 1.0f);
         c.Blend(x, y, Shade(fill, shade), std::clamp(0.5f - d, 0.0f, 1.0f) * alpha);
      }
   }
}

// The part box anatomy shared by every part.
constexpr float HEAD_X = 64, HEAD_Y = 58;
constexpr float EYE_Y = 57, EYE_DX = 12;
constexpr float MOUTH_Y = 81;

Shape HeadShape(int style)
{
   switch (style)
   {
   case 0:
      return Ellipse(HEAD_X, HEAD_Y, 29, 36);
   case 1:
      return Ellipse(HEAD_X, HEAD_Y + 2, 31, 33);
   case 2:
      return Ellipse(HEAD_X, HEAD_Y, 26, 38);
   case 3:
      return Union(Ellipse(HEAD_X, HEAD_Y - 4, 29, 31),
                   Box(HEAD_X - 26, HEAD_Y, HEAD_X + 26, HEAD_Y + 35, 12));
   case 4:
      return Union(Ellipse(HEAD_X, HEAD_Y - 6, 30, 29),
                   Polygon({HEAD_X - 29, HEAD_Y - 4, HEAD_X + 29, HEAD_Y - 4, HEAD_X + 6, HEAD_Y + 35,
                            HEAD_X - 6, HEAD_Y + 35}));
   default:
      return Ellipse(HEAD_X, HEAD_Y + 1, 33, 34);
   }
}

void DrawHead(Canvas& c, int skin, int style)
{
   Rgb s = skinColours[skin];
   Rgb line = Shade(s, 0.62f);
   Shape ears = Union(Ellipse(HEAD_X - 29, EYE_Y + 4, 6, 9), Ellipse(HEAD_X + 29, EYE_Y + 4, 6, 9));
   Paint(c, ears, s, line, 1.5f);
   Paint(c, HeadShape(style), s, line, 1.5f);
   // Cheeks, a touch of colour.
   Rgb blush = Mix(s, Hex(0xE0706A), 0.35f);
   Paint(c, Circle(HEAD_X - 17, EYE_Y + 16, 6), blush, blush, 0, 0.35f, 0);
   Paint(c, Circle(HEAD_X + 17, EYE_Y + 16, 6), blush, blush, 0, 0.35f, 0);
}

void DrawNeck(Canvas& c, int skin)
{
   Rgb s = Shade(skinColours[skin], 0.92f);
   Paint(c, Box(HEAD_X - 11, 78, HEAD_X + 11, 116, 4), s, Shade(s, 0.62f), 1.5f);
   Paint(c, Ellipse(HEAD_X, 92, 11, 6), Shade(s, 0.85f), s, 0, 0.6f, 0);
}

const Rgb outfitColours[OUTFITS] = {Hex(0x3D6FB6), Hex(0xB53A3A), Hex(0x45474F), Hex(0x3F8A4F),
                                    Hex(0x8A8F98), Hex(0xEDEDE6), Hex(0x27355E), Hex(0x7B4A9E),
                                    Hex(0xC89B2C), Hex(0x1F1F22)};

// Shoulders and chest: the back half of every outfit.
void DrawBodyBack(Canvas& c, int outfit)
{
   Rgb col = outfitColours[outfit];
   Shape torso = Union(Ellipse(HEAD_X, 128, 52, 26), Box(HEAD_X - 50, 118, HEAD_X + 50, 140, 8));
   Paint(c, torso, col, Shade(col, 0.55f), 1.5f);
   if (outfit == 6)
   {
      // Stripes.
      for (int i = 0; i < 4; ++i)
      {
         Paint(c, Clip(Box(0, 108 + i * 6, BOX, 111 + i * 6, 0), torso), Hex(0xE8E8E8), col, 0);
      }
   }
}

// Collars and fronts, drawn over the neck.
void DrawBodyFront(Canvas& c, int outfit)
{
   Rgb col = outfitColours[outfit];
   Rgb line = Shade(col, 0.55f);
   switch (outfit)
   {
   case 0: // crew neck
      Paint(c, Cut(Ellipse(HEAD_X, 108, 16, 8), Ellipse(HEAD_X, 104, 12, 6)), col, line, 1.2f);
      break;
   case 1: // v-neck
      Paint(c,
            Cut(Polygon({HEAD_X - 16, 103, HEAD_X + 16, 103, HEAD_X + 18, 128, HEAD_X - 18, 128}),
                Polygon({HEAD_X - 11, 101, HEAD_X + 11, 101, HEAD_X, 118})),
            col, line, 1.2f);
      break;
   case 2: // suit, shirt and tie
      Paint(c, Polygon({HEAD_X - 12, 102, HEAD_X + 12, 102, HEAD_X + 6, 128, HEAD_X - 6, 128}), Hex(0xF4F4F0),
            Hex(0x9A9A9A), 1.0f);
      Paint(c, Polygon({HEAD_X - 3, 106, HEAD_X + 3, 106, HEAD_X + 4, 126, HEAD_X, 128, HEAD_X - 4, 126}),
            Hex(0xB02A30), Hex(0x6A1418), 1.0f);
      Paint(c, Polygon({HEAD_X - 22, 104, HEAD_X - 11, 101, HEAD_X - 4, 128, HEAD_X - 14, 128}), col, line,
            1.2f);
      Paint(c, Polygon({HEAD_X + 22, 104, HEAD_X + 11, 101, HEAD_X + 4, 128, HEAD_X + 14, 128}), col, line,
            1.2f);
      break;
   case 3: // turtleneck
      Paint(c, Box(HEAD_X - 13, 92, HEAD_X + 13, 112, 5), col, line, 1.2f);
      for (int i = 0; i < 3; ++i)
      {
         Paint(c, Capsule(HEAD_X - 11, 97 + i * 5, HEAD_X + 11, 97 + i * 5, 0.6f), line, line, 0);
      }
      break;
   case 4: // hoodie
      Paint(c, Cut(Ellipse(HEAD_X, 106, 24, 11), Ellipse(HEAD_X, 102, 14, 7)), Shade(col, 1.1f), line, 1.2f);
      Paint(c, Capsule(HEAD_X - 6, 108, HEAD_X - 7, 124, 1.0f), Hex(0xEEEEEE), line, 0.6f);
      Paint(c, Capsule(HEAD_X + 6, 108, HEAD_X + 7, 124, 1.0f), Hex(0xEEEEEE), line, 0.6f);
      break;
   case 5: // collared shirt
      Paint(c, Polygon({HEAD_X - 13, 100, HEAD_X, 110, HEAD_X - 4, 116, HEAD_X - 17, 107}), col, line, 1.2f);
      Paint(c, Polygon({HEAD_X + 13, 100, HEAD_X, 110, HEAD_X + 4, 116, HEAD_X + 17, 107}), col, line, 1.2f);
      for (int i = 0; i < 2; ++i)
      {
         Paint(c, Circle(HEAD_X, 118 + i * 7, 1.4f), Hex(0x9A9A9A), line, 0);
      }
      break;
   case 6: // striped boat neck
      Paint(c, Cut(Ellipse(HEAD_X, 108, 19, 7), Ellipse(HEAD_X, 105, 16, 5)), col, line, 1.0f);
      break;
   case 7: // dress with straps
      Paint(c, Capsule(HEAD_X - 20, 104, HEAD_X - 16, 122, 2.2f), col, line, 1.0f);
      Paint(c, Capsule(HEAD_X + 20, 104, HEAD_X + 16, 122, 2.2f), col, line, 1.0f);
      Paint(c, Ellipse(HEAD_X, 126, 22, 6), col, line, 1.0f);
      break;
   case 8: // sweater with a shirt collar
      Paint(c, Cut(Ellipse(HEAD_X, 108, 17, 9), Ellipse(HEAD_X, 104, 12, 6)), col, line, 1.2f);
      Paint(c, Polygon({HEAD_X - 11, 101, HEAD_X, 107, HEAD_X - 7, 110}), Hex(0xF4F4F0), Hex(0x9A9A9A), 1.0f);
      Paint(c, Polygon({HEAD_X + 11, 101, HEAD_X, 107, HEAD_X + 7, 110}), Hex(0xF4F4F0), Hex(0x9A9A9A), 1.0f);
      break;
   default: // zipped jacket
      Paint(c, Box(HEAD_X - 14, 98, HEAD_X + 14, 108, 4), col, Hex(0x55555A), 1.2f);
      Paint(c, Capsule(HEAD_X, 102, HEAD_X, 128, 1.0f), Hex(0xB8B8B8), Hex(0x777777), 0.5f);
      break;
   }
}

// Eyes: the white, the iris, a highlight; blink frames close the skin-coloured lid.
void DrawEye(Canvas& c, int skin, int style, bool right, float closed)
{
   float cx = HEAD_X + (right ? EYE_DX : -EYE_DX);
   float rx = 6.0f, ry = 4.2f;
   switch (style % 4)
   {
   case 1:
      rx = 6.8f, ry = 3.4f;
      break;
   case 2:
      rx = 5.4f, ry = 4.8f;
      break;
   case 3:
      rx = 6.4f, ry = 3.0f;
      break;
   default:
      break;
   }
   Rgb s = skinColours[skin];
   Shape white = Ellipse(cx, EYE_Y, rx, ry);
   Paint(c, white, Hex(0xFAFAF7), Hex(0x2A1E1A), 1.0f, 1.0f, 0);
   Paint(c, Clip(Circle(cx, EYE_Y + 0.3f, ry * 0.85f), white), irisColours[style], irisColours[style], 0);
   Paint(c, Clip(Circle(cx, EYE_Y + 0.3f, ry * 0.4f), white), Hex(0x111111), Hex(0x111111), 0);
   Paint(c, Circle(cx + 1.2f, EYE_Y - 1.2f, 0.9f), Hex(0xFFFFFF), Hex(0xFFFFFF), 0);
   // A lash line over the top.
   Paint(c, Curve(cx - rx - 0.5f, EYE_Y, cx, EYE_Y - ry * 1.35f, cx + rx + 0.5f, EYE_Y, 0.9f, 0.9f),
         Hex(0x2A1E1A), Hex(0x2A1E1A), 0);
   if (closed > 0)
   {
      float bottom = EYE_Y - ry - 1.0f + (2.0f * ry + 2.0f) * closed;
      Shape lid =
          Clip(Ellipse(cx, EYE_Y, rx + 1.6f, ry + 1.6f), Box(cx - 20, EYE_Y - 20, cx + 20, bottom, 0));
      Paint(c, lid, s, s, 0, 1.0f, 0);
      Paint(c,
            Clip(Capsule(cx - rx - 1, bottom, cx + rx + 1, bottom, 0.8f),
                 Ellipse(cx, EYE_Y, rx + 1.6f, ry + 1.6f)),
            Hex(0x2A1E1A), Hex(0x2A1E1A), 0);
   }
}

void DrawEyebrow(Canvas& c, int shape, int colour, bool right)
{
   Rgb col = hairColours[colour];
   Shape s;
   const float y = EYE_Y - 9;
   switch (shape)
   {
   case 0: // straight
      s = Capsule(HEAD_X - 18, y, HEAD_X - 6, y - 1, 1.4f);
      break;
   case 1: // arched
      s = Curve(HEAD_X - 19, y + 1, HEAD_X - 13, y - 6, HEAD_X - 6, y, 1.0f, 1.4f);
      break;
   case 2: // thick
      s = Curve(HEAD_X - 19, y, HEAD_X - 12, y - 3, HEAD_X - 5, y - 1, 2.2f, 2.6f);
      break;
   case 3: // thin
      s = Curve(HEAD_X - 18, y, HEAD_X - 12, y - 3, HEAD_X - 6, y - 1, 0.6f, 0.8f);
      break;
   case 4: // stern, down toward the nose
      s = Capsule(HEAD_X - 19, y - 3, HEAD_X - 6, y + 1, 1.6f);
      break;
   default: // worried, up toward the nose
      s = Curve(HEAD_X - 19, y + 1, HEAD_X - 12, y, HEAD_X - 6, y - 4, 1.2f, 1.6f);
      break;
   }
   Paint(c, right ? Mirror(s) : s, col, Shade(col, 0.7f), 0.4f, 1.0f, 0);
}

void DrawNose(Canvas& c, int skin, int style)
{
   Rgb s = skinColours[skin];
   Rgb line = Shade(s, 0.6f);
   const float y = EYE_Y + 12;
   switch (style)
   {
   case 0: // button
      Paint(c, Curve(HEAD_X - 4, y + 2, HEAD_X, y + 6, HEAD_X + 4, y + 2, 0.7f, 0.7f), line, line, 0);
      break;
   case 1: // pointed
      Paint(c, Curve(HEAD_X - 1, y - 9, HEAD_X + 5, y + 3, HEAD_X - 2, y + 4, 0.6f, 0.9f), line, line, 0);
      break;
   case 2: // wide
      Paint(c, Ellipse(HEAD_X, y + 2, 7, 4), Shade(s, 0.95f), line, 1.0f);
      Paint(c, Circle(HEAD_X - 3, y + 3, 1.2f), line, line, 0);
      Paint(c, Circle(HEAD_X + 3, y + 3, 1.2f), line, line, 0);
      break;
   case 3: // long
      Paint(c, Polygon({HEAD_X - 1, y - 10, HEAD_X + 3, y + 3, HEAD_X - 4, y + 4}), Shade(s, 0.95f), line,
            1.0f);
      break;
   case 4: // round
      Paint(c, Circle(HEAD_X, y + 1, 4.5f), Shade(s, 1.02f), line, 1.0f);
      break;
   default: // snub, two nostrils
      Paint(c, Circle(HEAD_X - 2.5f, y + 3, 1.1f), line, line, 0);
      Paint(c, Circle(HEAD_X + 2.5f, y + 3, 1.1f), line, line, 0);
      Paint(c, Curve(HEAD_X - 5, y + 1, HEAD_X, y - 2, HEAD_X + 5, y + 1, 0.5f, 0.5f), line, line, 0, 0.6f);
      break;
   }
}

// A mouth; open (0 closed .. 1 wide) makes the talking frames.
void DrawMouth(Canvas& c, int skin, int style, float open)
{
   Rgb lip = Mix(Shade(skinColours[skin], 0.8f), Hex(0xB84A4A), 0.45f);
   Rgb line = Shade(lip, 0.55f);
   float width = 8.0f + (style == 2 ? 3 : 0) - (style == 3 ? 2 : 0);
   float smile = style == 0 || style == 2 || style == 6 ? 3.0f : style == 7 ? -1.0f : 0.5f;
   float skew = style == 5 ? 2.5f : 0.0f;
   if (open > 0)
   {
      Shape inside = Ellipse(HEAD_X, MOUTH_Y + 1 + open * 2, width - 1, 1.0f + open * 5);
      Paint(c, inside, Hex(0x5A1E22), line, 1.2f, 1.0f, 0);
      Paint(c, Clip(Box(HEAD_X - width, MOUTH_Y - 4, HEAD_X + width, MOUTH_Y + 1.2f, 0), inside),
            Hex(0xF6F3EA), Hex(0xF6F3EA), 0);
      Paint(c, Clip(Ellipse(HEAD_X, MOUTH_Y + 2 + open * 6, width * 0.5f, 2.0f), inside), Hex(0xC85A66),
            Hex(0xC85A66), 0);
      return;
   }
   float lipThickness = style == 4 ? 2.4f : style == 7 ? 2.0f : 1.2f;
   Shape lips = Curve(HEAD_X - width, MOUTH_Y - smile + skew, HEAD_X, MOUTH_Y + smile, HEAD_X + width,
                      MOUTH_Y - smile - skew, lipThickness, lipThickness);
   Paint(c, lips, lip, line, 0.8f, 1.0f, 0);
   if (style == 6)
   {
      // A grin shows teeth.
      Paint(c, Clip(Ellipse(HEAD_X, MOUTH_Y + 1, width - 2, 2.2f), Box(0, MOUTH_Y - 1, BOX, MOUTH_Y + 3, 0)),
            Hex(0xF6F3EA), line, 0.6f);
   }
   Paint(c,
         Curve(HEAD_X - width, MOUTH_Y - smile + skew, HEAD_X, MOUTH_Y + smile, HEAD_X + width,
               MOUTH_Y - smile - skew, 0.5f, 0.5f),
         line, line, 0);
}

// Facial hair keeps clear of the lips, so a talking mouth stays visible.
void DrawFacialHair(Canvas& c, int style, int colour)
{
   Rgb col = hairColours[colour];
   Rgb line = Shade(col, 0.7f);
   Shape lipsClear = Ellipse(HEAD_X, MOUTH_Y + 3, 12, 8.5f);
   switch (style)
   {
   case 0: // moustache
      Paint(c,
            Union(Curve(HEAD_X, MOUTH_Y - 6, HEAD_X - 6, MOUTH_Y - 8, HEAD_X - 11, MOUTH_Y - 3, 2.2f, 1.0f),
                  Curve(HEAD_X, MOUTH_Y - 6, HEAD_X + 6, MOUTH_Y - 8, HEAD_X + 11, MOUTH_Y - 3, 2.2f, 1.0f)),
            col, line, 0.6f);
      break;
   case 1: // goatee
      Paint(c, Cut(Ellipse(HEAD_X, MOUTH_Y + 12, 8, 7), lipsClear), col, line, 0.6f);
      break;
   case 2: // full beard
      Paint(c,
            Cut(Clip(Ellipse(HEAD_X, HEAD_Y + 12, 31, 32), Box(0, EYE_Y + 10, BOX, BOX, 0)),
                Union(lipsClear, Ellipse(HEAD_X, EYE_Y + 12, 9, 8))),
            col, line, 0.6f);
      break;
   case 3: // stubble
      Paint(c, Cut(Clip(HeadShape(0), Box(0, EYE_Y + 14, BOX, BOX, 0)), lipsClear), col, col, 0, 0.28f, 0);
      break;
   case 4: // chinstrap
      Paint(c,
            Cut(Clip(Cut(Ellipse(HEAD_X, HEAD_Y + 4, 30, 36), Ellipse(HEAD_X, HEAD_Y + 2, 25, 32)),
                     Box(0, EYE_Y + 2, BOX, BOX, 0)),
                lipsClear),
            col, line, 0.5f);
      break;
   default: // sideburns and moustache
      Paint(c, Box(HEAD_X - 29, EYE_Y - 2, HEAD_X - 23, EYE_Y + 18, 3), col, line, 0.5f);
      Paint(c, Box(HEAD_X + 23, EYE_Y - 2, HEAD_X + 29, EYE_Y + 18, 3), col, line, 0.5f);
      Paint(c, Curve(HEAD_X - 12, MOUTH_Y - 2, HEAD_X, MOUTH_Y - 10, HEAD_X + 12, MOUTH_Y - 2, 1.4f, 1.4f),
            col, line, 0.5f);
      break;
   }
}

// Hair: the back half behind the head, the front half over the forehead.
void DrawHair(Canvas& c, int style, int colour, bool front)
{
   Rgb col = hairColours[colour];
   Rgb line = Shade(col, 0.65f);
   Shape skull = Ellipse(HEAD_X, HEAD_Y - 2, 31, 37);
   Shape top = Clip(skull, Box(0, 0, BOX, HEAD_Y - 20, 0));
   switch (style)
   {
   case 0: // short crop
      if (front)
         Paint(c, Union(top, Clip(skull, Box(0, 0, BOX, HEAD_Y - 17, 6))), col, line, 1.0f);
      break;
   case 1: // buzz
      if (front)
         Paint(c, Clip(skull, Box(0, 0, BOX, HEAD_Y - 16, 0)), col, col, 0, 0.7f, 0);
      break;
   case 2: // side part
      if (front)
         Paint(c,
               Union(top, Curve(HEAD_X - 28, HEAD_Y - 18, HEAD_X - 4, HEAD_Y - 30, HEAD_X + 26, HEAD_Y - 16,
                                6, 3)),
               col, line, 1.0f);
      break;
   case 3: // spiky
      if (front)
      {
         Shape spikes = top;
         for (int i = 0; i < 6; ++i)
         {
            float x = HEAD_X - 25 + i * 10;
            spikes = Union(
                spikes, Polygon({x - 6, HEAD_Y - 28, x + 2, HEAD_Y - 46 - (i % 2) * 4, x + 6, HEAD_Y - 28}));
         }
         Paint(c, spikes, col, line, 1.0f);
      }
      break;
   case 4: // curly
   {
      Shape curls = top;
      for (int i = 0; i < 9; ++i)
      {
         float a = 3.3f + i * 0.36f;
         curls = Union(curls, Circle(HEAD_X + std::cos(a) * 29, HEAD_Y - 6 + std::sin(a) * 33, 7));
      }
      if (front)
         Paint(c, curls, col, line, 1.0f);
      else
         Paint(c, Ellipse(HEAD_X, HEAD_Y - 10, 36, 34), Shade(col, 0.8f), line, 1.0f);
      break;
   }
   case 5: // quiff
      if (front)
         Paint(c,
               Union(top, Curve(HEAD_X - 24, HEAD_Y - 26, HEAD_X - 6, HEAD_Y - 52, HEAD_X + 22, HEAD_Y - 30,
                                8, 6)),
               col, line, 1.0f);
      break;
   case 6: // bowl cut
      if (front)
         Paint(c, Clip(Ellipse(HEAD_X, HEAD_Y - 6, 33, 37), Box(0, 0, BOX, EYE_Y - 13, 0)), col, line, 1.0f);
      else
         Paint(c, Clip(Ellipse(HEAD_X, HEAD_Y - 2, 33, 38), Box(0, 0, BOX, EYE_Y + 8, 0)), Shade(col, 0.8f),
               line, 1.0f);
      break;
   case 7: // afro
      if (front)
         Paint(c, Clip(Ellipse(HEAD_X, HEAD_Y - 14, 40, 32), Box(0, 0, BOX, HEAD_Y - 22, 0)), col, line,
               1.0f);
      else
         Paint(c, Ellipse(HEAD_X, HEAD_Y - 12, 44, 40), Shade(col, 0.85f), line, 1.0f);
      break;
   case 8: // bald crown, hair at the sides
      if (!front)
         Paint(c, Clip(Ellipse(HEAD_X, HEAD_Y - 2, 33, 34), Box(0, HEAD_Y - 14, BOX, EYE_Y + 8, 0)), col,
               line, 1.0f);
      else
         Paint(c, Circle(HEAD_X - 8, HEAD_Y - 28, 4), Hex(0xFFFFFF), Hex(0xFFFFFF), 0, 0.25f, 0);
      break;
   case 9: // long and straight
      if (front)
         Paint(c,
               Union(top,
                     Curve(HEAD_X + 26, HEAD_Y - 14, HEAD_X - 2, HEAD_Y - 34, HEAD_X - 28, HEAD_Y - 8, 4, 7)),
               col, line, 1.0f);
      else
         Paint(c, Box(HEAD_X - 36, HEAD_Y - 34, HEAD_X + 36, HEAD_Y + 56, 26), col, line, 1.0f);
      break;
   case 10: // ponytail
      if (front)
         Paint(c, Union(top, Clip(skull, Box(0, 0, BOX, HEAD_Y - 18, 4))), col, line, 1.0f);
      else
         Paint(c, Union(Ellipse(HEAD_X + 30, HEAD_Y + 6, 9, 26), Clip(skull, Box(0, 0, BOX, HEAD_Y, 0))),
               Shade(col, 0.9f), line, 1.0f);
      break;
   default: // bun
      if (front)
         Paint(c, Union(top, Clip(skull, Box(0, 0, BOX, HEAD_Y - 18, 4))), col, line, 1.0f);
      else
         Paint(c, Circle(HEAD_X, HEAD_Y - 42, 13), Shade(col, 0.9f), line, 1.0f);
      break;
   }
}

// Every accessory draws in front: the face creator chooses only the front half of a pair, and a
// back half left from an earlier choice would float behind the next accessory. The back halves
// are empty frames.
void DrawAccessory(Canvas& c, int kind, bool front)
{
   const Rgb metal = Hex(0x3A3A40), gold = Hex(0xE3B341);
   switch (kind)
   {
   case 0: // round glasses
   case 1: // square glasses
   case 2: // sunglasses
      if (front)
      {
         for (int side = -1; side <= 1; side += 2)
         {
            float cx = HEAD_X + side * EYE_DX;
            Shape lens = kind == 0 ? Circle(cx, EYE_Y, 8) : Box(cx - 9, EYE_Y - 6, cx + 9, EYE_Y + 6, 2);
            Shape rim = Cut(Union(lens, Circle(cx, EYE_Y, 0)),
                            kind == 0 ? Circle(cx, EYE_Y, 6.6f)
                                      : Box(cx - 7.6f, EYE_Y - 4.6f, cx + 7.6f, EYE_Y + 4.6f, 1));
            if (kind == 2)
               Paint(c, lens, Hex(0x1A1A22), metal, 1.0f, 0.88f, 0.3f);
            else
               Paint(c, lens, Hex(0xCFE6F5), metal, 0, 0.22f, 0);
            Paint(c, rim, metal, metal, 0);
         }
         Paint(c, Curve(HEAD_X - 4, EYE_Y - 1, HEAD_X, EYE_Y - 4, HEAD_X + 4, EYE_Y - 1, 1, 1), metal, metal,
               0);
      }
      break;
   case 3: // cap
      if (front)
      {
         Paint(c, Clip(Ellipse(HEAD_X, HEAD_Y - 16, 33, 28), Box(0, 0, BOX, HEAD_Y - 18, 0)), Hex(0xC23B3B),
               Hex(0x6E1F1F), 1.2f);
         Paint(c, Ellipse(HEAD_X, HEAD_Y - 18, 38, 6), Hex(0xA93030), Hex(0x6E1F1F), 1.2f);
      }
      break;
   case 4: // wide hat, its whole brim in front
      if (front)
      {
         Paint(c, Ellipse(HEAD_X, HEAD_Y - 34, 60, 9), Hex(0x6B5233), Hex(0x3A2C1A), 1.2f);
         Paint(c, Box(HEAD_X - 26, HEAD_Y - 62, HEAD_X + 26, HEAD_Y - 32, 8), Hex(0x7C603D), Hex(0x3A2C1A),
               1.2f);
         Paint(c, Box(HEAD_X - 26, HEAD_Y - 40, HEAD_X + 26, HEAD_Y - 34, 0), Hex(0x2C2C2C), Hex(0x2C2C2C),
               0);
      }
      break;
   case 5: // earrings
      if (front)
      {
         Paint(c, Circle(HEAD_X - 30, EYE_Y + 16, 2.6f), gold, Shade(gold, 0.6f), 0.8f);
         Paint(c, Circle(HEAD_X + 30, EYE_Y + 16, 2.6f), gold, Shade(gold, 0.6f), 0.8f);
      }
      break;
   case 6: // headband
      if (front)
         Paint(c, Curve(HEAD_X - 30, HEAD_Y - 14, HEAD_X, HEAD_Y - 44, HEAD_X + 30, HEAD_Y - 14, 3, 3),
               Hex(0x3BA5A0), Hex(0x1F5F5C), 1.0f);
      break;
   default: // bow tie
      if (front)
      {
         Paint(c, Polygon({HEAD_X, 104, HEAD_X - 12, 98, HEAD_X - 12, 110}), Hex(0x2E4FA3), Hex(0x182A58),
               1.0f);
         Paint(c, Polygon({HEAD_X, 104, HEAD_X + 12, 98, HEAD_X + 12, 110}), Hex(0x2E4FA3), Hex(0x182A58),
               1.0f);
         Paint(c, Circle(HEAD_X, 104, 3), Hex(0x3B62C4), Hex(0x182A58), 1.0f);
      }
      break;
   }
}

struct Animation
{
   std::string name;
   std::vector<Canvas> frames;
   int frameDuration;
   const char* playType;
};

struct SpriteArt
{
   int number;
   std::vector<Animation> animations;
};

typedef std::vector<SpriteArt> PartArt;

bool PNGWrite(const std::string& path, const std::vector<float>& rgba, int width, int height)
{
   Bitmap bitmap;
   if (!bitmap.Init(width, height, BITMAP_FORMAT_RGBA8, allocatorDefault))
   {
      std::fprintf(stderr, "faceart: unable to make a %dx%d bitmap\n", width, height);
      return false;
   }
   for (int y = 0; y < height; ++y)
   {
      for (int x = 0; x < width; ++x)
      {
         const float* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
         float a = std::clamp(p[3], 0.0f, 1.0f);
         // Stored straight: the loader multiplies the alpha in itself.
         auto channel = [&](float v)
         { return static_cast<u8>(std::lround(std::clamp(a > 0 ? v / a : 0.0f, 0.0f, 1.0f) * 255.0f)); };
         const u8 bytes[4] = {channel(p[0]), channel(p[1]), channel(p[2]),
                              static_cast<u8>(std::lround(a * 255.0f))};
         bitmap.PixelSet(bytes, x, y);
      }
   }
   const bool ok = ToolFiles::PNGWrite("faceart", path, bitmap);
   bitmap.Free();
   return ok;
}

// A sprite's frames cut to the union of what they draw, with a transparent pixel around it so
// that filtering never reaches a neighbour on the shared sheet; an empty sprite keeps one
// transparent pixel.
struct AnimationCells
{
   std::string name;
   int frameDuration;
   const char* playType;
   size_t frameCount;
};

struct SpriteCells
{
   int number;
   int x0, y0, w, h;
   std::vector<AnimationCells> animations;
   std::vector<std::vector<float>> frames;
   int sheet = -1;
   std::vector<int> cells;
};

constexpr int GUTTER = 1;
constexpr int SHEET_SIZE = 1024;

std::vector<SpriteCells> CellsCut(const PartArt& art)
{
   std::vector<SpriteCells> result;
   for (const SpriteArt& sprite : art)
   {
      int x0 = BOX, y0 = BOX, x1 = -1, y1 = -1;
      for (const Animation& animation : sprite.animations)
      {
         for (const Canvas& frame : animation.frames)
         {
            for (int y = 0; y < BOX; ++y)
            {
               for (int x = 0; x < BOX; ++x)
               {
                  if (frame.Alpha(x, y) > 1.0f / 512.0f)
                  {
                     x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
                  }
               }
            }
         }
      }
      if (x1 < 0)
      {
         x0 = y0 = x1 = y1 = 0;
      }
      SpriteCells cut{sprite.number,
                      x0 - GUTTER,
                      y0 - GUTTER,
                      x1 - x0 + 1 + 2 * GUTTER,
                      y1 - y0 + 1 + 2 * GUTTER,
                      {},
                      {},
                      -1,
                      {}};
      for (const Animation& animation : sprite.animations)
      {
         cut.animations.push_back(AnimationCells{animation.name, animation.frameDuration, animation.playType,
                                                 animation.frames.size()});
         for (const Canvas& frame : animation.frames)
         {
            std::vector<float> cell(static_cast<size_t>(cut.w) * cut.h * 4, 0.0f);
            for (int y = 0; y < cut.h; ++y)
            {
               for (int x = 0; x < cut.w; ++x)
               {
                  const int fx = x + cut.x0, fy = y + cut.y0;
                  if (fx < 0 || fy < 0 || fx >= BOX || fy >= BOX)
                  {
                     continue;
                  }
                  const float* from = &frame.p[(static_cast<size_t>(fy) * BOX + fx) * 4];
                  std::copy(from, from + 4, &cell[(static_cast<size_t>(y) * cut.w + x) * 4]);
               }
            }
            cut.frames.push_back(std::move(cell));
         }
      }
      result.push_back(std::move(cut));
   }
   return result;
}

// One square sheet being filled. The engine finds a frame by its cell number on a grid of the
// frame's own size, so a frame of w by h may only sit at a multiple of w across and of h down.
struct Sheet
{
   std::vector<unsigned char> used = std::vector<unsigned char>(SHEET_SIZE * SHEET_SIZE, 0);
   std::vector<float> rgba = std::vector<float>(static_cast<size_t>(SHEET_SIZE) * SHEET_SIZE * 4, 0.0f);

   bool Free(int x, int y, int w, int h) const
   {
      for (int row = y; row < y + h; ++row)
      {
         const unsigned char* line = &used[static_cast<size_t>(row) * SHEET_SIZE + x];
         if (std::find(line, line + w, 1) != line + w)
         {
            return false;
         }
      }
      return true;
   }

   void Mark(int x, int y, int w, int h, unsigned char value)
   {
      for (int row = y; row < y + h; ++row)
      {
         std::fill_n(&used[static_cast<size_t>(row) * SHEET_SIZE + x], w, value);
      }
   }

   // The first free cell of w by h on the grid of that size, as its number from 1; 0 when full.
   int CellTake(int w, int h)
   {
      const int columns = SHEET_SIZE / w;
      for (int y = 0; y + h <= SHEET_SIZE; y += h)
      {
         for (int x = 0; x + w <= SHEET_SIZE; x += w)
         {
            if (Free(x, y, w, h))
            {
               Mark(x, y, w, h, 1);
               return (y / h) * columns + x / w + 1;
            }
         }
      }
      return 0;
   }

   void CellRelease(int cell, int w, int h)
   {
      const int columns = SHEET_SIZE / w;
      Mark((cell - 1) % columns * w, (cell - 1) / columns * h, w, h, 0);
   }

   void CellPaint(int cell, int w, int h, const std::vector<float>& pixels)
   {
      const int columns = SHEET_SIZE / w;
      const int left = (cell - 1) % columns * w, top = (cell - 1) / columns * h;
      for (int y = 0; y < h; ++y)
      {
         std::copy_n(&pixels[static_cast<size_t>(y) * w * 4], static_cast<size_t>(w) * 4,
                     &rgba[(static_cast<size_t>(top + y) * SHEET_SIZE + left) * 4]);
      }
   }
};

// Places every frame of each sprite on one sheet of the list, opening sheets as needed. Tall
// sprites go first, so that the rows fill from the largest down.
void SpritesPlace(std::vector<SpriteCells*> sprites, std::vector<Sheet>* sheets, int firstSheet)
{
   std::stable_sort(sprites.begin(), sprites.end(),
                    [](const SpriteCells* a, const SpriteCells* b)
                    { return a->h != b->h ? a->h > b->h : a->w > b->w; });
   for (SpriteCells* sprite : sprites)
   {
      for (int index = firstSheet; sprite->sheet < 0; ++index)
      {
         if (index == static_cast<int>(sheets->size()))
         {
            sheets->emplace_back();
         }
         Sheet& sheet = (*sheets)[index];
         std::vector<int> cells;
         for (size_t frame = 0; frame < sprite->frames.size(); ++frame)
         {
            const int cell = sheet.CellTake(sprite->w, sprite->h);
            if (cell == 0)
            {
               break;
            }
            cells.push_back(cell);
         }
         if (cells.size() < sprite->frames.size())
         {
            for (int cell : cells)
            {
               sheet.CellRelease(cell, sprite->w, sprite->h);
            }
            continue;
         }
         for (size_t frame = 0; frame < cells.size(); ++frame)
         {
            sheet.CellPaint(cells[frame], sprite->w, sprite->h, sprite->frames[frame]);
         }
         sprite->sheet = index;
         sprite->cells = cells;
      }
   }
}

std::string SheetNameGet(int sheet)
{
   return "Sprites/FaceCreator/Sheet" + std::to_string(sheet + 1);
}

// The part's resource file: each animation names its sprite's sheet and cells.
bool PartFileWrite(const std::string& graphics, const std::string& folder,
                   const std::vector<SpriteCells>& sprites)
{
   std::string json = "{\n";
   bool first = true;
   for (const SpriteCells& sprite : sprites)
   {
      char name[16];
      std::snprintf(name, sizeof(name), "%03d", sprite.number);
      size_t cell = 0;
      for (const AnimationCells& animation : sprite.animations)
      {
         std::string sequence;
         for (size_t i = 0; i < animation.frameCount; ++i)
         {
            sequence += (sequence.empty() ? "" : ", ") + std::to_string(sprite.cells[cell++]);
         }
         char line[512];
         std::snprintf(
             line, sizeof(line),
             "%s   \"%s_%s\": {\"Filename\": \"%s\", \"FrameSize\": \"%d|%d\", \"ImageSequence\": [%s], "
             "\"FrameDuration\": %d, \"PlayType\": \"%s\", \"Offset\": \"%d|%d\"}",
             first ? "" : ",\n", name, animation.name.c_str(), SheetNameGet(sprite.sheet).c_str(), sprite.w,
             sprite.h, sequence.c_str(), animation.frameDuration, animation.playType, sprite.x0, sprite.y0);
         json += line;
         first = false;
      }
   }
   json += "\n}\n";
   const std::string path = graphics + "/" + folder + "/Sprites.json";
   FILE* file = std::fopen(path.c_str(), "wb");
   bool ok = file && std::fwrite(json.data(), 1, json.size(), file) == json.size();
   ok = file && std::fclose(file) == 0 && ok;
   if (!ok)
   {
      std::fprintf(stderr, "faceart: unable to write %s\n", path.c_str());
   }
   return ok;
}

Animation Still(const std::function<void(Canvas&)>& draw)
{
   Animation a{"Rest", {Canvas()}, 1000, "Loop"};
   draw(a.frames[0]);
   return a;
}

PartArt Numbered(int count, const std::function<void(Canvas&, int)>& draw)
{
   PartArt art;
   for (int i = 0; i < count; ++i)
   {
      art.push_back(SpriteArt{i + 1, {Still([&](Canvas& c) { draw(c, i); })}});
   }
   return art;
}

// Skin-specific sprites are numbered skin by skin: skin s owns perSkin numbers from s * perSkin + 1.
int SkinSprite(int skin, int perSkin, int k)
{
   return skin * perSkin + k + 1;
}

// Skin-specific sprites that move: a still "Rest" and one more animation whose frames draw the
// same sprite at the given amounts (how far closed, how far open).
PartArt Moving(int perSkin, const char* name, const std::vector<float>& amounts, int frameDuration,
               const char* playType, const std::function<void(Canvas&, int, int, float)>& draw)
{
   PartArt art;
   for (int skin = 0; skin < SKINS; ++skin)
   {
      for (int style = 0; style < perSkin; ++style)
      {
         SpriteArt sprite{SkinSprite(skin, perSkin, style), {}};
         sprite.animations.push_back(Still([&](Canvas& c) { draw(c, skin, style, 0.0f); }));
         Animation moving{name, std::vector<Canvas>(amounts.size()), frameDuration, playType};
         for (size_t f = 0; f < amounts.size(); ++f)
         {
            draw(moving.frames[f], skin, style, amounts[f]);
         }
         sprite.animations.push_back(moving);
         art.push_back(sprite);
      }
   }
   return art;
}

// Eyes close once in about 150 ms.
PartArt Eyes(bool right)
{
   return Moving(EYES, "Blink", {0.55f, 1.0f, 0.55f}, 50, "OneShot",
                 [right](Canvas& c, int skin, int style, float closed)
                 { DrawEye(c, skin, style, right, closed); });
}

PartArt Mouths()
{
   return Moving(MOUTHS, "Talk", {0.35f, 0.9f, 0.5f, 0.15f}, 90, "Loop", DrawMouth);
}

std::string NumberList(int first, int count)
{
   std::string text = "[";
   for (int i = 0; i < count; ++i)
   {
      text += (i ? ", " : "") + std::to_string(first + i);
   }
   return text + "]";
}

// The constants that describe what this tool draws.
void TablesPrint()
{
   const int hairCount = HAIR_STYLES * HAIR_COLOURS;
   std::printf("   \"PortraitPartCounts\": {\n");
   std::printf(
       "      \"AccessoryBack\": %d, \"HairBack\": %d, \"BodyBack\": %d, \"Neck\": %d, \"BodyFront\": %d,\n",
       ACCESSORIES, hairCount, OUTFITS, SKINS, OUTFITS);
   std::printf("      \"HeadBase\": %d, \"Mouth\": %d, \"Nose\": %d, \"FacialHair\": %d, \"EyeLeft\": %d,\n",
               SKINS * HEADS, SKINS * MOUTHS, SKINS * NOSES, BEARDS * HAIR_COLOURS, SKINS * EYES);
   std::printf("      \"EyeRight\": %d, \"EyebrowRight\": %d, \"EyebrowLeft\": %d, \"HairFront\": %d, "
               "\"AccessoryFront\": %d\n   },\n",
               SKINS * EYES, BROW_SHAPES * HAIR_COLOURS, BROW_SHAPES * HAIR_COLOURS, hairCount, ACCESSORIES);
   std::printf("   \"PortraitSkinSpecificParts\": {\n");
   const char* skins[SKINS] = {"VeryVeryFair", "VeryFair",      "Fair",       "Olive", "Tan",
                               "DarkBrown",    "VeryDarkBrown", "SunburnRed", "Green", "ZombieGreen"};
   for (int s = 0; s < SKINS; ++s)
   {
      std::printf("      \"%s\": [%s, %s, %s, %s, [%d]]%s\n", skins[s],
                  NumberList(SkinSprite(s, HEADS, 0), HEADS).c_str(),
                  NumberList(SkinSprite(s, MOUTHS, 0), MOUTHS).c_str(),
                  NumberList(SkinSprite(s, EYES, 0), EYES).c_str(),
                  NumberList(SkinSprite(s, NOSES, 0), NOSES).c_str(), s + 1, s + 1 < SKINS ? "," : "");
   }
   std::printf("   },\n");
   // Facial hair is male; the long styles are female.
   std::string male = "[", female = "[";
   for (int part = 0; part < 15; ++part)
   {
      male += part ? ", " : "";
      female += part ? ", " : "";
      male += part == 8 ? NumberList(1, BEARDS * HAIR_COLOURS) : "[]";
      female += part == 1 || part == 13 ? NumberList((HAIR_FEMALE_FIRST - 1) * HAIR_COLOURS + 1,
                                                     (HAIR_STYLES - HAIR_FEMALE_FIRST + 1) * HAIR_COLOURS)
                                        : "[]";
   }
   std::printf("   \"PortraitGenderExclusiveParts\": [%s], %s]],\n", male.c_str(), female.c_str());
}

bool FolderMake(const std::string& path)
{
   std::string command = "mkdir -p '" + path + "'";
   return std::system(command.c_str()) == 0;
}
} // namespace

int main(int argc, char** argv)
{
   std::string output;
   for (int i = 1; i < argc; ++i)
   {
      std::string argument = argv[i];
      if (argument == "--tables")
      {
         TablesPrint();
         return 0;
      }
      if (argument == "--output" && i + 1 < argc)
      {
         output = argv[++i];
      }
   }
   if (output.empty())
   {
      std::fprintf(stderr, "usage: corvale-faceart --output <graphics folder> | --tables\n");
      return 2;
   }
   Memory::Init();

   struct Job
   {
      const char* folder;
      std::function<PartArt()> make;
   };
   const int hairCount = HAIR_STYLES * HAIR_COLOURS;
   const Job jobs[] = {
       {"Sprites/FaceCreator/Accessory/Back",
        [] { return Numbered(ACCESSORIES, [](Canvas& c, int i) { DrawAccessory(c, i, false); }); }},
       {"Sprites/FaceCreator/Accessory/Front",
        [] { return Numbered(ACCESSORIES, [](Canvas& c, int i) { DrawAccessory(c, i, true); }); }},
       {"Sprites/FaceCreator/Hair/Back",
        [&]
        {
           return Numbered(hairCount,
                           [](Canvas& c, int i) { DrawHair(c, i / HAIR_COLOURS, i % HAIR_COLOURS, false); });
        }},
       {"Sprites/FaceCreator/Hair/Front",
        [&]
        {
           return Numbered(hairCount,
                           [](Canvas& c, int i) { DrawHair(c, i / HAIR_COLOURS, i % HAIR_COLOURS, true); });
        }},
       {"Sprites/FaceCreator/Body/Back", [] { return Numbered(OUTFITS, DrawBodyBack); }},
       {"Sprites/FaceCreator/Body/Front", [] { return Numbered(OUTFITS, DrawBodyFront); }},
       {"Sprites/FaceCreator/Neck", [] { return Numbered(SKINS, DrawNeck); }},
       {"Sprites/FaceCreator/Head",
        [] { return Numbered(SKINS * HEADS, [](Canvas& c, int i) { DrawHead(c, i / HEADS, i % HEADS); }); }},
       {"Sprites/FaceCreator/Mouth", Mouths},
       {"Sprites/FaceCreator/Nose",
        [] { return Numbered(SKINS * NOSES, [](Canvas& c, int i) { DrawNose(c, i / NOSES, i % NOSES); }); }},
       {"Sprites/FaceCreator/FacialHair",
        []
        {
           return Numbered(BEARDS * HAIR_COLOURS,
                           [](Canvas& c, int i) { DrawFacialHair(c, i / HAIR_COLOURS, i % HAIR_COLOURS); });
        }},
       {"Sprites/FaceCreator/Eyes/Left", [] { return Eyes(false); }},
       {"Sprites/FaceCreator/Eyes/Right", [] { return Eyes(true); }},
       {"Sprites/FaceCreator/Eyebrows/Right",
        []
        {
           return Numbered(BROW_SHAPES * HAIR_COLOURS, [](Canvas& c, int i)
                           { DrawEyebrow(c, i / HAIR_COLOURS, i % HAIR_COLOURS, true); });
        }},
       {"Sprites/FaceCreator/Eyebrows/Left",
        []
        {
           return Numbered(BROW_SHAPES * HAIR_COLOURS, [](Canvas& c, int i)
                           { DrawEyebrow(c, i / HAIR_COLOURS, i % HAIR_COLOURS, false); });
        }},
   };
   // A face draws its parts back to front (accessory behind up to the head, then the features):
   // the two halves of that order get sheets of their own, so that a face changes texture twice
   // rather than once for every part.
   const char* const backHalf[] = {"Sprites/FaceCreator/Accessory/Back", "Sprites/FaceCreator/Hair/Back",
                                   "Sprites/FaceCreator/Body/Back",      "Sprites/FaceCreator/Neck",
                                   "Sprites/FaceCreator/Body/Front",     "Sprites/FaceCreator/Head"};
   std::vector<std::vector<SpriteCells>> parts;
   for (const Job& job : jobs)
   {
      parts.push_back(CellsCut(job.make()));
   }
   std::vector<Sheet> sheets;
   for (int half = 0; half < 2; ++half)
   {
      std::vector<SpriteCells*> sprites;
      for (size_t j = 0; j < parts.size(); ++j)
      {
         const bool back = std::find_if(std::begin(backHalf), std::end(backHalf),
                                        [&](const char* folder) {
                                           return std::string(folder) == jobs[j].folder;
                                        }) != std::end(backHalf);
         if (back == (half == 0))
         {
            for (SpriteCells& sprite : parts[j])
            {
               sprites.push_back(&sprite);
            }
         }
      }
      SpritesPlace(sprites, &sheets, static_cast<int>(sheets.size()));
   }
   int failures = FolderMake(output + "/Sprites/FaceCreator") ? 0 : 1;
   for (size_t i = 0; i < sheets.size(); ++i)
   {
      if (!PNGWrite(output + "/" + SheetNameGet(static_cast<int>(i)) + ".png", sheets[i].rgba, SHEET_SIZE,
                    SHEET_SIZE))
      {
         ++failures;
      }
   }
   for (size_t j = 0; j < parts.size(); ++j)
   {
      if (!FolderMake(output + "/" + jobs[j].folder) || !PartFileWrite(output, jobs[j].folder, parts[j]))
      {
         ++failures;
      }
   }
   std::printf("faceart: %zu sheets\n", sheets.size());
   return failures == 0 ? 0 : 1;
}
