#include "messages.h"

#include <QApplication>
#include <QMessageBox>

namespace {

MessageResponder& responder()
{
    static MessageResponder r;
    return r;
}

// The original texts use "\r" as a line break inside messages.
QString displayText(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

} // namespace

void SetMessageResponder(MessageResponder r)
{
    responder() = std::move(r);
}

void ShowInformation(const QString& text)
{
    ShowInformation(text, QStringLiteral("Information"));
}

void ShowInformation(const QString& text, const QString& caption)
{
    if (responder()) {
        responder()(MessageKind::Information, text, caption);
        return;
    }
    QMessageBox::information(QApplication::activeWindow(), caption, displayText(text), QMessageBox::Ok);
}

void ShowError(const QString& text)
{
    const QString caption = QStringLiteral("Error");
    if (responder()) {
        responder()(MessageKind::Error, text, caption);
        return;
    }
    QMessageBox::critical(QApplication::activeWindow(), caption, displayText(text), QMessageBox::Ok);
}

bool AskYesNo(const QString& text, const QString& caption, DefaultAnswer byDefault)
{
    if (responder())
        return responder()(MessageKind::Question, text, caption);
    return QMessageBox::question(
               QApplication::activeWindow(), caption, displayText(text), QMessageBox::Yes | QMessageBox::No,
               byDefault == DefaultAnswer::Yes ? QMessageBox::Yes : QMessageBox::No) == QMessageBox::Yes;
}

Answer AskYesNoCancel(const QString& text, const QString& caption)
{
    if (responder())
        return responder()(MessageKind::Question, text, caption) ? Answer::Yes : Answer::No;
    QMessageBox box(QMessageBox::Question, caption, displayText(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}
