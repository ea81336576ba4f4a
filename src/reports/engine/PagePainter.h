#pragma once

#include "RenderedReport.h"

#include <QImage>

class QPainter;

// Paints pages of primitives on any painter: a preview widget, a printer, a PDF, an image. The
// same routine paints each kind of primitive for every output.
//
// The painter's coordinates must be points: scale it by the device's dots per inch / 72 (times
// the zoom of a preview) before painting. Fonts are sized so that a point of text is a point on
// the page whatever the device's resolution.
namespace PagePainter {

void paint(QPainter &painter, const TextItem &text);
void paint(QPainter &painter, const LineItem &line);
void paint(QPainter &painter, const RectItem &rect);
void paint(QPainter &painter, const PictureItem &picture);

// Everything on the page (not the paper itself: a preview draws its own white sheet).
void paintPage(QPainter &painter, const RenderedPage &page);

// Scales the painter from points to its device's dots, times the zoom.
void scaleToPoints(QPainter &painter, double zoom = 1.0);

// The page on white paper as an image of that many dots per inch.
QImage pageImage(const RenderedPage &page, double dotsPerInch);

} // namespace PagePainter
