// The "Text 3D Effects" dialog: shadow and highlight of a text label, tried out on a sample label.
#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;
class TColorDrop;
class TQBaseLabel;
class TQPLabel;

class TQFont3DEffects : public QDialog
{
    Q_OBJECT

public:
    explicit TQFont3DEffects(TQBaseLabel* label);

    TQPLabel* Sample() const { return m_sample; }
    QComboBox* ShadowDirection() const { return m_shadowDirection; }
    QComboBox* ShadowDepth() const { return m_shadowDepth; }
    QComboBox* HighlightDirection() const { return m_highlightDirection; }
    QComboBox* HighlightDepth() const { return m_highlightDepth; }
    TColorDrop* ShadowColor() const { return m_shadowColor; }
    TColorDrop* HighlightColor() const { return m_highlightColor; }
    TColorDrop* FontColor() const { return m_fontColor; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The label's font and effects into the sample and the controls.
    void FormActivate();
    // The sample's font and effects back into the label.
    void OkClick();

    TQBaseLabel* m_label;
    TQPLabel* m_sample = nullptr;
    QComboBox* m_shadowDirection = nullptr;
    QComboBox* m_shadowDepth = nullptr;
    QComboBox* m_highlightDirection = nullptr;
    QComboBox* m_highlightDepth = nullptr;
    TColorDrop* m_shadowColor = nullptr;
    TColorDrop* m_highlightColor = nullptr;
    TColorDrop* m_fontColor = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
