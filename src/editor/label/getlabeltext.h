// The dialog that asks for a text label's caption.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

class TGetLabelText : public QDialog
{
    Q_OBJECT

public:
    explicit TGetLabelText(QWidget* owner = nullptr);

    QLineEdit* LabelText() const { return m_labelText; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_labelText = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
