// The scan seen from the satellite over a spherical Earth: how far from nadir on the ground a
// view at a given scan angle lands, the way back, and the zenith angle it arrives at. The
// panorama correction and the satellite zenith angles both work from these.
#pragma once

namespace kestrova::products {

constexpr double kEarthRadiusKm = 6371.0;   // mean radius, as the geolocation measures distances
constexpr double kNominalHeightKm = 850.0;  // used only when a pass has no positions

// Sample position of nadir in a line of that width (fractional; GAC samples are spaced 5 apart).
double nadirSample(int width);

// The satellite zenith angle (radians) of a view scanAngle (radians) off nadir.
double satelliteZenithRad(double scanAngleRad, double heightKm);

// Ground distance (km, signed as the scan angle) from nadir to where the view lands.
double groundDistanceKm(double scanAngleRad, double heightKm);

// The scan angle (radians) that lands at a ground distance (km, signed) from nadir.
double scanAngleForGround(double groundKm, double heightKm);

}  // namespace kestrova::products
