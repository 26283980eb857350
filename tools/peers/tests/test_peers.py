"""The peer scripts on tiny hand-made files: the peers return what the files hold, and the
comparison catches the differences it exists to catch."""

import contextlib
import io
import os
import shutil
import sys
import tempfile
import unittest

import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
sys.path.insert(0, HERE)

import compare  # noqa: E402
import peer_check  # noqa: E402
import peer_common  # noqa: E402
import read_hrpt  # noqa: E402
import read_level1b  # noqa: E402
import samples  # noqa: E402
from dump_format import NO_COUNT, DumpError, read_dump, write_dump  # noqa: E402

LINES = 30
DAY = 172  # 21 June 2025
START_MS = 12 * 3600 * 1000
CH3A = (10, 11)
LAC_NAME = "NSS.LHRR.NP.D25172.S1200.E1201.B8450012.XX"
FIRST_LINE_UTC_MS = 1750507200000  # 2025-06-21 12:00:00


def run(main, *args):
    """A script's main with captured output: (exit status, stderr text)."""
    err = io.StringIO()
    with contextlib.redirect_stderr(err), contextlib.redirect_stdout(io.StringIO()):
        status = main(list(args))
    return status, err.getvalue()


class Folder(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="peers-")
        self.addCleanup(shutil.rmtree, self.dir)

    def path(self, name):
        return os.path.join(self.dir, name)


class HrptPeer(Folder):
    def setUp(self):
        super().setUp()
        self.frames, self.counts = samples.hrpt_frames(LINES, day=DAY, start_ms=START_MS, ch3a=CH3A)
        with open(self.path("elements.tle"), "w") as f:
            f.write("NOAA-19\n" + "\n".join(samples.noaa19_tle("25172.45000000")) + "\n")

    def read(self, byte_order=">"):
        samples.write_hrpt(self.path("pass.hrp"), self.frames, byte_order)
        return run(read_hrpt.main, self.path("pass.hrp"), "--year", "2025",
                   "--tle", self.path("elements.tle"), "--out", self.path("peer"))

    def test_reads_counts_times_calibration_and_geolocation_of_big_endian_frames(self):
        status, err = self.read()
        self.assertEqual(status, 0, err)
        meta, d = read_dump(self.path("peer"))
        self.assertEqual((meta["lines"], meta["width"], meta["satellite"]), (LINES, 2048, "NOAA 19"))
        for c in range(5):
            np.testing.assert_array_equal(d["counts_%d" % (c + 1)], self.counts[:, :, c])
        self.assertEqual(list(np.nonzero(d["channel3"])[0]), list(CH3A))
        expected = FIRST_LINE_UTC_MS + np.round(np.arange(LINES) * 1000 / 6)
        np.testing.assert_array_equal(d["time_ms"], expected)

        # Thermal counts between the internal target's and space's read as earthly temperatures;
        # 3B is calibrated only on its lines, 3A only on its own.
        self.assertTrue(np.all((d["bt_4"] > 180) & (d["bt_4"] < 330)))
        self.assertTrue(np.isnan(d["bt_3b"][list(CH3A)]).all())
        self.assertTrue(np.isfinite(d["reflectance_3a"][list(CH3A)]).any())
        self.assertTrue(np.isnan(d["reflectance_3a"][0]).all())
        bright = self.counts[:, :, 0] > 100
        self.assertTrue(np.all(d["reflectance_1"][bright] > 0))

        # Geolocated from the elements at each line's time: the nadir moves ~1.1 km a line.
        np.testing.assert_array_equal(d["geo_columns"], np.arange(0, 2048, 32))
        nadir = list(d["geo_columns"]).index(1024)
        km = compare.great_circle_km(d["latitude"][0, nadir], d["longitude"][0, nadir],
                                     d["latitude"][-1, nadir], d["longitude"][-1, nadir])
        self.assertAlmostEqual(km, (LINES - 1) * 1.1, delta=4)

    def test_rejects_storage_the_peer_cannot_read_naming_the_file(self):
        status, err = self.read("<")
        self.assertEqual(status, 1)
        self.assertIn("pass.hrp", err)
        self.assertIn("big-endian", err)
        with open(self.path("pass.hrp"), "ab") as f:
            f.write(b"\0" * 100)
        status, err = run(read_hrpt.main, self.path("pass.hrp"), "--year", "2025", "--tle",
                          self.path("elements.tle"), "--out", self.path("peer"))
        self.assertEqual(status, 1)
        self.assertIn("whole number", err)

    def test_peer_check_passes_a_faithful_dump_and_fails_a_wrong_count(self):
        self.assertEqual(self.read()[0], 0)
        meta, d = read_dump(self.path("peer"))
        write_dump(self.path("ours"), d, producer="test", source="pass.hrp",
                   satellite="NOAA 19", lines=meta["lines"], width=meta["width"])
        args = ["hrpt", self.path("pass.hrp"), self.path("ours"), "--year", "2025",
                "--tle", self.path("elements.tle")]
        self.assertEqual(run(peer_check.main, *args)[0], 0)
        d["counts_4"][7, 1000] += 1
        write_dump(self.path("ours"), d, producer="test", source="pass.hrp",
                   satellite="NOAA 19", lines=meta["lines"], width=meta["width"])
        self.assertEqual(run(peer_check.main, *args)[0], 1)
        # A file the peer cannot read is a failure too, never a pass.
        samples.write_hrpt(self.path("pass.hrp"), self.frames, "<")
        self.assertEqual(run(peer_check.main, *args)[0], 1)

    def test_picks_the_element_set_nearest_the_pass(self):
        sets = [samples.noaa19_tle(epoch) for epoch in ("25160.50000000", "25171.90000000", "25190.10000000")]
        with open(self.path("many.tle"), "w") as f:
            for l1, l2 in sets:
                f.write("NOAA 19\n%s\n%s\n" % (l1, l2))
        import datetime as dt
        chosen = peer_common.nearest_tle(self.path("many.tle"), 33591, dt.datetime(2025, 6, 21, 12))
        self.assertEqual(chosen, tuple(sets[1]))
        with self.assertRaisesRegex(peer_common.PeerError, "28654"):
            peer_common.nearest_tle(self.path("many.tle"), 28654, dt.datetime(2025, 6, 21))


class Level1bPeer(Folder):
    def write(self, archive_header, layout="LAC"):
        name = LAC_NAME if layout == "LAC" else LAC_NAME.replace("LHRR", "GHRR")
        return samples.klm_file(self.path("pass.l1b"), LINES, year=2025, day=DAY,
                                start_ms=START_MS, name=name, layout=layout,
                                archive_header=archive_header, ch3a=CH3A)

    def test_reads_counts_tie_points_and_times_of_lac_and_gac_with_and_without_archive_header(self):
        for layout, archived in (("LAC", False), ("LAC", True), ("GAC", False)):
            with self.subTest(layout=layout, archive_header=archived):
                counts, lat, lon, columns = self.write(archived, layout)
                status, err = run(read_level1b.main, self.path("pass.l1b"), "--out",
                                  self.path("peer"))
                self.assertEqual(status, 0, err)
                meta, d = read_dump(self.path("peer"))
                self.assertEqual((meta["lines"], meta["width"]), (LINES, counts.shape[1]))
                for c in range(5):
                    np.testing.assert_array_equal(d["counts_%d" % (c + 1)], counts[:, :, c])
                self.assertEqual(list(np.nonzero(d["channel3"])[0]), list(CH3A))
                np.testing.assert_array_equal(d["geo_columns"], columns)
                np.testing.assert_allclose(d["latitude"], lat, atol=1e-4)
                np.testing.assert_allclose(d["longitude"], lon, atol=1e-4)
                spacing = 1000 / 6 * (3 if layout == "GAC" else 1)
                expected = FIRST_LINE_UTC_MS + np.round(np.arange(LINES) * spacing)
                np.testing.assert_array_equal(d["time_ms"], expected)
                self.assertTrue(np.all((d["bt_5"] > 180) & (d["bt_5"] < 330)))

    def test_a_file_without_a_data_set_name_is_refused_with_the_offset(self):
        self.write(False)
        with open(self.path("pass.l1b"), "r+b") as f:
            f.seek(22)
            f.write(b"not a data set name")
        status, err = run(read_level1b.main, self.path("pass.l1b"), "--out", self.path("peer"))
        self.assertEqual(status, 1)
        self.assertIn("pass.l1b", err)
        self.assertIn("byte 22", err)


class Comparison(Folder):
    def setUp(self):
        super().setUp()
        rng = np.random.default_rng(1)
        n, w = 12, 64
        self.arrays = {
            "time_ms": FIRST_LINE_UTC_MS + np.round(np.arange(n) * 1000 / 6).astype(np.int64),
            "channel3": np.zeros(n, np.uint8),
            "counts_1": rng.integers(0, 1024, (n, w)),
            "counts_4": rng.integers(0, 1024, (n, w)),
            "bt_4": rng.uniform(220, 300, (n, w)),
            "reflectance_1": rng.uniform(0, 80, (n, w)),
            "reflectance_3a": np.full((n, w), np.nan),
            "geo_columns": np.arange(0, w, 8),
            "latitude": rng.uniform(40, 60, (n, w // 8)),
            "longitude": rng.uniform(-10, 10, (n, w // 8)),
        }

    def dump(self, name, **changes):
        arrays = {k: np.array(v, copy=True) for k, v in self.arrays.items()}
        for key, change in changes.items():
            arrays[key] = change(arrays[key])
        lines = len(arrays["time_ms"])
        write_dump(self.path(name), arrays, producer="test", source=name, satellite="NOAA 19",
                   lines=lines, width=64)
        return self.path(name)

    def verdict(self, **changes):
        out = io.StringIO()
        with contextlib.redirect_stdout(out), contextlib.redirect_stderr(out):
            status = compare.main([self.dump("ours"), self.dump("theirs", **changes)])
        return status, out.getvalue()

    def test_identical_dumps_pass(self):
        status, out = self.verdict()
        self.assertEqual(status, 0, out)
        self.assertIn("no values on either side", out)  # 3A never on: nothing was due

    def test_each_tolerance_holds_and_is_caught_beyond_with_its_place(self):
        def at(line, column, delta):
            def change(a):
                a = a.astype(np.float64)
                a[line, column] += delta
                return a
            return change

        cases = [
            ("bt_4", 0.15, 0), ("bt_4", 0.25, 1),
            ("reflectance_1", 0.09, 0), ("reflectance_1", 0.11, 1),
            ("latitude", 0.008, 0), ("latitude", 0.0095, 1),  # 0.89 km, 1.06 km
            ("counts_1", 1, 1),
        ]
        for name, delta, expected in cases:
            with self.subTest(name=name, delta=delta):
                status, out = self.verdict(**{name: at(5, 3, delta)})
                self.assertEqual(status, expected, out)
                if expected:
                    column = 24 if name == "latitude" else 3
                    self.assertIn("line 5, column %d" % column, out)

    def test_lines_are_matched_by_time(self):
        # Ours holds a fill line the peer lacks: the rest still lines up and passes.
        def drop(a):
            return np.delete(a, 4, axis=0)

        drops = {k: drop for k in self.arrays if k != "geo_columns"}
        self.dump("ours")
        peer = self.dump("theirs", **drops)
        with contextlib.redirect_stdout(io.StringIO()):
            self.assertEqual(compare.main([self.path("ours"), peer]), 0)
            # A line the peer read but ours lost fails.
            self.assertEqual(compare.main([peer, self.path("ours")]), 1)

    def test_one_side_without_values_fails_rather_than_passing_empty(self):
        status, out = self.verdict(bt_4=lambda a: np.full(a.shape, np.nan))
        self.assertEqual(status, 1)
        self.assertIn("nothing to compare", out)

    def test_a_damaged_dump_is_refused(self):
        path, other = self.dump("ours"), self.dump("theirs")
        with open(path + ".bin", "r+b") as f:
            f.truncate(100)
        with self.assertRaisesRegex(DumpError, "runs past the end"):
            read_dump(path)
        with contextlib.redirect_stderr(io.StringIO()), contextlib.redirect_stdout(io.StringIO()):
            self.assertEqual(compare.main([path, other]), 2)
        with open(path + ".json", "w") as f:
            f.write('{"format": "something else"}')
        with self.assertRaisesRegex(DumpError, "not a kestrova-avhrr-dump"):
            read_dump(path)


if __name__ == "__main__":
    unittest.main()
