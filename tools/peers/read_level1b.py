#!/usr/bin/python3
"""Read a NOAA Level 1b file with satpy's avhrr_l1b_gaclac reader (pygac) and write what it
found as a dump (see dump_format.py).

    read_level1b.py FILE --out STEM [--geo tie|full]

The reader takes the format from a NOAA data set name in the file name; this script finds
the name in the file's header record (after the 512-byte archive header when there is one)
and reads the file under that name. Latitudes and longitudes are the file's 51 tie points a
line (--geo tie, the default) or pygac's interpolation to every sample (--geo full).
"""

import argparse
import os
import re
import sys
import tempfile

import numpy as np

import peer_common as pc
from dump_format import write_dump

DATA_SET_NAME = re.compile(rb"\w{3}\.\w{4}\.\w{2}\.D\d{5}\.S\d{4}\.E\d{4}\.B\d{7}\.\w{2}")
ARCHIVE_HEADER_BYTES = 512
ARCHIVE_FORMAT_OFFSET = 161
NAME_OFFSET = 22  # in the header record, KLM and POD alike
NAME_LENGTH = 42
# First tie point and spacing (0-based samples), by line width.
TIE_POINTS = {2048: (24, 40), 409: (4, 8)}
# The peer's dataset name for each of our dump's channel slots, by instrument.
CHANNELS = {
    "avhrr-3": {"1": "1", "2": "2", "3a": "3a", "3b": "3b", "4": "4", "5": "5"},
    "avhrr-2": {"1": "1", "2": "2", "3b": "3", "4": "4", "5": "5"},
}


def data_set_name(path):
    try:
        with open(path, "rb") as f:
            head = f.read(ARCHIVE_HEADER_BYTES + NAME_OFFSET + NAME_LENGTH)
    except OSError as err:
        raise pc.PeerError("%s: cannot read: %s" % (path, err)) from err
    archived = head[ARCHIVE_FORMAT_OFFSET:].startswith(b"NOAA Level 1b")
    start = (ARCHIVE_HEADER_BYTES if archived else 0) + NAME_OFFSET
    match = DATA_SET_NAME.match(head[start:start + NAME_LENGTH])
    if not match:
        raise pc.PeerError("%s: no NOAA data set name at byte %d of the file, and the peer "
                           "needs one to pick its reader" % (path, start))
    return match.group().decode("ascii")


def file_handler(scene):
    handlers = scene._readers["avhrr_l1b_gaclac"].file_handlers
    return next(iter(handlers.values()))[0]


def read(path, geo):
    from satpy import Scene

    name = data_set_name(path)
    with tempfile.TemporaryDirectory() as tmp:
        link = os.path.join(tmp, name)
        os.symlink(os.path.abspath(path), link)
        kwargs = {"strip_invalid_coords": False, "interpolate_coords": geo == "full"}

        scene = Scene(reader="avhrr_l1b_gaclac", filenames=[link], reader_kwargs=kwargs)
        handler = file_handler(scene)
        channels = CHANNELS.get(handler.sensor)
        if channels is None:
            raise pc.PeerError("%s: the peer reads %s, which has no channel 5" % (path, handler.sensor))
        scene.load(list(channels.values()), calibration="counts")
        reader = handler.reader
        width = reader.scan_width
        try:
            channel3 = (reader.get_ch3_switch() & 3).astype(np.uint8)
        except AttributeError:  # POD: channel 3 is always the 3.7 µm channel
            channel3 = np.zeros(len(reader.scans), dtype=np.uint8)

        first = scene[channels["1"]]
        arrays = {"time_ms": pc.times_ms(first["acq_time"].values), "channel3": channel3}
        for slot in ("1", "2", "4", "5"):
            arrays["counts_" + slot] = pc.counts_array(scene[channels[slot]].values)
        if "3a" in channels:
            arrays["counts_3"] = pc.channel3_counts(scene["3a"].values, scene["3b"].values,
                                                    channel3)
        else:
            arrays["counts_3"] = pc.counts_array(scene[channels["3b"]].values)

        calibrated = Scene(reader="avhrr_l1b_gaclac", filenames=[link], reader_kwargs=kwargs)
        reflective = [s for s in ("1", "2", "3a") if s in channels]
        calibrated.load([channels[s] for s in reflective], calibration="reflectance")
        calibrated.load([channels[s] for s in ("3b", "4", "5")],
                        calibration="brightness_temperature")
        for slot in reflective:
            arrays["reflectance_" + slot] = calibrated[channels[slot]].values
        for slot in ("3b", "4", "5"):
            arrays["bt_" + slot] = calibrated[channels[slot]].values

        calibrated.load(["latitude", "longitude"])
        latitude = calibrated["latitude"].values
        if geo == "full":
            columns = np.arange(width)
        else:
            start, step = TIE_POINTS[width]
            columns = start + step * np.arange(latitude.shape[1])
        arrays["geo_columns"] = columns
        arrays["latitude"] = latitude
        arrays["longitude"] = calibrated["longitude"].values
        return reader.spacecraft_name, width, arrays


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("level1b", help="NOAA Level 1b file (KLM or POD)")
    parser.add_argument("--out", required=True, help="dump stem: writes STEM.json and STEM.bin")
    parser.add_argument("--geo", choices=("tie", "full"), default="tie",
                        help="the file's tie points (default) or every sample")
    args = parser.parse_args(argv)
    pc.quiet_peers()
    try:
        satellite, width, arrays = read(args.level1b, args.geo)
    except pc.PeerError as err:
        print("read_level1b: %s" % err, file=sys.stderr)
        return 1
    import satpy

    write_dump(args.out, arrays, producer="satpy %s avhrr_l1b_gaclac" % satpy.__version__,
               source=os.path.basename(args.level1b), satellite=satellite,
               lines=len(arrays["time_ms"]), width=width)
    return 0


if __name__ == "__main__":
    sys.exit(main())
