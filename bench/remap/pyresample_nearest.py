"""pyresample's nearest-neighbour resampling of the bench's swath onto one map.

usage: pyresample_nearest.py FOLDER WIDTH HEIGHT PROJ XMIN YMIN XMAX YMAX RADIUS_M OUT

FOLDER holds data.u8, lat.f32 and lon.f32 (the swath's values and per-pixel locations, row by
row, with its width and height in shape.txt). Prints the seconds the resampling took and the
count of covered map pixels; writes the map as raw bytes to OUT.
"""
import sys
import time

import numpy as np
from pyresample import geometry, kd_tree


def main():
    folder, width, height, proj = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
    extent = tuple(float(v) for v in sys.argv[5:9])
    radius, out = float(sys.argv[9]), sys.argv[10]
    columns, rows = (int(v) for v in open(f"{folder}/shape.txt").read().split())
    data = np.fromfile(f"{folder}/data.u8", np.uint8).reshape(rows, columns)
    lats = np.fromfile(f"{folder}/lat.f32", np.float32).reshape(rows, columns)
    lons = np.fromfile(f"{folder}/lon.f32", np.float32).reshape(rows, columns)
    start = time.perf_counter()
    swath = geometry.SwathDefinition(lons=lons, lats=lats)
    area = geometry.AreaDefinition("map", "map", "map", proj, width, height, extent)
    result = kd_tree.resample_nearest(swath, data, area, radius_of_influence=radius,
                                      fill_value=0, nprocs=2)
    seconds = time.perf_counter() - start
    result.astype(np.uint8).tofile(out)
    print(f"{seconds:.4f} {int(np.count_nonzero(result))}")


if __name__ == "__main__":
    main()
