#include "centerform.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace {

QPointer<QWidget>& mainForm()
{
    static QPointer<QWidget> form;
    return form;
}

QRect screenRect(const QWidget* form)
{
    QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

} // namespace

void SetMainForm(QWidget* form)
{
    mainForm() = form;
}

QWidget* MainForm()
{
    return mainForm();
}

void CenterForm(QWidget* form)
{
    if (!form)
        return;
    const QSize size = form->frameGeometry().size();
    const QString cls = QString::fromLatin1(form->metaObject()->className()).toUpper();
    QWidget* main = mainForm();
    QRect over;
    if (cls == QLatin1String("TCALENDARMAIN") || !main || main == form || main->isMaximized())
        over = screenRect(form);
    else
        over = main->frameGeometry();
    form->move(over.left() + (over.width() - size.width()) / 2, over.top() + (over.height() - size.height()) / 2);
}
