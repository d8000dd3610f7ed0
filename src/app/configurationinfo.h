// The configuration report window: shows the report, copies it to the clipboard or saves it as a
// text file for a support request.
#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QPlainTextEdit;

class TConfigurationInfo : public QDialog
{
    Q_OBJECT
public:
    explicit TConfigurationInfo(QWidget* parent = nullptr);

    void AddLines(const QStringList& lines);
    // The lines about this machine, gathered here.
    void AddEnvironmentLines();
    // The report as the memo holds it now, one entry a line.
    QStringList Lines() const;
    QPlainTextEdit* Memo1() const { return m_memo; }

    // Asks where to save the report (empty when cancelled). Tests replace the dialog.
    std::function<QString()> ChooseSaveFile;

    void Button1Click(); // "Copy to Clipboard"
    void Button2Click(); // "OK"
    void Button3Click(); // "Save As..."

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    void copyIntoHiddenMemo();

    QPlainTextEdit* m_memo = nullptr;
    QPlainTextEdit* m_copyPasteMemo = nullptr;
    bool m_hasLines = false;
};
