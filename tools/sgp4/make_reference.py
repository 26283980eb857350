#!/usr/bin/python3
"""Writes the SGP4 reference ephemerides our orbit tests compare against.

The near-Earth cases (period under 225 minutes) of the published verification set, each evaluated
at the times that set lists, by Debian's python3-sgp4 (WGS-72, improved mode) as an independent
implementation. Run once by a developer; the output is committed as test data:

    tools/sgp4/make_reference.py > tests/avhrr/orbit/data/sgp4_reference.txt
"""
import math
import os
import sys

import sgp4
from sgp4.api import WGS72, Satrec

VERIFICATION_SET = os.path.join(os.path.dirname(sgp4.__file__), "SGP4-VER.TLE")
DEEP_SPACE_MINUTES = 225.0


def cases(path):
    """(line1, line2, start, stop, step) for every element set of the verification file."""
    lines = [l.rstrip("\n") for l in open(path) if not l.startswith("#")]
    for first, second in zip(lines[0::2], lines[1::2]):
        start, stop, step = (float(v) for v in second[69:].split())
        yield first[:69], second[:69], start, stop, step


def times(start, stop, step):
    t, out = start, []
    while t < stop:
        out.append(t)
        t += step
    return out + [stop]


def main():
    out = sys.stdout
    out.write("# SGP4 reference ephemerides: near-Earth cases of the published verification set,\n")
    out.write("# computed by python3-sgp4 %s (WGS-72). Written by tools/sgp4/make_reference.py.\n"
              % getattr(sgp4, "__version__", "(Debian)"))
    out.write("# Per case: the two element lines, then 'minutes x y z vx vy vz' (TEME, km, km/s),\n")
    out.write("# ending with 'error minutes code' where the model breaks down.\n")
    for line1, line2, start, stop, step in cases(VERIFICATION_SET):
        sat = Satrec.twoline2rv(line1, line2, WGS72)
        if 2 * math.pi / sat.no_unkozai >= DEEP_SPACE_MINUTES:
            continue
        out.write(line1 + "\n" + line2 + "\n")
        for t in times(start, stop, step):
            error, r, v = sat.sgp4_tsince(t)
            if error != 0:
                out.write("error %.8f %d\n" % (t, error))
                break
            out.write("%.8f %.9f %.9f %.9f %.12f %.12f %.12f\n" % ((t,) + tuple(r) + tuple(v)))
        out.write("\n")


if __name__ == "__main__":
    main()
