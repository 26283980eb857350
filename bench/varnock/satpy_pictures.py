#!/usr/bin/python3
"""satpy's side of bench/varnock: read a raw HRPT pass and save channel and composite pictures
as JPEG, the way a station would script it, as one process from start to exit.

    satpy_pictures.py --hrpt FILE --tle TLE_FILE --year YYYY --out FOLDER --pictures fc|all

fc: the false-colour composite (satpy's "overview", channels 1, 2 and 4), as the front end's
default request makes it. all: the five channels and the composites satpy offers for a
channel 3B pass ("overview", "cloudtop", "night_fog"). The peers' file-name and element-file
needs are met as in tools/peers (a link with the year, $TLES).
"""

import argparse
import os
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tools", "peers"))
import peer_common as pc  # noqa: E402
import read_hrpt  # noqa: E402

PICTURES = {
    "fc": ["overview"],
    "all": ["1", "2", "3b", "4", "5", "overview", "cloudtop", "night_fog"],
}


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--hrpt", required=True)
    parser.add_argument("--tle", required=True)
    parser.add_argument("--year", type=int, required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--pictures", choices=sorted(PICTURES), required=True)
    args = parser.parse_args()
    pc.quiet_peers()
    from satpy import Scene
    import datetime as dt
    with tempfile.TemporaryDirectory() as tmp:
        link = os.path.join(tmp, "%04d0101000000_peer.hmf" % args.year)
        os.symlink(os.path.abspath(args.hrpt), link)
        scene = Scene(reader="avhrr_l1b_hrpt", filenames=[link])
        handler = read_hrpt.file_handler(scene)
        first = handler.times[0].astype("datetime64[ms]").astype(dt.datetime)
        line1, line2 = pc.nearest_tle(args.tle, read_hrpt.NORAD[handler.platform_name], first)
        tle_file = os.path.join(tmp, "elements.tle")
        with open(tle_file, "w", encoding="ascii") as f:
            f.write("%s\n%s\n%s\n" % (handler.platform_name, line1, line2))
        os.environ["TLES"] = tle_file
        names = PICTURES[args.pictures]
        scene.load(names)
        for name in names:
            scene.save_dataset(name, filename=os.path.join(args.out, "satpy-%s.jpg" % name),
                               writer="simple_image", fill_value=0)
    return 0


if __name__ == "__main__":
    sys.exit(main())
