#!/usr/bin/python3
"""One peer check: read FILE with the peer, then compare our dump of it with the peer's.

    peer_check.py hrpt FILE OURS --year Y --tle TLE [--scan-frame F] [--skip CHECK,...] [--keep STEM]
    peer_check.py level1b FILE OURS [--geo tie|full] [--skip CHECK,...] [--keep STEM]

OURS is our reader's dump of FILE. The peer's dump goes to a temporary folder unless --keep
names a stem for it. Exit status as compare.py's (0 pass, 1 a check failed, 2 unreadable),
or 1 when the peer cannot read the file.
"""

import argparse
import sys
import tempfile

import compare
import read_hrpt
import read_level1b


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("kind", choices=("hrpt", "level1b"))
    parser.add_argument("file")
    parser.add_argument("ours", help="our dump of FILE (.json or stem)")
    parser.add_argument("--year", help="year of the pass (hrpt)")
    parser.add_argument("--tle", help="file of two-line elements (hrpt)")
    parser.add_argument("--scan-frame", default="stock",
                        help="pyorbital's scan frame (hrpt): stock or geodetic-nadir")
    parser.add_argument("--geo", default="tie",
                        help="level1b: the file's tie points or the peer's interpolation (full)")
    parser.add_argument("--skip", default="", help="checks to leave out (see compare.py)")
    parser.add_argument("--keep", help="write the peer's dump to this stem")
    args = parser.parse_args(argv)
    if args.kind == "hrpt" and not (args.year and args.tle):
        parser.error("an HRPT check needs --year and --tle")

    with tempfile.TemporaryDirectory() as tmp:
        theirs = args.keep or tmp + "/peer"
        if args.kind == "hrpt":
            status = read_hrpt.main([args.file, "--year", args.year, "--tle", args.tle,
                                     "--out", theirs, "--scan-frame", args.scan_frame])
        else:
            status = read_level1b.main([args.file, "--out", theirs, "--geo", args.geo])
        if status != 0:
            return 1
        return compare.main([args.ours, theirs] + (["--skip", args.skip] if args.skip else []))


if __name__ == "__main__":
    sys.exit(main())
