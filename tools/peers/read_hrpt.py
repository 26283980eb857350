#!/usr/bin/python3
"""Read a raw HRPT file with satpy's avhrr_l1b_hrpt reader (pygac calibration, pyorbital
geolocation) and write what it found as a dump (see dump_format.py).

    read_hrpt.py FILE --year YYYY --tle TLE_FILE --out STEM [--geo-step N]
                 [--scan-frame stock|geodetic-nadir]

The reader needs 16-bit big-endian words, whole 22180-byte frames, the year in its file name
and the orbital elements through the TLES environment variable; this script provides the
last two from --year and --tle (the element set nearest the first line's time).

--scan-frame geodetic-nadir sets pyorbital's scan frame up as ours (yaw axis on the ellipsoid
normal, roll axis square to it; tools/geolocation/pyorbital_reference.py); everything else
stays pyorbital's. As shipped ("stock") it rolls about the raw velocity, which is not square to
its geocentric yaw axis, so its scan is a shallow cone: up to about 2.5 km apart from a plane
at the swath edges near the equator, more at high latitudes.
"""

import argparse
import datetime as dt
import os
import sys
import tempfile

import numpy as np

import peer_common as pc
from dump_format import write_dump

SYNC = (644, 367, 860, 413, 527, 149)
FRAME_BYTES = 11090 * 2
WIDTH = 2048
# satpy names the satellites from the ID word's address; pyorbital finds their elements by a
# title line of that exact name.
NORAD = {"NOAA 15": 25338, "NOAA 16": 26536, "NOAA 18": 28654, "NOAA 19": 33591}


def check_storage(path):
    try:
        size = os.path.getsize(path)
        with open(path, "rb") as f:
            head = f.read(12)
    except OSError as err:
        raise pc.PeerError("%s: cannot read: %s" % (path, err)) from err
    if size == 0 or size % FRAME_BYTES:
        raise pc.PeerError("%s: %d bytes is not a whole number of 22180-byte frames; the peer "
                           "reads only 16-bit frames back to back" % (path, size))
    if tuple(np.frombuffer(head, dtype=">u2")) != SYNC:
        raise pc.PeerError("%s: the file does not start with a frame sync in 16-bit big-endian "
                           "words, the only storage the peer reads (its little-endian branch "
                           "recurses without end)" % path)


def file_handler(scene):
    return scene._readers["avhrr_l1b_hrpt"].file_handlers["avhrr_hrpt"][0]


def use_scan_frame(frame):
    if frame == "stock":
        return
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                    "geolocation"))
    from pyorbital import geoloc
    from pyorbital_reference import geodetic_nadir_vectors
    geoloc.ScanGeometry.vectors = geodetic_nadir_vectors


def read(path, year, tle_path, geo_step, scan_frame="stock"):
    from satpy import Scene

    use_scan_frame(scan_frame)

    check_storage(path)
    with tempfile.TemporaryDirectory() as tmp:
        link = os.path.join(tmp, "%04d0101000000_peer.hmf" % year)
        os.symlink(os.path.abspath(path), link)

        scene = Scene(reader="avhrr_l1b_hrpt", filenames=[link])
        handler = file_handler(scene)
        platform = handler.platform_name
        if platform not in NORAD:
            raise pc.PeerError("%s: the peer does not know satellite %s" % (path, platform))
        first = handler.times[0].astype("datetime64[ms]").astype(dt.datetime)
        line1, line2 = pc.nearest_tle(tle_path, NORAD[platform], first)
        tle_file = os.path.join(tmp, "elements.tle")
        with open(tle_file, "w", encoding="ascii") as f:
            f.write("%s\n%s\n%s\n" % (platform, line1, line2))
        os.environ["TLES"] = tle_file  # never let pyorbital go to the network

        channel3 = np.where(handler._is3b, 0, 1).astype(np.uint8)
        arrays = {"time_ms": pc.times_ms(handler.times), "channel3": channel3}

        scene.load(["1", "2", "3a", "3b", "4", "5"], calibration="counts")
        for name in ("1", "2", "4", "5"):
            arrays["counts_" + name] = pc.counts_array(scene[name].values)
        arrays["counts_3"] = pc.channel3_counts(scene["3a"].values, scene["3b"].values, channel3)

        calibrated = Scene(reader="avhrr_l1b_hrpt", filenames=[link])
        calibrated.load(["1", "2", "3a"], calibration="reflectance")
        calibrated.load(["3b", "4", "5"], calibration="brightness_temperature")
        for name in ("1", "2", "3a"):
            arrays["reflectance_" + name] = calibrated[name].values
        for name in ("3b", "4", "5"):
            arrays["bt_" + name] = calibrated[name].values

        columns = np.arange(0, WIDTH, geo_step)
        calibrated.load(["latitude", "longitude"])
        arrays["geo_columns"] = columns
        arrays["latitude"] = calibrated["latitude"].values[:, columns]
        arrays["longitude"] = calibrated["longitude"].values[:, columns]
        return platform, arrays


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("hrpt", help="raw HRPT file, 16-bit big-endian words")
    parser.add_argument("--year", type=int, required=True, help="year of the pass")
    parser.add_argument("--tle", required=True, help="file of two-line elements")
    parser.add_argument("--out", required=True, help="dump stem: writes STEM.json and STEM.bin")
    parser.add_argument("--geo-step", type=int, default=32,
                        help="keep latitude/longitude of every Nth sample (default 32: the "
                             "columns the peer geolocates itself; 1 for every sample)")
    parser.add_argument("--scan-frame", choices=("stock", "geodetic-nadir"), default="stock",
                        help="pyorbital's scan frame as shipped, or set up as ours")
    args = parser.parse_args(argv)
    if args.geo_step < 1:
        parser.error("--geo-step must be at least 1")
    pc.quiet_peers()
    try:
        platform, arrays = read(args.hrpt, args.year, args.tle, args.geo_step, args.scan_frame)
    except pc.PeerError as err:
        print("read_hrpt: %s" % err, file=sys.stderr)
        return 1
    import satpy

    write_dump(args.out, arrays, producer="satpy %s avhrr_l1b_hrpt" % satpy.__version__,
               source=os.path.basename(args.hrpt), satellite=platform,
               lines=len(arrays["time_ms"]), width=WIDTH)
    return 0


if __name__ == "__main__":
    sys.exit(main())
