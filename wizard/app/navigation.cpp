#include "navigation.h"

int NextPageIndex(const unsigned* enabled, int index) {
    for (int i = index + 1; i <= kLastPage; ++i) {
        if (enabled[i] == 1) {
            return i;
        }
    }
    return index;
}

int PreviousPageIndex(const unsigned* enabled, int index) {
    for (int i = index - 1; i > kFirstPage; --i) {
        if (enabled[i] == 1) {
            return i;
        }
    }
    return kFirstPage;
}
