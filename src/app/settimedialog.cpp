#include "settimedialog.h"

#include "platform/centerform.h"
#include "platform/fontdescription.h"
#include "widgets/graphicpanel.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace {

constexpr int kCellWidth = 24;
constexpr int kCellHeight = 19;
constexpr int kMargin = 8;
constexpr int kCellLeft = 6; // first cell inside a group
constexpr int kCellTop = 24; // below the group's heading
constexpr int kBlockGap = 6; // between the AM and the PM rows
constexpr int kLabelWidth = 28;
constexpr TColor clSilver = RGBValue(0xC0, 0xC0, 0xC0);
constexpr TColor kChosen = RGBValue(0xFF, 0xFF, 0x00);

// 12-hour clock with leading zeros and a lower-case am/pm, e.g. "08:05 am", "12:30 pm".
QString timeText(const QTime& time)
{
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("%1:%2 %3")
        .arg(hour12, 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm"));
}

QFrame* makeGroup(QWidget* parent, const QString& name, const QString& heading, const QSize& size)
{
    auto* group = new QFrame(parent);
    group->setObjectName(name);
    group->setFrameShape(QFrame::Panel);
    group->setFrameShadow(QFrame::Sunken);
    group->resize(size);
    auto* title = new QLabel(heading, group);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setAutoFillBackground(true);
    title->setBackgroundRole(QPalette::Highlight);
    title->setForegroundRole(QPalette::HighlightedText);
    title->setGeometry(2, 2, size.width() - 4, 18);
    return group;
}

TGraphicPanel* makeCell(QFrame* group, int tag, const QString& caption, const QPoint& pos, const QString& hint)
{
    auto* cell = new TGraphicPanel(group);
    cell->setTag(tag);
    cell->setCaption(caption);
    cell->setToolTip(hint);
    cell->setGeometry(QRect(pos, QSize(kCellWidth, kCellHeight)));
    return cell;
}

void addSideLabel(QFrame* group, const QString& text, int top)
{
    auto* label = new QLabel(text, group);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(kCellLeft + 6 * kCellWidth + kBlockGap, top, kLabelWidth, 2 * kCellHeight);
}

} // namespace

TSetTimeDialog::TSetTimeDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("SetTimeDialog"));
    setFont(FontDescription{QStringLiteral("Arial"), 8}.toQFont());

    const int hourBlock = 2 * kCellHeight;
    const QSize hourSize(kCellLeft + 6 * kCellWidth + kBlockGap + kLabelWidth + 4,
                         kCellTop + 2 * hourBlock + kBlockGap + kBlockGap);
    m_hourPanel = makeGroup(this, QStringLiteral("HourPanel"), QStringLiteral("  Hour"), hourSize);
    m_hourPanel->move(kMargin, kMargin);
    const QString hourHint = QStringLiteral("Click to set the hours portion of the time");
    for (int hour = 0; hour < 24; ++hour) {
        const int row = hour / 6;
        const QPoint pos(kCellLeft + (hour % 6) * kCellWidth,
                         kCellTop + row * kCellHeight + (row >= 2 ? kBlockGap : 0));
        const QString caption = QString::number(hour % 12 == 0 ? 12 : hour % 12);
        TGraphicPanel* cell = makeCell(m_hourPanel, hour, caption, pos, hourHint);
        connect(cell, &TGraphicPanel::clicked, this, [this, cell] { HourClick(cell); });
    }
    addSideLabel(m_hourPanel, QStringLiteral("AM"), kCellTop);
    addSideLabel(m_hourPanel, QStringLiteral("PM"), kCellTop + hourBlock + kBlockGap);

    const QSize minuteSize(kCellLeft + 10 * kCellWidth + kCellLeft, kCellTop + 6 * kCellHeight + kCellLeft);
    m_minutePanel = makeGroup(this, QStringLiteral("MinutePanel"), QStringLiteral("  Minute"), minuteSize);
    m_minutePanel->move(kMargin + hourSize.width() + kMargin, kMargin);
    const QString minuteHint = QStringLiteral("Click to set the minutes portion of the time");
    for (int minute = 0; minute < 60; ++minute) {
        const QPoint pos(kCellLeft + (minute % 10) * kCellWidth, kCellTop + (minute / 10) * kCellHeight);
        const QString caption = QStringLiteral("%1").arg(minute, 2, 10, QLatin1Char('0'));
        TGraphicPanel* cell = makeCell(m_minutePanel, minute, caption, pos, minuteHint);
        connect(cell, &TGraphicPanel::clicked, this, [this, cell] { MinuteClick(cell); });
    }

    // The two buttons share the width of the hour group and line up with the minute group's bottom.
    const int buttonHeight = 25;
    const int buttonWidth = (hourSize.width() - kMargin) / 2;
    const int buttonTop = kMargin + minuteSize.height() - buttonHeight;
    m_okButton = new QPushButton(QStringLiteral("&Ok"), this);
    m_okButton->setDefault(true);
    m_okButton->setGeometry(kMargin, buttonTop, buttonWidth, buttonHeight);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    m_cancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cancelButton->setGeometry(kMargin + hourSize.width() - buttonWidth, buttonTop, buttonWidth, buttonHeight);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(m_minutePanel->geometry().right() + 1 + kMargin, kMargin + minuteSize.height() + kMargin);
}

TGraphicPanel* TSetTimeDialog::Cell(QFrame* panel, int tag) const
{
    for (TGraphicPanel* cell : panel->findChildren<TGraphicPanel*>(Qt::FindDirectChildrenOnly)) {
        if (cell->Tag() == tag)
            return cell;
    }
    return nullptr;
}

bool TSetTimeDialog::Execute(QWidget* parent, QTime& time)
{
    TSetTimeDialog dialog(parent);
    dialog.setTime(time);
    CenterForm(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    time = dialog.Time();
    return true;
}

void TSetTimeDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TSetTimeDialog::FormActivate()
{
    // A caller without a valid time starts the picker at midnight.
    const QTime time = m_time.isValid() ? m_time : QTime(0, 0);
    m_hour = time.hour();
    m_minute = time.minute();
    ShowDateTime();
}

void TSetTimeDialog::HourClick(TGraphicPanel* cell)
{
    m_hour = cell->Tag();
    ShowDateTime();
}

void TSetTimeDialog::MinuteClick(TGraphicPanel* cell)
{
    m_minute = cell->Tag();
    ShowDateTime();
}

void TSetTimeDialog::ShowDateTime()
{
    m_time = QTime(m_hour, m_minute);
    setWindowTitle(QStringLiteral("Set Time As: ") + timeText(m_time));
    for (TGraphicPanel* cell : findChildren<TGraphicPanel*>()) {
        int chosen;
        if (cell->parentWidget() == m_hourPanel)
            chosen = m_hour;
        else if (cell->parentWidget() == m_minutePanel)
            chosen = m_minute;
        else
            continue;
        if (cell->Tag() == chosen)
            cell->setColor(kChosen);
        else if (cell->Color() != clSilver)
            cell->setColor(TGraphicPanel::clBtnFace);
    }
}
