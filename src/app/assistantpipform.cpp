#include "assistantpipform.h"

#include "widgets/graphicpanel.h"

#include "platform/colorvalue.h"
#include "platform/help.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QWindow>

namespace {

constexpr int kPerPage = 5;
// The least height of a question button, and the room around its words.
constexpr int kTopicHeight = 43;
constexpr int kTopicMargin = 5;
constexpr QSize kClientSize(228, 372);

QLabel* SeeAlsoLink(QWidget* parent)
{
    auto* link = new QLabel(QStringLiteral("See also: Frequently Asked Questions"), parent);
    link->setStyleSheet(QStringLiteral("color: green; text-decoration: underline"));
    link->setCursor(Qt::PointingHandCursor);
    link->setWordWrap(true);
    link->installEventFilter(parent->window());
    link->setObjectName(QStringLiteral("SeeAlso"));
    return link;
}

QLabel* Heading(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

} // namespace

QPoint TipsPosition(const QRect& ownerFrame, QPoint ownerClientOrigin, QSize tips, QSize screen)
{
    int left = ownerFrame.left() + ownerFrame.width() - tips.width() / 2;
    if (left + tips.width() > screen.width())
        left = screen.width() - tips.width();
    int top = ownerClientOrigin.y();
    if (top + tips.height() > screen.height())
        top = screen.height() - tips.height();
    // An owner partly off the left or top edge would take the title bar, and with it the only way to move
    // the window, off the screen.
    return {qMax(0, left), qMax(0, top)};
}

TAssistantPipForm::TAssistantPipForm(QWidget* owner) : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("AssistantPipForm"));
    setFixedSize(kClientSize);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    setPalette(colours);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setMouseTracking(true);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 6);
    column->setSpacing(4);
    m_titleBar = new TGraphicPanel(this);
    m_titleBar->setObjectName(QStringLiteral("TitleBar"));
    m_titleBar->setFixedHeight(16);
    m_titleBar->setCaption(QStringLiteral("Assistant"));
    // The colours of an active window's caption.
    m_titleBar->setColor(FromQColor(palette().color(QPalette::Active, QPalette::Highlight)));
    QPalette captionColours = m_titleBar->palette();
    captionColours.setColor(QPalette::WindowText, captionColours.color(QPalette::Active, QPalette::HighlightedText));
    m_titleBar->setPalette(captionColours);
    m_titleBar->installEventFilter(this);
    column->addWidget(m_titleBar);

    m_notebook = new QStackedWidget(this);
    column->addWidget(m_notebook, 1);

    m_mainPage = new QWidget;
    m_mainPage->setObjectName(QStringLiteral("Main"));
    auto* main = new QVBoxLayout(m_mainPage);
    m_previous = new QPushButton(QStringLiteral("Previous"), m_mainPage);
    m_previous->setObjectName(QStringLiteral("PreviousButton"));
    connect(m_previous, &QPushButton::clicked, this, &TAssistantPipForm::PreviousClick);
    main->addWidget(m_previous);
    for (int k = 0; k < kPerPage; ++k) {
        m_topics[k] = new QPushButton(m_mainPage);
        m_topics[k]->setObjectName(QStringLiteral("GB%1").arg(k + 1));
        m_topics[k]->setFixedHeight(kTopicHeight);
        // Questions wrap inside their buttons, which grow to show them whole.
        m_topicTexts[k] = new QLabel(m_topics[k]);
        m_topicTexts[k]->setWordWrap(true);
        m_topicTexts[k]->setAttribute(Qt::WA_TransparentForMouseEvents);
        auto* inside = new QVBoxLayout(m_topics[k]);
        inside->setContentsMargins(kTopicMargin, kTopicMargin, kTopicMargin, kTopicMargin);
        inside->addWidget(m_topicTexts[k]);
        connect(m_topics[k], &QPushButton::clicked, this, [this, k] { TopicClick(k); });
        main->addWidget(m_topics[k]);
    }
    m_more = new QPushButton(QStringLiteral("More"), m_mainPage);
    m_more->setObjectName(QStringLiteral("MoreButton"));
    connect(m_more, &QPushButton::clicked, this, &TAssistantPipForm::MoreClick);
    main->addWidget(m_more);
    main->addStretch(1);
    main->addWidget(SeeAlsoLink(this));
    m_notebook->addWidget(m_mainPage);

    m_label = new QLabel;
    m_label->setObjectName(QStringLiteral("LabelPageLabel"));
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label->setFixedSize(200, 200);
    m_labelPage = AnswerPage("LabelPage", "LabelPageCaption", m_label, 0);
    m_labelCaption = m_labelPage->findChild<QLabel*>(QStringLiteral("LabelPageCaption"));
    m_notebook->addWidget(m_labelPage);

    m_memo = new QPlainTextEdit;
    m_memo->setObjectName(QStringLiteral("MemoPageMemo"));
    m_memo->setReadOnly(true);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memoPage = AnswerPage("MemoPage", "MemoPageCaption", m_memo, 1);
    m_memoCaption = m_memoPage->findChild<QLabel*>(QStringLiteral("MemoPageCaption"));
    m_notebook->addWidget(m_memoPage);

    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(6, 0, 6, 0);
    m_back = new QPushButton(QStringLiteral("Back  "), this);
    m_back->setObjectName(QStringLiteral("BackButton"));
    connect(m_back, &QPushButton::clicked, this, [this] { ShowPage(m_mainPage); });
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    bottom->addWidget(m_back);
    bottom->addStretch(1);
    bottom->addWidget(close);
    column->addLayout(bottom);

    // The buttons take their widths now, so that the questions can be fitted to them before the first show.
    layout()->activate();
    ShowPage(m_mainPage);
}

// A page with the question as its heading, the answer below it and the link at the bottom.
QWidget* TAssistantPipForm::AnswerPage(const char* name, const char* captionName, QWidget* body, int bodyStretch)
{
    auto* page = new QWidget;
    page->setObjectName(QLatin1String(name));
    auto* column = new QVBoxLayout(page);
    column->addWidget(Heading(page, captionName));
    column->addWidget(body, bodyStretch);
    if (bodyStretch == 0)
        column->addStretch(1);
    column->addWidget(SeeAlsoLink(this));
    return page;
}

void TAssistantPipForm::SetTitle(const QString& title)
{
    m_titleBar->setCaption(title);
}

void TAssistantPipForm::SetTopics(const QList<TTipTopic>& topics)
{
    m_questions.clear();
    m_answers.clear();
    for (const TTipTopic& topic : topics) {
        m_questions.append(topic.question);
        m_answers.append(topic.answer);
    }
    m_pages = TotalTopics() / kPerPage + (TotalTopics() % kPerPage > 0 ? 1 : 0);
    FillPage(1);
    ShowPage(m_mainPage);
}

void TAssistantPipForm::FillPage(int page)
{
    m_page = page;
    m_first = kPerPage * page - (kPerPage - 1);
    m_shown = kPerPage * page < TotalTopics() ? kPerPage : TotalTopics() - kPerPage * page + kPerPage;
    for (int k = 0; k < kPerPage; ++k) {
        const int index = m_first - 1 + k;
        m_topicTexts[k]->setText(index < TotalTopics() ? m_questions[index].trimmed() : QString());
        m_topics[k]->setProperty("Tag", index);
        m_topics[k]->setVisible(k < m_shown);
        m_topics[k]->setEnabled(k < m_shown);
    }
    m_previous->setVisible(m_first > 1);
    m_more->setVisible(page < m_pages);
    fitQuestions();
}

void TAssistantPipForm::fitQuestions()
{
    for (int k = 0; k < kPerPage; ++k) {
        QLabel* words = m_topicTexts[k];
        const int room = m_topics[k]->width() - 2 * kTopicMargin;
        m_topics[k]->setFixedHeight(std::max(kTopicHeight, words->heightForWidth(room) + 2 * kTopicMargin));
    }
    // Taller than designed only when the questions of the page need it.
    layout()->invalidate();
    const int height = std::max(kClientSize.height(), layout()->totalMinimumSize().height());
    if (height != this->height())
        setFixedSize(kClientSize.width(), height);
}

// The window system's fonts reach the buttons by the time the window shows.
void TAssistantPipForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    fitQuestions();
}

void TAssistantPipForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The window is a rounded rectangle with corners of an eighth of its width and height.
    QPainterPath outline;
    outline.addRoundedRect(QRectF(rect()), width() / 16.0, height() / 16.0);
    setMask(QRegion(outline.toFillPolygon().toPolygon()));
}

void TAssistantPipForm::MoreClick()
{
    if (m_page < m_pages)
        FillPage(m_page + 1);
}

void TAssistantPipForm::PreviousClick()
{
    if (m_page > 1)
        FillPage(m_page - 1);
}

void TAssistantPipForm::TopicClick(int k)
{
    const int index = m_topics[k]->property("Tag").toInt();
    if (index < 0 || index >= TotalTopics())
        return;
    const QString& answer = m_answers[index];
    const QRect needed =
        m_label->fontMetrics().boundingRect(QRect(0, 0, m_label->width(), 1 << 20), Qt::TextWordWrap, answer);
    if (needed.height() > m_label->height()) {
        m_memoCaption->setText(m_topicTexts[k]->text());
        m_memo->setPlainText(answer);
        ShowPage(m_memoPage);
    } else {
        m_labelCaption->setText(m_topicTexts[k]->text());
        m_label->setText(answer);
        ShowPage(m_labelPage);
    }
}

void TAssistantPipForm::ShowPage(QWidget* page)
{
    m_notebook->setCurrentWidget(page);
    m_back->setVisible(page != m_mainPage);
}

void TAssistantPipForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -2, -2), width() / 16.0, height() / 16.0);
}

void TAssistantPipForm::mouseMoveEvent(QMouseEvent* event)
{
    if (cursor().shape() != Qt::ArrowCursor)
        unsetCursor();
    QWidget::mouseMoveEvent(event);
}

// The title bar moves the window as a caption would; the green links open the questions and answers.
bool TAssistantPipForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_titleBar) {
        // Only mouse events are read as such: the title bar gets paint and enter events too.
        const auto mouse = [event] { return static_cast<QMouseEvent*>(event); };
        if (event->type() == QEvent::MouseButtonPress && mouse()->button() == Qt::LeftButton) {
            m_dragging = !(windowHandle() && windowHandle()->startSystemMove());
            m_dragOffset = mouse()->globalPosition().toPoint() - pos();
            return true;
        }
        if (event->type() == QEvent::MouseMove && m_dragging) {
            move(mouse()->globalPosition().toPoint() - m_dragOffset);
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease)
            m_dragging = false;
    } else if (watched->objectName() == QLatin1String("SeeAlso") && event->type() == QEvent::MouseButtonRelease) {
        ShowHelpTopic(911);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
