"""The dump both sides of a peer check write: what a reader made of one AVHRR file.

A dump is two files side by side: ``<stem>.json`` describing the arrays and ``<stem>.bin``
holding them, little-endian, C order, each starting at a multiple of 8 bytes. Any array may be
absent. Names, types and shapes (N lines, W samples a line, G geolocated columns):

    time_ms        int64   [N]     line time, ms since 1970-01-01 00:00 UTC
    channel3       uint8   [N]     0 = 3B, 1 = 3A, 2 = transition
    counts_1..5    uint16  [N, W]  10-bit earth-view counts; 65535 = no value
    reflectance_1, reflectance_2, reflectance_3a
                   float32 [N, W]  percent; NaN = no value
    bt_3b, bt_4, bt_5
                   float32 [N, W]  brightness temperature, kelvin; NaN = no value
    geo_columns    int32   [G]     0-based sample columns the latitudes and longitudes belong to
    latitude, longitude
                   float32 [N, G]  degrees; NaN = no value

The JSON holds {"format": "kestrova-avhrr-dump", "version": 1, "producer", "source",
"satellite", "lines", "width", "data": "<stem>.bin", "arrays": {name: {"dtype", "shape",
"offset"}}}.
"""

import json
import os

import numpy as np

FORMAT = "kestrova-avhrr-dump"
VERSION = 1
NO_COUNT = 65535

DTYPES = {
    "time_ms": "<i8",
    "channel3": "u1",
    "geo_columns": "<i4",
    "latitude": "<f4",
    "longitude": "<f4",
}
for _c in ("1", "2", "3", "4", "5"):
    DTYPES["counts_" + _c] = "<u2"
for _name in ("reflectance_1", "reflectance_2", "reflectance_3a", "bt_3b", "bt_4", "bt_5"):
    DTYPES[_name] = "<f4"


class DumpError(Exception):
    """A dump that cannot be read or written as described."""


def write_dump(stem, arrays, *, producer, source, satellite, lines, width):
    """Write arrays (name -> numpy array) as <stem>.json and <stem>.bin."""
    described = {}
    offset = 0
    blobs = []
    for name, values in arrays.items():
        if name not in DTYPES:
            raise DumpError("unknown array name %r" % name)
        data = np.ascontiguousarray(values, dtype=DTYPES[name])
        described[name] = {"dtype": DTYPES[name], "shape": list(data.shape), "offset": offset}
        blob = data.tobytes()
        pad = (-len(blob)) % 8
        blobs.append(blob + b"\0" * pad)
        offset += len(blob) + pad
    bin_path = stem + ".bin"
    with open(bin_path, "wb") as out:
        for blob in blobs:
            out.write(blob)
    meta = {
        "format": FORMAT,
        "version": VERSION,
        "producer": producer,
        "source": source,
        "satellite": satellite,
        "lines": int(lines),
        "width": int(width),
        "data": os.path.basename(bin_path),
        "arrays": described,
    }
    with open(stem + ".json", "w", encoding="utf-8") as out:
        json.dump(meta, out, indent=1)
        out.write("\n")


def read_dump(path):
    """Read a dump from its .json (or its stem); returns (meta, {name: array})."""
    json_path = path if path.endswith(".json") else path + ".json"
    try:
        with open(json_path, encoding="utf-8") as f:
            meta = json.load(f)
    except (OSError, ValueError) as err:
        raise DumpError("%s: cannot read the dump description: %s" % (json_path, err)) from err
    if meta.get("format") != FORMAT or meta.get("version") != VERSION:
        raise DumpError("%s: not a %s version %d description" % (json_path, FORMAT, VERSION))
    bin_path = os.path.join(os.path.dirname(json_path), meta["data"])
    try:
        raw = np.fromfile(bin_path, dtype=np.uint8)
    except OSError as err:
        raise DumpError("%s: cannot read the data: %s" % (bin_path, err)) from err
    arrays = {}
    for name, entry in meta["arrays"].items():
        dtype = np.dtype(entry["dtype"])
        shape = tuple(int(n) for n in entry["shape"])
        count = int(np.prod(shape)) if shape else 1
        start, end = int(entry["offset"]), int(entry["offset"]) + count * dtype.itemsize
        if start < 0 or end > raw.size:
            raise DumpError("%s: array %s (bytes %d-%d) runs past the end of %s (%d bytes)"
                            % (json_path, name, start, end, bin_path, raw.size))
        arrays[name] = raw[start:end].view(dtype).reshape(shape)
    return meta, arrays
