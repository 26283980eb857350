#!/usr/bin/python3
"""Writes reference pixel locations from python3-pyorbital's AVHRR scan model.

An independent check of our raw-HRPT geolocation: the same element set and line times, located
by pyorbital.geoloc (its own SGP4, sidereal time, scan angles, sample timing and ellipsoid).
Run once by a developer; the output is committed as test data:

    tools/geolocation/pyorbital_reference.py stock > tests/avhrr/geolocation/data/pyorbital_stock.txt
    tools/geolocation/pyorbital_reference.py geodetic-nadir > tests/avhrr/geolocation/data/pyorbital_geodetic_nadir.txt

"stock" is pyorbital as shipped. Its scan frame differs from ours in two conventions: the yaw
axis points along the centre-to-subpoint direction ("fake nadir" in its own comment) instead of
the ellipsoid normal through the satellite, and the roll axis is the raw velocity, not made square
to that axis. "geodetic-nadir" replaces only ScanGeometry.vectors with the frame we use (yaw axis
on the geodetic normal, x = y cross z); every other step stays pyorbital's.
"""
import datetime as dt
import sys

import numpy as np
from pyorbital import geoloc
from pyorbital.geoloc_instrument_definitions import avhrr

# A NOAA-like sun-synchronous orbit (made-up elements with valid checksums).
LINE1 = "1 33591U 09005A   24100.50000000  .00000120  00000-0  88000-4 0  9990"
LINE2 = "2 33591  99.1900 150.3000 0013500 110.2000 250.0000 14.12600000780009"

SAMPLES = np.array([0, 100, 512, 1023, 1024, 1536, 1947, 2047])
START = dt.datetime(2024, 4, 9, 12, 0, 0)
LINE_OFFSETS_MINUTES = [0, 13, 26, 39, 52, 65, 78, 91, 104.5]


def geodetic_nadir_vectors(self, pos, vel, roll=0.0, pitch=0.0, yaw=0.0):
    """Scan vectors in the frame of our geolocation: z on the ellipsoid normal, x square to it."""
    lat = geoloc.geodetic_lat(pos)
    lon = np.arctan2(pos[1], pos[0])
    nadir = -np.stack([np.cos(lat) * np.cos(lon), np.cos(lat) * np.sin(lon), np.sin(lat)])
    y = np.cross(nadir, vel, 0, 0, 0)
    y /= geoloc.vnorm(y)
    x = np.cross(y, nadir, 0, 0, 0)
    rolled = geoloc.qrotate(nadir, x, self.fovs[0] + roll)
    pitched = geoloc.qrotate(rolled, y, self.fovs[1] + pitch)
    return geoloc.qrotate(pitched, nadir, yaw)


def checksum(line):
    return sum(int(c) if c.isdigit() else (1 if c == "-" else 0) for c in line[:68]) % 10


def main():
    variant = sys.argv[1] if len(sys.argv) > 1 else ""
    if variant not in ("stock", "geodetic-nadir"):
        sys.exit("usage: pyorbital_reference.py stock|geodetic-nadir")
    if variant == "geodetic-nadir":
        geoloc.ScanGeometry.vectors = geodetic_nadir_vectors
    assert checksum(LINE1) == int(LINE1[68]) and checksum(LINE2) == int(LINE2[68])
    out = sys.stdout
    out.write("# Pixel locations by python3-pyorbital's AVHRR scan model (pyorbital.geoloc), %s.\n"
              % variant)
    out.write("# Written by tools/geolocation/pyorbital_reference.py.\n")
    out.write("# Lines: 'line <ms since 1970>' then 'sample latitude longitude' (degrees).\n")
    out.write(LINE1 + "\n" + LINE2 + "\n")
    for minutes in LINE_OFFSETS_MINUTES:
        start = START + dt.timedelta(minutes=minutes)
        geometry = avhrr(1, SAMPLES)
        times = geometry.times(start)
        pixels = geoloc.compute_pixels((LINE1, LINE2), geometry, times)
        lon, lat, _ = geoloc.get_lonlatalt(pixels, times)
        ms = int((start - dt.datetime(1970, 1, 1)).total_seconds() * 1000)
        out.write("line %d\n" % ms)
        for sample, la, lo in zip(SAMPLES, lat.ravel(), lon.ravel()):
            out.write("%d %.7f %.7f\n" % (sample, la, lo))


if __name__ == "__main__":
    main()
