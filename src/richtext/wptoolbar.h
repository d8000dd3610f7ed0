// The rich text tool bar: font name, size and colour lists, bold, italic and underline, paragraph alignment,
// copy, cut, paste and select all, working on the editor it is attached to and following its caret.
#pragma once

#include <QPointer>
#include <QToolBar>

class QAction;
class QActionGroup;
class QComboBox;
class QFontComboBox;
class TWPRichText;

class TWPToolBar : public QToolBar
{
    Q_OBJECT

public:
    explicit TWPToolBar(QWidget* parent = nullptr);

    // Works on this editor from now on (none with nullptr) and shows its caret's attributes.
    void Attach(TWPRichText* editor);
    TWPRichText* Editor() const { return m_editor; }
    // Enables or disables every control at once.
    void SetEnabled(bool enabled);
    // Shows the justified alignment button (where a caller offers it).
    void SetJustifyVisible(bool visible);

    QFontComboBox* FontNameList() const { return m_fontName; }
    QComboBox* FontSizeList() const { return m_fontSize; }
    QComboBox* ColorList() const { return m_color; }
    QAction* BoldAction() const { return m_bold; }
    QAction* ItalicAction() const { return m_italic; }
    QAction* UnderlineAction() const { return m_underline; }
    QAction* AlignLeftAction() const { return m_alignLeft; }
    QAction* AlignCenterAction() const { return m_alignCenter; }
    QAction* AlignRightAction() const { return m_alignRight; }
    QAction* AlignJustifyAction() const { return m_alignJustify; }
    QAction* CopyAction() const { return m_copy; }
    QAction* CutAction() const { return m_cut; }
    QAction* PasteAction() const { return m_paste; }
    QAction* SelectAllAction() const { return m_selectAll; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Gives the clipboard buttons their icons from the desktop's icon theme, where it has them.
    void TakeThemeIcons();
    void FollowEditor();
    // Gives the keyboard focus back to the editor after a choice on the bar.
    void ReturnFocus();
    QAction* AddAlignment(const QString& text, Qt::Alignment alignment);

    QPointer<TWPRichText> m_editor;
    QMetaObject::Connection m_followConnection;
    bool m_following = false;
    bool m_themeIconsAsked = false;
    QFontComboBox* m_fontName = nullptr;
    QComboBox* m_fontSize = nullptr;
    QComboBox* m_color = nullptr;
    QAction* m_bold = nullptr;
    QAction* m_italic = nullptr;
    QAction* m_underline = nullptr;
    QActionGroup* m_alignment = nullptr;
    QAction* m_alignLeft = nullptr;
    QAction* m_alignCenter = nullptr;
    QAction* m_alignRight = nullptr;
    QAction* m_alignJustify = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_cut = nullptr;
    QAction* m_paste = nullptr;
    QAction* m_selectAll = nullptr;
};
