// Matrix products for the model-view stack: one routine per pair of kinds, all agreeing with
// the general product for operands that keep their promises.
#include "platform/window/MatrixEntry.h"

#include <cstring>

namespace Corvale
{
namespace
{
typedef void (*MatrixProduct)(MatrixEntry* out, const MatrixEntry& a, const MatrixEntry& b);

// Element at row r of column c.
inline float At(const MatrixEntry& m, int c, int r)
{
   return m.e[c * 3 + r];
}

void ProductRightIdentity(MatrixEntry* out, const MatrixEntry& a, const MatrixEntry&)
{
   std::memcpy(out->e, a.e, sizeof(out->e));
}

void ProductLeftIdentity(MatrixEntry* out, const MatrixEntry&, const MatrixEntry& b)
{
   std::memcpy(out->e, b.e, sizeof(out->e));
}

// Both operands are pure translations.
void ProductTranslations(MatrixEntry* out, const MatrixEntry& a, const MatrixEntry& b)
{
   std::memcpy(out->e, a.e, 9 * sizeof(float));
   for (int r = 0; r < 3; ++r)
   {
      out->e[9 + r] = a.e[9 + r] + b.e[9 + r];
   }
}

// The left operand is a pure translation: it only shifts the right one.
void ProductLeftTranslation(MatrixEntry* out, const MatrixEntry& a, const MatrixEntry& b)
{
   std::memcpy(out->e, b.e, 9 * sizeof(float));
   for (int r = 0; r < 3; ++r)
   {
      out->e[9 + r] = b.e[9 + r] + a.e[9 + r];
   }
}

// The right operand is a pure translation: the left's linear part moves it.
void ProductRightTranslation(MatrixEntry* out, const MatrixEntry& a, const MatrixEntry& b)
{
   std::memcpy(out->e, a.e, 9 * sizeof(float));
   for (int r = 0; r < 3; ++r)
   {
      out->e[9 + r] = At(a, 0, r) * b.e[9] + At(a, 1, r) * b.e[10] + At(a, 2, r) * b.e[11] + a.e[9 + r];
   }
}

// Both linear parts are diagonal.
void ProductDiagonal(MatrixEntry* out, const MatrixEntry& a, const MatrixEntry& b)
{
   std::memset(out->e, 0, 9 * sizeof(float));
   for (int i = 0; i < 3; ++i)
   {
      const float d = At(a, i, i);
      out->e[i * 4] = d * At(b, i, i);
      out->e[9 + i] = d * b.e[9 + i] + a.e[9 + i];
   }
}

void LinearProduct(MatrixEntry* out, const MatrixEntry& a, const MatrixEntry& b)
{
   for (int c = 0; c < 3; ++c)
   {
      for (int r = 0; r < 3; ++r)
      {
         out->e[c * 3 + r] =
             At(a, 0, r) * At(b, c, 0) + At(a, 1, r) * At(b, c, 1) + At(a, 2, r) * At(b, c, 2);
      }
   }
}

// The right operand has no translation: the result keeps the left's.
void ProductRightNoTranslation(MatrixEntry* out, const MatrixEntry& a, const MatrixEntry& b)
{
   LinearProduct(out, a, b);
   std::memcpy(out->e + 9, a.e + 9, 3 * sizeof(float));
}

// The left operand has no translation: the right's translation is only turned.
void ProductLeftNoTranslation(MatrixEntry* out, const MatrixEntry& a, const MatrixEntry& b)
{
   LinearProduct(out, a, b);
   for (int r = 0; r < 3; ++r)
   {
      out->e[9 + r] = At(a, 0, r) * b.e[9] + At(a, 1, r) * b.e[10] + At(a, 2, r) * b.e[11];
   }
}

MatrixProduct ProductChoose(u32 kindA, u32 kindB)
{
   const u32 pureTranslation = MATRIX_KIND_UNIT_SCALE | MATRIX_KIND_NO_ROTATION;
   if (kindB == MATRIX_KIND_IDENTITY)
   {
      return ProductRightIdentity;
   }
   if (kindA == MATRIX_KIND_IDENTITY)
   {
      return ProductLeftIdentity;
   }
   const bool aTranslation = (kindA & pureTranslation) == pureTranslation;
   const bool bTranslation = (kindB & pureTranslation) == pureTranslation;
   if (aTranslation && bTranslation)
   {
      return ProductTranslations;
   }
   if (aTranslation)
   {
      return ProductLeftTranslation;
   }
   if (bTranslation)
   {
      return ProductRightTranslation;
   }
   if ((kindA & kindB & MATRIX_KIND_NO_ROTATION) != 0)
   {
      return ProductDiagonal;
   }
   if ((kindB & MATRIX_KIND_NO_TRANSLATION) != 0)
   {
      return ProductRightNoTranslation;
   }
   if ((kindA & MATRIX_KIND_NO_TRANSLATION) != 0)
   {
      return ProductLeftNoTranslation;
   }
   return MatrixMultiplyGeneral;
}

// Rows by the right operand's kind, columns by the left's.
struct ProductTable
{
   MatrixProduct routines[8][8];
   ProductTable()
   {
      for (u32 b = 0; b < 8; ++b)
      {
         for (u32 a = 0; a < 8; ++a)
         {
            routines[b][a] = ProductChoose(a, b);
         }
      }
   }
};

const ProductTable productTable;
} // namespace

void MatrixIdentitySet(MatrixEntry* m)
{
   std::memset(m, 0, sizeof(*m));
   m->e[0] = 1.0f;
   m->e[4] = 1.0f;
   m->e[8] = 1.0f;
   m->kind = 0;
}

void MatrixTo4x4(const MatrixEntry& m, float out[16])
{
   for (int c = 0; c < 4; ++c)
   {
      out[c * 4 + 0] = m.e[c * 3 + 0];
      out[c * 4 + 1] = m.e[c * 3 + 1];
      out[c * 4 + 2] = m.e[c * 3 + 2];
      out[c * 4 + 3] = c == 3 ? 1.0f : 0.0f;
   }
}

void MatrixMultiplyGeneral(MatrixEntry* out, const MatrixEntry& a, const MatrixEntry& b)
{
   LinearProduct(out, a, b);
   for (int r = 0; r < 3; ++r)
   {
      out->e[9 + r] = At(a, 0, r) * b.e[9] + At(a, 1, r) * b.e[10] + At(a, 2, r) * b.e[11] + a.e[9 + r];
   }
}

void MatrixMultiply(MatrixEntry* out, const MatrixEntry& a, const MatrixEntry& b)
{
   const u32 kindA = a.kind & 7u;
   const u32 kindB = b.kind & 7u;
   productTable.routines[kindB][kindA](out, a, b);
   out->kind = kindA & kindB;
}

void MatrixFromQuaternion(MatrixEntry* out, const float q[4])
{
   const float w = q[0], x = q[1], y = q[2], z = q[3];
   const float x2 = 2.0f * x, y2 = 2.0f * y, z2 = 2.0f * z;
   const float columns[9] = {1.0f - (y * y2 + z * z2), x * y2 + w * z2,          x * z2 - w * y2,
                             x * y2 - w * z2,          1.0f - (x * x2 + z * z2), y * z2 + w * x2,
                             x * z2 + w * y2,          y * z2 - w * x2,          1.0f - (x * x2 + y * y2)};
   std::memcpy(out->e, columns, sizeof(columns));
   out->e[9] = out->e[10] = out->e[11] = 0.0f;
   out->kind = 0;
}
} // namespace Corvale
