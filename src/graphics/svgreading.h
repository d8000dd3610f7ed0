// Reads SVG documents for pictures: only self-contained ones (no file or address outside the document is
// ever opened, since pictures come from documents of strangers) with a size Almarin can draw.
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QSvgRenderer;

// Whether the bytes start like an SVG document (an XML declaration, a doctype or an <svg> element).
bool LooksLikeSvg(const QByteArray& bytes);

// A renderer stretching the whole document into any rectangle, ignoring its proportions; null, with the
// reason, when the bytes are not a well-formed SVG document, refer to anything outside it, or give no size.
std::shared_ptr<QSvgRenderer> ReadSvg(const QByteArray& bytes, QString* error = nullptr);
