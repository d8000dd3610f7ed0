// The "User Defined Title" dialog: one line for the page's own title; empty means the default title.
#pragma once

#include <QDialog>

class QLineEdit;

class TUserTitleForm : public QDialog
{
    Q_OBJECT
public:
    explicit TUserTitleForm(QWidget* parent = nullptr);
    QLineEdit* TitleText() const { return m_title; }

private:
    QLineEdit* m_title;
};
