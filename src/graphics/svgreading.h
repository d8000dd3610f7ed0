// Reads SVG documents for pictures: what reaches outside the document (files, addresses, style sheets it
// imports, pictures inside it other than raster pictures within the limits) is left out before the renderer
// sees the document, since pictures come from documents of strangers.
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QSvgRenderer;

// Whether the bytes start like an SVG document (an XML declaration, a doctype or an <svg> element).
bool LooksLikeSvg(const QByteArray& bytes);

// A renderer stretching the whole document into any rectangle, ignoring its proportions; null, with the
// reason, when the bytes are not a well-formed SVG document or give no size. `partsLeftOut` counts what was
// left out; the picture budget open on the thread is told too, so that the user hears of it.
std::shared_ptr<QSvgRenderer> ReadSvg(const QByteArray& bytes, QString* error = nullptr, int* partsLeftOut = nullptr);
