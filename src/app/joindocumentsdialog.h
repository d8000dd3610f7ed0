// The File menu's "Join Documents into PDF..." dialog: a list of documents, added, removed and put in
// order, that becomes one PDF of one page each.
#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QListWidget;
class QPushButton;

class TJoinDocumentsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TJoinDocumentsDialog(QWidget* parent = nullptr);

    void AddDocuments(const QStringList& files);
    QStringList Documents() const;
    QString OutputFile() const;

private:
    void addClicked();
    void removeClicked();
    void move(int by);
    void browseTarget();
    void setButtons();

    QListWidget* m_list;
    QPushButton* m_remove;
    QPushButton* m_up;
    QPushButton* m_down;
    QLineEdit* m_target;
    QPushButton* m_ok;
};

// The whole command: the dialog, then the job with its progress and Cancel.
void JoinDocuments(QWidget* parent);
