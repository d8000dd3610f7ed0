// The main window's in-place editor for day texts: opening it over a cell, saving it back, moving
// between cells with Tab, and pictures dropped on the page or the editor.
#include "calendarmain.h"

#include "document/pagehistory.h"
#include "jobs/daytextappend.h"

#include "editor/calendarpanel32.h"
#include "render/calendarpagerender.h"
#include "richtext/droppedimages.h"
#include "richtext/wprichtext.h"
#include "richtext/wprtfstorage.h"
#include "richtext/wptoolbar.h"

#include "platform/rounding.h"
#include "platform/screenmetrics.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>

#include <algorithm>

namespace {

const QString kTyping = QStringLiteral("Typing in");
const QString kPictureDrop = QStringLiteral("Picture Drop on");

// The date a cell shows, "12 March", naming the step of its text; empty where the cell shows no day.
// Days before the month's first belong to the month before, days after its last to the month after.
QString CellDateText(const TCalendarPanel32& page, int cell)
{
    const int day = page.DayOfCell(cell);
    if (day < 1)
        return QString();
    int month = page.MainCalMonth();
    if (CellOfMonthDay(page, day) != cell)
        month += cell < page.CellOfDay(1) ? -1 : 1;
    return QString::number(day) + QLatin1Char(' ') + page.GetMonthName((month + 11) % 12 + 1);
}

// Only a cell with room for text takes a dropped picture; elsewhere it would go into a text no one sees.
bool TakesText(const TCalendarPanel32& page, QPoint at)
{
    const int cell = page.CellAt(at);
    return cell != 0 && !page.Cell(cell).rFree.isEmpty();
}

} // namespace

void TCalendarMain::setupDayTextEditor()
{
    m_editor = new TWPRichText(m_pageHolder);
    m_editor->setObjectName(QStringLiteral("WPRichText1"));
    m_editor->hide();
    connect(m_editor, &TWPRichText::entered, this, &TCalendarMain::WPRichText1Enter);
    connect(m_editor, &TWPRichText::changed, this, &TCalendarMain::WPRichText1Change);
    connect(m_editor, &TWPRichText::pictureDropped, this, [this] { cellEdited(kPictureDrop); });

    // Attached from the start so that the idle bar shows what typing would use, not its first list entries.
    m_editorToolBar->Attach(m_editor);
    m_editor->SetInsertionAttributes(m_preferences.DefaultFont);
    m_editorToolBar->SetEnabled(false);
    m_page->setAcceptDrops(true);
    m_page->ClickedInCellEvent = [this](TRect rTotal, TRect rFree, int iCell, int iDay) {
        CalendarPanelClickedInCellEvent(rTotal, rFree, iCell, iDay);
    };
}

void TCalendarMain::CalendarPanelClickedInCellEvent(TRect, TRect rFree, int iCell, int)
{
    m_currentCell = iCell;
    m_editorLoaded = false;
    DoSaveRichtext();
    m_currentStorage = m_page->CellStorage(iCell);
    m_currentStorageCell = iCell;
    m_editingCell = m_currentStorage != nullptr;
    if (!m_editingCell)
        return;

    // The editor lays its text out on the page the cell paints it on, at the page's zoom, so what is
    // typed wraps where it will show at every zoom and on paper.
    const int w = rFree.right - rFree.left + 1;
    const int h = rFree.bottom - rFree.top + 1;
    const QSize page = DayTextPage(m_page->Model(), iCell);
    const double ppi = ScreenPixelsPerInch();
    m_editor->SetPageSize(RoundHalfEven(page.width() / ppi * 1440.0), RoundHalfEven(page.height() / ppi * 1440.0));
    // Below 100% the free area keeps its insets in screen pixels while the text scales: the page then
    // draws the text a little smaller to fit, and so does the editor, so that no letter is out of sight.
    int percent = RoundHalfEven(m_page->Scale() * 100.0);
    if (page.width() > 0)
        percent = std::max(1, std::min(percent, w * 100 / page.width()));
    m_editor->SetZoom(percent);
    m_editor->LoadFrom(*m_currentStorage);
    // New text in an empty cell starts in the default editor font. Only here, when the cell is opened:
    // coming back from the tool bar must keep what was chosen there.
    if (m_editor->IsEmpty())
        m_editor->SetInsertionAttributes(m_preferences.DefaultFont);
    // The editor's one-pixel border lies around the free area, so that its text area is the free area
    // itself: the text shows whole, where the cell paints it.
    m_editor->setGeometry(m_page->x() + rFree.left - 1, m_page->y() + rFree.top - 1, w + 2, h + 2);
    m_editor->raise();
    m_editor->show();
    m_editor->setFocus(Qt::MouseFocusReason);
    m_editorLoaded = true;
}

void TCalendarMain::DoSaveRichtext()
{
    if (!m_editingCell || !m_currentStorage)
        return;
    m_editor->SaveTo(*m_currentStorage);
    m_editor->hide();
    m_editingCell = false;
    m_editorToolBar->SetEnabled(false);
    m_page->update();
    if (m_cellEdited) {
        m_cellEdited = false;
        // Steps of one cell merge until another cell or another kind of step comes between.
        m_history->Record(m_cellStepCaption, QStringLiteral("Cell %1").arg(m_currentStorageCell));
        refreshEditMenu();
    }
}

void TCalendarMain::cellEdited(const QString& what)
{
    if (!m_cellEdited) {
        m_cellEdited = true;
        const QString date = CellDateText(*m_page, m_currentStorageCell);
        m_cellStepCaption = date.isEmpty() ? what : what + QLatin1Char(' ') + date;
        refreshEditMenu();
    }
    if (!m_modified) {
        m_modified.Follow(true);
        SetButtons();
    }
}

void TCalendarMain::WPRichText1Enter()
{
    m_editorToolBar->SetEnabled(true);
    m_editorToolBar->Attach(m_editor);
}

void TCalendarMain::WPRichText1Change()
{
    if (m_editorLoaded)
        cellEdited(kTyping);
}

bool TCalendarMain::CellTabKey(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab)
        return false;
    if (!m_editor->isVisible() || !m_editor->hasFocus())
        return false;
    if (event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier))
        m_page->OpenPreviousCell(m_currentCell);
    else
        m_page->OpenNextCell(m_currentCell);
    return true;
}

bool TCalendarMain::CellEscapeKey(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape || !m_editor->isVisible() || !m_editor->hasFocus())
        return false;
    DoSaveRichtext();
    return true;
}

void TCalendarMain::EndEditingOnClickAway(QWidget* pressed, QMouseEvent* event)
{
    // A press the editor leaves unhandled comes up through the page's holder: it is no press outside.
    if (!m_editingCell || m_editor->rect().contains(m_editor->mapFromGlobal(event->globalPosition().toPoint())))
        return;
    // The grey around the page, or a part of the page that is no cell (title, margins, small months).
    const bool around = pressed == m_pageHolder || pressed == m_scrollBox || pressed == m_scrollBox->viewport();
    const bool pageOutsideCells = pressed == m_page && m_page->CellAt(event->position().toPoint()) == 0;
    if (around || pageOutsideCells)
        DoSaveRichtext();
}

bool TCalendarMain::CalendarPanelDragOver(QDragMoveEvent* event)
{
    if (!CarriesImages(event->mimeData()) || !TakesText(*m_page, event->position().toPoint()))
        return false;
    event->acceptProposedAction();
    return true;
}

void TCalendarMain::CalendarPanelDragDrop(QDropEvent* event)
{
    const QPoint at = event->position().toPoint();
    const QList<QImage> images = DroppedImages(event->mimeData());
    if (images.isEmpty() || !TakesText(*m_page, at))
        return;
    DoSaveRichtext();
    m_page->ClickCellAt(at);
    if (m_editingCell) {
        cellEdited(kPictureDrop);
        for (const QImage& image : images)
            m_editor->InsertPicture(image);
    }
    m_currentCell = m_page->CellAt(at);
    event->acceptProposedAction();
}
