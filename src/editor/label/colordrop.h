// A drop-down of 18 named colours, each drawn with a swatch before its name.
#pragma once

#include "platform/colorvalue.h"

#include <QComboBox>

class QPainter;

class TColorDrop : public QComboBox
{
    Q_OBJECT
    Q_PROPERTY(TColor SelectedColor READ SelectedColor WRITE SetSelectedColor)

public:
    explicit TColorDrop(QWidget* parent = nullptr);

    TColor SelectedColor() const { return m_selected; }
    // Selects the first entry of that colour; a colour not in the list changes nothing.
    void SetSelectedColor(TColor color);
    // The height of every entry and of the field: the font's pixel height plus 4.
    int ItemHeight() const;
    static TColor EntryColor(int index);
    // One entry: the background, a swatch from x 4 to x = height framed in the text colour, the name.
    static void PaintEntry(QPainter& painter, const QRect& rect, TColor color, const QString& name, bool selected,
                           const QPalette& palette);

signals:
    // The user chose an entry.
    void OnChange();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void applyItemHeight();

    TColor m_selected = clBlack;
};
