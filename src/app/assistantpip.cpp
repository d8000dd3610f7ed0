#include "assistantpip.h"

#include "assistantpipform.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

TAssistantPip::TAssistantPip(QWidget* owner) : QObject(owner), m_owner(owner) {}

TAssistantPip::~TAssistantPip()
{
    delete m_form;
}

TAssistantPipForm* TAssistantPip::Form() const
{
    return m_form;
}

void TAssistantPip::Show()
{
    if (!m_form)
        m_form = new TAssistantPipForm(m_owner);
    m_form->SetTitle(m_caption);
    m_form->SetTopics(Topics);
    const QScreen* screen = m_owner->screen() ? m_owner->screen() : QGuiApplication::primaryScreen();
    const QWidget* top = m_below ? m_below.data() : m_owner;
    m_form->move(TipsPosition(m_owner->frameGeometry(), top->mapToGlobal(QPoint(0, 0)), m_form->size(),
                              screen->geometry().size()));
    m_form->show();
    m_form->raise();
}

QList<TTipTopic> MainWindowTips()
{
    auto topic = [](const char* question, const char* answer) {
        return TTipTopic{QString::fromUtf8(question), QString::fromUtf8(answer)};
    };
    return {
        topic("How do I create a new calendar?",
              "Choose \"New\" from the File menu. The calendar properties dialog opens, where you pick the layout, "
              "the month and year, the first day of the week, the fonts and the colours.\n\nClick OK and the new "
              "calendar appears in the main window. Save it with \"Save\" or \"Save As...\" from the File menu."),
        topic("How to I change the look (layout) of an existing calendar ?",
              "Choose \"Properties\" from the File menu, or click the Properties button next to the Print button. "
              "The calendar properties dialog shows your calendar as it is now.\n\nPick another layout, paper or "
              "orientation, change the fonts, colours, borders or border art, and watch the example change. Click "
              "OK to apply the new look to your calendar. Text typed into the date cells stays with its cells."),
        topic("How do I type entries into the calendar?",
              "Click a date cell. A text editor opens over the cell; type your entry and click another cell or "
              "press Tab to go on to the next day (Shift+Tab goes back).\n\nOnly the 1-month layouts, the week and "
              "two-week planners and the day planners take text. Layouts made of small months have no room for "
              "entries."),
        topic("How do I change the text attributes for the date cell text (i.e. font, color, etc)?",
              "While you type in a date cell, the rich text tool bar above the calendar works on the text of that "
              "cell. Select the text first (Ctrl+A selects the whole cell) and then choose the font, the size, bold, "
              "italic, underline or the colour from the tool bar.\n\nThe font new text starts in is set with "
              "\"Default Editor Font\" in the File menu."),
        topic("Can I put graphics into the calendar date cells along with text?",
              "Yes. Drag an icon from the floating Icons window and drop it on a date cell: the cell opens for "
              "editing and the icon is inserted where the cursor is, as one character of the text. You can also "
              "drop pictures from other programs or from the file manager.\n\nDelete an inserted picture like any "
              "character, with Backspace or Delete."),
        topic("How do I use the icons in the floating Icons window?",
              "Click \"Show Icon Tool\" to show the Icons window. Choose a set of icons from its File menu: "
              "Activities, Events, Holidays, Miscellaneous #1 and #2, a bonus set, or any icon library with "
              "\"Other...\".\n\nPress the mouse on an icon, drag it into a date cell and let go. Icons go into the "
              "date cells only, not onto the free page; for a picture anywhere on the page use the Clip Art tool."),
        topic("How do I add freeform graphic items to the calendar?",
              "The tool buttons at the top of the main window place freeform items on the page: the selection "
              "arrow, then the Label, Clip Art, Rich Text, SuperText and Calendar tools.\n\nClick a tool, then drag "
              "a rectangle on the calendar page where the item should go. When you let go, the item is placed and "
              "the selection arrow is chosen again, so that you can move the new item at once."),
        topic("How do I change a freeform drawing object's properties?",
              "Click the object with the selection arrow to select it, then click it with the right mouse button. "
              "The menu that opens offers what the object can do: its properties, its text, its font and colours, "
              "bringing it to the front or sending it to the back, locking it, copying and deleting it."),
        topic("How do I change the font for a freeform drawing object?",
              "Click the object with the right mouse button and choose the font item from its menu. Pick the face, "
              "the size and the style in the font dialog and click OK; the object shows its text in the new font "
              "at once.\n\nRich text labels keep a font for each piece of text: edit their text and use the tool "
              "bar instead."),
        topic("How do I change the color of a freeform drawing object?",
              "Click the object with the right mouse button and choose the colour items of its menu: the text "
              "colour, the background or the shadow, depending on the kind of object. Pick a colour and click "
              "OK.\n\nA SuperText object can also be filled with a gradient or a texture through its properties."),
        topic("How do I move a freeform drawing object?                    ",
              "Click the object with the selection arrow and keep the mouse button down; the cursor becomes a hand. "
              "Drag the object where you want it and let go.\n\nThe arrow keys nudge a selected object one pixel at a "
              "time. A locked object cannot be moved until it is unlocked through its right-click menu."),
        topic("How do I resize a freeform drawing object?                  ",
              "Select the object with the selection arrow. Eight small handles appear around it: at the corners and "
              "in the middle of each side.\n\nDrag a corner handle to change the width and the height together, or "
              "a side handle to change only one of them. Let go when the object has the size you want."),
    };
}
