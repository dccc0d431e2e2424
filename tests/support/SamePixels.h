// Comparison of whole images for tests.
#pragma once

#include <gtest/gtest.h>

#include "image/Image.h"

// Pixels equal, with the first difference in the failure text.
::testing::AssertionResult SamePixels(const CImage& actual, const CImage& expected);
