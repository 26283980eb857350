"""What the two peer readers share: errors, TLE selection, and turning satpy's arrays into a
dump's arrays."""

import datetime as dt
import logging
import warnings

import numpy as np

from dump_format import NO_COUNT


class PeerError(Exception):
    """A reason the peer cannot read the file; the message names the file and the cause."""


def quiet_peers():
    """The peers warn about every unknown coefficient hash and deprecated call; keep our
    output to what we report."""
    warnings.filterwarnings("ignore")
    logging.basicConfig(level=logging.ERROR)


def tle_epoch(line1):
    """Epoch of a TLE line 1 (columns 19-32, two-digit year below 57 meaning 20xx)."""
    yy = int(line1[18:20])
    year = 2000 + yy if yy < 57 else 1900 + yy
    return dt.datetime(year, 1, 1) + dt.timedelta(days=float(line1[20:32]) - 1)


def nearest_tle(path, norad, when):
    """The element set of catalogue number norad in a TLE file whose epoch lies nearest to when."""
    try:
        with open(path, encoding="ascii", errors="replace") as f:
            lines = [l.rstrip("\r\n") for l in f]
    except OSError as err:
        raise PeerError("%s: cannot read the orbital elements: %s" % (path, err)) from err
    best = None
    for number, (first, second) in enumerate(zip(lines, lines[1:]), start=1):
        if not (first.startswith("1 ") and second.startswith("2 ")):
            continue
        if first[2:7].strip() != str(norad) or second[2:7].strip() != str(norad):
            continue
        try:
            distance = abs((tle_epoch(first) - when).total_seconds())
        except ValueError as err:
            raise PeerError("%s line %d: not an element set epoch: %s" % (path, number, err)) from err
        if best is None or distance < best[0]:
            best = (distance, first.strip(), second.strip())
    if best is None:
        raise PeerError("%s: no element set for catalogue number %d" % (path, norad))
    return best[1], best[2]


def times_ms(datetimes):
    return np.asarray(datetimes).astype("datetime64[ms]").astype(np.int64)


def counts_array(values):
    """satpy's float counts (NaN where a channel is off) as dump counts (65535 = no value)."""
    values = np.asarray(values, dtype=np.float64)
    out = np.full(values.shape, NO_COUNT, dtype=np.uint16)
    good = np.isfinite(values)
    out[good] = values[good].astype(np.uint16)
    return out


def channel3_counts(counts3a, counts3b, channel3):
    """One channel-3 count array from the peers' split 3A and 3B arrays, by each line's state."""
    a, b = counts_array(counts3a), counts_array(counts3b)
    out = np.where((channel3 == 1)[:, None], a, b)
    out[channel3 == 2, :] = NO_COUNT
    return out
