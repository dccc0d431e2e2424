// The calibration microscopy software keeps in a TIFF's ImageDescription:
// ImageJ's "unit=" line (the X/YResolution then count pixels per that unit)
// and OME-XML's PhysicalSizeX/PhysicalSizeY.
#pragma once

#include <string>

#include "image/Calibration.h"

// The calibration the description names, given the file's X/YResolution as
// stored (whatever its ResolutionUnit); uncalibrated when it names none, or
// a unit of no length ("pixel").
CCalibration DescriptionCalibration(const std::string& description, double xResolution, double yResolution);
// The ImageJ-style description naming a calibrated image's unit, written
// beside X/YResolution in pixels per that unit.
std::string ImageJDescription(const CCalibration& calibration);
