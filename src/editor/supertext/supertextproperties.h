// The "SuperText Properties" dialog: every look of a SuperText edited on a working copy shown live,
// taken back by the object on OK.
#pragma once

#include "document/supertext/qsupertext.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTimer;

class TSuperTextProperties : public QDialog
{
    Q_OBJECT

public:
    explicit TSuperTextProperties(QWidget* parent = nullptr);

    // Starts from the object's look and its last texture file; the controls show the preview.
    void SetFrom(const TQSuperText& object);
    // The object takes the edited look (not its box, border or size), relayouts and repaints.
    void ApplyTo(TQSuperText& object) const;

    TQSuperText* PreviewText() const { return m_preview; }
    QString LastTexture() const { return m_lastTexture; }

    // The texture browser; tests replace it. Given the start file and the preview, it answers the
    // chosen file and picture, or false.
    static std::function<bool(QWidget* parent, const QString& start, const TQSuperText& look, QString& file,
                              QImage& picture)>
        BrowseTexture;
    // The symbol dialog; tests replace it. True with the chosen face and character.
    static std::function<bool(QWidget* parent, QString& face, QChar& symbol)> ChooseSymbol;

    void accept() override;

private:
    void showPreview();
    void chooseSurfaceType(TQSuperText::TSurfaceType type);
    void stepFontSize(int step);
    void loadTexture();
    void selectFont();
    void selectSymbol();
    // A button showing a colour of the preview; a click asks for another one.
    QPushButton* colorButton(const char* name, std::function<TColor()> get, std::function<void(TColor)> set);
    void refreshColorButtons();

    TQSuperText* m_preview = nullptr;
    QString m_lastTexture;
    QImage m_lastTexturePicture;
    bool m_textChanged = false;
    bool m_updating = false;
    QTimer* m_refitTimer = nullptr;
    QComboBox* m_surfaceType = nullptr;
    QComboBox* m_fillDirection = nullptr;
    QComboBox* m_outlineStyle = nullptr;
    QComboBox* m_shadowOrientation = nullptr;
    QSpinBox* m_outlineWidth = nullptr;
    QSpinBox* m_shadowDepth = nullptr;
    QLineEdit* m_text = nullptr;
    QStackedWidget* m_panels = nullptr;
    QList<std::pair<QPushButton*, std::function<TColor()>>> m_colorButtons;
};
