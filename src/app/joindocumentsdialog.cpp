#include "joindocumentsdialog.h"

#include "dialogfolder.h"
#include "jobs/pageoutput.h"
#include "jobs/pagerun.h"
#include "pagesjobprogress.h"

#include "platform/centerform.h"
#include "platform/messages.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TJoinDocumentsDialog::TJoinDocumentsDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Join Documents into PDF"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("DocumentList"));
    auto* add = new QPushButton(QStringLiteral("&Add..."), this);
    add->setObjectName(QStringLiteral("AddButton"));
    m_remove = new QPushButton(QStringLiteral("&Remove"), this);
    m_remove->setObjectName(QStringLiteral("RemoveButton"));
    m_up = new QPushButton(QStringLiteral("Move &Up"), this);
    m_up->setObjectName(QStringLiteral("UpButton"));
    m_down = new QPushButton(QStringLiteral("Move &Down"), this);
    m_down->setObjectName(QStringLiteral("DownButton"));
    auto* side = new QVBoxLayout;
    for (QPushButton* button : {add, m_remove, m_up, m_down})
        side->addWidget(button);
    side->addStretch(1);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(m_list, 1);
    listRow->addLayout(side);

    m_target = new QLineEdit(this);
    m_target->setObjectName(QStringLiteral("TargetPath"));
    auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
    auto* targetRow = new QHBoxLayout;
    targetRow->addWidget(new QLabel(QStringLiteral("PDF file"), this));
    targetRow->addWidget(m_target, 1);
    targetRow->addWidget(browse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(QStringLiteral("Join"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("One page for each document, in this order:"), this));
    layout->addLayout(listRow);
    layout->addLayout(targetRow);
    layout->addWidget(buttons);

    connect(add, &QPushButton::clicked, this, &TJoinDocumentsDialog::addClicked);
    connect(m_remove, &QPushButton::clicked, this, &TJoinDocumentsDialog::removeClicked);
    connect(m_up, &QPushButton::clicked, this, [this] { move(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { move(1); });
    connect(browse, &QPushButton::clicked, this, &TJoinDocumentsDialog::browseTarget);
    connect(m_list, &QListWidget::currentRowChanged, this, &TJoinDocumentsDialog::setButtons);
    connect(m_target, &QLineEdit::textChanged, this, &TJoinDocumentsDialog::setButtons);
    setButtons();
}

void TJoinDocumentsDialog::AddDocuments(const QStringList& files)
{
    for (const QString& file : files) {
        auto* item = new QListWidgetItem(QFileInfo(file).fileName(), m_list);
        item->setData(Qt::UserRole, file);
        item->setToolTip(file);
    }
    if (!files.isEmpty())
        m_list->setCurrentRow(m_list->count() - 1);
    setButtons();
}

QStringList TJoinDocumentsDialog::Documents() const
{
    QStringList files;
    for (int row = 0; row < m_list->count(); ++row)
        files.append(m_list->item(row)->data(Qt::UserRole).toString());
    return files;
}

QString TJoinDocumentsDialog::OutputFile() const
{
    return m_target->text().trimmed();
}

void TJoinDocumentsDialog::addClicked()
{
    const QStringList files = QFileDialog::getOpenFileNames(this, QStringLiteral("Add Documents"), DialogFolder(),
                                                            QStringLiteral("Calendar documents (*.qxf *.QXF)"));
    if (!files.isEmpty())
        RememberDialogChoice(files.first());
    AddDocuments(files);
}

void TJoinDocumentsDialog::removeClicked()
{
    delete m_list->takeItem(m_list->currentRow());
    setButtons();
}

void TJoinDocumentsDialog::move(int by)
{
    const int row = m_list->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= m_list->count())
        return;
    m_list->insertItem(to, m_list->takeItem(row));
    m_list->setCurrentRow(to);
}

void TJoinDocumentsDialog::browseTarget()
{
    QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("Join Documents into PDF"), DialogFolder(),
                                                  QStringLiteral("PDF File (*.pdf)"));
    if (chosen.isEmpty())
        return;
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += QStringLiteral(".pdf");
    m_target->setText(chosen);
}

void TJoinDocumentsDialog::setButtons()
{
    const int row = m_list->currentRow();
    m_remove->setEnabled(row >= 0);
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row + 1 < m_list->count());
    m_ok->setEnabled(m_list->count() > 0 && !OutputFile().isEmpty());
}

void JoinDocuments(QWidget* parent)
{
    TJoinDocumentsDialog dialog(parent);
    CenterForm(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    auto run = std::make_unique<TPageRun>();
    QString error;
    for (const QString& file : dialog.Documents()) {
        error = run->AddDocumentFile(file);
        if (!error.isEmpty())
            break;
    }
    if (error.isEmpty()) {
        std::unique_ptr<TPageOutput> output = MakePdfOutput(dialog.OutputFile(), run->Title());
        RunPagesJobWithProgress(std::move(run), std::move(output), QStringLiteral("Joining the documents..."), parent,
                                &error);
    }
    if (!error.isEmpty())
        ShowError(QStringLiteral("The documents cannot be joined.\n%1").arg(error));
}
