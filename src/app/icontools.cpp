// The main window's small tools: the floating icon palette and its "Show Icon Tool" button, the quick
// tips and the user-defined title.
#include "calendarmain.h"

#include "assistantpip.h"
#include "floatingpalette.h"
#include "usertitleform.h"

#include "editor/calendarpanel32.h"
#include "widgets/iconlistbox.h"

#include "platform/centerform.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>

void TCalendarMain::setupIconTools()
{
    m_palette = new TFloatingPalette(this);
    connect(m_palette, &TFloatingPalette::VisibilityChanged, this, &TCalendarMain::SetButtons);
    m_tips = new TAssistantPip(this);
    m_tips->setObjectName(QStringLiteral("AssistantPip"));
    m_tips->Topics = MainWindowTips();
    // Over the page only: the tool strip's Save and Cancel stay in reach.
    m_tips->SetOpenBelow(m_scrollBox);
    connect(qobject_cast<QPushButton*>(Control(QStringLiteral("ShowHideIconTool"))), &QPushButton::clicked, this,
            &TCalendarMain::ShowHideIconToolClick);
    connect(qobject_cast<QPushButton*>(Control(QStringLiteral("Assistantbutton"))), &QPushButton::clicked, this,
            &TCalendarMain::AssistantbuttonClick);
    connect(Action(QStringLiteral("mnuUserTitle")), &QAction::triggered, this, &TCalendarMain::mnuUserTitleClick);
}

void TCalendarMain::ShowHideIconToolClick()
{
    m_preferences.IconToolVisible = !m_palette->isVisible();
    m_palette->setVisible(m_preferences.IconToolVisible);
    SetButtons();
}

void TCalendarMain::CheckFloaterStatus()
{
    if (!m_page->CanHoldText()) {
        m_preferences.IconToolVisible = false;
        m_palette->hide();
    } else if (m_preferences.IconToolVisible && !m_palette->isVisible()) {
        m_palette->show();
    }
}

void TCalendarMain::ShowIconPaletteIfWanted()
{
    if (m_preferences.IconToolVisible)
        m_palette->show();
}

void TCalendarMain::HideIconPaletteIfShown()
{
    if (m_preferences.IconToolVisible)
        m_palette->hide();
}

void TCalendarMain::AssistantbuttonClick()
{
    m_tips->Show();
}

void TCalendarMain::mnuUserTitleClick()
{
    TUserTitleForm form(this);
    form.TitleText()->setText(m_page->UserTitle());
    CenterForm(&form);
    if (form.exec() != QDialog::Accepted)
        return;
    m_page->SetUserTitle(form.TitleText()->text());
    SetModified(true);
}
