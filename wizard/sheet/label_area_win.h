#pragma once
#include <windows.h>

#include "sheet_format.h"

// How one label is drawn on a page: a grey area with the label's
// proportions and the text box over it at the same scale.
struct LabelView {
    double scale = 0; // pixels per twip
    double zoom = 0;  // screen twips per real twip
    POINT origin{};   // the area's top-left corner in the page's client coordinates
};

enum LabelFontKind { kBrailleFont = 1, kBlackTextFont = 2 };

// Measures against the area's rectangle as it was first seen, so the
// drawing keeps its size however often the label's shape changes.
LabelView MeasureLabelArea(HWND labelArea, const SheetFormat& format);

// Gives the area the label's proportions at `view`'s scale.
void PlaceLabelArea(HWND labelArea, const SheetFormat& format, const LabelView& view);

// Puts the rich edit over the text box and sets its font to the scale.
void PlaceTextBox(HWND richEdit, const SheetFormat& format, const LabelView& view, int fontKind);

// The label font (a 10 mm line at real size) for all the rich edit's text.
void SetLabelFont(HWND richEdit, double zoom, int fontKind);

// WM_CTLCOLORSTATIC of a page showing a label: the area is grey (the
// window colour in high contrast), with the text box drawn again over it;
// other statics take the page header colour.
INT_PTR LabelPageStaticColor(HWND page, HWND control);

// Drops the remembered rectangle and the area's brush; pages call it when
// they are destroyed.
void ForgetLabelArea(HWND labelArea);
