// A push button that shows a colour and, when pressed, drops down a palette of sixteen colours
// with an "Other..." choice that opens the full colour dialog.
#pragma once

#include "platform/colorvalue.h"

#include <QPushButton>

#include <functional>

class QFrame;
class QToolButton;

class TColorButton : public QPushButton
{
    Q_OBJECT
public:
    explicit TColorButton(const QString& caption = QString(), QWidget* parent = nullptr);

    TColor Color() const { return m_color; }
    // Sets the colour shown without raising ColorChanged.
    void SetColor(TColor value);

    // The palette's colours, in the order of its swatches.
    static const QList<TColor>& PaletteColors();

    // Opens the palette below the button; it closes when a colour is chosen or the user clicks away.
    void ShowPalette();
    QFrame* Palette() const { return m_palette; }
    QToolButton* Swatch(int index) const;
    QPushButton* OtherButton() const { return m_other; }

    // Asks for a colour not in the palette; true when one was chosen. Tests answer it in place of
    // the colour dialog.
    std::function<bool(TColor& color)> ChooseOther;

signals:
    // The user picked a colour different from the one shown.
    void ColorChanged(TColor color);

protected:
    void paintEvent(QPaintEvent* event) override;
    QSize sizeHint() const override;

private:
    void buildPalette();
    void choose(TColor color);
    void otherClick();

    TColor m_color = clWhite;
    QFrame* m_palette = nullptr;
    QList<QToolButton*> m_swatches;
    QPushButton* m_other = nullptr;
};
