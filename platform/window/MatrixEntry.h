// Affine 3D transforms of the model-view stack, with promise bits that let products skip work.
#pragma once

#include "core/Types.h"

namespace Corvale
{
// Promises a matrix makes about itself; 0 promises nothing and is always correct.
enum MatrixKind : u32
{
   MATRIX_KIND_UNIT_SCALE = 1,
   MATRIX_KIND_NO_ROTATION = 2,
   MATRIX_KIND_NO_TRANSLATION = 4,
   MATRIX_KIND_IDENTITY = 7
};

// Four columns of three floats: the linear part's three columns, then the translation.
struct MatrixEntry
{
   float e[12];
   u32 kind;
};

// Identity values stored with kind 0, as the stack keeps its base entry.
void MatrixIdentitySet(MatrixEntry* m);
// The column-major 4x4 form handed to GL.
void MatrixTo4x4(const MatrixEntry& m, float out[16]);
// out = a × b without shortcuts.
void MatrixMultiplyGeneral(MatrixEntry* out, const MatrixEntry& a, const MatrixEntry& b);
// out = a × b through the routine that the two kinds allow; out may alias neither operand.
void MatrixMultiply(MatrixEntry* out, const MatrixEntry& a, const MatrixEntry& b);
// The rotation of a unit quaternion stored as w, x, y, z (kind 0).
void MatrixFromQuaternion(MatrixEntry* out, const float q[4]);
} // namespace Corvale
