// The File menu's "Make Year..." dialog: one page per month from the open document, filled with the
// recurring dates and the events of an iCalendar file as asked, to one PDF file, to images in a folder
// or to the printer, with a strip of the pages it will make. The open document stays as it is.
#pragma once

#include "platform/fontdescription.h"

#include <QByteArray>
#include <QDialog>
#include <QStringList>

#include <memory>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;
class TPageOutput;
class TPageRun;

class TMakeYearDialog : public QDialog
{
    Q_OBJECT

public:
    // `document` is the open page's bytes; `name` its file name (empty when not saved yet).
    TMakeYearDialog(const QByteArray& document, const QString& name, const FontDescription& font, bool printersPresent,
                    QWidget* parent = nullptr);
    ~TMakeYearDialog() override;

    // The pages asked for; null, with the reason, when the recurring dates or the events cannot be read.
    std::unique_ptr<TPageRun> MakeRun(QString* error) const;
    // Where they go; null, with the reason, when the printer cannot take them.
    std::unique_ptr<TPageOutput> MakeOutput(const TPageRun& run, QString* error) const;

private:
    void outputChanged();
    void browseTarget();
    void browseEvents();
    void schedulePreview();
    void updatePreview();

    QByteArray m_document;
    QString m_name;
    FontDescription m_font;
    QComboBox* m_month;
    QSpinBox* m_year;
    QSpinBox* m_count;
    QCheckBox* m_fill;
    QLineEdit* m_events;
    QRadioButton* m_pdf;
    QRadioButton* m_images;
    QRadioButton* m_printer;
    QLineEdit* m_target;
    QPushButton* m_browse;
    QPushButton* m_ok;
    QListWidget* m_strip;
    QTimer* m_previewTimer;
};

// The whole command: the dialog, then the job with its progress and Cancel.
void MakeYear(QWidget* parent, const QByteArray& document, const QString& name, const FontDescription& font,
              bool printersPresent);
