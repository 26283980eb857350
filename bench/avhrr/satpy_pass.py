#!/usr/bin/python3
"""Time satpy on the work bench/avhrr/avhrr_bench does: read a pass, calibrate all channels
(reflectance and brightness temperature) and locate every pixel, as raw HRPT and as KLM LAC.

    satpy_pass.py --hrpt FILE --lac FILE --tle TLE_FILE --year YYYY [--repeat N]

Prints one line per form: the best wall-clock and processor time of N runs, in milliseconds.
The peers' file-name and element-file needs are met as in tools/peers (links, $TLES).
"""

import argparse
import datetime as dt
import os
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tools", "peers"))
import peer_common as pc  # noqa: E402
import read_hrpt  # noqa: E402
import read_level1b  # noqa: E402

CHANNELS = ["1", "2", "3a", "3b", "4", "5", "latitude", "longitude"]


def compute(scene):
    for name in CHANNELS:
        scene[name].values  # dask computes here


def hrpt_run(link):
    from satpy import Scene
    scene = Scene(reader="avhrr_l1b_hrpt", filenames=[link])
    scene.load(CHANNELS)
    compute(scene)


def lac_run(link):
    from satpy import Scene
    scene = Scene(reader="avhrr_l1b_gaclac", filenames=[link],
                  reader_kwargs={"interpolate_coords": True})
    scene.load(CHANNELS)
    compute(scene)


def best_of(repeat, run, link):
    wall, cpu = [], []
    for _ in range(repeat):
        w0, c0 = time.perf_counter(), time.process_time()
        run(link)
        wall.append(time.perf_counter() - w0)
        cpu.append(time.process_time() - c0)
    return min(wall) * 1000, min(cpu) * 1000


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--hrpt", required=True)
    parser.add_argument("--lac", required=True)
    parser.add_argument("--tle", required=True)
    parser.add_argument("--year", type=int, required=True)
    parser.add_argument("--repeat", type=int, default=3)
    args = parser.parse_args()
    pc.quiet_peers()
    with tempfile.TemporaryDirectory() as tmp:
        hrpt_link = os.path.join(tmp, "%04d0101000000_peer.hmf" % args.year)
        os.symlink(os.path.abspath(args.hrpt), hrpt_link)
        lac_link = os.path.join(tmp, read_level1b.data_set_name(args.lac))
        os.symlink(os.path.abspath(args.lac), lac_link)
        # The element set satpy is to use, alone in a file of the name pyorbital looks for.
        from satpy import Scene
        handler = read_hrpt.file_handler(Scene(reader="avhrr_l1b_hrpt", filenames=[hrpt_link]))
        first = handler.times[0].astype("datetime64[ms]").astype(dt.datetime)
        platform = handler.platform_name
        line1, line2 = pc.nearest_tle(args.tle, read_hrpt.NORAD[platform], first)
        tle_file = os.path.join(tmp, "elements.tle")
        with open(tle_file, "w", encoding="ascii") as f:
            f.write("%s\n%s\n%s\n" % (platform, line1, line2))
        os.environ["TLES"] = tle_file
        for label, run, link in (("raw HRPT", hrpt_run, hrpt_link), ("KLM LAC", lac_run, lac_link)):
            wall, cpu = best_of(args.repeat, run, link)
            print("satpy %-8s wall %8.0f ms  cpu %8.0f ms" % (label, wall, cpu))
    return 0


if __name__ == "__main__":
    sys.exit(main())
