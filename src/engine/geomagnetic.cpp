#include "engine/geomagnetic.h"

#include <cmath>

#include "engine/units.h"

namespace korvana {

namespace {

struct IgrfRow {
  int8_t degree, order;
  float g[kIgrfEpochCount];  // nT
  float h[kIgrfEpochCount];  // nT
};

// Rows in order of degree, then order: row of (n, m) is n(n+1)/2 - 1 + m.
const IgrfRow kIgrf12[] = {
#include "engine/igrf12_coefficients.inc"
};
constexpr int kIgrfRowCount = kIgrfMaxDegree * (kIgrfMaxDegree + 3) / 2;
static_assert(sizeof kIgrf12 / sizeof kIgrf12[0] == kIgrfRowCount);

constexpr int RowOf(int degree, int order) { return degree * (degree + 1) / 2 - 1 + order; }

// The last epoch with a following set to interpolate towards: 2015.
constexpr int kLastBaseEpoch = kIgrfEpochCount - 2;
// Index of the 2000 epoch, from which the time count starts.
constexpr int kEpoch2000 = 20;
constexpr double kDaysPerYear = 365.25;
constexpr double kEpochStepPerYear = 0.2;  // one epoch every five years

// WGS-84 ellipsoid, squared semi-axes in km^2, held as 32-bit floats.
constexpr float kSemiMajorSquaredKm2 = 40680632.0f;
constexpr float kSemiMinorSquaredKm2 = 40408300.0f;
// Reference radius of the harmonic expansion.
constexpr float kReferenceRadiusKm = 6371.2f;

// Below this horizontal intensity the compass drift is not worth showing.
constexpr float kUsableHorizontalNt = 5000.0f;
// The model counts as expired from this year on.
constexpr int kModelExpiryYear = 2020;

float Sin(float x) { return static_cast<float>(std::sin(static_cast<double>(x))); }
float Cos(float x) { return static_cast<float>(std::cos(static_cast<double>(x))); }
float Atan2Deg(float y, float x) {
  return static_cast<float>(std::atan2(static_cast<double>(y), static_cast<double>(x)) *
                            kDegPerRad);
}

}  // namespace

float IgrfCoefficient(bool isH, int degree, int order, int epochIndex) {
  const IgrfRow& row = kIgrf12[RowOf(degree, order)];
  return isH ? row.h[epochIndex] : row.g[epochIndex];
}

int IgrfEpochAt(int32_t dayNumber, float* yearsSinceEpoch) {
  const float years = static_cast<float>(dayNumber / kDaysPerYear);  // since 2000.0
  int epoch = static_cast<int>(std::trunc(years * kEpochStepPerYear + kEpoch2000));
  if (epoch > kLastBaseEpoch) epoch = kLastBaseEpoch;
  *yearsSinceEpoch = static_cast<float>(years - 5.0 * (epoch - kEpoch2000));
  return epoch;
}

void PrepareGeomagneticDate(int32_t dayNumber, GeomagneticDate* date) {
  constexpr int N = kIgrfMaxDegree + 1;

  float dt = 0;
  const int epoch = IgrfEpochAt(dayNumber, &dt);

  // Unnormalised coefficients at the date.
  float norm[N][N] = {};
  norm[0][0] = 1.0f;
  *date = {};
  for (int n = 1; n < N; ++n) {
    norm[n][0] = norm[n - 1][0] * static_cast<float>(2 * n - 1) / static_cast<float>(n);
    for (int m = 0; m <= n; ++m) {
      date->k[n][m] = static_cast<float>((n - 1) * (n - 1) - m * m) /
                      static_cast<float>((2 * n - 1) * (2 * n - 3));
      if (m > 0) {
        const int j = m == 1 ? 2 : 1;
        norm[n][m] = norm[n][m - 1] *
                     std::sqrt(static_cast<float>((n - m + 1) * j) / static_cast<float>(n + m));
      }
      const IgrfRow& row = kIgrf12[RowOf(n, m)];
      const float g0 = row.g[epoch], g1 = row.g[epoch + 1];
      const float h0 = row.h[epoch], h1 = row.h[epoch + 1];
      const float gRate = static_cast<float>(static_cast<double>(g1 - g0) * kEpochStepPerYear);
      const float hRate = static_cast<float>(static_cast<double>(h1 - h0) * kEpochStepPerYear);
      const float gScaled = norm[n][m] * g0, gRateScaled = norm[n][m] * gRate;
      const float hScaled = norm[n][m] * h0, hRateScaled = norm[n][m] * hRate;
      date->g[n][m] = gScaled + dt * gRateScaled;
      date->h[n][m] = hScaled + dt * hRateScaled;
    }
  }
  date->k[1][1] = 0.0f;
}

void PrepareGeomagneticLatitude(const GeomagneticDate& date, float latitudeDeg, float altitudeKm,
                                GeomagneticLatitude* out) {
  constexpr int N = kIgrfMaxDegree + 1;

  // Geodetic to geocentric.
  const float a2 = kSemiMajorSquaredKm2, b2 = kSemiMinorSquaredKm2;
  const float c2 = a2 - b2;
  const float a4 = a2 * a2, b4 = b2 * b2;
  const float c4 = a4 - b4;
  const float rlat = static_cast<float>(latitudeDeg * kRadPerDeg);
  const float srlat = Sin(rlat), crlat = Cos(rlat);
  const float srlat2 = srlat * srlat, crlat2 = crlat * crlat;
  const float alt = altitudeKm;
  const float q = std::sqrt(a2 - c2 * srlat2);
  const float q1 = alt * q;
  const float qRatio = (q1 + a2) / (q1 + b2);
  const float q2 = qRatio * qRatio;
  const float ct = srlat / std::sqrt(q2 * crlat2 + srlat2);
  const float st = std::sqrt(1.0f - ct * ct);
  const float r = std::sqrt(alt * alt + 2.0f * q1 + (a4 - c4 * srlat2) / (q * q));
  const float d = std::sqrt(a2 * crlat2 + b2 * srlat2);
  *out = {};
  out->cosTheta = ct;
  out->sinTheta = st;
  out->cosRotation = (alt + d) / r;
  out->sinRotation = c2 * crlat * srlat / (r * d);

  // Legendre functions and their derivatives, with the radius powers.
  float p[N][N] = {};
  float pp[N] = {1.0f};  // Legendre functions of order 1 at a pole
  p[0][0] = 1.0f;
  const float aor = kReferenceRadiusKm / r;
  float ar = aor * aor;
  for (int n = 1; n < N; ++n) {
    ar = ar * aor;
    out->radiusPower[n] = ar;
    for (int m = 0; m <= n; ++m) {
      float (&dp)[N][N] = out->dp;
      const float(&k)[N][N] = date.k;
      if (n == m) {
        p[n][m] = st * p[n - 1][m - 1];
        dp[n][m] = st * dp[n - 1][m - 1] + ct * p[n - 1][m - 1];
      } else if (n == 1 && m == 0) {
        p[n][m] = ct * p[n - 1][m];
        dp[n][m] = ct * dp[n - 1][m] - st * p[n - 1][m];
      } else {
        const float p2 = m > n - 2 ? 0.0f : p[n - 2][m];
        const float dp2 = m > n - 2 ? 0.0f : dp[n - 2][m];
        p[n][m] = ct * p[n - 1][m] - k[n][m] * p2;
        dp[n][m] = ct * dp[n - 1][m] - st * p[n - 1][m] - k[n][m] * dp2;
      }
      out->par[n][m] = ar * p[n][m];
      // At a geographic pole the east component divides 0 by 0: it is summed
      // from the order-1 functions divided by sin(theta) instead.
      if (st == 0.0f && m == 1) {
        pp[n] = n == 1 ? pp[n - 1] : ct * pp[n - 1] - k[n][m] * pp[n - 2];
        out->parPole[n] = ar * pp[n];
      }
    }
  }
}

void PrepareGeomagneticLongitude(const GeomagneticDate& date, float longitudeDeg,
                                 GeomagneticLongitude* out) {
  constexpr int N = kIgrfMaxDegree + 1;
  const float rlon = static_cast<float>(longitudeDeg * kRadPerDeg);
  float sp[N] = {0.0f, Sin(rlon)};
  float cp[N] = {1.0f, Cos(rlon)};
  for (int m = 2; m < N; ++m) {
    sp[m] = sp[1] * cp[m - 1] + cp[1] * sp[m - 1];
    cp[m] = cp[1] * cp[m - 1] - sp[1] * sp[m - 1];
  }
  *out = {};
  for (int n = 1; n < N; ++n) {
    for (int m = 0; m <= n; ++m) {
      if (m == 0) {
        out->t1[n][m] = date.g[n][m] * cp[m];
        out->t2[n][m] = date.g[n][m] * sp[m];
      } else {
        out->t1[n][m] = date.g[n][m] * cp[m] + date.h[n][m] * sp[m];
        out->t2[n][m] = date.g[n][m] * sp[m] - date.h[n][m] * cp[m];
      }
    }
  }
}

void SumGeomagneticField(AstroState& s, const GeomagneticLatitude& lat,
                         const GeomagneticLongitude& lon) {
  constexpr int N = kIgrfMaxDegree + 1;
  const bool pole = lat.sinTheta == 0.0f;
  float br = 0, bt = 0, bp = 0, bpp = 0;
  for (int n = 1; n < N; ++n) {
    const float ar = lat.radiusPower[n];
    for (int m = 0; m <= n; ++m) {
      const float temp1 = lon.t1[n][m];
      const float temp2 = lon.t2[n][m];
      const float par = lat.par[n][m];
      bt = bt - ar * temp1 * lat.dp[n][m];
      bp += static_cast<float>(m) * temp2 * par;
      br += static_cast<float>(n + 1) * temp1 * par;
      if (pole && m == 1) bpp += static_cast<float>(m) * temp2 * lat.parPole[n];
    }
  }
  bp = pole ? bpp : bp / lat.sinTheta;

  // Rotate from spherical to geodetic components.
  const float ca = lat.cosRotation, sa = lat.sinRotation;
  s.magNorth = -bt * ca - br * sa;
  s.magEast = bp;
  s.magDown = bt * sa - br * ca;
  s.magHorizontal = std::sqrt(s.magNorth * s.magNorth + s.magEast * s.magEast);
  s.magDeclination = Atan2Deg(s.magEast, s.magNorth);
  s.magInclination = Atan2Deg(s.magDown, s.magHorizontal);
}

void ComputeGeomagneticField(AstroState& s, int32_t dayNumber, float latitudeDeg,
                             float longitudeDeg, float altitudeKm) {
  GeomagneticDate date;
  PrepareGeomagneticDate(dayNumber, &date);
  GeomagneticLatitude latitude;
  PrepareGeomagneticLatitude(date, latitudeDeg, altitudeKm, &latitude);
  GeomagneticLongitude longitude;
  PrepareGeomagneticLongitude(date, longitudeDeg, &longitude);
  SumGeomagneticField(s, latitude, longitude);
}

namespace {

void EnsureMagneticField(AstroState& s, int16_t heightMetres) {
  if (s.MagneticValid == 0) {
    ComputeGeomagneticField(s, DayNumber(s), static_cast<float>(s.latitude * kDegPerRad),
                            static_cast<float>(s.longitudeMinutes * 0.25),
                            static_cast<float>(heightMetres * 0.001));
  }
  s.MagneticValid = 1;
  s.MagneticDataValid =
      (s.year < kModelExpiryYear && s.magHorizontal > kUsableHorizontalNt) ? 1 : 0;
}

}  // namespace

int16_t GetMagneticDeclination(AstroState& s, int16_t heightMetres) {
  EnsureMagneticField(s, heightMetres);
  return static_cast<int16_t>(static_cast<double>(s.magDeclination) * 10);
}

int16_t GetMagneticInclination(AstroState& s, int16_t heightMetres) {
  EnsureMagneticField(s, heightMetres);
  return static_cast<int16_t>(static_cast<double>(s.magInclination) * 10);
}

int16_t GetHorizontalIntensity(AstroState& s, int16_t heightMetres) {
  EnsureMagneticField(s, heightMetres);
  return static_cast<int16_t>(static_cast<double>(s.magHorizontal) * 0.01);
}

}  // namespace korvana
