// Modal message boxes with Almarin's fixed captions, behind a seam through which tests answer them.
#pragma once

#include <QString>

#include <functional>

enum class MessageKind { Information, Question, Error };

// A test installs a responder; it sees the kind, the text and the caption and returns the answer
// (true = Yes/OK). Without one, a real message box is shown.
using MessageResponder = std::function<bool(MessageKind kind, const QString& text, const QString& caption)>;
void SetMessageResponder(MessageResponder responder);

// Caption "Information", information icon, one OK button.
void ShowInformation(const QString& text);
// The same under a caption of the caller's.
void ShowInformation(const QString& text, const QString& caption);
// Caption "Error", error icon, one OK button.
void ShowError(const QString& text);
enum class DefaultAnswer { No, Yes };
// Question icon, Yes and No; true only for Yes. Enter gives the default answer.
bool AskYesNo(const QString& text, const QString& caption, DefaultAnswer byDefault = DefaultAnswer::No);
enum class Answer { Yes, No, Cancel };
// Question icon, Yes, No and Cancel; Enter gives Yes, while Esc and the box's close button give Cancel.
// A responder answers it as a Yes/No question.
Answer AskYesNoCancel(const QString& text, const QString& caption);
