#include "borderstab.h"

#include "propertiescontrols.h"
#include "propertiesstate.h"

#include "editor/calendarpanel32.h"

#include "platform/programfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

TBordersTab::TBordersTab(TPropertiesState& state, QObject* parent) : QObject(parent), m_state(state) {}

QWidget* TBordersTab::BuildPage()
{
    QWidget* page = NewPropertiesPage("BordersPage");
    QVBoxLayout* column = PropertiesPageColumn(page);
    column->addWidget(BoldCaption(QStringLiteral("Calendar Borders"), page));
    m_borderFiles = new QListWidget(page);
    m_borderFiles->setObjectName(QStringLiteral("BorderFiles"));
    m_borderFiles->setToolTip(QStringLiteral("Border art drawn around the calendar"));
    connect(m_borderFiles, &QListWidget::currentRowChanged, this, &TBordersTab::borderFilesClick);
    column->addWidget(m_borderFiles, 1);
    fillList();
    return page;
}

void TBordersTab::fillList()
{
    const QString folder = FindProgramFile(QStringLiteral("Borders"));
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        m_borderFiles->setEnabled(false);
        return;
    }
    QStringList names;
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.wls")}, QDir::Files);
    for (const QString& file : files) {
        const QString name = file.section(QLatin1Char('.'), 0, 0);
        if (!name.isEmpty() && !names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    names.append(QStringLiteral(" [No Special Border]"));
    names.sort(Qt::CaseInsensitive);
    const QSignalBlocker block(m_borderFiles);
    m_borderFiles->addItems(names);
}

void TBordersTab::Fill()
{
    const QSignalBlocker block(m_borderFiles);
    int border = 0;
    const QString name = m_state.example->WMFBorderFile();
    for (int i = 1; !name.isEmpty() && i < m_borderFiles->count(); ++i) {
        if (m_borderFiles->item(i)->text().compare(name, Qt::CaseInsensitive) == 0) {
            border = i;
            break;
        }
    }
    if (m_borderFiles->count() > 0)
        m_borderFiles->setCurrentRow(border);
}

void TBordersTab::borderFilesClick()
{
    if (m_state.updating)
        return;
    const int row = m_borderFiles->currentRow();
    m_state.example->SetWMFBorderFile(row > 0 ? m_borderFiles->item(row)->text() : QString());
}
