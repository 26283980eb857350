#include "avhrr/orbit/sgp4.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>
#include <string>

#include "base/error.h"

namespace kestrova::avhrr {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kDeg = std::numbers::pi / 180.0;

// WGS-72, the gravity model element sets are fitted with.
constexpr double kMu = 398600.8;           // km^3/s^2
constexpr double kEarthRadius = 6378.135;  // km
constexpr double kJ2 = 0.001082616;
constexpr double kJ3 = -0.00000253881;
constexpr double kJ4 = -0.00000165597;
constexpr double kJ3OverJ2 = kJ3 / kJ2;
const double kXke = 60.0 / std::sqrt(kEarthRadius * kEarthRadius * kEarthRadius / kMu);
const double kKmPerSecond = kEarthRadius * kXke / 60.0;  // Earth radii per minute to km/s

// Atmosphere density parameters: s = 78 km and q0 = 120 km above the surface, in Earth radii.
constexpr double kS0 = 78.0 / kEarthRadius + 1.0;
const double kQ0MinusS0Pow4 = std::pow((120.0 - 78.0) / kEarthRadius, 4);

constexpr double kDeepSpacePeriodMinutes = 225.0;

// As the element lines write it: five digits.
std::string catalogueText(int number) {
  std::ostringstream text;
  text.width(5);
  text.fill('0');
  text << number;
  return text.str();
}

}  // namespace

Sgp4::Sgp4(const TwoLineElements& elements) : elements_(elements) {
  inclination_ = elements.inclinationDeg * kDeg;
  node0_ = elements.ascendingNodeDeg * kDeg;
  eccentricity_ = elements.eccentricity;
  perigee0_ = elements.argumentOfPerigeeDeg * kDeg;
  anomaly0_ = elements.meanAnomalyDeg * kDeg;
  bstar_ = elements.bstar;
  const double kozaiMotion = elements.meanMotion * kTwoPi / 1440.0;  // rad/min

  if (eccentricity_ >= 1.0) fail(0, "the eccentricity is 1 or more");

  const double e2 = eccentricity_ * eccentricity_;
  const double beta2 = 1.0 - e2;
  const double beta = std::sqrt(beta2);
  cosI_ = std::cos(inclination_);
  sinI_ = std::sin(inclination_);
  const double cos2 = cosI_ * cosI_;
  threeCos2Minus1_ = 3.0 * cos2 - 1.0;
  oneMinusCos2_ = 1.0 - cos2;
  sevenCos2Minus1_ = 7.0 * cos2 - 1.0;

  // Kozai to Brouwer mean motion and semi-major axis.
  const double a1 = std::pow(kXke / kozaiMotion, 2.0 / 3.0);
  const double k = 0.75 * kJ2 * threeCos2Minus1_ / (beta * beta2);
  const double delta1 = k / (a1 * a1);
  const double a0 =
      a1 * (1.0 - delta1 * delta1 - delta1 * (1.0 / 3.0 + 134.0 * delta1 * delta1 / 81.0));
  const double delta0 = k / (a0 * a0);
  meanMotion_ = kozaiMotion / (1.0 + delta0);
  if (kTwoPi / meanMotion_ >= kDeepSpacePeriodMinutes) {
    std::ostringstream cause;
    cause.precision(1);
    cause << std::fixed << "its period of " << kTwoPi / meanMotion_
          << " minutes needs the deep-space model, which is not supported (near-Earth orbits "
             "only, under 225 minutes)";
    throw Error("Element set of catalogue number " + catalogueText(elements.catalogueNumber) +
                ": " + cause.str());
  }
  const double a = std::pow(kXke / meanMotion_, 2.0 / 3.0);
  const double p = a * beta2;
  const double perigeeRadius = a * (1.0 - eccentricity_);
  const double perigeeHeightKm = (perigeeRadius - 1.0) * kEarthRadius;
  simplifiedDrag_ = perigeeRadius < 220.0 / kEarthRadius + 1.0;

  // Low perigees move the density parameter s down with them.
  double s = kS0;
  double qMinusS4 = kQ0MinusS0Pow4;
  if (perigeeHeightKm < 156.0) {
    const double sKm = perigeeHeightKm < 98.0 ? 20.0 : perigeeHeightKm - 78.0;
    qMinusS4 = std::pow((120.0 - sKm) / kEarthRadius, 4);
    s = sKm / kEarthRadius + 1.0;
  }

  const double xi = 1.0 / (a - s);
  eta_ = a * eccentricity_ * xi;
  const double eta2 = eta_ * eta_;
  const double eEta = eccentricity_ * eta_;
  const double psi2 = std::abs(1.0 - eta2);
  const double coef = qMinusS4 * std::pow(xi, 4);
  const double coef1 = coef / std::pow(psi2, 3.5);
  const double c2 =
      coef1 * meanMotion_ *
      (a * (1.0 + 1.5 * eta2 + eEta * (4.0 + eta2)) +
       0.375 * kJ2 * xi / psi2 * threeCos2Minus1_ * (8.0 + 3.0 * eta2 * (8.0 + eta2)));
  c1_ = bstar_ * c2;
  const double c3 = eccentricity_ > 1e-4
                        ? -2.0 * coef * xi * kJ3OverJ2 * meanMotion_ * sinI_ / eccentricity_
                        : 0.0;
  c4_ =
      2.0 * meanMotion_ * coef1 * a * beta2 *
      (eta_ * (2.0 + 0.5 * eta2) + eccentricity_ * (0.5 + 2.0 * eta2) -
       kJ2 * xi / (a * psi2) *
           (-3.0 * threeCos2Minus1_ * (1.0 - 2.0 * eEta + eta2 * (1.5 - 0.5 * eEta)) +
            0.75 * oneMinusCos2_ * (2.0 * eta2 - eEta * (1.0 + eta2)) * std::cos(2.0 * perigee0_)));
  c5_ = 2.0 * coef1 * a * beta2 * (1.0 + 2.75 * (eta2 + eEta) + eEta * eta2);

  // Secular rates from J2 and J4.
  const double cos4 = cos2 * cos2;
  const double p2inv = 1.0 / (p * p);
  const double t1 = 1.5 * kJ2 * p2inv * meanMotion_;
  const double t2 = 0.5 * t1 * kJ2 * p2inv;
  const double t3 = -0.46875 * kJ4 * p2inv * p2inv * meanMotion_;
  anomalyRate_ = meanMotion_ + 0.5 * t1 * beta * threeCos2Minus1_ +
                 0.0625 * t2 * beta * (13.0 - 78.0 * cos2 + 137.0 * cos4);
  perigeeRate_ = -0.5 * t1 * (1.0 - 5.0 * cos2) +
                 0.0625 * t2 * (7.0 - 114.0 * cos2 + 395.0 * cos4) +
                 t3 * (3.0 - 36.0 * cos2 + 49.0 * cos4);
  const double nodeRateJ2 = -t1 * cosI_;
  nodeRate_ = nodeRateJ2 + (0.5 * t2 * (4.0 - 19.0 * cos2) + 2.0 * t3 * (3.0 - 7.0 * cos2)) * cosI_;
  nodeDrag_ = 3.5 * beta2 * nodeRateJ2 * c1_;

  omegaDrag_ = bstar_ * c3 * std::cos(perigee0_);
  anomalyDrag_ = eccentricity_ > 1e-4 ? -2.0 / 3.0 * coef * bstar_ / eEta : 0.0;
  t2Coef_ = 1.5 * c1_;
  // Long-period J3 terms; 1 + cos i vanishes for i = 180 degrees.
  const double onePlusCos = std::abs(cosI_ + 1.0) > 1.5e-12 ? 1.0 + cosI_ : 1.5e-12;
  longPeriodL_ = -0.25 * kJ3OverJ2 * sinI_ * (3.0 + 5.0 * cosI_) / onePlusCos;
  longPeriodAy_ = -0.5 * kJ3OverJ2 * sinI_;
  delta0_ = std::pow(1.0 + eta_ * std::cos(anomaly0_), 3);
  sinAnomaly0_ = std::sin(anomaly0_);

  if (!simplifiedDrag_) {
    const double c1sq = c1_ * c1_;
    d2_ = 4.0 * a * xi * c1sq;
    const double temp = d2_ * xi * c1_ / 3.0;
    d3_ = (17.0 * a + s) * temp;
    d4_ = 0.5 * temp * a * xi * (221.0 * a + 31.0 * s) * c1_;
    t3Coef_ = d2_ + 2.0 * c1sq;
    t4Coef_ = 0.25 * (3.0 * d3_ + c1_ * (12.0 * d2_ + 10.0 * c1sq));
    t5Coef_ =
        0.2 * (3.0 * d4_ + 12.0 * c1_ * d3_ + 6.0 * d2_ * d2_ + 15.0 * c1sq * (2.0 * d2_ + c1sq));
  }
  at(0.0);  // an element set the model cannot start from fails here, not on first use
}

void Sgp4::fail(double minutes, const char* cause) const {
  std::ostringstream text;
  text.precision(1);
  text << std::fixed << "Orbit of catalogue number " << catalogueText(elements_.catalogueNumber)
       << " at " << minutes << " minutes from its epoch: " << cause;
  throw Error(text.str());
}

StateVector Sgp4::at(double t) const {
  // Secular gravity and drag.
  const double anomalyDf = anomaly0_ + anomalyRate_ * t;
  const double perigeeDf = perigee0_ + perigeeRate_ * t;
  const double t2 = t * t;
  double node = node0_ + nodeRate_ * t + nodeDrag_ * t2;
  double anomaly = anomalyDf;
  double perigee = perigeeDf;
  double tempA = 1.0 - c1_ * t;
  double tempE = bstar_ * c4_ * t;
  double tempL = t2Coef_ * t2;
  if (!simplifiedDrag_) {
    const double dOmega = omegaDrag_ * t;
    const double dM = anomalyDrag_ * (std::pow(1.0 + eta_ * std::cos(anomalyDf), 3) - delta0_);
    anomaly = anomalyDf + dOmega + dM;
    perigee = perigeeDf - dOmega - dM;
    const double t3 = t2 * t;
    const double t4 = t3 * t;
    tempA -= d2_ * t2 + d3_ * t3 + d4_ * t4;
    tempE += bstar_ * c5_ * (std::sin(anomaly) - sinAnomaly0_);
    tempL += t3Coef_ * t3 + t4 * (t4Coef_ + t * t5Coef_);
  }
  const double a = std::pow(kXke / meanMotion_, 2.0 / 3.0) * tempA * tempA;
  const double n = kXke / std::pow(a, 1.5);
  double e = eccentricity_ - tempE;
  if (!(e < 1.0 && e >= -0.001)) fail(t, "the eccentricity left the model's range");
  e = std::max(e, 1e-6);
  anomaly += meanMotion_ * tempL;
  const double meanLongitude = std::fmod(anomaly + perigee + node, kTwoPi);
  node = std::fmod(node, kTwoPi);
  perigee = std::fmod(perigee, kTwoPi);
  anomaly = std::fmod(meanLongitude - perigee - node, kTwoPi);

  // Long-period periodics.
  const double axn = e * std::cos(perigee);
  double temp = 1.0 / (a * (1.0 - e * e));
  const double ayn = e * std::sin(perigee) + temp * longPeriodAy_;
  const double xl = anomaly + perigee + node + temp * longPeriodL_ * axn;

  // Kepler's equation for E + omega, with the step limited as the corrected model does.
  const double u = std::fmod(xl - node, kTwoPi);
  double eo = u;
  double sinEo = 0, cosEo = 0;
  double step = 1.0;
  for (int iteration = 0; iteration < 10 && std::abs(step) >= 1e-12; ++iteration) {
    sinEo = std::sin(eo);
    cosEo = std::cos(eo);
    step = (u - ayn * cosEo + axn * sinEo - eo) / (1.0 - cosEo * axn - sinEo * ayn);
    step = std::clamp(step, -0.95, 0.95);
    eo += step;
  }

  // Short-period periodics.
  const double eCosE = axn * cosEo + ayn * sinEo;
  const double eSinE = axn * sinEo - ayn * cosEo;
  const double el2 = axn * axn + ayn * ayn;
  const double pl = a * (1.0 - el2);
  if (pl < 0.0) fail(t, "the semi-latus rectum became negative");
  const double rl = a * (1.0 - eCosE);
  const double rDotL = std::sqrt(a) * eSinE / rl;
  const double rfDotL = std::sqrt(pl) / rl;
  const double betaL = std::sqrt(1.0 - el2);
  temp = eSinE / (1.0 + betaL);
  const double sinU = a / rl * (sinEo - ayn - axn * temp);
  const double cosU = a / rl * (cosEo - axn + ayn * temp);
  double su = std::atan2(sinU, cosU);
  const double sin2u = 2.0 * cosU * sinU;
  const double cos2u = 1.0 - 2.0 * sinU * sinU;
  temp = 1.0 / pl;
  const double temp1 = 0.5 * kJ2 * temp;
  const double temp2 = temp1 * temp;

  const double radius =
      rl * (1.0 - 1.5 * temp2 * betaL * threeCos2Minus1_) + 0.5 * temp1 * oneMinusCos2_ * cos2u;
  su -= 0.25 * temp2 * sevenCos2Minus1_ * sin2u;
  const double xnode = node + 1.5 * temp2 * cosI_ * sin2u;
  const double xinc = inclination_ + 1.5 * temp2 * cosI_ * sinI_ * cos2u;
  const double rDot = rDotL - n * temp1 * oneMinusCos2_ * sin2u / kXke;
  const double rfDot = rfDotL + n * temp1 * (oneMinusCos2_ * cos2u + 1.5 * threeCos2Minus1_) / kXke;

  // Orientation vectors: U toward the satellite, V along its motion in the orbit plane.
  const double sinSu = std::sin(su), cosSu = std::cos(su);
  const double sinNode = std::sin(xnode), cosNode = std::cos(xnode);
  const double sinInc = std::sin(xinc), cosInc = std::cos(xinc);
  const double mx = -sinNode * cosInc;
  const double my = cosNode * cosInc;
  const Vec3 uVec{mx * sinSu + cosNode * cosSu, my * sinSu + sinNode * cosSu, sinInc * sinSu};
  const Vec3 vVec{mx * cosSu - cosNode * sinSu, my * cosSu - sinNode * sinSu, sinInc * cosSu};

  StateVector out;
  for (int i = 0; i < 3; ++i) {
    out.position[i] = radius * uVec[i] * kEarthRadius;
    out.velocity[i] = (rDot * uVec[i] + rfDot * vVec[i]) * kKmPerSecond;
  }
  if (radius < 1.0) fail(t, "the satellite has decayed (below the Earth's surface)");
  // Element sets at the edge of the model's range can overflow it; never pass that on.
  for (int i = 0; i < 3; ++i) {
    if (!std::isfinite(out.position[i]) || !std::isfinite(out.velocity[i])) {
      fail(t, "the model gives no finite position for these elements");
    }
  }
  return out;
}

}  // namespace kestrova::avhrr
