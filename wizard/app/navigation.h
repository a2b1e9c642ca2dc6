#pragma once

// Page indexes run 0 (Welcome) to 6 (Emboss); `enabled` has one flag per page.
constexpr int kFirstPage = 0;
constexpr int kLastPage = 6;

// The first enabled page after `index`; the page itself when none is or
// when it is the last page.
int NextPageIndex(const unsigned* enabled, int index);

// The first enabled page before `index`; page 0 is taken whatever its flag.
int PreviousPageIndex(const unsigned* enabled, int index);
