# The pixel size tifffile reads from a TIFF ("read PATH": width, height and
# unit), or an ImageJ or OME TIFF written by tifffile with one.
import sys

import numpy
import tifffile

mode, path = sys.argv[1], sys.argv[2]
pixels = numpy.arange(8, dtype=numpy.uint8).reshape(2, 4)
if mode == "read":
    with tifffile.TiffFile(path) as tif:
        tags = tif.pages[0].tags
        x, y = tags["XResolution"].value, tags["YResolution"].value
        print("%.6g %.6g %s" % (x[1] / x[0], y[1] / y[0], tif.imagej_metadata["unit"]))
elif mode == "imagej":
    tifffile.imwrite(path, pixels, imagej=True, resolution=(1 / 0.5, 1 / 0.8), metadata={"unit": "um"})
elif mode == "ome":
    tifffile.imwrite(path, pixels, ome=True,
                     metadata={"PhysicalSizeX": 650, "PhysicalSizeXUnit": "nm", "PhysicalSizeY": 0.5})
