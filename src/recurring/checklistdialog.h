// The shape shared by the two recurring-date choosers: a list of entries in which a click toggles a
// row, above a panel with Ok, All, None and Cancel. Ok needs at least one chosen row.
#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;

class CheckListDialog : public QDialog
{
    Q_OBJECT
public:
    // The line each row stands for.
    static constexpr int kLineRole = Qt::UserRole;

    QListWidget* list() const { return m_list; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* allButton() const { return m_all; }
    QPushButton* noneButton() const { return m_none; }
    QPushButton* cancelButton() const { return m_cancel; }

    // Rows show the entry's display text and keep the whole line.
    void addLine(const QString& line);
    QStringList lines() const;
    // The lines of the chosen rows, first row first.
    QStringList selectedLines() const;

public slots:
    void selectAllRows();
    void clearAllRows();
    void okbuttonClick();
    void CancelButtonClick();

protected:
    CheckListDialog(QWidget* parent, const QString& caption, QSize clientSize);

private:
    QListWidget* m_list;
    QPushButton* m_ok;
    QPushButton* m_all;
    QPushButton* m_none;
    QPushButton* m_cancel;
};
