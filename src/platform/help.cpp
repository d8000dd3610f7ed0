#include "help.h"

#include "programfolder.h"

#include <QDialog>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

class HelpWindow : public QDialog
{
public:
    HelpWindow()
    {
        setWindowTitle(QStringLiteral("Almarin Help"));
        setAttribute(Qt::WA_DeleteOnClose);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        m_browser = new QTextBrowser(this);
        m_browser->setOpenLinks(true);
        layout->addWidget(m_browser);
        resize(640, 520);
    }
    void showPage(const QString& file)
    {
        m_browser->setSource(QUrl::fromLocalFile(file));
        show();
        raise();
        activateWindow();
    }

private:
    QTextBrowser* m_browser;
};

QPointer<HelpWindow>& window()
{
    static QPointer<HelpWindow> w;
    return w;
}

void showFile(const QString& file)
{
    if (file.isEmpty())
        return;
    if (!window())
        window() = new HelpWindow;
    window()->showPage(file);
}

} // namespace

QString HelpPageFile(int topic)
{
    if (topic > 0) {
        const QString page = FindProgramFile(QStringLiteral("help/topic_%1.html").arg(topic));
        if (!page.isEmpty())
            return page;
    }
    return FindProgramFile(QStringLiteral("help/contents.html"));
}

void ShowHelpTopic(int topic)
{
    showFile(HelpPageFile(topic));
}

void ShowHelpContents()
{
    showFile(HelpPageFile(0));
}
