// The quick-tips assistant: a list of questions with their answers, shown in a small rounded window
// beside the main window, five questions a page.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;
class TAssistantPipForm;

struct TTipTopic
{
    QString question;
    QString answer;
};

class TAssistantPip : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    explicit TAssistantPip(QWidget* owner);
    ~TAssistantPip() override;

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& value) { m_caption = value; }
    QList<TTipTopic> Topics;

    // Makes the window on first use, fills it with the topics from the first page and shows it beside
    // the owner.
    void Show();
    // The window opens no higher than this widget of the owner, leaving the controls above it in sight;
    // without one, at the top of the owner.
    void SetOpenBelow(QWidget* widget) { m_below = widget; }
    // Null until the first Show.
    TAssistantPipForm* Form() const;

private:
    QWidget* m_owner;
    QPointer<QWidget> m_below;
    QString m_caption = QStringLiteral("Quick Tips");
    // The window is also a child of the owner, which may free it first.
    QPointer<TAssistantPipForm> m_form;
};

// The questions the main window answers, in their order.
QList<TTipTopic> MainWindowTips();
