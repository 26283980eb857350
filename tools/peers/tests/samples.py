"""Tiny hand-made input files for the peer scripts' tests: a few raw HRPT minor frames, a
KLM Level 1b LAC file and a two-line element set, built from the published layouts."""

import numpy as np

HRPT_SYNC = (644, 367, 860, 413, 527, 149)
WORDS = 11090
WIDTH = 2048
NOAA19_ADDRESS = 15
NOAA19_KLM_CODE = 8
LINE_MS = 1000.0 / 6.0
ICT_COUNTS = (390, 380, 370)  # 3B, 4, 5
SPACE_COUNTS = (40, 41, 990, 995, 992)  # channels 1-5 with 3B on
PRT_COUNTS = (0, 401, 402, 403, 404)  # reference line, then PRT 1-4


def tle_checksum(line):
    return sum(int(ch) if ch.isdigit() else (1 if ch == "-" else 0) for ch in line[:68]) % 10


def noaa19_tle(epoch_yyddd):
    """A plausible NOAA-19 element set with the given epoch (e.g. "25172.45000000")."""
    line1 = "1 33591U 09005A   %s  .00000120  00000-0  90000-4 0  999" % epoch_yyddd
    line2 = "2 33591  99.1500 210.0000 0013500 120.0000 240.1000 14.12600000845000"
    return [l + str(tle_checksum(l)) for l in (line1, line2)]


def earth_counts(lines, width=WIDTH):
    """Deterministic counts [line, sample, channel]: visible 40-940, thermal 420-900."""
    line = np.arange(lines)[:, None]
    sample = np.arange(width)[None, :]
    out = np.zeros((lines, width, 5), dtype=np.uint16)
    out[:, :, 0] = 40 + (sample * 7 + line * 13) % 900
    out[:, :, 1] = 40 + (sample * 5 + line * 3) % 900
    for c in (2, 3, 4):
        out[:, :, c] = 420 + (sample * (c + 1) + line * 11) % 480
    return out


def hrpt_frames(lines, *, day, start_ms, ch3a=()):
    """Minor frames as 10-bit words [line, word]."""
    frames = np.zeros((lines, WORDS), dtype=np.uint16)
    counts = earth_counts(lines)
    for i in range(lines):
        f = frames[i]
        f[0:6] = HRPT_SYNC
        f[6] = ((i % 3 + 1) << 7) | (NOAA19_ADDRESS << 3) | (1 if i in ch3a else 0)
        ms = start_ms + int(round(i * LINE_MS))
        f[8] = day << 1
        f[9] = (ms >> 20) & 0x7F
        f[10] = (ms >> 10) & 0x3FF
        f[11] = ms & 0x3FF
        f[17:20] = PRT_COUNTS[i % 5]
        for k in range(10):
            f[22 + 3 * k:25 + 3 * k] = ICT_COUNTS
            f[52 + 5 * k:57 + 5 * k] = SPACE_COUNTS
            if i in ch3a:
                f[54 + 5 * k] = 40
        f[750:750 + 5 * WIDTH] = counts[i].reshape(-1)
    return frames, counts


def write_hrpt(path, frames, byte_order=">"):
    frames.astype(byte_order + "u2").tofile(path)


def put(buf, offset, dtype, value):
    np.frombuffer(buf, dtype=dtype, count=1, offset=offset)  # bounds check
    buf[offset:offset + np.dtype(dtype).itemsize] = np.array(value, dtype=dtype).tobytes()


# Record bytes, samples a line, first tie point and spacing, earth-data words, data type code,
# ms between lines (GAC keeps one line in three).
KLM_LAYOUTS = {
    "LAC": (15872, WIDTH, 24, 40, 3414, 1, LINE_MS),
    "GAC": (4608, 409, 4, 8, 682, 2, 3 * LINE_MS),
}


def klm_file(path, lines, *, year, day, start_ms, name, layout="LAC", archive_header=False,
             ch3a=()):
    """A KLM Level 1b file with 10-bit packed counts; returns (counts, lat, lon, columns)."""
    record, width, first, step, words_per_line, data_type, line_ms = KLM_LAYOUTS[layout]
    counts = earth_counts(lines, width)
    columns = np.arange(first, width, step)  # 51 tie points
    lat = 50.0 - 0.01 * np.arange(lines)[:, None] + 0.001 * columns[None, :]
    lon = 5.0 + 0.02 * columns[None, :] - 0.003 * np.arange(lines)[:, None]
    out = bytearray()
    if archive_header:
        ars = bytearray(b" " * 512)
        ars[30:72] = name.encode()
        ars[161:181] = b"NOAA Level 1b".ljust(20)
        out += ars
    head = bytearray(record)
    head[0:3] = b"NSS"
    put(head, 4, ">u2", 5)
    put(head, 14, ">u2", 1)
    head[22:64] = name.encode()
    put(head, 72, ">u2", NOAA19_KLM_CODE)
    put(head, 76, ">u2", data_type)
    put(head, 84, ">u2", year)
    put(head, 86, ">u2", day)
    put(head, 88, ">u4", start_ms)
    put(head, 128, ">u2", lines)
    out += head
    for i in range(lines):
        rec = bytearray(record)
        ms = start_ms + int(round(i * line_ms))
        put(rec, 0, ">u2", i + 1)
        put(rec, 2, ">u2", year)
        put(rec, 4, ">u2", day)
        put(rec, 8, ">u4", ms)
        put(rec, 12, ">u2", (1 << 15) | (1 if i in ch3a else 0))
        location = np.empty(102, dtype=">i4")
        location[0::2] = np.round(lat[i] * 1e4)
        location[1::2] = np.round(lon[i] * 1e4)
        rec[640:640 + 408] = location.tobytes()
        words = np.zeros(104, dtype=">u2")
        words[0:6] = HRPT_SYNC
        words[17:20] = PRT_COUNTS[i % 5]
        for k in range(10):
            words[22 + 3 * k:25 + 3 * k] = ICT_COUNTS
            words[52 + 5 * k:57 + 5 * k] = SPACE_COUNTS
            if i in ch3a:
                words[54 + 5 * k] = 40
        rec[1056:1056 + 208] = words.tobytes()
        samples = np.zeros(words_per_line * 3, dtype=np.uint32)
        samples[:width * 5] = counts[i].reshape(-1)
        packed = (samples[0::3] << 20) | (samples[1::3] << 10) | samples[2::3]
        rec[1264:1264 + words_per_line * 4] = packed.astype(">u4").tobytes()
        out += rec
    with open(path, "wb") as f:
        f.write(out)
    return counts, lat, lon, columns
