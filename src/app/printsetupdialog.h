// "Print Setup": the printer, its paper and the orientation the report starts the next print from.
#pragma once

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QRadioButton;
class TReportPrinter;

class TPrintSetupDialog : public QDialog
{
public:
    // Opens on the report's printer (else the default one), paper and orientation.
    explicit TPrintSetupDialog(TReportPrinter& report, QWidget* parent = nullptr);

    // OK hands the choices to the report.
    void accept() override;

private:
    // The papers the chosen printer takes, keeping the one chosen before when it has it.
    void fillPapers();

    TReportPrinter& m_report;
    QComboBox* m_printers = nullptr;
    QComboBox* m_papers = nullptr;
    QRadioButton* m_portrait = nullptr;
    QRadioButton* m_landscape = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};
