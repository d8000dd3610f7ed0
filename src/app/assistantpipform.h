// The quick-tips window: a rounded, borderless window over the main window (never over its dialogs) with
// a title bar to drag it by, five question buttons a page, and the answer on a page of its own (a
// scrolling memo when it is long).
#pragma once

#include "assistantpip.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class TGraphicPanel;

// Where the tips window goes: beside the owner's right edge at the top of its client area, pulled back
// onto the screen when it would stick out on any side.
QPoint TipsPosition(const QRect& ownerFrame, QPoint ownerClientOrigin, QSize tips, QSize screen);

class TAssistantPipForm : public QWidget
{
    Q_OBJECT
public:
    explicit TAssistantPipForm(QWidget* owner);

    void SetTitle(const QString& title);
    // Copies the topics and shows the first page of questions.
    void SetTopics(const QList<TTipTopic>& topics);

    int TotalTopics() const { return static_cast<int>(m_questions.size()); }
    int PageCount() const { return m_pages; }
    int CurrentPage() const { return m_page; }
    // Buttons k (0..4) show questions FirstTopic() + k; ShownTopics() of them are visible.
    int FirstTopic() const { return m_first; }
    int ShownTopics() const { return m_shown; }
    void MoreClick();
    void PreviousClick();
    // Shows the answer of the topic on button k, on the label page or, when it does not fit, the memo page.
    void TopicClick(int k);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* AnswerPage(const char* name, const char* captionName, QWidget* body, int bodyStretch);
    void FillPage(int page);
    // Each question button as tall as its words need, and the window as tall as its buttons need.
    void fitQuestions();
    void ShowPage(QWidget* page);

    QStringList m_questions;
    QStringList m_answers;
    int m_pages = 0;
    int m_page = 1;
    int m_first = 1;
    int m_shown = 0;
    TGraphicPanel* m_titleBar = nullptr;
    QStackedWidget* m_notebook = nullptr;
    QWidget* m_mainPage = nullptr;
    QWidget* m_labelPage = nullptr;
    QWidget* m_memoPage = nullptr;
    QPushButton* m_topics[5] = {};
    QLabel* m_topicTexts[5] = {};
    QPushButton* m_previous = nullptr;
    QPushButton* m_more = nullptr;
    QPushButton* m_back = nullptr;
    QLabel* m_labelCaption = nullptr;
    QLabel* m_label = nullptr;
    QLabel* m_memoCaption = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    QPoint m_dragOffset;
    bool m_dragging = false;
};
