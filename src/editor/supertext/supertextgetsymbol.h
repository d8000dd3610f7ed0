// The "Symbol Selector" dialog: one character from an installed symbol font.
#pragma once

#include <QDialog>

class QComboBox;
class QTableWidget;

class TSuperTextGetSymbol : public QDialog
{
    Q_OBJECT

public:
    explicit TSuperTextGetSymbol(QWidget* parent = nullptr);

    // Installed scalable faces whose writing systems include symbols, last installed first.
    static QStringList SymbolFonts();

    // False when no symbol font is installed; the dialog has then told so and must not be shown.
    bool HasFonts() const { return m_hasFonts; }
    QString Face() const;
    QChar Symbol() const { return m_symbol; }

    void accept() override;

private:
    void showFace(const QString& face);

    QComboBox* m_fonts = nullptr;
    QTableWidget* m_grid = nullptr;
    QChar m_symbol;
    bool m_hasFonts = false;
};
