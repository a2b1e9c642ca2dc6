#pragma once
#include <gtest/gtest.h>

#include "grid_record.h"

// 100 rows of 20 pixels and 10 columns of 50, in a 400 x 221 client area.
class GridGeometry : public ::testing::Test {
  protected:
    void SetUp() override {
        InitGridRecord(rec);
        rec.nRows = 100;
        rec.nCols = 10;
        rec.nClientWidth = 400;
        rec.nClientHeight = 221; // 21 header + 10 rows of 20
        rec.nRowHeight = 20;
        rec.nHeaderHeight = 21;
    }
    static inline GridRecord rec;
};
