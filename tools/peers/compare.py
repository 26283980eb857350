#!/usr/bin/python3
"""Compare our reader's dump of a file with a peer's dump of the same file (dump_format.py).

    compare.py OURS THEIRS [--skip CHECK,...]

Checks, on the lines both dumps hold (matched by time when both carry times, else by index):
  counts       every channel's counts identical
  bt           brightness temperatures within 0.2 K
  reflectance  reflectances within 0.1 (percent, absolute)
  geo          latitude/longitude within 1 km (great circle) on the columns both geolocate
Every line the peer read must be among ours. Each check reports how many values it compared
and its largest difference with where it lies (line and column in OURS). A check with nothing
to compare fails: an empty comparison proves nothing. Exit status: 0 all passed, 1 a check
failed, 2 a dump could not be read.
"""

import argparse
import sys

import numpy as np

from dump_format import NO_COUNT, DumpError, read_dump

BT_TOLERANCE_K = 0.2
REFLECTANCE_TOLERANCE = 0.1
DISTANCE_TOLERANCE_KM = 1.0
TIME_TOLERANCE_MS = 1
EARTH_RADIUS_KM = 6371.0088
CHECKS = ("counts", "bt", "reflectance", "geo")


class Result:
    def __init__(self, name, compared, largest, where, passed, unit="", note=""):
        self.name, self.compared, self.largest = name, compared, largest
        self.where, self.passed, self.unit, self.note = where, passed, unit, note

    def row(self):
        largest = "-" if self.largest is None else ("%.6g %s" % (self.largest, self.unit)).strip()
        if self.where is None:
            where = "-"
        elif self.where[1] is None:
            where = "line %d" % self.where[0]
        else:
            where = "line %d, column %d" % self.where
        status = "ok" if self.passed else "FAILED"
        text = "%-22s %10d  %-16s %-24s %s" % (self.name, self.compared, largest, where, status)
        return text + ("  (%s)" % self.note if self.note else "")


def match_lines(ours, theirs):
    """Index pairs (ours, theirs) of the same lines, and the peer's lines missing from ours."""
    if "time_ms" in ours and "time_ms" in theirs:
        t_ours, t_theirs = ours["time_ms"], theirs["time_ms"]
        order = np.argsort(t_ours, kind="stable")
        sorted_ours = t_ours[order]
        pos = np.clip(np.searchsorted(sorted_ours, t_theirs), 0, max(len(sorted_ours) - 1, 0))
        best = pos.copy()
        left = np.clip(pos - 1, 0, None)
        closer_left = np.abs(sorted_ours[left] - t_theirs) < np.abs(sorted_ours[pos] - t_theirs)
        best[closer_left] = left[closer_left]
        if len(sorted_ours) == 0:
            return np.array([], int), np.array([], int), len(t_theirs)
        found = np.abs(sorted_ours[best] - t_theirs) <= TIME_TOLERANCE_MS
        return order[best[found]], np.nonzero(found)[0], int((~found).sum())
    n = min(len(next(iter(ours.values()))), len(next(iter(theirs.values()))))
    return np.arange(n), np.arange(n), 0


def largest(diff, valid, rows, columns):
    """Largest |diff| among valid entries and its (line, column) in ours."""
    if not valid.any():
        return None, None
    masked = np.where(valid, np.abs(diff), -np.inf)
    r, c = np.unravel_index(int(np.argmax(masked)), masked.shape)
    return float(masked[r, c]), (int(rows[r]), int(columns[c]))


def compare_values(name, ours, theirs, rows_o, rows_t, tolerance, unit, exact=False):
    a = ours[name][rows_o].astype(np.float64)
    b = theirs[name][rows_t].astype(np.float64)
    if a.shape[1] != b.shape[1]:
        return Result(name, 0, None, None, False, note="widths differ: %d and %d"
                      % (a.shape[1], b.shape[1]))
    if exact:
        valid_a, valid_b = a != NO_COUNT, b != NO_COUNT
    else:
        valid_a, valid_b = np.isfinite(a), np.isfinite(b)
    valid = valid_a & valid_b
    one_sided = int((valid_a ^ valid_b).sum())
    big, where = largest(a - b, valid, rows_o, np.arange(a.shape[1]))
    compared = int(valid.sum())
    if compared == 0:
        # Neither side has a value (channel 3A on a pass that never switched): nothing was due.
        if one_sided == 0:
            return Result(name, 0, None, None, True, note="no values on either side")
        return Result(name, 0, None, None, False,
                      note="nothing to compare, %d values only one side has" % one_sided)
    note = "%d values only one side has" % one_sided if one_sided else ""
    return Result(name, compared, big, where, big <= tolerance, unit, note)


def great_circle_km(lat1, lon1, lat2, lon2):
    p1, p2 = np.radians(lat1), np.radians(lat2)
    dp, dl = p2 - p1, np.radians(lon2 - lon1)
    h = np.sin(dp / 2) ** 2 + np.cos(p1) * np.cos(p2) * np.sin(dl / 2) ** 2
    return 2 * EARTH_RADIUS_KM * np.arcsin(np.sqrt(np.clip(h, 0, 1)))


def compare_geo(ours, theirs, rows_o, rows_t):
    needed = ("geo_columns", "latitude", "longitude")
    if not all(k in ours for k in needed) or not all(k in theirs for k in needed):
        return [Result("latitude/longitude", 0, None, None, False, note="missing in a dump")]
    common, i_o, i_t = np.intersect1d(ours["geo_columns"], theirs["geo_columns"],
                                      return_indices=True)
    if common.size == 0:
        return [Result("latitude/longitude", 0, None, None, False,
                       note="no column geolocated in both")]
    lat_o = ours["latitude"][rows_o][:, i_o].astype(np.float64)
    lon_o = ours["longitude"][rows_o][:, i_o].astype(np.float64)
    lat_t = theirs["latitude"][rows_t][:, i_t].astype(np.float64)
    lon_t = theirs["longitude"][rows_t][:, i_t].astype(np.float64)
    valid = np.isfinite(lat_o) & np.isfinite(lon_o) & np.isfinite(lat_t) & np.isfinite(lon_t)
    distance = np.where(valid, great_circle_km(lat_o, lon_o, lat_t, lon_t), 0.0)
    big, where = largest(distance, valid, rows_o, common)
    compared = int(valid.sum())
    passed = compared > 0 and big <= DISTANCE_TOLERANCE_KM
    return [Result("latitude/longitude", compared, big, where, passed, "km",
                   "" if compared else "nothing to compare")]


def compare(ours, theirs, skip=()):
    rows_o, rows_t, unmatched = match_lines(ours, theirs)
    results = [Result("lines", len(rows_t), None, None, unmatched == 0 and len(rows_t) > 0,
                      note="%d peer lines not among ours" % unmatched if unmatched else "")]
    plan = {
        "counts": [("counts_%s" % c, 0, "", True) for c in "12345"],
        "bt": [("bt_%s" % c, BT_TOLERANCE_K, "K", False) for c in ("3b", "4", "5")],
        "reflectance": [("reflectance_%s" % c, REFLECTANCE_TOLERANCE, "%", False)
                        for c in ("1", "2", "3a")],
    }
    if "counts" not in skip and "channel3" in ours and "channel3" in theirs:
        differ = ours["channel3"][rows_o] != theirs["channel3"][rows_t]
        first = (int(rows_o[np.argmax(differ)]), None) if differ.any() else None
        results.append(Result("channel3", len(rows_o), int(differ.sum()), first,
                              not differ.any(), "lines differ"))
    for check in CHECKS:
        if check in skip:
            continue
        if check == "geo":
            results += compare_geo(ours, theirs, rows_o, rows_t)
            continue
        for name, tolerance, unit, exact in plan[check]:
            if name in ours and name in theirs:
                results.append(compare_values(name, ours, theirs, rows_o, rows_t, tolerance,
                                              unit, exact))
            elif name in ours or name in theirs:
                side = "ours" if name in ours else "the peer's"
                results.append(Result(name, 0, None, None, True,
                                      note="only in %s dump, not compared" % side))
    return results


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("ours", help="our dump (.json or stem)")
    parser.add_argument("theirs", help="the peer's dump (.json or stem)")
    parser.add_argument("--skip", default="", help="checks to leave out, comma-separated: "
                        + ", ".join(CHECKS))
    args = parser.parse_args(argv)
    skip = [s for s in args.skip.split(",") if s]
    unknown = [s for s in skip if s not in CHECKS]
    if unknown:
        parser.error("unknown check(s): %s" % ", ".join(unknown))
    try:
        meta_o, ours = read_dump(args.ours)
        meta_t, theirs = read_dump(args.theirs)
    except DumpError as err:
        print("compare: %s" % err, file=sys.stderr)
        return 2
    print("ours:   %s (%s)" % (meta_o["source"], meta_o["producer"]))
    print("theirs: %s (%s)" % (meta_t["source"], meta_t["producer"]))
    print("%-22s %10s  %-16s %-24s %s" % ("check", "compared", "largest diff", "where (ours)",
                                          "result"))
    results = compare(ours, theirs, skip)
    for r in results:
        print(r.row())
    for s in skip:
        print("%-22s skipped" % s)
    failed = [r.name for r in results if not r.passed]
    print("FAILED: " + ", ".join(failed) if failed else "all checks passed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
