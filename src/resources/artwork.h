#pragma once

#include <QIcon>
#include <QImage>

// The editor's pictures, drawn in code at the sizes the layout relies on. Each is
// drawn for a device pixel ratio, so that it stays sharp on a HiDPI screen: the
// image has size × ratio pixels and carries the ratio.
namespace sp::artwork {

// The toolbar's 13 buttons: 624 × 64, cell i at (i × 48, 0) is 48 × 32, and the
// cell below it (i × 48, 32) shows the button pressed. In toolbar order: new,
// open, save, export, animation, emission position, size, background colour,
// background picture, zoom in, zoom out, reseed, help.
QImage toolbarButtons(qreal ratio = 1.0);

// The strip behind the toolbar, stretched over the window's width: 10 × 26.
QImage toolbarStrip(qreal ratio = 1.0);

// A panel's title strip, 256 × 16 (the panels stretch 220 × 16 of it).
QImage panelTitleStrip(qreal ratio = 1.0);

// A panel's background, 256 × 256 (the panels stretch 120 × 250 from (2, 0)).
QImage panelBackground(qreal ratio = 1.0);

// The parameter panel's page tabs, 30 × 200: the tab of a page not shown at
// (0, 0), the tab of the page shown at (0, 100). Their labels are written on
// them in a dark ink, so the tabs are light.
QImage parameterTabs(qreal ratio = 1.0);

// The help bar's strip, 16 × 26 (the bar stretches 10 × 26 of it from (5, 0)).
QImage helpBarStrip(qreal ratio = 1.0);

// The node panel's button faces, 234 × 40: 26 × 20 cells for the eight
// operations (add, add child, duplicate, delete, down, up, level down, level up),
// released above, pressed below.
QImage nodeButtonFaces(qreal ratio = 1.0);

// The material panel's button faces, 52 × 40: add and remove, released above,
// pressed below.
QImage materialButtonFaces(qreal ratio = 1.0);

// A material row's background, 220 × 96: the normal row at y = 0, the selected
// row at y = 48.
QImage materialRowBackground(qreal ratio = 1.0);

// The window icon, at the usual sizes.
QIcon windowIcon();

}  // namespace sp::artwork
