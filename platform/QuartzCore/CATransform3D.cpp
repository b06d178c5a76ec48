#include <QuartzCore/CATransform3D.h>

#include <array>
#include <cmath>

namespace ios {

namespace {

using Matrix = std::array<std::array<CGFloat, 4>, 4>;

Matrix toMatrix(const CATransform3D& t) {
  return {{{t.m11, t.m12, t.m13, t.m14},
           {t.m21, t.m22, t.m23, t.m24},
           {t.m31, t.m32, t.m33, t.m34},
           {t.m41, t.m42, t.m43, t.m44}}};
}

CATransform3D fromMatrix(const Matrix& m) {
  return {m[0][0], m[0][1], m[0][2], m[0][3], m[1][0], m[1][1], m[1][2], m[1][3],
          m[2][0], m[2][1], m[2][2], m[2][3], m[3][0], m[3][1], m[3][2], m[3][3]};
}

}  // namespace

bool CATransform3D::isAffine() const {
  return m13 == 0 && m14 == 0 && m23 == 0 && m24 == 0 && m31 == 0 && m32 == 0 && m33 == 1 && m34 == 0 &&
         m43 == 0 && m44 == 1;
}

CATransform3D CATransform3DMakeTranslation(CGFloat tx, CGFloat ty, CGFloat tz) {
  CATransform3D t;
  t.m41 = tx;
  t.m42 = ty;
  t.m43 = tz;
  return t;
}

CATransform3D CATransform3DMakeScale(CGFloat sx, CGFloat sy, CGFloat sz) {
  CATransform3D t;
  t.m11 = sx;
  t.m22 = sy;
  t.m33 = sz;
  return t;
}

CATransform3D CATransform3DMakeRotation(CGFloat angle, CGFloat x, CGFloat y, CGFloat z) {
  const CGFloat length = std::sqrt(x * x + y * y + z * z);
  if (length == 0) return CATransform3D::identity;
  x /= length;
  y /= length;
  z /= length;
  const CGFloat c = std::cos(angle), s = std::sin(angle), k = 1 - c;
  // Row-vector form of the axis-angle rotation: the transpose of the column-vector matrix, so that a
  // positive angle about +z turns +x toward +y like CGAffineTransform's rotation.
  CATransform3D t;
  t.m11 = c + x * x * k;
  t.m12 = x * y * k + z * s;
  t.m13 = x * z * k - y * s;
  t.m21 = x * y * k - z * s;
  t.m22 = c + y * y * k;
  t.m23 = y * z * k + x * s;
  t.m31 = x * z * k + y * s;
  t.m32 = y * z * k - x * s;
  t.m33 = c + z * z * k;
  return t;
}

CATransform3D CATransform3DConcat(const CATransform3D& a, const CATransform3D& b) {
  const Matrix ma = toMatrix(a), mb = toMatrix(b);
  Matrix r{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      for (int k = 0; k < 4; ++k) r[i][j] += ma[i][k] * mb[k][j];
  return fromMatrix(r);
}

CATransform3D CATransform3DTranslate(const CATransform3D& t, CGFloat tx, CGFloat ty, CGFloat tz) {
  return CATransform3DConcat(CATransform3DMakeTranslation(tx, ty, tz), t);
}

CATransform3D CATransform3DScale(const CATransform3D& t, CGFloat sx, CGFloat sy, CGFloat sz) {
  return CATransform3DConcat(CATransform3DMakeScale(sx, sy, sz), t);
}

CATransform3D CATransform3DRotate(const CATransform3D& t, CGFloat angle, CGFloat x, CGFloat y, CGFloat z) {
  return CATransform3DConcat(CATransform3DMakeRotation(angle, x, y, z), t);
}

CATransform3D CATransform3DInvert(const CATransform3D& t) {
  // Gauss-Jordan elimination with partial pivoting on [M | I].
  Matrix m = toMatrix(t);
  Matrix inv{};
  for (int i = 0; i < 4; ++i) inv[i][i] = 1;
  for (int col = 0; col < 4; ++col) {
    int pivot = col;
    for (int row = col + 1; row < 4; ++row)
      if (std::fabs(m[row][col]) > std::fabs(m[pivot][col])) pivot = row;
    if (std::fabs(m[pivot][col]) < 1e-12) return t;
    std::swap(m[pivot], m[col]);
    std::swap(inv[pivot], inv[col]);
    const CGFloat scale = m[col][col];
    for (int j = 0; j < 4; ++j) {
      m[col][j] /= scale;
      inv[col][j] /= scale;
    }
    for (int row = 0; row < 4; ++row) {
      if (row == col) continue;
      const CGFloat factor = m[row][col];
      if (factor == 0) continue;
      for (int j = 0; j < 4; ++j) {
        m[row][j] -= factor * m[col][j];
        inv[row][j] -= factor * inv[col][j];
      }
    }
  }
  return fromMatrix(inv);
}

bool CATransform3DIsIdentity(const CATransform3D& t) { return t.isIdentity(); }
bool CATransform3DIsAffine(const CATransform3D& t) { return t.isAffine(); }

CATransform3D CATransform3DMakeAffineTransform(const CGAffineTransform& a) {
  CATransform3D t;
  t.m11 = a.a;
  t.m12 = a.b;
  t.m21 = a.c;
  t.m22 = a.d;
  t.m41 = a.tx;
  t.m42 = a.ty;
  return t;
}

CGAffineTransform CATransform3DGetAffineTransform(const CATransform3D& t) {
  return {t.m11, t.m12, t.m21, t.m22, t.m41, t.m42};
}

CGAffineTransform affineProjection(const CATransform3D& t) {
  // A point (x, y, 0, 1) maps to (x*m11 + y*m21 + m41, x*m12 + y*m22 + m42) / w with
  // w = x*m14 + y*m24 + m44; without the projective terms w is m44.
  const CGFloat w = t.m44 != 0 ? t.m44 : 1;
  return {t.m11 / w, t.m12 / w, t.m21 / w, t.m22 / w, t.m41 / w, t.m42 / w};
}

}  // namespace ios
