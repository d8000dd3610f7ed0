#include "configurationinfo.h"

#include "configreport.h"
#include "dialogfolder.h"
#include "systemfacts.h"

#include "platform/atomicfile.h"
#include "platform/messages.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("Configuration Information");

} // namespace

TConfigurationInfo::TConfigurationInfo(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(kCaption);
    setFixedSize(420, 373);
    auto* column = new QVBoxLayout(this);

    auto* explanation = new QLabel(
        QStringLiteral("When you ask technical support for help, please copy the information below into your "
                       "message: it tells us about your system and your settings."),
        this);
    explanation->setObjectName(QStringLiteral("Label1"));
    explanation->setWordWrap(true);
    column->addWidget(explanation);

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    QFont courier(QStringLiteral("Courier New"), 8);
    courier.setStyleHint(QFont::Monospace);
    m_memo->setFont(courier);
    m_memo->setStyleSheet(QStringLiteral("color: black"));
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setTabChangesFocus(false);
    m_memo->setTabStopDistance(8 * QFontMetricsF(courier).horizontalAdvance(QLatin1Char('0')));
    column->addWidget(m_memo, 1);

    m_copyPasteMemo = new QPlainTextEdit(this);
    m_copyPasteMemo->setObjectName(QStringLiteral("CopyPasteMemo"));
    m_copyPasteMemo->hide();

    auto* bar = new QHBoxLayout;
    auto addButton = [&](const char* name, const QString& caption, void (TConfigurationInfo::*handler)()) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        connect(button, &QPushButton::clicked, this, handler);
        bar->addWidget(button);
        return button;
    };
    addButton("Button2", QStringLiteral("OK"), &TConfigurationInfo::Button2Click)->setDefault(true);
    bar->addStretch(1);
    addButton("Button1", QStringLiteral("Copy to Clipboard"), &TConfigurationInfo::Button1Click);
    addButton("Button3", QStringLiteral("Save As..."), &TConfigurationInfo::Button3Click);
    column->addLayout(bar);

    ChooseSaveFile = [this] {
        QFileDialog dialog(this, QString(), DialogFolder(), QStringLiteral("Text files (*.TXT *.txt)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("TXT"));
        dialog.selectFile(QStringLiteral("ConfigInfo.txt"));
        const QString chosen = dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
        RememberDialogChoice(chosen);
        return chosen;
    };
}

void TConfigurationInfo::AddLines(const QStringList& lines)
{
    // By blocks, because appending to an empty memo would swallow a leading empty line.
    QTextCursor end(m_memo->document());
    end.movePosition(QTextCursor::End);
    for (const QString& line : lines) {
        if (m_hasLines)
            end.insertBlock();
        end.insertText(line);
        m_hasLines = true;
    }
}

void TConfigurationInfo::AddEnvironmentLines()
{
    AddLines(EnvironmentLines(GatherSystemFacts(screen())));
}

QStringList TConfigurationInfo::Lines() const
{
    return m_memo->toPlainText().split(QLatin1Char('\n'));
}

void TConfigurationInfo::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TConfigurationInfo::FormActivate()
{
    // The report shows from its first line.
    m_memo->moveCursor(QTextCursor::Start);
    m_memo->ensureCursorVisible();
    m_memo->horizontalScrollBar()->setValue(0);
}

void TConfigurationInfo::copyIntoHiddenMemo()
{
    m_copyPasteMemo->clear();
    m_copyPasteMemo->setPlainText(m_memo->toPlainText());
}

void TConfigurationInfo::Button1Click()
{
    copyIntoHiddenMemo();
    m_copyPasteMemo->selectAll();
    m_copyPasteMemo->copy();
    ShowInformation(QStringLiteral("Information copied to Windows clipboard"), kCaption);
}

void TConfigurationInfo::Button2Click()
{
    accept();
}

void TConfigurationInfo::Button3Click()
{
    const QString name = ChooseSaveFile();
    if (name.isEmpty())
        return;
    copyIntoHiddenMemo();
    QByteArray text;
    for (const QString& line : m_copyPasteMemo->toPlainText().split(QLatin1Char('\n')))
        text += line.toUtf8() + '\n';
    // Only a file that was really written is reported as saved.
    const QString failure = TAtomicFile::WriteWhole(name, text);
    if (!failure.isEmpty()) {
        ShowInformation(QStringLiteral("Unable to save ") + name + QLatin1Char('\n') + failure, kCaption);
        return;
    }
    ShowInformation(QStringLiteral("Information was saved as: ") + name, kCaption);
}
